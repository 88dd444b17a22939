#include "form1.h"

#include "platform/userdialogs.h"
#include "windows/shared/targetpainter.h"
#include "windows/shared/widgets.h"

#include <QButtonGroup>
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

QListWidget* makeList(QWidget* parent, const QString& name, int width) {
    auto* l = named(new QListWidget(parent), name);
    l->setFixedWidth(width);
    l->setMinimumHeight(190);
    l->setSelectionMode(QAbstractItemView::NoSelection);
    l->setFocusPolicy(Qt::NoFocus);
    return l;
}

QLineEdit* makeFigure(QWidget* parent, const QString& name, int width) {
    auto* e = named(new QLineEdit(parent), name);
    e->setReadOnly(true);
    e->setFixedWidth(width);
    e->setAlignment(Qt::AlignRight);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

QButtonGroup* makeOptions(QGroupBox* frame, const QString& name, const QStringList& captions) {
    auto* group = new QButtonGroup(frame);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(frame);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions.at(i), frame);
        option->setObjectName(name + u'_' + QString::number(i));
        option->setAccessibleName(captions.at(i));
        option->setAccessibleDescription(name);
        group->addButton(option, i);
        layout->addWidget(option);
    }
    layout->addStretch();
    return group;
}

QLabel* caption(QWidget* parent, const QString& text) { return new QLabel(text, parent); }

} // namespace

Form1::Form1(UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs), m_sheet(QLocale()) {
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    buildControls();
    Form_Load();
}

QString Form1::shooterName() const { return m_name->text(); }

void Form1::buildControls() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 12, 12);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->addItem(new QSpacerItem(kSurfaceWidth, kSurfaceHeight, QSizePolicy::Fixed,
                                  QSizePolicy::Fixed),
                  0, 0);

    auto* panel = new QWidget(this);
    auto* side = new QVBoxLayout(panel);
    side->setContentsMargins(0, 12, 0, 0);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(caption(panel, QStringLiteral("Schütze:")));
    m_name = named(new QLineEdit(panel), QStringLiteral("SchuetzenName"));
    nameRow->addWidget(m_name, 1);
    side->addLayout(nameRow);

    m_capShotNumber = makeStatusLabel(panel, QStringLiteral("CapSchussNummer"));
    QFont big = m_capShotNumber->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_capShotNumber->setFont(big);
    side->addWidget(m_capShotNumber);

    auto* optionsRow = new QHBoxLayout;
    auto* disciplineFrame = named(new QGroupBox(QStringLiteral("Disziplin"), panel),
                                  QStringLiteral("DisziplinFrame"));
    QStringList disciplines;
    for (int i = 0; i < kDisciplineCount; ++i)
        disciplines << disciplineCaption(i, true);
    m_discipline = makeOptions(disciplineFrame, QStringLiteral("Disziplin"), disciplines);
    optionsRow->addWidget(disciplineFrame);
    auto* sectorFrame = named(new QGroupBox(QStringLiteral("Sektoren"), panel),
                              QStringLiteral("SektorenFrame"));
    m_sectors = makeOptions(sectorFrame, QStringLiteral("Sektoren"),
                            {QStringLiteral("4"), QStringLiteral("8")});
    optionsRow->addWidget(sectorFrame);
    auto* ringFrame =
        named(new QGroupBox(QStringLiteral("Ringe"), panel), QStringLiteral("RingeFrame"));
    m_ringAccuracy = makeOptions(ringFrame, QStringLiteral("Ringgenauigkeit"),
                                 {QStringLiteral("0,5"), QStringLiteral("1")});
    optionsRow->addWidget(ringFrame);
    optionsRow->addStretch();
    side->addLayout(optionsRow);

    auto* listsRow = new QHBoxLayout;
    auto* shots = new QGridLayout;
    shots->addWidget(caption(panel, QStringLiteral("Serie")), 0, 0);
    shots->addWidget(caption(panel, QStringLiteral("Schuss")), 0, 1);
    shots->addWidget(caption(panel, QStringLiteral("Wert")), 0, 2);
    m_seriesList = makeList(panel, QStringLiteral("SerienListe"), 48);
    m_shotList = makeList(panel, QStringLiteral("SchussListe"), 48);
    m_valueList = makeList(panel, QStringLiteral("Schusswert"), 56);
    shots->addWidget(m_seriesList, 1, 0);
    shots->addWidget(m_shotList, 1, 1);
    shots->addWidget(m_valueList, 1, 2);
    shots->addWidget(caption(panel, QStringLiteral("Summe:")), 2, 0, 1, 2, Qt::AlignRight);
    m_seriesSum = makeFigure(panel, QStringLiteral("SerienSumme"), 56);
    shots->addWidget(m_seriesSum, 2, 2);
    shots->addWidget(caption(panel, QStringLiteral("Zehntel:")), 3, 0, 1, 2, Qt::AlignRight);
    m_seriesSumTenths = makeFigure(panel, QStringLiteral("SerienSummeZehntel"), 56);
    shots->addWidget(m_seriesSumTenths, 3, 2);
    listsRow->addLayout(shots);

    auto* ratingFrame = named(new QGroupBox(QStringLiteral("Ansagegenauigkeit:"), panel),
                              QStringLiteral("AnsagegenauigkeitFrame"));
    auto* rating = new QGridLayout(ratingFrame);
    rating->addWidget(caption(ratingFrame, QStringLiteral("Ansage%:")), 0, 0, 1, 2);
    rating->addWidget(caption(ratingFrame, QStringLiteral("Sek*mm:")), 0, 2, 1, 2);
    m_scoreList = makeList(ratingFrame, QStringLiteral("AbweichungsListe"), 56);
    m_sekMmList = makeList(ratingFrame, QStringLiteral("AbweichungslisteSekMM"), 56);
    rating->addWidget(m_scoreList, 1, 0, 1, 2);
    rating->addWidget(m_sekMmList, 1, 2, 1, 2);
    rating->addWidget(caption(ratingFrame, QStringLiteral("Gesamt:")), 2, 0);
    m_scoreTotal = makeFigure(ratingFrame, QStringLiteral("AbweichungSchnittTxt"), 48);
    rating->addWidget(m_scoreTotal, 2, 1);
    rating->addWidget(caption(ratingFrame, QStringLiteral("Schnitt")), 2, 2);
    m_sekMmMean = makeFigure(ratingFrame, QStringLiteral("AbweichungSekMMSchnittTxt"), 64);
    rating->addWidget(m_sekMmMean, 2, 3);
    listsRow->addWidget(ratingFrame);
    listsRow->addStretch();
    side->addLayout(listsRow);
    side->addStretch();
    grid->addWidget(panel, 0, 1);

    auto* buttons = new QGridLayout;
    buttons->setContentsMargins(16, 0, 0, 0);
    struct ButtonSpec {
        const char16_t* name;
        const char16_t* caption;
    };
    static constexpr ButtonSpec specs[] = {
        {u"WeitereSerie", u"Weitere Serie"},
        {u"Undo", u"Rückgängig"},
        {u"Neu", u"Neu"},
        {u"NeuBerechnen", u"Neu Berechnen"},
        {u"WeisseSchüsse", u"Schüsse weiß An/Aus"},
        {u"Kommentar", u"Kommentar"},
        {u"Kommentare_an_aus", u"Kommentare an/aus"},
        {u"StartBtn", u"Start"},
        {u"StopBtn", u"Stop"},
        {u"Speichern", u"Speichern"},
        {u"Laden", u"Laden"},
        {u"Drucken", u"Drucken"},
        {u"BtnSchusseingabe", u"Schuss- eingabe öffnen"},
        {u"BtnAnalyseAnzeige", u"Analyse und Anzeige öffnen"},
        {u"RhythmusTrainingshilfe", u"Rhythmus Trainingshilfe"},
        {u"Schusszeitanalyse", u"Schusszeit analyse"},
    };
    int n = 0;
    for (const ButtonSpec& spec : specs) {
        auto* b = makeButton(this, QString::fromUtf16(spec.name), QString::fromUtf16(spec.caption));
        b->setMinimumHeight(30);
        // Built by later work on this window; until then they do nothing.
        b->setEnabled(false);
        buttons->addWidget(b, n / 8, n % 8);
        ++n;
    }
    grid->addLayout(buttons, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);

    m_nextSeries = findChild<QPushButton*>(QStringLiteral("WeitereSerie"));
    m_recompute = findChild<QPushButton*>(QStringLiteral("NeuBerechnen"));
    m_recompute->setEnabled(true);

    connect(m_discipline, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Disziplin_Click(id);
    });
    connect(m_sectors, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Sektoren_Click(id);
    });
    connect(m_ringAccuracy, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Ringgenauigkeit_Click(id);
    });
    connect(m_recompute, &QPushButton::clicked, this, &Form1::NeuBerechnen_Click);
    connect(m_name, &QLineEdit::textChanged, this, &Form1::SchuetzenName_Change);
    m_seriesList->setEnabled(false);
}

void Form1::Form_Load() {
    QString name = m_dialogs.inputBox(this, QStringLiteral("Bitte Name eingeben:"), QString());
    while (name.trimmed().isEmpty())
        name = m_dialogs.inputBox(
            this, QStringLiteral("Ohne Name geht nix. Also bitte Namen eingeben:"), QString());
    m_name->setText(name);
    SchuetzenName_Change();

    m_sheet.load();
    // The option groups show what the sheet chose; their handlers run the same choices.
    m_discipline->button(0)->setChecked(true);
    m_sectors->button(0)->setChecked(true);
    m_ringAccuracy->button(1)->setChecked(true);
    refresh();
}

void Form1::SchuetzenName_Change() { setWindowTitle(QStringLiteral("Ankerblick ") + m_name->text()); }

void Form1::Disziplin_Click(int index) {
    if (m_sheet.face().discipline() == index)
        return;
    m_sheet.setDiscipline(index);
    refresh();
}

void Form1::Sektoren_Click(int index) { m_sheet.setSectors(index); }

void Form1::Ringgenauigkeit_Click(int index) { m_sheet.setRingAccuracy(index); }

void Form1::NeuBerechnen_Click() {
    m_sheet.recompute();
    refresh();
}

void Form1::refresh() {
    m_capShotNumber->setText(m_sheet.caption());
    syncList(m_seriesList, m_sheet.seriesList());
    if (m_seriesList->count() >= m_sheet.selectedSeries())
        m_seriesList->setCurrentRow(m_sheet.selectedSeries() - 1);
    syncList(m_shotList, m_sheet.shotList());
    syncList(m_valueList, m_sheet.valueList());
    syncList(m_scoreList, m_sheet.rating().scores);
    syncList(m_sekMmList, m_sheet.rating().sekMm);
    syncText(m_scoreTotal, m_sheet.rating().total);
    syncText(m_sekMmMean, m_sheet.rating().mean);
    syncText(m_seriesSum, m_sheet.sums().whole);
    syncText(m_seriesSumTenths, m_sheet.sums().tenths);
    setSignalColour(m_nextSeries, m_sheet.nextSeriesSignal());
    update();
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintFace(p, m_sheet.face());
    paintMarks(p, m_sheet.calls());
    paintMarks(p, m_sheet.hits());
    paintLines(p, m_sheet.lines(), QColor(0, 200, 0));
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    m_sheet.mouseMove(float(pos.x()), float(pos.y()));
    update();
}

void Form1::mousePressEvent(QMouseEvent* event) { m_sheet.mousePress(buttonOf(event->button())); }

void Form1::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    m_sheet.mouseRelease(buttonOf(event->button()), float(pos.x()), float(pos.y()));
    refresh();
}

void Form1::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    m_sheet.doubleClick();
    refresh();
}

} // namespace ankerblick
