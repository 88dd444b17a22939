// The byte stream of a target over TCP, against a local server playing the
// target: what it tells and when, and its line from the module
// libankerblick-stream.so, which the tests name in ANKERBLICK_STREAM_MODULE.

#include "platform/bytestream.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace ankerblick;
using namespace Qt::StringLiterals;

namespace {

QString locationOf(const QTcpServer& server) {
    return u"tcp://127.0.0.1:%1"_s.arg(server.serverPort());
}

// A port on which nothing listens.
quint16 closedPort() {
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost))
        return 0;
    return server.serverPort();
}

} // namespace

class TestByteStream : public QObject {
    Q_OBJECT

    QByteArray m_module; // where the build put the module

    // Opens the stream to the server; the server's side of it, nullptr when it does not open.
    QTcpSocket* openTo(QTcpServer& server, ByteStream& stream) {
        QSignalSpy opened(&stream, &ByteStream::opened);
        stream.open(locationOf(server));
        if (!QTest::qWaitFor([&] { return server.hasPendingConnections() && opened.count(); }))
            return nullptr;
        return server.nextPendingConnection();
    }

private Q_SLOTS:
    void initTestCase() {
        m_module = qgetenv("ANKERBLICK_STREAM_MODULE");
        QVERIFY2(QFile::exists(QString::fromLocal8Bit(m_module)),
                 "ANKERBLICK_STREAM_MODULE names no module: run the tests with ctest");
    }
    void cleanup() { qputenv("ANKERBLICK_STREAM_MODULE", m_module); }

    // First: once the module is loaded, it stays.
    void withoutItsModuleTheShooterIsToldWhy() {
        QTemporaryDir dir;
        QFile notALibrary(dir.filePath(u"libankerblick-stream.so"_s));
        QVERIFY(notALibrary.open(QIODevice::WriteOnly));
        notALibrary.close();
        qputenv("ANKERBLICK_STREAM_MODULE", QFile::encodeName(notALibrary.fileName()));
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QtByteStream stream;
        QSignalSpy opened(&stream, &ByteStream::opened);
        QSignalSpy failed(&stream, &ByteStream::failed);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"libankerblick-stream\\.so"_s));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"^The module libankerblick-stream\\.so was not "
                                                "found: .*/libankerblick-stream\\.so, "_s));
        stream.open(locationOf(server));
        QCOMPARE(failed.count(), 0); // told once the caller listens
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed.first().first().toString(),
                 u"Ankerblick kann keine Verbindung über das Netzwerk aufbauen: Ihm fehlt die "
                 "Datei libankerblick-stream.so. Bitte Ankerblick neu installieren."_s);
        QCOMPARE(opened.count(), 0);
        QVERIFY(!stream.isOpen());
        QVERIFY(!server.waitForNewConnection(100));

        // Looked for again with the next connection.
        qputenv("ANKERBLICK_STREAM_MODULE", m_module);
        QVERIFY(openTo(server, stream));
        QVERIFY(stream.isOpen());
        QCOMPARE(failed.count(), 1);
    }

    void bytesComeInAsTheTargetSendsThem() {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QtByteStream stream;
        QSignalSpy received(&stream, &ByteStream::received);
        QSignalSpy failed(&stream, &ByteStream::failed);
        QTcpSocket* target = openTo(server, stream);
        QVERIFY(target);
        QVERIFY(stream.isOpen());
        const auto all = [&] {
            QByteArray bytes;
            for (const QList<QVariant>& call : std::as_const(received))
                bytes += call.first().toByteArray();
            return bytes;
        };
        target->write("{\"CONNECTED\":1,");
        QTRY_COMPARE(all(), "{\"CONNECTED\":1,"_ba);
        target->write("\"NAME\":\"FET-7\"}");
        QTRY_COMPARE(all(), "{\"CONNECTED\":1,\"NAME\":\"FET-7\"}"_ba);
        stream.close();
        QVERIFY(!stream.isOpen());
        QTRY_COMPARE(target->state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(failed.count(), 0);
    }

    void aLostConnectionIsToldOnce() {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QtByteStream stream;
        QSignalSpy failed(&stream, &ByteStream::failed);
        QTcpSocket* target = openTo(server, stream);
        QVERIFY(target);
        bool openWhenTold = true;
        connect(&stream, &ByteStream::failed, this, [&] { openWhenTold = stream.isOpen(); });
        target->close();
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed.first().first().toString(), u"The remote host closed the connection"_s);
        QVERIFY(!openWhenTold);
        QTest::qWait(100);
        QCOMPARE(failed.count(), 1);
    }

    void aRefusedConnectionIsTold() {
        const quint16 port = closedPort();
        QVERIFY(port);
        QtByteStream stream;
        QSignalSpy opened(&stream, &ByteStream::opened);
        QSignalSpy failed(&stream, &ByteStream::failed);
        stream.open(u"tcp://127.0.0.1:%1"_s.arg(port));
        QCOMPARE(failed.count(), 0);
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed.first().first().toString(), u"Connection refused"_s);
        QCOMPARE(opened.count(), 0);
        QVERIFY(!stream.isOpen());
    }

    void aLocationThatIsNoAddressIsTold_data() {
        QTest::addColumn<QString>("location");
        QTest::newRow("no port") << u"tcp://127.0.0.1"_s;
        QTest::newRow("no host") << u"tcp://:1090"_s;
        QTest::newRow("another scheme") << u"udp://127.0.0.1:1090"_s;
    }
    void aLocationThatIsNoAddressIsTold() {
        QFETCH(QString, location);
        QtByteStream stream;
        QSignalSpy failed(&stream, &ByteStream::failed);
        stream.open(location);
        QCOMPARE(failed.count(), 0);
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(failed.first().first().toString(),
                 u"„%1“ ist keine Adresse einer Scheibe (tcp://HOST:PORT oder serial:PFAD)."_s.arg(
                     location));
    }

    // Closed, or opened anew, before a failure is told: it is not told.
    void aClosedStreamTellsNothingMore() {
        const quint16 port = closedPort();
        QVERIFY(port);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QtByteStream stream;
        QSignalSpy opened(&stream, &ByteStream::opened);
        QSignalSpy failed(&stream, &ByteStream::failed);
        stream.open(u"tcp://127.0.0.1:%1"_s.arg(port));
        stream.close();
        stream.open(u"tcp://127.0.0.1"_s);
        QTcpSocket* target = openTo(server, stream);
        QVERIFY(target);
        stream.close();
        target->write("{}");
        target->close();
        QTest::qWait(300);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(failed.count(), 0);
    }

    // The receiver closes the stream, or destroys it, while it tells of bytes.
    void closedInsideItsOwnCall_data() {
        QTest::addColumn<bool>("destroyed");
        QTest::newRow("closed") << false;
        QTest::newRow("destroyed") << true;
    }
    void closedInsideItsOwnCall() {
        QFETCH(bool, destroyed);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        auto stream = std::make_unique<QtByteStream>();
        QTcpSocket* target = openTo(server, *stream);
        QVERIFY(target);
        int received = 0;
        int failed = 0;
        connect(stream.get(), &ByteStream::received, this, [&] {
            ++received;
            if (destroyed)
                stream.reset();
            else
                stream->close();
        });
        connect(stream.get(), &ByteStream::failed, this, [&] { ++failed; });
        target->write("{\"shot\":1}");
        QTRY_COMPARE(received, 1);
        QCOMPARE(stream == nullptr, destroyed);
        QTRY_COMPARE(target->state(), QAbstractSocket::UnconnectedState);
        QTest::qWait(100);
        QCOMPARE(received, 1);
        QCOMPARE(failed, 0);
    }
};

QTEST_MAIN(TestByteStream)
#include "tst_bytestream.moc"
