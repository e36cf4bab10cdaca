// The load drawings of the export: the stacking of a member's, a node's and a room's lines,
// the items of tension, temperature and hoist loads.
#include "drawing/design/DesignFixture.h"

namespace {

using namespace vyrtest;

class LoadDrawings : public DesignFixture
{
protected:
    static std::string Described(const CLoadBeam& l)
    {
        CString s;
        l.GetDescription(&s);
        return s.str();
    }
    static std::string Described(const CLoadNode& l)
    {
        CString s;
        l.GetDescription(&s);
        return s.str();
    }
};

// A member from (0, 0, 0) to (600, 800, 0): length 1000, h = 25, midpoint (300, 400, 0),
// direction angle atan2(800, 600), left normal (-0.8, 0.6). Lines at 0.3 h = 7.5, then
// 1.3 h further: 40 and 72.5.
TEST_F(LoadDrawings, AMembersThreeDeadLoadsStackAlongItsLeftNormalRotatedWithIt)
{
    CBeam* b = Member(Node(0, 0, 0), Node(600, 800, 0));
    CLoadBeam loads[3] = {CLoadBeam(1, 3, 1, -1.0), CLoadBeam(2, 3, 2, -2.0, 0, 100), CLoadBeam(3, 3, 1, -3.0)};
    for (CLoadBeam& l : loads)
        b->m_pDeadLoadList->AddTail(&l);
    CDlgDrawResult3D dlg(&m_data);
    const DxfRead d = Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawLoads(dxf, s, 1, h); });
    b->m_pDeadLoadList->RemoveAll();
    ASSERT_EQ(d.texts.size(), 3u);
    const double at[3] = {7.5, 40.0, 72.5};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ExpectText(d.texts[(size_t)i], Described(loads[i]).c_str(), 300 - 0.8 * at[i], 400 + 0.6 * at[i], 0, 6, 8);
        EXPECT_NEAR(d.texts[(size_t)i].rotation, std::atan2(800.0, 600.0) * CDlgDrawResult::kRadToDeg, 1e-9);
        EXPECT_DOUBLE_EQ(d.texts[(size_t)i].height, 25.0);
    }
    const DxfRead live = Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawLoads(dxf, s, 2, h); });
    EXPECT_TRUE(live.texts.empty()) << "no live load, no line";
}

// In the plane edition a member from (610, 0, 0) to (0, 0, 0) points back: angle pi, left
// normal down. The Dov 2-D edition turns it half round, so its lines stand above it. h =
// 15.25: lines at 4.575, 24.4, 44.225 from the midpoint (305, 0), truncated.
TEST_F(LoadDrawings, TheDov2DHalfTurnPutsTheLinesOnTheOtherSide)
{
    const struct
    {
        const char* name;
        CVyrProduct::Variant variant;
        double sign;
    } cases[] = {{"general 2-D", CVyrProduct::General, -1.0}, {"Dov 2-D", CVyrProduct::Dov2D, 1.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        CVyrProduct::CEditionScope edition(2, c.variant);
        CBeam* b = Member(Node(610, 0, 0), Node(0, 0, 0));
        CLoadBeam loads[3] = {CLoadBeam(1, 3, 1, -1.0), CLoadBeam(2, 3, 1, -2.0), CLoadBeam(3, 3, 1, -3.0)};
        for (CLoadBeam& l : loads)
            b->m_pDeadLoadList->AddTail(&l);
        CDlgDrawResult2D dlg(&m_data);
        const DxfRead d = Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawLoads(dxf, s, 1, h); });
        b->m_pDeadLoadList->RemoveAll();
        ASSERT_EQ(d.texts.size(), 3u);
        const double y[3] = {4, 24, 44};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(d.texts[(size_t)i].y, c.sign * y[i]) << i;
            EXPECT_NEAR(d.texts[(size_t)i].x, 305.0, 1.0) << i;
        }
    }
}

// An elevation (plane edition): a node at (100, 50, 300) is drawn at (100, 300); its lines
// stand 0.3 h = 7.5 above that point (h = 25 from a member of 1000).
TEST_F(LoadDrawings, AnElevationAnchorsNodeAndRoomLinesAtTheProjectedPoint)
{
    CVyrProduct::CEditionScope edition(2, CVyrProduct::General);
    Member(Node(0, 0, 0), Node(1000, 0, 0));
    CPNode* n = Node(100, 50, 300);
    CLoadNode load(1, 0, 0, -10);
    n->m_pDeadLoadList->AddTail(&load);
    Scope().m_NodeList.AddTail(n);
    // A room whose corners stand at z = 300 with its centre at (100, 50).
    CPNode* corners[4] = {Node(0, 0, 300), Node(200, 0, 300), Node(200, 100, 300), Node(0, 100, 300)};
    CPlane* room = Room(1);
    for (CPNode* c : corners)
        room->m_pVexNodeList->AddTail(c);
    CLoadArea area(1, 0.0005f);
    room->m_pDeadLoad = &area;
    CDlgDrawResult2D dlg(&m_data);
    const DxfRead d = Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawLoads(dxf, s, 1, h); });
    n->m_pDeadLoadList->RemoveAll();
    room->m_pVexNodeList->RemoveAll();
    ASSERT_EQ(d.texts.size(), 2u);
    ExpectText(d.texts[0], Described(load).c_str(), 100, 307, 0, 6, 8);
    CString a;
    area.GetDescription(&a);
    ExpectText(d.texts[1], a.GetString(), 100, 307, 0, 6, 8);
}

TEST_F(LoadDrawings, APlanPointShowsTheLoadsOfItsFirstNodeOnlyAndSpaceEveryNode)
{
    Member(Node(0, 0, 0), Node(1000, 0, 0));
    CPNode* lower = Node(0, 0, 0);
    CPNode* upper = Node(0, 0, 360);
    CLoadNode load(1, 0, 0, -10);
    upper->m_pLiveLoadList->AddTail(&load);
    Scope().m_NodeList.AddTail(lower);
    Scope().m_NodeList.AddTail(upper);
    CDlgDrawResult2D plan(&m_data);
    const DxfRead d2 = Draw(plan, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { plan.DrawLoads(dxf, s, 2, h); });
    CDlgDrawResult3D space(&m_data);
    const DxfRead d3 = Draw(space, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { space.DrawLoads(dxf, s, 2, h); });
    upper->m_pLiveLoadList->RemoveAll();
    EXPECT_TRUE(d2.texts.empty()) << "the first node at the point has no live load";
    ASSERT_EQ(d3.texts.size(), 1u);
    EXPECT_NEAR(d3.texts[0].z, 360.0, 1e-9);
}

TEST_F(LoadDrawings, TensionAndTemperatureAreOneLineOfTheirValue)
{
    struct Case
    {
        const char* name;
        float tension;
        float unitForce;
        int item;
        bool temperature3;
        const char* line; // null: none
    };
    const Case cases[] = {
        {"tension 12.5", 12.5f, 1.0f, 7, false, "12.500"},
        {"tension in display units", 12.5f, 0.1f, 7, false, "1.250"},
        {"no tension", 0.0f, 1.0f, 7, false, nullptr},
        {"temperature 3", 0.0f, 1.0f, 10, true, "-12.500度"},
        {"temperature 2 absent", 0.0f, 1.0f, 9, true, nullptr},
    };
    CLoadTemperature t3;
    t3.m_fT = -12.5f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        CBeam* b = Member(Node(0, 0, 0), Node(600, 0, 0));
        b->m_fTension = c.tension;
        if (c.temperature3)
            b->m_pTemperature[2] = &t3;
        m_data.UnitForce() = c.unitForce;
        CDlgDrawResult3D dlg(&m_data);
        const DxfRead d = Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawLoads(dxf, s, c.item, h); });
        if (c.line == nullptr) {
            EXPECT_TRUE(d.texts.empty());
            continue;
        }
        ASSERT_EQ(d.texts.size(), 1u);
        // h = 15, the line 4.5 above the midpoint of a member along x.
        ExpectText(d.texts[0], c.line, 300, 4.5, 0, 6, 8);
    }
}

// The hoist table holds loads 3 and 5: its items 12 and 13 show the loads numbered 3 and 5,
// as their captions say, not those numbered 1 and 2.
TEST_F(LoadDrawings, AHoistItemShowsTheLoadsOfItsTableEntrysNumber)
{
    CStruct& st = *m_data.Struct();
    st.m_arrCraneNodeLoad.Add(new CLoadCraneList(3));
    st.m_arrCraneNodeLoad.Add(new CLoadCraneList(5));
    CBeam* b = Member(Node(0, 0, 0), Node(600, 0, 0));
    CPNode* n = Node(0, 0, 0);
    Scope().m_NodeList.AddTail(n);
    CLoadCraneList nodeLists[4] = {CLoadCraneList(1), CLoadCraneList(2), CLoadCraneList(3), CLoadCraneList(5)};
    CLoadCraneBeamList beamLists[4] = {CLoadCraneBeamList(1), CLoadCraneBeamList(2), CLoadCraneBeamList(3),
                                       CLoadCraneBeamList(5)};
    std::vector<std::unique_ptr<CLoadNode>> nodeLoads;
    std::vector<std::unique_ptr<CLoadBeam>> beamLoads;
    for (int i = 0; i < 4; ++i) {
        nodeLoads.push_back(std::make_unique<CLoadNode>(nodeLists[i].m_nNo, 0, 0, -10.0 * nodeLists[i].m_nNo));
        nodeLists[i].AddTail(nodeLoads.back().get());
        n->m_arrCraneLoad.Add(&nodeLists[i]);
        beamLoads.push_back(std::make_unique<CLoadBeam>(beamLists[i].m_nNo, 3, 2, -5.0 * beamLists[i].m_nNo, 0, 300));
        beamLists[i].AddTail(beamLoads.back().get());
        b->m_arrCraneBeamLoad.Add(&beamLists[i]);
    }
    CDlgDrawResult3D dlg(&m_data);
    for (int entry = 0; entry < 2; ++entry) {
        const int number = entry == 0 ? 3 : 5;
        SCOPED_TRACE(number);
        const DxfRead d =
            Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawLoads(dxf, s, 12 + entry, h); });
        ASSERT_EQ(d.texts.size(), 2u);
        EXPECT_EQ(d.texts[0].text, Described(*nodeLoads[(size_t)entry + 2]));
        EXPECT_EQ(d.texts[1].text, Described(*beamLoads[(size_t)entry + 2]));
    }
    const DxfRead none = Draw(dlg, [&](CDXFOutput& dxf, COutputContentBase& s, double h) { dlg.DrawLoads(dxf, s, 14, h); });
    EXPECT_TRUE(none.texts.empty()) << "no third entry in the table";
    n->m_arrCraneLoad.RemoveAll();
    b->m_arrCraneBeamLoad.RemoveAll();
    for (CLoadCraneList& l : nodeLists)
        l.RemoveAll();
    for (CLoadCraneBeamList& l : beamLists)
        l.RemoveAll();
}

} // namespace
