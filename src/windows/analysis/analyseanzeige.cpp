#include "analyseanzeige.h"

#include "model/seriesvalues.h"
#include "platform/services.h"
#include "features/printing/seriesprintjob.h"
#include "features/timeanalysis/valuetimeanalysis.h"

#include "platform/userdialogs.h"
#include "widgets/targetpainter.h"
#include "windows/shared/targetwindow.h"
#include "widgets/widgets.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QUrl>
#include <QVBoxLayout>

namespace ankerblick {

namespace {

QLabel* caption(QWidget* parent, const QString& text) {
    return new QLabel(text, parent);
}

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

QString withLineFeeds(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

AnalyseAnzeige::~AnalyseAnzeige() = default;

AnalyseAnzeige::AnalyseAnzeige(Services& services, QWidget* returnTo)
    : QWidget(nullptr), m_sheet(QLocale()), m_services(services), m_dialogs(services.dialogs),
      m_returnTo(returnTo) {
    setObjectName(QStringLiteral("AnalyseAnzeige"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setAcceptDrops(true);
    buildControls();
    Form_Load();
}

void AnalyseAnzeige::buildControls() {
    // The target takes the top left of the client area at drawing units =
    // pixels, as in the two entry windows; the controls stand beside and below.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 12, 12);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->addItem(new QSpacerItem(TargetWindow::kSurfaceWidth, TargetWindow::kSurfaceHeight,
                                  QSizePolicy::Fixed, QSizePolicy::Fixed),
                  0, 0);

    auto* panel = new QWidget(this);
    auto* side = new QVBoxLayout(panel);
    side->setContentsMargins(0, 12, 0, 0);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(caption(panel, QStringLiteral("Schütze:")));
    m_name = named(new QLineEdit(panel), QStringLiteral("SchuetzenName"));
    m_name->setAcceptDrops(false); // dropped files go to the window
    nameRow->addWidget(m_name, 1);
    side->addLayout(nameRow);

    m_capShotNumber = makeStatusLabel(panel, QStringLiteral("CapSchussNummer"));
    QFont big = m_capShotNumber->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_capShotNumber->setFont(big);
    side->addWidget(m_capShotNumber);

    auto* optionsRow = new QHBoxLayout;
    auto* disciplineFrame =
        named(new QGroupBox(QStringLiteral("Disziplin"), panel), QStringLiteral("DisziplinFrame"));
    QStringList disciplines;
    for (int i = 0; i < kDisciplineCount; ++i)
        disciplines << disciplineCaption(i);
    m_discipline = makeOptionGroup(disciplineFrame, QStringLiteral("Disziplin"), disciplines);
    optionsRow->addWidget(disciplineFrame);

    auto* sizes = new QGridLayout;
    sizes->addWidget(caption(panel, QStringLiteral("Schussgrösse alles anzeigen:")), 0, 0, 1, 2);
    m_sizeAll = makeSizeBar(panel, QStringLiteral("ScrollTrefferRadiusAlle"));
    m_capSizeAll = makeStatusLabel(panel, QStringLiteral("CapScrollTrefferRadiusAlle"));
    sizes->addWidget(m_sizeAll, 1, 0);
    sizes->addWidget(m_capSizeAll, 1, 1);
    sizes->addWidget(caption(panel, QStringLiteral("Schussgrösse Seriendarstellung:")), 2, 0, 1, 2);
    m_sizeSeries = makeSizeBar(panel, QStringLiteral("ScrollTrefferRadiusSerie"));
    m_capSizeSeries = makeStatusLabel(panel, QStringLiteral("CapScrollTrefferRadiusSerie"));
    sizes->addWidget(m_sizeSeries, 3, 0);
    sizes->addWidget(m_capSizeSeries, 3, 1);
    sizes->setRowStretch(4, 1);
    optionsRow->addLayout(sizes);
    optionsRow->addStretch();
    side->addLayout(optionsRow);

    auto* shots = new QGridLayout;
    shots->addWidget(caption(panel, QStringLiteral("Serie")), 0, 0);
    shots->addWidget(caption(panel, QStringLiteral("Schuss")), 0, 1);
    shots->addWidget(caption(panel, QStringLiteral("Wert")), 0, 2);
    m_seriesList = makeListBox(panel, QStringLiteral("SerienListe"), 56);
    m_shotList = makeListBox(panel, QStringLiteral("SchussListe"), 56);
    m_valueList = makeListBox(panel, QStringLiteral("Schusswert"), 56);
    for (QListWidget* list : {m_seriesList, m_shotList}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setFocusPolicy(Qt::StrongFocus);
    }
    // Lists of many thousand entries stay quick to fill and scroll.
    for (QListWidget* list : {m_seriesList, m_shotList, m_valueList})
        list->setUniformItemSizes(true);
    shots->addWidget(m_seriesList, 1, 0);
    shots->addWidget(m_shotList, 1, 1);
    shots->addWidget(m_valueList, 1, 2);
    shots->addWidget(caption(panel, QStringLiteral("Summe:")), 2, 0, 1, 2, Qt::AlignRight);
    m_seriesSum = makeFigureBox(panel, QStringLiteral("SerienSumme"), 56);
    shots->addWidget(m_seriesSum, 2, 2);
    shots->addWidget(caption(panel, QStringLiteral("Zehntel:")), 3, 0, 1, 2, Qt::AlignRight);
    m_seriesSumTenths = makeFigureBox(panel, QStringLiteral("SerienSummeZehntel"), 56);
    shots->addWidget(m_seriesSumTenths, 3, 2);
    auto* listsRow = new QHBoxLayout;
    listsRow->addLayout(shots);
    listsRow->addStretch();
    side->addLayout(listsRow);

    m_comments = named(new QPlainTextEdit(panel), QStringLiteral("Kommentaretxt"));
    m_comments->setReadOnly(true);
    m_comments->setAcceptDrops(false); // dropped files go to the window
    m_comments->setMaximumHeight(90);
    side->addWidget(m_comments);
    side->addStretch();
    grid->addWidget(panel, 0, 1);

    auto* buttons = new QGridLayout;
    buttons->setContentsMargins(16, 0, 0, 0);
    grid->addLayout(buttons, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    int count = 0;
    const auto addButton = [&](const QString& name, const QString& text) {
        auto* b = makeButton(this, name, text);
        b->setMinimumHeight(30);
        buttons->addWidget(b, count / 8, count % 8);
        ++count;
        return b;
    };
    auto* load = addButton(QStringLiteral("Laden"), QStringLiteral("Laden"));
    auto* attach =
        addButton(QStringLiteral("DateiAnschliessen"), QStringLiteral("Zusätzliche Datei laden"));
    auto* fresh = addButton(QStringLiteral("Neu"), QStringLiteral("Neu"));
    auto* all =
        addButton(QStringLiteral("AlleSerienAnzeigen"), QStringLiteral("Alle Serien Anzeigen"));
    auto* comments =
        addButton(QStringLiteral("Kommentare_anzeigen"), QStringLiteral("Kommentare anzeigen"));
    auto* back =
        addButton(QStringLiteral("Schusseingabe"), QStringLiteral("Abkommens- eingabe öffnen"));
    auto* timeAnalysis =
        addButton(QStringLiteral("Schusszeitanalyse"), QStringLiteral("Schusszeit Analyse"));
    auto* print = addButton(QStringLiteral("Drucken"), QStringLiteral("Drucken"));
    m_printJob = std::make_unique<SeriesPrintJob>(
        print::SeriesPageStyle::EightPerPage, m_services.printers, m_dialogs,
        SeriesPrintSource{[this](qint16 n) {
                              return print::seriesPrintData(m_sheet.store()[n], m_sheet.face(),
                                                            m_sheet.locale());
                          },
                          [this] { return m_sheet.face(); },
                          [this] {
                              return shooterName();
                          }});
    connect(print, &QPushButton::clicked, this,
            [this] { m_printJob->openDialog(qint16(m_sheet.seriesCount()), this); });

    // The times of all loaded files follow one another; every series number
    // in them is a position in this window's combined series list.
    m_timeAnalysis = std::make_unique<ValueTimeAnalysis>(
        ValueTimeAnalysis::Variant::AnalysisWindow, m_dialogs,
        [this](bool handStopped) {
            return handStopped ? m_sheet.shotTimes() : m_sheet.shootingTimes();
        },
        [this](int series, int entry) {
            return listedShotValue(m_sheet.store(), m_sheet.seriesCount(), m_sheet.face(), series,
                                   entry);
        },
        this);
    connect(timeAnalysis, &QPushButton::clicked, this,
            [this] { m_timeAnalysis->Schusszeitanalyse_Click(); });

    connect(m_name, &QLineEdit::textChanged, this, &AnalyseAnzeige::SchuetzenName_Change);
    connect(m_discipline, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Disziplin_Click(id);
    });
    connect(m_sizeAll, &QScrollBar::valueChanged, this,
            &AnalyseAnzeige::ScrollTrefferRadiusAlle_Change);
    connect(m_sizeSeries, &QScrollBar::valueChanged, this,
            &AnalyseAnzeige::ScrollTrefferRadiusSerie_Change);
    connect(m_seriesList, &QListWidget::currentRowChanged, this,
            &AnalyseAnzeige::SerienListe_Click);
    // A click on the series already selected shows it again (after the
    // all-series view, for instance).
    connect(m_seriesList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { SerienListe_Click(m_seriesList->row(item)); });
    connect(m_shotList, &QListWidget::currentRowChanged, this, &AnalyseAnzeige::SchussListe_Click);
    connect(load, &QPushButton::clicked, this, &AnalyseAnzeige::Laden_Click);
    connect(attach, &QPushButton::clicked, this, &AnalyseAnzeige::DateiAnschliessen_Click);
    connect(fresh, &QPushButton::clicked, this, &AnalyseAnzeige::Neu_Click);
    connect(all, &QPushButton::clicked, this, &AnalyseAnzeige::AlleSerienAnzeigen_Click);
    connect(comments, &QPushButton::clicked, this, &AnalyseAnzeige::Kommentare_anzeigen_Click);
    connect(back, &QPushButton::clicked, this, &AnalyseAnzeige::Schusseingabe_Click);
}

void AnalyseAnzeige::Form_Load() {
    m_sheet.load();
    SchuetzenName_Change();
    refresh();
}

void AnalyseAnzeige::NameSetzen(const QString& schuetze) {
    m_name->setText(schuetze);
}

QString AnalyseAnzeige::shooterName() const {
    return m_name->text();
}

void AnalyseAnzeige::SchuetzenName_Change() {
    setWindowTitle(QStringLiteral("AnalyseAnzeige ") + m_name->text());
}

void AnalyseAnzeige::Disziplin_Click(int index) {
    if (m_sheet.setDiscipline(index))
        refresh();
}

void AnalyseAnzeige::reportFailure(const std::optional<QString>& error) {
    if (error)
        m_dialogs.messageBox(this, *error);
}

void AnalyseAnzeige::Laden_Click() {
    const QString path = m_dialogs.openFileName(this, seriesFileFilter());
    if (path.isEmpty())
        return;
    const auto error = m_sheet.loadFile(path);
    refresh();
    reportFailure(error);
}

void AnalyseAnzeige::DateiAnschliessen_Click() {
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

void AnalyseAnzeige::Neu_Click() {
    m_sheet.newSession();
    refresh();
}

void AnalyseAnzeige::SerienListe_Click(int row) {
    if (row < 0)
        return;
    m_sheet.selectSeries(row + 1);
    refresh();
}

void AnalyseAnzeige::SchussListe_Click(int row) {
    if (row < 0)
        return;
    m_sheet.chooseShot(row);
    update();
}

void AnalyseAnzeige::AlleSerienAnzeigen_Click() {
    m_sheet.showAllSeries();
    refresh();
}

void AnalyseAnzeige::Kommentare_anzeigen_Click() {
    m_dialogs.messageBox(this, withLineFeeds(m_sheet.comments()));
}

void AnalyseAnzeige::ScrollTrefferRadiusAlle_Change(int value) {
    m_sheet.setAllSeriesSize(value);
    refresh();
}

void AnalyseAnzeige::ScrollTrefferRadiusSerie_Change(int value) {
    m_sheet.setSeriesSize(value);
    refresh();
}

void AnalyseAnzeige::Schusseingabe_Click() {
    hide();
    if (m_returnTo)
        m_returnTo->show();
}

void AnalyseAnzeige::unload() {
    m_unloading = true;
    close();
}

void AnalyseAnzeige::closeEvent(QCloseEvent* event) {
    if (!m_unloading && m_returnTo)
        m_returnTo->show();
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
    m_capShotNumber->setText(m_sheet.caption());
    if (m_shownSeriesRevision != m_sheet.seriesListRevision()) {
        const QSignalBlocker block(m_seriesList);
        syncList(m_seriesList, m_sheet.seriesList());
        m_shownSeriesRevision = m_sheet.seriesListRevision();
    }
    {
        const QSignalBlocker block(m_seriesList);
        m_seriesList->setCurrentRow(m_sheet.selectedSeries() - 1);
    }
    {
        const QSignalBlocker block(m_shotList);
        if (m_shownShotRevision != m_sheet.shotListRevision()) {
            syncList(m_shotList, m_sheet.shotList());
            m_shownShotRevision = m_sheet.shotListRevision();
        }
        m_shotList->setCurrentRow(m_sheet.highlightedRow());
    }
    syncList(m_valueList, m_sheet.valueList());
    syncText(m_seriesSum, m_sheet.sums().whole);
    syncText(m_seriesSumTenths, m_sheet.sums().tenths);
    {
        const QSignalBlocker blockAll(m_sizeAll);
        const QSignalBlocker blockSeries(m_sizeSeries);
        m_sizeAll->setValue(m_sheet.allSeriesSize());
        m_sizeSeries->setValue(m_sheet.seriesSize());
    }
    m_capSizeAll->setText(QString::number(m_sheet.allSeriesSize()));
    m_capSizeSeries->setText(QString::number(m_sheet.seriesSize()));
    if (QAbstractButton* option = m_discipline->button(m_sheet.face().discipline())) {
        const QSignalBlocker block(m_discipline);
        option->setChecked(true);
    }
    const QString comments = withLineFeeds(m_sheet.comments());
    if (m_comments->toPlainText() != comments)
        m_comments->setPlainText(comments);
    update();
}

void AnalyseAnzeige::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    paintFace(p, m_sheet.face());

    // Every shot of the painted series is drawn from the store on every paint;
    // discs outside the area being repainted are skipped.
    const double r = m_sheet.paintRadius();
    const QRectF area = QRectF(event->rect()).adjusted(-r - 1, -r - 1, r + 1, r + 1);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(toQColor(kShotOutline), 1.0));
    p.setBrush(toQColor(kShotFill));
    for (const PointF& c : m_sheet.shotCentres()) {
        const QPointF centre(c.x, c.y);
        if (area.contains(centre))
            p.drawEllipse(centre, r, r);
    }
    if (const auto c = m_sheet.highlightedCentre()) {
        p.setPen(QPen(toQColor(kHighlightOutline), 1.0));
        p.setBrush(toQColor(kHighlightFill));
        p.drawEllipse(QPointF(c->x, c->y), r, r);
    }
}

} // namespace ankerblick
