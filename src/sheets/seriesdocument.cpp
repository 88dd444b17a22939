#include "seriesdocument.h"

#include "files/seriesfile.h"

namespace ankerblick {

namespace {

// The eight columns of a record, in the order of SlotContent::columns.
template <class Record> auto columnsOf(Record& r) {
    return std::array{&r.hitLeft, &r.hitTop, &r.callLeft, &r.callTop,
                      &r.lineX1,  &r.lineY1, &r.lineX2,   &r.lineY2};
}

} // namespace

SlotContent SlotContent::of(const SeriesRecord& record, int slot) {
    SlotContent content;
    const auto from = columnsOf(record);
    const auto s = size_t(slot);
    for (size_t c = 0; c < from.size(); ++c)
        content.columns[c] = (*from[c])[s];
    content.hitCentre = record.hitCentre[s];
    content.callCentre = record.callCentre[s];
    return content;
}

void SlotContent::writeTo(SeriesRecord& record, int slot) const {
    const auto to = columnsOf(record);
    const auto s = size_t(slot);
    for (size_t c = 0; c < to.size(); ++c)
        (*to[c])[s] = columns[c];
    record.hitCentre[s] = hitCentre;
    record.callCentre[s] = callCentre;
}

void SeriesDocument::clear() {
    m_store.reset();
    m_seriesCount = 1;
    m_edits.clear();
    m_comments.clear();
    m_times.clearTexts();
}

bool SeriesDocument::startNextSeries(const SeriesRecord& finished) {
    if (m_seriesCount >= kMaxSeries)
        return false; // the 16-bit series counter is full
    m_store[m_seriesCount] = finished;
    m_store.ensure(++m_seriesCount);
    if (m_sighting)
        addNote(sighterMark(m_seriesCount));
    return true;
}

void SeriesDocument::replaceSeries(const SeriesStore& store, int count) {
    m_store = store;
    m_seriesCount = count;
    m_store.ensure(count);
    m_edits.clear();
}

void SeriesDocument::replaceRecord(int series, const SeriesRecord& record) {
    m_store[series] = record;
}

void SeriesDocument::placeMarks(float markDiameter) {
    for (int n = 1; n <= m_store.count(); ++n)
        m_store[n].placeMarks(markDiameter);
}

void SeriesDocument::apply(const SeriesEdit& edit, Undo undo) {
    if (edit.correction) {
        m_store[edit.series] = edit.correction->after;
        m_comments = edit.correction->notesAfter.comments;
        m_times.setNotes(edit.correction->notesAfter);
    } else {
        edit.after.writeTo(m_store[edit.series], edit.slot);
    }
    m_modified = true;
    if (undo == Undo::Never)
        return;
    if (undo == Undo::Join && !m_edits.isEmpty() && m_edits.last().series == edit.series &&
        m_edits.last().slot == edit.slot)
        m_edits.last().after = edit.after;
    else
        m_edits.append(edit);
}

std::optional<SeriesEdit> SeriesDocument::lastEdit() const {
    if (m_edits.isEmpty())
        return std::nullopt;
    return m_edits.last();
}

void SeriesDocument::revertLastEdit() {
    if (m_edits.isEmpty())
        return;
    const SeriesEdit edit = m_edits.takeLast();
    m_modified = true;
    if (edit.correction) {
        m_store[edit.series] = edit.correction->before;
        m_comments = edit.correction->notesBefore.comments;
        m_times.setNotes(edit.correction->notesBefore);
        return;
    }
    edit.before.writeTo(m_store[edit.series], edit.slot);
    forgetMark(edit.series, edit.slot + 1, lateNote());
}

void SeriesDocument::addNote(const ShotNote& note) {
    m_comments.append(note);
}

void SeriesDocument::forgetMark(int series, int shot, const QString& text) {
    m_comments.removeIf([&](const ShotNote& n) {
        return n.mark && n.series == series && n.shot == shot && n.text == text;
    });
}

void SeriesDocument::endMatchRules() {
    m_seriesLength = kShotsPerSeries;
    m_sighting = false;
    m_deadline.reset();
    m_deadlineArrivalsOnly = false;
    m_times.setStartSignal(std::nullopt);
}

} // namespace ankerblick
