#include "targetrecord.h"

#include "model/numeric.h"

#include <optional>

namespace ankerblick {

QString linkFaultSource() {
    return QStringLiteral("Ankerblick");
}

QString linkFaultMessage(const LinkFault& fault) {
    return QStringLiteral("Fehlerbeschribung: ") + fault.description +
           QStringLiteral(" Fehlerquelle: ") + linkFaultSource() +
           QStringLiteral(" Fehlernummer: ") + QString::number(fault.number);
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
        return faultReply(recorderror::NotANumber,
                          QStringLiteral("Die Schussposition ist keine ganze Zahl"));
    if (*v < -32768.0 || *v > 32767.0)
        return faultReply(recorderror::OutOfRange,
                          QStringLiteral("Die Schussposition liegt außerhalb des Wertebereichs"));
    out = static_cast<qint16>(*v);
    return std::nullopt;
}

} // namespace

TargetReply readTargetReply(const QString& received, const QLocale& locale) {
    if (received.size() < kRecordMinLength)
        return {};
    if (received.size() < kRecordFullLength)
        return faultReply(recorderror::Incomplete,
                          QStringLiteral("Der Schussdatensatz ist unvollständig"));
    TargetReply r;
    if (auto fault = readField(received.mid(43, 6), locale, r.shot.x))
        return *fault;
    if (auto fault = readField(received.mid(50, 6), locale, r.shot.y))
        return *fault;
    r.kind = TargetReply::Kind::Shot;
    return r;
}

PointF targetHitPosition(TargetShot shot, PointF centre, double scale) {
    const double dx = num::floorValue(shot.x / 100.0 * scale);
    const double dy = num::floorValue(shot.y / 100.0 * scale);
    return {static_cast<float>(centre.x + dx), static_cast<float>(centre.y - dy)};
}

} // namespace ankerblick
