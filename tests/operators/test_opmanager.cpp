#include <gtest/gtest.h>

#include "OPTestKit.h"
#include <vyr/protocol/HostMessages.h>
#include <vyr/operators/OPView.h>
#include "support/TestHost.h"

using namespace optest;

namespace {

// A host with the selection operator set first, as the host does after Initial.
struct ManagerFixture : ::testing::Test
{
    vyrtest::CTestHost host{800, 300};
    COPManager& m = host.OPManager();

    void SetUp() override
    {
        CSelectOP sel;
        m.SetOP(sel);
    }
    void TearDown() override {}
    int Invalidations() { return vyr::GetWindowCounters(host.View().m_hWnd).invalidations; }
};

} // namespace

TEST_F(ManagerFixture, FirstDefaultOperatorIsCurrentAndDefaultAsTwoCopies)
{
    EXPECT_TRUE(m.IsDefault());
    ASSERT_NE(m.GetCurOP(), nullptr);
    ASSERT_NE(m.GetDefaultOP(), nullptr);
    EXPECT_NE(m.GetCurOP(), m.GetDefaultOP());
    EXPECT_TRUE(m.GetCurOP()->Comp(*m.GetDefaultOP()));
    EXPECT_FALSE(m.HasLastOP());
    EXPECT_EQ(m.GetOPType(), CString("OP.TestSelect"));
    EXPECT_EQ(m.GetOPDesc(), CString("测试选择"));
    // The current operator works for this manager, view and model root.
    EXPECT_EQ(m.GetCurOP()->GetOPManager(), &m);
    EXPECT_EQ(m.GetCurOP()->GetView(), &host.View());
    EXPECT_EQ(m.GetCurOP()->GetGlobalData(), &host.GlobalData());
}

TEST_F(ManagerFixture, CommandEndingByDefaultBecomesTheLastOperatorAndRestartsAtStepZero)
{
    CCommandOP cmd;
    cmd.SetOPDesc("布置杆件");
    m.SetOP(cmd);
    COP* running = m.GetCurOP();
    EXPECT_NE(running, &cmd); // always a clone
    EXPECT_FALSE(m.IsDefault());
    ASSERT_TRUE(m.HasLastOP());
    EXPECT_EQ(m.GetLastOP()->GetType(), CString("OP.TestSelect"));

    // The command ends itself from its own handler and keeps writing to its state.
    EXPECT_TRUE(m.MouseAction(OPMOUSE_RCLICK, 0, CPoint(5, 5), 0));
    EXPECT_EQ(m.GetLastOP(), running); // the command itself, not a copy
    EXPECT_EQ(static_cast<CCommandOP*>(running)->m_rightClicks, 1);
    EXPECT_TRUE(m.IsDefault());
    EXPECT_NE(m.GetCurOP(), m.GetDefaultOP());
    EXPECT_EQ(m.GetLastOPDesc(), CString("布置杆件"));

    running->SetCurStep(3, nullptr);
    const int resetsBefore = static_cast<CCommandOP*>(running)->m_resets;
    m.ResumeLastOP();
    ASSERT_EQ(m.GetOPType(), CString("OP.TestCommand"));
    EXPECT_EQ(m.GetCurOP()->GetCurStep(), 0);
    EXPECT_EQ(m.GetOPDesc(), CString("布置杆件"));
    // State reset by SetCurStep and once more before the change.
    EXPECT_EQ(static_cast<CCommandOP*>(m.GetCurOP())->m_resets, resetsBefore + 2);
    ASSERT_TRUE(m.HasLastOP());
    EXPECT_EQ(m.GetLastOP()->GetType(), CString("OP.TestSelect"));
}

TEST_F(ManagerFixture, MiddleButtonPanParksAndRestoresTheSameCommandObject)
{
    m.SetOP(CCommandOP());
    COP* cmd = m.GetCurOP();
    const int resets = static_cast<CCommandOP*>(cmd)->m_resets;

    EXPECT_TRUE(m.MouseAction(OPMOUSE_MDOWN, MK_MBUTTON, CPoint(100, 100), 0));
    EXPECT_EQ(m.GetOPType(), CString("OP.ViewPan"));
    EXPECT_EQ(m.GetTempOP(), cmd);
    EXPECT_TRUE(static_cast<COPViewPan*>(m.GetCurOP())->GetIsTempUse());
    COP* pan = m.GetCurOP();
    // A second press while the pan runs goes to the pan itself.
    EXPECT_FALSE(m.MouseAction(OPMOUSE_MDOWN, MK_MBUTTON, CPoint(100, 100), 0));
    EXPECT_EQ(m.GetCurOP(), pan);
    // Dragging with the middle button moves the view.
    EXPECT_TRUE(m.MouseAction(OPMOUSE_MOVE, MK_MBUTTON, CPoint(110, 95), 0));
    EXPECT_DOUBLE_EQ(host.GlobalData().Matrix2D().m[6], 10.0);
    EXPECT_DOUBLE_EQ(host.GlobalData().Matrix2D().m[7], -5.0);

    EXPECT_TRUE(m.MouseAction(OPMOUSE_MUP, 0, CPoint(110, 95), 0));
    EXPECT_EQ(m.GetCurOP(), cmd);
    EXPECT_EQ(m.GetTempOP(), nullptr);
    EXPECT_GT(static_cast<CCommandOP*>(cmd)->m_resets, resets);
}

TEST_F(ManagerFixture, CtrlWithTheMiddleButtonRotatesFreely)
{
    COP* sel = m.GetCurOP();
    EXPECT_TRUE(m.MouseAction(OPMOUSE_MDOWN, MK_MBUTTON | MK_CONTROL, CPoint(50, 50), 0));
    EXPECT_EQ(m.GetOPType(), CString("OP.ViewFree"));
    EXPECT_TRUE(static_cast<COPViewFree*>(m.GetCurOP())->GetIsTempUse());
    const int resets = static_cast<CSelectOP*>(sel)->m_resets;
    EXPECT_TRUE(m.MouseAction(OPMOUSE_MUP, MK_CONTROL, CPoint(50, 50), 0));
    EXPECT_EQ(m.GetCurOP(), sel);
    // Reset when parked again and once more after the return.
    EXPECT_EQ(static_cast<CSelectOP*>(sel)->m_resets, resets + 2);
}

TEST(OperatorManager, WheelZoomsAboutTheCursorByDeltaOverHeight)
{
    struct Case
    {
        int height;
        short delta;
        double factor;
    } cases[] = {{300, 120, 1.2}, {300, -120, 0.8}, {600, 120, 1.1}, {600, -120, 0.9}, {300, 240, 1.4}};
    for (const Case& c : cases) {
        vyrtest::CTestHost host(400, c.height);
        host.OPManager().SetOP(CSelectOP());
        const CPoint at(40, 70);
        EXPECT_TRUE(host.OPManager().MouseAction(OPMOUSE_WHEEL, 0, at, c.delta));
        const CPoint2D still = CPoint2D(at) * host.GlobalData().Matrix2D();
        const CPoint2D away = CPoint2D(at.x + 10, at.y) * host.GlobalData().Matrix2D();
        EXPECT_NEAR(still.x, at.x, 1e-9);
        EXPECT_NEAR(still.y, at.y, 1e-9);
        EXPECT_NEAR(away.x - still.x, 10 * c.factor, 1e-9) << c.height << " " << c.delta;
        EXPECT_EQ(host.Count(WM_UI_VIEWCHANGED), 1);
    }
}

TEST(OperatorManager, WheelThatWouldCollapseOrMirrorTheViewIsIgnored)
{
    struct Case
    {
        int height;
        short delta;
    } cases[] = {{0, 120}, {300, -600}, {300, -720}, {100, -32768}};
    for (const Case& c : cases) {
        vyrtest::CTestHost host(400, c.height);
        host.OPManager().SetOP(CSelectOP());
        const CMatrix2D before = host.GlobalData().Matrix2D();
        EXPECT_FALSE(host.OPManager().MouseAction(OPMOUSE_WHEEL, 0, CPoint(10, 10), c.delta));
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(host.GlobalData().Matrix2D().m[i], before.m[i]) << c.height << " " << c.delta;
        EXPECT_EQ(host.Count(WM_UI_VIEWCHANGED), 0);
    }
}

TEST_F(ManagerFixture, ResumeLastOverAOneShotLeavesNoLastOperator)
{
    CCommandOP cmd;
    cmd.SetOPDesc("命令");
    m.SetOP(cmd);
    m.SetOP(CCommandOP(OPTYPE_ONESHOT));
    ASSERT_TRUE(m.HasLastOP());
    EXPECT_EQ(m.GetLastOPDesc(), CString("命令"));
    m.ResumeLastOP();
    EXPECT_EQ(m.GetOPDesc(), CString("命令"));
    EXPECT_EQ(m.GetCurOP()->GetOPType(), OPTYPE_COMMAND);
    EXPECT_FALSE(m.HasLastOP());
    // Nothing to resume now.
    COP* cur = m.GetCurOP();
    m.ResumeLastOP();
    EXPECT_EQ(m.GetCurOP(), cur);
}

TEST_F(ManagerFixture, OneShotIsNeverRememberedAsTheLastOperator)
{
    m.SetOP(CCommandOP(OPTYPE_ONESHOT));
    EXPECT_EQ(m.GetLastOP()->GetType(), CString("OP.TestSelect"));
    COP* last = m.GetLastOP();
    CCommandOP next;
    next.SetOPDesc("下一个");
    m.SetOP(next);
    EXPECT_EQ(m.GetLastOP(), last);
}

TEST_F(ManagerFixture, SameTemporaryOperatorTwiceChangesNothingButRepaints)
{
    m.SetOP(COPViewWindow());
    COP* running = m.GetCurOP();
    COP* parked = m.GetTempOP();
    const int before = Invalidations();
    m.SetOP(COPViewWindow());
    EXPECT_EQ(m.GetCurOP(), running);
    EXPECT_EQ(m.GetTempOP(), parked);
    EXPECT_GT(Invalidations(), before);
    // A different temporary operator replaces it; the parked one stays parked.
    m.SetOP(COPViewZoom());
    EXPECT_EQ(m.GetOPType(), CString("OP.ViewZoom"));
    EXPECT_EQ(m.GetTempOP(), parked);
}

TEST_F(ManagerFixture, CommandOverATemporaryOperatorRemembersTheParkedOne)
{
    COP* sel = m.GetCurOP();
    m.SetOP(COPViewPan());
    EXPECT_EQ(m.GetTempOP(), sel);
    m.SetOP(CCommandOP());
    EXPECT_EQ(m.GetOPType(), CString("OP.TestCommand"));
    EXPECT_EQ(m.GetTempOP(), nullptr);
    ASSERT_TRUE(m.HasLastOP());
    EXPECT_EQ(m.GetLastOP()->GetType(), CString("OP.TestSelect"));
    // The default returns when the command ends.
    m.ResumeDefaultOP();
    EXPECT_TRUE(m.IsDefault());
}

TEST_F(ManagerFixture, OperatorsByTypeStringAndUnknownStrings)
{
    COP* sel = m.GetCurOP();
    m.SetOP(CString("OP.Nope"));
    EXPECT_EQ(m.GetCurOP(), sel);
    m.SetOP(CString("OP.ViewZoom"));
    EXPECT_EQ(m.GetOPType(), CString("OP.ViewZoom"));
    EXPECT_EQ(m.GetOPDesc(), CString("视图缩放"));
    EXPECT_EQ(m.GetTempOP(), sel);
}

TEST_F(ManagerFixture, CursorOfTheOperatorOrTheDefaultCursor)
{
    EXPECT_EQ(m.GetCursor(), VyrLoadOPCursor(IDC_OP_DEFAULT));
    m.MouseAction(OPMOUSE_MDOWN, MK_MBUTTON, CPoint(10, 10), 0);
    // A temporary pan shows its cursor at once, then none of its own until it drags.
    EXPECT_EQ(vyr::CurrentCursor(), VyrLoadOPCursor(IDC_OPVIEW_PAN));
    EXPECT_EQ(m.GetCursor(), VyrLoadOPCursor(IDC_OP_DEFAULT));
    m.MouseAction(OPMOUSE_MOVE, MK_MBUTTON, CPoint(20, 10), 0);
    EXPECT_EQ(m.GetCursor(), VyrLoadOPCursor(IDC_OPVIEW_PAN));
    m.SetOP(COPViewZoom());
    EXPECT_EQ(m.GetCursor(), VyrLoadOPCursor(IDC_OPVIEW_ZOOM));
}

TEST(OperatorManager, WithoutOperatorsEverythingIsEmpty)
{
    COPManager m;
    EXPECT_FALSE(m.MouseAction(OPMOUSE_LDOWN, 0, CPoint(1, 1), 0));
    EXPECT_FALSE(m.KeyDown(VK_ESCAPE, 1, 0));
    EXPECT_FALSE(m.KeyUp(VK_ESCAPE, 1, 0));
    EXPECT_EQ(m.GetOPDesc(), CString());
    EXPECT_EQ(m.GetOPType(), CString());
    EXPECT_EQ(m.GetLastOPDesc(), CString());
    EXPECT_EQ(m.GetToolTip(), CString());
    EXPECT_FALSE(m.IsDefault());
    EXPECT_FALSE(m.HasLastOP());
    m.ResumeDefaultOP();
    m.ResumeLastOP();
    m.ResumeTempOP();
    EXPECT_EQ(m.GetCurOP(), nullptr);
}

// Each sequence ends with the manager destroyed: every operator it made is deleted exactly
// once (the live count returns to zero; the sanitizer build catches a second delete).
TEST(OperatorManager, DestructionDeletesEachOperatorOnce)
{
    typedef void (*Step)(COPManager&);
    const std::vector<std::vector<Step>> sequences = {
        {[](COPManager& m) { m.SetOP(CSelectOP()); }},
        {[](COPManager& m) { m.SetOP(CSelectOP()); }, [](COPManager& m) { m.SetOP(CCommandOP()); },
         [](COPManager& m) { m.ResumeDefaultOP(); }, [](COPManager& m) { m.ResumeLastOP(); },
         [](COPManager& m) { m.ResumeDefaultOP(); }},
        {[](COPManager& m) { m.SetOP(CSelectOP()); }, [](COPManager& m) { m.SetOP(CCommandOP()); },
         [](COPManager& m) { m.SetOP(CCommandOP(OPTYPE_ONESHOT)); }, [](COPManager& m) { m.ResumeDefaultOP(); },
         [](COPManager& m) { m.ResumeLastOP(); }},
        {[](COPManager& m) { m.SetOP(CSelectOP()); }, [](COPManager& m) { m.SetOP(CCommandOP()); },
         [](COPManager& m) { m.SetOP(COPViewPan()); }, [](COPManager& m) { m.ResumeDefaultOP(); },
         [](COPManager& m) { m.ResumeLastOP(); }, [](COPManager& m) { m.SetOP(COPViewZoom()); },
         [](COPManager& m) { m.ResumeLastOP(); }},
        {[](COPManager& m) { m.SetOP(CSelectOP()); }, [](COPManager& m) { m.SetOP(CCommandOP(OPTYPE_ONESHOT)); },
         [](COPManager& m) { m.SetOP(CCommandOP(OPTYPE_ONESHOT)); }, [](COPManager& m) { m.ResumeDefaultOP(); },
         [](COPManager& m) { m.ResumeDefaultOP(); }},
        {[](COPManager& m) { m.SetOP(CCommandOP()); }, [](COPManager& m) { m.SetOP(CSelectOP()); },
         [](COPManager& m) { m.SetOP(CCommandOP()); }, [](COPManager& m) { m.SetOP(COPViewWindow()); },
         [](COPManager& m) { m.SetOP(COPViewWindow()); }, [](COPManager& m) { m.ResumeTempOP(); }},
    };
    vyrtest::CTestHost host;
    for (size_t i = 0; i < sequences.size(); ++i) {
        {
            COPManager m;
            m.Initial(&host.View(), &host.GlobalData());
            for (Step s : sequences[i])
                s(m);
        }
        EXPECT_EQ(g_live, 0) << "sequence " << i;
    }
}

TEST_F(ManagerFixture, TemporaryOperatorEndingInItsOwnHandlerIsDeletedAfterTheEvent)
{
    m.SetOP(CCommandOP());
    COP* cmd = m.GetCurOP();
    // Right button and ESC each end a view operator from inside its handler.
    for (int round = 0; round < 2; ++round) {
        m.SetOP(CString("OP.ViewPan"));
        ASSERT_EQ(m.GetOPType(), CString("OP.ViewPan"));
        if (round == 0)
            EXPECT_TRUE(m.MouseAction(OPMOUSE_RCLICK, 0, CPoint(3, 3), 0));
        else
            EXPECT_TRUE(m.KeyDown(VK_ESCAPE, 1, 0));
        EXPECT_EQ(m.GetCurOP(), cmd);
    }
}

TEST_F(ManagerFixture, OperatorReplacedFromInsideItsOwnHandlerOutlivesTheEvent)
{
    COP* sel = m.GetCurOP();
    const int live = g_live;
    // Right button: back to the parked operator; ESC: back to the default.
    m.SetOP(CTempOP());
    EXPECT_TRUE(m.MouseAction(OPMOUSE_RCLICK, 0, CPoint(3, 3), 0));
    EXPECT_EQ(m.GetCurOP(), sel);
    EXPECT_EQ(g_live, live); // deleted once the event returned
    m.SetOP(CTempOP());
    EXPECT_TRUE(m.KeyDown(VK_ESCAPE, 1, 0));
    EXPECT_TRUE(m.IsDefault());
    EXPECT_EQ(g_live, live + 1); // the parked selection is now the last operator
}
