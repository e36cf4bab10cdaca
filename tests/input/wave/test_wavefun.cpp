// The wave record library dialog on a library of the test's own: listing a class, import,
// delete, opening a record file in its program, and the copy added to the model.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WaveTestKit.h"
#include <vyr/input/DlgWaveFun.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/WaveRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;
using wavetest::fs::path;

namespace {

constexpr int kUserTab = 4;

std::vector<std::string> Names(const CWaveFunList& list)
{
    std::vector<std::string> names;
    for (int i = 1; i <= (int)list.GetCount(); ++i)
        names.push_back(list.Get(i)->GetName().GetString());
    return names;
}

CDlgWaveFun* Wave(CDialog* d) { return static_cast<CDlgWaveFun*>(d); }

struct WaveLibrary : wavetest::WaveWorld
{
    CWaveFunList& model = *host.GlobalData().Struct()->m_pWaveFunList;

    INT_PTR Run()
    {
        CDlgWaveFun dlg(AppPath(), &model, &host);
        return dlg.DoModal();
    }
    // The dialog's records and the shown fields at this step.
    void Snapshot(std::vector<std::string>& names, std::vector<std::string>* fields = nullptr)
    {
        ScriptedUser::Run([&names, fields](CDialog* d) {
            names = Names(Wave(d)->m_WaveFunList);
            if (fields != nullptr)
                *fields = {wavetest::ItemText(d, IDC_WAVEFUN_NAME).GetString(), wavetest::ItemText(d, IDC_WAVEFUN_STEP).GetString(),
                           wavetest::ItemText(d, IDC_WAVEFUN_LENGTH).GetString()};
        });
    }
    path UserIndex() const { return app / "Wave" / "DefineUser.txt"; }
};

} // namespace

TEST_F(WaveLibrary, ImportChecksTheFileAndLeavesTheLibraryAloneWhenRefused)
{
    struct Case
    {
        const char* name;
        std::string text;
        int samples; // 0: refused with the format message
        float step;
    };
    const Case cases[] = {
        {"ok", RecordText("0.02 12", 600), 600, 0.02f},
        {"truncated", RecordText("0.02 12.01", 601), 600, 0.02f},
        {"bounds", RecordText("0.001 0.001", 1), 1, 0.001f},
        {"steptiny", RecordText("0.0009 1", 1200), 0, 0},
        {"stepbig", RecordText("1.5 3", 2), 0, 0},
        {"toolong", RecordText("1 1000.5", 1000), 0, 0},
        {"nomarker", RecordText("0.02 12", 600, false), 0, 0},
        {"short", RecordText("0.02 12", 599), 0, 0},
    };
    MakeClass("User", {"OLD"});
    std::vector<std::string> listed{"OLD"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const path source = app / "import" / (std::string(c.name) + ".txt");
        Write(source, c.text);
        const std::string indexBefore = Read(UserIndex());
        std::vector<std::string> names;
        ScriptedUser::SelectRow(IDC_WAVEFUN_TAB, kUserTab);
        ScriptedUser::Click(IDC_WAVEFUN_ADD);
        ScriptedUser::AnswerFileDialog(source.string().c_str());
        if (c.samples == 0)
            ScriptedUser::AnswerMessageBox(IDOK, "文件格式错误!");
        int samples = -1;
        float step = 0;
        ScriptedUser::Run([&](CDialog* d) {
            CWaveFunList& own = Wave(d)->m_WaveFunList;
            names = Names(own);
            for (int i = 1; i <= (int)own.GetCount(); ++i)
                if (own.Get(i)->GetName() == c.name) {
                    samples = own.Get(i)->GetNum();
                    step = own.Get(i)->GetStep();
                }
        });
        ScriptedUser::PressCancel();
        EXPECT_EQ(Run(), IDCANCEL);
        const bool copied = wavetest::fs::exists(app / "Wave" / "User" / (std::string(c.name) + ".txt"));
        if (c.samples == 0) {
            EXPECT_EQ(Read(UserIndex()), indexBefore);
            EXPECT_FALSE(copied);
            EXPECT_EQ(names, listed);
        } else {
            EXPECT_EQ(samples, c.samples);
            EXPECT_FLOAT_EQ(step, c.step);
            EXPECT_TRUE(copied);
            std::string index = std::to_string(names.size()) + "\n";
            for (const std::string& n : names)
                index += n + "\n";
            EXPECT_EQ(Read(UserIndex()), index);
            listed.push_back(c.name);
            EXPECT_EQ(names, listed);
        }
        EXPECT_TRUE(model.IsEmpty());
    }
}

TEST_F(WaveLibrary, ImportingAListedNameReplacesItsEntry)
{
    MakeClass("User", {"A", "B"});
    const path source = app / "import" / "A.txt";
    Write(source, RecordText("0.1 2", 20));
    std::vector<std::string> names;
    int samples = 0;
    ScriptedUser::SelectRow(IDC_WAVEFUN_TAB, kUserTab);
    ScriptedUser::Click(IDC_WAVEFUN_ADD);
    ScriptedUser::AnswerFileDialog(source.string().c_str());
    ScriptedUser::Run([&](CDialog* d) {
        names = Names(Wave(d)->m_WaveFunList);
        samples = Wave(d)->m_WaveFunList.Get(1)->GetNum();
    });
    ScriptedUser::PressCancel();
    Run();
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(samples, 20);
    EXPECT_EQ(Read(UserIndex()), "2\nA\nB\n");
    EXPECT_EQ(Read(app / "Wave" / "User" / "A.txt"), Read(source));
}

TEST_F(WaveLibrary, ImportOfAnUnreadableFileOrIntoAnUnwritableIndex)
{
    MakeClass("I", {"A"});
    // A file that cannot be opened: nothing changes.
    ScriptedUser::Click(IDC_WAVEFUN_ADD);
    ScriptedUser::AnswerFileDialog((app / "import" / "missing.txt").string().c_str());
    ScriptedUser::AnswerMessageBox(IDOK, "文件创建失败!");
    // The index replaced by a folder: the import says so, still copies the record and reads
    // the class again.
    const path source = app / "import" / "NEW.txt";
    Write(source, RecordText("0.02 1", 50));
    ScriptedUser::Run([this](CDialog*) {
        wavetest::fs::remove(app / "Wave" / "DefineI.txt");
        wavetest::fs::create_directory(app / "Wave" / "DefineI.txt");
    });
    ScriptedUser::Click(IDC_WAVEFUN_ADD);
    ScriptedUser::AnswerFileDialog(source.string().c_str());
    ScriptedUser::AnswerMessageBox(IDOK, "没有目录文件!");
    ScriptedUser::AnswerMessageBox(IDOK, "没有地震记录定义文件!");
    ScriptedUser::PressCancel();
    Run();
    EXPECT_TRUE(wavetest::fs::exists(app / "Wave" / "I" / "NEW.txt"));
    EXPECT_FALSE(wavetest::fs::exists(app / "Wave" / "I" / "missing.txt"));
}

TEST_F(WaveLibrary, ListingLeavesOutRecordsThatCannotBeRead)
{
    MakeClass("II", {"GOOD", "NOMARK", "SHORT", "GONE", "LAST"});
    // Changed behind the library's back, as through "编辑...".
    Write(app / "Wave" / "II" / "NOMARK.txt", "title 0.02 1 " + std::string(200, '1'));
    Write(app / "Wave" / "II" / "SHORT.txt", RecordText("0.02 1", 49));
    wavetest::fs::remove(app / "Wave" / "II" / "GONE.txt");
    std::vector<std::string> names, fields;
    ScriptedUser::SelectRow(IDC_WAVEFUN_TAB, 1);
    Snapshot(names, &fields);
    ScriptedUser::PressCancel();
    Run();
    EXPECT_EQ(names, (std::vector<std::string>{"GOOD", "LAST"}));
    EXPECT_EQ(fields, (std::vector<std::string>{"GOOD", "0.02", "1"}));
}

TEST_F(WaveLibrary, AClassWithoutIndexKeepsThePreviousClassShown)
{
    MakeClass("I", {"A"});
    wavetest::fs::remove(app / "Wave" / "DefineIII.txt");
    std::vector<std::string> names;
    int tab = -1;
    ScriptedUser::SelectRow(IDC_WAVEFUN_TAB, 2);
    ScriptedUser::AnswerMessageBox(IDOK, "没有地震记录定义文件!");
    ScriptedUser::Run([&](CDialog* d) {
        names = Names(Wave(d)->m_WaveFunList);
        tab = Wave(d)->m_tab.GetCurSel();
    });
    ScriptedUser::PressCancel();
    Run();
    EXPECT_EQ(names, (std::vector<std::string>{"A"}));
    EXPECT_EQ(tab, 0);
}

TEST_F(WaveLibrary, DeletingTheLastUserRecordLeavesAnEmptyIndexAndTheDefaultFields)
{
    MakeClass("User", {"ONLY"});
    std::vector<std::string> names, fields;
    ScriptedUser::SelectRow(IDC_WAVEFUN_TAB, kUserTab);
    // No: nothing goes.
    ScriptedUser::Click(IDC_WAVEFUN_DELETE);
    ScriptedUser::AnswerMessageBox(IDNO, "删除后，该地震波文件将不再能恢复，继续删除吗?");
    ScriptedUser::Click(IDC_WAVEFUN_DELETE);
    ScriptedUser::AnswerMessageBox(IDYES, "删除后，该地震波文件将不再能恢复，继续删除吗?");
    Snapshot(names, &fields);
    // Nothing left to delete, edit or add.
    ScriptedUser::Click(IDC_WAVEFUN_DELETE);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要删除的地震波函数！");
    ScriptedUser::Click(IDC_WAVEFUN_EDIT);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要编辑的波函数！");
    ScriptedUser::PressOK();
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要添加的地震波函数！");
    ScriptedUser::PressCancel();
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(fields, (std::vector<std::string>{"FUN1", "0.02", "60"}));
    EXPECT_EQ(Read(UserIndex()), "0\n");
    EXPECT_FALSE(wavetest::fs::exists(app / "Wave" / "User" / "ONLY.txt"));
    EXPECT_TRUE(model.IsEmpty());
}

TEST_F(WaveLibrary, DeletingARecordWhoseFileIsGoneSaysSoAndDropsItsEntry)
{
    MakeClass("I", {"A", "B"});
    std::vector<std::string> names;
    ScriptedUser::Run([this](CDialog*) { wavetest::fs::remove(app / "Wave" / "I" / "A.txt"); });
    ScriptedUser::Click(IDC_WAVEFUN_DELETE);
    ScriptedUser::AnswerMessageBox(IDYES);
    ScriptedUser::AnswerMessageBox(IDOK, "没有找到对应的文件！");
    Snapshot(names);
    ScriptedUser::PressCancel();
    Run();
    EXPECT_EQ(names, (std::vector<std::string>{"B"}));
    EXPECT_EQ(Read(app / "Wave" / "DefineI.txt"), "1\nB\n");
}

TEST_F(WaveLibrary, EditOpensTheRecordFileInItsAssociatedProgram)
{
    MakeClass("I", {"A"});
    // No program for .txt files.
    ScriptedUser::Click(IDC_WAVEFUN_EDIT);
    ScriptedUser::AnswerMessageBox(IDOK, "对不起，您缺少支持软件！");
    ScriptedUser::Run([](CDialog*) { vyr::SetFileAssociation(".txt", "C:\\Tools\\notepad.exe"); });
    ScriptedUser::Click(IDC_WAVEFUN_EDIT);
    // A record whose file has gone: nothing happens.
    ScriptedUser::Run([this](CDialog*) { wavetest::fs::remove(app / "Wave" / "I" / "A.txt"); });
    ScriptedUser::Click(IDC_WAVEFUN_EDIT);
    ScriptedUser::PressCancel();
    Run();
    const std::vector<vyr::ProcessLaunch> launches = vyr::ProcessLaunches();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].how, "ShellExecute");
    EXPECT_EQ(launches[0].program, "C:\\Tools\\notepad.exe");
    EXPECT_EQ(launches[0].operation, "open");
    EXPECT_EQ(launches[0].commandLine, std::string("\"") + AppPath().GetString() + "\\Wave\\I\\A.txt\"");
    EXPECT_EQ(launches[0].show, SW_SHOWNORMAL);
    EXPECT_EQ(launches[0].directory, "");
}

TEST_F(WaveLibrary, FormatExplainsTheRecordFile)
{
    MakeClass("I", {"A"});
    ScriptedUser::Click(IDC_WAVEFUN_FORMAT);
    ScriptedUser::AnswerMessageBox(IDOK, "自定义地震波文件，采用文本格式：“****”后面为定义数据，第一项为时间间隔（单位s），"
                                         "第二项为波长（单位s），后面为各个时间点加速度值。如：广州波3 **** 0.02 12 0.000 -0.080...");
    ScriptedUser::PressCancel();
    Run();
}

TEST_F(WaveLibrary, OkAppendsACopyOfTheSelectedRecordToTheModel)
{
    MakeClass("I", {"A"});
    Write(app / "Wave" / "I" / "B.txt", RecordText("0.1 1.5", 15));
    Write(app / "Wave" / "DefineI.txt", "2\nA\nB\n");
    CWaveFun* shown = nullptr;
    ScriptedUser::SelectRow(IDC_WAVEFUN_LIST, 1);
    std::vector<std::string> names, fields;
    Snapshot(names, &fields);
    ScriptedUser::Run([&shown](CDialog* d) { shown = Wave(d)->m_WaveFunList.Get(2); });
    ScriptedUser::PressOK();
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(fields, (std::vector<std::string>{"B", "0.1", "1.5"}));
    ASSERT_EQ(model.GetCount(), 1);
    CWaveFun* added = model.Get(1);
    EXPECT_NE(added, shown);
    EXPECT_EQ(added->GetName(), "B");
    EXPECT_FLOAT_EQ(added->GetStep(), 0.1f);
    EXPECT_FLOAT_EQ(added->GetDist(), 1.5f);
    ASSERT_EQ(added->GetNum(), 15);
    EXPECT_FLOAT_EQ(added->GetValue(0), 1.0f);
    EXPECT_FLOAT_EQ(added->GetValue(14), 15.0f);
}
