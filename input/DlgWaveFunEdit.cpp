#include <vyr/input/DlgWaveFunEdit.h>

#include <vyr/input/WavePlot.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/resources/dialogs/WaveRes.h>

BEGIN_MESSAGE_MAP(CDlgWaveFunEdit, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CDlgWaveFunEdit::CDlgWaveFunEdit(CWnd* pParent) : CDialog(IDD_WAVEFUNEDIT, pParent), m_logFont(VyrWavePlotFont()) {}

void CDlgWaveFunEdit::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_WAVEEDIT_NAME, m_strName);
    DDX_Text(pDX, IDC_WAVEEDIT_LENGTH, m_fDist);
    DDV_MinMaxFloat(pDX, m_fDist, 0.0f, 100.0f);
    DDX_Text(pDX, IDC_WAVEEDIT_STEP, m_fStep);
    DDV_MinMaxFloat(pDX, m_fStep, 0.0f, 1.0f);
}

BOOL CDlgWaveFunEdit::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pWaveFun != nullptr) {
        m_strName = m_pWaveFun->GetName();
        m_fStep = m_pWaveFun->m_fStep;
        m_fDist = m_pWaveFun->m_fDist;
    }
    // Shown once here: a repaint only draws, so text being typed stays.
    UpdateData(FALSE);
    return TRUE;
}

void CDlgWaveFunEdit::DrawAxis(CDC* pDC, CRect rect, CWaveFun*) { VyrDrawWaveAxis(pDC, rect); }

void CDlgWaveFunEdit::DrawPicture(CDC* pDC, CRect rect, CWaveFun* wave)
{
    VyrDrawWaveCurve(pDC, rect, wave, m_logFont, m_fMark);
}

void CDlgWaveFunEdit::OnPaint()
{
    CPaintDC dc(this);
    // The plot shows the record as stored, not the values in the edits.
    if (m_pWaveFun != nullptr)
        VyrDrawWavePlot(GetDlgItem(IDC_WAVEEDIT_PLOT), m_pWaveFun, m_logFont, m_fMark);
}

void CDlgWaveFunEdit::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_pWaveFun != nullptr) {
        m_pWaveFun->SetName(m_strName);
        m_pWaveFun->m_fStep = m_fStep;
        m_pWaveFun->m_fDist = m_fDist;
    }
    EndDialog(IDOK);
}
