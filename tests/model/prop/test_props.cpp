// Property descriptors: the rows of each object kind and their keys, the common value of
// several objects, writing to all, refusals, query conditions, the changed rows after a
// write and the storey heights of a node height edit.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <vyr/model/prop/Prop.h>
#include <vyr/model/section/SectionBase.h>
#include <vyr/model/struct/structure.h>
#include "support/TestProps.h"

namespace {

std::set<std::string> Keys(CProps& root)
{
    std::vector<CProp*> all;
    root.Collect(all);
    std::set<std::string> keys;
    for (CProp* p : all)
        if (p->GetPropKey().Left(5) == "Prop.")
            keys.insert(p->GetPropKey().str());
    return keys;
}

CPropValue* ByCaption(CProps& root, const char* caption)
{
    std::vector<CProp*> all;
    root.Collect(all);
    for (CProp* p : all)
        if (p->GetCaption() == caption)
            return dynamic_cast<CPropValue*>(p);
    return nullptr;
}

CString Text(const CProp* p)
{
    CString t;
    std::vector<CString> o;
    p->GetValueText(t, o);
    return t;
}

TEST(PropTrees, EachKindHoldsTheKeysOfItsDialogs)
{
    const std::set<std::string> expected[] = {
        {"Prop.Pt", "Prop.NodeSupport", "Prop.NodeCheckOutput", "Prop.NodeOutputDisp", "Prop.NodeOutputForce",
         "Prop.NodeOutputCheck"},
        {"Prop.BeamSec", "Prop.BeamRelease", "Prop.BeamOffset", "Prop.BeamRigid", "Prop.BeamWebHoleDefine",
         "Prop.BeamPinnail", "Prop.BeamPinnailDesign", "Prop.BeamCheckOutput", "Prop.BeamForceDetail",
         "Prop.BeamOutputForce", "Prop.BeamOutputCheck", "Prop.BeamOutputStatistic"},
        {"Prop.WallOffset", "Prop.WallHoleDefine", "Prop.WallHoleAdjust"},
        {"Prop.PlaneHoleDefine", "Prop.PlaneSubBeamDefine", "Prop.PlaneBan", "Prop.PlaneBanDesign",
         "Prop.PlaneBanCheck"},
        {"Prop.BeamSec", "Prop.BCInWallCheckOutput"},
    };
    CGlobalData data;
    CObList none;
    for (int kind = 0; kind < 5; ++kind) {
        CProps root;
        root.SetParam(2, &none, kind, &data);
        EXPECT_EQ(Keys(root), expected[kind]) << "kind " << kind;
    }
    CProps other;
    other.SetParam(2, &none, 7, &data);
    EXPECT_EQ(other.GetCount(), 0);
}

TEST(PropTrees, ResultRowsShowOnlyInProgramTypeOne)
{
    CGlobalData data;
    CBeamList beams;
    CProps root;
    root.SetParam(2, &beams, 1, &data);
    std::vector<CProp*> all;
    root.Collect(all);
    CProp* results = nullptr;
    for (CProp* p : all)
        if (p->GetPropKey() == "Group.Result")
            results = p;
    ASSERT_TRUE(results);
    for (int type : {0, 1, 2}) {
        data.ProgramType() = type;
        EXPECT_EQ(results->IsVisible(), type == 1) << type;
    }
}

class MemberProps : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 3; ++i) {
            nodes[i] = std::make_unique<CPNode>(i + 1, CPoint3D(600.0 * i, 0, 0));
        }
        for (int i = 0; i < 3; ++i) {
            beams[i] = std::make_unique<CBeam>(i + 1, nodes[0].get(), nodes[1].get(), 2);
            beams[i]->SetDLLimit(250);
            list.AddTail(beams[i].get());
        }
        root.SetParam(2, &list, 1, &data);
    }
    CGlobalData data;
    std::unique_ptr<CPNode> nodes[3];
    std::unique_ptr<CBeam> beams[3];
    CBeamList list;
    CProps root;
};

TEST_F(MemberProps, RowShowsTheCommonValueAndWritesToAll)
{
    CPropValue* limit = ByCaption(root, "恒载挠度限值");
    ASSERT_TRUE(limit);
    EXPECT_EQ(Text(limit), "250");
    beams[1]->SetDLLimit(400);
    EXPECT_EQ(Text(limit), ""); // they differ
    ASSERT_TRUE(limit->CanEdit());
    limit->SetValueText("300");
    for (auto& b : beams)
        EXPECT_EQ(b->GetDLLimit(), 300);
    EXPECT_EQ(Text(limit), "300");
    // A choice row writes the code of the chosen text.
    CPropValue* grade = ByCaption(root, "抗震等级");
    CString t;
    std::vector<CString> options;
    grade->GetValueText(t, options);
    EXPECT_EQ(t, "非抗震");
    EXPECT_EQ(options, (std::vector<CString>{"非抗震", "一级", "二级", "三级", "四级"}));
    grade->SetValueText("三级");
    for (auto& b : beams)
        EXPECT_EQ(b->GetSeismGrade(), 3);
    // Lengths are shown in the display unit: 600 cm as 6000 mm, no decimals.
    data.UnitLength() = 10;
    EXPECT_EQ(Text(ByCaption(root, "长度")), "6000");
    data.UnitLength() = 1;
    EXPECT_EQ(Text(ByCaption(root, "长度")), "600.0");
    // A dialog row offers its value and the dialog value; it is not typed into.
    CPropValue* sec = ByCaption(root, "截面");
    sec->GetValueText(t, options);
    EXPECT_EQ(t, "未布截面");
    EXPECT_EQ(options, (std::vector<CString>{"未布截面", CProps::GetOtherString()}));
    EXPECT_FALSE(sec->CanEdit());
    EXPECT_EQ(sec->GetPropKey(), "Prop.BeamSec");
    EXPECT_EQ(sec->GetObjects(), &list);
    EXPECT_EQ(sec->GetGlobalData(), &data);
}

TEST_F(MemberProps, RefusedTextsGetTheirMessageAndChangeNothing)
{
    struct Case
    {
        const char* row;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"恒载挠度限值", "abc", "请输入一个整数！"},
        {"恒载挠度限值", "", "请输入一个整数！"},
        {"恒载挠度限值", "12.5", "请输入一个整数！"},
        {"恒载挠度限值", "1e400", "请输入一个整数！"},
        {"恒载挠度限值", "-1", "请输入0到10000之间的数值！"},
        {"地震弯矩放大系数", "nan", "请输入一个数字！"},
        {"地震弯矩放大系数", "1e400", "请输入一个数字！"},
        {"地震弯矩放大系数", "0.05", "请输入0.10到10.00之间的数值！"},
        {"抗震等级", "五级", "请从列表中选择！"},
    };
    for (const Case& c : cases) {
        CPropValue* row = ByCaption(root, c.row);
        ASSERT_TRUE(row) << c.row;
        const CString before = Text(row);
        CString message;
        EXPECT_FALSE(row->CheckValueText(c.text, message)) << c.text;
        EXPECT_EQ(message, c.message) << c.text;
        row->SetValueText(c.text); // a refused text is never written
        EXPECT_EQ(Text(row), before) << c.text;
    }
    CString message;
    EXPECT_TRUE(ByCaption(root, "地震弯矩放大系数")->CheckValueText(" 1.5 ", message));
}

TEST_F(MemberProps, QueryAppendsTheObjectsMeetingEveryCondition)
{
    beams[1]->SetDLLimit(400);
    beams[2]->SetSeismGrade(2);
    root.SetUseType(3);
    CPropValue* limit = ByCaption(root, "恒载挠度限值");
    CPropValue* grade = ByCaption(root, "抗震等级");
    EXPECT_EQ(Text(limit), ""); // no condition yet
    CString t;
    std::vector<CString> options;
    grade->GetValueText(t, options);
    EXPECT_EQ(options.front(), ""); // "no condition" is a choice
    // No condition: every object.
    CBeamList all;
    EXPECT_TRUE(root.Query(&all));
    EXPECT_EQ(all.GetCount(), 3);

    std::vector<CString> values;
    root.GetValues(values);
    // Values come in the order of the value rows, depth first.
    std::vector<CProp*> rows;
    root.Collect(rows);
    std::erase_if(rows, [](CProp* p) { return p->IsGroup(); });
    const size_t limitAt = std::find(rows.begin(), rows.end(), limit) - rows.begin();
    const size_t gradeAt = std::find(rows.begin(), rows.end(), grade) - rows.begin();
    ASSERT_EQ(values.size(), rows.size());
    ASSERT_LT(limitAt, values.size());
    values[limitAt] = "250";
    values[gradeAt] = "";
    root.SetValues(values);
    EXPECT_EQ(limit->GetCondition(), "250");
    CBeamList hits;
    EXPECT_TRUE(root.Query(&hits));
    ASSERT_EQ(hits.GetCount(), 2);
    EXPECT_EQ(hits.Get(1), beams[0].get());
    EXPECT_EQ(hits.Get(2), beams[2].get());
    grade->SetValueText("二级");
    CBeamList both;
    EXPECT_TRUE(root.Query(&both));
    ASSERT_EQ(both.GetCount(), 1);
    EXPECT_EQ(both.Get(1), beams[2].get());
    // Conditions are not written into the model.
    EXPECT_EQ(beams[0]->GetDLLimit(), 250);
    EXPECT_EQ(beams[0]->GetSeismGrade(), 0);
    grade->SetValueText("一级");
    CBeamList nothing;
    EXPECT_FALSE(root.Query(&nothing));
}

TEST(PropPt, HeightEditGivesTheElevationsLeftAndReached)
{
    CGlobalData data;
    CPNode a(1, CPoint3D(0, 0, 0)), b(2, CPoint3D(0, 0, 300)), c(3, CPoint3D(0, 0, 300));
    CPNodeList nodes;
    for (CPNode* n : {&a, &b, &c})
        nodes.AddTail(n);
    CProps root;
    root.SetParam(2, &nodes, 0, &data);
    auto* z = dynamic_cast<CPropPt*>(ByCaption(root, "Z坐标"));
    auto* x = dynamic_cast<CPropPt*>(ByCaption(root, "X坐标"));
    ASSERT_TRUE(z && x);
    z->SetValueText("600");
    EXPECT_DOUBLE_EQ(a.GetPt().z, 600);
    std::vector<double> h;
    for (const CReal& r : z->GetHeights())
        h.push_back(r.toD());
    EXPECT_EQ(h, (std::vector<double>{0, 300, 600}));
    x->SetValueText("50");
    EXPECT_TRUE(x->GetHeights().empty());
    EXPECT_DOUBLE_EQ(c.GetPt().x, 50);
    nodes.RemoveAll();
}

TEST(PropFamily, WriteListsTheRowsItChanged)
{
    vyrtest::CTestRecordList records;
    records.Make(2, 1.0);
    CGlobalData data;
    CProps root;
    root.SetParam(2, &records, 99, &data);
    vyrtest::BuildTestProps(root);
    auto captions = [&](const std::vector<CProp*>& v) {
        std::vector<std::string> out;
        for (CProp* p : v)
            out.push_back(p->GetCaption().str());
        return out;
    };
    std::vector<CProp*> changed;
    CPropValue* a = ByCaption(root, "A");
    a->SetValueText("5");
    root.UpdateOtherProp(*a, changed);
    EXPECT_EQ(captions(changed), (std::vector<std::string>{"A", "B", "C", "隐藏"}));
    // Nothing more changed since.
    root.UpdateOtherProp(*a, changed);
    EXPECT_TRUE(changed.empty());
    CPropValue* mode = ByCaption(root, "开关");
    mode->SetValueText("开");
    root.UpdateOtherProp(*mode, changed);
    EXPECT_EQ(captions(changed), (std::vector<std::string>{"开关", "附加"}));
}

} // namespace
