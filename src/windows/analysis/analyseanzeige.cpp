#include "analyseanzeige.h"

#include "features/printing/seriesprintjob.h"
#include "features/timeanalysis/valuetimeanalysis.h"
#include "files/shotnotes.h"
#include "services/services.h"
#include "services/settings.h"

#include "services/userdialogs.h"
#include "widgets/analysispanel.h"
#include "widgets/command.h"
#include "widgets/targetpainter.h"
#include "widgets/targetview.h"
#include "widgets/widgets.h"
#include "windows/shared/calibre.h"
#include "windows/shared/targetpanels.h"
#include "windows/shared/windowmemory.h"
#include "windows/shared/windowmenu.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QUrl>
#include <QVBoxLayout>

namespace ankerblick {

namespace {

QScrollBar* makeSizeBar(QWidget* parent, const QString& name) {
    auto* bar = named(new QScrollBar(Qt::Horizontal, parent), name);
    bar->setRange(AnalysisSheet::kMinShotSize, AnalysisSheet::kMaxShotSize);
    bar->setSingleStep(1);
    bar->setPageStep(5);
    bar->setFixedWidth(120);
    return bar;
}

// The files among the dropped items, in their order.
QStringList localFiles(const QMimeData* mime) {
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

} // namespace

AnalyseAnzeige::~AnalyseAnzeige() = default;

AnalyseAnzeige::AnalyseAnzeige(Services& services, std::shared_ptr<GraphWindow> graph)
    : QWidget(nullptr), m_sheet(QLocale()), m_graph(std::move(graph)), m_services(services),
      m_dialogs(services.dialogs), m_settings(services.settings) {
    setObjectName(QStringLiteral("AnalyseAnzeige"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setAcceptDrops(true);
    buildControls();
    loadKeptOptions();
    keepPlace(this, services.settings);
}

void AnalyseAnzeige::buildControls() {
    m_view = new TargetView(
        [this]() -> const TargetFace& { return m_sheet.face(); },
        [this](QPainter& painter, const QRect& area) { paintShots(painter, area); }, this);
    m_view->setGroupSource([this] {
        const double r = m_sheet.paintRadius();
        QRectF box;
        for (const PointF& c : m_sheet.shotCentres())
            box |= QRectF(c.x - r, c.y - r, 2.0 * r, 2.0 * r);
        return box;
    });
    m_panels = new TargetPanels(this, m_view, PanelStyle{56, 56, true});
    m_panels->hint()->hide(); // nothing is entered here
    m_name = m_panels->name();
    m_name->setAcceptDrops(false); // dropped files go to the window
    buildSizeBars();
    m_panels->buildLists();
    // Files of the main window hold calls: they are rated with the main
    // window's starting options (four sectors, one ring).
    m_analysisPanel = m_panels->makeAnalysisPanel(
        true, m_dialogs, m_settings, [this] { return m_sheet.face().discipline(); },
        [this] { refresh(); });
    m_analysisPanel->keepFolded(m_settings, objectName());
    m_panels->listsRow()->addWidget(m_analysisPanel, 1);

    m_panels->addCommentBox()->setAcceptDrops(false); // dropped files go to the window
    buildButtons();

    connect(m_name, &QLineEdit::textChanged, this, &AnalyseAnzeige::showShooterName);
    connect(m_panels, &TargetPanels::disciplineChosen, this, &AnalyseAnzeige::chooseDiscipline);
    connect(m_sizeAll, &QScrollBar::valueChanged, this, &AnalyseAnzeige::resizeAllShots);
    connect(m_sizeSeries, &QScrollBar::valueChanged, this, &AnalyseAnzeige::resizeSeriesShots);
    connect(m_panels, &TargetPanels::seriesChosen, this, &AnalyseAnzeige::selectSeries);
    // A click on the series already selected shows it again (after the
    // all-series view, for instance).
    QListWidget* series = m_panels->seriesList();
    connect(series, &QListWidget::itemClicked, this,
            [this, series](QListWidgetItem* item) { selectSeries(series->row(item) + 1); });
    connect(m_panels, &TargetPanels::shotChosen, this, &AnalyseAnzeige::highlightShot);
}

void AnalyseAnzeige::buildSizeBars() {
    QWidget* panel = m_panels->panel();
    auto* sizes = new QGridLayout;
    sizes->addWidget(makeCaption(panel, tr("Schussgrösse alles anzeigen:")), 0, 0, 1, 2);
    m_sizeAll = makeSizeBar(panel, QStringLiteral("ScrollTrefferRadiusAlle"));
    m_capSizeAll = makeStatusLabel(panel, QStringLiteral("CapScrollTrefferRadiusAlle"));
    sizes->addWidget(m_sizeAll, 1, 0);
    sizes->addWidget(m_capSizeAll, 1, 1);
    sizes->addWidget(makeCaption(panel, tr("Schussgrösse Seriendarstellung:")), 2, 0, 1, 2);
    m_sizeSeries = makeSizeBar(panel, QStringLiteral("ScrollTrefferRadiusSerie"));
    m_capSizeSeries = makeStatusLabel(panel, QStringLiteral("CapScrollTrefferRadiusSerie"));
    sizes->addWidget(m_sizeSeries, 3, 0);
    sizes->addWidget(m_capSizeSeries, 3, 1);
    sizes->setRowStretch(4, 1);
    m_panels->optionsRow()->addLayout(sizes);
    m_panels->optionsRow()->addStretch();
}

// "Drucken" (eight series a page) and "Schusszeit Analyse".
void AnalyseAnzeige::buildPrintingAndTimeAnalysis(QAction* print, QAction* timeAnalysis) {
    m_printJob = std::make_unique<SeriesPrintJob>(
        print::SeriesPageStyle::EightPerPage, m_services.printers, m_dialogs,
        SeriesPrintSource{[this](qint16 n) {
                              return print::seriesPrintData(m_sheet.store()[n], m_sheet.face(),
                                                            m_sheet.rulesOf(n));
                          },
                          [this] { return m_sheet.face(); }, [this] { return shooterName(); },
                          [this] { return clickValue(m_settings, m_sheet.face().discipline()); },
                          [this] {
                              return m_services.clock.dateTime();
                          }});
    connect(print, &QAction::triggered, this,
            [this] { m_printJob->openDialog(qint16(m_sheet.seriesCount()), this); });

    // The times of all loaded files follow one another; every series number
    // in them is a position in this window's combined series list.
    m_timeAnalysis = std::make_unique<ValueTimeAnalysis>(
        ValueTimeAnalysis::Variant::AnalysisWindow, m_dialogs,
        [this](bool handStopped) {
            return handStopped ? m_sheet.shotTimes() : m_sheet.shootingTimes();
        },
        [this](int series, int entry) {
            return listedShotValue(m_sheet.store(), m_sheet.seriesCount(), m_sheet.face(),
                                   m_sheet.rulesOf(series), series, entry);
        },
        this, m_graph);
    connect(timeAnalysis, &QAction::triggered, this,
            [this] { m_timeAnalysis->showTimeAnalysis(); });
}

void AnalyseAnzeige::buildButtons() {
    // Each button and the command it stands for (widgets/command.h).
    const auto addCommand = [this](const QString& name, const QString& caption,
                                   const QString& menuCaption = {},
                                   QKeySequence::StandardKey key = QKeySequence::UnknownKey) {
        return makeCommand(m_panels->addButton(name, caption), menuCaption, key);
    };
    QAction* load = addCommand(QStringLiteral("Laden"), tr("Laden"), {}, QKeySequence::Open);
    QAction* attach =
        addCommand(QStringLiteral("DateiAnschliessen"), tr("Zusätzliche Datei laden"));
    QAction* fresh = addCommand(QStringLiteral("Neu"), tr("Neu"));
    QAction* all = addCommand(QStringLiteral("AlleSerienAnzeigen"), tr("Alle Serien Anzeigen"));
    QAction* comments =
        addCommand(QStringLiteral("Kommentare_anzeigen"), tr("Kommentare anzeigen"));
    QAction* back = addCommand(QStringLiteral("Schusseingabe"), tr("Abkommens- eingabe öffnen"),
                               tr("Abkommenseingabe"));
    QAction* timeAnalysis =
        addCommand(QStringLiteral("Schusszeitanalyse"), tr("Schusszeit Analyse"));
    QAction* print = addCommand(QStringLiteral("Drucken"), tr("Drucken"), {}, QKeySequence::Print);
    auto* showDiary = new QAction(tr("Trainingstagebuch"), this);
    auto* calibre = new QAction(tr("Kaliber …"), this);
    calibre->setObjectName(QStringLiteral("Kaliber"));
    buildPrintingAndTimeAnalysis(print, timeAnalysis);

    connect(load, &QAction::triggered, this, &AnalyseAnzeige::openSeries);
    connect(attach, &QAction::triggered, this, &AnalyseAnzeige::appendFile);
    connect(fresh, &QAction::triggered, this, &AnalyseAnzeige::startAgain);
    connect(all, &QAction::triggered, this, &AnalyseAnzeige::showAllSeries);
    connect(comments, &QAction::triggered, this, &AnalyseAnzeige::toggleComments);
    connect(back, &QAction::triggered, this, &AnalyseAnzeige::leaveForShotEntry);
    connect(showDiary, &QAction::triggered, this, &AnalyseAnzeige::diaryRequested);
    connect(calibre, &QAction::triggered, this, &AnalyseAnzeige::chooseCalibre);

    auto* shotImport = new QAction(tr("Schüsse importieren …"), this);
    shotImport->setObjectName(QStringLiteral("SchuesseImportieren"));
    connect(shotImport, &QAction::triggered, this, &AnalyseAnzeige::shotImportRequested);
    WindowMenuPlan plan;
    plan.file = {load, attach, shotImport, print};
    plan.series = {fresh};
    plan.view = {back, makeShowCommand(tr("Auswertung"), m_analysisPanel),
                 m_analysisPanel->clickValueCommand(), calibre, showDiary};
    plan.quit = [this] {
        Q_EMIT quitRequested();
    };
    plan.settings = &m_settings;
    addWindowMenu(this, m_dialogs, plan);
}

void AnalyseAnzeige::loadKeptOptions() {
    m_sheet.load();
    const QString discipline = QStringLiteral("disziplin");
    const int kept = keptOption(this, m_panels->discipline(), discipline, m_services.settings, -1);
    const int shown = kept >= 0 ? kept : m_sheet.face().discipline();
    m_sheet.setDiscipline(shown, m_settings.calibreMm(shown));
    keepOption(this, m_panels->discipline(), discipline, m_services.settings);
    showShooterName();
    refresh();
}

void AnalyseAnzeige::setShooterName(const QString& schuetze) {
    m_name->setText(schuetze);
}

QString AnalyseAnzeige::shooterName() const {
    return m_name->text();
}

void AnalyseAnzeige::showShooterName() {
    setWindowTitle(tr("AnalyseAnzeige %1").arg(m_name->text()));
}

void AnalyseAnzeige::chooseDiscipline(int index) {
    if (m_sheet.setDiscipline(index, m_settings.calibreMm(index)))
        refresh();
}

void AnalyseAnzeige::chooseCalibre() {
    const TargetFace& face = m_sheet.face();
    const int discipline = face.discipline();
    if (askCalibre(this, m_dialogs, m_settings, discipline, face.calibreMm(), m_sheet.locale()) &&
        m_sheet.setDiscipline(discipline, m_settings.calibreMm(discipline)))
        refresh();
}

void AnalyseAnzeige::reportFailure(const std::optional<QString>& error) {
    if (error)
        m_dialogs.messageBox(this, *error);
}

void AnalyseAnzeige::openSeries() {
    const QString path = m_dialogs.openFileName(this, seriesFileFilter());
    if (path.isEmpty())
        return;
    const auto error = m_sheet.loadFile(path);
    refresh();
    reportFailure(error);
}

void AnalyseAnzeige::showSeries(const SeriesFileContent& content, int discipline, int shown) {
    if (QAbstractButton* option = m_panels->discipline()->button(discipline))
        option->setChecked(true);
    m_sheet.loadContent(content);
    if (shown > 1)
        m_sheet.selectSeries(shown);
    refresh();
}

void AnalyseAnzeige::appendFile() {
    const QString path = m_dialogs.openFileName(this, seriesFileFilter());
    if (path.isEmpty())
        return;
    const auto error = m_sheet.attachFile(path);
    refresh();
    reportFailure(error);
}

void AnalyseAnzeige::Form_OLEDragDrop(const QStringList& paths) {
    const auto error = m_sheet.attachFiles(paths);
    refresh();
    reportFailure(error);
}

void AnalyseAnzeige::startAgain() {
    m_sheet.newSession();
    refresh();
}

void AnalyseAnzeige::selectSeries(int number) {
    m_sheet.selectSeries(number);
    refresh();
}

void AnalyseAnzeige::highlightShot(int row) {
    m_sheet.chooseShot(row);
    m_view->update();
}

void AnalyseAnzeige::showAllSeries() {
    m_sheet.showAllSeries();
    refresh();
}

void AnalyseAnzeige::toggleComments() {
    m_dialogs.messageBox(this, shownComments(commentsFromText(m_sheet.comments())));
}

void AnalyseAnzeige::resizeAllShots(int value) {
    m_sheet.setAllSeriesSize(value);
    refresh();
}

void AnalyseAnzeige::resizeSeriesShots(int value) {
    m_sheet.setSeriesSize(value);
    refresh();
}

void AnalyseAnzeige::leaveForShotEntry() {
    hide();
    Q_EMIT left();
}

void AnalyseAnzeige::unload() {
    m_unloading = true;
    m_timeAnalysis->unloadGraphWindow();
    close();
}

void AnalyseAnzeige::closeEvent(QCloseEvent* event) {
    if (!m_unloading)
        Q_EMIT left();
    event->accept();
}

void AnalyseAnzeige::dragEnterEvent(QDragEnterEvent* event) {
    if (localFiles(event->mimeData()).isEmpty())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void AnalyseAnzeige::dragMoveEvent(QDragMoveEvent* event) {
    if (localFiles(event->mimeData()).isEmpty())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void AnalyseAnzeige::dropEvent(QDropEvent* event) {
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    Form_OLEDragDrop(paths);
}

void AnalyseAnzeige::refresh() {
    SeriesFigures figures = seriesFigures(m_sheet);
    figures.seriesRevision = m_sheet.seriesListRevision();
    figures.shotRevision = m_sheet.shotListRevision();
    m_panels->show(figures);
    {
        const QSignalBlocker blockAll(m_sizeAll);
        const QSignalBlocker blockSeries(m_sizeSeries);
        m_sizeAll->setValue(m_sheet.allSeriesSize());
        m_sizeSeries->setValue(m_sheet.seriesSize());
    }
    m_capSizeAll->setText(QString::number(m_sheet.allSeriesSize()));
    m_capSizeSeries->setText(QString::number(m_sheet.seriesSize()));
    m_panels->showDiscipline(m_sheet.face().discipline());
    m_panels->showComments(shownComments(commentsFromText(m_sheet.comments())));
    showAnalysis();
    m_view->update();
}

namespace {
const RatingOptions kFileRating{};
} // namespace

void AnalyseAnzeige::showAnalysis() {
    const TargetFace& face = m_sheet.face();
    const int selected = m_sheet.selectedSeries();
    const QList<ShotNote> comments = commentsFromText(m_sheet.comments());
    m_analysisPanel->showSeries(m_sheet.store(), selected, m_sheet.seriesCount(), face,
                                &kFileRating, clickValue(m_settings, face.discipline()),
                                m_sheet.locale(), sighterSeriesOf(comments, m_sheet.seriesCount()));
}

void AnalyseAnzeige::paintShots(QPainter& p, const QRect& repainted) {
    // Every shot of the painted series is drawn from the store on every paint;
    // discs outside the area being repainted are skipped. The discs are
    // stamped in pixels, the view's scale taken into their places and size.
    const double r = m_sheet.paintRadius();
    const QRectF area = QRectF(repainted).adjusted(-r - 1, -r - 1, r + 1, r + 1);
    const QTransform toPixels = p.transform();
    const qreal ratio = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    const double radius = r * toPixels.m11();
    const DiscStamp shot(radius, toQColor(kShotOutline), toQColor(kShotFill), ratio);
    p.save();
    p.resetTransform();
    for (const PointF& c : m_sheet.shotCentres()) {
        const QPointF centre(c.x, c.y);
        if (area.contains(centre))
            shot.draw(p, toPixels.map(centre));
    }
    if (const auto c = m_sheet.highlightedCentre()) {
        const DiscStamp highlight(radius, toQColor(kHighlightOutline), toQColor(kHighlightFill),
                                  ratio);
        highlight.draw(p, toPixels.map(QPointF(c->x, c->y)));
    }
    p.restore();
    if (m_analysisPanel->crossesShown())
        paintGroupCrosses(p, m_sheet.face(), m_analysisPanel->seriesFigures());
}

} // namespace ankerblick
