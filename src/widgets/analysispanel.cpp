#include "analysispanel.h"

#include "model/numeric.h"
#include "services/settings.h"
#include "services/userdialogs.h"
#include "sheets/groupreport.h"
#include "widgets/command.h"
#include "widgets/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <cmath>

namespace ankerblick {

namespace {

constexpr int kRoseSize = 112;
// The rose shows offsets up to this many millimetres from the call at the
// target's scale; farther hits sit on its edge.
constexpr double kRoseMarkRadius = 2.5;

QFont smallFont(QFont font) {
    font.setPointSizeF(font.pointSizeF() * 0.85);
    return font;
}

QString block(const QString& heading, const QStringList& lines) {
    return heading + u'\n' + lines.join(u'\n');
}

// The shots of series first..last (1-based) of the store on the face.
QList<group::Shot> shotsOfSeries(const SeriesStore& store, int first, int last,
                                 const TargetFace& face, const RatingOptions* options,
                                 const QList<int>& notCounted = {}) {
    QList<group::Shot> shots;
    for (int n = std::max(first, 1); n <= last && store.contains(n); ++n)
        if (!notCounted.contains(n))
            shots.append(group::shotsOf(store[n], face, options));
    return shots;
}

} // namespace

CallRose::CallRose(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Ansagerose"));
    setAccessibleName(tr("Ansagerose"));
    setFixedSize(kRoseSize, kRoseSize);
    setFont(smallFont(font()));
}

void CallRose::showShots(const QList<group::Shot>& shots, double scale) {
    m_offsets.clear();
    m_counts = {};
    m_scale = scale;
    for (const group::Shot& s : shots) {
        if (!s.call)
            continue;
        const group::PointMm offset{s.hit.x - s.call->x, s.hit.y - s.call->y};
        m_offsets.append(offset);
        if (const int k = group::sectorOf(offset); k >= 0)
            ++m_counts[size_t(k)];
    }
    update();
}

void CallRose::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(rect(), palette().base());
    const QPointF c(width() / 2.0, height() / 2.0);
    const double labelGap = fontMetrics().height() + 2.0;
    const double inner = width() / 2.0 - labelGap;
    p.setPen(QPen(palette().mid().color(), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, inner, inner);
    for (int k = 0; k < group::kSectors; ++k) {
        // Sector boundaries lie half-way between the eight directions.
        const double a = (k * 45.0 + 22.5) * M_PI / 180.0;
        p.drawLine(c, c + QPointF(std::sin(a), -std::cos(a)) * inner);
        const double m = k * 45.0 * M_PI / 180.0;
        const QPointF at = c + QPointF(std::sin(m), -std::cos(m)) * (inner + labelGap / 2.0);
        const QRectF box(at.x() - labelGap, at.y() - labelGap / 2.0, 2 * labelGap, labelGap);
        p.setPen(palette().text().color());
        p.drawText(box, Qt::AlignCenter, QString::number(m_counts[size_t(k)]));
        p.setPen(QPen(palette().mid().color(), 1.0));
    }
    p.setPen(QPen(Qt::blue, 1.5));
    p.drawLine(c - QPointF(4, 0), c + QPointF(4, 0));
    p.drawLine(c - QPointF(0, 4), c + QPointF(0, 4));
    p.setPen(QPen(Qt::darkRed, 1.0));
    p.setBrush(Qt::red);
    for (const group::PointMm& o : m_offsets) {
        QPointF d(o.x * m_scale, -o.y * m_scale);
        const double length = std::hypot(d.x(), d.y());
        if (length > inner - kRoseMarkRadius)
            d *= (inner - kRoseMarkRadius) / length;
        p.drawEllipse(c + d, kRoseMarkRadius, kRoseMarkRadius);
    }
}

namespace {
constexpr int kTextColumns = 26; // characters of a line of figures
} // namespace

AnalysisPanel::AnalysisPanel(bool withCalls, QWidget* parent)
    : FoldingBox(tr("Auswertung"), parent) {
    setObjectName(QStringLiteral("Auswertung"));
    auto* grid = new QGridLayout(content());
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setSpacing(4);
    m_text = named(new QLabel(this), QStringLiteral("AuswertungText"));
    m_text->setFont(smallFont(m_text->font()));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    // Room for a line of figures; a longer one wraps instead of widening the panel.
    m_text->setMinimumWidth(m_text->fontMetrics().averageCharWidth() * kTextColumns);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(m_text, 0, 0, 3, 1);
    if (withCalls) {
        m_rose = new CallRose(this);
        grid->addWidget(m_rose, 0, 1, Qt::AlignRight | Qt::AlignTop);
    }
    m_crosses =
        named(new QCheckBox(tr("Trefferlage zeigen"), this), QStringLiteral("TrefferlageZeigen"));
    m_crosses->setFont(smallFont(m_crosses->font()));
    grid->addWidget(m_crosses, 1, 1);
    m_clickValue = named(new QPushButton(tr("Klickwert …"), this), QStringLiteral("Klickwert"));
    m_clickValue->setFont(smallFont(m_clickValue->font()));
    grid->addWidget(m_clickValue, 2, 1, Qt::AlignBottom);
    grid->setColumnStretch(0, 1);
    connect(m_crosses, &QCheckBox::toggled, this, &AnalysisPanel::crossesToggled);
    m_clickValueCommand = makeCommand(m_clickValue);
    connect(m_clickValueCommand, &QAction::triggered, this, &AnalysisPanel::clickValueRequested);
}

void AnalysisPanel::showSeries(const SeriesStore& store, int selected, int listed,
                               const TargetFace& face, const RatingOptions* options, double clickMm,
                               const QLocale& locale, const QList<int>& notCounted) {
    showShots(shotsOfSeries(store, selected, selected, face, options),
              shotsOfSeries(store, 1, listed, face, options, notCounted), face, clickMm, locale);
}

void AnalysisPanel::showShots(const QList<group::Shot>& series, const QList<group::Shot>& all,
                              const TargetFace& face, double clickMm, const QLocale& locale) {
    m_series = group::analyse(series);
    const QStringList seriesLines = group::reportLines(m_series, clickMm, locale);
    const QStringList allLines = group::reportLines(group::analyse(all), clickMm, locale);
    const QString text = block(tr("Serie"), seriesLines) + QStringLiteral("\n\n") +
                         block(tr("Alle Serien"), allLines);
    if (m_text->text() != text)
        m_text->setText(text);
    if (m_rose)
        m_rose->showShots(series, face.scale());
}

bool AnalysisPanel::crossesShown() const {
    return m_crosses->isChecked();
}

double clickValue(const Settings& settings, int discipline) {
    return settings.clickMm(discipline, group::defaultClickMm(discipline));
}

bool askClickValue(QWidget* parent, UserDialogs& dialogs, Settings& settings, int discipline,
                   const QLocale& locale) {
    const std::optional<double> mm = askMillimetres(
        parent, dialogs,
        QCoreApplication::translate("ankerblick::AnalysisPanel",
                                    "Klickwert für %1 in mm an der Scheibe:")
            .arg(disciplineCaption(discipline)),
        QCoreApplication::translate("ankerblick::AnalysisPanel", "Klickwert"),
        clickValue(settings, discipline), locale, [](double v) { return v > 0.0 && v <= 100.0; },
        QCoreApplication::translate(
            "ankerblick::AnalysisPanel",
            "Bitte einen Klickwert über 0 bis 100 mm eingeben, zum Beispiel „1,5“."));
    if (!mm)
        return false;
    settings.setClickMm(discipline, *mm);
    return true;
}

} // namespace ankerblick
