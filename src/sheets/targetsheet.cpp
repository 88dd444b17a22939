#include "targetsheet.h"

#include "model/numeric.h"

#include <QCoreApplication>
#include <algorithm>

namespace ankerblick {

namespace {
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
} // namespace

TargetSheet::TargetSheet(const Clock& clock, const QLocale& locale,
                         std::unique_ptr<EntryStrategy> entry)
    : m_clock(&clock), m_locale(locale), m_entry(std::move(entry)), m_times(locale) {}

QString TargetSheet::shotCaption(int number, const QString& suffix) {
    return QCoreApplication::translate("ankerblick::TargetSheet", "Schuss: ") +
           QString::number(number) + suffix;
}

TargetSheet::Snapshot TargetSheet::snapshot() const {
    return Snapshot(*this);
}

void TargetSheet::restore(const Snapshot& snapshot) {
    *this = snapshot.m_state;
}

void TargetSheet::load() {
    m_modified = false;
    m_store.reset();
    m_seriesList = {QStringLiteral("1")};
    m_selected = 1;
    for (int i = 0; i < kShotsPerSeries; ++i) {
        m_hitColours[size_t(i)] = hitColour(i);
        m_hits[size_t(i)].fill = hitColour(i);
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
    for (int n = 1; n <= m_store.count(); ++n)
        m_store[n].placeMarks(m_face.markDiameter());
    showSelectedSeries();
}

void TargetSheet::applyMarkSize() {
    const float d = m_face.markDiameter();
    for (Mark& m : m_hits) {
        m.box.height = d;
        m.box.width = d;
    }
}

void TargetSheet::resetDisplay() {
    for (int i = 0; i < kShotsPerSeries; ++i) {
        Mark& m = m_hits[size_t(i)];
        m.box.left = 0.0f;
        m.box.top = 0.0f;
        m.box.visible = false;
        m.border = kBlack;
        m_placed[size_t(i)] = false;
    }
    m_highlighted = -1;
    m_highlightRow = -1;
    m_listedSlots.clear();
    clearFigures();
    m_entry->reset(*this);
}

void TargetSheet::clearFigures() {
    m_values.clear();
    m_innerTen.clear();
    m_sums.reset();
    m_unscorable.reset();
    m_entry->clearFigures();
}

QStringList TargetSheet::shotList() const {
    QStringList list;
    list.reserve(m_listedSlots.size());
    for (int slot : m_listedSlots)
        list.append(QString::number(slot + 1));
    return list;
}

int TargetSheet::innerTens() const {
    return int(m_innerTen.count(true));
}

int TargetSheet::allInnerTens() const {
    // Sighting shots and shots after the time never count.
    int n = isSighterSeries(m_selected) ? 0 : innerTens();
    for (int s = 1; s <= seriesCount(); ++s)
        if (s != m_selected && m_store.contains(s))
            n += scoreSeries(m_store[s], m_face, rulesOf(s)).innerTens;
    return n;
}

QStringList TargetSheet::valueList() const {
    QStringList list;
    list.reserve(m_values.size());
    for (double v : m_values)
        list.append(num::formatNumber(v, m_locale));
    return list;
}

bool TargetSheet::score(int slot) {
    std::optional<double> v =
        tryHitValue(m_hits[size_t(slot)].box.centre(), m_face.centre(), m_face.scoring());
    const bool late = isLate(m_selected, slot);
    if (v && late)
        v = 0.0;
    if (v) {
        m_values.append(*v);
        // Sighting shots are never summed, nor are their inner tens counted.
        const bool sighter = isSighterSeries(m_selected);
        m_innerTen.append(!late && !sighter && m_face.innerTen(m_hits[size_t(slot)].box.centre()));
        if (!sighter)
            m_sums.add(*v);
    }
    if (v && m_entry->scored(*this, slot, *v))
        return true;
    if (!m_unscorable)
        m_unscorable = slot;
    return false;
}

void TargetSheet::showSelectedSeries() {
    resetDisplay();
    m_undoEnabled = lastSeriesSelected();
    m_recomputeEnabled = !lastSeriesSelected();
    if (!m_store.contains(m_selected))
        return;
    const SeriesRecord& rec = m_store[m_selected];
    // A stored position far off the target: the rest is not scored.
    for (int i = 0; i < kShotsPerSeries; ++i) {
        if (!rec.hasShot(i))
            continue;
        const auto s = size_t(i);
        m_hits[s].box.left = rec.hitLeft[s];
        m_hits[s].box.top = rec.hitTop[s];
        m_hits[s].box.visible = true;
        m_placed[s] = true;
        listShot(i);
        m_entry->loadSlot(*this, i, rec);
        if (!score(i))
            break;
    }
    m_entry->resume(*this, rec, rec.nextFreeSlot());
}

void TargetSheet::selectSeries(int number) {
    if (number < 1 || number > int(m_seriesList.size()))
        return;
    m_selected = number;
    showSelectedSeries();
}

void TargetSheet::selectNewestSeries() {
    if (!lastSeriesSelected())
        selectSeries(int(m_seriesList.size()));
}

bool TargetSheet::nextSeries() {
    if (lastSeriesSelected() && int(m_seriesList.size()) >= kMaxSeries)
        return false; // the 16-bit series counter is full
    m_nextSeriesRed = false;
    if (!lastSeriesSelected())
        return true;
    // The placed shots are in the record already; a shot still waiting for
    // the pointer is not part of the series.
    m_entry->forgetPending(record());
    const int n = int(m_seriesList.size());
    m_store.ensure(n + 1);
    m_seriesList.append(QString::number(n + 1));
    if (m_sighting)
        m_comments.append(sighterMark(n + 1));
    selectSeries(n + 1);
    return true;
}

void TargetSheet::newSession() {
    m_store.reset();
    m_seriesList = {QStringLiteral("1")};
    m_nextSeriesRed = false;
    m_comments.clear();
    m_times.clearTexts();
    endMatchRules();
    selectSeries(1);
    m_modified = false;
}

SeriesFileContent TargetSheet::fileContent() const {
    SeriesFileContent c;
    c.series = seriesOfStore(m_store, int(m_seriesList.size()));
    c.comments = commentsText(m_comments);
    c.shotTimes = m_times.shotTimesText();
    c.shootingTimes = m_times.shootingTimesText();
    return c;
}

void TargetSheet::loadFileContent(const SeriesFileContent& content) {
    m_store.reset();
    const int last = qMax(1, placeSeries(m_store, 1, content.series));
    m_seriesList.clear();
    for (int n = 1; n <= last; ++n)
        m_seriesList.append(QString::number(n));
    m_comments = commentsFromText(content.comments);
    m_times.setTexts(content.shotTimes, content.shootingTimes);
    m_nextSeriesRed = false;
    endMatchRules();
    selectSeries(last);
    m_modified = false;
}

void TargetSheet::recompute() {
    clearFigures();
    for (int i = 0; i < kShotsPerSeries; ++i)
        if (m_placed[size_t(i)] && !score(i))
            return;
}

void TargetSheet::highlightShot(int row) {
    if (row < 0 || row >= m_listedSlots.size())
        return;
    clearHighlight();
    const int slot = m_listedSlots.at(row);
    if (slot < 0 || slot >= kShotsPerSeries)
        return;
    m_hits[size_t(slot)].border = kWhite;
    m_highlighted = slot;
    m_highlightRow = row;
}

void TargetSheet::clearHighlight() {
    if (m_highlighted >= 0)
        m_hits[size_t(m_highlighted)].border = kBlack;
    m_highlighted = -1;
    m_highlightRow = -1;
}

void TargetSheet::toggleWhiteShots() {
    const bool white = m_hits[0].fill == kWhite;
    for (int i = 0; i < kShotsPerSeries; ++i)
        m_hits[size_t(i)].fill = white ? m_hitColours[size_t(i)] : kWhite;
}

void TargetSheet::addComment(const QString& text) {
    m_comments.append({m_selected, int(m_listedSlots.size()), std::nullopt, text, {}, false});
    markModified();
}

void TargetSheet::addProgramMark(const QString& program) {
    m_comments.append(programMark(program));
    markModified();
}

void TargetSheet::forgetLateNote(int series, int shot) {
    m_comments.removeIf([&](const ShotNote& n) {
        return n.mark && n.series == series && n.shot == shot && n.text == lateNote();
    });
}

void TargetSheet::unlistLastShot() {
    forgetLateNote(m_selected, int(m_listedSlots.size()));
    m_listedSlots.removeLast();
}

void TargetSheet::takeBackLastListed() {
    if (!m_listedSlots.isEmpty()) {
        forgetLateNote(m_selected, int(m_listedSlots.size()));
        m_listedSlots.removeLast();
    }
    if (m_highlightRow >= m_listedSlots.size())
        clearHighlight();
    if (!m_values.isEmpty()) {
        // Hit values have at most three digits: the value is what its row shows.
        if (!isSighterSeries(m_selected))
            m_sums.subtract(m_values.last());
        m_values.removeLast();
        m_innerTen.removeLast();
    }
}

void TargetSheet::endMatchRules() {
    m_seriesLength = kShotsPerSeries;
    m_sighting = false;
    m_deadline.reset();
    m_times.setStartSignal(std::nullopt);
}

void TargetSheet::setSeriesLength(int shots) {
    m_seriesLength = qBound(1, shots, kShotsPerSeries);
    showSelectedSeries();
}

void TargetSheet::setSighting(bool on) {
    m_sighting = on;
    const bool noted = isSighterSeries(m_selected);
    if (on && !noted && lastSeriesSelected() && m_listedSlots.isEmpty()) {
        m_comments.append(sighterMark(m_selected));
    } else if (!on && noted && lastSeriesSelected() && m_listedSlots.isEmpty()) {
        // An empty sighting series becomes the first of the match.
        m_comments.removeIf([&](const ShotNote& n) {
            return n.mark && n.series == m_selected && n.shot == 0 && n.text == sighterNote();
        });
    }
    showSelectedSeries();
}

bool TargetSheet::isSighterSeries(int number) const {
    return ankerblick::isSighterSeries(m_comments, number);
}

void TargetSheet::setDeadline(std::optional<quint32> deadline, bool arrivalsOnly) {
    m_deadline = deadline;
    m_deadlineArrivalsOnly = arrivalsOnly;
}

SeriesRules TargetSheet::rulesOf(int series) const {
    return SeriesRules::of(m_comments, series, m_seriesLength);
}

bool TargetSheet::isLate(int series, int slot) const {
    return isLateShot(m_comments, series, slot + 1);
}

void TargetSheet::shotEntered(bool writeTimes, std::optional<quint32> at) {
    const quint32 when = at.value_or(m_clock->milliseconds());
    const int shot = int(m_listedSlots.size());
    // The series the shot went into, which need not be the newest.
    m_times.shotEntered(when, m_selected, shot, writeTimes, at.has_value());
    // Unsigned difference: a deadline passed lies less than half the
    // counter's range behind.
    const bool held = m_deadline && (at || !m_deadlineArrivalsOnly);
    if (held && shot > 0 && when - *m_deadline - 1u < 0x80000000u &&
        !isLate(m_selected, shot - 1)) {
        m_comments.append(lateMark(m_selected, shot));
        // Scored already: it counts 0 from now on.
        if (m_values.size() == m_listedSlots.size()) {
            if (!isSighterSeries(m_selected))
                m_sums.subtract(m_values.last());
            m_values.last() = 0.0;
            m_innerTen.last() = false;
        }
    }
    markModified();
}

void TargetSheet::shiftHits(float dx, float dy) {
    for (Mark& m : m_hits) {
        m.box.left += dx;
        m.box.top += dy;
    }
    m_entry->shift(dx, dy);
}

bool TargetSheet::storeShift(SeriesRecord& rec) {
    for (int i = 0; i < kShotsPerSeries; ++i) {
        const auto s = size_t(i);
        if (!m_placed[s])
            continue;
        Mark& hit = m_hits[s];
        const PointF centre = placeable(hit.box.centre().x, hit.box.centre().y);
        hit.box.centreOn(centre.x, centre.y);
        if (!fixMark(hit, i, rec.hitLeft, rec.hitTop, rec.hitCentre))
            return false;
    }
    return m_entry->storeShift(*this, rec);
}

PointF TargetSheet::placeable(float x, float y) const {
    return {std::max(x, m_face.leftmostMarkCentre()), y};
}

bool TargetSheet::fixMark(Mark& mark, int slot, SeriesRecord::Column& left,
                          SeriesRecord::Column& top, SeriesRecord::Centres& centres) {
    const std::optional<qint16> l = num::tryInt16(mark.box.left);
    const std::optional<qint16> t = num::tryInt16(mark.box.top);
    if (!l || !t)
        return false;
    const auto s = size_t(slot);
    left[s] = *l;
    top[s] = *t;
    mark.box.left = float(*l);
    mark.box.top = float(*t);
    centres[s] = mark.box.centre();
    return true;
}

void TargetSheet::mouseMove(float x, float y) {
    if (m_rightButton && !accepting()) {
        shiftHits(x - m_last.x, y - m_last.y);
        m_shifted = true;
    } else if (accepting()) {
        const PointF at = placeable(x, y);
        m_entry->waitingMark(*this).box.centreOn(at.x, at.y);
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
        m_entry->waitingMark(*this).box.centreOn(at.x, at.y);
    // A position beyond the 16-bit drawing range is not taken.
    const bool taken = m_entry->release(*this, at.x, at.y);
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
    record() = rec;
    markModified();
    return true;
}

} // namespace ankerblick
