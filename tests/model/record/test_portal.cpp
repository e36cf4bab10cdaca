#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include <vyr/model/record/record.h>

namespace {

// A span kind that counts its deletions and names its type.
class CountedSpan : public CPortalSpan
{
public:
    explicit CountedSpan(int* deleted) : m_deleted(deleted) {}
    ~CountedSpan() override { ++*m_deleted; }
    CString GetTypeDesc() override { return "双坡"; }

private:
    int* m_deleted;
};

CPortal* NewFrame(float dist)
{
    CPortal* p = new CPortal;
    p->SetDist(dist);
    return p;
}

} // namespace

TEST(PortalSpan, SharedSpanIsDeletedByTheLastPointerOnly)
{
    int deleted = 0;
    auto* first = new CPortalSpanPtr(new CountedSpan(&deleted));
    auto* second = new CPortalSpanPtr(*first);
    EXPECT_EQ(first->Get(), second->Get());

    delete first;
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ((*second)->GetTypeDesc(), "双坡"); // still reachable through the kind's table
    delete second;
    EXPECT_EQ(deleted, 1);
}

TEST(PortalSpan, FramesSharingSpansFreeEachSpanOnce)
{
    int deleted = 0;
    {
        CPortalList list;
        CPortalSpanPtr a(new CountedSpan(&deleted));
        CPortalSpanPtr b(new CountedSpan(&deleted));
        CPortal* f1 = NewFrame(600);
        CPortal* f2 = NewFrame(600);
        f1->AddSpan(a);
        f1->AddSpan(b);
        f2->AddSpan(a);
        list.Add(f1);
        list.Add(f2);
        a.Release();
        b.Release();
        EXPECT_EQ(deleted, 0);

        // Frame 1 let go of both spans; frame 2 still holds span a.
        f1->ResetSpanInfo();
        EXPECT_EQ(f1->GetSpanNum(), 0);
        EXPECT_EQ(deleted, 1);
        EXPECT_EQ(f2->GetSpanNum(), 1);
        EXPECT_EQ(f2->GetSpan(0)->GetTypeDesc(), "双坡");
    }
    // The list's destructor deleted frame 2, which released the last pointer to span a.
    EXPECT_EQ(deleted, 2);
}

TEST(PortalSpan, SpansKeepTheirOrderAndGetSpanGivesTheSharedPointer)
{
    CPortal frame;
    int deleted = 0;
    std::vector<CPortalSpan*> raw;
    for (float span : {1200.0f, 1800.0f, 900.0f}) {
        CPortalSpanPtr p(new CountedSpan(&deleted));
        p->SetSpan(span);
        raw.push_back(p.Get());
        frame.AddSpan(p);
    }
    ASSERT_EQ(frame.GetSpanNum(), 3);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(frame.GetSpan(i).Get(), raw[(size_t)i]);
        EXPECT_EQ(frame.GetSpan(i).GetRefCount(), 1);
    }
    // Taking a copy of the pointer shares the span rather than copying it.
    CPortalSpanPtr held = frame.GetSpan(1);
    frame.ResetSpanInfo();
    EXPECT_EQ(deleted, 2);
    EXPECT_FLOAT_EQ(held->GetSpan(), 1800.0f);
}

TEST(PortalSpan, IsSharedNotCopiedAndAssignmentCopiesEveryField)
{
    static_assert(!std::is_copy_constructible_v<CPortalSpan>, "spans are shared, not copied");
    CPortalSpan src;
    src.SetSpan(2400);
    src.SetLeftH(800);
    src.SetRightH(750);
    src.SetColSeq("1,2,3");
    src.SetFloorElevationSeq("450");
    src.SetIsHaveRightAwning(1);
    src.SetRightAwningWidth(150);
    CPortalSpan dst;
    dst.SetWindColSeq("old");
    CPortalSpan& viaBase = dst;
    viaBase = src;
    EXPECT_FLOAT_EQ(dst.GetSpan(), 2400);
    EXPECT_FLOAT_EQ(dst.GetLeftH(), 800);
    EXPECT_FLOAT_EQ(dst.GetRightH(), 750);
    EXPECT_EQ(dst.GetColSeq(), "1,2,3");
    EXPECT_EQ(dst.GetWindColSeq(), "");
    EXPECT_EQ(dst.GetFloorElevationSeq(), "450");
    EXPECT_EQ(dst.GetIsHaveRightAwning(), 1);
    EXPECT_FLOAT_EQ(dst.GetRightAwningWidth(), 150);
}

TEST(PortalList, DeleteRenumbersTheRemainingFrames)
{
    struct Case
    {
        int position;
        std::vector<float> remaining; // distances of the frames left, in order
    };
    const Case cases[] = {{1, {20, 30}}, {2, {10, 30}}, {3, {10, 20}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        CPortalList list;
        for (float d : {10.0f, 20.0f, 30.0f})
            list.Add(NewFrame(d));
        list.Delete(c.position);
        ASSERT_EQ(list.GetCount(), 2);
        for (int i = 1; i <= 2; i++) {
            EXPECT_EQ(list.Get(i)->GetNo(), i);
            EXPECT_FLOAT_EQ(list.Get(i)->GetDist(), c.remaining[(size_t)i - 1]);
        }
    }
}

TEST(PortalList, AddNumbersByCountAndIgnoresNull)
{
    CPortalList list;
    list.Add(nullptr);
    EXPECT_EQ(list.GetCount(), 0);
    list.Add(NewFrame(1));
    list.Add(nullptr);
    list.Add(NewFrame(2));
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.Get(1)->GetNo(), 1);
    EXPECT_EQ(list.Get(2)->GetNo(), 2);
}

TEST(PortalList, GetOutOfRangeGivesNull)
{
    CPortalList list;
    EXPECT_EQ(list.Get(1), nullptr);
    list.Add(NewFrame(1));
    list.Add(NewFrame(2));
    for (int position : {-1, 0, 3, 100})
        EXPECT_EQ(list.Get(position), nullptr) << position;
    EXPECT_NE(list.Get(2), nullptr);
}

TEST(PortalList, DeleteOnEmptyListDoesNothing)
{
    CPortalList list;
    list.Delete(1);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(PortalListDeathTest, DeleteOfMissingPositionFailsLoudly)
{
    CPortalList list;
    list.Add(NewFrame(1));
    EXPECT_DEATH(list.Delete(2), "no frame at this position");
    EXPECT_DEATH(list.Delete(0), "no frame at this position");
}

TEST(PortalDeathTest, GetSpanOutOfRangeFailsLoudly)
{
    CPortal frame;
    EXPECT_DEATH(frame.GetSpan(0), "span index out of range");
}

TEST(Portal, InsertionPointAndAxesRoundTrip)
{
    CPortal frame;
    frame.SetPtIns(CPoint3D(100.5, -20.25, 35));
    CPoint3D p = frame.GetPtIns();
    EXPECT_DOUBLE_EQ(p.x, 100.5);
    EXPECT_DOUBLE_EQ(p.y, -20.25);
    EXPECT_DOUBLE_EQ(p.z, 35);
    frame.AddAxis(3);
    frame.AddAxis(4);
    ASSERT_EQ(frame.GetAxisNum(), 2);
    EXPECT_EQ(frame.GetAxis(1), 4);
}
