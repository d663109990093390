#pragma once

#include "platform/RgbaColour.h"

// The named text colours of the tables and styled texts: the platform's
// standard red, green, blue, brown, purple, orange and black.
namespace namedcolours {

inline constexpr RgbaColour black{0, 0, 0, 1};
inline constexpr RgbaColour red{1, 0, 0, 1};
inline constexpr RgbaColour green{0, 1, 0, 1};
inline constexpr RgbaColour blue{0, 0, 1, 1};
inline constexpr RgbaColour brown{0.6, 0.4, 0.2, 1};
inline constexpr RgbaColour purple{0.5, 0, 0.5, 1};
inline constexpr RgbaColour orange{1, 0.5, 0, 1};

} // namespace namedcolours
