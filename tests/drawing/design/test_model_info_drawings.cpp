// The model information drawings of the export: node, member, wall member, room and master
// node labels.
#include "drawing/design/DesignFixture.h"

namespace {

using namespace vyrtest;

class ModelInfoDrawings : public DesignFixture
{
};

TEST_F(ModelInfoDrawings, AMembersLabelIsItsNumberItsSectionAndItsTurnedAndFlippedMarks)
{
    struct Case
    {
        const char* name;
        int no;
        bool section;
        int turn, flip;
        const char* label; // null: none
    };
    const Case cases[] = {
        {"number and section", 7, true, 0, 0, "7 H300"},
        {"number 0 drops only its part", 0, true, 0, 0, "H300"},
        {"turned and flipped", 7, true, 1, 1, "7 H300 (调头) (翻转)"},
        {"flipped only", 12, true, 0, 1, "12 H300 (翻转)"},
        {"without a section", 7, false, 1, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        CBeam* b = Member(Node(0, 0, 0), Node(0, 600, 0));
        b->m_nNo = c.no;
        b->m_nTurn = c.turn;
        b->m_nFlip = c.flip;
        if (!c.section)
            b->m_pSection = nullptr;
        CDlgDrawResult3D dlg(&m_data);
        const DxfRead d = Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) {
            dlg.DrawMemberInfo(dxf, s, "编号、截面与调头翻转", h);
        });
        if (c.label == nullptr) {
            EXPECT_TRUE(d.texts.empty());
            continue;
        }
        ASSERT_EQ(d.texts.size(), 1u);
        ExpectText(d.texts[0], c.label, 0, 300, 0, 6, 8);
        EXPECT_NEAR(d.texts[0].rotation, 3.141592653589793 / 2 * CDlgDrawResult::kRadToDeg, 1e-9);
    }
}

TEST_F(ModelInfoDrawings, ReleasesStandAboveRigidArmsBelowAndWallMembersAreNamedByKind)
{
    CBeam* b = Member(Node(0, 0, 0), Node(600, 0, 0));
    CBeamBindRelease release(1, 1, 0, 0, 1);
    CBeamRigid rigid(-20.0, 20.0);
    b->SetBeamBindRelease(&release);
    b->m_pRigid = &rigid;
    auto* link = new CBeamInWall(4, Node(0, 300, 0), Node(600, 300, 0));
    auto* pier = new CColumnInWall(5, Node(0, 300, 0), Node(0, 300, 300));
    m_members.emplace_back(link);
    m_members.emplace_back(pier);
    Scope().m_BeamList.AddTail(link);
    Scope().m_BeamList.AddTail(pier);
    CDlgDrawResult3D dlg(&m_data);
    const DxfRead ends =
        Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawMemberInfo(dxf, s, "释放与刚臂", h); });
    CString r, g;
    release.GetDescription(&r);
    rigid.GetDescription(&g);
    ASSERT_EQ(ends.texts.size(), 2u) << "the wall members get no member labels";
    ExpectText(ends.texts[0], r.GetString(), 300, 0, 0, 6, 8);
    ExpectText(ends.texts[1], g.GetString(), 300, 0, 0, 6, 0);
    const DxfRead walls =
        Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawWallMemberNumbers(dxf, s, h); });
    ASSERT_EQ(walls.texts.size(), 2u);
    ExpectText(walls.texts[0], "LL4", 300, 300, 0, 6, 8);
    ExpectText(walls.texts[1], "WM5", 0, 300, 150, 6, 8);
    b->SetBeamBindRelease(nullptr);
    b->m_pRigid = nullptr;
}

// In space the axes item draws, from the midpoint, axis 2 at h and axis 3 at 2h: for a beam
// along x, axis 2 is up (z) and axis 3 = axis 1 x axis 2 = -y. h = 15.
TEST_F(ModelInfoDrawings, TheLocalAxesAreTwoLinesFromTheMidpoint)
{
    Member(Node(0, 0, 0), Node(600, 0, 0));
    CDlgDrawResult3D dlg(&m_data);
    const DxfRead d =
        Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawMemberInfo(dxf, s, "截面2、3轴", h); });
    const std::vector<DxfLine> axes = d.OnLayer("TEXT");
    ASSERT_EQ(axes.size(), 2u);
    EXPECT_TRUE(d.texts.empty());
    EXPECT_NEAR(axes[0].z2, 15.0, 1e-9);
    EXPECT_NEAR(axes[1].y2, -30.0, 1e-9);
    EXPECT_NEAR(axes[1].x1, 300.0, 1e-9);
}

TEST_F(ModelInfoDrawings, APlanPointLabelsItsFirstNodeWithSupportAndKind)
{
    Member(Node(0, 0, 0), Node(1000, 0, 0));
    CPNode* lower = Node(100, 200, 0);
    CPNode* upper = Node(100, 200, 360);
    lower->m_nNo = 11;
    upper->m_nNo = 12;
    CSupportFixed fixed;
    lower->SetSupport(&fixed);
    lower->m_nType = NODE_TRUSS;
    lower->m_fMass = 12.5f;
    lower->m_fAddMass = 0.25f;
    Scope().m_NodeList.AddTail(lower);
    Scope().m_NodeList.AddTail(upper);
    CString support;
    fixed.GetDescription(&support);
    CDlgDrawResult2D plan(&m_data);
    const DxfRead numbers = Draw(plan, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { plan.DrawNodeInfo(dxf, s, 1, h); });
    ASSERT_EQ(numbers.texts.size(), 1u);
    ExpectText(numbers.texts[0], ("11 (" + support.str() + ") (桁架结点)").c_str(), 100, 200, 0, 6, 8);
    CDlgDrawResult3D space(&m_data);
    const DxfRead masses = Draw(space, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { space.DrawNodeInfo(dxf, s, 3, h); });
    ASSERT_EQ(masses.texts.size(), 2u);
    EXPECT_EQ(masses.texts[0].text, "12.500 (0.250)");
    EXPECT_EQ(masses.texts[1].text, "0.000 (0.000)");
    lower->SetSupport(nullptr);
}

TEST_F(ModelInfoDrawings, ARoomWithoutNodesGetsNoTextAndAnotherItsNumberAndSlab)
{
    Member(Node(0, 0, 0), Node(600, 0, 0));
    CPlane* empty = Room(1);
    CPlane* room = Room(2);
    CPNode* corners[4] = {Node(0, 0, 360), Node(600, 0, 360), Node(600, 400, 360), Node(0, 400, 360)};
    for (CPNode* c : corners) {
        room->m_pVexNodeList->AddTail(c);
        room->m_pNodeList->AddTail(c);
    }
    CBanConcrete slab;
    slab.m_fThick = 120.0f;
    slab.m_strName = "LB1";
    room->m_pBan = &slab;
    empty->m_pBan = &slab;
    CDlgDrawResult3D dlg(&m_data);
    const DxfRead d = Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawRooms(dxf, s, h); });
    room->m_pVexNodeList->RemoveAll();
    room->m_pNodeList->RemoveAll();
    room->m_pBan = nullptr;
    empty->m_pBan = nullptr;
    ASSERT_EQ(d.texts.size(), 2u);
    ExpectText(d.texts[0], "P2", 300, 200, 360, 6, 0);
    ExpectText(d.texts[1], "LB1(120mm)", 300, 200, 360, 6, 8);
}

// Three slaves of one master and one of another: a link each, one label per master, the
// coordinates in display units (u = 10) with three decimals.
TEST_F(ModelInfoDrawings, SlaveLinksAreOneLineEachAndMastersOneLabel)
{
    m_data.UnitLength() = 10.0f;
    Member(Node(0, 0, 0), Node(600, 0, 0));
    CMainNode first(1, CPoint3D(300, 200, 360));
    CMainNode second(2, CPoint3D(300, 200, 720));
    for (int i = 0; i < 3; ++i) {
        CPNode* n = Node(200.0 * i, 0, 360);
        n->m_pMainNode = &first;
        Scope().m_NodeList.AddTail(n);
    }
    CPNode* n = Node(0, 0, 720);
    n->m_pMainNode = &second;
    Scope().m_NodeList.AddTail(n);
    Scope().m_NodeList.AddTail(Node(0, 400, 360)); // no master
    CDlgDrawResult3D dlg(&m_data);
    const DxfRead d = Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawMainNodes(dxf, s, h); });
    EXPECT_EQ(d.OnLayer("DIM").size(), 4u);
    EXPECT_TRUE(d.Has(400, 0, 300, 200));
    ASSERT_EQ(d.texts.size(), 2u);
    ExpectText(d.texts[0], "( 3000.000, 2000.000, 3600.000 )", 300, 200, 360, 6, 8);
    ExpectText(d.texts[1], "( 3000.000, 2000.000, 7200.000 )", 300, 200, 720, 6, 8);
}

} // namespace
