// The mass-point string dialog: the storey rows, the choice of the string, the copies of the
// calculation files and the engine input files it writes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "THAnalysisTestKit.h"
#include <vyr/input/DlgTHMassString.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/resources/dialogs/THAnalysisRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;
namespace fs = std::filesystem;

namespace {

const char* const kNoMassPoint = "请选择用于时程结果回显的质点串!";
const char* const kMultiTower = "对于有局部刚性的多塔结构，只支持选中结点串弹性时程分析！";
const char* const kNoCommon = "请先计算结构自振周期和振型！";

struct MassString : thtest::ProjectWorld
{
    CDlgTHMassString dlg{nullptr};

    void SetUp() override
    {
        ProjectWorld::SetUp();
        dlg.m_pData = &data;
        auto* c = new CTHCase;
        c->SetName("TH1");
        st.m_pTHCaseList->Add(c);
    }
    // The base, a storey of kind 1 and one of no master node whose mass centre has one
    // nearest node: a model that is neither rigid nor multi-tower.
    void PlainModel()
    {
        AddFloor(0, 3, 0);
        CFloor* f1 = AddFloor(1, 1, 300);
        CFloor* f2 = AddFloor(2, 3, 600);
        AddNode(1, 11, 0, 0, 300, f1);
        AddNode(2, 12, 0, 0, 600, f2);
        AddNode(3, 13, 500, 0, 600, f2);
        AddMaster(f1, 1);
        f2->m_fMassCx = 10.0f;
        f2->m_fMassCy = 5.0f;
    }
    CString Text(CDialog* d, int row, int col)
    {
        return static_cast<CListCtrl*>(d->GetDlgItem(IDC_THMASS_LIST))->GetItemText(row, col);
    }
};

} // namespace

TEST_F(MassString, StoreyRowsShowTheBaseFixedAndTheMassCentresInDisplayUnits)
{
    data.UnitLength() = 10.0f;
    PlainModel();
    st.m_pFloorList->Get(1)->m_fMassCx = 99.0f; // never shown for the base
    st.m_pFloorList->Get(2)->m_fMassCx = 12.5f;
    st.m_pFloorList->Get(2)->m_fMassCy = 40.0f;
    ScriptedUser::Run([&](CDialog* d) {
        auto* list = static_cast<CListCtrl*>(d->GetDlgItem(IDC_THMASS_LIST));
        ASSERT_EQ(list->GetItemCount(), 3);
        const char* expected[3][5] = {{" F0", "固定", "0.00", "0.00", "0.00"},
                                      {" F1", "质心", "3000.00", "125.00", "400.00"},
                                      {" F2", "质心", "6000.00", "100.00", "50.00"}};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 5; ++c)
                EXPECT_EQ(Text(d, r, c), expected[r][c]) << r << "," << c;
        // The mass-centre choice leaves the picked point's boxes disabled.
        EXPECT_TRUE(d->IsDlgButtonChecked(IDC_THMASS_CENTRES));
        EXPECT_FALSE(d->GetDlgItem(IDC_THMASS_X)->IsWindowEnabled());
    });
    ScriptedUser::Click(IDC_THMASS_NODES);
    ScriptedUser::Run([](CDialog* d) { EXPECT_TRUE(d->GetDlgItem(IDC_THMASS_Z)->IsWindowEnabled()); });
    ScriptedUser::PressCancel();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_bRun, 0);
    EXPECT_FALSE(fs::exists(cal / "VyrTA.pd1"));
}

TEST_F(MassString, MixedStoreyKindsWriteMastersThenNearestNodesInStoreyOrder)
{
    // Kind 1, kind 2 with two towers, and a storey whose mass centre lies equally near two
    // of its nodes; five structure nodes, so master node k is written as k + 5.
    AddFloor(0, 3, 0);
    CFloor* f1 = AddFloor(1, 1, 300);
    CFloor* f2 = AddFloor(2, 2, 600);
    CFloor* f3 = AddFloor(3, 3, 900);
    AddNode(1, 101, 0, 0, 0);
    AddNode(2, 102, 0, 0, 300, f1);
    AddNode(3, 103, 500, 500, 900, f3);
    AddNode(4, 104, 0, 100, 900, f3);
    AddNode(5, 105, 200, 100, 900, f3);
    AddMaster(f1, 1);
    AddMaster(f2, 2);
    AddMaster(f2, 3);
    f3->m_fMassCx = 100.0f;
    f3->m_fMassCy = 100.0f;

    EXPECT_TRUE(dlg.WriteEngineInput());
    EXPECT_EQ(ReadWav(), (std::vector<int32_t>{5, 6, 7, 8, 104, 105}));
    EXPECT_EQ(Read(cal / "VyrTA.thc").rfind("VYRTA-THC 1\n1\n", 0), 0u);
}

TEST_F(MassString, CountAlwaysAgreesWithTheNumbersWritten)
{
    struct Case
    {
        const char* name;
        std::function<void(MassString&)> build;
        std::vector<int32_t> wav;
    };
    const std::vector<Case> cases = {
        {"kind 1 without master node is left out",
         [](MassString& t) {
             t.AddFloor(0, 3, 0);
             t.AddFloor(1, 1, 300);
             CFloor* f2 = t.AddFloor(2, 1, 600);
             CFloor* f3 = t.AddFloor(3, 3, 900);
             t.AddNode(1, 21, 0, 0, 900, f3);
             t.AddNode(2, 22, 0, 0, 600, f2);
             t.AddMaster(f2, 4);
         },
         {2, 6, 21}},
        {"rigid structure writes its master nodes",
         [](MassString& t) {
             t.AddFloor(0, 1, 0);
             CFloor* f1 = t.AddFloor(1, 1, 300);
             CFloor* f2 = t.AddFloor(2, 1, 600);
             for (int i = 1; i <= 3; ++i)
                 t.AddNode(i, 30 + i, 0, 0, 300);
             t.AddMaster(f1, 1);
             t.AddMaster(f2, 2);
         },
         {2, 4, 5}},
        {"node string writes its own count",
         [](MassString& t) {
             t.PlainModel();
             t.dlg.m_nChoice = 1;
             for (POSITION pos = t.st.m_pNodeList->GetHeadPosition(); pos != nullptr;)
                 t.dlg.m_NodeList.AddTail(t.st.m_pNodeList->GetNext(pos));
         },
         {3, 11, 12, 13}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        st.m_pMainNodeList->DeleteAll();
        st.m_pFloorList->DeleteAll();
        st.m_pNodeList->DeleteAll();
        dlg.m_NodeList.RemoveAll();
        dlg.m_nChoice = 0;
        c.build(*this);
        EXPECT_TRUE(dlg.WriteEngineInput());
        const std::vector<int32_t> wav = ReadWav();
        EXPECT_EQ(wav, c.wav);
        ASSERT_FALSE(wav.empty());
        EXPECT_EQ((size_t)wav[0] + 1, wav.size());
    }
}

TEST_F(MassString, NoMassPointIsRefusedWithAnEmptyFileAndNoCaseFile)
{
    struct Case
    {
        const char* name;
        std::function<void(MassString&)> build;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"single storey", [](MassString& t) { t.AddFloor(0, 3, 0); }, kNoMassPoint},
        {"no storey", [](MassString&) {}, kNoMassPoint},
        {"rigid without master nodes",
         [](MassString& t) {
             t.AddFloor(0, 1, 0);
             t.AddFloor(1, 1, 300);
         },
         kNoMassPoint},
        {"storey without nodes",
         [](MassString& t) {
             t.AddFloor(0, 3, 0);
             t.AddFloor(1, 3, 300);
         },
         kNoMassPoint},
        {"empty node string",
         [](MassString& t) {
             t.PlainModel();
             t.dlg.m_nChoice = 1;
         },
         "没有用于时程结果回显的质点串,请选择!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        st.m_pMainNodeList->DeleteAll();
        st.m_pFloorList->DeleteAll();
        st.m_pNodeList->DeleteAll();
        dlg.m_nChoice = 0;
        Write(cal / "VyrTA.wav", "stale");
        c.build(*this);
        ScriptedUser::AnswerMessageBox(IDOK, c.message);
        EXPECT_FALSE(dlg.WriteEngineInput());
        ASSERT_FALSE(ScriptedUser::MessageBoxes().empty());
        EXPECT_TRUE(ScriptedUser::MessageBoxes().back().flags & MB_ICONEXCLAMATION);
        EXPECT_TRUE(fs::exists(cal / "VyrTA.wav"));
        EXPECT_EQ(fs::file_size(cal / "VyrTA.wav"), 0u);
        EXPECT_FALSE(fs::exists(cal / "VyrTA.thc"));
    }
}

TEST_F(MassString, RunCopiesTheCalculationFilesWritesBothFilesAndRaisesTheFlag)
{
    PlainModel();
    Write(cal / "VyrTA.sub", "old sub");
    ScriptedUser::Click(IDC_THMASS_RUN);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_bRun, 1);
    for (const char* ext : {"pd1", "sub", "dat"})
        EXPECT_EQ(Read(cal / (std::string("VyrTA.") + ext)), std::string("common ") + ext);
    // F1's master node (1 + 3 nodes), then the node nearest F2's mass centre (10, 5).
    EXPECT_EQ(ReadWav(), (std::vector<int32_t>{2, 4, 12}));
    EXPECT_TRUE(fs::exists(cal / "VyrTA.thc"));
    // Nothing beside the Cal folder.
    EXPECT_FALSE(fs::exists(app / "WorkTowerCal"));
    EXPECT_FALSE(fs::exists(project / "TowerCal"));
}

TEST_F(MassString, AMissingCalculationFileStopsAfterTheCopiesBeforeIt)
{
    PlainModel();
    fs::remove(cal / "Common.sub");
    for (const char* ext : {"pd1", "sub", "dat"})
        Write(cal / (std::string("VyrTA.") + ext), std::string("old ") + ext);
    ScriptedUser::Click(IDC_THMASS_RUN);
    ScriptedUser::AnswerMessageBox(IDOK, kNoCommon);
    ScriptedUser::PressCancel();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_bRun, 0);
    EXPECT_EQ(Read(cal / "VyrTA.pd1"), "common pd1");
    EXPECT_EQ(Read(cal / "VyrTA.sub"), "old sub");
    EXPECT_EQ(Read(cal / "VyrTA.dat"), "old dat");
    EXPECT_FALSE(fs::exists(cal / "VyrTA.wav"));
}

TEST_F(MassString, AMissingCalFolderAsksForTheModalAnalysis)
{
    PlainModel();
    fs::remove_all(cal);
    ScriptedUser::Click(IDC_THMASS_RUN);
    ScriptedUser::AnswerMessageBox(IDOK, kNoCommon);
    ScriptedUser::PressCancel();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_bRun, 0);
    EXPECT_FALSE(fs::exists(cal));
}

TEST_F(MassString, MultiTowerModelRefusesTheMassCentresAtOpeningAndOnTheRadio)
{
    PlainModel();
    AddMaster(AddFloor(3, 2, 900), 2);
    ScriptedUser::AnswerMessageBox(IDOK, kMultiTower);
    ScriptedUser::Run([](CDialog* d) {
        EXPECT_TRUE(d->IsDlgButtonChecked(IDC_THMASS_NODES));
        EXPECT_FALSE(d->IsDlgButtonChecked(IDC_THMASS_CENTRES));
        EXPECT_TRUE(d->GetDlgItem(IDC_THMASS_X)->IsWindowEnabled());
    });
    ScriptedUser::Click(IDC_THMASS_CENTRES);
    ScriptedUser::AnswerMessageBox(IDOK, kMultiTower);
    ScriptedUser::Run([](CDialog* d) { EXPECT_TRUE(d->IsDlgButtonChecked(IDC_THMASS_NODES)); });
    ScriptedUser::PressCancel();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_nChoice, 1);
}

TEST_F(MassString, UnwritableFilesAreReportedAndTheDialogStaysOpenWithoutTheFlag)
{
    PlainModel();
    // A folder where a file must go makes the write fail.
    for (const char* blocked : {"VyrTA.wav", "VyrTA.thc"}) {
        SCOPED_TRACE(blocked);
        std::error_code ec;
        fs::remove_all(cal / "VyrTA.wav", ec);
        fs::remove_all(cal / "VyrTA.thc", ec);
        fs::create_directories(cal / blocked);
        ScriptedUser::Click(IDC_THMASS_RUN);
        ScriptedUser::AnswerMessageBox(IDOK, blocked);
        ScriptedUser::Run([](CDialog* d) { EXPECT_TRUE(d->IsWindowVisible()); });
        ScriptedUser::PressCancel();
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(dlg.m_bRun, 0);
        EXPECT_TRUE(ScriptedUser::MessageBoxes().back().flags & MB_ICONEXCLAMATION);
    }
}
