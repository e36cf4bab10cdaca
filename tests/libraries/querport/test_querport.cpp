// The bridge to the section-library plug-in: what it hands over and calls, in which
// order, and what it does when the plug-in or one of its functions is missing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "hostkit/HostKit.h"
#include "support/QuerportStandIn.h"
#include <vyr/libraries/Querport.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;
using vyrtest::QuerportStandIn;

namespace {

const std::vector<std::string> kSetters = {"SetBeamList",          "SetFloorList",           "SetBeamGroupList",
                                           "SetMaterialSteelList", "SetMaterialConcreteList", "SetSectionList",
                                           "SetCurrentPath"};

HINSTANCE FakeHandle(int n) { return reinterpret_cast<HINSTANCE>((INT_PTR)(0x5000 + n)); }

struct Bridge : ::testing::Test
{
    vyrhost::CHostKit host;
    CGlobalData& data = host.GlobalData();
    QuerportStandIn& plugin = QuerportStandIn::Inst();
    HINSTANCE savedHandle = nullptr;

    void SetUp() override
    {
        ScriptedUser::Reset();
        plugin.Reset();
        host.RegisterSectionPlugin(QuerportStandIn::Exports());
        savedHandle = AfxGetResourceHandle();
    }
    void TearDown() override
    {
        AfxSetResourceHandle(savedHandle);
        plugin.Reset();
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
    }
};

// One bridge function: how to call it, the editor it runs and the arguments that editor
// must receive.
struct EditorCase
{
    const char* editor;
    std::function<int(CGlobalData*)> call;
    std::vector<int> args;
};

const EditorCase kEditors[] = {
    {"DlgSectionLibDoModal", [](CGlobalData* d) { return QuerportSectionLibDoModal(d, 1, 0); }, {1, 0}},
    {"DlgDefineSectionLibDoModal", [](CGlobalData* d) { return QuerportDefineSectionLibDoModal(d, -1, 0, 0); },
     {-1, 0, 0}},
    {"DlgTaperSectionDoModal0", [](CGlobalData* d) { return QuerportTaperSectionDoModal(d); }, {}},
    {"DlgCombineSectionLibDoModal", [](CGlobalData* d) { return QuerportCombineSectionLibDoModal(d); }, {}},
    {"OnEditsec", [](CGlobalData* d) { return (int)QuerportEditSection(d, 3); }, {3}},
};

} // namespace

TEST_F(Bridge, HandsOverTheListsAndFolderThenRunsTheEditorAndUnloads)
{
    for (const EditorCase& c : kEditors) {
        SCOPED_TRACE(c.editor);
        plugin.Reset();
        plugin.SetEditor(c.editor, QuerportStandIn::Answer(1));
        EXPECT_EQ(c.call(&data), 1);

        std::vector<std::string> expected = kSetters;
        expected.push_back(c.editor);
        EXPECT_EQ(plugin.Names(), expected);
        EXPECT_EQ(plugin.m_calls.back().args, c.args);
        CStruct* s = data.Struct();
        EXPECT_EQ(plugin.m_pBeams, s->m_pBeamList);
        EXPECT_EQ(plugin.m_pFloors, s->m_pFloorList);
        EXPECT_EQ(plugin.m_pGroups, s->m_pBeamGroupList);
        EXPECT_EQ(plugin.m_pSteel, s->m_pMaterialSteelList);
        EXPECT_EQ(plugin.m_pConcrete, s->m_pMaterialConcreteList);
        EXPECT_EQ(plugin.m_pSections, s->m_pSectionList);
        EXPECT_EQ(plugin.m_strPath, CVyrFunc::GetAppPath());
        EXPECT_FALSE(plugin.m_strPath.IsEmpty());
        EXPECT_EQ(vyr::ModuleLoadCount("Querport.dll"), 0) << "unloaded after the call";
    }
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
}

TEST_F(Bridge, TheEditorsAnswerIsTheBridgesAnswer)
{
    plugin.SetEditor("DlgSectionLibDoModal", QuerportStandIn::Answer(0));
    EXPECT_EQ(QuerportSectionLibDoModal(&data, 1, 0), 0);
    plugin.SetEditor("DlgTaperSectionDoModal0", QuerportStandIn::Answer(2));
    EXPECT_EQ(QuerportTaperSectionDoModal(&data), 2);
    EXPECT_EQ(QuerportEditSection(&data, 1), 0) << "an editor told nothing changes nothing";
}

TEST_F(Bridge, EditorsWorkOnTheStructuresOwnSectionList)
{
    plugin.SetEditor("DlgCombineSectionLibDoModal",
                     QuerportStandIn::AddSection([] { return new CSWeldedIbeam(105, 300, 150, 10, 6); }));
    EXPECT_EQ(QuerportCombineSectionLibDoModal(&data), 1);
    ASSERT_EQ(data.Struct()->m_pSectionList->GetCount(), 1);
    plugin.SetEditor("DlgSectionLibDoModal",
                     QuerportStandIn::AddSection([] { return new CSWeldedIbeam(105, 400, 200, 12, 8); }));
    EXPECT_EQ(QuerportSectionLibDoModal(&data, 1, 0), 1);
    ASSERT_EQ(data.Struct()->m_pSectionList->GetCount(), 2);

    plugin.SetEditor("OnEditsec", QuerportStandIn::ChangeSection([](CSectionBase* s) { s->m_strKind = "改过"; }));
    EXPECT_NE(QuerportEditSection(&data, 2), 0);
    EXPECT_EQ(data.Struct()->m_pSectionList->Get(2)->m_strKind, CString("改过"));
    EXPECT_NE(data.Struct()->m_pSectionList->Get(1)->m_strKind, CString("改过"));
}

TEST_F(Bridge, PutsTheResourceHandleBackEvenWhenThePluginChangesIt)
{
    AfxSetResourceHandle(FakeHandle(1));
    for (const EditorCase& c : kEditors) {
        SCOPED_TRACE(c.editor);
        plugin.Reset();
        plugin.SetResourceSwitch(FakeHandle(2));
        c.call(&data);
        EXPECT_EQ(AfxGetResourceHandle(), FakeHandle(1));
        ASSERT_FALSE(plugin.m_calls.empty());
        EXPECT_EQ(plugin.m_calls.front().resource, FakeHandle(1)) << "the plug-in starts under the caller's handle";
        EXPECT_EQ(plugin.m_calls.back().resource, FakeHandle(1));
    }
}

TEST_F(Bridge, AMissingPluginOrFunctionCallsNothingAndSaysWhatIsMissing)
{
    struct Missing
    {
        const char* without; // null: no plug-in at all
        const EditorCase& bridge;
        const char* message;
    };
    const Missing cases[] = {
        {nullptr, kEditors[0], "找不到截面库插件Querport.dll"},
        {nullptr, kEditors[4], "找不到截面库插件Querport.dll"},
        {"SetBeamList", kEditors[0], "SetBeamList"},
        {"SetFloorList", kEditors[1], "SetFloorList"},
        {"SetBeamGroupList", kEditors[2], "SetBeamGroupList"},
        {"SetMaterialSteelList", kEditors[3], "SetMaterialSteelList"},
        {"SetMaterialConcreteList", kEditors[4], "SetMaterialConcreteList"},
        {"SetSectionList", kEditors[0], "SetSectionList"},
        {"SetCurrentPath", kEditors[1], "SetCurrentPath"},
        {"DlgSectionLibDoModal", kEditors[0], "DlgSectionLibDoModal"},
        {"DlgDefineSectionLibDoModal", kEditors[1], "DlgDefineSectionLibDoModal"},
        {"DlgTaperSectionDoModal0", kEditors[2], "DlgTaperSectionDoModal0"},
        {"DlgCombineSectionLibDoModal", kEditors[3], "DlgCombineSectionLibDoModal"},
        {"OnEditsec", kEditors[4], "OnEditsec"},
    };
    for (const Missing& m : cases) {
        SCOPED_TRACE(m.without ? m.without : "no plug-in");
        vyr::UnregisterModule("Querport.dll");
        plugin.Reset();
        // A host of its own, with the plug-in lacking one function or not registered at all.
        vyrhost::CHostKit other;
        if (m.without != nullptr) other.RegisterSectionPlugin(QuerportStandIn::Exports(m.without));
        for (const EditorCase& c : kEditors)
            plugin.SetEditor(c.editor, QuerportStandIn::Answer(1));
        plugin.SetResourceSwitch(FakeHandle(9));
        AfxSetResourceHandle(FakeHandle(3));
        ScriptedUser::Reset();
        ScriptedUser::AnswerMessageBox(IDOK, m.message);

        EXPECT_EQ(m.bridge.call(&other.GlobalData()), 0);
        EXPECT_TRUE(plugin.m_calls.empty()) << "nothing of the plug-in runs";
        EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
        EXPECT_EQ(AfxGetResourceHandle(), FakeHandle(3));
        EXPECT_EQ(vyr::ModuleLoadCount("Querport.dll"), 0);
    }
}

TEST_F(Bridge, SettingTheListsAloneRefusesAModuleWithoutOneSetter)
{
    host.RegisterSectionPlugin(QuerportStandIn::Exports("SetCurrentPath"));
    HMODULE h = ::LoadLibrary("Querport.dll");
    ASSERT_NE(h, nullptr);
    ScriptedUser::AnswerMessageBox(IDOK, "SetCurrentPath");
    EXPECT_FALSE(QuerportSetModelLists(&data, h));
    EXPECT_TRUE(plugin.m_calls.empty());
    ::FreeLibrary(h);

    host.RegisterSectionPlugin(QuerportStandIn::Exports());
    h = ::LoadLibrary("Querport.dll");
    EXPECT_TRUE(QuerportSetModelLists(&data, h));
    EXPECT_EQ(plugin.Names(), kSetters);
    ::FreeLibrary(h);
}
