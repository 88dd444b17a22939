#include "opentarget.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

#include <cmath>

namespace ankerblick {

// The bytes of the object under way are taken in slices of the read, not
// a byte at a time: the object begun at `begin` in this read.
QList<QByteArray> JsonObjectSplitter::feed(const QByteArray& bytes) {
    QList<QByteArray> objects;
    qsizetype begin = 0;
    const auto keep = [&](qsizetype end) { // bytes [begin, end) belong to the object
        if (!m_dropping && m_object.size() + (end - begin) > kLongestObject) {
            m_dropping = true;
            m_object.clear();
        }
        if (!m_dropping)
            m_object.append(bytes.constData() + begin, end - begin);
        begin = end;
    };
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (m_depth == 0) {
            if (c != '{')
                continue; // between objects
            m_object.clear();
            m_dropping = false;
            begin = i;
        }
        if (m_inString) {
            if (m_escaped)
                m_escaped = false;
            else if (c == '\\')
                m_escaped = true;
            else if (c == '"')
                m_inString = false;
        } else if (c == '"') {
            m_inString = true;
        } else if (c == '{') {
            ++m_depth;
        } else if (c == '}' && --m_depth == 0) {
            keep(i + 1);
            if (!m_dropping)
                objects.append(std::exchange(m_object, {}));
        }
    }
    if (m_depth > 0)
        keep(bytes.size());
    return objects;
}

void JsonObjectSplitter::reset() {
    m_object.clear();
    m_depth = 0;
    m_inString = false;
    m_escaped = false;
    m_dropping = false;
}

namespace {

QString problem(const char* text) {
    return QCoreApplication::translate("ankerblick::OpenTarget", text);
}

std::optional<double> numberIn(const QJsonObject& o, const char* key) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isDouble() || !std::isfinite(v.toDouble()))
        return std::nullopt;
    return v.toDouble();
}

// A shot's fields; its position must be there and numbers.
OpenTargetObject shotOf(const QJsonObject& o) {
    const std::optional<double> x = numberIn(o, "x");
    const std::optional<double> y = numberIn(o, "y");
    const std::optional<double> number = numberIn(o, "shot");
    if (!x || !y)
        return OpenTargetProblem{problem(QT_TRANSLATE_NOOP(
            "ankerblick::OpenTarget", "Ein Schuss der Scheibe hat keine Lage (x, y); er wird "
                                      "nicht eingetragen."))};
    // A shot lies on the target: a position beyond a metre is no position.
    if (std::abs(*x) > 1000.0 || std::abs(*y) > 1000.0 || !number || *number < 1 || *number > 1e6)
        return OpenTargetProblem{problem(QT_TRANSLATE_NOOP(
            "ankerblick::OpenTarget", "Ein Schuss der Scheibe ist nicht zu lesen; er wird "
                                      "nicht eingetragen."))};
    OpenTargetShot shot;
    shot.number = int(*number);
    shot.xMm = *x;
    shot.yMm = *y;
    if (const auto time = numberIn(o, "time"); time && *time >= 0 && *time < 1e15)
        shot.timeMs = qint64(*time);
    if (const auto type = numberIn(o, "session_type"))
        shot.sighter = (qint64(*type) & 2) != 0;
    shot.score = numberIn(o, "score");
    shot.athlete = o.value(QLatin1String("athelete")).toString();
    shot.event = o.value(QLatin1String("event")).toString();
    shot.targetName = o.value(QLatin1String("target_name")).toString();
    return shot;
}

} // namespace

OpenTargetObject readOpenTargetObject(const QByteArray& object) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(object, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return OpenTargetProblem{problem(QT_TRANSLATE_NOOP(
            "ankerblick::OpenTarget", "Die Scheibe sandte etwas, das kein Datensatz ist; es "
                                      "wird übergangen."))};
    const QJsonObject o = document.object();
    if (o.contains(QLatin1String("CONNECTED")) || o.contains(QLatin1String("NAME")))
        return OpenTargetGreeting{o.value(QLatin1String("NAME")).toVariant().toString()};
    if (o.contains(QLatin1String("shot")) || o.contains(QLatin1String("x")) ||
        o.contains(QLatin1String("y")))
        return shotOf(o);
    return OpenTargetOther{};
}

} // namespace ankerblick
