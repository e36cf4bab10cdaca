// The project section file: export under the name the user gives with ".sec", the import's
// path checks and preview, adding to or replacing the library, and what a bad file or a
// failing write leaves behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <csignal>
#include <sys/resource.h>

#include "host/secpanel/SecTestModel.h"
#include "hostkit/HostKit.h"
#include <vyr/libraries/SectionFile.h>
#include <vyr/resources.h>
#include <vyr/resources/dialogs/SectionRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;
using namespace sectest;
namespace fs = std::filesystem;

namespace {

class SectionFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        ScriptedUser::Reset();
        m_dir = fs::temp_directory_path() /
                ("vyr-secfile-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_q235 = AddSteel(*m_a.Struct(), "Q235");
        m_q345 = AddSteel(*m_a.Struct(), "Q345");
    }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
        fs::remove_all(m_dir);
    }
    std::string Path(const char* name) const { return (m_dir / name).string(); }
    // A second project with the same materials in the same order.
    void SameMaterials(CGlobalData& data)
    {
        AddSteel(*data.Struct(), "Q235");
        AddSteel(*data.Struct(), "Q345");
    }
    // Three sections of three kinds in project a.
    void FillA()
    {
        CStruct& s = *m_a.Struct();
        CSDefineIbeam* ib = MakeIbeam(400, 200, 8, 12, 250, 14, m_q235);
        ib->m_strKind = "I400";
        s.m_pSectionList->Add(ib, true);
        AddTaper(s, 300, 600, m_q345);
        AddSection(s, 601, m_q345, "BOX");
    }
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> out;
        for (const auto& m : ScriptedUser::MessageBoxes())
            out.push_back(m.text.GetString());
        return out;
    }
    // Runs the import, the user typing the path and ticking the box as told.
    // refusal: the message the reading gives, if any.
    bool Import(CGlobalData& data, const std::string& path, bool replace, bool& replaced, const char* refusal = nullptr)
    {
        ScriptedUser::SetText(IDC_SECIMP_PATH, path.c_str(), IDD_SECTION_IMPORT);
        if (replace)
            ScriptedUser::Check(IDC_SECIMP_REPLACE, BST_CHECKED, IDD_SECTION_IMPORT);
        ScriptedUser::PressOK(IDD_SECTION_IMPORT);
        if (refusal != nullptr)
            ScriptedUser::AnswerMessageBox(IDOK, refusal);
        return ImportSectionLibrary(&data, replaced);
    }

    fs::path m_dir;
    CGlobalData m_a;
    CMaterialBase* m_q235 = nullptr;
    CMaterialBase* m_q345 = nullptr;
};

TEST_F(SectionFileTest, ExportReplacesWhateverExtensionWasGivenBySec)
{
    FillA();
    for (const char* name : {"abc.txt", "plain", "two.parts.SEC"}) {
        ScriptedUser::AnswerFileDialog(Path(name).c_str());
        ExportSectionLibrary(&m_a);
    }
    EXPECT_TRUE(fs::exists(m_dir / "abc.sec"));
    EXPECT_FALSE(fs::exists(m_dir / "abc.txt"));
    EXPECT_TRUE(fs::exists(m_dir / "plain.sec"));
    EXPECT_TRUE(fs::exists(m_dir / "two.parts.sec"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 3);
    // Cancel writes nothing.
    ScriptedUser::CancelCommonDialog();
    ExportSectionLibrary(&m_a);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 3);
    EXPECT_EQ(SectionFileTarget("C:\\p\\x.dat", "x.dat", "x"), CString("C:\\p\\x.sec"));
}

TEST_F(SectionFileTest, ExportThenImportIntoAnEmptyProjectGivesTheSameSections)
{
    FillA();
    ASSERT_TRUE(WriteSectionFile(&m_a, Path("lib.sec").c_str()));
    CGlobalData b;
    SameMaterials(b);
    bool replaced = true;
    ASSERT_TRUE(Import(b, Path("lib.sec"), false, replaced));
    EXPECT_FALSE(replaced);
    CSectionList& from = *m_a.Struct()->m_pSectionList;
    CSectionList& to = *b.Struct()->m_pSectionList;
    ASSERT_EQ(to.GetCount(), 3);
    for (int i = 1; i <= 3; ++i) {
        CSectionBase* x = from.Get(i);
        CSectionBase* y = to.Get(i);
        EXPECT_EQ(y->m_nNo, x->m_nNo);
        // The material is the second project's of the same place and name.
        ASSERT_NE(y->m_pMaterial, nullptr);
        EXPECT_EQ(y->m_pMaterial, b.Struct()->m_pMaterialSteelList->Get(x->m_pMaterial->GetID()));
        EXPECT_EQ(y->m_pMaterial->GetName(), x->m_pMaterial->GetName());
        // Apart from the materials' projects, the same section.
        auto* xt = dynamic_cast<CTaperSectionBase*>(x);
        auto* yt = dynamic_cast<CTaperSectionBase*>(y);
        CMaterialBase* keep = x->m_pMaterial;
        CMaterialBase* keepStart = xt ? xt->GetStartSec()->m_pMaterial : nullptr;
        CMaterialBase* keepEnd = xt ? xt->GetEndSec()->m_pMaterial : nullptr;
        x->m_pMaterial = y->m_pMaterial;
        if (xt) {
            xt->GetStartSec()->m_pMaterial = yt->GetStartSec()->m_pMaterial;
            xt->GetEndSec()->m_pMaterial = yt->GetEndSec()->m_pMaterial;
        }
        EXPECT_TRUE(x->IsSame(y)) << i;
        x->m_pMaterial = keep;
        if (xt) {
            xt->GetStartSec()->m_pMaterial = keepStart;
            xt->GetEndSec()->m_pMaterial = keepEnd;
        }
    }
}

TEST_F(SectionFileTest, ImportWithoutReplacingKeepsTheLibraryAndItsUses)
{
    FillA();
    ASSERT_TRUE(WriteSectionFile(&m_a, Path("lib.sec").c_str()));
    CSectionBase* first = m_a.Struct()->m_pSectionList->Get(1);
    CBeam* m = AddBeam(*m_a.Struct(), 1, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), first);
    bool replaced = true;
    // Typed as a user types it, without "路径...".
    ASSERT_TRUE(Import(m_a, Path("lib.sec"), false, replaced));
    EXPECT_FALSE(replaced);
    EXPECT_EQ(m_a.Struct()->m_pSectionList->GetCount(), 6);
    EXPECT_EQ(m_a.Struct()->m_pSectionList->Get(1), first);
    EXPECT_EQ(m->GetSection(), first);
    // The added ones get numbers of their own.
    EXPECT_EQ(m_a.Struct()->m_pSectionList->Get(6)->m_nNo, 6);
}

TEST_F(SectionFileTest, ReplacingImportClearsEveryReferenceBeforeTheLibraryIsEmptied)
{
    FillA();
    ASSERT_TRUE(WriteSectionFile(&m_a, Path("lib.sec").c_str()));
    CStruct& s = *m_a.Struct();
    CSectionBase* old = AddSection(s, 105);
    CBeam* m = AddBeam(s, 1, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), old);
    CSubBeam* sub = AddSubBeam(s, AddRoom(s), 1, CPoint3D(0, 0, 0), CPoint3D(0, 100, 0), old);
    CBeamGroup* g = AddGroup(s, old, {m});
    CBeamInWall* coupling = AddCouplingBeam(s, 5, old);
    bool replaced = false;
    ASSERT_TRUE(Import(m_a, Path("lib.sec"), true, replaced));
    EXPECT_TRUE(replaced);
    EXPECT_EQ(s.m_pSectionList->GetCount(), 3);
    EXPECT_EQ(m->GetSection(), nullptr);
    EXPECT_EQ(sub->GetSection(), nullptr);
    EXPECT_EQ(g->m_pSection, nullptr);
    EXPECT_EQ(coupling->GetSection(), nullptr);
    // Group membership stays.
    EXPECT_EQ(m->GetGroupId(), g->m_nNo);
}

TEST_F(SectionFileTest, AFileThatIsNotASectionFileChangesNothingAndSaysSoOnce)
{
    FillA();
    ASSERT_TRUE(WriteSectionFile(&m_a, Path("lib.sec").c_str()));
    std::string bytes;
    {
        std::ifstream in(Path("lib.sec"), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    {
        std::ofstream out(Path("cut.sec"), std::ios::binary);
        out << bytes.substr(0, bytes.size() / 2);
        std::ofstream foreign(Path("foreign.Sec"), std::ios::binary);
        foreign << "这不是截面文件 at all, just text";
    }
    CStruct& s = *m_a.Struct();
    CSectionBase* used = s.m_pSectionList->Get(1);
    CBeam* m = AddBeam(s, 1, CPoint3D(0, 0, 0), CPoint3D(100, 0, 0), used);
    for (const char* name : {"cut.sec", "foreign.Sec"}) {
        bool replaced = true;
        EXPECT_FALSE(Import(m_a, Path(name), true, replaced, "不是有效的截面文件，无法读取！")) << name;
        EXPECT_FALSE(replaced);
        EXPECT_EQ(s.m_pSectionList->GetCount(), 3) << name;
        EXPECT_EQ(s.m_pSectionList->Get(1), used);
        EXPECT_EQ(m->GetSection(), used);
    }
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 2u);
}

TEST_F(SectionFileTest, ThePathIsCheckedForEmptinessSuffixAndReadabilityInThatOrder)
{
    {
        std::ofstream(Path("ok.sec")) << "x";
        std::ofstream(Path("odd.SeC")) << "x";
    }
    struct Case
    {
        std::string path;
        const char* message;
    };
    const Case cases[] = {
        {"", "截面文件路径不能为空！"},
        {Path("odd.SeC"), "文件格式不对，请确认为SEC、sec、Sec后缀！"},
        {Path("none.txt"), "文件格式不对，请确认为SEC、sec、Sec后缀！"},
        {"sec", "文件格式不对，请确认为SEC、sec、Sec后缀！"},
        {Path("missing.SEC"), "截面文件路径不对！"},
        {Path("ok.sec"), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(CDlgSectionImport::CheckPath(c.path.c_str()).GetString()), c.message) << c.path;

    // In the dialog: each refusal keeps it open; a cancel reads nothing.
    CGlobalData b;
    ScriptedUser::PressOK(IDD_SECTION_IMPORT);
    ScriptedUser::AnswerMessageBox(IDOK, "截面文件路径不能为空！");
    ScriptedUser::SetText(IDC_SECIMP_PATH, Path("odd.SeC").c_str(), IDD_SECTION_IMPORT);
    ScriptedUser::Click(IDC_SECIMP_PREVIEW, IDD_SECTION_IMPORT);
    ScriptedUser::AnswerMessageBox(IDOK, "文件格式不对，请确认为SEC、sec、Sec后缀！");
    ScriptedUser::PressCancel(IDD_SECTION_IMPORT);
    bool replaced = false;
    EXPECT_FALSE(ImportSectionLibrary(&b, replaced));
    EXPECT_EQ(b.Struct()->m_pSectionList->GetCount(), 0);
}

TEST_F(SectionFileTest, PreviewTabsFilterTheFilesSectionsWithoutReadingAgain)
{
    CStruct& s = *m_a.Struct();
    for (int code : {901, 501, 650, 601, 701, 101})
        AddSection(s, code, m_q235);
    ASSERT_TRUE(WriteSectionFile(&m_a, Path("lib.sec").c_str()));
    CGlobalData b;
    SameMaterials(b);
    std::vector<std::vector<std::string>> shown;
    auto grab = [&shown](CDialog* d) {
        auto* dlg = static_cast<CDlgSectionImport*>(d);
        std::vector<std::string> rows;
        for (int r = 0; r < dlg->m_list.GetItemCount(); ++r)
            rows.push_back(std::string(dlg->m_list.GetItemText(r, 0).GetString()) + " " +
                           dlg->m_list.GetItemText(r, 1).GetString());
        shown.push_back(rows);
    };
    ScriptedUser::SetText(IDC_SECIMP_PATH, Path("lib.sec").c_str(), IDD_SECTION_IMPORT);
    ScriptedUser::Click(IDC_SECIMP_PREVIEW, IDD_SECTION_IMPORT);
    ScriptedUser::Run(grab, IDD_SECTION_IMPORT);
    // Gone before the tabs are switched: the preview does not read it again.
    ScriptedUser::Run([this](CDialog*) { fs::remove(m_dir / "lib.sec"); }, IDD_SECTION_IMPORT);
    ScriptedUser::SelectRow(IDC_SECIMP_TAB, 2, IDD_SECTION_IMPORT);
    ScriptedUser::Run(grab, IDD_SECTION_IMPORT);
    ScriptedUser::SelectRow(IDC_SECIMP_TAB, 1, IDD_SECTION_IMPORT);
    ScriptedUser::Run(grab, IDD_SECTION_IMPORT);
    ScriptedUser::PressCancel(IDD_SECTION_IMPORT);
    bool replaced = false;
    EXPECT_FALSE(ImportSectionLibrary(&b, replaced));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], std::vector<std::string>({"Sec1 T101", "Sec2 T501", "Sec3 T601", "Sec4 T650", "Sec5 T701",
                                                  "Sec6 T901"}));
    EXPECT_EQ(shown[1], std::vector<std::string>({"Sec3 T601", "Sec4 T650"}));
    EXPECT_EQ(shown[2], std::vector<std::string>({"Sec2 T501"}));
    EXPECT_EQ(b.Struct()->m_pSectionList->GetCount(), 0);
}

TEST_F(SectionFileTest, AWriteThatFailsLeavesTheEarlierFileAsItWas)
{
    {
        std::ofstream(Path("keep.sec")) << "earlier";
    }
    CStruct& s = *m_a.Struct();
    for (int i = 0; i < 200; ++i)
        AddSection(s, 501, m_q235);
    // A disk that fills after 64 bytes.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ScriptedUser::AnswerFileDialog(Path("keep.sec").c_str());
    ScriptedUser::AnswerMessageBox(IDYES); // the overwrite question
    ScriptedUser::AnswerMessageBox(IDOK, "截面文件写入失败，原有文件未改变！");
    ExportSectionLibrary(&m_a);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    std::ifstream in(Path("keep.sec"));
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
    // A folder that does not exist.
    EXPECT_FALSE(WriteSectionFile(&m_a, Path("nowhere/x.sec").c_str()));
}

} // namespace
