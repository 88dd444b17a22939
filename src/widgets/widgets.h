#pragma once

// Small helpers the windows share for building and refreshing their controls.

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ankerblick {

class UserDialogs;

// Gives a control its name. A control that shows a caption of its own (a
// button, check box, label or frame) is announced by that caption, which it
// follows when it changes, and carries the name as its description; lists,
// text boxes and other controls that show values are announced by the name.
void nameControl(QWidget* widget, const QString& name);
template <typename W> W* named(W* widget, const QString& name) {
    nameControl(widget, name);
    return widget;
}

// A push button announced by its caption.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption);

// A label whose text changes: its name goes into the accessible description.
QLabel* makeStatusLabel(QWidget* parent, const QString& name);

// A fixed caption beside or above a control.
QLabel* makeCaption(QWidget* parent, const QString& text);

// A list that only shows, a fixed width wide.
QListWidget* makeListBox(QWidget* parent, const QString& name, int width);
// A read-only box showing a figure, right-aligned.
QLineEdit* makeFigureBox(QWidget* parent, const QString& name, int width);
// Option buttons named name(0), name(1), ... stacked in the frame; with
// `rows`, in columns of that many, side by side.
QButtonGroup* makeOptionGroup(QGroupBox* frame, const QString& name, const QStringList& captions,
                              int rows = 0);

// Shows the items in the list, rebuilding it only when they differ.
void syncList(QListWidget* list, const QStringList& items);

// Sets the text unless it is already shown (keeps the cursor of a text box).
void syncText(QLineEdit* edit, const QString& text);

// The red back colour a button carries while it asks to be pressed; off gives
// back the button-face colour.
void setSignalColour(QPushButton* button, bool red);
bool hasSignalColour(const QPushButton* button);

// Asks for a length in millimetres, showing `shown` first. A number that
// `accepted` takes is given back; any other answer is told `problem`, and an
// empty one or Cancel gives none without a word.
std::optional<double> askMillimetres(QWidget* parent, UserDialogs& dialogs, const QString& prompt,
                                     const QString& title, double shown, const QLocale& locale,
                                     bool (*accepted)(double), const QString& problem);

} // namespace ankerblick
