#include "diarywindow.h"

#include "diaryimport.h"
#include "files/seriesfile.h"

#include "diarycharts.h"
#include "diaryreport.h"
#include "model/diarytotals.h"
#include "model/numeric.h"
#include "model/targetface.h"
#include "services/diary.h"
#include "services/printers.h"
#include "services/userdialogs.h"
#include "sheets/diaryexport.h"
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
#include <QPushButton>
#include <QSaveFile>
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
    layout->addLayout(buildButtons());
    resize(kDefaultWidth, kDefaultHeight);
    refresh();
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
        if (fromClub()) {
            showClubSquad(m_clubSquad);
            return;
        }
        readPeriod();
        showWholePeriod();
        query();
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
    connect(m_table, &QTableView::doubleClicked, this, &DiaryWindow::openSelected);

    m_tabs = named(new QTabWidget(this), QStringLiteral("Diagramme"));
    m_charts = std::make_unique<DiaryChartSet>(m_locale);
    for (int i = 0; i < DiaryChartSet::kCount; ++i) {
        auto* view = new QChartView(m_charts->chart(i), m_tabs);
        view->setRenderHint(QPainter::Antialiasing);
        m_tabs->addTab(view, DiaryChartSet::caption(i));
    }

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
    auto* importFiles =
        makeButton(this, QStringLiteral("DateienImportieren"), tr("Dateien importieren …"));
    auto* importFolder =
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
    const diary::ImportReport report =
        diary::importSeriesFiles(m_diary, paths, discipline, RatingOptions{}, m_locale);
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

void DiaryWindow::setClub(ClubReader& reader, std::function<club::Credentials()> server) {
    m_clubReader = &reader;
    m_clubServer = std::move(server);
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
        m_clubNotice.clear();
        if (fromClub()) {
            // Until the server answers, none of this computer's trainings shows.
            m_clubNotice = tr("Die Trainings werden vom Vereinsserver gelesen …");
            showClubSquad(club::Squad());
        }
        refresh();
    });
    connect(&reader, &ClubReader::trainingsRead, this, [this](const club::Squad& squad) {
        if (!fromClub())
            return;
        m_clubNotice.clear();
        showClubSquad(squad);
    });
    connect(&reader, &ClubReader::readProblem, this,
            [this](const QUuid& id, const QString& problem) {
                if (!id.isNull() || !fromClub())
                    return;
                m_clubNotice = problem;
                showClubSquad(club::Squad());
            });
    refresh();
}

bool DiaryWindow::fromClub() const {
    return m_source && !m_source->isHidden() && m_source->currentIndex() == 1;
}

void DiaryWindow::refresh() {
    if (m_source) {
        // The choice is there while a server is set.
        const bool server = !m_clubServer().isEmpty();
        m_source->setVisible(server);
        m_source->setEnabled(server);
        if (QWidget* caption = m_filterRow->itemAt(0)->widget())
            caption->setVisible(server);
        if (!server && m_source->currentIndex() != 0) {
            const QSignalBlocker block(m_source);
            m_source->setCurrentIndex(0);
        }
        if (server && m_source->currentIndex() == 1) {
            m_clubReader->readTrainings(m_clubServer());
            return;
        }
    }
    const QString shooter = m_shooter->currentIndex() > 0 ? m_shooter->currentText() : QString();
    {
        const QSignalBlocker block(m_shooter);
        m_shooter->clear();
        m_shooter->addItem(tr("Alle Schützen"));
        for (const QString& name : m_diary.shooters())
            if (!name.isEmpty())
                m_shooter->addItem(name);
        const int again =
            m_shooter->findText(shooter, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        m_shooter->setCurrentIndex(shooter.isEmpty() ? 0 : std::max(again, 0));
    }
    QList<diary::TrainingSummary> all = readPeriod();
    if (!m_periodChosen)
        showWholePeriod();
    // Reading 1,000 trainings takes some 65 ms, and the period was just read
    // with all of them: with every shooter and discipline chosen and each
    // training's day within the period, the filter takes just those.
    const diary::Filter f = filter();
    const bool allInPeriod =
        std::all_of(all.cbegin(), all.cend(), [&f](const diary::TrainingSummary& t) {
            const QDate day = t.training.start.date();
            return day.isValid() && day >= f.from && day <= f.to;
        });
    if (f.shooter.isEmpty() && f.discipline < 0 && allInPeriod)
        showTrainings(f, std::move(all));
    else
        query();
}

QList<diary::TrainingSummary> DiaryWindow::readPeriod() {
    QList<diary::TrainingSummary> all = m_diary.trainings(diary::Filter());
    m_firstDay = all.isEmpty() ? QDate() : all.first().training.start.date();
    m_lastDay = all.isEmpty() ? QDate() : all.last().training.start.date();
    return all;
}

// From the first day of the diary to its last, or to today when that is later.
void DiaryWindow::showWholePeriod() {
    const QDate today = m_clock.date();
    const QSignalBlocker blockFrom(m_from);
    const QSignalBlocker blockTo(m_to);
    m_from->setDate(m_firstDay.isValid() ? m_firstDay : today);
    m_to->setDate(m_lastDay.isValid() ? std::max(m_lastDay, today) : today);
}

// The server's trainings as read: the shooters among them, their period and
// those the filter takes.
void DiaryWindow::showClubSquad(const club::Squad& squad) {
    m_clubSquad = squad;
    const QString shooter = m_shooter->currentIndex() > 0 ? m_shooter->currentText() : QString();
    QStringList names;
    for (const club::SquadShooter& s : m_clubSquad.shooters)
        for (const club::SquadTraining& t : s.trainings)
            if (!t.summary.training.shooter.isEmpty() &&
                !names.contains(t.summary.training.shooter))
                names << t.summary.training.shooter;
    names.sort();
    {
        const QSignalBlocker block(m_shooter);
        m_shooter->clear();
        m_shooter->addItem(tr("Alle Schützen"));
        m_shooter->addItems(names);
        const int again =
            m_shooter->findText(shooter, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        m_shooter->setCurrentIndex(shooter.isEmpty() ? 0 : std::max(again, 0));
    }
    const QList<diary::TrainingSummary> all = clubTrainings(diary::Filter());
    m_firstDay = QDate();
    m_lastDay = QDate();
    for (const diary::TrainingSummary& t : all) {
        const QDate day = t.training.start.date();
        if (!day.isValid())
            continue;
        m_firstDay = m_firstDay.isValid() ? std::min(m_firstDay, day) : day;
        m_lastDay = m_lastDay.isValid() ? std::max(m_lastDay, day) : day;
    }
    if (!m_periodChosen)
        showWholePeriod();
    query();
}

// The server's trainings the filter takes, oldest first, each with the
// number of its identity in m_clubIds for its id.
QList<diary::TrainingSummary> DiaryWindow::clubTrainings(const diary::Filter& f) {
    QList<std::pair<diary::TrainingSummary, QUuid>> taken;
    for (const club::SquadShooter& s : m_clubSquad.shooters)
        for (const club::SquadTraining& t : s.trainings)
            if (diary::takes(f, t.summary.training))
                taken.append({t.summary, t.id});
    std::stable_sort(taken.begin(), taken.end(), [](const auto& a, const auto& b) {
        return diary::storedTime(a.first.training.start) <
               diary::storedTime(b.first.training.start);
    });
    QList<diary::TrainingSummary> rows;
    m_clubIds.clear();
    for (auto& [summary, id] : taken) {
        m_clubIds << id;
        summary.training.id = m_clubIds.size();
        rows << summary;
    }
    return rows;
}

void DiaryWindow::query() {
    const diary::Filter f = filter();
    showTrainings(f, fromClub() ? clubTrainings(f) : m_diary.trainings(f));
}

void DiaryWindow::showTrainings(const diary::Filter& f, QList<diary::TrainingSummary> rows) {
    m_chartData = diary::chartData(rows);
    // The server keeps no histogram of the values: its trainings show none.
    m_bins = fromClub() ? QList<diary::RingBin>() : diary::ringHistogram(m_diary.valueHistogram(f));
    m_charts->fill(m_chartData, m_bins);
    qsizetype series = 0;
    for (const diary::TrainingSummary& t : rows)
        series += t.series;
    m_count->setText(diary::countText(rows.size(), series));
    m_model->setTrainings(std::move(rows));
    fitColumns();
    showEmptyState();
    updateButtons();
}

// The header would leave room for the sort arrow beside every caption, which
// makes the figure columns twice as wide as their figures: each column gets
// its widest cell or caption line, and the arrow only once.
void DiaryWindow::fitColumns() {
    QHeaderView* header = m_table->horizontalHeader();
    // The table view hides the measure of the visible cells; its base shows it.
    const QAbstractItemView* cells = m_table;
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
        header->resizeSection(c, std::max(cells->sizeHintForColumn(c), caption + arrow));
    }
}

void DiaryWindow::showEmptyState() {
    const bool none = m_model->rowCount() == 0;
    if (fromClub() && !m_clubNotice.isEmpty())
        m_empty->setText(m_clubNotice);
    else if (fromClub() && !m_firstDay.isValid())
        m_empty->setText(tr("Noch keine Trainings auf dem Vereinsserver."));
    else if (m_firstDay.isValid())
        m_empty->setText(tr("Keine Trainings für diese Auswahl."));
    else
        m_empty->setText(tr("Noch keine Trainings im Tagebuch."));
    m_content->setCurrentIndex(none ? 1 : 0);
    m_count->setVisible(!none);
}

void DiaryWindow::updateButtons() {
    const bool any = m_model->rowCount() > 0;
    // The CSV file holds the shots kept here.
    m_csv->setEnabled(any && !fromClub());
    m_pdf->setEnabled(any);
    m_open->setEnabled(selectedTraining().has_value());
}

std::optional<qint64> DiaryWindow::selectedTraining() const {
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return std::nullopt;
    return m_model->trainings().at(rows.first().row()).training.id;
}

void DiaryWindow::openSelected() {
    const std::optional<qint64> id = selectedTraining();
    if (!id)
        return;
    if (!fromClub())
        Q_EMIT openTrainingRequested(*id);
    else if (*id >= 1 && *id <= m_clubIds.size())
        Q_EMIT openClubTrainingRequested(m_clubIds.at(*id - 1));
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
    // Spreadsheet programs here read decimal commas with ";" between the fields,
    // whatever the desktop's language.
    const QByteArray bytes =
        diary::shotCsv(m_diary.shotRows(filter()), QLocale(QLocale::German, QLocale::Germany));
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return;
    m_dialogs.messageBox(this,
                         QCoreApplication::translate("ankerblick::DiaryWindow", "Die Datei \"") +
                             QDir::toNativeSeparators(path) +
                             QCoreApplication::translate("ankerblick::DiaryWindow",
                                                         "\" konnte nicht geschrieben werden: ") +
                             file.errorString());
}

void DiaryWindow::printReport() {
    const QString path =
        askFileName(tr("PDF-Dateien (*.pdf)"), tr("Trainingstagebuch.pdf"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    DiaryReport report;
    report.filterLine = diary::filterText(filter());
    report.summaryLine = m_count->text() +
                         QCoreApplication::translate("ankerblick::DiaryWindow", ", erstellt am ") +
                         m_clock.dateTime().toString(tr("dd.MM.yyyy 'um' HH:mm"));
    report.trainings = m_model->trainings();
    DiaryChartSet charts(m_locale);
    charts.fill(m_chartData, m_bins);
    for (int i = 0; i < DiaryChartSet::kCount; ++i)
        report.chartCaptions << DiaryChartSet::caption(i);
    report.charts = chartPictures(charts, reportChartSize(), kReportPictureScale);

    const std::unique_ptr<QPagedPaintDevice> device = m_printers.createDevice(
        PrintDestination::pdfFile(path), PrintColour::Colour, tr("Trainingstagebuch"));
    if (device && paintDiaryReport(*device, report, m_locale))
        return;
    m_dialogs.messageBox(
        this,
        QCoreApplication::translate("ankerblick::DiaryWindow", "Der Bericht konnte nicht als \"") +
            QDir::toNativeSeparators(path) +
            QCoreApplication::translate("ankerblick::DiaryWindow", "\" gespeichert werden."));
}

} // namespace ankerblick
