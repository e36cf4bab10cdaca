// The secondary beams of quadrilateral rooms: the point list, its refusals, equal division,
// OK on the model, reopening a layout and the preview.
#include "SubBeamTest.h"

#include "support/ModelInvariants.h"

using namespace subbeamtest;

namespace {

using Quad = CDlgPlaneSubBeamDefine;
constexpr UINT kQuad = IDD_SUBBEAM_QUAD;

class QuadSubBeams : public SubBeamTest
{
protected:
    // 600 x 600 cm: every side 6000 mm on screen.
    CPlane* Square(double x = 0) { return Room({{x, 0}, {x + 600, 0}, {x + 600, 600}, {x, 600}}); }

    static void Insert(const char* d1, const char* d2, const char* refusal = nullptr)
    {
        ScriptedUser::SetText(IDC_SUBBEAM_DIST1, d1, kQuad);
        ScriptedUser::SetText(IDC_SUBBEAM_DIST2, d2, kQuad);
        ScriptedUser::Click(IDC_SUBBEAM_INSERT, kQuad);
        if (refusal != nullptr)
            ScriptedUser::AnswerMessageBox(IDOK, refusal);
    }
    static void InsertRatio(const char* r1, const char* r2, const char* refusal = nullptr)
    {
        ScriptedUser::SetText(IDC_SUBBEAM_RATIO1, r1, kQuad);
        ScriptedUser::SetText(IDC_SUBBEAM_RATIO2, r2, kQuad);
        ScriptedUser::Click(IDC_SUBBEAM_INSERT, kQuad);
        if (refusal != nullptr)
            ScriptedUser::AnswerMessageBox(IDOK, refusal);
    }
    static void ExpectList(std::vector<std::string> rows, const char* header, int mode)
    {
        In<Quad>(kQuad, [=](Quad& dlg) {
            EXPECT_EQ(Rows(dlg.m_PointList), rows);
            EXPECT_EQ(Header(dlg.m_PointList, 1), header);
            EXPECT_EQ(Header(dlg.m_PointList, 2), header);
            EXPECT_EQ(dlg.m_nListMode, mode);
            EXPECT_EQ(dlg.m_nPointNum1, (int)rows.size());
            EXPECT_EQ(dlg.m_nPointNum2, (int)rows.size());
        });
    }
};

} // namespace

TEST_F(QuadSubBeams, InsertRefusesWhatDoesNotFitAndKeepsEachSideSorted)
{
    CPlane* room = Square();
    // Each refusal in the order of the checks; the list stays empty.
    const struct
    {
        const char *d1, *d2, *message;
    } refused[] = {
        {"6000", "1", "距离值1超过了杆件1的长度！"},
        {"1", "6000", "距离值2超过了杆件2的长度！"},
        {"-1", "6000", "距离值2超过了杆件2的长度！"}, // a negative value only after the lengths
        {"-1", "1", "距离值1不能小于0！"},
        {"1", "-1", "距离值2不能小于0！"},
        {"0", "0", "距离值1和距离值2不能同时为0！"},
        {"abc", "1", "请输入一个数字。"},
    };
    for (const auto& r : refused)
        Insert(r.d1, r.d2, r.message);
    ExpectList({}, "<未定>", -1);

    Insert("1", "3");
    Insert("2", "1");
    ExpectList({"1.00 | 1.00", "2.00 | 3.00"}, "距离", 0);
    Insert("1", "3"); // both values listed: ignored without a word
    Insert("2", "5"); // one new value: a new row
    ExpectList({"1.00 | 1.00", "2.00 | 3.00", "2.00 | 5.00"}, "距离", 0);

    // Kinds that differ (the radios keep them equal; here set apart behind the dialog's
    // back), then a ratio against a list of distances; delete with no row chosen.
    In<Quad>(kQuad, [](Quad& dlg) {
        dlg.CheckRadioButton(IDC_SUBBEAM_KIND2_DIST, IDC_SUBBEAM_KIND2_RATIO, IDC_SUBBEAM_KIND2_RATIO);
    });
    Insert("4", "4", "参数必须同时为距离或者比例！");
    ScriptedUser::Click(IDC_SUBBEAM_KIND1_RATIO, kQuad);
    InsertRatio("0.5", "0.5", "参数必须同时为距离或者比例！");
    ScriptedUser::Click(IDC_SUBBEAM_DELETE, kQuad);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要删除的次梁列！");
    ExpectList({"1.00 | 1.00", "2.00 | 3.00", "2.00 | 5.00"}, "距离", 0);
    ScriptedUser::PressCancel(kQuad);

    EXPECT_EQ(Key({room}), 0);
    EXPECT_EQ(Boxes().size(), 10u);
    EXPECT_TRUE(room->m_pSubBeamList->IsEmpty());
}

TEST_F(QuadSubBeams, EqualDivisionListsRatiosOnceAndADirectionChangeEmptiesTheList)
{
    // 600 x 400 cm: across (S2, S4) 4000 mm, along (S1, S3) 6000 mm.
    CPlane* room = Room({{0, 0}, {600, 0}, {600, 400}, {0, 400}});
    ScriptedUser::SetText(IDC_SUBBEAM_DIVCOUNT, "2", kQuad);
    ScriptedUser::Click(IDC_SUBBEAM_DIVIDE, kQuad); // distance radios, but an empty list takes ratios
    ExpectList({"0.33 | 0.33", "0.67 | 0.67"}, "比例", 1);
    ScriptedUser::Click(IDC_SUBBEAM_DIVIDE, kQuad);
    ExpectList({"0.33 | 0.33", "0.67 | 0.67"}, "比例", 1);
    In<Quad>(kQuad, [](Quad& dlg) {
        // The preview's distances: the ratios of the 4000 mm sides.
        ASSERT_EQ(dlg.m_arrDist1.size(), 2u);
        EXPECT_NEAR(dlg.m_arrDist1[0], 4000.0 / 3, 1e-3);
        EXPECT_NEAR(dlg.m_arrDist2[1], 8000.0 / 3, 1e-3);
    });

    Insert("1", "1", "参数必须同时为距离或者比例！");
    ScriptedUser::Click(IDC_SUBBEAM_KIND2_RATIO, kQuad); // side 1 follows
    InsertRatio("1", "0.5", "比例值1必须在0和1之间！");
    InsertRatio("0.5", "0", "比例值2必须在0和1之间！");
    InsertRatio("0.5", "0.25");
    ExpectList({"0.33 | 0.25", "0.50 | 0.33", "0.67 | 0.67"}, "比例", 1);

    ScriptedUser::SelectRow(IDC_SUBBEAM_LIST, 1, kQuad);
    ScriptedUser::Click(IDC_SUBBEAM_DELETE, kQuad);
    ExpectList({"0.33 | 0.25", "0.67 | 0.67"}, "比例", 1);
    ScriptedUser::SetText(IDC_SUBBEAM_DIVCOUNT, "x", kQuad);
    ScriptedUser::Click(IDC_SUBBEAM_DIVIDE, kQuad);
    ScriptedUser::AnswerMessageBox(IDOK, "请输入一个整数。");
    ExpectList({"0.33 | 0.25", "0.67 | 0.67"}, "比例", 1);

    ScriptedUser::SetText(IDC_SUBBEAM_DIVCOUNT, "2", kQuad);
    ScriptedUser::Click(IDC_SUBBEAM_ALONG, kQuad);
    ExpectList({}, "<未定>", -1);
    In<Quad>(kQuad, [](Quad& dlg) {
        EXPECT_TRUE(dlg.m_arrRatio1.empty() && dlg.m_arrRatio2.empty() && dlg.m_arrDist2.empty());
        EXPECT_EQ(Text(dlg, IDC_SUBBEAM_SHOWLEN1), "6000");
        EXPECT_EQ(Text(dlg, IDC_SUBBEAM_SHOWLEN2), "6000");
    });
    ScriptedUser::PressCancel(kQuad);
    EXPECT_EQ(Key({room}), 0);
}

TEST_F(QuadSubBeams, OkWithAnEmptyListDeletesEveryRoomsBeamsAndWhatReferredToThem)
{
    BuildSampleModel(d);
    CPlane* a = s.m_pPlaneList->Get(1);
    CPlane* b = s.m_pPlaneList->Get(2);
    d.SelectBeamList().AddTail(a->m_pSubBeamList->Get(1));
    const INT_PTR nodes = s.m_pNodeList->GetCount();
    In<Quad>(kQuad, [](Quad& dlg) {
        EXPECT_TRUE(Rows(dlg.m_PointList).empty()) << "several rooms: their beams are not listed";
        EXPECT_EQ(dlg.m_nListMode, -1);
    });
    ScriptedUser::PressOK(kQuad);
    EXPECT_EQ(Key({a, b}), 1);
    EXPECT_TRUE(a->m_pSubBeamList->IsEmpty());
    EXPECT_TRUE(b->m_pSubBeamList->IsEmpty());
    EXPECT_EQ(s.m_pPlaneList->Get(3)->m_pSubBeamList->GetCount(), 1);
    EXPECT_EQ(s.m_pNodeList->GetCount(), nodes - 4) << "the beams' own end nodes go with them";
    EXPECT_TRUE(d.SelectBeamList().IsEmpty());
    vyrtest::ExpectConsistent(d);
}

TEST_F(QuadSubBeams, DistancesAreTheSameInEveryRoomAndRatiosTakeEachRoomsOwnSide)
{
    struct Case
    {
        const char* name;
        bool ratio;
        const char* value;
        double xa, xb; // where the beam of each room stands
    };
    const Case cases[] = {
        {"distance 1000 mm", false, "1000", 100, 1100},
        {"ratio 0.5", true, "0.5", 300, 1200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        CPlane* a = Square();
        CPlane* b = Room({{1000, 0}, {1400, 0}, {1400, 600}, {1000, 600}}); // S1 and S3 400 cm
        ScriptedUser::Click(IDC_SUBBEAM_ALONG, kQuad);
        In<Quad>(kQuad, [](Quad& dlg) { EXPECT_EQ(dlg.m_dShowLen1, 4000.0) << "the shortest S1 of the rooms"; });
        if (c.ratio) {
            ScriptedUser::Click(IDC_SUBBEAM_KIND1_RATIO, kQuad);
            InsertRatio(c.value, c.value);
        } else {
            Insert(c.value, c.value);
        }
        ScriptedUser::PressOK(kQuad);
        ASSERT_EQ(Key({a, b}), 1);
        for (auto [room, x] : {std::pair{a, c.xa}, std::pair{b, c.xb}}) {
            ASSERT_EQ(room->m_pSubBeamList->GetCount(), 1);
            const CBeamBase* sub = room->m_pSubBeamList->Get(1);
            EXPECT_NEAR(sub->GetNode1()->m_pt.x, x, 1e-6);
            EXPECT_NEAR(sub->GetNode1()->m_pt.y, 0, 1e-6) << "from S1";
            EXPECT_NEAR(sub->GetNode2()->m_pt.x, x, 1e-6);
            EXPECT_NEAR(sub->GetNode2()->m_pt.y, 600, 1e-6) << "to S3";
            EXPECT_EQ(room->m_nSubBeamDir, 2);
        }
    }
}

TEST_F(QuadSubBeams, ALayoutReopensWithItsDirectionAndItsBeamsAsAscendingDistances)
{
    CPlane* room = Square();
    ScriptedUser::Click(IDC_SUBBEAM_ALONG, kQuad);
    Insert("4000", "1000");
    Insert("1000", "4000");
    ScriptedUser::PressOK(kQuad);
    ASSERT_EQ(Key({room}), 1);
    EXPECT_EQ(room->m_nSubBeamDir, 2);

    In<Quad>(kQuad, [](Quad& dlg) {
        EXPECT_TRUE(dlg.IsDlgButtonChecked(IDC_SUBBEAM_ALONG));
        EXPECT_FALSE(dlg.IsDlgButtonChecked(IDC_SUBBEAM_ACROSS));
        EXPECT_EQ(Rows(dlg.m_PointList), (std::vector<std::string>{"1000.00 | 1000.00", "4000.00 | 4000.00"}));
        EXPECT_EQ(Header(dlg.m_PointList, 1), "距离");
        EXPECT_EQ(dlg.m_nListMode, 0);
    });
    ScriptedUser::PressCancel(kQuad);
    EXPECT_EQ(Key({room}), 0);
}

TEST_F(QuadSubBeams, ReopeningReadsBeamsFromEitherEndAndShowsTheLengthsUnrounded)
{
    // S1 and S3 600.0004 cm: 6000.004 mm, which a new layout would show as 6000.
    CPlane* room = Room({{0, 0}, {600.0004, 0}, {600.0004, 600}, {0, 600}});
    room->m_nSubBeamDir = 2;
    Sub(room, {400, 600}, {400, 0}); // starts on S3
    Sub(room, {100, 0}, {100, 600});
    In<Quad>(kQuad, [](Quad& dlg) {
        EXPECT_EQ(dlg.m_nDirection, 1);
        EXPECT_EQ(Rows(dlg.m_PointList), (std::vector<std::string>{"1000.00 | 1000.00", "4000.00 | 4000.00"}));
        EXPECT_NEAR(dlg.m_dShowLen1, 6000.004, 1e-9);
    });
    ScriptedUser::PressCancel(kQuad);
    EXPECT_EQ(Key({room}), 0);

    // Any other code: across, from C2 on S2 and from C1 on S4.
    room->m_nSubBeamDir = 1;
    room->m_pSubBeamList->DeleteAll();
    Sub(room, {0, 300}, {600.0004, 200});
    In<Quad>(kQuad, [](Quad& dlg) {
        EXPECT_TRUE(dlg.IsDlgButtonChecked(IDC_SUBBEAM_ACROSS));
        EXPECT_EQ(Rows(dlg.m_PointList), (std::vector<std::string>{"2000.00 | 3000.00"}));
    });
    ScriptedUser::PressCancel(kQuad);
    EXPECT_EQ(Key({room}), 0);
}

TEST_F(QuadSubBeams, ABoundaryOfFiveSidesIsRefusedBeforeTheDialogOpens)
{
    // A square whose boundary list starts in the middle of its first side: the last member
    // runs along the first and makes a fifth side.
    CPlane* room = new CPlane;
    room->m_nNo = 7;
    CPNode* v[4] = {Node(0, 0), Node(600, 0), Node(600, 600), Node(0, 600)};
    CPNode* mid = Node(300, 0);
    CPNode* path[6] = {mid, v[1], v[2], v[3], v[0], mid};
    for (CPNode* n : v)
        room->m_pVexNodeList->AddTail(n);
    for (int k = 0; k < 5; ++k) {
        CBeam* e = new CBeam(k + 1, path[k], path[k + 1], 2);
        s.m_pBeamList->AddTail(e);
        room->m_pBeamList->AddTail(e);
    }
    s.m_pPlaneList->AddTail(room);
    ScriptedUser::AnswerMessageBox(IDOK, "房间7的边界无法分为四条边，不能布置次梁！");
    EXPECT_EQ(Key({room}), 0);
    EXPECT_TRUE(ScriptedUser::Dialogs().empty());
}

TEST_F(QuadSubBeams, ARefusedFieldOnOkLeavesTheVertexMarksToPaint)
{
    CPlane* room = Square();
    ScriptedUser::SetText(IDC_SUBBEAM_DIVCOUNT, "abc", kQuad);
    ScriptedUser::PressOK(kQuad);
    ScriptedUser::AnswerMessageBox(IDOK, "请输入一个整数。");
    // Under AddressSanitizer a mark freed by the refused OK is caught here or at the close.
    In<Quad>(kQuad, [](Quad& dlg) {
        for (int paint = 0; paint < 2; ++paint) {
            int marks = 0;
            for (const vyr::DrawRecord& r : OfKind(PaintPreview(dlg), vyr::DrawKind::Rectangle))
                marks += r.state.brush.lbColor == RGB(192, 0, 0);
            EXPECT_EQ(marks, 4);
        }
    });
    ScriptedUser::PressCancel(kQuad);
    EXPECT_EQ(Key({room}), 0);
    EXPECT_EQ(room->m_nSubBeamDir, 0);
}

TEST_F(QuadSubBeams, SeveralRoomsPreviewOnlyTheirText)
{
    CPlane* a = Square();
    CPlane* b = Square(1000);
    In<Quad>(kQuad, [](Quad& dlg) {
        const std::vector<vyr::DrawRecord> drawn = PaintPreview(dlg);
        ASSERT_EQ(drawn.size(), 2u) << "the frame and the text";
        EXPECT_EQ(drawn[0].kind, vyr::DrawKind::Rectangle);
        EXPECT_EQ(drawn[1].kind, vyr::DrawKind::TextOut);
        EXPECT_EQ(drawn[1].text, "多个房间布置次梁，没有预览图");
        EXPECT_STREQ(drawn[1].state.font.lfFaceName, "宋体");
        EXPECT_EQ(drawn[1].state.font.lfHeight, -12);
        EXPECT_EQ(drawn[1].state.bkMode, TRANSPARENT);
    });
    ScriptedUser::PressCancel(kQuad);
    EXPECT_EQ(Key({a, b}), 0);
}

TEST_F(QuadSubBeams, PreviewDrawsTheBeamsDashedBetweenThePlacementSidesTheChosenOneRed)
{
    CPlane* room = Square();
    Insert("1000", "1000");
    Insert("3000", "5000");
    ScriptedUser::SelectRow(IDC_SUBBEAM_LIST, 1, kQuad);
    In<Quad>(kQuad, [](Quad& dlg) {
        EXPECT_EQ(dlg.m_nSelRow, 1);
        const std::vector<vyr::DrawRecord> lines = OfKind(PaintPreview(dlg), vyr::DrawKind::Line);
        std::vector<vyr::DrawRecord> green, dashed;
        for (const vyr::DrawRecord& r : lines) {
            if (r.state.pen.lopnColor == RGB(0, 255, 0) && r.state.pen.lopnWidth.x == 3)
                green.push_back(r);
            if (r.state.pen.lopnStyle == PS_DASH)
                dashed.push_back(r);
        }
        // Across: S2 (right, x the largest) and S4 (left) are the placement sides.
        ASSERT_EQ(green.size(), 2u);
        const LONG right = std::max(green[0].points[0].x, green[1].points[0].x);
        const LONG left = std::min(green[0].points[0].x, green[1].points[0].x);
        for (const vyr::DrawRecord& g : green)
            EXPECT_EQ(g.points[0].x, g.points[1].x) << "a vertical side";
        ASSERT_EQ(dashed.size(), 2u);
        EXPECT_EQ(dashed[0].state.pen.lopnColor, RGB(0, 0, 0));
        EXPECT_EQ(dashed[1].state.pen.lopnColor, RGB(255, 0, 0)) << "the chosen row";
        for (const vyr::DrawRecord& r : dashed) {
            EXPECT_NEAR(r.points[0].x, right, 1) << "from placement side 1";
            EXPECT_NEAR(r.points[1].x, left, 1) << "to placement side 2";
        }
        // Row 2 starts 3000 mm up S2 and ends 5000 mm up S4: it climbs to the left.
        EXPECT_LT(dashed[1].points[1].y, dashed[1].points[0].y);
        // The side labels of the across direction are turned upright.
        for (const vyr::DrawRecord& r : OfKind(PaintPreview(dlg), vyr::DrawKind::TextOut))
            if (r.text == "第1边" || r.text == "第2边") {
                EXPECT_EQ(r.state.font.lfEscapement, 900) << r.text;
            }
    });
    ScriptedUser::PressCancel(kQuad);
    EXPECT_EQ(Key({room}), 0);
}
