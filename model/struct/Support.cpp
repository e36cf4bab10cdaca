#include <vyr/model/struct/Support.h>

IMPLEMENT_DYNAMIC(CSupportBase, CObject)
IMPLEMENT_DYNAMIC(CSupportFixed, CSupportBase)
IMPLEMENT_DYNAMIC(CSupportPinned, CSupportBase)
IMPLEMENT_DYNAMIC(CSupportSpring, CSupportBase)
IMPLEMENT_DYNAMIC(CSupportXZPlane, CSupportBase)
IMPLEMENT_DYNAMIC(CSupportYZPlane, CSupportBase)
IMPLEMENT_DYNAMIC(CSupportXPinFixed, CSupportBase)
IMPLEMENT_DYNAMIC(CSupportYPinFixed, CSupportBase)

CString CSupportBase::GetDescription() const
{
    switch (m_nType)
    {
    case 1: return "固接";
    case 2: return "铰接";
    case 3: {
        CString s;
        s.Format("弹簧%d", m_nSpringNo);
        return s;
    }
    case 4: return "XZ平面外铰接";
    case 5: return "YZ平面外铰接";
    case 6: return "X向铰接Y向固接";
    case 7: return "Y向铰接X向固接";
    default: return "无";
    }
}
