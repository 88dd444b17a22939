#include "diarywindow.h"

#include "diaryimport.h"
#include "files/seriesfile.h"

#include "diarycharts.h"
#include "diaryreport.h"
#include "model/background.h"
#include "model/diarytotals.h"
#include "model/numeric.h"
#include "model/targetface.h"
#include "services/diary.h"
#include "services/printers.h"
#include "services/userdialogs.h"
#include "sheets/diaryexport.h"
#include "trainingsource.h"
#include "trainingtablemodel.h"
#include "widgets/language.h"
#include "widgets/widgets.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPagedPaintDevice>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QSet>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace ankerblick {

namespace {

constexpr int kDefaultWidth = 1100;
constexpr int kDefaultHeight = 700;
// Chart pictures in the report are drawn at this multiple of their size.
constexpr double kReportPictureScale = 2.0;
constexpr int kShooterChars = 18;

QDateEdit* makeDateEdit(QWidget* parent, const QString& name) {
    auto* edit = named(new QDateEdit(parent), name);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QCoreApplication::translate("ankerblick::DiaryWindow", "dd.MM.yyyy"));
    // The calendar names months and days in the language the program speaks.
    edit->setLocale(QLocale(
        installedLanguage() == Language::English ? QLocale::English : QLocale::German,
        installedLanguage() == Language::English ? QLocale::UnitedKingdom : QLocale::Germany));
    return edit;
}

QLabel* captionFor(QWidget* parent, const QString& text, QWidget* buddy) {
    QLabel* caption = makeCaption(parent, text);
    caption->setBuddy(buddy);
    return caption;
}

} // namespace

DiaryWindow::DiaryWindow(Diary& diary, UserDialogs& dialogs, PrinterService& printers,
                         const Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Window), m_diary(diary), m_clock(clock), m_dialogs(dialogs),
      m_printers(printers), m_locale(num::presentationLocale(QLocale())) {
    setObjectName(QStringLiteral("Trainingstagebuch"));
    setWindowTitle(tr("Trainingstagebuch"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildFilters());
    layout->addWidget(buildContent(), 1);
    m_finding = makeStatusLabel(this, QStringLiteral("Befund"));
    m_finding->setWordWrap(true);
    m_finding->setTextFormat(Qt::RichText);
    m_finding->hide();
    connect(m_finding, &QLabel::linkActivated, this, [this](const QString& link) {
        // "serie:TRAINING:NUMBER"
        const QStringList parts = link.split(u':');
        if (parts.size() == 3)
            openSeries(parts[1].toLongLong(), parts[2].toInt());
    });
    layout->addWidget(m_finding);
    layout->addLayout(buildButtons());
    resize(kDefaultWidth, kDefaultHeight);
    m_local = new LocalTrainings(diary, this);
    connectSource(m_local);
    refresh();
    showEmptyState();
}

DiaryWindow::~DiaryWindow() = default;

QLayout* DiaryWindow::buildFilters() {
    m_shooter = named(new QComboBox(this), QStringLiteral("Schütze"));
    m_shooter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_shooter->setMinimumContentsLength(kShooterChars);
    m_discipline = named(new QComboBox(this), QStringLiteral("Disziplin"));
    m_discipline->addItem(tr("Alle Disziplinen"), -1);
    for (int i = 0; i < kDisciplineCount; ++i)
        m_discipline->addItem(disciplineCaption(i), i);
    m_from = makeDateEdit(this, QStringLiteral("von"));
    m_to = makeDateEdit(this, QStringLiteral("bis"));
    QPushButton* whole =
        makeButton(this, QStringLiteral("GesamterZeitraum"), tr("Gesamter Zeitraum"));

    auto* row = new QHBoxLayout;
    m_filterRow = row;
    row->addWidget(captionFor(this, tr("&Schütze:"), m_shooter));
    row->addWidget(m_shooter);
    row->addSpacing(12);
    row->addWidget(captionFor(this, tr("&Disziplin:"), m_discipline));
    row->addWidget(m_discipline);
    row->addSpacing(12);
    row->addWidget(captionFor(this, tr("&von"), m_from));
    row->addWidget(m_from);
    row->addWidget(captionFor(this, tr("&bis"), m_to));
    row->addWidget(m_to);
    row->addWidget(whole);
    row->addStretch(1);

    connect(m_shooter, &QComboBox::currentIndexChanged, this, &DiaryWindow::query);
    connect(m_discipline, &QComboBox::currentIndexChanged, this, &DiaryWindow::query);
    // A period the user chose stays until "Gesamter Zeitraum" gives back
    // the whole diary's, which grows with it.
    const auto periodChosen = [this] {
        m_periodChosen = true;
        query();
    };
    connect(m_from, &QDateEdit::dateChanged, this, periodChosen);
    connect(m_to, &QDateEdit::dateChanged, this, periodChosen);
    connect(whole, &QPushButton::clicked, this, [this] {
        m_periodChosen = false;
        showWholePeriod();
        query();
        source().update();
    });
    return row;
}

QWidget* DiaryWindow::buildContent() {
    m_model = new TrainingTableModel(m_locale, this);
    m_table = named(new QTableView(this), QStringLiteral("Trainings"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    // Rows of one height: the view need not measure thousands of them.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);
    m_table->setSortingEnabled(true);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DiaryWindow::updateButtons);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DiaryWindow::askFinding);
    connect(m_table, &QTableView::doubleClicked, this, &DiaryWindow::openSelected);

    m_tabs = named(new QTabWidget(this), QStringLiteral("Diagramme"));
    m_charts = std::make_unique<DiaryChartSet>(m_locale);
    for (int i = 0; i < DiaryChartSet::kCount; ++i) {
        auto* view = new QChartView(m_charts->chart(i), m_tabs);
        view->setRenderHint(QPainter::Antialiasing);
        m_tabs->addTab(view, DiaryChartSet::caption(i));
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, &DiaryWindow::fillShownChart);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(m_table);
    splitter->addWidget(m_tabs);
    splitter->setSizes({kDefaultHeight / 2, kDefaultHeight / 2});

    m_empty = named(new QLabel(this), QStringLiteral("Hinweis"));
    m_empty->setAlignment(Qt::AlignCenter);
    QFont larger = m_empty->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.3);
    m_empty->setFont(larger);

    m_content = named(new QStackedWidget(this), QStringLiteral("Inhalt"));
    m_content->addWidget(splitter);
    m_content->addWidget(m_empty);
    return m_content;
}

QLayout* DiaryWindow::buildButtons() {
    m_count = makeStatusLabel(this, QStringLiteral("Anzahl"));
    m_open = makeButton(this, QStringLiteral("InAnalyseOeffnen"), tr("In Analyse öffnen"));
    m_csv = makeButton(this, QStringLiteral("CsvExportieren"), tr("CSV exportieren …"));
    m_pdf = makeButton(this, QStringLiteral("PdfBericht"), tr("PDF-Bericht …"));
    QPushButton* importFiles = m_importFiles =
        makeButton(this, QStringLiteral("DateienImportieren"), tr("Dateien importieren …"));
    QPushButton* importFolder = m_importFolder =
        makeButton(this, QStringLiteral("OrdnerImportieren"), tr("Ordner importieren …"));
    connect(importFiles, &QPushButton::clicked, this,
            [this] { importPaths(m_dialogs.openFileNames(this, seriesFileFilter())); });
    connect(importFolder, &QPushButton::clicked, this, [this] {
        const QString folder = m_dialogs.folderName(this);
        importPaths(folder.isEmpty() ? QStringList() : QStringList{folder});
    });
    connect(m_open, &QPushButton::clicked, this, &DiaryWindow::openSelected);
    connect(m_csv, &QPushButton::clicked, this, &DiaryWindow::exportCsv);
    connect(m_pdf, &QPushButton::clicked, this, &DiaryWindow::printReport);

    auto* row = new QHBoxLayout;
    row->addWidget(m_count);
    row->addStretch(1);
    row->addWidget(importFiles);
    row->addWidget(importFolder);
    row->addWidget(m_open);
    row->addWidget(m_csv);
    row->addWidget(m_pdf);
    return row;
}

// Series files into the diary. Files name no discipline: they are read on
// the face of the discipline chosen above.
void DiaryWindow::importPaths(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    const int discipline = filter().discipline;
    if (discipline < 0) {
        m_dialogs.messageBox(this, tr("Serien-Dateien nennen keine Disziplin: bitte "
                                      "oben die Disziplin der Dateien wählen und "
                                      "dann importieren."));
        return;
    }
    // The files are read and written on a worker thread, with a writer of
    // the diary of its own.
    // Only the job holds the writer, so that it goes on the worker's thread.
    auto job = [writer = std::shared_ptr<Diary>(m_diary.writerForThread()), paths, discipline,
                locale = m_locale](JobProgress& progress) {
        return diary::importSeriesFiles(*writer, paths, discipline, RatingOptions{}, locale,
                                        &progress);
    };
    const auto slow = [this](const JobProgress& progress) {
        if (!m_importProgress)
            m_importProgress = progressDialog(QStringLiteral("ImportFortschritt"));
        m_importProgress->setMaximum(progress.total());
        m_importProgress->setValue(progress.done());
        m_importProgress->setLabelText(tr("Serien-Dateien werden importiert: %1 von %2")
                                           .arg(progress.done())
                                           .arg(progress.total()));
    };
    m_importing = true;
    updateButtons();
    background::run<diary::ImportReport>(
        this, std::move(job), [this](diary::ImportReport report) { imported(report); }, slow);
}

QProgressDialog* DiaryWindow::progressDialog(const QString& name) {
    auto* dialog = named(new QProgressDialog(this), name);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setCancelButton(nullptr);
    dialog->setMinimumDuration(0);
    return dialog;
}

void DiaryWindow::imported(const diary::ImportReport& report) {
    delete m_importProgress.data();
    m_importing = false;
    updateButtons();
    refresh();
    QStringList lines{tr("Importiert: %1, schon im Tagebuch: %2, nicht lesbar: %3.")
                          .arg(report.imported)
                          .arg(report.skipped)
                          .arg(report.failed())};
    lines += report.failures;
    m_dialogs.messageBox(this, lines.join(QStringLiteral("\n")));
}

diary::Filter DiaryWindow::filter() const {
    diary::Filter f;
    if (m_shooter->currentIndex() > 0)
        f.shooter = m_shooter->currentText();
    f.discipline = m_discipline->currentData().toInt();
    f.from = m_from->date();
    f.to = m_to->date();
    return f;
}

bool DiaryWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        refresh();
    return QWidget::event(event);
}

void DiaryWindow::connectSource(TrainingSource* source) {
    connect(source, &TrainingSource::trainingsRead, this, [this, source] {
        if (source == &this->source())
            showRead();
    });
    connect(source, &TrainingSource::callsRead, this,
            [this, source](const diary::Filter& f, const QList<calls::TrainingCalls>& trainings) {
                if (source == &this->source())
                    callsRead(f, trainings);
            });
    connect(source, &TrainingSource::valuesRead, this,
            [this, source](const diary::Filter& f, const std::map<int, int>& counts) {
                if (source == &this->source())
                    valuesRead(f, counts);
            });
    connect(source, &TrainingSource::findingRead, this,
            [this, source](qint64 id, const calls::Finding& finding) {
                if (source == &this->source())
                    findingRead(id, finding);
            });
    connect(source, &TrainingSource::openTrainingRequested, this,
            &DiaryWindow::openTrainingRequested);
    connect(source, &TrainingSource::openClubTrainingRequested, this,
            [this](const QUuid& id) { Q_EMIT openClubTrainingRequested(id, 1); });
}

void DiaryWindow::setClub(ClubReader& reader, std::function<club::Credentials()> server) {
    m_club = new ClubTrainings(reader, std::move(server), this);
    connectSource(m_club);
    m_source = named(new QComboBox(this), QStringLiteral("Quelle"));
    m_source->addItem(tr("Hier"));
    m_source->addItem(tr("Verein"));
    m_source->setToolTip(tr("Hier: die Trainings dieses Rechners. Verein: die Trainings auf dem "
                            "Vereinsserver, von allen Bahnen."));
    QLabel* caption = captionFor(this, tr("&Quelle:"), m_source);
    m_filterRow->insertWidget(0, caption);
    m_filterRow->insertWidget(1, m_source);
    m_filterRow->insertSpacing(2, 12);
    connect(m_source, &QComboBox::currentIndexChanged, this, [this] {
        m_periodChosen = false;
        refresh();
        showRead();
    });
    refresh();
}

bool DiaryWindow::fromClub() const {
    return m_club && m_source && !m_source->isHidden() && m_source->currentIndex() == 1;
}

TrainingSource& DiaryWindow::source() const {
    if (fromClub())
        return *m_club;
    return *m_local;
}

bool DiaryWindow::reading() const {
    return source().reading() || m_preparing || m_chartFillQueued;
}

void DiaryWindow::refresh() {
    if (m_source) {
        // The choice is there while a server is set.
        const bool server = m_club->available();
        m_source->setVisible(server);
        m_source->setEnabled(server);
        if (QWidget* caption = m_filterRow->itemAt(0)->widget())
            caption->setVisible(server);
        if (!server && m_source->currentIndex() != 0) {
            const QSignalBlocker block(m_source);
            m_source->setCurrentIndex(0);
        }
    }
    source().update();
}

void DiaryWindow::showRead() {
    const TrainingSource& read = source();
    const QString shooter = m_shooter->currentIndex() > 0 ? m_shooter->currentText() : QString();
    {
        const QSignalBlocker block(m_shooter);
        m_shooter->clear();
        m_shooter->addItem(tr("Alle Schützen"));
        m_shooter->addItems(read.shooters());
        const int again =
            m_shooter->findText(shooter, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        m_shooter->setCurrentIndex(shooter.isEmpty() ? 0 : std::max(again, 0));
    }
    m_firstDay = QDate();
    m_lastDay = QDate();
    for (const diary::TrainingSummary& t : read.trainings()) {
        const QDate day = t.training.start.date();
        if (!day.isValid())
            continue;
        m_firstDay = m_firstDay.isValid() ? std::min(m_firstDay, day) : day;
        m_lastDay = m_lastDay.isValid() ? std::max(m_lastDay, day) : day;
    }
    if (!m_periodChosen)
        showWholePeriod();
    queryAfterRead();
}

// From the first day of the trainings to their last, or to today when that is later.
void DiaryWindow::showWholePeriod() {
    const QDate today = m_clock.date();
    const QSignalBlocker blockFrom(m_from);
    const QSignalBlocker blockTo(m_to);
    m_from->setDate(m_firstDay.isValid() ? m_firstDay : today);
    m_to->setDate(m_lastDay.isValid() ? std::max(m_lastDay, today) : today);
}

namespace {

// Whether the font's ten digits are all of one width, as in most fonts made
// for figures in tables.
bool evenDigits(const QFontMetrics& metrics) {
    const int zero = metrics.horizontalAdvance(QChar(u'0'));
    for (char16_t digit = u'1'; digit <= u'9'; ++digit)
        if (metrics.horizontalAdvance(QChar(digit)) != zero)
            return false;
    return true;
}

} // namespace

// The trainings read are filtered here: a change of the filter reads nothing.
void DiaryWindow::query() {
    showTrainings(diary::trainingView(source().trainings(), filter(), m_model->order(), m_locale,
                                      evenDigits(QFontMetrics(m_table->font()))));
}

// After a read the trainings are filtered, sorted and measured on a worker:
// thousands of them would keep the window from answering.
void DiaryWindow::queryAfterRead() {
    m_preparing = true;
    const quint64 generation = ++m_viewsAsked;
    const auto prepare = [trainings = source().trainings(), f = filter(), order = m_model->order(),
                          locale = m_locale,
                          fold = evenDigits(QFontMetrics(m_table->font()))](JobProgress&) {
        return diary::trainingView(trainings, f, order, locale, fold);
    };
    background::run<diary::TrainingView>(
        this, prepare, [this, generation](diary::TrainingView view) {
            if (generation != m_viewsAsked)
                return; // a later read is being prepared
            m_preparing = false;
            // The filter or the order changed meanwhile: they show what they took.
            if (view.filter == filter() && view.order == m_model->order())
                showTrainings(std::move(view));
            else
                query();
        });
}

void DiaryWindow::showTrainings(diary::TrainingView view) {
    m_chartData = std::move(view.charts);
    m_trainingCalls.clear();
    // The values' chart follows once they are read; no training, no values.
    if (!source().keepsShots() || view.rows.isEmpty())
        m_bins.clear();
    chartsChanged({0, 1, 2, 3, 4});
    if (!view.rows.isEmpty()) {
        if (source().keepsShots())
            source().readValues(view.filter);
        source().readCalls(view.filter, m_locale);
    }
    m_count->setText(diary::countText(view.rows.size(), view.series));
    m_model->setTrainings(std::move(view.rows));
    askFinding(); // the selection may be gone with the rows
    fitColumns(view.shapeRows);
    showEmptyState();
    updateButtons();
}

void DiaryWindow::valuesRead(const diary::Filter& f, const std::map<int, int>& counts) {
    if (f != filter())
        return; // the filter changed meanwhile; its own values follow
    m_bins = diary::ringHistogram(counts);
    chartsChanged({DiaryChartSet::kHistogram});
}

void DiaryWindow::callsRead(const diary::Filter& f, const QList<calls::TrainingCalls>& trainings) {
    if (f != filter())
        return; // the filter changed meanwhile; its own calls follow
    diary::addCallLines(m_chartData, trainings);
    m_trainingCalls = trainings;
    chartsChanged({DiaryChartSet::kInCall});
}

void DiaryWindow::chartsChanged(std::initializer_list<int> charts) {
    for (const int i : charts)
        m_staleCharts.at(std::size_t(i)) = true;
    if (m_chartFillQueued)
        return;
    m_chartFillQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_chartFillQueued = false;
            fillShownChart();
        },
        Qt::QueuedConnection);
}

void DiaryWindow::fillShownChart() {
    const int shown = m_tabs->currentIndex();
    if (shown < 0 || !m_staleCharts.at(std::size_t(shown)) || m_chartFillQueued)
        return;
    m_staleCharts.at(std::size_t(shown)) = false;
    m_charts->fillChart(shown, m_chartData, m_bins);
}

// The widest cell of a column, as measuring every row would find it: within
// a column the cells differ in their text only, so one cell of each shape of
// text is measured (`rows`; "08.12.2026" is as wide as "09.11.2025" where the
// digits are of one width).
int DiaryWindow::widestCell(int column, const QList<int>& rows) const {
    int widest = 0;
    for (const int row : rows)
        widest = std::max(widest, m_table->sizeHintForIndex(m_model->index(row, column)).width());
    return widest;
}

// The header would leave room for the sort arrow beside every caption, which
// makes the figure columns twice as wide as their figures: each column gets
// its widest cell or caption line, and the arrow only once.
void DiaryWindow::fitColumns(const std::array<QList<int>, diary::kTrainingColumns>& shapeRows) {
    QHeaderView* header = m_table->horizontalHeader();
    QFont bold = header->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int arrow = header->style()->pixelMetric(QStyle::PM_HeaderMarkSize) +
                      3 * header->style()->pixelMetric(QStyle::PM_HeaderMargin);
    for (int c = 0; c < diary::kTrainingColumns; ++c) {
        int caption = 0;
        const QString text = m_model->headerData(c, Qt::Horizontal).toString();
        for (const QString& line : text.split(u'\n'))
            caption = std::max(caption, metrics.horizontalAdvance(line));
        header->resizeSection(c,
                              std::max(widestCell(c, shapeRows[std::size_t(c)]), caption + arrow));
    }
}

void DiaryWindow::showEmptyState() {
    const bool none = m_model->rowCount() == 0;
    const TrainingSource& read = source();
    if (!read.notice().isEmpty())
        m_empty->setText(read.notice());
    else if (read.trainings().isEmpty())
        m_empty->setText(read.noneText());
    else
        m_empty->setText(tr("Keine Trainings für diese Auswahl."));
    m_content->setCurrentIndex(none ? 1 : 0);
    m_count->setVisible(!none);
}

void DiaryWindow::updateButtons() {
    const bool any = m_model->rowCount() > 0;
    // The CSV file holds the shots kept here.
    m_csv->setEnabled(any && source().keepsShots() && !m_exporting);
    m_pdf->setEnabled(any);
    m_open->setEnabled(selectedTraining() != nullptr);
    m_importFiles->setEnabled(!m_importing);
    m_importFolder->setEnabled(!m_importing);
}

const diary::TrainingSummary* DiaryWindow::selectedTraining() const {
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return nullptr;
    return &m_model->trainings().at(rows.first().row());
}

void DiaryWindow::askFinding() {
    const diary::TrainingSummary* t = selectedTraining();
    if (!t) {
        m_finding->hide();
        return;
    }
    source().readFinding(*t, m_locale);
}

// "Befund: Halten: …  Serie 3, Serie 1": each series a link to it.
void DiaryWindow::findingRead(qint64 trainingId, const calls::Finding& finding) {
    const diary::TrainingSummary* t = selectedTraining();
    if (!t || t->training.id != trainingId)
        return; // another training is selected by now
    QStringList links;
    for (const int n : finding.series)
        links << QStringLiteral("<a href=\"serie:%1:%2\">%3</a>")
                     .arg(trainingId)
                     .arg(n)
                     .arg(tr("Serie %1").arg(n));
    QString text = tr("Befund: %1").arg(finding.text.toHtmlEscaped());
    if (!links.isEmpty())
        text = tr("%1 Zu sehen in: %2").arg(text, links.join(QStringLiteral(", ")));
    m_finding->setText(text);
    m_finding->show();
}

// A training of the server opens from there: its number here is only the
// row's.
void DiaryWindow::openSeries(qint64 trainingId, int series) {
    if (!fromClub()) {
        Q_EMIT openSeriesRequested(trainingId, series);
        return;
    }
    for (const diary::TrainingSummary& t : source().trainings())
        if (t.training.id == trainingId && !t.serverId.isNull())
            Q_EMIT openClubTrainingRequested(t.serverId, series);
}

void DiaryWindow::openSelected() {
    if (const diary::TrainingSummary* t = selectedTraining())
        source().open(*t);
}

QString DiaryWindow::askFileName(const QString& filter, const QString& proposed,
                                 const QString& suffix) {
    QString path = m_dialogs.saveFileName(this, filter, proposed);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += u'.' + suffix;
    return path;
}

void DiaryWindow::exportCsv() {
    const QString path =
        askFileName(tr("CSV-Dateien (*.csv)"), tr("Trainingstagebuch.csv"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    // The shots are read and the file written on a worker thread; the
    // result is why the file could not be written, none when it was.
    // Only the job holds the reader, so that it goes on the worker's thread.
    auto job = [reader = std::shared_ptr<Diary>(m_diary.readerForThread()), f = filter(),
                path](JobProgress&) -> std::optional<QString> {
        // Spreadsheet programs here read decimal commas with ";" between the
        // fields, whatever the desktop's language.
        const QByteArray bytes =
            diary::shotCsv(reader->shotRows(f), QLocale(QLocale::German, QLocale::Germany));
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
            return std::nullopt;
        return file.errorString();
    };
    const auto slow = [this](const JobProgress&) {
        if (m_exportProgress)
            return;
        m_exportProgress = progressDialog(QStringLiteral("ExportFortschritt"));
        m_exportProgress->setMaximum(0); // no count: it only shows that it works
        m_exportProgress->setLabelText(tr("Die CSV-Datei wird geschrieben …"));
    };
    const auto done = [this, path](std::optional<QString> problem) {
        delete m_exportProgress.data();
        m_exporting = false;
        updateButtons();
        if (problem)
            m_dialogs.messageBox(this, tr("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
                                           .arg(QDir::toNativeSeparators(path), *problem));
    };
    m_exporting = true;
    updateButtons();
    background::run<std::optional<QString>>(this, std::move(job), done, slow);
}

void DiaryWindow::printReport() {
    const QString path =
        askFileName(tr("PDF-Dateien (*.pdf)"), tr("Trainingstagebuch.pdf"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    DiaryReport report;
    report.filterLine = diary::filterText(filter());
    report.summaryLine =
        tr("%1, erstellt am %2")
            .arg(m_count->text(), m_clock.dateTime().toString(tr("dd.MM.yyyy 'um' HH:mm")));
    report.trainings = m_model->trainings();
    report.calls = m_trainingCalls;
    DiaryChartSet charts(m_locale);
    charts.fill(m_chartData, m_bins);
    for (int i = 0; i < DiaryChartSet::kCount; ++i)
        report.chartCaptions << DiaryChartSet::caption(i);
    report.charts = chartPictures(charts, reportChartSize(), kReportPictureScale);

    const std::unique_ptr<QPagedPaintDevice> device = m_printers.createDevice(
        PrintDestination::pdfFile(path), PrintColour::Colour, tr("Trainingstagebuch"));
    if (device && paintDiaryReport(*device, report, m_locale))
        return;
    m_dialogs.messageBox(this, tr("Der Bericht konnte nicht als \"%1\" gespeichert werden.")
                                   .arg(QDir::toNativeSeparators(path)));
}

} // namespace ankerblick
