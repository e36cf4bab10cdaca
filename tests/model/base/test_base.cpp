// Object base and factory: comparison rules, exact type-string lookup, registration at
// load time; the stream; the fixed edition.
#include <gtest/gtest.h>

#include <vyr/model/base/base.h>

namespace {

// Two small classes in the form every creatable class takes.
class CObjA : public CObj
{
    DECLARE_VYROBJ(CObjA)
public:
    int value = 0;
    CObj* Clone() const override { return new CObjA(*this); }
    void CopyFrom(const CObj& o) override { *this = static_cast<const CObjA&>(o); }
    CString GetType() const override { return "T.A"; }
    CString GetDesc() const override { return "甲"; }
    void Save(IStream*) override {}
    void Load(IStream*) override {}

protected:
    bool CompSameType(const CObj& o) const override { return value == static_cast<const CObjA&>(o).value; }
};

// Accepts anything in CompSameType: only the type check keeps it apart from CObjA.
class CObjB : public CObj
{
    DECLARE_VYROBJ(CObjB)
public:
    CObj* Clone() const override { return new CObjB(*this); }
    void CopyFrom(const CObj& o) override { *this = static_cast<const CObjB&>(o); }
    CString GetType() const override { return "T.B"; }
    CString GetDesc() const override { return "乙"; }
    void Save(IStream*) override {}
    void Load(IStream*) override {}

protected:
    bool CompSameType(const CObj&) const override { return true; }
};

IMPLEMENT_VYROBJ(CObjA, "T.A")
IMPLEMENT_VYROBJ(CObjB, "T.B")

} // namespace

TEST(Obj, CompNeedsTheSameTypeStringAndIgnoresIds)
{
    CObjA a1, a2;
    CObjB b;
    a1.value = a2.value = 5;
    a1.SetID(1);
    a2.SetID(2);
    EXPECT_TRUE(a1.Comp(a2));
    EXPECT_FALSE(b.Comp(a1)); // B's CompSameType would accept anything
    EXPECT_FALSE(a1.Comp(b));
    a2.value = 6;
    EXPECT_FALSE(a1.Comp(a2));
}

TEST(Obj, EqualityComparesIdsOnlyAndCopiesKeepTheId)
{
    CObjA a;
    CObjB b;
    a.SetID(7);
    b.SetID(7);
    EXPECT_TRUE(a == b);
    b.SetID(8);
    EXPECT_TRUE(a != b);
    CObjA c(a);
    EXPECT_EQ(c.GetID(), 7);
    CObjA d;
    EXPECT_EQ(d.GetID(), 0);
    d = a;
    EXPECT_EQ(d.GetID(), 7);
    CObj* e = a.Clone();
    EXPECT_EQ(e->GetID(), 7);
    delete e; // through the virtual destructor
}

TEST(ObjCreator, RegisteredAtLoadAndFoundByExactTypeString)
{
    CObj* a = CObjCreator::Inst().Create("T.A");
    CObj* a2 = CObjCreator::Inst().Create("T.A");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a2, nullptr);
    EXPECT_NE(a, a2);
    EXPECT_EQ(a->GetType(), "T.A");
    EXPECT_NE(dynamic_cast<CObjA*>(a), nullptr);
    delete a;
    delete a2;
    EXPECT_EQ(CObjCreator::Inst().Create("t.a"), nullptr);
    EXPECT_EQ(CObjCreator::Inst().Create("T.A "), nullptr);
    EXPECT_EQ(CObjCreator::Inst().Create(""), nullptr);
    EXPECT_EQ(&CObjCreator::Inst(), &CObjCreator::Inst());
}

TEST(ObjCreator, ASecondAddReplacesTheFirst)
{
    CObjCreator::Inst().Add("T.Swap", &CObjA::CObjACreate);
    CObj* a = CObjCreator::Inst().Create("T.Swap");
    EXPECT_NE(dynamic_cast<CObjA*>(a), nullptr);
    delete a;
    CObjCreator::Inst().Add("T.Swap", &CObjB::CObjBCreate);
    CObj* b = CObjCreator::Inst().Create("T.Swap");
    EXPECT_NE(dynamic_cast<CObjB*>(b), nullptr);
    delete b;
}

TEST(Stream, ValuesComeBackInOrderAndCopiesCarryThePosition)
{
    CStream s;
    s << 17L << -5L << 2147483647L;
    long a = 0, b = 0, c = 0, d = 99;
    s >> a;
    CStream copy(s);
    s >> b >> c >> d;
    EXPECT_EQ(a, 17);
    EXPECT_EQ(b, -5);
    EXPECT_EQ(c, 2147483647);
    EXPECT_EQ(d, 99); // nothing left: unchanged
    long e = 0;
    copy >> e;
    EXPECT_EQ(e, -5);
}

TEST(VyrProduct, OneFixedSpatialEdition)
{
    CVyrProduct& p = CVyrProduct::Inst();
    EXPECT_EQ(&p, &CVyrProduct::Inst());
    EXPECT_TRUE(p.Is3D());
    EXPECT_FALSE(p.Is2D());
    EXPECT_FALSE(p.IsDov2D());
    EXPECT_FALSE(p.IsKel3D());
    EXPECT_TRUE(p.IsUl_BRX());
    CVyrProduct copy(p);
    EXPECT_EQ(copy.Is3D(), p.Is3D());
    EXPECT_EQ(copy.IsUl_BRX(), p.IsUl_BRX());
}

TEST(VyrProduct, TestsPlayEveryVariantAndTheShippedEditionComesBack)
{
    struct Case
    {
        int dim;
        CVyrProduct::Variant variant;
        bool is3D, dov, kel, ulBRX;
    };
    const Case cases[] = {
        {3, CVyrProduct::Kel3D, true, false, true, false},
        {2, CVyrProduct::Dov2D, false, true, false, false},
        {2, CVyrProduct::General, false, false, false, false},
        {3, CVyrProduct::UlBRX, true, false, false, true},
    };
    CVyrProduct& p = CVyrProduct::Inst();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        CVyrProduct::SetEdition(c.dim, c.variant);
        EXPECT_EQ(p.Is3D() != 0, c.is3D);
        EXPECT_EQ(p.Is2D() != 0, !c.is3D);
        EXPECT_EQ(p.IsDov2D() != 0, c.dov);
        EXPECT_EQ(p.IsKel3D() != 0, c.kel);
        EXPECT_EQ(p.IsUl_BRX() != 0, c.ulBRX);
    }
    CVyrProduct::SetEdition(3, true);
    EXPECT_TRUE(p.Is3D() && p.IsUl_BRX() && !p.IsKel3D() && !p.IsDov2D());
}


TEST(VyrProduct, AnEditionScopeGivesTheShippedEditionBackHoweverItIsLeft)
{
    CVyrProduct& p = CVyrProduct::Inst();
    {
        CVyrProduct::CEditionScope plane(2, CVyrProduct::Dov2D);
        EXPECT_TRUE(p.Is2D() && p.IsDov2D());
    }
    EXPECT_TRUE(p.Is3D() && p.IsUl_BRX() && !p.IsKel3D() && !p.IsDov2D());
    try {
        CVyrProduct::CEditionScope kel(3, CVyrProduct::Kel3D);
        EXPECT_TRUE(p.IsKel3D());
        throw 1;
    } catch (int) {
    }
    EXPECT_TRUE(p.Is3D() && p.IsUl_BRX() && !p.IsKel3D());
}
