#include "webdriver.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QTcpServer>
#include <QThread>
#include <QTimer>

namespace ankerblick::test {

using namespace Qt::StringLiterals;

namespace {

// How WebDriver names an element of the page.
const QString kElement = u"element-6066-11e4-a52e-4f735466cecf"_s;

int freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Waits for `reply` with the thread's events handled; false after `ms`.
bool await(QNetworkReply* reply, int ms) {
    if (reply->isFinished())
        return true;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return reply->isFinished();
}

} // namespace

ChromeDriver::~ChromeDriver() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool ChromeDriver::start() {
    for (const char* binary : {"/usr/bin/chromedriver", "/usr/bin/chromium"})
        if (!QFile::exists(QString::fromLatin1(binary))) {
            m_error = u"%1 fehlt (Pakete chromium und chromium-driver)"_s.arg(
                QString::fromLatin1(binary));
            return false;
        }
    m_port = freePort();
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start(u"/usr/bin/chromedriver"_s, {u"--port=%1"_s.arg(m_port)});
    if (!m_process.waitForStarted(10000)) {
        m_error = m_process.errorString();
        return false;
    }
    QNetworkAccessManager network;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000) {
        std::unique_ptr<QNetworkReply> reply(
            network.get(QNetworkRequest(QUrl(u"http://127.0.0.1:%1/status"_s.arg(m_port)))));
        if (await(reply.get(), 2000) && reply->error() == QNetworkReply::NoError &&
            QJsonDocument::fromJson(reply->readAll())[u"value"_s][u"ready"_s].toBool())
            return true;
        QThread::msleep(50);
    }
    m_error = u"chromedriver antwortet nicht"_s;
    return false;
}

Browser::Browser(ChromeDriver& driver, QSize window, const QString& language)
    : m_base(u"http://127.0.0.1:%1"_s.arg(driver.port())) {
    const QJsonObject chrome{
        {u"binary"_s, u"/usr/bin/chromium"_s},
        {u"args"_s,
         QJsonArray{u"--headless=new"_s, u"--no-sandbox"_s, u"--disable-gpu"_s,
                    u"--disable-dev-shm-usage"_s, u"--no-first-run"_s, u"--hide-scrollbars"_s,
                    u"--lang=%1"_s.arg(language), u"--user-data-dir=%1"_s.arg(m_profile.path()),
                    u"--window-size=%1,%2"_s.arg(window.width()).arg(window.height())}},
        {u"prefs"_s, QJsonObject{{u"intl.accept_languages"_s, language}}}};
    const QJsonObject capabilities{{u"browserName"_s, u"chrome"_s},
                                   {u"acceptInsecureCerts"_s, true},
                                   {u"goog:chromeOptions"_s, chrome}};
    const QJsonValue session =
        call("POST", u"/session"_s,
             QJsonObject{{u"capabilities"_s, QJsonObject{{u"alwaysMatch"_s, capabilities}}}});
    m_session = session[u"sessionId"_s].toString();
    if (m_session.isEmpty() && m_error.isEmpty())
        m_error = u"Chromium startet nicht"_s;
    if (isOpen())
        resize(window);
}

Browser::~Browser() {
    if (isOpen())
        call("DELETE", u"/session/%1"_s.arg(m_session));
}

QJsonValue Browser::call(const QByteArray& method, const QString& path, const QJsonValue& body) {
    QNetworkRequest request(QUrl(m_base + path));
    request.setHeader(QNetworkRequest::ContentTypeHeader, u"application/json"_s);
    const QByteArray data = body.isUndefined()
                                ? QByteArray()
                                : QJsonDocument(body.toObject()).toJson(QJsonDocument::Compact);
    std::unique_ptr<QNetworkReply> reply(
        m_network.sendCustomRequest(request, method, method == "GET" ? QByteArray() : data));
    if (!await(reply.get(), 60000)) {
        m_error = u"%1 %2: keine Antwort"_s.arg(QString::fromLatin1(method), path);
        return {};
    }
    const QJsonValue value = QJsonDocument::fromJson(reply->readAll())[u"value"_s];
    if (value[u"error"_s].isString()) {
        m_error = value[u"error"_s].toString() + u": "_s + value[u"message"_s].toString();
        return {};
    }
    return value;
}

bool Browser::open(const QString& url) {
    m_error.clear();
    call("POST", u"/session/%1/url"_s.arg(m_session), QJsonObject{{u"url"_s, url}});
    return m_error.isEmpty();
}

QJsonValue Browser::run(const QString& script, const QJsonArray& arguments) {
    return call("POST", u"/session/%1/execute/sync"_s.arg(m_session),
                QJsonObject{{u"script"_s, script}, {u"args"_s, arguments}});
}

bool Browser::waitUntil(const QString& script, int ms, const QJsonArray& arguments) {
    QElapsedTimer waited;
    waited.start();
    do {
        if (run(script, arguments).toBool())
            return true;
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    } while (waited.elapsed() < ms);
    return false;
}

QString Browser::element(const QString& css) {
    const QJsonValue found = call("POST", u"/session/%1/element"_s.arg(m_session),
                                  QJsonObject{{u"using"_s, u"css selector"_s}, {u"value"_s, css}});
    const QString id = found[kElement].toString();
    if (id.isEmpty() && m_error.isEmpty())
        m_error = u"%1: %2"_s.arg(css, QString::fromUtf8(QJsonDocument(found.toObject()).toJson()));
    return id;
}

bool Browser::type(const QString& css, const QString& text) {
    const QString id = element(css);
    if (id.isEmpty())
        return false;
    m_error.clear();
    call("POST", u"/session/%1/element/%2/value"_s.arg(m_session, id),
         QJsonObject{{u"text"_s, text}});
    return m_error.isEmpty();
}

bool Browser::click(const QString& css) {
    return clickElement(element(css));
}

bool Browser::clickFound(const QString& script, const QJsonArray& arguments) {
    const QString id = run(script, arguments)[kElement].toString();
    if (id.isEmpty() && m_error.isEmpty())
        m_error = u"nichts gefunden: %1"_s.arg(script);
    return clickElement(id);
}

bool Browser::clickElement(const QString& id) {
    if (id.isEmpty())
        return false;
    m_error.clear();
    call("POST", u"/session/%1/element/%2/click"_s.arg(m_session, id), QJsonObject{});
    return m_error.isEmpty();
}

// The page's viewport exactly, through the DevTools protocol; a narrow one
// as a phone has it (touch, the mobile viewport rules).
bool Browser::resize(QSize window) {
    m_error.clear();
    const QJsonObject metrics{{u"width"_s, window.width()},
                              {u"height"_s, window.height()},
                              {u"deviceScaleFactor"_s, 1},
                              {u"mobile"_s, window.width() < 600}};
    call("POST", u"/session/%1/goog/cdp/execute"_s.arg(m_session),
         QJsonObject{{u"cmd"_s, u"Emulation.setDeviceMetricsOverride"_s}, {u"params"_s, metrics}});
    return m_error.isEmpty();
}

QByteArray Browser::screenshot() {
    return QByteArray::fromBase64(
        call("GET", u"/session/%1/screenshot"_s.arg(m_session)).toString().toLatin1());
}

} // namespace ankerblick::test
