#pragma once

// The desktop's keyring through QtKeychain (the Secret Service of GNOME or
// KDE), under the service name "Ankerblick".

#include "services/keyring.h"

namespace ankerblick {

class DesktopKeyring final : public Keyring {
public:
    void readPassword(const QString& key,
                      std::function<void(std::optional<QString>)> done) override;
    void writePassword(const QString& key, const QString& password,
                       std::function<void(QString)> done) override;
};

} // namespace ankerblick
