// The colours of dialog pictures, in one place so that the look can change
// here alone and tests can tell an enabled gadget from a disabled one.
#pragma once

#include "draw/picture.h"

namespace standin::palette {

inline constexpr Rgba kWindowBackground{236, 236, 236, 255};
inline constexpr Rgba kWindowBorder{112, 118, 128, 255};
inline constexpr Rgba kTitleBar{54, 63, 80, 255};
inline constexpr Rgba kTitleText{255, 255, 255, 255};
inline constexpr Rgba kMenuBar{248, 248, 248, 255};
inline constexpr Rgba kMenuSeparator{204, 204, 204, 255};

inline constexpr Rgba kText{24, 24, 24, 255};
inline constexpr Rgba kBorder{122, 122, 122, 255};
inline constexpr Rgba kFieldBackground{255, 255, 255, 255};
inline constexpr Rgba kTick{28, 92, 184, 255};
inline constexpr Rgba kArrow{64, 64, 64, 255};
inline constexpr Rgba kButtonFace{250, 250, 250, 255};
inline constexpr Rgba kGroupBorder{184, 184, 184, 255};

// A disabled gadget: its caption, its box's border and what the box shows.
inline constexpr Rgba kDisabledText{158, 158, 158, 255};
inline constexpr Rgba kDisabledBorder{196, 196, 196, 255};
inline constexpr Rgba kDisabledFieldBackground{244, 244, 244, 255};
// Laid over a disabled colour field's swatch, so that it reads as inactive
// while its colour still shows.
inline constexpr Rgba kDisabledVeil{244, 244, 244, 170};

}  // namespace standin::palette
