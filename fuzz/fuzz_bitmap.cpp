// The bitmap reader: any bytes as a .bmp file. What it reads must survive being written
// and read again unchanged.
#include <vyr/raster.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vyr::Image img;
    std::string error;
    if (!vyr::DecodeBmp(data, size, img, &error)) {
        if (error.empty())
            std::abort(); // a refusal always says why
        return 0;
    }
    if (img.IsEmpty())
        std::abort();
    const std::vector<std::uint8_t> again = vyr::EncodeBmp(img);
    vyr::Image back;
    if (!vyr::DecodeBmp(again.data(), again.size(), back) || back != img)
        std::abort();
    return 0;
}
