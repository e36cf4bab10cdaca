// The icon file reader: any bytes as an .ico file, read as LoadIcon reads it (without
// keeping it: the shared icons are kept per file for the process's life).
#include <vyr/raster.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vyr::Image image, mask;
    if (!vyr::DecodeIcon(data, size, image, mask))
        return 0;
    if (image.IsEmpty() || image.Width() != mask.Width() || image.Height() != mask.Height() || image.Width() > 256 ||
        image.Height() > 256)
        std::abort();
    return 0;
}
