#include "clubcommand.h"

#include "platform/clubconnection.h"
#include "platform/clubschema.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <optional>
#include <termios.h>
#include <unistd.h>

namespace ankerblick {

using namespace Qt::StringLiterals;

namespace {

void print(std::FILE* to, const QString& text) {
    std::fputs((text + u'\n').toLocal8Bit().constData(), to);
    std::fflush(to);
}

// One line, without its line break; empty at the end of the input.
std::optional<QString> readLine(std::FILE* in) {
    QByteArray line;
    for (int c; (c = std::fgetc(in)) != EOF && c != '\n';)
        line.append(char(c));
    if (line.isEmpty() && std::feof(in))
        return std::nullopt;
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromLocal8Bit(line);
}

// The password, from a terminal without echo and asked twice, or the first
// line of what is piped in; empty, with the reason told, when there is none.
std::optional<QString> readPassword(const QString& login, std::FILE* in, std::FILE* err) {
    const auto none = [err] {
        print(err, QCoreApplication::translate(
                       "ClubCommand",
                       "Eine Anmeldung ohne Passwort wird nicht angelegt; bitte das Passwort "
                       "über die Standardeingabe geben."));
        return std::nullopt;
    };
    const int fd = fileno(in);
    termios saved{};
    if (!isatty(fd) || tcgetattr(fd, &saved) != 0) {
        const std::optional<QString> line = readLine(in);
        return line && !line->isEmpty() ? line : none();
    }
    termios quiet = saved;
    quiet.c_lflag &= ~tcflag_t(ECHO);
    tcsetattr(fd, TCSAFLUSH, &quiet);
    std::fputs(QCoreApplication::translate("ClubCommand", "Passwort für „%1“: ")
                   .arg(login)
                   .toLocal8Bit()
                   .constData(),
               err);
    std::fflush(err);
    const std::optional<QString> first = readLine(in);
    std::fputs(
        QCoreApplication::translate("ClubCommand", "\nNoch einmal: ").toLocal8Bit().constData(),
        err);
    std::fflush(err);
    const std::optional<QString> second = readLine(in);
    tcsetattr(fd, TCSAFLUSH, &saved);
    std::fputs("\n", err);
    if (first != second) {
        print(err,
              QCoreApplication::translate(
                  "ClubCommand", "Die beiden Passwörter stimmen nicht überein; nichts geändert."));
        return std::nullopt;
    }
    return first && !first->isEmpty() ? first : none();
}

} // namespace

int setUpClub(const ClubSetup& setup, std::FILE* in, std::FILE* out, std::FILE* err) {
    if (!setup.login.isEmpty()) {
        if (const QString problem = club::loginNameProblem(setup.login); !problem.isEmpty()) {
            print(err, problem);
            return 1;
        }
    }
    // The password is read before the server is asked, so that a script's
    // input is never left waiting.
    QString password;
    if (!setup.login.isEmpty()) {
        const std::optional<QString> read = readPassword(setup.login, in, err);
        if (!read)
            return 1;
        password = *read;
    }
    club::Connection connection(setup.url);
    if (!connection.isOpen()) {
        print(err, connection.problem());
        return 1;
    }
    QSqlDatabase db = connection.database();
    const club::SetUp done = club::setUp(db);
    if (!done.ok) {
        print(err, done.problem);
        return 1;
    }
    if (done.before == done.after)
        print(out,
              QCoreApplication::translate(
                  "ClubCommand", "Die Tabellen des Vereins sind auf dem Stand (Version %1); nichts "
                                 "geändert.")
                  .arg(done.after));
    else if (done.before == 0)
        print(out, QCoreApplication::translate(
                       "ClubCommand",
                       "Die Tabellen und Rollen des Vereins sind eingerichtet (Version %1).")
                       .arg(done.after));
    else
        print(out, QCoreApplication::translate(
                       "ClubCommand",
                       "Die Tabellen des Vereins sind von Version %1 auf Version %2 gebracht.")
                       .arg(done.before)
                       .arg(done.after));
    if (setup.login.isEmpty())
        return 0;
    const QString problem = club::addLogin(
        db, setup.login, password, setup.coach ? club::LoginKind::Coach : club::LoginKind::Shooter);
    if (!problem.isEmpty()) {
        print(err, problem);
        return 1;
    }
    print(out, (setup.coach
                    ? QCoreApplication::translate(
                          "ClubCommand", "Die Anmeldung „%1“ für einen Trainer ist eingerichtet.")
                    : QCoreApplication::translate(
                          "ClubCommand", "Die Anmeldung „%1“ für einen Schützen ist eingerichtet."))
                   .arg(setup.login));
    return 0;
}

} // namespace ankerblick
