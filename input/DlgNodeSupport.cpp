#include <vyr/input/DlgNodeSupport.h>

#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/KeyLists.h>
#include <vyr/resources/dialogs/DefsRes.h>

namespace {

// A release box and the stiffness box it disables.
struct SpringDirection
{
    int box;
    int edit;
    int* released;
    float* stiff;
};

const int kSpringEdits[6] = {IDC_SPRING_KFX, IDC_SPRING_KFY, IDC_SPRING_KFZ,
                             IDC_SPRING_KMX, IDC_SPRING_KMY, IDC_SPRING_KMZ};

void DisableReleasedStiffness(CDialog* dlg, const std::vector<SpringDirection>& directions)
{
    for (const SpringDirection& d : directions)
        if (*d.released != 0)
            dlg->GetDlgItem(d.edit)->EnableWindow(FALSE);
}

// A click on a release box: its stiffness box changes state; a disabled one holds 0, an
// enabled one starts again at 1e9.
void ToggleSpringDirection(CDialog* dlg, const std::vector<SpringDirection>& directions, UINT box)
{
    if (!dlg->UpdateData(TRUE))
        return;
    for (const SpringDirection& d : directions) {
        if (d.box != (int)box)
            continue;
        CWnd* edit = dlg->GetDlgItem(d.edit);
        const bool enable = !edit->IsWindowEnabled();
        edit->EnableWindow(enable);
        *d.stiff = enable ? 1e9f : 0.0f;
    }
    dlg->UpdateData(FALSE);
}

} // namespace

// ---------------------------------------------------------------- 3-D spring

BEGIN_MESSAGE_MAP(CDlgSupportspring, CDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_SPRING_FX, IDC_SPRING_MZ, &CDlgSupportspring::OnRelease)
END_MESSAGE_MAP()

CDlgSupportspring::CDlgSupportspring(CWnd* pParent) : CDialog(IDD_SUPPORTSPRING, pParent) {}

void CDlgSupportspring::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < 6; ++i) {
        DDX_Check(pDX, IDC_SPRING_FX + i, m_nRelease[i]);
        DDX_Text(pDX, kSpringEdits[i], m_fStiff[i]);
    }
}

static std::vector<SpringDirection> SpringDirections3D(CDlgSupportspring* dlg)
{
    std::vector<SpringDirection> out;
    for (int i = 0; i < 6; ++i)
        out.push_back({IDC_SPRING_FX + i, kSpringEdits[i], &dlg->m_nRelease[i], &dlg->m_fStiff[i]});
    return out;
}

BOOL CDlgSupportspring::OnInitDialog()
{
    CDialog::OnInitDialog();
    DisableReleasedStiffness(this, SpringDirections3D(this));
    return TRUE;
}

void CDlgSupportspring::OnRelease(UINT id) { ToggleSpringDirection(this, SpringDirections3D(this), id); }

// ---------------------------------------------------------------- 2-D spring

BEGIN_MESSAGE_MAP(CDlgSupportspring2D, CDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_SPRING_FX, IDC_SPRING_MZ, &CDlgSupportspring2D::OnRelease)
END_MESSAGE_MAP()

CDlgSupportspring2D::CDlgSupportspring2D(CWnd* pParent) : CDialog(IDD_SUPPORTSPRING2D, pParent) {}

void CDlgSupportspring2D::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_SPRING_FX, m_nReleaseFX);
    DDX_Check(pDX, IDC_SPRING_FZ, m_nReleaseFZ);
    DDX_Check(pDX, IDC_SPRING_MY, m_nReleaseMY);
    DDX_Text(pDX, IDC_SPRING_KFX, m_fKFX);
    DDX_Text(pDX, IDC_SPRING_KFZ, m_fKFZ);
    DDX_Text(pDX, IDC_SPRING_KMY, m_fKMY);
}

static std::vector<SpringDirection> SpringDirections2D(CDlgSupportspring2D* dlg)
{
    return {{IDC_SPRING_FX, IDC_SPRING_KFX, &dlg->m_nReleaseFX, &dlg->m_fKFX},
            {IDC_SPRING_FZ, IDC_SPRING_KFZ, &dlg->m_nReleaseFZ, &dlg->m_fKFZ},
            {IDC_SPRING_MY, IDC_SPRING_KMY, &dlg->m_nReleaseMY, &dlg->m_fKMY}};
}

BOOL CDlgSupportspring2D::OnInitDialog()
{
    CDialog::OnInitDialog();
    DisableReleasedStiffness(this, SpringDirections2D(this));
    return TRUE;
}

void CDlgSupportspring2D::OnRelease(UINT id) { ToggleSpringDirection(this, SpringDirections2D(this), id); }

// ---------------------------------------------------------------- library

BEGIN_MESSAGE_MAP(CDlgNodeSupport, CDialog)
    ON_BN_CLICKED(IDC_DEFS_ADD, &CDlgNodeSupport::OnAdd)
    ON_BN_CLICKED(IDC_DEFS_EDIT, &CDlgNodeSupport::OnEdit)
    ON_BN_CLICKED(IDC_DEFS_DELETE, &CDlgNodeSupport::OnDelete)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_DEFS_LIST, &CDlgNodeSupport::OnRowChanged)
END_MESSAGE_MAP()

CDlgNodeSupport::CDlgNodeSupport(CWnd* pParent, CPNodeList* nodes) : CDialog(IDD_NODESUPPORT, pParent), m_pNodeList(nodes)
{
    m_rows.m_library = [this]() -> CSupportList* {
        return m_pData != nullptr && m_pData->Struct() != nullptr ? m_pData->Struct()->m_pSupportList : nullptr;
    };
    m_rows.m_noneRow = {"取消结点约束", "无约束自由结点"};
    m_rows.m_noneImage = 0;
    m_rows.m_rowImage = [](CSupportBase* s) { return s->GetType() >= 1 && s->GetType() <= 7 ? s->GetType() : -1; };
    m_rows.m_rowText = [this](CSupportBase* s, int position) -> std::vector<CString> {
        static const char* const kinds[8] = {"",       "固接",          "铰接",          "",
                                             "XZ平面外约束", "YZ平面外约束", "绕X铰接绕Y固接", "绕Y铰接绕X固接"};
        CString name;
        if (s->GetType() == 3) {
            // Springs are counted as they are met.
            CSupportList* list = m_pData->Struct()->m_pSupportList;
            int springs = 0;
            for (int p = 1; p <= position; ++p)
                springs += list->Get(p)->GetType() == 3 ? 1 : 0;
            name.Format("弹簧约束%d", springs);
        } else if (s->GetType() >= 1 && s->GetType() <= 7) {
            name = kinds[s->GetType()];
        }
        CString text;
        s->GetDescription(&text);
        return {name, text};
    };
    m_rows.m_usedBy = [](CSupportBase* s) {
        return s->GetType() != 3 ? CString("该支座为缺省支座，不得删除!") : CString();
    };
    m_rows.m_deleteQuestion = [this](CSupportBase* s) {
        const int users = vyrkeys::CountIf(m_pData->Struct()->m_pNodeList, [s](CPNode* n) { return n->GetSupport() == s; });
        CString question;
        if (users > 0)
            question.Format("%d个结点正在使用此约束，删除后，这些结点的约束定义也被删除，您确定吗？", users);
        return question;
    };
    m_rows.m_forget = [this](CSupportBase* s) {
        auto clear = [s](CPNode* n) {
            if (n->GetSupport() == s)
                n->SetSupport(nullptr);
        };
        vyrkeys::ForEach(m_pData->Struct()->m_pNodeList, clear);
        vyrkeys::ForEach(m_pNodeList, clear);
    };
    m_rows.m_bSelectNoneRow = true;
    m_rows.m_bReselectEdited = true;
}

int CDlgNodeSupport::RowOfSupport(const CSupportBase* support, bool threeD)
{
    if (support == nullptr)
        return 0;
    switch (support->GetType()) {
    case 1: return 1;
    case 2: return 2;
    case 3: return support->m_nSpringNo + (threeD ? 6 : 2);
    case 6: return threeD ? 3 : -1;
    case 7: return threeD ? 4 : -1;
    case 4: return threeD ? 5 : -1;
    case 5: return threeD ? 6 : -1;
    default: return -1;
    }
}

void CDlgNodeSupport::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DEFS_LIST, m_list);
}

BOOL CDlgNodeSupport::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_ImageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
    for (UINT icon : {IDI_SUPPORT_NONE, IDI_SUPPORT_FIXED, IDI_SUPPORT_PINNED, IDI_SUPPORT_SPRING, IDI_SUPPORT_XZ,
                      IDI_SUPPORT_YZ, IDI_SUPPORT_XPIN, IDI_SUPPORT_YPIN})
        m_ImageList.Add(AfxGetApp() != nullptr ? AfxGetApp()->LoadIcon(icon)
                                               : ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(icon)));
    m_list.SetImageList(&m_ImageList, LVSIL_SMALL);
    m_rows.SetColumns({{"类型", 150}, {"约束", 250}});
    m_rows.Fill();
    m_rows.SelectRow(RowOfSupport(m_pSupport, CVyrProduct::Inst().Is3D() != 0));
    return TRUE;
}

void CDlgNodeSupport::OnRowChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* nm = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (nm->iItem <= 0 || (nm->uNewState & LVIS_SELECTED) == 0 || (nm->uOldState & LVIS_SELECTED) != 0)
        return;
    CSupportBase* s = m_rows.RowDefinition(nm->iItem);
    if (s == nullptr)
        return;
    const BOOL spring = s->GetType() == 3;
    GetDlgItem(IDC_DEFS_DELETE)->EnableWindow(spring);
    GetDlgItem(IDC_DEFS_EDIT)->EnableWindow(spring);
}

float CDlgNodeSupport::Shown(int direction, float stored) const
{
    const float ul = m_pData->UnitLength(), uf = m_pData->UnitForce();
    return direction < 3 ? stored * uf / ul : stored * ul * uf;
}

float CDlgNodeSupport::Stored(int direction, float shown) const
{
    const float ul = m_pData->UnitLength(), uf = m_pData->UnitForce();
    return direction < 3 ? shown * ul / uf : shown / uf / ul;
}

void CDlgNodeSupport::OnAdd()
{
    m_rows.Add([this] { return AddSpring(); });
}

bool CDlgNodeSupport::AddSpring()
{
    const CVyrProduct& edition = CVyrProduct::Inst();
    CSupportSpring* spring = nullptr;
    if (edition.Is3D()) {
        CDlgSupportspring dlg(this);
        if (dlg.DoModal() != IDOK)
            return false;
        spring = new CSupportSpring;
        for (int i = 0; i < 6; ++i) {
            spring->m_nRelease[i] = dlg.m_nRelease[i];
            spring->m_fStiff[i] = dlg.m_nRelease[i] != 0 ? 0.0f : Stored(i, dlg.m_fStiff[i]);
        }
    } else if (edition.Is2D()) {
        CDlgSupportspring2D dlg(this);
        if (dlg.DoModal() != IDOK)
            return false;
        // FY, MX and MZ keep what a new spring holds.
        spring = new CSupportSpring;
        const int released[3] = {dlg.m_nReleaseFX, dlg.m_nReleaseFZ, dlg.m_nReleaseMY};
        const float stiff[3] = {dlg.m_fKFX, dlg.m_fKFZ, dlg.m_fKMY};
        const int direction[3] = {0, 2, 4};
        for (int k = 0; k < 3; ++k) {
            const int i = direction[k];
            spring->m_nRelease[i] = released[k];
            spring->m_fStiff[i] = released[k] != 0 ? 0.0f : Stored(i, stiff[k]);
        }
    } else {
        return false;
    }
    m_pData->Struct()->m_pSupportList->Add(spring);
    return true;
}

void CDlgNodeSupport::OnEdit()
{
    m_rows.Edit([this](CSupportBase* s) { return EditSpring(s); });
}

bool CDlgNodeSupport::EditSpring(CSupportBase* s)
{
    if (s->GetType() != 3) {
        AfxMessageBox("该支座为缺省支座，无编辑功能!");
        return false;
    }
    const CVyrProduct& edition = CVyrProduct::Inst();
    if (edition.Is3D()) {
        CDlgSupportspring dlg(this);
        for (int i = 0; i < 6; ++i) {
            dlg.m_nRelease[i] = s->m_nRelease[i];
            dlg.m_fStiff[i] = Shown(i, s->m_fStiff[i]);
        }
        if (dlg.DoModal() != IDOK)
            return false;
        for (int i = 0; i < 6; ++i) {
            s->m_nRelease[i] = dlg.m_nRelease[i];
            s->m_fStiff[i] = dlg.m_nRelease[i] != 0 ? 0.0f : Stored(i, dlg.m_fStiff[i]);
        }
        return true;
    }
    if (edition.Is2D()) {
        CDlgSupportspring2D dlg(this);
        dlg.m_nReleaseFX = s->m_nRelease[0];
        dlg.m_nReleaseFZ = s->m_nRelease[2];
        dlg.m_nReleaseMY = s->m_nRelease[4];
        dlg.m_fKFX = Shown(0, s->m_fStiff[0]);
        dlg.m_fKFZ = Shown(2, s->m_fStiff[2]);
        dlg.m_fKMY = Shown(4, s->m_fStiff[4]);
        if (dlg.DoModal() != IDOK)
            return false;
        const int released[3] = {dlg.m_nReleaseFX, dlg.m_nReleaseFZ, dlg.m_nReleaseMY};
        const float stiff[3] = {dlg.m_fKFX, dlg.m_fKFZ, dlg.m_fKMY};
        const int direction[3] = {0, 2, 4};
        for (int k = 0; k < 3; ++k) {
            s->m_nRelease[direction[k]] = released[k];
            s->m_fStiff[direction[k]] = released[k] != 0 ? 0.0f : Stored(direction[k], stiff[k]);
        }
        return true;
    }
    return false;
}

void CDlgNodeSupport::OnDelete()
{
    m_rows.Delete();
}

void CDlgNodeSupport::OnOK()
{
    m_rows.Choose(m_pSupport);
    EndDialog(IDOK);
}
