#include "model/struct/Node.h"

#include <algorithm>

#include "model/struct/Support.h"

IMPLEMENT_DYNAMIC(CPNodeBase, CObject)
IMPLEMENT_DYNAMIC(CPGridNode, CPNodeBase)
IMPLEMENT_DYNAMIC(CPSubNode, CPNodeBase)
IMPLEMENT_DYNAMIC(CPNode, CPNodeBase)
IMPLEMENT_DYNAMIC(CMainNode, CPNode)

CPNodeBase::CPNodeBase() = default;
CPNodeBase::CPNodeBase(const CPoint3D& pt) : m_pt(pt) {}
CPNodeBase::~CPNodeBase() = default;

CPNode::~CPNode()
{
    delete m_pChecker;
}

void CPNodeList::SetSelect(int s)
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
        GetNextT(pos)->SetSelect(s);
}

CRect2D CPNodeList::GetRealRect(int kind) const
{
    CRect2D rc;
    bool first = true;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        const CPoint3D& p = GetNextT(pos)->m_pt;
        const double h = p.x;
        const double v = kind == 1 ? p.z : p.y;
        if (first)
        {
            rc = CRect2D(h, v, h, v);
            first = false;
            continue;
        }
        rc.left = std::min(rc.left, h);
        rc.right = std::max(rc.right, h);
        rc.top = std::min(rc.top, v);
        rc.bottom = std::max(rc.bottom, v);
    }
    return rc;
}
