// Finding the face and its new holes in rendered camera pictures, and all
// holes in rendered photos: a face drawn at its real size, seen through a
// known homography, with noise and blur (the photos also in uneven light and
// stored as JPEG); the expected positions are the ones the test draws.

#include "support/renderedface.h"
#include "support/renderedphoto.h"
#include "vision/facefinder.h"
#include "vision/holedetector.h"
#include "vision/photoholes.h"

#include <QTemporaryDir>

#include <opencv2/imgproc.hpp>

#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace ankerblick;
using namespace ankerblick::test;

Q_DECLARE_METATYPE(std::vector<ankerblick::test::Hole>)

namespace {

std::vector<Hole> joined(std::initializer_list<std::vector<Hole>> parts) {
    std::vector<Hole> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace

class TstVision : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findsFace_data();
    void findsFace();
    void reportsHoles_data();
    void reportsHoles();
    void findsPhotoHoles_data();
    void findsPhotoHoles();
    void namesPhotoProblems_data();
    void namesPhotoProblems();
};

void TstVision::findsFace_data() {
    QTest::addColumn<int>("discipline");
    QTest::addColumn<double>("pxPerMm");
    QTest::addColumn<double>("tilt");
    QTest::addColumn<double>("roll");
    QTest::newRow("LP straight") << int(Discipline::LP) << 5.0 << 0.0 << 0.0;
    QTest::newRow("LP tilted 20") << int(Discipline::LP) << 5.0 << 20.0 << 0.0;
    QTest::newRow("LP tilted 30, turned 3") << int(Discipline::LP) << 5.0 << 30.0 << 3.0;
    QTest::newRow("LG straight, turned -4") << int(Discipline::LG10m) << 10.0 << 0.0 << -4.0;
    QTest::newRow("LG tilted 30") << int(Discipline::LG10m) << 10.0 << 30.0 << 0.0;
}

void TstVision::findsFace() {
    QFETCH(int, discipline);
    QFETCH(double, pxPerMm);
    QFETCH(double, tilt);
    QFETCH(double, roll);
    const DisciplineInfo& d = *disciplineInfo(discipline);
    const cv::Matx33d toPicture = mmToPicture(pxPerMm, tilt, roll);
    cv::Mat bgr;
    cv::cvtColor(noisy(picture(renderFace(d, {}), toPicture), 1), bgr, cv::COLOR_GRAY2BGR);
    const FaceInPicture face = findFace(bgr, d);
    QVERIFY(face.found);
    const cv::Point2d centre = mapPoint(face.pictureToMm, mapPoint(toPicture, {0, 0}));
    QVERIFY2(cv::norm(centre) < 0.2, qPrintable(QString::number(cv::norm(centre))));
    // The top of the black, back in mm: the picture's up is taken as the
    // face's up, so a face turned in its plane comes back turned.
    const double r = roll * CV_PI / 180;
    const double rb = d.blackDiameterMm / 2;
    const cv::Point2d top = mapPoint(face.pictureToMm, mapPoint(toPicture, {0, rb}));
    const double error = cv::norm(top - cv::Point2d(-rb * std::sin(r), rb * std::cos(r)));
    QVERIFY2(error < 0.2, qPrintable(QString::number(error)));
}

void TstVision::reportsHoles_data() {
    QTest::addColumn<int>("discipline");
    QTest::addColumn<double>("pxPerMm");
    QTest::addColumn<double>("tilt");
    QTest::newRow("LP straight") << int(Discipline::LP) << 5.0 << 0.0;
    QTest::newRow("LP tilted 20") << int(Discipline::LP) << 5.0 << 20.0;
    QTest::newRow("LG tilted 30") << int(Discipline::LG10m) << 10.0 << 30.0;
}

void TstVision::reportsHoles() {
    QFETCH(int, discipline);
    QFETCH(double, pxPerMm);
    QFETCH(double, tilt);
    const DisciplineInfo& d = *disciplineInfo(discipline);
    const double rb = d.blackDiameterMm / 2;
    const cv::Matx33d toPicture = mmToPicture(pxPerMm, tilt, 0);
    const Hole first{{0.28 * rb, -0.17 * rb}, true};
    const Hole second{first.mm + cv::Point2d(2.6, 2.0), true}; // overlapping the first
    const Hole onWhite{{-0.97 * (rb + 4), 0.24 * (rb + 4)}, false};
    const Hole speck{{-0.4 * rb, 0.5 * rb}, true};

    const cv::Mat clean = picture(renderFace(d, {}), toPicture);
    const FaceInPicture face = findFace(noisy(clean, 1), d);
    QVERIFY(face.found);
    HoleDetector detector(face, d);

    struct Phase {
        cv::Mat shown;
        int frames;
        bool hand;
    };
    const cv::Mat one = picture(renderFace(d, {first}), toPicture);
    const cv::Mat two = picture(renderFace(d, {first, second}), toPicture);
    const std::vector<Phase> phases{
        {clean, 4, false},
        {picture(renderFace(d, {speck}), toPicture), 6, false}, // 200 ms
        {clean, 24, true},
        {one, 14, false},
        {two, 14, false},
        {picture(renderFace(d, {first, second, onWhite}), toPicture), 14, false},
        {255 - clean, 14, false},
    };
    const std::vector<std::vector<Hole>> expected{{}, {}, {}, {first}, {second}, {onWhite}, {}};
    qint64 time = 0;
    int seed = 0;
    const cv::Point2d centrePx = mapPoint(toPicture, {0, 0});
    for (size_t p = 0; p < phases.size(); ++p) {
        std::vector<VisionEvent> events;
        for (int i = 0; i < phases[p].frames; ++i, time += 40) {
            cv::Mat frame = noisy(phases[p].shown, seed++ % 5);
            if (phases[p].hand) // a hand passing over the face, resting on the way
                cv::ellipse(frame,
                            cv::Point(int(centrePx.x) - 400 + 60 * (std::min(i, 6) + std::max(0, i - 17)),
                                      int(centrePx.y) + 40),
                            cv::Size(90, 130), 20, 0, 360, 70, cv::FILLED);
            if (const auto event = detector.feed(frame, time))
                events.push_back(*event);
        }
        const bool newPaper = p + 1 == phases.size();
        QCOMPARE(events.size(), newPaper ? size_t(1) : expected[p].size());
        if (newPaper) {
            QCOMPARE(events[0].kind, VisionEvent::NewPaper);
            continue;
        }
        for (size_t i = 0; i < events.size(); ++i) {
            QCOMPARE(events[i].kind, VisionEvent::Hole);
            const double error = cv::norm(events[i].centreMm - expected[p][i].mm);
            QVERIFY2(error <= 0.1, qPrintable(QStringLiteral("hole %1: %2 mm off").arg(p).arg(error)));
        }
    }
}

void TstVision::findsPhotoHoles_data() {
    QTest::addColumn<int>("discipline");
    QTest::addColumn<double>("pxPerMm");
    QTest::addColumn<double>("tilt");
    QTest::addColumn<double>("roll");
    QTest::addColumn<std::vector<Hole>>("holes");
    QTest::addColumn<double>("largestMm"); // the largest centre error allowed
    // LP: black 59,5 mm, rings 5, 11,5, 27,5 and 43,5 mm in it; LG 10m:
    // black 30,5 mm, rings 0,5 to 25,5 mm in it, 35,5 to 45,5 mm on the card.
    // Shot 4,5 mm. Holes across ring lines, across the edge of the black (on
    // a light backing only its part in the black shows), on the card, and
    // groups of 2 to 5 whose neighbours are 1,6 to 3,2 mm apart.
    const auto lp = int(Discipline::LP);
    const auto lg = int(Discipline::LG10m);
    QTest::newRow("LP apart, straight")
        << lp << 8.0 << 0.0 << 0.0
        << std::vector<Hole>{{{0.3, -0.2}, true},   {{13.0, -4.0}, true}, {{-21.0, 8.0}, true},
                             {{2.0, -29.0}, true},  {{-38.0, -20.0}, false}, {{36.0, 25.0}, false}}
        << 0.3;
    QTest::newRow("LP groups of 2 and 3, tilted 30, turned 10")
        << lp << 8.0 << 30.0 << 10.0
        << joined({holeGroup({6.0, 5.0}, 2, 3.0, 20), holeGroup({-9.0, -7.0}, 3, 2.5, 75),
                   holeGroup({0.0, 19.0}, 1, 0, 0), holeGroup({-33.0, 30.0}, 1, 0, 0, false)})
        << 0.15;
    QTest::newRow("LP groups of 4 and 5, tilted 20, turned -25")
        << lp << 8.0 << 20.0 << -25.0
        << joined({holeGroup({3.0, -3.0}, 5, 2.4, 10), holeGroup({-14.0, 10.0}, 4, 2.2, 40),
                   holeGroup({38.0, -14.0}, 2, 3.2, -30, false)})
        << 0.15;
    QTest::newRow("LG apart, straight")
        << lg << 12.0 << 0.0 << 0.0
        << std::vector<Hole>{{{0.1, 0.2}, true},    {{5.0, -2.5}, true},   {{-9.5, 4.0}, true},
                             {{19.0, 6.0}, false},  {{-6.0, -21.0}, false}}
        << 0.1;
    QTest::newRow("LG groups of 2 and 3, tilted 30, turned -15")
        << lg << 12.0 << 30.0 << -15.0
        << joined({holeGroup({0.5, 0.5}, 3, 2.0, 5), holeGroup({-7.0, -6.0}, 2, 1.6, 60),
                   holeGroup({20.0, -8.0}, 1, 0, 0, false)})
        << 0.5;
    QTest::newRow("LG groups of 4 and 5, tilted 25, turned 30")
        << lg << 11.0 << 25.0 << 30.0
        << joined({holeGroup({-1.0, 1.5}, 5, 2.2, 0), holeGroup({7.5, -6.0}, 4, 2.0, 20)})
        << 0.3;
}

void TstVision::findsPhotoHoles() {
    QFETCH(int, discipline);
    QFETCH(double, pxPerMm);
    QFETCH(double, tilt);
    QFETCH(double, roll);
    QFETCH(std::vector<Hole>, holes);
    QFETCH(double, largestMm);
    const DisciplineInfo& d = *disciplineInfo(discipline);
    const cv::Mat shot = photo(d, holes, mmToPhoto(pxPerMm, tilt, roll), QTest::currentDataTag()[0]);
    const PhotoHoles found = findPhotoHoles(shot, d);
    QVERIFY2(!found.problem, qPrintable(found.problem.value_or(QString())));
    // The photo's up is the face's up: the drawn positions turned by the roll.
    const double r = roll * CV_PI / 180;
    std::vector<cv::Point2d> expected;
    for (const Hole& h : holes)
        expected.push_back({h.mm.x * std::cos(r) - h.mm.y * std::sin(r),
                            h.mm.x * std::sin(r) + h.mm.y * std::cos(r)});
    QString seen;
    for (const auto& c : found.holesMm)
        seen += QStringLiteral(" (%1, %2)").arg(c.x, 0, 'f', 2).arg(c.y, 0, 'f', 2);
    QVERIFY2(found.holesMm.size() == expected.size(),
             qPrintable(QStringLiteral("%1 holes found of %2:%3")
                            .arg(found.holesMm.size())
                            .arg(expected.size())
                            .arg(seen)));
    // Each drawn hole has its own found one nearby.
    std::vector<bool> taken(found.holesMm.size(), false);
    double worst = 0;
    double squares = 0;
    for (const auto& e : expected) {
        size_t best = 0;
        double nearest = 1e9;
        for (size_t i = 0; i < found.holesMm.size(); ++i)
            if (!taken[i] && cv::norm(found.holesMm[i] - e) < nearest) {
                nearest = cv::norm(found.holesMm[i] - e);
                best = i;
            }
        taken[best] = true;
        worst = std::max(worst, nearest);
        squares += nearest * nearest;
        QVERIFY2(nearest <= largestMm, qPrintable(QStringLiteral("hole at (%1, %2) found %3 mm off:%4")
                                                .arg(e.x)
                                                .arg(e.y)
                                                .arg(nearest)
                                                .arg(seen)));
    }
    int grouped = 0; // holes that overlap another
    for (const auto& e : expected)
        for (const auto& other : expected)
            if (&e != &other && cv::norm(e - other) < d.calibreMm) {
                ++grouped;
                break;
            }
    qInfo("%zu holes (%d in groups) all found, none false; centre error rms %.3f mm, largest %.3f mm",
          expected.size(), grouped, std::sqrt(squares / double(expected.size())), worst);
}

void TstVision::namesPhotoProblems_data() {
    QTest::addColumn<QByteArray>("file"); // written to a file and read; empty: no file at all
    QTest::addColumn<QString>("problem");
    const DisciplineInfo& lp = *disciplineInfo(int(Discipline::LP));
    std::vector<uchar> blank;
    cv::imencode(".png", cv::Mat(kPhoto, CV_8UC3, cv::Scalar(200, 200, 200)), blank);
    std::vector<uchar> shot;
    cv::imencode(".jpg", photo(lp, {}, mmToPhoto(8, 0, 0), 1), shot);
    QTest::newRow("no file") << QByteArray() << QStringLiteral("lässt sich nicht öffnen");
    QTest::newRow("no picture") << QByteArray("Serie 1\r\n") << QStringLiteral("ist kein Bild");
    QTest::newRow("no face") << QByteArray(reinterpret_cast<const char*>(blank.data()), qsizetype(blank.size()))
                             << QStringLiteral("keine Scheibe „LP“ zu erkennen");
    QTest::newRow("a face without holes")
        << QByteArray(reinterpret_cast<const char*>(shot.data()), qsizetype(shot.size())) << QString();
}

void TstVision::namesPhotoProblems() {
    QFETCH(QByteArray, file);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("foto.jpg"));
    if (!file.isEmpty()) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
    }
    const PhotoHoles found = readPhotoHoles(path, *disciplineInfo(int(Discipline::LP)));
    QCOMPARE(found.problem.has_value(), !problem.isEmpty());
    if (found.problem)
        QVERIFY2(found.problem->contains(problem), qPrintable(*found.problem));
    QVERIFY(found.holesMm.empty());
}

QTEST_GUILESS_MAIN(TstVision)
#include "tst_vision.moc"
