// libpq is loaded with the first connection to the club's server, not at
// every start of the program: with it come some twenty libraries (TLS,
// Kerberos, LDAP) that a shooter without a club never needs, and that the
// dynamic loader would map and initialise before the name prompt. These are
// the libpq functions the program calls, each forwarded to the library the
// first time it is called. Only PQconnectStart can come first; without the
// library it makes no connection, and nothing else is called then.

#include "model/logging.h"

#include <QLibrary>
#include <libpq-fe.h>

namespace {

QFunctionPointer symbol(const char* name) {
    static QLibrary* library = [] {
        auto* loaded = new QLibrary(QStringLiteral("pq"), 5); // stays loaded
        if (!loaded->load())
            qCWarning(ankerblick::lcClub) << "libpq cannot be loaded:" << loaded->errorString();
        return loaded;
    }();
    const QFunctionPointer found = library->resolve(name);
    if (!found)
        qCWarning(ankerblick::lcClub) << "libpq has no" << name;
    return found;
}

} // namespace

// The library's own function `name`, looked up once.
#define ANKERBLICK_REAL(name)                                                                      \
    static const auto real = reinterpret_cast<decltype(&name)>(symbol(#name))

extern "C" {

PGconn* PQconnectStart(const char* conninfo) {
    ANKERBLICK_REAL(PQconnectStart);
    return real ? real(conninfo) : nullptr;
}
PostgresPollingStatusType PQconnectPoll(PGconn* conn) {
    ANKERBLICK_REAL(PQconnectPoll);
    return real(conn);
}
void PQfinish(PGconn* conn) {
    ANKERBLICK_REAL(PQfinish);
    real(conn);
}
ConnStatusType PQstatus(const PGconn* conn) {
    ANKERBLICK_REAL(PQstatus);
    return real(conn);
}
char* PQerrorMessage(const PGconn* conn) {
    ANKERBLICK_REAL(PQerrorMessage);
    return real(conn);
}
int PQsocket(const PGconn* conn) {
    ANKERBLICK_REAL(PQsocket);
    return real(conn);
}
char* PQuser(const PGconn* conn) {
    ANKERBLICK_REAL(PQuser);
    return real(conn);
}
int PQsetnonblocking(PGconn* conn, int arg) {
    ANKERBLICK_REAL(PQsetnonblocking);
    return real(conn, arg);
}
PQnoticeProcessor PQsetNoticeProcessor(PGconn* conn, PQnoticeProcessor proc, void* arg) {
    ANKERBLICK_REAL(PQsetNoticeProcessor);
    return real(conn, proc, arg);
}
int PQsendQueryParams(PGconn* conn, const char* command, int nParams, const Oid* paramTypes,
                      const char* const* paramValues, const int* paramLengths,
                      const int* paramFormats, int resultFormat) {
    ANKERBLICK_REAL(PQsendQueryParams);
    return real(conn, command, nParams, paramTypes, paramValues, paramLengths, paramFormats,
                resultFormat);
}
int PQconsumeInput(PGconn* conn) {
    ANKERBLICK_REAL(PQconsumeInput);
    return real(conn);
}
int PQisBusy(PGconn* conn) {
    ANKERBLICK_REAL(PQisBusy);
    return real(conn);
}
int PQflush(PGconn* conn) {
    ANKERBLICK_REAL(PQflush);
    return real(conn);
}
PGresult* PQgetResult(PGconn* conn) {
    ANKERBLICK_REAL(PQgetResult);
    return real(conn);
}
PGnotify* PQnotifies(PGconn* conn) {
    ANKERBLICK_REAL(PQnotifies);
    return real(conn);
}
void PQfreemem(void* ptr) {
    ANKERBLICK_REAL(PQfreemem);
    real(ptr);
}
void PQclear(PGresult* res) {
    ANKERBLICK_REAL(PQclear);
    real(res);
}
ExecStatusType PQresultStatus(const PGresult* res) {
    ANKERBLICK_REAL(PQresultStatus);
    return real(res);
}
char* PQresultErrorMessage(const PGresult* res) {
    ANKERBLICK_REAL(PQresultErrorMessage);
    return real(res);
}
char* PQresultErrorField(const PGresult* res, int fieldcode) {
    ANKERBLICK_REAL(PQresultErrorField);
    return real(res, fieldcode);
}
int PQntuples(const PGresult* res) {
    ANKERBLICK_REAL(PQntuples);
    return real(res);
}
int PQnfields(const PGresult* res) {
    ANKERBLICK_REAL(PQnfields);
    return real(res);
}
Oid PQftype(const PGresult* res, int field_num) {
    ANKERBLICK_REAL(PQftype);
    return real(res, field_num);
}
char* PQgetvalue(const PGresult* res, int tup_num, int field_num) {
    ANKERBLICK_REAL(PQgetvalue);
    return real(res, tup_num, field_num);
}
int PQgetlength(const PGresult* res, int tup_num, int field_num) {
    ANKERBLICK_REAL(PQgetlength);
    return real(res, tup_num, field_num);
}
int PQgetisnull(const PGresult* res, int tup_num, int field_num) {
    ANKERBLICK_REAL(PQgetisnull);
    return real(res, tup_num, field_num);
}

} // extern "C"
