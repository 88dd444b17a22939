#pragma once

// Debian's Chromium, headless, driven by its ChromeDriver over the W3C
// WebDriver protocol: a test opens pages, types and clicks as a user does,
// runs scripts in the page and takes screenshots. Each Browser is a
// session of its own with a fresh profile (no cookies), in the language
// and window size asked for. Every call waits for its answer with the
// thread's events handled meanwhile, and says what failed in error().

#include <QJsonArray>
#include <QJsonValue>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace ankerblick::test {

class ChromeDriver {
public:
    ChromeDriver() = default;
    ~ChromeDriver();
    ChromeDriver(const ChromeDriver&) = delete;
    ChromeDriver& operator=(const ChromeDriver&) = delete;

    // Starts /usr/bin/chromedriver on a free port; false with error() set
    // when it or Chromium is missing.
    bool start();
    QString error() const { return m_error; }
    int port() const { return m_port; }

private:
    QProcess m_process;
    QString m_error;
    int m_port = 0;
};

class Browser {
public:
    Browser(ChromeDriver& driver, QSize window, const QString& language);
    ~Browser();
    Browser(const Browser&) = delete;
    Browser& operator=(const Browser&) = delete;

    bool isOpen() const { return !m_session.isEmpty(); }
    QString error() const { return m_error; }

    bool open(const QString& url);
    // Runs `script` as a function body with `arguments`; its return value.
    QJsonValue run(const QString& script, const QJsonArray& arguments = {});
    // Runs `script` every 20 ms until it returns true; false after `ms`.
    bool waitUntil(const QString& script, int ms, const QJsonArray& arguments = {});
    // Types `text` into the element `css` selects, and clicks an element.
    bool type(const QString& css, const QString& text);
    bool click(const QString& css);
    // Clicks the element `script` returns, as a user's pointer does.
    bool clickFound(const QString& script, const QJsonArray& arguments = {});
    bool resize(QSize window);
    QByteArray screenshot();

private:
    QJsonValue call(const QByteArray& method, const QString& path, const QJsonValue& body = {});
    QString element(const QString& css);
    bool clickElement(const QString& id);

    QNetworkAccessManager m_network;
    QTemporaryDir m_profile;
    QString m_base;
    QString m_session;
    QString m_error;
};

} // namespace ankerblick::test
