// Pixels behind the drawing layer: an RGB image that device contexts draw into, its
// Windows BMP and PNG files, and the replay of a recorded drawing onto an image.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <vyr/wintypes.h>

namespace vyr {

struct DrawRecord;

// A top-down image of 0x00RRGGBB pixels, four bytes each with no row padding: the layout
// of a cairo RGB24 surface, so cairo draws straight into it.
class Image
{
public:
    Image() = default;
    Image(int width, int height, COLORREF fill = RGB(0, 0, 0));

    int Width() const { return m_w; }
    int Height() const { return m_h; }
    bool IsEmpty() const { return m_w <= 0 || m_h <= 0; }
    int Stride() const { return m_w * 4; }

    // Colours in and out are COLORREFs (0x00BBGGRR). Outside the image GetPixel gives
    // CLR_INVALID and SetPixel does nothing.
    COLORREF GetPixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF c);
    void Fill(COLORREF c);

    std::uint32_t* Row(int y) { return m_px.data() + (size_t)y * (size_t)m_w; }
    const std::uint32_t* Row(int y) const { return m_px.data() + (size_t)y * (size_t)m_w; }
    std::uint32_t* Data() { return m_px.data(); }
    const std::uint32_t* Data() const { return m_px.data(); }

    bool operator==(const Image& o) const { return m_w == o.m_w && m_h == o.m_h && m_px == o.m_px; }
    bool operator!=(const Image& o) const { return !(*this == o); }

    // 0x00RRGGBB <-> COLORREF.
    static std::uint32_t ToPixel(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
    static COLORREF ToColor(std::uint32_t p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); }

private:
    int m_w = 0;
    int m_h = 0;
    std::vector<std::uint32_t> m_px;
};

#ifndef CLR_INVALID
#define CLR_INVALID 0xFFFFFFFFu
#endif

// A device-independent bitmap as Windows keeps it in memory: the 40-byte info header
// followed by 24-bit bottom-up rows padded to four bytes (no file header).
std::vector<std::uint8_t> EncodeDib(const Image& img);
// A complete 24-bit .bmp file (file header + the above).
std::vector<std::uint8_t> EncodeBmp(const Image& img);
// Reads an uncompressed .bmp (1, 4, 8, 24 or 32 bits, bottom-up or top-down). On failure
// returns false and, when error is given, says why.
bool DecodeBmp(const std::uint8_t* data, size_t size, Image& out, std::string* error = nullptr);

// Reads the first image of a .cur file as the resources' cursors are read (1, 4, 8, 24 or
// 32 bits, at most 256 x 256): the image, its mask (white where the screen shows through)
// and the hot spot. False for anything else.
bool DecodeCursor(const std::uint8_t* data, size_t size, Image& image, Image& mask, POINT& hotspot);
// Reads an .ico file as LoadIcon reads it: the image of the system icon size (32 x 32),
// else the first, with its mask. False for anything else.
bool DecodeIcon(const std::uint8_t* data, size_t size, Image& image, Image& mask);
// The pixels of a loaded icon or cursor and its mask; false for a standard cursor.
bool IconPixels(HICON icon, Image& image, Image& mask);

bool WriteBmp(const std::string& path, const Image& img);
bool ReadBmp(const std::string& path, Image& out, std::string* error = nullptr);
bool WritePng(const std::string& path, const Image& img);
bool ReadPng(const std::string& path, Image& out);

// Draws one recorded call onto an image as the device context that recorded it would
// have; origin is where the context's device point (0, 0) lies in the image.
void RenderRecord(const DrawRecord& rec, Image& img, POINT origin = POINT{0, 0});
// A fresh image of the given size and background with every record drawn in order.
Image RenderRecords(const std::vector<DrawRecord>& records, int width, int height, COLORREF background);

// Where the bitmaps of the resources live: the resource layer installs a function that
// maps a bitmap id to its .bmp file ("" when unknown). CBitmap::LoadBitmap asks it.
void SetBitmapResolver(std::function<std::string(UINT)> resolver);
std::string ResolveBitmap(UINT id);

// The installed family that draws a face name: Chinese faces (and unknown ones with
// non-ASCII names) draw in WenQuanYi Micro Hei, Latin faces in the closest DejaVu family.
std::string MapFontFace(const std::string& face);

} // namespace vyr
