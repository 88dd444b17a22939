#pragma once

// The settings in the desktop's configuration file, through QSettings.

#include "services/settings.h"

#include <memory>

class QSettings;

namespace ankerblick {

// The desktop's settings of the program.
class QtSettings final : public Settings {
public:
    QtSettings();
    ~QtSettings() override;

protected:
    QVariant read(const QString& key) const override;
    void write(const QString& key, const QVariant& value) override;

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace ankerblick
