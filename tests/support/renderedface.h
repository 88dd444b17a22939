#pragma once

// Camera pictures of a face for the tests: the face drawn at its real size,
// seen through a known homography, with blur and noise as a webcam adds them;
// and whole papers shot hole by hole, under uneven light, with paper texture,
// a passing hand and the camera's JPEG.

#include "model/targetface.h"

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace ankerblick::test {

inline constexpr double kCanvasPxPerMm = 10.0;
inline constexpr double kCanvasMm = 100.0;
inline constexpr double kFocalPx = 1100.0; // a webcam's 60 degrees across 1280 pixels
inline const cv::Size kPicture(1280, 720);

struct Hole {
    cv::Point2d mm;
    bool light;           // light in the black, dark on the white
    bool torn = false;    // a grey fringe of lead and flaps of paper into the hole
    double stretch = 1.0; // a keyhole: this many times as long as wide, across
};

// Face millimetres to picture pixels: the face centre on the optical axis,
// turned by `rollDeg` in its plane and tilted by `tiltDeg` about the
// picture's horizontal axis, at the distance that shows `pxPerMm` there.
inline cv::Matx33d mmToPicture(double pxPerMm, double tiltDeg, double rollDeg) {
    const double t = tiltDeg * CV_PI / 180;
    const double r = rollDeg * CV_PI / 180;
    const double d = kFocalPx / pxPerMm;
    const double cx = kPicture.width / 2.0 - 0.37;
    const double cy = kPicture.height / 2.0 + 0.21;
    const cv::Matx33d roll(std::cos(r), -std::sin(r), 0, std::sin(r), std::cos(r), 0, 0, 0, 1);
    const cv::Matx33d tilt(kFocalPx, cx * std::sin(t), cx * d, 0,
                           -kFocalPx * std::cos(t) + cy * std::sin(t), cy * d, 0, std::sin(t), d);
    return tilt * roll;
}

inline cv::Point canvasPoint(cv::Point2d mm) { // with 4 fractional bits
    const double half = kCanvasMm * kCanvasPxPerMm / 2;
    return {int(std::lround((half + mm.x * kCanvasPxPerMm) * 16)),
            int(std::lround((half - mm.y * kCanvasPxPerMm) * 16))};
}

inline cv::Mat renderFace(const DisciplineInfo& d, const std::vector<Hole>& holes) {
    const int side = int(kCanvasMm * kCanvasPxPerMm);
    cv::Mat canvas(side, side, CV_8U, cv::Scalar(225));
    const auto radius = [](double mm) {
        return int(std::lround(mm * kCanvasPxPerMm * 16));
    };
    cv::circle(canvas, canvasPoint({0, 0}), radius(d.blackDiameterMm / 2), 25, cv::FILLED,
               cv::LINE_AA, 4);
    for (const double ring : d.ringDiameterMm)
        if (ring > 1 && ring != d.blackDiameterMm)
            cv::circle(canvas, canvasPoint({0, 0}), radius(ring / 2),
                       ring < d.blackDiameterMm ? 225 : 25, 3, cv::LINE_AA, 4);
    const auto disc = [&](cv::Mat& into, const Hole& h, int grey, int lineType) {
        cv::ellipse(into, canvasPoint(h.mm),
                    {radius(d.calibreMm / 2 * h.stretch), radius(d.calibreMm / 2)}, 0, 0, 360, grey,
                    cv::FILLED, lineType, 4);
    };
    for (const auto& h : holes) // the bullet's wipe: a grey ring a quarter millimetre wide
        if (h.torn)
            cv::circle(canvas, canvasPoint(h.mm), radius(d.calibreMm / 2 + 0.12),
                       h.light ? 70 : 120, radius(0.25) / 16, cv::LINE_AA, 4);
    for (const auto& h : holes)
        disc(canvas, h, h.light ? 225 : 25, cv::LINE_AA);
    // Five flaps of paper, of unequal size, left hanging into each torn
    // hole where no other hole took the paper away.
    for (size_t i = 0; i < holes.size(); ++i) {
        const Hole& h = holes[i];
        if (!h.torn)
            continue;
        const double r = d.calibreMm / 2;
        cv::Mat flaps = cv::Mat::zeros(canvas.size(), CV_8U);
        for (int f = 0; f < 5; ++f) {
            const double a = 2 * CV_PI * f / 5 + 0.4;
            const double reach = r * (0.18 + 0.05 * (f % 3));
            const cv::Point2d out(std::cos(a), std::sin(a));
            const cv::Point2d across(-out.y, out.x);
            const std::vector<cv::Point> flap{canvasPoint(h.mm + out * r + across * r * 0.22),
                                              canvasPoint(h.mm + out * r - across * r * 0.22),
                                              canvasPoint(h.mm + out * (r - reach))};
            cv::fillConvexPoly(flaps, flap, 255, cv::LINE_8, 4);
        }
        for (size_t j = 0; j < holes.size(); ++j)
            if (j != i)
                disc(flaps, holes[j], 0, cv::LINE_8);
        canvas.setTo(h.light ? 25 : 225, flaps);
    }
    return canvas;
}

inline cv::Mat picture(const cv::Mat& canvas, const cv::Matx33d& toPicture) {
    const double half = kCanvasMm / 2;
    const cv::Matx33d canvasToMm(1 / kCanvasPxPerMm, 0, -half, 0, -1 / kCanvasPxPerMm, half, 0, 0,
                                 1);
    cv::Mat result(kPicture, CV_8U, cv::Scalar(80));
    cv::warpPerspective(canvas, result, toPicture * canvasToMm, kPicture, cv::INTER_LINEAR,
                        cv::BORDER_TRANSPARENT);
    cv::GaussianBlur(result, result, cv::Size(3, 3), 0.8);
    return result;
}

inline cv::Mat noisy(const cv::Mat& clean, int seed) {
    cv::Mat noise(clean.size(), CV_16S);
    cv::RNG rng{uint64(seed) + 1};
    rng.fill(noise, cv::RNG::NORMAL, 0, 4);
    cv::Mat result;
    cv::Mat wide;
    clean.convertTo(wide, CV_16S);
    cv::Mat(wide + noise).convertTo(result, CV_8U);
    return result;
}

// The picture moved by `shiftPx` (a shaking mount), sampled between pixels.
inline cv::Mat shaken(const cv::Mat& picture, cv::Point2d shiftPx) {
    const cv::Matx23d move(1, 0, shiftPx.x, 0, 1, shiftPx.y);
    cv::Mat result;
    cv::warpAffine(picture, result, move, picture.size(), cv::INTER_LINEAR, cv::BORDER_REPLICATE);
    return result;
}

// A lens with radial distortion: a point at radius r from the picture's
// middle, in units of the half diagonal, is seen at r (1 + k1 r^2); k1 < 0
// is a webcam's barrel. Each pixel of what it shows takes the point of the
// undistorted picture that the lens moved there, found by a few steps of
// the inverse, worked out once for the picture's size.
class BentLens {
public:
    BentLens(cv::Size size, double k1) : m_mapX(size, CV_32F), m_mapY(size, CV_32F) {
        const cv::Point2d mid(size.width / 2.0, size.height / 2.0);
        const double half = std::hypot(mid.x, mid.y);
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x) {
                const cv::Point2d seen = (cv::Point2d(x, y) - mid) / half;
                cv::Point2d source = seen;
                for (int k = 0; k < 8; ++k)
                    source = seen / (1 + k1 * source.dot(source));
                m_mapX.at<float>(y, x) = float(mid.x + source.x * half);
                m_mapY.at<float>(y, x) = float(mid.y + source.y * half);
            }
    }
    // The picture through the lens, the scene moved by `shakePx` first (a
    // shaking mount).
    cv::Mat seen(const cv::Mat& picture, cv::Point2d shakePx = {}) const {
        cv::Mat result;
        if (shakePx == cv::Point2d())
            cv::remap(picture, result, m_mapX, m_mapY, cv::INTER_LINEAR, cv::BORDER_REPLICATE);
        else
            cv::remap(picture, result, m_mapX - shakePx.x, m_mapY - shakePx.y, cv::INTER_LINEAR,
                      cv::BORDER_REPLICATE);
        return result;
    }

private:
    cv::Mat m_mapX;
    cv::Mat m_mapY;
};

inline cv::Mat distorted(const cv::Mat& picture, double k1) {
    return BentLens(picture.size(), k1).seen(picture);
}

// A paper on the range, as a camera of the given size sees it: the face
// drawn at twice the picture's resolution on a card with a texture of its
// own, holes shot into it one by one, seen through a known homography.
struct CameraView {
    cv::Size size = kPicture;
    double pxPerMm = 5.0; // at the face centre
    double tiltDeg = 0;
    double rollDeg = 0;
};

// The homography of a view; `shiftMm` moves the paper on its holder.
inline cv::Matx33d mmToPicture(const CameraView& view, cv::Point2d shiftMm = {}) {
    const double t = view.tiltDeg * CV_PI / 180;
    const double r = view.rollDeg * CV_PI / 180;
    const double focal = kFocalPx * view.size.width / kPicture.width;
    const double d = focal / view.pxPerMm;
    const double cx = view.size.width / 2.0 - 0.37;
    const double cy = view.size.height / 2.0 + 0.21;
    const cv::Matx33d move(1, 0, shiftMm.x, 0, 1, shiftMm.y, 0, 0, 1);
    const cv::Matx33d roll(std::cos(r), -std::sin(r), 0, std::sin(r), std::cos(r), 0, 0, 0, 1);
    const cv::Matx33d tilt(focal, cx * std::sin(t), cx * d, 0,
                           -focal * std::cos(t) + cy * std::sin(t), cy * d, 0, std::sin(t), d);
    return tilt * roll * move;
}

// Grey levels of the paper: the card, the black, and what a hole shows.
inline constexpr int kCardGrey = 205;
inline constexpr int kBlackGrey = 50;
inline constexpr int kLightHole = 250; // the light backstop through the paper
inline constexpr int kDarkHole = 5;    // a dark backstop

// The largest diameter the face's rings and black reach, in mm.
inline double faceReachMm(const DisciplineInfo& d) {
    double reach = d.blackDiameterMm;
    for (const double ring : d.ringDiameterMm)
        reach = std::max(reach, ring);
    for (const double ring : d.ringsMm)
        reach = std::max(reach, ring);
    return reach;
}

// A ring of the paper drawn exactly: each pixel covered by the share of its
// area between the radii `inner` and `outer` about `centre` (canvas pixels,
// pixel centres at whole numbers), to the pixel's own grey. An inner radius
// of 0 or less draws a filled disc. (OpenCV's anti-aliased circles are
// polygons of 72 corners, and its filling adds about half a pixel all round:
// the black and the holes came out up to 0,1 % larger than drawn.)
inline void drawRing(cv::Mat& canvas, cv::Point2d centre, double inner, double outer, int grey) {
    const int y0 = std::max(0, int(std::floor(centre.y - outer - 1)));
    const int y1 = std::min(canvas.rows - 1, int(std::ceil(centre.y + outer + 1)));
    const auto covered = [](double r, double d) {
        return std::clamp(r - d + 0.5, 0.0, 1.0);
    };
    for (int y = y0; y <= y1; ++y) {
        uchar* row = canvas.ptr<uchar>(y);
        const double dy = y - centre.y;
        const double reach = std::sqrt(std::max(0.0, (outer + 1) * (outer + 1) - dy * dy));
        // Pixels surely inside the inner radius are left as they are.
        const double hole =
            inner > 1 ? std::sqrt(std::max(0.0, (inner - 1) * (inner - 1) - dy * dy)) : 0;
        const int x0 = std::max(0, int(std::floor(centre.x - reach)));
        const int x1 = std::min(canvas.cols - 1, int(std::ceil(centre.x + reach)));
        for (int x = x0; x <= x1; ++x) {
            const double dx = x - centre.x;
            if (hole > 0 && std::abs(dx) < hole) { // on to the far side of the ring
                x = int(std::ceil(centre.x + hole)) - 1;
                continue;
            }
            const double d = std::sqrt(dx * dx + dy * dy);
            const double share = covered(outer, d) - (inner > 0 ? covered(inner, d) : 0.0);
            if (share > 0)
                row[x] = uchar(std::lround(row[x] * (1 - share) + grey * share));
        }
    }
}

// The paper is drawn at twice the picture's scale, on every face: the
// picture's pixels are sampled from it between neighbours, so each one
// averages the paper under it as a sensor's pixel does. (Drawn finer, as
// the large faces were at 4 px/mm, six canvas pixels to a picture pixel,
// each picture pixel took one point of the paper: a hole's edge came out
// stepped to the picture's grid, up to half a picture pixel off.)
class Paper {
public:
    Paper(const DisciplineInfo& d, const CameraView& view, int seed, cv::Point2d shiftMm = {})
        : m_d(d), m_toPicture(mmToPicture(view, shiftMm)), m_size(view.size),
          m_pxPerMm(2 * view.pxPerMm), m_cardMm(faceReachMm(d) * 1.15) {
        const int side = int(std::ceil(m_cardMm * m_pxPerMm));
        // The paper's fibres: a faint, fixed pattern of its own.
        cv::Mat fibres(side, side, CV_32F);
        cv::RNG rng{uint64(seed) * 7919 + 13};
        rng.fill(fibres, cv::RNG::NORMAL, 0, 12);
        cv::GaussianBlur(fibres, fibres, cv::Size(0, 0), 1.5);
        m_canvas = cv::Mat(side, side, CV_8U, cv::Scalar(kCardGrey));
        const auto ring = [&](double diameter, int grey) {
            // 0.2 mm on the small faces, thicker on the large ones.
            const double widthMm = std::max(0.2, 0.002 * d.blackDiameterMm);
            const int width = std::max(1, int(std::lround(widthMm * m_pxPerMm)));
            const double r = diameter / 2 * m_pxPerMm;
            drawRing(m_canvas, canvasPlace({0, 0}), r - width / 2.0, r + width / 2.0, grey);
        };
        drawRing(m_canvas, canvasPlace({0, 0}), 0, d.blackDiameterMm / 2 * m_pxPerMm, kBlackGrey);
        for (const double r : d.ringDiameterMm)
            if (r > 1 && r != d.blackDiameterMm)
                ring(r, r < d.blackDiameterMm ? kCardGrey : kBlackGrey);
        if (d.decimal)
            for (const double r : d.ringsMm)
                if (r > d.blackDiameterMm)
                    ring(r, kBlackGrey);
        cv::Mat paper;
        m_canvas.convertTo(paper, CV_32F);
        cv::Mat(paper + fibres).convertTo(m_canvas, CV_8U);
    }

    const cv::Matx33d& toPicture() const { return m_toPicture; }

    // A hole at `mm`; back where its disc was drawn, to a sixteenth of a canvas pixel.
    cv::Point2d shoot(cv::Point2d mm, int grey) {
        const cv::Point at = point(mm);
        drawRing(m_canvas, cv::Point2d(at) / 16, 0, m_d.calibreMm / 2 * m_pxPerMm, grey);
        m_view.release();
        return {at.x / (16 * m_pxPerMm) - m_cardMm / 2, m_cardMm / 2 - at.y / (16 * m_pxPerMm)};
    }

    // The paper as the lens shows it, before light and sensor.
    const cv::Mat& view() {
        if (m_view.empty()) {
            const double half = m_cardMm / 2;
            const cv::Matx33d canvasToMm(1 / m_pxPerMm, 0, -half, 0, -1 / m_pxPerMm, half, 0, 0, 1);
            m_view = cv::Mat(m_size, CV_8U, cv::Scalar(80));
            cv::warpPerspective(m_canvas, m_view, m_toPicture * canvasToMm, m_size,
                                cv::INTER_LINEAR, cv::BORDER_TRANSPARENT);
            cv::GaussianBlur(m_view, m_view, cv::Size(5, 5), 0.9);
        }
        return m_view;
    }

private:
    cv::Point point(cv::Point2d mm) const { // with 4 fractional bits
        return {int(std::lround((m_cardMm / 2 + mm.x) * m_pxPerMm * 16)),
                int(std::lround((m_cardMm / 2 - mm.y) * m_pxPerMm * 16))};
    }
    cv::Point2d canvasPlace(cv::Point2d mm) const { return cv::Point2d(point(mm)) / 16; }

    DisciplineInfo m_d;
    cv::Matx33d m_toPicture;
    cv::Size m_size;
    double m_pxPerMm;
    double m_cardMm;
    cv::Mat m_canvas;
    cv::Mat m_view;
};

// What the camera delivers of a view: the light falling unevenly across
// the picture at `gain`, a hand (a blurred dark blob) where one is, the
// sensor's noise and the JPEG the camera sends, back as a BGR frame.
struct Exposure {
    double gain = 1.0;
    std::optional<cv::Point> hand; // the hand's middle, in picture pixels
    int seed = 0;
    bool jpeg = true;
};

inline cv::Mat expose(const cv::Mat& view, const Exposure& e) {
    const cv::Size size = view.size();
    // One falling light: brighter at the top left, 30 % darker at the far corner.
    static thread_local cv::Mat light;
    if (light.size() != size) {
        light.create(size, CV_32F);
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x)
                light.at<float>(y, x) = float(1.0 - 0.2 * x / size.width - 0.1 * y / size.height);
    }
    // The sensor's noise, one of a few patterns drawn once.
    static thread_local std::vector<cv::Mat> noises;
    if (noises.empty() || noises[0].size() != size) {
        noises.clear();
        for (int i = 0; i < 7; ++i) {
            cv::Mat noise(size, CV_32F);
            cv::RNG rng{uint64(i) * 104729 + 1};
            rng.fill(noise, cv::RNG::NORMAL, 0, 3);
            noises.push_back(noise);
        }
    }
    // The lit paper, kept while neither it nor the light changes.
    static thread_local cv::Mat litView;
    static thread_local cv::Mat lit;
    static thread_local double litGain = 0;
    cv::Mat frame;
    if (e.hand || litGain != e.gain || litView.data != view.data || litView.size() != size ||
        cv::norm(litView, view, cv::NORM_INF) != 0) {
        view.convertTo(frame, CV_32F);
        if (e.hand) {
            cv::Mat hand = cv::Mat::zeros(size, CV_32F);
            const int h = size.height;
            cv::ellipse(hand, *e.hand, cv::Size(h / 9, h / 5), 25, 0, 360, 1.0, cv::FILLED);
            cv::GaussianBlur(hand, hand, cv::Size(0, 0), h / 120.0);
            frame = frame.mul(1 - hand) + 95 * hand;
        }
        frame = frame.mul(light) * e.gain;
        if (!e.hand) {
            litView = view.clone();
            lit = frame;
            litGain = e.gain;
        }
    } else {
        frame = lit;
    }
    cv::Mat grey;
    cv::Mat(frame + noises[size_t(e.seed) % noises.size()]).convertTo(grey, CV_8U);
    if (e.jpeg) {
        std::vector<uchar> bytes;
        cv::imencode(".jpg", grey, bytes, {cv::IMWRITE_JPEG_QUALITY, 85});
        grey = cv::imdecode(bytes, cv::IMREAD_GRAYSCALE);
    }
    cv::Mat bgr;
    cv::cvtColor(grey, bgr, cv::COLOR_GRAY2BGR);
    return bgr;
}

} // namespace ankerblick::test
