#pragma once

// Shot marks as the target windows show them: a circle with fill and border.

#include "geometry.h"

namespace ankerblick {

struct Mark {
    ShapeBox box{0.0f, 0.0f, 30.0f, 30.0f, false};
    Rgb fill{};
    Rgb border{0, 0, 0};
};

// The colour ramp of a series' marks: g = i * 256 / 9 rounded half to even,
// capped at 255 (0, 28, 57, ... 228, 255).
quint8 markRamp(int index);
inline Rgb hitColour(int index) {
    return {255, markRamp(index), 0};
} // red to yellow
inline Rgb callColour(int index) {
    return {0, markRamp(index), 255};
} // blue to cyan

} // namespace ankerblick
