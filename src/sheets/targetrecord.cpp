#include "targetrecord.h"

#include "model/numeric.h"

#include <QCoreApplication>
#include <optional>
#include <utility>

namespace ankerblick {

QString linkFaultSource() {
    return QStringLiteral("Ankerblick");
}

QString linkFaultMessage(const LinkFault& fault) {
    return QCoreApplication::translate("TargetRecord",
                                       "Fehlerbeschribung: %1 Fehlerquelle: %2 Fehlernummer: %3")
        .arg(fault.description, linkFaultSource(), QString::number(fault.number));
}

namespace {

TargetReply faultReply(int number, const QString& description) {
    TargetReply r;
    r.kind = TargetReply::Kind::Fault;
    r.fault = {number, description};
    return r;
}

// A field as a whole number in the 16-bit range, or the failure it causes.
std::optional<TargetReply> readField(const QString& field, const QLocale& locale, qint16& out) {
    const std::optional<double> v = num::parseNumber(field, locale);
    if (!v || *v != num::floorValue(*v))
        return faultReply(
            recorderror::NotANumber,
            QCoreApplication::translate("TargetRecord", "Die Schussposition ist keine ganze Zahl"));
    if (*v < -32768.0 || *v > 32767.0)
        return faultReply(
            recorderror::OutOfRange,
            QCoreApplication::translate("TargetRecord",
                                        "Die Schussposition liegt außerhalb des Wertebereichs"));
    out = static_cast<qint16>(*v);
    return std::nullopt;
}

} // namespace

TargetReply readTargetReply(const QString& received, const QLocale& locale) {
    if (received.size() < kRecordMinLength)
        return {};
    if (received.size() < kRecordFullLength)
        return faultReply(
            recorderror::Incomplete,
            QCoreApplication::translate("TargetRecord", "Der Schussdatensatz ist unvollständig"));
    if (received.size() > kRecordMaxLength)
        return faultReply(
            recorderror::TooLong,
            QCoreApplication::translate("TargetRecord", "Der Schussdatensatz ist zu lang"));
    TargetReply r;
    if (auto fault = readField(received.mid(43, 6), locale, r.shot.x))
        return *fault;
    if (auto fault = readField(received.mid(50, 6), locale, r.shot.y))
        return *fault;
    r.kind = TargetReply::Kind::Shot;
    return r;
}

TargetReply TargetReplyAssembler::take(const QString& received) {
    if (received.isEmpty()) {
        // The line is quiet: a reply that was started is over.
        m_skipping = false;
        return readTargetReply(std::exchange(m_pending, QString()), m_locale);
    }
    if (m_skipping)
        return {};
    QStringView piece(received);
    if (m_pending.isEmpty())
        while (!piece.isEmpty() && (piece.front() == u'\r' || piece.front() == u'\n'))
            piece = piece.mid(1);
    m_pending.append(piece);
    if (m_pending.size() < kRecordFullLength)
        return {};
    const TargetReply reply = readTargetReply(std::exchange(m_pending, QString()), m_locale);
    m_skipping =
        reply.kind == TargetReply::Kind::Fault && reply.fault.number == recorderror::TooLong;
    return reply;
}

void TargetReplyAssembler::reset() {
    m_pending.clear();
    m_skipping = false;
}

PointF targetHitPosition(TargetShot shot, PointF centre, double scale) {
    const double dx = num::floorValue(shot.x / 100.0 * scale);
    const double dy = num::floorValue(shot.y / 100.0 * scale);
    return {static_cast<float>(centre.x + dx), static_cast<float>(centre.y - dy)};
}

} // namespace ankerblick
