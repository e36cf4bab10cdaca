// The slab reinforcement dialogs opened through their property key on the host kit, under a
// scripted user. Required areas by hand: As = |M| 1e6 / (0.9 fy h0), fy 270 for the first
// grade, h0 = depth - cover - 5 mm; the strip carries at most 0.35 x 14.3 x 1000 x h0^2.
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/DialogTest.h"
#include "support/TestHost.h"
#include <vyr/input/DlgBanDesign.h>
#include <vyr/input/DlgBanDesignDeck.h>
#include <vyr/input/DlgBanDesignTwoWay.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/resources/dialogs/SlabDesignRes.h>

using vyr::ScriptedUser;

namespace {

class SlabDesignTest : public vyrtest::DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        d.ProgramType() = 1;
    }

    CBan* Concrete(float thick)
    {
        auto* b = new CBanConcrete;
        b->m_fThick = thick;
        s.m_pBanConcreteList->Add(b);
        return b;
    }
    // A composite deck slab (type code 1: its supports are designed alone) whose bare sheet
    // carries the wet concrete over 3 m.
    CBan* Deck()
    {
        auto* b = new CBanSteel;
        b->m_nType = 1;
        b->m_fThick = 80;
        b->m_nRibH = 50;
        b->m_fSheetT = 1.0f;
        b->m_fWef = 50.0f;
        s.m_pBanSteelList->Add(b);
        return b;
    }
    // A quadrilateral room with the slab; two-way when it has no secondary-beam direction.
    // Moments X positive, Y positive, X negative, Y negative (kN.m/m).
    CPlane* Room(CBan* ban, std::initializer_list<float> moments, bool twoWay = false)
    {
        CPlane* p = new CPlane;
        p->m_nNo = (int)s.m_pPlaneList->GetCount() + 1;
        p->m_nShapeCode = 2;
        p->m_nSubBeamDir = twoWay ? 0 : 1;
        p->m_pBan = ban;
        int k = 0;
        for (float m : moments)
            p->m_fMoment[k++] = m;
        s.m_pPlaneList->AddTail(p);
        return p;
    }

    int Key(std::initializer_list<CPlane*> rooms)
    {
        CPlaneList list;
        for (CPlane* p : rooms)
            list.AddTail(p);
        return vyrkeys::Run("Prop.PlaneBanDesign", &list, &d);
    }

    template <class T>
    static void In(UINT idd, std::function<void(T&)> fn)
    {
        vyrtest::InDialog<T>(idd, std::move(fn));
    }
    static std::string Text(CDialog& dlg, int id) { return vyrtest::DlgText(dlg, id); }
    static int Selected(CDialog& dlg, int id) { return (int)dlg.SendDlgItemMessage(id, CB_GETCURSEL, 0, 0); }
    static bool Enabled(CDialog& dlg, int id) { return dlg.GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    static std::vector<std::string> Boxes()
    {
        std::vector<std::string> out;
        for (const auto& b : ScriptedUser::MessageBoxes())
            out.push_back(b.text.str());
        return out;
    }
    bool Holds(CPlateSteelBarGroup* g, int grade, int diameter, int space) const
    {
        return g != nullptr && g->IsSame(CPlateSteelBarGroup(grade, diameter, space));
    }
    int BarGroups() const { return (int)s.m_pPlateSteelBarGroupList->GetCount(); }
    std::vector<int>& Settings() { return host.m_settings[2]; }

    vyrtest::CTestHost host;
    CGlobalData& d = host.GlobalData();
    CStruct& s = *d.Struct();
};

} // namespace

TEST_F(SlabDesignTest, EachDialogOpensWithTheHostsSettings)
{
    CPlane* oneWay = Room(Concrete(120), {});
    CPlane* twoWay = Room(Concrete(120), {}, true);
    CPlane* deck = Room(Deck(), {});
    twoWay->m_nTwoWayBound = 5;
    struct Case
    {
        const char* name;
        CPlane* room;
        UINT idd;
        int cover;
        std::vector<int> posSpaces, negSpaces;
        bool fixesGrade; // a negative grade in the block becomes 0 there
    };
    const Case cases[] = {
        {"one-way", oneWay, IDD_SLABDESIGN, IDC_SLAB_COVER, {IDC_SLAB_POSSPACE}, {IDC_SLAB_NEGSPACE}, true},
        {"two-way", twoWay, IDD_SLABDESIGN_TWOWAY, IDC_SLAB2W_COVER, {IDC_SLAB2W_XPOSSPACE, IDC_SLAB2W_YPOSSPACE},
         {IDC_SLAB2W_XNEGSPACE, IDC_SLAB2W_YNEGSPACE}, false},
        {"deck", deck, IDD_SLABDESIGN_DECK, IDC_SLAB_COVER, {}, {IDC_SLAB_NEGSPACE}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Settings()[2] = 1;
        Settings()[4] = 25;
        Settings()[5] = 180;
        Settings()[6] = 120;
        ScriptedUser::Run(
            [&](CDialog* dlg) {
                EXPECT_EQ(Text(*dlg, c.cover), "25");
                EXPECT_EQ(Selected(*dlg, IDC_SLAB_GRADE), 1);
                for (int id : c.posSpaces)
                    EXPECT_EQ(Text(*dlg, id), "180");
                for (int id : c.negSpaces)
                    EXPECT_EQ(Text(*dlg, id), "120");
                EXPECT_EQ(Text(*dlg, IDC_SLAB_THICK), "100");
                EXPECT_FALSE(Enabled(*dlg, IDC_SLAB_FREECHOICE));
                EXPECT_EQ(dlg->IsDlgButtonChecked(IDC_SLAB_FREECHOICE), (UINT)BST_CHECKED);
            },
            c.idd);
        ScriptedUser::PressCancel(c.idd);
        EXPECT_EQ(Key({c.room}), 1);

        // A negative grade; a cover out of the dialog's limits keeps the default.
        Settings()[2] = -1;
        Settings()[4] = 0;
        ScriptedUser::Run(
            [&](CDialog* dlg) {
                EXPECT_EQ(Selected(*dlg, IDC_SLAB_GRADE), 0);
                EXPECT_EQ(Text(*dlg, c.cover), "15");
            },
            c.idd);
        ScriptedUser::PressCancel(c.idd);
        EXPECT_EQ(Key({c.room}), 1);
        EXPECT_EQ(Settings()[2], c.fixesGrade ? 0 : -1);
    }
    In<CDlgBanDesignTwoWay>(IDD_SLABDESIGN_TWOWAY, [](CDlgBanDesignTwoWay& dlg) {
        EXPECT_EQ(Selected(dlg, IDC_SLAB2W_CONDITION), 5) << "the first room's boundary condition";
    });
    ScriptedUser::PressCancel(IDD_SLABDESIGN_TWOWAY);
    EXPECT_EQ(Key({twoWay}), 1);
}

TEST_F(SlabDesignTest, OneWayBarsComeFromTheRoomsOfTheLargestMoments)
{
    // Support bars from r1 (|-6| is not beaten by r3's equal 6 in its deeper slab), span bars
    // from r2: As = 6e6 / 24300 = 246.91 and 8e6 / 24300 = 329.22.
    CBan* slab = Concrete(120);
    CPlane* r1 = Room(slab, {4, 0, -6});
    CPlane* r2 = Room(slab, {8, 0, -3});
    CPlane* r3 = Room(Concrete(150), {1, 0, 6});
    ScriptedUser::AnswerMessageBox(IDYES, "所选板的类型或设计参数不相同，是否全按第一块板设计？");
    In<CDlgBanDesign>(IDD_SLABDESIGN, [](CDlgBanDesign& dlg) {
        EXPECT_FALSE(Enabled(dlg, IDC_SLAB_POSDIAMETER)) << "bars only after a design";
        EXPECT_FALSE(Enabled(dlg, IDC_SLAB_POSREDESIGN));
    });
    ScriptedUser::Click(IDC_SLAB_AUTO, IDD_SLABDESIGN);
    In<CDlgBanDesign>(IDD_SLABDESIGN, [](CDlgBanDesign& dlg) {
        EXPECT_NEAR(dlg.m_fNegNeed, 246.91f, 0.01f);
        EXPECT_NEAR(dlg.m_fPosNeed, 329.22f, 0.01f);
        // 6 mm: 114.5 -> 110 mm (257.04) and 85.9 -> 80 mm (353.43).
        EXPECT_EQ(Text(dlg, IDC_SLAB_NEGDIAMETER), "6");
        EXPECT_EQ(Text(dlg, IDC_SLAB_NEGSPACE), "110");
        EXPECT_EQ(Text(dlg, IDC_SLAB_POSSPACE), "80");
        EXPECT_NEAR(std::stof(Text(dlg, IDC_SLAB_NEGAREA)), 257.04f, 0.01f);
        EXPECT_NEAR(std::stof(Text(dlg, IDC_SLAB_POSAREA)), 353.43f, 0.01f);
        EXPECT_TRUE(Enabled(dlg, IDC_SLAB_POSDIAMETER));
        EXPECT_TRUE(Enabled(dlg, IDC_SLAB_NEGREDESIGN));
    });
    // The user's changes: 8 mm for the span bars (152.7 -> 150 mm), 150 mm for the supports
    // (e = 6.87: 8 mm).
    ScriptedUser::SetText(IDC_SLAB_POSDIAMETER, "8", IDD_SLABDESIGN);
    ScriptedUser::Click(IDC_SLAB_POSREDESIGN, IDD_SLABDESIGN);
    ScriptedUser::SetText(IDC_SLAB_NEGSPACE, "150", IDD_SLABDESIGN);
    ScriptedUser::Click(IDC_SLAB_NEGREDESIGN, IDD_SLABDESIGN);
    In<CDlgBanDesign>(IDD_SLABDESIGN, [](CDlgBanDesign& dlg) {
        EXPECT_EQ(Text(dlg, IDC_SLAB_POSSPACE), "150");
        EXPECT_EQ(Text(dlg, IDC_SLAB_NEGDIAMETER), "8");
        EXPECT_NEAR(std::stof(Text(dlg, IDC_SLAB_POSAREA)), 335.10f, 0.01f);
    });
    ScriptedUser::PressOK(IDD_SLABDESIGN);
    EXPECT_EQ(Key({r1, r2, r3}), 1);
    EXPECT_EQ(BarGroups(), 1) << "both groups are 8 mm at 150";
    for (CPlane* p : {r1, r2, r3}) {
        EXPECT_TRUE(Holds(p->m_pBarGroup[0], 0, 8, 150));
        EXPECT_EQ(p->m_pBarGroup[0], p->m_pBarGroup[1]);
        EXPECT_EQ(p->m_fCover, 15.0f);
    }
}

TEST_F(SlabDesignTest, AFailedDesignLeavesOKWithoutEffectAndALaterOneApplies)
{
    // 95 mm of depth (cover 20) carries 45.2 kN.m/m, the deck's 55 mm 15.1; 60 is beyond
    // both. The support room (the larger |m1|) is designed first, the span room second.
    struct Case
    {
        const char* name;
        bool deck;
        float support[3], span[3]; // the moments of the two rooms
    };
    const Case cases[] = {
        {"one-way, the first design fails", false, {3, 0, -60}, {8, 0, -3}},
        {"one-way, the second design fails", false, {3, 0, -9}, {60, 0, -3}},
        {"deck, the first design fails", true, {3, 0, -60}, {8, 0, -3}},
        {"deck, the second design fails", true, {3, 0, -9}, {60, 0, -3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPlane* support = Room(c.deck ? Deck() : Concrete(120), {c.support[0], c.support[1], c.support[2]});
        CPlane* span = Room(c.deck ? Deck() : Concrete(120), {c.span[0], c.span[1], c.span[2]});
        const UINT idd = c.deck ? IDD_SLABDESIGN_DECK : IDD_SLABDESIGN;
        const int autoId = c.deck ? IDC_SLABDECK_AUTO : IDC_SLAB_AUTO;
        ScriptedUser::SetText(IDC_SLAB_COVER, "20", idd);
        ScriptedUser::Click(autoId, idd);
        ScriptedUser::Run([](CDialog* dlg) { EXPECT_FALSE(static_cast<CDlgBanDesignBase*>(dlg)->m_bDesignValid); },
                          idd);
        ScriptedUser::PressOK(idd);
        EXPECT_EQ(Key({support, span}), 1);
        EXPECT_TRUE(Boxes().empty()) << "a failed design says nothing";
        for (CPlane* p : {support, span})
            for (CPlateSteelBarGroup* g : p->m_pBarGroup)
                EXPECT_EQ(g, nullptr);

        // Designed again once the moments are within reach: applied.
        ScriptedUser::Click(autoId, idd);
        ScriptedUser::Run(
            [&](CDialog*) {
                support->m_fMoment[2] = -3.0f;
                span->m_fMoment[0] = 3.0f;
            },
            idd);
        ScriptedUser::Click(autoId, idd);
        ScriptedUser::PressOK(idd);
        EXPECT_EQ(Key({support, span}), 1);
        for (CPlane* p : {support, span}) {
            EXPECT_NE(p->m_pBarGroup[1], nullptr);
            EXPECT_EQ(p->m_pBarGroup[0] != nullptr, !c.deck);
            EXPECT_EQ(p->m_fCover, 15.0f);
        }
    }
}

TEST_F(SlabDesignTest, DeckSupportBarsFromTheRequiredArea)
{
    // 80 mm, cover 15: h0 = 60, As = 3e6 / (0.9 x 270 x 60) = 205.76; 6 mm: 137.4 -> 130 mm.
    CPlane* room = Room(Deck(), {2, 0, -3});
    ScriptedUser::Click(IDC_SLABDECK_AUTO, IDD_SLABDESIGN_DECK);
    In<CDlgBanDesignDeck>(IDD_SLABDESIGN_DECK, [](CDlgBanDesignDeck& dlg) {
        EXPECT_NEAR(dlg.m_fNegNeed, 205.76f, 0.01f);
        EXPECT_EQ(Text(dlg, IDC_SLAB_NEGDIAMETER), "6");
        EXPECT_EQ(Text(dlg, IDC_SLAB_NEGSPACE), "130");
        EXPECT_NEAR(std::stof(Text(dlg, IDC_SLABDECK_AREA)), 217.49f, 0.01f);
        EXPECT_TRUE(Enabled(dlg, IDC_SLABDECK_REDESIGN));
    });
    // 10 mm: 381.7 -> 200 mm.
    ScriptedUser::SetText(IDC_SLAB_NEGDIAMETER, "10", IDD_SLABDESIGN_DECK);
    ScriptedUser::Click(IDC_SLABDECK_REDESIGN, IDD_SLABDESIGN_DECK);
    ScriptedUser::PressOK(IDD_SLABDESIGN_DECK);
    EXPECT_EQ(Key({room}), 1);
    EXPECT_EQ(room->m_pBarGroup[0], nullptr);
    EXPECT_TRUE(Holds(room->m_pBarGroup[1], 0, 10, 200));
}

TEST_F(SlabDesignTest, BadInputIsRefusedWithTheDialogOpen)
{
    CPlane* room = Room(Concrete(120), {3, 0, -3});
    const struct
    {
        int id;
        const char* text;
        const char* message;
    } refused[] = {
        {IDC_SLAB_COVER, "abc", "请输入一个整数。"},
        {IDC_SLAB_COVER, "5", "请输入一个介于 10 和 50 之间的整数。"},
        {IDC_SLAB_THICK, "301", "请输入一个介于 70 和 300 之间的整数。"},
    };
    for (const auto& r : refused) {
        ScriptedUser::SetText(r.id, r.text, IDD_SLABDESIGN);
        ScriptedUser::Click(IDC_SLAB_AUTO, IDD_SLABDESIGN);
        ScriptedUser::AnswerMessageBox(IDOK, r.message);
        ScriptedUser::Run([](CDialog* dlg) { EXPECT_FALSE(static_cast<CDlgBanDesign*>(dlg)->m_bDesigned); },
                          IDD_SLABDESIGN);
        ScriptedUser::SetText(r.id, r.id == IDC_SLAB_THICK ? "100" : "15", IDD_SLABDESIGN);
    }
    // After a design: a diameter above 50 or a spacing below 50 is refused at OK until changed.
    ScriptedUser::Click(IDC_SLAB_AUTO, IDD_SLABDESIGN);
    ScriptedUser::SetText(IDC_SLAB_POSDIAMETER, "52", IDD_SLABDESIGN);
    ScriptedUser::PressOK(IDD_SLABDESIGN);
    ScriptedUser::AnswerMessageBox(IDOK, "请输入一个介于 6 和 50 之间的整数。");
    ScriptedUser::SetText(IDC_SLAB_POSDIAMETER, "50", IDD_SLABDESIGN);
    ScriptedUser::SetText(IDC_SLAB_NEGSPACE, "40", IDD_SLABDESIGN);
    ScriptedUser::PressOK(IDD_SLABDESIGN);
    ScriptedUser::AnswerMessageBox(IDOK, "请输入一个介于 50 和 400 之间的整数。");
    ScriptedUser::SetText(IDC_SLAB_NEGSPACE, "50", IDD_SLABDESIGN);
    ScriptedUser::PressOK(IDD_SLABDESIGN);
    EXPECT_EQ(Key({room}), 1);
    EXPECT_TRUE(Holds(room->m_pBarGroup[0], 0, 50, 200));
    EXPECT_TRUE(Holds(room->m_pBarGroup[1], 0, 6, 50));
}

TEST_F(SlabDesignTest, TwoWayGroupsFromTheirOwnRoomsAndTheConditionInEveryRoom)
{
    // r2 (150 mm, h0 = 130) takes every tie: X positive 6e6 / 31590 = 189.93, Y positive
    // 126.62, Y negative 94.97; X negative from r1 (h0 = 100): 9e6 / 24300 = 370.37.
    CPlane* r1 = Room(Concrete(120), {6, 2, -9, -3}, true);
    CPlane* r2 = Room(Concrete(150), {6, 4, -5, 3}, true);
    r1->m_nTwoWayBound = 2;
    ScriptedUser::AnswerMessageBox(IDYES, "所选板的类型或设计参数不相同，是否全按第一块板设计？");
    ScriptedUser::SelectString(IDC_SLAB2W_CONDITION, "四边简支", IDD_SLABDESIGN_TWOWAY);
    ScriptedUser::Click(IDC_SLAB2W_AUTO, IDD_SLABDESIGN_TWOWAY);
    In<CDlgBanDesignTwoWay>(IDD_SLABDESIGN_TWOWAY, [](CDlgBanDesignTwoWay& dlg) {
        EXPECT_NEAR(dlg.m_fNeed[kXPositive], 189.93f, 0.01f);
        EXPECT_NEAR(dlg.m_fNeed[kXNegative], 370.37f, 0.01f);
        EXPECT_NEAR(dlg.m_fNeed[kYPositive], 126.62f, 0.01f);
        EXPECT_NEAR(dlg.m_fNeed[kYNegative], 94.97f, 0.01f);
        EXPECT_TRUE(Enabled(dlg, IDC_SLAB2W_YNEGDIAMETER));
        EXPECT_TRUE(Enabled(dlg, IDC_SLAB2W_YNEGREDESIGN));
    });
    // X governs: X negative 6 at 70, X positive 6 at 140; Y keeps 6 at 140 (201.96 against
    // 6 at 70's 403.9).
    const struct
    {
        int diameterId, spaceId;
        const char* space;
    } shown[] = {{IDC_SLAB2W_XPOSDIAMETER, IDC_SLAB2W_XPOSSPACE, "140"},
                 {IDC_SLAB2W_XNEGDIAMETER, IDC_SLAB2W_XNEGSPACE, "70"},
                 {IDC_SLAB2W_YPOSDIAMETER, IDC_SLAB2W_YPOSSPACE, "140"},
                 {IDC_SLAB2W_YNEGDIAMETER, IDC_SLAB2W_YNEGSPACE, "140"}};
    In<CDlgBanDesignTwoWay>(IDD_SLABDESIGN_TWOWAY, [&](CDlgBanDesignTwoWay& dlg) {
        for (const auto& g : shown) {
            EXPECT_EQ(Text(dlg, g.diameterId), "6");
            EXPECT_EQ(Text(dlg, g.spaceId), g.space);
        }
    });
    ScriptedUser::PressOK(IDD_SLABDESIGN_TWOWAY);
    EXPECT_EQ(Key({r1, r2}), 1);
    EXPECT_TRUE(Boxes().size() == 1u) << "only the question";
    for (CPlane* p : {r1, r2}) {
        EXPECT_EQ(p->m_nTwoWayBound, 8);
        EXPECT_TRUE(Holds(p->m_pBarGroup[0], 0, 6, 140));
        EXPECT_TRUE(Holds(p->m_pBarGroup[1], 0, 6, 70));
        EXPECT_EQ(p->m_pBarGroup[2], p->m_pBarGroup[0]);
        EXPECT_EQ(p->m_pBarGroup[3], p->m_pBarGroup[0]);
    }
}

TEST_F(SlabDesignTest, TwoWayAreasNoBarReachesAreNamedGroupByGroup)
{
    // 48.6 kN.m/m over h0 = 100: 2000 mm2/m each, beyond 12 mm at 70 (1615.7). Y governs on
    // the tie, then the X groups.
    CPlane* room = Room(Concrete(120), {48.6f, 48.6f, -48.6f, -48.6f}, true);
    ScriptedUser::Click(IDC_SLAB2W_AUTO, IDD_SLABDESIGN_TWOWAY);
    for (const char* text : {"Y方向负弯矩钢筋面积太大，无法自动选配钢筋", "Y方向正弯矩钢筋面积太大，无法自动选配钢筋",
                             "X方向正弯矩钢筋面积太大，无法自动选配钢筋", "X方向负弯矩钢筋面积太大，无法自动选配钢筋"})
        ScriptedUser::AnswerMessageBox(IDOK, text);
    ScriptedUser::PressOK(IDD_SLABDESIGN_TWOWAY);
    EXPECT_EQ(Key({room}), 1);
    EXPECT_EQ(BarGroups(), 1);
    EXPECT_TRUE(Holds(room->m_pBarGroup[3], 0, 12, 70)) << "the design goes on with the bars it ended with";
}

TEST_F(SlabDesignTest, TwoWayConditionalDesignStopsWhenItsDesignFails)
{
    // X positive: 5e6 / 24300 = 205.76 -> 6 at 130 after the automatic design.
    CPlane* room = Room(Concrete(120), {5, 1, -1, -1}, true);
    ScriptedUser::Click(IDC_SLAB2W_AUTO, IDD_SLABDESIGN_TWOWAY);
    // A moment out of reach: the typed 8 mm stays at its spacing (a design taken as 0 mm2/m
    // would give 200 mm).
    ScriptedUser::Run([&](CDialog*) { room->m_fMoment[0] = 60.0f; }, IDD_SLABDESIGN_TWOWAY);
    ScriptedUser::SetText(IDC_SLAB2W_XPOSDIAMETER, "8", IDD_SLABDESIGN_TWOWAY);
    ScriptedUser::Click(IDC_SLAB2W_XPOSREDESIGN, IDD_SLABDESIGN_TWOWAY);
    In<CDlgBanDesignTwoWay>(IDD_SLABDESIGN_TWOWAY, [](CDlgBanDesignTwoWay& dlg) {
        EXPECT_EQ(dlg.m_nXPosDiameter, 8);
        EXPECT_EQ(Text(dlg, IDC_SLAB2W_XPOSSPACE), "130");
        EXPECT_TRUE(dlg.m_bDesignValid) << "the automatic design's flag stays";
    });
    // Within reach again: 8 mm for 205.76 gives 244.3 -> 200 mm.
    ScriptedUser::Run([&](CDialog*) { room->m_fMoment[0] = 5.0f; }, IDD_SLABDESIGN_TWOWAY);
    ScriptedUser::SetText(IDC_SLAB2W_XPOSDIAMETER, "6", IDD_SLABDESIGN_TWOWAY);
    ScriptedUser::Click(IDC_SLAB2W_XPOSREDESIGN, IDD_SLABDESIGN_TWOWAY);
    ScriptedUser::SetText(IDC_SLAB2W_XPOSDIAMETER, "8", IDD_SLABDESIGN_TWOWAY);
    ScriptedUser::Click(IDC_SLAB2W_XPOSREDESIGN, IDD_SLABDESIGN_TWOWAY);
    ScriptedUser::PressOK(IDD_SLABDESIGN_TWOWAY);
    EXPECT_EQ(Key({room}), 1);
    EXPECT_TRUE(Holds(room->m_pBarGroup[0], 0, 8, 200));
}
