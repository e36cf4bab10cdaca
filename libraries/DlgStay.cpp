#include <vyr/libraries/DlgStay.h>

#include <vyr/libraries/DlgMaterial.h>
#include <vyr/libraries/DlgStdSectionLib.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/StayRes.h>

// ---------------------------------------------------------------- batten plate

BEGIN_MESSAGE_MAP(CDlgStayPlate, CDialog)
    ON_BN_CLICKED(IDC_STAYPLATE_CHOOSEMAT, &CDlgStayPlate::OnChooseMaterial)
END_MESSAGE_MAP()

CDlgStayPlate::CDlgStayPlate(CCombineSecBase* pSection, CMaterialBase* pMaterial, CWnd* pParent)
    : CDialog(IDD_STAYPLATE, pParent), m_pSection(pSection), m_pMaterial(pMaterial)
{
}

bool CDlgStayPlate::ProposeLength(CCombineSecBase* pSection, float& length)
{
    if (pSection == nullptr) return false;
    const int type = pSection->GetType();
    if (type < 609 || type > 619) return false;
    const CSectionBase* p1 = pSection->m_pSec1;
    const CSectionBase* p2 = pSection->m_pSec2;
    const float B = pSection->m_fB;
    switch (type) {
    case 609:
        if (p1 == nullptr) return false;
        length = B - p1->m_fB;
        return true;
    case 610:
    case 612:
    case 613:
        if (p1 == nullptr) return false;
        length = B - 2.0f * p1->m_fXc;
        return true;
    case 611:
    case 614:
    case 616:
        if (p1 == nullptr || p2 == nullptr) return false;
        length = B - p2->m_fXc - 0.5f * p1->m_fB;
        return true;
    case 615:
        // 0.05 of the limb's width, as the library has always proposed it.
        if (p1 == nullptr || p2 == nullptr) return false;
        length = B - p2->m_fYc - 0.05f * p1->m_fB;
        return true;
    case 617:
    case 619:
        if (p1 == nullptr || p2 == nullptr) return false;
        length = B - p1->m_fXc - p2->m_fXc;
        return true;
    default: // 618
        if (p1 == nullptr || p2 == nullptr) return false;
        length = B - p2->m_fYc - p1->m_fXc;
        return true;
    }
}

void CDlgStayPlate::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_STAYPLATE_LENGTH, m_fLength);
    DDX_Text(pDX, IDC_STAYPLATE_WIDTH, m_fWidth);
    DDX_Text(pDX, IDC_STAYPLATE_THICK, m_fThick);
    DDX_Text(pDX, IDC_STAYPLATE_SPACE, m_fSpace);
    DDX_Radio(pDX, IDC_STAYPLATE_BOLTED, m_nConnect);
}

BOOL CDlgStayPlate::OnInitDialog()
{
    CDialog::OnInitDialog();
    float length = 0.0f;
    if (ProposeLength(m_pSection, length)) {
        m_fLength = length;
        UpdateData(FALSE);
    }
    ShowMaterial();
    return TRUE;
}

void CDlgStayPlate::ShowMaterial()
{
    if (m_pMaterial != nullptr) SetDlgItemText(IDC_STAYPLATE_MATERIAL, m_pMaterial->GetText1());
}

void CDlgStayPlate::OnChooseMaterial()
{
    CDlgMaterial dlg(this);
    dlg.m_pData = m_pData;
    if (dlg.DoModal(CDlgMaterial::MODE_STEEL) == IDOK && dlg.m_pMaterial != nullptr) {
        m_pMaterial = dlg.m_pMaterial;
        ShowMaterial();
    }
}

void CDlgStayPlate::OnOK()
{
    if (!UpdateData(TRUE)) return;
    if (m_fWidth <= 0.0f || m_fSpace <= 0.0f || m_fThick <= 0.0f) {
        AfxMessageBox("输入数据不合理!");
        return;
    }
    if (m_pMaterial == nullptr) {
        AfxMessageBox("请选择材料!");
        return;
    }
    EndDialog(IDOK);
}

// ---------------------------------------------------------------- lacing bar

BEGIN_MESSAGE_MAP(CDlgStayBar, CDialog)
    ON_BN_CLICKED(IDC_STAYBAR_CHOOSEANGLE, &CDlgStayBar::OnChooseAngle)
END_MESSAGE_MAP()

CDlgStayBar::CDlgStayBar(CCombineSecBase* pSection, CSectionBase* pAngle, CWnd* pParent)
    : CDialog(IDD_STAYBAR, pParent), m_pSection(pSection), m_pAngle(pAngle)
{
}

CDlgStayBar::~CDlgStayBar()
{
    if (m_bPicked) delete m_pAngle;
}

CSectionBase* CDlgStayBar::TakeAngle()
{
    m_bPicked = false;
    return m_pAngle;
}

void CDlgStayBar::SetPickedAngle(CSectionBase* pAngle)
{
    if (pAngle == nullptr || pAngle == m_pAngle) return;
    if (m_bPicked) delete m_pAngle;
    m_pAngle = pAngle;
    m_bPicked = true;
    if (GetSafeHwnd() != nullptr) ShowAngle();
}

void CDlgStayBar::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_STAYBAR_LONGLEG, m_nLeg);
    DDX_Radio(pDX, IDC_STAYBAR_ONEDIAG, m_nDiagonal);
    DDX_Radio(pDX, IDC_STAYBAR_HORIZONTAL, m_nHorizontal);
    DDX_Text(pDX, IDC_STAYBAR_SPACE, m_fSpace);
}

BOOL CDlgStayBar::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShowAngle();
    return TRUE;
}

void CDlgStayBar::ShowAngle()
{
    if (m_pAngle == nullptr) return;
    SetDlgItemText(IDC_STAYBAR_ANGLE, m_pAngle->m_strKind);
    if (m_pAngle->m_pMaterial != nullptr) SetDlgItemText(IDC_STAYBAR_MATERIAL, m_pAngle->m_pMaterial->GetText1());
}

void CDlgStayBar::OnChooseAngle()
{
    CDlgStdSectionLib browser;
    browser.m_pData = m_pData;
    if (browser.DoModal(true, nullptr) != IDOK) return;
    SetPickedAngle(browser.m_pResult);
}

void CDlgStayBar::OnOK()
{
    if (!UpdateData(TRUE)) return;
    if (m_fSpace <= 0.0f) {
        AfxMessageBox("输入数据不合理!");
        return;
    }
    if (m_pAngle == nullptr) {
        AfxMessageBox("请选择角钢截面!");
        return;
    }
    EndDialog(IDOK);
}

// ---------------------------------------------------------------- library

BEGIN_MESSAGE_MAP(CDlgStaybase, CDialog)
    ON_BN_CLICKED(IDC_STAY_ADDPLATE, &CDlgStaybase::OnAddPlate)
    ON_BN_CLICKED(IDC_STAY_ADDBAR, &CDlgStaybase::OnAddBar)
    ON_BN_CLICKED(IDC_STAY_DELETE, &CDlgStaybase::OnDelete)
    ON_BN_CLICKED(IDC_STAY_EDIT, &CDlgStaybase::OnEdit)
    ON_NOTIFY(NM_DBLCLK, IDC_STAY_LIST, &CDlgStaybase::OnDblClkList)
END_MESSAGE_MAP()

CDlgStaybase::CDlgStaybase(CCombineSecBase* pSection, CWnd* pParent)
    : CDialog(IDD_STAYBASE, pParent), m_pSection(pSection)
{
    m_rows.m_library = [this]() -> CStayList* {
        return m_pData != nullptr && m_pData->Struct() != nullptr ? m_pData->Struct()->m_pStayList : nullptr;
    };
    m_rows.m_noneRow = {"", "", "取消缀板缀条"};
    m_rows.m_rowText = [](CStay* stay, int) -> std::vector<CString> {
        CString no;
        no.Format("S%d", stay->m_nNo);
        return {no, stay->m_nKind == 0 ? "缀板" : "缀条", stay->GetDescription()};
    };
    m_rows.m_usedBy = [this](CStay* stay) {
        return IsUsed(stay) ? CString("选定的缀板/条正在被截面使用，无法删除!") : CString();
    };
    // The list only lets go of its records.
    m_rows.m_remove = [](CStayList* stays, CStay* stay, int) {
        stays->DeleteStay(stay);
        delete stay;
    };
    m_rows.m_noEditRow = "请选择要编辑的缀板/条!";
    m_rows.m_noDeleteRow = "请选择要删除的缀板/条!";
    m_rows.m_noChoice = "请选择缀板/条!";
    m_rows.m_bReselectEdited = true;
}

void CDlgStaybase::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STAY_LIST, m_list);
}

BOOL CDlgStaybase::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pStay = nullptr;
    CRect rc;
    m_list.GetClientRect(&rc);
    m_rows.SetColumns({{"编号", 40}, {"类型", 40}, {" 描述", rc.Width() - 76}});
    m_rows.Fill();
    m_rows.Preselect(nullptr);
    return TRUE;
}

bool CDlgStaybase::IsUsed(CStay* pStay) const
{
    // The section the library was opened from counts too: it may not be in the project
    // library yet and would keep the deleted record.
    if (m_pSection != nullptr && m_pSection->m_pStay == pStay) return true;
    CSectionList* secs = m_pData->Struct()->m_pSectionList;
    for (int i = 1; i <= (int)secs->GetCount(); ++i)
        if (secs->Get(i)->m_pStay == pStay) return true;
    return false;
}

void CDlgStaybase::OnAddPlate()
{
    m_rows.Add([this] { return AddPlate(); });
}

void CDlgStaybase::OnAddBar()
{
    m_rows.Add([this] { return AddBar(); });
}

bool CDlgStaybase::AddPlate()
{
    CDlgStayPlate dlg(m_pSection, nullptr, this);
    dlg.m_pData = m_pData;
    if (dlg.DoModal() != IDOK) return false;
    auto* stay = new CStay;
    stay->m_nKind = 0;
    stay->m_fWidth = dlg.m_fWidth * 0.1f;
    stay->m_fThick = dlg.m_fThick * 0.1f;
    stay->m_nBolted = dlg.m_nConnect == 0 ? 1 : 0;
    stay->m_fSpace = dlg.m_fSpace * 0.1f;
    stay->m_pMaterial = dlg.m_pMaterial;
    m_pData->Struct()->m_pStayList->Add(stay);
    return true;
}

bool CDlgStaybase::AddBar()
{
    CDlgStayBar dlg(m_pSection, nullptr, this);
    dlg.m_pData = m_pData;
    if (dlg.DoModal() != IDOK) return false;
    auto* stay = new CStay;
    stay->m_nKind = 1;
    stay->m_nBolted = 0;
    stay->m_nLegLink = 2 - dlg.m_nLeg;
    stay->m_nDiagonal = dlg.m_nDiagonal + 1;
    stay->m_nHorizontal = dlg.m_nHorizontal == 0 ? 1 : 0;
    stay->m_fSpace = dlg.m_fSpace * 0.1f;
    CSectionBase* angle = dlg.TakeAngle();
    stay->m_pMaterial = angle->m_pMaterial;
    stay->m_strName = angle->m_strKind;
    stay->SetAngleSec(angle);
    m_pData->Struct()->m_pStayList->Add(stay);
    return true;
}

void CDlgStaybase::OnDelete()
{
    m_rows.Delete();
}

void CDlgStaybase::OnEdit()
{
    m_rows.Edit([this](CStay* stay) { return EditRecord(stay); });
}

bool CDlgStaybase::EditRecord(CStay* stay)
{
    if (stay->m_nKind == 0) {
        CDlgStayPlate dlg(m_pSection, stay->m_pMaterial, this);
        dlg.m_pData = m_pData;
        dlg.m_fWidth = stay->m_fWidth * 10.0f;
        dlg.m_fThick = stay->m_fThick * 10.0f;
        dlg.m_fSpace = stay->m_fSpace * 10.0f;
        dlg.m_nConnect = 1 - stay->m_nBolted;
        if (dlg.DoModal() != IDOK) return false;
        stay->m_pMaterial = dlg.m_pMaterial;
        stay->m_fWidth = dlg.m_fWidth * 0.1f;
        stay->m_fThick = dlg.m_fThick * 0.1f;
        stay->m_fSpace = dlg.m_fSpace * 0.1f;
        stay->m_nBolted = 1 - dlg.m_nConnect;
        return true;
    }
    if (stay->m_nKind == 1) {
        CDlgStayBar dlg(m_pSection, stay->m_pAngle, this);
        dlg.m_pData = m_pData;
        dlg.m_nLeg = 2 - stay->m_nLegLink;
        dlg.m_fSpace = stay->m_fSpace * 10.0f;
        dlg.m_nDiagonal = stay->m_nDiagonal - 1;
        dlg.m_nHorizontal = 1 - stay->m_nHorizontal;
        if (dlg.DoModal() != IDOK) return false;
        stay->m_nLegLink = 2 - dlg.m_nLeg;
        stay->m_nDiagonal = dlg.m_nDiagonal + 1;
        stay->m_fSpace = dlg.m_fSpace * 0.1f;
        stay->m_nHorizontal = dlg.m_nHorizontal == 0 ? 1 : 0;
        CSectionBase* angle = dlg.TakeAngle();
        stay->m_pMaterial = angle->m_pMaterial;
        stay->m_strName = angle->m_strKind;
        stay->SetAngleSec(angle); // the old angle goes only when the record takes another
        return true;
    }
    return false;
}

void CDlgStaybase::OnDblClkList(NMHDR*, LRESULT* pResult)
{
    OnOK();
    *pResult = 0;
}

void CDlgStaybase::OnOK()
{
    // Row 0 chooses no record.
    if (!m_rows.Choose(m_pStay)) return;
    EndDialog(IDOK);
}
