// Deleting the selection: consistency of every list, and undo restoring exactly.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include <vyr/model/struct/structure.h>
#include "support/ModelInvariants.h"
#include "support/TestHelpers.h"

namespace
{
using vyrtest::ExpectConsistent;
using vyrtest::Items;
using Snapshot = std::map<const CObList*, std::vector<CObject*>>;


// Every list of the model that a deletion may touch, by identity.
Snapshot Take(CGlobalData& d)
{
    CStruct& s = *d.Struct();
    Snapshot snap;
    for (const CObList* l : std::initializer_list<const CObList*>{
             s.m_pNodeList, s.m_pBeamList, s.m_pWallList, s.m_pPlaneList, s.m_pBCInWallList1, s.m_pBCInWallList2,
             &d.SelectBeamList(), &d.SelectNodeList(), &d.SelectWallList(), &d.SelectPlaneList()})
        snap[l] = Items(l);
    for (POSITION pos = s.m_pFloorList->GetHeadPosition(); pos != nullptr;)
    {
        CFloor* f = s.m_pFloorList->GetNextT(pos);
        for (const CObList* l : std::initializer_list<const CObList*>{f->m_pNodeList, f->m_pBeamList, f->m_pWallList,
                                                                      f->m_pPlaneList, f->m_pDisplayBeamList,
                                                                      f->m_pDisplayWallList})
            snap[l] = Items(l);
    }
    for (POSITION pos = s.m_pBeamGroupList->GetHeadPosition(); pos != nullptr;)
    {
        const CObList* l = s.m_pBeamGroupList->GetNextT(pos)->m_pBeamList;
        snap[l] = Items(l);
    }
    for (POSITION pos = s.m_pPlaneList->GetHeadPosition(); pos != nullptr;)
    {
        CPlane* p = s.m_pPlaneList->GetNextT(pos);
        snap[p->m_pSubBeamList] = Items(p->m_pSubBeamList);
    }
    for (POSITION pos = s.m_pWallList->GetHeadPosition(); pos != nullptr;)
    {
        CWall* w = s.m_pWallList->GetNextT(pos);
        snap[w->GetEdgeBeamList()] = Items(w->GetEdgeBeamList());
    }
    return snap;
}

class DeleteSelected : public ::testing::Test
{
protected:
    void SetUp() override { BuildSampleModel(d); }

    // A node of the first storey inside the frame, with all its members.
    CPNode* InnerNode()
    {
        CStruct& s = *d.Struct();
        for (POSITION pos = s.m_pNodeList->GetHeadPosition(); pos != nullptr;)
        {
            CPNode* n = s.m_pNodeList->GetNextT(pos);
            if (n->m_pt.x == 600 && n->m_pt.y == 600 && n->m_pt.z == 360)
                return n;
        }
        return nullptr;
    }
    CGlobalData d;
};
} // namespace

TEST_F(DeleteSelected, NodeTakesItsMembersRoomsAndWallsAlongAndUndoRestoresExactly)
{
    CStruct& s = *d.Struct();
    CPNode* node = InnerNode();
    ASSERT_NE(node, nullptr);
    d.SelectNodeList().AddTail(node);
    node->SetSelect(1);
    CBeamBase* column = s.m_pBeamList->Get(1);
    d.SelectBeamList().AddTail(column);
    d.SelectWallList().AddTail(s.m_pWallList->Get(1));
    d.SelectPlaneList().AddTail(s.m_pPlaneList->Get((int)s.m_pPlaneList->GetCount()));
    const Snapshot before = Take(d);
    const INT_PTR members = s.m_pBeamList->GetCount(), rooms = s.m_pPlaneList->GetCount();

    {
        CEditStackNode undo;
        d.DeleteSelected(CGlobalData::KIND_ALL, undo);
        EXPECT_FALSE(s.m_pNodeList->Contains(node));
        EXPECT_FALSE(s.m_pBeamList->Contains(column));
        // The node carries 6 members (2 columns, 4 beams) and bounds 4 rooms.
        EXPECT_LE(s.m_pBeamList->GetCount(), members - 7);
        EXPECT_LE(s.m_pPlaneList->GetCount(), rooms - 4);
        EXPECT_TRUE(d.SelectNodeList().IsEmpty());
        EXPECT_TRUE(d.SelectBeamList().IsEmpty());
        EXPECT_TRUE(d.SelectWallList().IsEmpty());
        EXPECT_TRUE(d.SelectPlaneList().IsEmpty());
        ExpectConsistent(d);
        std::vector<CReal> heights{CReal(1.0)};
        undo.GetChangedHeight(heights);
        EXPECT_TRUE(heights.empty()) << "deleting objects changes no storey height";

        undo.Undo();
        EXPECT_EQ(Take(d), before) << "undo must give every list back in its order";
        ExpectConsistent(d);
        undo.Redo();
        ExpectConsistent(d);
        undo.Undo();
    }
    // The record is gone; the restored objects belong to the model again.
    EXPECT_EQ(Take(d), before);
    ExpectConsistent(d);
}

TEST_F(DeleteSelected, RecordThatIsNotUndoneOwnsTheRemovedObjects)
{
    CStruct& s = *d.Struct();
    d.SelectNodeList().AddTail(InnerNode());
    const INT_PTR nodes = s.m_pNodeList->GetCount();
    {
        CEditStackNode undo;
        d.DeleteSelected(CGlobalData::KIND_ALL, undo);
        EXPECT_FALSE(undo.IsEmpty());
    } // the sanitizers see a leak or a double free here if ownership is wrong
    EXPECT_EQ(s.m_pNodeList->GetCount(), nodes - 1);
    ExpectConsistent(d);
}

TEST_F(DeleteSelected, KindLimitsWhatIsDeleted)
{
    CStruct& s = *d.Struct();
    d.SelectNodeList().AddTail(InnerNode());
    d.SelectWallList().AddTail(s.m_pWallList->Get(1));
    const INT_PTR nodes = s.m_pNodeList->GetCount(), walls = s.m_pWallList->GetCount();
    const INT_PTR inWall = s.m_pBCInWallList1->GetCount() + s.m_pBCInWallList2->GetCount();
    CEditStackNode undo;
    d.DeleteSelected(CGlobalData::KIND_WALL, undo);
    EXPECT_EQ(s.m_pNodeList->GetCount(), nodes);
    EXPECT_EQ(s.m_pWallList->GetCount(), walls - 1);
    EXPECT_EQ(s.m_pBCInWallList1->GetCount() + s.m_pBCInWallList2->GetCount(), inWall - 2)
        << "the wall's pier and coupling beam go with it";
    EXPECT_EQ(d.SelectNodeList().GetCount(), 1) << "the node selection is not touched";
    ExpectConsistent(d);
}

TEST_F(DeleteSelected, OpeningsGivenAnewStayWithTheirWallsThroughDeleteAndUndo)
{
    CStruct& s = *d.Struct();
    CWall* first = s.m_pWallList->Get(1);
    CWall* second = s.m_pWallList->Get(2);
    ASSERT_NE(second, nullptr);
    for (CWall* w : {first, second})
    {
        w->m_pHoleList->DeleteAll();
        for (double dx : {50.0, 300.0})
        {
            auto* hole = new CHoleRect;
            w->AddHole(hole);
            hole->ChangHolePara(dx, 100.0, 120.0, 150.0, w);
        }
    }
    ExpectConsistent(d);
    d.SelectWallList().AddTail(first);
    const Snapshot before = Take(d);
    CEditStackNode undo;
    d.DeleteSelected(CGlobalData::KIND_WALL, undo);
    ExpectConsistent(d);
    undo.Undo();
    EXPECT_EQ(Take(d), before);
    EXPECT_EQ(first->m_pHoleList->GetCount(), 2);
    ExpectConsistent(d);
}

TEST_F(DeleteSelected, NothingSelectedRecordsNothing)
{
    const Snapshot before = Take(d);
    CEditStackNode undo;
    d.DeleteSelected(CGlobalData::KIND_ALL, undo);
    EXPECT_TRUE(undo.IsEmpty());
    EXPECT_EQ(Take(d), before);
}

TEST_F(DeleteSelected, SecondaryBeamLeavesItsRoomOnly)
{
    CStruct& s = *d.Struct();
    CPlane* room = s.m_pPlaneList->Get(1);
    CBeamBase* sub = room->m_pSubBeamList->Get(1);
    d.SelectBeamList().AddTail(sub);
    const INT_PTR rooms = s.m_pPlaneList->GetCount(), members = s.m_pBeamList->GetCount();
    CEditStackNode undo;
    d.DeleteSelected(CGlobalData::KIND_BEAM, undo);
    EXPECT_TRUE(room->m_pSubBeamList->IsEmpty());
    EXPECT_EQ(s.m_pPlaneList->GetCount(), rooms);
    EXPECT_EQ(s.m_pBeamList->GetCount(), members);
    undo.Undo();
    EXPECT_EQ(room->m_pSubBeamList->Get(1), sub);
}

TEST_F(DeleteSelected, RandomSelectionsStayConsistentAndUndoExactly)
{
    CStruct& s = *d.Struct();
    unsigned seed = 12345;
    auto next = [&]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7fff;
    };
    auto pick = [&](CObList* from, CObList& to, unsigned everyN) {
        for (POSITION pos = from->GetHeadPosition(); pos != nullptr;)
        {
            CObject* o = from->GetNext(pos);
            if (next() % everyN == 0)
                to.AddTail(o);
        }
    };
    for (int round = 0; round < 20; ++round)
    {
        SCOPED_TRACE(round);
        const int kinds[] = {CGlobalData::KIND_NODE, CGlobalData::KIND_BEAM, CGlobalData::KIND_WALL,
                             CGlobalData::KIND_PLANE, CGlobalData::KIND_BCINWALL, CGlobalData::KIND_ALL};
        const int kind = kinds[round % 6];
        pick(s.m_pNodeList, d.SelectNodeList(), 15);
        pick(s.m_pBeamList, d.SelectBeamList(), 10);
        pick(s.m_pBCInWallList1, d.SelectBeamList(), 2);
        pick(s.m_pWallList, d.SelectWallList(), 2);
        pick(s.m_pPlaneList, d.SelectPlaneList(), 5);
        pick(s.m_pPlaneList->Get(1)->m_pSubBeamList, d.SelectBeamList(), 1);
        const Snapshot before = Take(d);
        {
            CEditStackNode undo;
            d.DeleteSelected(kind, undo);
            ExpectConsistent(d);
            undo.Undo();
            EXPECT_EQ(Take(d), before);
        }
        // Keep the model for the next round, with an empty selection.
        d.SelectNodeList().RemoveAll();
        d.SelectBeamList().RemoveAll();
        d.SelectWallList().RemoveAll();
        d.SelectPlaneList().RemoveAll();
        if (round % 3 == 2)
        {
            // Now and then an edit stands, so later rounds work on a smaller model.
            pick(s.m_pBeamList, d.SelectBeamList(), 20);
            CEditStackNode undo;
            d.DeleteSelected(CGlobalData::KIND_ALL, undo);
            ExpectConsistent(d);
        }
    }
}
