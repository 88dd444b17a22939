#pragma once

// The desktop's keyring for the tests: the passwords in memory, each answer
// given from the event loop, as the real keyring gives it.

#include "services/keyring.h"

#include <QHash>
#include <QTimer>

namespace ankerblick::test {

class ScriptedKeyring final : public Keyring {
public:
    QHash<QString, QString> passwords;
    // When set, every write is refused with this reason.
    QString refusal;

    void readPassword(const QString& key,
                      std::function<void(std::optional<QString>)> done) override {
        const std::optional<QString> found =
            passwords.contains(key) ? std::optional<QString>(passwords.value(key)) : std::nullopt;
        QTimer::singleShot(0, [done = std::move(done), found] { done(found); });
    }
    void writePassword(const QString& key, const QString& password,
                       std::function<void(QString)> done) override {
        if (refusal.isEmpty())
            passwords.insert(key, password);
        QTimer::singleShot(0, [done = std::move(done), why = refusal] { done(why); });
    }
};

} // namespace ankerblick::test
