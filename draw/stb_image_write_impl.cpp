// The one compiled copy of stb_image_write, for PNG files in memory only.
// Its compression level is left at the default: the same bytes every run.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>
