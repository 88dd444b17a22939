#pragma once

// The menu bar of the three target windows: Datei, Serie, Ansicht and Hilfe.
// "Ansicht → Sprache" chooses the language of the next start, "Hilfe →
// Handbuch" (F1) opens the handbook at the window's section.
// Most entries are the commands of the window's buttons (widgets/command.h):
// menu entry, shortcut and button are one action, so they do the same and
// are enabled together; each window names the entries it has.

#include <QList>
#include <QString>

#include <functional>

class QAction;
class QMenuBar;
class QWidget;

namespace ankerblick {

class Settings;
class UserDialogs;

struct WindowMenuPlan {
    QList<QAction*> file; // Beenden follows them
    QList<QAction*> series;
    QList<QAction*> view;
    // Beenden: closes the program as closing the main window does.
    std::function<void()> quit;
    // Where "Ansicht → Sprache" keeps the choice; no such entry without.
    Settings* settings = nullptr;
};

// An entry that shows and hides a part of the window (checked while it is
// shown), owned by the part; the window fits itself to it again.
QAction* makeShowCommand(const QString& caption, QWidget* part);

// Builds the menu bar into the window's top-level layout.
QMenuBar* addWindowMenu(QWidget* window, UserDialogs& dialogs, const WindowMenuPlan& plan);

// Beenden: closes the main window, which asks for unsaved series and takes the
// other windows with it; closed, it ends the program even when it was hidden.
void closeProgram(QWidget* mainWindow);

// "Über Ankerblick": name, version, purpose and licence.
QString aboutText();

} // namespace ankerblick
