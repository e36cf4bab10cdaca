// The operators' cursors: real cursor objects drawn for each use, and the drawing view
// showing the current operator's cursor whenever the pointer moves over it.
#include <gtest/gtest.h>

#include <set>

#include <vyr/operators/OPPt.h>
#include <vyr/operators/OPSelect.h>
#include <vyr/operators/OPView.h>
#include "support/TestHost.h"

namespace {

// What a cursor does to one screen pixel.
enum Cell
{
    kTransparent, // the screen shows
    kInverted,    // the screen inverted
    kWhite,
    kBlack
};

Cell CellAt(HCURSOR cursor, int x, int y)
{
    ICONINFO info{};
    if (!::GetIconInfo(cursor, &info))
        return kBlack;
    // Monochrome: the AND mask above the XOR image in one bitmap.
    const vyr::Image* img = CBitmap::FromHandle(info.hbmMask)->GetImage();
    const bool keep = img->GetPixel(x, y) != RGB(0, 0, 0);
    const bool flip = img->GetPixel(x, y + img->Height() / 2) != RGB(0, 0, 0);
    ::DeleteObject(info.hbmMask);
    return keep ? (flip ? kInverted : kTransparent) : (flip ? kWhite : kBlack);
}

} // namespace

// Each cursor of the operators is a picture of its own with its hot spot where the pointer
// acts: the centre of the cross, the arrows or the lens.
TEST(OperatorCursors, EachIsADrawnCursorWithItsHotSpot)
{
    struct Case
    {
        UINT id;
        const char* use;
        DWORD hotX, hotY;
        Cell atHotSpot;
    };
    const Case cases[] = {
        {IDC_OPVIEW_PAN, "pan", 15, 15, kWhite},               // where the four arrows meet
        {IDC_OPVIEW_FREE, "free rotation", 15, 15, kWhite},    // the dot inside the turning arrows
        {IDC_OP_DEFAULT, "selection, idle", 15, 15, kTransparent}, // inside the pick box
        {IDC_OPSELECT_RECT, "selection rectangle", 15, 15, kInverted},
        {IDC_OP_POINT, "point input", 15, 15, kInverted},
        {IDC_OP_NODE, "node input", 15, 15, kTransparent},     // inside the diamond
        {IDC_OPVIEW_ZOOM, "zoom", 12, 12, kWhite},             // the arrow's stem in the lens
    };
    std::set<HCURSOR> seen;
    for (const Case& c : cases) {
        HCURSOR h = VyrLoadOPCursor(c.id);
        ASSERT_NE(h, nullptr) << c.use;
        EXPECT_NE((void*)h, (void*)MAKEINTRESOURCE(c.id)) << c.use << ": a cursor, not its id";
        EXPECT_EQ(VyrLoadOPCursor(c.id), h) << c.use;
        EXPECT_TRUE(seen.insert(h).second) << c.use << " has a picture of its own";
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(h, &info)) << c.use;
        EXPECT_EQ(info.xHotspot, c.hotX) << c.use;
        EXPECT_EQ(info.yHotspot, c.hotY) << c.use;
        const vyr::Image* img = CBitmap::FromHandle(info.hbmMask)->GetImage();
        EXPECT_EQ(img->Width(), 32) << c.use;
        EXPECT_EQ(img->Height(), 64) << c.use;
        ::DeleteObject(info.hbmMask);
        EXPECT_EQ(CellAt(h, (int)c.hotX, (int)c.hotY), c.atHotSpot) << c.use;
        EXPECT_EQ(CellAt(h, 0, 0), kTransparent) << c.use << ": the corner leaves the screen alone";
    }
}

namespace {

struct CursorFixture : ::testing::Test
{
    vyrtest::CTestHost host{800, 300};
    COPManager& m = host.OPManager();

    void SetUp() override { m.SetOP(COPSelect()); }
    // The pointer moves over the view: the cursor it shows then.
    HCURSOR Over(int x, int y)
    {
        ::SetCursor(nullptr);
        vyr::UserMoveMouse(host.View().m_hWnd, POINT{x, y});
        return vyr::CurrentCursor();
    }
};

} // namespace

TEST_F(CursorFixture, ViewShowsTheCurrentOperatorsCursor)
{
    EXPECT_EQ(Over(400, 150), VyrLoadOPCursor(IDC_OP_DEFAULT));

    // A click on empty space opens a selection rectangle.
    m.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, CPoint(400, 150), 0);
    EXPECT_EQ(Over(420, 160), VyrLoadOPCursor(IDC_OPSELECT_RECT));
    m.KeyDown(VK_ESCAPE, 1, 0);
    EXPECT_EQ(Over(420, 160), VyrLoadOPCursor(IDC_OP_DEFAULT));

    // The middle button: the pan's cursor at once, the default while it waits for the drag,
    // its own while it drags.
    m.MouseAction(OPMOUSE_MDOWN, MK_MBUTTON, CPoint(100, 100), 0);
    EXPECT_EQ(vyr::CurrentCursor(), VyrLoadOPCursor(IDC_OPVIEW_PAN));
    EXPECT_EQ(Over(100, 100), VyrLoadOPCursor(IDC_OP_DEFAULT));
    m.MouseAction(OPMOUSE_MOVE, MK_MBUTTON, CPoint(110, 100), 0);
    EXPECT_EQ(Over(110, 100), VyrLoadOPCursor(IDC_OPVIEW_PAN));
    m.MouseAction(OPMOUSE_MUP, 0, CPoint(110, 100), 0);
    EXPECT_EQ(Over(110, 100), VyrLoadOPCursor(IDC_OP_DEFAULT));

    // With Ctrl: free rotation, once it drags.
    m.MouseAction(OPMOUSE_MDOWN, MK_MBUTTON | MK_CONTROL, CPoint(100, 100), 0);
    m.MouseAction(OPMOUSE_MOVE, MK_MBUTTON | MK_CONTROL, CPoint(120, 100), 0);
    EXPECT_EQ(Over(120, 100), VyrLoadOPCursor(IDC_OPVIEW_FREE));
    m.MouseAction(OPMOUSE_MUP, MK_CONTROL, CPoint(120, 100), 0);

    m.SetOP(COPViewZoom());
    EXPECT_EQ(Over(200, 100), VyrLoadOPCursor(IDC_OPVIEW_ZOOM));
    m.SetOP(COPViewWindow()); // none of its own: the manager's default
    EXPECT_EQ(Over(200, 100), VyrLoadOPCursor(IDC_OP_DEFAULT));
    m.SetOP(COPPt2());
    EXPECT_EQ(Over(200, 100), VyrLoadOPCursor(IDC_OP_POINT));

    // Outside the view the main frame shows the arrow.
    ::SetCursor(nullptr);
    vyr::UserMoveMouse(host.m_hWnd, POINT{850, 20});
    EXPECT_EQ(vyr::CurrentCursor(), ::LoadCursor(nullptr, IDC_ARROW));
}
