#include <vyr/input/DlgNodeSupport.h>

CDlgNodeSupport::CDlgNodeSupport(CWnd* pParent, CPNodeList* nodes)
    : CDlgStandIn("结点约束设定", pParent), m_pNodeList(nodes)
{
}
