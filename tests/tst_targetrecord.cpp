// The target's shot records as they arrive, the hits they stand for on the
// drawing, and the list of ports the shooter chooses from.

#include "files/opentarget.h"
#include "sheets/commandline.h"
#include "sheets/portchoice.h"
#include "sheets/targetrecord.h"

#include <QtTest>

using namespace ankerblick;
using namespace Qt::StringLiterals;

namespace {

// A record as the target sends it: 43 characters the program does not read,
// x, one more unread character, y, and whatever follows.
QString record(const QString& x, const QString& y, const QString& tail = QString(),
               QChar filler = u'0') {
    return QString(43, filler) + x + filler + y + tail;
}

const QLocale kGerman(QLocale::German, QLocale::Germany);

QStringList texts(const QList<PortChoice>& choices) {
    QStringList out;
    for (const PortChoice& c : choices)
        out << c.text;
    return out;
}

QStringList locations(const QList<PortChoice>& choices) {
    QStringList out;
    for (const PortChoice& c : choices)
        out << c.location;
    return out;
}

QStringList ttyS(int count) {
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QStringLiteral("/dev/ttyS") + QString::number(i);
    return out;
}

QStringList comTexts() {
    QStringList out;
    for (int n = 1; n <= 8; ++n)
        out << QStringLiteral("Com ") + QString::number(n);
    return out;
}

} // namespace

class TestTargetRecord : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsTheReply_data() {
        QTest::addColumn<QString>("received");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("faultNumber");
        const int nothing = int(TargetReply::Kind::Nothing);
        const int shot = int(TargetReply::Kind::Shot);
        const int fault = int(TargetReply::Kind::Fault);

        QTest::newRow("empty buffer") << QString() << nothing << 0 << 0 << 0;
        QTest::newRow("39 characters") << QString(39, u'1') << nothing << 0 << 0 << 0;
        QTest::newRow("40 characters") << QString(40, u'1') << fault << 0 << 0 << 8101;
        QTest::newRow("55 characters: y cut short")
            << record(QStringLiteral("001000"), QStringLiteral("00050")) << fault << 0 << 0 << 8101;
        QTest::newRow("centre") << record(QStringLiteral("000000"), QStringLiteral("000000"))
                                << shot << 0 << 0 << 0;
        QTest::newRow("right and below")
            << record(QStringLiteral("001000"), QStringLiteral("-00500")) << shot << 1000 << -500
            << 0;
        QTest::newRow("plus signs") << record(QStringLiteral("+01000"), QStringLiteral("+00250"))
                                    << shot << 1000 << 250 << 0;
        QTest::newRow("blank padded") << record(QStringLiteral("  1234"), QStringLiteral("   -87"))
                                      << shot << 1234 << -87 << 0;
        QTest::newRow("line end after the record")
            << record(QStringLiteral("-01500"), QStringLiteral("002000"), QStringLiteral("\r\n"))
            << shot << -1500 << 2000 << 0;
        QTest::newRow("unread characters are not looked at")
            << record(QStringLiteral("000042"), QStringLiteral("-00042"), QString(), u'X') << shot
            << 42 << -42 << 0;
        QTest::newRow("16-bit limits") << record(QStringLiteral("-32768"), QStringLiteral("032767"))
                                       << shot << -32768 << 32767 << 0;
        QTest::newRow("x above the range")
            << record(QStringLiteral("032768"), QStringLiteral("000000")) << fault << 0 << 0
            << 8103;
        QTest::newRow("y below the range")
            << record(QStringLiteral("000000"), QStringLiteral("-32769")) << fault << 0 << 0
            << 8103;
        QTest::newRow("x with a letter")
            << record(QStringLiteral("12a456"), QStringLiteral("000000")) << fault << 0 << 0
            << 8102;
        QTest::newRow("y blank") << record(QStringLiteral("000100"), QStringLiteral("      "))
                                 << fault << 0 << 0 << 8102;
        QTest::newRow("x with a fraction")
            << record(QStringLiteral("0010,5"), QStringLiteral("000000")) << fault << 0 << 0
            << 8102;
        QTest::newRow("x with a group separator")
            << record(QStringLiteral("01.000"), QStringLiteral("000000")) << fault << 0 << 0
            << 8102;
        QTest::newRow("64 characters")
            << record(QStringLiteral("000007"), QStringLiteral("000008"), QString(8, u' ')) << shot
            << 7 << 8 << 0;
        // More than a record: not the target talking, even if the fields read.
        QTest::newRow("65 characters")
            << record(QStringLiteral("000007"), QStringLiteral("000008"), QString(9, u' ')) << fault
            << 0 << 0 << 8105;
        QTest::newRow("10,000 digits") << QString(10000, u'0') << fault << 0 << 0 << 8105;
    }
    void readsTheReply() {
        QFETCH(QString, received);
        QFETCH(int, kind);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, faultNumber);
        const TargetReply r = readTargetReply(received, kGerman);
        QCOMPARE(int(r.kind), kind);
        if (r.kind == TargetReply::Kind::Shot)
            QCOMPARE(r.shot, (TargetShot{qint16(x), qint16(y)}));
        QCOMPARE(r.fault.number, faultNumber);
        QCOMPARE(r.fault.description.isEmpty(), faultNumber == 0);
    }

    // Replies as the polls read them, pieces joined: "|" separates what
    // consecutive polls read, "_" is a poll that found nothing.
    void joinsThePiecesOfAReply_data() {
        QTest::addColumn<QString>("polls");
        QTest::addColumn<QStringList>("replies"); // "x,y" for a shot, the number of a fault
        const QString r = record(QStringLiteral("001000"), QStringLiteral("-00500"));
        const QString r2 = record(QStringLiteral("000001"), QStringLiteral("000002"));
        const QString crlf = QStringLiteral("\r\n");
        const QString shot = QStringLiteral("1000,-500");
        const QString shot2 = QStringLiteral("1,2");
        QTest::newRow("whole record") << r + crlf << QStringList{shot};
        QTest::newRow("in two pieces") << r.left(30) + u'|' + r.mid(30) + crlf << QStringList{shot};
        QTest::newRow("one character a poll")
            << QString(r + crlf).split(QString(), Qt::SkipEmptyParts).join(u'|')
            << QStringList{shot};
        QTest::newRow("line end arrives with the next record")
            << r + u'|' + crlf + r2 << QStringList{shot, shot2};
        QTest::newRow("short reply ended by a quiet poll")
            << QString(45, u'1') + QStringLiteral("|_") << QStringList{QStringLiteral("8101")};
        QTest::newRow("39 characters, quiet, then a record")
            << QString(39, u'1') + QStringLiteral("|_|") + r << QStringList{shot};
        QTest::newRow("a pause inside a record splits it")
            << r.left(30) + QStringLiteral("|_|") + r.mid(30)
            << QStringList{}; // 30 and 26 characters: both too short to be a record
        QTest::newRow("too long, then the rest of the stream dropped")
            << QString(100, u'0') + u'|' + r + u'|' + r + QStringLiteral("|_|") + r
            << QStringList{QStringLiteral("8105"), shot};
    }
    void joinsThePiecesOfAReply() {
        QFETCH(QString, polls);
        QFETCH(QStringList, replies);
        TargetReplyAssembler assembler(kGerman);
        QStringList got;
        for (const QString& poll : polls.split(u'|')) {
            const TargetReply reply = assembler.take(poll == u"_" ? QString() : poll);
            if (reply.kind == TargetReply::Kind::Shot)
                got << QString::number(reply.shot.x) + u',' + QString::number(reply.shot.y);
            else if (reply.kind == TargetReply::Kind::Fault)
                got << QString::number(reply.fault.number);
        }
        // The line goes quiet: nothing is left over.
        const TargetReply last = assembler.take(QString());
        if (last.kind == TargetReply::Kind::Fault)
            got << QString::number(last.fault.number);
        QCOMPARE(got, replies);
        QCOMPARE(assembler.pendingLength(), 0);
    }

    // The open-hardware target's stream as reads deliver it ("|" between
    // reads): the whole objects it holds, in order.
    void splitsTheJsonStream_data() {
        QTest::addColumn<QByteArray>("reads");
        QTest::addColumn<int>("objects");
        QTest::addColumn<bool>("midObject"); // an object begun when the reads end
        const QByteArray shot = "{\"shot\":3,\"x\":-1.25,\"y\":10.50,\"r\":10.57,\"a\":96.8}";
        const QByteArray greeting = "{\"CONNECTED\":1,\"NAME\":\"TARGET\"}";
        QTest::newRow("one object") << shot << 1 << false;
        QTest::newRow("glued together") << greeting + shot + shot << 3 << false;
        QTest::newRow("split in the middle of a number")
            << shot.left(17) + '|' + shot.mid(17) << 1 << false;
        QTest::newRow("a byte a read") << QByteArray(shot).replace("", "|").mid(1) << 1 << false;
        QTest::newRow("braces inside a string")
            << QByteArray("{\"NAME\":\"a}{b\\\"}\",\"CONNECTED\":1}") + shot << 2 << false;
        QTest::newRow("line ends and garbage between")
            << QByteArray("\r\nxyz") + shot + QByteArray("\n\0\x01junk]", 9) + shot << 2 << false;
        QTest::newRow("broken off in the middle") << shot + shot.left(20) << 1 << true;
        QTest::newRow("nested object")
            << QByteArray("{\"a\":{\"b\":{\"c\":1}},\"shot\":1}") << 1 << false;
        QTest::newRow("longer than any record, then a record")
            << QByteArray("{\"x\":\"") + QByteArray(20000, 'a') + QByteArray("\"}") + shot << 1
            << false;
    }
    void splitsTheJsonStream() {
        QFETCH(QByteArray, reads);
        JsonObjectSplitter splitter;
        QList<QByteArray> got;
        for (const QByteArray& read : reads.split('|'))
            got += splitter.feed(read);
        QTEST(int(got.size()), "objects");
        QTEST(splitter.midObject(), "midObject");
        for (const QByteArray& object : got)
            QVERIFY2(object.startsWith('{') && object.endsWith('}'), object.constData());
    }

    // One object of the stream, read: its kind, and a shot's fields.
    void readsTheTargetsObjects_data() {
        QTest::addColumn<QByteArray>("object");
        QTest::addColumn<QString>("read"); // "shot n x y time sighter score", "greeting NAME", ...
        QTest::newRow("a shot, as on TCP")
            << QByteArray(
                   "{\"shot\":12,\"miss\":0,\"name\":\"T1\",\"time\":8321,\"x\":-3.05,\"y\":1.20,"
                   "\"r\":3.28,\"a\":158.5,\"session_type\":5,\"athelete\":\"Erika\","
                   "\"event\":\"Training\",\"target_name\":\"Bahn 3\"}")
            << u"shot 12 -3.05 1.2 8321 0 - Erika Training Bahn 3"_s;
        QTest::newRow("a sighter") << QByteArray("{\"shot\":1,\"x\":0,\"y\":0,\"session_type\":3}")
                                   << u"shot 1 0 0 - 1 - "_s;
        QTest::newRow("the target's own score")
            << QByteArray("{\"shot\":2,\"x\":1.5,\"y\":-2,\"score\":10.3}")
            << u"shot 2 1.5 -2 - - 10.3 "_s;
        QTest::newRow("the greeting")
            << QByteArray("{\"CONNECTED\":1,\"NAME\":\"FET-12\"}") << u"greeting FET-12"_s;
        QTest::newRow("x missing") << QByteArray("{\"shot\":4,\"y\":2.0}") << u"problem"_s;
        QTest::newRow("y a text") << QByteArray("{\"shot\":4,\"x\":1,\"y\":\"2.0\"}")
                                  << u"problem"_s;
        QTest::newRow("no shot number") << QByteArray("{\"x\":1,\"y\":2}") << u"problem"_s;
        QTest::newRow("a position beyond a metre")
            << QByteArray("{\"shot\":4,\"x\":1e300,\"y\":2}") << u"problem"_s;
        QTest::newRow("not JSON") << QByteArray("{shot:4}") << u"problem"_s;
        QTest::newRow("another message") << QByteArray("{\"VERSION\":\"5.2\"}") << u"other"_s;
    }
    void readsTheTargetsObjects() {
        QFETCH(QByteArray, object);
        const OpenTargetObject read = readOpenTargetObject(object);
        QString got;
        if (const auto* shot = std::get_if<OpenTargetShot>(&read))
            got = u"shot %1 %2 %3 %4 %5 %6 %7"_s.arg(shot->number)
                      .arg(shot->xMm)
                      .arg(shot->yMm)
                      .arg(shot->timeMs ? QString::number(*shot->timeMs) : u"-"_s)
                      .arg(shot->sighter ? QString::number(int(*shot->sighter)) : u"-"_s)
                      .arg(shot->score ? QString::number(*shot->score) : u"-"_s)
                      .arg(QStringList{shot->athlete, shot->event, shot->targetName}
                               .join(u' ')
                               .trimmed());
        else if (const auto* greeting = std::get_if<OpenTargetGreeting>(&read))
            got = u"greeting "_s + greeting->name;
        else if (const auto* problem = std::get_if<OpenTargetProblem>(&read))
            got = problem->text.isEmpty() ? u"problem without words"_s : u"problem"_s;
        else
            got = u"other"_s;
        QTEST(got, "read");
    }

    void placesTheHit_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<double>("scale");
        QTest::addColumn<float>("expectedX");
        QTest::addColumn<float>("expectedY");
        // Centre (244, 228) throughout.
        QTest::newRow("centre") << 0 << 0 << 10.0 << 244.0f << 228.0f;
        QTest::newRow("10 mm right at 10 units/mm") << 1000 << 0 << 10.0 << 344.0f << 228.0f;
        // Air pistol: 392 units for 59.5 mm, 65.88 units for 10 mm.
        QTest::newRow("10 mm right on the air pistol target")
            << 1000 << 0 << 392.0 / 59.5 << 309.0f << 228.0f;
        QTest::newRow("5 mm above") << 0 << 500 << 10.0 << 244.0f << 178.0f;
        QTest::newRow("5 mm below") << 0 << -500 << 10.0 << 244.0f << 278.0f;
        // Rounding down: a hundredth to the right stays, one to the left moves a unit.
        QTest::newRow("a hundredth right") << 1 << 0 << 10.0 << 244.0f << 228.0f;
        QTest::newRow("a hundredth left") << -1 << 0 << 10.0 << 243.0f << 228.0f;
        QTest::newRow("a hundredth above") << 0 << 1 << 10.0 << 244.0f << 228.0f;
        QTest::newRow("a hundredth below") << 0 << -1 << 10.0 << 244.0f << 229.0f;
        QTest::newRow("16-bit limits") << 32767 << -32768 << 10.0 << 3520.0f << 3505.0f;
    }
    void placesTheHit() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(double, scale);
        QFETCH(float, expectedX);
        QFETCH(float, expectedY);
        const PointF p = targetHitPosition({qint16(x), qint16(y)}, {244.0f, 228.0f}, scale);
        QCOMPARE(p.x, expectedX);
        QCOMPARE(p.y, expectedY);
    }

    // The command line after Qt took its own options (-platform and the
    // like): exit code -1 when the program starts.
    void readCommandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("output"); // part of what is printed
        QTest::addColumn<QStringList>("cameras");
        QTest::addColumn<QString>("club"); // URL, login, s(hooter) or c(oach); empty for none
        QTest::addColumn<QString>("lane"); // --verein: the club's server of the lane
        const auto list = [](std::initializer_list<const char*> items) {
            QStringList result;
            for (const char* i : items)
                result << QString::fromUtf8(i);
            return result;
        };
        const auto row = [&list](const char* tag, std::initializer_list<const char*> arguments,
                                 int exitCode, std::initializer_list<const char*> ports,
                                 const char* name = "", const char* file = "",
                                 const char* output = "",
                                 std::initializer_list<const char*> cameras = {},
                                 const char* club = "", const char* lane = "") {
            QTest::newRow(tag) << QStringList{QStringLiteral("ankerblick")} + list(arguments)
                               << exitCode << list(ports) << QString::fromUtf8(name)
                               << QString::fromUtf8(file) << QString::fromUtf8(output)
                               << list(cameras) << QString::fromUtf8(club)
                               << QString::fromUtf8(lane);
        };
        row("none", {}, -1, {});
        row("port value after the option", {"--port", "/dev/pts/3"}, -1, {"/dev/pts/3"});
        row("port value with equals sign", {"--port=/dev/ttyUSB5"}, -1, {"/dev/ttyUSB5"});
        row("two ports, in order", {"--port", "/dev/pts/3", "--port=/dev/pts/7"}, -1,
            {"/dev/pts/3", "/dev/pts/7"});
        row("port without value at the end", {"--port"}, 1, {});
        row("targets that send JSON, after the ports",
            {"--scheibe", "tcp://192.168.10.9:1090", "--port", "/dev/pts/3",
             "--scheibe=serial:/dev/ttyACM0"},
            -1, {"/dev/pts/3", "tcp://192.168.10.9:1090", "serial:/dev/ttyACM0"});
        row("a target without its kind", {"--scheibe", "192.168.10.9"}, 1, {});
        row("empty port", {"--port="}, -1, {});
        row("similar option", {"--portable", "/dev/pts/3"}, 1, {});
        row("name", {"--name", " Anna Berg "}, -1, {}, "Anna Berg");
        row("file and port", {"/tmp/serie.txt", "--port", "/dev/pts/3"}, -1, {"/dev/pts/3"}, "",
            "/tmp/serie.txt");
        row("two files", {"a.txt", "b.txt"}, 1, {});
        row("unknown option", {"--farbe", "rot"}, 1, {});
        row("help", {"--help"}, 0, {}, "", "", "  --port <Anschluss>");
        row("help, short, before other options", {"-h", "--port", "/dev/pts/3"}, 0, {}, "", "",
            "  --name <Name>");
        row("cameras, in order, apart from the ports",
            {"--kamera", "/dev/video2", "--port", "/dev/pts/3", "--kamera=/tmp/lauf.avi"}, -1,
            {"/dev/pts/3"}, "", "", "", {"/dev/video2", "/tmp/lauf.avi"});
        row("empty camera", {"--kamera="}, -1, {});
        row("camera without value at the end", {"--kamera"}, 1, {});
        row("help names the camera", {"--help"}, 0, {}, "", "", "  --kamera <Quelle>");
        row("version", {"--version"}, 0, {}, "", "", "Ankerblick 0.1");
        row("version, short", {"-v"}, 0, {}, "", "", "Ankerblick 0.1");
        row("club setup", {"--verein-einrichten", "postgresql://a@h/v"}, -1, {}, "", "", "", {},
            "postgresql://a@h/v  s");
        row("club shooter",
            {"--verein-einrichten", "postgresql://a@h/v", "--verein-schuetze", "anna"}, -1, {}, "",
            "", "", {}, "postgresql://a@h/v anna s");
        row("club coach, with equals signs",
            {"--verein-trainer=otto", "--verein-einrichten=postgresql://a@h/v"}, -1, {}, "", "", "",
            {}, "postgresql://a@h/v otto c");
        row("club, two logins",
            {"--verein-einrichten", "u", "--verein-schuetze", "a", "--verein-trainer", "b"}, 1, {});
        row("club shooter without setup", {"--verein-schuetze", "anna"}, 1, {});
        row("club setup with a file", {"--verein-einrichten", "u", "serie.txt"}, 1, {});
        row("help names the club", {"--help"}, 0, {}, "", "", "  --verein-einrichten <URL>");
        row("the lane's club server", {"--name", "Anna", "--verein", "postgresql://anna@h/v"}, -1,
            {}, "Anna", "", "", {}, "", "postgresql://anna@h/v");
        row("the lane's club server with a password", {"--verein", "postgresql://anna:x@h/v"}, 1,
            {});
        row("the lane's club server with a password parameter",
            {"--verein", "postgresql://anna@h/v?sslmode=require&password=x"}, 1, {});
        row("club setup with a password", {"--verein-einrichten", "postgresql://a:x@h/v"}, 1, {});
        row("club setup with a password parameter",
            {"--verein-einrichten", "postgresql://a@h/v?password=x", "--verein-schuetze", "anna"},
            1, {});
        row("club setup with the lane's club server",
            {"--verein-einrichten", "u", "--verein", "postgresql://anna@h/v"}, 1, {});
        row("help names the lane's club server", {"--help"}, 0, {}, "", "", "  --verein <URL>");
    }
    void readCommandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, ports);
        QFETCH(QString, name);
        QFETCH(QString, file);
        QFETCH(QString, output);
        QFETCH(QStringList, cameras);
        QFETCH(QString, club);
        QFETCH(QString, lane);
        QCoreApplication::setApplicationName(QStringLiteral("Ankerblick"));
        QCoreApplication::setApplicationVersion(QStringLiteral("0.1"));
        const CommandLine read = ankerblick::readCommandLine(arguments);
        QCOMPARE(read.exitCode.value_or(-1), exitCode);
        QCOMPARE(read.options.ports, ports);
        QCOMPARE(read.options.cameras, cameras);
        QCOMPARE(read.options.name, name);
        QCOMPARE(read.options.file, file);
        QCOMPARE(read.options.club, lane);
        // Help and version go to standard output, errors to standard error.
        QCOMPARE(read.error.isEmpty(), exitCode != 1);
        if (!output.isEmpty())
            QVERIFY2(read.output.contains(output), qPrintable(read.output));
        else
            QVERIFY(read.output.isEmpty());
        QCOMPARE(ankerblick::asksForHelpOrVersion(arguments), exitCode == 0);
        QCOMPARE(read.club ? u"%1 %2 %3"_s.arg(read.club->url, read.club->login,
                                               read.club->coach ? u"c"_s : u"s"_s)
                           : QString(),
                 club);
        // The club's setup, right or wrong, is answered without a display.
        QCOMPARE(ankerblick::asksForClubSetup(arguments),
                 QString::fromUtf8(QTest::currentDataTag()).startsWith(u"club"_s));
    }

    void portChoices_data() {
        QTest::addColumn<QStringList>("systemNames");
        QTest::addColumn<QStringList>("systemLocations");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("locations");
        QTest::newRow("numbered only")
            << QStringList{} << QStringList{} << QStringList{} << comTexts() << ttyS(8);
        QTest::newRow("system ports after the numbered ones, none twice")
            << QStringList{QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0"),
                           QStringLiteral("ttyS9"), QStringLiteral("ttyACM0")}
            << QStringList{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0"),
                           QStringLiteral("/dev/ttyS9"), QStringLiteral("/dev/ttyACM0")}
            << QStringList{}
            << comTexts() + QStringList{QStringLiteral("ttyUSB0"), QStringLiteral("ttyS9"),
                                        QStringLiteral("ttyACM0")}
            << ttyS(8) + QStringList{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyS9"),
                                     QStringLiteral("/dev/ttyACM0")};
        QTest::newRow("command-line ports last, none twice")
            << QStringList{QStringLiteral("ttyUSB0")} << QStringList{QStringLiteral("/dev/ttyUSB0")}
            << QStringList{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/pts/4"),
                           QStringLiteral("/dev/ttyS1"), QStringLiteral("/dev/pts/4")}
            << comTexts() + QStringList{QStringLiteral("ttyUSB0"), QStringLiteral("/dev/pts/4")}
            << ttyS(8) + QStringList{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/pts/4")};
    }
    void portChoices() {
        QFETCH(QStringList, systemNames);
        QFETCH(QStringList, systemLocations);
        QFETCH(QStringList, extra);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, locations);
        QList<PortChoice> system;
        for (qsizetype i = 0; i < systemNames.size(); ++i)
            system.append({systemNames.at(i), systemLocations.at(i)});
        const QList<PortChoice> choices = ankerblick::portChoices(ttyS(8), system, extra);
        QCOMPARE(::texts(choices), texts);
        QCOMPARE(::locations(choices), locations);
    }
};

QTEST_GUILESS_MAIN(TestTargetRecord)
#include "tst_targetrecord.moc"
