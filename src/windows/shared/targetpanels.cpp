#include "targetpanels.h"

#include "model/targetface.h"
#include "widgets/analysispanel.h"
#include "widgets/targetview.h"
#include "widgets/widgets.h"

#include <QAction>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ankerblick {

namespace {

// Whether a list shown at revision `shown` must be rebuilt for `now`; a list
// without revisions always is compared item by item.
bool listChanged(std::optional<quint64>& shown, std::optional<quint64> now) {
    if (now && shown == now)
        return false;
    shown = now;
    return true;
}

QListWidget* makeChoiceList(QWidget* parent, const QString& name, int width) {
    auto* l = makeListBox(parent, name, width);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setFocusPolicy(Qt::StrongFocus);
    return l;
}

// The side panel scrolls up and down where the window is short; it is as
// wide as its widest row, so nothing in it is ever cut at the side.
class SideScroll final : public QScrollArea {
public:
    explicit SideScroll(QWidget* parent) : QScrollArea(parent) {
        setObjectName(QStringLiteral("Seitenleiste"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    }
    QSize minimumSizeHint() const override {
        return {contentWidth(widget()->minimumSizeHint().width()), kShortest};
    }
    // As wide as the panel must be, not as its texts would like: a longer
    // text wraps instead of taking room from the target.
    QSize sizeHint() const override {
        return {contentWidth(widget()->minimumSizeHint().width()),
                std::min(widget()->sizeHint().height(), TargetView::kHeight)};
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A panel shown or hidden inside changes the width the side needs.
        if (watched == widget() && event->type() == QEvent::LayoutRequest)
            updateGeometry();
        return QScrollArea::eventFilter(watched, event);
    }

private:
    static constexpr int kShortest = 120;
    // The room for the panel and the scroll bar beside it.
    int contentWidth(int panel) const {
        return panel + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
    }
};

} // namespace

TargetPanels::TargetPanels(QWidget* window, TargetView* view, const PanelStyle& style)
    : QObject(window), m_window(window), m_view(view), m_style(style) {
    // The drawing area takes the top left of the client area below the menu
    // bar and grows with the window; the side panel keeps its width.
    auto* grid = new QGridLayout(window);
    grid->setContentsMargins(0, 0, 12, 12);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->addWidget(view, 0, 0);
    // One line, kept when empty, so that the target never moves for it.
    m_hint = makeStatusLabel(window, QStringLiteral("Einstiegshinweis"));
    m_hint->setAlignment(Qt::AlignCenter);
    m_hint->setMinimumHeight(m_hint->fontMetrics().height());
    auto* belowTarget = new QHBoxLayout;
    belowTarget->addWidget(m_hint, 1);
    // Keeps the buttons together at the right where a window hides the hint.
    belowTarget->addStretch();
    addZoomButtons(belowTarget);
    grid->addLayout(belowTarget, 1, 0);
    // The target shows no text; its name lets assistive tools find it.
    view->setObjectName(QStringLiteral("Scheibe"));
    view->setAccessibleName(tr("Scheibe"));

    auto* scroll = new SideScroll(window);
    m_panel = new QWidget(scroll);
    m_side = new QVBoxLayout(m_panel);
    m_side->setContentsMargins(0, 12, 0, 0);
    buildHeader();
    scroll->setWidget(m_panel);
    m_panel->installEventFilter(scroll);
    grid->addWidget(scroll, 0, 1);

    m_buttons = new QGridLayout;
    m_buttons->setContentsMargins(16, 0, 0, 0);
    grid->addLayout(m_buttons, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
}

// Zoom out and in ("-", "+", the wheel on the target), the whole face, and
// the shots of the series shown.
void TargetPanels::addZoomButtons(QHBoxLayout* row) {
    struct Zoom {
        const char* name;
        QString caption;
        QString spoken;
        QList<QKeySequence> keys;
        void (TargetView::*slot)();
    };
    const QList<Zoom> zooms{
        {"ZoomKleiner",
         QStringLiteral("\u2212"),
         tr("Verkleinern"),
         {QKeySequence(Qt::Key_Minus), QKeySequence(Qt::KeypadModifier | Qt::Key_Minus),
          QKeySequence(QKeySequence::ZoomOut)},
         &TargetView::zoomOut},
        {"ZoomGroesser",
         QStringLiteral("+"),
         tr("Vergrößern"),
         {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::KeypadModifier | Qt::Key_Plus),
          QKeySequence(QKeySequence::ZoomIn)},
         &TargetView::zoomIn},
        {"GanzeScheibe", tr("Ganze Scheibe"), tr("Ganze Scheibe"), {}, &TargetView::showWholeFace},
        {"Gruppe", tr("Gruppe"), tr("Gruppe"), {}, &TargetView::showGroup},
    };
    for (const Zoom& zoom : zooms) {
        auto* button = new QToolButton(m_window);
        button->setObjectName(QString::fromLatin1(zoom.name));
        button->setText(zoom.caption);
        button->setAccessibleName(zoom.spoken);
        button->setToolTip(zoom.keys.isEmpty()
                               ? zoom.spoken
                               : tr("%1 (%2)").arg(zoom.spoken, zoom.keys.first().toString(
                                                                    QKeySequence::NativeText)));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, m_view, zoom.slot);
        if (!zoom.keys.isEmpty()) {
            auto* action = new QAction(zoom.spoken, m_window);
            action->setShortcuts(zoom.keys);
            connect(action, &QAction::triggered, m_view, zoom.slot);
            m_window->addAction(action);
        }
        row->addWidget(button);
    }
}

void TargetPanels::buildHeader() {
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(makeCaption(m_panel, tr("Schütze:")));
    m_name = named(new QLineEdit(m_panel), QStringLiteral("SchuetzenName"));
    nameRow->addWidget(m_name, 1);
    m_side->addLayout(nameRow);

    m_capShotNumber = makeStatusLabel(m_panel, QStringLiteral("CapSchussNummer"));
    m_capShotNumber->setWordWrap(true);
    QFont big = m_capShotNumber->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_capShotNumber->setFont(big);
    m_side->addWidget(m_capShotNumber);

    m_optionsRow = new QHBoxLayout;
    auto* disciplineFrame =
        named(new QGroupBox(tr("Disziplin"), m_panel), QStringLiteral("DisziplinFrame"));
    QStringList disciplines;
    for (int i = 0; i < kDisciplineCount; ++i)
        disciplines << disciplineCaption(i);
    // Two columns of three: the pistol faces, then the rifle faces.
    m_discipline = makeOptionGroup(disciplineFrame, QStringLiteral("Disziplin"), disciplines, 3);
    m_optionsRow->addWidget(disciplineFrame);
    m_side->addLayout(m_optionsRow);
    m_sourcesRow = new QHBoxLayout;
    m_sourcesRow->addStretch();
    m_side->addLayout(m_sourcesRow);

    connect(m_discipline, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Q_EMIT disciplineChosen(id);
    });
}

QGridLayout* TargetPanels::buildShotGrid() {
    auto* shots = new QGridLayout;
    shots->addWidget(makeCaption(m_panel, tr("Serie")), 0, 0);
    shots->addWidget(makeCaption(m_panel, tr("Schuss")), 0, 1);
    shots->addWidget(makeCaption(m_panel, tr("Wert")), 0, 2);
    m_seriesList = makeChoiceList(m_panel, QStringLiteral("SerienListe"), m_style.seriesListWidth);
    m_shotList = makeChoiceList(m_panel, QStringLiteral("SchussListe"), m_style.shotListWidth);
    m_valueList = makeListBox(m_panel, QStringLiteral("Schusswert"), 56);
    for (QListWidget* list : {m_seriesList, m_shotList, m_valueList})
        list->setUniformItemSizes(m_style.longLists);
    shots->addWidget(m_seriesList, 1, 0);
    shots->addWidget(m_shotList, 1, 1);
    shots->addWidget(m_valueList, 1, 2);
    shots->addWidget(makeCaption(m_panel, tr("Summe:")), 2, 0, 1, 2, Qt::AlignRight);
    m_seriesSum = makeFigureBox(m_panel, QStringLiteral("SerienSumme"), 56);
    shots->addWidget(m_seriesSum, 2, 2);
    shots->addWidget(makeCaption(m_panel, tr("Zehntel:")), 3, 0, 1, 2, Qt::AlignRight);
    m_seriesSumTenths = makeFigureBox(m_panel, QStringLiteral("SerienSummeZehntel"), 56);
    shots->addWidget(m_seriesSumTenths, 3, 2);
    // The inner tens of the series and, below, of all series.
    shots->addWidget(makeCaption(m_panel, tr("Innenzehner:")), 4, 0, 1, 2, Qt::AlignRight);
    m_innerTens = makeFigureBox(m_panel, QStringLiteral("Innenzehner"), 56);
    shots->addWidget(m_innerTens, 4, 2);
    shots->addWidget(makeCaption(m_panel, tr("alle Serien:")), 5, 0, 1, 2, Qt::AlignRight);
    m_allInnerTens = makeFigureBox(m_panel, QStringLiteral("InnenzehnerAlle"), 56);
    shots->addWidget(m_allInnerTens, 5, 2);
    return shots;
}

void TargetPanels::buildLists() {
    m_listsRow = new QHBoxLayout;
    m_listsRow->addLayout(buildShotGrid());
    m_side->addLayout(m_listsRow);

    connect(m_seriesList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            Q_EMIT seriesChosen(row + 1);
    });
    connect(m_shotList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            Q_EMIT shotChosen(row);
    });
}

QPlainTextEdit* TargetPanels::addCommentBox() {
    m_comments = named(new QPlainTextEdit(m_panel), QStringLiteral("Kommentaretxt"));
    m_comments->setReadOnly(true);
    m_comments->setMaximumHeight(90);
    m_side->addWidget(m_comments);
    m_side->addStretch();
    return m_comments;
}

QPushButton* TargetPanels::addButton(const QString& name, const QString& caption) {
    auto* b = makeButton(m_window, name, caption);
    b->setMinimumHeight(30);
    m_buttons->addWidget(b, m_buttonCount / 8, m_buttonCount % 8);
    ++m_buttonCount;
    return b;
}

void TargetPanels::show(const SeriesFigures& figures) {
    m_capShotNumber->setText(figures.caption);
    {
        const QSignalBlocker block(m_seriesList);
        if (listChanged(m_shownSeriesRevision, figures.seriesRevision))
            syncList(m_seriesList, figures.series);
        m_seriesList->setCurrentRow(figures.selectedSeries - 1);
    }
    {
        // Only the outlined shot's row stays chosen, so that any row can be
        // clicked again once the lists were rebuilt.
        const QSignalBlocker block(m_shotList);
        if (listChanged(m_shownShotRevision, figures.shotRevision))
            syncList(m_shotList, figures.shots);
        m_shotList->setCurrentRow(figures.highlightedRow);
    }
    syncList(m_valueList, figures.values);
    syncText(m_seriesSum, figures.sumWhole);
    syncText(m_seriesSumTenths, figures.sumTenths);
    syncText(m_innerTens, QString::number(figures.innerTens));
    syncText(m_allInnerTens, QString::number(figures.allInnerTens));
}

void TargetPanels::showComments(const QString& comments) {
    const QString shown = QString(comments).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (m_comments->toPlainText() != shown)
        m_comments->setPlainText(shown);
}

void TargetPanels::showDiscipline(int index) {
    if (QAbstractButton* option = m_discipline->button(index)) {
        const QSignalBlocker block(m_discipline);
        option->setChecked(true);
    }
}

AnalysisPanel* TargetPanels::makeAnalysisPanel(bool rated, UserDialogs& dialogs, Settings& settings,
                                               std::function<int()> discipline,
                                               std::function<void()> changed) {
    auto* panel = new AnalysisPanel(rated, m_window);
    connect(panel, &AnalysisPanel::crossesToggled, m_view, qOverload<>(&QWidget::update));
    connect(panel, &AnalysisPanel::clickValueRequested, this,
            [this, &dialogs, &settings, discipline = std::move(discipline),
             changed = std::move(changed)] {
                if (askClickValue(m_window, dialogs, settings, discipline(), QLocale()))
                    changed();
            });
    return panel;
}

} // namespace ankerblick
