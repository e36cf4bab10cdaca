// The hit tests' index: the list watch, the box grid, and the indexed answers against the
// plain scan on random models that are edited between the questions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <type_traits>
#include <vector>

#include <vyr/model/struct/BoxGrid.h>
#include <vyr/model/struct/ListWatch.h>

#include "struct_test_util.h"
#include "support/TestHelpers.h"

namespace
{
using vyrtest::Items;

// ---------------------------------------------------------------------------------------
// The list watch

struct WatchCase
{
    const char* name;
    void (*edit)(CBeamList& l, std::vector<CObject*>& extra);
    CListWatch::Change change;
    std::vector<size_t> removed; // positions in the list before the edit
};

TEST(ListWatch, TellsAppendsAndRemovalsFromOtherEdits)
{
    const WatchCase cases[] = {
        {"nothing", [](CBeamList&, std::vector<CObject*>&) {}, CListWatch::SAME, {}},
        {"read only",
         [](CBeamList& l, std::vector<CObject*>&) {
             for (POSITION p = l.GetHeadPosition(); p != nullptr;)
                 l.GetNext(p);
         },
         CListWatch::SAME,
         {}},
        {"two at the tail",
         [](CBeamList& l, std::vector<CObject*>& x) {
             l.AddTail(x[0]);
             l.AddTail(x[1]);
         },
         CListWatch::APPENDED,
         {}},
        {"after the tail by position",
         [](CBeamList& l, std::vector<CObject*>& x) { l.InsertAfter(l.GetTailPosition(), x[0]); },
         CListWatch::APPENDED,
         {}},
        {"at the head", [](CBeamList& l, std::vector<CObject*>& x) { l.AddHead(x[0]); }, CListWatch::OTHER, {}},
        {"in the middle",
         [](CBeamList& l, std::vector<CObject*>& x) { l.InsertBefore(l.FindIndex(3), x[0]); },
         CListWatch::OTHER,
         {}},
        {"one in the middle and one at the tail",
         [](CBeamList& l, std::vector<CObject*>& x) {
             l.InsertBefore(l.FindIndex(3), x[0]);
             l.AddTail(x[1]);
         },
         CListWatch::OTHER,
         {}},
        {"the second and the fifth",
         [](CBeamList& l, std::vector<CObject*>&) {
             l.RemoveAt(l.FindIndex(4));
             l.RemoveAt(l.FindIndex(1));
         },
         CListWatch::REMOVED,
         {1, 4}},
        {"head and tail",
         [](CBeamList& l, std::vector<CObject*>&) {
             l.RemoveHead();
             l.RemoveTail();
         },
         CListWatch::REMOVED,
         {0, 7}},
        {"one removed and put back elsewhere",
         [](CBeamList& l, std::vector<CObject*>&) { l.AddTail(l.RemoveHead()); },
         CListWatch::OTHER,
         {}},
        {"one removed and another added",
         [](CBeamList& l, std::vector<CObject*>& x) {
             l.RemoveAt(l.FindIndex(2));
             l.AddTail(x[0]);
         },
         CListWatch::OTHER,
         {}},
        {"one replaced", [](CBeamList& l, std::vector<CObject*>& x) { l.SetAt(l.FindIndex(2), x[0]); }, CListWatch::OTHER, {}},
        {"one set to itself", [](CBeamList& l, std::vector<CObject*>&) { l.SetAt(l.FindIndex(2), l.GetAt(l.FindIndex(2))); },
         CListWatch::OTHER,
         {}},
        // Emptied, then three of the eight put back in order: as many edits as items gone,
        // yet not removals alone.
        {"emptied and partly refilled",
         [](CBeamList& l, std::vector<CObject*>&) {
             const std::vector<CObject*> was = Items(l);
             l.RemoveAll();
             for (size_t i : {1, 3, 6})
                 l.AddTail(was[i]);
         },
         CListWatch::OTHER,
         {}},
        {"more than half removed",
         [](CBeamList& l, std::vector<CObject*>&) {
             for (int i = 0; i < 5; ++i)
                 l.RemoveHead();
         },
         CListWatch::OTHER,
         {}},
    };
    std::vector<std::unique_ptr<CBeam>> store;
    for (int i = 0; i < 10; ++i)
        store.push_back(std::make_unique<CBeam>(i + 1, nullptr, nullptr, 2));
    for (const WatchCase& c : cases)
    {
        CBeamList list;
        for (int i = 0; i < 8; ++i)
            list.AddTail(store[(size_t)i].get());
        std::vector<CObject*> extra = {store[8].get(), store[9].get()};
        CListWatch watch;
        EXPECT_EQ(watch.Look(&list, list.GetSerial()), CListWatch::OTHER) << c.name << ": first sight";
        const std::vector<CObject*> before = watch.Items();
        c.edit(list, extra);
        EXPECT_EQ(watch.Look(&list, list.GetSerial()), c.change) << c.name;
        EXPECT_EQ(watch.Items(), Items(list)) << c.name;
        if (c.change == CListWatch::REMOVED)
        {
            EXPECT_EQ(watch.Removed(), c.removed) << c.name;
        }
        if (c.change == CListWatch::APPENDED)
        {
            EXPECT_EQ(std::vector<CObject*>(watch.Items().begin(), watch.Items().begin() + (long)watch.FirstNew()), before)
                << c.name;
        }
        EXPECT_EQ(watch.Look(&list, list.GetSerial()), CListWatch::SAME) << c.name << ": looked at again";
    }
}

// A list made where another was freed, with the same count and edit count, is another list.
TEST(ListWatch, AnotherListAtTheSameAddressIsNotTheSame)
{
    CBeam a(1, nullptr, nullptr, 2), b(2, nullptr, nullptr, 2);
    alignas(CBeamList) unsigned char place[sizeof(CBeamList)];
    CListWatch watch;
    CBeamList* first = new (place) CBeamList;
    first->AddTail(&a);
    watch.Look(first, first->GetSerial());
    first->~CBeamList();
    CBeamList* second = new (place) CBeamList;
    second->AddTail(&b);
    ASSERT_EQ((void*)first, (void*)second);
    EXPECT_EQ(watch.Look(second, second->GetSerial()), CListWatch::OTHER);
    EXPECT_EQ(watch.Items(), std::vector<CObject*>{&b});
    second->~CBeamList();
}

// ---------------------------------------------------------------------------------------
// The box grid

std::vector<int> Touching(const std::vector<CBoxGrid::Box>& boxes, const std::vector<bool>& live, const CBoxGrid::Box& q)
{
    std::vector<int> out;
    for (size_t i = 0; i < boxes.size(); ++i)
    {
        const CBoxGrid::Box& b = boxes[i];
        const bool finite = std::isfinite(b.l) && std::isfinite(b.t) && std::isfinite(b.r) && std::isfinite(b.b);
        if (live[i] && (!finite || (b.l <= b.r && b.t <= b.b && CBoxGrid::Touches(b, q))))
            out.push_back((int)i);
    }
    return out;
}

// Random boxes, some far outside the extent, some long, some points, one that is not a number
// and some that hold nothing, then changed, added and removed: every query answers what a
// look at every box answers, in id order.
TEST(BoxGrid, AnswersAsALookAtEveryBox)
{
    for (unsigned seed : {1u, 2u, 3u, 4u})
    {
        const CBoxGrid::Beyond beyond = seed % 2 ? CBoxGrid::CLAMP : CBoxGrid::CLIP;
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> pos(-100.0, 1100.0), len(0.0, 30.0), unit(0.0, 1.0);
        auto randomBox = [&]() {
            const double x = pos(rng), y = pos(rng), r = unit(rng);
            if (r < 0.05)
                return CBoxGrid::Box{x, y, x + 900.0, y + len(rng)}; // long
            if (r < 0.1)
                return CBoxGrid::Box{x, y, x, y}; // a point
            if (r < 0.12)
                return CBoxGrid::Box{x * 50.0, y * 50.0, x * 50.0 + 1.0, y * 50.0 + 1.0}; // far away
            if (r < 0.13)
                return CBoxGrid::Box{1.0, 1.0, 0.0, 0.0}; // holds nothing
            return CBoxGrid::Box{x, y, x + len(rng), y + len(rng)};
        };
        std::vector<CBoxGrid::Box> boxes(2000);
        for (CBoxGrid::Box& b : boxes)
            b = randomBox();
        boxes[7] = CBoxGrid::Box{std::nan(""), 0.0, 1.0, 1.0};
        std::vector<bool> live(boxes.size(), true);
        CBoxGrid grid;
        grid.Boxes() = boxes;
        grid.Build(CBoxGrid::Box{0, 0, 1000, 1000}, 1000, 64, beyond);

        auto check = [&](const char* when) {
            std::vector<int> got;
            for (int k = 0; k < 200; ++k)
            {
                const double x = pos(rng), y = pos(rng), w = k % 10 == 0 ? 600.0 : len(rng);
                const CBoxGrid::Box q{x, y, x + w, y + w};
                grid.Query(q, got);
                ASSERT_EQ(got, Touching(boxes, live, q)) << "seed " << seed << ", " << when << ", query " << k;
            }
        };
        check("built");
        for (int k = 0; k < 300; ++k)
        {
            const int id = (int)(rng() % boxes.size());
            if (k % 3 == 0)
            {
                grid.Remove(id);
                live[(size_t)id] = false;
            }
            else if (live[(size_t)id] && (boxes[(size_t)id].l <= boxes[(size_t)id].r || std::isnan(boxes[(size_t)id].l)))
            {
                boxes[(size_t)id] = randomBox();
                grid.Update(id, boxes[(size_t)id]);
                if (!(boxes[(size_t)id].l <= boxes[(size_t)id].r))
                    live[(size_t)id] = false; // changed to hold nothing: gone
            }
            boxes.push_back(randomBox());
            live.push_back(true);
            EXPECT_EQ(grid.Add(boxes.back()), (int)boxes.size() - 1);
        }
        check("edited");
    }
}

// ---------------------------------------------------------------------------------------
// The indexed hit tests against the scan

// A random model and view, the same candidate lists asked through the index and by the scan.
class HitModel
{
public:
    explicit HitModel(unsigned seed) : m_rng(seed)
    {
        m_indexed.SetHitPath(CGlobalData::HIT_INDEX);
        m_scanned.SetHitPath(CGlobalData::HIT_SCAN);
        // A spatial view (turned about two axes) or a plan view, with a turned, scaled and
        // moved plane transformation.
        CMatrix3D m3;
        if (seed % 2 == 0)
        {
            m3(1, 1) = 0.0;
            m3(1, 2) = 1.0;
            m3(2, 1) = 1.0;
            m3(2, 2) = 0.0;
        }
        else
        {
            CMatrix3D turn;
            turn.SetZRotate(0.6);
            m3 *= turn;
            turn.SetXRotate(-1.1);
            m3 *= turn;
        }
        CMatrix2D m2;
        m2(0, 0) = 0.9;
        m2(0, 1) = seed % 3 == 0 ? 0.0 : 0.35;
        m2(1, 0) = seed % 3 == 0 ? 0.0 : -0.35;
        m2(1, 1) = seed % 3 == 0 ? 1.0 : -0.9;
        m2(2, 0) = 400.0;
        m2(2, 1) = 300.0;
        for (CGlobalData* d : {&m_indexed, &m_scanned})
        {
            d->Matrix3D() = m3;
            d->Matrix2D() = m2;
        }
        // Nodes on a coarse lattice, so that many share a place, an end, or a line.
        for (int i = 0; i < 600; ++i)
            AddNode();
        for (int i = 0; i < 1500; ++i)
            AddMember();
        m_members.AddTail((CObject*)nullptr); // a null in the list is passed over
        m_members.AddTail(new CBeam(0, m_nodes[0], nullptr, 2));
        m_store.emplace_back(static_cast<CBeamBase*>(m_members.GetTail()));
        // A node whose position is not a number, and a member on it: what the scan makes of
        // them, the index must too.
        m_nodes.push_back(new CPNode(0, CPoint3D(std::nan(""), 100.0, 0.0)));
        m_nodeList.AddTail(m_nodes.back());
        m_store.emplace_back(new CBeam(0, m_nodes[1], m_nodes.back(), 2));
        m_members.AddTail(m_store.back().get());
    }
    ~HitModel()
    {
        m_members.RemoveAll();
        m_store.clear();
        for (CPNode* n : m_nodes)
            delete n;
    }

    // Asks both the same questions and expects the same answers, in the same order.
    void Compare(const char* when)
    {
        std::vector<CPoint2D> points;
        for (int k = 0; k < 60; ++k)
            points.push_back(CPoint2D(Uniform(-50, 850), Uniform(-50, 650)));
        // Exactly the tolerance away from a node: the edge cases of the distance test.
        const double tol = CGlobalData::kPickTolerance;
        for (int k = 0; k < 20; ++k)
        {
            const CPoint2D s = m_scanned.ToScreen(m_nodes[m_rng() % m_nodes.size()]->GetPt());
            points.push_back(CPoint2D(s.x + tol, s.y));
            points.push_back(CPoint2D(s.x, s.y - tol));
            points.push_back(s);
        }
        for (const CPoint2D& pt : points)
        {
            Same(when, "member point", [&](CGlobalData& d, CBeamList& hits) { d.BeamPointSelect(m_members, pt, hits); });
            Same(when, "in-wall point", [&](CGlobalData& d, CBeamList& hits) { d.BCInWallPointSelect(m_members, pt, hits); });
            Same(when, "node point", [&](CGlobalData& d, CPNodeList& hits) { d.NodePointSelect(m_nodeList, pt, hits); });
        }
        std::vector<CRect2D> rects;
        for (int k = 0; k < 40; ++k)
        {
            const double x = Uniform(-50, 850), y = Uniform(-50, 650), w = Uniform(0, k % 8 == 0 ? 900 : 120);
            rects.push_back(CRect2D(x, y, x + w, y + Uniform(0, 120)));
        }
        // Frames whose edges pass exactly through nodes.
        for (int k = 0; k < 10; ++k)
        {
            const CPoint2D a = m_scanned.ToScreen(m_nodes[m_rng() % m_nodes.size()]->GetPt());
            const CPoint2D b = m_scanned.ToScreen(m_nodes[m_rng() % m_nodes.size()]->GetPt());
            rects.push_back(CRect2D(a.x, a.y, b.x, b.y));
        }
        rects.push_back(CRect2D(-1e4, -1e4, 1e4, 1e4)); // everything
        rects.push_back(CRect2D(300, 300, 300, 400));   // no area
        for (const CRect2D& rc : rects)
        {
            Same(when, "member window", [&](CGlobalData& d, CBeamList& hits) { d.BeamWindowSelect(m_members, rc, hits); });
            Same(when, "member crossing", [&](CGlobalData& d, CBeamList& hits) { d.BeamCrossSelect(m_members, rc, hits); });
            Same(when, "in-wall window", [&](CGlobalData& d, CBeamList& hits) { d.BCInWallWindowSelect(m_members, rc, hits); });
            Same(when, "in-wall crossing", [&](CGlobalData& d, CBeamList& hits) { d.BCInWallCrossSelect(m_members, rc, hits); });
            Same(when, "node window", [&](CGlobalData& d, CPNodeList& hits) { d.NodeWindowSelect(m_nodeList, rc, hits); });
        }
    }

    // Edits between questions, as the user and the program make them.
    void MoveNodes(int count)
    {
        for (int k = 0; k < count; ++k)
        {
            CPNode* n = m_nodes[m_rng() % m_nodes.size()];
            // Mostly a drag nearby, sometimes onto another node, sometimes far away.
            const int how = (int)(m_rng() % 4);
            if (how == 0)
                n->SetPt(m_nodes[m_rng() % m_nodes.size()]->GetPt());
            else if (how == 1)
                n->SetPt(LatticePoint() * 20.0);
            else
                n->SetPt(n->GetPt() + CVector3D(Uniform(-30, 30), Uniform(-30, 30), Uniform(-30, 30)));
        }
    }
    void DeleteMembers(int count)
    {
        for (int k = 0; k < count && m_members.GetCount() > 2; ++k)
            m_members.RemoveAt(m_members.FindIndex((INT_PTR)(m_rng() % (unsigned)m_members.GetCount())));
    }
    void DeleteNodesFromTheList(int count)
    {
        for (int k = 0; k < count && m_nodeList.GetCount() > 2; ++k)
            m_nodeList.RemoveAt(m_nodeList.FindIndex((INT_PTR)(m_rng() % (unsigned)m_nodeList.GetCount())));
    }
    void AppendMembers(int count)
    {
        for (int k = 0; k < count; ++k)
            AddMember();
    }
    void AppendNode() { AddNode(); }
    void InsertMemberInTheMiddle()
    {
        AddMember(false);
        m_members.InsertBefore(m_members.FindIndex(m_members.GetCount() / 2), m_store.back().get());
    }
    void Pan()
    {
        for (CGlobalData* d : {&m_indexed, &m_scanned})
        {
            CMatrix2D m;
            m.SetMove(13.5, -7.25);
            d->Matrix2D() *= m;
            m.SetScale(1.7);
            d->Matrix2D() *= m;
        }
    }
    void Turn()
    {
        for (CGlobalData* d : {&m_indexed, &m_scanned})
        {
            CMatrix3D turn;
            turn.SetZRotate(0.3);
            d->Matrix3D() *= turn;
        }
    }

private:
    double Uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(m_rng); }
    CPoint3D LatticePoint() { return CPoint3D((double)(m_rng() % 20) * 25.0, (double)(m_rng() % 15) * 25.0, (double)(m_rng() % 3) * 40.0); }
    void AddNode()
    {
        m_nodes.push_back(new CPNode((int)m_nodes.size() + 1, LatticePoint()));
        m_nodeList.AddTail(m_nodes.back());
        if (m_rng() % 50 == 0)
            m_nodeList.AddTail(m_nodes.back()); // listed twice
    }
    void AddMember(bool listed = true)
    {
        CPNode* a = m_nodes[m_rng() % m_nodes.size()];
        CPNode* b = m_rng() % 40 == 0 ? a : m_nodes[m_rng() % m_nodes.size()];
        const unsigned kind = m_rng() % 10;
        const int no = (int)m_store.size() + 1;
        if (kind == 0)
            m_store.emplace_back(new CBeamInWall(no, a, b));
        else if (kind == 1)
            m_store.emplace_back(new CColumnInWall(no, a, b));
        else
            m_store.emplace_back(new CBeam(no, a, b, 2));
        if (listed)
            m_members.AddTail(m_store.back().get());
    }

    template <class List, class Ask>
    void Same(const char* when, const char* what, Ask ask)
    {
        List a, b;
        ask(m_indexed, a);
        ask(m_scanned, b);
        ASSERT_EQ(Items(a), Items(b)) << when << ": " << what;
    }
    template <class Ask>
    void Same(const char* when, const char* what, Ask ask)
    {
        if constexpr (std::is_invocable_v<Ask, CGlobalData&, CBeamList&>)
            Same<CBeamList>(when, what, ask);
        else
            Same<CPNodeList>(when, what, ask);
    }

    std::mt19937 m_rng;
    CGlobalData m_indexed, m_scanned;
    std::vector<CPNode*> m_nodes;
    std::vector<std::unique_ptr<CBeamBase>> m_store;
    CBeamList m_members;
    CPNodeList m_nodeList;
};

TEST(HitIndex, AnswersAsTheScanThroughMovesDeletionsAndViewChanges)
{
    for (unsigned seed : {11u, 12u, 13u, 14u})
    {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        HitModel m(seed);
        m.Compare("built");
        m.MoveNodes(1);
        m.Compare("one node moved");
        m.MoveNodes(40);
        m.Compare("forty nodes moved");
        m.DeleteMembers(1);
        m.Compare("one member deleted");
        m.DeleteMembers(30);
        m.DeleteNodesFromTheList(20);
        m.Compare("members and nodes deleted");
        m.AppendMembers(25);
        m.AppendNode();
        m.MoveNodes(5);
        m.Compare("members added at the tail, nodes moved");
        m.InsertMemberInTheMiddle();
        m.DeleteMembers(3);
        m.Compare("a member inserted in the middle");
        m.Pan();
        m.Compare("panned and zoomed");
        m.MoveNodes(3);
        m.Turn();
        m.Compare("turned");
        // Many small rounds: the edits pile up in the index until it builds itself again.
        for (int round = 0; round < 30; ++round)
        {
            m.MoveNodes(20);
            m.DeleteMembers(4);
            m.AppendMembers(4);
            if (round % 10 == 9)
                m.Compare("rounds of edits");
        }
        // More moves than the record of moves holds.
        m.MoveNodes(5000);
        m.Compare("five thousand moves");
    }
}
// More candidate lists in turn than the root keeps indexes for: an index handed on to
// another list answers for that list only.
TEST(HitIndex, ListsAskedInTurnEachGetTheirOwnAnswers)
{
    PlanModel m;
    m.data.SetHitPath(CGlobalData::HIT_INDEX);
    CGlobalData scan;
    SetPlanView(scan);
    scan.SetHitPath(CGlobalData::HIT_SCAN);
    // Six lists of the square's members, each without one of them or in another order.
    std::vector<std::unique_ptr<CBeamList>> lists;
    for (int k = 0; k < 6; ++k)
    {
        lists.push_back(std::make_unique<CBeamList>());
        for (int i = 0; i < 4; ++i)
            if (i != k % 4)
                lists.back()->AddTail(m.b[(i + k) % 4]);
    }
    for (int round = 0; round < 3; ++round)
        for (auto& list : lists)
            for (const CPoint2D& pt : {CPoint2D(30, 10), CPoint2D(50, 30), CPoint2D(10, 10), CPoint2D(50, 50)})
            {
                CBeamList a, b;
                m.data.BeamPointSelect(*list, pt, a);
                scan.BeamPointSelect(*list, pt, b);
                ASSERT_EQ(Items(a), Items(b)) << "round " << round;
            }
}
} // namespace
