#include "application.h"

#include "features/club/clubserverdialog.h"
#include "features/club/coachwindow.h"
#include "features/diary/diarywindow.h"
#include "features/diary/shotfileimport.h"
#include "features/printing/seriesprintjob.h"
#include "features/rhythm/rhythmustrainingshilfeform.h"
#include "features/sources/sourcepanels.h"
#include "features/timeanalysis/valuetimeanalysis.h"
#include "platform/settings.h"
#include "platform/userdialogs.h"
#include "services/club.h"
#include "services/diary.h"
#include "services/services.h"
#include "sheets/diaryseries.h"
#include "sheets/seriesscore.h"
#include "widgets/analysispanel.h"
#include "widgets/handbook.h"
#include "widgets/sourcepanel.h"
#include "windows/analysis/analyseanzeige.h"
#include "windows/entry/schusseingabe.h"
#include "windows/main/form1.h"
#include "windows/shared/windowmenu.h"

#include <QApplication>
#include <QCloseEvent>

#include <map>

namespace ankerblick {

Application::Application(Services& services, const StartOptions& start)
    : m_services(services), m_start(start), m_help(std::make_unique<HelpDesk>()) {}

Form1& Application::mainWindow() {
    if (!m_form)
        buildWindows();
    return *m_form;
}

void Application::buildWindows() {
    Services& services = m_services;
    m_graph = std::make_shared<GraphWindow>();
    m_form = std::make_unique<Form1>(services);
    Form1& form = *m_form;
    addSources(form);
    buildMainWindowTools(form);
    m_rhythmWindow =
        std::make_unique<RhythmWindow>(services.tones, services.dialogs, services.settings);

    connect(&form, &Form1::shotEntryRequested, this, &Application::showShotEntry);
    connect(&form, &Form1::analysisRequested, this, &Application::showAnalysis);
    connect(&form, &Form1::printRequested, this, &Application::printMainWindow);
    connect(&form, &Form1::timeAnalysisRequested, m_timeAnalysis.get(),
            &ValueTimeAnalysis::showTimeAnalysis);
    connect(&form, &TargetWindow::rhythmAidRequested, this, &Application::showRhythmAid);
    connect(&form, &TargetWindow::diaryRequested, this, &Application::showDiary);
    connect(&form, &Form1::coachViewRequested, this, &Application::showCoachView);
    connect(&form, &Form1::shotImportRequested, this, [this, &form] {
        importShots(&form, form.sheet().face().discipline(), form.shooterName());
    });
    if (ClubReader* reader = services.clubReader)
        connectClubReader(*reader);
    form.installEventFilter(this);
}

// The main window's printing and value/time analysis.
void Application::buildMainWindowTools(Form1& form) {
    Services& services = m_services;
    // "Drucken": four series a page, with the calls rated as the lists rate them.
    m_printJob = std::make_unique<SeriesPrintJob>(
        print::SeriesPageStyle::FourPerPage, services.printers, services.dialogs,
        SeriesPrintSource{
            [&form](qint16 n) {
                const AimSheet& aim = form.sheet();
                return print::seriesPrintData(aim.store()[n], aim.face(), aim.rulesOf(n),
                                              &aim.ratingOptions());
            },
            [&form] { return form.sheet().face(); }, [&form] { return form.shooterName(); },
            [this, &form] {
                return clickValue(m_services.settings, form.sheet().face().discipline());
            },
            [&clock = services.clock] {
                return clock.dateTime();
            }});
    // "Schusszeit analyse", with the graph window it shares with the analysis window.
    m_timeAnalysis = std::make_unique<ValueTimeAnalysis>(
        ValueTimeAnalysis::Variant::MainWindow, services.dialogs,
        [&form](bool handStopped) {
            const ShotTimes& times = form.sheet().times();
            return handStopped ? times.shotTimesText() : times.shootingTimesText();
        },
        [&form](int series, int entry) {
            const AimSheet& aim = form.sheet();
            return listedShotValue(aim.store(), int(aim.seriesList().size()), aim.face(),
                                   aim.rulesOf(series), series, entry);
        },
        &form, m_graph);
}

// A club training asked for in the diary window opens in the analysis window.
void Application::connectClubReader(ClubReader& reader) {
    connect(&reader, &ClubReader::trainingRead, this,
            [this](const QUuid& id, const diary::Training& training,
                   const QList<diary::Series>& series) {
                if (id != m_clubTrainingAsked)
                    return;
                m_clubTrainingAsked = QUuid();
                showTrainingInAnalysis(training, series, m_clubSeriesAsked);
            });
    connect(&reader, &ClubReader::readProblem, this,
            [this](const QUuid& id, const QString& problem) {
                if (id.isNull() || id != m_clubTrainingAsked)
                    return;
                m_clubTrainingAsked = QUuid();
                m_services.dialogs.messageBox(m_form.get(), problem);
            });
}

Application::~Application() = default;

bool Application::begin() {
    const std::optional<QString> name = askName();
    if (!name)
        return false; // the program ends before it begins
    Form1& form = mainWindow();
    m_services.settings.setLastShooter(name->trimmed());
    form.setShooterName(*name);
    if (const QString notice = m_services.diary.openingNotice(); !notice.isEmpty())
        m_services.dialogs.messageBox(&form, notice);
    // The diary is open: the sync may read it.
    connectClubAtStart(m_services, m_start.club);
    offerRecovery();
    if (!m_start.file.isEmpty() && form.settleUnsavedSeries(tr("Änderungen speichern?")))
        form.openSeriesFile(m_start.file);
    return true;
}

int Application::start() {
    // Leaving the name prompt ends the program; nothing was entered yet.
    if (!begin())
        return 0;
    showFirstWindow();
    return QApplication::exec();
}

std::optional<QString> Application::askName() {
    if (!m_start.name.isEmpty())
        return m_start.name;
    // The last shooter's name is offered; leaving the prompt ends the program.
    UserDialogs& dialogs = m_services.dialogs;
    const QString last = m_services.settings.lastShooter();
    std::optional<QString> name =
        dialogs.inputBox(m_form.get(),
                         tr("Willkommen bei Ankerblick! Hier zählt nicht nur der Treffer, "
                            "sondern auch, wie gut Sie ihn angesagt haben.\n\n"
                            "Bitte Name eingeben:"),
                         QString(), last);
    while (name && name->trimmed().isEmpty())
        name = dialogs.inputBox(m_form.get(), tr("Ohne Name geht nix. Also bitte Namen eingeben:"),
                                QString(), last);
    return name;
}

// A training the program could not end (it was killed or crashed) comes
// back into the window it came from, when the shooter wants it.
void Application::offerRecovery() {
    Diary& diary = m_services.diary;
    const QList<diary::Training> open = diary.unfinishedTrainings();
    if (open.isEmpty())
        return;
    const bool restore = m_services.dialogs.yesNo(
        m_form.get(), tr("Die letzte Sitzung wurde nicht beendet. Wiederherstellen?"));
    // The newest training of each window comes back; the others end.
    std::map<QString, diary::Training> newest;
    for (const diary::Training& t : open) {
        const auto kept = newest.find(t.window);
        if (kept == newest.end() || t.start >= kept->second.start)
            newest[t.window] = t;
    }
    int heldHits = 0;
    for (const diary::Training& t : open) {
        const bool entry = t.window == QStringLiteral("Schusseingabe");
        if (!restore || newest[t.window].id != t.id ||
            (!entry && t.window != m_form->objectName())) {
            endTraining(t);
            continue;
        }
        TargetWindow& window = entry ? static_cast<TargetWindow&>(shotEntry()) : *m_form;
        heldHits += window.restoreTraining(t, diary.seriesOf(t.id));
        m_shotEntryRestored = m_shotEntryRestored || entry;
        if (!t.shooter.isEmpty())
            m_form->setShooterName(t.shooter);
    }
    if (heldHits > 0)
        m_services.dialogs.messageBox(m_form.get(),
                                      HitIntake::heldHitsText(HitOrigin::Recovery, heldHits));
}

// Ends a training that is not restored, at the time of its last series.
void Application::endTraining(diary::Training training) {
    QDateTime last = training.start;
    for (const diary::Series& s : m_services.diary.seriesOf(training.id))
        last = std::max(last, s.time);
    training.end = last;
    m_services.diary.updateTraining(training);
}

void Application::showFirstWindow() {
    if (m_shotEntryRestored)
        showShotEntry();
    else
        m_form->show();
}

Schusseingabe& Application::shotEntry() {
    if (!m_shotEntry) {
        m_shotEntry = std::make_unique<Schusseingabe>(m_services);
        Schusseingabe* entry = m_shotEntry.get();
        addSources(*entry);
        connect(entry, &TargetWindow::rhythmAidRequested, this, &Application::showRhythmAid);
        connect(entry, &TargetWindow::diaryRequested, this, &Application::showDiary);
        connect(entry, &Schusseingabe::left, m_form.get(), &QWidget::show);
        connect(entry, &Schusseingabe::quitRequested, this, [this] { closeProgram(m_form.get()); });
    }
    return *m_shotEntry;
}

void Application::showShotEntry() {
    shotEntry().show();
    m_shotEntry->setShooterName(m_form->shooterName());
    m_form->hide();
}

void Application::showAnalysis() {
    if (!m_analysis) {
        m_analysis = std::make_unique<AnalyseAnzeige>(m_services, m_graph);
        AnalyseAnzeige* analysis = m_analysis.get();
        connect(analysis, &AnalyseAnzeige::diaryRequested, this, &Application::showDiary);
        connect(analysis, &AnalyseAnzeige::left, m_form.get(), &QWidget::show);
        connect(analysis, &AnalyseAnzeige::quitRequested, this,
                [this] { closeProgram(m_form.get()); });
        connect(analysis, &AnalyseAnzeige::shotImportRequested, this, [this, analysis] {
            importShots(analysis, analysis->sheet().face().discipline(), analysis->shooterName());
        });
    }
    m_analysis->show();
    // Asked for from the diary, the window may be open behind it already.
    m_analysis->raise();
    m_analysis->activateWindow();
    m_analysis->setShooterName(m_form->shooterName());
    m_form->hide();
}

void Application::showDiary() {
    if (!m_diaryWindow) {
        m_diaryWindow = std::make_unique<DiaryWindow>(m_services.diary, m_services.dialogs,
                                                      m_services.printers, m_services.clock);
        m_diaryWindow->setAttribute(Qt::WA_QuitOnClose, false);
        connect(m_diaryWindow.get(), &DiaryWindow::openTrainingRequested, this,
                [this](qint64 training) { openTrainingInAnalysis(training); });
        connect(m_diaryWindow.get(), &DiaryWindow::openSeriesRequested, this,
                &Application::openTrainingInAnalysis);
        if (m_services.club && m_services.clubReader) {
            ClubSync* club = m_services.club;
            m_diaryWindow->setClub(*m_services.clubReader, [club] { return club->server(); });
            connect(m_diaryWindow.get(), &DiaryWindow::openClubTrainingRequested, this,
                    &Application::openClubTraining);
        }
    } else {
        // A new window has just read the diary; one shown before reads it again.
        m_diaryWindow->refresh();
    }
    m_diaryWindow->show();
    m_diaryWindow->raise();
    m_diaryWindow->activateWindow();
}

void Application::openTrainingInAnalysis(qint64 training, int series) {
    const std::optional<diary::Training> t = m_services.diary.training(training);
    if (!t)
        return;
    showTrainingInAnalysis(*t, m_services.diary.seriesOf(training), series);
}

void Application::importShots(QWidget* window, int discipline, const QString& shooter) {
    if (!m_shotImport) {
        m_shotImport = std::make_unique<ShotFileImport>(m_services.diary, m_services.dialogs,
                                                        m_services.settings);
        connect(m_shotImport.get(), &ShotFileImport::imported, this,
                [this](qint64 training) { openTrainingInAnalysis(training); });
    }
    m_shotImport->start(window, discipline, shooter);
}

void Application::showTrainingInAnalysis(const diary::Training& training,
                                         const QList<diary::Series>& series, int shown) {
    showAnalysis();
    m_analysis->setShooterName(training.shooter);
    m_analysis->showSeries(diary::windowContent(training, series), training.discipline, shown);
}

void Application::openClubTraining(const QUuid& id, int series) {
    if (!m_services.club || !m_services.clubReader)
        return;
    m_clubTrainingAsked = id;
    m_clubSeriesAsked = series;
    m_services.clubReader->readTraining(m_services.club->server(), id);
}

void Application::showCoachView() {
    if (!m_services.club || !m_services.clubReader)
        return;
    if (!m_coachWindow) {
        m_coachWindow = std::make_unique<CoachWindow>(*m_services.clubReader);
        m_coachWindow->setAttribute(Qt::WA_QuitOnClose, false);
        connect(m_coachWindow.get(), &CoachWindow::openTrainingRequested, this,
                [this](const QUuid& id) { openClubTraining(id); });
    }
    m_coachWindow->watch(m_services.club->server());
    m_coachWindow->show();
    m_coachWindow->raise();
    m_coachWindow->activateWindow();
}

void Application::showRhythmAid() {
    m_rhythmWindow->show();
}

void Application::printMainWindow() {
    m_printJob->openDialog(qint16(m_form->sheet().seriesList().size()), m_form.get());
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_form.get() || event->type() != QEvent::Close)
        return QObject::eventFilter(watched, event);
    if (!mayEnd()) {
        event->ignore();
        return true;
    }
    end();
    return false; // the main window closes
}

// Closing the main window ends the program once the series entered in it
// and in the shot-entry window are settled.
bool Application::mayEnd() {
    // Hits the sources reported are entered before anything is settled.
    m_form->stopSources();
    if (m_shotEntry)
        m_shotEntry->stopSources();
    return m_form->settleUnsavedSeries(tr("Änderungen speichern?")) &&
           (!m_shotEntry ||
            m_shotEntry->settleUnsavedSeries(tr("Änderungen in der Schusseingabe speichern?")));
}

// The other windows go with the main window.
void Application::end() {
    m_form->finishDiary();
    if (m_diaryWindow)
        m_diaryWindow->close();
    if (m_coachWindow)
        m_coachWindow->close();
    if (m_analysis)
        m_analysis->unload();
    if (m_shotEntry)
        m_shotEntry->unload();
    m_rhythmWindow->unload();
    m_timeAnalysis->unloadGraphWindow();
    if (HandbookWindow* handbook = m_help->window())
        handbook->close();
    m_form->shutdownSources();
    if (m_shotEntry)
        m_shotEntry->shutdownSources();
}

void Application::addSources(TargetWindow& window) {
    for (SourcePanel* panel : makeSourcePanels(m_services, &window))
        window.addSource(*panel);
}

} // namespace ankerblick
