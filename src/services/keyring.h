#pragma once

// The desktop's keyring, where the program keeps the password of the club's
// server: never in the settings file or a log. Its answers may come later,
// from the event loop, as the desktop's keyring gives them.

#include <QString>

#include <functional>
#include <optional>

namespace ankerblick {

class Keyring {
public:
    virtual ~Keyring() = default;
    // The password kept under `key`, or nothing when none is (or the
    // keyring cannot be reached).
    virtual void readPassword(const QString& key,
                              std::function<void(std::optional<QString>)> done) = 0;
    // Keeps `password` under `key`; `done` gets why it could not, or empty.
    virtual void writePassword(const QString& key, const QString& password,
                               std::function<void(QString)> done) = 0;
};

} // namespace ankerblick
