// The material library with its steel and concrete dialogs, driven as a user would: the
// values a record stores, the list it shows, and what it refuses to delete.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/DialogTest.h"
#include <vyr/libraries/DlgMaterial.h>
#include <vyr/libraries/DlgMaterialConcrete.h>
#include <vyr/libraries/DlgMaterialSteel.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/MaterialRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;

namespace {

struct Materials : vyrtest::DialogTest
{
    CGlobalData data;
    CStruct& s = *data.Struct();

    CMaterialBase* AddMaterial(CMaterialList* list, int type, const char* name, float fy, double E)
    {
        auto* m = new CMaterialBase;
        m->SetType(type);
        m->SetName(name);
        m->SetText1(name);
        m->Set_fy(fy);
        m->SetE(E);
        list->AddMaterial(m);
        return m;
    }
    // Runs the library in a mode with the steps scripted so far; returns its result.
    INT_PTR Run(int mode, CMaterialBase** chosen = nullptr)
    {
        CDlgMaterial dlg;
        dlg.m_pData = &data;
        const INT_PTR r = dlg.DoModal(mode);
        if (chosen != nullptr) *chosen = dlg.m_pMaterial;
        return r;
    }
};

CString Text(CDialog* d, int id)
{
    CString t;
    d->GetDlgItemText(id, t);
    return t;
}

bool Enabled(CDialog* d, int id) { return d->GetDlgItem(id)->IsWindowEnabled() != FALSE; }

std::vector<std::string> Row(CDialog* d, int row)
{
    auto* list = static_cast<CListCtrl*>(d->GetDlgItem(IDC_MATLIB_LIST));
    std::vector<std::string> cells;
    for (int c = 0; c < 5; ++c)
        cells.push_back(std::string(list->GetItemText(row, c)));
    return cells;
}

std::vector<std::string> Headings(CDialog* d)
{
    auto* list = static_cast<CListCtrl*>(d->GetDlgItem(IDC_MATLIB_LIST));
    std::vector<std::string> out;
    for (int c = 0; c < list->GetColumnCount(); ++c) {
        char buf[64] = {};
        LVCOLUMN col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = buf;
        col.cchTextMax = sizeof buf;
        list->GetColumn(c, &col);
        out.push_back(std::string(buf) + "/" + std::to_string(col.cx));
    }
    return out;
}

} // namespace

TEST_F(Materials, NewSteelWithTheDefaults)
{
    ScriptedUser::Click(IDC_MATLIB_ADD, IDD_MATERIALLIB);
    ScriptedUser::Run(
        [](CDialog* d) {
            CString caption;
            d->GetWindowText(caption);
            EXPECT_EQ(caption, CString("定义钢材材性"));
            EXPECT_EQ(Text(d, IDC_MAT_STEELGRADE), CString("Q235"));
            EXPECT_TRUE(Enabled(d, IDC_MAT_STEELGRADE));
            EXPECT_EQ(Text(d, IDC_MAT_DESC), CString("Q235B"));
            EXPECT_EQ(Text(d, IDC_MAT_DENSITY), CString("7850"));
            EXPECT_EQ(Text(d, IDC_MAT_E), CString("206000"));
            EXPECT_EQ(Text(d, IDC_MAT_POISSON), CString("0.304"));
            EXPECT_FALSE(Enabled(d, IDC_MAT_F));
            EXPECT_FALSE(Enabled(d, IDC_MAT_FV));
        },
        IDD_MATERIALSTEEL);
    ScriptedUser::PressOK(IDD_MATERIALSTEEL);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Row(d, 0), (std::vector<std::string>{"M1  ", "Q235", "235.0", "206000.0", "Q235B"}));
        },
        IDD_MATERIALLIB);
    ScriptedUser::PressCancel(IDD_MATERIALLIB);
    EXPECT_EQ(Run(CDlgMaterial::MODE_STEEL), IDCANCEL);

    ASSERT_EQ(s.m_pMaterialSteelList->GetCount(), 1);
    const CMaterialBase* m = s.m_pMaterialSteelList->Get(1);
    EXPECT_EQ(m->GetType(), 1);
    EXPECT_FLOAT_EQ(m->GetE(), 20600.0f);
    EXPECT_FLOAT_EQ(m->Get_fy(), 23.5f);
    EXPECT_FLOAT_EQ(m->GetDensity(), 0.00785f);
    EXPECT_FLOAT_EQ(m->GetExpand(), 12e-6f);
    EXPECT_FLOAT_EQ(m->GetPoisson(), 0.304f);
    EXPECT_EQ(m->Get_f(), 0.0f);
    EXPECT_EQ(m->Get_fv(), 0.0f);
    EXPECT_EQ(m->GetName(), CString("Q235"));
    EXPECT_EQ(m->GetText1(), CString("Q235B"));
}

TEST_F(Materials, CustomSteelKeepsItsStrengthsAndShowsThemForEditing)
{
    ScriptedUser::Click(IDC_MATLIB_ADD, IDD_MATERIALLIB);
    ScriptedUser::SelectRow(IDC_MAT_STEELGRADE, 4, IDD_MATERIALSTEEL);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Text(d, IDC_MAT_DESC), CString("Foreign"));
            EXPECT_EQ(Text(d, IDC_MAT_FY), CString("235"));
            EXPECT_EQ(Text(d, IDC_MAT_F), CString("215"));
            EXPECT_EQ(Text(d, IDC_MAT_FV), CString("125"));
            EXPECT_TRUE(Enabled(d, IDC_MAT_F));
            EXPECT_TRUE(Enabled(d, IDC_MAT_FV));
        },
        IDD_MATERIALSTEEL);
    ScriptedUser::PressOK(IDD_MATERIALSTEEL);
    // Back to a table grade: f and fv go back to 0 and are locked again.
    ScriptedUser::Click(IDC_MATLIB_ADD, IDD_MATERIALLIB);
    ScriptedUser::SelectRow(IDC_MAT_STEELGRADE, 4, IDD_MATERIALSTEEL);
    ScriptedUser::SelectRow(IDC_MAT_STEELGRADE, 1, IDD_MATERIALSTEEL);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Text(d, IDC_MAT_DESC), CString("Q345B"));
            EXPECT_EQ(Text(d, IDC_MAT_F), CString("0"));
            EXPECT_FALSE(Enabled(d, IDC_MAT_F));
            EXPECT_FALSE(Enabled(d, IDC_MAT_FV));
        },
        IDD_MATERIALSTEEL);
    ScriptedUser::PressOK(IDD_MATERIALSTEEL);
    ScriptedUser::SelectRow(IDC_MATLIB_LIST, 0, IDD_MATERIALLIB);
    ScriptedUser::Click(IDC_MATLIB_EDIT, IDD_MATERIALLIB);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Text(d, IDC_MAT_STEELGRADE), CString("自定义"));
            EXPECT_FALSE(Enabled(d, IDC_MAT_STEELGRADE)) << "an edited record keeps its grade";
            EXPECT_EQ(Text(d, IDC_MAT_F), CString("215"));
            EXPECT_EQ(Text(d, IDC_MAT_FV), CString("125"));
            EXPECT_TRUE(Enabled(d, IDC_MAT_F));
            EXPECT_TRUE(Enabled(d, IDC_MAT_FV));
        },
        IDD_MATERIALSTEEL);
    ScriptedUser::PressCancel(IDD_MATERIALSTEEL);
    ScriptedUser::PressCancel(IDD_MATERIALLIB);
    Run(CDlgMaterial::MODE_BOTH);

    ASSERT_EQ(s.m_pMaterialSteelList->GetCount(), 2);
    const CMaterialBase* custom = s.m_pMaterialSteelList->Get(1);
    EXPECT_EQ(custom->GetType(), 5);
    EXPECT_FLOAT_EQ(custom->Get_f(), 21.5f);
    EXPECT_FLOAT_EQ(custom->Get_fv(), 12.5f);
    EXPECT_EQ(custom->GetName(), CString("Foreign"));
    const CMaterialBase* q345 = s.m_pMaterialSteelList->Get(2);
    EXPECT_EQ(q345->GetType(), 2);
    EXPECT_EQ(q345->GetName(), CString("Q345"));
    EXPECT_FLOAT_EQ(q345->Get_fy(), 34.5f);
    EXPECT_EQ(q345->Get_f(), 0.0f);
}

TEST_F(Materials, EditingWritesBackTheValuesAndRenamesTheGrade)
{
    CMaterialBase* m = AddMaterial(s.m_pMaterialSteelList, 2, "Q345", 34.5f, 20600.0);
    m->SetText1("Q345B");
    m->SetDensity(0.00785f);
    m->SetExpand(12.0f);
    m->SetPoisson(0.3f);
    m->Set_f(31.0f); // not a custom grade: f is not the dialog's to change
    ScriptedUser::DoubleClickRow(IDC_MATLIB_LIST, 0, IDD_MATERIALLIB);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Text(d, IDC_MAT_E), CString("206000"));
            EXPECT_EQ(Text(d, IDC_MAT_FY), CString("345"));
            EXPECT_EQ(Text(d, IDC_MAT_DENSITY), CString("7850"));
            EXPECT_EQ(Text(d, IDC_MAT_EXPAND), CString("12"));
            EXPECT_EQ(Text(d, IDC_MAT_POISSON), CString("0.3"));
            EXPECT_EQ(Text(d, IDC_MAT_DESC), CString("Q345B"));
            EXPECT_EQ(Text(d, IDC_MAT_STEELGRADE), CString("Q345"));
        },
        IDD_MATERIALSTEEL);
    ScriptedUser::SetText(IDC_MAT_DESC, "Q345C", IDD_MATERIALSTEEL);
    ScriptedUser::SetText(IDC_MAT_FY, "325", IDD_MATERIALSTEEL);
    ScriptedUser::SetText(IDC_MAT_DENSITY, "7800", IDD_MATERIALSTEEL);
    ScriptedUser::PressOK(IDD_MATERIALSTEEL);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Row(d, 0), (std::vector<std::string>{"M1  ", "Q345C", "325.0", "206000.0", "Q345C"}));
        },
        IDD_MATERIALLIB);
    ScriptedUser::SelectRow(IDC_MATLIB_LIST, 0, IDD_MATERIALLIB);
    ScriptedUser::PressOK(IDD_MATERIALLIB);
    CMaterialBase* chosen = nullptr;
    EXPECT_EQ(Run(CDlgMaterial::MODE_STEEL, &chosen), IDOK);
    EXPECT_EQ(chosen, m);
    EXPECT_EQ(m->GetName(), CString("Q345C"));
    EXPECT_EQ(m->GetText1(), CString("Q345C"));
    EXPECT_FLOAT_EQ(m->Get_fy(), 32.5f);
    EXPECT_FLOAT_EQ(m->GetDensity(), 0.0078f);
    EXPECT_FLOAT_EQ(m->Get_f(), 31.0f);
    EXPECT_EQ(m->GetType(), 2);
}

TEST_F(Materials, ConcreteGradesSetTheirValues)
{
    struct Case
    {
        int entry;
        int type;
        const char* grade;
        const char* description;
        float E, fc, ft; // stored: MPa x 0.1
    };
    const Case cases[] = {
        {0, 101, "C10", "C10", 1750.0f, 0.5f, 0.065f},
        {12, 113, "C70", "C70", 3700.0f, 3.18f, 0.214f},
        {15, 116, "其他混凝土", "其他混凝土", 3600.0f, 3.59f, 0.222f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.grade);
        ScriptedUser::Reset();
        ScriptedUser::Click(IDC_MATLIB_ADD, IDD_MATERIALLIB);
        ScriptedUser::SelectRow(IDC_MAT_CONCRETEGRADE, c.entry, IDD_MATERIALCONCRETE);
        ScriptedUser::PressOK(IDD_MATERIALCONCRETE);
        ScriptedUser::PressCancel(IDD_MATERIALLIB);
        Run(CDlgMaterial::MODE_CONCRETE);
        CMaterialBase* m = s.m_pMaterialConcreteList->Get((int)s.m_pMaterialConcreteList->GetCount());
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->GetType(), c.type);
        EXPECT_EQ(m->GetName(), CString(c.grade));
        EXPECT_EQ(m->GetText1(), CString(c.description));
        EXPECT_FLOAT_EQ(m->GetE(), c.E);
        EXPECT_FLOAT_EQ(m->Get_fc(), c.fc);
        EXPECT_FLOAT_EQ(m->Get_ft(), c.ft);
        EXPECT_FLOAT_EQ(m->GetDensity(), 0.0025f);
        EXPECT_FLOAT_EQ(m->GetPoisson(), 0.2f);
        EXPECT_FLOAT_EQ(m->GetExpand(), 10e-6f);
    }
    EXPECT_EQ(s.m_pMaterialSteelList->GetCount(), 0);
}

TEST_F(Materials, TabsFollowTheModeAndSwitchTheColumns)
{
    AddMaterial(s.m_pMaterialSteelList, 1, "Q235", 23.5f, 20600.0);
    AddMaterial(s.m_pMaterialConcreteList, 105, "C30", 1.43f, 3000.0);
    ScriptedUser::Run(
        [](CDialog* d) {
            auto* tab = static_cast<CTabCtrl*>(d->GetDlgItem(IDC_MATLIB_TAB));
            EXPECT_EQ(tab->GetItemCount(), 2);
            EXPECT_EQ(Headings(d), (std::vector<std::string>{"编号/40", " 类型/60", " fy(MPa)/70", " E(MPa)/80",
                                                              "       描述/158"}));
            EXPECT_EQ(Row(d, 0)[1], "Q235");
        },
        IDD_MATERIALLIB);
    ScriptedUser::SelectRow(IDC_MATLIB_TAB, 1, IDD_MATERIALLIB);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Headings(d), (std::vector<std::string>{"编号/40", " 类型/60", " fc(MPa)/70", " E(MPa)/80",
                                                              "       描述/158"}));
            EXPECT_EQ(Row(d, 0), (std::vector<std::string>{"M1  ", "C30", "14.3", "30000.0", "C30"}));
        },
        IDD_MATERIALLIB);
    ScriptedUser::SelectRow(IDC_MATLIB_LIST, 0, IDD_MATERIALLIB);
    ScriptedUser::PressOK(IDD_MATERIALLIB);
    CMaterialBase* chosen = nullptr;
    EXPECT_EQ(Run(CDlgMaterial::MODE_BOTH, &chosen), IDOK);
    EXPECT_EQ(chosen, s.m_pMaterialConcreteList->Get(1));

    for (int mode : {CDlgMaterial::MODE_STEEL, CDlgMaterial::MODE_CONCRETE}) {
        ScriptedUser::Reset();
        ScriptedUser::Run(
            [mode](CDialog* d) {
                CString caption;
                auto* tab = static_cast<CTabCtrl*>(d->GetDlgItem(IDC_MATLIB_TAB));
                ASSERT_EQ(tab->GetItemCount(), 1);
                TCITEM item{};
                char buf[32] = {};
                item.mask = TCIF_TEXT;
                item.pszText = buf;
                item.cchTextMax = sizeof buf;
                tab->GetItem(0, &item);
                EXPECT_EQ(std::string(buf), mode == CDlgMaterial::MODE_STEEL ? "钢材" : "混凝土");
            },
            IDD_MATERIALLIB);
        ScriptedUser::PressOK(IDD_MATERIALLIB);
        EXPECT_EQ(Run(mode, &chosen), IDOK);
        EXPECT_EQ(chosen, nullptr) << "OK with no selected row chooses nothing";
    }
}

TEST_F(Materials, ListNumbersRowsByPosition)
{
    CMaterialBase* a = AddMaterial(s.m_pMaterialSteelList, 1, "Q235", 23.5f, 20600.0);
    AddMaterial(s.m_pMaterialSteelList, 2, "Q345", 34.5f, 20600.0);
    a->SetID(7);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Row(d, 0)[0], "M1  ");
            EXPECT_EQ(Row(d, 1)[0], "M2  ");
        },
        IDD_MATERIALLIB);
    ScriptedUser::PressCancel(IDD_MATERIALLIB);
    Run(CDlgMaterial::MODE_STEEL);
}

TEST_F(Materials, DeleteRefusesMaterialsInUseAndNamesTheFirstUser)
{
    CMaterialBase* c = AddMaterial(s.m_pMaterialConcreteList, 105, "C30", 1.43f, 3000.0);
    CMaterialBase* steel = AddMaterial(s.m_pMaterialSteelList, 1, "Q235", 23.5f, 20600.0);
    auto* floor = new CFloor;
    floor->m_nNo = 3;
    s.m_pFloorList->AddTail(floor);
    auto* sec = new CSWeldedIbeam(105, 300, 150, 10, 6);
    s.m_pSectionList->Add(sec, true);
    sec->m_nNo = 5;
    auto* stay = new CStay;
    s.m_pStayList->Add(stay);

    struct Case
    {
        const char* what;
        std::function<void()> arrange;
        int mode;
        const char* message;
    };
    const Case cases[] = {
        {"default slab material before storeys and sections",
         [&] {
             s.m_pDefaultFloorMaterial = c;
             s.m_pDefaultWallMaterial = c;
             floor->m_pSlabMaterial = c;
             sec->m_pMaterial = c;
         },
         CDlgMaterial::MODE_CONCRETE, "选中的材料正在作为工程缺省楼板材料,无法删除!"},
        {"default wall material", [&] { s.m_pDefaultFloorMaterial = nullptr; }, CDlgMaterial::MODE_CONCRETE,
         "选中的材料正在作为工程缺省墙材料,无法删除!"},
        {"a storey's slab, numbered minus one", [&] { s.m_pDefaultWallMaterial = nullptr; },
         CDlgMaterial::MODE_CONCRETE, "选中的材料正在被楼面2使用,无法删除!"},
        {"a storey's walls", [&] {
             floor->m_pSlabMaterial = nullptr;
             floor->m_pWallMaterial = c;
         },
         CDlgMaterial::MODE_CONCRETE, "选中的材料正在被楼面2使用,无法删除!"},
        {"a section", [&] { floor->m_pWallMaterial = nullptr; }, CDlgMaterial::MODE_CONCRETE,
         "选中的材料正在被截面R 5使用,无法删除!"},
        {"steel of a section", [&] { sec->m_pMaterial = steel; }, CDlgMaterial::MODE_STEEL,
         "选中的材料正在被截面R 5使用,无法删除!"},
        {"steel of a batten plate", [&] {
             sec->m_pMaterial = nullptr;
             stay->m_pMaterial = steel;
         },
         CDlgMaterial::MODE_STEEL, "选中的材料正在被缀板/条S1使用,无法删除!"},
        {"steel of a lacing bar's angle", [&] {
             stay->m_pMaterial = nullptr;
             stay->m_nKind = 1;
             stay->SetAngleSec(new CSRolledEAngle(101, 50, 5, 5.5f, 3, 14.2f));
             stay->m_pAngle->m_pMaterial = steel;
         },
         CDlgMaterial::MODE_STEEL, "选中的材料正在被缀板/条S1使用,无法删除!"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        k.arrange();
        ScriptedUser::Reset();
        ScriptedUser::SelectRow(IDC_MATLIB_LIST, 0, IDD_MATERIALLIB);
        ScriptedUser::Click(IDC_MATLIB_DELETE, IDD_MATERIALLIB);
        ScriptedUser::AnswerMessageBox(IDOK, k.message);
        ScriptedUser::PressCancel(IDD_MATERIALLIB);
        Run(k.mode);
        EXPECT_EQ(s.m_pMaterialConcreteList->GetCount(), 1);
        EXPECT_EQ(s.m_pMaterialSteelList->GetCount(), 1);
    }

    // Once nothing refers to them, both go.
    stay->m_pAngle->m_pMaterial = nullptr;
    for (int mode : {CDlgMaterial::MODE_STEEL, CDlgMaterial::MODE_CONCRETE}) {
        ScriptedUser::Reset();
        ScriptedUser::SelectRow(IDC_MATLIB_LIST, 0, IDD_MATERIALLIB);
        ScriptedUser::Click(IDC_MATLIB_DELETE, IDD_MATERIALLIB);
        ScriptedUser::Run([](CDialog* d) {
            EXPECT_EQ(static_cast<CListCtrl*>(d->GetDlgItem(IDC_MATLIB_LIST))->GetItemCount(), 0);
        });
        ScriptedUser::PressCancel(IDD_MATERIALLIB);
        Run(mode);
    }
    EXPECT_EQ(s.m_pMaterialConcreteList->GetCount(), 0);
    EXPECT_EQ(s.m_pMaterialSteelList->GetCount(), 0);
    s.m_pStayList->DeleteStay(stay);
    delete stay;
}

TEST_F(Materials, NoRowAndBadNumbersAreRefused)
{
    AddMaterial(s.m_pMaterialSteelList, 1, "Q235", 23.5f, 20600.0);
    ScriptedUser::Click(IDC_MATLIB_EDIT, IDD_MATERIALLIB);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要编辑的材料!");
    ScriptedUser::Click(IDC_MATLIB_DELETE, IDD_MATERIALLIB);
    ScriptedUser::AnswerMessageBox(IDOK, "请选择要删除的材料!");
    ScriptedUser::Click(IDC_MATLIB_ADD, IDD_MATERIALLIB);
    ScriptedUser::SetText(IDC_MAT_E, "abc", IDD_MATERIALSTEEL);
    ScriptedUser::PressOK(IDD_MATERIALSTEEL);
    ScriptedUser::AnswerMessageBox(IDOK, "请输入一个数字。");
    ScriptedUser::Run([](CDialog* d) { EXPECT_TRUE(d->IsModalRunning()); }, IDD_MATERIALSTEEL);
    ScriptedUser::PressCancel(IDD_MATERIALSTEEL);
    ScriptedUser::PressCancel(IDD_MATERIALLIB);
    Run(CDlgMaterial::MODE_STEEL);
    EXPECT_EQ(s.m_pMaterialSteelList->GetCount(), 1);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 3u);
}

TEST_F(Materials, ConcreteDialogTakesItsTypeThroughTheObjectForm)
{
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(Text(d, IDC_MAT_CONCRETEGRADE), CString("C30"));
            EXPECT_FALSE(Enabled(d, IDC_MAT_CONCRETEGRADE));
        },
        IDD_MATERIALCONCRETE);
    ScriptedUser::PressOK(IDD_MATERIALCONCRETE);
    CDlgMaterialConcrete dlg;
    EXPECT_EQ(dlg.DoModal((INT_PTR)105), IDOK);
    EXPECT_EQ(dlg.m_nGrade, 4);
}
