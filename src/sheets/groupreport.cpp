#include "groupreport.h"

#include "model/numeric.h"
#include "model/scoring.h"

#include <QCoreApplication>
#include <cmath>

namespace ankerblick::group {

namespace {

// Tenths of a millimetre, rounded half to even.
double tenths(double mm) {
    return num::roundHalfEven(mm * 10.0) / 10.0 + 0.0;
}

QString part(double mm, const QString& plus, const QString& minus, const QLocale& locale) {
    return QCoreApplication::translate("GroupReport", "%1 mm %2")
        .arg(num::formatFixed(std::abs(mm), 1, locale), mm > 0 ? plus : minus);
}

QString clicks(int count, const QString& plus, const QString& minus) {
    const int n = std::abs(count);
    return QCoreApplication::translate("GroupReport", "%1 %2 %3")
        .arg(n)
        .arg(n == 1 ? QCoreApplication::translate("GroupReport", "Klick")
                    : QCoreApplication::translate("GroupReport", "Klicks"),
             count > 0 ? plus : minus);
}

QString millimetres(double mm, const QLocale& locale) {
    return QCoreApplication::translate("GroupReport", "%1 mm").arg(num::formatFixed(mm, 1, locale));
}

// A position with its clock direction, as far as it is off the centre when shown.
QString placeText(PointMm offset, const QLocale& locale) {
    const PointMm shown{tenths(offset.x), tenths(offset.y)};
    const int clock = clockOf(shown);
    QString text = positionText(offset, locale);
    if (clock != 0)
        text = QCoreApplication::translate("GroupReport", "%1 (%2 Uhr)")
                   .arg(text, QString::number(clock));
    return text;
}

QString percent(int part, int whole) {
    return QCoreApplication::translate("GroupReport", "%1 %")
        .arg(int(num::roundHalfEven(100.0 * part / whole)));
}

void appendCallLines(QStringList& lines, const Figures& figures, const QLocale& locale) {
    if (!figures.calls || !figures.callError)
        return;
    const CallErrorFigures& e = *figures.callError;
    lines << QCoreApplication::translate("GroupReport", "Abkommen: %1")
                 .arg(placeText(figures.calls->mpi, locale));
    lines << QCoreApplication::translate("GroupReport", "Ansagefehler im Mittel: %1; Streuung %2")
                 .arg(positionText(e.mean, locale), millimetres(e.deviation, locale));
    const int rated = e.rated10 + e.rated5 + e.rated0;
    if (rated > 0)
        lines << QCoreApplication::translate("GroupReport",
                                             "Ansagen: %1 mit 10, %2 mit 5, %3 mit 0")
                     .arg(percent(e.rated10, rated), percent(e.rated5, rated),
                          percent(e.rated0, rated));
}

} // namespace

std::optional<ScoredShot> scoreSlot(const SeriesRecord& record, int slot, const TargetFace& face,
                                    const RatingOptions* options) {
    if (!record.hasShot(slot))
        return std::nullopt;
    const float d = face.markDiameter();
    const PointF centre = face.centre();
    const PointF hit = record.hitMarkCentre(slot, d);
    ScoredShot scored{{toMm(hit, face), std::nullopt, std::nullopt},
                      tryHitValue(hit, centre, face.scoring()),
                      std::nullopt,
                      std::nullopt};
    if (!options || !record.hasCall(slot))
        return scored;
    const PointF call = record.callMarkCentre(slot, d);
    scored.shot.call = toMm(call, face);
    if (const std::optional<RingValue> cv = tryCallValue(call, centre, face.scoring()))
        scored.callValue = cv->value;
    if (scored.value && scored.callValue) {
        const auto s = size_t(slot);
        const LineF line{float(record.lineX1[s]), float(record.lineY1[s]), float(record.lineX2[s]),
                         float(record.lineY2[s]), true};
        scored.rating = tryRateCall(call, hit, centre, *scored.value, *scored.callValue,
                                    line.length(), face.scale(), *options);
    }
    if (scored.rating)
        scored.shot.rating = scored.rating->callScore;
    return scored;
}

QList<Shot> shotsOf(const SeriesRecord& record, const TargetFace& face,
                    const RatingOptions* options) {
    QList<Shot> shots;
    shots.reserve(kShotsPerSeries);
    for (int i = 0; i < kShotsPerSeries; ++i)
        if (const std::optional<ScoredShot> scored = scoreSlot(record, i, face, options))
            shots.append(scored->shot);
    return shots;
}

// What one click of the usual sights moves the hits at the distance shot;
// the shooter sets the value of their own sight.
double defaultClickMm(int discipline) {
    switch (Discipline(discipline)) {
    case Discipline::LP: // air pistol, 10 m
        return 0.5;
    case Discipline::FpSp100m: // pistol, 25 m and 50 m
    case Discipline::OspSp:    // rapid fire pistol, 25 m
        return 2.5;
    case Discipline::Gewehr50m: // small-bore rifle with diopter, 50 m
        return 1.5;
    // The same diopter at the other distances: the click's angle is fixed.
    case Discipline::LG10m:
        return 0.3;
    case Discipline::Gewehr300m:
        return 9.0;
    }
    return 0.0; // no discipline: no correction in clicks
}

QString positionText(PointMm offset, const QLocale& locale) {
    const double x = tenths(offset.x);
    const double y = tenths(offset.y);
    QStringList parts;
    if (x != 0.0)
        parts << part(x, QCoreApplication::translate("GroupReport", "rechts"),
                      QCoreApplication::translate("GroupReport", "links"), locale);
    if (y != 0.0)
        parts << part(y, QCoreApplication::translate("GroupReport", "hoch"),
                      QCoreApplication::translate("GroupReport", "tief"), locale);
    return parts.isEmpty() ? QCoreApplication::translate("GroupReport", "in der Mitte")
                           : parts.join(QStringLiteral(", "));
}

QString correctionText(SightCorrection c) {
    QStringList parts;
    if (c.horizontal != 0)
        parts << clicks(c.horizontal, QCoreApplication::translate("GroupReport", "rechts"),
                        QCoreApplication::translate("GroupReport", "links"));
    if (c.vertical != 0)
        parts << clicks(c.vertical, QCoreApplication::translate("GroupReport", "hoch"),
                        QCoreApplication::translate("GroupReport", "tief"));
    return parts.isEmpty() ? QCoreApplication::translate("GroupReport", "keine")
                           : parts.join(QStringLiteral(", "));
}

QStringList reportLines(const Figures& figures, double clickMm, const QLocale& locale) {
    if (figures.hits.shots == 0)
        return {QCoreApplication::translate("GroupReport", "Keine Schüsse")};
    QStringList lines;
    lines << QCoreApplication::translate("GroupReport", "Trefferlage: %1")
                 .arg(placeText(figures.hits.mpi, locale));
    lines << QCoreApplication::translate("GroupReport", "Streukreis: %1, mittlerer Radius %2")
                 .arg(millimetres(figures.hits.extremeSpread, locale),
                      millimetres(figures.hits.meanRadius, locale));
    appendCallLines(lines, figures, locale);
    lines << QCoreApplication::translate("GroupReport", "Korrektur: %1")
                 .arg(correctionText(sightCorrection(figures.hits.mpi, clickMm)));
    return lines;
}

} // namespace ankerblick::group
