// What a browser or a damaged disk hands the live view's sessions: any bytes
// as a Cookie header, and as the file of the sessions read at start. A token
// is taken only from its own cookie, whole and without the separators; a
// file of any bytes loads no session that has no login or is past its time,
// and the sessions opened after it are found by their tokens only, and gone
// once closed.

#include "fuzzcheck.h"
#include "live/sessions.h"

#include <QDateTime>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdint>

using namespace ankerblick;
using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const QByteArray token = live::Sessions::tokenOf(bytes);
    FUZZ_CHECK(!token.contains(';'));
    FUZZ_CHECK(token == token.trimmed());
    FUZZ_CHECK(token.isEmpty() || bytes.contains(token));
    FUZZ_CHECK(token.isEmpty() || bytes.contains(live::Sessions::kCookie.toByteArray()));

    static QTemporaryDir folder;
    const QString path = folder.filePath(u"sitzungen.json"_s);
    QSaveFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
               file.commit());
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(1'780'000'000'000, Qt::UTC);
    live::Sessions sessions(path, std::chrono::hours(12));
    sessions.load(now);
    const qsizetype loaded = sessions.count();
    FUZZ_CHECK(!sessions.find(token, now));
    FUZZ_CHECK(!sessions.find(bytes, now));

    const club::Viewer anna{u"anna"_s, false, {u"anna"_s}};
    const QByteArray opened = sessions.open(anna, now);
    FUZZ_CHECK(sessions.count() == loaded + 1);
    FUZZ_CHECK(sessions.find(opened, now) == anna);
    FUZZ_CHECK(!sessions.find(opened, now.addSecs(12 * 3600)));
    sessions.close(opened);
    FUZZ_CHECK(!sessions.find(opened, now));
    FUZZ_CHECK(sessions.count() == loaded);
    // Everything loaded is past its time within the lifetime of a session
    // written then, or was written in the future by a clock gone wrong.
    sessions.expire(now.addYears(1000));
    return 0;
}
