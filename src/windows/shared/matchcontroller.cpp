#include "matchcontroller.h"

#include "model/matchprogram.h"
#include "services/clock.h"
#include "services/tonegenerator.h"
#include "sheets/targetsheet.h"

#include <QTimer>

namespace ankerblick {

namespace {

// The range's commands: "Achtung", "Start", "Stop".
QList<tone::Tone> rangeSignal(RangeSignal signal) {
    switch (signal) {
    case RangeSignal::Attention:
        return {{660, 400}};
    case RangeSignal::Start:
        return {{880, 600}};
    case RangeSignal::Stop:
        return {{880, 150}, {0, 100}, {880, 150}};
    }
    return {};
}

// The notices of the match clock: five minutes left, time over.
QList<tone::Tone> noticeSignal() {
    return {{1000, 200}, {0, 150}, {1000, 200}};
}

} // namespace

MatchController::MatchController(TargetSheet& sheet, const Clock& clock, ToneGenerator& tones,
                                 QObject* parent)
    : QObject(parent), m_sheet(sheet), m_clock(clock), m_tones(tones), m_timer(new QTimer(this)) {
    m_timer->setObjectName(QStringLiteral("Wettkampfuhr"));
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &MatchController::tick);
}

void MatchController::clear() {
    m_commands.clear();
    m_notice.clear();
    m_position.clear();
}

void MatchController::start(const MatchProgram& program, std::optional<double> calibreMm) {
    clear();
    m_match.start(m_sheet, program, m_clock.milliseconds(), calibreMm);
    // Open the sound output now: the range commands must not wait for it,
    // and a missing output is known before the first series starts.
    if (program.timed())
        m_tones.prepare();
    m_timer->start();
}

void MatchController::endSighting() {
    m_match.endSighting(m_sheet, m_clock.milliseconds());
    m_notice.clear();
}

void MatchController::startSeries() {
    m_commands = m_match.startTimedSeries(m_sheet);
    m_nextCommand = 0;
    m_attentionAt = m_clock.milliseconds();
    m_notice.clear();
    tick(); // "Achtung" at once
}

void MatchController::end() {
    m_match.end(m_sheet);
    m_timer->stop();
    clear();
}

void MatchController::abandon() {
    m_match = Match();
    clear();
    m_timer->stop();
    m_sheet.setDeadline(std::nullopt);
    m_sheet.setStartSignal(std::nullopt);
}

void MatchController::stepRangeCommands(quint32 now) {
    while (m_nextCommand < m_commands.size() &&
           qint64(qint32(now - m_attentionAt)) >= m_commands.at(m_nextCommand).atMs) {
        const RangeCommand command = m_commands.at(m_nextCommand++);
        m_tones.play(rangeSignal(command.signal));
        if (command.signal == RangeSignal::Start && m_nextCommand == 2)
            m_match.startSignal(m_sheet, m_attentionAt + quint32(command.atMs));
        if (m_nextCommand == m_commands.size()) {
            m_match.seriesOver();
            m_commands.clear();
        }
    }
}

void MatchController::tick() {
    const quint32 now = m_clock.milliseconds();
    stepRangeCommands(now);
    const MatchPhase before = m_match.phase();
    switch (m_match.tick(m_sheet, now)) {
    case MatchNotice::None:
        break;
    case MatchNotice::SightingOver:
        m_notice = tr("Die Probezeit ist abgelaufen: Wertung");
        m_tones.play(noticeSignal());
        break;
    case MatchNotice::FiveMinutes:
        m_notice = tr("Noch 5 Minuten");
        m_tones.play(noticeSignal());
        break;
    case MatchNotice::TimeUp:
        m_notice = tr("Die Zeit ist abgelaufen: weitere Schüsse zählen 0");
        m_tones.play(noticeSignal());
        break;
    }
    if (before != MatchPhase::Ended && m_match.phase() == MatchPhase::Ended)
        Q_EMIT ended();
    // The match shots begin in a new series: the lists follow, the diary too.
    else if (before != m_match.phase())
        Q_EMIT seriesChanged();
    else
        Q_EMIT ticked();
}

QString MatchController::notice() {
    // The three-position programs announce the change of position.
    const QString position = m_match.nextPosition(m_sheet);
    if (!m_position.isEmpty() && position != m_position)
        m_notice = tr("Stellungswechsel: %1").arg(shownName(position));
    m_position = position;
    return m_notice;
}

} // namespace ankerblick
