// Sections whose dimensions are impossible: every property is 0, whatever the profile class,
// and the section library refuses them. Mass per length in kilograms per centimetre.
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <vyr/model/section/section.h>

namespace {

// Every property getter of a section, by name.
std::vector<std::pair<const char*, float>> Properties(CSectionBase& s)
{
    float a2 = -1.0f, a3 = -1.0f;
    s.GetSteelFrameShearArea(a2, a3);
    return {
        {"A1", s.GetA1()},
        {"A2", s.GetA2()},
        {"A3", s.GetA3()},
        {"I33", s.GetI33()},
        {"I22", s.GetI22()},
        {"I11", s.GetI11()},
        {"Wx", s.GetWx()},
        {"Wy", s.GetWy()},
        {"Wx1", s.GetWx1()},
        {"Wx2", s.GetWx2()},
        {"ix", s.Getix()},
        {"iy", s.Getiy()},
        {"imin", s.Getimin()},
        {"Xc", s.GetXc()},
        {"Yc", s.GetYc()},
        {"Area", s.GetArea()},
        {"SteelA", s.GetSteelA()},
        {"ConcreteA", s.GetConcreteA()},
        {"Mass", s.GetMass()},
        {"SteelMass", s.GetSteelMass()},
        {"SteelRatio", s.GetSteelRatio()},
        {"Wpx", s.GetWpx()},
        {"Wpy", s.GetWpy()},
        {"Mpx", s.GetMpx(true, 21.5f)},
        {"Mpy", s.GetMpy(false, 21.5f)},
        {"Sz", s.GetSz()},
        {"FireExposed", s.GetFirePara(true)},
        {"Fire", s.GetFirePara(false)},
        {"EndA1", s.GetEndA1()},
        {"Ix33", s.GetIx33(1.0f, 2.0f)},
        {"Ax", s.GetAx(1.0f, 2.0f)},
        {"Ix33Taper", s.GetIx33(nullptr, 100.0f, 300.0f)},
        {"AxTaper", s.GetAx(nullptr, 100.0f, 300.0f)},
        {"TaperRatio", s.ComputeTaperRatio()},
        {"FlangeToWeb", s.GetFlangetoWebAreaRatio()},
        {"WebHeight", s.GetWebHeight()},
        {"ShearA2", a2},
        {"ShearA3", a3},
    };
}

CSectionBase* Welded(CSectionBase* s, double H, double B, double T, double Tf, double B1, double Tf1)
{
    s->SetH((float)H);
    s->SetB((float)B);
    s->SetT((float)T);
    s->SetTf((float)Tf);
    s->SetB1((float)B1);
    s->SetTf1((float)Tf1);
    s->ChangeSecProperty();
    return s;
}

// Properties the defining dialogs store themselves (combined and steel-frame sections).
CSectionBase* WithStoredProps(CSectionBase* s)
{
    s->m_dA1 = 25.5;
    s->m_dI33 = 800.0;
    s->m_dI22 = 300.0;
    s->m_dWx = 80.0;
    s->m_dWy = 40.0;
    s->m_dix = 5.6;
    s->m_diy = 3.4;
    s->m_dimin = 3.4;
    s->m_dA2 = 9.0;
    s->m_dA3 = 11.0;
    s->m_fXc = 150.0f;
    s->m_fYc = 50.0f;
    return s;
}

CSectionBase* Combined(int code)
{
    auto* c = static_cast<CCombineSecBase*>(CSectionBase::CreateSec(code));
    c->SetSec1(new CSRolledChannel(106, 48, 100, 8.5f, 5.3f, 8.5f, 4.2f, 15.2f));
    c->SetB(300);
    c->SetH(100);
    return WithStoredProps(c);
}

CSectionBase* Tapered()
{
    auto* t = new CTaperVaryWeb;
    t->SetType(901);
    Welded(t, 300, 200, 6, 10, 180, 10);
    t->SetEndH(600);
    auto* start = static_cast<CSDefineIbeam*>(Welded(new CSDefineIbeam, 300, 200, 6, 10, 180, 10));
    t->SetStartSec(start);
    t->SetEndSec(Welded(new CSDefineIbeam, 600, 200, 6, 10, 180, 10));
    t->FillSecFactors(start);
    return t;
}

CSectionBase* Thin(int code)
{
    CSectionBase* t = CSectionBase::CreateSec(code);
    t->SetH(160);
    t->SetB(60);
    t->SetB1(20);
    t->SetT(2.5f);
    t->ChangeSecProperty();
    return t;
}

CSectionBase* HybridRect()
{
    auto* h = new CHybridRect;
    h->SetType(701);
    h->SetSteelSec(new CSRolledHtype(110, 200, 200, 12, 8, 13));
    h->SetB(500);
    h->SetH(500);
    h->ChangeSecProperty();
    return h;
}

CSectionBase* HybridCircle()
{
    auto* h = new CHybridCircle;
    h->SetType(702);
    h->SetSteelSec(new CSRolledHtype(110, 200, 200, 12, 8, 13));
    h->SetB(600);
    h->ChangeSecProperty();
    return h;
}

CSectionBase* Filled(CSectionBase* s, double H, double B, double T)
{
    s->SetH((float)H);
    s->SetB((float)B);
    s->SetT((float)T);
    s->ChangeSecProperty();
    return s;
}

// A possible section and what makes it impossible.
struct Spoil
{
    std::string name;
    std::function<CSectionBase*()> make;
    std::function<void(CSectionBase&)> spoil;
};

void PrintTo(const Spoil& s, std::ostream* os) { *os << s.name; }

std::vector<Spoil> Cases()
{
    const float nan = std::nanf("");
    std::vector<Spoil> v = {
        {"RolledEAngle", [] { return new CSRolledEAngle(101, 50, 5, 5.5f, 5.5f, 14.2f); },
         [](CSectionBase& s) { s.SetT(-5); }},
        {"RolledNEAngle", [] { return new CSRolledNEAngle(102, 100, 63, 7, 10, 10, 14.7f, 32.8f); },
         [](CSectionBase& s) { s.SetB(-63); }},
        {"RolledNETAngle", [] { return new CSRolledNETAngle(100, 63, 7, 8, 10, 10, 14.7f, 32.8f); },
         [](CSectionBase& s) { s.SetTf(0); }},
        {"RolledTbeam", [] { return new CSRolledTbeam(208, 100, 200, 8, 12, 13, 6, 20); },
         [](CSectionBase& s) { s.SetT(300); }},
        {"RolledIbeam", [] { return new CSRolledIbeam(103, 200, 100, 11.4f, 7, 9, 4.5f); },
         [](CSectionBase& s) { s.SetTf(-11); }},
        {"RolledChannel", [] { return new CSRolledChannel(106, 48, 100, 8.5f, 5.3f, 8.5f, 4.2f, 15.2f); },
         [](CSectionBase& s) { s.SetT(60); }},
        {"RolledHtype", [] { return new CSRolledHtype(110, 200, 200, 12, 8, 13); },
         [](CSectionBase& s) { s.SetTf(120); }},
        {"WeldedIbeam", [] { return new CSWeldedIbeam(105, 300, 150, 10, 8); }, [](CSectionBase& s) { s.SetT(-8); }},
        {"WeldedChannel", [] { return new CSWeldedChannel(108, 300, 100, 10, 8, 20); },
         [nan](CSectionBase& s) { s.SetH(nan); }},
        {"WeldedHtype", [] { return new CSWeldedHtype(111, 400, 400, 16, 12); }, [](CSectionBase& s) { s.SetB(0); }},
        {"SquarePipe", [] { return new CSSquarePipe(212, 200, 100, 8, 16); }, [](CSectionBase& s) { s.SetT(60); }},
        {"Pipe", [] { return new CSPipe(113, 100, 5); }, [](CSectionBase& s) { s.SetT(-5); }},
        {"Round", [] { return new CSRound(115, 20); }, [](CSectionBase& s) { s.SetB(-20); }},
        {"Square", [] { return new CSSquare(116, 40); }, [](CSectionBase& s) { s.SetB(-40); }},
        {"DefineAngle", [] { return Welded(new CSDefineAngle, 100, 80, 8, 8, 0, 0); },
         [](CSectionBase& s) { s.SetTf(120); }},
        {"DefineIbeam", [] { return Welded(new CSDefineIbeam, 320, 100, 10, 10, 100, 10); },
         [](CSectionBase& s) { s.SetTf1(400); }},
        // A plate beyond the float range once made the width infinite, which a section file
        // then stored and could not read back.
        {"DefineIbeamBeyondFloat", [] { return Welded(new CSDefineIbeam, 320, 100, 10, 10, 100, 10); },
         [](CSectionBase& s) { static_cast<CSDefineIbeam&>(s).m_dB = 1e39; }},
        {"DefineChannel", [] { return Welded(new CSDefineChannel, 300, 100, 8, 10, 100, 10); },
         [](CSectionBase& s) { s.SetB1(-100); }},
        {"DefineTbeam", [] { return Welded(new CSDefineTbeam, 200, 150, 8, 12, 0, 0); },
         [](CSectionBase& s) { s.SetT(0); }},
        {"DefineBox", [] { return Welded(new CSDefineBox, 400, 300, 10, 20, 0, 20); },
         [](CSectionBase& s) { s.SetT(160); }},
        {"DefinePipe", [] { return Filled(new CSDefinePipe, 159, 159, 8); }, [](CSectionBase& s) { s.SetT(80); }},
        {"HybridRect", HybridRect, [](CSectionBase& s) { s.SetB(-500); }},
        // The steel part itself goes wrong: the whole section is impossible.
        {"HybridCircle", HybridCircle,
         [](CSectionBase& s) {
             CSectionBase* steel = static_cast<CHybridSecBase&>(s).GetSteelSec();
             steel->SetT(-8);
             steel->ChangeSecProperty();
         }},
        {"DefineHybCircle", [] { return Filled(new CSDefineHybCircle, 600, 600, 12); },
         [](CSectionBase& s) { s.SetT(300); }},
        {"DefineHybJu", [] { return Filled(new CSDefineHybJu, 500, 400, 14); }, [](CSectionBase& s) { s.SetT(250); }},
        {"TaperVaryWeb", Tapered, [](CSectionBase& s) { s.SetEndH(15); }},
        {"TaperNegativeWeb", Tapered, [](CSectionBase& s) { s.SetT(-6); }},
    };
    for (int code : {507, 508, 509})
        v.push_back({"Thin" + std::to_string(code), [code] { return Thin(code); },
                     [](CSectionBase& s) { s.SetT(100); }});
    for (int code : {510, 511, 512})
        v.push_back({"SteelFrame" + std::to_string(code),
                     [code] {
                         CSectionBase* f = CSectionBase::CreateSec(code);
                         f->SetH(600);
                         f->SetB(300);
                         return WithStoredProps(f);
                     },
                     [](CSectionBase& s) { s.SetH(-600); }});
    for (int code = 601; code <= 634; ++code)
        v.push_back({"Combine" + std::to_string(code), [code] { return Combined(code); },
                     [](CSectionBase& s) { s.SetB(-300); }});
    // A combined section whose limb becomes impossible.
    v.push_back({"CombineLimb", [] { return Combined(622); },
                 [](CSectionBase& s) {
                     CSectionBase* limb = static_cast<CCombineSecBase&>(s).m_pSec1;
                     limb->SetT(-5);
                     limb->ChangeSecProperty();
                 }});
    return v;
}

class ImpossibleSection : public ::testing::TestWithParam<Spoil>
{
};

TEST_P(ImpossibleSection, EveryPropertyIsZeroAndTheLibraryRefusesIt)
{
    const Spoil& c = GetParam();
    CSectionList owner;
    CSectionBase* s = c.make();
    ASSERT_TRUE(owner.Add(s, true)) << "a possible section is accepted";
    ASSERT_TRUE(s->IsDataValid());
    EXPECT_GT(s->GetA1(), 0.0f);
    EXPECT_GT(s->GetI11(), 0.0f);
    EXPECT_GT(s->GetMass(), 0.0f);

    c.spoil(*s);
    s->ChangeSecProperty();
    EXPECT_FALSE(s->IsDataValid());
    for (const auto& [what, value] : Properties(*s))
        EXPECT_EQ(value, 0.0f) << what;
    CSectionList other;
    EXPECT_FALSE(other.Add(s, true));
    EXPECT_EQ(other.GetCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(AllProfiles, ImpossibleSection, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Spoil>& info) { return info.param.name; });

// Built impossible from the start, the torsion constant computed from the dimensions used
// to come out non-zero and even negative.
TEST(ImpossibleSection, TorsionConstantOfSectionsBuiltImpossible)
{
    std::unique_ptr<CSectionBase> bad[] = {
        std::make_unique<CSPipe>(113, 100, -5),
        std::make_unique<CSSquare>(116, -40),
        std::make_unique<CSWeldedIbeam>(105, 300, 150, 10, -8),
    };
    for (auto& s : bad) {
        EXPECT_FALSE(s->IsDataValid()) << s->GetRuntimeClass()->m_lpszClassName;
        EXPECT_EQ(s->GetI11(), 0.0f) << s->GetRuntimeClass()->m_lpszClassName;
    }
}

// A section whose stored properties are loaded with impossible dimensions keeps none of them.
TEST(ImpossibleSection, RebuildingTheOutlineKeepsNoStoredProperty)
{
    CSPipe p(113, 100, 5);
    p.m_dA1 = 99.0;
    p.SetT(-5);
    p.BuildStructure();
    EXPECT_EQ(p.GetA1(), 0.0f);
    EXPECT_EQ(p.m_dA1, 0.0);
}

TEST(SectionMass, KilogramsPerCentimetre)
{
    // Flanges 2 x 100 x 10 and a web 300 x 10: 5000 mm2 = 50 cm2 at 0.00785 kg/cm3.
    CSDefineIbeam w;
    Welded(&w, 320, 100, 10, 10, 100, 10);
    ASSERT_NEAR(w.GetA1(), 50.0, 1e-5);
    EXPECT_NEAR(w.GetMass(), 0.3925, 1e-6);
    EXPECT_NEAR(w.GetSteelMass(), 0.3925, 1e-6);
    // A filled tube adds its concrete at 0.0025 kg/cm3: D 400, wall 10: steel
    // pi (400^2 - 380^2) / 4 = 12252.2 mm2, concrete pi 380^2 / 4 = 113411.5 mm2.
    CSDefineHybCircle c;
    Filled(&c, 400, 400, 10);
    EXPECT_NEAR(c.GetMass(), 122.522 * 0.00785 + 1134.115 * 0.0025, 1e-3);
}

} // namespace
