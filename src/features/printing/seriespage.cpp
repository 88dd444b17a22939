#include "seriespage.h"

#include "model/marks.h"
#include "widgets/pagetext.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <numbers>

namespace ankerblick::print {

namespace {

constexpr double kSlotPitch = 65.0;      // rows of targets
constexpr double kValueSlotPitch = 70.0; // rows of texts in the main window's page
constexpr double kHeaderBand = 5.0;      // the header above the first target
constexpr double kFaceBlock = 60.0;      // width of a target's block
constexpr double kEightColumnPitch = 96.0;
constexpr double kEightTextOffset = 63.0;
constexpr double kFourTextX = 150.0;
constexpr double kTextEm = 3.2;   // about 9 pt
constexpr double kHeaderEm = 3.5; // about 10 pt
constexpr double kTextTitleToRows = 10.0;
constexpr double kRowPitch = 4.0;
constexpr double kTextSums = 30.0;
constexpr double kTextInnerTens = 34.0; // below the sums
constexpr double kTextFigures = 40.0;   // the series' Trefferlage, below the inner tens
constexpr double kSmallEm = 2.6;        // the figures of the overall picture in a narrow column
constexpr double kSmallRowPitch = 3.2;
// The main window's overall figures stand right of the target, left of the texts.
constexpr double kFourFiguresX = kFaceBlock + 8.0;

// Text with its top left at `at`, at most maxWidth wide (elided at the right).
void drawText(QPainter& painter, QPointF at, const QString& text, const QFont& font,
              double maxWidthMm = 0.0) {
    painter.save();
    painter.translate(at);
    painter.scale(kPageTextUnit, kPageTextUnit);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    QString shown = text;
    if (maxWidthMm > 0.0)
        shown = metrics.elidedText(text, Qt::ElideRight, maxWidthMm / kPageTextUnit);
    const QRectF box(0.0, 0.0, metrics.horizontalAdvance(shown) + metrics.height(),
                     metrics.height());
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    painter.restore();
}

// Lines broken at blanks to fit maxWidthMm; a word wider than that stands alone.
QStringList wrapped(const QStringList& lines, const QFontMetricsF& metrics, double maxWidthMm) {
    const double max = maxWidthMm / kPageTextUnit;
    QStringList out;
    for (const QString& line : lines) {
        QString current;
        for (const QString& word : line.split(u' ', Qt::SkipEmptyParts)) {
            const QString longer = current.isEmpty() ? word : current + u' ' + word;
            if (!current.isEmpty() && metrics.horizontalAdvance(longer) > max) {
                out << current;
                current = word;
            } else {
                current = longer;
            }
        }
        out << current;
    }
    return out;
}

// Lines one below the other from `at`, broken to fit the width, as far as
// they fit above bottomMm.
void drawWrapped(QPainter& painter, QPointF at, const QStringList& lines, const QFont& font,
                 double pitchMm, double maxWidthMm, double bottomMm) {
    const QFontMetricsF metrics(font, painter.device());
    const QStringList rows = wrapped(lines, metrics, maxWidthMm);
    for (int k = 0; k < int(rows.size()); ++k) {
        const QPointF rowAt = at + QPointF(0, pitchMm * k);
        if (rowAt.y() + pitchMm > bottomMm)
            return;
        drawText(painter, rowAt, rows.at(k), font, maxWidthMm);
    }
}

// The header line; a name too long for the line gives way, the page numbers,
// date and time stay.
QString fittedHeader(const PageHeader& h, double maxWidthMm, const QFontMetricsF& metrics) {
    const double max = maxWidthMm / kPageTextUnit;
    const QString full = pageHeader(h.page, h.pages, h.shooter, h.date, h.time);
    if (metrics.horizontalAdvance(full) <= max)
        return full;
    const double rest =
        metrics.horizontalAdvance(pageHeader(h.page, h.pages, QString(), h.date, h.time));
    const QString name = metrics.elidedText(h.shooter, Qt::ElideRight, std::max(max - rest, 0.0));
    return pageHeader(h.page, h.pages, name, h.date, h.time);
}

// The square a target's view fills, about its centre.
QRectF viewSquare(QPointF centre) {
    const double half = kFaceBlock / 2.0;
    return {centre.x() - half, centre.y() - half, kFaceBlock, kFaceBlock};
}

// The numbers of the rings on the axes, as far as they fit in the view.
void drawRingNumbers(QPainter& painter, QPointF centre, const DisciplineInfo& info, int discipline,
                     double scale) {
    const QList<RingNumber> numbers = ringNumbers(discipline);
    if (numbers.isEmpty())
        return;
    const QRectF square = viewSquare(centre);
    const QFont font = pageFont(info.ringWidthMm * scale * 0.45);
    for (const RingNumber& n : numbers) {
        const double r = n.radiusMm * scale;
        for (const QPointF at : {centre + QPointF(-r, 0), centre + QPointF(r, 0),
                                 centre + QPointF(0, -r), centre + QPointF(0, r)}) {
            painter.save();
            painter.translate(at);
            painter.scale(kPageTextUnit, kPageTextUnit);
            painter.setFont(font);
            const QFontMetricsF metrics(font, painter.device());
            const QString text = QString::number(n.number);
            const QSizeF size(metrics.horizontalAdvance(text), metrics.ascent());
            const QRectF box(-size.width() / 2.0, -size.height() / 2.0, size.width(),
                             size.height());
            const QRectF boxMm(at + box.topLeft() * kPageTextUnit, box.size() * kPageTextUnit);
            if (square.contains(boxMm)) {
                painter.setPen(n.onBlack ? Qt::white : Qt::black);
                painter.drawText(box, Qt::AlignCenter, text);
            }
            painter.restore();
        }
    }
}

// Every ring of the face once, in mm: its numbered rings and the rings of
// its shapes (the inner ten, the dot of the ten).
QList<double> faceRingDiameters(const DisciplineInfo& info) {
    QList<double> rings;
    for (double d : info.faceRingsMm)
        if (d > 0.0)
            rings << d;
    for (int n : TargetFace::drawingOrder()) {
        const double d = info.ringDiameterMm[size_t(n)];
        if (n != Card && n != BlackArea && d > 0.0 && !rings.contains(d))
            rings << d;
    }
    return rings;
}

// The black area and every ring of the face at the view's scale: white
// lines on the black, black lines on the card; the ten to be shot out a
// white dot. Nothing beyond the view's square, which is framed.
void drawFace(QPainter& painter, QPointF centre, const DisciplineInfo& info, int discipline,
              double scale) {
    painter.save();
    painter.setClipRect(viewSquare(centre));
    const double black = info.blackDiameterMm * scale;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre, black / 2.0, black / 2.0);
    const double tenDot = info.innerTenMm <= 0.0 ? info.ringDiameterMm[size_t(Ring10)] : -1.0;
    for (double d : faceRingDiameters(info)) {
        painter.setPen(QPen(d < info.blackDiameterMm ? Qt::white : Qt::black, 0.2));
        painter.setBrush(d == tenDot ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
        painter.drawEllipse(centre, d * scale / 2.0, d * scale / 2.0);
    }
    drawRingNumbers(painter, centre, info, discipline, scale);
    painter.restore();
    // The edge of the view, where rings beyond it are cut.
    painter.setPen(QPen(QColor(128, 128, 128), 0.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(viewSquare(centre));
}

// One shot at its true size, numbered when there is room and it is asked for.
void drawShot(QPainter& painter, QPointF at, double radius, const QColor& fill, int number,
              const QFont* numberFont) {
    // The outline lies inside the shot, which keeps its true size.
    const double outline = std::min(0.15, radius / 2.0);
    painter.setPen(QPen(Qt::black, outline));
    painter.setBrush(fill);
    painter.drawEllipse(at, radius - outline / 2.0, radius - outline / 2.0);
    if (!numberFont)
        return;
    painter.save();
    painter.translate(at);
    painter.scale(kPageTextUnit, kPageTextUnit);
    painter.setFont(*numberFont);
    painter.setPen(Qt::black);
    const double r = radius / kPageTextUnit;
    painter.drawText(QRectF(-r, -r, 2 * r, 2 * r), Qt::AlignCenter, QString::number(number));
    painter.restore();
}

// A line that shows on black and on white: the colour on a black outline.
void drawOutlinedLine(QPainter& painter, QPointF from, QPointF to, const QColor& colour,
                      double width) {
    for (const QPen& pen : {QPen(Qt::black, width * 2.0, Qt::SolidLine, Qt::FlatCap),
                            QPen(colour, width, Qt::SolidLine, Qt::FlatCap)}) {
        painter.setPen(pen);
        painter.drawLine(from, to);
    }
}

// A mean point: upright for the hits, turned by 45 degrees for the calls, so
// that the two can be told apart also in black and white.
void drawCross(QPainter& painter, QPointF at, const QColor& colour, bool turned) {
    const double arm = 3.0;
    constexpr double kHalfSqrt2 = std::numbers::sqrt2 / 2.0;
    const QPointF a = turned ? QPointF(arm, arm) * kHalfSqrt2 : QPointF(arm, 0);
    const QPointF b = turned ? QPointF(arm, -arm) * kHalfSqrt2 : QPointF(0, arm);
    drawOutlinedLine(painter, at - a, at + a, colour, 0.45);
    drawOutlinedLine(painter, at - b, at + b, colour, 0.45);
}

// The crosses of the overall picture: red at the mean point of impact of the
// hits, blue at the mean point of the calls, joined by a line.
void drawMeanCrosses(QPainter& painter, QPointF centre, const OverallPicture& overall,
                     bool colour) {
    const PrintedTarget& target = overall.target;
    if (target.shots.isEmpty() || !disciplineInfo(target.discipline))
        return;
    const double scale = printedView(target, kFaceBlock).scale;
    QPointF sum;
    for (const TargetShot& s : target.shots)
        sum += QPointF(s.xMm, s.yMm);
    const QPointF hits = centre + sum / double(target.shots.size()) * scale;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(viewSquare(centre));
    const QColor hitsColour = colour ? QColor(230, 0, 0) : QColor(Qt::white);
    const QColor callColour = colour ? QColor(0, 90, 255) : QColor(Qt::white);
    if (overall.callMean) {
        const QPointF calls =
            centre + QPointF(overall.callMean->xMm, overall.callMean->yMm) * scale;
        drawOutlinedLine(painter, hits, calls, callColour, 0.2);
        drawCross(painter, calls, callColour, true);
    }
    drawCross(painter, hits, hitsColour, false);
    painter.restore();
}

// The scale of a view, centred in the gap below its square.
void drawScale(QPainter& painter, QPointF centre, double scale, const QLocale& locale) {
    const QFont font = pageFont(kSmallEm);
    const QString text = scaleLine(scale, locale);
    const double width =
        QFontMetricsF(font, painter.device()).horizontalAdvance(text) * kPageTextUnit;
    drawText(painter, centre + QPointF(-width / 2.0, kFaceBlock / 2.0 + 0.4), text, font);
}

// The target's view with its shots at their true size on its scale, and
// the scale below it.
void drawTarget(QPainter& painter, QPointF centre, const PrintedTarget& target, bool colour,
                bool numbered, const QLocale& locale) {
    const DisciplineInfo* info = disciplineInfo(target.discipline);
    if (!info)
        return;
    const double scale = printedView(target, kFaceBlock).scale;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    drawFace(painter, centre, *info, target.discipline, scale);

    painter.setClipRect(viewSquare(centre));
    const double radius = target.calibreMm * scale / 2.0;
    const bool withNumbers = numbered && radius * 2.0 >= 4.0;
    const QFont numberFont = pageFont(radius);
    for (const TargetShot& s : target.shots) {
        const QPointF at = centre + QPointF(s.xMm * scale, s.yMm * scale);
        QColor fill(190, 190, 190);
        if (colour) {
            const Rgb c = numbered ? hitColour(s.slot) : Rgb{255, 0, 0};
            fill = QColor(c.r, c.g, c.b);
        }
        drawShot(painter, at, radius, fill, s.slot + 1, withNumbers ? &numberFont : nullptr);
    }
    painter.restore();
    drawScale(painter, centre, scale, locale);
}

// Width of the text column of a slot, up to the next column or the page's edge.
double textWidth(SeriesPageStyle style, int slot, double pageWidthMm) {
    const double x = textOrigin(style, slot).x();
    if (style == SeriesPageStyle::EightPerPage && slot % 2 == 0)
        return std::min(kEightColumnPitch - 2.0, pageWidthMm) - x;
    return pageWidthMm - x;
}

// The figures of the overall picture: in the main window's page right of the
// target, in the analysis window's page below the summary (the slots after
// the overall picture stay empty, so the figures may run on to the page's end).
void drawOverallFigures(QPainter& painter, const QRectF& pageMm, SeriesPageStyle style, int slot,
                        const OverallPicture& overall) {
    if (overall.figures.isEmpty())
        return;
    if (style == SeriesPageStyle::FourPerPage) {
        const QPointF at(kFourFiguresX, slot * kSlotPitch + kHeaderBand);
        drawWrapped(painter, at, overall.figures, pageFont(kTextEm), kRowPitch,
                    kFourTextX - 12.0 - kFourFiguresX, pageMm.height());
        return;
    }
    const QPointF at = textOrigin(style, slot) +
                       QPointF(0, kTextTitleToRows + kRowPitch * double(overall.lines.size()));
    const double width = pageMm.width() - at.x();
    const bool narrow = width < kFourTextX - 12.0 - kFourFiguresX;
    drawWrapped(painter, at, overall.figures, pageFont(narrow ? kSmallEm : kTextEm),
                narrow ? kSmallRowPitch : kRowPitch, width, pageMm.height());
}

} // namespace

int seriesPerPage(SeriesPageStyle style) {
    return style == SeriesPageStyle::EightPerPage ? 8 : 4;
}

QPointF targetCentre(SeriesPageStyle style, int slot) {
    const double half = kFaceBlock / 2.0;
    if (style == SeriesPageStyle::EightPerPage)
        return {(slot % 2) * kEightColumnPitch + half,
                (slot / 2) * kSlotPitch + kHeaderBand + half};
    return {half, slot * kSlotPitch + kHeaderBand + half};
}

QPointF textOrigin(SeriesPageStyle style, int slot) {
    if (style == SeriesPageStyle::EightPerPage)
        return {(slot % 2) * kEightColumnPitch + kEightTextOffset,
                (slot / 2) * kSlotPitch + kHeaderBand};
    return {kFourTextX, slot * kValueSlotPitch};
}

void drawSeriesPage(QPainter& painter, const QRectF& pageMm, const SeriesPage& page) {
    painter.save();
    painter.translate(pageMm.topLeft());
    painter.setPen(Qt::black);
    const QFont font = pageFont(kTextEm);
    const QFont bold = pageFont(kTextEm, true);
    const auto textAt = [&](int slot, double dy) {
        return textOrigin(page.style, slot) + QPointF(0, dy);
    };

    int slot = 0;
    for (const PrintedSeries& s : page.series) {
        drawTarget(painter, targetCentre(page.style, slot), s.target, page.colour, true,
                   page.locale);
        drawText(painter, textAt(slot, 0.0), seriesTitle(s.number), bold);
        for (int k = 0; k < kValueRows; ++k)
            drawText(painter, textAt(slot, kTextTitleToRows + kRowPitch * k), valueRow(s.values, k),
                     font);
        drawText(painter, textAt(slot, kTextSums), sumsLine(s.sumWhole, s.sumTenths), font);
        drawText(painter, textAt(slot, kTextInnerTens), innerTensLine(s.innerTens), font);
        if (!s.groupLine.isEmpty())
            drawWrapped(painter, textAt(slot, kTextFigures), {s.groupLine}, font, kRowPitch,
                        textWidth(page.style, slot, pageMm.width()), pageMm.height());
        ++slot;
    }
    if (page.overall) {
        const OverallPicture& o = *page.overall;
        drawTarget(painter, targetCentre(page.style, slot), o.target, page.colour, false,
                   page.locale);
        drawMeanCrosses(painter, targetCentre(page.style, slot), o, page.colour);
        drawText(painter, textAt(slot, 0.0), o.title, bold);
        for (int k = 0; k < int(o.lines.size()); ++k)
            drawText(painter, textAt(slot, kTextTitleToRows + kRowPitch * k), o.lines.at(k), font,
                     pageMm.width() - textAt(slot, 0.0).x());
        drawOverallFigures(painter, pageMm, page.style, slot, o);
    }

    // The header last, so that nothing covers it.
    const QFont headerFont = pageFont(kHeaderEm, true);
    double headerWidth = pageMm.width();
    if (page.style == SeriesPageStyle::FourPerPage)
        headerWidth = std::min(headerWidth, kFourTextX - 10.0);
    drawText(painter, QPointF(0, 0),
             fittedHeader(page.header, headerWidth, QFontMetricsF(headerFont, painter.device())),
             headerFont);

    painter.restore();
}

} // namespace ankerblick::print
