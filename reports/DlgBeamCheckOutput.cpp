#include <vyr/reports/DlgBeamCheckOutput.h>

#include <vyr/model/struct/Member.h>

CDlgBeamCheckOutput::CDlgBeamCheckOutput(CWnd* pParent)
    : CDlgWithObject(IDD_CHECKOUTPUT, pParent, kOneObjectReportIds)
{
}

void CDlgBeamCheckOutput::Output(COutput* out, int)
{
    if (!m_pObject)
        return;
    m_pObject->m_pOutput = out;
    m_pObject->CheckOutput(true);
    m_pObject->m_pOutput = nullptr;
}
