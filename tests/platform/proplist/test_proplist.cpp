// The property list: rows typed into, chosen from, opened and closed, scrolled, emptied by
// their own handlers, drawn; the scripted user's property-list steps in a modal dialog.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <vyr/app.h>
#include <vyr/controls.h>
#include <vyr/dialog.h>
#include <vyr/proplist.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>

namespace {

using vyr::ScriptedUser;

// A parent that counts what its list tells it and holds the list.
class Host : public CWnd
{
public:
    Host()
    {
        CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 400), nullptr, 0);
        list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 400), this, 8000);
        list.EnableHeaderCtrl(FALSE);
    }
    ~Host() override { DestroyWindow(); }
    CBCGPPropList list;
};

class PropListTest : public ::testing::Test
{
protected:
    void SetUp() override { ScriptedUser::Reset(); }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        vyr::PumpMessages();
    }
};

TEST_F(PropListTest, TypedTextTakesTheValuesOwnType)
{
    struct Case
    {
        _variant_t initial;
        const char* typed;
        bool taken;
        const char* shown; // FormatProperty afterwards
    };
    const Case cases[] = {
        {_variant_t("旧"), "新值", true, "新值"},
        {_variant_t("x"), "", true, ""},
        {_variant_t(5L), "12", true, "12"},
        {_variant_t(5L), "12a", false, "5"},
        {_variant_t(5L), "", false, "5"},
        {_variant_t(1.5), "2.25", true, "2.25"},
        {_variant_t(1.5), "abc", false, "1.5"},
        {_variant_t(1.5), "1e400", false, "1.5"},
        {_variant_t(1.5), "nan", false, "1.5"},
        {_variant_t(true), "False", true, "False"},
        {_variant_t(true), "no", false, "True"},
    };
    for (const Case& c : cases) {
        Host host;
        auto* row = new CBCGPProp("行", c.initial);
        host.list.AddProperty(row);
        ASSERT_TRUE(vyr::UserPropSetValue(host.list.GetSafeHwnd(), "行", c.typed)) << c.typed;
        EXPECT_EQ(row->FormatProperty(), c.shown) << c.typed;
        // A refused text keeps the edit open with what was typed; Escape then drops it.
        EXPECT_EQ(row->IsInPlaceEditing() == FALSE, c.taken) << c.typed;
        if (!c.taken) {
            CString text;
            row->m_pWndInPlace->GetWindowText(text);
            EXPECT_EQ(text, c.typed);
            ::SendMessage(row->m_pWndInPlace->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
            EXPECT_FALSE(row->IsInPlaceEditing());
            EXPECT_EQ(row->FormatProperty(), c.shown);
        }
        EXPECT_EQ(row->m_pWndInPlace, nullptr);
    }
}

TEST_F(PropListTest, RowWithOptionsEditsInADropDownAndAChoiceEndsTheEdit)
{
    Host host;
    auto* grade = new CBCGPProp("钢号", _variant_t("Q235"));
    grade->AddOption("Q235");
    grade->AddOption("Q345");
    grade->AddOption("Q235"); // a repeated option is not added twice
    grade->AllowEdit(FALSE);
    host.list.AddProperty(grade);
    EXPECT_EQ(grade->GetOptionCount(), 2);
    // A row that may not be typed into still opens its drop-down list.
    ASSERT_TRUE(host.list.EditItem(grade));
    EXPECT_EQ(vyr::GetWindowClassName(grade->m_pWndInPlace->GetSafeHwnd()), "ComboBox");
    EXPECT_EQ(::SendMessage(grade->m_pWndInPlace->GetSafeHwnd(), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(::SendMessage(grade->m_pWndInPlace->GetSafeHwnd(), CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(host.list.EndEditItem(FALSE));

    ASSERT_TRUE(vyr::UserPropChooseOption(host.list.GetSafeHwnd(), "钢号", "Q345"));
    EXPECT_EQ(grade->FormatProperty(), "Q345");
    EXPECT_FALSE(grade->IsInPlaceEditing());
    // Typing is refused where the row does not allow it; an option it lacks cannot be chosen.
    EXPECT_FALSE(vyr::UserPropSetValue(host.list.GetSafeHwnd(), "钢号", "Q390"));
    EXPECT_FALSE(vyr::UserPropChooseOption(host.list.GetSafeHwnd(), "钢号", "Q390"));
    EXPECT_EQ(grade->FormatProperty(), "Q345");
}

TEST_F(PropListTest, GroupsOpenAndCloseAndHideTheirRows)
{
    Host host;
    auto* g = new CBCGPProp("几何");
    auto* a = new CBCGPProp("长度", _variant_t("6000"));
    g->AddSubItem(a);
    host.list.AddProperty(g);
    host.list.AddProperty(new CBCGPProp("编号", _variant_t("1")));
    const int h = host.list.GetRowHeight();
    EXPECT_TRUE(g->IsExpanded());
    EXPECT_EQ(a->GetRect().top, h);
    ASSERT_TRUE(vyr::UserPropExpand(host.list.GetSafeHwnd(), "几何", false));
    EXPECT_FALSE(g->IsExpanded());
    EXPECT_TRUE(a->GetRect().IsRectEmpty());
    EXPECT_FALSE(a->IsVisible());
    // The row after the group moves up; a hidden row cannot be reached.
    EXPECT_EQ(host.list.FindItemByData(0, FALSE), g);
    EXPECT_EQ(host.list.GetProperty(1)->GetRect().top, h);
    EXPECT_FALSE(vyr::UserPropSetValue(host.list.GetSafeHwnd(), "长度", "1"));
    // A double click on the group's name opens it again.
    ASSERT_TRUE(vyr::UserPropDblClickName(host.list.GetSafeHwnd(), "几何"));
    EXPECT_TRUE(g->IsExpanded());
    EXPECT_EQ(a->GetRect().top, h);
}

TEST_F(PropListTest, ScrollBarShowsOnlyWhenRowsOverflowAndOffsetIsClamped)
{
    Host host;
    host.list.MoveWindow(0, 0, 300, 100);
    const int h = host.list.GetRowHeight();
    for (int i = 0; i < 3; ++i)
        host.list.AddProperty(new CBCGPProp(CString("r") + char('0' + i), _variant_t("v")));
    EXPECT_FALSE(host.list.HasVertScrollBar());
    EXPECT_FALSE(vyr::UserPropScroll(host.list.GetSafeHwnd(), 10));
    for (int i = 3; i < 20; ++i)
        host.list.AddProperty(new CBCGPProp(CString("r") + char('a' + i), _variant_t("v")));
    ASSERT_TRUE(host.list.HasVertScrollBar());
    ASSERT_TRUE(vyr::UserPropScroll(host.list.GetSafeHwnd(), 30));
    EXPECT_EQ(host.list.GetVertScrollOffset(), 30);
    EXPECT_EQ(host.list.GetProperty(0)->GetRect().top, -30);
    // Beyond the end: held at 20 rows less the visible 100 pixels.
    ASSERT_TRUE(vyr::UserPropScroll(host.list.GetSafeHwnd(), 100000));
    EXPECT_EQ(host.list.GetVertScrollOffset(), 20 * h - 100);
    host.list.SetVertScrollOffset(-5);
    EXPECT_EQ(host.list.GetVertScrollOffset(), 0);
}

// A row counting the double clicks on its name.
class CountingRow : public CBCGPProp
{
public:
    using CBCGPProp::CBCGPProp;
    void OnDblClickName(CPoint) override { ++calls; }
    int calls = 0;
};

TEST_F(PropListTest, ARowSharingItsGroupsCaptionIsReachedThroughTheGroup)
{
    Host host;
    auto* g = new CBCGPProp("栓钉");
    auto* row = new CountingRow("栓钉", _variant_t("无"));
    g->AddSubItem(row);
    host.list.AddProperty(g);
    ASSERT_TRUE(vyr::UserPropDblClickName(host.list.GetSafeHwnd(), "栓钉", "栓钉"));
    EXPECT_EQ(row->calls, 1);
    EXPECT_TRUE(g->IsExpanded());
    // By caption alone the group comes first: the double click closes it instead.
    ASSERT_TRUE(vyr::UserPropDblClickName(host.list.GetSafeHwnd(), "栓钉"));
    EXPECT_EQ(row->calls, 1);
    EXPECT_FALSE(g->IsExpanded());
    // Inside a closed group, or a group that is not there, there is nothing to reach.
    EXPECT_FALSE(vyr::UserPropDblClickName(host.list.GetSafeHwnd(), "栓钉", "栓钉"));
    EXPECT_FALSE(vyr::UserPropDblClickName(host.list.GetSafeHwnd(), "栓钉", "截面"));
    EXPECT_EQ(row->calls, 1);
}

// A row whose double click empties its own list.
class SelfRemovingRow : public CBCGPProp
{
public:
    using CBCGPProp::CBCGPProp;
    void OnDblClickName(CPoint) override
    {
        m_pWndList->RemoveAll();
        m_strName = "still here"; // the row outlives its removal until the handler returns
        ++calls;
    }
    static inline int calls = 0;
};

TEST_F(PropListTest, ARowThatEmptiesItsListInItsOwnHandlerIsFreedAfterwards)
{
    Host host;
    host.list.AddProperty(new SelfRemovingRow("删除", _variant_t("x")));
    SelfRemovingRow::calls = 0;
    ASSERT_TRUE(vyr::UserPropDblClickName(host.list.GetSafeHwnd(), "删除"));
    EXPECT_EQ(SelfRemovingRow::calls, 1);
    EXPECT_EQ(host.list.GetPropertyCount(), 0);
    EXPECT_EQ(host.list.GetCurSel(), nullptr);
}

TEST_F(PropListTest, RemoveAllDuringAnEditDropsTheEditWindow)
{
    Host host;
    auto* row = new CBCGPProp("行", _variant_t("1"));
    host.list.AddProperty(row);
    ASSERT_TRUE(host.list.EditItem(row));
    HWND edit = row->m_pWndInPlace->GetSafeHwnd();
    host.list.RemoveAll();
    EXPECT_FALSE(::IsWindowVisible(edit));
    vyr::PumpMessages();
    EXPECT_FALSE(::IsWindow(edit));
    EXPECT_TRUE(host.list.EndEditItem(TRUE)); // nothing runs any more
}

TEST_F(PropListTest, PaintsRowsSelectionGroupAndDescription)
{
    Host host;
    host.list.EnableDescriptionArea(TRUE);
    host.list.SetVSDotNetLook(TRUE);
    auto* g = new CBCGPProp("组");
    auto* a = new CBCGPProp("名称", _variant_t("值"), "说明文字");
    g->AddSubItem(a);
    host.list.AddProperty(g);
    host.list.SetCurSel(a);
    auto img = vyr::RenderWindow(host.GetSafeHwnd());
    ASSERT_TRUE(img);
    const int h = host.list.GetRowHeight();
    // The selected row's name is filled with the selection colour, the group with its own.
    EXPECT_EQ(img->GetPixel(40, h + h / 2 - 5), RGB(49, 106, 197));
    EXPECT_EQ(img->GetPixel(200, 2), RGB(236, 233, 216));
    // The description area at the bottom shows the current row.
    EXPECT_EQ(img->GetPixel(150, 400 - 3), RGB(236, 233, 216));
}

TEST_F(PropListTest, NonClientMetricsGiveTheMenuFont)
{
    NONCLIENTMETRICS m{};
    m.cbSize = sizeof m;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0));
    EXPECT_EQ(m.lfMenuFont.lfHeight, -12);
    EXPECT_EQ(m.lfMenuFont.lfWeight, FW_NORMAL);
    EXPECT_EQ(m.lfMenuFont.lfItalic, 0);
    EXPECT_STREQ(m.lfMenuFont.lfFaceName, "微软雅黑");
    EXPECT_FALSE(SystemParametersInfo(0x1234, 0, &m, 0));
}

// ---- The scripted user's steps in a modal dialog

constexpr UINT IDD_PROPS = 9391;

class CDlgProps : public CDialog
{
public:
    CDlgProps() : CDialog(IDD_PROPS) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 260, 60), this, 8000);
        auto* g = new CBCGPProp("组");
        g->AddSubItem(new CBCGPProp("宽度", _variant_t(100L)));
        list.AddProperty(g);
        for (int i = 0; i < 6; ++i)
            list.AddProperty(new CBCGPProp(CString("行") + char('0' + i), _variant_t("v")));
        auto* o = new CBCGPProp("类型", _variant_t("柱"));
        o->AddOption("柱");
        o->AddOption("梁");
        list.AddProperty(o);
        return TRUE;
    }
    CBCGPPropList list;
    int offsetSeen = -1;
    CString seen;
};

TEST_F(PropListTest, ScriptedUserActsOnAPropertyListInADialog)
{
    static bool loaded = [] {
        std::string error;
        bool ok = vyr::AddResourceScriptText(R"(#pragma code_page(65001)
9391 DIALOGEX 0, 0, 200, 120
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION
CAPTION "属性"
FONT 9, "宋体"
BEGIN
    DEFPUSHBUTTON   "确定", IDOK, 40, 100, 50, 14
END
)",
                                             "test_proplist.rc", &error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }();
    ASSERT_TRUE(loaded);
    CDlgProps dlg;
    ScriptedUser::PropExpand(8000, "组", false, IDD_PROPS);
    ScriptedUser::PropSetValue(8000, "行0", "新", IDD_PROPS);
    ScriptedUser::PropChooseOption(8000, "类型", "梁", IDD_PROPS); // scrolled into view first
    ScriptedUser::PropScroll(8000, 0, IDD_PROPS);
    ScriptedUser::Run([&](CDialog*) {
        dlg.offsetSeen = dlg.list.GetVertScrollOffset();
        CBCGPProp* g = dlg.list.GetProperty(0);
        dlg.seen = CString(g->IsExpanded() ? "open" : "closed") + "," + dlg.list.GetProperty(1)->FormatProperty() +
                   "," + dlg.list.GetProperty(7)->FormatProperty();
    });
    ScriptedUser::PressOK();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.offsetSeen, 0);
    EXPECT_EQ(dlg.seen, "closed,新,梁");
}

} // namespace
