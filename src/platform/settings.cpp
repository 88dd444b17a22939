#include "settings.h"

#include <QSettings>

namespace ankerblick {

QtSettings::QtSettings() : m_settings(std::make_unique<QSettings>()) {}

QtSettings::~QtSettings() = default;

QVariant QtSettings::read(const QString& key) const {
    return m_settings->value(key);
}

void QtSettings::write(const QString& key, const QVariant& value) {
    m_settings->setValue(key, value);
}

} // namespace ankerblick
