#include <vyr/input/DlgTHCase.h>

#include <vyr/input/DlgWaveFunEdit.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/WaveRes.h>

BEGIN_MESSAGE_MAP(CDlgTHCase, CDialog)
    ON_BN_CLICKED(IDC_THCASE_EDITX, &CDlgTHCase::OnEditWaveX)
    ON_BN_CLICKED(IDC_THCASE_EDITY, &CDlgTHCase::OnEditWaveY)
END_MESSAGE_MAP()

CDlgTHCase::CDlgTHCase(CWnd* pParent) : CDialog(IDD_THCASE, pParent) {}

CWaveFunList* CDlgTHCase::Records() const
{
    return m_pData != nullptr ? m_pData->Struct()->m_pWaveFunList : nullptr;
}

CWaveFun* CDlgTHCase::Chosen(CComboBox& box) const
{
    CWaveFunList* records = Records();
    const int sel = box.GetCurSel();
    return records != nullptr && sel >= 0 ? records->Get(sel + 1) : nullptr;
}

void CDlgTHCase::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_THCASE_WAVEY, m_cbWaveY);
    DDX_Control(pDX, IDC_THCASE_WAVEX, m_cbWaveX);
    DDX_Check(pDX, IDC_THCASE_USEX, m_bX);
    DDX_Check(pDX, IDC_THCASE_USEY, m_bY);
    DDX_Text(pDX, IDC_THCASE_CUT, m_fDist);
    DDV_MinMaxFloat(pDX, m_fDist, 0.0f, 100.0f);
    DDX_Text(pDX, IDC_THCASE_PEAKX, m_fMaxX);
    DDV_MinMaxFloat(pDX, m_fMaxX, 0.0f, 2000.0f);
    DDX_Text(pDX, IDC_THCASE_PEAKY, m_fMaxY);
    DDV_MinMaxFloat(pDX, m_fMaxY, 0.0f, 2000.0f);
    DDX_Text(pDX, IDC_THCASE_SPAN, m_nSpan);
    DDV_MinMaxInt(pDX, m_nSpan, 1, 100);
    DDX_Text(pDX, IDC_THCASE_NAME, m_strName);
    DDX_Text(pDX, IDC_THCASE_STEP, m_fStep);
    DDV_MinMaxFloat(pDX, m_fStep, 0.0f, 1.0f);
    // The damping field is read-only: it takes no range check, or a model damping above
    // 0.1 would refuse every case.
    DDX_Text(pDX, IDC_THCASE_DAMP, m_fRatio);
}

BOOL CDlgTHCase::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaveFunList* records = Records();
    if (records != nullptr)
        for (int i = 1; i <= (int)records->GetCount(); ++i)
            if (CWaveFun* wave = records->Get(i)) {
                m_cbWaveX.InsertString(i - 1, wave->GetName());
                m_cbWaveY.InsertString(i - 1, wave->GetName());
            }
    if (m_pData != nullptr && m_pData->Struct()->m_pLoadSeismList != nullptr)
        m_fRatio = m_pData->Struct()->m_pLoadSeismList->m_fDamp;
    if (m_pTHCase != nullptr) {
        const int x = m_pTHCase->m_pWaveFunX != nullptr && records != nullptr ? records->FindId(m_pTHCase->m_pWaveFunX) : 0;
        const int y = m_pTHCase->m_pWaveFunY != nullptr && records != nullptr ? records->FindId(m_pTHCase->m_pWaveFunY) : 0;
        m_bX = m_pTHCase->m_pWaveFunX != nullptr;
        m_bY = m_pTHCase->m_pWaveFunY != nullptr;
        if (x > 0)
            m_cbWaveX.SetCurSel(x - 1);
        if (y > 0)
            m_cbWaveY.SetCurSel(y - 1);
        m_fDist = m_pTHCase->m_fDist;
        m_fMaxX = m_pTHCase->m_fMaxX;
        m_fMaxY = m_pTHCase->m_fMaxY;
        m_nSpan = m_pTHCase->m_nSpan;
        m_strName = m_pTHCase->GetName();
        m_fStep = m_pTHCase->m_fStep;
        m_fRatio = m_pTHCase->m_fRatio;
    }
    UpdateData(FALSE);
    return TRUE;
}

void CDlgTHCase::EditWave(CComboBox& box)
{
    CWaveFun* wave = Chosen(box);
    if (wave == nullptr)
        return;
    CDlgWaveFunEdit dlg(nullptr);
    dlg.m_pWaveFun = wave;
    dlg.m_fMark = m_fDist;
    dlg.DoModal();
}

void CDlgTHCase::OnEditWaveX() { EditWave(m_cbWaveX); }

void CDlgTHCase::OnEditWaveY() { EditWave(m_cbWaveY); }

void CDlgTHCase::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CWaveFun* x = m_bX ? Chosen(m_cbWaveX) : nullptr;
    CWaveFun* y = m_bY ? Chosen(m_cbWaveY) : nullptr;
    if (x == nullptr && y == nullptr) {
        AfxMessageBox("不能两个方向都没有地震记录！");
        return;
    }
    CTHCase* thCase = m_pTHCase != nullptr ? m_pTHCase : new CTHCase;
    thCase->SetName(m_strName);
    thCase->m_fDist = m_fDist;
    thCase->m_nSpan = m_nSpan;
    thCase->m_fStep = m_fStep;
    thCase->m_fRatio = m_fRatio;
    thCase->m_fMaxX = m_fMaxX;
    thCase->m_fMaxY = m_fMaxY;
    if (m_pTHCase != nullptr) {
        // A ticked box whose position has no record keeps the case's record.
        if (m_bX && m_cbWaveX.GetCurSel() >= 0) {
            if (x != nullptr)
                thCase->m_pWaveFunX = x;
        } else {
            thCase->m_pWaveFunX = nullptr;
        }
        if (m_bY && m_cbWaveY.GetCurSel() >= 0) {
            if (y != nullptr)
                thCase->m_pWaveFunY = y;
        } else {
            thCase->m_pWaveFunY = nullptr;
        }
    } else {
        if (x != nullptr)
            thCase->m_pWaveFunX = x;
        if (y != nullptr)
            thCase->m_pWaveFunY = y;
        m_pData->Struct()->m_pTHCaseList->Add(thCase);
    }
    EndDialog(IDOK);
}
