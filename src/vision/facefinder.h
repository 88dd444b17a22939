#pragma once

// Finding the target face in a camera picture: the black aiming area is the
// largest dark, nearly elliptical blob; its outline and the outline of the
// largest ring line inside it are fitted as ellipses. The two are the
// pictures of two concentric circles, which fixes the picture of the face
// centre and the picture's horizon of the face plane, so the mapping from
// picture pixels to face millimetres holds under perspective (tilt up to
// about 30 degrees, the black at least a sixth of the picture height).
//
// A webcam's lens bends the picture (radial distortion about its middle):
// the bend is the one that puts the other ring lines inside the black on
// their circles, searched for when it does so clearly better than a
// straight picture, and the mapping is found on the picture straightened.
//
// A circle cannot tell how far the face is turned about its own axis: the
// picture's up is taken as the face's up, so a face hung askew shows its
// shots turned by the same angle.

#include "lensfit.h"
#include "model/targetface.h"

#include <opencv2/core.hpp>

namespace ankerblick {

struct FaceInPicture {
    bool found = false;
    // Face millimetres: centre at (0, 0), x to the right, y up.
    cv::Matx33d pictureToMm = cv::Matx33d::eye();
    cv::Matx33d mmToPicture = cv::Matx33d::eye();
    cv::RotatedRect blackOutline; // the fitted outline of the black, in pixels
    // The lens's bend; the two mappings are those of the ideal picture it
    // bends.
    Lens lens;
};

// The face of the discipline in a BGR or grey picture. With `bentLens`, the
// lens's radial distortion is fitted from the face's rings together with
// the mapping; without, the picture is taken as straight.
FaceInPicture findFace(const cv::Mat& picture, const DisciplineInfo& discipline,
                       bool bentLens = true);

// Where the picture shows a point of the face (millimetres).
cv::Point2d faceToPicture(const FaceInPicture& face, cv::Point2d mm);

// A point through a homography.
cv::Point2d mapPoint(const cv::Matx33d& homography, cv::Point2d point);

} // namespace ankerblick
