#include "seriesscore.h"

#include <algorithm>

namespace ankerblick {

namespace {

// What one note marks in the rules of its series.
void take(SeriesRules& rules, const ShotNote& note) {
    if (!note.mark)
        return;
    if (note.shot == 0 && note.text == sighterNote())
        rules.sighter = true;
    else if (note.shot >= 1 && note.shot <= kShotsPerSeries && note.text == lateNote())
        rules.late[size_t(note.shot - 1)] = true;
}

// The value a shot lists: 0 after the time; none when its hit lies too far
// off the target to be valued.
std::optional<double> listedValue(std::optional<double> hitValue, bool late) {
    return hitValue && late ? std::optional<double>(0.0) : hitValue;
}

} // namespace

SeriesRules SeriesRules::of(const QList<ShotNote>& comments, int number, int length) {
    SeriesRules rules;
    rules.length = std::clamp(length, 0, kShotsPerSeries);
    for (const ShotNote& note : comments)
        if (note.series == number)
            take(rules, note);
    return rules;
}

SeriesRulesBook::SeriesRulesBook(const QList<ShotNote>& comments, int length) {
    m_plain.length = std::clamp(length, 0, kShotsPerSeries);
    for (const ShotNote& note : comments) {
        if (!note.mark)
            continue;
        if (!m_marked.contains(note.series))
            m_marked.insert(note.series, m_plain);
        take(m_marked[note.series], note);
    }
}

SeriesRules SeriesRulesBook::of(int number) const {
    return m_marked.value(number, m_plain);
}

QList<double> SeriesScore::values() const {
    QList<double> list;
    list.reserve(shots.size());
    for (const SlotScore& s : shots)
        if (s.value)
            list.append(*s.value);
    return list;
}

SeriesScore scoreSeries(const SeriesRecord& record, const TargetFace& face,
                        const SeriesRules& rules, const RatingOptions* options) {
    SeriesScore score;
    const int length = std::clamp(rules.length, 0, kShotsPerSeries);
    for (int slot = 0; slot < length; ++slot) {
        std::optional<group::ScoredShot> scored = group::scoreSlot(record, slot, face, options);
        if (!scored)
            continue;
        SlotScore s{slot, scored->shot, listedValue(scored->value, rules.late[size_t(slot)]),
                    scored->callValue, scored->rating};
        s.late = rules.late[size_t(slot)];
        if (!s.value && !score.unscorable)
            score.unscorable = slot;
        if (score.unscorable) {
            s.value.reset();
            score.shots.append(s);
            continue;
        }
        s.innerTen = !s.late && face.innerTen(record.hitMarkCentre(slot, face.markDiameter()));
        s.counts = !rules.sighter;
        if (s.counts) {
            score.sums.add(*s.value);
            score.innerTens += s.innerTen ? 1 : 0;
            ++score.counted;
        }
        score.shots.append(s);
    }
    return score;
}

std::optional<double> listedShotValue(const SeriesStore& store, int listed, const TargetFace& face,
                                      const SeriesRules& rules, int series, int entry) {
    if (series < 1 || series > listed || !store.contains(series) || entry < 0)
        return std::nullopt;
    // scoreSeries(...).values().value(entry), without scoring the calls: the
    // graph asks for every entry of every series.
    const SeriesRecord& record = store[series];
    int listedEntry = 0;
    for (int slot = 0; slot < std::clamp(rules.length, 0, kShotsPerSeries); ++slot) {
        if (!record.hasShot(slot))
            continue;
        const std::optional<double> value =
            listedValue(tryHitValue(record.hitMarkCentre(slot, face.markDiameter()), face.centre(),
                                    face.scoring()),
                        rules.late[size_t(slot)]);
        if (!value)
            return std::nullopt; // the scoring ends at a hit that cannot be valued
        if (listedEntry++ == entry)
            return value;
    }
    return std::nullopt;
}

} // namespace ankerblick
