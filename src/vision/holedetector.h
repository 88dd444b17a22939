#pragma once

// New holes in the face, from camera frames: each frame is rectified to face
// coordinates, at about the picture's own resolution there, and compared
// with a reference picture of the face brought to the frame's brightness. A
// changed region the size of the calibre (lighter or darker, in the black
// and on the card) that stays in place for a while is a hole; it is reported
// once, and the frame becomes the new reference. Its centre is where a disc
// of the calibre, put into the reference, explains the frame best: that
// holds for a hole on its own, across a ring line and over earlier holes
// alike. Changes too large for a hole (a hand, a shadow) are passed over;
// when most of the face stays changed, a new paper is reported and the
// caller finds the face again; when the frame is the reference moved further
// than a shake (a bumped camera), that is said instead. A mount that shakes
// moves the whole picture by a pixel or two: each frame is first brought
// onto the reference (to a hundredth of a pixel, by the face's edges), so
// that a shift is never a hole.

#include "facefinder.h"

#include <opencv2/core.hpp>

#include <QtGlobal>

#include <optional>
#include <vector>

namespace ankerblick {

struct VisionEvent {
    // Moved: the camera was moved (bumped), the paper is the same; the
    // caller finds the face again and keeps its holes.
    enum Kind { Hole, NewPaper, Moved };
    Kind kind = Hole;
    cv::Point2d centreMm; // the hole's centre in face millimetres (x right, y up)
    // How sure the detector is of a hole, 0 to 1: the share of the
    // picture's change around it that lies within the round hole of the
    // calibre it fitted. A clean hole comes to about 0.97, a torn one to
    // 0.93; below kDoubtful (a keyhole, two holes taken for one) the
    // shooter checks it.
    double certainty = 1.0;
    static constexpr double kDoubtful = 0.9;
};

class HoleDetector {
public:
    static constexpr qint64 kSettleMs = 400;
    // The rectified face's resolution: the picture's at the face centre,
    // at least 16 pixels across a hole (the large faces, seen with few
    // pixels a millimetre, are fitted finer than the picture shows them) and
    // at most 12 pixels a millimetre.
    static constexpr double kMinHolePixels = 16.0;
    static constexpr double kMaxPixelsPerMm = 12.0;

    HoleDetector(const FaceInPicture& face, const DisciplineInfo& discipline);

    // The next frame (BGR or grey) at its time in ms; the first frame, and
    // the first after a new paper, is the reference.
    std::optional<VisionEvent> feed(const cv::Mat& frame, qint64 timeMs);

private:
    struct Candidate {
        cv::Point2d centreMm; // where it was first seen
        qint64 since;
    };
    bool passOver(const cv::Mat& grey, cv::Mat& blocks) const;
    void followLight(const cv::Mat& rect);
    std::optional<VisionEvent> mostChanged(const cv::Mat& rect, qint64 timeMs);
    std::optional<VisionEvent> newHole(const cv::Mat& rect, const cv::Mat& changed, qint64 timeMs);
    bool holeSized(const cv::Mat& stats, const cv::Mat& labels, cv::Point labelsAt, int i) const;
    Candidate tracked(cv::Point2d centreMm, qint64 timeMs) const;
    struct FittedHole {
        cv::Point2d centre; // rectified pixels
        double certainty;
    };
    std::optional<FittedHole> fitHole(const cv::Mat& frame, cv::Point2d start) const;
    bool filled(const cv::Mat& changed, cv::Point2d centre) const;
    cv::Point2d toMm(cv::Point2d pixel) const;
    // A point on an edge of the reference, where a shift shows.
    struct EdgeSample {
        cv::Point at;
        float gx;
        float gy;
    };
    void sampleEdges();
    cv::Point2d shiftFromReference(const cv::Mat& rect) const;
    cv::Point2d refinedShift(const cv::Mat& rect, cv::Point2d start) const;
    cv::Mat ontoReference(const cv::Mat& rect) const;
    void takeAsReference(const cv::Mat& rect);
    bool movedCamera(const cv::Mat& rect) const;
    cv::Mat rectifyGrey(const cv::Mat& grey) const;
    void keepToView(cv::Size picture);

    double m_ppm;
    cv::Matx33d m_pictureToRect;
    cv::Mat m_map;         // the rectified pixels' places in the picture
    cv::Mat m_mapFraction; // and their fractions of a pixel
    cv::Size m_size;
    double m_calibreMm;
    cv::Mat m_faceMask; // the part of the rectified picture that shows the face
    cv::Mat m_inView; // CV_8U: the rectified pixels the picture shows, its edge and beyond left out
    int m_faceArea = 0;
    cv::Mat m_reference;             // CV_32F
    std::vector<EdgeSample> m_edges; // of the reference, to register frames by
    cv::Mat m_holes;                 // CV_8U: the holes reported so far
    std::vector<Candidate> m_candidates;
    std::optional<qint64> m_changedSince;
    bool m_quietBlocks = false; // whether a frame with nothing new may be passed over
    cv::Mat m_quiet;            // the last frame in which nothing had changed, in blocks
};

} // namespace ankerblick
