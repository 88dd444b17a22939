#include "clubserverdialog.h"

#include "services/club.h"
#include "services/clubaddress.h"
#include "services/keyring.h"
#include "services/services.h"
#include "widgets/widgets.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QSysInfo>
#include <QUrl>
#include <QVBoxLayout>

namespace ankerblick {

using namespace Qt::StringLiterals;

namespace {

QString encoded(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

// The TLS choices in the order of the list, as libpq's sslmode.
const QStringList kTlsModes{u"prefer"_s, u"require"_s, u"disable"_s};

} // namespace

QString clubUrl(const ClubServerSettings& server) {
    return u"postgresql://"_s + encoded(server.user) + u'@' + encoded(server.host) + u':' +
           QString::number(server.port) + u'/' + encoded(server.database) + u"?sslmode="_s +
           server.tls;
}

QString keyringKeyOf(const QString& user, const QString& host, int port, const QString& database) {
    return user + u'@' + host + u':' + QString::number(port > 0 ? port : 5432) + u'/' + database;
}

QString laneNameOf(const ClubServerSettings& server) {
    return server.lane.isEmpty() ? QSysInfo::machineHostName() : server.lane;
}

void connectClubAtStart(const Services& services, const QString& commandLineUrl) {
    if (!services.club)
        return;
    ClubSync* club = services.club;
    club->setLaneName(laneNameOf(services.settings.clubServer()));
    QString url = commandLineUrl;
    QString key;
    if (url.isEmpty()) {
        const ClubServerSettings server = services.settings.clubServer();
        if (!server.isSet())
            return;
        url = clubUrl(server);
        key = keyringKeyOf(server.user, server.host, server.port, server.database);
    } else {
        // The command line refuses a URI with a password.
        if (const std::optional<club::Address> address = club::parseAddress(url))
            key = keyringKeyOf(address->user, address->host, address->port, address->database);
    }
    if (key.isEmpty() || !services.keyring) {
        club->setServer({url, {}});
        return;
    }
    // Without a password in the keyring libpq looks in ~/.pgpass and PGPASSWORD.
    services.keyring->readPassword(key, [club, url](std::optional<QString> password) {
        club->setServer({url, password.value_or(QString())});
    });
}

ClubServerDialog::ClubServerDialog(Settings& settings, Keyring& keyring, ClubSync& club,
                                   QWidget* parent)
    : QDialog(parent), m_settings(settings), m_keyring(keyring), m_club(club) {
    setObjectName(u"Vereinsserver"_s);
    setWindowTitle(tr("Vereinsserver"));
    const ClubServerSettings kept = settings.clubServer();
    m_host = named(new QLineEdit(kept.host, this), u"Server"_s);
    m_port = named(new QSpinBox(this), u"Port"_s);
    m_port->setRange(1, 65535);
    m_port->setValue(kept.port);
    m_database = named(new QLineEdit(kept.database, this), u"Datenbank"_s);
    m_user = named(new QLineEdit(kept.user, this), u"Benutzer"_s);
    m_password = named(new QLineEdit(this), u"Passwort"_s);
    m_password->setEchoMode(QLineEdit::Password);
    m_tls = named(new QComboBox(this), u"TLS"_s);
    m_tls->addItems({tr("wenn der Server sie anbietet"), tr("verlangt"), tr("aus")});
    m_tls->setCurrentIndex(int(std::max<qsizetype>(0, kTlsModes.indexOf(kept.tls))));
    m_lane = named(new QLineEdit(kept.lane, this), u"Bahn"_s);
    m_lane->setPlaceholderText(QSysInfo::machineHostName());
    m_lane->setMaxLength(40);
    auto* check = named(new QPushButton(tr("Verbindung prüfen"), this), u"VerbindungPruefen"_s);
    m_answer = named(new QLabel(this), u"Antwort"_s);
    m_answer->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(tr("Server:"), m_host);
    form->addRow(tr("Port:"), m_port);
    form->addRow(tr("Datenbank:"), m_database);
    form->addRow(tr("Benutzer:"), m_user);
    form->addRow(tr("Passwort:"), m_password);
    form->addRow(tr("TLS:"), m_tls);
    form->addRow(tr("Bahn:"), m_lane);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(check);
    column->addWidget(m_answer);
    column->addWidget(buttons);

    connect(check, &QPushButton::clicked, this, &ClubServerDialog::check);
    connect(buttons, &QDialogButtonBox::accepted, this, &ClubServerDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ClubServerDialog::reject);
    connect(&m_club, &ClubSync::checked, this,
            [this](const club::Credentials& server, const QString& problem) {
                if (server != m_asked)
                    return;
                m_answer->setText(problem.isEmpty()
                                      ? tr("Der Vereinsserver ist erreichbar, die Anmeldung "
                                           "gelingt.")
                                      : problem);
            });
    // The password kept for the login shown, so that OK keeps it.
    m_keyring.readPassword(
        keyringKeyOf(kept.user, kept.host, kept.port, kept.database),
        [dialog = QPointer<ClubServerDialog>(this)](std::optional<QString> password) {
            if (dialog && password && dialog->m_password->text().isEmpty())
                dialog->m_password->setText(*password);
        });
}

ClubServerSettings ClubServerDialog::entered() const {
    ClubServerSettings server;
    server.host = m_host->text().trimmed();
    server.port = m_port->value();
    server.database = m_database->text().trimmed();
    server.user = m_user->text().trimmed();
    server.tls = kTlsModes.value(m_tls->currentIndex(), kTlsModes.first());
    server.lane = m_lane->text().trimmed();
    return server;
}

void ClubServerDialog::check() {
    m_asked = {clubUrl(entered()), m_password->text()};
    m_answer->setText(tr("Der Vereinsserver wird gefragt …"));
    m_club.check(m_asked);
}

// The server is taken at once. The dialog closes once the keyring has kept
// the password; a keyring that refuses says why in the dialog, which stays
// open, so that the next start's failed login is no surprise.
void ClubServerDialog::accept() {
    const ClubServerSettings server = entered();
    m_settings.setClubServer(server);
    m_club.setLaneName(laneNameOf(server));
    const QString password = m_password->text();
    m_club.setServer(server.isSet() ? club::Credentials{clubUrl(server), password}
                                    : club::Credentials{});
    if (password.isEmpty()) {
        QDialog::accept();
        return;
    }
    const QPointer<ClubServerDialog> self(this);
    m_keyring.writePassword(keyringKeyOf(server.user, server.host, server.port, server.database),
                            password, [self](const QString& problem) {
                                if (!self)
                                    return;
                                if (problem.isEmpty())
                                    self->QDialog::accept();
                                else
                                    self->m_answer->setText(problem);
                            });
}

} // namespace ankerblick
