#pragma once

// The window "Trainingstagebuch": the trainings of the diary, filtered by
// shooter, discipline and period, as a table and as charts over time; the
// shots written as a CSV file, a printed report as a PDF file, and a
// training handed on to the analysis.

#include "diarycharts.h"
#include "model/diaryrecords.h"
#include "services/clock.h"
#include "services/club.h"
#include "sheets/callfinding.h"
#include "sheets/diaryexport.h"
#include "sheets/trainingview.h"

#include <QLocale>
#include <QPointer>
#include <QUuid>
#include <QWidget>

#include <array>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>

class QComboBox;
class QHBoxLayout;
class QDateEdit;
class QLabel;
class QProgressDialog;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableView;

namespace ankerblick {

namespace diary {
struct ImportReport;
}

class ClubReader;
class ClubTrainings;
class Diary;
class LocalTrainings;
class TrainingSource;
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
    // Reads the trainings again when they changed: the shooters, the period
    // and the trainings, on another thread. The choices of shooter and
    // discipline stay as far as they still exist.
    void refresh();

public:
    // Whether the trainings are being read.
    bool reading() const;

Q_SIGNALS:
    void openTrainingRequested(qint64 trainingId);
    // A series the finding names was clicked: the training, at that series.
    void openSeriesRequested(qint64 trainingId, int series);
    // A training of the club's server, by its identity there, at series
    // `series` (from 1).
    void openClubTrainingRequested(const QUuid& id, int series);

protected:
    // Coming to the front, the window reads the diary again if shots were
    // entered meanwhile in the other windows.
    bool event(QEvent* event) override;

private:
    QLayout* buildFilters();
    QWidget* buildContent();
    QLayout* buildButtons();
    // The source's trainings as read last: the shooters among them, their
    // period and those the filter takes.
    void showRead();
    // Shows the first and the last day of the source's trainings in "von"
    // and "bis" (today when it is later).
    void showWholePeriod();
    void query();
    void queryAfterRead();
    // Table, charts and count for the trainings the filter took.
    void showTrainings(diary::TrainingView view);
    void valuesRead(const diary::Filter& f, const std::map<int, int>& counts);
    void callsRead(const diary::Filter& f, const QList<calls::TrainingCalls>& trainings);
    // The charts whose data changed are filled when their tab is shown, in
    // a turn of their own after the table.
    void chartsChanged(std::initializer_list<int> charts);
    void fillShownChart();
    void fitColumns(const std::array<QList<int>, diary::kTrainingColumns>& shapeRows);
    int widestCell(int column, const QList<int>& rows) const;
    void showEmptyState();
    void updateButtons();
    const diary::TrainingSummary* selectedTraining() const;
    void openSelected();
    // A series a finding names, here or on the club's server.
    void openSeries(qint64 trainingId, int series);
    // The finding of the one training selected, once read.
    void askFinding();
    void findingRead(qint64 trainingId, const calls::Finding& finding);
    void importPaths(const QStringList& paths);
    // A window-modal dialog for work that takes long, without a cancel button.
    QProgressDialog* progressDialog(const QString& name);
    void imported(const diary::ImportReport& report);
    void exportCsv();
    void printReport();
    QString askFileName(const QString& filter, const QString& proposed, const QString& suffix);
    // The server's trainings are chosen.
    bool fromClub() const;
    TrainingSource& source() const;
    void connectSource(TrainingSource* source);

    Diary& m_diary;
    const Clock& m_clock;
    UserDialogs& m_dialogs;
    PrinterService& m_printers;
    QLocale m_locale;
    QHBoxLayout* m_filterRow = nullptr;
    QComboBox* m_source = nullptr; // "Hier" or "Verein", with a club's server only
    LocalTrainings* m_local = nullptr;
    ClubTrainings* m_club = nullptr; // with a club's server only
    QComboBox* m_shooter = nullptr;
    QComboBox* m_discipline = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QStackedWidget* m_content = nullptr;
    QLabel* m_finding = nullptr; // "Befund: …" of the training selected
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
    QPushButton* m_importFiles = nullptr;
    QPushButton* m_importFolder = nullptr;
    QPointer<QProgressDialog> m_importProgress; // while an import takes long
    bool m_importing = false;
    QPointer<QProgressDialog> m_exportProgress; // while the CSV file takes long
    bool m_exporting = false;
    // What the charts show, kept for the report.
    diary::DiaryCharts m_chartData;
    QList<diary::RingBin> m_bins;
    QList<calls::TrainingCalls> m_trainingCalls; // of the filter shown, once read
    std::array<bool, DiaryChartSet::kCount> m_staleCharts{};
    bool m_chartFillQueued = false;
    QDate m_firstDay; // of the diary's trainings; invalid without any
    QDate m_lastDay;
    bool m_periodChosen = false; // "von" or "bis" set by the user
    bool m_preparing = false;    // the trainings read are prepared for showing
    quint64 m_viewsAsked = 0;    // preparations started; only the last one shows
};

} // namespace ankerblick
