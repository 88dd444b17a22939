#pragma once

// Settings kept in memory for the tests and benchmarks.

#include "services/settings.h"

#include <QHash>

namespace ankerblick {

// A store that lives as long as the object: for tests and benchmarks, which
// must neither read nor change the user's settings.
class MemorySettings final : public Settings {
public:
    void clear() { m_values.clear(); }
    // Puts any value under a key, as a damaged settings file might hold it.
    void put(const QString& key, const QVariant& value) { m_values.insert(key, value); }
    // Everything kept, for a test that looks for what must not be there.
    QList<QVariant> values() const { return m_values.values(); }

protected:
    QVariant read(const QString& key) const override { return m_values.value(key); }
    void write(const QString& key, const QVariant& value) override { m_values.insert(key, value); }

private:
    QHash<QString, QVariant> m_values;
};

} // namespace ankerblick
