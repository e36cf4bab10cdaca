// Bitmaps to device-independent bitmaps and their files, as the report pictures keep them.
#pragma once

#include <vyr/stdafx.h>

// A global memory block holding the bitmap as a 24-bit DIB (info header, then bottom-up
// rows padded to four bytes), which the caller frees with GlobalFree. Only compression 0
// (BI_RGB) is made; the palette is not needed for true colour. Null for another compression
// or a bitmap that holds no pixels.
HANDLE DDBToDIB(CBitmap& bitmap, DWORD compression, CPalette* palette);
// Writes the DIB with a file header in front; false when the handle holds no DIB or the
// file cannot be written. The path is mapped as every Windows path is.
bool WriteDIB(char* path, HANDLE dib);
