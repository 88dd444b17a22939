#include "targetwindow.h"

#include "platform/userdialogs.h"
#include "features/rhythm/rhythmustrainingshilfeform.h"
#include "widgets/targetpainter.h"
#include "widgets/widgets.h"

#include <QButtonGroup>
#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

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

QLabel* caption(QWidget* parent, const QString& text) {
    return new QLabel(text, parent);
}

} // namespace

QListWidget* makeListBox(QWidget* parent, const QString& name, int width) {
    auto* l = named(new QListWidget(parent), name);
    l->setFixedWidth(width);
    l->setMinimumHeight(190);
    l->setSelectionMode(QAbstractItemView::NoSelection);
    l->setFocusPolicy(Qt::NoFocus);
    return l;
}

QLineEdit* makeFigureBox(QWidget* parent, const QString& name, int width) {
    auto* e = named(new QLineEdit(parent), name);
    e->setReadOnly(true);
    e->setFixedWidth(width);
    e->setAlignment(Qt::AlignRight);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

QButtonGroup* makeOptionGroup(QGroupBox* frame, const QString& name, const QStringList& captions) {
    auto* group = new QButtonGroup(frame);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(frame);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions.at(i), frame);
        option->setObjectName(name + u'(' + QString::number(i) + u')');
        option->setAccessibleDescription(name);
        group->addButton(option, i);
        layout->addWidget(option);
    }
    layout->addStretch();
    return group;
}

TargetWindow::TargetWindow(TargetSheet& sheet, Services& services, QWidget* parent)
    : QWidget(parent), m_sheet(sheet), m_services(services), m_dialogs(services.dialogs) {
    setMouseTracking(true);
}

QString TargetWindow::shooterName() const {
    return m_name->text();
}

QPushButton* TargetWindow::addButton(const QString& name, const QString& caption) {
    auto* b = makeButton(this, name, caption);
    b->setMinimumHeight(30);
    m_buttons->addWidget(b, m_buttonCount / 8, m_buttonCount % 8);
    ++m_buttonCount;
    return b;
}

void TargetWindow::buildControls(bool mainWindowSpelling) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 12, 12);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->addItem(
        new QSpacerItem(kSurfaceWidth, kSurfaceHeight, QSizePolicy::Fixed, QSizePolicy::Fixed), 0,
        0);

    auto* panel = new QWidget(this);
    m_side = new QVBoxLayout(panel);
    m_side->setContentsMargins(0, 12, 0, 0);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(caption(panel, QStringLiteral("Schütze:")));
    m_name = named(new QLineEdit(panel), QStringLiteral("SchuetzenName"));
    nameRow->addWidget(m_name, 1);
    m_side->addLayout(nameRow);

    m_capShotNumber = makeStatusLabel(panel, QStringLiteral("CapSchussNummer"));
    QFont big = m_capShotNumber->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_capShotNumber->setFont(big);
    m_side->addWidget(m_capShotNumber);

    m_optionsRow = new QHBoxLayout;
    auto* disciplineFrame =
        named(new QGroupBox(QStringLiteral("Disziplin"), panel), QStringLiteral("DisziplinFrame"));
    QStringList disciplines;
    for (int i = 0; i < kDisciplineCount; ++i)
        disciplines << disciplineCaption(i, mainWindowSpelling);
    m_discipline = makeOptionGroup(disciplineFrame, QStringLiteral("Disziplin"), disciplines);
    m_optionsRow->addWidget(disciplineFrame);
    m_side->addLayout(m_optionsRow);

    m_listsRow = new QHBoxLayout;
    auto* shots = new QGridLayout;
    shots->addWidget(caption(panel, QStringLiteral("Serie")), 0, 0);
    shots->addWidget(caption(panel, QStringLiteral("Schuss")), 0, 1);
    shots->addWidget(caption(panel, QStringLiteral("Wert")), 0, 2);
    m_seriesList = makeListBox(panel, QStringLiteral("SerienListe"), 48);
    m_seriesList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_seriesList->setFocusPolicy(Qt::StrongFocus);
    m_shotList = makeListBox(panel, QStringLiteral("SchussListe"), 48);
    m_shotList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_shotList->setFocusPolicy(Qt::StrongFocus);
    m_shotList->installEventFilter(this);
    m_valueList = makeListBox(panel, QStringLiteral("Schusswert"), 56);
    shots->addWidget(m_seriesList, 1, 0);
    shots->addWidget(m_shotList, 1, 1);
    shots->addWidget(m_valueList, 1, 2);
    shots->addWidget(caption(panel, QStringLiteral("Summe:")), 2, 0, 1, 2, Qt::AlignRight);
    m_seriesSum = makeFigureBox(panel, QStringLiteral("SerienSumme"), 56);
    shots->addWidget(m_seriesSum, 2, 2);
    shots->addWidget(caption(panel, QStringLiteral("Zehntel:")), 3, 0, 1, 2, Qt::AlignRight);
    m_seriesSumTenths = makeFigureBox(panel, QStringLiteral("SerienSummeZehntel"), 56);
    shots->addWidget(m_seriesSumTenths, 3, 2);
    m_listsRow->addLayout(shots);
    m_side->addLayout(m_listsRow);
    grid->addWidget(panel, 0, 1);

    m_buttons = new QGridLayout;
    m_buttons->setContentsMargins(16, 0, 0, 0);
    grid->addLayout(m_buttons, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);

    m_nextSeries = addButton(QStringLiteral("WeitereSerie"), QStringLiteral("Weitere Serie"));
    m_undo = addButton(QStringLiteral("Undo"), QStringLiteral("Rückgängig"));
    m_new = addButton(QStringLiteral("Neu"), QStringLiteral("Neu"));
    m_recompute = addButton(QStringLiteral("NeuBerechnen"), QStringLiteral("Neu Berechnen"));
    m_whiteShots =
        addButton(QStringLiteral("WeisseSchüsse"), QStringLiteral("Schüsse weiß An/Aus"));
    m_comment = addButton(QStringLiteral("Kommentar"), QStringLiteral("Kommentar"));
    m_start = addButton(QStringLiteral("StartBtn"), QStringLiteral("Start"));
    m_stop = addButton(QStringLiteral("StopBtn"), QStringLiteral("Stop"));
    m_stop->setEnabled(false);
    m_save = addButton(QStringLiteral("Speichern"), QStringLiteral("Speichern"));
    m_rhythm = addButton(QStringLiteral("RhythmusTrainingshilfe"),
                         QStringLiteral("Rhythmus Trainingshilfe"));

    connect(m_discipline, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Disziplin_Click(id);
    });
    connect(m_seriesList, &QListWidget::currentRowChanged, this, &TargetWindow::SerienListe_Click);
    connect(m_shotList, &QListWidget::currentRowChanged, this, &TargetWindow::SchussListe_Click);
    connect(m_nextSeries, &QPushButton::clicked, this, &TargetWindow::WeitereSerie_Click);
    connect(m_undo, &QPushButton::clicked, this, &TargetWindow::Undo_Click);
    connect(m_new, &QPushButton::clicked, this, &TargetWindow::Neu_Click);
    connect(m_recompute, &QPushButton::clicked, this, &TargetWindow::NeuBerechnen_Click);
    connect(m_whiteShots, &QPushButton::clicked, this, &TargetWindow::WeisseSchuesse_Click);
    connect(m_comment, &QPushButton::clicked, this, &TargetWindow::Kommentar_Click);
    connect(m_start, &QPushButton::clicked, this, &TargetWindow::StartBtn_Click);
    connect(m_stop, &QPushButton::clicked, this, &TargetWindow::StopBtn_Click);
    connect(m_save, &QPushButton::clicked, this, &TargetWindow::Speichern_Click);
    connect(m_rhythm, &QPushButton::clicked, this, &TargetWindow::RhythmusTrainingshilfe_Click);
}

void TargetWindow::Disziplin_Click(int index) {
    if (m_sheet.face().discipline() == index)
        return;
    m_sheet.setDiscipline(index);
    refresh();
}

void TargetWindow::SerienListe_Click(int row) {
    if (row < 0)
        return;
    m_sheet.selectSeries(row + 1);
    refresh();
}

void TargetWindow::SchussListe_Click(int row) {
    if (row < 0)
        return;
    m_sheet.highlightShot(row);
    update();
}

void TargetWindow::SchussListe_LostFocus() {
    m_sheet.clearHighlight();
    refresh();
}

void TargetWindow::WeitereSerie_Click() {
    if (!m_sheet.nextSeries())
        m_dialogs.messageBox(this, seriesLimitMessage() +
                                       QStringLiteral(" Bitte die Serien speichern und mit „Neu“ "
                                                      "von vorn beginnen."));
    refresh();
}

void TargetWindow::Undo_Click() {
    m_sheet.undo();
    refresh();
}

void TargetWindow::Neu_Click() {
    m_sheet.newSession();
    refresh();
}

void TargetWindow::NeuBerechnen_Click() {
    m_sheet.recompute();
    refresh();
}

void TargetWindow::WeisseSchuesse_Click() {
    m_sheet.toggleWhiteShots();
    update();
}

void TargetWindow::Kommentar_Click() {
    const QString text = m_dialogs.inputBox(this, QStringLiteral("Kommentar"),
                                            QStringLiteral("Kommentar zum Schuss"));
    m_sheet.addComment(text);
    refresh();
}

void TargetWindow::StartBtn_Click() {
    m_start->setEnabled(false);
    m_stop->setEnabled(true);
    m_stop->setFocus();
    m_sheet.startStopwatch();
}

void TargetWindow::StopBtn_Click() {
    const QString caption = m_sheet.stopStopwatch();
    m_start->setEnabled(true);
    m_stop->setEnabled(false);
    m_stop->setText(caption);
    m_start->setFocus();
}

QString seriesFileFilter() {
    return QStringLiteral("Textdateien (*.txt)");
}

void TargetWindow::Speichern_Click() {
    const QString proposed =
        proposedFileName(m_name->text(), QDate::currentDate(), m_sheet.locale());
    const QString path = m_dialogs.saveFileName(this, seriesFileFilter(), proposed);
    if (path.isEmpty())
        return;
    if (const auto error = writeSeriesFile(path, m_sheet.fileContent(), fileStyle()))
        m_dialogs.messageBox(this, *error);
}

void TargetWindow::RhythmusTrainingshilfe_Click() {
    showRhythmWindow(m_services.tones, m_dialogs);
}

bool TargetWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_shotList && event->type() == QEvent::FocusOut)
        SchussListe_LostFocus();
    return QWidget::eventFilter(watched, event);
}

void TargetWindow::refresh() {
    m_capShotNumber->setText(m_sheet.caption());
    {
        const QSignalBlocker block(m_seriesList);
        syncList(m_seriesList, m_sheet.seriesList());
        m_seriesList->setCurrentRow(m_sheet.selectedSeries() - 1);
    }
    {
        // Only the outlined shot's row stays chosen, so that any row can be
        // clicked again once the lists were rebuilt.
        const QSignalBlocker block(m_shotList);
        syncList(m_shotList, m_sheet.shotList());
        m_shotList->setCurrentRow(m_sheet.highlightedRow());
    }
    syncList(m_valueList, m_sheet.valueList());
    syncText(m_seriesSum, m_sheet.sums().whole);
    syncText(m_seriesSumTenths, m_sheet.sums().tenths);
    setSignalColour(m_nextSeries, m_sheet.nextSeriesSignal());
    m_undo->setEnabled(m_sheet.undoEnabled());
    m_recompute->setEnabled(m_sheet.recomputeEnabled());
    update();
}

void TargetWindow::paintMarks(QPainter& painter) {
    ankerblick::paintMarks(painter, m_sheet.hits());
}

void TargetWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintFace(p, m_sheet.face());
    paintMarks(p);
}

void TargetWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    m_sheet.mouseMove(float(pos.x()), float(pos.y()));
    update();
}

void TargetWindow::mousePressEvent(QMouseEvent* event) {
    m_sheet.mousePress(buttonOf(event->button()));
}

void TargetWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    m_sheet.mouseRelease(buttonOf(event->button()), float(pos.x()), float(pos.y()));
    refresh();
}

void TargetWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click is a press like any other: a
    // double-click enters exactly its two clicks.
    mousePressEvent(event);
}

} // namespace ankerblick
