#include <vyr/reports/DlgNodeCheckOutput.h>

#include <vyr/model/struct/Node.h>

CDlgNodeCheckOutput::CDlgNodeCheckOutput(CWnd* pParent)
    : CDlgWithObject(IDD_CHECKOUTPUT, pParent, kOneObjectReportIds)
{
}

void CDlgNodeCheckOutput::Output(COutput* out, int)
{
    if (!m_pObject)
        return;
    m_pObject->m_pOutput = out;
    m_pObject->CheckOutput(true);
    m_pObject->m_pOutput = nullptr;
}
