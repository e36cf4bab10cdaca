// The vibration characteristics of the modes: the list the dialog shows, the chapter in its
// two compositions, a first period of 0, and the chapter the viewer writes as its kind 9.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/model/output/coutput.h>
#include <vyr/reports/DlgOutputFrequent.h>
#include <vyr/resources/dialogs/OutputFrequentRes.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include "storey/StoreyTest.h"
#include "support/StoreyModels.h"

using vyr::ScriptedUser;

namespace {

struct Mode
{
    float period, twin, pingX, pingY, angle, massX, massY;
};

class FrequentTest : public storeytest::StoreyTest
{
protected:
    void SetModes(const std::vector<Mode>& modes)
    {
        std::vector<float> periods;
        for (const Mode& m : modes)
            periods.push_back(m.period);
        m_model.Struct().SetModalResult(periods);
        m_model.Struct().m_arrMode.clear();
        for (const Mode& m : modes) {
            CStruct::CModeResult r;
            r.fTwin = m.twin;
            r.fPingX = m.pingX;
            r.fPingY = m.pingY;
            r.fAngle = m.angle;
            r.fMassX = m.massX;
            r.fMassY = m.massY;
            m_model.Struct().m_arrMode.push_back(r);
        }
    }
    // Three modes whose frequencies and period ratios are worked out by hand.
    void SetThreeModes()
    {
        SetModes({{1.20f, 0.05f, 0.90f, 0.05f, 0.0f, 0.80f, 0.01f},
                  {0.80f, 0.10f, 0.02f, 0.88f, 90.0f, 0.02f, 0.75f},
                  {0.40f, 0.85f, 0.10f, 0.05f, 45.0f, 0.00f, 0.00f}});
    }
    outtest::RtfReading Chapter(int flag)
    {
        CDlgOutputFrequent dlg(nullptr);
        dlg.m_pGlobalData = &m_model.Data();
        return outtest::WriteAndReadRtf(m_dir.File("frequent" + std::to_string(flag) + ".rtf"),
                                        [&](COutput& out) { dlg.Output(out, flag); });
    }
    // The table rows after the head row.
    static std::vector<std::vector<std::string>> ModeRows(const outtest::RtfReading& rtf)
    {
        std::vector<std::vector<std::string>> rows;
        bool inTable = false;
        for (const auto& row : rtf.rows) {
            if (!row.empty() && row[0] == "振型号") {
                inTable = true;
                continue;
            }
            if (inTable)
                rows.push_back(row);
        }
        return rows;
    }
    static bool HasLine(const outtest::RtfReading& rtf, const std::string& part) { return outtest::HasLine(rtf, part); }

    vyrtest::CStoreyModel m_model;
    outtest::TempDir m_dir;
};

TEST_F(FrequentTest, TheListShowsEveryModeWithTheRatioAfterTheTorsionFactor)
{
    SetThreeModes();
    std::vector<std::vector<std::string>> cells;
    CString direction;
    int selected = -1;
    ScriptedUser::Run(
        [&](CDialog* d) {
            auto& dlg = *static_cast<CDlgOutputFrequent*>(d);
            for (int i = 0; i < dlg.m_List.GetItemCount(); ++i) {
                std::vector<std::string> row;
                for (int c = 0; c < 9; ++c)
                    row.push_back(dlg.m_List.GetItemText(i, c).str());
                cells.push_back(row);
            }
            d->GetDlgItemText(IDC_OUTFREQ_DIRECTION, direction);
            selected = dlg.m_List.GetNextItem(-1, LVNI_SELECTED);
        },
        IDD_OUTPUTFREQUENT);
    ScriptedUser::PressOK(IDD_OUTPUTFREQUENT);
    CDlgOutputFrequent dlg(nullptr);
    dlg.m_pGlobalData = &m_model.Data();
    EXPECT_EQ(dlg.DoModal(), IDOK);

    const std::vector<std::vector<std::string>> want = {
        {" 1", "1.20000", "0.83333", " 0.05", " 1.00", " 0.90+0.05", "0.00", " 0.80", " 0.01"},
        {" 2", "0.80000", "1.25000", " 0.10", " 0.67", " 0.02+0.88", "90.00", " 0.02", " 0.75"},
        {" 3", "0.40000", "2.50000", " 0.85", " 0.33", " 0.10+0.05", "45.00", " 0.00", " 0.00"}};
    EXPECT_EQ(cells, want);
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(direction, m_model.Struct().GetFrequentDirectionDecription());
    EXPECT_NE(direction.str().find("扭转"), std::string::npos); // the third mode twists
}

TEST_F(FrequentTest, TheChapterPutsTheRatioBeforeTheTorsionFactorWithSixDecimals)
{
    SetThreeModes();
    const outtest::RtfReading rtf = Chapter(0);
    ASSERT_TRUE(rtf.ok);
    const std::vector<std::vector<std::string>> want = {
        {"1", "1.200000", "0.833333", "1.00", "0.05", "0.90+0.05", "0.00", "0.80", "0.01"},
        {"2", "0.800000", "1.250000", "0.67", "0.10", "0.02+0.88", "90.00", "0.02", "0.75"},
        {"3", "0.400000", "2.500000", "0.33", "0.85", "0.10+0.05", "45.00", "0.00", "0.00"}};
    EXPECT_EQ(ModeRows(rtf), want);
    EXPECT_TRUE(HasLine(rtf, "动力特性信息"));
    EXPECT_TRUE(HasLine(rtf, "结构动力特性总体信息"));
    EXPECT_TRUE(HasLine(rtf, std::string(76, '-')));
    EXPECT_TRUE(HasLine(rtf, "第3振型"));
}

TEST_F(FrequentTest, OnlyTheStandAloneChapterHasTheReportHead)
{
    SetThreeModes();
    const outtest::RtfReading alone = Chapter(0), section = Chapter(1);
    EXPECT_TRUE(HasLine(alone, "===="));
    EXPECT_FALSE(HasLine(section, "===="));
    EXPECT_TRUE(HasLine(section, "动力特性信息"));
    EXPECT_EQ(ModeRows(alone), ModeRows(section));
}

TEST_F(FrequentTest, TheTenthModeNumberFillsItsTwoPlaces)
{
    std::vector<Mode> modes;
    for (int i = 0; i < 10; ++i)
        modes.push_back({2.0f / (float)(i + 1), 0.0f, 1.0f, 0.0f, 0.0f, 0.1f, 0.0f});
    SetModes(modes);
    const auto rows = ModeRows(Chapter(1));
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[9][0], "10");
    EXPECT_EQ(rows[9][1], "0.200000");
    EXPECT_EQ(rows[9][2], "5.000000");
    EXPECT_EQ(rows[9][3], "0.10");
}

// A first period of 0 would divide by zero: the frequency and the ratios are 0 then.
TEST_F(FrequentTest, AFirstPeriodOfZeroPrintsZeroInsteadOfInfinity)
{
    SetModes({{0.0f, 0.1f, 0.9f, 0.0f, 0.0f, 0.5f, 0.0f}, {0.5f, 0.1f, 0.0f, 0.9f, 90.0f, 0.0f, 0.5f}});
    const auto rows = ModeRows(Chapter(1));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][2], "0.000000");
    EXPECT_EQ(rows[0][3], "0.00");
    EXPECT_EQ(rows[1][2], "2.000000");
    EXPECT_EQ(rows[1][3], "0.00");
    for (const auto& row : rows)
        for (const std::string& cell : row) {
            EXPECT_EQ(cell.find("inf"), std::string::npos) << cell;
            EXPECT_EQ(cell.find("nan"), std::string::npos) << cell;
        }
}

TEST_F(FrequentTest, WithoutModesTheListIsEmptyAndTheTableHasItsHeadsOnly)
{
    SetModes({});
    int count = -1;
    ScriptedUser::Run([&](CDialog* d) { count = static_cast<CDlgOutputFrequent*>(d)->m_List.GetItemCount(); },
                      IDD_OUTPUTFREQUENT);
    ScriptedUser::PressOK(IDD_OUTPUTFREQUENT);
    CDlgOutputFrequent dlg(nullptr);
    dlg.m_pGlobalData = &m_model.Data();
    dlg.DoModal();
    EXPECT_EQ(count, 0);
    const outtest::RtfReading rtf = Chapter(1);
    EXPECT_TRUE(HasLine(rtf, "结构动力特性总体信息"));
    EXPECT_TRUE(ModeRows(rtf).empty());
}

// The report button opens the viewer without a parent; its kind 9 writes the chapter from a
// temporary dialog on the same model.
TEST_F(FrequentTest, TheReportButtonOpensTheViewerWithTheStandAloneChapter)
{
    SetThreeModes();
    CString caption;
    std::string text;
    ScriptedUser::Click(IDC_OUTFREQ_OUTPUT, IDD_OUTPUTFREQUENT);
    ScriptedUser::Run(
        [&](CDialog* d) {
            d->GetWindowText(caption);
            text = ViewerText(d);
        },
        IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    ScriptedUser::PressOK(IDD_OUTPUTFREQUENT);
    CDlgOutputFrequent dlg(nullptr);
    dlg.m_pGlobalData = &m_model.Data();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, "自振特性统计报告");
    EXPECT_NE(text.find("结构动力特性总体信息"), std::string::npos);
    EXPECT_NE(text.find("0.833333"), std::string::npos);
    EXPECT_NE(text.find("===="), std::string::npos);
}

} // namespace
