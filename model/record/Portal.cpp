#include <vyr/model/record/Portal.h>
#include <vyr/model/base/OwnedList.h>

IMPLEMENT_DYNAMIC(CPortal, CObject)

CPortalSpan& CPortalSpan::operator=(const CPortalSpan& src)
{
    if (this == &src)
        return *this;
    m_nSpanType = src.m_nSpanType;
    m_nRangeType = src.m_nRangeType;
    m_nLeftColPos = src.m_nLeftColPos;
    m_nRightColPos = src.m_nRightColPos;
    m_fSpan = src.m_fSpan;
    m_fLeftH = src.m_fLeftH;
    m_fRightH = src.m_fRightH;
    m_nSelected = src.m_nSelected;
    m_strColSeq = src.m_strColSeq;
    m_strWindColSeq = src.m_strWindColSeq;
    m_strCraneElevationSeq = src.m_strCraneElevationSeq;
    m_strFloorElevationSeq = src.m_strFloorElevationSeq;
    m_nHaveLeftUpWall = src.m_nHaveLeftUpWall;
    m_fLeftUpWallH = src.m_fLeftUpWallH;
    m_nHaveLeftAwning = src.m_nHaveLeftAwning;
    m_fLeftAwningH = src.m_fLeftAwningH;
    m_fLeftAwningTaper = src.m_fLeftAwningTaper;
    m_fLeftAwningWidth = src.m_fLeftAwningWidth;
    m_nHaveRightUpWall = src.m_nHaveRightUpWall;
    m_fRightUpWallH = src.m_fRightUpWallH;
    m_nHaveRightAwning = src.m_nHaveRightAwning;
    m_fRightAwningH = src.m_fRightAwningH;
    m_fRightAwningTaper = src.m_fRightAwningTaper;
    m_fRightAwningWidth = src.m_fRightAwningWidth;
    m_aValueA.Copy(src.m_aValueA);
    m_aValueB.Copy(src.m_aValueB);
    m_aIndexA.Copy(src.m_aIndexA);
    m_aIndexB.Copy(src.m_aIndexB);
    return *this;
}

CPortal::~CPortal()
{
    ResetSpanInfo();
}

void CPortal::ResetSpanInfo()
{
    // Each element's destructor releases its span; the node storage goes with them.
    m_spans.RemoveAll();
}

CPortalSpanPtr& CPortal::GetSpan(int i)
{
    VYR_CHECK(i >= 0 && i < GetSpanNum(), "CPortal::GetSpan: span index out of range");
    POSITION pos = m_spans.FindIndex(i);
    return m_spans.GetAt(pos);
}

CPortalList::~CPortalList()
{
    vyr::DeleteListItems(*this);
}

void CPortalList::Add(CPortal* portal)
{
    if (portal == nullptr)
        return;
    AddTail(portal);
    portal->m_nNo = (int)GetCount();
}

void CPortalList::Delete(int position)
{
    if (IsEmpty())
        return;
    VYR_CHECK(position >= 1 && position <= (int)GetCount(), "CPortalList::Delete: no frame at this position");
    POSITION pos = FindIndex(position - 1);
    CObject* frame = GetAt(pos);
    RemoveAt(pos);
    delete frame;
    int no = 1;
    for (POSITION p = GetHeadPosition(); p != nullptr; ++no)
        static_cast<CPortal*>(GetNext(p))->m_nNo = no;
}

CPortal* CPortalList::Get(int position) const
{
    return vyr::ListAt<CPortal>(*this, position);
}
