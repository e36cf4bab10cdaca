// The two helpers through which the library talks to its host, as the host kit receives
// what they send and post; and the host kit's own answers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "hostkit/HostKit.h"
#include <vyr/protocol/HostProtocol.h>

namespace {

using vyrhost::CHostKit;
using vyrhost::HostMessage;

struct HelperCase
{
    const char* name;
    bool post;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Arguments the library sends: kinds, indices, rows, and heap objects for posts.
std::vector<double> g_heights = {300.0, 360.0};

const HelperCase kHelperCases[] = {
    {"SendRedraw", false, WM_UI_REDRAW, 0, 0},
    {"PostRedraw", true, WM_UI_REDRAW, 0, 0},
    {"SendScreenSelectRoom", false, WM_UI_SCREENSELECT, 0, 3},
    {"SendShowModeRow2", false, WM_UI_SHOWMODE, 2, 0},
    {"PostShowPanelRefresh", true, WM_UI_SHOWPANEL, 0, 0},
    {"PostModelEditedHeights", true, WM_UI_MODELEDITED, (WPARAM)&g_heights, 0},
    {"SendGetSettingsBlock4", false, WM_UI_GETSETTINGS, 0, 4},
    {"SendPropChanged", false, WM_UI_PROPCHANGED, 0, 0},
};

void PrintTo(const HelperCase& c, std::ostream* os) { *os << c.name; }

class HelperTable : public ::testing::TestWithParam<HelperCase>
{
};

TEST_P(HelperTable, HostReceivesWhatWasSentOrPosted)
{
    const HelperCase& c = GetParam();
    CHostKit host;
    if (c.post) {
        EXPECT_TRUE(VyrPostToHost(c.message, c.wParam, c.lParam));
        EXPECT_EQ(host.Count(c.message), 0) << "a post is not handled before the loop runs";
        EXPECT_EQ(host.PumpPosted(), 1);
    } else {
        VyrSendToHost(c.message, c.wParam, c.lParam);
    }
    ASSERT_EQ(host.Messages().size(), 1u);
    const HostMessage& m = host.Messages()[0];
    EXPECT_EQ(m.message, c.message);
    EXPECT_EQ(m.posted, c.post);
    EXPECT_EQ(m.wParam, c.wParam);
    EXPECT_EQ(m.lParam, c.lParam);
}

INSTANTIATE_TEST_SUITE_P(Helpers, HelperTable, ::testing::ValuesIn(kHelperCases),
                         [](const ::testing::TestParamInfo<HelperCase>& info) { return std::string(info.param.name); });

TEST(HostProtocol, ASendMadeWhileAPostIsQueuedArrivesFirst)
{
    CHostKit host;
    EXPECT_TRUE(VyrPostToHost(WM_UI_REDRAW));
    const char name[] = "View.PropBeam";
    VyrSendToHost(WM_UI_SHOWPANEL, 0, (LPARAM)name);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.PumpPosted(), 1);
    ASSERT_EQ(host.Messages().size(), 2u);
    EXPECT_EQ(host.Messages()[0].message, (UINT)WM_UI_SHOWPANEL);
    EXPECT_FALSE(host.Messages()[0].posted);
    EXPECT_EQ(host.Messages()[0].text, "View.PropBeam");
    EXPECT_EQ(host.Messages()[1].message, (UINT)WM_UI_REDRAW);
    EXPECT_TRUE(host.Messages()[1].posted);
}

TEST(HostProtocol, SendAnswersWhatTheHostAnswers)
{
    CHostKit host;
    EXPECT_EQ(VyrSendToHost(WM_UI_GETHOSTWND), (LRESULT)&host);
    EXPECT_EQ(VyrSendToHost(WM_UI_GETACTIVEVIEW), (LRESULT)&host.View());
    EXPECT_EQ(VyrSendToHost(WM_UI_GETOPMANAGER), (LRESULT)&host.OPManager());
    EXPECT_EQ(VyrSendToHost(WM_UI_GETSNAPMANAGER), (LRESULT)&host.SnapManager());
    host.m_nDisplayMode = 4;
    EXPECT_EQ(VyrSendToHost(WM_UI_GETDISPLAYMODE), 4);
}

TEST(HostProtocol, WithoutAHostWindowNothingIsDelivered)
{
    CWnd* previous = AfxGetMainWnd();
    vyr::SetMainWnd(nullptr);
    EXPECT_EQ(VyrSendToHost(WM_UI_GETHOSTWND), 0);
    EXPECT_FALSE(VyrPostToHost(WM_UI_REDRAW));
    vyr::SetMainWnd(previous);
}

TEST(HostProtocolDeath, APostedPanelNameStopsTheProgram)
{
    EXPECT_DEATH(
        {
            CHostKit host;
            static const char name[] = "View.PropBeam";
            VyrPostToHost(WM_UI_SHOWPANEL, 0, (LPARAM)name);
        },
        "only by a send");
}

TEST(HostProtocolDeath, APostedPointerIntoTheSendersStackStopsTheProgram)
{
    EXPECT_DEATH(
        {
            CHostKit host;
            double local[2];
            local[0] = 300.0;
            VyrPostToHost(WM_UI_MODELEDITED, (WPARAM)local, 0);
        },
        "sender's stack");
}

// The kit: every GET message can be answered with 0, as a host without such an object.
TEST(HostKit, EachGetMessageCanBeAnsweredWithZero)
{
    const UINT gets[] = {WM_UI_GETHOSTWND,    WM_UI_GETACTIVEVIEW,  WM_UI_GETQUERYDLG,  WM_UI_GETSHOWNLIST,
                         WM_UI_GETSNAPMANAGER, WM_UI_GETSETTINGS,    WM_UI_GETPROPDLG,   WM_UI_GETSNAPLIST,
                         WM_UI_GETDISPLAYMODE, WM_UI_GETOPMANAGER};
    CHostKit host;
    host.m_nDisplayMode = 2;
    for (UINT m : gets) {
        host.SetAnswer(m, 0);
        EXPECT_EQ(VyrSendToHost(m, 1, 1), 0) << vyrhost::HostMessageName(m);
        host.ClearAnswer(m);
    }
    EXPECT_EQ(VyrSendToHost(WM_UI_GETDISPLAYMODE), 2);
    EXPECT_EQ((int)host.Messages().size(), 11);
}

TEST(HostKit, SharedDialogsAreZeroUntilTheHostHasThem)
{
    CHostKit host;
    EXPECT_EQ(VyrSendToHost(WM_UI_GETQUERYDLG), 0);
    EXPECT_EQ(VyrSendToHost(WM_UI_GETPROPDLG), 0);
    CWnd query, prop;
    host.m_pQueryDlg = &query;
    host.m_pPropDlg = &prop;
    EXPECT_EQ(VyrSendToHost(WM_UI_GETQUERYDLG), (LRESULT)&query);
    EXPECT_EQ(VyrSendToHost(WM_UI_GETPROPDLG), (LRESULT)&prop);
}

TEST(HostKit, SettingsBlocksZeroToElevenWithTheDesignRealsAndTheModeRecord)
{
    CHostKit host;
    for (int i = 0; i <= 11; ++i)
        EXPECT_NE(VyrSendToHost(WM_UI_GETSETTINGS, 0, i), 0) << "block " << i;
    EXPECT_EQ(VyrSendToHost(WM_UI_GETSETTINGS, 0, 12), 0);
    EXPECT_EQ(VyrSendToHost(WM_UI_GETSETTINGS, 0, -1), 0);

    // Block 1: reals in words 6 to 11, read as the summary report reads them.
    host.SetSettingsReal(1, 6, 0.7f);
    host.SetSettingsReal(1, 11, 0.4f);
    const float* design = reinterpret_cast<const float*>(VyrSendToHost(WM_UI_GETSETTINGS, 0, 1));
    EXPECT_FLOAT_EQ(design[6], 0.7f);
    for (int w = 7; w <= 10; ++w)
        EXPECT_FLOAT_EQ(design[w], 1.0f) << "word " << w;
    EXPECT_FLOAT_EQ(design[11], 0.4f);

    // Writes through the answer stay in the host's block.
    int* display = reinterpret_cast<int*>(VyrSendToHost(WM_UI_GETSETTINGS, 0, 4));
    display[10] = 1;
    EXPECT_EQ(host.m_settings[4][10], 1);

    // Block 11: the mode panel assigns its own record into it.
    auto* para = reinterpret_cast<CShowTextFrequentPara*>(VyrSendToHost(WM_UI_GETSETTINGS, 0, 11));
    ASSERT_EQ(para, &host.m_frequentPara);
    CShowTextFrequentPara mine;
    mine.m_nScale = 200;
    *para = mine;
    EXPECT_EQ(host.m_frequentPara.m_nScale, 200);
}

TEST(HostKit, ShownListsHoldTheWholeModelWhenAsked)
{
    CHostKit host;
    BuildSampleModel(host.GlobalData());
    CStruct* s = host.GlobalData().Struct();
    EXPECT_EQ(host.m_shownBeams.GetCount(), 0);
    host.ShowWholeModel();
    EXPECT_EQ(host.m_shownNodes.GetCount(), s->m_pNodeList->GetCount());
    EXPECT_EQ(host.m_shownBeams.GetCount(), s->m_pBeamList->GetCount());
    auto* nodes = reinterpret_cast<CPNodeList*>(VyrSendToHost(WM_UI_GETSNAPLIST, 0, 0));
    ASSERT_EQ(nodes, &host.m_shownNodes);
    EXPECT_EQ(VyrSendToHost(WM_UI_GETSHOWNLIST, 4, 0), (LRESULT)&host.m_shownBeams);
    EXPECT_EQ(VyrSendToHost(WM_UI_GETSNAPLIST, 3, 0), 0);
}

TEST(HostKit, MainFrameHasTheDrawingViewActiveAndASideAreaBesideIt)
{
    CHostKit host(640, 480, 220);
    EXPECT_EQ(AfxGetMainWnd(), &host);
    EXPECT_EQ(host.GetActiveView(), &host.View());
    CRect view, side;
    host.View().GetClientRect(&view);
    EXPECT_EQ(view.Width(), 640);
    EXPECT_EQ(view.Height(), 480);
    host.SideFrame().GetWindowRect(&side);
    host.ScreenToClient(&side);
    EXPECT_EQ(side.left, 640);
    EXPECT_EQ(side.Width(), 220);
    EXPECT_EQ(host.SideFrame().GetParent(), &host);
}

TEST(HostKit, ThePluginSlotMakesTheModuleLoadableForTheKitsLifetime)
{
    static int calls = 0;
    {
        CHostKit host;
        host.RegisterSectionPlugin({{"OnEditsec", reinterpret_cast<FARPROC>(+[]() { ++calls; })}});
        HMODULE h = LoadLibrary("C:\\Vyr\\Querport.dll");
        ASSERT_NE(h, nullptr);
        FARPROC f = GetProcAddress(h, "OnEditsec");
        ASSERT_NE(f, nullptr);
        f();
        EXPECT_EQ(calls, 1);
        FreeLibrary(h);
    }
    EXPECT_EQ(LoadLibrary("Querport.dll"), nullptr);
}

TEST(HostKit, TheKitGivesBackThePreviousMainWindow)
{
    CHostKit outer;
    {
        CHostKit inner;
        EXPECT_EQ(AfxGetMainWnd(), &inner);
    }
    EXPECT_EQ(AfxGetMainWnd(), &outer);
}

} // namespace
