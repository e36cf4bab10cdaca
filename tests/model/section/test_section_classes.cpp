// Profile classes: the factory, the header-inline members, equality and assignment.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <vyr/model/section/section.h>

namespace {

struct CodeClass
{
    int lo, hi;
    const char* cls;
};

// Every standard code of the section tables and the library's own codes.
const CodeClass kCodes[] = {
    {101, 101, "CSRolledEAngle"},  {102, 102, "CSRolledNEAngle"}, {103, 104, "CSRolledIbeam"},
    {105, 105, "CSWeldedIbeam"},   {106, 107, "CSRolledChannel"}, {108, 108, "CSWeldedChannel"},
    {109, 110, "CSRolledHtype"},   {111, 112, "CSWeldedHtype"},   {113, 114, "CSPipe"},
    {115, 115, "CSRound"},         {116, 116, "CSSquare"},        {201, 201, "CSRolledNEAngle"},
    {202, 205, "CSRolledIbeam"},   {206, 207, "CSRolledChannel"}, {208, 210, "CSRolledTbeam"},
    {211, 211, "CSPipe"},          {212, 213, "CSSquarePipe"},    {301, 301, "CSRolledEAngle"},
    {302, 302, "CSRolledNEAngle"}, {303, 304, "CSRolledIbeam"},   {305, 305, "CSRolledChannel"},
    {306, 307, "CSRolledHtype"},   {308, 309, "CSRolledTbeam"},   {401, 401, "CSRolledEAngle"},
    {402, 402, "CSRolledNEAngle"}, {403, 403, "CSRolledNETAngle"}, {404, 404, "CSRolledIbeam"},
    {405, 405, "CSRolledChannel"}, {406, 406, "CSRolledHtype"},   {407, 407, "CSRolledTbeam"},
    {408, 409, "CSPipe"},          {410, 414, "CSSquarePipe"},    {501, 501, "CSDefineIbeam"},
    {502, 502, "CSDefineChannel"}, {503, 503, "CSDefineTbeam"},   {504, 504, "CSDefineAngle"},
    {505, 505, "CSDefineBox"},     {506, 506, "CSDefinePipe"},    {507, 507, "CSThinChannel"},
    {508, 508, "CSThinBevelEdgeZ"}, {509, 509, "CSThinVerticalEdgeZ"}, {510, 510, "CSFISec"},
    {511, 511, "CSFBoxSec"},       {512, 512, "CSF2TISec"},       {513, 513, "CSDefineHybCircle"},
    {514, 514, "CSDefineHybJu"},   {601, 601, "CSCombineBOX"},    {622, 622, "CSCombineII"},
    {634, 634, "CSCombineTTI"},    {701, 701, "CHybridRect"},     {702, 702, "CHybridCircle"},
    {901, 901, "CTaperVaryWeb"},
};

TEST(CreateSec, EveryCodeGivesItsClassAndKeepsTheCode)
{
    for (const CodeClass& c : kCodes) {
        for (int code = c.lo; code <= c.hi; ++code) {
            std::unique_ptr<CSectionBase> s(CSectionBase::CreateSec(code));
            ASSERT_NE(s, nullptr) << code;
            EXPECT_STREQ(s->GetRuntimeClass()->m_lpszClassName, c.cls) << code;
            EXPECT_EQ(s->GetType(), code);
            EXPECT_TRUE(s->IsKindOf(RUNTIME_CLASS(CSectionBase)));
        }
    }
}

TEST(CreateSec, CombinedCodesAreAllCombinedSections)
{
    for (int code = 601; code <= 634; ++code) {
        std::unique_ptr<CSectionBase> s(CSectionBase::CreateSec(code));
        ASSERT_NE(s, nullptr) << code;
        EXPECT_TRUE(s->IsKindOf(RUNTIME_CLASS(CCombineSecBase))) << code;
        EXPECT_TRUE(s->IsCombineSec());
    }
}

TEST(CreateSec, UnknownCodesGiveNothing)
{
    for (int code : {0, -1, 100, 117, 200, 214, 300, 310, 400, 415, 500, 600, 635, 700, 800, 900, 902, 1000})
        EXPECT_EQ(CSectionBase::CreateSec(code), nullptr) << code;
}

TEST(SectionBase, InlineGetters)
{
    CSectionBase s;
    s.m_fXc = 125.0f;
    s.m_fYc = 80.0f;
    s.m_dI22 = 3.0;
    s.m_dI33 = 4.5;
    s.m_dA1 = 7.0;
    s.m_dWx = 9.0;
    EXPECT_FLOAT_EQ(s.GetXc(), 12.5f);
    EXPECT_FLOAT_EQ(s.GetYc(), 8.0f);
    EXPECT_FLOAT_EQ(s.GetI11(), 7.5f);
    EXPECT_FLOAT_EQ(s.GetWx1(), 9.0f);
    EXPECT_FLOAT_EQ(s.GetWx2(), 9.0f);
    EXPECT_FLOAT_EQ(s.GetEndH(), 0.0f);
    EXPECT_FALSE(s.IsSame());
}

TEST(SectionBase, IxAndAxOfAProfileIgnoreTheirArguments)
{
    CSRolledHtype h(110, 200, 200, 12, 8, 13);
    for (float a : {0.0f, 1.0f, 250.0f, -3.0f}) {
        EXPECT_EQ(h.GetIx33(a, 7.0f), h.GetI33());
        EXPECT_EQ(h.GetAx(a, 7.0f), h.GetA1());
    }
}

TEST(ProfileClasses, InlineMembers)
{
    EXPECT_EQ(CSDefineIbeam().GetType(), 501);

    CSSquarePipe p;
    p.SetH(200.5f);
    EXPECT_EQ(p.m_dH, 200.5);

    CSDefinePipe d;
    d.SetB(219);
    EXPECT_FLOAT_EQ(d.GetB(), 21.9f);
    EXPECT_EQ(d.GetB(), d.GetH());

    CSThinChannel t;
    t.SetT(2.5f);
    EXPECT_FLOAT_EQ(t.GetT(), 0.25f);
    EXPECT_EQ(t.GetTf(), t.GetT());
    EXPECT_EQ(t.GetTf1(), t.GetT());

    CSteelFrameSecBase* f = new CSFISec;
    f->SetH(500);
    EXPECT_FLOAT_EQ(f->GetH(), 50.0f);
    delete f;
}

TEST(ProfileClasses, HybridRectWidthsComeFromTheSteelPart)
{
    // A welded I with a narrow bottom flange: GetB1 is the bottom flange, not the top one.
    auto* steel = new CSDefineIbeam;
    steel->SetH(400); steel->SetB(300); steel->SetT(10); steel->SetTf(20); steel->SetB1(200); steel->SetTf1(16);
    steel->ChangeSecProperty();
    CHybridRect h;
    h.SetSteelSec(steel);
    EXPECT_FLOAT_EQ(h.GetB(), 30.0f);
    EXPECT_FLOAT_EQ(h.GetB1(), 20.0f);
    EXPECT_FLOAT_EQ(h.GetTf1(), 1.6f);
    EXPECT_FLOAT_EQ(h.GetT(), 1.0f);
    EXPECT_FLOAT_EQ(h.GetH(), 40.0f);
}

TEST(ProfileClasses, AssignedCombinedSectionsShareTheirComponent)
{
    auto* a = new CSCombineII;
    auto* b = new CSCombineII;
    b->SetSec1(new CSRolledIbeam(103, 200, 100, 11.4f, 7, 9, 4.5f));
    b->m_fValue[0] = 300;
    b->SetB(400);
    *a = *b;
    EXPECT_EQ(a->m_pSec1, b->m_pSec1);
    EXPECT_EQ(a->m_fValue[0], 300.0f);
    EXPECT_FLOAT_EQ(a->GetT(), 0.7f);
    // Either may go first; the component lives until the last holder (checked under ASan).
    delete b;
    EXPECT_FLOAT_EQ(a->m_pSec1->GetH(), 20.0f);
    delete a;
}

TEST(ProfileClasses, AssignmentThroughTheBaseCopiesTheOwnFields)
{
    CSRolledIbeam src(103, 200, 100, 11.4f, 7, 9, 4.5f);
    src.m_strKind = "I20a";
    std::unique_ptr<CSectionBase> dst(CSectionBase::CreateSec(103));
    *dst = src;
    EXPECT_FLOAT_EQ(dst->GetH(), 20.0f);
    EXPECT_FLOAT_EQ(dst->GetTf(), 1.14f);
    EXPECT_FLOAT_EQ(dst->GetR1(), 0.45f);
    EXPECT_EQ(dst->GetA1(), src.GetA1());
    EXPECT_EQ(dst->GetSimpleSecName(), CString("I20a"));
    EXPECT_TRUE(dst->IsSame(&src));
}

TEST(IsSame, FindsAnEqualSectionAndTellsDifferentOnesApart)
{
    CMaterialBase q235, q345;
    CSRolledHtype a(110, 200, 200, 12, 8, 13);
    a.m_pMaterial = &q235;
    CSRolledHtype same(110, 200, 200, 12, 8, 13);
    same.m_pMaterial = &q235;
    EXPECT_TRUE(a.IsSame(&same));
    EXPECT_TRUE(a == same);

    CSRolledHtype otherMat(110, 200, 200, 12, 8, 13);
    otherMat.m_pMaterial = &q345;
    CSRolledHtype thicker(110, 200, 200, 12, 9, 13);
    thicker.m_pMaterial = &q235;
    CSRolledHtype otherCode(109, 200, 200, 12, 8, 13);
    otherCode.m_pMaterial = &q235;
    CSWeldedHtype otherClass(111, 200, 200, 12, 8);
    otherClass.m_pMaterial = &q235;
    for (CSectionBase* p : {(CSectionBase*)&otherMat, (CSectionBase*)&thicker, (CSectionBase*)&otherCode,
                            (CSectionBase*)&otherClass, (CSectionBase*)nullptr})
        EXPECT_FALSE(a.IsSame(p));
}

TEST(IsSame, CombinedSectionsCompareLayoutAndComponents)
{
    auto make = [](float gap, float legB) {
        auto* c = new CSCombineLL;
        c->SetType(624);
        c->SetB(300);
        c->SetH(100);
        c->m_fValue[0] = gap;
        c->SetSec1(new CSRolledEAngle(101, legB, 5, 5.5f, 5.5f, 14.2f));
        return std::unique_ptr<CSCombineLL>(c);
    };
    auto a = make(10, 50), b = make(10, 50), gap = make(12, 50), leg = make(10, 56);
    EXPECT_TRUE(a->IsSame(b.get()));
    EXPECT_FALSE(a->IsSame(gap.get()));
    EXPECT_FALSE(a->IsSame(leg.get()));
}

TEST(IsSame, TaperedSectionsCompareTheirPlates)
{
    auto make = [](float endH) {
        auto* t = new CTaperVaryWeb;
        t->m_nType = 901;
        t->SetH(300); t->SetT(6); t->SetB(200); t->SetTf(10); t->SetB1(200); t->SetTf1(10); t->SetEndH(endH);
        t->FillSecName();
        return std::unique_ptr<CTaperVaryWeb>(t);
    };
    auto a = make(600), b = make(600), c = make(450);
    EXPECT_TRUE(a->IsSame(b.get()));
    EXPECT_FALSE(a->IsSame(c.get()));
    EXPECT_EQ(a->m_strCategory, CString("变截面"));
    EXPECT_NEAR(a->GetEndA1(), (2 * 200 * 10 + 580 * 6) / 100.0, 1e-4);
    EXPECT_NEAR(a->GetAx(nullptr, 5, 10), (2 * 200 * 10 + 430 * 6) / 100.0, 1e-4);
}

TEST(IsSecI, HAndIShapesOnly)
{
    CSRolledHtype h(110, 200, 200, 12, 8, 13);
    CSRolledIbeam i(103, 200, 100, 11.4f, 7, 9, 4.5f);
    CSDefineIbeam d;
    CSRolledChannel c(106, 48, 100, 8.5f, 5.3f, 8.5f, 4.2f, 15.2f);
    CSPipe p(113, 89, 4);
    EXPECT_TRUE(IsSecI(&h));
    EXPECT_TRUE(IsSecI(&i));
    EXPECT_TRUE(IsSecI(&d));
    EXPECT_FALSE(IsSecI(&c));
    EXPECT_FALSE(IsSecI(&p));
    EXPECT_FALSE(IsSecI(nullptr));
}

TEST(Drawing, OutlineFitsTheRectangleAndDimensionsFollow)
{
    CSRolledHtype h(110, 200, 200, 12, 8, 13);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, 300, 200);
    CBitmap* old = dc.SelectObject(&bmp);
    dc.ClearRecords();
    const CRect rc(0, 0, 300, 200);
    h.Draw(&dc, rc);
    size_t lines = 0;
    for (const auto& r : dc.Records()) {
        for (const POINT& p : r.points) {
            EXPECT_GE(p.x, rc.left);
            EXPECT_LE(p.x, rc.right);
            EXPECT_GE(p.y, rc.top);
            EXPECT_LE(p.y, rc.bottom);
        }
        ++lines;
    }
    EXPECT_GT(lines, 12u); // twelve corners, four of them rounded
    dc.ClearRecords();
    h.Dim(&dc);
    bool sawHeight = false;
    for (const auto& r : dc.Records())
        sawHeight = sawHeight || r.text == "200";
    EXPECT_TRUE(sawHeight);

    // The axes cross at the centroid of the drawn outline: the middle of a symmetric H.
    dc.ClearRecords();
    h.DrawAxial(&dc, rc);
    std::vector<POINT> ends;
    for (const auto& r : dc.Records())
        if (r.kind == vyr::DrawKind::Line)
            ends.insert(ends.end(), r.points.begin(), r.points.end());
    ASSERT_EQ(ends.size(), 4u);
    EXPECT_EQ(ends[0].y, 100);
    EXPECT_EQ(ends[1].y, 100);
    EXPECT_EQ(ends[2].x, 150);
    EXPECT_EQ(ends[3].x, 150);
    dc.SelectObject(old);
}

} // namespace
