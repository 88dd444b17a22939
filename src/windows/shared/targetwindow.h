#pragma once

// What the two entry windows share: the target view at the left below the
// menu bar (drawing units are its pixels), whose pointer events enter the
// shots, the shared panels with the discipline options, the series and shot
// lists with the sums, and the series buttons. Each window adds its own
// controls into the rows the panels lay out.

#include "model/diaryrecords.h"
#include "services/services.h"
#include "sheets/hitintake.h"
#include "sheets/match.h"
#include "sheets/targetsheet.h"
#include "windows/shared/matchcontroller.h"
#include "windows/shared/targetpanels.h"
#include "windows/shared/windowmenu.h"

#include <QKeySequence>
#include <QPointF>
#include <QPointer>
#include <QWidget>

#include <memory>

class QAction;
class QButtonGroup;
class QHBoxLayout;
class QLineEdit;
class QTimer;
class QUndoStack;
class QPushButton;
class QVBoxLayout;

namespace ankerblick {

class AnalysisPanel;
class MatchPanel;
class MatchResultWindow;
class PhotoImport;
class Diary;
class DiaryRecorder;
class Settings;
class SourcePanel;
struct RatingOptions;
class TargetView;
class UserDialogs;

class TargetWindow : public QWidget {
    Q_OBJECT
public:
    ~TargetWindow() override;
    QString shooterName() const;
    // Before the entered series are given up: when they changed since they
    // were last saved, asks `question` and saves if the user wants to. False
    // when the user cancelled or the save did not happen.
    bool settleUnsavedSeries(const QString& question);
    // The window closes for good: its training in the diary ends.
    void finishDiary();
    // Shows a training the diary kept when the program stopped unexpectedly,
    // as unsaved series, and goes on recording into it. The target's hits
    // that were waiting for their calls are entered without a call; returns
    // how many.
    int restoreTraining(const diary::Training& training, const QList<diary::Series>& series);
    // A source of hits outside the window, built by the application: its
    // hits come in through the window's intake, its controls are placed by
    // the window.
    void addSource(SourcePanel& panel);
    const QList<SourcePanel*>& sources() const { return m_sources; }
    // The program ends: every source stops delivering (what they held is
    // settled), then lets its device go.
    void stopSources();
    void shutdownSources();
    // The training the window records into, once a shot was entered.
    std::optional<qint64> diaryTraining() const;
    const Match& match() const { return m_matchControl->match(); }

Q_SIGNALS:
    // "Rhythmus Trainingshilfe" was pressed: the owner of the rhythm window shows it.
    void rhythmAidRequested();
    // "Trainingstagebuch" was chosen: the owner of the diary window shows it.
    void diaryRequested();

protected:
    TargetWindow(TargetSheet& sheet, Services& services, QWidget* parent);

    // Builds the shared controls.
    void buildControls();
    // Where a window adds its own controls.
    QHBoxLayout* optionsRow() const { return m_panels->optionsRow(); }
    QHBoxLayout* sourcesRow() const { return m_panels->sourcesRow(); }
    QHBoxLayout* listsRow() const { return m_panels->listsRow(); }
    QVBoxLayout* sidePanel() const { return m_panels->sidePanel(); }
    QPushButton* addButton(const QString& name, const QString& caption) {
        return m_panels->addButton(name, caption);
    }
    // A button and the command it stands for (widgets/command.h), named
    // `menuCaption` in the menu when that differs from the caption.
    QAction* addCommand(const QString& name, const QString& caption,
                        const QString& menuCaption = {},
                        QKeySequence::StandardKey key = QKeySequence::UnknownKey);
    // Brings the controls in line with the sheet.
    void refresh();
    // A command changed the series (or what the diary keeps of the
    // training): the controls follow, and the diary is written, as one step.
    void seriesChanged();
    // The controls alone.
    virtual void showSheet();
    // Where the window shows a source's controls.
    virtual void placeSource(SourcePanel& panel) = 0;
    // The window's series were replaced ("Neu", "Laden"): the diary begins a
    // new training with the next shot.
    void startNewTraining();
    // What the target view paints over the face.
    virtual void paintMarks(QPainter& painter);
    // The marks as painted: the one waiting for the pointer shows only
    // while the pointer is on the target.
    std::array<Mark, kShotsPerSeries> shownMarks(const std::array<Mark, kShotsPerSeries>& marks);
    // The MPI crosses of the displayed series, when "Trefferlage zeigen" is ticked.
    void paintGroupCrosses(QPainter& painter);
    // The options the window rates calls with; none when it enters hits only.
    virtual const RatingOptions* ratingOptions() const { return nullptr; }
    // The match panel, placed by the window; hidden while no match runs.
    MatchPanel* matchPanel() const { return m_matchPanel; }
    // "Neu" or "Laden" replaced the series: a running match is given up.
    void abandonMatch();
    // The "Auswertung" panel, placed by the window, and its entries in "Ansicht".
    AnalysisPanel* analysisPanel() const { return m_analysisPanel; }
    void addAnalysisMenu(WindowMenuPlan& plan) const;
    // How this window writes its series files.
    virtual SeriesFileStyle fileStyle() const = 0;
    // "Speichern": asks for a file and writes the series; false when nothing was written.
    bool saveSeries();
    // The menu entries of the shared commands; the window adds its own.
    WindowMenuPlan menuPlan();

    bool eventFilter(QObject* watched, QEvent* event) override;

    // Handlers of the shared controls.
    // Chooses the discipline with the calibre kept for it; choosing what is
    // shown changes nothing.
    void chooseDiscipline(int index);
    void selectSeries(int number);
    void highlightShot(int row);
    void clearShotHighlight();
    void beginNextSeries();
    void undoLastStep();
    void startAgain();
    void scoreAgain();
    void toggleWhiteShots();
    void addComment();
    void startStopwatch();
    void stopStopwatch();
    void saveAsked();
    void askForRhythmAid();
    // The match: start, end of the sighting shots, a timed series, the end.
    void startMatch();
    void endSighting();
    void startTimedSeries();
    void endMatch();

    // What the window works with; the services outlive it.
    Services& windowServices() const { return m_services; }
    UserDialogs& dialogs() const { return m_dialogs; }
    Settings& settings() const { return m_settings; }
    TargetPanels& panels() const { return *m_panels; }
    QLineEdit* nameEdit() const { return m_name; }
    QButtonGroup* disciplineButtons() const { return m_discipline; }

private:
    TargetSheet& m_sheet;
    // The services outlive the window; dialogs, settings and diary are three of them.
    Services& m_services;
    UserDialogs& m_dialogs;
    Settings& m_settings;
    Diary& m_diary;

    TargetView* m_view = nullptr;
    TargetPanels* m_panels = nullptr;
    AnalysisPanel* m_analysisPanel = nullptr;
    QLineEdit* m_name = nullptr;
    QButtonGroup* m_discipline = nullptr;
    // The shared commands; each button follows its command.
    QAction* m_nextSeries = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_new = nullptr;
    QAction* m_recompute = nullptr;
    QAction* m_whiteShots = nullptr;
    QAction* m_comment = nullptr;
    QAction* m_start = nullptr;
    QAction* m_stop = nullptr;
    QAction* m_save = nullptr;
    QAction* m_rhythm = nullptr;
    QAction* m_showDiary = nullptr; // "Trainingstagebuch", in the menu only
    QAction* m_matchStart = nullptr;
    QAction* m_endSighting = nullptr;
    QAction* m_startSeries = nullptr;
    QAction* m_matchEnd = nullptr;
    QAction* m_calibre = nullptr; // "Kaliber …", in the menu only
    QAction* m_photo = nullptr;   // "Foto einlesen …", in the menu only
    // The buttons the window colours or gives the focus.
    QPushButton* m_nextSeriesButton = nullptr;
    QPushButton* m_startButton = nullptr;
    QPushButton* m_stopButton = nullptr;

    std::unique_ptr<DiaryRecorder> m_recorder;
    // "Rückgängig": one command for each edit the sheet keeps to take back.
    QUndoStack* m_undoStack = nullptr;
    class IntakeSite;
    std::unique_ptr<IntakeSite> m_intakeSite;
    std::unique_ptr<HitIntake> m_intake;
    QList<SourcePanel*> m_sources;
    MatchController* m_matchControl = nullptr;
    MatchPanel* m_matchPanel = nullptr;
    std::unique_ptr<MatchResultWindow> m_result;
    QPointer<QWidget> m_photoWindow;
    bool m_pointerOnTarget = false;

private:
    void recordInDiary();
    bool syncDiary();
    void followEdits();
    void buildButtons();
    void buildMatch();
    void showMatch();
    void finishMatch();
    void paintSighterCorner(QPainter& painter) const;
    // The box of the calls and hits of the series shown, in drawing units.
    QRectF groupBox() const;
    void buildAnalysisPanel();
    void showAnalysis();
    // Until the first shot: where to click next.
    QString firstShotHint() const;
    void chooseCalibre();
    // "Foto einlesen …": a photo's holes, once the shooter takes them, are
    // the hits of a new series (several when they are more than a series
    // holds), without calls and without times.
    void readPhoto();
    void showPhoto(std::unique_ptr<PhotoImport> import);
    std::optional<QString> enterPhotoHoles(const QList<QPointF>& holesMm);
    void connectView();
};

} // namespace ankerblick
