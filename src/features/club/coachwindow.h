#pragma once

// "Ansicht → Trainer …": the coach's view of the club's squad, read from
// the club's server by the ClubReader on its own thread. At the top the
// shooters with their newest training beside the charts of the progress of
// the shooter chosen, below that shooter's trainings (series sums, share of
// calls rated 10, Sek*mm, mean point of impact, call error). A series a lane
// sends shows within a second: the server tells the reader, which reads the
// squad again. A training opens in the analysis window. Only a coach's
// login sees the squad; any other login is told why not.

#include "services/clubaddress.h"
#include "sheets/coachsheet.h"

#include <QLocale>
#include <QUuid>
#include <QWidget>

#include <memory>
#include <optional>

class QChart;
class QLabel;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace ankerblick {

class ClubReader;
class DiaryChartSet;

class CoachWindow final : public QWidget {
    Q_OBJECT
public:
    explicit CoachWindow(ClubReader& reader, QWidget* parent = nullptr);
    ~CoachWindow() override;

    // Watches the squad on `server`; without one, says how to set it.
    void watch(const club::Credentials& server);
    const CoachSheet& sheet() const { return m_sheet; }

public Q_SLOTS:
    // Shows the squad as read, the choices kept.
    void showSquad(const ankerblick::club::Squad& squad);

Q_SIGNALS:
    void openTrainingRequested(const QUuid& id);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTables();
    void buildProgress();
    void arrange();
    void showProblem(const QString& problem);
    void showShooters();
    void showTrainings();
    void chooseShooter();
    void openSelected();
    QUuid selectedTraining() const;
    void askCalls(const QList<club::SquadTraining>& trainings);
    void shotsRead(const diary::Filter& filter, QList<diary::ShotRow> rows);

    ClubReader& m_reader;
    club::Credentials m_server;
    std::optional<diary::Filter> m_callsAsked; // until its shots are read
    quint64 m_callsGeneration = 0;             // of the trainings shown
    CoachSheet m_sheet;
    QLocale m_locale;
    QLabel* m_notice = nullptr;
    QTableWidget* m_shooters = nullptr;
    QTableWidget* m_trainings = nullptr;
    QTabWidget* m_progress = nullptr;
    QPushButton* m_open = nullptr;
    std::unique_ptr<DiaryChartSet> m_charts;
    std::unique_ptr<QChart> m_unshown; // the set's histogram, which the view has no use for
    QList<QUuid> m_shown;              // the trainings' identities, by row
};

} // namespace ankerblick
