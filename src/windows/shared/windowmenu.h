#pragma once

// The menu bar of the three target windows: Datei, Serie, Ansicht and Hilfe.
// Most entries stand for a button of the window and click it, so menu,
// shortcut and button do the same; each window names the entries it has.

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

class QAbstractButton;
class QMenuBar;
class QWidget;

namespace ankerblick {

class UserDialogs;

struct MenuEntry {
    QString caption;
    QAbstractButton* button = nullptr;
    QKeySequence::StandardKey key = QKeySequence::UnknownKey;
    // Instead of a button: a part of the window the entry shows and hides
    // (checked while it is shown); the window fits itself to it again.
    QWidget* part = nullptr;
    // Instead of a button: what the entry does (a window of its own).
    std::function<void()> run{};
};

struct WindowMenuPlan {
    QList<MenuEntry> file; // Beenden follows them
    QList<MenuEntry> series;
    QList<MenuEntry> view;
    // Beenden: closes the program as closing the main window does.
    std::function<void()> quit;
};

// Builds the menu bar into the window's top-level layout.
QMenuBar* addWindowMenu(QWidget* window, UserDialogs& dialogs, const WindowMenuPlan& plan);

// Beenden: closes the main window, which asks for unsaved series and takes the
// other windows with it; closed, it ends the program even when it was hidden.
void closeProgram(QWidget* mainWindow);

// "Über Ankerblick": name, version, purpose and licence.
QString aboutText();

} // namespace ankerblick
