#pragma once

// The open-hardware target's stream: JSON objects one after another, not
// separated by anything, on TCP or a serial line. The splitter cuts whole
// objects out of the bytes as they come, however they are cut into reads;
// readOpenTargetObject says what one object is: the greeting the target sends
// on connecting, a shot, or something to pass over (another kind of
// message) or to report (a shot that cannot be read).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <variant>

namespace ankerblick {

class JsonObjectSplitter {
public:
    // An object longer than this is no record: it is dropped whole.
    static constexpr qsizetype kLongestObject = 16 * 1024;

    // The objects the bytes complete, in order. Bytes outside an object
    // (blanks, line ends, garbage) are passed over.
    QList<QByteArray> feed(const QByteArray& bytes);
    // The bytes of an object begun but not finished (a line that broke off).
    void reset();
    bool midObject() const { return m_depth > 0; }

private:
    QByteArray m_object;
    int m_depth = 0;
    bool m_inString = false;
    bool m_escaped = false;
    bool m_dropping = false; // the object grew too long
};

// "CONNECTED" and "NAME" of the greeting.
struct OpenTargetGreeting {
    QString name;
};

// A shot as the target reports it.
struct OpenTargetShot {
    int number = 0;               // "shot", from 1 in the target's session
    double xMm = 0.0;             // from the centre, right
    double yMm = 0.0;             // up
    std::optional<qint64> timeMs; // "time"
    std::optional<bool> sighter;  // "session_type" bit 2; none when not sent
    std::optional<double> score;  // the target's own value, when it sends one
    QString athlete;              // "athelete", as the target spells it
    QString event;
    QString targetName; // "target_name"
    friend bool operator==(const OpenTargetShot&, const OpenTargetShot&) = default;
};

// An object to report, once: why it is no shot.
struct OpenTargetProblem {
    QString text;
};

// Another kind of message, or an object of no known kind.
struct OpenTargetOther {};

using OpenTargetObject =
    std::variant<OpenTargetGreeting, OpenTargetShot, OpenTargetProblem, OpenTargetOther>;

OpenTargetObject readOpenTargetObject(const QByteArray& object);

} // namespace ankerblick
