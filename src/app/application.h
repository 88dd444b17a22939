#pragma once

// The program: the main window and the windows and tools it opens, the
// start (name prompt, the diary's notice, the recovery of an unfinished
// training, the series file of the command line) and the end (closing the
// main window settles the series and takes the other windows with it). The
// windows ask for one another by signals; the application answers them.

#include "model/diaryrecords.h"
#include "sheets/commandline.h"

#include <QObject>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>

namespace ankerblick {

class AnalyseAnzeige;
class ClubReader;
class CoachWindow;
class DiaryWindow;
class Form1;
class GraphWindow;
class HelpDesk;
class RhythmWindow;
class Schusseingabe;
class SeriesPrintJob;
class ShotFileImport;
class TargetWindow;
class ValueTimeAnalysis;
struct Services;

class Application final : public QObject {
    Q_OBJECT
public:
    // Nothing is built, shown or asked yet. The services and what they refer
    // to outlive the application.
    explicit Application(Services& services, const StartOptions& start = {});
    ~Application() override;

    // Before the first window is shown: asks for the shooter's name (before
    // the main window is built, so that the prompt is the first thing shown
    // at once), builds the windows, shows
    // the diary's notice, offers to restore an unfinished training and opens
    // the command line's series file. False when the shooter left the name
    // prompt: the program ends before it begins.
    bool begin();
    // Shows the window the shooter works in: the shot-entry window when a
    // training of it was restored, the main window otherwise.
    void showFirstWindow();
    // The program's run: begin(), the first window, the event loop; the exit status.
    int start();

    // The main window, built when first needed.
    Form1& mainWindow();
    // The shot-entry window, once it was opened.
    Schusseingabe* shotEntryWindow() const { return m_shotEntry.get(); }
    // The coach's view, once it was opened.
    CoachWindow* coachWindow() const { return m_coachWindow.get(); }
    // The analysis window, once it was opened.
    AnalyseAnzeige* analysisWindow() const { return m_analysis.get(); }
    // The program's handbook window and its F1.
    HelpDesk& help() const { return *m_help; }

protected:
    // Closing the main window ends the program.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<QString> askName();
    void buildWindows();
    // The sources of hits outside the window, with their controls.
    void addSources(TargetWindow& window);
    void buildMainWindowTools(Form1& form);
    void connectClubReader(ClubReader& reader);
    void offerRecovery();
    void endTraining(diary::Training training);
    // The shot-entry window, made when first needed.
    Schusseingabe& shotEntry();
    void showShotEntry();
    void showAnalysis();
    // "Trainingstagebuch": one window for the program, shown from every window.
    void showDiary();
    // The training in the analysis window, at series `series`.
    void openTrainingInAnalysis(qint64 training, int series = 1);
    // "Datei → Schüsse importieren …" of `window`, on the face it shows.
    void importShots(QWidget* window, int discipline, const QString& shooter);
    // A training of the club's server at series `series`, once the reader
    // has read it.
    void openClubTraining(const QUuid& id, int series = 1);
    void showTrainingInAnalysis(const diary::Training& training, const QList<diary::Series>& series,
                                int shown = 1);
    // "Trainer": one window for the program, watching the squad while shown.
    void showCoachView();
    void showRhythmAid();
    void printMainWindow();
    bool mayEnd();
    void end();

    Services& m_services;
    StartOptions m_start;
    // The handbook and F1, for every window; it goes last.
    std::unique_ptr<HelpDesk> m_help;
    bool m_shotEntryRestored = false;
    // The one graph window, shared by the main window's and the analysis
    // window's value/time analysis.
    std::shared_ptr<GraphWindow> m_graph;
    std::unique_ptr<Form1> m_form;
    // The main window's value/time analysis and print job.
    std::unique_ptr<ValueTimeAnalysis> m_timeAnalysis;
    std::unique_ptr<SeriesPrintJob> m_printJob;
    // The rhythm window, shown for the main window and the shot-entry window.
    std::unique_ptr<RhythmWindow> m_rhythmWindow;
    std::unique_ptr<Schusseingabe> m_shotEntry;
    std::unique_ptr<AnalyseAnzeige> m_analysis;
    std::unique_ptr<DiaryWindow> m_diaryWindow;
    std::unique_ptr<CoachWindow> m_coachWindow;
    QUuid m_clubTrainingAsked; // the server's training asked for last
    int m_clubSeriesAsked = 1; // and its series to show
    std::unique_ptr<ShotFileImport> m_shotImport;
};

} // namespace ankerblick
