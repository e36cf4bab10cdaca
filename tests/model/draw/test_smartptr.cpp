// The shared pointer: counts, sharer lists and a delete that happens exactly once however
// the pointers are copied, assigned and stored; the plane's lists of shared pointers.
#include <gtest/gtest.h>

#include <vyr/model/draw/draw.h>

namespace {

struct Counted
{
    static inline int alive = 0;
    static inline int deleted = 0;
    int v = 0;
    Counted() { ++alive; }
    explicit Counted(int x) : v(x) { ++alive; }
    virtual ~Counted()
    {
        --alive;
        ++deleted;
    }
};

struct CountedVertex : CVertex
{
    static inline int deleted = 0;
    ~CountedVertex() override { ++deleted; }
};

} // namespace

TEST(SmartPtr, CopyingAnEmptyPointerTouchesNothing)
{
    CSmartPtr<Counted> empty;
    CSmartPtr<Counted> copy(empty);
    EXPECT_TRUE(copy.IsNull());
    EXPECT_EQ(copy.GetRefCount(), 0);
    EXPECT_EQ(copy.GetSharerCount(), 0);
}

TEST(SmartPtr, ThreeCopiesDeleteOnceOnTheLastRelease)
{
    Counted::deleted = 0;
    auto* a = new CSmartPtr<Counted>(new Counted(5));
    auto* b = new CSmartPtr<Counted>(*a);
    auto* c = new CSmartPtr<Counted>(*b);
    EXPECT_EQ(c->GetRefCount(), 3);
    EXPECT_EQ(c->GetSharerCount(), 3);
    EXPECT_TRUE(a->IsSharer(b) && a->IsSharer(c) && a->IsSharer(a));
    delete a;
    b->Release();
    EXPECT_EQ(c->GetRefCount(), 1);
    EXPECT_EQ(c->GetSharerCount(), 1);
    EXPECT_TRUE(c->IsSharer(c));
    EXPECT_EQ(Counted::deleted, 0);
    EXPECT_EQ((*c)->v, 5);
    delete c;
    EXPECT_EQ(Counted::deleted, 1);
    delete b; // already released: nothing more
    EXPECT_EQ(Counted::deleted, 1);
}

TEST(SmartPtr, AssignmentNeverDeletesTwice)
{
    Counted::deleted = 0;
    Counted::alive = 0;
    {
        CSmartPtr<Counted> x(new Counted(1));
        CSmartPtr<Counted> y(new Counted(2));
        CSmartPtr<Counted> z(x);
        x = x;       // self
        x = z;       // the same object already
        EXPECT_EQ(x.GetRefCount(), 2);
        y = x;       // y's object goes, x's gains a sharer
        EXPECT_EQ(Counted::deleted, 1);
        EXPECT_EQ(x.GetRefCount(), 3);
        EXPECT_EQ(y->v, 1);
        CSmartPtr<Counted> e;
        z = e;       // assigning an empty pointer releases
        EXPECT_TRUE(z.IsNull());
        EXPECT_EQ(x.GetRefCount(), 2);
        e = x;
        EXPECT_EQ(x.GetRefCount(), 3);
    }
    EXPECT_EQ(Counted::deleted, 2);
    EXPECT_EQ(Counted::alive, 0);
}

TEST(SmartPtr, ArraysAreDeletedAsArrays)
{
    Counted::deleted = 0;
    {
        CSmartPtr<Counted> arr(new Counted[4], 4);
        CSmartPtr<Counted> copy(arr);
        EXPECT_EQ(copy.GetArrayCount(), 4);
    }
    EXPECT_EQ(Counted::deleted, 4);
}

TEST(Plane3D, ListsHoldSharedCopiesAndRemoveByIdentity)
{
    CountedVertex::deleted = 0;
    {
        CPlane3D plane;
        CSmartPtr<CVertex> v1(new CountedVertex), v2(new CountedVertex);
        plane.AddVex(v1);
        plane.AddVex(v2);
        EXPECT_EQ(plane.GetVexNum(), 2);
        EXPECT_EQ(v1.GetRefCount(), 2);
        POSITION pos = plane.GetFirstVex();
        CSmartPtr<CVertex> first = plane.GetNextVex(pos);
        EXPECT_TRUE(first.IsSame(v1));
        EXPECT_NE(pos, nullptr);
        plane.GetNextVex(pos);
        EXPECT_EQ(pos, nullptr);

        // Removing an object the list does not hold changes nothing.
        CSmartPtr<CVertex> stranger(new CountedVertex);
        plane.RemoveVex(stranger);
        EXPECT_EQ(plane.GetVexNum(), 2);
        EXPECT_EQ(stranger.GetRefCount(), 1);
        EXPECT_EQ(CountedVertex::deleted, 0);

        plane.RemoveVex(v1);
        EXPECT_EQ(plane.GetVexNum(), 1);
        EXPECT_EQ(v1.GetRefCount(), 2); // v1 and first
        EXPECT_EQ(CountedVertex::deleted, 0);

        CSmartPtr<CEdge> e(new CEdge(v2, v2));
        plane.AddEdge(e);
        EXPECT_EQ(v2.GetRefCount(), 4); // v2, the list, the edge's two ends
        CEdge copy(*e);
        EXPECT_EQ(v2.GetRefCount(), 6);
        plane.RemoveEdge(e);
        EXPECT_EQ(plane.GetEdgeNum(), 0);
    }
    EXPECT_EQ(CountedVertex::deleted, 3);
}

TEST(Plane3D, RegionsCountFromOne)
{
    CPlane3D plane;
    for (int i = 1; i <= 3; ++i) {
        CSmartPtr<CRegion> r(new CRegion);
        r->SetRegionType(i);
        plane.AddRegion(r);
    }
    EXPECT_EQ(plane.GetRegion(0)->GetRegionType(), 1);
    EXPECT_EQ(plane.GetRegion(1)->GetRegionType(), 1);
    EXPECT_EQ(plane.GetRegion(-5)->GetRegionType(), 1);
    EXPECT_EQ(plane.GetRegion(3)->GetRegionType(), 3);
    EXPECT_DEATH(plane.GetRegion(4), "beyond");
}
