#pragma once

// A command of a window is one QAction, which its button, its menu entry and
// its shortcut share, as in Qt's own applications: the caption, the enabled
// state and the shortcut are kept in the action alone. The action's text is
// the menu entry's caption, its icon text the button's caption.

#include <QKeySequence>
#include <QString>

class QAbstractButton;
class QAction;

namespace ankerblick {

// The command the button stands for, owned by the button: its caption the
// button's, or `menuCaption` in the menu. From now on the button shows the
// action's icon text and is enabled while the action is; clicked, it
// triggers the action.
QAction* makeCommand(QAbstractButton* button, const QString& menuCaption = {},
                     QKeySequence::StandardKey key = QKeySequence::UnknownKey);

// Binds a button to an action as makeCommand does.
void bindButton(QAbstractButton* button, QAction* action);

} // namespace ankerblick
