#include "coachwindow.h"

#include "features/diary/diarycharts.h"
#include "model/background.h"
#include "model/numeric.h"
#include "services/club.h"
#include "sheets/calltrend.h"
#include "sheets/diaryexport.h"
#include "widgets/widgets.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace ankerblick {

namespace {

constexpr int kDefaultWidth = 1200;
constexpr int kDefaultHeight = 720;
// The diary's charts over time: series sums, calls, position and the
// share in the call; its histogram is not shown.
constexpr std::array kTimeCharts{0, 1, 2, DiaryChartSet::kInCall};

QTableWidget* makeTable(QWidget* parent, const QString& name, const QStringList& headers) {
    auto* table = named(new QTableWidget(0, int(headers.size()), parent), name);
    table->setHorizontalHeaderLabels(headers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QTableWidgetItem* cell(const QString& text, bool figure) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment((figure ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return item;
}

} // namespace

CoachWindow::CoachWindow(ClubReader& reader, QWidget* parent)
    : QWidget(parent, Qt::Window), m_reader(reader), m_locale(num::presentationLocale()) {
    setObjectName(QStringLiteral("Trainer"));
    setWindowTitle(tr("Trainer"));

    m_notice = makeStatusLabel(this, QStringLiteral("TrainerHinweis"));
    m_notice->setWordWrap(true);
    buildTables();
    buildProgress();
    m_open = makeButton(this, QStringLiteral("TrainerInAnalyse"), tr("In Analyse öffnen"));
    m_open->setEnabled(false);
    arrange();

    connect(m_shooters, &QTableWidget::itemSelectionChanged, this, &CoachWindow::chooseShooter);
    connect(m_trainings, &QTableWidget::itemSelectionChanged, this,
            [this] { m_open->setEnabled(!selectedTraining().isNull()); });
    connect(m_trainings, &QTableWidget::cellDoubleClicked, this, &CoachWindow::openSelected);
    connect(m_open, &QPushButton::clicked, this, &CoachWindow::openSelected);
    connect(&m_reader, &ClubReader::squadChanged, this, &CoachWindow::showSquad);
    connect(&m_reader, &ClubReader::watchProblem, this, &CoachWindow::showProblem);
    connect(&m_reader, &ClubReader::shotsRead, this, &CoachWindow::shotsRead);
}

// The shooters' table and the trainings' table, headed by the sheet's columns.
void CoachWindow::buildTables() {
    QStringList shooterHeaders;
    for (int c = 0; c < CoachSheet::kShooterColumns; ++c)
        shooterHeaders << CoachSheet::shooterHeader(CoachSheet::ShooterColumn(c));
    m_shooters = makeTable(this, QStringLiteral("TrainerSchuetzen"), shooterHeaders);
    QStringList trainingHeaders;
    for (int c = 0; c < CoachSheet::kTrainingColumns; ++c)
        trainingHeaders << CoachSheet::trainingHeader(CoachSheet::TrainingColumn(c));
    m_trainings = makeTable(this, QStringLiteral("TrainerTrainings"), trainingHeaders);
}

// The progress charts, one tab each; the set's histogram is kept unshown.
void CoachWindow::buildProgress() {
    m_progress = named(new QTabWidget(this), QStringLiteral("TrainerVerlauf"));
    m_charts = std::make_unique<DiaryChartSet>(m_locale);
    for (const int i : kTimeCharts) {
        auto* view = new QChartView(m_charts->chart(i), m_progress);
        view->setRenderHint(QPainter::Antialiasing);
        m_progress->addTab(view, DiaryChartSet::caption(i));
    }
    m_unshown.reset(m_charts->chart(DiaryChartSet::kHistogram));
}

// The shooters beside their progress, the trainings below across the whole
// width: their figures need it.
void CoachWindow::arrange() {
    auto* top = new QSplitter(Qt::Horizontal, this);
    top->setChildrenCollapsible(false);
    top->addWidget(m_shooters);
    top->addWidget(m_progress);
    top->setSizes({kDefaultWidth / 2, kDefaultWidth / 2});
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setChildrenCollapsible(false);
    split->addWidget(top);
    split->addWidget(m_trainings);
    split->setSizes({kDefaultHeight / 2, kDefaultHeight / 2});

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_open);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_notice);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    resize(kDefaultWidth, kDefaultHeight);
    // Before a shooter is chosen, the heads set the columns and no chart
    // stands empty.
    m_shooters->resizeColumnsToContents();
    m_trainings->resizeColumnsToContents();
    m_progress->setVisible(false);
}

CoachWindow::~CoachWindow() = default;

void CoachWindow::watch(const club::Credentials& server) {
    if (server.isEmpty()) {
        showProblem(tr("Kein Vereinsserver eingestellt: bitte unter „Datei → Vereinsserver …“ "
                       "den Server und die Anmeldung eines Trainers eintragen."));
        return;
    }
    m_notice->setText(tr("Verbinde mit dem Vereinsserver …"));
    m_server = server;
    m_reader.watch(server);
}

void CoachWindow::closeEvent(QCloseEvent* event) {
    m_reader.stopWatching();
    QWidget::closeEvent(event);
}

void CoachWindow::showProblem(const QString& problem) {
    m_notice->setText(problem);
}

void CoachWindow::showSquad(const club::Squad& squad) {
    m_sheet.setSquad(squad);
    // When the newest series reached the server: the server's time, not this computer's.
    QDateTime newest;
    for (const club::SquadShooter& shooter : squad.shooters)
        for (const club::SquadTraining& t : shooter.trainings)
            newest = std::max(newest, t.received);
    const QString count = tr("%n Schützen", nullptr, m_sheet.shooterCount());
    m_notice->setText(
        newest.isValid() ? tr("%1, die neueste Serie kam um %2 an")
                               .arg(count, m_locale.toString(newest.toLocalTime(),
                                                             QStringLiteral("dd.MM.yyyy HH:mm:ss")))
                         : count);
    showShooters();
    showTrainings();
}

void CoachWindow::showShooters() {
    const QSignalBlocker block(m_shooters);
    m_shooters->setRowCount(m_sheet.shooterCount());
    for (int row = 0; row < m_sheet.shooterCount(); ++row)
        for (int c = 0; c < CoachSheet::kShooterColumns; ++c) {
            const auto column = CoachSheet::ShooterColumn(c);
            m_shooters->setItem(row, c,
                                cell(m_sheet.shooterCell(row, column, m_locale),
                                     column >= CoachSheet::ShooterColumn::Trainings &&
                                         column != CoachSheet::ShooterColumn::Newest));
        }
    m_shooters->clearSelection();
    if (m_sheet.chosen() >= 0)
        m_shooters->selectRow(m_sheet.chosen());
    m_shooters->resizeColumnsToContents();
}

void CoachWindow::chooseShooter() {
    const QModelIndexList rows = m_shooters->selectionModel()->selectedRows();
    m_sheet.choose(rows.isEmpty() ? -1 : rows.first().row());
    showTrainings();
}

void CoachWindow::showTrainings() {
    const QUuid selected = selectedTraining();
    const QList<club::SquadTraining> trainings = m_sheet.trainings();
    {
        const QSignalBlocker block(m_trainings);
        m_trainings->clearSelection();
        m_trainings->setRowCount(int(trainings.size()));
        m_shown.clear();
        for (int row = 0; row < int(trainings.size()); ++row) {
            const club::SquadTraining& t = trainings.at(row);
            m_shown << t.id;
            for (int c = 0; c < CoachSheet::kTrainingColumns; ++c) {
                const auto column = CoachSheet::TrainingColumn(c);
                m_trainings->setItem(row, c,
                                     cell(CoachSheet::trainingCell(t, column, m_locale),
                                          CoachSheet::isFigure(column)));
            }
            if (t.id == selected)
                m_trainings->selectRow(row);
        }
        m_trainings->resizeColumnsToContents();
    }
    m_open->setEnabled(!selectedTraining().isNull());
    m_charts->fill(diary::chartData(m_sheet.progress()), {});
    m_progress->setVisible(!trainings.isEmpty());
    ++m_callsGeneration;
    askCalls(trainings);
}

// The shots of the shooter chosen, for their calls: by the name their
// trainings carry, or all the login may read where they carry several.
void CoachWindow::askCalls(const QList<club::SquadTraining>& trainings) {
    if (trainings.isEmpty() || m_server.isEmpty())
        return;
    diary::Filter filter;
    filter.shooter = trainings.first().summary.training.shooter;
    for (const club::SquadTraining& t : trainings)
        if (t.summary.training.shooter != filter.shooter)
            filter.shooter.clear();
    m_callsAsked = filter;
    m_reader.readShots(m_server, filter);
}

// The calls of the trainings shown, numbered as the progress has them
// (oldest first), added to its charts.
void CoachWindow::shotsRead(const diary::Filter& filter, QList<diary::ShotRow> rows) {
    if (!m_callsAsked || *m_callsAsked != filter)
        return; // another window's, or asked for before the last
    m_callsAsked.reset();
    QHash<QUuid, qint64> numbers;
    for (const diary::TrainingSummary& t : m_sheet.progress())
        numbers.insert(t.serverId, t.training.id);
    background::run<QList<calls::TrainingCalls>>(
        this,
        [rows = std::move(rows), numbers, locale = m_locale](JobProgress&) {
            return calls::callsByTraining(calls::numberedRows(rows, numbers), locale);
        },
        [this, asked = m_callsGeneration](QList<calls::TrainingCalls> calls) {
            if (asked != m_callsGeneration)
                return; // another shooter, or a new series: its calls follow
            diary::DiaryCharts charts = diary::chartData(m_sheet.progress());
            diary::addCallLines(charts, calls);
            m_charts->fill(charts, {});
        });
}

QUuid CoachWindow::selectedTraining() const {
    const QModelIndexList rows = m_trainings->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.first().row() >= m_shown.size())
        return {};
    return m_shown.at(rows.first().row());
}

void CoachWindow::openSelected() {
    if (const QUuid id = selectedTraining(); !id.isNull())
        Q_EMIT openTrainingRequested(id);
}

} // namespace ankerblick
