#include "geometry.h"

#include <cmath>

namespace ankerblick {

double LineF::length() const {
    const double dx = double(x2 - x1);
    const double dy = double(y2 - y1);
    return std::sqrt(dx * dx + dy * dy);
}

} // namespace ankerblick
