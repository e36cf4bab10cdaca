// The model information, load and design generators in export runs of the sample model: the
// files of each choice, as counted and stepped, read back with ezdxf.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include <vyr/controls.h>
#include <vyr/drawing/DlgDrawResult2D.h>
#include <vyr/drawing/DlgDrawResult3D.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/DrawResultRes.h>
#include <vyr/winfile.h>

#include "drawing/DxfReadBack.h"
#include "hostkit/HostKit.h"
#include "support/DialogTest.h"

namespace fs = std::filesystem;
using vyr::ScriptedUser;
using vyrtest::DxfRead;
using vyrtest::ReadDxf;

namespace {

CDlgDrawResult* Dlg(CDialog* d) { return static_cast<CDlgDrawResult*>(d); }

class DesignRuns : public vyrtest::DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        m_prevApp = VyrGetAppFolder();
        VyrSetAppFolder((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        m_dir = fs::temp_directory_path() / ("vyr_designruns_" + std::to_string(::getpid()) + "_" + std::to_string(s_counter++));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_kit = std::make_unique<vyrhost::CHostKit>();
        BuildSampleModel(Data());
        FillSampleResults(Data());
        Data().ProjectPath() = m_dir.string().c_str();
    }
    void TearDown() override
    {
        m_kit.reset();
        CVyrProduct::SetOwnEdition();
        VyrSetAppFolder(m_prevApp.c_str());
        fs::remove_all(m_dir);
        DialogTest::TearDown();
    }
    CGlobalData& Data() { return m_kit->GlobalData(); }
    std::vector<std::string> Files(const fs::path& under) const
    {
        std::vector<std::string> out;
        if (fs::exists(under))
            for (const auto& e : fs::recursive_directory_iterator(under))
                if (e.is_regular_file())
                    out.push_back(fs::relative(e.path(), under).string());
        std::sort(out.begin(), out.end());
        return out;
    }
    // A run with only these boxes ticked and `choose` applied; answers the counted and the
    // stepped files.
    std::pair<int, int> Run(bool threeD, std::initializer_list<int> boxes, const std::function<void()>& choose = {})
    {
        std::unique_ptr<CDlgDrawResult> dlg;
        if (threeD)
            dlg = std::make_unique<CDlgDrawResult3D>(&Data());
        else
            dlg = std::make_unique<CDlgDrawResult2D>(&Data());
        ScriptedUser::Click(IDC_DRAW_UNSELALL);
        for (int b : boxes)
            ScriptedUser::Check(b);
        if (choose)
            choose();
        int expected = -1, pos = -1;
        ScriptedUser::Run([&](CDialog* d) { expected = Dlg(d)->GetOutputNum(); });
        ScriptedUser::Click(IDC_DRAW_EXPORT);
        ScriptedUser::AnswerMessageBox(IDOK, "导出完毕，请到工程所在目录下查看输出图。");
        ScriptedUser::WaitUntil([](CDialog* d) { return !Dlg(d)->IsBusy(); });
        ScriptedUser::Run([&](CDialog* d) { pos = static_cast<CProgressCtrl*>(d->GetDlgItem(IDC_DRAW_PROGRESS))->GetPos(); });
        ScriptedUser::PressCancel();
        dlg->DoModal();
        return {expected, pos};
    }

    std::unique_ptr<vyrhost::CHostKit> m_kit;
    fs::path m_dir;
    std::string m_prevApp;
    static inline int s_counter = 0;
};

const std::string kWhole = "三维简图-整体结构";

TEST_F(DesignRuns, AllDesignItemsAreFourteenPropertyAndSixResultFilesInOneFolder)
{
    auto [expected, stepped] = Run(true, {IDC_DRAW_DESIGNPROP, IDC_DRAW_DESIGNRESULT});
    EXPECT_EQ(expected, 20);
    EXPECT_EQ(stepped, 20);
    const std::vector<std::string> files = Files(m_dir / kWhole / "设计属性与结果");
    std::vector<std::string> names;
    for (const char* n : {"设计规范", "特殊设计方法", "设计类型", "设计等级", "地震工况内力调整", "计算长度", "自定义限值",
                          "维护构件风载放大", "梁竖向内力调整", "梁与楼板共同作用", "组合梁栓钉", "H形腹板加劲肋",
                          "H形腹板开洞", "节点域属性", "构件承载验算结果", "构件变形验算结果", "构件构造验算结果",
                          "构件验算结论", "节点域承载验算", "强柱弱梁验算"})
        names.push_back(std::string(n) + ".dxf");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(files, names);
    // The sample's members were not checked by a run: the conclusion says so on each.
    const DxfRead conclusion = ReadDxf(m_dir / kWhole / "设计属性与结果" / "构件验算结论.dxf");
    EXPECT_EQ(conclusion.errors, 0);
    ASSERT_FALSE(conclusion.texts.empty());
    EXPECT_EQ(conclusion.texts[0].text, "未验算");
}

TEST_F(DesignRuns, OneChosenResultItemWritesItsFileAloneWithTheCheckedResults)
{
    // The sample's check answers become results.
    CStruct* st = Data().Struct();
    for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr;)
        st->m_pBeamList->GetNextT(pos)->Check();
    auto [expected, stepped] =
        Run(true, {IDC_DRAW_DESIGNRESULT}, [] { ScriptedUser::SelectRow(IDC_DRAW_DESIGNRESULT_ITEM, 4); });
    EXPECT_EQ(expected, 1);
    EXPECT_EQ(stepped, 1);
    EXPECT_EQ(Files(m_dir), std::vector<std::string>{kWhole + "/设计属性与结果/构件验算结论.dxf"});
    const DxfRead d = ReadDxf(m_dir / kWhole / "设计属性与结果" / "构件验算结论.dxf");
    EXPECT_EQ(d.errors, 0);
    // Every ratio of the sample stays below 1: every checked member passes.
    EXPECT_GT(std::count_if(d.texts.begin(), d.texts.end(), [](const vyrtest::DxfText& t) { return t.text == "通过"; }), 0);
    EXPECT_EQ(std::count_if(d.texts.begin(), d.texts.end(), [](const vyrtest::DxfText& t) { return t.text == "不通过"; }), 0);
}

TEST_F(DesignRuns, TheLoadItemsOfEveryStoreyKeepTheHoistFilesTrailingSpace)
{
    auto [expected, stepped] = Run(false, {IDC_DRAW_LOAD});
    // Eleven items and the sample's hoist load 1, for each of the four storeys.
    EXPECT_EQ(expected, 12 * 4);
    EXPECT_EQ(stepped, 12 * 4);
    std::vector<std::string> files = Files(m_dir);
    ASSERT_EQ(files.size(), 48u);
    const auto hoist = std::find_if(files.begin(), files.end(),
                                    [](const std::string& f) { return f.find("/荷载布置/吊荷1 .dxf") != std::string::npos; });
    ASSERT_NE(hoist, files.end());
    bool someLoad = false;
    for (const std::string& f : files)
        if (f.find("吊荷1 .dxf") != std::string::npos)
            someLoad = someLoad || !ReadDxf(m_dir / f).texts.empty();
    EXPECT_TRUE(someLoad) << "the top storey shows the hoist load";
}

TEST_F(DesignRuns, TheModelInformationIsTenFilesInSpaceAndOneNodeItemOneFile)
{
    auto [expected, stepped] =
        Run(true, {IDC_DRAW_NODE, IDC_DRAW_BEAM, IDC_DRAW_BCINWALL, IDC_DRAW_PLANE, IDC_DRAW_MAINNODE});
    EXPECT_EQ(expected, 10);
    EXPECT_EQ(stepped, 10);
    const std::vector<std::string> files = Files(m_dir / kWhole);
    std::vector<std::string> names = {"结点信息/编号、支座与类型.dxf", "结点信息/竖向地震系数.dxf", "结点信息/质量与附加质量.dxf",
                                      "杆件信息/编号、截面与调头翻转.dxf", "杆件信息/释放与刚臂.dxf", "杆件信息/截面2、3轴.dxf",
                                      "杆件信息/偏心.dxf", "墙肢连梁信息/编号.dxf", "房间信息/房间与楼板编号.dxf",
                                      "主节点位置与主从关系/主节点位置与主从关系.dxf"};
    std::sort(names.begin(), names.end());
    EXPECT_EQ(files, names);
    fs::remove_all(m_dir / kWhole);
    std::tie(expected, stepped) = Run(true, {IDC_DRAW_NODE}, [] { ScriptedUser::SelectRow(IDC_DRAW_NODE_ITEM, 2); });
    EXPECT_EQ(expected, 1);
    EXPECT_EQ(Files(m_dir / kWhole), std::vector<std::string>{"结点信息/竖向地震系数.dxf"});
}

} // namespace
