#include "targetwindow.h"

#include "features/photo/fotoeinlesen.h"
#include "model/background.h"
#include "services/diary.h"
#include "services/settings.h"
#include "services/tonegenerator.h"
#include "services/userdialogs.h"
#include "sheets/diaryrecorder.h"
#include "sheets/diaryseries.h"
#include "widgets/analysispanel.h"
#include "widgets/command.h"
#include "widgets/sourcepanel.h"
#include "widgets/targetpainter.h"
#include "widgets/targetview.h"
#include "widgets/widgets.h"
#include "windows/shared/calibre.h"
#include "windows/shared/matchpanel.h"
#include "windows/shared/matchresult.h"

#include <QAction>
#include <QButtonGroup>
#include <QDate>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

namespace ankerblick {

namespace {

MouseButton buttonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::NoButton:
        return MouseButton::None;
    default:
        return MouseButton::Middle;
    }
}

} // namespace

namespace {

// A step "Rückgängig" takes back: an edit of a slot the sheet has made and
// keeps. Taking it back is the sheet's, by its rules (a hit reported from
// outside is never taken back); the window offers no redo.
class EditCommand final : public QUndoCommand {
public:
    EditCommand(TargetSheet& sheet, const SeriesEdit& edit) : m_sheet(sheet) {
        setText(QStringLiteral("%1/%2").arg(edit.series).arg(edit.slot + 1));
    }
    void undo() override { m_sheet.undo(); }
    void redo() override {} // pushed once the sheet has made the edit

private:
    TargetSheet& m_sheet;
};

} // namespace

// What the window does for its intake: the diary, the controls, the shooter.
class TargetWindow::IntakeSite final : public HitIntake::Site {
public:
    explicit IntakeSite(TargetWindow& window) : m_window(window) {}
    bool keep() override { return m_window.syncDiary(); }
    QString keepProblem() const override { return m_window.m_recorder->problem(); }
    void show() override { m_window.showSheet(); }
    void changed() override { m_window.seriesChanged(); }

private:
    TargetWindow& m_window;
};

TargetWindow::TargetWindow(TargetSheet& sheet, Services& services, QWidget* parent)
    : QWidget(parent), m_sheet(sheet), m_services(services), m_dialogs(services.dialogs),
      m_settings(services.settings), m_diary(services.diary),
      m_intakeSite(std::make_unique<IntakeSite>(*this)),
      m_intake(std::make_unique<HitIntake>(sheet, *m_intakeSite)) {}

TargetWindow::~TargetWindow() = default;

void TargetWindow::addSource(SourcePanel& panel) {
    panel.source().attach(&m_intake->door(panel.origin()));
    panel.onStateChanged(this, [this] { refresh(); });
    m_sources.append(&panel);
    placeSource(panel);
    if (auto* box = qobject_cast<FoldingBox*>(&panel.controls()))
        box->keepFolded(m_settings, objectName());
}

void TargetWindow::stopSources() {
    for (SourcePanel* panel : std::as_const(m_sources))
        panel->stopDelivering();
}

void TargetWindow::shutdownSources() {
    for (SourcePanel* panel : std::as_const(m_sources))
        panel->shutdown();
}

QString TargetWindow::shooterName() const {
    return m_name->text();
}

void TargetWindow::buildControls() {
    m_view = new TargetView([this]() -> const TargetFace& { return m_sheet.face(); },
                            [this](QPainter& painter, const QRect&) {
                                paintSighterCorner(painter);
                                paintMarks(painter);
                            },
                            this);
    m_view->setGroupSource([this] { return groupBox(); });
    m_panels = new TargetPanels(this, m_view, PanelStyle{48, 48, false});
    m_panels->buildLists();
    m_name = m_panels->name();
    m_discipline = m_panels->discipline();
    m_panels->shotList()->installEventFilter(this);
    m_recorder = std::make_unique<DiaryRecorder>(m_diary, m_services.clock, objectName());
    m_undoStack = new QUndoStack(this);
    buildButtons();
    buildMatch();
    buildAnalysisPanel();
    connectView();
    connect(m_panels, &TargetPanels::disciplineChosen, this, &TargetWindow::chooseDiscipline);
    connect(m_panels, &TargetPanels::seriesChosen, this, &TargetWindow::selectSeries);
    connect(m_panels, &TargetPanels::shotChosen, this, &TargetWindow::highlightShot);
}

void TargetWindow::buildButtons() {
    m_nextSeriesButton = addButton(QStringLiteral("WeitereSerie"), tr("Weitere Serie"));
    m_nextSeries = makeCommand(m_nextSeriesButton);
    m_undo = addCommand(QStringLiteral("Undo"), tr("Rückgängig"), {}, QKeySequence::Undo);
    m_new = addCommand(QStringLiteral("Neu"), tr("Neu"));
    m_recompute = addCommand(QStringLiteral("NeuBerechnen"), tr("Neu Berechnen"));
    m_whiteShots = addCommand(QStringLiteral("WeisseSchüsse"), tr("Schüsse weiß An/Aus"));
    m_comment = addCommand(QStringLiteral("Kommentar"), tr("Kommentar"));
    m_startButton = addButton(QStringLiteral("StartBtn"), tr("Start"));
    m_start = makeCommand(m_startButton);
    m_stopButton = addButton(QStringLiteral("StopBtn"), tr("Stop"));
    m_stop = makeCommand(m_stopButton);
    m_stop->setEnabled(false);
    m_save = addCommand(QStringLiteral("Speichern"), tr("Speichern"), {}, QKeySequence::Save);
    m_rhythm = addCommand(QStringLiteral("RhythmusTrainingshilfe"), tr("Rhythmus Trainingshilfe"));
    m_showDiary = new QAction(tr("Trainingstagebuch"), this);
    m_calibre = new QAction(tr("Kaliber …"), this);
    m_calibre->setObjectName(QStringLiteral("Kaliber"));
    m_photo = new QAction(tr("Foto einlesen …"), this);
    m_photo->setObjectName(QStringLiteral("FotoEinlesenBefehl"));

    connect(m_nextSeries, &QAction::triggered, this, &TargetWindow::beginNextSeries);
    connect(m_undo, &QAction::triggered, this, &TargetWindow::undoLastStep);
    connect(m_new, &QAction::triggered, this, &TargetWindow::startAgain);
    connect(m_recompute, &QAction::triggered, this, &TargetWindow::scoreAgain);
    connect(m_whiteShots, &QAction::triggered, this, &TargetWindow::toggleWhiteShots);
    connect(m_comment, &QAction::triggered, this, &TargetWindow::addComment);
    connect(m_start, &QAction::triggered, this, &TargetWindow::startStopwatch);
    connect(m_stop, &QAction::triggered, this, &TargetWindow::stopStopwatch);
    connect(m_save, &QAction::triggered, this, &TargetWindow::saveAsked);
    connect(m_rhythm, &QAction::triggered, this, &TargetWindow::askForRhythmAid);
    connect(m_showDiary, &QAction::triggered, this, &TargetWindow::diaryRequested);
    connect(m_calibre, &QAction::triggered, this, &TargetWindow::chooseCalibre);
    connect(m_photo, &QAction::triggered, this, &TargetWindow::readPhoto);
}

QAction* TargetWindow::addCommand(const QString& name, const QString& caption,
                                  const QString& menuCaption, QKeySequence::StandardKey key) {
    return makeCommand(addButton(name, caption), menuCaption, key);
}

void TargetWindow::buildAnalysisPanel() {
    m_analysisPanel = m_panels->makeAnalysisPanel(
        ratingOptions() != nullptr, m_dialogs, m_settings,
        [this] { return m_sheet.face().discipline(); }, [this] { refresh(); });
    m_analysisPanel->keepFolded(m_settings, objectName());
}

void TargetWindow::addAnalysisMenu(WindowMenuPlan& plan) const {
    plan.view.append(makeShowCommand(tr("Auswertung"), m_analysisPanel));
    plan.view.append(m_analysisPanel->clickValueCommand());
    plan.view.append(m_calibre);
}

void TargetWindow::chooseCalibre() {
    const TargetFace& face = m_sheet.face();
    const int discipline = face.discipline();
    if (!askCalibre(this, m_dialogs, m_settings, discipline, face.calibreMm(), m_sheet.locale()))
        return;
    m_sheet.setDiscipline(discipline, m_settings.calibreMm(discipline));
    seriesChanged();
}

void TargetWindow::readPhoto() {
    if (match().running()) {
        m_dialogs.messageBox(this, tr("Während eines Wettkampfs kann kein Foto "
                                      "eingelesen werden."));
        return;
    }
    if (const QString refused = m_intake->photoRefusal(); !refused.isEmpty()) {
        m_dialogs.messageBox(this, refused);
        return;
    }
    const QString path = m_dialogs.openFileName(this, tr("Bilder (*.jpg *.jpeg *.png *.bmp)"));
    if (path.isEmpty())
        return;
    const TargetFace& face = m_sheet.face();
    DisciplineInfo discipline = *disciplineInfo(face.discipline());
    discipline.calibreMm = face.calibreMm();
    // Decoding and analysing a phone's photo takes some tenths of a second:
    // on a worker thread, while the window goes on.
    auto import = std::make_shared<PhotoImport>();
    m_photo->setEnabled(false);
    setCursor(Qt::BusyCursor);
    background::run<std::optional<QString>>(
        this, [import, path, discipline](JobProgress&) { return import->read(path, discipline); },
        [this, import](std::optional<QString> problem) {
            unsetCursor();
            m_photo->setEnabled(true);
            if (problem)
                m_dialogs.messageBox(this, *problem);
            else
                showPhoto(std::make_unique<PhotoImport>(std::move(*import)));
        });
}

void TargetWindow::showPhoto(std::unique_ptr<PhotoImport> import) {
    delete m_photoWindow.data(); // one photo at a time
    auto* window = new FotoEinlesen(
        std::move(import), m_sheet.seriesLength(),
        [this](const QList<QPointF>& holes) { return enterPhotoHoles(holes); }, m_dialogs, this);
    connect(window, &QDialog::finished, window, &QObject::deleteLater);
    m_photoWindow = window;
    window->show();
}

std::optional<QString> TargetWindow::enterPhotoHoles(const QList<QPointF>& holesMm) {
    if (match().running())
        return tr("Während eines Wettkampfs kann kein Foto übernommen werden.");
    return m_intake->enterPhoto(holesMm);
}

void TargetWindow::showAnalysis() {
    const TargetFace& face = m_sheet.face();
    const RatingOptions* options = ratingOptions();
    int selected = m_sheet.selectedSeries();
    int listed = int(m_sheet.seriesList().size());
    if (m_sheet.concealsSelectedSeries()) {
        // The newest series keeps its hits hidden: no figure may give them away.
        selected = 0;
        --listed;
    }
    m_analysisPanel->showSeries(m_sheet.store(), selected, listed, face, options,
                                clickValue(m_settings, face.discipline()), m_sheet.locale(),
                                sighterSeriesOf(m_sheet.commentNotes(), listed));
}

void TargetWindow::chooseDiscipline(int index) {
    const std::optional<double> calibre = m_settings.calibreMm(index);
    TargetFace chosen;
    chosen.apply(index, calibre);
    const TargetFace& face = m_sheet.face();
    if (face.discipline() == index && face.calibreMm() == chosen.calibreMm())
        return;
    m_sheet.setDiscipline(index, calibre);
    seriesChanged();
}

void TargetWindow::selectSeries(int number) {
    m_sheet.selectSeries(number);
    refresh();
}

void TargetWindow::highlightShot(int row) {
    m_sheet.highlightShot(row);
    m_view->update();
}

void TargetWindow::clearShotHighlight() {
    m_sheet.clearHighlight();
    refresh();
}

void TargetWindow::beginNextSeries() {
    if (!m_sheet.nextSeries())
        m_dialogs.messageBox(this,
                             tr("%1 Bitte die Serien speichern und mit „Neu“ von vorn beginnen.")
                                 .arg(seriesLimitMessage()));
    seriesChanged();
}

void TargetWindow::undoLastStep() {
    if (!m_sheet.canUndo())
        return seriesChanged();
    const bool correction = m_sheet.document().lastEdit()->correction.has_value();
    m_undoStack->undo();
    for (SourcePanel* panel : std::as_const(m_sources))
        if (correction)
            panel->source().correctionTakenBack();
    seriesChanged();
}

// The stack holds a command for each edit the sheet keeps: new edits are
// pushed; when the sheet dropped edits without undo ("Neu", "Laden", a hit
// taken out again), the stack starts again from what it keeps.
void TargetWindow::followEdits() {
    const QList<SeriesEdit>& kept = m_sheet.document().keptEdits();
    if (kept.size() < m_undoStack->index())
        m_undoStack->clear();
    while (m_undoStack->index() < kept.size())
        m_undoStack->push(new EditCommand(m_sheet, kept.at(m_undoStack->index())));
}

void TargetWindow::startAgain() {
    if (!settleUnsavedSeries(tr("Änderungen speichern?")))
        return;
    abandonMatch();
    m_sheet.newSession();
    startNewTraining();
    seriesChanged();
}

void TargetWindow::scoreAgain() {
    m_sheet.recompute();
    refresh();
}

void TargetWindow::toggleWhiteShots() {
    m_sheet.toggleWhiteShots();
    m_view->update();
}

void TargetWindow::addComment() {
    // The comment follows the shots listed of the series shown.
    const int series = m_sheet.selectedSeries();
    const auto shot = int(m_sheet.shotList().size());
    const QString prompt = shot > 0 ? tr("Kommentar zu Serie %1, Schuss %2:").arg(series).arg(shot)
                                    : tr("Kommentar zu Serie %1:").arg(series);
    const std::optional<QString> text =
        m_dialogs.inputBox(this, prompt, tr("Kommentar zum Schuss"));
    // Abbrechen adds nothing; an empty comment with OK is a comment all the same.
    if (!text)
        return;
    m_sheet.addComment(*text);
    seriesChanged();
}

void TargetWindow::startStopwatch() {
    m_start->setEnabled(false);
    m_stop->setEnabled(true);
    m_stopButton->setFocus();
    m_sheet.startStopwatch();
}

void TargetWindow::stopStopwatch() {
    const QString caption = m_sheet.stopStopwatch();
    m_start->setEnabled(true);
    m_stop->setEnabled(false);
    m_stop->setIconText(caption);
    m_startButton->setFocus();
}

void TargetWindow::saveAsked() {
    saveSeries();
}

bool TargetWindow::saveSeries() {
    const QString proposed =
        proposedFileName(m_name->text(), m_services.clock.date(), m_sheet.locale());
    const QString path = m_dialogs.saveFileName(this, seriesFileFilter(), proposed);
    if (path.isEmpty())
        return false;
    if (const auto error = writeSeriesFile(path, m_sheet.fileContent(), fileStyle())) {
        m_dialogs.messageBox(this, *error);
        return false;
    }
    m_sheet.markSaved();
    return true;
}

bool TargetWindow::settleUnsavedSeries(const QString& question) {
    if (!m_sheet.modifiedSinceSave())
        return true;
    switch (m_dialogs.askToSave(this, question)) {
    case SaveChoice::Save:
        return saveSeries();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

WindowMenuPlan TargetWindow::menuPlan() {
    WindowMenuPlan plan;
    plan.file = {m_save, m_photo};
    plan.series = {m_nextSeries, m_undo,        m_new,         m_recompute,
                   m_matchStart, m_endSighting, m_startSeries, m_matchEnd};
    plan.view = {m_rhythm, m_showDiary};
    plan.settings = &m_settings;
    return plan;
}

void TargetWindow::askForRhythmAid() {
    Q_EMIT rhythmAidRequested();
}

bool TargetWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_panels->shotList() && event->type() == QEvent::FocusOut)
        clearShotHighlight();
    return QWidget::eventFilter(watched, event);
}

void TargetWindow::refresh() {
    showSheet();
}

void TargetWindow::seriesChanged() {
    showSheet();
    recordInDiary();
}

void TargetWindow::showSheet() {
    followEdits();
    m_panels->show(seriesFigures(m_sheet));
    m_panels->showDiscipline(m_sheet.face().discipline());
    m_panels->hint()->setText(firstShotHint());
    showMatch();
    setSignalColour(m_nextSeriesButton, m_sheet.nextSeriesSignal());
    m_undo->setEnabled(m_sheet.undoEnabled());
    m_recompute->setEnabled(m_sheet.recomputeEnabled());
    showAnalysis();
    m_view->update();
}

bool TargetWindow::syncDiary() {
    return !m_recorder || m_recorder->sync(m_sheet, shooterName(), ratingOptions());
}

// Entry goes on when the diary refuses; the shooter is told once for a run
// of refusals, and every later event tries again.
void TargetWindow::recordInDiary() {
    if (!m_recorder)
        return;
    if (const auto warning = m_recorder->syncOrWarn(m_sheet, shooterName(), ratingOptions()))
        m_dialogs.messageBox(this, *warning);
}

void TargetWindow::startNewTraining() {
    m_recorder->startOver(m_sheet);
}

void TargetWindow::finishDiary() {
    recordInDiary();
    m_recorder->finish();
}

std::optional<qint64> TargetWindow::diaryTraining() const {
    return m_recorder->trainingId();
}

int TargetWindow::restoreTraining(const diary::Training& training,
                                  const QList<diary::Series>& series) {
    // The stored positions belong to the training's discipline.
    if (QAbstractButton* discipline = m_discipline->button(training.discipline))
        discipline->setChecked(true);
    m_sheet.loadFileContent(diary::windowContent(training, series));
    m_sheet.markRestored();
    m_recorder->resume(training, m_sheet);
    // The calls of held hits were never entered: they go in without, and
    // leave the held ones in the same write.
    return m_intake->enterRecovered(training.heldHits);
}

void TargetWindow::paintMarks(QPainter& painter) {
    ankerblick::paintMarks(painter, shownMarks(m_sheet.hits()));
    paintGroupCrosses(painter);
}

std::array<Mark, kShotsPerSeries>
TargetWindow::shownMarks(const std::array<Mark, kShotsPerSeries>& marks) {
    std::array<Mark, kShotsPerSeries> shown = marks;
    const Mark* waiting = m_sheet.waitingMark();
    for (size_t i = 0; i < marks.size(); ++i)
        if (&marks[i] == waiting && !m_pointerOnTarget)
            shown[i].box.visible = false;
    return shown;
}

QString TargetWindow::firstShotHint() const {
    if (m_sheet.seriesCount() != 1 || m_sheet.store()[1].shotCount() > 0 || !m_sheet.accepting())
        return {};
    // The caption ends in "?" while a call is awaited, in "!" for a hit.
    if (m_sheet.caption().endsWith(u'?'))
        return tr("Klicken Sie, wo die Visierung beim Schuss stand (Ansage)");
    return tr("Klicken Sie, wo der Schuss getroffen hat");
}

void TargetWindow::paintGroupCrosses(QPainter& painter) {
    if (m_analysisPanel->crossesShown())
        ankerblick::paintGroupCrosses(painter, m_sheet.face(), m_analysisPanel->seriesFigures());
}

void TargetWindow::connectView() {
    const auto press = [this](Qt::MouseButton button) {
        m_sheet.mousePress(buttonOf(button));
    };
    connect(m_view, &TargetView::pointerMoved, this, [this](QPointF at) {
        m_pointerOnTarget = true;
        m_sheet.mouseMove(float(at.x()), float(at.y()));
        m_view->update();
    });
    connect(m_view, &TargetView::pointerLeft, this, [this] {
        m_pointerOnTarget = false;
        m_view->update();
    });
    connect(m_view, &TargetView::pointerPressed, this, press);
    // The second press of a double-click is a press like any other: a
    // double-click enters exactly its two clicks.
    connect(m_view, &TargetView::pointerDoubleClicked, this, press);
    connect(m_view, &TargetView::pointerReleased, this, [this](Qt::MouseButton button, QPointF at) {
        m_intake->pointerReleased(buttonOf(button), {float(at.x()), float(at.y())});
    });
}

} // namespace ankerblick

namespace ankerblick {

void TargetWindow::buildMatch() {
    m_matchStart = addCommand(QStringLiteral("Wettkampf"), tr("Wettkampf"), tr("Wettkampf …"));
    m_matchPanel = new MatchPanel(this);
    m_matchPanel->keepFolded(m_settings, objectName());
    m_endSighting = m_matchPanel->addCommand(QStringLiteral("ProbeBeenden"), tr("Probe beenden"));
    m_startSeries = m_matchPanel->addCommand(QStringLiteral("SerieStarten"), tr("Serie starten"));
    m_matchEnd =
        m_matchPanel->addCommand(QStringLiteral("WettkampfBeenden"), tr("Wettkampf beenden"));
    m_matchControl = new MatchController(m_sheet, m_services.clock, m_services.tones, this);
    connect(m_matchControl, &MatchController::seriesChanged, this, &TargetWindow::seriesChanged);
    connect(m_matchControl, &MatchController::ticked, this, &TargetWindow::showMatch);
    connect(m_matchControl, &MatchController::ended, this, &TargetWindow::finishMatch);
    connect(m_matchStart, &QAction::triggered, this, &TargetWindow::startMatch);
    connect(m_endSighting, &QAction::triggered, this, &TargetWindow::endSighting);
    connect(m_startSeries, &QAction::triggered, this, &TargetWindow::startTimedSeries);
    connect(m_matchEnd, &QAction::triggered, this, &TargetWindow::endMatch);
}

void TargetWindow::startMatch() {
    if (match().running() && !m_dialogs.yesNo(this, tr("Den laufenden Wettkampf beenden?")))
        return;
    // The programs of the face shown first; cancelling changes nothing.
    const int shown = m_sheet.face().discipline();
    QList<int> order;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < int(matchPrograms().size()); ++i)
            if ((matchPrograms().at(i).discipline == shown) == (pass == 0))
                order << i;
    QStringList names;
    for (int i : std::as_const(order))
        names << shownName(matchPrograms().at(i).name);
    const std::optional<int> chosen =
        m_dialogs.choice(this, tr("Programm:"), tr("Wettkampf"), names);
    if (!chosen || *chosen < 0 || *chosen >= names.size())
        return;
    if (!settleUnsavedSeries(tr("Änderungen speichern?")))
        return;
    if (match().running())
        finishMatch();
    const MatchProgram& program = matchPrograms().at(order.at(*chosen));
    m_matchControl->start(program, m_settings.calibreMm(program.discipline));
    startNewTraining();
    seriesChanged();
}

void TargetWindow::endSighting() {
    m_matchControl->endSighting();
    seriesChanged();
}

void TargetWindow::startTimedSeries() {
    // Told before "Achtung", once: the series runs without its commands.
    if (m_services.tones.takeNoOutputNotice())
        m_dialogs.messageBox(this, noSoundOutputMessage());
    m_matchControl->startSeries();
    seriesChanged();
}

void TargetWindow::endMatch() {
    if (!match().running())
        return;
    const int toGo = match().program().matchShots - match().figures(m_sheet).shots;
    if (toGo > 0 &&
        !m_dialogs.yesNo(this,
                         tr("Noch %1 von %2 Wettkampfschüssen offen. Den Wettkampf jetzt "
                            "beenden?")
                             .arg(toGo)
                             .arg(match().program().matchShots),
                         tr("Wettkampf beenden")))
        return;
    finishMatch();
}

void TargetWindow::abandonMatch() {
    m_matchControl->abandon();
}

void TargetWindow::finishMatch() {
    m_matchControl->end();
    if (!m_result)
        m_result = std::make_unique<MatchResultWindow>(m_dialogs, m_services.printers, this);
    m_result->showResult(
        match().result(m_sheet, shooterName(), m_services.clock.date(), ratingOptions(),
                       clickValue(m_settings, m_sheet.face().discipline()), m_sheet.locale()));
    seriesChanged();
}

void TargetWindow::showMatch() {
    if (!m_matchPanel)
        return;
    const Match& match = m_matchControl->match();
    const bool running = match.running();
    m_matchPanel->setVisible(running);
    m_endSighting->setEnabled(match.phase() == MatchPhase::Sighting);
    m_startSeries->setVisible(match.program().timed());
    m_startSeries->setEnabled(running && match.program().timed() && !match.seriesRunning());
    m_matchEnd->setEnabled(running);
    if (!running)
        return;
    const quint32 now = m_services.clock.milliseconds();
    const QString notice = m_matchControl->notice();
    m_matchPanel->showMatch(
        QStringLiteral("%1: %2").arg(shownName(match.program().name), match.statusText(now)),
        match.figuresText(m_sheet, m_sheet.locale()), match.nextPosition(m_sheet));
    m_matchPanel->showNotice(notice);
}

QRectF TargetWindow::groupBox() const {
    const SeriesRecord& rec = m_sheet.record();
    const double d = m_sheet.face().markDiameter();
    QRectF box;
    for (int slot = 0; slot < kShotsPerSeries; ++slot) {
        const auto s = size_t(slot);
        if (rec.hasShot(slot))
            box |= QRectF(rec.hitLeft[s], rec.hitTop[s], d, d);
        if (rec.hasShot(slot) && rec.hasCall(slot))
            box |= QRectF(rec.callLeft[s], rec.callTop[s], d, d);
    }
    return box;
}

// A sighting series carries the black corner of a sighting target.
void TargetWindow::paintSighterCorner(QPainter& painter) const {
    if (!m_sheet.isSighterSeries(m_sheet.selectedSeries()))
        return;
    const ShapeBox& card = m_sheet.face().wholeFace();
    const double right = double(card.left + card.width);
    const double top = double(card.top);
    const QPointF corner[] = {{right - 56.0, top}, {right, top}, {right, top + 56.0}};
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(corner, 3);
    painter.restore();
}

} // namespace ankerblick
