#pragma once

// The shot record of the electronic target and the hit it stands for on the
// drawn target, and the failures of the link as the user reads them.

#include "model/geometry.h"

#include <QLocale>
#include <QString>
#include <QtGlobal>

namespace ankerblick {

// A failure of the link: a stable number and a German description.
struct LinkFault {
    int number = 0;
    QString description;
    friend bool operator==(const LinkFault&, const LinkFault&) = default;
};

// Who reports the link's failures: the program itself.
QString linkFaultSource();

// "Fehlerbeschribung: <description> Fehlerquelle: <source> Fehlernummer: <number>".
QString linkFaultMessage(const LinkFault& fault);

// Numbers of the failures of a received record.
namespace recorderror {
inline constexpr int Incomplete = 8101;  // 40 to 55 characters: the y field is cut off
inline constexpr int NotANumber = 8102;  // a field that is not a whole number
inline constexpr int OutOfRange = 8103;  // a field outside -32768 ... 32767
inline constexpr int EntryFailed = 8104; // the window could not enter the hit
inline constexpr int TooLong = 8105;     // more than a record: not the target on the port
} // namespace recorderror

// A hit as the target measures it: hundredths of a millimetre from the target
// centre, x to the right, y upwards.
struct TargetShot {
    qint16 x = 0;
    qint16 y = 0;
    friend bool operator==(const TargetShot&, const TargetShot&) = default;
};

// What one read of the receive buffer holds.
struct TargetReply {
    enum class Kind { Nothing, Shot, Fault };
    Kind kind = Kind::Nothing;
    TargetShot shot; // when kind is Shot
    LinkFault fault; // when kind is Fault
};

// Shortest text taken as a record, the length that holds both fields, and
// the longest text taken as one record (room for a line end and more).
inline constexpr int kRecordMinLength = 40;
inline constexpr int kRecordFullLength = 56;
inline constexpr int kRecordMaxLength = 64;

// Reads one reply. Fewer than 40 characters are no record, more than 64 are
// not one record; otherwise x is characters 44-49 and y characters 51-56
// (counted from 1), each a whole number in -32768 ... 32767.
TargetReply readTargetReply(const QString& received, const QLocale& locale = QLocale());

// Joins what consecutive polls read into replies: a record may arrive in
// pieces over several polls (at 9600 baud a record takes about 60 ms, a poll
// comes every 100 ms). A reply is complete once it holds 56 characters, or
// when a poll finds nothing new; line ends in front of a reply (the end of the
// one before) are dropped. After a reply that is too long, everything up to
// the next quiet poll is dropped, so that a device that keeps sending gives
// one message, not one per poll.
class TargetReplyAssembler {
public:
    explicit TargetReplyAssembler(const QLocale& locale = QLocale()) : m_locale(locale) {}

    // What one poll read (possibly nothing); the reply it completes.
    TargetReply take(const QString& received);
    // Forgets a started reply (log-on, polling switched on).
    void reset();
    qsizetype pendingLength() const { return m_pending.size(); }

private:
    QLocale m_locale;
    QString m_pending;
    bool m_skipping = false;
};

// The drawing position of a hit: the centre of the target moved by the
// measured distance times the scale (drawing units per millimetre), each
// axis rounded down; y grows downwards on the drawing.
PointF targetHitPosition(TargetShot shot, PointF centre, double scale);

} // namespace ankerblick
