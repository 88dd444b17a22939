#include "form1.h"

#include "features/diary/diarywindow.h"
#include "features/printing/seriesprintjob.h"
#include "features/rhythm/rhythmustrainingshilfeform.h"
#include "features/targetlink/targetlinkpanel.h"
#include "features/timeanalysis/valuetimeanalysis.h"
#include "model/seriesvalues.h"
#include "platform/diary.h"
#include "platform/settings.h"
#include "platform/userdialogs.h"
#include "sheets/diaryseries.h"
#include "widgets/analysispanel.h"
#include "widgets/targetpainter.h"
#include "widgets/widgets.h"
#include "windows/analysis/analyseanzeige.h"
#include "windows/entry/schusseingabe.h"
#include "windows/shared/windowmemory.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <map>

namespace ankerblick {

Form1::Form1(Services& services, const StartOptions& start, QWidget* parent)
    : TargetWindow(m_aim, services, parent), m_aim(services.clock, QLocale()), m_start(start) {
    setObjectName(QStringLiteral("Form1"));
    // The name prompt is the first window: asked before the window is built,
    // it does not wait for that.
    const std::optional<QString> asked = askName();
    buildControls(true);
    buildOptions();
    buildRatingFrame();
    buildTargetLink();
    optionsRow()->addStretch();
    sidePanel()->addWidget(analysisPanel());
    m_comments = m_panels->addCommentBox();
    m_comments->hide();

    auto* toggleComments =
        addButton(QStringLiteral("Kommentare_an_aus"), QStringLiteral("Kommentare an/aus"));
    auto* load = addButton(QStringLiteral("Laden"), QStringLiteral("Laden"));
    auto* analysis = addButton(QStringLiteral("BtnAnalyseAnzeige"),
                               QStringLiteral("Analyse und Anzeige öffnen"));
    auto* shotEntry =
        addButton(QStringLiteral("BtnSchusseingabe"), QStringLiteral("Schuss- eingabe öffnen"));
    auto* print = addButton(QStringLiteral("Drucken"), QStringLiteral("Drucken"));
    buildPrinting(print);

    connect(m_sectors, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Sektoren_Click(id);
    });
    connect(m_ringAccuracy, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Ringgenauigkeit_Click(id);
    });
    connect(m_name, &QLineEdit::textChanged, this, &Form1::SchuetzenName_Change);
    connect(toggleComments, &QPushButton::clicked, this, &Form1::Kommentare_an_aus_Click);
    connect(shotEntry, &QPushButton::clicked, this, &Form1::BtnSchusseingabe_Click);
    connect(load, &QPushButton::clicked, this, &Form1::Laden_Click);
    buildTimeAnalysis();
    connect(analysis, &QPushButton::clicked, this, &Form1::BtnAnalyseAnzeige_Click);
    WindowMenuPlan plan = menuPlan();
    plan.file.prepend({QStringLiteral("Laden"), load, QKeySequence::Open});
    plan.file.append({QStringLiteral("Drucken"), print, QKeySequence::Print});
    plan.view.prepend({QStringLiteral("Analyse und Anzeige"), analysis});
    plan.view.prepend({QStringLiteral("Schusseingabe"), shotEntry});
    addAnalysisMenu(plan);
    plan.quit = [this] {
        close();
    };
    addWindowMenu(this, m_dialogs, plan);
    m_rhythmWindow =
        std::make_unique<RhythmWindow>(m_services.tones, m_dialogs, m_services.settings);
    connect(this, &TargetWindow::rhythmAidRequested, this, [this] { m_rhythmWindow->show(); });

    connect(this, &TargetWindow::diaryRequested, this, &Form1::showDiary);

    Form_Load(asked);
    keepPlace(this, m_services.settings);
    if (m_nameDeclined)
        return; // the program ends before it begins
    if (const QString notice = m_services.diary.openingNotice(); !notice.isEmpty())
        m_dialogs.messageBox(this, notice);
    offerRecovery();
    if (!m_start.file.isEmpty() && settleUnsavedSeries(QStringLiteral("Änderungen speichern?")))
        openSeriesFile(m_start.file);
}

// "Drucken": four series a page, with the calls rated as the lists rate them.
void Form1::buildPrinting(QPushButton* print) {
    m_printJob = std::make_unique<SeriesPrintJob>(
        print::SeriesPageStyle::FourPerPage, m_services.printers, m_dialogs,
        SeriesPrintSource{[this](qint16 n) {
                              return print::seriesPrintData(m_aim.store()[n], m_aim.face(),
                                                            m_aim.locale(), &m_aim.ratingOptions());
                          },
                          [this] { return m_aim.face(); }, [this] { return shooterName(); },
                          [this] {
                              return clickValue(m_settings, m_aim.face().discipline());
                          }});
    connect(print, &QPushButton::clicked, this,
            [this] { m_printJob->openDialog(qint16(m_aim.seriesList().size()), this); });
}

// "Schusszeit analyse" and the graph window it shares with the analysis window.
void Form1::buildTimeAnalysis() {
    m_graph = std::make_shared<GraphWindow>();
    m_timeAnalysis = std::make_unique<ValueTimeAnalysis>(
        ValueTimeAnalysis::Variant::MainWindow, m_dialogs,
        [this](bool handStopped) {
            return handStopped ? m_aim.times().shotTimesText() : m_aim.times().shootingTimesText();
        },
        [this](int series, int entry) {
            return listedShotValue(m_aim.store(), int(m_aim.seriesList().size()), m_aim.face(),
                                   series, entry);
        },
        this, m_graph);
    connect(addButton(QStringLiteral("Schusszeitanalyse"), QStringLiteral("Schusszeit analyse")),
            &QPushButton::clicked, this, [this] { m_timeAnalysis->Schusszeitanalyse_Click(); });
}

namespace {

// What became of the hits still held when polling ended.
QString heldHitsText(int placed) {
    if (placed == 0)
        return {};
    if (placed == 1)
        return QStringLiteral("Ein Treffer der Scheibe hatte noch keine Ansage; er wurde ohne "
                              "Ansage eingetragen (Bewertung „–“).");
    return QStringLiteral("%1 Treffer der Scheibe hatten noch keine Ansage; sie wurden ohne "
                          "Ansage eingetragen (Bewertung „–“).")
        .arg(placed);
}

} // namespace

// The electronic target: while it is polled the pointer enters the calls and
// the target the hits; a hit is shown once its call is in.
void Form1::buildTargetLink() {
    m_link = new TargetLinkPanel(m_dialogs, m_settings, m_services.serialPorts(),
                                 m_services.extraSerialPorts, this);
    m_link->link().setTarget(
        [this] {
            return TargetGeometry{m_aim.face().centre(), m_aim.face().scale()};
        },
        [this](PointF hit) {
            return storeTargetHit(m_aim, [&] { return m_aim.receiveTargetHit(hit.x, hit.y); });
        },
        [this] {
            const int placed = m_aim.setPolling(false);
            refresh();
            return heldHitsText(placed);
        });
    connect(m_link, &TargetLinkPanel::linkStateChanged, this, [this] {
        m_aim.setPolling(m_link->isPolling());
        refresh();
    });
    m_revealAfterSeries =
        named(new QCheckBox(QStringLiteral("Treffer erst nach der Serie zeigen"), this),
              QStringLiteral("TrefferNachSerie"));
    const QString option = QStringLiteral("trefferNachSerie");
    m_revealAfterSeries->setChecked(m_settings.option(objectName(), option, 2) == 1);
    m_aim.setRevealAfterSeries(m_revealAfterSeries->isChecked());
    connect(m_revealAfterSeries, &QCheckBox::toggled, this, [this, option](bool checked) {
        m_settings.setOption(objectName(), option, checked ? 1 : 0);
        m_aim.setRevealAfterSeries(checked);
        refresh();
    });
    auto* frame = named(new QGroupBox(QStringLiteral("Elektronische Scheibe"), this),
                        QStringLiteral("ScheibeFrame"));
    auto* column = new QVBoxLayout(frame);
    column->addWidget(m_link);
    column->addWidget(m_revealAfterSeries);
    column->addStretch();
    optionsRow()->addWidget(frame);
}

void Form1::buildOptions() {
    auto* sectorFrame =
        named(new QGroupBox(QStringLiteral("Sektoren"), this), QStringLiteral("SektorenFrame"));
    m_sectors = makeOptionGroup(sectorFrame, QStringLiteral("Sektoren"),
                                {QStringLiteral("4"), QStringLiteral("8")});
    optionsRow()->addWidget(sectorFrame);
    auto* ringFrame =
        named(new QGroupBox(QStringLiteral("Ringe"), this), QStringLiteral("RingeFrame"));
    m_ringAccuracy = makeOptionGroup(ringFrame, QStringLiteral("Ringgenauigkeit"),
                                     {QStringLiteral("0,5"), QStringLiteral("1")});
    optionsRow()->addWidget(ringFrame);
}

void Form1::buildRatingFrame() {
    auto* ratingFrame = named(new QGroupBox(QStringLiteral("Ansagegenauigkeit:"), this),
                              QStringLiteral("AnsagegenauigkeitFrame"));
    auto* rating = new QGridLayout(ratingFrame);
    rating->addWidget(makeCaption(ratingFrame, QStringLiteral("Ansage%:")), 0, 0, 1, 2);
    rating->addWidget(makeCaption(ratingFrame, QStringLiteral("Sek*mm:")), 0, 2, 1, 2);
    m_scoreList = makeListBox(ratingFrame, QStringLiteral("AbweichungsListe"), 56);
    m_sekMmList = makeListBox(ratingFrame, QStringLiteral("AbweichungslisteSekMM"), 56);
    rating->addWidget(m_scoreList, 1, 0, 1, 2);
    rating->addWidget(m_sekMmList, 1, 2, 1, 2);
    rating->addWidget(makeCaption(ratingFrame, QStringLiteral("Gesamt:")), 2, 0);
    m_scoreTotal = makeFigureBox(ratingFrame, QStringLiteral("AbweichungSchnittTxt"), 48);
    rating->addWidget(m_scoreTotal, 2, 1);
    rating->addWidget(makeCaption(ratingFrame, QStringLiteral("Schnitt")), 2, 2);
    m_sekMmMean = makeFigureBox(ratingFrame, QStringLiteral("AbweichungSekMMSchnittTxt"), 64);
    rating->addWidget(m_sekMmMean, 2, 3);
    listsRow()->addWidget(ratingFrame);
    listsRow()->addStretch();
}

Form1::~Form1() = default;

void Form1::Form_Load(const std::optional<QString>& asked) {
    m_nameDeclined = !asked;
    const QString name = asked.value_or(QString());
    if (asked)
        m_services.settings.setLastShooter(name.trimmed());
    m_name->setText(name);
    SchuetzenName_Change();

    m_aim.load();
    chooseKeptOptions();
    refresh();
}

std::optional<QString> Form1::askName() {
    if (!m_start.name.isEmpty())
        return m_start.name;
    // The last shooter's name is offered; leaving the prompt ends the program.
    const QString last = m_services.settings.lastShooter();
    std::optional<QString> name =
        m_dialogs.inputBox(this, QStringLiteral("Bitte Name eingeben:"), QString(), last);
    while (name && name->trimmed().isEmpty())
        name = m_dialogs.inputBox(this,
                                  QStringLiteral("Ohne Name geht nix. Also bitte Namen eingeben:"),
                                  QString(), last);
    return name;
}

void Form1::chooseKeptOptions() {
    // The option groups show what the sheet chose (or what was chosen last
    // time); their handlers run the same choices.
    const Settings& kept = m_services.settings;
    const QString discipline = QStringLiteral("disziplin");
    const QString sectors = QStringLiteral("sektoren");
    const QString rings = QStringLiteral("ringe");
    m_discipline->button(keptOption(this, m_discipline, discipline, kept, 0))->setChecked(true);
    m_sectors->button(keptOption(this, m_sectors, sectors, kept, 0))->setChecked(true);
    m_ringAccuracy->button(keptOption(this, m_ringAccuracy, rings, kept, 1))->setChecked(true);
    keepOption(this, m_discipline, discipline, m_services.settings);
    keepOption(this, m_sectors, sectors, m_services.settings);
    keepOption(this, m_ringAccuracy, rings, m_services.settings);
}

void Form1::SchuetzenName_Change() {
    setWindowTitle(QStringLiteral("Ankerblick ") + m_name->text());
}

void Form1::Sektoren_Click(int index) {
    m_aim.setSectors(index);
}

void Form1::Ringgenauigkeit_Click(int index) {
    m_aim.setRingAccuracy(index);
}

void Form1::Kommentare_an_aus_Click() {
    m_comments->setVisible(!m_comments->isVisible());
}

Schusseingabe& Form1::shotEntry() {
    if (!m_shotEntry) {
        m_shotEntry = std::make_unique<Schusseingabe>(m_services, this);
        connect(m_shotEntry.get(), &TargetWindow::rhythmAidRequested, this,
                [this] { m_rhythmWindow->show(); });
        connect(m_shotEntry.get(), &TargetWindow::diaryRequested, this, &Form1::showDiary);
    }
    return *m_shotEntry;
}

void Form1::BtnSchusseingabe_Click() {
    shotEntry().show();
    m_shotEntry->NameSetzen(m_name->text());
    hide();
}

void Form1::BtnAnalyseAnzeige_Click() {
    if (!m_analysis) {
        m_analysis = std::make_unique<AnalyseAnzeige>(m_services, this, m_graph);
        connect(m_analysis.get(), &AnalyseAnzeige::diaryRequested, this, &Form1::showDiary);
    }
    m_analysis->show();
    m_analysis->NameSetzen(m_name->text());
    hide();
}

void Form1::Laden_Click() {
    if (!settleUnsavedSeries(QStringLiteral("Änderungen speichern?")))
        return;
    const QString path = m_dialogs.openFileName(this, seriesFileFilter());
    if (!path.isEmpty())
        openSeriesFile(path);
}

void Form1::openSeriesFile(const QString& path) {
    const SeriesFileReadResult read = readSeriesFile(path, m_aim.locale());
    // What could be read is shown even when the file breaks off.
    if (!read.content.series.isEmpty()) {
        m_aim.loadFileContent(read.content);
        // The file's series are kept in the file; the diary keeps what is
        // entered from now on.
        startNewTraining();
        refresh();
    }
    if (read.error)
        m_dialogs.messageBox(this, *read.error);
}

void Form1::showSheet() {
    TargetWindow::showSheet();
    syncList(m_scoreList, m_aim.rating().scores);
    syncList(m_sekMmList, m_aim.rating().sekMm);
    syncText(m_scoreTotal, m_aim.rating().total);
    syncText(m_sekMmMean, m_aim.rating().mean);
    m_panels->showComments(m_aim.comments());
}

void Form1::paintMarks(QPainter& painter) {
    ankerblick::paintMarks(painter, m_aim.calls());
    ankerblick::paintMarks(painter, m_aim.hits());
    paintLines(painter, m_aim.lines(), QColor(0, 200, 0));
    paintGroupCrosses(painter);
}

void Form1::closeEvent(QCloseEvent* event) {
    // Hits the target reported are entered before anything is settled.
    m_link->stopPolling();
    // Closing the start-up window ends the program: the other windows go with it,
    // once the series entered in this window and the shot-entry window are settled.
    if (!settleUnsavedSeries(QStringLiteral("Änderungen speichern?")) ||
        (m_shotEntry && !m_shotEntry->settleUnsavedSeries(
                            QStringLiteral("Änderungen in der Schusseingabe speichern?")))) {
        event->ignore();
        return;
    }
    finishDiary();
    if (m_diaryWindow)
        m_diaryWindow->close();
    if (m_analysis)
        m_analysis->unload();
    if (m_shotEntry)
        m_shotEntry->unload();
    m_rhythmWindow->unload();
    m_timeAnalysis->unloadGraphWindow();
    m_link->shutdown();
    event->accept();
}

// "Trainingstagebuch": one window for the program, shown from every window.
void Form1::showDiary() {
    if (!m_diaryWindow) {
        m_diaryWindow =
            std::make_unique<DiaryWindow>(m_services.diary, m_dialogs, m_services.printers);
        m_diaryWindow->setAttribute(Qt::WA_QuitOnClose, false);
        connect(m_diaryWindow.get(), &DiaryWindow::openTrainingRequested, this,
                &Form1::openTrainingInAnalysis);
    } else {
        // A new window has just read the diary; one shown before reads it again.
        m_diaryWindow->refresh();
    }
    m_diaryWindow->show();
    m_diaryWindow->raise();
    m_diaryWindow->activateWindow();
}

void Form1::openTrainingInAnalysis(qint64 training) {
    const std::optional<diary::Training> t = m_services.diary.training(training);
    if (!t)
        return;
    BtnAnalyseAnzeige_Click();
    m_analysis->NameSetzen(t->shooter);
    m_analysis->showSeries(diary::windowContent(*t, m_services.diary.seriesOf(training)),
                           t->discipline);
}

// A training the program could not end (it was killed or crashed) comes
// back into the window it came from, when the shooter wants it.
void Form1::offerRecovery() {
    const QList<diary::Training> open = m_services.diary.unfinishedTrainings();
    if (open.isEmpty())
        return;
    const bool restore = m_dialogs.yesNo(
        this, QStringLiteral("Die letzte Sitzung wurde nicht beendet. Wiederherstellen?"));
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
        if (!restore || newest[t.window].id != t.id || (!entry && t.window != objectName())) {
            endTraining(t);
            continue;
        }
        TargetWindow& window = entry ? static_cast<TargetWindow&>(shotEntry()) : *this;
        heldHits += window.restoreTraining(t, m_services.diary.seriesOf(t.id));
        m_shotEntryRestored = m_shotEntryRestored || entry;
        if (!t.shooter.isEmpty())
            m_name->setText(t.shooter);
    }
    if (heldHits > 0)
        m_dialogs.messageBox(this, heldHitsText(heldHits));
}

void Form1::showFirstWindow() {
    if (m_shotEntryRestored)
        BtnSchusseingabe_Click();
    else
        show();
}

// Ends a training that is not restored, at the time of its last series.
void Form1::endTraining(diary::Training training) {
    QDateTime last = training.start;
    for (const diary::Series& s : m_services.diary.seriesOf(training.id))
        last = std::max(last, s.time);
    training.end = last;
    m_services.diary.updateTraining(training);
}

} // namespace ankerblick
