// The one compiled copy of stb_truetype (font parsing; the drawing core
// rasterises the outlines itself).
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>
