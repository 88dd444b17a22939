#pragma once

// What an entry strategy works on: the displayed series of a target window
// and its marks. The strategy reads the document and the face, turns the
// shooter's input into edits of the document, and sets the marks, lists and
// controls it shows of them; the window's sheet does the rest.

#include "hitdoor.h"
#include "model/geometry.h"
#include "model/marks.h"
#include "model/seriesrecord.h"
#include "model/targetface.h"
#include "seriesdocument.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace ankerblick {

class EntryContext {
public:
    virtual ~EntryContext() = default;

    // What is read.
    virtual const SeriesDocument& document() const = 0;
    virtual const TargetFace& face() const = 0;
    // The displayed series' record, and whether it is the newest.
    virtual const SeriesRecord& record() const = 0;
    virtual bool lastSeriesSelected() const = 0;
    // Where a mark can be placed for a pointer at (x, y).
    virtual PointF placeable(float x, float y) const = 0;
    virtual quint32 now() const = 0;

    // The document changed. Writes slot `slot` of the displayed series as
    // `changed` holds it, an edit kept for "Rückgängig" as `undo` says.
    virtual void edit(int slot, const SeriesRecord& changed, SeriesDocument::Undo undo) = 0;
    // A shot was entered; `at` is when it came (now, when not given).
    // A hit to be checked, or added by hand, is noted so.
    // The device's own value of the shot is noted beside the program's.
    virtual void shotEntered(bool writeTimes, std::optional<quint32> at = std::nullopt,
                             HitCheck check = HitCheck::Sure,
                             std::optional<double> deviceValue = std::nullopt) = 0;
    // The next shot measures its shooting time from nothing.
    virtual void forgetLastShotTime() = 0;
    // Entered work that is no edit of a slot (a call still awaiting its hit).
    virtual void markModified() = 0;

    // The hit mark of a slot, and whether it shows an entered shot.
    virtual Mark& hit(int slot) = 0;
    virtual bool isPlaced(int slot) const = 0;
    virtual void setPlaced(int slot, bool placed) = 0;
    // Appends a slot to the shot list.
    virtual void listShot(int slot) = 0;
    // Scores the placed shots of the displayed series (slot `slot` among
    // them) into the lists; false when one cannot be scored: the figures
    // end before it.
    [[nodiscard]] virtual bool score(int slot) = 0;
    // Scores the placed shots again, and empties lists and sums.
    virtual void recompute() = 0;
    virtual void clearFigures() = 0;
    virtual void setCaption(const QString& caption) = 0;
    virtual void setNextSeriesSignal(bool on) = 0;
    virtual void setRecomputeEnabled(bool on) = 0;

    // Which series is shown: the selected one anew from its record, the
    // newest, or the next begun (false, changing nothing, when the list is
    // full).
    virtual void showSelectedSeries() = 0;
    virtual void selectNewestSeries() = 0;
    virtual bool nextSeries() = 0;
    // The waiting mark moves under the pointer again.
    virtual void followPointer() = 0;

    // Fixes a mark where it stands, in whole units as the record holds it,
    // and remembers its centre; false, changing nothing, when the position
    // does not fit the record.
    [[nodiscard]] static bool fixMark(Mark& mark, int slot, SeriesRecord::Column& left,
                                      SeriesRecord::Column& top, SeriesRecord::Centres& centres);
    // "Schuss: n" with what the entry waits for: "!" a hit, "?" a call.
    static QString shotCaption(int number, const QString& suffix);

protected:
    EntryContext() = default;
    EntryContext(const EntryContext&) = default;
    EntryContext& operator=(const EntryContext&) = default;
};

} // namespace ankerblick
