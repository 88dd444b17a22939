#pragma once

// What the program remembers between runs: the last shooter's name, each
// window's options and place on the screen, the serial port, the rhythm
// times, the click value and the calibre of each discipline and the last
// folder of the file dialogs. The program keeps them where the desktop keeps program settings
// (QSettings under the organisation and program name set in main); tests use
// a store of their own. Whatever a store holds, a value that is missing or
// makes no sense reads as the default.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace ankerblick {

// The club's server as "Datei → Vereinsserver …" sets it; its password is
// kept in the desktop's keyring, never here.
struct ClubServerSettings {
    QString host;
    int port = 5432;
    QString database;
    QString user;
    // libpq's sslmode: "prefer" (TLS when the server offers it), "require", "disable".
    QString tls = QStringLiteral("prefer");
    // The lane's name on the range ("7", "Stand 12"), shown and ordered by
    // in the range's live view; empty: the computer's name.
    QString lane;

    bool isSet() const { return !host.isEmpty() && !user.isEmpty(); }
    friend bool operator==(const ClubServerSettings&, const ClubServerSettings&) = default;
};

class Settings {
public:
    virtual ~Settings() = default;

    QString lastShooter() const;
    void setLastShooter(const QString& name);

    // A window's options by the window's object name; -1 when none is kept.
    int option(const QString& window, const QString& name, int count) const;
    void setOption(const QString& window, const QString& name, int index);

    QByteArray geometry(const QString& window) const;
    void setGeometry(const QString& window, const QByteArray& geometry);

    QString serialPort() const;
    void setSerialPort(const QString& location);

    // The shots an open-hardware target reported that were entered
    // ("number@time"), by the name the target greets with.
    QStringList enteredTargetShots(const QString& target) const;
    void setEnteredTargetShots(const QString& target, const QStringList& shots);

    // The columns a plain CSV's shots were read from (x, y, time, value,
    // sighter; -1 for none), by the file's first line, so that a file of the
    // same kind is read the same way; none when none are kept.
    QList<int> shotFileColumns(const QStringList& header) const;
    void setShotFileColumns(const QStringList& header, const QList<int>& columns);

    // The six times of the rhythm aid as typed; empty when none are kept.
    QStringList rhythmTimes() const;
    void setRhythmTimes(const QStringList& times);

    // The click value of a discipline's sight in millimetres at the target;
    // `fallback` when none is kept.
    double clickMm(int discipline, double fallback) const;
    void setClickMm(int discipline, double mm);

    // The shot diameter chosen for a discipline in millimetres; none when
    // none is kept (the discipline's standard calibre holds).
    std::optional<double> calibreMm(int discipline) const;
    void setCalibreMm(int discipline, double mm);

    QString lastFolder() const;
    void setLastFolder(const QString& folder);

    // The language chosen in "Ansicht → Sprache": "de", "en", or empty when
    // none was chosen (the system's language decides).
    QString language() const;
    void setLanguage(const QString& language);

    ClubServerSettings clubServer() const;
    void setClubServer(const ClubServerSettings& server);

protected:
    virtual QVariant read(const QString& key) const = 0;
    virtual void write(const QString& key, const QVariant& value) = 0;

private:
    QString text(const QString& key, int maxLength) const;
};

} // namespace ankerblick
