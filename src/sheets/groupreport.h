#pragma once

// The call and group analysis as the windows and the printout show it: the
// shots of stored series taken into millimetres with their calls and
// ratings, and the German lines of the figures.

#include "callrating.h"
#include "model/groupanalysis.h"
#include "model/seriesrecord.h"
#include "model/targetface.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace ankerblick::group {

// What the program makes of the shot in a slot, scored once: hit and call in
// millimetres, their values and the call's rating (with rating options and
// an entered call; empty when the call or the hit lies too far off the
// target to be valued).
struct ScoredShot {
    Shot shot;
    std::optional<double> value;
    std::optional<double> callValue;
    std::optional<CallRating> rating;
};
// None when the slot holds no shot.
std::optional<ScoredShot> scoreSlot(const SeriesRecord& record, int slot, const TargetFace& face,
                                    const RatingOptions* options);

// The placed shots of a record on the face. With rating options, each shot
// whose call was entered (call left or top not 0) carries its call and the
// call's rating (10, 5 or 0) as the main window rates it; without, or for a
// record without calls, the shots are hits only.
QList<Shot> shotsOf(const SeriesRecord& record, const TargetFace& face,
                    const RatingOptions* options);

// The click value a discipline starts with, in millimetres at the target.
double defaultClickMm(int discipline);

// "3,2 mm rechts, 1,5 mm hoch" (one decimal; "0 mm" parts are left out,
// "in der Mitte" for the centre itself).
QString positionText(PointMm offset, const QLocale& locale);
// "2 Klicks links, 1 Klick tief" ("keine" when no click is needed).
QString correctionText(SightCorrection clicks);

// The lines of the figures for the panel and the printout, e.g.
//   "Trefferlage: 3,2 mm rechts, 1,5 mm hoch (4 Uhr)"
//   "Streukreis: 12,4 mm, mittlerer Radius 4,1 mm"
//   "Abkommen: 1,0 mm links, 0,5 mm tief (8 Uhr)"          (with calls)
//   "Ansagefehler im Mittel: 2,1 mm rechts, 2,0 mm hoch; Streuung 1,3 mm"
//   "Ansagen: 60 % mit 10, 30 % mit 5, 10 % mit 0"
//   "Korrektur: 2 Klicks links, 1 Klick tief"
// An empty set gives the one line "Keine Schüsse".
QStringList reportLines(const Figures& figures, double clickMm, const QLocale& locale);

} // namespace ankerblick::group
