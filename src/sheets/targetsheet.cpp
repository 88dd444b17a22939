#include "targetsheet.h"

#include "model/numeric.h"

#include <algorithm>

namespace ankerblick {

namespace {
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
} // namespace

TargetSheet::TargetSheet(const Clock& clock, const QLocale& locale)
    : m_clock(&clock), m_locale(locale), m_doc(locale) {}

TargetSheet::Snapshot TargetSheet::snapshot() {
    return Snapshot(m_doc, entry().kept(), m_shown);
}

void TargetSheet::restore(const Snapshot& snapshot) {
    m_doc = snapshot.m_document;
    snapshot.m_entry();
    m_shown = snapshot.m_shown;
}

void TargetSheet::listSeries() {
    // The numbers listed already stay.
    QStringList& list = m_shown.seriesList;
    if (list.size() > m_doc.seriesCount())
        list.resize(m_doc.seriesCount());
    for (int n = int(list.size()) + 1; n <= m_doc.seriesCount(); ++n)
        list.append(QString::number(n));
}

void TargetSheet::load() {
    m_doc.replaceSeries(SeriesStore(), 1);
    m_doc.setModified(false);
    listSeries();
    m_shown.selected = 1;
    for (int i = 0; i < kShotsPerSeries; ++i) {
        m_shown.hitColours[size_t(i)] = hitColour(i);
        m_shown.hits[size_t(i)].fill = hitColour(i);
    }
    resetDisplay();
    setDiscipline(int(Discipline::LP));
}

void TargetSheet::setDiscipline(int index, std::optional<double> calibreMm) {
    if (!m_face.apply(index, calibreMm))
        return;
    applyMarkSize();
    // Entered shots keep their centres; a position beyond the record's
    // range keeps its old place.
    m_doc.placeMarks(m_face.markDiameter());
    showSelectedSeries();
}

void TargetSheet::applyMarkSize() {
    const float d = m_face.markDiameter();
    for (Mark& m : m_shown.hits) {
        m.box.height = d;
        m.box.width = d;
    }
}

void TargetSheet::resetDisplay() {
    for (int i = 0; i < kShotsPerSeries; ++i) {
        Mark& m = m_shown.hits[size_t(i)];
        m.box.left = 0.0f;
        m.box.top = 0.0f;
        m.box.visible = false;
        m.border = kBlack;
        m_shown.placed[size_t(i)] = false;
    }
    m_shown.highlighted = -1;
    m_shown.highlightRow = -1;
    m_shown.listedSlots.clear();
    clearFigures();
    entry().reset(*this);
}

void TargetSheet::clearFigures() {
    m_shown.values.clear();
    m_shown.innerTen.clear();
    m_shown.sums.reset();
    m_shown.unscorable.reset();
    entry().clearFigures();
}

QStringList TargetSheet::shotList() const {
    QStringList list;
    list.reserve(m_shown.listedSlots.size());
    for (int slot : m_shown.listedSlots)
        list.append(QString::number(slot + 1));
    return list;
}

int TargetSheet::innerTens() const {
    return int(m_shown.innerTen.count(true));
}

int TargetSheet::allInnerTens() const {
    // Sighting shots and shots after the time never count.
    int n = isSighterSeries(m_shown.selected) ? 0 : innerTens();
    for (int s = 1; s <= seriesCount(); ++s)
        if (s != m_shown.selected && store().contains(s))
            n += scoreSeries(store()[s], m_face, rulesOf(s)).innerTens;
    return n;
}

QStringList TargetSheet::valueList() const {
    QStringList list;
    list.reserve(m_shown.values.size());
    for (double v : m_shown.values)
        list.append(num::formatNumber(v, m_locale));
    return list;
}

bool TargetSheet::score(int slot) {
    deriveFigures();
    return !m_shown.unscorable || *m_shown.unscorable > slot;
}

void TargetSheet::deriveFigures() {
    clearFigures();
    const SeriesScore score =
        scoreSeries(record(), m_face, rulesOf(m_shown.selected), entry().callRating());
    for (const SlotScore& shot : score.shots) {
        if (!m_shown.placed[size_t(shot.slot)])
            continue;
        if (!shot.value) {
            m_shown.unscorable = shot.slot;
            return;
        }
        // Sighting shots are never summed, nor are their inner tens counted.
        m_shown.values.append(*shot.value);
        m_shown.innerTen.append(shot.innerTen && shot.counts);
        if (shot.counts)
            m_shown.sums.add(*shot.value);
        if (!entry().scored(shot)) {
            m_shown.unscorable = shot.slot;
            return;
        }
    }
}

void TargetSheet::showSelectedSeries() {
    resetDisplay();
    m_shown.undoEnabled = lastSeriesSelected();
    m_shown.recomputeEnabled = !lastSeriesSelected();
    if (!store().contains(m_shown.selected))
        return;
    const SeriesRecord& rec = record();
    // A stored position far off the target: the rest is not scored.
    for (int i = 0; i < kShotsPerSeries; ++i) {
        if (!rec.hasShot(i))
            continue;
        const auto s = size_t(i);
        m_shown.hits[s].box.left = rec.hitLeft[s];
        m_shown.hits[s].box.top = rec.hitTop[s];
        m_shown.hits[s].box.visible = true;
        m_shown.placed[s] = true;
        listShot(i);
        entry().loadSlot(*this, i, rec);
        if (!score(i))
            break;
    }
    entry().resume(*this, rec, rec.nextFreeSlot());
}

void TargetSheet::selectSeries(int number) {
    if (number < 1 || number > int(m_shown.seriesList.size()))
        return;
    m_shown.selected = number;
    showSelectedSeries();
}

void TargetSheet::selectNewestSeries() {
    if (!lastSeriesSelected())
        selectSeries(int(m_shown.seriesList.size()));
}

bool TargetSheet::nextSeries() {
    if (!lastSeriesSelected()) {
        m_shown.nextSeriesRed = false;
        return true;
    }
    // The placed shots are in the record already; a shot still waiting for
    // the pointer is not part of the series.
    SeriesRecord last = record();
    entry().forgetPending(last);
    if (!m_doc.startNextSeries(last))
        return false;
    m_shown.nextSeriesRed = false;
    listSeries();
    selectSeries(seriesCount());
    return true;
}

void TargetSheet::newSession() {
    m_doc.clear();
    listSeries();
    m_shown.nextSeriesRed = false;
    endMatchRules();
    selectSeries(1);
    m_doc.setModified(false);
}

SeriesFileContent TargetSheet::fileContent() const {
    SeriesFileContent c;
    c.series = seriesOfStore(store(), seriesCount());
    c.comments = commentsText(m_doc.comments());
    c.shotTimes = m_doc.times().shotTimesText();
    c.shootingTimes = m_doc.times().shootingTimesText();
    return c;
}

void TargetSheet::loadFileContent(const SeriesFileContent& content) {
    SeriesStore read;
    const int last = qMax(1, placeSeries(read, 1, content.series));
    m_doc.replaceSeries(read, last);
    listSeries();
    m_doc.setComments(commentsFromText(content.comments));
    m_doc.times().setTexts(content.shotTimes, content.shootingTimes);
    m_shown.nextSeriesRed = false;
    endMatchRules();
    selectSeries(last);
    m_doc.setModified(false);
}

void TargetSheet::recompute() {
    deriveFigures();
}

void TargetSheet::highlightShot(int row) {
    if (row < 0 || row >= m_shown.listedSlots.size())
        return;
    clearHighlight();
    const int slot = m_shown.listedSlots.at(row);
    if (slot < 0 || slot >= kShotsPerSeries)
        return;
    m_shown.hits[size_t(slot)].border = kWhite;
    m_shown.highlighted = slot;
    m_shown.highlightRow = row;
}

void TargetSheet::clearHighlight() {
    if (m_shown.highlighted >= 0)
        m_shown.hits[size_t(m_shown.highlighted)].border = kBlack;
    m_shown.highlighted = -1;
    m_shown.highlightRow = -1;
}

void TargetSheet::toggleWhiteShots() {
    const bool white = m_shown.hits[0].fill == kWhite;
    for (int i = 0; i < kShotsPerSeries; ++i)
        m_shown.hits[size_t(i)].fill = white ? m_shown.hitColours[size_t(i)] : kWhite;
}

void TargetSheet::addComment(const QString& text) {
    m_doc.addNote(
        {m_shown.selected, int(m_shown.listedSlots.size()), std::nullopt, text, {}, false});
    markModified();
}

void TargetSheet::addProgramMark(const QString& program) {
    m_doc.addNote(programMark(program));
    markModified();
}

void TargetSheet::addCallingGoalMark(CallingGoal goal) {
    m_doc.addNote(callingGoalMark(goal));
    markModified();
}

QString TargetSheet::programName() const {
    if (const std::optional<CallingGoal> goal = callingGoal())
        return callingGoalNote(*goal);
    return matchProgram();
}

void TargetSheet::endMatchRules() {
    m_doc.endMatchRules();
}

void TargetSheet::setSeriesLength(int shots) {
    m_doc.setSeriesLength(qBound(1, shots, kShotsPerSeries));
    showSelectedSeries();
}

void TargetSheet::setSighting(bool on) {
    m_doc.setSighting(on);
    const bool noted = isSighterSeries(m_shown.selected);
    if (on && !noted && lastSeriesSelected() && m_shown.listedSlots.isEmpty()) {
        m_doc.addNote(sighterMark(m_shown.selected));
    } else if (!on && noted && lastSeriesSelected() && m_shown.listedSlots.isEmpty()) {
        // An empty sighting series becomes the first of the match.
        m_doc.forgetMark(m_shown.selected, 0, sighterNote());
    }
    showSelectedSeries();
}

void TargetSheet::followSighter(bool sighter) {
    const int newest = seriesCount();
    if (m_doc.sighting() || isSighterSeries(newest) == sighter || !heldHits().isEmpty())
        return;
    const SeriesRecord& rec = m_doc.record(newest);
    // A series with no shot yet takes the hit's kind, its waiting first
    // call with it; one with shots is ended, unless a call waits there.
    const bool noShot = rec.nextFreeSlot() == 0;
    if (!noShot && shotWaits(newest))
        return;
    selectNewestSeries();
    if (!noShot && !nextSeries())
        return;
    if (sighter)
        m_doc.addNote(sighterMark(seriesCount()));
    else
        m_doc.forgetMark(seriesCount(), 0, sighterNote());
    showSelectedSeries();
}

bool TargetSheet::isSighterSeries(int number) const {
    return ankerblick::isSighterSeries(m_doc.comments(), number);
}

void TargetSheet::setDeadline(std::optional<quint32> deadline, bool arrivalsOnly) {
    m_doc.setDeadline(deadline, arrivalsOnly);
}

SeriesRules TargetSheet::rulesOf(int series) const {
    return SeriesRules::of(m_doc.comments(), series, m_doc.seriesLength());
}

bool TargetSheet::isLate(int series, int slot) const {
    return isLateShot(m_doc.comments(), series, slot + 1);
}

void TargetSheet::shotEntered(bool writeTimes, std::optional<quint32> at, HitCheck check,
                              std::optional<double> deviceValue) {
    const quint32 when = at.value_or(m_clock->milliseconds());
    const int shot = int(m_shown.listedSlots.size());
    // The series the shot went into, which need not be the newest.
    m_doc.times().shotEntered(when, m_shown.selected, shot, writeTimes, at.has_value());
    // Unsigned difference: a deadline passed lies less than half the
    // counter's range behind.
    const std::optional<quint32> deadline = m_doc.deadline();
    const bool held = deadline && (at || !m_doc.deadlineArrivalsOnly());
    if (held && shot > 0 && when - *deadline - 1u < 0x80000000u &&
        !isLate(m_shown.selected, shot - 1)) {
        m_doc.addNote(lateMark(m_shown.selected, shot));
        // Scored already: it counts 0 from now on.
        if (m_shown.values.size() == m_shown.listedSlots.size())
            deriveFigures();
    }
    if (check != HitCheck::Sure)
        m_doc.addNote(correctionMark(m_shown.selected, shot,
                                     check == HitCheck::Doubtful ? checkNote() : addedNote()));
    if (deviceValue)
        m_doc.addNote(correctionMark(m_shown.selected, shot, deviceValueNote(*deviceValue)));
    markModified();
}

void TargetSheet::shiftHits(float dx, float dy) {
    for (Mark& m : m_shown.hits) {
        m.box.left += dx;
        m.box.top += dy;
    }
    entry().shift(dx, dy);
}

bool TargetSheet::storeShift(SeriesRecord& rec) {
    for (int i = 0; i < kShotsPerSeries; ++i) {
        const auto s = size_t(i);
        if (!m_shown.placed[s])
            continue;
        Mark& hit = m_shown.hits[s];
        const PointF centre = placeable(hit.box.centre().x, hit.box.centre().y);
        hit.box.centreOn(centre.x, centre.y);
        if (!fixMark(hit, i, rec.hitLeft, rec.hitTop, rec.hitCentre))
            return false;
    }
    return entry().storeShift(*this, rec);
}

PointF TargetSheet::placeable(float x, float y) const {
    return m_face.storableCentre({x, y});
}

void TargetSheet::mouseMove(float x, float y) {
    if (m_rightButton && !accepting()) {
        shiftHits(x - m_last.x, y - m_last.y);
        m_shifted = true;
    } else if (accepting()) {
        const PointF at = placeable(x, y);
        entry().waitingMark(*this).box.centreOn(at.x, at.y);
    }
    m_last = {x, y};
}

void TargetSheet::mousePress(MouseButton button) {
    if (button == MouseButton::Right) {
        m_rightButton = true;
        m_shifted = false;
    }
}

bool TargetSheet::mouseRelease(MouseButton button, float x, float y) {
    if (button == MouseButton::Right) {
        m_rightButton = false;
        const bool kept = !(m_shifted && !accepting()) || storeShiftedHits();
        m_shifted = false;
        return kept;
    }
    const PointF at = placeable(x, y);
    const bool entering = accepting();
    if (entering)
        entry().waitingMark(*this).box.centreOn(at.x, at.y);
    // A position beyond the 16-bit drawing range is not taken.
    const bool taken = entry().release(*this, at.x, at.y);
    if (taken && entering)
        markModified(); // a call is entered work too, before its hit
    // The next mark waits under the pointer.
    mouseMove(x, y);
    return taken;
}

bool TargetSheet::storeShiftedHits() {
    SeriesRecord rec = record();
    if (!storeShift(rec)) {
        // Shifted beyond what a series can hold: the series stays as stored.
        showSelectedSeries();
        return false;
    }
    m_doc.replaceRecord(m_shown.selected, rec);
    markModified();
    return true;
}

void TargetSheet::edit(int slot, const SeriesRecord& changed, SeriesDocument::Undo undo) {
    m_doc.apply({m_shown.selected, slot, SlotContent::of(record(), slot),
                 SlotContent::of(changed, slot), std::nullopt},
                undo);
}

std::optional<ShotPlace> TargetSheet::hitNear(PointF at, float reach) const {
    std::optional<ShotPlace> nearest;
    float best = reach;
    // The newest series first: of two hits as near, the later one.
    for (int series = seriesCount(); series >= 1; --series) {
        const SeriesRecord& rec = m_doc.record(series);
        for (int slot = rec.nextFreeSlot() - 1; slot >= 0; --slot) {
            if (!rec.hasShot(slot))
                continue;
            const PointF c = rec.hitCentre[size_t(slot)].value_or(
                rec.hitMarkCentre(slot, m_face.markDiameter()));
            const float d = std::hypot(c.x - at.x, c.y - at.y);
            if (d < best) {
                best = d;
                nearest = ShotPlace{series, slot};
            }
        }
    }
    return nearest;
}

bool TargetSheet::shotWaits(int series) const {
    if (series != seriesCount())
        return false;
    const SeriesRecord& rec = m_doc.record(series);
    const int next = rec.nextFreeSlot();
    return !heldHits().isEmpty() || (next < kShotsPerSeries && rec.hasCall(next));
}

QString TargetSheet::correctHit(ShotPlace place, std::optional<PointF> to) {
    if (shotWaits(place.series))
        return tr("Solange ein Schuss auf seinen Treffer oder seine Ansage wartet, lässt "
                  "sich kein Treffer ändern.");
    if (m_shown.selected != place.series)
        selectSeries(place.series);
    if (concealsSelectedSeries())
        return tr("Die Treffer dieser Serie sind noch verdeckt.");
    const std::optional<SeriesCorrection> c =
        ankerblick::correctHit(m_doc, place.series, place.slot, to, m_face.markDiameter());
    if (!c)
        return tr("Dorthin lässt sich der Treffer nicht legen.");
    SeriesEdit edit{place.series, place.slot, {}, {}, c};
    m_doc.apply(edit, SeriesDocument::Undo::Step);
    showSelectedSeries();
    return {};
}

bool TargetSheet::canUndo() const {
    const std::optional<SeriesEdit> last = m_doc.lastEdit();
    if (last && last->correction) // the series as the correction left it
        return m_shown.selected == last->series && record() == last->correction->after &&
               !shotWaits(last->series);
    if (!last || !lastSeriesSelected() || last->series != seriesCount())
        return false;
    // Only the newest step of the series: no hit or call entered after it.
    const SeriesRecord& rec = record();
    const int slot = last->slot;
    const bool callAfter = slot + 1 < kShotsPerSeries && rec.hasCall(slot + 1);
    const bool hitAfter = rec.nextFreeSlot() > slot + 1;
    const SeriesRecord after = [&] {
        SeriesRecord r;
        last->after.writeTo(r, slot);
        return r;
    }();
    const bool same =
        after.hasShot(slot) == rec.hasShot(slot) && after.hasCall(slot) == rec.hasCall(slot);
    return same && !callAfter && !hitAfter && entry().mayTakeBack(after.hasShot(slot));
}

void TargetSheet::undo() {
    if (!canUndo())
        return;
    m_doc.revertLastEdit();
    // The series is shown anew from its record; the controls stay as they were.
    const bool recompute = m_shown.recomputeEnabled;
    const int row = m_shown.highlightRow;
    m_shown.nextSeriesRed = false;
    showSelectedSeries();
    m_shown.recomputeEnabled = recompute;
    highlightShot(row);
    // What was taken back follows the pointer again.
    const PointF at = placeable(m_last.x, m_last.y);
    if (accepting())
        entry().waitingMark(*this).box.centreOn(at.x, at.y);
}

} // namespace ankerblick
