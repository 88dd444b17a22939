#pragma once

// The "Auswertung" panel of the target windows: the figures of the displayed
// series and of all series of the window as German lines, the call-error
// rose of the displayed series, the switch of the MPI crosses on the target
// and the button that changes the click value.

#include "model/groupanalysis.h"
#include "model/targetface.h"

#include "foldingbox.h"

#include <QGroupBox>
#include <QList>
#include <QLocale>

#include <array>

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;

namespace ankerblick {

class Settings;
class UserDialogs;
struct RatingOptions;
class SeriesStore;

// Every shot's hit relative to its call, the call at the centre, on the scale
// of the target, with the count of each of the eight directions around it
// ("hoch" at the top, clockwise).
class CallRose final : public QWidget {
    Q_OBJECT
public:
    explicit CallRose(QWidget* parent);

    void showShots(const QList<group::Shot>& shots, double scale);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<group::PointMm> m_offsets;
    std::array<int, group::kSectors> m_counts{};
    double m_scale = 1.0;
};

class AnalysisPanel final : public FoldingBox {
    Q_OBJECT
public:
    // `withCalls`: the window enters calls, so the panel shows the rose.
    AnalysisPanel(bool withCalls, QWidget* parent);

    // The figures of the displayed series `selected` and of the first `listed`
    // series of the store, on `face`; calls are rated with `options`, or
    // left out without them. The series in `notCounted` (sighting series)
    // are no part of the figures of all series.
    void showSeries(const SeriesStore& store, int selected, int listed, const TargetFace& face,
                    const RatingOptions* options, double clickMm, const QLocale& locale,
                    const QList<int>& notCounted = {});

    // The figures of the displayed series, for the crosses on the target.
    const group::Figures& seriesFigures() const { return m_series; }
    bool crossesShown() const;
    // "Klickwert …", the command of the panel's button, for the window's menu.
    QAction* clickValueCommand() const { return m_clickValueCommand; }

Q_SIGNALS:
    void crossesToggled(bool shown);
    void clickValueRequested();

private:
    void showShots(const QList<group::Shot>& series, const QList<group::Shot>& all,
                   const TargetFace& face, double clickMm, const QLocale& locale);

    QLabel* m_text = nullptr;
    CallRose* m_rose = nullptr;
    QCheckBox* m_crosses = nullptr;
    QPushButton* m_clickValue = nullptr;
    QAction* m_clickValueCommand = nullptr;
    group::Figures m_series;
};

// The click value of the discipline: the one kept, or the discipline's own.
double clickValue(const Settings& settings, int discipline);
// "Klickwert …": asks for the click value of the discipline and keeps it;
// true when a new value was kept.
bool askClickValue(QWidget* parent, UserDialogs& dialogs, Settings& settings, int discipline,
                   const QLocale& locale);

} // namespace ankerblick
