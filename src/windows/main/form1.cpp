#include "form1.h"

#include "features/club/clubserverdialog.h"
#include "services/club.h"
#include "services/settings.h"
#include "services/userdialogs.h"
#include "sheets/callingtraining.h"
#include "widgets/analysispanel.h"
#include "widgets/foldingbox.h"
#include "widgets/sourcepanel.h"
#include "widgets/targetpainter.h"
#include "widgets/widgets.h"
#include "windows/shared/matchpanel.h"
#include "windows/shared/windowmemory.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace ankerblick {

Form1::Form1(Services& services, QWidget* parent)
    : TargetWindow(m_aim, services, parent), m_aim(services.clock, QLocale()) {
    setObjectName(QStringLiteral("Form1"));
    buildControls();
    buildOptions();
    buildRatingFrame();
    buildTargetLink();
    optionsRow()->addStretch();
    sidePanel()->addWidget(analysisPanel());
    sidePanel()->addWidget(matchPanel());
    buildCallingTraining();
    m_comments = panels().addCommentBox();
    m_comments->hide();
    buildMenus();
    connectOptions();
    buildClubStatus();

    loadKeptOptions();
    keepPlace(this, windowServices().settings);
}

// The window's own commands, placed into the menus beside the shared ones.
void Form1::buildMenus() {
    QAction* toggleComments =
        addCommand(QStringLiteral("Kommentare_an_aus"), tr("Kommentare an/aus"));
    QAction* load = addCommand(QStringLiteral("Laden"), tr("Laden"), {}, QKeySequence::Open);
    QAction* analysis = addCommand(QStringLiteral("BtnAnalyseAnzeige"),
                                   tr("Analyse und Anzeige öffnen"), tr("Analyse und Anzeige"));
    QAction* shotEntry = addCommand(QStringLiteral("BtnSchusseingabe"),
                                    tr("Schuss- eingabe öffnen"), tr("Schusseingabe"));
    QAction* print = addCommand(QStringLiteral("Drucken"), tr("Drucken"), {}, QKeySequence::Print);
    connect(print, &QAction::triggered, this, &Form1::printRequested);
    connect(toggleComments, &QAction::triggered, this, &Form1::toggleComments);
    connect(shotEntry, &QAction::triggered, this, &Form1::shotEntryRequested);
    connect(load, &QAction::triggered, this, &Form1::openSeries);
    connect(addCommand(QStringLiteral("Schusszeitanalyse"), tr("Schusszeit analyse")),
            &QAction::triggered, this, &Form1::timeAnalysisRequested);
    connect(analysis, &QAction::triggered, this, &Form1::analysisRequested);
    auto* shotImport = new QAction(tr("Schüsse importieren …"), this);
    shotImport->setObjectName(QStringLiteral("SchuesseImportieren"));
    connect(shotImport, &QAction::triggered, this, &Form1::shotImportRequested);
    WindowMenuPlan plan = menuPlan();
    plan.series.append(m_callingTraining);
    plan.file.prepend(load);
    plan.file.append(shotImport);
    plan.file.append(print);
    plan.view.prepend(analysis);
    plan.view.prepend(shotEntry);
    addAnalysisMenu(plan);
    plan.quit = [this] {
        close();
    };
    addClubCommands(plan);
    addWindowMenu(this, dialogs(), plan);
}

// "Datei → Vereinsserver …" and "Ansicht → Trainer …", each only when its
// services are there.
void Form1::addClubCommands(WindowMenuPlan& plan) {
    if (windowServices().club && windowServices().keyring) {
        QAction* clubServer = new QAction(tr("Vereinsserver …"), this);
        clubServer->setObjectName(QStringLiteral("Vereinsserver"));
        connect(clubServer, &QAction::triggered, this, &Form1::showClubServer);
        plan.file.append(clubServer);
    }
    if (windowServices().club && windowServices().clubReader) {
        QAction* coach = new QAction(tr("Trainer …"), this);
        coach->setObjectName(QStringLiteral("Trainer"));
        connect(coach, &QAction::triggered, this, &Form1::coachViewRequested);
        plan.view.append(coach);
    }
}

// The option groups and the shooter's name take effect as they change.
void Form1::connectOptions() {
    connect(m_sectors, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            chooseSectors(id);
    });
    connect(m_ringAccuracy, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            chooseRingAccuracy(id);
    });
    connect(nameEdit(), &QLineEdit::textChanged, this, &Form1::showShooterName);
}

// The status bar says how the sync with the club's server stands; it shows
// only when a server is set.
void Form1::buildClubStatus() {
    ClubSync* club = windowServices().club;
    auto* grid = qobject_cast<QGridLayout*>(layout());
    if (!club || !grid)
        return;
    auto* bar = named(new QStatusBar(this), QStringLiteral("Statusleiste"));
    bar->setSizeGripEnabled(false);
    QLabel* status = makeStatusLabel(bar, QStringLiteral("VereinStatus"));
    bar->addWidget(status, 1);
    grid->addWidget(bar, 3, 0, 1, 2);
    const auto show = [club, bar, status] {
        const QString text = clubStatusText(club->state());
        status->setText(text);
        status->setToolTip(club->state().problem);
        bar->setVisible(!text.isEmpty());
    };
    connect(club, &ClubSync::stateChanged, status, show);
    show();
}

// "Datei → Vereinsserver …", one dialog at a time, not modal: entry goes on.
void Form1::showClubServer() {
    if (!m_clubServer) {
        m_clubServer = new ClubServerDialog(windowServices().settings, *windowServices().keyring,
                                            *windowServices().club, this);
        m_clubServer->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_clubServer->show();
    m_clubServer->raise();
    m_clubServer->activateWindow();
}

// The sources outside the window: while one delivers, the pointer enters the
// calls and the source the hits; a hit is shown once its call is in. The
// electronic target's controls go into its frame, the others beside it.
void Form1::buildTargetLink() {
    m_revealAfterSeries = named(new QCheckBox(tr("Treffer erst nach der Serie zeigen"), this),
                                QStringLiteral("TrefferNachSerie"));
    const QString option = QStringLiteral("trefferNachSerie");
    m_revealAfterSeries->setChecked(settings().option(objectName(), option, 2) == 1);
    m_aim.setRevealAfterSeries(m_revealAfterSeries->isChecked());
    connect(m_revealAfterSeries, &QCheckBox::toggled, this, [this, option](bool checked) {
        settings().setOption(objectName(), option, checked ? 1 : 0);
        m_aim.setRevealAfterSeries(checked);
        refresh();
    });
    auto* frame =
        named(new FoldingBox(tr("Elektronische Scheibe"), this), QStringLiteral("ScheibeFrame"));
    m_sourceColumn = new QVBoxLayout(frame->content());
    frame->keepFolded(settings(), objectName());
    m_sourceColumn->addWidget(m_revealAfterSeries);
    m_sourceColumn->addStretch();
    sourcesRow()->insertWidget(0, frame);
}

void Form1::placeSource(SourcePanel& panel) {
    if (panel.origin() == HitOrigin::Target) {
        m_sourceColumn->insertWidget(0, &panel.controls());
        return;
    }
    // Before the stretch that ends the row.
    sourcesRow()->insertWidget(sourcesRow()->count() - 1, &panel.controls());
}

void Form1::buildOptions() {
    auto* sectorFrame = named(new QGroupBox(tr("Sektoren"), this), QStringLiteral("SektorenFrame"));
    m_sectors = makeOptionGroup(sectorFrame, QStringLiteral("Sektoren"),
                                {QStringLiteral("4"), QStringLiteral("8")});
    optionsRow()->addWidget(sectorFrame);
    auto* ringFrame = named(new QGroupBox(tr("Ringe"), this), QStringLiteral("RingeFrame"));
    m_ringAccuracy = makeOptionGroup(ringFrame, QStringLiteral("Ringgenauigkeit"),
                                     {QLocale().toString(0.5), QStringLiteral("1")});
    optionsRow()->addWidget(ringFrame);
}

void Form1::buildRatingFrame() {
    auto* ratingFrame = named(new QGroupBox(tr("Ansagegenauigkeit:"), this),
                              QStringLiteral("AnsagegenauigkeitFrame"));
    auto* rating = new QGridLayout(ratingFrame);
    rating->addWidget(makeCaption(ratingFrame, tr("Ansage%:")), 0, 0, 1, 2);
    rating->addWidget(makeCaption(ratingFrame, tr("Sek*mm:")), 0, 2, 1, 2);
    m_scoreList = makeListBox(ratingFrame, QStringLiteral("AbweichungsListe"), 56);
    m_sekMmList = makeListBox(ratingFrame, QStringLiteral("AbweichungslisteSekMM"), 56);
    rating->addWidget(m_scoreList, 1, 0, 1, 2);
    rating->addWidget(m_sekMmList, 1, 2, 1, 2);
    rating->addWidget(makeCaption(ratingFrame, tr("Gesamt:")), 2, 0);
    m_scoreTotal = makeFigureBox(ratingFrame, QStringLiteral("AbweichungSchnittTxt"), 48);
    rating->addWidget(m_scoreTotal, 2, 1);
    rating->addWidget(makeCaption(ratingFrame, tr("Schnitt")), 2, 2);
    m_sekMmMean = makeFigureBox(ratingFrame, QStringLiteral("AbweichungSekMMSchnittTxt"), 64);
    rating->addWidget(m_sekMmMean, 2, 3);
    listsRow()->addWidget(ratingFrame);
    listsRow()->addStretch();
}

// "Ansagetraining …": a goal for the calls, the count of each series beside
// the target, the hits shown after the series.
void Form1::buildCallingTraining() {
    m_callingTraining = new QAction(tr("Ansagetraining …"), this);
    m_callingTraining->setObjectName(QStringLiteral("Ansagetraining"));
    connect(m_callingTraining, &QAction::triggered, this, &Form1::startCallingTraining);
    m_callingStatus = makeStatusLabel(this, QStringLiteral("AnsagetrainingStand"));
    m_callingStatus->setWordWrap(true);
    // Its lines are never squeezed: the side column scrolls instead.
    m_callingStatus->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    m_callingStatus->hide();
    // Under the caption of the shot to enter, where the shooter looks.
    auto* caption = findChild<QLabel*>(QStringLiteral("CapSchussNummer"));
    sidePanel()->insertWidget(caption ? sidePanel()->indexOf(caption) + 1 : -1, m_callingStatus);
}

// A new training with the goal chosen; cancelling changes nothing.
void Form1::startCallingTraining() {
    QStringList goals;
    for (int in = kShotsPerSeries; in >= kShotsPerSeries / 2; --in)
        goals << tr("%1 von %2 in der Ansage").arg(in).arg(kShotsPerSeries);
    const std::optional<int> chosen =
        dialogs().choice(this, tr("Ziel je Serie:"), tr("Ansagetraining"), goals);
    if (!chosen || *chosen < 0 || *chosen >= goals.size())
        return;
    if (!settleUnsavedSeries(tr("Änderungen speichern?")))
        return;
    abandonMatch();
    m_aim.newSession();
    m_aim.addCallingGoalMark({kShotsPerSeries - *chosen, kShotsPerSeries});
    m_revealAfterSeries->setChecked(true);
    startNewTraining();
    seriesChanged();
}

Form1::~Form1() = default;

// The shooter's name comes later, from the prompt the application shows.
void Form1::loadKeptOptions() {
    showShooterName();
    m_aim.load();
    chooseKeptOptions();
    refresh();
}

void Form1::setShooterName(const QString& schuetze) {
    nameEdit()->setText(schuetze);
    showShooterName();
}

void Form1::chooseKeptOptions() {
    // The option groups show what the sheet chose (or what was chosen last
    // time); their handlers run the same choices.
    const Settings& kept = windowServices().settings;
    const QString discipline = QStringLiteral("disziplin");
    const QString sectors = QStringLiteral("sektoren");
    const QString rings = QStringLiteral("ringe");
    disciplineButtons()
        ->button(keptOption(this, disciplineButtons(), discipline, kept, 0))
        ->setChecked(true);
    m_sectors->button(keptOption(this, m_sectors, sectors, kept, 0))->setChecked(true);
    m_ringAccuracy->button(keptOption(this, m_ringAccuracy, rings, kept, 1))->setChecked(true);
    keepOption(this, disciplineButtons(), discipline, windowServices().settings);
    keepOption(this, m_sectors, sectors, windowServices().settings);
    keepOption(this, m_ringAccuracy, rings, windowServices().settings);
}

void Form1::showShooterName() {
    setWindowTitle(QStringLiteral("Ankerblick ") + nameEdit()->text());
}

void Form1::chooseSectors(int index) {
    m_aim.setSectors(index);
}

void Form1::chooseRingAccuracy(int index) {
    m_aim.setRingAccuracy(index);
}

void Form1::toggleComments() {
    m_comments->setVisible(!m_comments->isVisible());
}

void Form1::openSeries() {
    if (!settleUnsavedSeries(tr("Änderungen speichern?")))
        return;
    const QString path = dialogs().openFileName(this, seriesFileFilter());
    if (!path.isEmpty())
        openSeriesFile(path);
}

void Form1::openSeriesFile(const QString& path) {
    const SeriesFileReadResult read = readSeriesFile(path, m_aim.locale());
    // What could be read is shown even when the file breaks off.
    if (!read.content.series.isEmpty()) {
        abandonMatch();
        m_aim.loadFileContent(read.content);
        // The file's series are kept in the file; the diary keeps what is
        // entered from now on.
        startNewTraining();
        seriesChanged();
    }
    if (read.error)
        dialogs().messageBox(this, *read.error);
}

void Form1::showSheet() {
    TargetWindow::showSheet();
    syncList(m_scoreList, m_aim.rating().scores);
    syncList(m_sekMmList, m_aim.rating().sekMm);
    syncText(m_scoreTotal, m_aim.rating().total);
    syncText(m_sekMmMean, m_aim.rating().mean);
    panels().showComments(m_aim.shownComments());
    const QString calling = calls::callingStatus(m_aim, m_aim.ratingOptions(), m_aim.locale());
    m_callingStatus->setText(calling);
    m_callingStatus->setVisible(!calling.isEmpty());
}

void Form1::paintMarks(QPainter& painter) {
    ankerblick::paintMarks(painter, shownMarks(m_aim.calls()));
    ankerblick::paintMarks(painter, shownMarks(m_aim.hits()));
    paintLines(painter, m_aim.lines(), QColor(0, 200, 0));
    paintGroupCrosses(painter);
}

} // namespace ankerblick
