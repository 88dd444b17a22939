#pragma once

// "Datei → Vereinsserver …": the club's server the lane sends its diary to
// (server, port, database, user, password, TLS), "Verbindung prüfen" asking
// the sync to try it, and on OK the server kept in the settings and the
// password in the desktop's keyring, never in the settings. Also how the
// program connects at start: from --verein URL or from the settings, the
// password from the keyring (or else, as libpq does, ~/.pgpass and
// PGPASSWORD).

#include "services/clubaddress.h"
#include "services/settings.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace ankerblick {

class ClubSync;
class Keyring;
struct Services;

// The lane's name the sync sends: the one set, or else the computer's name.
QString laneNameOf(const ClubServerSettings& server);
// The connection URI of `server`; the password never goes into it.
QString clubUrl(const ClubServerSettings& server);
// What the keyring keeps the password of a login under: "user@host:port/database".
QString keyringKeyOf(const QString& user, const QString& host, int port, const QString& database);

// Sets the sync's server at start: `commandLineUrl` (a URI without a
// password) when given, otherwise the one in the settings; nothing without
// either. The password comes from the keyring, or else libpq finds it.
void connectClubAtStart(const Services& services, const QString& commandLineUrl);

class ClubServerDialog final : public QDialog {
    Q_OBJECT
public:
    ClubServerDialog(Settings& settings, Keyring& keyring, ClubSync& club,
                     QWidget* parent = nullptr);

    void accept() override;

private:
    ClubServerSettings entered() const;
    void check();

    Settings& m_settings;
    Keyring& m_keyring;
    ClubSync& m_club;
    QLineEdit* m_host;
    QSpinBox* m_port;
    QLineEdit* m_database;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QComboBox* m_tls;
    QLineEdit* m_lane;
    QLabel* m_answer;
    club::Credentials m_asked; // the server of the check under way
};

} // namespace ankerblick
