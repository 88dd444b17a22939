#include "sheets/aimsheet.h"
#include "sheets/entrysheet.h"
#include "support/fakeclock.h"

#include <QLocale>
#include <QTest>

#include <memory>

using namespace ankerblick;
using namespace Qt::StringLiterals;

namespace {

// The slots of every listed series, '|' between series: 'S' a hit with its
// call, 'h' a hit without call, 'c' a call awaiting its hit, '.' empty.
QString slotsOf(const TargetSheet& sheet) {
    QStringList series;
    for (int n = 1; n <= sheet.seriesCount(); ++n) {
        const SeriesRecord& r = sheet.store()[n];
        QString slots;
        for (int i = 0; i < kShotsPerSeries; ++i)
            slots += r.hasShot(i) ? (r.hasCall(i) ? u'S' : u'h') : (r.hasCall(i) ? u'c' : u'.');
        series.append(slots);
    }
    return series.join(u'|');
}

// One input of a script: 'P' a click of the pointer, 'H' a hit from a
// source outside ('Q' one it was unsure of, 'A' one added by hand, 'S' one
// its device calls a sighter, 'G' one it calls a match shot and values 10,3), 'E' / 'e' that source
// starts / stops, 'N' "Weitere Serie", 'U' "Rückgängig"; the shooter corrects the first hit of the
// newest series: 'M' moved onto the centre, 'R' taken out. The n-th click lands 3 units right of
// the centre per n, the n-th outside hit 2 units below it per n.
void play(TargetSheet& sheet, test::FakeClock& clock, const QString& script) {
    int clicks = 0;
    int hits = 0;
    for (QChar input : script) {
        clock.advance(1000);
        if (input == u'P') {
            const float x = 244.0f + 3.0f * float(++clicks);
            sheet.mouseMove(x, 228.0f);
            sheet.mousePress(MouseButton::Left);
            QVERIFY(sheet.mouseRelease(MouseButton::Left, x, 228.0f));
        } else if (input == u'H' || input == u'Q' || input == u'A' || input == u'S' ||
                   input == u'G') {
            const HitCheck check = input == u'Q'   ? HitCheck::Doubtful
                                   : input == u'A' ? HitCheck::Added
                                                   : HitCheck::Sure;
            ArrivedHit hit{{244.0f, 228.0f + 2.0f * float(++hits)}, clock.now, check};
            if (input == u'S' || input == u'G') { // as the intake does with the device's word
                hit.sighter = input == u'S';
                sheet.followSighter(*hit.sighter);
            }
            if (input == u'G')
                hit.deviceValue = 10.3;
            QVERIFY(sheet.receiveHit(hit));
        } else if (input == u'M' || input == u'R') {
            const std::optional<PointF> to =
                input == u'M' ? std::optional<PointF>(PointF{244.0f, 228.0f}) : std::nullopt;
            sheet.correctHit({sheet.seriesCount(), 0}, to);
        } else if (input == u'E' || input == u'e') {
            sheet.setExternalSource(input == u'E');
        } else if (input == u'N') {
            QVERIFY(sheet.nextSeries());
        } else {
            sheet.undo();
        }
    }
}

std::unique_ptr<TargetSheet> sheetFor(bool aim, const Clock& clock) {
    if (aim) {
        auto sheet = std::make_unique<AimSheet>(clock);
        sheet->load();
        return sheet;
    }
    auto sheet = std::make_unique<EntrySheet>(clock);
    sheet->load();
    return sheet;
}

// The sheet of the row's window ("aim") after the row's script.
std::unique_ptr<TargetSheet> playedRow(test::FakeClock& clock) {
    QFETCH(bool, aim);
    QFETCH(QString, script);
    std::unique_ptr<TargetSheet> sheet = sheetFor(aim, clock);
    play(*sheet, clock, script);
    return sheet;
}

QString markText(const Mark& m) {
    return u"%1,%2,%3,%4,%5,%6/%7/%8,%9/%10/%11"_s.arg(m.box.left)
        .arg(m.box.top)
        .arg(m.box.width)
        .arg(m.box.height)
        .arg(m.box.visible)
        .arg(m.fill.r)
        .arg(m.fill.g)
        .arg(m.fill.b)
        .arg(m.border.r)
        .arg(m.border.g)
        .arg(m.border.b);
}

// Everything the aim-point window shows of its sheet and keeps of it.
QStringList observe(const AimSheet& sheet) {
    QStringList seen{slotsOf(sheet),
                     sheet.caption(),
                     sheet.shotList().join(u' '),
                     sheet.valueList().join(u' '),
                     sheet.rating().scores.join(u' '),
                     sheet.rating().total,
                     sheet.sums().tenths,
                     sheet.comments(),
                     sheet.times().shotTimesText(),
                     sheet.times().shootingTimesText()};
    seen << u"held %1 awaiting %2 active %3 cycle %4 modified %5 undo %6 next %7 selected %8"_s
                .arg(sheet.heldHitCount())
                .arg(sheet.awaitingCall())
                .arg(sheet.entryActive())
                .arg(sheet.displayCycle())
                .arg(sheet.modifiedSinceSave())
                .arg(sheet.canUndo())
                .arg(sheet.nextSeriesSignal())
                .arg(sheet.selectedSeries());
    for (const PointF& at : sheet.heldHits())
        seen << u"held at %1,%2"_s.arg(at.x).arg(at.y);
    for (int i = 0; i < kShotsPerSeries; ++i) {
        const LineF& l = sheet.lines()[size_t(i)];
        seen << markText(sheet.hits()[size_t(i)]) << markText(sheet.calls()[size_t(i)])
             << u"%1,%2,%3,%4,%5"_s.arg(l.x1).arg(l.y1).arg(l.x2).arg(l.y2).arg(l.visible);
    }
    return seen;
}

} // namespace

class TestSeriesDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // "Rückgängig" after a sequence of inputs: what the series hold then,
    // and the caption.
    void undoTakesBackOneStep_data() {
        QTest::addColumn<bool>("aim"); // the aim-point window, else the shot-entry window
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("slots");
        QTest::addColumn<QString>("caption");
        const QString held = u"Treffer erhalten – bitte Ansage eingeben"_s;
        QTest::newRow("aim: the call of the awaited hit")
            << true << u"PPPU"_s << u"S........."_s << u"Schuss: 2?"_s;
        QTest::newRow("aim: the last complete shot")
            << true << u"PPPPU"_s << u"S........."_s << u"Schuss: 2?"_s;
        QTest::newRow("aim: shot and call, back to nothing")
            << true << u"PPUU"_s << u".........."_s << u"Schuss: 1?"_s;
        QTest::newRow("aim: a finished series reopens")
            << true << u"PPPPPPPPPPPPPPPPPPPPU"_s << u"SSSSSSSSS."_s << u"Schuss: 10?"_s;
        QTest::newRow("aim, target: the newest call ahead")
            << true << u"EPPHU"_s << u"S........."_s << u"Schuss: 2?"_s;
        QTest::newRow("aim, target: both calls ahead, one by one")
            << true << u"EPPUU"_s << u".........."_s << u"Schuss: 1?"_s;
        QTest::newRow("aim, target: a held hit stays")
            << true << u"EHU"_s << u".........."_s << held;
        QTest::newRow("aim, target: a reported hit stays")
            << true << u"EPHU"_s << u"S........."_s << u"Schuss: 2?"_s;
        QTest::newRow("aim: no shot taken back while the target reports")
            << true << u"PPEU"_s << u"S........."_s << u"Schuss: 2?"_s;
        QTest::newRow("aim: nothing of an earlier series")
            << true << u"PPNU"_s << u"S.........|.........."_s << u"Schuss: 1?"_s;
        QTest::newRow("entry: the last hit")
            << false << u"PPPU"_s << u"hh........"_s << u"Schuss: 3!"_s;
        QTest::newRow("entry: hit by hit")
            << false << u"PPUU"_s << u".........."_s << u"Schuss: 1!"_s;
        QTest::newRow("entry: a hit from outside too")
            << false << u"EHHU"_s << u"h........."_s << u"Schuss: 2!"_s;
        QTest::newRow("entry: a finished series reopens")
            << false << u"PPPPPPPPPPU"_s << u"hhhhhhhhh."_s << u"Schuss: 10!"_s;
        QTest::newRow("entry: nothing of an earlier series")
            << false << u"PPNU"_s << u"hh........|.........."_s << u"Schuss: 1!"_s;
        QTest::newRow("entry: nothing entered")
            << false << u"U"_s << u".........."_s << u"Schuss: 1!"_s;
    }
    void undoTakesBackOneStep() {
        test::FakeClock clock;
        const std::unique_ptr<TargetSheet> sheet = playedRow(clock);
        QTEST(slotsOf(*sheet), "slots");
        QTEST(sheet->caption(), "caption");
        // The lists show the hits the record holds.
        QCOMPARE(sheet->shotList().size(), sheet->store()[sheet->seriesCount()].shotCount());
    }

    // A hit the source was unsure of is noted; the shooter moves or takes
    // out an entered hit, noted too, and "Rückgängig" takes it back. The
    // comments as the file writes them; the first hit's centre.
    void correctionsAreNoted_data() {
        QTest::addColumn<bool>("aim");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("slots");
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QString>("first");
        const QString check = u"Serie: 1 Schuss: 2: bitte prüfen\r\n"_s;
        const QString moved = u"Serie: 1 Schuss: 1: Treffer verschoben\r\n"_s;
        const QString removed = u"Serie: 1 Schuss: 0: Treffer 1 entfernt\r\n"_s;
        QTest::newRow("entry: an unsure hit")
            << false << u"EHQ"_s << u"hh........"_s << check << u"244,230"_s;
        QTest::newRow("aim: a hit added by hand, placed with its call")
            << true << u"EPHPA"_s << u"SS........"_s << u"Serie: 1 Schuss: 2: Treffer ergänzt\r\n"_s
            << u"244,230"_s;
        QTest::newRow("entry: sighters, then a match shot with the device's value")
            << false << u"ESSG"_s << u"hh........|h........."_s
            << u"Serie: 1 Schuss: 0: Probe\r\nSerie: 2 Schuss: 1: Wert der Scheibe: 10,3\r\n"_s
            << u"244,234"_s;
        // Called first: the first call's series takes the kind of its hit;
        // a shot called in a series with shots stays there, whatever its kind.
        QTest::newRow("aim: a sighter called first, then a match shot")
            << true << u"EPSPG"_s << u"SS........"_s
            << u"Serie: 1 Schuss: 0: Probe\r\nSerie: 1 Schuss: 2: Wert der Scheibe: 10,3\r\n"_s
            << u"244,230"_s;
        QTest::newRow("aim: a sighter called after a match shot")
            << true << u"EPGPS"_s << u"SS........"_s
            << u"Serie: 1 Schuss: 1: Wert der Scheibe: 10,3\r\n"_s << u"244,230"_s;
        QTest::newRow("entry: moved onto the centre")
            << false << u"EHQM"_s << u"hh........"_s << check + moved << u"244,228"_s;
        QTest::newRow("entry: an unsure hit moved is checked")
            << false << u"EQM"_s << u"h........."_s << moved << u"244,228"_s;
        QTest::newRow("entry: the move taken back")
            << false << u"EHQMU"_s << u"hh........"_s << check << u"244,230"_s;
        // The second hit moves up, with its note.
        QTest::newRow("entry: taken out")
            << false << u"EHQR"_s << u"h........."_s
            << u"Serie: 1 Schuss: 1: bitte prüfen\r\n"_s + removed << u"244,232"_s;
        QTest::newRow("entry: taken out and back")
            << false << u"PPPRU"_s << u"hhh......."_s << QString() << u"247,228"_s;
        QTest::newRow("entry: the next hit after one taken out")
            << false << u"PPRP"_s << u"hh........"_s << removed << u"250,228"_s;
        QTest::newRow("aim: taken out")
            << true << u"PPPPR"_s << u"S........."_s << removed << u"256,228"_s;
        QTest::newRow("aim: taken out and back")
            << true << u"PPPPRU"_s << u"SS........"_s << QString() << u"250,228"_s;
        QTest::newRow("aim: not while a call awaits its hit")
            << true << u"PPPR"_s << u"Sc........"_s << QString() << u"250,228"_s;
    }
    void correctionsAreNoted() {
        test::FakeClock clock;
        const std::unique_ptr<TargetSheet> sheet = playedRow(clock);
        QTEST(slotsOf(*sheet), "slots");
        QTEST(sheet->comments(), "comments");
        const PointF first = sheet->hits()[0].box.centre();
        QTEST(u"%1,%2"_s.arg(std::round(first.x)).arg(std::round(first.y)), "first");
        QCOMPARE(sheet->shotList().size(), sheet->store()[sheet->seriesCount()].shotCount());
    }

    // "Weitere Serie" on the document: the newest series is ended as the
    // entry leaves it and an empty one listed after it, noted while
    // sighting; a full list stays as it is.
    void startNextSeries_data() {
        QTest::addColumn<int>("listed");
        QTest::addColumn<bool>("sighting");
        QTest::addColumn<bool>("started");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("notes"); // series:shot:text of every comment
        QTest::newRow("training") << 1 << false << true << 2 << QString();
        QTest::newRow("sighting") << 3 << true << true << 4 << u"4:0:Probe"_s;
        QTest::newRow("list full") << 32767 << false << false << 32767 << QString();
        QTest::newRow("list full, sighting") << 32767 << true << false << 32767 << QString();
    }
    void startNextSeries() {
        QFETCH(int, listed);
        QFETCH(bool, sighting);
        QFETCH(bool, started);
        SeriesDocument doc;
        doc.replaceSeries(SeriesStore(), listed);
        doc.setSighting(sighting);
        SeriesRecord finished;
        finished.hitLeft[0] = 100;
        finished.hitTop[0] = 120;
        QCOMPARE(doc.startNextSeries(finished), started);
        QTEST(doc.seriesCount(), "count");
        QCOMPARE(doc.record(listed).hasShot(0), started);
        QCOMPARE(doc.store().contains(listed + 1), started);
        QStringList notes;
        for (const ShotNote& n : doc.comments())
            notes.append(u"%1:%2:%3"_s.arg(n.series).arg(n.shot).arg(n.text));
        QTEST(notes.join(u';'), "notes");
    }

    // A snapshot taken in the aim-point window, with hits held for their
    // calls or calls ahead of their hits, brings back exactly that state
    // after more was entered: the same as a sheet that never saw the rest,
    // now and after one more step.
    void snapshotBringsBackTheState_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");   // entered, then rolled back
        QTest::addColumn<QString>("further"); // entered on both sheets
        QTest::newRow("held hits, a call pairs one") << u"PPEHH"_s << u"P"_s << u"PP"_s;
        QTest::newRow("calls ahead, a hit comes") << u"PPEPP"_s << u"H"_s << u"HU"_s;
        QTest::newRow("calls ahead, undo") << u"EPPHP"_s << u"UU"_s << u"U"_s;
        QTest::newRow("pointer call, its hit") << u"PPP"_s << u"PNPP"_s << u"UP"_s;
    }
    void snapshotBringsBackTheState() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, further);
        test::FakeClock clock;
        AimSheet sheet(clock);
        sheet.load();
        play(sheet, clock, before);
        const TargetSheet::Snapshot snapshot = sheet.snapshot();
        const QStringList seen = observe(sheet);
        play(sheet, clock, after);
        QVERIFY(observe(sheet) != seen);
        sheet.restore(snapshot);
        QCOMPARE(observe(sheet), seen);

        test::FakeClock referenceClock;
        AimSheet reference(referenceClock);
        reference.load();
        play(reference, referenceClock, before);
        clock.now = referenceClock.now;
        play(sheet, clock, further);
        play(reference, referenceClock, further);
        QCOMPARE(observe(sheet), observe(reference));
    }
};

QTEST_APPLESS_MAIN(TestSeriesDocument)
#include "tst_seriesdocument.moc"
