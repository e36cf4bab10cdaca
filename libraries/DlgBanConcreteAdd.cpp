#include <vyr/libraries/DlgBanConcreteAdd.h>

#include <vyr/libraries/DlgBanDiagram.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/BanDlgRes.h>

BEGIN_MESSAGE_MAP(CDlgBanConcreteAdd, CDialog)
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_BAN_EDITDIAGRAM, &CDlgBanConcreteAdd::OnEditDiagram)
END_MESSAGE_MAP()

CDlgBanConcreteAdd::CDlgBanConcreteAdd(CWnd* pParent) : CDialog(IDD_BANCONCRETEADD, pParent) {}

CDlgBanConcreteAdd::~CDlgBanConcreteAdd()
{
    if (m_bOwnsWork)
        delete m_pWork;
}

INT_PTR CDlgBanConcreteAdd::DoModal(int mode, CBan* slab)
{
    m_nMode = mode;
    m_pBan = slab;
    return CDialog::DoModal();
}

void CDlgBanConcreteAdd::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_BAN_DEPTH, m_fThick);
    DDV_MinMaxFloat(pDX, m_fThick, 50.0f, 400.0f);
}

BOOL CDlgBanConcreteAdd::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_nMode == 2 && m_pBan != nullptr) {
        m_pWork = m_pBan;
        m_fThick = m_pBan->m_fThick;
        GetDlgItem(IDOK)->SetWindowText("替 换");
        SetWindowText("现浇混凝土单向板编辑");
    } else {
        m_pWork = new CBanConcrete;
        m_bOwnsWork = true;
    }
    UpdateData(FALSE);
    return TRUE;
}

void CDlgBanConcreteAdd::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_pWork->m_fThick = m_fThick;
    if (m_bOwnsWork && m_pData != nullptr && m_pData->Struct()->m_pBanConcreteList->Add(m_pWork))
        m_bOwnsWork = false;
    EndDialog(IDOK);
}

void CDlgBanConcreteAdd::OnCancel()
{
    // A new type that was not added is dropped, spans edited in the diagram with it.
    if (m_bOwnsWork) {
        delete m_pWork;
        m_pWork = nullptr;
        m_bOwnsWork = false;
    }
    CDialog::OnCancel();
}

void CDlgBanConcreteAdd::OnPaint()
{
    CPaintDC dc(this);
    if (m_pWork != nullptr)
        VyrDrawBanDiagram(GetDlgItem(IDC_BAN_DIAGRAM), m_pWork->m_SpanArray,
                          m_pData != nullptr ? m_pData->UnitLength() : 1.0f);
}

void CDlgBanConcreteAdd::OnEditDiagram()
{
    CDlgBanDiagram dlg(this);
    dlg.m_pData = m_pData;
    dlg.m_nKind = 1;
    dlg.m_SpanArray.Copy(m_pWork->m_SpanArray);
    if (dlg.DoModal() != IDOK)
        return;
    m_pWork->m_SpanArray.Copy(dlg.m_SpanArray);
    Invalidate();
    UpdateWindow();
}
