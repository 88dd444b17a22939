// Finding the face and its new holes in rendered camera pictures: a face
// drawn at its real size, seen through a known homography, with noise and
// blur; the expected positions are the ones the test draws.

#include "vision/facefinder.h"
#include "vision/holedetector.h"

#include <opencv2/imgproc.hpp>

#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace ankerblick;

namespace {

constexpr double kCanvasPxPerMm = 10.0;
constexpr double kCanvasMm = 100.0;
constexpr double kFocalPx = 1100.0; // a webcam's 60 degrees across 1280 pixels
const cv::Size kPicture(1280, 720);

struct Hole {
    cv::Point2d mm;
    bool light; // light in the black, dark on the white
};

// Face millimetres to picture pixels: the face centre on the optical axis,
// turned by `rollDeg` in its plane and tilted by `tiltDeg` about the
// picture's horizontal axis, at the distance that shows `pxPerMm` there.
cv::Matx33d mmToPicture(double pxPerMm, double tiltDeg, double rollDeg) {
    const double t = tiltDeg * CV_PI / 180;
    const double r = rollDeg * CV_PI / 180;
    const double d = kFocalPx / pxPerMm;
    const double cx = kPicture.width / 2.0 - 0.37;
    const double cy = kPicture.height / 2.0 + 0.21;
    const cv::Matx33d roll(std::cos(r), -std::sin(r), 0, std::sin(r), std::cos(r), 0, 0, 0, 1);
    const cv::Matx33d tilt(kFocalPx, cx * std::sin(t), cx * d, 0, -kFocalPx * std::cos(t) + cy * std::sin(t),
                           cy * d, 0, std::sin(t), d);
    return tilt * roll;
}

cv::Point canvasPoint(cv::Point2d mm) { // with 4 fractional bits
    const double half = kCanvasMm * kCanvasPxPerMm / 2;
    return {int(std::lround((half + mm.x * kCanvasPxPerMm) * 16)),
            int(std::lround((half - mm.y * kCanvasPxPerMm) * 16))};
}

cv::Mat renderFace(const DisciplineInfo& d, const std::vector<Hole>& holes) {
    const int side = int(kCanvasMm * kCanvasPxPerMm);
    cv::Mat canvas(side, side, CV_8U, cv::Scalar(225));
    const auto radius = [](double mm) { return int(std::lround(mm * kCanvasPxPerMm * 16)); };
    cv::circle(canvas, canvasPoint({0, 0}), radius(d.blackDiameterMm / 2), 25, cv::FILLED, cv::LINE_AA, 4);
    for (const double ring : d.ringDiameterMm)
        if (ring > 1 && ring != d.blackDiameterMm)
            cv::circle(canvas, canvasPoint({0, 0}), radius(ring / 2), ring < d.blackDiameterMm ? 225 : 25, 3,
                       cv::LINE_AA, 4);
    for (const auto& h : holes)
        cv::circle(canvas, canvasPoint(h.mm), radius(d.calibreMm / 2), h.light ? 225 : 25, cv::FILLED,
                   cv::LINE_AA, 4);
    return canvas;
}

cv::Mat picture(const cv::Mat& canvas, const cv::Matx33d& toPicture) {
    const double half = kCanvasMm / 2;
    const cv::Matx33d canvasToMm(1 / kCanvasPxPerMm, 0, -half, 0, -1 / kCanvasPxPerMm, half, 0, 0, 1);
    cv::Mat result(kPicture, CV_8U, cv::Scalar(80));
    cv::warpPerspective(canvas, result, toPicture * canvasToMm, kPicture, cv::INTER_LINEAR,
                        cv::BORDER_TRANSPARENT);
    cv::GaussianBlur(result, result, cv::Size(3, 3), 0.8);
    return result;
}

cv::Mat noisy(const cv::Mat& clean, int seed) {
    cv::Mat noise(clean.size(), CV_16S);
    cv::RNG rng{uint64(seed) + 1};
    rng.fill(noise, cv::RNG::NORMAL, 0, 4);
    cv::Mat result;
    cv::Mat wide;
    clean.convertTo(wide, CV_16S);
    cv::Mat(wide + noise).convertTo(result, CV_8U);
    return result;
}

} // namespace

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
