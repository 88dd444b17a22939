#pragma once

// A picture's value between its pixels.

#include <opencv2/core.hpp>

#include <cmath>

namespace ankerblick {

// The value at (x, y) of a one-channel picture of `Pixel`s, interpolated
// bilinearly in `Real`; -1 where the four pixels around it are not all in it.
template <typename Pixel, typename Real> float bilinear(const cv::Mat& image, double x, double y) {
    const int ix = int(std::floor(x));
    const int iy = int(std::floor(y));
    if (ix < 0 || iy < 0 || ix + 1 >= image.cols || iy + 1 >= image.rows)
        return -1.0f;
    const Real fx = Real(x - ix);
    const Real fy = Real(y - iy);
    const Pixel* r0 = image.ptr<Pixel>(iy);
    const Pixel* r1 = image.ptr<Pixel>(iy + 1);
    return float((r0[ix] * (1 - fx) + r0[ix + 1] * fx) * (1 - fy) +
                 (r1[ix] * (1 - fx) + r1[ix + 1] * fx) * fy);
}

} // namespace ankerblick
