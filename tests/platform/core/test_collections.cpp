#include <gtest/gtest.h>

#include <sys/resource.h>

#include <string>
#include <thread>
#include <vector>

#include <vyr/stdafx.h>

namespace {

std::vector<int> Forward(const CList<int, int>& l)
{
    std::vector<int> v;
    for (POSITION pos = l.GetHeadPosition(); pos;) v.push_back(l.GetNext(pos));
    return v;
}

std::vector<int> Backward(const CList<int, int>& l)
{
    std::vector<int> v;
    for (POSITION pos = l.GetTailPosition(); pos;) v.push_back(l.GetPrev(pos));
    return v;
}

void Fill(CList<int, int>& l, std::initializer_list<int> values)
{
    for (int x : values) l.AddTail(x);
}

class CItem : public CObject
{
    DECLARE_DYNAMIC(CItem)
public:
    explicit CItem(int n = 0) : m_n(n) {}
    int m_n;
};
IMPLEMENT_DYNAMIC(CItem, CObject)

// A model-style list: a typed list with members of its own.
class CItemList : public CTypedPtrList<CObList, CItem*>
{
public:
    CItem* Get(int i)
    {
        POSITION pos = FindIndex(i);
        return pos ? GetAt(pos) : nullptr;
    }
};

} // namespace

TEST(CList, IteratesBothWaysAndGetNextEndsWithNull)
{
    CList<int, int> l;
    EXPECT_EQ(l.GetHeadPosition(), nullptr);
    Fill(l, {1, 2, 3});
    POSITION pos = l.GetHeadPosition();
    EXPECT_EQ(l.GetNext(pos), 1);
    EXPECT_EQ(l.GetNext(pos), 2);
    EXPECT_EQ(l.GetNext(pos), 3);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(Backward(l), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(l.GetCount(), 3);
}

// Removing at every position, while iterating with a second saved position, leaves the
// others in order with intact links both ways.
TEST(CList, RemoveAtSavedPositionWhileIterating)
{
    struct Case
    {
        std::vector<int> input;
        int removeValue;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {{5}, 5, {}},
        {{1, 2, 3}, 1, {2, 3}},
        {{1, 2, 3}, 2, {1, 3}},
        {{1, 2, 3}, 3, {1, 2}},
        {{4, 4, 1, 4}, 4, {1}}, // several removals in one pass
    };
    for (const Case& c : cases) {
        CList<int, int> l;
        for (int x : c.input) l.AddTail(x);
        for (POSITION pos = l.GetHeadPosition(); pos;) {
            POSITION cur = pos;
            if (l.GetNext(pos) == c.removeValue) l.RemoveAt(cur);
        }
        EXPECT_EQ(Forward(l), c.expected);
        std::vector<int> back(c.expected.rbegin(), c.expected.rend());
        EXPECT_EQ(Backward(l), back);
        EXPECT_EQ(l.GetCount(), (INT_PTR)c.expected.size());
    }
}

TEST(CList, InsertFindAndIndex)
{
    CList<int, int> l;
    Fill(l, {10, 20, 30});
    POSITION p20 = l.Find(20);
    ASSERT_NE(p20, nullptr);
    l.InsertBefore(p20, 15);
    l.InsertAfter(p20, 25);
    l.InsertBefore(nullptr, 5);  // null: at the head
    l.InsertAfter(nullptr, 35);  // null: at the tail
    EXPECT_EQ(Forward(l), (std::vector<int>{5, 10, 15, 20, 25, 30, 35}));
    EXPECT_EQ(l.GetAt(l.FindIndex(3)), 20);
    EXPECT_EQ(l.FindIndex(7), nullptr);
    EXPECT_EQ(l.FindIndex(-1), nullptr);
    l.AddTail(20);
    EXPECT_EQ(l.Find(20, p20), l.GetTailPosition()); // search starts after the position
    EXPECT_EQ(l.Find(99), nullptr);
    l.SetAt(p20, 21);
    EXPECT_EQ(l.GetAt(p20), 21);
}

TEST(CList, HeadTailRemovalAndListAppend)
{
    CList<int, int> a, b;
    Fill(a, {1, 2});
    Fill(b, {3, 4});
    a.AddTail(&b);
    a.AddHead(&b);
    EXPECT_EQ(Forward(a), (std::vector<int>{3, 4, 1, 2, 3, 4}));
    a.AddTail(&a); // appending a list to itself doubles it once
    EXPECT_EQ(a.GetCount(), 12);
    EXPECT_EQ(a.RemoveHead(), 3);
    EXPECT_EQ(a.RemoveTail(), 4);
    EXPECT_EQ(a.GetHead(), 4);
    EXPECT_EQ(a.GetTail(), 3);
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetHeadPosition(), nullptr);
    EXPECT_EQ(a.GetTailPosition(), nullptr);
    a.AddHead(7);
    EXPECT_EQ(Forward(a), (std::vector<int>{7}));
}

// Removed nodes are reused; the list stays consistent through many removals and additions.
TEST(CList, ReusesRemovedNodesConsistently)
{
    CList<CString, LPCTSTR> l;
    std::vector<std::string> model;
    for (int round = 0; round < 50; round++) {
        std::string v = "项" + std::to_string(round);
        if (round % 3 == 0) {
            l.AddHead(v.c_str());
            model.insert(model.begin(), v);
        } else {
            l.AddTail(v.c_str());
            model.push_back(v);
        }
        if (round % 4 == 3) {
            l.RemoveAt(l.FindIndex(1));
            model.erase(model.begin() + 1);
            EXPECT_EQ(std::string(l.RemoveTail().GetString()), model.back());
            model.pop_back();
        }
    }
    std::vector<std::string> got;
    for (POSITION pos = l.GetHeadPosition(); pos;) got.push_back(l.GetNext(pos).GetString());
    EXPECT_EQ(got, model);
    std::vector<std::string> back;
    for (POSITION pos = l.GetTailPosition(); pos;) back.push_back(l.GetPrev(pos).GetString());
    EXPECT_EQ(back, std::vector<std::string>(model.rbegin(), model.rend()));
}

// A large result made and dropped again, as a hit test does on every mouse action, reuses
// the memory of the last one: the second round faults almost no page in, where 200,000
// nodes of 32 bytes span some 1,560 pages.
TEST(CList, LargeListMadeAgainFaultsNoPagesIn)
{
    auto round = [] {
        CList<void*, void*> l;
        for (intptr_t i = 0; i < 200000; i++) l.AddTail((void*)i);
        return l.GetCount();
    };
    ASSERT_EQ(round(), 200000);
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    ASSERT_EQ(round(), 200000);
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_minflt - before.ru_minflt, 100);
}

// Blocks go from list to list, of any element type and on any thread: every list keeps
// exactly what was put in it.
TEST(CList, ListsOnSeveralThreadsShareBlocksWithoutMixingElements)
{
    auto work = [](int seed, bool* ok) {
        for (int round = 0; round < 20 && *ok; round++) {
            const int n = 5000 + 997 * ((seed + round) % 7);
            CList<int, int> numbers;
            CStringList names;
            for (int i = 0; i < n; i++) {
                numbers.AddTail(seed * 1000000 + i);
                if (i % 3 == 0) names.AddTail(std::to_string(seed * 1000000 + i).c_str());
            }
            int i = 0;
            for (POSITION pos = numbers.GetHeadPosition(); pos; i++)
                if (numbers.GetNext(pos) != seed * 1000000 + i) *ok = false;
            i = 0;
            for (POSITION pos = names.GetHeadPosition(); pos; i += 3)
                if (std::string(names.GetNext(pos).GetString()) != std::to_string(seed * 1000000 + i)) *ok = false;
            if (numbers.GetCount() != n) *ok = false;
            numbers.RemoveAll(); // the names go back when their list ends
        }
    };
    bool ok[4] = {true, true, true, true};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; t++) threads.emplace_back(work, t + 1, &ok[t]);
    for (std::thread& t : threads) t.join();
    for (int t = 0; t < 4; t++) EXPECT_TRUE(ok[t]) << "thread " << t;
}

// Every change of the contents moves the edit count; reading does not.
TEST(CList, EveryEditMovesTheEditCountAndReadingDoesNot)
{
    CList<int, int> other;
    other.AddTail(7);
    struct Edit
    {
        const char* name;
        void (*apply)(CList<int, int>&, const CList<int, int>&);
    };
    const Edit edits[] = {
        {"AddHead", [](CList<int, int>& l, const CList<int, int>&) { l.AddHead(1); }},
        {"AddTail", [](CList<int, int>& l, const CList<int, int>&) { l.AddTail(2); }},
        {"AddTail(list)", [](CList<int, int>& l, const CList<int, int>& o) { l.AddTail(&o); }},
        {"InsertBefore", [](CList<int, int>& l, const CList<int, int>&) { l.InsertBefore(l.FindIndex(1), 3); }},
        {"InsertAfter", [](CList<int, int>& l, const CList<int, int>&) { l.InsertAfter(l.GetHeadPosition(), 4); }},
        {"SetAt the same value", [](CList<int, int>& l, const CList<int, int>&) {
             POSITION pos = l.FindIndex(1);
             l.SetAt(pos, l.GetAt(pos));
         }},
        {"RemoveAt", [](CList<int, int>& l, const CList<int, int>&) { l.RemoveAt(l.FindIndex(1)); }},
        {"RemoveHead", [](CList<int, int>& l, const CList<int, int>&) { l.RemoveHead(); }},
        {"RemoveTail", [](CList<int, int>& l, const CList<int, int>&) { l.RemoveTail(); }},
        {"RemoveAll", [](CList<int, int>& l, const CList<int, int>&) { l.RemoveAll(); }},
    };
    CList<int, int> l;
    for (int v : {10, 20, 30, 40})
        l.AddTail(v);
    for (const Edit& e : edits) {
        const UINT_PTR before = l.GetEditCount();
        int sum = 0;
        for (POSITION pos = l.GetHeadPosition(); pos;)
            sum += l.GetNext(pos);
        (void)l.Find(20);
        (void)sum;
        EXPECT_EQ(l.GetEditCount(), before) << e.name << ": reading";
        e.apply(l, other);
        EXPECT_NE(l.GetEditCount(), before) << e.name;
    }
    EXPECT_EQ(other.GetEditCount(), 1u) << "a list appended elsewhere is only read";
}

TEST(CTypedPtrList, ModelStyleListKeepsPointersAndOwnsNone)
{
    CItem a(1), b(2), c(3);
    CItemList l;
    l.AddTail(&a);
    l.AddTail(&b);
    l.AddHead(&c);
    EXPECT_EQ(l.Get(0), &c);
    EXPECT_EQ(l.Get(2), &b);
    EXPECT_EQ(l.Get(3), nullptr);
    int sum = 0;
    for (POSITION pos = l.GetHeadPosition(); pos;) sum += l.GetNext(pos)->m_n;
    EXPECT_EQ(sum, 6);
    POSITION pb = l.Find(&b);
    ASSERT_NE(pb, nullptr);
    l.RemoveAt(pb);
    EXPECT_EQ(l.GetTail(), &a);
    l.GetHead() = &b; // reference access replaces the element
    EXPECT_EQ(l.Get(0), &b);
    EXPECT_TRUE(l.IsKindOf(RUNTIME_CLASS(CObList)));
}

TEST(CStringList, StoresCopiesAndFindsByText)
{
    CStringList l;
    char buf[8] = "钢";
    l.AddTail(buf);
    buf[0] = 'x'; // the list holds its own copy
    l.AddTail(CString("梁"));
    EXPECT_EQ(l.GetHead(), "钢");
    EXPECT_NE(l.Find("梁"), nullptr);
    EXPECT_EQ(l.Find("柱"), nullptr);
}

TEST(CArray, GrowInsertRemoveAndCopy)
{
    CArray<double, double> a;
    a.SetSize(3);
    EXPECT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a[0], 0.0); // new elements are zero
    a[1] = 1.5;
    a.SetAtGrow(5, 7.0);
    EXPECT_EQ(a.GetUpperBound(), 5);
    EXPECT_EQ(a[4], 0.0);
    a.InsertAt(1, 9.0, 2);
    EXPECT_EQ(a.GetSize(), 8);
    EXPECT_EQ(a[1], 9.0);
    EXPECT_EQ(a[2], 9.0);
    EXPECT_EQ(a[3], 1.5);
    a.RemoveAt(1, 2);
    EXPECT_EQ(a[1], 1.5);
    EXPECT_EQ(a.Add(8.0), 6);
    CArray<double, double> b;
    b.Copy(a);
    b.Append(a);
    EXPECT_EQ(b.GetSize(), 14);
    EXPECT_EQ(b[13], 8.0);
    b.Append(b); // appending to itself copies what was there
    EXPECT_EQ(b.GetSize(), 28);
    a.SetSize(1);
    EXPECT_EQ(a.GetSize(), 1);
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
}

TEST(CArray, SetAtGrowWithAnElementOfItself)
{
    CStringArray a;
    a.Add("长的文字 long enough to live on the heap");
    a.SetAtGrow(40, a[0]); // the source reference must survive the growth
    EXPECT_EQ(a[40], a[0]);
    a.InsertAt(0, a[0]);
    EXPECT_EQ(a.GetSize(), 42);
    EXPECT_EQ(a[0], a[1]);
}

TEST(CTypedPtrArray, TypedAccess)
{
    CItem a(1), b(2);
    CTypedPtrArray<CObArray, CItem*> arr;
    arr.Add(&a);
    arr.Add(&b);
    EXPECT_EQ(arr[1]->m_n, 2);
    arr[0] = &b;
    EXPECT_EQ(arr.GetAt(0), &b);
    arr.InsertAt(0, &a);
    EXPECT_EQ(arr.GetAt(0), &a);
    EXPECT_EQ(arr.GetSize(), 3);
}

TEST(CMap, LookupSetRemoveAndIterateInInsertionOrder)
{
    CMap<int, int, CString, LPCTSTR> m;
    m.SetAt(3, "c");
    m.SetAt(1, "a");
    m[2] = "b";
    m.SetAt(3, "C"); // replaces, keeps the place
    CString v;
    ASSERT_TRUE(m.Lookup(3, v));
    EXPECT_EQ(v, "C");
    EXPECT_FALSE(m.Lookup(4, v));
    EXPECT_EQ(m.GetCount(), 3);

    std::string order;
    for (POSITION pos = m.GetStartPosition(); pos;) {
        int k;
        m.GetNextAssoc(pos, k, v);
        order += std::to_string(k) + v.GetString();
    }
    EXPECT_EQ(order, "3C1a2b");

    EXPECT_TRUE(m.RemoveKey(1));
    EXPECT_FALSE(m.RemoveKey(1));
    order.clear();
    for (POSITION pos = m.GetStartPosition(); pos;) {
        int k;
        m.GetNextAssoc(pos, k, v);
        order += std::to_string(k);
    }
    EXPECT_EQ(order, "32");
    m.RemoveAll();
    EXPECT_EQ(m.GetStartPosition(), nullptr);
}

TEST(CMap, StringKeysAreCaseSensitiveAndTypedMapsCast)
{
    CMapStringToString s;
    s["梁"] = "beam";
    s["B"] = "upper";
    s["b"] = "lower";
    CString v;
    EXPECT_TRUE(s.Lookup("梁", v));
    EXPECT_EQ(v, "beam");
    EXPECT_TRUE(s.Lookup("b", v));
    EXPECT_EQ(v, "lower");

    CItem a(5);
    CTypedPtrMap<CMapStringToOb, CString, CItem*> t;
    t.SetAt("a", &a);
    CItem* got = nullptr;
    EXPECT_TRUE(t.Lookup("a", got));
    EXPECT_EQ(got, &a);
    POSITION pos = t.GetStartPosition();
    CString key;
    t.GetNextAssoc(pos, key, got);
    EXPECT_EQ(key, "a");
    EXPECT_EQ(got->m_n, 5);
    EXPECT_EQ(pos, nullptr);

    CMapPtrToPtr pp;
    pp[&a] = &pp;
    void* pv = nullptr;
    EXPECT_TRUE(pp.Lookup(&a, pv));
    EXPECT_EQ(pv, &pp);
}

// Misuse that would corrupt memory stops the program instead.
TEST(CollectionsDeathTest, MisuseStopsLoudly)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CList<int, int> empty;
    EXPECT_DEATH(empty.RemoveTail(), "RemoveTail on an empty list");
    EXPECT_DEATH(empty.GetHead(), "GetHead on an empty list");
    EXPECT_DEATH(empty.RemoveHead(), "RemoveHead on an empty list");
    POSITION null = nullptr;
    EXPECT_DEATH(empty.GetNext(null), "null POSITION");

    CList<int, int> other;
    other.AddTail(1);
    POSITION foreign = other.GetHeadPosition();
    EXPECT_DEATH(empty.RemoveAt(foreign), "another list");

    // A position kept past the removal of its element is recognised.
    CList<CString, LPCTSTR> names;
    names.AddTail("a");
    POSITION gone = names.AddTail("b");
    names.AddTail("c");
    names.RemoveAt(gone);
    EXPECT_DEATH(names.GetNext(gone), "removed element");
    EXPECT_DEATH(names.RemoveAt(gone), "removed element");

    CArray<int, int> a;
    a.SetSize(2);
    EXPECT_DEATH(a[2] = 0, "index out of range");
    EXPECT_DEATH(a.GetAt(-1), "index out of range");
    EXPECT_DEATH(a.RemoveAt(1, 2), "out of range");
    CObArray ob;
    EXPECT_DEATH(ob.SetAt(0, nullptr), "index out of range");
}
