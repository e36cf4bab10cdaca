// The dialog callbacks of the property keys under a scripted user: the program-type gates,
// the refusals, what each key hands its dialog and what it writes back into the model.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "host/PanelTestKit.h"
#include "support/TestHost.h"
#include <vyr/drawing/DlgBeamQueryForce.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/host/PropsUI.h>
#include <vyr/host/ViewProp.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/input/DlgBanDesign.h>
#include <vyr/input/DlgBanDesignDeck.h>
#include <vyr/input/DlgBanDesignTwoWay.h>
#include <vyr/input/DlgBeamOffset.h>
#include <vyr/input/DlgBeamRelease.h>
#include <vyr/input/DlgBeamRigid.h>
#include <vyr/input/DlgBeamWebHole.h>
#include <vyr/input/DlgNodeSupport.h>
#include <vyr/input/DlgPlaneHoleDefine.h>
#include <vyr/input/DlgPlaneSubBeamDefine.h>
#include <vyr/input/DlgPlaneSubBeamDefineTri.h>
#include <vyr/input/DlgWallHoleAdjust.h>
#include <vyr/input/DlgWallHoleDefine.h>
#include <vyr/libraries/DlgBanLib.h>
#include <vyr/libraries/DlgBeamPinnailDesign.h>
#include <vyr/libraries/DlgSection.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgBeamCheckOutput.h>
#include <vyr/reports/DlgNodeCheckOutput.h>
#include <vyr/reports/DlgOutputBeamForce.h>
#include <vyr/reports/DlgOutputNodeCheck.h>
#include <vyr/reports/DlgOutputNodeDisp.h>
#include <vyr/reports/DlgOutputNodeForce.h>
#include <vyr/reports/DlgStatistic.h>
#include <vyr/resources/dialogs/BanLibRes.h>
#include <vyr/resources/dialogs/DefsRes.h>
#include <vyr/resources/dialogs/ForceDispRes.h>
#include <vyr/resources/dialogs/NodeResultRes.h>
#include <vyr/resources/dialogs/QueryForceRes.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/resources/dialogs/SectionRes.h>
#include <vyr/resources/dialogs/SlabDesignRes.h>
#include <vyr/resources/dialogs/StandInRes.h>
#include <vyr/resources/dialogs/StudRes.h>
#include <vyr/resources/dialogs/WallHoleRes.h>
#include <vyr/resources/dialogs/WebHoleRes.h>
#include <vyr/resources/dialogs/PlaneHoleRes.h>
#include <vyr/resources/dialogs/SubBeamRes.h>
#include <vyr/proplist.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;

namespace {

template <class L>
void Fill(L& list, std::initializer_list<CObject*> objects)
{
    list.RemoveAll();
    for (CObject* o : objects)
        list.AddTail(o);
}

struct PropKeysTest : ::testing::Test
{
    // Sections outlive the model that refers to them.
    CSWeldedHtype h400{111, 400, 200, 12, 8};
    CSWeldedHtype h400twin{111, 400, 200, 12, 8}; // equal dimensions, another section object
    CSectionBase plain;
    vyrtest::CTestHost host;
    CGlobalData& d = host.GlobalData();
    CStruct* st = d.Struct();
    CPropsUI ui; // holds the key table

    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        ScriptedUser::Reset();
        d.ProgramType() = 0;
        h400.m_strKind = "H400x200";
    }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
    }

    int Key(const char* key, void* objects)
    {
        auto it = ui.GetCallbacks().find(key);
        EXPECT_NE(it, ui.GetCallbacks().end()) << key;
        return it == ui.GetCallbacks().end() ? -1 : it->second(objects, &d);
    }

    // Acts in the open dialog (a stand-in unless another template is named), which must be
    // of class T.
    template <class T>
    static void In(std::function<void(T&)> fn, UINT templateId = IDD_STANDIN)
    {
        ScriptedUser::Run(
            [fn](CDialog* dlg) {
                T* t = dynamic_cast<T*>(dlg);
                ASSERT_NE(t, nullptr) << "another dialog is open";
                fn(*t);
            },
            templateId);
    }
    // A definition library: checks what the key handed over, picks a row as the user does
    // and presses "设定".
    template <class T>
    static void Pick(UINT idd, int row, std::function<void(T&)> check = nullptr)
    {
        In<T>([check](T& dlg) { if (check) check(dlg); }, idd);
        ScriptedUser::SelectRow(IDC_DEFS_LIST, row, idd);
        ScriptedUser::PressOK(idd);
    }

    static std::vector<std::string> Boxes()
    {
        std::vector<std::string> out;
        for (const auto& b : ScriptedUser::MessageBoxes())
            out.push_back(b.text.str());
        return out;
    }

    CPNode* Node(double x, double y = 0, double z = 0)
    {
        CPNode* n = new CPNode((int)st->m_pNodeList->GetCount() + 1, CPoint3D(x, y, z));
        st->m_pNodeList->AddTail(n);
        return n;
    }
    // An ordinary member along x; a composite beam (member type 2, design type 2) by default.
    CBeam* Beam(double length, CSectionBase* sec = nullptr, int type = 2, int designType = 2)
    {
        CBeam* b = new CBeam((int)st->m_pBeamList->GetCount() + 1, Node(0), Node(length), type);
        b->SetSection(sec);
        b->SetBeamDesignType(designType);
        st->m_pBeamList->AddTail(b);
        return b;
    }
    // A secondary beam, held by a room of its own.
    CSubBeam* Sub(double length, CSectionBase* sec = nullptr)
    {
        CPlane* holder = Room(4);
        CSubBeam* b = new CSubBeam(1000 + (int)st->m_pPlaneList->GetCount(), Node(0), Node(length));
        b->m_pPlane = holder;
        b->SetSection(sec);
        b->SetBeamDesignType(2);
        holder->m_pSubBeamList->AddTail(b);
        return b;
    }
    CBeamInWall* InWall(double length)
    {
        CBeamInWall* b = new CBeamInWall(500 + (int)st->m_pBCInWallList1->GetCount(), Node(0), Node(length));
        st->m_pBCInWallList1->AddTail(b);
        return b;
    }
    // A wall of height h and length b in the xz plane.
    CWall* Wall(float h, float b)
    {
        CWall* w = new CWall;
        w->m_nNo = (int)st->m_pWallList->GetCount() + 1;
        for (CPNode* n : {Node(0, 0, 0), Node(b, 0, 0), Node(b, 0, h), Node(0, 0, h)})
            w->m_pVexNodeList->AddTail(n);
        w->UpdateSize();
        st->m_pWallList->AddTail(w);
        return w;
    }
    // A room with that many corners on a circle, with its slab type and secondary-beam
    // direction code.
    CPlane* Room(int corners, CBan* ban = nullptr, int subBeamDir = 1)
    {
        CPlane* p = new CPlane;
        p->m_nNo = (int)st->m_pPlaneList->GetCount() + 1;
        for (int i = 0; i < corners; ++i)
            p->m_pVexNodeList->AddTail(Node(300 * std::cos(i * 2 * M_PI / corners), 300 * std::sin(i * 2 * M_PI / corners)));
        p->m_nShapeCode = corners == 3 ? 1 : corners == 4 ? 2 : 3;
        p->m_pBan = ban;
        p->m_nSubBeamDir = subBeamDir;
        st->m_pPlaneList->AddTail(p);
        return p;
    }
    // The same room bounded by members, member k from corner k to k + 1.
    CPlane* EdgedRoom(int corners)
    {
        CPlane* p = Room(corners);
        for (int i = 1; i <= corners; ++i) {
            CBeam* e = new CBeam((int)st->m_pBeamList->GetCount() + 1, p->m_pVexNodeList->Get(i),
                                 p->m_pVexNodeList->Get(i % corners + 1), 2);
            st->m_pBeamList->AddTail(e);
            p->m_pBeamList->AddTail(e);
        }
        return p;
    }
    void Loads(CPlane* p, float dead, float live)
    {
        p->m_pDeadLoad = new CLoadArea(1, dead);
        p->m_pLiveLoad = new CLoadArea(1, live);
        st->m_pLoadAreaDeadList->AddTail(p->m_pDeadLoad);
        st->m_pLoadAreaLiveList->AddTail(p->m_pLiveLoad);
    }
    CBan* Concrete(float thick)
    {
        auto* b = new CBanConcrete;
        b->m_fThick = thick;
        st->m_pBanConcreteList->Add(b);
        return b;
    }
    // A composite deck slab of type code -1, 1 or 2 whose bare sheet carries the wet
    // concrete over 3 m (wef 50 cm3) or does not (wef 20 cm3).
    CBan* Deck(int type, bool strongSheet)
    {
        auto* b = new CBanSteel;
        b->m_nType = type;
        b->m_fThick = 80;
        b->m_nRibH = 50;
        b->m_fSheetT = 1.0f;
        b->m_fWef = strongSheet ? 50.0f : 20.0f;
        st->m_pBanSteelList->Add(b);
        return b;
    }
    CPlateSteelBarGroup* BarGroup(int grade, int diameter, int space)
    {
        auto* g = new CPlateSteelBarGroup(grade, diameter, space);
        st->m_pPlateSteelBarGroupList->Add(g);
        return g;
    }
    int BarGroups() const { return (int)st->m_pPlateSteelBarGroupList->GetCount(); }
    int& DisplayFlag() { return host.m_settings[4][10]; }
};

} // namespace

// ---- program-type gates

TEST_F(PropKeysTest, EachKeyRunsInItsProgramTypeAndAnswersZeroSilentlyInTheOthers)
{
    CPNodeList nodes;
    CBeamList beams, inWall;
    CWallList walls;
    CPlaneList rooms;
    Fill(nodes, {Node(0)});
    CBeam* beam = Beam(600, &h400);
    beam->SetPinDesign(15, 0);
    Fill(beams, {beam});
    Fill(inWall, {InWall(300)});
    Fill(walls, {Wall(300, 600)});
    Fill(rooms, {Room(4, Concrete(120))});

    struct Case
    {
        const char* key;
        void* objects;
        int answer; // its answer when it runs and every dialog is cancelled
    };
    const Case cases[] = {
        {"Prop.BeamSec", &beams, 0},
        {"Prop.BeamSec", &inWall, 0},
        {"Prop.NodeSupport", &nodes, 0},
        {"Prop.BeamRelease", &beams, 0},
        {"Prop.BeamOffset", &beams, 0},
        {"Prop.BeamRigid", &beams, 0},
        {"Prop.WallOffset", &walls, 0},
        {"Prop.WallHoleDefine", &walls, 0},
        {"Prop.WallHoleAdjust", &walls, 0},
        {"Prop.PlaneHoleDefine", &rooms, 0},
        {"Prop.PlaneSubBeamDefine", &rooms, 0},
        {"Prop.BeamWebHoleDefine", &beams, 0},
        {"Prop.NodeCheckOutput", &nodes, 0},
        {"Prop.NodeOutputDisp", &nodes, 0},
        {"Prop.NodeOutputForce", &nodes, 0},
        {"Prop.NodeOutputCheck", &nodes, 0},
        {"Prop.BeamCheckOutput", &beams, 0},
        {"Prop.BeamForceDetail", &beams, 0},
        {"Prop.BeamOutputForce", &beams, 0},
        {"Prop.BeamOutputCheck", &beams, 0},
        {"Prop.BeamOutputStatistic", &beams, 0},
        {"Prop.BeamPinnail", &beams, 0},
        {"Prop.BeamPinnailDesign", &beams, 0},
        {"Prop.PlaneBan", &rooms, 1}, // even when the library is cancelled
        {"Prop.PlaneBanDesign", &rooms, 1},
        {"Prop.PlaneBanCheck", &rooms, 1}, // the room has no bars: a message, no dialog
        {"Prop.BCInWallCheckOutput", &inWall, 0},
    };
    // Every registered key is in the table; its gate is read from its registered row.
    std::set<std::string> covered;
    for (const Case& c : cases)
        covered.insert(c.key);
    for (const vyrkeys::PropKeyRow* row : vyrkeys::Rows())
        EXPECT_TRUE(covered.count(row->key)) << row->key << " is registered but not tried";
    for (int type : {0, 1, 2}) {
        d.ProgramType() = type;
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.key) + " in program type " + std::to_string(type));
            ScriptedUser::Reset();
            // Whatever it shows is answered with Cancel; here only whether it shows counts.
            ScriptedUser::SetFailureHandler([](const std::string&) {});
            const vyrkeys::PropKeyRow* row = vyrkeys::Find(c.key);
            ASSERT_NE(row, nullptr);
            const bool runs = row->gate == type || row->gate == vyrkeys::AnyProgram;
            EXPECT_EQ(Key(c.key, c.objects), runs ? c.answer : 0);
            const bool shown = !ScriptedUser::Dialogs().empty() || !ScriptedUser::MessageBoxes().empty();
            EXPECT_EQ(shown, runs);
        }
    }
}

// ---- library definitions

TEST_F(PropKeysTest, SupportKeyPresetsTheFirstNodesSupportAndGivesTheChosenOneToEveryNode)
{
    // The structure's default supports: fixed in row 1, pinned in row 2.
    CSupportBase* fixed = st->m_pSupportList->Get(1);
    CSupportBase* pinned = st->m_pSupportList->Get(2);
    ASSERT_EQ(fixed->GetType(), 1);
    ASSERT_EQ(pinned->GetType(), 2);
    CPNode* a = Node(0);
    CPNode* b = Node(100);
    a->SetSupport(fixed);
    CPNodeList nodes;
    Fill(nodes, {a, b});

    Pick<CDlgNodeSupport>(IDD_NODESUPPORT, 2, [&](CDlgNodeSupport& dlg) {
        EXPECT_EQ(dlg.m_pSupport, fixed);
        EXPECT_EQ(dlg.m_pData, &d);
        EXPECT_EQ(dlg.m_pNodeList, &nodes);
    });
    EXPECT_EQ(Key("Prop.NodeSupport", &nodes), 1);
    EXPECT_EQ(a->GetSupport(), pinned) << "the library's support itself, not a copy";
    EXPECT_EQ(b->GetSupport(), pinned);

    ScriptedUser::SelectRow(IDC_DEFS_LIST, 1, IDD_NODESUPPORT);
    ScriptedUser::PressCancel(IDD_NODESUPPORT);
    EXPECT_EQ(Key("Prop.NodeSupport", &nodes), 0);
    EXPECT_EQ(a->GetSupport(), pinned);

    Pick<CDlgNodeSupport>(IDD_NODESUPPORT, 0);
    EXPECT_EQ(Key("Prop.NodeSupport", &nodes), 1);
    EXPECT_EQ(a->GetSupport(), nullptr);
    EXPECT_EQ(b->GetSupport(), nullptr);

    CPNodeList none;
    Pick<CDlgNodeSupport>(IDD_NODESUPPORT, 0, [](CDlgNodeSupport& dlg) { EXPECT_EQ(dlg.m_pSupport, nullptr); });
    EXPECT_EQ(Key("Prop.NodeSupport", &none), 1);
}

TEST_F(PropKeysTest, ReleaseAndOffsetKeysPresetTheFirstObjectsDefinitionAndShareTheChosenOne)
{
    auto* r1 = new CBeamBindRelease(1, 1, 0, 0, 1);
    auto* r2 = new CBeamBindRelease(0, 0, 1, 1, 1);
    auto* e1 = new CMemberOffset(1, 0, 0, 0);
    auto* e2 = new CMemberOffset(0, 2, 0, 0);
    ASSERT_TRUE(st->m_pReleaseList->Add(r1));
    ASSERT_TRUE(st->m_pReleaseList->Add(r2));
    st->m_pOffsetList->Add(e1);
    st->m_pOffsetList->Add(e2);
    CBeam* a = Beam(600);
    CBeam* b = Beam(600);
    CSubBeam* s = Sub(300);
    b->SetBeamBindRelease(r1);
    b->m_pOffset = e1;
    CBeamList beams;
    Fill(beams, {a, b, s});

    // The first member has none: the dialog opens on none.
    Pick<CDlgBeamRelease>(IDD_BEAMRELEASE, 2, [&](CDlgBeamRelease& dlg) {
        EXPECT_EQ(dlg.m_pRelease, nullptr);
        EXPECT_EQ(dlg.m_pBeamList, &beams);
        EXPECT_EQ(dlg.m_pData, &d);
    });
    EXPECT_EQ(Key("Prop.BeamRelease", &beams), 1);
    for (CBeamBase* m : {(CBeamBase*)a, (CBeamBase*)b, (CBeamBase*)s})
        EXPECT_EQ(m->GetBeamBindRelease(), r2);

    Fill(beams, {b, a});
    Pick<CDlgBeamOffset>(IDD_BEAMOFFSET, 2, [&](CDlgBeamOffset& dlg) {
        EXPECT_EQ(dlg.m_pOffset, e1);
        EXPECT_EQ(dlg.m_pBeamList, &beams);
        EXPECT_EQ(dlg.m_pWallList, nullptr);
    });
    EXPECT_EQ(Key("Prop.BeamOffset", &beams), 1);
    EXPECT_EQ(a->m_pOffset, e2);
    EXPECT_EQ(b->m_pOffset, e2);

    ScriptedUser::SelectRow(IDC_DEFS_LIST, 0, IDD_BEAMOFFSET);
    ScriptedUser::PressCancel(IDD_BEAMOFFSET);
    EXPECT_EQ(Key("Prop.BeamOffset", &beams), 0);
    EXPECT_EQ(a->m_pOffset, e2) << "a cancelled dialog writes nothing";

    CWall* w1 = Wall(300, 600);
    CWall* w2 = Wall(300, 400);
    w1->m_pOffset = e2;
    CWallList walls;
    Fill(walls, {w1, w2});
    Pick<CDlgBeamOffset>(IDD_BEAMOFFSET, 0, [&](CDlgBeamOffset& dlg) {
        EXPECT_EQ(dlg.m_pOffset, e2);
        EXPECT_EQ(dlg.m_pBeamList, nullptr);
        EXPECT_EQ(dlg.m_pWallList, &walls);
    });
    EXPECT_EQ(Key("Prop.WallOffset", &walls), 1);
    EXPECT_EQ(w1->m_pOffset, nullptr);
    EXPECT_EQ(w2->m_pOffset, nullptr);
}

TEST_F(PropKeysTest, RigidArmKeyActsOnOrdinaryMembersOnly)
{
    auto* g1 = new CBeamRigid(-10, 10);
    auto* g2 = new CBeamRigid(5, 5);
    ASSERT_TRUE(st->m_pRigidList->Add(g1));
    ASSERT_TRUE(st->m_pRigidList->Add(g2));

    // Secondary beams only: nothing to preset, nothing to write.
    CSubBeam* s1 = Sub(300);
    CSubBeam* s2 = Sub(300);
    CBeamList subs;
    Fill(subs, {s1, s2});
    Pick<CDlgBeamRigid>(IDD_BEAMRIGID, 1, [&](CDlgBeamRigid& dlg) { EXPECT_EQ(dlg.m_pRigid, nullptr); });
    EXPECT_EQ(Key("Prop.BeamRigid", &subs), 1);

    // Mixed: the last ordinary member presets; ordinary members get the chosen arm.
    CBeam* a = Beam(600);
    CBeam* b = Beam(600);
    a->m_pRigid = g2;
    b->m_pRigid = g1;
    CBeamList mixed;
    Fill(mixed, {a, b, s1});
    Pick<CDlgBeamRigid>(IDD_BEAMRIGID, 2, [&](CDlgBeamRigid& dlg) {
        EXPECT_EQ(dlg.m_pRigid, g1) << "the last ordinary member's arm";
    });
    EXPECT_EQ(Key("Prop.BeamRigid", &mixed), 1);
    EXPECT_EQ(a->m_pRigid, g2);
    EXPECT_EQ(b->m_pRigid, g2);
    EXPECT_EQ((int)st->m_pRigidList->GetCount(), 2) << "definitions are shared, never copied";
}

// ---- web openings

TEST_F(PropKeysTest, WebOpeningsJoinMembersOfTheFirstSectionObjectAndItsLength)
{
    d.ProgramType() = 1;
    CBeam* plainFirst = Beam(600, &plain);
    CSubBeam* sub = Sub(600, &h400);
    CBeam* a = Beam(600, &h400);
    CBeam* b = Beam(600.0005, &h400);
    CBeam* c = Beam(601, &h400);
    CBeam* twin = Beam(600, &h400twin);
    CBeam* bare = Beam(600);
    CBeamList beams;
    Fill(beams, {plainFirst, sub, a, bare, b, c, twin});

    In<CDlgBeamWebHole>(
        [&](CDlgBeamWebHole& dlg) {
            ASSERT_EQ(dlg.m_BeamList.GetCount(), 2);
            EXPECT_EQ(dlg.m_BeamList.Get(1), a);
            EXPECT_EQ(dlg.m_BeamList.Get(2), b);
        },
        IDD_BEAMWEBHOLE);
    ScriptedUser::Click(IDC_WEBHOLE_RECT, IDD_BEAMWEBHOLE);
    ScriptedUser::PressOK(IDD_BEAMWEBHOLE);
    ScriptedUser::AnswerMessageBox(IDOK);
    EXPECT_EQ(Key("Prop.BeamWebHoleDefine", &beams), 1);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"2根截面为H400x200,长度为6000mm杆件布置成功！"});
    for (CBeam* listed : {a, b})
        EXPECT_NE(listed->m_pWebHole, nullptr) << "the default opening fits a 400 mm web";
    for (CBeam* other : {plainFirst, c, twin, bare})
        EXPECT_EQ(other->m_pWebHole, nullptr);

    ScriptedUser::Reset();
    ScriptedUser::PressCancel(IDD_BEAMWEBHOLE);
    EXPECT_EQ(Key("Prop.BeamWebHoleDefine", &beams), 0);
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty()) << "nothing reported after Cancel";

    struct Refusal
    {
        std::vector<CObject*> members;
        const char* message;
    };
    const Refusal refusals[] = {
        {{}, "请选择要定义洞口的杆件！"},
        {{plainFirst, sub, bare}, "请选择要定义洞口的H型截面杆件！"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.message);
        ScriptedUser::Reset();
        beams.RemoveAll();
        for (CObject* o : r.members)
            beams.AddTail(o);
        ScriptedUser::AnswerMessageBox(IDOK, r.message);
        EXPECT_EQ(Key("Prop.BeamWebHoleDefine", &beams), 0);
        EXPECT_TRUE(ScriptedUser::Dialogs().empty());
    }
}

// ---- walls, rooms and secondary beams

TEST_F(PropKeysTest, WallOpeningsNeedWallsOfOneSizeAndReplaceTheWallsAfterwards)
{
    CWall* w1 = Wall(300, 600);
    CWall* w2 = Wall(300, 600);
    CWall* w3 = Wall(300, 500);
    CWallList walls;

    ScriptedUser::AnswerMessageBox(IDOK, "请选择要定义洞口的墙体！");
    EXPECT_EQ(Key("Prop.WallHoleDefine", &walls), 0);
    EXPECT_EQ(ScriptedUser::MessageBoxes().back().flags & MB_ICONMASK, 0u);

    Fill(walls, {w1, w2, w3});
    ScriptedUser::AnswerMessageBox(IDOK, "墙体大小不统一,请通过洞口快速调整功能进行设置!");
    EXPECT_EQ(Key("Prop.WallHoleDefine", &walls), 0);
    EXPECT_EQ(ScriptedUser::MessageBoxes().back().flags & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);
    EXPECT_TRUE(ScriptedUser::Dialogs().empty());

    // A view: half scale, shifted; each wall's screen corners follow it after OK only.
    CMatrix2D move;
    move.SetMove(40, 30);
    d.Matrix2D().SetScale(0.5);
    d.Matrix2D() *= move;
    Fill(walls, {w1, w2});
    ScriptedUser::Click(IDC_WALLHOLE_CLOSE, IDD_WALLHOLEDEFINE);
    EXPECT_EQ(Key("Prop.WallHoleDefine", &walls), 0);
    EXPECT_EQ(w1->m_ptScreen[2], CPoint2D());
    In<CDlgWallHoleDefine>(
        [&](CDlgWallHoleDefine& dlg) {
            EXPECT_EQ(dlg.m_pWallList, &walls);
            EXPECT_EQ(dlg.m_pData, &d);
        },
        IDD_WALLHOLEDEFINE);
    ScriptedUser::Click(IDC_WALLHOLE_OK, IDD_WALLHOLEDEFINE);
    EXPECT_EQ(Key("Prop.WallHoleDefine", &walls), 1);
    for (CWall* w : {w1, w2})
        for (int i = 0; i < 4; ++i) {
            const CPoint2D expected = d.ToScreen(w->GetNode(i + 1)->m_pt);
            EXPECT_NEAR(w->m_ptScreen[i].x, expected.x, 1e-9);
            EXPECT_NEAR(w->m_ptScreen[i].y, expected.y, 1e-9);
        }
    EXPECT_NE(w1->m_ptScreen[2], CPoint2D());
}

TEST_F(PropKeysTest, QuickAdjustmentRefusesAWallWithSeveralOpenings)
{
    CWall* one = Wall(300, 600);
    CWall* two = Wall(300, 600);
    one->m_pHoleList->AddTail(new CHoleRect);
    two->m_pHoleList->AddTail(new CHoleRect);
    two->m_pHoleList->AddTail(new CHoleCircle);
    CWallList walls;

    ScriptedUser::AnswerMessageBox(IDOK, "请选择要调整洞口的墙体!");
    EXPECT_EQ(Key("Prop.WallHoleAdjust", &walls), 0);
    Fill(walls, {one, two});
    ScriptedUser::AnswerMessageBox(IDOK, "单个墙体上出现有多个洞口,不能使用快速调整!");
    EXPECT_EQ(Key("Prop.WallHoleAdjust", &walls), 0);
    EXPECT_TRUE(ScriptedUser::Dialogs().empty());

    Fill(walls, {one});
    In<CDlgWallHoleAdjust>(
        [&](CDlgWallHoleAdjust& dlg) {
            EXPECT_EQ(dlg.m_pWallList, &walls);
            EXPECT_EQ(dlg.m_pData, &d);
        },
        IDD_WALLHOLEADJUST);
    ScriptedUser::Click(IDC_WALLHOLE_MODEREMOVE, IDD_WALLHOLEADJUST);
    ScriptedUser::PressOK(IDD_WALLHOLEADJUST);
    EXPECT_EQ(Key("Prop.WallHoleAdjust", &walls), 1);
}

TEST_F(PropKeysTest, RoomOpeningsGetTheRoomsInOrder)
{
    CPlane* r1 = Room(4);
    CPlane* r2 = Room(3);
    CPlaneList rooms;
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要定义洞口的房间！");
    EXPECT_EQ(Key("Prop.PlaneHoleDefine", &rooms), 0);

    Fill(rooms, {r2, r1});
    In<CDlgPlaneHoleDefine>(
        [&](CDlgPlaneHoleDefine& dlg) {
            ASSERT_EQ(dlg.m_PlaneList.GetCount(), 2);
            EXPECT_EQ(dlg.m_PlaneList.Get(1), r2);
            EXPECT_EQ(dlg.m_PlaneList.Get(2), r1);
            EXPECT_EQ(dlg.m_pData, &d);
        },
        IDD_PLANEHOLE);
    ScriptedUser::PressOK(IDD_PLANEHOLE); // rooms without openings keep none
    EXPECT_EQ(Key("Prop.PlaneHoleDefine", &rooms), 1);
    EXPECT_EQ(r1->m_pHole, nullptr);
    EXPECT_EQ(r2->m_pHole, nullptr);
    ScriptedUser::PressCancel(IDD_PLANEHOLE);
    EXPECT_EQ(Key("Prop.PlaneHoleDefine", &rooms), 0);
}

TEST_F(PropKeysTest, SecondaryBeamsOpenTheDialogOfTheRoomsShape)
{
    struct Case
    {
        std::vector<int> corners;
        const char* message;  // a refusal, or null
        bool triangle;        // which dialog opens otherwise
    };
    const Case cases[] = {
        {{}, "请选择要布置次梁的房间！", false},
        {{3, 4}, "请选择相同形状的房间，都为三角形或者四边形！", false},
        {{5, 5}, "只能在三边或四边型房间中布置次梁！", false},
        {{3, 3}, nullptr, true},
        {{4, 4, 4}, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message ? c.message : (c.triangle ? "triangles" : "quadrilaterals"));
        ScriptedUser::Reset();
        CPlaneList rooms;
        for (int n : c.corners)
            rooms.AddTail(EdgedRoom(n));
        if (c.message) {
            ScriptedUser::AnswerMessageBox(IDOK, c.message);
            EXPECT_EQ(Key("Prop.PlaneSubBeamDefine", &rooms), 0);
            EXPECT_TRUE(ScriptedUser::Dialogs().empty());
            continue;
        }
        ScriptedUser::Run(
            [&](CDialog* dlg) {
                auto* tri = dynamic_cast<CDlgPlaneSubBeamDefineTri*>(dlg);
                auto* quad = dynamic_cast<CDlgPlaneSubBeamDefine*>(dlg);
                ASSERT_EQ(tri != nullptr, c.triangle);
                ASSERT_EQ(quad != nullptr, !c.triangle);
                CPlaneList& got = tri ? tri->m_PlaneList : quad->m_PlaneList;
                EXPECT_EQ(got.GetCount(), rooms.GetCount());
                EXPECT_EQ(got.GetHeadT(), rooms.GetHeadT());
                EXPECT_EQ(tri ? tri->m_pData : quad->m_pData, &d);
            },
            c.triangle ? IDD_SUBBEAM_TRI : IDD_SUBBEAM_QUAD);
        ScriptedUser::PressOK(c.triangle ? IDD_SUBBEAM_TRI : IDD_SUBBEAM_QUAD);
        EXPECT_EQ(Key("Prop.PlaneSubBeamDefine", &rooms), 1);
    }
}

// ---- results and reports

TEST_F(PropKeysTest, OneMemberReportsOpenOnTheLastObjectAndTellTheHostTheFirst)
{
    d.ProgramType() = 1;
    CBeam* a = Beam(600);
    CBeam* b = Beam(600);
    CSubBeam* s = Sub(300);
    CBeamInWall* w = InWall(300);
    CBeamInWall* w2 = InWall(300);
    auto* pier = new CColumnInWall(700, Node(0), Node(0, 0, 300));
    st->m_pBCInWallList2->AddTail(pier);

    struct Case
    {
        const char* name;
        const char* key;
        std::vector<CBeamBase*> list;
        CBeamBase* shown;     // the object the dialog runs on, null: no dialog
        CBeamBase* closed;    // lParam of WM_UI_RESULTDLGCLOSED, null: none sent
        const char* message;  // a refusal, or null
    };
    const Case cases[] = {
        {"one member", "Prop.BeamCheckOutput", {a}, a, a, nullptr},
        {"one secondary beam", "Prop.BeamCheckOutput", {s}, s, s, nullptr},
        {"two members: silent", "Prop.BeamCheckOutput", {a, b}, nullptr, nullptr, nullptr},
        {"no member: silent", "Prop.BeamCheckOutput", {w}, nullptr, nullptr, nullptr},
        {"nothing: silent", "Prop.BeamCheckOutput", {}, nullptr, nullptr, nullptr},
        {"one member behind a coupling beam", "Prop.BeamCheckOutput", {w, a}, a, w, nullptr},
        {"one coupling beam", "Prop.BCInWallCheckOutput", {w}, w, w, nullptr},
        {"one wall pier after a member", "Prop.BCInWallCheckOutput", {a, pier}, pier, a, nullptr},
        {"two coupling beams: silent", "Prop.BCInWallCheckOutput", {w, w2}, nullptr, nullptr, nullptr},
        {"no coupling beam: silent", "Prop.BCInWallCheckOutput", {}, nullptr, nullptr, nullptr},
        {"force query of one member", "Prop.BeamForceDetail", {w, s}, s, s, nullptr},
        {"force query of two members", "Prop.BeamForceDetail", {a, b}, nullptr, nullptr, "请选择单根杆件进行查看！"},
        {"force query of no member", "Prop.BeamForceDetail", {w}, nullptr, nullptr, "请选择单根杆件进行查看！"},
        {"force query of nothing", "Prop.BeamForceDetail", {}, nullptr, nullptr, "请选择单根杆件进行查看！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        host.ClearMessages();
        CBeamList list;
        for (CBeamBase* m : c.list)
            list.AddTail(m);
        CBeamBase* shown = nullptr;
        if (c.shown) {
            // The report is closed with its 1015; the force query, which has no buttons, with Esc.
            const bool query = std::string(c.key) == "Prop.BeamForceDetail";
            ScriptedUser::Run(
                [&](CDialog* dlg) {
                    if (auto* report = dynamic_cast<CDlgBeamCheckOutput*>(dlg))
                        shown = report->GetObject();
                    else if (auto* query = dynamic_cast<CDlgBeamQueryForce*>(dlg)) {
                        shown = query->GetBeam();
                        EXPECT_EQ(query->m_pData, &d);
                    }
                },
                query ? IDD_BEAMQUERYFORCE : IDD_CHECKOUTPUT);
            if (query)
                ScriptedUser::PressCancel(IDD_BEAMQUERYFORCE);
            else
                ScriptedUser::Click(IDC_REPORT_CLOSE, IDD_CHECKOUTPUT);
        }
        if (c.message)
            ScriptedUser::AnswerMessageBox(IDOK, c.message);
        EXPECT_EQ(Key(c.key, &list), 0);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(ScriptedUser::Dialogs().size(), c.shown ? 1u : 0u);
        EXPECT_EQ(ScriptedUser::MessageBoxes().size(), c.message ? 1u : 0u);
        const auto closed = host.Messages(WM_UI_RESULTDLGCLOSED);
        ASSERT_EQ(closed.size(), c.closed ? 1u : 0u);
        if (c.closed) {
            EXPECT_EQ(closed[0].lParam, (LPARAM)c.closed);
            EXPECT_FALSE(closed[0].posted);
        }
    }
}

TEST_F(PropKeysTest, NodeReportOpensOnExactlyOneNodeAndListReportsGetTheirList)
{
    d.ProgramType() = 1;
    CPNode* n1 = Node(0);
    CPNode* n2 = Node(100);
    CPNodeList none, one, two;
    Fill(one, {n1});
    Fill(two, {n1, n2});

    EXPECT_EQ(Key("Prop.NodeCheckOutput", &two), 0);
    EXPECT_EQ(Key("Prop.NodeCheckOutput", &none), 0);
    EXPECT_TRUE(ScriptedUser::Dialogs().empty());
    ScriptedUser::Run(
        [&](CDialog* dlg) {
            auto* report = dynamic_cast<CDlgNodeCheckOutput*>(dlg);
            ASSERT_NE(report, nullptr);
            EXPECT_EQ(report->GetObject(), n1);
        },
        IDD_CHECKOUTPUT);
    ScriptedUser::Click(IDC_REPORT_CLOSE, IDD_CHECKOUTPUT);
    EXPECT_EQ(Key("Prop.NodeCheckOutput", &one), 0);
    EXPECT_EQ(host.Count(WM_UI_RESULTDLGCLOSED), 0) << "only the member reports tell the host";

    // The node result reports are the real dialogs, closed with their "关闭".
    In<CDlgOutputNodeDisp>(
        [&](CDlgOutputNodeDisp& dlg) {
            EXPECT_EQ(dlg.m_pNodeList, &two);
            EXPECT_EQ(dlg.m_pData, &d);
        },
        IDD_NODEDISP);
    ScriptedUser::Click(IDOK, IDD_NODEDISP);
    EXPECT_EQ(Key("Prop.NodeOutputDisp", &two), 0);
    In<CDlgOutputNodeForce>(
        [&](CDlgOutputNodeForce& dlg) {
            EXPECT_EQ(dlg.m_pNodeList, &two);
            EXPECT_EQ(dlg.m_pData, &d);
        },
        IDD_NODEFORCE);
    ScriptedUser::Click(IDOK, IDD_NODEFORCE);
    EXPECT_EQ(Key("Prop.NodeOutputForce", &two), 0);
    In<CDlgOutputNodeCheck>([&](CDlgOutputNodeCheck& dlg) { EXPECT_EQ(dlg.m_pNodeList, &two); }, IDD_NODECHECK);
    ScriptedUser::Click(IDOK, IDD_NODECHECK);
    EXPECT_EQ(Key("Prop.NodeOutputCheck", &two), 0);

    CBeamList beams;
    Fill(beams, {Beam(600), Beam(300)});
    // So are the member list reports.
    In<CDlgStatistic>(
        [&](CDlgStatistic& dlg) {
            EXPECT_EQ(dlg.m_pBeamList, &beams);
            EXPECT_EQ(dlg.m_pData, &d);
        },
        IDD_STATISTIC);
    ScriptedUser::Click(IDOK, IDD_STATISTIC);
    EXPECT_EQ(Key("Prop.BeamOutputStatistic", &beams), 0);
    In<CDlgOutputBeamForce>(
        [&](CDlgOutputBeamForce& dlg) {
            EXPECT_EQ(dlg.m_pBeamList, &beams);
            EXPECT_EQ(dlg.m_pData, &d);
        },
        IDD_BEAMFORCE);
    ScriptedUser::Click(IDOK, IDD_BEAMFORCE);
    EXPECT_EQ(Key("Prop.BeamOutputForce", &beams), 0);
}

// ---- shear studs

TEST_F(PropKeysTest, StudLibraryKeyGivesTheChosenGroupToCompositeBeamsOnly)
{
    d.ProgramType() = 1;
    auto* g1 = new CPinNailGroup;
    auto* g2 = new CPinNailGroup;
    g2->m_nSpace = 150;
    st->m_pPinNailGroupList->Add(g1);
    st->m_pPinNailGroupList->Add(g2);
    CBeam* composite = Beam(600, &h400, 2, 2);
    CSubBeam* sub = Sub(300, &h400);
    sub->SetType(5);
    CBeam* column = Beam(300, &h400, 1, 2);
    CBeam* steel = Beam(600, &h400, 2, 0);
    CBeamInWall* w = InWall(300);
    w->SetBeamDesignType(2);
    w->SetType(2);
    CBeamList beams;
    Fill(beams, {composite, sub, column, steel, w});

    ScriptedUser::SelectRow(IDC_PIN_LIST, 1, IDD_BEAMPINNAIL);
    ScriptedUser::PressCancel(IDD_BEAMPINNAIL);
    EXPECT_EQ(Key("Prop.BeamPinnail", &beams), 0);
    EXPECT_EQ(composite->m_pPinNailGroup, nullptr);

    ScriptedUser::SelectRow(IDC_PIN_LIST, 1, IDD_BEAMPINNAIL);
    ScriptedUser::PressOK(IDD_BEAMPINNAIL);
    EXPECT_EQ(Key("Prop.BeamPinnail", &beams), 1);
    EXPECT_EQ(composite->m_pPinNailGroup, g2);
    EXPECT_EQ(sub->m_pPinNailGroup, g2);
    for (CBeamBase* other : {(CBeamBase*)column, (CBeamBase*)steel, (CBeamBase*)w})
        EXPECT_EQ(other->m_pPinNailGroup, nullptr) << other->GetNo();
}

TEST_F(PropKeysTest, StudDesignReusesAnEqualGroupAndNumbersANewOne)
{
    d.ProgramType() = 1;
    // The design proposes the smaller of 180 and 160 mm; the dialog's other values are its
    // defaults: 19 mm studs, 90 mm high, 2 rows, Q235, computed capacity.
    CBeam* a = Beam(600, &h400);
    CBeam* b = Beam(600, &h400);
    CBeam* column = Beam(300, &h400, 1, 2);
    a->SetPinDesign(18, 0);
    b->SetPinDesign(16, 0);
    CBeamList beams;
    Fill(beams, {a, b, column});
    auto* other = new CPinNailGroup;
    other->m_nDiameter = 16;
    auto* equal = new CPinNailGroup;
    equal->m_nDiameter = 19;
    equal->m_nHeight = 90;
    equal->m_nRows = 2;
    equal->m_nSpace = 160;
    equal->m_nMaterial = 1;
    st->m_pPinNailGroupList->Add(other);
    st->m_pPinNailGroupList->Add(equal);

    ScriptedUser::PressOK(IDD_BEAMPINNAILDESIGN);
    EXPECT_EQ(Key("Prop.BeamPinnailDesign", &beams), 1);
    EXPECT_EQ(a->m_pPinNailGroup, equal);
    EXPECT_EQ(b->m_pPinNailGroup, equal);
    EXPECT_EQ(column->m_pPinNailGroup, nullptr);
    EXPECT_EQ(st->m_pPinNailGroupList->GetCount(), 2);

    ScriptedUser::SetText(IDC_PIN_SPACE, "170", IDD_BEAMPINNAILDESIGN);
    ScriptedUser::PressOK(IDD_BEAMPINNAILDESIGN);
    EXPECT_EQ(Key("Prop.BeamPinnailDesign", &beams), 1);
    ASSERT_EQ(st->m_pPinNailGroupList->GetCount(), 3);
    CPinNailGroup* added = st->m_pPinNailGroupList->Get(3);
    EXPECT_EQ(added->m_nNo, 3);
    EXPECT_EQ(added->m_nSpace, 170);
    EXPECT_EQ(added->m_nDiameter, 19);
    EXPECT_EQ(added->m_nMaterial, 1);
    EXPECT_EQ(a->m_pPinNailGroup, added);
    EXPECT_EQ(b->m_pPinNailGroup, added);

    ScriptedUser::PressCancel(IDD_BEAMPINNAILDESIGN);
    EXPECT_EQ(Key("Prop.BeamPinnailDesign", &beams), 0);
    EXPECT_EQ(st->m_pPinNailGroupList->GetCount(), 3);
}

TEST_F(PropKeysTest, StudDesignNeverBuildsAGroupWithoutASpacing)
{
    d.ProgramType() = 1;
    CBeam* a = Beam(600, &h400);
    a->SetPinDesign(16, 0);
    CBeamList beams;
    Fill(beams, {a});
    // What reaches the key when the proposal is a status message or no number.
    for (const char* text : {"<请先布置楼板>", "<请先配板的负钢筋>", "", "0", "-20"}) {
        SCOPED_TRACE(text);
        ScriptedUser::Reset();
        std::string proposal = text;
        ScriptedUser::Run(
            [proposal](CDialog* dlg) {
                auto* design = dynamic_cast<CDlgBeamPinnailDesign*>(dlg);
                ASSERT_NE(design, nullptr);
                design->m_strSpace = proposal.c_str();
                design->EndDialog(IDOK);
            },
            IDD_BEAMPINNAILDESIGN);
        ScriptedUser::AnswerMessageBox(IDOK, "栓钉间距必须大于0，未布置栓钉！");
        EXPECT_EQ(Key("Prop.BeamPinnailDesign", &beams), 0);
        EXPECT_EQ(st->m_pPinNailGroupList->GetCount(), 0);
        EXPECT_EQ(a->m_pPinNailGroup, nullptr);
    }
}

// ---- slab design and check

namespace {

struct SlabKeysTest : PropKeysTest
{
    CBan* slab = nullptr;
    CPlane* r1 = nullptr;
    CPlane* r2 = nullptr;
    CPlane* bare = nullptr; // no slab: never part of the design
    CPlaneList rooms;

    void SetUp() override
    {
        PropKeysTest::SetUp();
        d.ProgramType() = 1;
        slab = Concrete(120);
        r1 = Room(4, slab);
        r2 = Room(4, slab);
        bare = Room(4);
        Loads(r1, 2.0f, 2.0f);
        Loads(r2, 2.0f, 2.0f);
        Fill(rooms, {r1, bare, r2});
    }
    void ExpectNoBars()
    {
        for (CPlane* p : {r1, r2, bare})
            for (CPlateSteelBarGroup* g : p->m_pBarGroup)
                EXPECT_EQ(g, nullptr) << "room " << p->GetNo();
    }
    // Types the bars of the designed dialog, by control, as the user does.
    static void TypeBars(UINT idd, std::initializer_list<std::pair<int, const char*>> texts)
    {
        for (const auto& [id, text] : texts)
            ScriptedUser::SetText(id, text, idd);
    }
};

} // namespace

TEST_F(SlabKeysTest, UniformRoomsAreDesignedWithoutAQuestionAndShareTheirBarGroups)
{
    CPlateSteelBarGroup* old = BarGroup(1, 10, 150);
    In<CDlgBanDesign>(
        [&](CDlgBanDesign& dlg) {
            ASSERT_NE(dlg.m_pPlaneList, nullptr);
            EXPECT_NE(dlg.m_pPlaneList, &rooms) << "a working list of the rooms with a slab";
            ASSERT_EQ(dlg.m_pPlaneList->GetCount(), 2);
            EXPECT_EQ(dlg.m_pPlaneList->Get(1), r1);
            EXPECT_EQ(dlg.m_pPlaneList->Get(2), r2);
            EXPECT_EQ(dlg.m_pData, &d);
        },
        IDD_SLABDESIGN);
    ScriptedUser::SelectString(IDC_SLAB_GRADE, "二级钢", IDD_SLABDESIGN);
    ScriptedUser::SetText(IDC_SLAB_COVER, "20", IDD_SLABDESIGN);
    ScriptedUser::Click(IDC_SLAB_AUTO, IDD_SLABDESIGN);
    TypeBars(IDD_SLABDESIGN, {{IDC_SLAB_POSDIAMETER, "10"},
                              {IDC_SLAB_POSSPACE, "150"},
                              {IDC_SLAB_NEGDIAMETER, "8"},
                              {IDC_SLAB_NEGSPACE, "200"}});
    ScriptedUser::PressOK(IDD_SLABDESIGN);
    EXPECT_EQ(Key("Prop.PlaneBanDesign", &rooms), 1);
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
    ASSERT_EQ(BarGroups(), 2);
    CPlateSteelBarGroup* added = st->m_pPlateSteelBarGroupList->Get(2);
    EXPECT_EQ(added->m_nNo, 2);
    EXPECT_TRUE(added->IsSame(CPlateSteelBarGroup(1, 8, 200)));
    for (CPlane* p : {r1, r2}) {
        EXPECT_EQ(p->m_pBarGroup[0], old);
        EXPECT_EQ(p->m_pBarGroup[1], added);
        EXPECT_EQ(p->m_pBarGroup[2], nullptr);
        EXPECT_EQ(p->m_fCover, 20.0f);
    }
    EXPECT_EQ(bare->m_pBarGroup[0], nullptr);
    EXPECT_EQ(bare->m_fCover, 15.0f);
    EXPECT_EQ(DisplayFlag(), 1);
}

TEST_F(SlabKeysTest, RoomsThatDifferAskWhetherToDesignAllAsTheFirst)
{
    struct Case
    {
        const char* name;
        std::function<void()> change;
        bool asks;
    };
    const Case cases[] = {
        {"live load 0.2 higher", [&] { r2->m_pLiveLoad->m_fValue = 2.2f; }, true},
        {"dead load 0.2 lower", [&] { r2->m_pDeadLoad->m_fValue = 1.8f; }, true},
        {"no live load", [&] { r2->m_pLiveLoad = nullptr; }, true},
        {"slab 10 mm deeper", [&] { r2->m_pBan = Concrete(130); }, true},
        {"live load 0.05 higher", [&] { r2->m_pLiveLoad->m_fValue = 2.05f; }, false},
        {"another slab of the same depth", [&] { r2->m_pBan = Concrete(120); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        CLoadArea* live = r2->m_pLiveLoad;
        c.change();
        if (c.asks) {
            ScriptedUser::AnswerMessageBox(IDNO, "所选板的类型或设计参数不相同，是否全按第一块板设计？");
            EXPECT_EQ(Key("Prop.PlaneBanDesign", &rooms), 0);
            EXPECT_TRUE(ScriptedUser::Dialogs().empty());
            EXPECT_EQ(ScriptedUser::MessageBoxes().back().flags & MB_TYPEMASK, (UINT)MB_YESNO);
            ScriptedUser::AnswerMessageBox(IDYES);
        }
        ScriptedUser::PressCancel(IDD_SLABDESIGN);
        EXPECT_EQ(Key("Prop.PlaneBanDesign", &rooms), 1) << "a dialog was shown";
        EXPECT_EQ(ScriptedUser::MessageBoxes().size(), c.asks ? 2u : 0u);
        ExpectNoBars();
        EXPECT_EQ(DisplayFlag(), 0);
        r2->m_pLiveLoad = live;
        live->m_fValue = 2.0f;
        r2->m_pDeadLoad->m_fValue = 2.0f;
        r2->m_pBan = slab;
    }
}

TEST_F(SlabKeysTest, BarsAreStoredOnlyFromADesignThatRanAndSucceeded)
{
    struct Case
    {
        const char* name;
        bool ok, designed;
        float moment; // r2's support moment: 95 mm of depth carries some 45 kN.m/m, not 200
    };
    const Case cases[] = {
        {"OK without a design", true, false, 0.0f},
        {"OK after a failed design", true, true, -200.0f},
        {"Cancel after a design", false, true, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r1->m_fCover = r2->m_fCover = 15.0f;
        r2->m_fMoment[2] = c.moment;
        ScriptedUser::SetText(IDC_SLAB_COVER, "20", IDD_SLABDESIGN);
        if (c.designed)
            ScriptedUser::Click(IDC_SLAB_AUTO, IDD_SLABDESIGN);
        if (c.ok)
            ScriptedUser::PressOK(IDD_SLABDESIGN);
        else
            ScriptedUser::PressCancel(IDD_SLABDESIGN);
        EXPECT_EQ(Key("Prop.PlaneBanDesign", &rooms), 1);
        ExpectNoBars();
        // Designing writes the cover into the rooms; nothing else reaches them.
        EXPECT_EQ(r1->m_fCover, c.designed ? 20.0f : 15.0f);
        EXPECT_EQ(BarGroups(), 0);
        EXPECT_EQ(DisplayFlag(), 0);
    }
}

TEST_F(SlabKeysTest, TwoWaySlabsTakeFourBarGroupsInTheirSlots)
{
    r1->m_nSubBeamDir = 0;
    r2->m_nSubBeamDir = 0;
    CPlateSteelBarGroup* old = BarGroup(0, 8, 150);
    In<CDlgBanDesignTwoWay>([&](CDlgBanDesignTwoWay& dlg) { ASSERT_EQ(dlg.m_pPlaneList->GetCount(), 2); },
                            IDD_SLABDESIGN_TWOWAY);
    ScriptedUser::SetText(IDC_SLAB2W_COVER, "18", IDD_SLABDESIGN_TWOWAY);
    ScriptedUser::Click(IDC_SLAB2W_AUTO, IDD_SLABDESIGN_TWOWAY);
    TypeBars(IDD_SLABDESIGN_TWOWAY, {{IDC_SLAB2W_XPOSDIAMETER, "8"}, // the old group
                                     {IDC_SLAB2W_XPOSSPACE, "150"},
                                     {IDC_SLAB2W_XNEGDIAMETER, "10"}, // new: 2
                                     {IDC_SLAB2W_XNEGSPACE, "100"},
                                     {IDC_SLAB2W_YPOSDIAMETER, "10"}, // the same as X negative
                                     {IDC_SLAB2W_YPOSSPACE, "100"},
                                     {IDC_SLAB2W_YNEGDIAMETER, "12"}, // new: 3
                                     {IDC_SLAB2W_YNEGSPACE, "200"}});
    ScriptedUser::PressOK(IDD_SLABDESIGN_TWOWAY);
    EXPECT_EQ(Key("Prop.PlaneBanDesign", &rooms), 1);
    ASSERT_EQ(BarGroups(), 3);
    CPlateSteelBarGroup* g2 = st->m_pPlateSteelBarGroupList->Get(2);
    CPlateSteelBarGroup* g3 = st->m_pPlateSteelBarGroupList->Get(3);
    EXPECT_TRUE(g2->IsSame(CPlateSteelBarGroup(0, 10, 100)));
    EXPECT_TRUE(g3->IsSame(CPlateSteelBarGroup(0, 12, 200)));
    EXPECT_EQ(g3->m_nNo, 3);
    for (CPlane* p : {r1, r2}) {
        EXPECT_EQ(p->m_pBarGroup[0], old);
        EXPECT_EQ(p->m_pBarGroup[1], g2);
        EXPECT_EQ(p->m_pBarGroup[2], g2);
        EXPECT_EQ(p->m_pBarGroup[3], g3);
        EXPECT_EQ(p->m_fCover, 18.0f);
    }
    EXPECT_EQ(DisplayFlag(), 1);
}

TEST_F(SlabKeysTest, TwoWayDesignRefusesRoomsThatAreNotAlikeQuadrilaterals)
{
    struct Case
    {
        const char* name;
        std::function<void()> change;
        std::string message;
    };
    const Case cases[] = {
        {"first room a triangle", [&] { r1->m_nSubBeamDir = 0; r1->m_nShapeCode = 1; },
         VyrFormat("房间%d非四边形房间，双向板只支持四边形且非全开洞房间!", r1->GetNo())},
        {"first room all opening", [&] { r1->m_nSubBeamDir = 0; r1->m_nShapeKind = 4; },
         VyrFormat("房间%d非四边形房间，双向板只支持四边形且非全开洞房间!", r1->GetNo())},
        {"second room a triangle",
         [&] {
             r1->m_nSubBeamDir = 0;
             r2->m_nSubBeamDir = 0;
             r2->m_nShapeCode = 1;
         },
         VyrFormat("房间%d非四边形房间，双向板只支持四边形房间!", r2->GetNo())},
        {"second room with secondary beams", [&] { r1->m_nSubBeamDir = 0; }, "楼板类型不一致，请选择类型一致楼板!"},
        {"a two-way slab type over secondary beams", [&] { slab->SetType(100); }, "楼板类型不一致，请选择类型一致楼板!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        c.change();
        ScriptedUser::AnswerMessageBox(IDOK, c.message.c_str());
        EXPECT_EQ(Key("Prop.PlaneBanDesign", &rooms), 0);
        EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u) << "refused before any question";
        EXPECT_TRUE(ScriptedUser::Dialogs().empty());
        for (CPlane* p : {r1, r2}) {
            p->m_nSubBeamDir = 1;
            p->m_nShapeCode = 2;
            p->m_nShapeKind = 0;
        }
        slab->SetType(3);
    }
    ExpectNoBars();
    EXPECT_EQ(DisplayFlag(), 0);
}

TEST_F(SlabKeysTest, DeckSlabsPassTheConstructionCheckBeforeTheirDialog)
{
    struct Case
    {
        int type;
        bool strong;
        const char* message;   // the refusal, or null
        bool deckDialog;       // the support-bar dialog instead of the slab dialog
        bool designed;         // designed and the support bars typed as 10 at 120 before OK
        int slots;             // bar groups stored: 0 none, 1 support bars in slot 2, 2 slots 1 and 2
        int negSpace;          // the stored support bars: 10 at 120 typed, else 8 at block 2's 150
    };
    const Case cases[] = {
        {-1, false, "施工阶段验算不满足，请选择强度更高的压型钢板！", false, false, 0, 0},
        {-1, true, nullptr, false, true, 2, 120},
        {-1, true, nullptr, false, false, 0, 0},
        {1, false, "施工阶段验算不满足，请选择强度更高的压型钢板！", false, false, 0, 0},
        {1, true, nullptr, true, true, 1, 120},
        {2, false, "施工阶段验算不满足，请选择强度更高的压型钢板！", false, false, 0, 0},
        {2, true, nullptr, false, false, 2, 150}, // its bars are taken without asking the flags
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + (c.strong ? " strong" : " weak") + (c.designed ? " designed" : ""));
        ScriptedUser::Reset();
        st->m_pPlateSteelBarGroupList->Delete(2);
        st->m_pPlateSteelBarGroupList->Delete(1);
        for (CPlane* p : {r1, r2}) {
            p->m_pBan = Deck(c.type, c.strong);
            for (auto*& g : p->m_pBarGroup)
                g = nullptr;
        }
        if (c.message) {
            ScriptedUser::AnswerMessageBox(IDOK, c.message);
        } else {
            const UINT idd = c.deckDialog ? IDD_SLABDESIGN_DECK : IDD_SLABDESIGN;
            In<CDialog>([&](CDialog& dlg) {
                EXPECT_EQ(dynamic_cast<CDlgBanDesignDeck*>(&dlg) != nullptr, c.deckDialog);
            }, idd);
            if (c.designed) {
                ScriptedUser::Click(c.deckDialog ? IDC_SLABDECK_AUTO : IDC_SLAB_AUTO, idd);
                TypeBars(idd, {{IDC_SLAB_NEGDIAMETER, "10"}, {IDC_SLAB_NEGSPACE, "120"}});
            }
            ScriptedUser::PressOK(idd);
        }
        // The two rooms have different deck slab objects of equal type and depth: uniform.
        EXPECT_EQ(Key("Prop.PlaneBanDesign", &rooms), c.message ? 0 : 1);
        EXPECT_EQ(BarGroups(), c.slots);
        EXPECT_EQ(r2->m_pBarGroup[0] != nullptr, c.slots == 2);
        EXPECT_EQ(r2->m_pBarGroup[1] != nullptr, c.slots >= 1);
        if (c.slots >= 1) {
            EXPECT_TRUE(r2->m_pBarGroup[1]->IsSame(CPlateSteelBarGroup(0, c.negSpace == 120 ? 10 : 8, c.negSpace)));
        }
    }
}

TEST_F(SlabKeysTest, OtherSlabTypeCodesAndRoomsWithoutASlab)
{
    r1->m_pBan = r2->m_pBan = Deck(7, true);
    EXPECT_EQ(Key("Prop.PlaneBanDesign", &rooms), 1) << "nothing to design, no dialog";
    EXPECT_TRUE(ScriptedUser::Dialogs().empty());
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());

    CPlaneList none;
    Fill(none, {bare});
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要设计的已布置楼板的房间！");
    EXPECT_EQ(Key("Prop.PlaneBanDesign", &none), 0);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要验算的已布置楼板的房间！");
    EXPECT_EQ(Key("Prop.PlaneBanCheck", &none), 0);
    EXPECT_EQ(DisplayFlag(), 0);
}

TEST_F(SlabKeysTest, SlabCheckStopsAtTheFirstRoomThatFails)
{
    // 10 mm bars at 100 mm carry the 120 mm slab over 3 m; a room without bars fails.
    CPlateSteelBarGroup* bars = BarGroup(0, 10, 100);
    CPlane* r3 = Room(4, slab);
    Loads(r3, 2.0f, 2.0f);
    for (CPlane* p : {r1, r3})
        p->m_pBarGroup[0] = p->m_pBarGroup[1] = bars;
    float a, b, c, dd, e;
    ASSERT_TRUE(r1->Check(a, b, c, dd, e, nullptr)) << "the fixture's passing room";

    Fill(rooms, {r1, bare, r2, r3});
    ScriptedUser::AnswerMessageBox(IDOK, "存在未配置钢筋房间，请检查!");
    EXPECT_EQ(Key("Prop.PlaneBanCheck", &rooms), 1);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
    EXPECT_EQ(DisplayFlag(), 1);

    DisplayFlag() = 0;
    Fill(rooms, {r1, bare, r3});
    ScriptedUser::AnswerMessageBox(IDOK, "验算完毕！");
    EXPECT_EQ(Key("Prop.PlaneBanCheck", &rooms), 1);
    EXPECT_EQ(DisplayFlag(), 1);
}

TEST_F(PropKeysTest, SlabTypeKeyPresetsTheFirstSlabRoomAndGivesTheChosenTypeToSlabRoomsOnly)
{
    d.ProgramType() = 1;
    CBan* first = Deck(-1, true);  // composite tab, row 0
    CBan* second = Deck(1, true);  // row 1
    CBan* oneWay = Concrete(100);
    CPlane* twoWay = Room(4, oneWay, 0);
    CPlane* open = Room(4, oneWay);
    open->m_nShapeKind = 4;
    CPlane* slabRoom = Room(4, first);
    CPlane* bareRoom = Room(3);
    CPlaneList rooms;
    Fill(rooms, {twoWay, open, slabRoom, bareRoom});

    CBan* preset = nullptr;
    ScriptedUser::Run([&](CDialog* dlg) { preset = dynamic_cast<CDlgBanLib&>(*dlg).m_pBan; }, IDD_BANLIB);
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, 1, IDD_BANLIB);
    ScriptedUser::PressOK(IDD_BANLIB);
    EXPECT_EQ(Key("Prop.PlaneBan", &rooms), 1);
    EXPECT_EQ(preset, first) << "the first room that lays a slab";
    EXPECT_EQ(slabRoom->m_pBan, second);
    EXPECT_EQ(bareRoom->m_pBan, second);
    EXPECT_EQ(twoWay->m_pBan, oneWay) << "a two-way room is left alone";
    EXPECT_EQ(open->m_pBan, oneWay) << "a room that is all opening is left alone";

    // Cancelled: nothing written, and still 1.
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, 0, IDD_BANLIB);
    ScriptedUser::PressCancel(IDD_BANLIB);
    EXPECT_EQ(Key("Prop.PlaneBan", &rooms), 1);
    EXPECT_EQ(slabRoom->m_pBan, second);

    // No slab room: the last room presets.
    Fill(rooms, {open, twoWay});
    preset = nullptr;
    ScriptedUser::Run([&](CDialog* dlg) { preset = dynamic_cast<CDlgBanLib&>(*dlg).m_pBan; }, IDD_BANLIB);
    ScriptedUser::PressCancel(IDD_BANLIB);
    EXPECT_EQ(Key("Prop.PlaneBan", &rooms), 1);
    EXPECT_EQ(preset, oneWay);
}

// ---- driven from a selection-property panel

namespace {

constexpr UINT kMemberPanelTemplate = 30641;

// A member panel: its grid over the selected members, refilled for the same members after
// a row's dialog ran.
class CMemberPanel : public CViewProp
{
public:
    CMemberPanel() : CViewProp(kMemberPanelTemplate) {}
    CString GetType() const override { return "View.TestMembers"; }
    int GetObjType() override { return 1; }
    void ChangeAfterOtherProp() override
    {
        ++m_nRefills;
        m_PropsUI.RecordExpand(nullptr, nullptr, true);
        m_PropsUI.FillItem();
    }
    int m_nRefills = 0;
};

CString RowText(CPropsUI& ui, const char* caption)
{
    if (CBCGPProp* r = vyrhosttest::FindRow(ui.GetPropList(), caption))
        return r->GetValue().ToText();
    return "<no row>";
}

} // namespace

TEST_F(PropKeysTest, APanelRowsDoubleClickRunsItsKeyAndThePanelRefillsForTheSameMembers)
{
    ASSERT_TRUE(vyrhosttest::AddQueryPanelTemplate(kMemberPanelTemplate, "propkeys-panel.rc"));
    auto* g1 = new CBeamRigid(-10, 10);
    auto* g2 = new CBeamRigid(5, 5);
    g1->m_nNo = 1;
    g2->m_nNo = 2;
    st->m_pRigidList->AddTail(g1);
    st->m_pRigidList->AddTail(g2);
    CBeam* a = Beam(600);
    CBeam* b = Beam(600);
    a->m_pRigid = g1;
    CBeamList selected;
    Fill(selected, {a, b});

    auto* panel = new CMemberPanel; // goes with its window
    ASSERT_TRUE(panel->Create(&host.SideFrame(), 1, nullptr));
    panel->SetParam(&d);
    panel->ShowWindow(SW_SHOW);
    panel->MoveWindow(0, 0, 300, 600);
    ASSERT_TRUE(panel->m_PropsUI.Create(panel, 8000, WS_CHILD | WS_VISIBLE));
    panel->m_PropsUI.Move(0, 30, 300, 570);
    panel->m_PropsUI.SetParam(2, &selected, 1, &d);
    panel->m_PropsUI.FillItem();
    const HWND list = panel->m_PropsUI.GetPropListHWND();
    ASSERT_TRUE(vyr::UserPropExpand(list, "端部条件", true));

    Pick<CDlgBeamRigid>(IDD_BEAMRIGID, 2, [&](CDlgBeamRigid& dlg) {
        EXPECT_EQ(dlg.m_pBeamList, &selected) << "the panel's own members";
        EXPECT_EQ(dlg.m_pRigid, nullptr) << "the last member has none";
    });
    ASSERT_TRUE(vyr::UserPropDblClickName(list, "刚域"));
    EXPECT_EQ(a->m_pRigid, g2);
    EXPECT_EQ(b->m_pRigid, g2);
    EXPECT_EQ(panel->m_nRefills, 1);
    EXPECT_EQ(RowText(panel->m_PropsUI, "刚域"), CString("G2")) << "refilled, the group still open";

    // A closed gate: the key does nothing, the panel still refills for the same members.
    d.ProgramType() = 1;
    ASSERT_TRUE(vyr::UserPropDblClickName(list, "刚域"));
    EXPECT_TRUE(ScriptedUser::Dialogs().size() == 1u);
    EXPECT_EQ(panel->m_nRefills, 2);
    EXPECT_EQ(RowText(panel->m_PropsUI, "刚域"), CString("G2"));
    vyr::PumpMessages();
    panel->DestroyWindow();
}

TEST_F(PropKeysTest, SectionKeyGivesEveryMemberTheChosenSectionAndPostsTheRefresh)
{
    d.ProgramType() = 2; // any program type
    CBeam* a = Beam(600, &h400);
    CSubBeam* s = Sub(300, &plain);
    for (CBeamBase* m : {(CBeamBase*)a, (CBeamBase*)s}) {
        m->m_pCheck = new CLoadArea;
        m->m_pCheckResult = new CheckResult;
    }
    CBeamList beams;
    Fill(beams, {a, s});

    ScriptedUser::Run(
        [&](CDialog* dlg) {
            auto& sec = dynamic_cast<CDlgSection&>(*dlg);
            EXPECT_EQ(sec.m_pCurSection, &plain) << "the last member's section";
            EXPECT_EQ(sec.m_pGlobalData, &d);
        },
        IDD_SECTION_LIBRARY);
    ScriptedUser::PressCancel(IDD_SECTION_LIBRARY);
    EXPECT_EQ(Key("Prop.BeamSec", &beams), 0);
    EXPECT_NE(a->m_pCheckResult, nullptr);
    EXPECT_EQ(host.PumpPosted(), 0);

    // The dialog's answer: the first member's own section.
    ScriptedUser::Run(
        [&](CDialog* dlg) {
            dynamic_cast<CDlgSection&>(*dlg).m_pCurSection = &h400;
            dlg->EndDialog(IDOK);
        },
        IDD_SECTION_LIBRARY);
    host.ClearMessages();
    EXPECT_EQ(Key("Prop.BeamSec", &beams), 1);
    for (CBeamBase* m : {(CBeamBase*)a, (CBeamBase*)s}) {
        EXPECT_EQ(m->GetSection(), &h400);
        EXPECT_EQ(m->m_pCheck, nullptr) << "freed even where the section stayed";
        EXPECT_EQ(m->m_pCheckResult, nullptr);
    }
    EXPECT_EQ(host.Count(WM_UI_SHOWPANEL) + host.Count(WM_UI_REDRAW), 0) << "posted, not sent";
    EXPECT_EQ(host.PumpPosted(), 2);
    const auto& got = host.Messages();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].message, (UINT)WM_UI_SHOWPANEL);
    EXPECT_EQ(got[1].message, (UINT)WM_UI_REDRAW);
    for (const auto& m : got) {
        EXPECT_TRUE(m.posted);
        EXPECT_EQ(m.wParam, 0u);
        EXPECT_EQ(m.lParam, 0);
    }
}
