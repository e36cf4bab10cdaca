// The cursor file reader: any bytes as a .cur file, read as LoadCursorFromFile reads it
// (without keeping it: the shared cursors are kept per file for the process's life).
#include <vyr/raster.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vyr::Image image, mask;
    POINT hotspot{0, 0};
    if (!vyr::DecodeCursor(data, size, image, mask, hotspot))
        return 0;
    if (image.IsEmpty() || image.Width() != mask.Width() || image.Height() != mask.Height() || image.Width() > 256 ||
        image.Height() > 256)
        std::abort();
    return 0;
}
