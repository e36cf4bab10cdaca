#include <vyr/model/struct/Crane.h>

IMPLEMENT_DYNAMIC(CCrane, CObject)
IMPLEMENT_DYNAMIC(CCraneGroup, CObject)

CString CCraneGroup::GetCraneDescription() const
{
    CString text;
    for (INT_PTR i = 0; i < m_aCraneNo.GetSize(); ++i)
    {
        if (i > 0)
            text += ",";
        CString no;
        no.Format("%d", m_aCraneNo.GetAt(i));
        text += no;
    }
    return text;
}
