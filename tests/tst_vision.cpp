// Finding the face and its new holes in rendered camera pictures: a face
// drawn at its real size, seen through a known homography, with noise and
// blur; the expected positions are the ones the test draws.

#include "support/renderedface.h"
#include "vision/facefinder.h"
#include "vision/holedetector.h"

#include <opencv2/imgproc.hpp>

#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace ankerblick;
using namespace ankerblick::test;

class TstVision : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findsFace_data();
    void findsFace();
    void reportsHoles_data();
    void reportsHoles();
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

QTEST_GUILESS_MAIN(TstVision)
#include "tst_vision.moc"
