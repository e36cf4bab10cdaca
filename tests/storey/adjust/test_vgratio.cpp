// The shear-to-weight ratio dialog under a scripted user: the storey rows and factors of a
// case, the stored coefficient, the weak storeys listed and set, refused input, the linked
// storeys on closing, and the chapter (stand-alone through the viewer, in the whole report,
// reduced).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/resources/dialogs/StoreyAdjustRes.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerVGRatio.h>
#include "storey/adjust/AdjustTest.h"
#include "support/StoreyModels.h"

using vyr::ScriptedUser;
using vyrtest::CStoreyModel;
using vyrtest::CStoreyModelSpec;

namespace {

class VGRatioTest : public storeytest::StoreyTest
{
protected:
    static std::vector<std::vector<std::string>> StoreyGrid(CDialog* d)
    {
        return adjusttest::GridRows(d, IDC_VG_STOREYGRID);
    }

    outtest::TempDir m_tmp;
};

// Storeys from the top: G 1000 and 2000 kN, V 10 and 40 kN, λ 0.016.
// Top: G above 1000, V/G 10/1000 = 1.000 %, factor 0.016 × 1000 / 10 = 1.6.
// Below: G above 3000, V/G 40/3000 = 1.333 %, factor 0.016 × 3000 / 40 = 1.2.
TEST_F(VGRatioTest, TheRowsOfACaseRunFromTheLowestStoreyWithRatiosAndStoredFactors)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(2));
    model.SetWeights({2000, 1000});
    model.SetSeismShears(0, {40, 10});
    const int k = model.SeismPos(0);
    model.Struct().m_fMinShearCof[k] = 0.016f;
    CDlgLayerVGRatio dlg(&model.Data());
    std::vector<std::vector<std::string>> rows;
    ScriptedUser::Run([&](CDialog* d) { rows = StoreyGrid(d); }, IDD_LAYERVGRATIO);
    ScriptedUser::PressOK(IDD_LAYERVGRATIO);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const std::vector<std::vector<std::string>> expected = {
        {"第1层", "2000.000", "3000.000", "40.000", "1.333%", "1.200"},
        {"第2层", "1000.000", "1000.000", "10.000", "1.000%", "1.600"},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_NEAR(model.Storey(1)->m_fMinShearAmplify[k], 1.2f, 1e-5f);
    EXPECT_NEAR(model.Storey(2)->m_fMinShearAmplify[k], 1.6f, 1e-5f);
}

// Three storeys of 1000 kN under λ 0.016, V 100, 0 and 5 kN from the lowest: the top gets
// 0.016 × 1000 / 5 = 3.2; the middle has no shear (9999); the lowest 0.016 × 3000 / 100 =
// 0.48, raised to 1.
TEST_F(VGRatioTest, NoShearGives9999AndAFactorBelowOneIsOne)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
    model.SetSeismShears(0, {100, 0, 5});
    const int k = model.SeismPos(0);
    model.Struct().m_fMinShearCof[k] = 0.016f;
    CDlgLayerVGRatio dlg(&model.Data());
    std::vector<std::vector<std::string>> rows;
    ScriptedUser::Run([&](CDialog* d) { rows = StoreyGrid(d); }, IDD_LAYERVGRATIO);
    ScriptedUser::PressCancel(IDD_LAYERVGRATIO);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][5], "1.000");
    EXPECT_EQ(rows[1][4], "0.000%");
    EXPECT_EQ(rows[1][5], "9999.000");
    EXPECT_EQ(rows[2][5], "3.200");
    EXPECT_FLOAT_EQ(model.Storey(1)->m_fMinShearAmplify[k], 1.0f);
    EXPECT_FLOAT_EQ(model.Storey(2)->m_fMinShearAmplify[k], 9999.0f);
}

TEST_F(VGRatioTest, TheFactorIsAtLeastOneAndBeyond10000Is9999)
{
    struct Case
    {
        float cof;
        double gAbove, v;
        float factor;
    };
    const Case cases[] = {
        {0.02f, 500.0, 5.0, 2.0f},        // 0.02 × 500 / 5
        {0.016f, 1000.0, 100.0, 1.0f},    // 0.16 raised to 1
        {0.016f, 1000.0, 0.0, 9999.0f},   // no shear: divided by 1e-7
        {0.016f, 1000.0, 1e-8, 9999.0f},  // below 1e-7 alike
        {1.0f, 10000.0, 1.0, 10000.0f},   // exactly 10000 stays
        {1.0f, 10001.0, 1.0, 9999.0f},
    };
    for (const Case& c : cases) {
        CStoreyVG row;
        row.dGAbove = c.gAbove;
        row.dV = c.v;
        EXPECT_NEAR(CDlgLayerVGRatio::Factor(c.cof, row), c.factor, 1e-4f) << c.gAbove << " " << c.v;
    }
}

// A stored λ outside 0.001 to 1 is replaced by the one of the seismic data (intensity 7:
// 0.016) and stored; the top storey (G above 1000, V 10) shows what was used.
TEST_F(VGRatioTest, AStoredCoefficientOutOfRangeIsReplacedByTheComputedOne)
{
    struct Case
    {
        float stored, used;
    };
    const Case cases[] = {{0.0f, 0.016f}, {0.0005f, 0.016f}, {1.5f, 0.016f},
                          {0.032f, 0.032f}, {0.001f, 0.001f}, {1.0f, 1.0f}};
    for (const Case& c : cases) {
        CStoreyModel model(CStoreyModelSpec().WithStoreys(2));
        model.SetWeights({2000, 1000});
        model.SetSeismShears(0, {40, 10});
        const int k = model.SeismPos(0);
        model.Struct().m_fMinShearCof[k] = c.stored;
        CDlgLayerVGRatio dlg(&model.Data());
        dlg.beginforoutput();
        EXPECT_FLOAT_EQ(model.Struct().m_fMinShearCof[k], c.used) << c.stored;
        const float top = c.used * 1000.0f / 10.0f;
        EXPECT_NEAR(model.Storey(2)->m_fMinShearAmplify[k], top < 1.0f ? 1.0f : top, 1e-4f) << c.stored;
    }
}

TEST_F(VGRatioTest, TheCoefficientButtonStoresTheComputedCoefficientAndRefills)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(2));
    model.SetWeights({2000, 1000});
    model.SetSeismShears(0, {40, 10});
    const int k = model.SeismPos(0);
    model.Struct().m_fMinShearCof[k] = 0.032f;
    CDlgLayerVGRatio dlg(&model.Data());
    std::vector<std::vector<std::string>> before, after;
    ScriptedUser::Run([&](CDialog* d) { before = StoreyGrid(d); }, IDD_LAYERVGRATIO);
    ScriptedUser::Click(IDC_VG_CALCOF, IDD_LAYERVGRATIO);
    ScriptedUser::Run([&](CDialog* d) { after = StoreyGrid(d); }, IDD_LAYERVGRATIO);
    ScriptedUser::PressOK(IDD_LAYERVGRATIO);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(before.size(), 2u);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(before[1][5], "3.200");
    EXPECT_EQ(after[1][5], "1.600");
    EXPECT_FLOAT_EQ(model.Struct().m_fMinShearCof[k], 0.016f);
}

// Weak storeys at positions 7 (1.5), 3 (1.25) and 9 (1.02) are listed from the lowest; 1.01
// at position 5 is not weak.
TEST_F(VGRatioTest, TheWeakStoreysAreListedLowestFirstBeyondOnePointZeroOne)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(10));
    const int k = model.SeismPos(0);
    for (int s = 1; s <= 10; ++s)
        model.Storey(s)->m_fWeakAmplify[k] = 1.0f;
    model.Storey(7)->m_fWeakAmplify[k] = 1.5f;
    model.Storey(3)->m_fWeakAmplify[k] = 1.25f;
    model.Storey(5)->m_fWeakAmplify[k] = 1.01f;
    model.Storey(9)->m_fWeakAmplify[k] = 1.02f;
    CDlgLayerVGRatio dlg(&model.Data());
    std::string numbers, factors;
    ScriptedUser::Run(
        [&](CDialog* d) {
            numbers = vyrtest::DlgText(*d, IDC_VG_WEAKNO);
            factors = vyrtest::DlgText(*d, IDC_VG_WEAKFACTOR);
        },
        IDD_LAYERVGRATIO);
    ScriptedUser::PressCancel(IDD_LAYERVGRATIO);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(numbers, "3,7,9");
    EXPECT_EQ(factors, "1.25,1.50,1.02");
}

TEST_F(VGRatioTest, RefusedWeakStoreyInputStoresNothingAndFocusesItsEdit)
{
    struct Case
    {
        const char *numbers, *factors, *message;
        int focus;
    };
    const Case cases[] = {
        {"3,7", "1.2", "指定楼层号与对应放大系数必须个数对应！", IDC_VG_WEAKFACTOR},
        {"12", "1.2", "指定楼层号不能大于真实楼层数！", IDC_VG_WEAKNO},
        {"3,x", "1.2", "指定楼层号不能大于真实楼层数！", IDC_VG_WEAKNO},
        {"3", "12", "层放大系数不能大于10！", IDC_VG_WEAKFACTOR},
    };
    CStoreyModel model(CStoreyModelSpec().WithStoreys(10));
    const int k = model.SeismPos(0);
    for (int s = 1; s <= 10; ++s)
        model.Storey(s)->m_fWeakAmplify[k] = 1.0f;
    model.Storey(5)->m_fWeakAmplify[k] = 1.5f;
    CDlgLayerVGRatio dlg(&model.Data());
    std::vector<bool> focused;
    for (const Case& c : cases) {
        ScriptedUser::SetText(IDC_VG_WEAKNO, c.numbers, IDD_LAYERVGRATIO);
        ScriptedUser::SetText(IDC_VG_WEAKFACTOR, c.factors, IDD_LAYERVGRATIO);
        ScriptedUser::Click(IDC_VG_RECAL, IDD_LAYERVGRATIO);
        ScriptedUser::AnswerMessageBox(IDOK, c.message);
        const int focus = c.focus;
        ScriptedUser::Run([&focused, focus](CDialog* d) { focused.push_back(CWnd::GetFocus() == d->GetDlgItem(focus)); },
                          IDD_LAYERVGRATIO);
    }
    // λ beyond 100 is refused before the storeys are read.
    ScriptedUser::SetText(IDC_VG_WEAKNO, "3", IDD_LAYERVGRATIO);
    ScriptedUser::SetText(IDC_VG_WEAKFACTOR, "2", IDD_LAYERVGRATIO);
    ScriptedUser::SetText(IDC_VG_COF, "150", IDD_LAYERVGRATIO);
    ScriptedUser::Click(IDC_VG_RECAL, IDD_LAYERVGRATIO);
    ScriptedUser::AnswerMessageBox(IDOK, "请输入一个介于");
    ScriptedUser::SetText(IDC_VG_COF, "1", IDD_LAYERVGRATIO);
    ScriptedUser::PressCancel(IDD_LAYERVGRATIO);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(focused, std::vector<bool>(std::size(cases), true));
    for (int s = 1; s <= 10; ++s)
        EXPECT_FLOAT_EQ(model.Storey(s)->m_fWeakAmplify[k], s == 5 ? 1.5f : 1.0f) << s;
}

// With two basements below five storeys, positions 2 and 5 are the rows of storeys 2 and 5
// above the basements; every other real storey, basements too, is no longer weak in this
// case, and the other case keeps its factors. Choosing the case again lists the same
// positions.
TEST_F(VGRatioTest, ResettingWeakStoreysPutsEachFactorInTheRowsStoreyWithBasements)
{
    CStoreyModelSpec spec = CStoreyModelSpec().WithStoreys(5);
    spec.nBasement = 2;
    CStoreyModel model(spec);
    const int k = model.SeismPos(0), other = model.SeismPos(1);
    for (int i = 1; i <= 7; ++i) {
        model.Struct().m_pFloorList->GetRealFloor(i)->m_fWeakAmplify[k] = 1.3f;
        model.Struct().m_pFloorList->GetRealFloor(i)->m_fWeakAmplify[other] = 1.3f;
    }
    CDlgLayerVGRatio dlg(&model.Data());
    std::string numbers, factors;
    ScriptedUser::SetText(IDC_VG_WEAKNO, "5,2", IDD_LAYERVGRATIO);
    ScriptedUser::SetText(IDC_VG_WEAKFACTOR, "2.0,1.5", IDD_LAYERVGRATIO);
    ScriptedUser::Click(IDC_VG_RECAL, IDD_LAYERVGRATIO);
    adjusttest::ClickGridRow(IDC_VG_CASEGRID, 2, IDD_LAYERVGRATIO);
    adjusttest::ClickGridRow(IDC_VG_CASEGRID, 1, IDD_LAYERVGRATIO);
    ScriptedUser::Run(
        [&](CDialog* d) {
            numbers = vyrtest::DlgText(*d, IDC_VG_WEAKNO);
            factors = vyrtest::DlgText(*d, IDC_VG_WEAKFACTOR);
        },
        IDD_LAYERVGRATIO);
    ScriptedUser::PressOK(IDD_LAYERVGRATIO);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    for (int s = 1; s <= 5; ++s)
        EXPECT_FLOAT_EQ(model.Storey(s)->m_fWeakAmplify[k], s == 2 ? 1.5f : s == 5 ? 2.0f : 1.0f) << s;
    for (int b = 1; b <= 2; ++b)
        EXPECT_FLOAT_EQ(model.Basement(b)->m_fWeakAmplify[k], 1.0f) << b;
    for (int s = 1; s <= 5; ++s)
        EXPECT_FLOAT_EQ(model.Storey(s)->m_fWeakAmplify[other], 1.3f) << s;
    EXPECT_EQ(numbers, "2,5");
    EXPECT_EQ(factors, "1.50,2.00");
}

// The vote walks the storeys from the top but never the lowest: storey 3 is dominated by X,
// storey 2 by Y, a tie that goes to X (the lowest storey, dominated by Y, does not count).
TEST_F(VGRatioTest, ATieOfDominatedStoreysTakesTheXShears)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
    const int k = model.SeismPos(0);
    const float shears[3][2] = {{1, 50}, {1, 20}, {10, 1}};
    for (int s = 1; s <= 3; ++s) {
        model.Storey(s)->m_fSeismShearX[k] = shears[s - 1][0];
        model.Storey(s)->m_fSeismShearY[k] = shears[s - 1][1];
    }
    CDlgLayerVGRatio dlg(&model.Data());
    std::vector<std::vector<std::string>> rows;
    ScriptedUser::Run([&](CDialog* d) { rows = StoreyGrid(d); }, IDD_LAYERVGRATIO);
    ScriptedUser::PressCancel(IDD_LAYERVGRATIO);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][3], "1.000");
    EXPECT_EQ(rows[2][3], "10.000");

    CDlgLayerVGRatio chapter(&model.Data());
    const std::string text = adjusttest::TextChapter(chapter, 1, m_tmp);
    const size_t first = text.find("(主方向");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(text.compare(first, std::string("(主方向X向)").size(), "(主方向X向)"), 0);
}

// Weights 1000 to 5000 kN from storey 1 and the round shears 100 to 20 kN: from the top,
// G above 5000, 9000, 12000, 14000, 15000 and the factors 0.016 × G above / V = 4.0, 3.6,
// 3.2, 2.8, 2.4, in both cases.
TEST_F(VGRatioTest, AWindowlessChapterStoresEveryCasesFactorsAndShowsNoMessage)
{
    CStoreyModel model;
    model.SetWeights({1000, 2000, 3000, 4000, 5000});
    CDlgLayerVGRatio dlg(&model.Data());
    const std::string text = adjusttest::TextChapter(dlg, 1, m_tmp);
    EXPECT_NE(text.find("楼层剪压比统计信息"), std::string::npos);
    const float expected[] = {2.4f, 2.8f, 3.2f, 3.6f, 4.0f};
    for (int i = 0; i < 2; ++i)
        for (int s = 1; s <= 5; ++s)
            EXPECT_NEAR(model.Storey(s)->m_fMinShearAmplify[model.SeismPos(i)], expected[s - 1], 1e-4f)
                << "case " << i << " storey " << s;
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());

    CStoreyModel none(CStoreyModelSpec().WithSeismPairs(0));
    CDlgLayerVGRatio empty(&none.Data());
    EXPECT_EQ(adjusttest::TextChapter(empty, 1, m_tmp), "");
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
}

TEST_F(VGRatioTest, AReducedChapterKeepsOnlyTheStoreyAndFactorColumns)
{
    CStoreyModel model;
    model.SetWeights({1000, 2000, 3000, 4000, 5000});
    CDlgLayerVGRatio dlg(&model.Data());
    const std::string text = adjusttest::TextChapter(dlg, 2, m_tmp);
    EXPECT_NE(text.find("V放大系数"), std::string::npos);
    EXPECT_NE(text.find("第 1层"), std::string::npos);
    EXPECT_NE(text.find("2.400"), std::string::npos);
    for (const std::string& absent : {std::string("G本层(kN)"), std::string("V/G比值"), std::string("计算参数说明"),
                                      std::string("抗震规范"), std::string("层剪压比统计输出"), std::string(68, '=')})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
}

// Storey 3 shares storey 1's data. V 10, 40, 40 kN from the lowest, 1000 kN each, λ 0.016:
// storey 1 gets 0.016 × 3000 / 10 = 4.8, storey 3 (own shear) 0.4 raised to 1.
TEST_F(VGRatioTest, ClosingCopiesBothFactorsToLinkedStoreysAndEscapeDoesNot)
{
    for (bool close : {true, false}) {
        CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
        model.SetSeismShears(0, {10, 40, 40});
        const int k = model.SeismPos(0), other = model.SeismPos(1);
        model.Struct().m_fMinShearCof[k] = 0.016f;
        model.Storey(1)->m_fWeakAmplify[k] = 1.5f;
        model.Storey(1)->m_fMinShearAmplify[other] = 7.0f;
        model.Storey(3)->m_fWeakAmplify[k] = 1.0f;
        model.Storey(3)->m_nOwn = 0;
        model.Storey(3)->m_pLink = model.Storey(1);
        CDlgLayerVGRatio dlg(&model.Data());
        if (close)
            ScriptedUser::PressOK(IDD_LAYERVGRATIO);
        else
            ScriptedUser::PressCancel(IDD_LAYERVGRATIO);
        EXPECT_EQ(dlg.DoModal(), close ? IDOK : IDCANCEL);
        const CFloor* linked = model.Storey(3);
        EXPECT_NEAR(linked->m_fMinShearAmplify[k], close ? 4.8f : 1.0f, 1e-4f) << close;
        EXPECT_FLOAT_EQ(linked->m_fWeakAmplify[k], close ? 1.5f : 1.0f) << close;
        EXPECT_FLOAT_EQ(linked->m_fMinShearAmplify[other], close ? 7.0f : 0.0f) << close;
    }
}

// The viewer of kind 5 writes the open dialog's chapter; read back from its RTF file.
TEST_F(VGRatioTest, TheViewerWritesTheChapterWithTheHandValues)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(2));
    model.Data().ProjectName() = "样例";
    model.SetWeights({2000, 1000});
    model.SetSeismShears(0, {40, 10});
    const int k = model.SeismPos(0);
    model.Struct().m_fMinShearCof[k] = 0.016f;
    model.Storey(2)->m_fWeakAmplify[k] = 1.3f;
    const std::string path = m_tmp.File("vg.rtf");
    CDlgLayerVGRatio dlg(&model.Data());
    ScriptedUser::Click(IDC_VG_OUTPUT, IDD_LAYERVGRATIO);
    ScriptedUser::Click(IDC_DOC_RTF, IDD_OUTPUTDOCUMENT);
    ScriptedUser::AnswerFileDialog(path.c_str());
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_LAYERVGRATIO);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const outtest::RtfReading r = outtest::ReadRtf(path);
    ASSERT_TRUE(r.ok);
    ASSERT_FALSE(r.lines.empty());
    EXPECT_EQ(r.lines[0], "样例楼层剪压比统计信息");
    EXPECT_TRUE(adjusttest::HasLine(r, std::string(68, '='))) << "stand-alone: the report head";
    EXPECT_TRUE(adjusttest::HasLine(r, "计算参数说明："));
    EXPECT_TRUE(adjusttest::HasLine(r, "抗震规范(5.2.5)条要求的X向楼层最小地震剪力系数 = 1.600%"));
    EXPECT_TRUE(adjusttest::HasLine(r, "此工况薄弱楼层为2，对应的薄弱层放大系数为1.30"));
    // The Y case: the round shears 40 and 20 kN along Y; 0.016 × 1000 / 20 = 0.8 raised to 1.
    const std::vector<std::vector<std::string>> expected = {
        {"第 1层", "2000.000", "3000.000", "40.000", "1.333%", "1.200"},
        {"第 2层", "1000.000", "1000.000", "10.000", "1.000%", "1.600"},
        {"第 1层", "2000.000", "3000.000", "40.000", "1.333%", "1.200"},
        {"第 2层", "1000.000", "1000.000", "20.000", "2.000%", "1.000"},
    };
    EXPECT_EQ(adjusttest::StoreyRows(r), expected);
}

TEST_F(VGRatioTest, WithoutASeismicCaseTheDialogSaysSoAndItsButtonsAreHarmless)
{
    CStoreyModel model(CStoreyModelSpec().WithSeismPairs(0));
    CDlgLayerVGRatio dlg(&model.Data());
    ScriptedUser::AnswerMessageBox(IDOK, "对不起，您没有施加水平地震荷载！");
    ScriptedUser::Click(IDC_VG_OUTPUT, IDD_LAYERVGRATIO);
    ScriptedUser::Click(IDC_VG_CALCOF, IDD_LAYERVGRATIO);
    ScriptedUser::SetText(IDC_VG_WEAKNO, "2", IDD_LAYERVGRATIO);
    ScriptedUser::SetText(IDC_VG_WEAKFACTOR, "1.5", IDD_LAYERVGRATIO);
    ScriptedUser::Click(IDC_VG_RECAL, IDD_LAYERVGRATIO);
    ScriptedUser::PressOK(IDD_LAYERVGRATIO);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
    for (int s = 1; s <= 5; ++s)
        for (int k = 0; k < 12; ++k)
            EXPECT_FLOAT_EQ(model.Storey(s)->m_fWeakAmplify[k], 0.0f);
}

} // namespace

namespace {

// The switch is stored when ticked, whichever way the dialog then closes.
TEST_F(VGRatioTest, TheAdjustSwitchIsStoredAtOnce)
{
    CStoreyModel model;
    CDlgLayerVGRatio dlg(&model.Data());
    ScriptedUser::Check(IDC_VG_ADJUST, BST_CHECKED, IDD_LAYERVGRATIO);
    ScriptedUser::PressCancel(IDD_LAYERVGRATIO);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(model.Data().FloorSeismAdjust(), 1);
}

} // namespace
