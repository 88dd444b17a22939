#pragma once

// The window "Trainingstagebuch": the trainings of the diary, filtered by
// shooter, discipline and period, as a table and as charts over time; the
// shots written as a CSV file, a printed report as a PDF file, and a
// training handed on to the analysis.

#include "model/diaryrecords.h"
#include "services/clock.h"
#include "services/club.h"
#include "sheets/diaryexport.h"

#include <QLocale>
#include <QUuid>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QHBoxLayout;
class QDateEdit;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableView;

namespace ankerblick {

class ClubReader;
class Diary;
class DiaryChartSet;
class PrinterService;
class TrainingTableModel;
class UserDialogs;

class DiaryWindow final : public QWidget {
    Q_OBJECT

public:
    DiaryWindow(Diary& diary, UserDialogs& dialogs, PrinterService& printers, const Clock& clock,
                QWidget* parent = nullptr);
    ~DiaryWindow() override;

    // The trainings the filters take.
    diary::Filter filter() const;

    // With a club's server set (`server` gives its URL, empty when none
    // is), "Quelle" chooses between the trainings kept here ("Hier") and
    // those of the server from every lane ("Verein"), read by `reader`.
    void setClub(ClubReader& reader, std::function<club::Credentials()> server);

public Q_SLOTS:
    // Reads the diary again: the shooters, the period and the trainings. The
    // choices of shooter and discipline stay as far as they still exist.
    void refresh();

Q_SIGNALS:
    void openTrainingRequested(qint64 trainingId);
    // A training of the club's server, by its identity there.
    void openClubTrainingRequested(const QUuid& id);

protected:
    // Coming to the front, the window reads the diary again: shots entered
    // meanwhile in the other windows are in it.
    bool event(QEvent* event) override;

private:
    QLayout* buildFilters();
    QWidget* buildContent();
    QLayout* buildButtons();
    // Reads all trainings, and the first and last day among them.
    QList<diary::TrainingSummary> readPeriod();
    // Shows those days in "von" and "bis" (today when it is later).
    void showWholePeriod();
    void query();
    // Table, charts and count for the trainings the filter took.
    void showTrainings(const diary::Filter& f, QList<diary::TrainingSummary> rows);
    void fitColumns();
    void showEmptyState();
    void updateButtons();
    std::optional<qint64> selectedTraining() const;
    void openSelected();
    void importPaths(const QStringList& paths);
    void exportCsv();
    void printReport();
    QString askFileName(const QString& filter, const QString& proposed, const QString& suffix);
    // The trainings of the club's server, as read last.
    bool fromClub() const;
    void showClubSquad(const club::Squad& squad);
    QList<diary::TrainingSummary> clubTrainings(const diary::Filter& f);

    Diary& m_diary;
    const Clock& m_clock;
    UserDialogs& m_dialogs;
    PrinterService& m_printers;
    QLocale m_locale;
    QHBoxLayout* m_filterRow = nullptr;
    QComboBox* m_source = nullptr; // "Hier" or "Verein", with a club's server only
    ClubReader* m_clubReader = nullptr;
    std::function<club::Credentials()> m_clubServer;
    club::Squad m_clubSquad;
    QList<QUuid> m_clubIds; // of the server's trainings shown, at their row's id - 1
    QString m_clubNotice;   // instead of the server's trainings: why none, or that they are read
    QComboBox* m_shooter = nullptr;
    QComboBox* m_discipline = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QStackedWidget* m_content = nullptr;
    QLabel* m_empty = nullptr;
    QTableView* m_table = nullptr;
    TrainingTableModel* m_model = nullptr;
    QTabWidget* m_tabs = nullptr;
    // The set only knows the charts; their views own them.
    std::unique_ptr<DiaryChartSet> m_charts;
    QLabel* m_count = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_csv = nullptr;
    QPushButton* m_pdf = nullptr;
    // What the charts show, kept for the report.
    diary::DiaryCharts m_chartData;
    QList<diary::RingBin> m_bins;
    QDate m_firstDay; // of the diary's trainings; invalid without any
    QDate m_lastDay;
    bool m_periodChosen = false; // "von" or "bis" set by the user
};

} // namespace ankerblick
