#pragma once

// "Kaliber …": the shot diameter of each discipline, chosen by the shooter
// and kept in the settings; the target windows apply it whenever the
// discipline is chosen.

#include <QLocale>

class QWidget;

namespace ankerblick {

class Settings;
class UserDialogs;

// Asks for the shot diameter of the discipline in mm (1 to 20, written as
// the locale writes numbers) and keeps it; true when a calibre was kept.
// Shown first is the calibre that holds now.
bool askCalibre(QWidget* parent, UserDialogs& dialogs, Settings& settings, int discipline,
                double currentMm, const QLocale& locale);

} // namespace ankerblick
