// The raster image and its files: Windows BMP (written 24-bit, read in the common
// uncompressed depths) and PNG through cairo.
#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>

#include "gdi_internal.h"
#include <vyr/raster.h>

namespace vyr {

Image::Image(int width, int height, COLORREF fill)
    : m_w(width > 0 ? width : 0), m_h(height > 0 ? height : 0),
      m_px((size_t)m_w * (size_t)m_h, ToPixel(fill))
{
    if (m_w == 0 || m_h == 0) m_w = m_h = 0;
}

COLORREF Image::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_w || y >= m_h) return CLR_INVALID;
    return ToColor(Row(y)[x]);
}

void Image::SetPixel(int x, int y, COLORREF c)
{
    if (x < 0 || y < 0 || x >= m_w || y >= m_h) return;
    Row(y)[x] = ToPixel(c);
}

void Image::Fill(COLORREF c)
{
    std::fill(m_px.begin(), m_px.end(), ToPixel(c));
}

namespace {

void Put16(std::vector<std::uint8_t>& v, unsigned x)
{
    v.push_back((std::uint8_t)(x & 0xFF));
    v.push_back((std::uint8_t)((x >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& v, std::uint32_t x)
{
    for (int i = 0; i < 4; ++i) v.push_back((std::uint8_t)((x >> (8 * i)) & 0xFF));
}
std::uint32_t Get16(const std::uint8_t* p) { return (std::uint32_t)p[0] | ((std::uint32_t)p[1] << 8); }
std::uint32_t Get32(const std::uint8_t* p)
{
    return (std::uint32_t)p[0] | ((std::uint32_t)p[1] << 8) | ((std::uint32_t)p[2] << 16) | ((std::uint32_t)p[3] << 24);
}

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kFileHeaderSize = 14;

size_t RowBytes24(int w) { return ((size_t)w * 3 + 3) & ~(size_t)3; }

void AppendDib(std::vector<std::uint8_t>& v, const Image& img)
{
    const int w = img.Width(), h = img.Height();
    const size_t row = RowBytes24(w);
    Put32(v, kInfoHeaderSize);
    Put32(v, (std::uint32_t)w);
    Put32(v, (std::uint32_t)h); // positive: bottom-up
    Put16(v, 1);
    Put16(v, 24);
    Put32(v, BI_RGB);
    Put32(v, (std::uint32_t)(row * (size_t)h));
    Put32(v, 3780); // 96 dpi
    Put32(v, 3780);
    Put32(v, 0);
    Put32(v, 0);
    for (int y = h - 1; y >= 0; --y) {
        const std::uint32_t* src = img.Row(y);
        size_t start = v.size();
        for (int x = 0; x < w; ++x) {
            v.push_back((std::uint8_t)(src[x] & 0xFF));         // blue
            v.push_back((std::uint8_t)((src[x] >> 8) & 0xFF));  // green
            v.push_back((std::uint8_t)((src[x] >> 16) & 0xFF)); // red
        }
        v.resize(start + row, 0);
    }
}

bool Fail(std::string* error, const char* why)
{
    if (error) *error = why;
    return false;
}

} // namespace

std::vector<std::uint8_t> EncodeDib(const Image& img)
{
    std::vector<std::uint8_t> v;
    v.reserve(kInfoHeaderSize + RowBytes24(img.Width()) * (size_t)img.Height());
    AppendDib(v, img);
    return v;
}

std::vector<std::uint8_t> EncodeBmp(const Image& img)
{
    const size_t bits = RowBytes24(img.Width()) * (size_t)img.Height();
    std::vector<std::uint8_t> v;
    v.reserve(kFileHeaderSize + kInfoHeaderSize + bits);
    v.push_back('B');
    v.push_back('M');
    Put32(v, (std::uint32_t)(kFileHeaderSize + kInfoHeaderSize + bits));
    Put16(v, 0);
    Put16(v, 0);
    Put32(v, kFileHeaderSize + kInfoHeaderSize);
    AppendDib(v, img);
    return v;
}

bool DecodeBmp(const std::uint8_t* data, size_t size, Image& out, std::string* error)
{
    if (size < kFileHeaderSize + 12 || data[0] != 'B' || data[1] != 'M') return Fail(error, "not a BMP file");
    const std::uint32_t offBits = Get32(data + 10);
    const std::uint8_t* ih = data + kFileHeaderSize;
    const std::uint32_t hsize = Get32(ih);
    long long w, h;
    unsigned bpp;
    std::uint32_t compression = BI_RGB, clrUsed = 0;
    size_t paletteEntry = 4;
    if (hsize == 12) { // the old OS/2 core header
        w = Get16(ih + 4);
        h = (std::int16_t)Get16(ih + 6);
        bpp = Get16(ih + 10);
        paletteEntry = 3;
    } else if (hsize >= kInfoHeaderSize && size - kFileHeaderSize >= hsize) { // no 32-bit wrap of the sum
        w = (std::int32_t)Get32(ih + 4);
        h = (std::int32_t)Get32(ih + 8);
        bpp = Get16(ih + 14);
        compression = Get32(ih + 16);
        clrUsed = Get32(ih + 32);
    } else {
        return Fail(error, "unknown BMP header");
    }
    if (compression != BI_RGB && !(compression == 3 /*BI_BITFIELDS*/ && bpp == 32))
        return Fail(error, "compressed BMP files are not supported");
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return Fail(error, "unsupported bit depth");
    const bool topDown = h < 0;
    if (topDown) h = -h;
    if (w <= 0 || h <= 0 || w > 65535 || h > 65535) return Fail(error, "bad BMP dimensions");

    std::vector<std::uint32_t> palette;
    if (bpp <= 8) {
        size_t n = clrUsed ? clrUsed : ((size_t)1 << bpp);
        if (n > 256) return Fail(error, "bad palette size");
        const std::uint8_t* p = ih + hsize;
        if ((size_t)(p - data) + n * paletteEntry > size) return Fail(error, "truncated palette");
        for (size_t i = 0; i < n; ++i, p += paletteEntry)
            palette.push_back(((std::uint32_t)p[2] << 16) | ((std::uint32_t)p[1] << 8) | p[0]);
    }
    const size_t row = (((size_t)w * bpp + 31) / 32) * 4;
    if (offBits > size || (size - offBits) / row < (size_t)h) return Fail(error, "truncated pixel data");

    Image img((int)w, (int)h);
    for (long long r = 0; r < h; ++r) {
        const std::uint8_t* src = data + offBits + (size_t)r * row;
        std::uint32_t* dst = img.Row(topDown ? (int)r : (int)(h - 1 - r));
        for (long long x = 0; x < w; ++x) {
            std::uint32_t px;
            if (bpp == 24 || bpp == 32) {
                const std::uint8_t* s = src + x * (bpp / 8);
                px = ((std::uint32_t)s[2] << 16) | ((std::uint32_t)s[1] << 8) | s[0];
            } else {
                unsigned idx;
                if (bpp == 8) idx = src[x];
                else if (bpp == 4) idx = (src[x / 2] >> ((x % 2) ? 0 : 4)) & 0x0F;
                else idx = (src[x / 8] >> (7 - x % 8)) & 1;
                if (idx >= palette.size()) return Fail(error, "palette index out of range");
                px = palette[idx];
            }
            dst[x] = px;
        }
    }
    out = std::move(img);
    return true;
}

bool WriteBmp(const std::string& path, const Image& img)
{
    if (img.IsEmpty()) return false;
    std::vector<std::uint8_t> v = EncodeBmp(img);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f.write(reinterpret_cast<const char*>(v.data()), (std::streamsize)v.size());
    return (bool)f;
}

bool ReadBmp(const std::string& path, Image& out, std::string* error)
{
    std::ifstream f(path, std::ios::binary);
    if (!f) return Fail(error, "cannot open the file");
    std::vector<std::uint8_t> v((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    return DecodeBmp(v.data(), v.size(), out, error);
}

bool WritePng(const std::string& path, const Image& img)
{
    if (img.IsEmpty()) return false;
    // Copy: cairo wants a mutable buffer, and the write must not depend on padding bytes.
    std::vector<std::uint32_t> px(img.Data(), img.Data() + (size_t)img.Width() * (size_t)img.Height());
    std::lock_guard<std::mutex> lock(CairoMutex());
    cairo_surface_t* s = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(px.data()),
                                                             CAIRO_FORMAT_RGB24, img.Width(), img.Height(),
                                                             img.Stride());
    cairo_status_t st = cairo_surface_write_to_png(s, path.c_str());
    cairo_surface_destroy(s);
    return st == CAIRO_STATUS_SUCCESS;
}

bool ReadPng(const std::string& path, Image& out)
{
    std::lock_guard<std::mutex> lock(CairoMutex());
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return false;
    }
    const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    const cairo_format_t fmt = cairo_image_surface_get_format(s);
    if (fmt != CAIRO_FORMAT_RGB24 && fmt != CAIRO_FORMAT_ARGB32) {
        cairo_surface_destroy(s);
        return false;
    }
    cairo_surface_flush(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    Image img(w, h);
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* src = reinterpret_cast<const std::uint32_t*>(data + (size_t)y * (size_t)stride);
        for (int x = 0; x < w; ++x) img.Row(y)[x] = src[x] & 0xFFFFFF;
    }
    cairo_surface_destroy(s);
    out = std::move(img);
    return true;
}

namespace {
std::mutex g_resolverMutex;
std::function<std::string(UINT)> g_resolver;
} // namespace

void SetBitmapResolver(std::function<std::string(UINT)> resolver)
{
    std::lock_guard<std::mutex> lock(g_resolverMutex);
    g_resolver = std::move(resolver);
}

std::string ResolveBitmap(UINT id)
{
    std::function<std::string(UINT)> r;
    {
        std::lock_guard<std::mutex> lock(g_resolverMutex);
        r = g_resolver;
    }
    return r ? r(id) : std::string();
}

} // namespace vyr
