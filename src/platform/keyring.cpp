#include "keyring.h"

#include <QCoreApplication>
#include <qt6keychain/keychain.h>

namespace ankerblick {

using namespace Qt::StringLiterals;

namespace {

const QString kService = u"Ankerblick"_s;

} // namespace

void DesktopKeyring::readPassword(const QString& key,
                                  std::function<void(std::optional<QString>)> done) {
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setKey(key);
    QObject::connect(
        job, &QKeychain::Job::finished, job, [done = std::move(done)](QKeychain::Job* finished) {
            auto* read = static_cast<QKeychain::ReadPasswordJob*>(finished);
            done(read->error() == QKeychain::NoError ? std::optional<QString>(read->textData())
                                                     : std::nullopt);
        });
    job->start();
}

void DesktopKeyring::writePassword(const QString& key, const QString& password,
                                   std::function<void(QString)> done) {
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setKey(key);
    job->setTextData(password);
    QObject::connect(job, &QKeychain::Job::finished, job,
                     [done = std::move(done)](QKeychain::Job* finished) {
                         done(finished->error() == QKeychain::NoError
                                  ? QString()
                                  : QCoreApplication::translate(
                                        "ankerblick::DesktopKeyring",
                                        "Das Passwort ließ sich nicht im Schlüsselbund des "
                                        "Desktops ablegen: %1")
                                        .arg(finished->errorString()));
                     });
    job->start();
}

} // namespace ankerblick
