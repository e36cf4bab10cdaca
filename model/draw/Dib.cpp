#include <vyr/model/draw/Dib.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include <vyr/raster.h>
#include <vyr/winfile.h>

HANDLE DDBToDIB(CBitmap& bitmap, DWORD compression, CPalette*)
{
    const vyr::Image* img = bitmap.GetImage();
    if (compression != 0 || img == nullptr || img->IsEmpty())
        return nullptr;
    const std::vector<std::uint8_t> dib = vyr::EncodeDib(*img);
    HGLOBAL h = GlobalAlloc(GHND, dib.size());
    if (h == nullptr)
        return nullptr;
    std::memcpy(GlobalLock(h), dib.data(), dib.size());
    GlobalUnlock(h);
    return h;
}

bool WriteDIB(char* path, HANDLE dib)
{
    const size_t size = dib ? GlobalSize(dib) : 0;
    if (path == nullptr || size < sizeof(BITMAPINFOHEADER))
        return false;
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(dib));
    BITMAPINFOHEADER info;
    std::memcpy(&info, bytes, sizeof info);
    // The pixels follow the info header and its colour table (none at 24 bits).
    const DWORD colours = info.biBitCount <= 8 ? (info.biClrUsed ? info.biClrUsed : 1u << info.biBitCount) : 0;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfSize = (DWORD)(sizeof file + size);
    file.bfOffBits = (DWORD)(sizeof file + info.biSize + colours * 4);
    bool ok = info.biSize >= sizeof info && info.biSize <= size;
    if (ok) {
        FILE* f = VyrFopen(path, "wb");
        ok = f != nullptr && std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(bytes, 1, size, f) == size;
        if (f && std::fclose(f) != 0)
            ok = false;
        if (!ok && f)
            VyrRemove(path);
    }
    GlobalUnlock(dib);
    return ok;
}
