// The wind comfort check: one wind case worked by hand with the wind reference factors set,
// the across-wind period and the main direction, the guards under every divisor, the cap,
// the settings and their edits under a scripted user, the grid colours and the chapter.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <vyr/controls.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/output/output.h>
#include <vyr/model/struct/LoadWindRefer.h>
#include <vyr/resources/dialogs/ComfortRes.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgComfortCheck.h>
#include <vyr/storey/DlgOutputDocument.h>
#include "storey/StoreyTest.h"
#include "support/StoreyModels.h"

using vyr::ScriptedUser;
using vyrtest::CStoreyModel;
using vyrtest::CStoreyModelSpec;

namespace {

// The computations the dialog keeps to itself.
class ComfortProbe : public CDlgComfortCheck
{
public:
    using CDlgComfortCheck::CDlgComfortCheck;
    using CDlgComfortCheck::GetAverageGravity;
    using CDlgComfortCheck::GetDirection;
    using CDlgComfortCheck::GetHengFengT;
    using CDlgComfortCheck::GetWindDirection;
};

// What the wind reference object was given last.
struct CReferGiven
{
    float height = 0, width = 0, w0 = 0, period = 0, ground = 0, scale = 0;
    int kind = 0, roughness = 0;
    double top = 0;
    float muS = 0;
};

class ComfortTest : public storeytest::StoreyTest
{
protected:
    void SetUp() override
    {
        storeytest::StoreyTest::SetUp();
        CLoadWindRefer::SetRule([this](const CLoadWindRefer& r, double top, float muS, double& muZ, double& xi,
                                       double& nu) {
            m_given = {r.m_fHeight, r.m_fWidth, r.m_fW0, r.m_fPeriod1, r.m_fGroundZ, r.m_fScale,
                       r.m_nShapeKind, r.m_nRoughness, top, muS};
            muZ = m_muZ;
            xi = m_xi;
            nu = m_nu;
        });
    }
    void TearDown() override
    {
        CLoadWindRefer::SetRule(nullptr);
        storeytest::StoreyTest::TearDown();
    }

    // Four storeys of 3 m, 20 m along x by 10 m along y, 1000 kN each; g 10, w0 0.5 kN/m2,
    // ground at 0.5 m, roughness C. Mode 1 (1 s) sways along X, mode 2 (0.5 s) along Y.
    static void Prepare(CStoreyModel& model)
    {
        model.SetPlan(2000.0, 1000.0);
        CStruct& s = model.Struct();
        s.m_pLoadSeismList->m_fG = 10.0f;
        s.m_fW0 = 0.5f;
        s.m_fGroundZ = 0.5f;
        s.m_nRoughness = 2;
        s.m_arrMode.assign(3, CStruct::CModeResult());
        s.m_arrMode[0].fPingX = 0.9f;
        s.m_arrMode[0].fPingY = 0.1f;
        s.m_arrMode[1].fPingX = 0.1f;
        s.m_arrMode[1].fPingY = 0.9f;
    }
    // Only the wind case along X stays.
    static void KeepOnlyWindX(CStoreyModel& model)
    {
        CBasicLCList* cases = model.Struct().m_pBasicLCList;
        for (int i = 1; i <= 3; ++i) {
            CBasicLoadCase* lc = model.Wind(i);
            cases->RemoveAt(cases->Find(lc));
            delete lc;
        }
    }

    static CGridCtrl* Grid(CDialog* d) { return dynamic_cast<CGridCtrl*>(d->GetDlgItem(IDC_COMFORT_GRID)); }
    static std::vector<std::vector<std::string>> Rows(CDialog* d)
    {
        return storeytest::GridRows(Grid(d));
    }
    static float EditValue(CDialog* d, int id)
    {
        CString text;
        d->GetDlgItemText(id, text);
        return (float)std::atof(text.GetString());
    }

    std::string TextChapter(CDlgComfortCheck& dlg, int flag)
    {
        return outtest::JoinLines(outtest::WriteAndReadText(m_tmp.File("comfort.txt"), [&](COutput& out) { dlg.Output(&out, flag); }));
    }
    std::string RtfChapter(CDlgComfortCheck& dlg, int flag, const std::string& name)
    {
        const std::string path = m_tmp.File(name);
        COutput out;
        EXPECT_TRUE(out.InitDevice(DEVICE_RTF, path.c_str(), 1));
        dlg.Output(&out, flag);
        out.Close();
        return path;
    }

    double m_muZ = 1.6, m_xi = 2.0, m_nu = 0.5;
    CReferGiven m_given;
    outtest::TempDir m_tmp;
};

TEST_F(ComfortTest, TheWindCasesAlongXAndYWorkedByHand)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(4));
    Prepare(model);
    ComfortProbe dlg(&model.Data());
    dlg.beginforoutput();
    ASSERT_EQ(dlg.m_nWindNum, 4);
    ASSERT_EQ(dlg.m_arrWind[0], model.Wind(0));
    ASSERT_EQ(dlg.m_arrWind[1], model.Wind(1));

    // Volume 4 x 200 m2 x 3 m over 12 m of height; 4000 kN over 2400 m3; 4000 kN / g 10.
    EXPECT_FLOAT_EQ(dlg.m_fBL, 200.0f);
    EXPECT_FLOAT_EQ(dlg.m_fGammaB, 4000.0f / 2400.0f);
    EXPECT_FLOAT_EQ(dlg.m_fMtot, 400.0f);
    EXPECT_FLOAT_EQ(dlg.m_fMuS, 1.3f);
    EXPECT_EQ(dlg.m_nFloorNum, 4);

    const double v = 40.0 * std::sqrt(1.3 * 1.6 * 0.5);
    auto across = [&](double t) {
        const double x = t * v / std::sqrt(200.0);
        const double br = 2.05e-4 * std::pow(x, 3.3);
        return br * std::sqrt(200.0) / (std::sqrt(0.02) * t * t * (4000.0 / 2400.0));
    };
    struct Case
    {
        const char* name;
        double area;   // m2: the faces of storeys 4, 3 and 2, 3 m each
        double period; // across the wind
    };
    const Case cases[] = {{"X: 10 m wide, across is Y, mode 2", 10.0 * 9.0, 0.5},
                          {"Y: 20 m wide, across is X, mode 1", 20.0 * 9.0, 1.0}};
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_FLOAT_EQ(dlg.GetA(dlg.m_arrWind[i]), (float)(cases[i].area * 1e4));
        EXPECT_DOUBLE_EQ(dlg.m_arrT[i], cases[i].period);
        EXPECT_NEAR(dlg.m_arrAw[i], 0.5 * cases[i].area * 1.3 * 2.0 * 0.5 * 0.83 / 400.0, 1e-6);
        EXPECT_NEAR(dlg.m_arrAtr[i], across(cases[i].period), across(cases[i].period) * 1e-5);
    }
    EXPECT_NEAR(dlg.m_fVnm, v, 1e-4);
    // The reference object of the last case: height above ground, mean width A / H, w0, the
    // period of mode 1, the roughness and the ground; asked at the top, 12 m.
    EXPECT_FLOAT_EQ(m_given.height, 11.5f);
    EXPECT_FLOAT_EQ(m_given.width, 20.0f * 9.0f / 12.0f);
    EXPECT_FLOAT_EQ(m_given.w0, 0.5f);
    EXPECT_FLOAT_EQ(m_given.period, 1.0f);
    EXPECT_EQ(m_given.kind, 1);
    EXPECT_EQ(m_given.roughness, 2);
    EXPECT_FLOAT_EQ(m_given.ground, 0.5f);
    EXPECT_FLOAT_EQ(m_given.scale, 1.0f);
    EXPECT_DOUBLE_EQ(m_given.top, 12.0);
    EXPECT_FLOAT_EQ(m_given.muS, 1.3f);
}

TEST_F(ComfortTest, TheAcrossWindPeriodFollowsTheMainDirectionOfTheCase)
{
    struct Case
    {
        const char* name;
        float shearX, shearY; // every storey's shears of the case
        float pingX[2], pingY[2];
        int direction;
        float period;
    };
    // Periods of modes 1, 2, 3: 1, 0.5, 0.333 s.
    const Case cases[] = {
        {"X dominates: the first mode with a Y share above 0.5", 10, 1, {0.9f, 0.2f}, {0.1f, 0.8f}, 1, 0.5f},
        {"Y dominates: the first mode with an X share above 0.5", 1, 10, {0.2f, 0.9f}, {0.8f, 0.1f}, 2, 0.5f},
        {"tied: taken as Y, so the X share counts", 5, 5, {0.1f, 0.6f}, {0.9f, 0.4f}, 2, 0.5f},
        {"no share above 0.5 across: mode 1", 10, 1, {0.5f, 0.6f}, {0.5f, 0.5f}, 1, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
        Prepare(model);
        CBasicLoadCase* lc = model.Wind(0);
        for (int k = 1; k <= 3; ++k)
            model.Storey(k)->SetTotalShear(lc->m_nNo, c.shearX, c.shearY);
        if (c.shearX == c.shearY) // a real tie: one storey each way, the third even
            model.Storey(3)->SetTotalShear(lc->m_nNo, 1, 9), model.Storey(2)->SetTotalShear(lc->m_nNo, 9, 1);
        for (int m = 0; m < 2; ++m) {
            model.Struct().m_arrMode[(size_t)m].fPingX = c.pingX[m];
            model.Struct().m_arrMode[(size_t)m].fPingY = c.pingY[m];
        }
        ComfortProbe dlg(&model.Data());
        EXPECT_EQ(dlg.GetDirection(lc), c.direction);
        EXPECT_FLOAT_EQ(dlg.GetHengFengT(lc), c.period);
    }
}

TEST_F(ComfortTest, OneRealStoreyHasNoWindwardAreaAndTakesY)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(1));
    Prepare(model);
    ComfortProbe dlg(&model.Data());
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(dlg.GetA(model.Wind(i)), 0.0f);
        EXPECT_EQ(dlg.GetDirection(model.Wind(i)), 2);
    }
}

TEST_F(ComfortTest, BasementsAndTheLowestStoreyAboveThemStayOutOfTheWindwardArea)
{
    // Two basements and three storeys above: the faces of storeys 3, 2 and 1 above and of
    // the upper basement (its level equals the basement count), 10 m x 3 m each.
    CStoreyModelSpec spec = CStoreyModelSpec().WithStoreys(3);
    spec.nBasement = 2;
    CStoreyModel model(spec);
    Prepare(model);
    ComfortProbe dlg(&model.Data());
    EXPECT_FLOAT_EQ(dlg.GetA(model.Wind(0)), 4 * 1000.0f * 300.0f);
    // The mean over the three storeys above the basements: 3 x 200 m2 x 3 m over 9 m.
    dlg.beginforoutput();
    EXPECT_FLOAT_EQ(dlg.m_fBL, 200.0f);
    EXPECT_EQ(dlg.m_nFloorNum, 3);
}

TEST_F(ComfortTest, NoDivisorLetsANumberGoAstray)
{
    struct Case
    {
        const char* name;
        void (*spoil)(CStoreyModel&);
    };
    const Case cases[] = {
        {"storeys of no height", [](CStoreyModel& m) {
             for (POSITION pos = m.Struct().m_pFloorList->GetHeadPosition(); pos != nullptr;)
                 m.Struct().m_pFloorList->GetNextT(pos)->m_dZ = 0.0;
             m.Struct().m_pFloorList->Relink();
         }},
        {"g of 0", [](CStoreyModel& m) { m.Struct().m_pLoadSeismList->m_fG = 0.0f; }},
        {"no modes", [](CStoreyModel& m) { m.Struct().SetModalResult({}); }},
        {"no weight", [](CStoreyModel& m) {
             for (int k = 1; k <= 3; ++k)
                 m.Storey(k)->m_fWeight = 0.0f;
         }},
        {"no plan", [](CStoreyModel& m) {
             for (int k = 1; k <= 3; ++k)
                 m.Storey(k)->m_pPlaneList->RemoveAll();
         }},
        {"a damping ratio of 0 kept in the object", [](CStoreyModel&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
        Prepare(model);
        c.spoil(model);
        CDlgComfortCheck dlg(&model.Data());
        if (std::string(c.name).find("damping") != std::string::npos)
            dlg.m_fZuni = 0.0f;
        const std::string text = TextChapter(dlg, 0);
        ASSERT_EQ(dlg.m_arrAw.size(), 4u);
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_TRUE(std::isfinite(dlg.m_arrT[i]));
            EXPECT_TRUE(std::isfinite(dlg.m_arrAw[i]) && dlg.m_arrAw[i] <= 10.0);
            EXPECT_TRUE(std::isfinite(dlg.m_arrAtr[i]) && dlg.m_arrAtr[i] <= 10.0);
        }
        EXPECT_TRUE(std::isfinite(dlg.m_fGammaB) && std::isfinite(dlg.m_fBL) && std::isfinite(dlg.m_fMtot));
        EXPECT_EQ(text.find("nan"), std::string::npos) << text;
        EXPECT_EQ(text.find("inf"), std::string::npos) << text;
    }
}

TEST_F(ComfortTest, AnAccelerationAboveTenIsCappedButItsWorkingShowsItWithTheWarning)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(4));
    Prepare(model);
    KeepOnlyWindX(model);
    // Along X: 0.5 x 90 x 1.3 x xi x nu x 0.83 / 400 = 12.3 with xi nu = 12.3 / 0.1213875.
    m_xi = 1.0;
    m_nu = 12.3 / 0.1213875;
    CDlgComfortCheck dlg(&model.Data());
    std::vector<std::vector<std::string>> rows;
    ScriptedUser::Run([&](CDialog* d) { rows = Rows(d); }, IDD_COMFORTCHECK);
    ScriptedUser::PressOK(IDD_COMFORTCHECK);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][1], "0.500s");
    EXPECT_EQ(rows[0][2], "10.000");

    const std::string text = TextChapter(dlg, 0);
    EXPECT_NE(text.find("=12.300\n\t顺风向顶点最大加速度过大异常，取为10.0\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("横风向顶点最大加速度过大异常"), std::string::npos);
    const std::string rtf = RtfChapter(dlg, 0, "capped.rtf");
    const outtest::RtfReading r = outtest::ReadRtf(rtf);
    ASSERT_TRUE(r.ok);
    bool tabled = false;
    for (const auto& row : r.rows)
        if (row.size() == 4 && row[2] == "10.000")
            tabled = true;
    EXPECT_TRUE(tabled) << "the table holds the capped value";
}

TEST_F(ComfortTest, StoredSettingsOutsideTheirRangesOpenWithTheDefaults)
{
    struct Case
    {
        float damp;
        int use;
        float limit;
        float shownDamp;
        int shownUse;
        float shownLimit;
    };
    const Case cases[] = {{0.0f, 7, 0.0f, 0.02f, 0, 0.15f},
                          {2e4f, -1, 1e4f, 0.02f, 0, 0.15f},
                          {0.05f, 1, 0.3f, 0.05f, 1, 0.3f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit);
        CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
        Prepare(model);
        CStruct& s = model.Struct();
        s.m_fComfortDamp = c.damp;
        s.m_nBuildingUse = c.use;
        s.m_fAccLimit = c.limit;
        CDlgComfortCheck dlg(&model.Data());
        float damp = 0, limit = 0;
        int use = -1;
        ScriptedUser::Run(
            [&](CDialog* d) {
                damp = EditValue(d, IDC_COMFORT_DAMP);
                limit = EditValue(d, IDC_COMFORT_LIMIT);
                use = static_cast<CComboBox*>(d->GetDlgItem(IDC_COMFORT_USE))->GetCurSel();
            },
            IDD_COMFORTCHECK);
        ScriptedUser::PressOK(IDD_COMFORTCHECK);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_FLOAT_EQ(damp, c.shownDamp);
        EXPECT_EQ(use, c.shownUse);
        EXPECT_FLOAT_EQ(limit, c.shownLimit);
        EXPECT_FLOAT_EQ(s.m_fAccLimit, c.limit) << "opening stores nothing";
    }
}

TEST_F(ComfortTest, ChoosingAUseSetsAndStoresItsLimit)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
    Prepare(model);
    CStruct& s = model.Struct();
    CDlgComfortCheck dlg(&model.Data());
    float shownOffice = 0, shownHome = 0, storedOffice = 0;
    int useOffice = -1;
    ScriptedUser::SelectString(IDC_COMFORT_USE, "办公、旅馆", IDD_COMFORTCHECK);
    ScriptedUser::Run(
        [&](CDialog* d) {
            shownOffice = EditValue(d, IDC_COMFORT_LIMIT);
            storedOffice = s.m_fAccLimit;
            useOffice = s.m_nBuildingUse;
        },
        IDD_COMFORTCHECK);
    ScriptedUser::SelectString(IDC_COMFORT_USE, "住宅、公寓", IDD_COMFORTCHECK);
    ScriptedUser::Run([&](CDialog* d) { shownHome = EditValue(d, IDC_COMFORT_LIMIT); }, IDD_COMFORTCHECK);
    ScriptedUser::PressOK(IDD_COMFORTCHECK);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FLOAT_EQ(shownOffice, 0.28f);
    EXPECT_FLOAT_EQ(storedOffice, 0.28f);
    EXPECT_EQ(useOffice, 1);
    EXPECT_FLOAT_EQ(shownHome, 0.20f);
    EXPECT_FLOAT_EQ(s.m_fAccLimit, 0.20f);
    EXPECT_EQ(s.m_nBuildingUse, 0);
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
}

TEST_F(ComfortTest, EditedDampingRecomputesAndARefusedValueChangesNothing)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(4));
    Prepare(model);
    KeepOnlyWindX(model);
    CStruct& s = model.Struct();
    CDlgComfortCheck dlg(&model.Data());
    std::vector<std::string> before, refused, after;
    float storedRefused = 0;
    auto across = [&](std::vector<std::string>& cell) {
        ScriptedUser::Run([&](CDialog* d) { cell = Rows(d)[0]; }, IDD_COMFORTCHECK);
    };
    across(before);
    ScriptedUser::SetText(IDC_COMFORT_DAMP, "6", IDD_COMFORTCHECK); // outside 0.001 to 5
    ScriptedUser::AnswerMessageBox(IDOK);
    ScriptedUser::Run([&](CDialog*) { storedRefused = s.m_fComfortDamp; }, IDD_COMFORTCHECK);
    across(refused);
    ScriptedUser::SetText(IDC_COMFORT_DAMP, "0.08", IDD_COMFORTCHECK);
    across(after);
    ScriptedUser::PressOK(IDD_COMFORTCHECK);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FLOAT_EQ(storedRefused, 0.02f);
    EXPECT_EQ(refused, before);
    EXPECT_FLOAT_EQ(s.m_fComfortDamp, 0.08f);
    // The across-wind acceleration goes with 1 / sqrt(zeta): halved from 0.02 to 0.08.
    EXPECT_NEAR(std::atof(after[3].c_str()), std::atof(before[3].c_str()) / 2.0, 0.0011);
    EXPECT_EQ(after[2], before[2]) << "the along-wind acceleration does not depend on it";
    const auto boxes = ScriptedUser::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.str().find("0.001"), std::string::npos) << boxes[0].text.str();
}

TEST_F(ComfortTest, AValueAtTheLimitIsMagentaInTheGridAndBlackInTheChapter)
{
    struct Case
    {
        const char* name;
        double factor; // limit = the along-wind acceleration times this
        bool gridMagenta;
        bool chapterRed;
    };
    const Case cases[] = {{"at the limit", 1.0, true, false},
                          {"above the limit", 0.9, true, true},
                          {"below the limit", 1.1, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CStoreyModel model(CStoreyModelSpec().WithStoreys(4));
        Prepare(model);
        KeepOnlyWindX(model);
        CStruct& s = model.Struct();
        s.m_fComfortDamp = 4.0f; // the across-wind acceleration stays far below
        {
            CDlgComfortCheck probe(&model.Data());
            probe.beginforoutput();
            s.m_fAccLimit = (float)(probe.m_arrAw[0] * c.factor);
        }
        CDlgComfortCheck dlg(&model.Data());
        COLORREF along = 1, acrossColour = 1;
        ScriptedUser::Run(
            [&](CDialog* d) {
                along = Grid(d)->GetItemFgColour(1, 2);
                acrossColour = Grid(d)->GetItemFgColour(1, 3);
            },
            IDD_COMFORTCHECK);
        ScriptedUser::PressOK(IDD_COMFORTCHECK);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(along, c.gridMagenta ? (COLORREF)0x00FF00FF : (COLORREF)CLR_DEFAULT);
        EXPECT_EQ(acrossColour, (COLORREF)CLR_DEFAULT);
        // The chapter of an object holding the limit as stored (a closed window holds it as
        // its edit showed it).
        CDlgComfortCheck chapter(&model.Data());
        const auto tables = storeytest::TablesOfRtf(RtfChapter(chapter, 0, "limit.rtf"), "#ff0000");
        ASSERT_EQ(tables.size(), 1u);
        EXPECT_EQ(tables[0].coloured, c.chapterRed);
    }
}

TEST_F(ComfortTest, AnEditedLimitIsStoredAndRecolours)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(4));
    Prepare(model);
    KeepOnlyWindX(model);
    model.Struct().m_fComfortDamp = 4.0f;
    CDlgComfortCheck dlg(&model.Data());
    COLORREF low = 1, high = 1;
    // The along-wind acceleration is 0.121: magenta under a limit of 0.1, not under 0.2.
    ScriptedUser::SetText(IDC_COMFORT_LIMIT, "0.1", IDD_COMFORTCHECK);
    ScriptedUser::Run([&](CDialog* d) { low = Grid(d)->GetItemFgColour(1, 2); }, IDD_COMFORTCHECK);
    ScriptedUser::SetText(IDC_COMFORT_LIMIT, "0.2", IDD_COMFORTCHECK);
    ScriptedUser::Run([&](CDialog* d) { high = Grid(d)->GetItemFgColour(1, 2); }, IDD_COMFORTCHECK);
    ScriptedUser::SetText(IDC_COMFORT_LIMIT, "2", IDD_COMFORTCHECK); // outside 0.01 to 1
    ScriptedUser::AnswerMessageBox(IDOK);
    ScriptedUser::PressCancel(IDD_COMFORTCHECK);
    ScriptedUser::AnswerMessageBox(IDOK); // closing reads the refused value again
    ScriptedUser::SetText(IDC_COMFORT_LIMIT, "0.2", IDD_COMFORTCHECK);
    ScriptedUser::PressOK(IDD_COMFORTCHECK);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(low, (COLORREF)0x00FF00FF);
    EXPECT_EQ(high, (COLORREF)CLR_DEFAULT);
    EXPECT_FLOAT_EQ(model.Struct().m_fAccLimit, 0.2f);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 2u);
}

TEST_F(ComfortTest, WithoutAWindCaseTheGridIsEmptyAndTheChapterEndsAfterTheTable)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3).WithWind(false));
    Prepare(model);
    CDlgComfortCheck dlg(&model.Data());
    int rows = -1, columns = -1;
    CRect place;
    ScriptedUser::Run(
        [&](CDialog* d) {
            rows = Grid(d)->GetRowCount();
            columns = Grid(d)->GetColumnCount();
            Grid(d)->GetWindowRect(&place);
            d->ScreenToClient(&place);
        },
        IDD_COMFORTCHECK);
    ScriptedUser::PressOK(IDD_COMFORTCHECK);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(rows, 1) << "the heading row only";
    EXPECT_EQ(columns, 4);
    EXPECT_EQ(place, CRect(10, 10, 363, 155)) << "made when the window is created";
    const std::string text = TextChapter(dlg, 1);
    EXPECT_NE(text.find("加速度限值："), std::string::npos);
    EXPECT_NE(text.find("风荷载工况"), std::string::npos);
    EXPECT_EQ(text.find("风载下舒适度验算过程"), std::string::npos);
    EXPECT_EQ(text.find("计算参数说明"), std::string::npos);
}

TEST_F(ComfortTest, TheViewerWritesTheChapterOfTheDialogWithItsCurrentSettings)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(4));
    Prepare(model);
    model.Data().ProjectName() = "舒适";
    CDlgComfortCheck dlg(&model.Data());
    CString caption;
    std::string text;
    ScriptedUser::SelectString(IDC_COMFORT_USE, "办公、旅馆", IDD_COMFORTCHECK);
    ScriptedUser::Click(IDC_COMFORT_OUTPUT, IDD_COMFORTCHECK);
    ScriptedUser::Run(
        [&](CDialog* d) {
            d->GetWindowText(caption);
            text = ViewerText(d);
        },
        IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_COMFORTCHECK);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, "舒适度统计报告");
    EXPECT_NE(text.find("舒适建筑风载下舒适度验算信息"), std::string::npos);
    EXPECT_NE(text.find(std::string(68, '=')), std::string::npos) << "stand-alone: the report head";
    EXPECT_NE(text.find("结构类型：办公、旅馆"), std::string::npos);
    EXPECT_NE(text.find("加速度限值：0.280m/s"), std::string::npos);
}

TEST_F(ComfortTest, TheChapterInTheWholeReportCarriesLegendAndWorkingWithSubAndSuperscripts)
{
    CStoreyModel model(CStoreyModelSpec().WithStoreys(4));
    Prepare(model);
    KeepOnlyWindX(model);
    CDlgComfortCheck dlg(&model.Data());
    const std::string path = RtfChapter(dlg, 1, "whole.rtf");
    const std::string html = outtest::RunCommand("unrtf --html '" + path + "' 2>/dev/null");
    const outtest::RtfReading r = outtest::ReadRtf(path);
    ASSERT_TRUE(r.ok);
    std::string lines;
    for (const std::string& line : r.lines)
        lines += storeytest::DecodeNamedEntities(line) + "\n";
    EXPECT_EQ(lines.find(std::string(68, '=')), std::string::npos) << "no report head in the whole report";
    EXPECT_NE(lines.find("建筑风载下舒适度验算信息"), std::string::npos);
    EXPECT_NE(lines.find("根据高层民用建筑钢结构技术规程JGJ 99-98第5.5.1条"), std::string::npos);
    EXPECT_NE(lines.find("-重现期调整系数，取10年时的系数为0.83"), std::string::npos);
    EXPECT_NE(lines.find("舒适度验算过程"), std::string::npos);
    EXPECT_NE(html.find("<sub>tot</sub>"), std::string::npos);
    EXPECT_NE(html.find("<sub>n,m</sub>"), std::string::npos);
    EXPECT_NE(html.find("<sup>0.5</sup>"), std::string::npos);
    EXPECT_NE(html.find("<sup>3.3</sup>"), std::string::npos);
    // The working of the X case, its numbers at three decimals.
    EXPECT_NE(lines.find("=2.000×0.500×1.3×0.83×0.500×90.000/400.000=0.121"), std::string::npos) << lines;
    ASSERT_GE(r.rows.size(), 2u);
    std::vector<std::string> heads;
    for (const std::string& cell : r.rows[0])
        heads.push_back(storeytest::DecodeNamedEntities(cell));
    EXPECT_EQ(heads, (std::vector<std::string>{"风荷载工况", "横风向T", "顺风向α", "横风向α"}));
    EXPECT_EQ(r.rows[1][1], "0.500");
}

TEST_F(ComfortTest, TheWindAngleGivesTheMainDirection)
{
    struct Case
    {
        double radians;
        int direction;
    };
    const double pi = 3.14159265358979;
    const Case cases[] = {{0.0, 1},        {pi / 2, 2},   {pi, 1},      {3 * pi / 2, 2},
                          {-pi / 2, 2},    {pi / 4, 2},   {pi / 5, 1},  {2 * pi + 0.0005, 1},
                          {4 * pi + pi / 2, 2}};
    CStoreyModel model(CStoreyModelSpec().WithStoreys(3));
    ComfortProbe dlg(&model.Data());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radians);
        model.Struct().m_pLoadWindNodeList[0]->m_dAngle = c.radians;
        EXPECT_EQ(dlg.GetWindDirection(model.Wind(0)), c.direction);
    }
    EXPECT_EQ(dlg.GetWindDirection(model.Seism(0)), 0) << "not a wind case";
}

} // namespace
