// Popup menus, image lists, the common dialogs and the factory that makes controls from
// dialog templates.
#include "control_fixture.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <vyr/commdlg.h>
#include <vyr/raster.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;

namespace {

// A window that records the commands it receives.
class CommandSink : public CWnd
{
public:
    std::vector<UINT> commands;
    BOOL OnCommand(WPARAM wp, LPARAM) override
    {
        commands.push_back(LOWORD(wp));
        return TRUE;
    }
};

void BuildSnapMenu(CMenu& menu, bool withPerpendicular)
{
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 923, "端点");
    menu.AppendMenu(MF_STRING, 922, "中点");
    if (withPerpendicular) menu.AppendMenu(MF_STRING, 921, "垂足");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_GRAYED, 930, "圆心");
}

} // namespace

TEST(PopupMenu, TheScriptedUserChoosesAndTheOwnerGetsTheCommand)
{
    vyr::ClearTrackedMenus();
    CommandSink owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    CMenu menu;
    BuildSnapMenu(menu, true);
    EXPECT_EQ(menu.GetMenuItemCount(), 5);
    EXPECT_EQ(menu.GetMenuItemID(3), 0u);
    EXPECT_EQ(menu.CheckMenuItem(922, MF_CHECKED), (UINT)MF_UNCHECKED);
    EXPECT_EQ(menu.GetMenuState(922, MF_BYCOMMAND) & MF_CHECKED, (UINT)MF_CHECKED);
    EXPECT_EQ(menu.CheckMenuItem(999, MF_CHECKED), (UINT)-1);
    EXPECT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 924, "交点"));
    CString s;
    menu.GetMenuString(0, s, MF_BYPOSITION);
    EXPECT_EQ(s, "交点");

    vyr::ScriptMenuChoice(921);
    vyr::ScriptMenuChoice(0);
    // Without TPM_RETURNCMD the command goes to the owner as a posted WM_COMMAND.
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 100, 50, &owner));
    EXPECT_TRUE(owner.commands.empty());
    vyr::PumpMessages();
    EXPECT_EQ(owner.commands, (std::vector<UINT>{921}));
    // Dismissed: nothing chosen, nothing sent; with nothing scripted the same.
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0);
    vyr::ScriptMenuChoice(923);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 0, 0, &owner), 923);
    vyr::PumpMessages();
    EXPECT_EQ(owner.commands.size(), 1u);

    std::vector<vyr::TrackedMenu> tracked = vyr::TrackedMenus();
    ASSERT_EQ(tracked.size(), 4u);
    EXPECT_EQ(tracked[0].items, (std::vector<CString>{"交点", "端点", "中点", "垂足", "", "圆心"}));
    EXPECT_EQ(tracked[0].ids[3], 921u);
    EXPECT_EQ(tracked[0].pt.x, 100);
    EXPECT_EQ(tracked[0].chosen, 921u);
    EXPECT_EQ(tracked[3].chosen, 923u);
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(menu.GetSafeHmenu(), nullptr);
    owner.DestroyWindow();
}

TEST(PopupMenuDeathTest, ChoosingAGrayedItemFailsLoudly)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            CMenu menu;
            BuildSnapMenu(menu, false);
            vyr::ScriptMenuChoice(930);
            menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr);
        },
        "930");
}

TEST(ImageList, CutsBitmapsIntoImagesWithTheirMask)
{
    // Two 4 x 4 images side by side: the first red with a black corner, the second blue.
    vyr::Image strip(8, 4, RGB(255, 0, 0));
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x) strip.SetPixel(x, y, RGB(0, 0, 255));
    strip.SetPixel(0, 0, RGB(0, 0, 0));
    CBitmap bm;
    ASSERT_TRUE(bm.CreateFromImage(strip));

    CImageList list;
    ASSERT_TRUE(list.Create(4, 4, ILC_COLOR24 | ILC_MASK, 2, 0));
    EXPECT_EQ(list.Add(&bm, RGB(0, 0, 0)), 0);
    EXPECT_EQ(list.GetImageCount(), 2);
    EXPECT_TRUE(list.IsTransparent(0, 0, 0));
    EXPECT_FALSE(list.IsTransparent(0, 1, 0));
    EXPECT_EQ(list.GetImage(1)->GetPixel(2, 2), RGB(0, 0, 255));
    EXPECT_EQ(list.Add(&bm, RGB(0, 0, 0)), 2);

    // Drawing leaves the transparent pixel alone.
    CBitmap target;
    ASSERT_TRUE(target.CreateFromImage(vyr::Image(10, 10, RGB(0, 255, 0))));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap* old = dc.SelectObject(&target);
    EXPECT_TRUE(list.Draw(&dc, 0, CPoint(2, 2), ILD_TRANSPARENT));
    EXPECT_TRUE(list.Draw(&dc, 1, CPoint(6, 6), ILD_NORMAL));
    dc.SelectObject(old);
    const vyr::Image* px = target.GetImage();
    EXPECT_EQ(px->GetPixel(2, 2), RGB(0, 255, 0));
    EXPECT_EQ(px->GetPixel(3, 2), RGB(255, 0, 0));
    EXPECT_EQ(px->GetPixel(7, 7), RGB(0, 0, 255));
    EXPECT_FALSE(list.Draw(&dc, 9, CPoint(0, 0), ILD_NORMAL));

    // A list without a mask keeps every pixel.
    CImageList plain;
    ASSERT_TRUE(plain.Create(4, 4, ILC_COLOR24, 1, 0));
    plain.Add(&bm, RGB(0, 0, 0));
    EXPECT_FALSE(plain.IsTransparent(0, 0, 0));

    // From a resource bitmap (16 x 16, red with a blue anti-diagonal), cut in two.
    vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
    CImageList fromRes;
    ASSERT_TRUE(fromRes.Create(30100, 8, 0, RGB(0, 0, 255)));
    EXPECT_EQ(fromRes.GetImageCount(), 2);
    EXPECT_EQ(fromRes.GetImageSize(), CSize(8, 16));
    EXPECT_TRUE(fromRes.IsTransparent(0, 0, 15));
    EXPECT_FALSE(fromRes.IsTransparent(0, 0, 0));
    EXPECT_EQ(fromRes.GetImage(0)->GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_TRUE(fromRes.IsTransparent(1, 7, 0));
    CImageList missing;
    EXPECT_FALSE(missing.Create(29999, 8, 0, CLR_NONE));
    vyr::VyrSetResourceDir("");

    // A list view hands the list back by its object.
    Sink parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    CListCtrl lv;
    ASSERT_TRUE(lv.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 50, 50), &parent, 1));
    EXPECT_EQ(lv.SetImageList(&list, LVSIL_SMALL), nullptr);
    EXPECT_EQ(lv.GetImageList(LVSIL_SMALL), &list);
    parent.DestroyWindow();
}

class CommonDialogTest : public ::testing::Test
{
protected:
    std::filesystem::path dir;
    void SetUp() override
    {
        ScriptedUser::Reset();
        dir = std::filesystem::temp_directory_path() / ("vyr_commdlg_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override
    {
        std::filesystem::remove_all(dir);
        ScriptedUser::Reset();
    }
};

TEST_F(CommonDialogTest, FileDialogNamesAndDefaultExtension)
{
    struct Case
    {
        const char* defExt;
        const char* answer;
        const char* path, *name, *ext, *title;
    };
    const Case cases[] = {
        {".SEC", "/proj/截面", "/proj/截面.SEC", "截面.SEC", "SEC", "截面"},
        {"txt", "/proj/wave.dat", "/proj/wave.dat", "wave.dat", "dat", "wave"},
        {".", "C:\\VYR\\Wave\\DefineI", "C:\\VYR\\Wave\\DefineI", "DefineI", "", "DefineI"},
        {nullptr, "a.b/c", "a.b/c", "c", "", "c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        ScriptedUser::AnswerFileDialog(c.answer);
        CFileDialog dlg(TRUE, c.defExt, nullptr, OFN_HIDEREADONLY, "SEC Files (*.SEC)|*.SEC|All Files (*.*)|*.*||");
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetPathName(), c.path);
        EXPECT_EQ(dlg.GetFileName(), c.name);
        EXPECT_EQ(dlg.GetFileExt(), c.ext);
        EXPECT_EQ(dlg.GetFileTitle(), c.title);
        EXPECT_STREQ(dlg.m_ofn.lpstrFile, c.path);
        auto filters = dlg.GetFilters();
        ASSERT_EQ(filters.size(), 2u);
        EXPECT_EQ(filters[1].first, "All Files (*.*)");
        EXPECT_EQ(filters[1].second, "*.*");
    }
    // Nothing scripted: Cancel, recorded.
    CFileDialog dlg(FALSE, ".SEC");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    auto records = ScriptedUser::Dialogs();
    ASSERT_FALSE(records.empty());
    EXPECT_TRUE(records.back().unscripted);
    EXPECT_EQ(records.back().name, "CFileDialog");
}

TEST_F(CommonDialogTest, SaveAsksBeforeReplacingAndOpenRefusesMissingFiles)
{
    std::string existing = (dir / "有.SEC").string();
    std::ofstream(existing) << "x";
    std::string fresh = (dir / "无.SEC").string();

    // Refuse to replace, then choose another name.
    ScriptedUser::AnswerFileDialog(existing.c_str());
    ScriptedUser::AnswerMessageBox(IDNO, "已存在");
    ScriptedUser::AnswerFileDialog(fresh.c_str());
    CFileDialog save(FALSE, ".SEC", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "SEC Files (*.SEC)|*.SEC||");
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), fresh);
    // Agree to replace.
    ScriptedUser::AnswerFileDialog(existing.c_str());
    ScriptedUser::AnswerMessageBox(IDYES);
    CFileDialog again(FALSE, ".SEC", nullptr, OFN_OVERWRITEPROMPT);
    ASSERT_EQ(again.DoModal(), IDOK);
    EXPECT_EQ(again.GetPathName(), existing);

    ScriptedUser::AnswerFileDialog(fresh.c_str());
    ScriptedUser::AnswerMessageBox(IDOK, "找不到文件");
    CFileDialog open(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST);
    EXPECT_EQ(open.DoModal(), IDCANCEL); // nothing more scripted: the user gave up
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 3u);
    EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
}

TEST_F(CommonDialogTest, ColourFontAndPrintAnswers)
{
    ScriptedUser::AnswerColorDialog(RGB(12, 34, 56));
    CColorDialog colour(RGB(1, 2, 3));
    EXPECT_EQ(colour.GetColor(), RGB(1, 2, 3));
    ASSERT_EQ(colour.DoModal(), IDOK);
    EXPECT_EQ(colour.GetColor(), RGB(12, 34, 56));
    CColorDialog cancelled(RGB(1, 2, 3));
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetColor(), RGB(1, 2, 3));

    LOGFONT initial{};
    initial.lfHeight = -12;
    std::strcpy(initial.lfFaceName, "宋体");
    LOGFONT chosen{};
    chosen.lfHeight = -16;
    chosen.lfWeight = 700;
    std::strcpy(chosen.lfFaceName, "Arial");
    ScriptedUser::AnswerFontDialog(chosen, RGB(255, 0, 0));
    CFontDialog font(&initial, CF_SCREENFONTS | CF_EFFECTS);
    EXPECT_EQ(font.GetFaceName(), "宋体");
    ASSERT_EQ(font.DoModal(), IDOK);
    LOGFONT got{};
    font.GetCurrentFont(&got);
    EXPECT_STREQ(got.lfFaceName, "Arial");
    EXPECT_EQ(got.lfHeight, -16);
    EXPECT_EQ(font.GetSize(), 120); // 16 pixels at 96 dpi: 12 points
    EXPECT_EQ(font.GetColor(), RGB(255, 0, 0));
    EXPECT_TRUE(font.IsBold());

    ScriptedUser::AnswerPrintDialog(true);
    ScriptedUser::AnswerPrintDialog(false);
    CPrintDialog print(FALSE);
    ASSERT_EQ(print.DoModal(), IDOK);
    HDC hdc = print.GetPrinterDC();
    ASSERT_NE(hdc, nullptr);
    CDC* dc = CDC::FromHandle(hdc);
    ASSERT_NE(dc, nullptr);
    dc->TextOut(10, 10, CString("第1页"));
    EXPECT_FALSE(dc->Records().empty());
    CPrintDialog refused(FALSE);
    EXPECT_EQ(refused.DoModal(), IDCANCEL);
}

TEST_F(ControlTest, TemplateControlsGetTheirClassObjectsAndDialogInit)
{
    const char* script = R"(
61500 DIALOGEX 0, 0, 200, 100
BEGIN
    COMBOBOX        1001,7,7,80,60,CBS_DROPDOWNLIST | CBS_SORT
    LISTBOX         1002,7,30,80,40
    CONTROL         "",1003,"SysListView32",LVS_REPORT,90,7,100,60
    CONTROL         "",1004,"MfcGridCtrl",WS_TABSTOP,90,70,100,20
    CONTROL         "",1005,"RichEdit20A",ES_MULTILINE,7,75,80,20
END
61500 DLGINIT
BEGIN
    1001, 0x403, 3, 0, "乙"
    1001, 0x403, 3, 0, "甲"
    1002, 0x401, 2, 0, "x"
    0
END
)";
    std::string err;
    ASSERT_TRUE(vyr::AddResourceScriptText(script, "factory.rc", &err)) << err;
    const vyr::DialogTemplate* t = vyr::FindDialogTemplate(61500);
    ASSERT_NE(t, nullptr);
    std::vector<CWnd*> made;
    for (const vyr::DialogControl& c : t->controls) made.push_back(vyr::CreateControlFromTemplate(c, &sink));
    ASSERT_EQ(made.size(), 5u);
    EXPECT_NE(dynamic_cast<CComboBox*>(made[0]), nullptr);
    EXPECT_NE(dynamic_cast<CListBox*>(made[1]), nullptr);
    EXPECT_NE(dynamic_cast<CListCtrl*>(made[2]), nullptr);
    ASSERT_NE(made[3], nullptr); // an unknown class is a plain window
    EXPECT_EQ(made[3]->GetDlgCtrlID(), 1004);
    EXPECT_NE(dynamic_cast<CRichEditCtrl*>(made[4]), nullptr);
    EXPECT_EQ(CWnd::FromHandle(made[0]->GetSafeHwnd()), made[0]);
    CRect r;
    made[0]->GetWindowRect(&r);
    EXPECT_EQ(r.Width(), 120);

    vyr::ApplyDialogInit(&sink, 61500);
    auto* combo = dynamic_cast<CComboBox*>(made[0]);
    ASSERT_EQ(combo->GetCount(), 2);
    CString s;
    combo->GetLBText(0, s);
    EXPECT_EQ(s, "甲"); // sorted
    EXPECT_EQ(dynamic_cast<CListBox*>(made[1])->GetCount(), 1);
    EXPECT_TRUE(sink.Take().empty());
    // The objects go with their windows.
    sink.DestroyWindow();
}
