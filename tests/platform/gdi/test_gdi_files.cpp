// Image files: BMP written and read back, palette BMPs, PNG, and resource bitmaps.
#include <cstring>
#include <filesystem>
#include <fstream>

#include "gdi_test_util.h"

namespace fs = std::filesystem;

namespace {

struct TempDir
{
    fs::path path;
    TempDir()
    {
        path = fs::temp_directory_path() / ("vyr_gdi_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string File(const char* name) const { return (path / name).string(); }
};

std::vector<std::uint8_t> ReadAll(const std::string& p)
{
    std::ifstream f(p, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

std::uint32_t U32(const std::vector<std::uint8_t>& v, size_t at)
{
    return v[at] | (v[at + 1] << 8) | (v[at + 2] << 16) | ((std::uint32_t)v[at + 3] << 24);
}

vyr::Image Pattern(int w, int h)
{
    vyr::Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.SetPixel(x, y, RGB(x * 37 % 256, y * 53 % 256, (x * y * 11 + 7) % 256));
    return img;
}

TEST(GdiFiles, BmpRoundTripIsPixelExact)
{
    TempDir dir;
    for (int w : {1, 2, 3, 7, 8}) {
        SCOPED_TRACE(w);
        const vyr::Image img = Pattern(w, 5);
        const std::string p = dir.File("out.bmp");
        ASSERT_TRUE(vyr::WriteBmp(p, img));
        const std::vector<std::uint8_t> bytes = ReadAll(p);
        const size_t row = ((size_t)w * 3 + 3) / 4 * 4;
        ASSERT_EQ(bytes.size(), 54 + row * 5);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(U32(bytes, 2), bytes.size());
        EXPECT_EQ(U32(bytes, 10), 54u);
        EXPECT_EQ(U32(bytes, 14), 40u);
        EXPECT_EQ(U32(bytes, 18), (std::uint32_t)w);
        EXPECT_EQ(U32(bytes, 22), 5u); // bottom-up
        EXPECT_EQ(bytes[28], 24);
        // The first stored row is the bottom one, blue first.
        const COLORREF bl = img.GetPixel(0, 4);
        EXPECT_EQ(bytes[54], GetBValue(bl));
        EXPECT_EQ(bytes[55], GetGValue(bl));
        EXPECT_EQ(bytes[56], GetRValue(bl));
        // Padding bytes are zero.
        for (size_t i = (size_t)w * 3; i < row; ++i) EXPECT_EQ(bytes[54 + i], 0);

        vyr::Image back;
        std::string err;
        ASSERT_TRUE(vyr::ReadBmp(p, back, &err)) << err;
        EXPECT_EQ(back, img);
    }
    // The in-memory form is the same without the file header.
    const vyr::Image img = Pattern(3, 2);
    const std::vector<std::uint8_t> dib = vyr::EncodeDib(img), bmp = vyr::EncodeBmp(img);
    ASSERT_EQ(dib.size() + 14, bmp.size());
    EXPECT_TRUE(std::equal(dib.begin(), dib.end(), bmp.begin() + 14));
    EXPECT_EQ(sizeof(BITMAPFILEHEADER), 14u);
    EXPECT_EQ(sizeof(BITMAPINFOHEADER), 40u);
}

// A palette BMP as resource editors write them.
std::vector<std::uint8_t> PaletteBmp(int bpp, int w, int h, const std::vector<RGBQUAD>& pal,
                                     const std::vector<std::vector<int>>& rowsTopDown, bool topDown = false)
{
    std::vector<std::uint8_t> v(54, 0);
    const size_t row = (((size_t)w * bpp + 31) / 32) * 4;
    auto put32 = [&](size_t at, std::uint32_t x) { for (int i = 0; i < 4; ++i) v[at + i] = (x >> (8 * i)) & 0xFF; };
    v[0] = 'B';
    v[1] = 'M';
    put32(10, 54 + (std::uint32_t)pal.size() * 4);
    put32(14, 40);
    put32(18, (std::uint32_t)w);
    put32(22, topDown ? (std::uint32_t)-h : (std::uint32_t)h);
    v[26] = 1;
    v[28] = (std::uint8_t)bpp;
    put32(46, (std::uint32_t)pal.size());
    for (const RGBQUAD& q : pal) {
        v.push_back(q.rgbBlue);
        v.push_back(q.rgbGreen);
        v.push_back(q.rgbRed);
        v.push_back(0);
    }
    for (int r = 0; r < h; ++r) {
        const std::vector<int>& src = rowsTopDown[(size_t)(topDown ? r : h - 1 - r)];
        std::vector<std::uint8_t> bytes(row, 0);
        for (int x = 0; x < w; ++x) {
            const int idx = src[(size_t)x];
            if (bpp == 8) bytes[(size_t)x] = (std::uint8_t)idx;
            else if (bpp == 4) bytes[(size_t)x / 2] |= (std::uint8_t)(idx << ((x % 2) ? 0 : 4));
            else bytes[(size_t)x / 8] |= (std::uint8_t)(idx << (7 - x % 8));
        }
        v.insert(v.end(), bytes.begin(), bytes.end());
    }
    put32(2, (std::uint32_t)v.size());
    return v;
}

TEST(GdiFiles, PaletteBmpsDecode)
{
    const std::vector<RGBQUAD> pal = {{0, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};
    const std::vector<std::vector<int>> pixels = {{0, 1, 2, 3, 1}, {3, 2, 1, 0, 2}, {1, 1, 0, 0, 3}};
    const COLORREF colour[] = {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    struct Case
    {
        int bpp;
        bool topDown;
    };
    for (Case k : {Case{8, false}, Case{4, false}, Case{4, true}, Case{8, true}}) {
        SCOPED_TRACE(k.bpp);
        const auto bytes = PaletteBmp(k.bpp, 5, 3, pal, pixels, k.topDown);
        vyr::Image img;
        std::string err;
        ASSERT_TRUE(vyr::DecodeBmp(bytes.data(), bytes.size(), img, &err)) << err;
        ASSERT_EQ(img.Width(), 5);
        ASSERT_EQ(img.Height(), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) EXPECT_EQ(img.GetPixel(x, y), colour[pixels[(size_t)y][(size_t)x]]) << x << "," << y;
    }
    // One bit per pixel, nine wide so that a row spills into a second byte.
    const std::vector<RGBQUAD> mono = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    const std::vector<std::vector<int>> bits = {{1, 0, 1, 0, 1, 0, 1, 0, 1}, {0, 0, 0, 0, 0, 0, 0, 0, 1}};
    const auto bytes = PaletteBmp(1, 9, 2, mono, bits);
    vyr::Image img;
    ASSERT_TRUE(vyr::DecodeBmp(bytes.data(), bytes.size(), img));
    EXPECT_EQ(img.GetPixel(8, 0), RGB(255, 255, 255));
    EXPECT_EQ(img.GetPixel(7, 0), RGB(0, 0, 0));
    EXPECT_EQ(img.GetPixel(8, 1), RGB(255, 255, 255));
    EXPECT_EQ(img.GetPixel(0, 1), RGB(0, 0, 0));
}

TEST(GdiFiles, DamagedBmpsAreRefused)
{
    const std::vector<std::uint8_t> good = vyr::EncodeBmp(Pattern(4, 4));
    vyr::Image img;
    std::string err;
    // Truncated pixel data.
    EXPECT_FALSE(vyr::DecodeBmp(good.data(), good.size() - 5, img, &err));
    EXPECT_FALSE(err.empty());
    // Not a BMP at all.
    const std::uint8_t junk[] = "PNG and other things that are not a bitmap";
    EXPECT_FALSE(vyr::DecodeBmp(junk, sizeof junk, img));
    // Absurd dimensions and palette indexes past the palette.
    std::vector<std::uint8_t> huge = good;
    huge[18] = 0xFF;
    huge[19] = 0xFF;
    huge[20] = 0xFF;
    huge[21] = 0x7F;
    EXPECT_FALSE(vyr::DecodeBmp(huge.data(), huge.size(), img));
    auto pal = PaletteBmp(8, 2, 1, {{0, 0, 0, 0}}, {{0, 5}});
    EXPECT_FALSE(vyr::DecodeBmp(pal.data(), pal.size(), img));
    EXPECT_FALSE(vyr::ReadBmp("/nonexistent/dir/x.bmp", img));
    EXPECT_FALSE(vyr::WriteBmp("/nonexistent/dir/x.bmp", Pattern(2, 2)));
}

TEST(GdiFiles, HeaderSizeBeyondTheFileIsRefusedWithoutReadingPastIt)
{
    // A 36-byte file whose info header claims 0xFFFFFFFF bytes: 14 + that wraps to 13 in
    // 32 bits, which once let the reader take the header and read its fields past the end.
    std::vector<std::uint8_t> bytes(36, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    for (size_t i = 14; i < 18; ++i) bytes[i] = 0xFF;
    vyr::Image img;
    std::string err;
    EXPECT_FALSE(vyr::DecodeBmp(bytes.data(), bytes.size(), img, &err));
    EXPECT_EQ(err, "unknown BMP header");
}

TEST(GdiFiles, PngRoundTrip)
{
    TempDir dir;
    const vyr::Image img = Pattern(13, 9);
    const std::string p = dir.File("out.png");
    ASSERT_TRUE(vyr::WritePng(p, img));
    const auto bytes = ReadAll(p);
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(std::memcmp(bytes.data(), "\x89PNG", 4), 0);
    vyr::Image back;
    ASSERT_TRUE(vyr::ReadPng(p, back));
    EXPECT_EQ(back, img);
}

TEST(GdiFiles, DrawingSavedAsBmpShowsWhatWasDrawn)
{
    TempDir dir;
    Canvas c(31, 17);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    c.dc.SelectObject(&red);
    c.dc.MoveTo(0, 16);
    c.dc.LineTo(31, 16);
    ASSERT_TRUE(vyr::WriteBmp(dir.File("d.bmp"), c.Img()));
    vyr::Image back;
    ASSERT_TRUE(vyr::ReadBmp(dir.File("d.bmp"), back));
    EXPECT_EQ(back.GetPixel(30, 16), RGB(255, 0, 0));
    EXPECT_EQ(back.GetPixel(30, 15), RGB(255, 255, 255));
}

TEST(GdiFiles, LoadBitmapAsksTheResolver)
{
    TempDir dir;
    const vyr::Image img = Pattern(16, 16);
    ASSERT_TRUE(vyr::WriteBmp(dir.File("b294.bmp"), img));
    const std::string path = dir.File("b294.bmp");
    vyr::SetBitmapResolver([path](UINT id) { return id == 294 ? path : std::string(); });
    CBitmap ok, missing;
    ASSERT_TRUE(ok.LoadBitmap(294));
    EXPECT_EQ(*ok.GetImage(), img);
    BITMAP bm{};
    ok.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 16);
    EXPECT_FALSE(missing.LoadBitmap(295));
    EXPECT_EQ(missing.GetSafeHandle(), nullptr);
    vyr::SetBitmapResolver(nullptr);
    CBitmap none;
    EXPECT_FALSE(none.LoadBitmap(294));

    // A loaded bitmap selected into a memory context is drawn on and copied from.
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap* old = mem.SelectObject(&ok);
    EXPECT_EQ(mem.GetPixel(3, 4), img.GetPixel(3, 4));
    mem.SetPixel(3, 4, RGB(1, 2, 3));
    EXPECT_EQ(ok.GetImage()->GetPixel(3, 4), RGB(1, 2, 3));
    mem.SelectObject(old);
}

TEST(GdiFiles, BitmapBitsRoundTrip)
{
    // Two rows of two 24-bit pixels, each row padded to an even byte count.
    const std::uint8_t bits[] = {0, 0, 255, 0, 255, 0, /*row 2*/ 255, 0, 0, 10, 20, 30};
    CBitmap b;
    ASSERT_TRUE(b.CreateBitmap(2, 2, 1, 24, bits));
    EXPECT_EQ(b.GetImage()->GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(b.GetImage()->GetPixel(1, 1), RGB(30, 20, 10));
    std::uint32_t out[4] = {};
    EXPECT_EQ(b.GetBitmapBits(sizeof out, out), (DWORD)sizeof out);
    CBitmap c;
    c.CreateCompatibleBitmap(nullptr, 2, 2);
    c.SetBitmapBits(sizeof out, out);
    EXPECT_EQ(*c.GetImage(), *b.GetImage());
    CBitmap bad;
    EXPECT_FALSE(bad.CreateBitmap(0, 2, 1, 24, nullptr));
    EXPECT_FALSE(bad.CreateBitmap(2, 2, 1, 7, nullptr));
}

} // namespace
