// The property grid: rows that check and write their values through their descriptors,
// and the controller that fills the grid, keeps its groups and scroll across refills,
// rewrites only the changed rows and runs the dialog keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include <vyr/protocol/HostMessages.h>
#include <vyr/host/PropsUI.h>
#include "host/PanelTestKit.h"
#include "support/TestHost.h"
#include "support/TestProps.h"

namespace {

using vyr::ScriptedUser;
using vyrtest::CTestHost;
using vyrtest::CTestRecord;
using vyrtest::CTestRecordList;

// The window holding a grid: forwards the two grid messages to its controller, or, when
// told, only records them and answers as told.
class CHolder : public CWnd
{
public:
    CPropsUI* ui = nullptr;
    bool forward = true;
    LRESULT otherAnswer = 0;
    int endEdits = 0, others = 0;
    bool editingWhenEndEditArrived = false;

    LRESULT OnEndEdit(WPARAM w, LPARAM l)
    {
        ++endEdits;
        auto* row = reinterpret_cast<CBCGPProp*>(l);
        editingWhenEndEditArrived = ui->GetPropList().HasProperty(row) && row->IsInPlaceEditing();
        return forward ? ui->OnEndEditProp(w, l) : 0;
    }
    LRESULT OnOther(WPARAM w, LPARAM l)
    {
        ++others;
        return forward ? ui->OnOtherProp(w, l) : otherAnswer;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHolder, CWnd)
    ON_MESSAGE(WM_PROP_ENDEDIT, &CHolder::OnEndEdit)
    ON_MESSAGE(WM_PROP_OTHER, &CHolder::OnOther)
END_MESSAGE_MAP()

class PropGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ScriptedUser::Reset();
        holder.ui = &ui;
        host.ShowWindow(SW_SHOW);
        ASSERT_TRUE(holder.CreateEx(0, nullptr, "holder", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 300), &host, 77));
        ASSERT_TRUE(ui.Create(&holder, 8000, WS_CHILD | WS_VISIBLE));
        ui.Move(0, 0, 300, 300);
        records.Make(2, 1.0);
        Rec(1)->a = 1.0; // both records agree
    }
    void TearDown() override
    {
        vyr::PumpMessages();
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
    }
    // The test family over the records.
    void FillTest()
    {
        ui.SetParam(2, &records, 99, &host.GlobalData());
        vyrtest::BuildTestProps(*ui.GetProps());
        ui.FillItem();
    }
    CBCGPPropList& List() { return ui.GetPropList(); }
    HWND ListWnd() { return ui.GetPropListHWND(); }
    CBCGPProp* Row(const char* caption) { return vyrhosttest::FindRow(List(), caption); }
    CTestRecord* Rec(int i) { return static_cast<CTestRecord*>(records.GetAt(records.FindIndex(i))); }

    CTestHost host;
    CHolder holder;
    CPropsUI ui;
    CTestRecordList records;
};

// ---- the row's value check and write

TEST_F(PropGridTest, UpdateValueAnswersAndMessagesByCase)
{
    struct Case
    {
        const char* row;
        const char* typed;      // text in the edit window
        bool other;             // the typed text is the dialog value
        const char* msgbox;     // expected message, or null
        BOOL result;
        double aAfter;          // A of the first record afterwards
        int endEdits, others;
        const char* editText;   // the edit window's text afterwards (null: not checked)
    };
    const Case cases[] = {
        {"A", "1.00", false, nullptr, TRUE, 1.0, 0, 0, nullptr},       // unchanged
        {"A", "abc", false, "请输入一个数字！", FALSE, 1.0, 0, 0, "1.00"}, // refused: old text back
        {"对话", nullptr, true, nullptr, TRUE, 1.0, 0, 1, "值"},        // the dialog: answer 0
        {"A", "7.5", false, nullptr, TRUE, 7.5, 1, 0, nullptr},         // a plain value
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "other");
        holder.forward = false;
        holder.otherAnswer = 0;
        holder.endEdits = holder.others = 0;
        Rec(0)->a = Rec(1)->a = 1.0;
        FillTest();
        CBCGPProp* row = Row(c.row);
        ASSERT_TRUE(row);
        ASSERT_TRUE(List().EditItem(row));
        CString typed = c.other ? CProps::GetOtherString() : CString(c.typed);
        row->m_pWndInPlace->SetWindowText(typed);
        if (c.msgbox)
            ScriptedUser::AnswerMessageBox(IDOK, c.msgbox);
        host.ClearMessages();
        EXPECT_EQ(row->OnUpdateValue(), c.result);
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        EXPECT_EQ(holder.others, c.others); // sent: already there
        if (c.editText) {
            CString now;
            row->m_pWndInPlace->GetWindowText(now);
            EXPECT_EQ(now, c.editText);
        }
        if (c.msgbox) {
            int from = -1, to = -1;
            ::SendMessage(row->m_pWndInPlace->GetSafeHwnd(), EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
            EXPECT_EQ(from, 0);
            EXPECT_EQ(to, 4);
        }
        List().EndEditItem(FALSE);
        vyr::PumpMessages();
        EXPECT_DOUBLE_EQ(Rec(0)->a, c.aAfter);
        EXPECT_DOUBLE_EQ(Rec(1)->a, c.aAfter);
        EXPECT_EQ(holder.endEdits, c.endEdits);
        EXPECT_EQ(host.Count(WM_UI_MODELEDITED), 0);
    }
}

TEST_F(PropGridTest, RefusedValuesShowTheMessageAndKeepTheEditOpen)
{
    const char* refused[][2] = {
        {"abc", "请输入一个数字！"}, {"", "请输入一个数字！"}, {"1e400", "请输入一个数字！"},
        {"nan", "请输入一个数字！"}, {"2000", "请输入-1000.00到1000.00之间的数值！"},
    };
    FillTest();
    for (auto& r : refused) {
        SCOPED_TRACE(r[0]);
        ScriptedUser::AnswerMessageBox(IDOK, r[1]);
        ASSERT_TRUE(vyr::UserPropSetValue(ListWnd(), "A", r[0]));
        CBCGPProp* a = Row("A");
        ASSERT_TRUE(a->IsInPlaceEditing());
        CString now;
        a->m_pWndInPlace->GetWindowText(now);
        EXPECT_EQ(now, "1.00");
        ::SendMessage(a->m_pWndInPlace->GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
        vyr::PumpMessages();
        EXPECT_DOUBLE_EQ(Rec(0)->a, 1.0);
        EXPECT_EQ(holder.endEdits, 0);
        EXPECT_EQ(ScriptedUser::MessageBoxes().back().text, r[1]);
    }
}

TEST_F(PropGridTest, EndEditAnswersWhetherTheRowTookItsValue)
{
    FillTest();
    EXPECT_EQ(ui.EndEdit(), 1); // no current row
    CBCGPProp* a = Row("A");
    ASSERT_TRUE(List().EditItem(a));
    a->m_pWndInPlace->SetWindowText("x");
    ScriptedUser::AnswerMessageBox(IDOK, "请输入一个数字！");
    EXPECT_EQ(ui.EndEdit(), 0);
    EXPECT_TRUE(a->IsInPlaceEditing());
    a->m_pWndInPlace->SetWindowText("3");
    EXPECT_EQ(ui.EndEdit(), 1);
    EXPECT_FALSE(a->IsInPlaceEditing());
    EXPECT_DOUBLE_EQ(Rec(1)->a, 3.0);
}

TEST_F(PropGridTest, RefusedValueWithNoEditWindowShowsNothing)
{
    FillTest();
    // No edit runs: the text read is empty, which a number row refuses, silently.
    EXPECT_EQ(Row("A")->OnUpdateValue(), FALSE);
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
    EXPECT_DOUBLE_EQ(Rec(0)->a, 1.0);
}

TEST_F(PropGridTest, WrittenValueIsPostedAndHandledAfterTheEditEnded)
{
    FillTest();
    ASSERT_TRUE(vyr::UserPropSetValue(ListWnd(), "A", "5"));
    EXPECT_EQ(holder.endEdits, 0); // posted, not sent
    vyr::PumpMessages();
    EXPECT_EQ(holder.endEdits, 1);
    EXPECT_FALSE(holder.editingWhenEndEditArrived);
    EXPECT_DOUBLE_EQ(Rec(0)->a, 5.0);
    EXPECT_EQ(host.Count(WM_UI_PROPCHANGED), 1);
}

// ---- partial updates and rebuilds

TEST_F(PropGridTest, EditChangingTwoOtherRowsRewritesExactlyThoseThree)
{
    FillTest();
    ASSERT_TRUE(vyr::UserPropExpand(ListWnd(), "组一", true));
    CBCGPProp *a = Row("A"), *b = Row("B"), *c = Row("C"), *x = Row("X"), *dialog = Row("对话");
    const int rows = List().GetPropertyCount();
    // Marks on rows: rewritten rows lose them.
    for (CBCGPProp* r : {b, c, x, dialog})
        r->SetDescription("旧");
    List().MoveWindow(0, 0, 300, 120); // small enough to scroll
    ASSERT_TRUE(List().HasVertScrollBar());
    List().SetVertScrollOffset(18);
    ASSERT_TRUE(List().EditItem(a));
    a->m_pWndInPlace->SetWindowText("5");
    EXPECT_EQ(ui.EndEdit(), 1);
    vyr::PumpMessages();
    // The same row objects, the dependent values rewritten, the others untouched.
    EXPECT_EQ(List().GetPropertyCount(), rows);
    EXPECT_EQ(Row("A"), a);
    EXPECT_EQ(Row("B"), b);
    EXPECT_EQ(Row("C"), c);
    EXPECT_EQ(a->FormatProperty(), "5.00");
    EXPECT_EQ(b->FormatProperty(), "10.00");
    EXPECT_EQ(c->FormatProperty(), "6.00");
    EXPECT_EQ(b->GetDescription(), "B");
    EXPECT_EQ(c->GetDescription(), "C");
    EXPECT_EQ(x->GetDescription(), "旧");
    EXPECT_EQ(dialog->GetDescription(), "旧");
    EXPECT_TRUE(Row("组一")->IsExpanded());
    EXPECT_FALSE(Row("组二")->IsExpanded());
    EXPECT_EQ(List().GetVertScrollOffset(), 18);
    EXPECT_EQ(host.Count(WM_UI_PROPCHANGED), 1);
}

TEST_F(PropGridTest, EditShowingAGroupRebuildsWithEveryGroupAsItWas)
{
    FillTest();
    ASSERT_TRUE(vyr::UserPropExpand(ListWnd(), "组一", true));
    CBCGPProp* oldA = Row("A");
    ASSERT_EQ(Row("附加"), nullptr);
    ASSERT_TRUE(vyr::UserPropChooseOption(ListWnd(), "开关", "开"));
    vyr::PumpMessages();
    EXPECT_EQ(Rec(0)->mode, 1);
    ASSERT_NE(Row("附加"), nullptr);
    EXPECT_NE(Row("A"), oldA); // rebuilt
    EXPECT_TRUE(Row("组一")->IsExpanded());
    EXPECT_FALSE(Row("组二")->IsExpanded());
    EXPECT_FALSE(Row("附加")->IsExpanded()); // never seen before: closed
    EXPECT_EQ(Row("开关")->FormatProperty(), "开");
    // And back: the group goes away again.
    ASSERT_TRUE(vyr::UserPropExpand(ListWnd(), "附加", true));
    ASSERT_TRUE(vyr::UserPropChooseOption(ListWnd(), "开关", "关"));
    vyr::PumpMessages();
    EXPECT_EQ(Row("附加"), nullptr);
    EXPECT_TRUE(ui.GetExpandMemory().at("G.Extra"));
}

TEST_F(PropGridTest, RefillScrollsBackToTheLastRecordedOffset)
{
    FillTest();
    ASSERT_TRUE(vyr::UserPropExpand(ListWnd(), "多行", true));
    ASSERT_TRUE(List().HasVertScrollBar());
    ASSERT_TRUE(vyr::UserPropScroll(ListWnd(), 120));
    ui.RecordExpand(nullptr, nullptr, true);
    ui.FillItem();
    EXPECT_EQ(List().GetVertScrollOffset(), 120);
    EXPECT_TRUE(Row("多行")->IsExpanded());
    ASSERT_TRUE(vyr::UserPropScroll(ListWnd(), 0));
    ui.RecordExpand(nullptr, nullptr, true);
    ui.FillItem();
    EXPECT_EQ(List().GetVertScrollOffset(), 120); // 0 is never recorded
    EXPECT_EQ(ui.GetRememberedScroll(), 120);
}

TEST_F(PropGridTest, HiddenDescriptorBeforeAGroupKeepsEachGroupUnderItsOwnKey)
{
    FillTest();
    ASSERT_TRUE(vyr::UserPropExpand(ListWnd(), "组一", true));
    ASSERT_TRUE(vyr::UserPropExpand(ListWnd(), "多行", true));
    ui.RecordExpand(nullptr, nullptr, true);
    const auto& memory = ui.GetExpandMemory();
    EXPECT_TRUE(memory.at("G.One"));
    EXPECT_FALSE(memory.at("G.Two"));
    EXPECT_TRUE(memory.at("G.Many"));
    ui.FillItem();
    EXPECT_TRUE(Row("组一")->IsExpanded());
    EXPECT_FALSE(Row("组二")->IsExpanded());
    EXPECT_TRUE(Row("多行")->IsExpanded());
}

// ---- dialog keys

TEST_F(PropGridTest, DialogKeyAnsweringZeroStillRefreshesRebuildsAndTellsTheHost)
{
    static int calls;
    static void* seenObjects;
    static CGlobalData* seenData;
    static int answer;
    calls = 0;
    answer = 0;
    ui.GetCallbacks()["Test.Dialog"] = [](void* objects, CGlobalData* data) {
        ++calls;
        seenObjects = objects;
        seenData = data;
        return answer;
    };
    FillTest();
    auto* desc = dynamic_cast<vyrtest::CTestDialogProp*>(reinterpret_cast<CProp*>(Row("对话")->GetData()));
    ASSERT_TRUE(desc);
    CBCGPProp* oldA = Row("A");
    host.ClearMessages();
    ASSERT_TRUE(vyr::UserPropDblClickName(ListWnd(), "对话"));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seenObjects, &records);
    EXPECT_EQ(seenData, &host.GlobalData());
    EXPECT_EQ(desc->m_nRefreshed, 1);
    EXPECT_NE(Row("A"), oldA);
    EXPECT_EQ(host.Count(WM_UI_PROPCHANGED), 1);
    // The handler's answer is the callback's, as 0 or 1.
    EXPECT_EQ(ui.OnOtherProp(0, (LPARAM)Row("对话")), 0);
    answer = 7;
    EXPECT_EQ(ui.OnOtherProp(0, (LPARAM)Row("对话")), 1);
    // Choosing the dialog value runs it as well, and writes nothing.
    ASSERT_TRUE(vyr::UserPropChooseOption(ListWnd(), "对话", CProps::GetOtherString()));
    EXPECT_EQ(calls, 4);
    // A row without a descriptor or with an unknown key runs nothing.
    EXPECT_EQ(ui.DealOtherProp(nullptr), 0);
    EXPECT_EQ(ui.DealOtherProp(static_cast<CBCGPVyrProp*>(Row("A"))), 0);
}

TEST_F(PropGridTest, TheTwentySixKeysAreTheCallbacksInByteOrder)
{
    const char* keys[] = {"Prop.NodeSupport", "Prop.BeamSec", "Prop.BeamRelease", "Prop.BeamOffset",
                          "Prop.BeamRigid", "Prop.BeamWebHoleDefine", "Prop.WallOffset", "Prop.WallHoleDefine",
                          "Prop.WallHoleAdjust", "Prop.PlaneHoleDefine", "Prop.PlaneSubBeamDefine",
                          "Prop.NodeCheckOutput", "Prop.NodeOutputDisp", "Prop.NodeOutputForce",
                          "Prop.NodeOutputCheck", "Prop.BeamCheckOutput", "Prop.BeamForceDetail",
                          "Prop.BeamOutputForce", "Prop.BeamOutputCheck", "Prop.BeamOutputStatistic",
                          "Prop.BeamPinnail", "Prop.BeamPinnailDesign", "Prop.PlaneBan", "Prop.PlaneBanDesign",
                          "Prop.PlaneBanCheck", "Prop.BCInWallCheckOutput"};
    std::vector<std::string> sorted(std::begin(keys), std::end(keys));
    std::sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
        return std::strcmp(a.c_str(), b.c_str()) < 0;
    });
    std::vector<std::string> held;
    for (const auto& [key, fn] : ui.GetCallbacks()) {
        held.push_back(key.str());
        EXPECT_NE(fn, nullptr);
    }
    EXPECT_EQ(held, sorted);
    EXPECT_EQ(ui.GetCallbacks().at("Prop.BeamForceDetail"), &CPropsUI::BeamQueryForceDlg);
    EXPECT_EQ(ui.GetCallbacks().at("Prop.PlaneBan"), &CPropsUI::PlaneBanLibDlg);
    EXPECT_EQ(ui.GetCallbacks().at("Prop.NodeSupport"), &CPropsUI::SupportDlg);
}

// ---- node coordinates and the storey heights

TEST_F(PropGridTest, NodeHeightEditPostsACopyOfTheHeightsThatOutlivesARefill)
{
    CPNode n1(1, CPoint3D(0, 0, 0)), n2(2, CPoint3D(100, 0, 300)), n3(3, CPoint3D(200, 0, 300));
    CPNodeList nodes;
    for (CPNode* n : {&n1, &n2, &n3})
        nodes.AddTail(n);
    ui.SetParam(2, &nodes, 0, &host.GlobalData());
    ui.FillItem();
    ASSERT_TRUE(vyr::UserPropExpand(ListWnd(), "基本信息", true));
    std::vector<double> seen;
    LPARAM seenL = -1;
    host.m_onMessage = [&](const vyrtest::HostMessage& m) {
        if (m.message != WM_UI_MODELEDITED)
            return;
        for (const CReal& r : *reinterpret_cast<std::vector<CReal>*>(m.wParam))
            seen.push_back(r.toD());
        seenL = m.lParam;
    };
    host.GlobalData().UnitLength() = 10; // shown in mm, no decimals
    ui.RecordExpand(nullptr, nullptr, true);
    ui.FillItem();
    EXPECT_EQ(Row("Z坐标")->FormatProperty(), "");            // the nodes differ
    EXPECT_EQ(Row("X坐标")->FormatProperty(), "");
    EXPECT_EQ(Row("Y坐标")->FormatProperty(), "0");
    ASSERT_TRUE(vyr::UserPropSetValue(ListWnd(), "Z坐标", "6000"));
    // Written, the edit kept open, nothing for the holder.
    for (CPNode* n : {&n1, &n2, &n3})
        EXPECT_DOUBLE_EQ(n->GetPt().z, 600.0);
    EXPECT_TRUE(Row("Z坐标")->IsInPlaceEditing());
    // The grid is refilled for other objects before the host reads its message.
    CPNodeList others;
    ui.SetParam(2, &others, 0, &host.GlobalData());
    ui.FillItem();
    vyr::PumpMessages();
    EXPECT_EQ(host.Count(WM_UI_MODELEDITED), 1);
    EXPECT_EQ(seen, (std::vector<double>{0.0, 300.0, 600.0}));
    EXPECT_EQ(seenL, 0);
    EXPECT_EQ(holder.endEdits, 0);
    nodes.RemoveAll();
}

// ---- creation

TEST_F(PropGridTest, GridTakesTheLibraryFontSizedAsTheMenuFont)
{
    LOGFONT lf{}, base{};
    ASSERT_TRUE(List().GetFont());
    List().GetFont()->GetLogFont(&lf);
    globalData.fontRegular.GetLogFont(&base);
    NONCLIENTMETRICS m{};
    m.cbSize = sizeof m;
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
    EXPECT_STREQ(lf.lfFaceName, base.lfFaceName);
    EXPECT_EQ(lf.lfHeight, m.lfMenuFont.lfHeight);
    EXPECT_NE(lf.lfHeight, base.lfHeight);
    EXPECT_EQ(lf.lfWeight, m.lfMenuFont.lfWeight);
    EXPECT_FALSE(List().IsHeaderCtrl());
    EXPECT_TRUE(List().IsDescriptionArea());
    EXPECT_TRUE(List().IsVSDotNetLook());
}

} // namespace
