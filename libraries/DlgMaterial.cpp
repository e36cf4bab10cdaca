#include <vyr/libraries/DlgMaterial.h>

#include <vyr/libraries/DlgMaterialConcrete.h>
#include <vyr/libraries/DlgMaterialSteel.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/MaterialRes.h>

namespace {
constexpr int kSteel = 0, kConcrete = 1;
constexpr int kCustomSteelEntry = 4;
constexpr int kCustomConcreteEntry = 15;
constexpr int kCustomSteelType = 5;
} // namespace

BEGIN_MESSAGE_MAP(CDlgMaterial, CDialog)
    ON_NOTIFY(TCN_SELCHANGE, IDC_MATLIB_TAB, &CDlgMaterial::OnTabChange)
    ON_NOTIFY(NM_DBLCLK, IDC_MATLIB_LIST, &CDlgMaterial::OnDblClkList)
    ON_BN_CLICKED(IDC_MATLIB_ADD, &CDlgMaterial::OnAdd)
    ON_BN_CLICKED(IDC_MATLIB_EDIT, &CDlgMaterial::OnEdit)
    ON_BN_CLICKED(IDC_MATLIB_DELETE, &CDlgMaterial::OnDelete)
END_MESSAGE_MAP()

CDlgMaterial::CDlgMaterial(CWnd* pParent) : CDialog(IDD_MATERIALLIB, pParent)
{
    m_rows.m_library = [this] { return CurrentList(); };
    m_rows.m_rowText = [](CMaterialBase* m, int position) -> std::vector<CString> {
        CString no, grade, strength, e;
        no.Format("M%-3d", position);
        grade.Format("%-14s", (LPCTSTR)m->GetName());
        grade.TrimRight();
        strength.Format("%-.1f", (double)m->Get_fy() * 10.0);
        e.Format("%-.1f", (double)m->GetE() * 10.0);
        return {no, grade, strength, e, m->GetText1()};
    };
    m_rows.m_usedBy = [this](CMaterialBase* m) { return UsedBy(m, m_nKind); };
    m_rows.m_noEditRow = "请选择要编辑的材料!";
    m_rows.m_noDeleteRow = "请选择要删除的材料!";
}

INT_PTR CDlgMaterial::DoModal(int mode)
{
    m_nMode = mode;
    return CDialog::DoModal();
}

void CDlgMaterial::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MATLIB_TAB, m_tab);
    DDX_Control(pDX, IDC_MATLIB_LIST, m_list);
}

BOOL CDlgMaterial::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pMaterial = nullptr;
    if (m_nMode == MODE_CONCRETE) {
        m_tab.InsertItem(0, "混凝土");
        m_nKind = kConcrete;
    } else if (m_nMode == MODE_STEEL) {
        m_tab.InsertItem(0, "钢材");
        m_nKind = kSteel;
    } else {
        m_tab.InsertItem(0, "钢材");
        m_tab.InsertItem(1, "混凝土");
        m_nKind = kSteel;
    }
    m_tab.SetCurSel(0);
    BuildColumns();
    m_rows.Fill();
    return TRUE;
}

CMaterialList* CDlgMaterial::CurrentList() const
{
    CStruct* s = m_pData != nullptr ? m_pData->Struct() : nullptr;
    if (s == nullptr) return nullptr;
    return m_nKind == kSteel ? s->m_pMaterialSteelList : s->m_pMaterialConcreteList;
}

void CDlgMaterial::BuildColumns()
{
    m_rows.SetColumns({{"编号", 40},
                       {" 类型", 60},
                       {m_nKind == kSteel ? " fy(MPa)" : " fc(MPa)", 70},
                       {" E(MPa)", 80},
                       {"       描述", 158}});
}

void CDlgMaterial::OnTabChange(NMHDR*, LRESULT* pResult)
{
    if (m_nMode == MODE_BOTH) {
        m_nKind = m_tab.GetCurSel() == 1 ? kConcrete : kSteel;
        BuildColumns();
        m_rows.Fill();
    }
    *pResult = 0;
}

void CDlgMaterial::OnAdd()
{
    m_rows.Add([this] { return AddMaterial(); });
}

bool CDlgMaterial::AddMaterial()
{
    CMaterialList* list = CurrentList();
    if (list == nullptr) return false;
    if (m_nKind == kSteel) {
        CDlgMaterialSteel dlg(this);
        if (dlg.DoModal(0) != IDOK) return false;
        const int entry = dlg.m_nGrade >= 0 && dlg.m_nGrade < CDlgMaterialSteel::GRADES ? dlg.m_nGrade : 0;
        auto* m = new CMaterialBase;
        m->SetType(entry + 1);
        m->SetE(dlg.m_dE * 0.1);
        m->Set_fy(dlg.m_fFy * 0.1f);
        m->Set_f(dlg.m_fF * 0.1f);
        m->Set_fv(dlg.m_fFv * 0.1f);
        m->SetDensity(dlg.m_fDensity * 1e-6f);
        m->SetExpand(dlg.m_fExpand);
        m->SetPoisson(dlg.m_fPoisson);
        m->SetName(entry == kCustomSteelEntry ? dlg.m_strDescription : CString(CDlgMaterialSteel::Grade(entry).grade));
        m->SetText1(dlg.m_strDescription);
        list->AddMaterial(m);
    } else {
        CDlgMaterialConcrete dlg(this);
        if (dlg.DoModal((INT_PTR)0) != IDOK) return false;
        const int entry = dlg.m_nGrade >= 0 && dlg.m_nGrade < CDlgMaterialConcrete::GRADES ? dlg.m_nGrade : 0;
        auto* m = new CMaterialBase;
        m->SetType(CDlgMaterialConcrete::FIRST_TYPE + entry);
        m->SetE(dlg.m_dE * 0.1);
        m->Set_fc(dlg.m_fFc * 0.1f);
        m->Set_ft(dlg.m_fFt * 0.1f);
        m->SetDensity(dlg.m_fDensity * 1e-6f);
        m->SetExpand(dlg.m_fExpand);
        m->SetPoisson(dlg.m_fPoisson);
        m->SetName(entry == kCustomConcreteEntry ? dlg.m_strDescription
                                                 : CString(CDlgMaterialConcrete::Grade(entry).grade));
        m->SetText1(dlg.m_strDescription);
        list->AddMaterial(m);
    }
    return true;
}

void CDlgMaterial::OnEdit()
{
    m_rows.Edit([this](CMaterialBase* m) { return EditMaterial(m); });
}

bool CDlgMaterial::EditMaterial(CMaterialBase* m)
{
    // The record keeps the expansion coefficient in units of 1e-6 per degree.
    const float expand = (float)((double)m->GetExpand() * 1e6);
    if (m_nKind == kSteel) {
        CDlgMaterialSteel dlg(this);
        dlg.m_dE = (double)m->GetE() * 10.0;
        dlg.m_fFy = m->Get_fy() * 10.0f;
        dlg.m_fDensity = m->GetDensity() * 1e6f;
        dlg.m_fExpand = expand;
        dlg.m_fPoisson = m->GetPoisson();
        dlg.m_strDescription = m->GetText1();
        const bool custom = m->GetType() == kCustomSteelType;
        if (custom) {
            dlg.m_fF = m->Get_f() * 10.0f;
            dlg.m_fFv = m->Get_fv() * 10.0f;
        }
        if (dlg.DoModal(m->GetType()) != IDOK) return false;
        m->SetE(dlg.m_dE * 0.1);
        m->Set_fy(dlg.m_fFy * 0.1f);
        m->SetDensity(dlg.m_fDensity * 1e-6f);
        m->SetExpand(dlg.m_fExpand);
        m->SetPoisson(dlg.m_fPoisson);
        if (custom) {
            m->Set_f(dlg.m_fF * 0.1f);
            m->Set_fv(dlg.m_fFv * 0.1f);
        }
        m->SetName(dlg.m_strDescription);
        m->SetText1(dlg.m_strDescription);
    } else {
        CDlgMaterialConcrete dlg(this);
        dlg.m_dE = (double)m->GetE() * 10.0;
        dlg.m_fFc = m->Get_fc() * 10.0f;
        dlg.m_fFt = m->Get_ft() * 10.0f;
        dlg.m_fDensity = m->GetDensity() * 1e6f;
        dlg.m_fExpand = expand;
        dlg.m_fPoisson = m->GetPoisson();
        dlg.m_strDescription = m->GetText1();
        if (dlg.DoModal((INT_PTR)m->GetType()) != IDOK) return false;
        m->SetE(dlg.m_dE * 0.1);
        m->Set_fc(dlg.m_fFc * 0.1f);
        m->Set_ft(dlg.m_fFt * 0.1f);
        m->SetDensity(dlg.m_fDensity * 1e-6f);
        m->SetExpand(dlg.m_fExpand);
        m->SetPoisson(dlg.m_fPoisson);
        m->SetName(dlg.m_strDescription);
        m->SetText1(dlg.m_strDescription);
    }
    return true;
}

void CDlgMaterial::OnDblClkList(NMHDR*, LRESULT* pResult)
{
    OnEdit();
    *pResult = 0;
}

CString CDlgMaterial::UsedBy(CMaterialBase* pMat, int kind) const
{
    CString why;
    CStruct* s = m_pData != nullptr ? m_pData->Struct() : nullptr;
    if (s == nullptr || pMat == nullptr) return why;
    if (kind == kConcrete) {
        if (s->m_pDefaultFloorMaterial == pMat) return CString("选中的材料正在作为工程缺省楼板材料,无法删除!");
        if (s->m_pDefaultWallMaterial == pMat) return CString("选中的材料正在作为工程缺省墙材料,无法删除!");
        // A storey's wall setting would be left as dangling as its slab setting.
        for (POSITION pos = s->m_pFloorList->GetHeadPosition(); pos != nullptr;) {
            CFloor* f = s->m_pFloorList->GetNextT(pos);
            if (f->m_pSlabMaterial == pMat || f->m_pWallMaterial == pMat) {
                why.Format("选中的材料正在被楼面%d使用,无法删除!", f->GetNo() - 1);
                return why;
            }
        }
    }
    CSectionList* secs = s->m_pSectionList;
    for (int i = 1; i <= (int)secs->GetCount(); ++i)
        if (secs->Get(i)->m_pMaterial == pMat) {
            why.Format("选中的材料正在被截面R%2d使用,无法删除!", secs->Get(i)->m_nNo);
            return why;
        }
    if (kind == kSteel && s->m_pStayList != nullptr) {
        // Batten plates keep their material, lacing bars their angle's.
        for (int i = 1; i <= (int)s->m_pStayList->GetCount(); ++i) {
            CStay* stay = s->m_pStayList->Get(i);
            const bool angleUses = stay->m_pAngle != nullptr && stay->m_pAngle->m_pMaterial == pMat;
            if (stay->m_pMaterial == pMat || angleUses) {
                why.Format("选中的材料正在被缀板/条S%d使用,无法删除!", stay->m_nNo);
                return why;
            }
        }
    }
    return why;
}

void CDlgMaterial::OnDelete()
{
    m_rows.Delete();
}

void CDlgMaterial::OnOK()
{
    // No selected row chooses no material.
    m_rows.Choose(m_pMaterial);
    CDialog::OnOK();
}
