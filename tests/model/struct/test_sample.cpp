// The sample model builder: a complete, consistent model of the requested size.
#include <gtest/gtest.h>

#include <algorithm>
#include <list>

#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>

TEST(SampleModel, ThreeStoreyTwoByThreeBayFrame)
{
    CGlobalData d;
    BuildSampleModel(d);
    CStruct& s = *d.Struct();
    const int grid = 3 * 4; // nodes per level
    EXPECT_EQ(s.m_pFloorList->GetCount(), 4);
    EXPECT_EQ(s.m_pFloorList->GetRealFloorNum(), 3);
    EXPECT_EQ(s.m_pPlaneList->GetCount(), 3 * 6);
    EXPECT_EQ(s.m_pNodeList->GetCount(), 4 * grid + 2 * 18); // plus the secondary-beam ends
    const int columns = 3 * grid, beams = 3 * (2 * 4 + 3 * 3), braces = 3;
    EXPECT_EQ(s.m_pBeamList->GetCount(), columns + beams + braces);
    EXPECT_EQ(s.m_pWallList->GetCount(), 3);
    EXPECT_EQ(s.m_pWallList->Get(1)->m_pHoleList->GetCount(), 1);
    EXPECT_FLOAT_EQ(s.m_pWallList->Get(1)->GetWallH(), 360.0f);
    EXPECT_FLOAT_EQ(s.m_pWallList->Get(1)->GetWallB(), 600.0f);
    EXPECT_EQ(s.m_pSectionList->GetCount(), 4);
    ASSERT_EQ(s.m_pMaterialConcreteList->GetCount(), 1);
    EXPECT_EQ(s.m_pDefaultFloorMaterial, s.m_pMaterialConcreteList->Get(1));
    EXPECT_EQ(s.m_pDefaultWallMaterial, s.m_pMaterialConcreteList->Get(1));
    for (POSITION pos = s.m_pSectionList->GetHeadPosition(); pos != nullptr;)
        EXPECT_NE(static_cast<CSectionBase*>(s.m_pSectionList->GetNext(pos))->m_pMaterial, nullptr);
    EXPECT_EQ(s.GetUsedSectionNum(true), 4);
    EXPECT_EQ(s.Axises().GetAxisNum(), 3 + 4);
    EXPECT_GT(s.m_pLCList->GetCount(), 0);
    EXPECT_TRUE(d.GetCurrentLC()->IsEqual(s.m_pLCList->Get(1))) << "the current combination is a copy of the first";
    EXPECT_NE(d.GetCurrentLC(), s.m_pLCList->Get(1));
    EXPECT_EQ(s.GetCurFrequentNum(), 3);
    EXPECT_NEAR(s.GetFrequency(0), 1.0 / 0.92, 1e-5);

    // Every room is a quadrilateral with a slab, edge member k from vertex k to k + 1.
    for (POSITION pos = s.m_pPlaneList->GetHeadPosition(); pos != nullptr;)
    {
        CPlane* p = s.m_pPlaneList->GetNextT(pos);
        ASSERT_EQ(p->GetEdgeNum(), 4);
        EXPECT_NE(p->m_pBan, nullptr);
        for (int k = 1; k <= 4; ++k)
        {
            CBeamBase* e = p->m_pBeamList->Get(k);
            CPNode* a = p->m_pVexNodeList->Get(k);
            CPNode* b = p->m_pVexNodeList->Get(k % 4 + 1);
            EXPECT_TRUE((e->GetNode1() == a && e->GetNode2() == b) || (e->GetNode1() == b && e->GetNode2() == a));
        }
        EXPECT_NEAR(p->GetArea(), 600.0 * 600.0, 1e-6);
    }
}

TEST(SampleModel, TriangularRoomOnRequestBoundedByThreeMembers)
{
    CGlobalData d;
    CSampleModelSize size;
    size.bTriangleRoom = true;
    BuildSampleModel(d, size);
    CStruct& s = *d.Struct();
    ASSERT_EQ(s.m_pPlaneList->GetCount(), 3 * 6 + 1);
    CPlane* p = s.m_pPlaneList->Get(19);
    EXPECT_EQ(p->m_nShapeCode, 1);
    ASSERT_EQ(p->GetEdgeNum(), 3);
    ASSERT_EQ(p->m_pBeamList->GetCount(), 3);
    EXPECT_EQ(p->m_pFloor, s.m_pFloorList->GetRealFloorTail());
    EXPECT_TRUE(p->m_pFloor->m_pPlaneList->Contains(p));
    for (int k = 1; k <= 3; ++k)
    {
        CBeamBase* e = p->m_pBeamList->Get(k);
        EXPECT_TRUE(s.m_pBeamList->Contains(e));
        EXPECT_EQ(e->GetNode1(), p->m_pVexNodeList->Get(k));
        EXPECT_EQ(e->GetNode2(), p->m_pVexNodeList->Get(k % 3 + 1));
    }
    // Base 600 on the front of the first bay, apex 400 out: sides 600, 500, 500.
    EXPECT_NEAR(p->m_pBeamList->Get(2)->GetLength(), 500.0, 1e-9);
    EXPECT_NEAR(p->GetArea(), 600.0 * 400.0 / 2, 1e-6);
}

TEST(SampleModel, PlanViewShowsTheTopStoreyInTheClientArea)
{
    CGlobalData d;
    BuildSampleModel(d);
    CBeamList all;
    all.CopyPointer(d.Struct()->m_pBeamList);
    const CRect2D rc = d.GetBeamScreenRect(all);
    EXPECT_GE(std::min(rc.left, rc.right), 0.0);
    EXPECT_LE(std::max(rc.left, rc.right), 1000.0);
    EXPECT_GE(std::min(rc.top, rc.bottom), 0.0);
    EXPECT_LE(std::max(rc.top, rc.bottom), 800.0);
    // A window around the whole view takes every member.
    CBeamList hits;
    d.BeamWindowSelect(all, CRect2D(-1, -1, 1001, 801), hits);
    EXPECT_EQ(hits.GetCount(), all.GetCount());
    std::list<CAxis*> axes;
    d.Struct()->Axises().CrossSelect(d.AxisDisplay(), CRect2D(-1, -1, 1001, 801), axes);
    EXPECT_EQ((int)axes.size(), d.Struct()->Axises().GetAxisNum());
}

TEST(SampleModel, SummaryNamesTheCounts)
{
    CGlobalData d;
    BuildSampleModel(d);
    const CString text = SampleModelSummary(d);
    EXPECT_NE(text.Find("楼层: 3"), -1) << text.GetString();
    EXPECT_NE(text.Find("房间: 18"), -1) << text.GetString();
    EXPECT_NE(text.Find("墙体: 3"), -1) << text.GetString();
}

TEST(SampleModel, SketchExportAddsMembersAndUndoRemovesThem)
{
    CGlobalData d;
    BuildSampleModel(d);
    CStruct& s = *d.Struct();
    const INT_PTR members = s.m_pBeamList->GetCount(), nodes = s.m_pNodeList->GetCount();
    CStructSketch sketch;
    EXPECT_TRUE(sketch.IsEmpty());
    // One new member from an existing node to a new one.
    sketch.AddLine(CPoint3D(0, 0, 360), CPoint3D(-300, 0, 360));
    CEditStackNode undo;
    sketch.Export(&d, undo, true);
    EXPECT_EQ(s.m_pBeamList->GetCount(), members + 1);
    EXPECT_EQ(s.m_pNodeList->GetCount(), nodes + 1);
    undo.Undo();
    EXPECT_EQ(s.m_pBeamList->GetCount(), members);
    EXPECT_EQ(s.m_pNodeList->GetCount(), nodes);
}

// Stud design of the sample's 600 cm secondary beams (welded H 300x150x6.5x10: 48.2 cm2)
// without a slab material, so C30's values: stud d19 As = 283.53 mm2, capacity
// min(0.43 As sqrt(30000 x 14.3), 0.7 As 1.67 x 215) = min(79.85, 71.261) = 71.261 kN;
// longitudinal shear min(48.2 x 21.5, 600/3 x slab depth x 1.43) kN over half the span.
TEST(SampleModel, StudDesignStatus)
{
    CGlobalData d;
    BuildSampleModel(d);
    CStruct& s = *d.Struct();
    CPinNailGroup studs;
    studs.m_nDiameter = 19;
    studs.m_nHeight = 60;
    studs.m_nRows = 1;
    CPlane* concreteRoom = s.m_pPlaneList->Get(1); // bay (0, 0): cast-in-place slab
    CPlane* deckRoom = s.m_pPlaneList->Get(2);     // bay (1, 0): slab on profiled sheet
    ASSERT_TRUE(concreteRoom->m_pBan->IsConcreteBan());
    ASSERT_FALSE(deckRoom->m_pBan->IsConcreteBan());
    CBeamBase* sub = concreteRoom->m_pSubBeamList->Get(1);

    int code = -1;
    EXPECT_EQ(sub->VyrComBeamPinDesign(d.GetSDispLCList(), &studs, code, nullptr), 0.0f);
    EXPECT_EQ(code, 3) << "no negative reinforcement yet";

    CPlateSteelBarGroup* bars = new CPlateSteelBarGroup(1, 10, 150);
    s.m_pPlateSteelBarGroupList->Add(bars);
    concreteRoom->m_pBarGroup[1] = bars;
    deckRoom->m_pBarGroup[1] = bars;
    const float spacing = sub->VyrComBeamPinDesign(d.GetSDispLCList(), &studs, code, nullptr);
    EXPECT_EQ(code, 0);
    EXPECT_GT(spacing, 0.0f);
    EXPECT_LE(spacing, sub->GetLength() / 2);
    // Steel governs (1036.3 kN < 200 x 12 x 1.43 = 3432 kN): ceil(1036.3 / 71.261) = 15
    // stations over 300 cm.
    EXPECT_NEAR(spacing, 20.0f, 1e-4);
    studs.m_nRows = 2;
    EXPECT_GT(sub->VyrComBeamPinDesign(d.GetSDispLCList(), &studs, code, nullptr), spacing)
        << "two rows need fewer stations";
    // ceil(1036.3 / 142.52) = 8 stations.
    EXPECT_NEAR(sub->VyrComBeamPinDesign(d.GetSDispLCList(), &studs, code, nullptr), 37.5f, 1e-4);
    studs.m_nRows = 1;
    // A given capacity of 50 kN: ceil(1036.3 / 50) = 21 stations.
    studs.m_nCapacityMode = 1;
    studs.m_fCapacity = 50.0f;
    EXPECT_NEAR(sub->VyrComBeamPinDesign(d.GetSDispLCList(), &studs, code, nullptr), 300.0f / 21.0f, 1e-4);
    studs.m_nCapacityMode = 0;
    // A 30 mm slab governs: 200 x 3 x 1.43 = 858 kN, ceil(858 / 71.261) = 13 stations.
    const float thick = concreteRoom->m_pBan->m_fThick;
    concreteRoom->m_pBan->m_fThick = 30.0f;
    EXPECT_NEAR(sub->VyrComBeamPinDesign(d.GetSDispLCList(), &studs, code, nullptr), 300.0f / 13.0f, 1e-4);
    concreteRoom->m_pBan->m_fThick = thick;
    studs.m_nRows = 2;

    // The deck's ribs are 50 mm: 60 mm studs are too short, and the spacing is still given.
    CBeamBase* deckSub = deckRoom->m_pSubBeamList->Get(1);
    // 200 x 8 x 1.43 = 2288 kN: steel governs again; two rows, 8 stations.
    EXPECT_NEAR(deckSub->VyrComBeamPinDesign(d.GetSDispLCList(), &studs, code, nullptr), 37.5f, 1e-4);
    EXPECT_EQ(code, 1);
    studs.m_nHeight = 100;
    deckSub->VyrComBeamPinDesign(d.GetSDispLCList(), &studs, code, nullptr);
    EXPECT_EQ(code, 0);

    deckRoom->m_pBan = nullptr;
    EXPECT_EQ(deckSub->VyrComBeamPinDesign(d.GetSDispLCList(), &studs, code, nullptr), 0.0f);
    EXPECT_EQ(code, 2);
}

TEST(Storeys, TreeGroupsLinkedStoreysUnderTheirMainStorey)
{
    CFloorList floors;
    CFloor base(0, 0), f1(1, 1), f2(2, 1), f3(3, 1);
    f2.m_nOwn = 0;
    f2.m_pLink = &f1;
    f3.m_nOwn = 0;
    f3.m_pLink = &f1;
    for (CFloor* f : {&base, &f1, &f2, &f3})
        floors.AddTail(f);
    std::vector<CFloorTreeItem> tree;
    floors.TurnToFloorTree(tree);
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree[0].pMainFloor, &base);
    EXPECT_TRUE(tree[0].arrChild.empty());
    EXPECT_EQ(tree[1].pMainFloor, &f1);
    EXPECT_EQ(tree[1].arrChild, (std::vector<CFloor*>{&f2, &f3}));
    floors.RemoveAll();
}

TEST(Storeys, RealStoreysLeaveTheBaseOut)
{
    CGlobalData d;
    BuildSampleModel(d);
    CFloorList& floors = *d.Struct()->m_pFloorList;
    ASSERT_EQ(floors.GetRealFloorNum(), 3);
    EXPECT_EQ(floors.GetRealFloor(1), floors.Get(2));
    EXPECT_EQ(floors.GetRealFloorTail(), floors.Get(4));
    EXPECT_EQ(floors.GetRealFloorByID(2), floors.Get(3));
    EXPECT_EQ(floors.GetRealFloorByID(0), nullptr);
    std::vector<int> up, down;
    for (POSITION pos = floors.GetRealFloorHeadPosition(); pos != nullptr;)
        up.push_back(floors.GetRealFloorNext(pos)->GetNo());
    for (POSITION pos = floors.GetRealFloorTailPosition(); pos != nullptr;)
        down.push_back(floors.GetRealFloorPrev(pos)->GetNo());
    EXPECT_EQ(up, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(down, (std::vector<int>{3, 2, 1}));
    EXPECT_FLOAT_EQ(floors.Get(2)->GetH(), 360.0f);
    EXPECT_EQ(floors.Get(2)->GetDownFloor(), floors.Get(1));
    EXPECT_EQ(floors.Get(4)->GetUpFloor(), nullptr);
    EXPECT_FLOAT_EQ(floors.Get(2)->GetArea(), 6 * 600.0f * 600.0f);
}

TEST(Sketch, ImportProjectAndFit)
{
    CGlobalData d;
    BuildSampleModel(d);
    CStructSketch& sketch = d.StructSketch();
    sketch.Import(d.Struct()->m_pBeamList, d.Struct()->m_pWallList);
    EXPECT_FALSE(sketch.IsEmpty());
    EXPECT_EQ(sketch.GetLines().size(), (size_t)d.Struct()->m_pBeamList->GetCount());
    sketch.Change3D(d.Matrix3D());
    const CRect2D plane = sketch.GetProjectRect();
    EXPECT_DOUBLE_EQ(std::min(plane.left, plane.right), 0.0);
    EXPECT_DOUBLE_EQ(std::max(plane.left, plane.right), 1200.0);
    EXPECT_DOUBLE_EQ(std::max(plane.top, plane.bottom), 1800.0);
    sketch.ZoomAll(CRect(0, 0, 120, 90));
    for (const CStructSketch::Line& l : sketch.GetLines())
        for (const CPoint2D& p : {l.sa, l.sb})
        {
            EXPECT_GE(p.x, -1e-6);
            EXPECT_LE(p.x, 120 + 1e-6);
            EXPECT_GE(p.y, -1e-6);
            EXPECT_LE(p.y, 90 + 1e-6);
        }
    sketch.ClearData();
    EXPECT_TRUE(sketch.IsEmpty());
}

TEST(Sketch, FitKeepsTheOutermostMembersTenPixelsInside)
{
    // The front of the frame, 1200 wide and 1080 high, in the project preview's 224 x 240:
    // the scale is min(204 / 1200, 220 / 1080) = 0.17, so x runs from 10 to 214 and the
    // 183.6 pixels of height are centred, from 28.2 to 211.8.
    CGlobalData d;
    BuildSampleModel(d);
    CStructSketch sketch;
    sketch.Import(d.Struct()->m_pBeamList, nullptr);
    CMatrix3D front;
    front.Identity();
    sketch.Change3D(front);
    sketch.ZoomAll(CRect(0, 0, 224, 240));
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const CStructSketch::Line& l : sketch.GetLines())
        for (const CPoint2D& p : {l.sa, l.sb}) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    EXPECT_NEAR(minX, 10.0, 1e-9);
    EXPECT_NEAR(maxX, 214.0, 1e-9);
    EXPECT_NEAR(minY, 28.2, 1e-9);
    EXPECT_NEAR(maxY, 211.8, 1e-9);
}

TEST(SampleModel, StoreyCapacityCollectsColumnsAndBraces)
{
    CGlobalData d;
    BuildSampleModel(d);
    CStruct& s = *d.Struct();
    s.ComputeCapacity(nullptr);
    CFloor* first = s.m_pFloorList->GetRealFloor(1);
    CSectionBase* column = s.m_pBeamList->Get(1)->GetSection();
    CSectionBase* brace = nullptr;
    for (POSITION pos = s.m_pBeamList->GetHeadPosition(); pos != nullptr && brace == nullptr;)
        if (CBeamBase* b = s.m_pBeamList->GetNextT(pos); b->GetType() == 3)
            brace = b->GetSection();
    ASSERT_NE(brace, nullptr);
    float c2 = 0, c3 = 0, b2 = 0, b3 = 0;
    column->GetSteelSecShearCapacity(0, c2, c3);
    brace->GetSteelSecShearCapacity(0, b2, b3);
    ASSERT_GT(c2, 0.0f);
    EXPECT_FLOAT_EQ(first->m_fX1, 12 * c2); // twelve columns a storey
    EXPECT_FLOAT_EQ(first->m_fY1, 12 * c3);
    EXPECT_FLOAT_EQ(first->m_fX2, b2);      // one brace
    EXPECT_FLOAT_EQ(first->GetCapacityX(), 12 * c2 + b2);
    EXPECT_EQ(s.m_pFloorList->Get(1)->GetCapacityX(), 0.0f) << "the base level carries no storey shear";
}

TEST(SampleModel, LoadsAreSharedRecordsOfTheStructure)
{
    CGlobalData d;
    BuildSampleModel(d);
    CStruct& s = *d.Struct();
    ASSERT_EQ(s.m_pLoadBeamDeadList->GetCount(), 1);
    CLoadBeam* line = s.m_pLoadBeamDeadList->Get(1);
    int loaded = 0;
    for (POSITION pos = s.m_pBeamList->GetHeadPosition(); pos != nullptr;)
    {
        CBeam* b = s.m_pBeamList->GetNextT(pos)->toBeam();
        ASSERT_NE(b, nullptr);
        ASSERT_NE(b->m_pLiveLoadList, nullptr);
        for (CLoadBeamList* w : b->m_pWindLoadList)
            ASSERT_NE(w, nullptr);
        if (b->GetType() == 2)
        {
            EXPECT_EQ(b->m_pDeadLoadList->Get(1), line);
            ++loaded;
        }
    }
    EXPECT_EQ(loaded, 51);
    CString text;
    line->GetDescription(&text);
    EXPECT_NE(text.Find("-0.05"), -1) << text.GetString();
    CPlane* room = s.m_pPlaneList->Get(1);
    EXPECT_EQ(room->m_pDeadLoad, s.m_pLoadAreaDeadList->Get(1));
    const CPoint2D c = room->GetCenter();
    EXPECT_DOUBLE_EQ(c.x, 300.0);
    EXPECT_DOUBLE_EQ(c.y, 300.0);

    // Deleting loaded members leaves the shared records with the structure.
    d.SelectBeamList().CopyPointer(s.m_pBeamList);
    {
        CEditStackNode undo;
        d.DeleteSelected(CGlobalData::KIND_BEAM, undo);
    }
    EXPECT_TRUE(s.m_pBeamList->IsEmpty());
    EXPECT_EQ(s.m_pLoadBeamDeadList->Get(1), line);
    EXPECT_TRUE(s.m_pPlaneList->IsEmpty()) << "rooms go with their edge members";
}

TEST(SampleModel, GroupQuantities)
{
    CGlobalData d;
    BuildSampleModel(d);
    CBeamGroup* columns = d.Struct()->m_pBeamGroupList->Get(1);
    ASSERT_EQ(columns->m_pBeamList->GetCount(), 36);
    EXPECT_FLOAT_EQ(columns->GetLength(0), 36 * 360.0f);
    EXPECT_EQ(columns->GetLength(1), 0.0f) << "nothing selected";
    columns->m_pBeamList->Get(1)->SetSelect(1);
    EXPECT_FLOAT_EQ(columns->GetLength(1), 360.0f);
    // Steel weight: area (cm2) x length (cm) x 7.85e-3 kg/cm3, in tonnes.
    const float area = columns->m_pSection->GetSteelA();
    EXPECT_NEAR(columns->GetWeight(0), area * 36 * 360.0f * 7.85e-3f / 1000.0f, 1e-3);
    EXPECT_EQ(columns->GetCost(0), 0.0f) << "no price entry, no cost";
    COptDiscreteSection price(1, 0, 0);
    columns->SetOptDiscreteSection(&price);
    EXPECT_NEAR(columns->GetCost(0), columns->GetWeight(0) * COptDiscreteSection::DefaultCost, 1e-2);
    columns->SetOptDiscreteSection(nullptr);
}

TEST(SampleModel, UsedSectionMarksFollowTheMembers)
{
    CGlobalData d;
    BuildSampleModel(d);
    CStruct& s = *d.Struct();
    auto section = [&](int i) { return static_cast<CSectionBase*>(s.m_pSectionList->GetAt(s.m_pSectionList->FindIndex(i))); };
    CSectionBase* column = section(0);
    CSectionBase* sub = section(2);
    CSectionBase* brace = section(3);
    ASSERT_EQ(sub->m_nUsed, 0);

    // The braces take the column section: their old section keeps no stale mark.
    for (int i = 0; i < 4; ++i)
        section(i)->m_nUsed = 1;
    for (POSITION pos = s.m_pBeamList->GetHeadPosition(); pos != nullptr;)
        if (CBeamBase* b = s.m_pBeamList->GetNextT(pos); b->GetSection() == brace)
            b->SetSection(column);
    s.SetUsedSection(true);
    EXPECT_EQ(brace->m_nUsed, 0);
    EXPECT_NE(column->m_nUsed, 0);
    EXPECT_NE(sub->m_nUsed, 0) << "secondary beams use their section too";
    EXPECT_EQ(s.GetUsedSectionNum(true), 3);
}
