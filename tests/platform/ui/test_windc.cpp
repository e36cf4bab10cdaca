// Window device contexts: their releases watched, a child drawn into by its parent while
// the parent paints shows in the rendered image, and a drop-down combo box's client area
// is its selection field.
#include <gtest/gtest.h>

#include <vyr/controls.h>
#include <vyr/raster.h>
#include <vyr/windc.h>

namespace {

// Paints its child blue through the child's own device context.
class CDrawsIntoChild : public CWnd
{
public:
    CWnd m_child;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT) {
            CPaintDC paint(this);
            CDC* dc = m_child.GetDC();
            dc->FillSolidRect(0, 0, 10, 10, RGB(0, 0, 255));
            m_child.ReleaseDC(dc);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(WindowDC, ReleasesAreWatchedWithWhatWasDrawn)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr));
    std::vector<HWND> released;
    size_t records = 0;
    vyr::WatchReleasedDCs([&](HWND h, CDC& dc) {
        released.push_back(h);
        records = dc.Records().size();
    });
    const int open = vyr::OpenWindowDCCount();
    CDC* dc = top.GetDC();
    EXPECT_EQ(vyr::OpenWindowDCCount(), open + 1);
    dc->Rectangle(0, 0, 5, 5);
    dc->LineTo(3, 3);
    top.ReleaseDC(dc);
    vyr::WatchReleasedDCs(nullptr);
    EXPECT_EQ(vyr::OpenWindowDCCount(), open);
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0], top.GetSafeHwnd());
    EXPECT_EQ(records, 2u);
    top.DestroyWindow();
}

TEST(WindowDC, APaintThatDrawsIntoAChildShowsInTheImage)
{
    CDrawsIntoChild top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr));
    ASSERT_TRUE(top.m_child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(20, 20, 30, 30), &top, 5));
    auto img = vyr::RenderWindow(top.GetSafeHwnd());
    ASSERT_TRUE(img);
    EXPECT_EQ(img->GetPixel(25, 25), RGB(0, 0, 255));
    EXPECT_NE(img->GetPixel(15, 15), RGB(0, 0, 255));
    top.DestroyWindow();
}

TEST(WindowDC, ADropDownComboBoxsClientIsItsField)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 400, nullptr, nullptr));
    CComboBox list, simple;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 300), &top, 1));
    ASSERT_TRUE(simple.Create(WS_CHILD | WS_VISIBLE | CBS_SIMPLE, CRect(0, 0, 100, 300), &top, 2));
    CRect rc;
    list.GetClientRect(&rc);
    EXPECT_EQ(rc.Height(), 20);
    list.GetWindowRect(&rc);
    EXPECT_EQ(rc.Height(), 300); // what the list drops to
    simple.GetClientRect(&rc);
    EXPECT_EQ(rc.Height(), 300);
    top.DestroyWindow();
}

} // namespace
