// The camera through OpenCV: folders of pictures and video files played at
// their pace on a clock the test sets, sources that do not open, and the
// list of sources.

#include "platform/opencvcamera.h"
#include "support/fakeclock.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/videoio.hpp>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ankerblick;

namespace {

struct Bgr {
    int b, g, r;
};

// A small picture of one colour.
cv::Mat plain(Bgr c) {
    return cv::Mat(24, 32, CV_8UC3, cv::Scalar(c.b, c.g, c.r));
}

void writeText(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("kein Bild\n");
}

} // namespace

class TestCamera : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    test::FakeClock m_clock;
    // The waits the capture asked for; each moves the clock on.
    QList<quint32> m_waits;
    OpenCvCameraService m_service{m_clock, [this](quint32 ms) {
                                      m_waits << ms;
                                      m_clock.advance(ms);
                                  }};

    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    // The colour at the middle of each frame and its time, for `count`
    // frames; the test's own work takes `workMs` between two frames.
    void play(CameraCapture& capture, int count, quint32 workMs, QList<Bgr>& colours,
              QList<quint32>& times) {
        for (int i = 0; i < count; ++i) {
            const std::optional<cv::Mat> frame = capture.nextFrame();
            QVERIFY2(frame, qPrintable(QString::number(i)));
            QCOMPARE(frame->type(), CV_8UC3);
            const cv::Vec3b p = frame->at<cv::Vec3b>(frame->rows / 2, frame->cols / 2);
            colours << Bgr{p[0], p[1], p[2]};
            times << capture.frameTime();
            m_clock.advance(workMs);
        }
    }

    static void compareColours(const QList<Bgr>& got, const QList<Bgr>& expected, int tolerance) {
        QCOMPARE(got.size(), expected.size());
        for (qsizetype i = 0; i < got.size(); ++i) {
            const QString at = QStringLiteral("frame %1: %2,%3,%4")
                                   .arg(i)
                                   .arg(got[i].b)
                                   .arg(got[i].g)
                                   .arg(got[i].r);
            QVERIFY2(std::abs(got[i].b - expected[i].b) <= tolerance, qPrintable(at));
            QVERIFY2(std::abs(got[i].g - expected[i].g) <= tolerance, qPrintable(at));
            QVERIFY2(std::abs(got[i].r - expected[i].r) <= tolerance, qPrintable(at));
        }
    }

private Q_SLOTS:
    void init() {
        m_clock.now = 1000;
        m_waits.clear();
    }

    // Written out of order, with a picture that does not decode and a file
    // that is no picture: played in name order at 10 a second (due 100 ms
    // after the one before, whatever the test's work took), the broken one
    // passed over, the last one staying.
    void folderOfPictures() {
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("bilder")));
        QVERIFY(cv::imwrite(path("bilder/20.png").toStdString(), plain({0, 0, 255})));
        QVERIFY(cv::imwrite(path("bilder/03.bmp").toStdString(), plain({255, 0, 0})));
        QVERIFY(cv::imwrite(path("bilder/10.PNG").toStdString(), plain({0, 200, 0})));
        writeText(path("bilder/15.png"));
        writeText(path("bilder/notiz.txt"));

        const std::unique_ptr<CameraCapture> capture = m_service.create();
        QCOMPARE(capture->open(path("bilder")), std::nullopt);
        QList<Bgr> colours;
        QList<quint32> times;
        play(*capture, 5, 30, colours, times);
        compareColours(colours, {{255, 0, 0}, {0, 200, 0}, {0, 0, 255}, {0, 0, 255}, {0, 0, 255}},
                       0);
        QCOMPARE(times, (QList<quint32>{1000, 1100, 1200, 1300, 1400}));
        QCOMPARE(m_waits, (QList<quint32>{70, 70, 70, 70}));

        // Closed, it gives nothing more.
        capture->close();
        QCOMPARE(capture->nextFrame(), std::nullopt);
    }

    // Three frames at 20 a second (MJPG, so the colours within a
    // tolerance), every frame due 50 ms after the one before; the last one
    // stays.
    void videoFile() {
        const QString video = path("lauf.avi");
        {
            cv::VideoWriter writer(video.toStdString(), cv::VideoWriter::fourcc('M', 'J', 'P', 'G'),
                                   20.0, cv::Size(32, 24));
            QVERIFY(writer.isOpened());
            writer.write(plain({0, 0, 255}));
            writer.write(plain({0, 255, 0}));
            writer.write(plain({255, 0, 0}));
        }
        const std::unique_ptr<CameraCapture> capture = m_service.create();
        QCOMPARE(capture->open(video), std::nullopt);
        QList<Bgr> colours;
        QList<quint32> times;
        play(*capture, 4, 0, colours, times);
        compareColours(colours, {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 0, 0}}, 40);
        QCOMPARE(times, (QList<quint32>{1000, 1050, 1100, 1150}));
        QCOMPARE(m_waits, (QList<quint32>{50, 50, 50}));

        // The test's work outlasts a frame: the next one comes at once.
        m_clock.advance(80);
        QVERIFY(capture->nextFrame());
        QCOMPARE(capture->frameTime(), 1230u);
        QCOMPARE(m_waits.size(), 3);
    }

    void sourcesThatDoNotOpen_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("message");
        QTest::newRow("text file named as a picture")
            << QStringLiteral("kaputt.jpg")
            << QStringLiteral("„kaputt.jpg“ ist weder ein Bild noch ein Video.");
        QTest::newRow("text file")
            << QStringLiteral("notiz.txt")
            << QStringLiteral("„notiz.txt“ ist weder ein Bild noch ein Video.");
        QTest::newRow("missing path")
            << QStringLiteral("fehlt/lauf.avi") << QStringLiteral("„%1“ gibt es nicht.");
        QTest::newRow("empty folder") << QStringLiteral("leer")
                                      << QStringLiteral("Im Ordner „leer“ sind keine Bilder "
                                                        "(jpg, jpeg, png, bmp).");
        QTest::newRow("missing camera") << QStringLiteral("/dev/video9")
                                        << QStringLiteral("Die Kamera /dev/video9 gibt es nicht.");
    }
    void sourcesThatDoNotOpen() {
        QFETCH(QString, id);
        QFETCH(QString, message);
        writeText(path("kaputt.jpg"));
        writeText(path("notiz.txt"));
        QDir(m_dir.path()).mkdir(QStringLiteral("leer"));
        if (id == QStringLiteral("/dev/video9") && QFile::exists(id))
            QSKIP("This machine has a /dev/video9.");
        const QString full = id.startsWith(u'/') ? id : m_dir.filePath(id);
        if (message.contains(QStringLiteral("%1")))
            message = message.arg(full);

        const std::unique_ptr<CameraCapture> capture = m_service.create();
        QCOMPARE(capture->open(full), message);
        QCOMPARE(capture->nextFrame(), std::nullopt);
        QVERIFY(m_waits.isEmpty());
    }

    // The devices in the order of their numbers, then the extra sources as
    // given, a device named twice listed once.
    void sources() {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("dev/bilder")));
        for (const char* name : {"dev/video10", "dev/video2", "dev/video0", "dev/audio0"})
            writeText(path(name));
        const OpenCvCameraService service(m_clock, OpenCvCameraService::sleep, path("dev"));
        const QString dev = path("dev");
        const QList<CameraSourceInfo> expected{
            {dev + QStringLiteral("/video0"),
             QStringLiteral("Kamera ") + dev + QStringLiteral("/video0")},
            {dev + QStringLiteral("/video2"),
             QStringLiteral("Kamera ") + dev + QStringLiteral("/video2")},
            {dev + QStringLiteral("/video10"),
             QStringLiteral("Kamera ") + dev + QStringLiteral("/video10")},
            {QStringLiteral("/dev/video7"), QStringLiteral("Kamera /dev/video7")},
            {path("dev/bilder"), QStringLiteral("Bilder: bilder")},
            {QStringLiteral("/tmp/lauf.avi"), QStringLiteral("Video: lauf.avi")},
        };
        QCOMPARE(
            service.sources({QStringLiteral("/dev/video7"), path("dev/bilder"), QString(),
                             dev + QStringLiteral("/video2"), QStringLiteral("/tmp/lauf.avi")}),
            expected);
    }
};

QTEST_GUILESS_MAIN(TestCamera)
#include "tst_camera.moc"
