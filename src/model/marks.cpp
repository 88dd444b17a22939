#include "marks.h"

#include "numeric.h"

#include <algorithm>

namespace ankerblick {

quint8 markRamp(int index) {
    const double g = num::roundHalfEven(double(index) * 256.0 / 9.0);
    return quint8(std::clamp(g, 0.0, 255.0));
}

} // namespace ankerblick
