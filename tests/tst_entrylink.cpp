// The electronic target drives series into the shot-entry window, and the
// hits of called shots into the main window: the test plays the target on a
// pseudo-terminal, the windows use the real serial port. The camera does the
// same from rendered pictures of a paper face, scripted or as a folder of
// pictures the real camera reads; "Foto einlesen …" from a rendered photo
// of a shot face.

#include "features/camera/camerapanel.h"
#include "features/camera/camerapicturewindow.h"
#include "features/photo/fotoeinlesen.h"
#include "features/targetlink/targetlinkpanel.h"
#include "platform/opencvcamera.h"
#include "support/program.h"
#include "support/pty.h"
#include "support/renderedface.h"
#include "support/renderedphoto.h"
#include "support/sources.h"
#include "support/windowdriver.h"
#include "support/windowtest.h"
#include "windows/entry/schusseingabe.h"

#include <opencv2/imgcodecs.hpp>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cmath>
#include <memory>
#include <optional>

using namespace ankerblick;
using namespace ankerblick::test;
using namespace Qt::StringLiterals;

class TestEntryLink : public ankerblick::test::WindowTest {
    Q_OBJECT

    std::unique_ptr<Pty> m_pty;
    QWidget m_returnTo;
    std::unique_ptr<Schusseingabe> m_window;
    std::unique_ptr<WindowDriver> m_ui;

    std::unique_ptr<Application> m_app;
    Form1* m_form = nullptr; // the application's main window
    std::unique_ptr<WindowDriver> m_formUi;

    // The real camera on folders of pictures the test writes, without
    // camera devices. It keeps time by its own clock, which every paced
    // wait moves on by the wait asked for while taking a moment for real.
    QTemporaryDir m_files;
    FakeClock m_cameraClock;
    OpenCvCameraService m_realCameras{m_cameraClock,
                                      [this](quint32 ms) {
                                          QThread::msleep(5);
                                          m_cameraClock.advance(ms);
                                      },
                                      m_files.filePath(u"keine-geraete"_s)};
    std::optional<Services> m_realServices;

    const EntrySheet& sheet() const { return m_window->sheet(); }
    void logOnAndPoll(const WindowDriver& ui, const TargetLinkPanel& link) {
        auto* ports = ui.child<QComboBox>(QStringLiteral("ComPortsCombo"));
        const int i = ports->findData(m_pty->path());
        QVERIFY(i >= 8);
        ports->setCurrentIndex(i);
        ui.press("Rika");
        ui.press("Rika_Schussabfrage");
        QVERIFY(link.isPolling());
    }
    void logOnAndPoll() { logOnAndPoll(*m_ui, targetLinkOf(*m_window)); }

    // The real camera offers `source` (nothing when empty), to the windows
    // built from now on; the shot-entry window is built again.
    void useRealCamera(const QString& source) {
        m_realServices.emplace(Services{m_dialogs, m_clock, m_tones, m_printers, m_settings,
                                        m_diary, m_realCameras, m_services.extraSerialPorts,
                                        m_services.serialPorts, m_services.byteStreams});
        if (!source.isEmpty())
            m_realServices->extraCameras = {source};
        m_ui.reset();
        m_window = std::make_unique<Schusseingabe>(*m_realServices);
        addSources(*m_window, *m_realServices);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_ui = std::make_unique<WindowDriver>(m_window.get());
    }
    // A folder of the pictures for the real camera, each with its own noise,
    // played in this order; the last one stays.
    QString writePictures(const QString& name, const QList<cv::Mat>& pictures) {
        const QString folder = m_files.filePath(name);
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        for (qsizetype i = 0; i < pictures.size(); ++i) {
            const QString file = folder + u"/%1.png"_s.arg(i, 3, 10, QLatin1Char('0'));
            if (!cv::imwrite(QFile::encodeName(file).toStdString(), noisy(pictures.at(i), int(i))))
                qFatal("cannot write %s", qPrintable(file));
        }
        return folder;
    }

    // The program as it starts, with its main window shown.
    void startProgram() {
        m_window->hide();
        m_app = beginProgram(m_realServices ? *m_realServices : m_services,
                             StartOptions{QStringLiteral("Erika"), {}, {}});
        m_form = &m_app->mainWindow();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form));
        m_formUi = std::make_unique<WindowDriver>(m_form);
    }
    // The main window, polling the target; hits are shown after the series
    // when `reveal` is ticked.
    void openForm1(bool reveal) {
        startProgram();
        m_formUi->child<QCheckBox>(QStringLiteral("TrefferNachSerie"))->setChecked(reveal);
        logOnAndPoll(*m_formUi, targetLinkOf(*m_form));
    }
    const AimSheet& aim() const { return m_form->sheet(); }
    // The target's hits the diary has: in the series, or held for their calls.
    int hitsInDiary() const {
        int hits = 0;
        for (const diary::Training& t : m_diary.unfinishedTrainings()) {
            hits += int(t.heldHits.size());
            for (const diary::Series& s : m_diary.seriesOf(t.id))
                hits += int(s.shots.size());
        }
        return hits;
    }
    // The comments of the diary's open trainings, as the file writes them.
    QString commentsInDiary() const {
        QString comments;
        for (const diary::Training& t : m_diary.unfinishedTrainings())
            comments += t.comments;
        return comments;
    }
    // Hits the target reported that the window holds or shows.
    int hitsKept() const {
        int placed = 0;
        for (int n = 1; n <= aim().store().count(); ++n)
            placed += aim().store()[n].shotCount();
        return placed + aim().heldHitCount();
    }
    // One step of a shooter with the target: 'H' a hit from the target at
    // the next of `hits`, 'C' a call at the centre, 'U' "Rückgängig".
    void step(QChar event, const QList<QByteArray>& hits, int& sent) {
        if (event == u'H') {
            const QByteArray& at = hits.at(sent % hits.size());
            m_pty->send(record(at.left(6).constData(), at.mid(7).constData()));
            ++sent;
            // Every poll ends with 0x0C, with or without a record, so the
            // count of them says nothing about this hit: wait for the window
            // to keep it; by then the diary has it too.
            QTRY_COMPARE(hitsKept(), sent);
            QCOMPARE(hitsInDiary(), sent);
        } else if (event == u'C') {
            m_formUi->click(244, 228);
        } else {
            m_formUi->press("Undo");
        }
    }
    // The camera's picture of the shown LP face with these holes.
    static cv::Mat lpFace(const std::vector<Hole>& holes) {
        return picture(renderFace(*disciplineInfo(0), holes), mmToPicture(5.0, 0.0, 0.0));
    }
    // `count` more pictures of `grey` for the camera, 10 a second from 20 s on.
    void showCamera(const cv::Mat& grey, int count) {
        quint32 time = m_cameras.frames.isEmpty() ? 20000 : m_cameras.frames.last().time + 100;
        for (int i = 0; i < count; ++i, time += 100) {
            cv::Mat bgr;
            cv::cvtColor(noisy(grey, int(m_cameras.frames.size()) % 5), bgr, cv::COLOR_GRAY2BGR);
            m_cameras.frames.append({bgr, time});
        }
    }
    // `plain` pictures without a hole, then `holed` with one 6 mm right of
    // and 8 mm above the centre.
    void scriptCamera(int plain, int holed) {
        showCamera(lpFace({}), plain);
        showCamera(lpFace({{{6.0, 8.0}, true}}), holed);
    }
    QColor lamp(const WindowDriver& ui) const {
        return ui.child<LinkIndicator>(QStringLiteral("KameraLampe"))->colour();
    }
    // Sends a record and waits until the window has listed it.
    void target(const char* x, const char* y) {
        const qsizetype before = sheet().shotList().size();
        const int series = sheet().selectedSeries();
        m_pty->send(record(x, y));
        QTRY_VERIFY(sheet().shotList().size() != before || sheet().selectedSeries() != series);
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init() {
        resetServices();
        m_realServices.reset();
        m_cameraClock.now = 20000;
        m_pty = std::make_unique<Pty>();
        // The windows keep the services: the fixture's, with the target's port.
        m_services.extraSerialPorts = {m_pty->path()};
        m_services.extraCameras = {QStringLiteral("Bilder")};
        m_window = std::make_unique<Schusseingabe>(m_services);
        addSources(*m_window, m_services);
        connect(m_window.get(), &Schusseingabe::left, &m_returnTo, &QWidget::show);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_ui = std::make_unique<WindowDriver>(m_window.get());
    }
    void cleanup() {
        m_formUi.reset();
        m_app.reset();
        m_ui.reset();
        m_window.reset();
        m_pty.reset();
        m_realServices.reset();
    }

    void photoHolesBecomeANewSeries_data() {
        QTest::addColumn<bool>("mainWindow");
        QTest::addColumn<bool>("take"); // "Übernehmen", else "Abbrechen"
        QTest::addColumn<int>("more");  // holes set by clicks beyond the four
        QTest::newRow("shot entry, Übernehmen") << false << true << 0;
        QTest::newRow("main window, Übernehmen") << true << true << 0;
        QTest::newRow("shot entry, Abbrechen") << false << false << 0;
        QTest::newRow("main window, eleven holes") << true << true << 7;
    }
    void photoHolesBecomeANewSeries() {
        QFETCH(bool, mainWindow);
        QFETCH(bool, take);
        QFETCH(int, more);
        TargetWindow* window = m_window.get();
        const WindowDriver* ui = m_ui.get();
        if (mainWindow) {
            startProgram();
            window = m_form;
            ui = m_formUi.get();
            ui->click(244, 228); // the call
        }
        ui->click(244, 228); // a hit in the centre: series 1 is begun
        QCOMPARE(ui->list("Schusswert"), QStringList{u"10,9"_s});

        // LP, 392 units for the 59,5 mm black: 6,588 units a mm; a hit d
        // units from the centre scores 109 - (d - 2) / 5,3 tenths, rounded.
        // (1, 12,33) mm: 12,37 mm, 81,50 units, 94,0 tenths: 9,4.
        // (8,18, -8,18): 11,57 mm, 76,21 units: 9,5. (-10,31, -3,09):
        // 10,76 mm, 70,91 units: 9,6. (-4,18, 6,28), set by a click: 7,54
        // mm, 49,70 units: 10,0. (15, 5) is taken away with a right click.
        const std::vector<Hole> drawn{{{8.18, -8.18}, true},
                                      {{15.0, 5.0}, true},
                                      {{1.0, 12.33}, true},
                                      {{-10.31, -3.09}, true}};
        QTemporaryDir dir;
        const QString path = dir.filePath(u"scheibe.jpg"_s);
        QVERIFY(cv::imwrite(path.toStdString(),
                            photo(*disciplineInfo(0), drawn, mmToPhoto(8.0, 15.0, 0.0), 3)));
        m_dialogs.openNames = {path};
        QElapsedTimer asked;
        asked.start();
        window->findChild<QAction*>(u"FotoEinlesenBefehl"_s)->trigger();
        // The window goes on while the photo is analysed.
        QVERIFY2(asked.elapsed() < 100, qPrintable(QString::number(asked.elapsed())));
        QCOMPARE(m_dialogs.asked.last().extra, u"Bilder (*.jpg *.jpeg *.png *.bmp)"_s);
        // Read on a worker thread: the window comes once the photo is analysed.
        FotoEinlesen* photoWindow = nullptr;
        QTRY_VERIFY((photoWindow = window->findChild<FotoEinlesen*>(u"FotoEinlesen"_s)));
        QVERIFY(QTest::qWaitForWindowExposed(photoWindow));
        QCOMPARE(photoWindow->import().holes().size(), 4);
        PhotoView* view = photoWindow->view();
        QTest::mouseClick(view, Qt::RightButton, {}, view->viewPoint({15.0, 5.0}).toPoint());
        QTest::mouseClick(view, Qt::LeftButton, {}, view->viewPoint({-4.18, 6.28}).toPoint());
        // Numbered from the top clockwise.
        const QList<QPointF> expected{{1, 12.33}, {8.18, -8.18}, {-10.31, -3.09}, {-4.18, 6.28}};
        const QList<QPointF>& holes = photoWindow->import().holes();
        QCOMPARE(holes.size(), expected.size());
        for (qsizetype i = 0; i < holes.size(); ++i)
            QVERIFY2(
                QLineF(holes.at(i), expected.at(i)).length() < 0.3,
                qPrintable(
                    u"hole %1 at %2, %3"_s.arg(i + 1).arg(holes.at(i).x()).arg(holes.at(i).y())));
        QVERIFY(
            photoWindow->findChild<QLabel*>(u"FotoHinweis"_s)->text().startsWith(u"4 Löcher"_s));
        if (more > 0) {
            // A row 3 mm apart across the black: more than a series holds.
            for (int i = 0; i < more; ++i)
                QTest::mouseClick(view, Qt::LeftButton, {},
                                  view->viewPoint({-20.0 + 3 * i, -20.0}).toPoint());
            QVERIFY(photoWindow->findChild<QLabel*>(u"FotoHinweis"_s)
                        ->text()
                        .contains(u"11 Löcher, von oben im Uhrzeigersinn nummeriert. Mehr als eine "
                                  u"Serie fasst: „Übernehmen“ trägt sie als 2 neue Serien ein "
                                  u"(je 10, die letzte mit 1)."_s));
            QTest::mouseClick(photoWindow->findChild<QPushButton*>(u"Uebernehmen"_s),
                              Qt::LeftButton);
            QTRY_VERIFY(!window->findChild<FotoEinlesen*>());
            QCOMPARE(ui->list("SerienListe"), QStringList({u"1"_s, u"2"_s, u"3"_s}));
            QCOMPARE(m_form->sheet().store()[2].shotCount(), 10);
            QCOMPARE(m_form->sheet().store()[3].shotCount(), 1);
            QCOMPARE(hitsInDiary(), 12);
            return;
        }

        QTest::mouseClick(
            photoWindow->findChild<QPushButton*>(take ? u"Uebernehmen"_s : u"Abbrechen"_s),
            Qt::LeftButton);
        QTRY_VERIFY(!window->findChild<FotoEinlesen*>());
        QVERIFY(m_dialogs.messages().isEmpty());
        if (!take) {
            QCOMPARE(ui->list("SerienListe"), QStringList{u"1"_s});
            QCOMPARE(ui->list("Schusswert"), QStringList{u"10,9"_s});
            QCOMPARE(hitsInDiary(), 1);
            return;
        }
        QCOMPARE(ui->list("SerienListe"), QStringList({u"1"_s, u"2"_s}));
        QCOMPARE(ui->list("Schusswert"), QStringList({u"9,4"_s, u"9,5"_s, u"9,6"_s, u"10"_s}));
        // Kept in the diary as a mouse hit is.
        QCOMPARE(hitsInDiary(), 5);
    }

    void recordsBecomeHitsAndAnEleventhStartsTheNextSeries() {
        logOnAndPoll();
        m_clock.now = 5000;
        target("000000", "000000"); // the centre
        QCOMPARE(m_ui->list("Schusswert"), QStringList{QStringLiteral("10,9")});
        // 10 mm right and 5 mm down: floor(1000 / 100 * 6,588) = 65 units right,
        // floor(-500 / 100 * 6,588) = -33 units up.
        target("001000", "-00500");
        QCOMPARE(sheet().hits()[1].box.centre(), (PointF{244.0f + 65.0f, 228.0f + 33.0f}));
        for (int i = 2; i < 10; ++i)
            target("000150", "000000");
        QCOMPARE(m_ui->caption(), QStringLiteral("Serie beendet"));
        target("000000", "000000");
        QCOMPARE(m_ui->list("SerienListe"),
                 QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(sheet().store()[1].shotCount(), 10);
        QCOMPARE(m_ui->list("SchussListe"), QStringList{QStringLiteral("1")});
        QCOMPARE(m_ui->list("Schusswert"), QStringList{QStringLiteral("10,9")});
        // Hits from the polled target write no time lines.
        QVERIFY(sheet().times().shootingTimesText().isEmpty());

        // With polling off, a mouse hit writes its line, timed from the last
        // target hit.
        m_ui->press("Rika_Schussabfrage");
        QVERIFY(!targetLinkOf(*m_window).isPolling());
        m_clock.now = 9000;
        m_ui->click(250, 230);
        QCOMPARE(sheet().times().shootingTimesText(), QStringLiteral("Serie:2 Schuss:2: 4\r\n"));
    }

    void aTargetShotGoesIntoTheNewestSeries() {
        logOnAndPoll();
        target("000000", "000000");
        m_ui->press("WeitereSerie");
        target("000100", "000000");
        m_ui->chooseRow("SerienListe", 0);
        // Series 1 is shown; the target's next shot, 35 mm left of the
        // centre beyond the window's edge, belongs to series 2.
        target("-03500", "000000");
        QCOMPARE(sheet().selectedSeries(), 2);
        QCOMPARE(m_ui->list("SchussListe"),
                 QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(sheet().store()[1].shotCount(), 1);
        QCOMPARE(sheet().store()[2].shotCount(), 2);
        // Every shot was confirmed, and only once stored.
        QTRY_COMPARE(m_pty->count(char(0x0C)), m_pty->count(char(0x16)));
        QVERIFY(m_dialogs.messages().isEmpty());
    }

    // The open-hardware target in the main window: its hit waits for its
    // call as the serial target's does, and is in the diary before it shows.
    void theOpenTargetsHitWaitsForItsCall() {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString location = u"tcp://127.0.0.1:%1"_s.arg(server.serverPort());
        m_services.extraSerialPorts = {m_pty->path(), location};
        startProgram();
        auto* ports = m_formUi->child<QComboBox>(QStringLiteral("ComPortsCombo"));
        ports->setCurrentIndex(ports->findData(location));
        m_formUi->press("Rika");
        QTRY_VERIFY(server.hasPendingConnections());
        QTcpSocket* target = server.nextPendingConnection();
        QTRY_VERIFY(targetLinkOf(*m_form).isLoggedOn());
        m_formUi->press("Rika_Schussabfrage");
        target->write("{\"CONNECTED\":1,\"NAME\":\"FET-7\"}");
        QTest::qWait(OpenTargetLink::kReplayMs + 300);
        // The hit first: held, drawn nowhere, already in the diary.
        target->write("{\"shot\":1,\"x\":0.0,\"y\":0.0,\"time\":500,\"session_type\":5}");
        QTRY_COMPARE(m_formUi->caption(), u"Treffer erhalten – bitte Ansage eingeben"_s);
        QCOMPARE(hitsInDiary(), 1);
        QVERIFY(m_formUi->list("Schusswert").isEmpty());
        m_formUi->click(244, 228);
        QCOMPARE(m_formUi->list("Schusswert"), QStringList{u"10,9"_s});
        // The call first: the hit, 5 mm right, joins it (10,3 on LP).
        m_formUi->click(244, 228);
        target->write("{\"shot\":2,\"x\":5.0,\"y\":0.0,\"time\":900,\"session_type\":5}");
        QTRY_COMPARE(m_formUi->list("Schusswert"), (QStringList{u"10,9"_s, u"10,3"_s}));
        QCOMPARE(hitsInDiary(), 2);
        QVERIFY(m_dialogs.messages().isEmpty());
    }

    // The call comes first, the hit is shown once both are in, in any order.
    void callFirstThenTheHit_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("captions"); // after every step
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("ratings");
        const QString held = QStringLiteral("Treffer erhalten – bitte Ansage eingeben");
        const QString offCentre = QStringLiteral("10,3"); // 5 mm right
        QTest::newRow("hit before call") << u"HC"_s << QStringList{held, u"Schuss: 2?"_s}
                                         << QStringList{u"10,9"_s} << QStringList{u"10"_s};
        QTest::newRow("call before hit") << u"CH"_s << QStringList{u"Schuss: 1!"_s, u"Schuss: 2?"_s}
                                         << QStringList{u"10,9"_s} << QStringList{u"10"_s};
        QTest::newRow("three hits, then three calls")
            << u"HHHCCC"_s << QStringList{held, held, held, held, held, u"Schuss: 4?"_s}
            << QStringList{u"10,9"_s, offCentre, u"10,9"_s}
            << QStringList{u"10"_s, u"0"_s, u"10"_s};
        QTest::newRow("two calls ahead")
            << u"CCHH"_s
            << QStringList{u"Schuss: 1!"_s, u"Schuss: 2!"_s, u"Schuss: 2!"_s, u"Schuss: 3?"_s}
            << QStringList{u"10,9"_s, offCentre} << QStringList{u"10"_s, u"0"_s};
        QTest::newRow("undo takes back a call without hit")
            << u"CCUH"_s
            << QStringList{u"Schuss: 1!"_s, u"Schuss: 2!"_s, u"Schuss: 1!"_s, u"Schuss: 2?"_s}
            << QStringList{u"10,9"_s} << QStringList{u"10"_s};
        QTest::newRow("undo never drops a held hit")
            << u"HUC"_s << QStringList{held, held, u"Schuss: 2?"_s} << QStringList{u"10,9"_s}
            << QStringList{u"10"_s};
    }
    void callFirstThenTheHit() {
        QFETCH(QString, script);
        QFETCH(QStringList, captions);
        openForm1(false);
        const QList<QByteArray> hits{"000000 000000", "000500 000000"};
        int sent = 0;
        for (int i = 0; i < script.size(); ++i) {
            m_clock.now = quint32(1000 * (i + 1));
            step(script.at(i), hits, sent);
            QCOMPARE(m_formUi->caption(), captions.at(i));
            // A held hit is neither drawn nor listed.
            QCOMPARE(m_formUi->list("SchussListe").size(), qsizetype(aim().store()[1].shotCount()));
        }
        QTEST(m_formUi->list("Schusswert"), "values");
        QTEST(m_formUi->list("AbweichungsListe"), "ratings");
        QCOMPARE(aim().heldHitCount(), 0);
        QVERIFY(m_dialogs.messages().isEmpty());
    }

    // Shooting times run from hit to hit as the target reported them, not
    // from the calls.
    void timesComeFromTheTargetsHits() {
        openForm1(false);
        const QList<QByteArray> hits{"000000 000000"};
        int sent = 0;
        const QList<QPair<quint32, char>> events{{1000, 'H'}, {4000, 'C'},  {9000, 'H'},
                                                 {9500, 'C'}, {12000, 'C'}, {13500, 'H'}};
        for (const auto& [at, event] : events) {
            m_clock.now = at;
            step(QChar::fromLatin1(event), hits, sent);
        }
        // The first hit has none before it to be measured from.
        QCOMPARE(aim().times().shootingTimesText(),
                 u"Serie:1 Schuss:2: 8\r\nSerie:1 Schuss:3: 4,5\r\n"_s);
    }

    // "Treffer erst nach der Serie zeigen": ten calls with hidden hits, then
    // the whole series at once; the eleventh shot begins series 2.
    void theSeriesIsRevealedAfterItsTenthShot() {
        openForm1(true);
        const QList<QByteArray> hits{"000000 000000", "000500 000000"};
        int sent = 0;
        for (int i = 0; i < 9; ++i) {
            step(u'H', hits, sent);
            step(u'C', hits, sent);
        }
        QCOMPARE(m_formUi->list("SchussListe").size(), 9);
        QVERIFY(m_formUi->list("Schusswert").isEmpty());
        QVERIFY(m_formUi->list("AbweichungsListe").isEmpty());
        QCOMPARE(m_formUi->text("SerienSumme"), u"0"_s);
        for (const Mark& hit : aim().hits())
            QVERIFY(!hit.box.visible);
        // Nor does the analysis give the hits away.
        QVERIFY(
            m_form->findChild<QLabel*>(u"AuswertungText"_s)->text().contains(u"Keine Schüsse"_s));
        step(u'C', hits, sent);
        step(u'H', hits, sent);
        QCOMPARE(m_formUi->caption(), u"Serie beendet"_s);
        QCOMPARE(m_formUi->list("Schusswert").size(), 10);
        QCOMPARE(m_formUi->list("AbweichungsListe").size(), 10);
        QCOMPARE(m_formUi->text("SerienSumme"), u"100"_s);
        for (const Mark& hit : aim().hits())
            QVERIFY(hit.box.visible);

        step(u'H', hits, sent); // held: series 1 stays in view
        QCOMPARE(aim().selectedSeries(), 1);
        step(u'C', hits, sent);
        QCOMPARE(m_formUi->list("SerienListe"), (QStringList{u"1"_s, u"2"_s}));
        QCOMPARE(m_formUi->list("SchussListe"), QStringList{u"1"_s});
        QVERIFY(m_formUi->list("Schusswert").isEmpty());
        QCOMPARE(aim().store()[2].shotCount(), 1);
    }

    // Polling ends with hits still held: they are entered without a call,
    // and the message says so.
    // A hit the diary cannot keep is neither confirmed nor kept: polling ends
    // with the diary's reason, and once it runs again the target's report of
    // the same shot is entered once.
    void aHitTheDiaryCannotKeepIsNotConfirmed_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("main window, hit held") << QStringLiteral("held");
        QTest::newRow("main window, hit of a call") << QStringLiteral("called");
        QTest::newRow("shot-entry window") << QStringLiteral("entry");
    }
    void aHitTheDiaryCannotKeepIsNotConfirmed() {
        QFETCH(QString, window);
        const bool entry = window == QStringLiteral("entry");
        if (entry)
            logOnAndPoll();
        else
            openForm1(false);
        if (window == QStringLiteral("called"))
            m_formUi->click(244, 228);
        const TargetLinkPanel& link = entry ? targetLinkOf(*m_window) : targetLinkOf(*m_form);
        const WindowDriver& ui = entry ? *m_ui : *m_formUi;
        const auto kept = [&] {
            return entry ? int(sheet().store()[1].shotCount()) : hitsKept();
        };
        m_diary.failWrites = true;
        m_pty->send(record("000000", "000000"));
        QTRY_VERIFY(!link.isPolling());
        QCOMPARE(m_pty->count(char(0x0C)), m_pty->count(char(0x16)) - 1);
        QCOMPARE(kept(), 0);
        QCOMPARE(ui.list("Schusswert"), QStringList());
        QCOMPARE(m_dialogs.messages().size(), 1);
        QVERIFY2(m_dialogs.messages().first().contains(
                     QStringLiteral("Der Datenträger ist voll. Die Abfrage wurde beendet; der "
                                    "Schuss ist nicht bestätigt")),
                 qPrintable(m_dialogs.messages().first()));

        m_diary.failWrites = false;
        ui.press("Rika_Schussabfrage");
        m_pty->forget();
        m_pty->send(record("000000", "000000"));
        QTRY_COMPARE(kept(), 1);
        QTRY_COMPARE(m_pty->count(char(0x0C)), m_pty->count(char(0x16)));
        QCOMPARE(hitsInDiary(), 1);
        QCOMPARE(ui.list("Schusswert").size(), window == QStringLiteral("held") ? 0 : 1);
        QCOMPARE(m_dialogs.messages().size(), 1);
    }

    void heldHitsAreEnteredWhenPollingEnds_data() {
        QTest::addColumn<bool>("portLost");
        QTest::newRow("stopped") << false;
        QTest::newRow("port lost") << true;
    }
    void heldHitsAreEnteredWhenPollingEnds() {
        QFETCH(bool, portLost);
        openForm1(false);
        const QList<QByteArray> hits{"000000 000000", "000500 000000"};
        int sent = 0;
        for (QChar event : u"HCHH"_s)
            step(event, hits, sent);
        QCOMPARE(aim().heldHitCount(), 2);
        if (portLost)
            m_pty->hangUp();
        else
            m_formUi->press("Rika_Schussabfrage");
        QTRY_VERIFY(!targetLinkOf(*m_form).isPolling());
        QCOMPARE(aim().heldHitCount(), 0);
        QCOMPARE(m_formUi->list("Schusswert"), (QStringList{u"10,9"_s, u"10,3"_s, u"10,9"_s}));
        QCOMPARE(m_formUi->list("AbweichungsListe"), (QStringList{u"10"_s, u"–"_s, u"–"_s}));
        QCOMPARE(m_formUi->list("AbweichungslisteSekMM").at(1), u"–"_s);
        QCOMPARE(m_dialogs.messages().size(), 1);
        QVERIFY(m_dialogs.messages().first().contains(
            u"2 Treffer der Scheibe hatten noch keine Ansage"_s));
        QCOMPARE(m_dialogs.messages().first().contains(u"Verbindung zur Scheibe"_s), portLost);
        // Without a call they are stored as such and read back so.
        QVERIFY(!aim().store()[1].hasCall(1));
        QVERIFY(aim().store()[1].hasShot(2));
    }

    // A timed rapid-fire series of 8 s: "Achtung", the start signal 7 s
    // later and the stop after 8 s more, as tones; the target's hits before
    // the stop count, those after it are "nach Zeit" and score 0, and every
    // hit's shot time runs from the start signal.
    void aTimedRapidFireSeries() {
        using Played = QList<QPair<int, int>>;
        logOnAndPoll();
        const int rapidFire = 11;
        m_dialogs.choices = {rapidFire};
        m_ui->press("Wettkampf");
        QVERIFY(m_window->findChild<QButtonGroup*>(QStringLiteral("Disziplin"))
                    ->button(2)
                    ->isChecked());
        m_ui->press("ProbeBeenden");
        auto* status = m_ui->child<QLabel>(QStringLiteral("Wettkampfzeit"));
        QCOMPARE(status->text(), u"Schnellfeuerpistole 60 (8, 6, 4 s): Wertung – Serie 1 von 12"_s);

        // The match opened the sound output; one found missing is told
        // before "Achtung", once.
        QCOMPARE(m_tones.prepared, 1);
        m_tones.noOutput = true;
        m_tones.played.clear();
        m_clock.now = 10000;
        m_ui->press("SerieStarten");
        QCOMPARE(m_dialogs.messages(), QStringList{noSoundOutputMessage()});
        QCOMPARE(m_tones.played, (Played{{660, 400}}));
        QCOMPARE(status->text(),
                 u"Schnellfeuerpistole 60 (8, 6, 4 s): Wertung – Serie 1 von 12 – Achtung"_s);
        QVERIFY(!m_ui->button("SerieStarten")->isEnabled());
        m_clock.now = 17000;
        QTRY_COMPARE(m_tones.played.size(), 2);
        QCOMPARE(m_tones.played.last(), (QPair<int, int>{880, 600}));
        m_clock.now = 18000;
        QTRY_COMPARE(status->text(),
                     u"Schnellfeuerpistole 60 (8, 6, 4 s): Wertung – Serie 1 von 12 00:07"_s);
        m_clock.now = 19500;
        target("000000", "000000");
        m_clock.now = 24900;
        target("000000", "000000");
        m_clock.now = 25000;
        QTRY_COMPARE(m_tones.played,
                     (Played{{660, 400}, {880, 600}, {880, 150}, {0, 100}, {880, 150}}));
        QTRY_VERIFY(m_ui->button("SerieStarten")->isEnabled());
        m_clock.now = 25600;
        target("000000", "000000");
        QCOMPARE(m_ui->list("Schusswert"), QStringList({u"10,9"_s, u"10,9"_s, u"0"_s}));
        QCOMPARE(m_ui->text("SerienSumme"), u"20"_s);
        QCOMPARE(sheet().times().shotTimesText(),
                 u"Serie:1 Schuss:1: 2,5\r\nSerie:1 Schuss:2: 7,9\r\nSerie:1 Schuss:3: 8,6\r\n"_s);
        QVERIFY(sheet().comments().contains(u"Serie: 1 Schuss: 3: nach Zeit"_s));
        // A series of this program holds five shots.
        target("000000", "000000");
        target("000000", "000000");
        QCOMPARE(m_ui->caption(), u"Serie beendet"_s);
        QCOMPARE(status->text(), u"Schnellfeuerpistole 60 (8, 6, 4 s): Wertung – Serie 2 von 12"_s);
    }

    // A hole 10 mm from the centre, 65,88 units at 6,588 units per mm:
    // 109 - (65,88 - 2) / 5,3 = 96,95 tenths, a 9,7, drawn 6 * 6,588 = 39,5
    // units right of and 8 * 6,588 = 52,7 units above the centre (244, 228).
    // The hole stays 0,7 s. The camera takes 0,4 s to open, on another
    // thread: the window goes on meanwhile.
    void aCameraHoleBecomesOneHit() {
        scriptCamera(5, 8);
        m_cameras.openMs = 400;
        QSignalSpy pictures(&cameraOf(*m_window).link(), &CameraLink::pictureChanged);
        int ticks = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&ticks] { ++ticks; });
        tick.start(10);
        QElapsedTimer pressed;
        pressed.start();
        m_ui->press("KameraAnAus");
        QVERIFY2(pressed.elapsed() < 200, qPrintable(QString::number(pressed.elapsed())));
        QCOMPARE(lamp(*m_ui), CameraPanel::noFaceColour());
        QTRY_VERIFY(pictures.count() >= 1);
        // Some 40 ticks of 10 ms while it opened.
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
        QTRY_COMPARE(m_ui->list("Schusswert"), QStringList{u"9,7"_s});
        const PointF at = sheet().hits()[0].box.centre();
        QVERIFY2(std::abs(at.x - 283.5f) < 1.5f && std::abs(at.y - 175.3f) < 1.5f,
                 qPrintable(u"%1, %2"_s.arg(at.x).arg(at.y)));
        QCOMPARE(hitsInDiary(), 1);
        // After the last picture the source is gone and the camera off.
        QTRY_COMPARE(lamp(*m_ui), CameraPanel::offColour());
        QVERIFY(!cameraOf(*m_window).link().delivering());
        // Said once the camera's thread has ended, just after the lamp went off.
        QTRY_COMPARE(m_dialogs.messages(), QStringList{u"Die Kamera liefert keine Bilder mehr."_s});
        QCOMPARE(m_ui->list("Schusswert"), QStringList{u"9,7"_s});
        // Of the 13 pictures 0,1 s apart at most every second one went to
        // "Kamerabild", 7; switching off cleared it.
        QVERIFY2(pictures.count() >= 2 && pictures.count() <= 8,
                 qPrintable(QString::number(pictures.count())));
        QVERIFY(cameraOf(*m_window).link().picture().image.isNull());
        // The mouse goes on; the camera's hit stays.
        m_ui->click(244, 228);
        QCOMPARE(m_ui->list("Schusswert"), (QStringList{u"9,7"_s, u"10,9"_s}));
        QCOMPARE(hitsInDiary(), 2);
    }

    // A hole the diary could not keep is entered again until it is kept.
    void aCameraHoleTheDiaryCannotKeepComesAgain() {
        scriptCamera(5, 8);
        m_cameras.shown = std::make_shared<std::atomic<int>>(12); // the last picture stays on
        m_diary.failWrites = true;
        m_ui->press("KameraAnAus");
        QTRY_COMPARE(m_dialogs.messages().size(), 1);
        QVERIFY2(m_dialogs.messages().first().contains(u"Der Datenträger ist voll"_s),
                 qPrintable(m_dialogs.messages().first()));
        QCOMPARE(cameraOf(*m_window).link().pendingHits(), 1);
        QCOMPARE(m_ui->list("Schusswert"), QStringList());
        m_diary.failWrites = false;
        QTRY_COMPARE(m_ui->list("Schusswert"), QStringList{u"9,7"_s});
        QCOMPARE(cameraOf(*m_window).link().pendingHits(), 0);
        QCOMPARE(hitsInDiary(), 1);
        QCOMPARE(m_dialogs.messages().size(), 1);
    }

    // A new paper, or the camera bumped: the face is looked for again, and
    // found.
    void aNewPaperIsFoundAgain_data() {
        QTest::addColumn<bool>("bumped");
        QTest::addColumn<QString>("told");
        QTest::newRow("a new paper") << false << u"Neue Scheibe erkannt"_s;
        QTest::newRow("the camera bumped") << true << u"Kamera bewegt – Scheibe neu erkannt"_s;
    }
    void aNewPaperIsFoundAgain() {
        QFETCH(bool, bumped);
        QFETCH(QString, told);
        const cv::Mat face = lpFace({});
        showCamera(face, 5);
        // Most of the face changed, or the same face 14 px right, 9 px up.
        const cv::Mat after = bumped ? shaken(face, {14, -9}) : 255 - face;
        showCamera(after, 14);
        showCamera(bumped ? after : face, 4); // the face to be found again

        // The last picture stays on, the source does not end.
        m_cameras.shown = std::make_shared<std::atomic<int>>(int(m_cameras.frames.size()) - 1);
        m_ui->press("KameraAnAus");
        QTRY_COMPARE(m_dialogs.messages(), QStringList{told});
        QTRY_COMPARE(lamp(*m_ui), CameraPanel::foundColour());
        QVERIFY(m_ui->list("Schusswert").isEmpty());
        m_ui->press("KameraAnAus");
        QCOMPARE(lamp(*m_ui), CameraPanel::offColour());
        QVERIFY(!cameraOf(*m_window).link().delivering());
    }

    // In the main window the camera's hole goes to the call before it; the
    // target and the camera refuse to deliver while the other one does.
    void theCameraHoleGoesToTheCallBeforeIt() {
        scriptCamera(5, 8);
        m_cameras.shown = std::make_shared<std::atomic<int>>(5);
        openForm1(false);
        const QString cameraRefused = u"Die elektronische Scheibe liefert schon die Treffer "
                                      u"dieses Fensters. Erst die Schussabfrage beenden, dann "
                                      u"die Kamera einschalten."_s;
        const QString targetRefused = u"Die Kamera liefert schon die Treffer dieses Fensters. "
                                      u"Erst die Kamera ausschalten, dann abfragen."_s;
        m_formUi->press("KameraAnAus");
        QCOMPARE(m_dialogs.messages(), QStringList{cameraRefused});
        QVERIFY(!cameraOf(*m_form).link().delivering());
        m_formUi->press("Rika_Schussabfrage");
        m_formUi->press("KameraAnAus");
        QTRY_COMPARE(lamp(*m_formUi), CameraPanel::foundColour());
        m_formUi->press("Rika_Schussabfrage");
        QCOMPARE(m_dialogs.messages(), QStringList({cameraRefused, targetRefused}));
        QVERIFY(!targetLinkOf(*m_form).isPolling());

        m_clock.now = 1000;
        m_formUi->click(244, 228);
        QCOMPARE(m_formUi->caption(), u"Schuss: 1!"_s);
        *m_cameras.shown = 13;
        QTRY_COMPARE(m_formUi->list("Schusswert"), QStringList{u"9,7"_s});
        QCOMPARE(m_formUi->caption(), u"Schuss: 2?"_s);
        QCOMPARE(aim().heldHitCount(), 0);
        QCOMPARE(hitsInDiary(), 1);
    }

    // A camera hole that comes before its call is held. What is said while
    // the camera delivers, and when it stops, names the camera.
    void aHeldCameraHitIsTheCamerasHit() {
        scriptCamera(5, 9); // one held back: the camera goes on
        m_cameras.shown = std::make_shared<std::atomic<int>>(5);
        openForm1(false);
        m_formUi->press("Rika_Schussabfrage");
        m_formUi->press("KameraAnAus");
        QTRY_COMPARE(lamp(*m_formUi), CameraPanel::foundColour());
        *m_cameras.shown = 13;
        QTRY_COMPARE(aim().heldHitCount(), 1);
        m_form->findChild<QAction*>(u"FotoEinlesenBefehl"_s)->trigger();
        QCOMPARE(m_dialogs.messages(),
                 QStringList{u"Solange die Kamera Treffer liefert, kann kein Foto "
                             u"eingelesen werden."_s});
        m_formUi->press("KameraAnAus");
        QTRY_COMPARE(m_dialogs.messages().last(),
                     u"Ein Treffer der Kamera hatte noch keine Ansage; er wurde ohne Ansage "
                     u"eingetragen (Bewertung „–“)."_s);
        QCOMPARE(m_formUi->list("Schusswert"), QStringList{u"9,7"_s});
        QCOMPARE(hitsInDiary(), 1);
    }

    // The program ends: the sources of every window stop before a question
    // about unsaved series is asked, also those of the shot-entry window.
    void everySourceStopsBeforeTheProgramAsks() {
        scriptCamera(5, 8);
        m_cameras.shown = std::make_shared<std::atomic<int>>(5);
        startProgram();
        m_formUi->press("BtnSchusseingabe");
        Schusseingabe* entry = nullptr;
        for (QWidget* shown : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<Schusseingabe*>(shown); window && window->isVisible())
                entry = window;
        QVERIFY(entry);
        QVERIFY(QTest::qWaitForWindowExposed(entry));
        WindowDriver ui(entry);
        ui.click(244, 228); // a hit: the series is not saved
        ui.press("KameraAnAus");
        QTRY_COMPARE(lamp(ui), CameraPanel::foundColour());
        m_dialogs.saveChoices = {SaveChoice::Cancel};
        QVERIFY(!m_form->close());
        QCOMPARE(m_dialogs.asked.last().text, u"Änderungen in der Schusseingabe speichern?"_s);
        QVERIFY(!cameraOf(*entry).link().delivering());
    }

    // End to end through the real camera on a folder of pictures of the LP
    // face at 5 pixels per mm (centre at 639,63 | 360,21): three without a
    // hole, then hole A 6 mm right of and 8 mm above the centre, in the
    // "revealed" row for eight pictures and then with hole B 10 mm left of
    // and 5 mm below it as well.
    // A: 10 mm from the centre, 65,88 units at 6,588 units per mm:
    // 109 - (65,88 - 2) / 5,3 = 96,95 tenths, a 9,7, drawn 39,5 units right
    // of and 52,7 above the centre (244, 228).
    // B: 11,18 mm, 73,66 units: 109 - 71,66 / 5,3 = 95,48 tenths, a 9,5,
    // drawn 65,9 units left of and 32,9 below the centre.
    // In the half-size picture for "Kamerabild" (pixel centres: (x + 0,5) / 2
    // - 0,5) the black is centred at 319,57 | 179,86, 297,5 / 2 = 148,75
    // pixels across; A at (669,63 | 320,21) / 2 = 334,57 | 159,86, B at
    // (589,63 | 385,21) / 2 = 294,57 | 192,36.
    void aFolderOfPicturesGivesTheHits_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("shot-entry window: placed directly") << u"entry"_s;
        QTest::newRow("main window: called first") << u"called"_s;
        QTest::newRow("main window: revealed after the series") << u"revealed"_s;
        // A bullet that hit sideways: the hit is entered, to be checked.
        QTest::newRow("shot-entry window: a keyhole") << u"keyhole"_s;
    }
    void aFolderOfPicturesGivesTheHits() {
        QFETCH(QString, window);
        const bool revealed = window == u"revealed"_s;
        const bool keyhole = window == u"keyhole"_s;
        const bool entry = keyhole || window == u"entry"_s;
        const cv::Mat face = lpFace({});
        const cv::Mat a = lpFace({{{6.0, 8.0}, true, false, keyhole ? 1.4 : 1.0}});
        QList<cv::Mat> pictures{face, face, face, a};
        if (revealed)
            pictures << a << a << a << a << a << a << a
                     << lpFace({{{6.0, 8.0}, true}, {{-10.0, -5.0}, true}});
        useRealCamera(writePictures(u"bilder"_s, pictures));

        const auto near = [](PointF at, float x, float y) {
            return std::abs(at.x - x) < 1.5f && std::abs(at.y - y) < 1.5f;
        };
        const auto where = [](PointF at) {
            return u"%1, %2"_s.arg(at.x).arg(at.y);
        };
        const PointF hitA{283.5f, 175.3f};
        const PointF hitB{178.1f, 260.9f};
        const WindowDriver* ui = m_ui.get();
        CameraPanel* panel = &cameraOf(*m_window);
        if (entry) {
            m_ui->press("KameraAnAus");
            QTRY_COMPARE(m_ui->list("Schusswert"), QStringList{u"9,7"_s});
            QVERIFY2(near(sheet().hits()[0].box.centre(), hitA.x, hitA.y),
                     qPrintable(where(sheet().hits()[0].box.centre())));
            QCOMPARE(hitsInDiary(), 1);
        } else {
            openForm1(revealed);
            ui = m_formUi.get();
            panel = &cameraOf(*m_form);
            const QList<QByteArray> centre{"000000 000000"};
            int sent = 0;
            for (int i = 0; revealed && i < 8; ++i) {
                step(u'H', centre, sent);
                step(u'C', centre, sent);
            }
            m_formUi->press("Rika_Schussabfrage"); // the target stops, the camera may start
            m_formUi->click(244, 228);
            QCOMPARE(m_formUi->caption(), revealed ? u"Schuss: 9!"_s : u"Schuss: 1!"_s);
            m_formUi->press("KameraAnAus");
            if (!revealed) {
                QTRY_COMPARE(m_formUi->list("Schusswert"), QStringList{u"9,7"_s});
                QCOMPARE(m_formUi->caption(), u"Schuss: 2?"_s);
                QVERIFY2(near(aim().hits()[0].box.centre(), hitA.x, hitA.y),
                         qPrintable(where(aim().hits()[0].box.centre())));
                QCOMPARE(hitsInDiary(), 1);
            } else {
                // A goes to the ninth call, hidden; B waits for the tenth.
                QTRY_COMPARE(aim().heldHitCount(), 1);
                QCOMPARE(m_formUi->caption(), u"Treffer erhalten – bitte Ansage eingeben"_s);
                QVERIFY(m_formUi->list("Schusswert").isEmpty());
                QVERIFY(!aim().hits()[8].box.visible);
                QCOMPARE(hitsInDiary(), 10);
                m_formUi->click(244, 228);
                QCOMPARE(m_formUi->caption(), u"Serie beendet"_s);
                QStringList values(8, u"10,9"_s);
                values << u"9,7"_s << u"9,5"_s;
                QCOMPARE(m_formUi->list("Schusswert"), values);
                QVERIFY(aim().hits()[8].box.visible && aim().hits()[9].box.visible);
                QVERIFY2(near(aim().hits()[8].box.centre(), hitA.x, hitA.y),
                         qPrintable(where(aim().hits()[8].box.centre())));
                QVERIFY2(near(aim().hits()[9].box.centre(), hitB.x, hitB.y),
                         qPrintable(where(aim().hits()[9].box.centre())));
                QCOMPARE(aim().heldHitCount(), 0);
                QCOMPARE(hitsInDiary(), 10);
            }
        }
        QVERIFY(m_dialogs.messages().isEmpty());
        QCOMPARE(lamp(*ui), CameraPanel::foundColour());

        // "Kamerabild": the half-size picture with the black outlined and
        // the holes numbered in the order seen.
        ui->press("KameraBild");
        const CameraPictureWindow* shown = panel->pictureWindow();
        QVERIFY(shown && shown->isVisible());
        QCOMPARE(shown->windowTitle(), u"Kamerabild"_s);
        const qsizetype holes = revealed ? 2 : 1;
        const CameraLink& link = panel->link();
        QTRY_COMPARE(link.picture().holes.size(), holes);
        const CameraPicture& p = link.picture();
        QCOMPARE(p.image.size(), QSize(640, 360));
        QVERIFY(p.black);
        const auto within = [](QPointF at, double x, double y, double tolerance) {
            return std::abs(at.x() - x) < tolerance && std::abs(at.y() - y) < tolerance;
        };
        QVERIFY(within(p.black->centre, 319.57, 179.86, 0.1));
        QVERIFY(
            within(QPointF(p.black->size.width(), p.black->size.height()), 148.75, 148.75, 1.0));
        QVERIFY(within(p.holes.at(0), 334.57, 159.86, 0.1));
        if (revealed)
            QVERIFY(within(p.holes.at(1), 294.57, 192.36, 0.1));
        QCOMPARE(shown->status(), revealed  ? u"Scheibe erkannt – 2 Treffer"_s
                                  : keyhole ? u"Scheibe erkannt – 1 Treffer, 1 bitte prüfen"_s
                                            : u"Scheibe erkannt – 1 Treffer"_s);
        QCOMPARE(commentsInDiary().contains(u"Serie: 1 Schuss: 1: bitte prüfen"_s), keyhole);
        correctInThePicture(*panel->pictureWindow(), *ui,
                            entry ? static_cast<const TargetSheet&>(sheet()) : aim(),
                            revealed ? 8 : 0, hitA, keyhole);
        // At half its size below the status line of 26 pixels, the
        // picture's middle, between pixels 319 and 320, 179 and 180, is
        // drawn at 160 | 26 + 90.
        panel->pictureWindow()->resize(320, 206);
        QTRY_COMPARE(shown->size(), QSize(320, 206));
        QCOMPARE(shown->pictureToWindow().map(QPointF(319.5, 179.5)), QPointF(160.0, 116.0));

        ui->press("KameraAnAus");
        QCOMPARE(lamp(*ui), CameraPanel::offColour());
        QVERIFY(link.picture().image.isNull());
        QCOMPARE(shown->status(), u"Kamera aus"_s);
    }

    // Trouble with the camera is told, or the lamp stays yellow; the mouse
    // goes on entering hits, and none entered is lost.
    // The shooter corrects hit A in "Kamerabild" (pixels as worked out
    // above: 2,5 a millimetre, the black's centre at 319,57 | 179,86; the
    // window 6,5875 units a millimetre about 244 | 228): dragged 12 pixels
    // right, taken back; taken out with "Entf", taken back; each correction
    // in the comments and the diary.
    void correctInThePicture(CameraPictureWindow& picture, const WindowDriver& ui,
                             const TargetSheet& shown, int slotA, PointF hitA, bool doubtful) {
        const auto near = [](PointF at, PointF to) {
            return std::abs(at.x - to.x) < 1.5f && std::abs(at.y - to.y) < 1.5f;
        };
        const QTransform toWindow = picture.pictureToWindow();
        const QPoint markA = toWindow.map(QPointF(334.57, 159.86)).toPoint();
        const QPoint dropAt = markA + QPoint(12, 0);
        const QPointF dropped = toWindow.inverted().map(QPointF(dropAt));
        const PointF movedTo{float(244 + (dropped.x() - 319.57) / 2.5 * 6.5875),
                             float(228 + (dropped.y() - 179.86) / 2.5 * 6.5875)};
        const int shotA = slotA + 1;
        const QString moved = u"Serie: 1 Schuss: %1: Treffer verschoben"_s.arg(shotA);
        const QString removed = u"Serie: 1 Schuss: 0: Treffer %1 entfernt"_s.arg(shotA);
        const int kept = hitsInDiary();
        const QStringList values = ui.list("Schusswert");

        QTest::mousePress(&picture, Qt::LeftButton, {}, markA);
        QTest::mouseMove(&picture, markA + QPoint(6, 0));
        QTest::mouseMove(&picture, dropAt);
        QTest::mouseRelease(&picture, Qt::LeftButton, {}, dropAt);
        QVERIFY2(near(shown.hits()[size_t(slotA)].box.centre(), movedTo),
                 qPrintable(u"%1, %2"_s.arg(shown.hits()[size_t(slotA)].box.centre().x)
                                .arg(shown.hits()[size_t(slotA)].box.centre().y)));
        QVERIFY(shown.comments().contains(moved));
        QVERIFY(commentsInDiary().contains(moved));
        QVERIFY(!shown.comments().contains(u"bitte prüfen"_s)); // moved: checked
        ui.press("Undo");
        QVERIFY(near(shown.hits()[size_t(slotA)].box.centre(), hitA));
        QVERIFY(!commentsInDiary().contains(moved));
        QCOMPARE(ui.list("Schusswert"), values);

        // Chosen by a click on its mark, taken out with "Entf".
        QTest::mouseClick(&picture, Qt::LeftButton, {}, markA);
        QTest::keyClick(&picture, Qt::Key_Delete);
        // A series of ten that shows its hits after the series hides them
        // again: it waits for its tenth shot once more.
        QCOMPARE(ui.list("Schusswert").size(), slotA == 8 ? 0 : values.size() - 1);
        QCOMPARE(hitsInDiary(), kept - 1);
        QVERIFY(commentsInDiary().contains(removed));
        QCOMPARE(picture.status(), slotA > 0 ? u"Scheibe erkannt – 1 Treffer"_s
                                             : u"Scheibe erkannt – noch kein Treffer"_s);
        ui.press("Undo");
        QCOMPARE(ui.list("Schusswert"), values);
        QCOMPARE(hitsInDiary(), kept);
        QVERIFY(!commentsInDiary().contains(removed));

        // A hole the camera missed, 12 mm below the centre: double-clicked,
        // it is one more hit (held for its call in the main window).
        const qsizetype holes = slotA > 0 ? 2 : 1;
        QTest::mouseDClick(&picture, Qt::LeftButton, {},
                           toWindow.map(QPointF(319.57, 179.86 + 12 * 2.5)).toPoint());
        QCOMPARE(hitsInDiary(), kept + 1);
        QCOMPARE(picture.status(), doubtful ? u"Scheibe erkannt – 2 Treffer, 1 bitte prüfen"_s
                                            : u"Scheibe erkannt – %1 Treffer"_s.arg(holes + 1));
    }

    void cameraTroubleLeavesTheMouse_data() {
        QTest::addColumn<QString>("source"); // offered by the list; none when empty
        QTest::addColumn<QString>("message");
        QTest::newRow("no camera in the list")
            << QString() << u"Erst eine Kamera wählen, dann einschalten."_s;
        QTest::newRow("a file that is no picture or video")
            << u"notiz.png"_s << u"„notiz.png“ ist weder ein Bild noch ein Video."_s;
        QTest::newRow("a black picture that stays") << u"schwarz"_s << QString();
        QTest::newRow("paper without a face") << u"papier"_s << QString();
    }
    void cameraTroubleLeavesTheMouse() {
        QFETCH(QString, source);
        QFETCH(QString, message);
        if (source == u"notiz.png"_s) {
            QFile text(m_files.filePath(source));
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write("kein Bild\n");
            source = text.fileName();
        } else if (source == u"schwarz"_s) {
            source = writePictures(source, {cv::Mat(kPicture, CV_8U, cv::Scalar(0))});
        } else if (source == u"papier"_s) {
            const cv::Mat paper(kPicture, CV_8U, cv::Scalar(225));
            source = writePictures(source, {paper, paper, paper});
        }
        useRealCamera(source);
        QCOMPARE(m_ui->child<QComboBox>(u"KameraListe"_s)->count(), source.isEmpty() ? 0 : 1);
        m_ui->click(244, 228);
        QCOMPARE(m_ui->list("Schusswert"), QStringList{u"10,9"_s});

        const CameraLink& link = cameraOf(*m_window).link();
        QSignalSpy pictures(&link, &CameraLink::pictureChanged);
        m_ui->press("KameraAnAus");
        if (!message.isEmpty()) {
            // The source is opened on another thread.
            QTRY_COMPARE(m_dialogs.messages(), QStringList{message});
            QVERIFY(!link.delivering());
            QCOMPARE(lamp(*m_ui), CameraPanel::offColour());
        } else {
            // Pictures come, 0,4 s of them at least, but no face is in them.
            QTRY_VERIFY(pictures.count() >= 3);
            QVERIFY(!link.picture().image.isNull());
            QVERIFY(link.delivering());
            QCOMPARE(lamp(*m_ui), CameraPanel::noFaceColour());
            QVERIFY(!link.picture().black);
            QVERIFY(m_dialogs.messages().isEmpty());
        }
        m_ui->click(244, 228);
        QCOMPARE(m_ui->list("Schusswert"), (QStringList{u"10,9"_s, u"10,9"_s}));
        QCOMPARE(hitsInDiary(), 2);
        if (link.delivering())
            m_ui->press("KameraAnAus");
        QVERIFY(!link.delivering());
        QCOMPARE(m_ui->list("Schusswert"), (QStringList{u"10,9"_s, u"10,9"_s}));
    }

    void closingTheWindowLogsOff() {
        logOnAndPoll();
        m_window->close();
        QTRY_VERIFY(m_pty->received().endsWith(char(0xD0)));
        QVERIFY(!targetLinkOf(*m_window).isLoggedOn());
        QVERIFY(m_returnTo.isVisible());
    }
};

QTEST_MAIN(TestEntryLink)
#include "tst_entrylink.moc"
