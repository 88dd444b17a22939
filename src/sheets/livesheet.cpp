#include "livesheet.h"

#include "callfigures.h"
#include "model/diarytotals.h"
#include "model/targetface.h"

#include <QCollator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <algorithm>

namespace ankerblick::live {

using namespace Qt::StringLiterals;

namespace {

QJsonValue pointOf(const group::PointMm& p) {
    return QJsonArray{p.x, p.y};
}

template <typename T> QJsonValue optionalOf(const std::optional<T>& value) {
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonValue optionalPointOf(const std::optional<group::PointMm>& p) {
    return p ? pointOf(*p) : QJsonValue(QJsonValue::Null);
}

QJsonObject shotObject(const diary::Shot& shot) {
    return {{u"slot"_s, shot.slot},
            {u"hit"_s, pointOf(shot.hit)},
            {u"call"_s, optionalPointOf(shot.call)},
            {u"value"_s, optionalOf(shot.value)},
            {u"callValue"_s, optionalOf(shot.callValue)},
            {u"rating"_s, optionalOf(shot.rating)},
            {u"innerTen"_s, shot.innerTen}};
}

QJsonObject seriesObject(const diary::Series& series) {
    const diary::SeriesFigures f = diary::figuresOf(series.shots);
    QJsonArray shots;
    for (const diary::Shot& shot : series.shots)
        shots << shotObject(shot);
    return {{u"number"_s, series.number}, {u"sighter"_s, series.sighter},
            {u"sum"_s, f.sumTenths},      {u"sumWhole"_s, f.sumWhole},
            {u"calls10"_s, f.calls10},    {u"callsRated"_s, f.callsRated},
            {u"shots"_s, shots}};
}

qint64 msOf(const QDateTime& time) {
    return time.isValid() ? time.toMSecsSinceEpoch() : 0;
}

QByteArray textOf(const QJsonObject& frame) {
    return QJsonDocument(frame).toJson(QJsonDocument::Compact);
}

QJsonObject viewerObject(const club::Viewer& viewer) {
    return {{u"login"_s, viewer.login}, {u"coach"_s, viewer.coach}};
}

} // namespace

QJsonObject faceObject(int discipline) {
    const DisciplineInfo* info = disciplineInfo(discipline);
    if (!info)
        return {};
    QJsonArray rings;
    for (double d : info->faceRingsMm)
        rings << d;
    return {{u"rings"_s, rings},
            {u"black"_s, info->blackDiameterMm},
            {u"innerTen"_s, info->innerTenMm},
            {u"numbered"_s, info->lastNumberedRing},
            {u"calibre"_s, info->calibreMm}};
}

QJsonObject laneObject(const club::LiveTraining& t) {
    diary::Totals totals;
    QList<diary::Shot> counted;
    QJsonArray series;
    for (const diary::Series& s : t.series) {
        totals.add(diary::figuresOf(s.shots), s.sighter);
        if (!s.sighter)
            counted << s.shots;
        series << seriesObject(s);
    }
    const diary::TrainingSummary summary = diary::summaryOf(t.training, totals);
    const calls::CallFigures calls = calls::callFigures(counted, t.training.discipline);
    return {{u"id"_s, t.lane.toString(QUuid::WithoutBraces)},
            {u"laneName"_s, t.laneName},
            {u"training"_s, t.id.toString(QUuid::WithoutBraces)},
            {u"login"_s, t.login},
            {u"shooter"_s, t.training.shooter},
            {u"discipline"_s, t.training.discipline},
            {u"program"_s, t.training.program},
            {u"face"_s, faceObject(t.training.discipline)},
            {u"calibre"_s, isCalibre(t.training.calibreMm) ? t.training.calibreMm : QJsonValue()},
            {u"started"_s, msOf(t.training.start)},
            {u"last"_s, msOf(t.received)},
            {u"shots"_s, summary.shots},
            {u"calls10"_s, optionalOf(summary.call10Share)},
            {u"mpi"_s, optionalPointOf(summary.mpi)},
            {u"callError"_s, calls.shots > 0 ? pointOf(calls.offset) : QJsonValue()},
            {u"spread"_s, optionalOf(summary.meanGroupSize)},
            {u"series"_s, series}};
}

void Board::setTrainings(QList<club::LiveTraining> trainings) {
    m_trainings = std::move(trainings);
}

QUuid Board::take(const club::LiveTraining& training, int number) {
    const auto known = std::find_if(m_trainings.begin(), m_trainings.end(),
                                    [&](const auto& t) { return t.id == training.id; });
    if (known == m_trainings.end()) {
        m_trainings << training;
        return training.lane;
    }
    QList<diary::Series> series = std::move(known->series);
    series.removeIf([number](const diary::Series& s) { return s.number == number; });
    series << training.series;
    std::sort(series.begin(), series.end(),
              [](const auto& a, const auto& b) { return a.number < b.number; });
    const QDateTime received = std::max(known->received, training.received);
    *known = training;
    known->series = std::move(series);
    known->received = received;
    return training.lane;
}

const club::LiveTraining* Board::tile(const QUuid& lane, const club::Viewer& viewer) const {
    const club::LiveTraining* newest = nullptr;
    for (const club::LiveTraining& t : m_trainings)
        if (t.lane == lane && !t.series.isEmpty() && viewer.sees(t.login) &&
            (!newest || t.received > newest->received))
            newest = &t;
    return newest;
}

QList<const club::LiveTraining*> Board::tiles(const club::Viewer& viewer) const {
    QList<const club::LiveTraining*> tiles;
    QSet<QUuid> lanes;
    for (const club::LiveTraining& t : m_trainings)
        if (!lanes.contains(t.lane)) {
            lanes.insert(t.lane);
            if (const club::LiveTraining* tile = this->tile(t.lane, viewer))
                tiles << tile;
        }
    // Lane 2 before lane 10; a lane without a name after the named ones.
    QCollator collator;
    collator.setNumericMode(true);
    std::sort(tiles.begin(), tiles.end(), [&collator](const auto* a, const auto* b) {
        if (a->laneName.isEmpty() != b->laneName.isEmpty())
            return b->laneName.isEmpty();
        if (const int byLane = collator.compare(a->laneName, b->laneName); byLane != 0)
            return byLane < 0;
        const int byName = collator.compare(a->training.shooter, b->training.shooter);
        return byName != 0 ? byName < 0 : a->lane.toString() < b->lane.toString();
    });
    return tiles;
}

QByteArray Board::stateFrame(const club::Viewer& viewer, const QDateTime& now) const {
    QJsonArray lanes;
    for (const club::LiveTraining* t : tiles(viewer))
        lanes << laneObject(*t);
    return textOf({{u"type"_s, u"state"_s},
                   {u"now"_s, msOf(now)},
                   {u"viewer"_s, viewerObject(viewer)},
                   {u"lanes"_s, lanes}});
}

std::optional<QByteArray> Board::laneFrame(const QUuid& lane, const club::Viewer& viewer,
                                           const QDateTime& now) const {
    const club::LiveTraining* t = tile(lane, viewer);
    if (!t)
        return std::nullopt;
    return textOf({{u"type"_s, u"lane"_s}, {u"now"_s, msOf(now)}, {u"lane"_s, laneObject(*t)}});
}

QByteArray Board::goneFrame(const QUuid& lane) {
    return textOf({{u"type"_s, u"gone"_s}, {u"lane"_s, lane.toString(QUuid::WithoutBraces)}});
}

void FrameQueue::push(const QString& key, QByteArray frame) {
    if (m_stateOwed) {
        ++m_dropped; // the state, made when it is sent, holds it
        return;
    }
    const auto older = std::find_if(m_frames.begin(), m_frames.end(),
                                    [&](const Waiting& w) { return w.key == key; });
    if (older != m_frames.end()) {
        m_bytes -= older->frame.size();
        m_frames.erase(older);
        ++m_dropped;
    }
    m_bytes += frame.size();
    m_frames.append({key, std::move(frame)});
    if (m_bytes > m_limit)
        dropForState();
}

void FrameQueue::dropForState() {
    m_dropped += m_frames.size();
    m_frames.clear();
    m_bytes = 0;
    m_stateOwed = true;
}

std::optional<QByteArray> FrameQueue::take(const std::function<QByteArray()>& state) {
    if (m_stateOwed) {
        m_stateOwed = false;
        return state();
    }
    if (m_frames.isEmpty())
        return std::nullopt;
    Waiting first = m_frames.takeFirst();
    m_bytes -= first.frame.size();
    return std::move(first.frame);
}

} // namespace ankerblick::live
