#pragma once

// What a window keeps between runs under its object name: its place and size
// on the screen, and the option chosen in an option group.

class QButtonGroup;
class QString;
class QWidget;

namespace ankerblick {

class Settings;

// Puts the window where it was last (when the place kept makes sense), or
// the first time at most of the screen's free area, centred; and keeps its
// place whenever it is hidden or closed.
void keepPlace(QWidget* window, Settings& settings);

// Keeps every option the user checks in the group under `name`.
void keepOption(QWidget* window, QButtonGroup* options, const QString& name, Settings& settings);
// The option kept for the group, or `fallback` when none is kept.
int keptOption(const QWidget* window, const QButtonGroup* options, const QString& name,
               const Settings& settings, int fallback);

} // namespace ankerblick
