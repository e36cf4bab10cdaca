// The wave function editor and the time-history load case dialog on records of the model.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WaveTestKit.h"
#include <vyr/input/DlgTHCase.h>
#include <vyr/input/DlgWaveFunEdit.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/WaveRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;

namespace {

struct WaveRecords : wavetest::WaveWorld
{
    CStruct& st = *host.GlobalData().Struct();
    CWaveFun* a = nullptr;
    CWaveFun* b = nullptr;

    void SetUp() override
    {
        WaveWorld::SetUp();
        a = AddRecord("WA", 0.02f, 12.0f);
        b = AddRecord("WB", 0.01f, 5.0f);
    }
    CWaveFun* AddRecord(const char* name, float step, float dist)
    {
        std::vector<float> v((size_t)CWaveFun::SampleCount(dist, step) + 1, 2.0f);
        auto* w = new CWaveFun;
        w->SetValue(name, step, dist, v.data());
        st.m_pWaveFunList->AddTail(w);
        return w;
    }
    INT_PTR RunEditor(CWaveFun* wave, float mark = -1.0f)
    {
        CDlgWaveFunEdit dlg(nullptr);
        dlg.m_pWaveFun = wave;
        dlg.m_fMark = mark;
        return dlg.DoModal();
    }
    INT_PTR RunCase(CTHCase* thCase = nullptr)
    {
        CDlgTHCase dlg(nullptr);
        dlg.m_pData = &host.GlobalData();
        dlg.m_pTHCase = thCase;
        return dlg.DoModal();
    }
    CTHCase* AddCase(CWaveFun* x, CWaveFun* y, float damping)
    {
        auto* c = new CTHCase;
        c->SetName("OLD");
        c->m_pWaveFunX = x;
        c->m_pWaveFunY = y;
        c->m_fRatio = damping;
        c->m_fMaxX = 70.0f;
        c->m_fMaxY = 50.0f;
        c->m_fDist = 8.0f;
        st.m_pTHCaseList->Add(c);
        return c;
    }
};

} // namespace

TEST_F(WaveRecords, EditorWritesNameStepAndLengthButNeverTheSamples)
{
    ScriptedUser::Run([](CDialog* d) {
        EXPECT_EQ(wavetest::ItemText(d, IDC_WAVEEDIT_NAME), "WA");
        EXPECT_EQ(wavetest::ItemText(d, IDC_WAVEEDIT_STEP), "0.02");
        EXPECT_EQ(wavetest::ItemText(d, IDC_WAVEEDIT_LENGTH), "12");
    });
    ScriptedUser::SetText(IDC_WAVEEDIT_NAME, "RENAMED");
    ScriptedUser::SetText(IDC_WAVEEDIT_STEP, "0.01");
    ScriptedUser::SetText(IDC_WAVEEDIT_LENGTH, "6");
    ScriptedUser::PressOK();
    EXPECT_EQ(RunEditor(a), IDOK);
    EXPECT_EQ(a->GetName(), "RENAMED");
    EXPECT_FLOAT_EQ(a->GetStep(), 0.01f);
    EXPECT_FLOAT_EQ(a->GetDist(), 6.0f);
    EXPECT_EQ(a->GetNum(), 600);
    EXPECT_FLOAT_EQ(a->GetValue(599), 2.0f);
}

TEST_F(WaveRecords, EditorRefusesA120SecondRecordUnchangedAndCancelKeepsIt)
{
    CWaveFun* longOne = AddRecord("LONG", 0.02f, 120.0f);
    ScriptedUser::PressOK();
    ScriptedUser::AnswerMessageBox(IDOK, "和 100 之间的数字");
    ScriptedUser::SetText(IDC_WAVEEDIT_NAME, "CHANGED");
    ScriptedUser::PressCancel();
    EXPECT_EQ(RunEditor(longOne), IDCANCEL);
    EXPECT_EQ(longOne->GetName(), "LONG");
    EXPECT_FLOAT_EQ(longOne->GetDist(), 120.0f);
    EXPECT_FLOAT_EQ(longOne->GetStep(), 0.02f);
}

TEST_F(WaveRecords, EditorKeepsTypedTextOverARepaint)
{
    CString after;
    ScriptedUser::SetText(IDC_WAVEEDIT_NAME, "TYPED");
    ScriptedUser::Run([&after](CDialog* d) {
        d->Invalidate();
        d->UpdateWindow();
        d->SendMessage(WM_PAINT);
        after = wavetest::ItemText(d, IDC_WAVEEDIT_NAME);
    });
    ScriptedUser::PressOK();
    EXPECT_EQ(RunEditor(a), IDOK);
    EXPECT_EQ(after, "TYPED");
    EXPECT_EQ(a->GetName(), "TYPED");
}

TEST_F(WaveRecords, NewCaseWithoutAValidDirectionIsRefused)
{
    // Neither box chosen; then a record chosen for X with X unticked, Y unticked too.
    ScriptedUser::PressOK();
    ScriptedUser::AnswerMessageBox(IDOK, "不能两个方向都没有地震记录！");
    ScriptedUser::SelectRow(IDC_THCASE_WAVEX, 0);
    ScriptedUser::Check(IDC_THCASE_USEX, BST_UNCHECKED);
    ScriptedUser::Check(IDC_THCASE_USEY, BST_UNCHECKED);
    ScriptedUser::PressOK();
    ScriptedUser::AnswerMessageBox(IDOK, "不能两个方向都没有地震记录！");
    ScriptedUser::PressCancel();
    EXPECT_EQ(RunCase(), IDCANCEL);
    EXPECT_TRUE(st.m_pTHCaseList->IsEmpty());
}

TEST_F(WaveRecords, CaseFieldsTypedAreRangeChecked)
{
    struct Case
    {
        int ctrl;
        const char* text;
        const char* message; // null: accepted
    };
    const Case cases[] = {
        {IDC_THCASE_SPAN, "0", "介于 1 和 100 之间的整数"},
        {IDC_THCASE_SPAN, "101", "介于 1 和 100 之间的整数"},
        {IDC_THCASE_SPAN, "x", "请输入一个整数"},
        {IDC_THCASE_CUT, "100.5", "之间的数字"},
        {IDC_THCASE_PEAKX, "2001", "之间的数字"},
        {IDC_THCASE_STEP, "1.5", "之间的数字"},
        {IDC_THCASE_CUT, "0", nullptr},
        {IDC_THCASE_PEAKX, "0", nullptr},
        {IDC_THCASE_PEAKY, "0", nullptr},
        {IDC_THCASE_SPAN, "100", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const INT_PTR before = st.m_pTHCaseList->GetCount();
        ScriptedUser::SelectRow(IDC_THCASE_WAVEX, 0);
        ScriptedUser::SetText(c.ctrl, c.text);
        ScriptedUser::PressOK();
        if (c.message != nullptr) {
            ScriptedUser::AnswerMessageBox(IDOK, c.message);
            ScriptedUser::PressCancel();
        }
        EXPECT_EQ(RunCase(), c.message != nullptr ? IDCANCEL : IDOK);
        EXPECT_EQ(st.m_pTHCaseList->GetCount(), before + (c.message != nullptr ? 0 : 1));
    }
}

TEST_F(WaveRecords, NewCaseTakesTheSeismicDampingEvenAbove0_1)
{
    st.m_pLoadSeismList->m_fDamp = 0.12f;
    CString shown;
    ScriptedUser::Run([&shown](CDialog* d) { shown = wavetest::ItemText(d, IDC_THCASE_DAMP); });
    ScriptedUser::Check(IDC_THCASE_USEX, BST_UNCHECKED);
    ScriptedUser::SelectRow(IDC_THCASE_WAVEY, 1);
    ScriptedUser::SetText(IDC_THCASE_NAME, "EL");
    ScriptedUser::SetText(IDC_THCASE_PEAKY, "110");
    ScriptedUser::SetText(IDC_THCASE_SPAN, "2");
    ScriptedUser::PressOK();
    EXPECT_EQ(RunCase(), IDOK);
    EXPECT_EQ(shown, "0.12");
    ASSERT_EQ(st.m_pTHCaseList->GetCount(), 1);
    CTHCase* c = st.m_pTHCaseList->Get(1);
    EXPECT_EQ(c->GetId(), 1);
    EXPECT_EQ(c->GetName(), "EL");
    EXPECT_EQ(c->m_pWaveFunX, nullptr);
    EXPECT_EQ(c->m_pWaveFunY, b);
    EXPECT_FLOAT_EQ(c->m_fMaxY, 110.0f);
    EXPECT_FLOAT_EQ(c->m_fMaxX, 35.0f);
    EXPECT_FLOAT_EQ(c->m_fDist, 10.0f);
    EXPECT_FLOAT_EQ(c->m_fStep, 0.02f);
    EXPECT_EQ(c->m_nSpan, 2);
    EXPECT_FLOAT_EQ(c->m_fRatio, 0.12f);
}

TEST_F(WaveRecords, EditedCaseKeepsItsDampingAndUntickingXDropsItsRecord)
{
    st.m_pLoadSeismList->m_fDamp = 0.05f;
    CTHCase* c = AddCase(a, b, 0.03f);
    std::vector<std::string> shown;
    ScriptedUser::Run([&shown](CDialog* d) {
        auto* dlg = static_cast<CDlgTHCase*>(d);
        shown = {wavetest::ItemText(d, IDC_THCASE_NAME).GetString(), wavetest::ItemText(d, IDC_THCASE_DAMP).GetString(),
                 wavetest::ItemText(d, IDC_THCASE_PEAKX).GetString(), wavetest::ItemText(d, IDC_THCASE_CUT).GetString(),
                 std::to_string(dlg->m_cbWaveX.GetCurSel()), std::to_string(dlg->m_cbWaveY.GetCurSel())};
    });
    ScriptedUser::Check(IDC_THCASE_USEX, BST_UNCHECKED);
    ScriptedUser::PressOK();
    EXPECT_EQ(RunCase(c), IDOK);
    EXPECT_EQ(shown, (std::vector<std::string>{"OLD", "0.03", "70", "8", "0", "1"}));
    EXPECT_EQ(c->m_pWaveFunX, nullptr);
    EXPECT_EQ(c->m_pWaveFunY, b);
    EXPECT_FLOAT_EQ(c->m_fRatio, 0.03f);
    EXPECT_EQ(st.m_pTHCaseList->GetCount(), 1);

    // Opened again: X unticked, its box without a selection.
    int checkedX = -1, selX = 5;
    ScriptedUser::Run([&](CDialog* d) {
        checkedX = d->IsDlgButtonChecked(IDC_THCASE_USEX);
        selX = static_cast<CDlgTHCase*>(d)->m_cbWaveX.GetCurSel();
    });
    ScriptedUser::PressCancel();
    RunCase(c);
    EXPECT_EQ(checkedX, BST_UNCHECKED);
    EXPECT_EQ(selX, -1);
}

TEST_F(WaveRecords, DotsOpenTheEditorOnTheChosenRecordWithTheCutLengthMarked)
{
    float mark = 0;
    CWaveFun* edited = nullptr;
    ScriptedUser::SelectRow(IDC_THCASE_WAVEY, 0);
    // "..." beside an empty box does nothing.
    ScriptedUser::Click(IDC_THCASE_EDITX);
    ScriptedUser::Click(IDC_THCASE_EDITY);
    ScriptedUser::Run(
        [&](CDialog* d) {
            auto* dlg = static_cast<CDlgWaveFunEdit*>(d);
            mark = dlg->m_fMark;
            edited = dlg->m_pWaveFun;
        },
        IDD_WAVEFUNEDIT);
    ScriptedUser::SetText(IDC_WAVEEDIT_NAME, "WA2", IDD_WAVEFUNEDIT);
    ScriptedUser::PressOK(IDD_WAVEFUNEDIT);
    // The editor's change stays though the case is cancelled.
    ScriptedUser::PressCancel(IDD_THCASE);
    EXPECT_EQ(RunCase(), IDCANCEL);
    EXPECT_EQ(edited, a);
    EXPECT_FLOAT_EQ(mark, 10.0f);
    EXPECT_EQ(a->GetName(), "WA2");
    EXPECT_TRUE(st.m_pTHCaseList->IsEmpty());
}
