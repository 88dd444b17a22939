#include "opentargetlink.h"

#include "model/logging.h"
#include "services/bytestream.h"
#include "services/settings.h"
#include "services/userdialogs.h"

#include <algorithm>
#include <variant>

namespace ankerblick {

namespace {

// The shots entered from each target, by name: the newest this many.
constexpr int kKeptKeys = 2000;

} // namespace

OpenTargetLink::OpenTargetLink(std::unique_ptr<ByteStream> stream, Settings& settings,
                               UserDialogs& dialogs, QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_stream(std::move(stream)), m_settings(settings), m_dialogs(dialogs),
      m_dialogParent(dialogParent) {
    connect(m_stream.get(), &ByteStream::opened, this, &OpenTargetLink::opened);
    connect(m_stream.get(), &ByteStream::failed, this, &OpenTargetLink::failed);
    connect(m_stream.get(), &ByteStream::received, this, &OpenTargetLink::received);
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, [this] { m_stream->open(m_location); });
    m_storeRetry.setSingleShot(true);
    m_storeRetry.setInterval(kStoreRetryMs);
    connect(&m_storeRetry, &QTimer::timeout, this, &OpenTargetLink::enterWaiting);
    m_replayEnd.setSingleShot(true);
    m_replayEnd.setInterval(kReplayMs);
    connect(&m_replayEnd, &QTimer::timeout, this, &OpenTargetLink::replayEnded);
}

OpenTargetLink::~OpenTargetLink() {
    m_stream->disconnect(this);
}

void OpenTargetLink::setState(State state) {
    m_state = state;
    Q_EMIT stateChanged();
}

void OpenTargetLink::connectOrDisconnect(const QString& location) {
    if (m_state != State::Off) {
        if (m_delivering)
            switchDelivering();
        m_retry.stop();
        m_replayEnd.stop();
        m_stream->close();
        setState(State::Off);
        return;
    }
    if (location.isEmpty())
        return;
    m_location = location;
    m_problem.clear();
    m_splitter.reset();
    setState(State::Connecting);
    m_stream->open(location);
}

void OpenTargetLink::opened() {
    m_splitter.reset(); // what a lost connection broke off is gone
    m_problem.clear();
    setState(State::Connected);
}

void OpenTargetLink::failed(const QString& why) {
    if (m_state == State::Off)
        return;
    qCWarning(lcSerialTarget) << "the open target at" << m_location << "is not reachable:" << why;
    m_problem = tr("Scheibe nicht erreichbar: %1").arg(why);
    m_retry.start();
    setState(State::Unreachable);
}

void OpenTargetLink::switchDelivering() {
    if (!m_delivering) {
        if (!m_door || m_state == State::Off)
            return;
        if (const QString refusal = m_door->refusal(); !refusal.isEmpty()) {
            m_dialogs.messageBox(m_dialogParent, refusal);
            return;
        }
        m_delivering = true;
        m_door->sourceActive(true);
        enterWaiting();
    } else {
        m_delivering = false;
        m_storeRetry.stop();
        if (const QString note = m_door ? m_door->sourceActive(false) : QString(); !note.isEmpty())
            m_dialogs.messageBox(m_dialogParent, note);
    }
    Q_EMIT stateChanged();
}

void OpenTargetLink::shutdown() {
    if (m_state != State::Off)
        connectOrDisconnect({});
}

void OpenTargetLink::received(const QByteArray& bytes) {
    for (const QByteArray& object : m_splitter.feed(bytes)) {
        const OpenTargetObject read = readOpenTargetObject(object);
        if (const auto* greeting = std::get_if<OpenTargetGreeting>(&read)) {
            m_name = greeting->name;
            m_replayEnd.start();
        } else if (const auto* shot = std::get_if<OpenTargetShot>(&read)) {
            take(*shot);
        } else if (const auto* problem = std::get_if<OpenTargetProblem>(&read)) {
            qCWarning(lcSerialTarget) << "the open target sent" << object;
            if (!m_reported.contains(problem->text)) {
                m_reported.append(problem->text);
                m_problem = problem->text;
                Q_EMIT stateChanged();
            }
        }
    }
    enterWaiting();
}

// A shot of the replay waits for the shooter's word, unless it was entered
// before; any other waits for the window.
void OpenTargetLink::take(const OpenTargetShot& shot) {
    const QString key = keyOf(shot);
    const auto same = [&](const OpenTargetShot& other) {
        return keyOf(other) == key;
    };
    if (known(shot) || std::any_of(m_waiting.begin(), m_waiting.end(), same) ||
        std::any_of(m_replayed.begin(), m_replayed.end(), same))
        return;
    const bool replay = m_replayEnd.isActive();
    if (replay) {
        m_replayed.append(shot);
        m_replayEnd.start(); // the replay goes on while its shots come
        return;
    }
    m_waiting.push_back(shot);
}

void OpenTargetLink::replayEnded() {
    const QList<OpenTargetShot> replayed = std::exchange(m_replayed, {});
    if (replayed.isEmpty())
        return;
    const QString question =
        replayed.size() == 1 ? tr("Ein Schuss der Scheibe ist noch nicht im Tagebuch. Übernehmen?")
                             : tr("%1 Schüsse der Scheibe sind noch nicht im Tagebuch. Übernehmen?")
                                   .arg(replayed.size());
    if (!m_dialogs.yesNo(m_dialogParent, question))
        return;
    for (const OpenTargetShot& shot : replayed)
        m_waiting.push_back(shot);
    enterWaiting();
}

void OpenTargetLink::enterWaiting() {
    while (m_delivering && m_door && !m_waiting.empty()) {
        const OpenTargetShot shot = m_waiting.front();
        const PointF at = m_door->geometry().fromMm(shot.xMm, shot.yMm);
        const HitReceipt receipt =
            m_door->enter({at, std::nullopt, HitCheck::Sure, shot.sighter, shot.score});
        if (!receipt.stored) {
            if (!receipt.problem.isEmpty() && receipt.problem != m_problem) {
                m_problem = receipt.problem;
                Q_EMIT stateChanged();
            }
            m_storeRetry.start();
            return;
        }
        remember(shot);
        m_waiting.pop_front();
    }
}

QString OpenTargetLink::keyOf(const OpenTargetShot& shot) const {
    return QStringLiteral("%1@%2").arg(shot.number).arg(shot.timeMs.value_or(-1));
}

bool OpenTargetLink::known(const OpenTargetShot& shot) const {
    return m_settings.enteredTargetShots(m_name).contains(keyOf(shot));
}

void OpenTargetLink::remember(const OpenTargetShot& shot) {
    QStringList keys = m_settings.enteredTargetShots(m_name);
    keys.append(keyOf(shot));
    if (keys.size() > kKeptKeys)
        keys.remove(0, keys.size() - kKeptKeys);
    m_settings.setEnteredTargetShots(m_name, keys);
}

} // namespace ankerblick
