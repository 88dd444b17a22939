#include "printcontent.h"

#include "groupreport.h"
#include "model/numeric.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace ankerblick::print {

SeriesPrintData seriesPrintData(const SeriesRecord& record, const TargetFace& face,
                                const SeriesRules& rules, const RatingOptions* options) {
    SeriesPrintData data;
    data.record = record;
    if (options)
        data.ratingOptions = *options;
    data.rules = rules;
    const SeriesScore score = scoreSeries(record, face, rules);
    data.values = score.values();
    data.sums = score.sums;
    return data;
}

PrintedTarget printedTarget(const SeriesRecord& record, const TargetFace& face) {
    PrintedTarget target;
    target.discipline = face.discipline();
    const double scale = face.scale();
    if (target.discipline < 0 || scale <= 0.0) {
        // A face no discipline was chosen for yet: the start-up discipline "LP".
        TargetFace lp;
        lp.apply(int(Discipline::LP));
        return printedTarget(record, lp);
    }
    target.calibreMm = double(face.markDiameter()) / scale;
    const PointF centre = face.centre();
    for (int i = 0; i < kShotsPerSeries; ++i) {
        if (!record.hasShot(i))
            continue;
        const PointF hit = record.hitMarkCentre(i, face.markDiameter());
        const double x = double(hit.x) - double(centre.x);
        const double y = double(hit.y) - double(centre.y);
        target.shots.append({x / scale, y / scale, i});
    }
    return target;
}

namespace {

// The radii of the face's rings in mm, ring 10 first.
QList<double> ringRadiiMm(const DisciplineInfo& info) {
    QList<double> radii;
    for (auto d = info.faceRingsMm.rbegin(); d != info.faceRingsMm.rend(); ++d)
        if (*d > 0.0)
            radii << *d / 2.0;
    return radii;
}

} // namespace

PrintedView printedView(const PrintedTarget& target, double blockMm) {
    const DisciplineInfo* info = disciplineInfo(target.discipline);
    const QList<double> radii = info ? ringRadiiMm(*info) : QList<double>();
    if (radii.size() < 3)
        return {blockMm / 2.0, 1.0};
    const double whole = 2.0 * radii.last() - radii.at(radii.size() - 2);
    double extent = 0.0;
    for (const TargetShot& s : target.shots)
        extent = std::max(extent, std::hypot(s.xMm, s.yMm) + target.calibreMm / 2.0);
    double half = whole;
    if (!target.shots.isEmpty()) {
        const auto within =
            std::find_if(radii.cbegin(), radii.cend(), [extent](double r) { return r >= extent; });
        if (within != radii.cend() && within + 1 != radii.cend())
            half = std::max(*(within + 1), radii.at(2));
        half = std::max(half, extent);
    }
    return {half, blockMm / 2.0 / half};
}

QString scaleLine(double scale, const QLocale& locale) {
    const auto ratio = [&locale](double v) {
        const double rounded = std::round(v * 10.0) / 10.0;
        return locale.toString(rounded, 'f', rounded == std::round(rounded) ? 0 : 1);
    };
    const bool enlarged = std::round(scale * 10.0) >= 10.0;
    return QCoreApplication::translate("PrintContent", "Maßstab %1:%2")
        .arg(enlarged ? ratio(scale) : QStringLiteral("1"),
             enlarged ? QStringLiteral("1") : ratio(1.0 / scale));
}

PrintedSeries printedSeries(qint16 number, const SeriesPrintData& data, const TargetFace& face,
                            const QLocale& locale) {
    PrintedSeries out;
    out.number = number;
    for (double v : data.values)
        out.values.append(num::formatNumber(v, locale));
    out.sums = data.sums;
    out.sumWhole = data.sums.whole.text(locale);
    out.sumTenths = data.sums.tenths.text(locale);
    out.target = printedTarget(data.record, face);
    const RatingOptions* options = data.ratingOptions ? &*data.ratingOptions : nullptr;
    if (face.discipline() >= 0 && face.scale() > 0.0) {
        out.shots = group::shotsOf(data.record, face, options);
        out.innerTens = scoreSeries(data.record, face, data.rules).innerTens;
    } else {
        // Like printedTarget: the start-up discipline "LP".
        TargetFace lp;
        lp.apply(int(Discipline::LP));
        out.shots = group::shotsOf(data.record, lp, options);
        out.innerTens = scoreSeries(data.record, lp, data.rules).innerTens;
    }
    out.groupLine = groupLine(out.shots, locale);
    return out;
}

QString groupLine(const QList<group::Shot>& shots, const QLocale& locale) {
    const group::GroupFigures hits = group::analyse(shots).hits;
    if (hits.shots == 0)
        return {};
    return QCoreApplication::translate("PrintContent", "Trefferlage: %1; Streukreis %2 mm")
        .arg(group::positionText(hits.mpi, locale),
             num::formatRounded(hits.extremeSpread, 1, locale));
}

QString seriesTitle(qint16 number) {
    return QCoreApplication::translate("PrintContent", "Serie Nummer: %1").arg(number);
}

QString valueRow(const QStringList& values, int k) {
    const auto entry = [&values](int i) -> QString {
        return QString::number(i + 1) + u".: " + values.value(i);
    };
    return entry(2 * k) + u"   " + entry(2 * k + 1);
}

QString sumsLine(const QString& whole, const QString& tenths) {
    return whole + u"     " + tenths;
}

QString innerTensLine(int innerTens) {
    return QCoreApplication::translate("PrintContent", "Innenzehner: %1").arg(innerTens);
}

QString pageHeader(int page, int pages, const QString& name, const QString& date,
                   const QString& time) {
    return QCoreApplication::translate("PrintContent", "Seite %1 von %2 für %3 am %4 um %5")
        .arg(QString::number(page), QString::number(pages), name, date, time);
}

int pageCount(int seriesCount, int perPage, bool overallPicture) {
    const int slotCount = seriesCount + (overallPicture ? 1 : 0);
    if (slotCount <= 0 || perPage <= 0)
        return 0;
    return (slotCount + perPage - 1) / perPage;
}

void OverallCollector::add(const PrintedSeries& series, const QLocale& /*locale*/) {
    if (m_series == 0) {
        m_target.discipline = series.target.discipline;
        m_target.calibreMm = series.target.calibreMm;
    }
    ++m_series;
    m_whole += series.sums.whole.value();
    m_tenths += series.sums.tenths.value();
    m_innerTens += series.innerTens;
    m_target.shots.append(series.target.shots);
    m_shots.append(series.shots);
}

OverallPicture OverallCollector::picture(const QLocale& locale,
                                         std::optional<double> clickMm) const {
    OverallPicture p;
    p.title = QCoreApplication::translate("ankerblick::OverallCollector", "Gesamtschussbild");
    const auto shots = int(m_target.shots.size());
    p.lines << QCoreApplication::translate("PrintContent", "Serien: %1").arg(m_series);
    p.lines << QCoreApplication::translate("PrintContent", "Schüsse: %1").arg(shots);
    p.lines << QCoreApplication::translate("PrintContent", "Summe: %1")
                   .arg(num::formatNumber(m_whole, locale));
    p.lines << QCoreApplication::translate("PrintContent", "Zehntel: %1")
                   .arg(num::formatNumber(m_tenths, locale));
    p.lines << innerTensLine(m_innerTens);
    if (shots > 0) {
        const double mean = num::roundHalfEven(m_tenths / shots * 100.0) / 100.0;
        p.lines << QCoreApplication::translate("PrintContent", "Schnitt: %1")
                       .arg(num::formatNumber(mean, locale));
        p.lines << QCoreApplication::translate("ankerblick::OverallCollector", "+ Trefferlage");
        const group::Figures figures = group::analyse(m_shots);
        p.figures = group::reportLines(
            figures, clickMm.value_or(group::defaultClickMm(m_target.discipline)), locale);
        if (figures.calls)
            p.callMean = TargetPoint{figures.calls->mpi.x, -figures.calls->mpi.y};
    }
    p.target = m_target;
    return p;
}

} // namespace ankerblick::print
