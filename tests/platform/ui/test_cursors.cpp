// Cursors: files of every depth read into a cursor object with its pictures and hot spot,
// malformed files refused, the resource scripts' cursors and the standard ones shared, and
// WM_SETCURSOR as the system sends it while the pointer moves.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include <vyr/app.h>
#include <vyr/gdi.h>
#include <vyr/resources.h>
#include <vyr/resources/resource.h>
#include <vyr/wnd.h>

#include "../core/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Put16(Bytes& b, unsigned v)
{
    b.push_back((unsigned char)(v & 0xFF));
    b.push_back((unsigned char)(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// The cursor of the tests: 4 x 2 pixels, hot spot (3, 1). Pixel values, row 0 then row 1,
// as palette indices or (24 and 32 bits) the palette's colours; the screen shows through
// where the mask is 1.
const COLORREF kPalette[4] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 0, 255)};
const int kPixels[2][4] = {{0, 1, 2, 3}, {3, 2, 1, 0}};
const int kMask[2][4] = {{1, 0, 0, 0}, {0, 0, 0, 1}};

// A cursor file written as the format lays it out: the directory, one entry, the header of
// a bitmap of twice the height, the palette, the image rows and the mask rows bottom-up,
// each row padded to four bytes.
Bytes CursorFile(int bpp)
{
    const int w = 4, h = 2;
    const int colours = bpp <= 8 ? (1 << bpp) : 0;
    Bytes img;
    Put32(img, 40);
    Put32(img, w);
    Put32(img, h * 2);
    Put16(img, 1);
    Put16(img, (unsigned)bpp);
    for (int i = 0; i < 6; ++i)
        Put32(img, 0);
    for (int i = 0; i < colours; ++i) {
        const COLORREF c = i < 4 ? kPalette[i] : RGB(9, 9, 9);
        img.push_back(GetBValue(c));
        img.push_back(GetGValue(c));
        img.push_back(GetRValue(c));
        img.push_back(0);
    }
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(((size_t)w * (size_t)bpp + 31) / 32 * 4, 0);
        for (int x = 0; x < w; ++x) {
            const int v = bpp == 1 ? kPixels[y][x] % 2 : kPixels[y][x];
            const COLORREF c = kPalette[v];
            switch (bpp) {
            case 1: row[(size_t)x / 8] |= (unsigned char)(v << (7 - x % 8)); break;
            case 4: row[(size_t)x / 2] |= (unsigned char)(v << (x % 2 ? 0 : 4)); break;
            case 8: row[(size_t)x] = (unsigned char)v; break;
            default: {
                const size_t at = (size_t)x * (size_t)(bpp / 8);
                row[at] = GetBValue(c);
                row[at + 1] = GetGValue(c);
                row[at + 2] = GetRValue(c);
            }
            }
        }
        img.insert(img.end(), row.begin(), row.end());
    }
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(4, 0);
        for (int x = 0; x < w; ++x)
            row[0] |= (unsigned char)(kMask[y][x] << (7 - x));
        img.insert(img.end(), row.begin(), row.end());
    }
    Bytes f;
    Put16(f, 0);
    Put16(f, 2);
    Put16(f, 1);
    f.push_back((unsigned char)w);
    f.push_back((unsigned char)h);
    f.push_back(0);
    f.push_back(0);
    Put16(f, 3);
    Put16(f, 1);
    Put32(f, (std::uint32_t)img.size());
    Put32(f, 22);
    f.insert(f.end(), img.begin(), img.end());
    return f;
}

COLORREF Pixel(HBITMAP h, int x, int y) { return CBitmap::FromHandle(h)->GetImage()->GetPixel(x, y); }
CSize SizeOf(HBITMAP h)
{
    const vyr::Image* img = CBitmap::FromHandle(h)->GetImage();
    return CSize(img->Width(), img->Height());
}

} // namespace

TEST(Cursors, FilesOfEveryDepthGiveTheirPicturesAndHotSpot)
{
    TempDir dir;
    for (int bpp : {1, 4, 8, 24, 32}) {
        const std::string path = dir.File("c" + std::to_string(bpp) + ".cur");
        TempDir::WriteBytes(path, CursorFile(bpp));
        HCURSOR c = ::LoadCursorFromFile(path.c_str());
        ASSERT_NE(c, nullptr) << bpp;
        EXPECT_EQ(::LoadCursorFromFile(path.c_str()), c) << "read once and shared";
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(c, &info)) << bpp;
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, 3u);
        EXPECT_EQ(info.yHotspot, 1u);
        ASSERT_NE(info.hbmMask, nullptr);
        // A monochrome cursor has one bitmap, the mask above the image.
        const int imageTop = bpp == 1 ? 2 : 0;
        HBITMAP image = bpp == 1 ? info.hbmMask : info.hbmColor;
        ASSERT_NE(image, nullptr) << bpp;
        EXPECT_EQ(info.hbmColor == nullptr, bpp == 1);
        EXPECT_EQ(SizeOf(info.hbmMask), CSize(4, bpp == 1 ? 4 : 2)) << bpp;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x) {
                const COLORREF want = kPalette[bpp == 1 ? kPixels[y][x] % 2 : kPixels[y][x]];
                EXPECT_EQ(Pixel(image, x, y + imageTop), want) << bpp << " at " << x << "," << y;
                EXPECT_EQ(Pixel(info.hbmMask, x, y), kMask[y][x] ? RGB(255, 255, 255) : RGB(0, 0, 0))
                    << bpp << " mask at " << x << "," << y;
            }
        ::DeleteObject(info.hbmMask);
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
    }
}

TEST(Cursors, MalformedFilesGiveNoCursor)
{
    TempDir dir;
    struct Case
    {
        const char* name;
        void (*spoil)(Bytes&);
    };
    const Case cases[] = {
        {"empty", [](Bytes& b) { b.clear(); }},
        {"an icon, not a cursor", [](Bytes& b) { b[2] = 1; }},
        {"no entry", [](Bytes& b) { b[4] = 0; }},
        {"cut short", [](Bytes& b) { b.pop_back(); }},
        {"image beyond the file", [](Bytes& b) { b[18] = 0xF0; }},
        {"compressed", [](Bytes& b) { b[22 + 16] = 1; }},
        {"odd double height", [](Bytes& b) { b[22 + 8] = 5; }},
        {"2 bits per pixel", [](Bytes& b) { b[22 + 14] = 2; }},
    };
    for (const Case& c : cases) {
        Bytes b = CursorFile(8);
        c.spoil(b);
        const std::string path = dir.File(std::string("bad-") + std::to_string(&c - cases) + ".cur");
        TempDir::WriteBytes(path, b);
        EXPECT_EQ(::LoadCursorFromFile(path.c_str()), nullptr) << c.name;
    }
    EXPECT_EQ(::LoadCursorFromFile(dir.File("missing.cur").c_str()), nullptr);
}

TEST(Cursors, ScriptCursorsAndStandardCursorsAreRealSharedObjects)
{
    vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
    HINSTANCE module = AfxGetResourceHandle();
    HCURSOR cross = ::LoadCursor(module, MAKEINTRESOURCE(IDC_VYR_TESTCURSOR));
    ASSERT_NE(cross, nullptr);
    EXPECT_NE((void*)cross, (void*)MAKEINTRESOURCE(IDC_VYR_TESTCURSOR)) << "a cursor, not its id";
    EXPECT_EQ(::LoadCursor(module, MAKEINTRESOURCE(IDC_VYR_TESTCURSOR)), cross);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(cross, &info));
    EXPECT_EQ(info.xHotspot, 16u); // as the file gives it
    EXPECT_EQ(info.yHotspot, 16u);
    EXPECT_EQ(SizeOf(info.hbmMask), CSize(32, 64));
    ::DeleteObject(info.hbmMask);
    EXPECT_EQ(::LoadCursor(module, MAKEINTRESOURCE(4321)), nullptr) << "no such cursor";

    HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(::LoadCursor(nullptr, IDC_ARROW), arrow);
    EXPECT_EQ(AfxGetApp()->LoadStandardCursor(IDC_ARROW), arrow);
    EXPECT_NE(::LoadCursor(nullptr, IDC_WAIT), arrow);
    EXPECT_NE(arrow, cross);
    EXPECT_FALSE(::GetIconInfo(arrow, &info)) << "the system's own pictures";
}

namespace {

// A window that records the cursor messages it is sent and may answer WM_SETCURSOR itself.
class CCursorWnd : public CWnd
{
public:
    HCURSOR m_own = nullptr; // set: shows it and answers TRUE
    std::vector<std::string> m_log;

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT hit, UINT message)
    {
        m_log.push_back("setcursor " + std::to_string(hit) + " " + std::to_string(message) + " " +
                        (pWnd && pWnd->m_hWnd ? std::to_string(::GetDlgCtrlID(pWnd->m_hWnd)) : "?"));
        if (m_own) {
            ::SetCursor(m_own);
            return TRUE;
        }
        return CWnd::OnSetCursor(pWnd, hit, message);
    }
    afx_msg void OnMouseMove(UINT flags, CPoint pt)
    {
        m_log.push_back("move " + std::to_string(flags) + " " + std::to_string(pt.x) + "," + std::to_string(pt.y));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCursorWnd, CWnd)
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

} // namespace

TEST(Cursors, PointerMovesSendSetCursorFirstAndTheParentDecidesFirst)
{
    CCursorWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW, 100, 50, 400, 300, nullptr, nullptr));
    CCursorWnd child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 20, 110, 120), &parent, 7));
    HCURSOR wait = ::LoadCursor(nullptr, IDC_WAIT);
    HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);

    // Neither has a cursor of its own: the child's client area shows the arrow.
    ::SetCursor(wait);
    vyr::UserMoveMouse(child.m_hWnd, POINT{5, 6}, MK_LBUTTON);
    EXPECT_EQ(vyr::CurrentCursor(), arrow);
    const std::string hit = "setcursor " + std::to_string(HTCLIENT) + " " + std::to_string(WM_MOUSEMOVE) + " 7";
    EXPECT_EQ(child.m_log, (std::vector<std::string>{hit, "move " + std::to_string(MK_LBUTTON) + " 5,6"}));
    EXPECT_EQ(parent.m_log, (std::vector<std::string>{hit})) << "asked with the child's handle";
    CPoint screen(5, 6);
    child.ClientToScreen(&screen);
    POINT pos{};
    ::GetCursorPos(&pos);
    EXPECT_EQ(CPoint(pos), screen);

    // A parent that answers shows its cursor over a child that leaves the decision to it.
    parent.m_own = wait;
    ::SetCursor(arrow);
    vyr::UserMoveMouse(child.m_hWnd, POINT{8, 9});
    EXPECT_EQ(vyr::CurrentCursor(), wait);
    // A child that answers itself shows its own.
    child.m_own = ::LoadCursor(nullptr, IDC_CROSS);
    vyr::UserMoveMouse(child.m_hWnd, POINT{8, 9});
    EXPECT_EQ(vyr::CurrentCursor(), child.m_own);
    child.DestroyWindow();
    parent.DestroyWindow();
}
