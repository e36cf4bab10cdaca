// The secondary beams of triangular rooms: sides, directions, working lengths and reopening.
#include "SubBeamTest.h"

#include "support/ModelInvariants.h"

using namespace subbeamtest;

namespace {

using Tri = CDlgPlaneSubBeamDefineTri;
constexpr UINT kTri = IDD_SUBBEAM_TRI;

class TriSubBeams : public SubBeamTest
{
protected:
    static void Insert(const char* d1, const char* d2, const char* refusal = nullptr)
    {
        ScriptedUser::SetText(IDC_SUBBEAM_DIST1, d1, kTri);
        ScriptedUser::SetText(IDC_SUBBEAM_DIST2, d2, kTri);
        ScriptedUser::Click(IDC_SUBBEAMTRI_INSERT, kTri);
        if (refusal != nullptr)
            ScriptedUser::AnswerMessageBox(IDOK, refusal);
    }
};

} // namespace

TEST_F(TriSubBeams, TheSampleTriangleHasOneMemberPerSideAndDividesParallelToItsFirstSide)
{
    CSampleModelSize size;
    size.bTriangleRoom = true;
    BuildSampleModel(d, size);
    CPlane* room = s.m_pPlaneList->Get((int)s.m_pPlaneList->GetCount());
    ASSERT_EQ(room->GetEdgeNum(), 3);
    In<Tri>(kTri, [](Tri& dlg) {
        EXPECT_EQ(std::vector<int>(dlg.m_nSideBeams, dlg.m_nSideBeams + 3), (std::vector<int>{1, 1, 1}));
        EXPECT_TRUE(dlg.IsDlgButtonChecked(IDC_SUBBEAMTRI_SIDE1));
        // Between S2 and S3, both 500 cm.
        EXPECT_EQ(Text(dlg, IDC_SUBBEAM_SHOWLEN1), "5000");
        EXPECT_EQ(Text(dlg, IDC_SUBBEAM_SHOWLEN2), "5000");
    });
    ScriptedUser::SetText(IDC_SUBBEAM_DIVCOUNT, "1", kTri);
    ScriptedUser::Click(IDC_SUBBEAM_DIVIDE, kTri);
    ScriptedUser::PressOK(kTri);
    ASSERT_EQ(Key({room}), 1);
    ASSERT_EQ(room->m_pSubBeamList->GetCount(), 1);
    // Halfway along S2 from C2 (600, 0) and along S3 from C1 (0, 0) towards the apex (300, -400).
    const CBeamBase* sub = room->m_pSubBeamList->Get(1);
    EXPECT_NEAR(sub->GetNode1()->m_pt.x, 450, 1e-6);
    EXPECT_NEAR(sub->GetNode1()->m_pt.y, -200, 1e-6);
    EXPECT_NEAR(sub->GetNode2()->m_pt.x, 150, 1e-6);
    EXPECT_NEAR(sub->GetNode2()->m_pt.y, -200, 1e-6);
    EXPECT_NEAR(sub->GetNode1()->m_pt.z, 3 * 360, 1e-6);
    EXPECT_EQ(room->m_nSubBeamDir, 1);
    vyrtest::ExpectConsistent(d);
}

TEST_F(TriSubBeams, ALayoutParallelToTheSecondSideReopensThere)
{
    // Sides S1 800, S2 1000, S3 600 cm.
    CPlane* room = Room({{0, 0}, {800, 0}, {0, 600}});
    ScriptedUser::Click(IDC_SUBBEAMTRI_SIDE2, kTri);
    In<Tri>(kTri, [](Tri& dlg) {
        EXPECT_EQ(Text(dlg, IDC_SUBBEAM_SHOWLEN1), "6000") << "S3";
        EXPECT_EQ(Text(dlg, IDC_SUBBEAM_SHOWLEN2), "8000") << "S1";
    });
    Insert("3000", "4000");
    ScriptedUser::PressOK(kTri);
    ASSERT_EQ(Key({room}), 1);
    EXPECT_EQ(room->m_nSubBeamDir, 2);
    ASSERT_EQ(room->m_pSubBeamList->GetCount(), 1);
    // 300 cm down S3 from C3 and 400 cm along S1 from C2: parallel to S2.
    const CBeamBase* sub = room->m_pSubBeamList->Get(1);
    EXPECT_NEAR(sub->GetNode1()->m_pt.x, 0, 1e-6);
    EXPECT_NEAR(sub->GetNode1()->m_pt.y, 300, 1e-6);
    EXPECT_NEAR(sub->GetNode2()->m_pt.x, 400, 1e-6);
    EXPECT_NEAR(sub->GetNode2()->m_pt.y, 0, 1e-6);

    In<Tri>(kTri, [](Tri& dlg) {
        EXPECT_TRUE(dlg.IsDlgButtonChecked(IDC_SUBBEAMTRI_SIDE2));
        EXPECT_EQ(Rows(dlg.m_PointList), (std::vector<std::string>{"3000.00 | 4000.00"}));
        EXPECT_EQ(Header(dlg.m_PointList, 1), "距离");
        EXPECT_EQ(Text(dlg, IDC_SUBBEAM_SHOWLEN1), "6000") << "第1边最小长度 is S3";
        // The beams run along S2, which alone is marked.
        std::vector<vyr::DrawRecord> green;
        for (const vyr::DrawRecord& r : OfKind(PaintPreview(dlg), vyr::DrawKind::Line))
            if (r.state.pen.lopnColor == RGB(0, 255, 0))
                green.push_back(r);
        ASSERT_EQ(green.size(), 1u);
        EXPECT_EQ(green[0].points[0].x, dlg.m_ptScreen[1].x);
        EXPECT_EQ(green[0].points[0].y, dlg.m_ptScreen[1].y);
        EXPECT_EQ(green[0].points[1].x, dlg.m_ptScreen[2].x);
        EXPECT_EQ(green[0].points[1].y, dlg.m_ptScreen[2].y);
    });
    ScriptedUser::PressCancel(kTri);
    EXPECT_EQ(Key({room}), 0);
}

TEST_F(TriSubBeams, DistancesAreCheckedAgainstTheUnroundedLength)
{
    // S2 is 299.5996 cm: 2995.996 mm, shown as 2996.
    CPlane* room = Room({{0, 0}, {400, 0}, {400, 299.5996}});
    In<Tri>(kTri, [](Tri& dlg) {
        EXPECT_EQ(Text(dlg, IDC_SUBBEAM_SHOWLEN1), "2996");
        EXPECT_NEAR(dlg.m_dWorkLen1, 2995.996, 1e-9);
    });
    Insert("2995.998", "1", "距离值1超过了杆件1的长度！");
    Insert("2995.99", "1");
    In<Tri>(kTri, [](Tri& dlg) {
        EXPECT_EQ(Rows(dlg.m_PointList), (std::vector<std::string>{"2995.99 | 1.00"}));
    });
    ScriptedUser::PressCancel(kTri);
    EXPECT_EQ(Key({room}), 0);
}
