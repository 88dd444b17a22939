#pragma once

// The shot-entry window: the real hits of a series only, placed with the
// mouse (or reported by the electronic target), scored and stored as series.

#include "model/geometry.h"
#include "sheets/entrysheet.h"
#include "windows/shared/targetwindow.h"

namespace ankerblick {

class TargetLinkPanel;

class Schusseingabe final : public TargetWindow {
    Q_OBJECT
public:
    // `returnTo` is the window shown again when this one is left or closed.
    Schusseingabe(Services& services, QWidget* returnTo);

    // Takes over the shooter's name from the window that opened this one.
    void NameSetzen(const QString& schuetze);
    // Closes the window for good, without showing the other window again.
    void unload();

    const EntrySheet& sheet() const { return m_entry; }
    TargetLinkPanel& targetLink() const { return *m_link; }

protected:
    void closeEvent(QCloseEvent* event) override;
    SeriesFileStyle fileStyle() const override { return SeriesFileStyle::ShotEntry; }

private:
    void Form_Load();
    void SchuetzenName_Change();
    void Abkommenseingabe_oeffnen_Click();

    EntrySheet m_entry;
    TargetLinkPanel* m_link = nullptr;
    QWidget* m_returnTo = nullptr;
    bool m_unloading = false;
};

} // namespace ankerblick
