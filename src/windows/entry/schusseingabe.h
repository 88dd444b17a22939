#pragma once

// The shot-entry window: the real hits of a series only, placed with the
// mouse (or reported by the electronic target), scored and stored as series.

#include "model/geometry.h"
#include "sheets/entrysheet.h"
#include "windows/shared/targetwindow.h"

namespace ankerblick {

class Schusseingabe final : public TargetWindow {
    Q_OBJECT
public:
    // The services and what they refer to outlive the window.
    explicit Schusseingabe(Services& services);

    // Takes over the shooter's name from the window that opened this one.
    void setShooterName(const QString& schuetze);
    // Closes the window for good, without showing the other window again.
    void unload();

    const EntrySheet& sheet() const { return m_entry; }

Q_SIGNALS:
    // The shooter left the window ("Abkommens- eingabe öffnen", or closed it
    // without unload()): the owner shows the main window again.
    void left();
    // "Beenden": the owner ends the program through the main window, which
    // asks for the unsaved series.
    void quitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    SeriesFileStyle fileStyle() const override { return SeriesFileStyle::ShotEntry; }
    void placeSource(SourcePanel& panel) override;

private:
    void loadKeptOptions();
    void showShooterName();
    void returnToCallEntry();

    EntrySheet m_entry;
    QVBoxLayout* m_sourceColumn = nullptr; // the sources' controls, one below the other
    bool m_unloading = false;
};

} // namespace ankerblick
