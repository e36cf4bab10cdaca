// Icons: the image of the system icon size read from an .ico file, malformed files
// refused, the resource scripts' icons shared, an icon shrunk into a 16 x 16 image list
// with its transparency, and the list view drawing a row's small image left of its text.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <vyr/app.h>
#include <vyr/controls.h>
#include <vyr/gdi.h>
#include <vyr/raster.h>
#include <vyr/resources.h>
#include <vyr/resources/dialogs/DefsRes.h>
#include <vyr/wnd.h>

#include "../core/temp_dir.h"

namespace {

using IcoBytes = std::vector<unsigned char>;

void IcoPut16(IcoBytes& b, unsigned v)
{
    b.push_back((unsigned char)(v & 0xFF));
    b.push_back((unsigned char)(v >> 8));
}
void IcoPut32(IcoBytes& b, std::uint32_t v)
{
    IcoPut16(b, v & 0xFFFF);
    IcoPut16(b, v >> 16);
}

// One 24-bit image of an icon file: colour(x, y) and clear(x, y) (the screen shows through).
template <class Colour, class Clear>
IcoBytes IcoImage(int w, int h, Colour colour, Clear clear)
{
    IcoBytes img;
    IcoPut32(img, 40);
    IcoPut32(img, (std::uint32_t)w);
    IcoPut32(img, (std::uint32_t)h * 2);
    IcoPut16(img, 1);
    IcoPut16(img, 24);
    for (int i = 0; i < 6; ++i)
        IcoPut32(img, 0);
    const int row = (w * 3 + 3) / 4 * 4, maskRow = (w + 31) / 32 * 4;
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const COLORREF c = colour(x, y);
            img.push_back(GetBValue(c));
            img.push_back(GetGValue(c));
            img.push_back(GetRValue(c));
        }
        img.resize(img.size() + (size_t)(row - w * 3), 0);
    }
    for (int y = h - 1; y >= 0; --y) {
        IcoBytes bits((size_t)maskRow, 0);
        for (int x = 0; x < w; ++x)
            if (clear(x, y))
                bits[(size_t)x / 8] |= (unsigned char)(0x80 >> (x % 8));
        img.insert(img.end(), bits.begin(), bits.end());
    }
    return img;
}

// An icon file of the images given with their sizes, in that order.
IcoBytes IcoFile(const std::vector<std::pair<int, IcoBytes>>& images, unsigned type = 1)
{
    IcoBytes out;
    IcoPut16(out, 0);
    IcoPut16(out, type);
    IcoPut16(out, (unsigned)images.size());
    std::uint32_t offset = 6 + 16 * (std::uint32_t)images.size();
    for (const auto& [size, img] : images) {
        out.push_back((unsigned char)size);
        out.push_back((unsigned char)size);
        out.push_back(0);
        out.push_back(0);
        IcoPut16(out, 1);
        IcoPut16(out, 24);
        IcoPut32(out, (std::uint32_t)img.size());
        IcoPut32(out, offset);
        offset += (std::uint32_t)img.size();
    }
    for (const auto& entry : images)
        out.insert(out.end(), entry.second.begin(), entry.second.end());
    return out;
}

const COLORREF kIcoRed = RGB(200, 0, 0), kIcoBlue = RGB(0, 0, 200), kIcoGreen = RGB(0, 160, 0);

// 32 x 32 in four 16 x 16 quadrants: red, blue / green, white; the top-left quadrant is
// three quarters clear, the bottom-right one a quarter.
IcoBytes QuadrantIcon()
{
    auto colour = [](int x, int y) {
        return y < 16 ? (x < 16 ? kIcoRed : kIcoBlue) : (x < 16 ? kIcoGreen : RGB(255, 255, 255));
    };
    auto clear = [](int x, int y) {
        if (x < 16 && y < 16)
            return !(x % 2 == 0 && y % 2 == 0); // one pixel in four opaque
        if (x >= 16 && y >= 16)
            return x % 2 == 0 && y % 2 == 0;    // one in four clear
        return false;
    };
    return IcoImage(32, 32, colour, clear);
}

} // namespace

TEST(Icons, TheImageOfTheSystemIconSizeIsReadAndMalformedFilesRefused)
{
    const IcoBytes small = IcoImage(16, 16, [](int, int) { return kIcoBlue; }, [](int, int) { return false; });
    const IcoBytes large = IcoImage(32, 32, [](int, int) { return kIcoRed; }, [](int x, int) { return x == 0; });
    const IcoBytes file = IcoFile({{16, small}, {32, large}});
    vyr::Image image, mask;
    ASSERT_TRUE(vyr::DecodeIcon(file.data(), file.size(), image, mask));
    EXPECT_EQ(image.Width(), 32) << "the 32 x 32 image, though listed second";
    EXPECT_EQ(image.GetPixel(5, 5), kIcoRed);
    EXPECT_EQ(mask.GetPixel(0, 3), RGB(255, 255, 255));
    EXPECT_EQ(mask.GetPixel(1, 3), RGB(0, 0, 0));

    const IcoBytes onlySmall = IcoFile({{16, small}});
    ASSERT_TRUE(vyr::DecodeIcon(onlySmall.data(), onlySmall.size(), image, mask));
    EXPECT_EQ(image.Width(), 16) << "no 32 x 32 image: the first";

    struct Bad
    {
        const char* name;
        IcoBytes bytes;
    };
    IcoBytes cut = file;
    cut.resize(file.size() - 10);
    IcoBytes past = IcoFile({{32, large}});
    past[6 + 15] = 0x7F; // the image's offset far past the end
    IcoBytes entries = IcoFile({{32, large}});
    entries[4] = 200; // more entries than the file has room for
    entries.resize(6 + 16 * 10);
    const Bad bad[] = {{"a cursor file", IcoFile({{32, large}}, 2)}, {"cut short", cut}, {"image past the end", past},
                       {"too many entries", entries}, {"empty", {}}};
    for (const Bad& b : bad)
        EXPECT_FALSE(vyr::DecodeIcon(b.bytes.data(), b.bytes.size(), image, mask)) << b.name;
}

TEST(Icons, AnIconShrinksIntoTheImageListWithItsTransparency)
{
    TempDir dir;
    TempDir::WriteBytes(dir.File("quad.ico"), IcoFile({{32, QuadrantIcon()}}));
    {
        std::ofstream rc(dir.File("vyr.rc"));
        rc << "4711 ICON \"quad.ico\"\n";
    }
    vyr::VyrSetResourceDir(dir.Path().string().c_str());
    HICON icon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(4711));
    EXPECT_EQ(::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(4711)), icon) << "read once and shared";
    EXPECT_EQ(::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(4712)), nullptr);
    vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
    ASSERT_NE(icon, nullptr);

    CImageList list;
    ASSERT_TRUE(list.Create(2, 2, ILC_COLOR24 | ILC_MASK, 1, 1));
    ASSERT_EQ(list.Add(icon), 0);
    // Drawn over grey: each pixel is the mean of its 16 x 16 cell, clear when less than half
    // of the cell is opaque.
    CBitmap target;
    ASSERT_TRUE(target.CreateFromImage(vyr::Image(2, 2, RGB(128, 128, 128))));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap* old = dc.SelectObject(&target);
    list.Draw(&dc, 0, POINT{0, 0}, ILD_TRANSPARENT);
    dc.SelectObject(old);
    const vyr::Image& px = *target.GetImage();
    EXPECT_EQ(px.GetPixel(0, 0), RGB(128, 128, 128)) << "a quarter opaque: clear";
    EXPECT_EQ(px.GetPixel(1, 0), kIcoBlue);
    EXPECT_EQ(px.GetPixel(0, 1), kIcoGreen);
    EXPECT_EQ(px.GetPixel(1, 1), RGB(255, 255, 255)) << "three quarters opaque: shown";
}

TEST(Icons, TheLibrarysIconsLoadAtTheSystemIconSize)
{
    vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
    for (UINT id : {IDI_SUPPORT_NONE, IDI_SUPPORT_FIXED, IDI_SUPPORT_PINNED, IDI_SUPPORT_SPRING, IDI_SUPPORT_XZ,
                    IDI_SUPPORT_YZ, IDI_SUPPORT_XPIN, IDI_SUPPORT_YPIN}) {
        HICON icon = AfxGetApp()->LoadIcon(id);
        vyr::Image image, mask;
        ASSERT_TRUE(vyr::IconPixels(icon, image, mask)) << id;
        EXPECT_EQ(image.Width(), 32) << id;
        EXPECT_EQ(image.Height(), 32) << id;
    }
}

TEST(Icons, AListRowDrawsItsSmallImageLeftOfItsText)
{
    vyr::RegisterControlClasses();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &parent, 1));
    list.InsertColumn(0, "名称", LVCFMT_LEFT, 120);
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 1, 1));
    CBitmap red, blue;
    ASSERT_TRUE(red.CreateFromImage(vyr::Image(16, 16, kIcoRed)));
    ASSERT_TRUE(blue.CreateFromImage(vyr::Image(16, 16, kIcoBlue)));
    images.Add(&red, CLR_NONE);
    images.Add(&blue, CLR_NONE);
    list.SetImageList(&images, LVSIL_SMALL);
    list.InsertItem(0, "甲", 1);
    list.InsertItem(1, "乙", 0);

    std::shared_ptr<vyr::Image> shot = vyr::RenderWindow(list.GetSafeHwnd());
    ASSERT_NE(shot, nullptr);
    CRect icon0, label0;
    ASSERT_TRUE(list.GetItemRect(0, &icon0, LVIR_ICON));
    ASSERT_TRUE(list.GetItemRect(0, &label0, LVIR_LABEL));
    EXPECT_EQ(shot->GetPixel(icon0.left + 8, icon0.top + 8), kIcoBlue) << "row 0 shows image 1";
    EXPECT_EQ(shot->GetPixel(icon0.left + 8, icon0.top + 8 + icon0.Height()), kIcoRed) << "row 1 shows image 0";
    EXPECT_NE(shot->GetPixel(icon0.left + 8, icon0.top + 8 + 2 * icon0.Height()), kIcoRed) << "no third row";
    EXPECT_GE(label0.left, 16) << "the text starts right of the image";
    list.DestroyWindow();
    parent.DestroyWindow();
}
