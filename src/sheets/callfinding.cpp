#include "callfinding.h"

#include "groupreport.h"
#include "model/targetface.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numeric>

namespace ankerblick::calls {

namespace {

bool isPistol(int discipline) {
    return discipline == int(Discipline::LP) || discipline == int(Discipline::FpSp100m) ||
           discipline == int(Discipline::OspSp);
}

QList<diary::Shot> shotsOf(const QList<diary::Series>& series) {
    QList<diary::Shot> shots;
    for (const diary::Series& s : series)
        if (!s.sighter)
            shots += s.shots;
    return shots;
}

// The sector of each shot that leaves its call by more than half a ring.
std::array<int, group::kSectors> wideDirections(const QList<diary::Shot>& shots, double w) {
    std::array<int, group::kSectors> counts{};
    for (const diary::Shot& s : shots) {
        if (!s.call)
            continue;
        const group::PointMm e{s.hit.x - s.call->x, s.hit.y - s.call->y};
        if (std::hypot(e.x, e.y) > w / 2.0)
            ++counts[size_t(group::sectorOf(e))];
    }
    return counts;
}

// The series whose measure is largest, three at most, none with nothing.
QList<int> showing(const QList<diary::Series>& series,
                   const std::function<double(const QList<diary::Shot>&)>& measure) {
    QList<std::pair<double, int>> ranked;
    for (const diary::Series& s : series)
        if (!s.sighter)
            if (const double m = measure(s.shots); m > 0.0)
                ranked.append({m, s.number});
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    QList<int> numbers;
    for (qsizetype i = 0; i < std::min<qsizetype>(3, ranked.size()); ++i)
        numbers << ranked.at(i).second;
    return numbers;
}

struct Context {
    const QList<diary::Series>& series;
    int discipline;
    const CallFigures& all;
    const QLocale& locale;
};

std::optional<Finding> offsetFinding(const Context& c) {
    const CallFigures& f = c.all;
    if (!f.steadyOffset || std::hypot(f.offset.x, f.offset.y) < f.ringWidthMm / 4.0)
        return std::nullopt;
    const group::PointMm unit{f.offset.x / std::hypot(f.offset.x, f.offset.y),
                              f.offset.y / std::hypot(f.offset.x, f.offset.y)};
    const auto along = [&](const QList<diary::Shot>& shots) {
        const CallFigures s = callFigures(shots, c.discipline);
        return s.shots ? s.offset.x * unit.x + s.offset.y * unit.y : 0.0;
    };
    return Finding{
        FindingKind::Offset,
        QCoreApplication::translate("CallFinding", "Visier oder Ansage korrigieren: im Mittel %1.")
            .arg(group::positionText(f.offset, c.locale)),
        showing(c.series, along), -1};
}

std::optional<Finding> directionFinding(const Context& c) {
    const double w = c.all.ringWidthMm;
    const auto counts = wideDirections(shotsOf(c.series), w);
    const int wide = std::accumulate(counts.begin(), counts.end(), 0);
    const auto most = std::max_element(counts.begin(), counts.end());
    if (*most < 5 || 2 * *most < wide || c.all.shots - wide < wide)
        return std::nullopt;
    const int sector = int(most - counts.begin());
    const auto inSector = [&](const QList<diary::Shot>& shots) {
        return double(wideDirections(shots, w)[size_t(sector)]);
    };
    return Finding{FindingKind::Direction,
                   QCoreApplication::translate(
                       "CallFinding",
                       "Die Treffer verlassen die Ansagen meist nach %1. Mögliche Ursachen: %2.")
                       .arg(directionName(sector), directionCauses(sector, c.discipline)),
                   showing(c.series, inSector), sector};
}

QString rings(double value, const QLocale& locale) {
    return locale.toString(value, 'f', 1);
}

Finding lossFinding(const Context& c) {
    const CallFigures& f = c.all;
    const double lost = f.lostInHold + f.lostAtBreak;
    const auto atBreak = [&](const QList<diary::Shot>& shots) {
        return callFigures(shots, c.discipline).lostAtBreak;
    };
    const auto inHold = [&](const QList<diary::Shot>& shots) {
        return callFigures(shots, c.discipline).lostInHold;
    };
    const double counts = kLossThatCounts * f.shots;
    if (f.lostAtBreak > f.lostInHold && f.lostAtBreak >= counts && f.spreadMm > f.ringWidthMm / 2.0)
        return {FindingKind::Trigger,
                QCoreApplication::translate(
                    "CallFinding",
                    "Abzug: %1 der %2 verlorenen Ringe gehen beim Schuss verloren, die Treffer "
                    "streuen um die Ansagen.")
                    .arg(rings(f.lostAtBreak, c.locale), rings(lost, c.locale)),
                showing(c.series, atBreak), -1};
    if (f.lostInHold >= f.lostAtBreak && f.lostInHold >= counts)
        return {FindingKind::Hold,
                QCoreApplication::translate(
                    "CallFinding",
                    "Halten: %1 der %2 verlorenen Ringe gehen schon im Halten verloren, die "
                    "Ansagen selbst liegen unter 10,9.")
                    .arg(rings(f.lostInHold, c.locale), rings(lost, c.locale)),
                showing(c.series, inHold), -1};
    return {FindingKind::Agree,
            QCoreApplication::translate(
                "CallFinding",
                "Ansagen und Treffer stimmen überein: %1 % der Treffer liegen in der Ansage.")
                .arg(std::lround(100.0 * f.inCallShare())),
            {},
            -1};
}

} // namespace

Finding findingOf(const QList<diary::Series>& series, int discipline, const QLocale& locale) {
    const CallFigures all = callFigures(shotsOf(series), discipline);
    if (all.shots < kFewestForFinding)
        return {FindingKind::TooFew,
                QCoreApplication::translate(
                    "CallFinding", "Zu wenige angesagte Schüsse für einen Befund: %1 von %2.")
                    .arg(all.shots)
                    .arg(kFewestForFinding),
                {},
                -1};
    const Context context{series, discipline, all, locale};
    if (std::optional<Finding> f = directionFinding(context))
        return *f;
    if (std::optional<Finding> f = offsetFinding(context))
        return *f;
    return lossFinding(context);
}

QString directionName(int sector) {
    static const char* const names[group::kSectors] = {
        QT_TRANSLATE_NOOP("CallFinding", "hoch"),   QT_TRANSLATE_NOOP("CallFinding", "hoch rechts"),
        QT_TRANSLATE_NOOP("CallFinding", "rechts"), QT_TRANSLATE_NOOP("CallFinding", "tief rechts"),
        QT_TRANSLATE_NOOP("CallFinding", "tief"),   QT_TRANSLATE_NOOP("CallFinding", "tief links"),
        QT_TRANSLATE_NOOP("CallFinding", "links"),  QT_TRANSLATE_NOOP("CallFinding", "hoch links")};
    return sector >= 0 && sector < group::kSectors
               ? QCoreApplication::translate("CallFinding", names[sector])
               : QString();
}

// Pistol: the fault chart of one-handed target pistol for a right-handed
// shooter (a left-hander's is mirrored). Rifle: the trigger finger and the
// cant move shots sideways, breathing and the pressure of cheek and
// shoulder up and down.
QString directionCauses(int sector, int discipline) {
    static const char* const pistol[group::kSectors] = {
        QT_TRANSLATE_NOOP("CallFinding",
                          "Rückstoß vorweggenommen, das Handgelenk bricht nach oben"),
        QT_TRANSLATE_NOOP("CallFinding", "der Handballen drückt beim Schuss"),
        QT_TRANSLATE_NOOP("CallFinding", "zu wenig Finger am Abzug"),
        QT_TRANSLATE_NOOP("CallFinding", "der Daumen drückt, der Abzug wird geschnappt"),
        QT_TRANSLATE_NOOP("CallFinding",
                          "Rückstoß vorweggenommen, das Handgelenk knickt nach unten"),
        QT_TRANSLATE_NOOP("CallFinding", "Abzug gerissen, die Hand drückt beim Schuss zu"),
        QT_TRANSLATE_NOOP("CallFinding", "zu viel Finger am Abzug"),
        QT_TRANSLATE_NOOP("CallFinding", "Ellbogen oder Handgelenk lockern sich beim Schuss")};
    if (sector < 0 || sector >= group::kSectors)
        return {};
    if (isPistol(discipline))
        return QCoreApplication::translate(
                   "CallFinding", "%1 (bei Rechtshändern; bei Linkshändern seitenverkehrt)")
            .arg(QCoreApplication::translate("CallFinding", pistol[sector]));
    const QString sideways = QCoreApplication::translate(
        "CallFinding", "der Abzugsfinger drückt seitlich, das Gewehr ist verkantet");
    const QString upDown = QCoreApplication::translate(
        "CallFinding", "die Atmung steht nicht gleich, Wangen- oder Schulterdruck wechselt");
    if (sector % 4 == 0)
        return upDown;
    return sector % 2 == 0
               ? sideways
               : QCoreApplication::translate("CallFinding", "%1; %2").arg(sideways, upDown);
}

} // namespace ankerblick::calls
