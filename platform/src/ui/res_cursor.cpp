// Cursors: the system's standard cursors and the cursor files of the resource scripts,
// read once and shared, as the system shares the cursors that LoadCursor hands out.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <vyr/gdi.h>
#include <vyr/raster.h>
#include <vyr/resources.h>
#include <vyr/wnd.h>

// A cursor as the window layer holds it: the image that is combined with the screen by
// exclusive or and the mask that keeps the screen (both width x height), and the hot spot.
// A standard cursor of the system has no image here.
struct HICON__
{
    UINT systemId = 0;
    std::string file;
    int width = 0;
    int height = 0;
    POINT hotspot{0, 0};
    bool monochrome = false;
    vyr::Image image; // the XOR part
    vyr::Image mask;  // white where the screen shows through, black where the image covers it
};

namespace {

std::mutex g_cursorMutex;
std::map<UINT, std::unique_ptr<HICON__>> g_system;
std::map<std::string, std::unique_ptr<HICON__>> g_files;

bool IsSystemCursorId(UINT id)
{
    static const UINT ids[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643, 32644, 32645, 32646, 32648, 32649};
    for (UINT i : ids)
        if (i == id)
            return true;
    return false;
}

std::uint16_t Word(const std::vector<std::uint8_t>& d, size_t at) { return (std::uint16_t)(d[at] | (d[at + 1] << 8)); }
std::uint32_t Dword(const std::vector<std::uint8_t>& d, size_t at) { return (std::uint32_t)Word(d, at) | ((std::uint32_t)Word(d, at + 2) << 16); }

bool ParseDirectoryImage(const std::vector<std::uint8_t>& d, size_t entry, HICON__& out);

// A cursor file: the directory, then the first image as a device-independent bitmap of
// twice the cursor's height (the XOR rows, then the AND mask rows, both bottom-up) with
// 1, 4, 8, 24 or 32 bits per pixel. False for anything else.
bool ParseCursorFile(const std::vector<std::uint8_t>& d, HICON__& out)
{
    if (d.size() < 6 + 16 || Word(d, 0) != 0 || Word(d, 2) != 2 || Word(d, 4) < 1)
        return false;
    const size_t entry = 6;
    out.hotspot = POINT{(LONG)Word(d, entry + 4), (LONG)Word(d, entry + 6)};
    return ParseDirectoryImage(d, entry, out);
}

// An icon file: the same images as a cursor's, under a directory of type 1 whose entries
// give width and height (0 for 256). The entry of the system icon size is read, else the
// first.
bool ParseIconFile(const std::vector<std::uint8_t>& d, HICON__& out)
{
    if (d.size() < 6 + 16 || Word(d, 0) != 0 || Word(d, 2) != 1 || Word(d, 4) < 1)
        return false;
    const size_t count = Word(d, 4);
    if (d.size() < 6 + 16 * count)
        return false;
    size_t chosen = 6;
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * i;
        if (d[entry] == GetSystemMetrics(SM_CXICON) && d[entry + 1] == GetSystemMetrics(SM_CYICON)) {
            chosen = entry;
            break;
        }
    }
    return ParseDirectoryImage(d, chosen, out);
}

// The image a directory entry points at.
bool ParseDirectoryImage(const std::vector<std::uint8_t>& d, size_t entry, HICON__& out)
{
    const size_t size = Dword(d, entry + 8), offset = Dword(d, entry + 12);
    if (offset > d.size() || size > d.size() - offset || size < 40 || Dword(d, offset) < 40)
        return false;
    const std::int32_t w = (std::int32_t)Dword(d, offset + 4), h2 = (std::int32_t)Dword(d, offset + 8);
    const int bpp = Word(d, offset + 14);
    if (w <= 0 || w > 256 || h2 <= 0 || h2 % 2 != 0 || h2 / 2 > 256 || Dword(d, offset + 16) != 0)
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return false;
    const int h = h2 / 2;
    size_t colours = bpp <= 8 ? Dword(d, offset + 32) : 0;
    if (bpp <= 8 && colours == 0)
        colours = (size_t)1 << bpp;
    const size_t palette = offset + Dword(d, offset);
    const size_t xorRow = ((size_t)w * (size_t)bpp + 31) / 32 * 4, andRow = ((size_t)w + 31) / 32 * 4;
    const size_t xorBits = palette + colours * 4, andBits = xorBits + xorRow * (size_t)h;
    if (andBits + andRow * (size_t)h > offset + size)
        return false;
    auto paletteColour = [&](size_t i) -> COLORREF {
        if (i >= colours)
            return RGB(0, 0, 0);
        const size_t at = palette + i * 4;
        return RGB(d[at + 2], d[at + 1], d[at]);
    };
    out.width = w;
    out.height = h;
    out.monochrome = bpp == 1;
    out.image = vyr::Image(w, h);
    out.mask = vyr::Image(w, h);
    for (int y = 0; y < h; ++y) {
        const size_t row = xorBits + xorRow * (size_t)(h - 1 - y);
        const size_t mrow = andBits + andRow * (size_t)(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            COLORREF c;
            switch (bpp) {
            case 1: c = paletteColour((d[row + (size_t)x / 8] >> (7 - x % 8)) & 1); break;
            case 4: c = paletteColour((d[row + (size_t)x / 2] >> (x % 2 ? 0 : 4)) & 15); break;
            case 8: c = paletteColour(d[row + (size_t)x]); break;
            case 24: c = RGB(d[row + (size_t)x * 3 + 2], d[row + (size_t)x * 3 + 1], d[row + (size_t)x * 3]); break;
            default: c = RGB(d[row + (size_t)x * 4 + 2], d[row + (size_t)x * 4 + 1], d[row + (size_t)x * 4]); break;
            }
            out.image.SetPixel(x, y, c);
            const bool keep = (d[mrow + (size_t)x / 8] >> (7 - x % 8)) & 1;
            out.mask.SetPixel(x, y, keep ? RGB(255, 255, 255) : RGB(0, 0, 0));
        }
    }
    return true;
}

HCURSOR LoadCursorFileLocked(const std::string& path)
{
    auto it = g_files.find(path);
    if (it != g_files.end())
        return it->second.get();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto cursor = std::make_unique<HICON__>();
    cursor->file = path;
    if (!ParseCursorFile(bytes, *cursor))
        return nullptr;
    HCURSOR h = cursor.get();
    g_files[path] = std::move(cursor);
    return h;
}

std::map<std::string, std::unique_ptr<HICON__>> g_iconFiles;

HICON LoadIconFileLocked(const std::string& path)
{
    auto it = g_iconFiles.find(path);
    if (it != g_iconFiles.end())
        return it->second.get();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto icon = std::make_unique<HICON__>();
    icon->file = path;
    if (!ParseIconFile(bytes, *icon))
        return nullptr;
    HICON h = icon.get();
    g_iconFiles[path] = std::move(icon);
    return h;
}

HBITMAP BitmapOf(const vyr::Image& img)
{
    CBitmap bmp;
    if (!bmp.CreateFromImage(img))
        return nullptr;
    return (HBITMAP)bmp.Detach();
}

} // namespace

bool vyr::DecodeCursor(const std::uint8_t* data, size_t size, Image& image, Image& mask, POINT& hotspot)
{
    HICON__ c;
    if (!ParseCursorFile(std::vector<std::uint8_t>(data, data + size), c))
        return false;
    image = std::move(c.image);
    mask = std::move(c.mask);
    hotspot = c.hotspot;
    return true;
}

bool vyr::DecodeIcon(const std::uint8_t* data, size_t size, Image& image, Image& mask)
{
    HICON__ c;
    if (!ParseIconFile(std::vector<std::uint8_t>(data, data + size), c))
        return false;
    image = std::move(c.image);
    mask = std::move(c.mask);
    return true;
}

HCURSOR LoadCursor(HINSTANCE hInstance, LPCTSTR lpCursorName)
{
    std::lock_guard<std::mutex> lk(g_cursorMutex);
    // The process has one set of resources for all its modules, and the instance handle of
    // the application may be null here: a null hInstance finds the standard cursors first.
    if (hInstance == nullptr && IS_INTRESOURCE(lpCursorName) && IsSystemCursorId((UINT)(ULONG_PTR)lpCursorName)) {
        const UINT id = (UINT)(ULONG_PTR)lpCursorName;
        std::unique_ptr<HICON__>& c = g_system[id];
        if (!c) {
            c = std::make_unique<HICON__>();
            c->systemId = id;
        }
        return c.get();
    }
    if (IS_INTRESOURCE(lpCursorName)) {
        const UINT id = (UINT)(ULONG_PTR)lpCursorName;
        const CString path = vyr::FindResourceFile(vyr::ResourceKind::Cursor, id);
        return path.IsEmpty() ? nullptr : LoadCursorFileLocked(path.GetString());
    }
    if (!lpCursorName)
        return nullptr;
    const CString path = vyr::FindResourceFile(vyr::ResourceKind::Cursor, lpCursorName);
    return path.IsEmpty() ? nullptr : LoadCursorFileLocked(path.GetString());
}

HCURSOR LoadCursorFromFile(LPCTSTR lpFileName)
{
    if (!lpFileName)
        return nullptr;
    std::lock_guard<std::mutex> lk(g_cursorMutex);
    return LoadCursorFileLocked(lpFileName);
}

BOOL DestroyCursor(HCURSOR hCursor) { return hCursor != nullptr; }

HICON LoadIcon(HINSTANCE, LPCTSTR lpIconName)
{
    if (!lpIconName)
        return nullptr;
    const CString path = IS_INTRESOURCE(lpIconName)
                             ? vyr::FindResourceFile(vyr::ResourceKind::Icon, (UINT)(ULONG_PTR)lpIconName)
                             : vyr::FindResourceFile(vyr::ResourceKind::Icon, lpIconName);
    if (path.IsEmpty())
        return nullptr;
    std::lock_guard<std::mutex> lk(g_cursorMutex);
    return LoadIconFileLocked(path.GetString());
}

BOOL DestroyIcon(HICON hIcon) { return hIcon != nullptr; }

bool vyr::IconPixels(HICON icon, Image& image, Image& mask)
{
    if (icon == nullptr || icon->image.IsEmpty())
        return false;
    image = icon->image;
    mask = icon->mask;
    return true;
}

BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo)
{
    if (!hIcon || !piconinfo || hIcon->image.IsEmpty())
        return FALSE;
    piconinfo->fIcon = FALSE;
    piconinfo->xHotspot = (DWORD)hIcon->hotspot.x;
    piconinfo->yHotspot = (DWORD)hIcon->hotspot.y;
    if (hIcon->monochrome) {
        // One bitmap of twice the height: the mask above the image, as the system gives it.
        vyr::Image both(hIcon->width, hIcon->height * 2);
        for (int y = 0; y < hIcon->height; ++y)
            for (int x = 0; x < hIcon->width; ++x) {
                both.SetPixel(x, y, hIcon->mask.GetPixel(x, y));
                both.SetPixel(x, y + hIcon->height, hIcon->image.GetPixel(x, y));
            }
        piconinfo->hbmMask = BitmapOf(both);
        piconinfo->hbmColor = nullptr;
    } else {
        piconinfo->hbmMask = BitmapOf(hIcon->mask);
        piconinfo->hbmColor = BitmapOf(hIcon->image);
    }
    return piconinfo->hbmMask != nullptr;
}
