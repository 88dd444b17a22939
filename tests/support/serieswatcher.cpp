#include "serieswatcher.h"

namespace ankerblick::test {

using namespace Qt::StringLiterals;

namespace {

ServerClubReader::Timing watching() {
    ServerClubReader::Timing timing;
    timing.retryMs = 200; // a server still starting is tried again soon
    return timing;
}

} // namespace

SeriesWatcher::SeriesWatcher(const club::Credentials& server) : m_reader(watching()) {
    QObject::connect(&m_reader, &ClubReader::squadChanged, &m_reader,
                     [this](const club::Squad& squad) {
                         m_problem.clear();
                         see(squad);
                     });
    QObject::connect(&m_reader, &ClubReader::watchProblem, &m_reader,
                     [this](const QString& problem) { m_problem = problem; });
    m_reader.watch(server);
}

QString SeriesWatcher::key(const QString& login, int number) {
    return u"%1/%2"_s.arg(login).arg(number);
}

void SeriesWatcher::see(const club::Squad& squad) {
    const Clock::time_point now = Clock::now();
    for (const club::SquadShooter& shooter : squad.shooters) {
        int number = 0;
        for (const club::SquadTraining& training : shooter.trainings)
            for (qsizetype i = 0; i < training.seriesSums.size(); ++i) {
                const QString seen = key(shooter.login, ++number);
                if (!m_heard.contains(seen))
                    m_heard.insert(seen, now);
            }
    }
}

} // namespace ankerblick::test
