#pragma once

// New holes in the face, from camera frames: each frame is rectified to face
// coordinates and compared with a reference picture of the face. A changed
// region the size and roundness of the calibre (lighter in the black, darker
// on the white) that stays in place for a while is a hole; it is reported
// once, and the frame becomes the new reference. A hole that overlaps
// earlier ones is measured by a circle through the part of its edge that
// changed. Changes too large for a hole (a hand, a shadow) are passed over;
// when most of the face stays changed, a new paper is reported and the
// caller finds the face again.

#include "facefinder.h"

#include <opencv2/core.hpp>

#include <QtGlobal>

#include <optional>
#include <vector>

namespace ankerblick {

struct VisionEvent {
    enum Kind { Hole, NewPaper };
    Kind kind = Hole;
    cv::Point2d centreMm; // the hole's centre in face millimetres (x right, y up)
};

class HoleDetector {
public:
    static constexpr double kPixelsPerMm = 10.0;
    static constexpr qint64 kSettleMs = 400;

    HoleDetector(const FaceInPicture& face, const DisciplineInfo& discipline);

    // The next frame (BGR or grey) at its time in ms; the first frame, and
    // the first after a new paper, is the reference.
    std::optional<VisionEvent> feed(const cv::Mat& frame, qint64 timeMs);

    // The face rectified: kPixelsPerMm pixels per mm, the face centre in the middle.
    cv::Mat rectify(const cv::Mat& frame) const;

private:
    struct Candidate {
        cv::Point2d centreMm; // where it was first seen
        qint64 since;
    };
    std::optional<cv::Point2d> measure(const cv::Mat& changed, const cv::Mat& difference,
                                       const cv::Mat& labels, int label, const cv::Rect& box) const;
    cv::Point2d toMm(cv::Point2d pixel) const;

    cv::Matx33d m_pictureToRect;
    cv::Size m_size;
    double m_calibreMm;
    cv::Mat m_faceMask; // the part of the rectified picture that shows the face
    cv::Mat m_reference; // CV_32F
    cv::Mat m_holes;     // CV_8U: the holes reported so far
    std::vector<Candidate> m_candidates;
    std::optional<qint64> m_changedSince;
};

} // namespace ankerblick
