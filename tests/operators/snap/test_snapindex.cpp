// The object snap's index follows single edits of the host's lists and of node positions:
// after each, it holds and finds what an index built afresh holds and finds.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "SnapWorld.h"

using snaptest::AtPixel;
using snaptest::SnapWorld;

namespace {

// A lattice of 20 x 14 listed nodes 40 pixels apart, members along its lines, a wall whose
// edge members are not listed, and two axes; the snap has seen it all once.
struct LatticeWorld : SnapWorld
{
    static constexpr int kCols = 20, kRows = 14;
    std::vector<CPNode*> lattice;
    CWall* wall = nullptr;

    LatticeWorld()
    {
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                lattice.push_back(AddNode(AtPixel(20 + 40 * c, 20 + 40 * r)));
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                if (c + 1 < kCols)
                    Link(At(r, c), At(r, c + 1), true);
                if (r + 1 < kRows)
                    Link(At(r, c), At(r + 1, c), true);
            }
        walls.push_back(std::make_unique<CWall>());
        wall = walls.back().get();
        wall->GetEdgeBeamList()->AddTail(Link(At(2, 2), At(5, 7), false));
        wall->GetEdgeBeamList()->AddTail(Link(At(5, 7), At(9, 3), false));
        host.m_shownWalls.AddTail(wall);
        CAxises& axises = Data().Struct()->Axises();
        axises.AddAxis("1", AtPixel(30, 10).GetXY(), AtPixel(30, 560).GetXY());
        axises.AddAxis("A", AtPixel(10, 230).GetXY(), AtPixel(790, 230).GetXY());
        snap.Switch(true);
        snap.MouseMove(CPoint(3, 3));
    }
    CPNode* At(int r, int c) { return lattice[(size_t)(r * kCols + c)]; }
    CBeam* Link(CPNode* a, CPNode* b, bool listed)
    {
        beams.push_back(std::make_unique<CBeam>((int)beams.size() + 1, a, b, 2));
        if (listed)
            host.m_shownBeams.AddTail(beams.back().get());
        return beams.back().get();
    }
    CBeam* Listed(int i) { return static_cast<CBeam*>(host.m_shownBeams.GetAt(host.m_shownBeams.FindIndex(i))); }
};

struct EditCase
{
    const char* name;
    void (*edit)(LatticeWorld& w);
};

TEST(SnapIndex, AfterOneEditEqualsOneBuiltAfresh)
{
    const EditCase cases[] = {
        {"a node moved a little", [](LatticeWorld& w) { w.At(5, 5)->SetPt(AtPixel(227, 211)); }},
        {"a node moved onto another", [](LatticeWorld& w) { w.At(5, 5)->SetPt(w.At(6, 6)->GetPt()); }},
        {"a node moved out of the view", [](LatticeWorld& w) { w.At(0, 0)->SetPt(AtPixel(-900, 1800)); }},
        {"a node moved up, out of the plane", [](LatticeWorld& w) { w.At(3, 4)->SetPt(w.At(3, 4)->GetPt() + CVector3D(0, 0, 55)); }},
        {"a node moved twice", [](LatticeWorld& w) {
             w.At(7, 7)->SetPt(AtPixel(300, 300));
             w.At(7, 7)->SetPt(AtPixel(301, 420));
         }},
        {"an end of the wall's edge members moved", [](LatticeWorld& w) { w.At(5, 7)->SetPt(AtPixel(333, 250)); }},
        {"a node added", [](LatticeWorld& w) { w.AddNode(AtPixel(455, 77)); }},
        {"a member added", [](LatticeWorld& w) { w.Link(w.At(1, 1), w.At(8, 12), true); }},
        {"a member added on a new node", [](LatticeWorld& w) { w.Link(w.At(1, 1), w.AddNode(AtPixel(610, 590), false), true); }},
        {"a node deleted", [](LatticeWorld& w) { w.host.m_shownNodes.RemoveAt(w.host.m_shownNodes.Find(w.At(6, 9))); }},
        {"a member deleted", [](LatticeWorld& w) { w.host.m_shownBeams.RemoveAt(w.host.m_shownBeams.FindIndex(200)); }},
        {"the first member deleted", [](LatticeWorld& w) { w.host.m_shownBeams.RemoveHead(); }},
        {"the last member deleted", [](LatticeWorld& w) { w.host.m_shownBeams.RemoveTail(); }},
        {"a member deleted, then its end moved", [](LatticeWorld& w) {
             CBeam* gone = w.Listed(50);
             w.host.m_shownBeams.RemoveAt(w.host.m_shownBeams.FindIndex(50));
             gone->GetNode2()->SetPt(AtPixel(500, 500));
         }},
        {"a member moved to the head", [](LatticeWorld& w) { w.host.m_shownBeams.AddHead(w.host.m_shownBeams.RemoveTail()); }},
        {"a member inserted in the middle", [](LatticeWorld& w) {
             CBeam* b = w.Link(w.At(0, 3), w.At(4, 0), false);
             w.host.m_shownBeams.InsertAfter(w.host.m_shownBeams.FindIndex(10), b);
         }},
        {"an edge member added to the wall", [](LatticeWorld& w) { w.wall->GetEdgeBeamList()->AddTail(w.Link(w.At(9, 3), w.At(2, 2), false)); }},
    };
    for (const EditCase& c : cases) {
        LatticeWorld w;
        c.edit(w);
        w.snap.MouseMove(CPoint(401, 299));
        EXPECT_TRUE(w.snap.IndexMatchesRebuilt()) << c.name;
    }
}

// Seeded runs of edits with a move of the mouse after each, as a drag and the editing
// around it make them.
TEST(SnapIndex, AfterManyEditsEqualsOneBuiltAfresh)
{
    for (unsigned seed : {5u, 6u, 7u}) {
        LatticeWorld w;
        std::mt19937 rng(seed);
        auto pixel = [&]() { return AtPixel((double)(rng() % 900) - 50.0, (double)(rng() % 700) - 50.0); };
        for (int step = 0; step < 300; ++step) {
            switch (rng() % 6) {
            case 0:
            case 1:
                w.lattice[rng() % w.lattice.size()]->SetPt(pixel());
                break;
            case 2:
                w.Link(w.lattice[rng() % w.lattice.size()], w.lattice[rng() % w.lattice.size()], true);
                break;
            case 3:
                if (w.host.m_shownBeams.GetCount() > 10)
                    w.host.m_shownBeams.RemoveAt(w.host.m_shownBeams.FindIndex((INT_PTR)(rng() % (unsigned)w.host.m_shownBeams.GetCount())));
                break;
            case 4:
                if (w.host.m_shownNodes.GetCount() > 10)
                    w.host.m_shownNodes.RemoveAt(w.host.m_shownNodes.FindIndex((INT_PTR)(rng() % (unsigned)w.host.m_shownNodes.GetCount())));
                break;
            default:
                w.host.m_shownNodes.AddTail(w.AddNode(pixel(), false));
                break;
            }
            w.snap.MouseMove(CPoint((int)(rng() % 800), (int)(rng() % 600)));
            if (step % 20 == 19) {
                ASSERT_TRUE(w.snap.IndexMatchesRebuilt()) << "seed " << seed << ", step " << step;
            }
        }
    }
}

// The search as it was before the index: every node, then every member and every wall edge
// member whose pixel box meets the pick box, in list order, asked in turn.
struct Reference
{
    CGlobalData& data;
    std::unique_ptr<CSnapTarget> end{CSnapTarget::Create(SNAP_ENDPT)}, mid{CSnapTarget::Create(SNAP_MIDPT)},
        foot{CSnapTarget::Create(SNAP_PERPT)};

    Reference(CGlobalData& d, const CPoint3D& refer) : data(d)
    {
        for (CSnapTarget* t : {end.get(), mid.get(), foot.get()}) {
            t->SetGlobalData(&d);
            t->SetReferPt(refer);
        }
    }
    static CRect LineBox(const CPoint2D& a, const CPoint2D& b)
    {
        const CPoint pa = a, pb = b;
        CRect rc(pa.x, pa.y, pb.x, pb.y);
        rc.NormalizeRect();
        if (rc.Width() == 0 || rc.Height() == 0)
            rc.InflateRect(5, 5);
        return rc;
    }
    // The target that snaps and where, or null.
    CSnapTarget* Snap(const CPoint& cursor, const CPNodeList& nodes, const std::vector<CBeamBase*>& members)
    {
        const CViewXform& xf = data.GetViewXform();
        const CRect square(cursor.x - CSnapTarget::kSnapBox, cursor.y - CSnapTarget::kSnapBox,
                           cursor.x + CSnapTarget::kSnapBox, cursor.y + CSnapTarget::kSnapBox);
        for (POSITION pos = nodes.GetHeadPosition(); pos != nullptr;) {
            const CPNode* n = nodes.GetNextT(pos);
            if (square.PtInRect(CPoint(n->GetScreenPt(xf)))) {
                end->Snap(cursor, CMeshNode(n->GetPt(), n->GetScreenPt(xf)), CMeshNode(n->GetPt(), n->GetScreenPt(xf)));
                return end.get();
            }
        }
        const int k = CSnapManager::kPickBox;
        const CRect pick(cursor.x - k, cursor.y - k, cursor.x + k, cursor.y + k);
        for (CBeamBase* b : members) {
            const CPoint2D sa = b->GetNode1()->GetScreenPt(xf), sb = b->GetNode2()->GetScreenPt(xf);
            CRect meet;
            const CRect box = LineBox(sa, sb);
            if (!meet.IntersectRect(&box, &pick))
                continue;
            const CMeshNode a(b->GetNode1()->GetPt(), sa), c(b->GetNode2()->GetPt(), sb);
            for (CSnapTarget* t : {mid.get(), foot.get()})
                if (t->Snap(cursor, a, c))
                    return t;
        }
        return nullptr;
    }
};

// In views turned, sheared and foreshortened, after drags and deletions, the snap finds what
// a look at every candidate finds: the same target at the same point, for cursors anywhere,
// just at a node's reach and on members' mid points.
TEST(SnapIndex, SnapsAsALookAtEveryCandidate)
{
    for (unsigned seed : {21u, 22u, 23u}) {
        SnapWorld w;
        std::mt19937 rng(seed);
        auto uniform = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
        CMatrix3D& m3 = w.Data().Matrix3D();
        if (seed != 21) {
            CMatrix3D turn;
            turn.SetZRotate(0.5);
            m3 *= turn;
            turn.SetXRotate(seed == 22 ? -1.2 : 0.4);
            m3 *= turn;
        }
        CMatrix2D& m2 = w.Data().Matrix2D();
        m2(0, 0) = 0.8;
        m2(0, 1) = 0.45;
        m2(1, 0) = 0.3;
        m2(1, 1) = -0.7;
        m2(2, 0) = 380.0;
        m2(2, 1) = 310.0;
        // Nodes on a coarse lattice, so that many share a place or a line.
        std::vector<CPNode*> lattice;
        for (int i = 0; i < 400; ++i)
            lattice.push_back(w.AddNode(CPoint3D((double)(rng() % 24) * 20.0 - 240.0, (double)(rng() % 18) * 20.0 - 180.0,
                                                 (double)(rng() % 3) * 30.0)));
        std::vector<CBeamBase*> members;
        auto link = [&](bool listed) {
            w.beams.push_back(std::make_unique<CBeam>((int)w.beams.size() + 1, lattice[rng() % lattice.size()],
                                                      lattice[rng() % lattice.size()], 2));
            if (listed)
                w.host.m_shownBeams.AddTail(w.beams.back().get());
            return w.beams.back().get();
        };
        for (int i = 0; i < 700; ++i)
            link(true);
        w.walls.push_back(std::make_unique<CWall>());
        for (int i = 0; i < 20; ++i)
            w.walls.back()->GetEdgeBeamList()->AddTail(link(false));
        w.host.m_shownWalls.AddTail(w.walls.back().get());
        const CPoint3D refer = lattice[0]->GetPt() + CVector3D(7, 3, 0);
        w.snap.Switch(true);
        w.snap.SetReferPt(refer);
        Reference ref(w.Data(), refer);

        auto compare = [&](const char* when) {
            members.clear();
            for (POSITION pos = w.host.m_shownBeams.GetHeadPosition(); pos != nullptr;)
                members.push_back(w.host.m_shownBeams.GetNextT(pos));
            for (POSITION pos = w.walls.back()->GetEdgeBeamList()->GetHeadPosition(); pos != nullptr;)
                members.push_back(w.walls.back()->GetEdgeBeamList()->GetNextT(pos));
            const CViewXform& xf = w.Data().GetViewXform();
            std::vector<CPoint> cursors;
            for (int k = 0; k < 300; ++k)
                cursors.push_back(CPoint((int)uniform(-50, 850), (int)uniform(-50, 650)));
            for (int k = 0; k < 100; ++k) {
                const CPoint s = lattice[rng() % lattice.size()]->GetScreenPt(xf);
                cursors.push_back(CPoint(s.x + CSnapTarget::kSnapBox, s.y - CSnapTarget::kSnapBox + 1));
                cursors.push_back(CPoint(s.x - CSnapTarget::kSnapBox - 1, s.y));
                const CBeamBase* b = members[rng() % members.size()];
                const CPoint2D m = (b->GetNode1()->GetScreenPt(xf) + b->GetNode2()->GetScreenPt(xf)) * 0.5;
                cursors.push_back(CPoint((int)m.x + (int)(rng() % 13) - 6, (int)m.y + (int)(rng() % 13) - 6));
            }
            for (const CPoint& c : cursors) {
                w.snap.MouseMove(c);
                CSnapTarget* want = ref.Snap(c, w.host.m_shownNodes, members);
                ASSERT_EQ(w.snap.HasSnapped(), want != nullptr) << when << " at " << c.x << ", " << c.y;
                if (want) {
                    ASSERT_EQ(w.snap.GetCurTarget()->GetKind(), want->GetKind()) << when << " at " << c.x << ", " << c.y;
                    const CPoint3D got = w.snap.GetSnapPt(), exp = want->GetSnapPt();
                    ASSERT_TRUE(got.x == exp.x && got.y == exp.y && got.z == exp.z) << when << " at " << c.x << ", " << c.y;
                }
            }
        };
        compare("built");
        for (int k = 0; k < 30; ++k)
            lattice[rng() % lattice.size()]->SetPt(lattice[rng() % lattice.size()]->GetPt() + CVector3D(uniform(-25, 25), uniform(-25, 25), 0));
        for (int k = 0; k < 40; ++k)
            w.host.m_shownBeams.RemoveAt(w.host.m_shownBeams.FindIndex((INT_PTR)(rng() % (unsigned)w.host.m_shownBeams.GetCount())));
        for (int k = 0; k < 20; ++k)
            link(true);
        compare("moved, deleted, added");
        m2(2, 0) += 37.0;
        m2(0, 0) *= 1.3;
        compare("panned and zoomed");
    }
}

// A position written straight into a node is not recorded as a move: the index does not see
// it until it is built again, and the comparison says so.
TEST(SnapIndex, APositionWrittenStraightIntoANodeIsNotFollowed)
{
    LatticeWorld w;
    w.At(4, 4)->m_pt = AtPixel(500, 500);
    w.snap.MouseMove(CPoint(401, 299));
    EXPECT_FALSE(w.snap.IndexMatchesRebuilt());
    w.snap.Switch(false);
    w.snap.Switch(true);
    w.snap.MouseMove(CPoint(401, 299));
    EXPECT_TRUE(w.snap.IndexMatchesRebuilt()) << "a new input builds the index again";
}

} // namespace
