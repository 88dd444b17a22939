// The rhythm training aid: the steps of the rhythm as the timer drives them,
// and the window driven by clicks and typing with its tones recorded.

#include "features/rhythm/rhythmustrainingshilfeform.h"
#include "model/matchprogram.h"
#include "platform/settings.h"
#include "platform/tonegenerator.h"
#include "sheets/rhythmsequence.h"
#include "support/memorysettings.h"
#include "support/scripteddialogs.h"
#include "support/windowdriver.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace ankerblick;
using namespace Qt::StringLiterals;
using namespace ankerblick::rhythm;
using ankerblick::test::ScriptedDialogs;
using ankerblick::test::WindowDriver;

namespace {

// Records every tone of a signal instead of playing it, with what the window
// showed when the signal was given. Like the real tones, a signal is given and
// the call returns at once.
class RecordingTones final : public ToneGenerator {
public:
    struct Played {
        Tone tone;
        int redBox;
        bool timerRunning;
        qint64 atMs;
        QString status; // the line under the boxes
    };
    QList<Played> played;
    std::function<int()> redBoxNow = [] {
        return kNoBox;
    };
    std::function<bool()> timerRunningNow = [] {
        return false;
    };
    std::function<QString()> statusNow = [] {
        return QString();
    };
    QElapsedTimer clock;
    bool noOutput = false;
    int prepared = 0; // times the sound output was opened ahead

    RecordingTones() { clock.start(); }
    void prepare() override { ++prepared; }
    void play(const QList<Tone>& signal) override {
        const int redBox = redBoxNow();
        const bool timerRunning = timerRunningNow();
        const qint64 at = clock.elapsed();
        for (const Tone& t : signal)
            played.append({t, redBox, timerRunning, at, statusNow()});
    }
    bool takeNoOutputNotice() override { return std::exchange(noOutput, false); }

    QList<Tone> tones() const {
        QList<Tone> out;
        for (const Played& p : played)
            out << p.tone;
        return out;
    }
    QList<int> redBoxes() const {
        QList<int> out;
        for (const Played& p : played)
            out << p.redBox;
        return out;
    }
};

BoxTexts boxes(const char* lead, const char* p1, const char* p2, const char* p3, const char* pause,
               const char* count) {
    return {QString::fromUtf8(lead), QString::fromUtf8(p1),    QString::fromUtf8(p2),
            QString::fromUtf8(p3),   QString::fromUtf8(pause), QString::fromUtf8(count)};
}

QList<Tone> beep440() {
    return {{440, 200}};
}

QList<Tone> putDown() {
    return {{425, 25}, {450, 25}, {475, 25}, {440, 40}, {380, 40},
            {320, 40}, {260, 40}, {200, 40}, {100, 100}};
}

struct ExpectedStep {
    QList<Tone> tones;
    int interval;
    int redBox;
    int run;
};

QString describe(const Step& s) {
    QString out = QStringLiteral("tones");
    for (const Tone& t : s.tones)
        out += u' ' + QString::number(t.hz) + u'/' + QString::number(t.ms);
    return out +
           QStringLiteral(" interval %1 red %2 run %3").arg(s.interval).arg(s.redBox).arg(s.run);
}

QString describe(const ExpectedStep& s) {
    return describe(Step{s.tones, s.interval, s.redBox, s.run});
}

QColor white() {
    return QColor(255, 255, 255);
}
QColor red() {
    return QColor(176, 0, 0);
}

const QString kNotANumber = QStringLiteral("Bitte eine Zahl eingeben.");
const QString kOutOfRange = QStringLiteral("Bitte mindestens 0,001s und maximal 65,5s verwenden.");

} // namespace

namespace ankerblick::tone {
char* toString(const Tone& t) {
    return QTest::toString(QStringLiteral("%1 Hz %2 ms").arg(t.hz).arg(t.ms));
}
} // namespace ankerblick::tone

Q_DECLARE_METATYPE(QList<ExpectedStep>)
Q_DECLARE_METATYPE(BoxTexts)
Q_DECLARE_METATYPE(BoxProblem)

class TestRhythm : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<RecordingTones> m_tones;
    ScriptedDialogs m_dialogs;
    MemorySettings m_settings;
    std::unique_ptr<RhythmusTrainingshilfeForm> m_form;
    std::unique_ptr<WindowDriver> m_drive;

    QLineEdit* box(int i) const {
        return m_drive->child<QLineEdit>(QStringLiteral("ZeitTxt(%1)").arg(i));
    }
    QTimer* timer() const { return m_form->findChild<QTimer*>(QStringLiteral("Timer1")); }
    QColor colourOf(int i) const { return box(i)->palette().color(QPalette::Base); }
    // The one red box, kNoBox when all are white; -2 for any other colouring.
    int redBoxShown() const {
        int redOne = kNoBox;
        for (int i = 0; i < kBoxCount; ++i) {
            // White digits on the red, black ones on the white.
            const QColor c = colourOf(i);
            const QColor text = box(i)->palette().color(QPalette::Text);
            if (c == red() && text == white() && redOne == kNoBox)
                redOne = i;
            else if (c != white() || text != QColor(Qt::black))
                return -2;
        }
        return redOne;
    }
    void setBoxes(const BoxTexts& texts) {
        for (int i = 0; i < kBoxCount; ++i)
            box(i)->setText(texts[size_t(i)]);
    }
    // Polls closely, so that the test sees a phase while it runs.
    bool waitForTones(qsizetype count, int timeoutMs = 5000) {
        QElapsedTimer t;
        t.start();
        while (m_tones->played.size() < count && t.elapsed() < timeoutMs)
            QTest::qWait(2);
        return m_tones->played.size() == count;
    }
    bool waitUntilIdle(int timeoutMs = 10000) {
        QElapsedTimer t;
        t.start();
        while (timer()->isActive() && t.elapsed() < timeoutMs)
            QTest::qWait(5);
        return !timer()->isActive();
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void init() {
        m_tones = std::make_unique<RecordingTones>();
        m_dialogs = ScriptedDialogs();
        m_settings.clear();
        m_form = std::make_unique<RhythmusTrainingshilfeForm>(*m_tones, m_dialogs, m_settings);
        m_drive = std::make_unique<WindowDriver>(m_form.get());
        m_tones->redBoxNow = [this] {
            return redBoxShown();
        };
        m_tones->timerRunningNow = [this] {
            return timer()->isActive();
        };
        m_tones->statusNow = [this] {
            return m_drive->child<QLabel>(QStringLiteral("RhythmusStatus"))->text();
        };
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    // The times of the last start come back in the next window, if every one
    // of them would pass the box's checks.
    void keptTimes_data() {
        QTest::addColumn<QVariant>("kept");
        QTest::addColumn<QStringList>("shown");
        const auto times = [](const char* spaced) {
            return QString::fromUtf8(spaced).split(u' ');
        };
        const QStringList first = times("10 8 3 2 40 10");
        const QStringList typed = times("5 6,5 2 1 30 3");
        QTest::newRow("started") << QVariant(typed) << typed;
        QTest::newRow("nothing kept") << QVariant() << first;
        QTest::newRow("five times") << QVariant(typed.mid(1)) << first;
        QTest::newRow("not a number") << QVariant(times("5 x 2 1 30 3")) << first;
        QTest::newRow("out of range") << QVariant(times("5 70 2 1 30 3")) << first;
        QTest::newRow("one text") << QVariant(QStringLiteral("5")) << first;
    }
    void keptTimes() {
        QFETCH(QVariant, kept);
        QFETCH(QStringList, shown);
        if (QTest::currentDataTag() == QByteArrayLiteral("started")) {
            // Kept by a start in the window before.
            setBoxes({shown[0], shown[1], shown[2], shown[3], shown[4], shown[5]});
            m_drive->child<QPushButton>(QStringLiteral("Start"))->click();
            m_drive->child<QPushButton>(QStringLiteral("Stop"))->click();
        } else {
            m_settings.put(QStringLiteral("rhythmus/zeiten"), kept);
        }
        m_drive.reset();
        m_form = std::make_unique<RhythmusTrainingshilfeForm>(*m_tones, m_dialogs, m_settings);
        m_drive = std::make_unique<WindowDriver>(m_form.get());
        QStringList texts;
        for (int i = 0; i < kBoxCount; ++i)
            texts << box(i)->text();
        QCOMPARE(texts, shown);
    }

    void cleanup() {
        m_drive.reset();
        m_form.reset();
        m_tones.reset();
    }

    // --- the steps of the rhythm ---

    void intervalOfBox_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("whole seconds") << QStringLiteral("10") << 10000;
        QTest::newRow("half a second with comma") << QStringLiteral("0,5") << 500;
        QTest::newRow("shortest") << QStringLiteral("0,001") << 1;
        QTest::newRow("longest") << QStringLiteral("65,535") << 65535;
        QTest::newRow("2.5 ms to even 2") << QStringLiteral("0,0025") << 2;
        QTest::newRow("3.5 ms to even 4") << QStringLiteral("0,0035") << 4;
        QTest::newRow("2002.5 ms to even 2002") << QStringLiteral("2,0025") << 2002;
        QTest::newRow("blanks around") << QStringLiteral(" 8 ") << 8000;
        QTest::newRow("0 while typed never stalls the timer") << QStringLiteral("0") << 1;
        QTest::newRow("negative kept at 1 ms") << QStringLiteral("-3") << 1;
        QTest::newRow("70 kept at the timer's limit") << QStringLiteral("70") << 65535;
        QTest::newRow("not a number counts as 10 s") << QStringLiteral("abc") << 10000;
        QTest::newRow("empty counts as 10 s") << QString() << 10000;
        QTest::newRow("point is no decimal separator") << QStringLiteral("0.5") << 10000;
    }
    void intervalOfBox() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(intervalOf(text, QLocale()), expected);
    }

    void stepsOfTheRhythm_data() {
        QTest::addColumn<BoxTexts>("texts");
        QTest::addColumn<QList<ExpectedStep>>("expected");

        // The run each phase belongs to: the lead time to the first, the
        // pause to the run it ends, 0 once idle.
        QTest::newRow("two runs") << boxes("1", "2", "3", "4", "5", "2")
                                  << QList<ExpectedStep>{
                                         {{}, 1000, 0, 1},        {beep440(), 2000, 1, 1},
                                         {beep440(), 3000, 2, 1}, {beep440(), 4000, 3, 1},
                                         {putDown(), 5000, 4, 1}, {beep440(), 2000, 1, 2},
                                         {beep440(), 3000, 2, 2}, {beep440(), 4000, 3, 2},
                                         {putDown(), 5000, 4, 2}, {{}, 0, kNoBox, 0}};
        QTest::newRow("one run, fractional times")
            << boxes("0,25", "0,0015", "0,002", "1,5", "65,535", "1")
            << QList<ExpectedStep>{{{}, 250, 0, 1},          {beep440(), 2, 1, 1},
                                   {beep440(), 2, 2, 1},     {beep440(), 1500, 3, 1},
                                   {putDown(), 65535, 4, 1}, {{}, 0, kNoBox, 0}};
        QTest::newRow("count 1,5 gives one complete run")
            << boxes("1", "2", "3", "4", "5", "1,5")
            << QList<ExpectedStep>{{{}, 1000, 0, 1},        {beep440(), 2000, 1, 1},
                                   {beep440(), 3000, 2, 1}, {beep440(), 4000, 3, 1},
                                   {putDown(), 5000, 4, 1}, {{}, 0, kNoBox, 0}};
        QTest::newRow("count below 1 ends after phase 1")
            << boxes("1", "2", "3", "4", "5", "0,5")
            << QList<ExpectedStep>{{{}, 1000, 0, 1}, {beep440(), 2000, 1, 1}, {{}, 0, kNoBox, 0}};
    }
    void stepsOfTheRhythm() {
        QFETCH(BoxTexts, texts);
        QFETCH(QList<ExpectedStep>, expected);

        RhythmSequence seq{QLocale()};
        QList<Step> got{seq.start(texts)};
        while (seq.interval() != 0 && got.size() <= expected.size())
            got << seq.tick(texts);
        QCOMPARE(got.size(), expected.size());
        for (qsizetype i = 0; i < got.size(); ++i)
            QCOMPARE(describe(got.at(i)), describe(expected.at(i)));
        // An ended sequence stays idle.
        QCOMPARE(describe(seq.tick(texts)), describe(ExpectedStep{{}, 0, kNoBox, 0}));
    }

    // The range commands of the timed pistol series, in ms from "Achtung":
    // the targets face 7 s after it; a duel shot is 7 s away and 3 s facing.
    void rangeCommandsOfTimedSeries_data() {
        QTest::addColumn<bool>("duel");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QList<int>>("at");
        QTest::addColumn<int>("seriesMs");
        QTest::newRow("rapid fire 4 s") << false << 4 << QList<int>{0, 7000, 11000} << 4000;
        QTest::newRow("standard 150 s") << false << 150 << QList<int>{0, 7000, 157000} << 150000;
        QTest::newRow("duel") << true << 0 << QList<int>{0,     7000,  10000, 17000, 20000, 27000,
                                                         30000, 37000, 40000, 47000, 50000}
                              << 43000;
    }
    void rangeCommandsOfTimedSeries() {
        QFETCH(bool, duel);
        QFETCH(int, seconds);
        QFETCH(QList<int>, at);
        const TimedSeries series{seconds, duel};
        QList<int> times;
        QList<RangeSignal> signalList;
        for (const RangeCommand& c : rangeCommands(series)) {
            times << c.atMs;
            signalList << c.signal;
        }
        QCOMPARE(times, at);
        QCOMPARE(signalList.first(), RangeSignal::Attention);
        for (qsizetype i = 1; i < signalList.size(); ++i)
            QCOMPARE(signalList.at(i), i % 2 ? RangeSignal::Start : RangeSignal::Stop);
        QTEST(seriesTimeMs(series), "seriesMs");
    }

    // The three-position programs change position after each third of the shots.
    void positionsOfThreePositionPrograms_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("shot");
        QTest::addColumn<QString>("position");
        QTest::newRow("3x20 first") << u"KK 3×20"_s << 0 << u"Kniend"_s;
        QTest::newRow("3x20 20th") << u"KK 3×20"_s << 19 << u"Kniend"_s;
        QTest::newRow("3x20 21st") << u"KK 3×20"_s << 20 << u"Liegend"_s;
        QTest::newRow("3x20 60th") << u"KK 3×20"_s << 59 << u"Stehend"_s;
        QTest::newRow("3x40 41st") << u"KK 3×40"_s << 40 << u"Liegend"_s;
        QTest::newRow("3x40 81st") << u"KK 3×40"_s << 80 << u"Stehend"_s;
        QTest::newRow("prone") << u"KK liegend 60"_s << 30 << QString();
    }
    void positionsOfThreePositionPrograms() {
        QFETCH(QString, program);
        QFETCH(int, shot);
        for (const MatchProgram& p : matchPrograms())
            if (p.name == program) {
                QTEST(p.position(shot), "position");
                return;
            }
        QFAIL("no such program");
    }

    void boxesAreReadAtEveryStep() {
        BoxTexts texts = boxes("1", "2", "3", "4", "5", "3");
        RhythmSequence seq{QLocale()};
        seq.start(texts);
        seq.tick(texts);
        texts[2] = QStringLiteral("0,75");
        QCOMPARE(seq.tick(texts).interval, 750);
        // Lowering the count below the running run ends it after this phase.
        texts[kCountBox] = QStringLiteral("0,5");
        const Step last = seq.tick(texts);
        QCOMPARE(last.tones, beep440());
        QCOMPARE(last.redBox, 3);
        QCOMPARE(describe(seq.tick(texts)), describe(ExpectedStep{{}, 0, kNoBox, 0}));
    }

    void boxChecks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<BoxProblem>("whileEditing");
        QTest::addColumn<BoxProblem>("onLeaving");
        QTest::newRow("0,5") << QStringLiteral("0,5") << BoxProblem::None << BoxProblem::None;
        QTest::newRow("0,001") << QStringLiteral("0,001") << BoxProblem::None << BoxProblem::None;
        QTest::newRow("65,535") << QStringLiteral("65,535") << BoxProblem::None << BoxProblem::None;
        QTest::newRow("0") << QStringLiteral("0") << BoxProblem::None << BoxProblem::OutOfRange;
        QTest::newRow("0,0009") << QStringLiteral("0,0009") << BoxProblem::None
                                << BoxProblem::OutOfRange;
        QTest::newRow("65,536") << QStringLiteral("65,536") << BoxProblem::None
                                << BoxProblem::OutOfRange;
        QTest::newRow("70") << QStringLiteral("70") << BoxProblem::None << BoxProblem::OutOfRange;
        QTest::newRow("-1") << QStringLiteral("-1") << BoxProblem::None << BoxProblem::OutOfRange;
        QTest::newRow("0, while typing 0,5")
            << QStringLiteral("0,") << BoxProblem::None << BoxProblem::OutOfRange;
        QTest::newRow("empty") << QString() << BoxProblem::NotANumber << BoxProblem::NotANumber;
        QTest::newRow("abc") << QStringLiteral("abc") << BoxProblem::NotANumber
                             << BoxProblem::NotANumber;
        QTest::newRow("1.5 in a German locale")
            << QStringLiteral("1.5") << BoxProblem::NotANumber << BoxProblem::NotANumber;
    }
    void boxChecks() {
        QFETCH(QString, text);
        QFETCH(BoxProblem, whileEditing);
        QFETCH(BoxProblem, onLeaving);
        QCOMPARE(checkWhileEditing(text, QLocale()), whileEditing);
        QCOMPARE(checkOnLeaving(text, QLocale()), onLeaving);
    }

    // --- the window ---

    void windowShowsTheTimes() {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Rhythmus Trainingshilfe"));
        QVERIFY(m_form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        const QStringList initial{QStringLiteral("10"), QStringLiteral("8"),  QStringLiteral("3"),
                                  QStringLiteral("2"),  QStringLiteral("40"), QStringLiteral("10")};
        for (int i = 0; i < kBoxCount; ++i) {
            QCOMPARE(box(i)->text(), initial.at(i));
            QCOMPARE(colourOf(i), white());
            if (i > 0) // in reading order: left to right, row by row
                QVERIFY(box(i)->y() > box(i - 1)->y() ||
                        (box(i)->y() == box(i - 1)->y() && box(i)->x() > box(i - 1)->x()));
        }
        QVERIFY(m_drive->button("Start")->isVisible());
        QVERIFY(m_drive->button("Stop")->isVisible());
        QVERIFY(!timer()->isActive());
        QCOMPARE(timer()->interval(), 0);
    }

    void twoRunsSoundInOrder() {
        // Distinct short times: lead 30 ms, phases 50, 20, 40 ms, pause 60 ms.
        setBoxes(boxes("0,03", "0,05", "0,02", "0,04", "0,06", "2"));
        const QSize size = m_form->size();
        m_drive->press("Start");
        QCOMPARE(redBoxShown(), 0);
        QVERIFY(timer()->isActive());
        QCOMPARE(timer()->interval(), 30);
        QVERIFY(waitUntilIdle());

        QList<Tone> expectedTones;
        QList<int> expectedRed;
        for (int run = 0; run < 2; ++run) {
            // Each tone sounds while the box of the time just ended is still red.
            expectedTones << beep440() << beep440() << beep440() << putDown();
            expectedRed << (run == 0 ? 0 : 4) << 1 << 2;
            for (qsizetype i = 0; i < putDown().size(); ++i)
                expectedRed << 3;
        }
        QCOMPARE(m_tones->tones(), expectedTones);
        QCOMPARE(m_tones->redBoxes(), expectedRed);
        // Below the boxes the time just ended and its run, as each signal sounds.
        QStringList statuses;
        for (const RecordingTones::Played& p : m_tones->played)
            statuses << p.status;
        QStringList expectedStatus;
        for (const char* run : {"1", "2"}) {
            const QString of = u" – Durchlauf "_s + QString::fromLatin1(run) + u" von 2"_s;
            expectedStatus << (run[0] == '1' ? u"Vorlaufzeit – Durchlauf 1 von 2"_s
                                             : u"Pause – Durchlauf 1 von 2"_s)
                           << u"Bis Halteraum"_s + of << u"Bis Schuss"_s + of;
            for (qsizetype i = 0; i < putDown().size(); ++i)
                expectedStatus << u"Toleranz bis Absetzen"_s + of;
        }
        QCOMPARE(statuses, expectedStatus);
        QCOMPARE(m_drive->child<QLabel>(QStringLiteral("RhythmusStatus"))->text(), u"Bereit"_s);
        QCOMPARE(m_form->size(), size); // the changing line never resizes the window

        // Every time runs to its end before the next signal, and starts only
        // once its signal has sounded: the signals do not overlap, and the
        // rhythm does not run ahead by their length.
        const QList<RecordingTones::Played>& p = m_tones->played;
        for (const RecordingTones::Played& played : p)
            QVERIFY(!played.timerRunning);
        const int opening[] = {0, 1, 2, 3, 12, 13, 14, 15};
        const int waitBefore[] = {30, 50, 20, 40, 60, 50, 20, 40};
        for (int k = 0; k < 8; ++k) {
            int sounding = 0;
            for (int i = k == 0 ? 0 : opening[k - 1]; i < opening[k]; ++i)
                sounding += p.at(i).tone.ms;
            const qint64 previous = k == 0 ? 0 : p.at(opening[k - 1]).atMs;
            const qint64 gap = p.at(opening[k]).atMs - previous;
            QVERIFY2(gap >= sounding + waitBefore[k] - 1,
                     qPrintable(QStringLiteral("signal %1 came after %2 ms").arg(k).arg(gap)));
        }

        QCOMPARE(redBoxShown(), kNoBox);
        QCOMPARE(timer()->interval(), 0);
        QVERIFY(m_dialogs.asked.isEmpty());
    }

    void countBelowOneEndsAfterPhaseOne() {
        setBoxes(boxes("0,02", "0,5", "0,02", "0,02", "0,02", "0,5"));
        m_drive->press("Start");
        QVERIFY(waitForTones(1));
        // Phase 1's time runs with its box red once its tone has sounded.
        QTRY_COMPARE(redBoxShown(), 1);
        QVERIFY(timer()->isActive());
        QCOMPARE(timer()->interval(), 500);
        QVERIFY(waitUntilIdle());
        QCOMPARE(m_tones->tones(), beep440());
        QCOMPARE(m_tones->redBoxes(), QList<int>{0});
        QCOMPARE(redBoxShown(), kNoBox);
    }

    void stopMidRunSilencesTheRest_data() {
        QTest::addColumn<int>("redWhenStopped");
        QTest::newRow("while phase 1 runs") << 1;
        QTest::newRow("while the tone opening phase 1 sounds") << 0;
    }
    void stopMidRunSilencesTheRest() {
        QFETCH(int, redWhenStopped);
        setBoxes(boxes("0,02", "0,3", "0,02", "0,02", "0,02", "3"));
        m_drive->press("Start");
        QVERIFY(waitForTones(1));
        // The box of the lead time stays red until the tone has sounded.
        QTRY_COMPARE(redBoxShown(), redWhenStopped);
        m_drive->press("Stop");
        // No box turns red again, not even when the tone ends.
        QElapsedTimer watched;
        watched.start();
        while (watched.elapsed() < 500) {
            QCOMPARE(redBoxShown(), kNoBox);
            QTest::qWait(5);
        }
        QVERIFY(waitUntilIdle());
        QCOMPARE(m_tones->played.size(), qsizetype(1));
        QCOMPARE(redBoxShown(), kNoBox);
        QVERIFY(!timer()->isActive());
    }

    void startWhileRunningRestarts() {
        setBoxes(boxes("0,05", "5", "0,02", "0,02", "0,02", "3"));
        m_drive->press("Start");
        QVERIFY(waitForTones(1));
        QTRY_COMPARE(redBoxShown(), 1);
        m_drive->press("Start");
        QCOMPARE(redBoxShown(), 0);
        QCOMPARE(timer()->interval(), 50);
        // The next signal ends the new lead time and opens phase 1 again.
        QVERIFY(waitForTones(2));
        QCOMPARE(m_tones->redBoxes(), (QList<int>{0, 0}));
        QTRY_COMPARE(redBoxShown(), 1);
        QCOMPARE(timer()->interval(), 5000);
        m_drive->press("Stop");
    }

    void closingEndsTheRhythm() {
        setBoxes(boxes("0,02", "0,3", "0,02", "0,02", "0,02", "3"));
        m_drive->press("Start");
        QVERIFY(waitForTones(1));
        m_form->close();
        QVERIFY(!timer()->isActive());
        QTest::qWait(400);
        QCOMPARE(m_tones->played.size(), qsizetype(1));
        QCOMPARE(redBoxShown(), kNoBox);
        QCOMPARE(box(1)->text(), QStringLiteral("0,3"));
    }

    // Known when the window opened the output, the missing output is told
    // before the lead time runs, not during it.
    void noSoundOutputIsToldOnceAndTheRhythmGoesOn() {
        setBoxes(boxes("0,02", "0,02", "0,02", "0,02", "0,02", "1"));
        m_tones->noOutput = true;
        m_drive->press("Start");
        QCOMPARE(m_dialogs.messages(), QStringList{noSoundOutputMessage()});
        QVERIFY(waitUntilIdle());
        QTRY_COMPARE(m_dialogs.messages(), QStringList{noSoundOutputMessage()});
        QCOMPARE(m_tones->played.size(), qsizetype(3 + putDown().size()));
    }

    void typingIntoABox_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed"); // after all text is selected; \b deletes
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("0,5 is half a second")
            << 1 << QStringLiteral("0,5") << QStringLiteral("0,5") << QStringList();
        QTest::newRow("65,535 is the longest")
            << 4 << QStringLiteral("65,535") << QStringLiteral("65,535") << QStringList();
        QTest::newRow("0 rejected on leaving")
            << 2 << QStringLiteral("0") << QStringLiteral("10") << QStringList{kOutOfRange};
        QTest::newRow("70 rejected on leaving")
            << 4 << QStringLiteral("70") << QStringLiteral("10") << QStringList{kOutOfRange};
        QTest::newRow("0,0009 rejected on leaving")
            << 0 << QStringLiteral("0,0009") << QStringLiteral("10") << QStringList{kOutOfRange};
        QTest::newRow("count 0 rejected on leaving")
            << 5 << QStringLiteral("0") << QStringLiteral("10") << QStringList{kOutOfRange};
        QTest::newRow("emptied box falls back to 10")
            << 3 << QStringLiteral("\b") << QStringLiteral("10") << QStringList{kNotANumber};
        // Every letter makes the text no number again.
        QTest::newRow("abc falls back to 10") << 1 << QStringLiteral("abc") << QStringLiteral("10")
                                              << QStringList{kNotANumber, kNotANumber, kNotANumber};
    }
    void typingIntoABox() {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(QStringList, messages);

        QLineEdit* edit = box(index);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : typed) {
            if (c == u'\b')
                QTest::keyClick(edit, Qt::Key_Backspace);
            else
                QTest::keyClicks(edit, QString(c));
        }
        // Leave the box for the next one.
        QTest::keyClick(edit, Qt::Key_Tab);
        QTRY_VERIFY(!edit->hasFocus());
        QCOMPARE(edit->text(), expected);
        QCOMPARE(m_dialogs.messages(), messages);
    }

    void windowGoingAwayWhileTypingAsksNothing() {
        QLineEdit* edit = box(4);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QStringLiteral("70"));
        m_drive.reset();
        m_form.reset();
        QVERIFY(m_dialogs.asked.isEmpty());
    }

    void showRhythmWindowCreatesItOnce() {
        auto holder = std::make_unique<RhythmWindow>(*m_tones, m_dialogs, m_settings);
        QVERIFY(!holder->window());
        RhythmusTrainingshilfeForm* first = holder->show();
        QVERIFY(first);
        QVERIFY(first != m_form.get());
        QVERIFY(first->isVisible());
        QVERIFY(first->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QPointer<RhythmusTrainingshilfeForm> watch(first);
        first->close();
        QCOMPARE(holder->show(), first);
        QVERIFY(first->isVisible());
        holder->unload();
        QVERIFY(watch.isNull());
        RhythmusTrainingshilfeForm* second = holder->show();
        QVERIFY(second);
        QVERIFY(second->isVisible());
        // The window goes with its holder.
        QPointer<RhythmusTrainingshilfeForm> watchSecond(second);
        holder.reset();
        QVERIFY(watchSecond.isNull());
    }

    // Every opening of the window opens the sound output, before Start and
    // so before the first tone is due.
    void openingPreparesTheSoundOutput_data() {
        QTest::addColumn<int>("openings");
        QTest::newRow("opened") << 1;
        QTest::newRow("opened again after closing") << 2;
    }
    void openingPreparesTheSoundOutput() {
        QFETCH(int, openings);
        RecordingTones tones;
        RhythmWindow holder(tones, m_dialogs, m_settings);
        QCOMPARE(tones.prepared, 0);
        for (int i = 0; i < openings; ++i) {
            if (holder.window())
                holder.window()->close();
            holder.show();
        }
        QCOMPARE(tones.prepared, openings);
        QVERIFY(tones.played.isEmpty());
    }
};

QTEST_MAIN(TestRhythm)
#include "tst_rhythm.moc"
