#include <vyr/drawing/OutputContent.h>

#include <vyr/model/output/creal.h>

COutputContentBase::COutputContentBase(const COutputContentBase& o)
    : m_strName(o.m_strName), m_dMaxBeamLength(o.m_dMaxBeamLength)
{
    m_NodeList.CopyPointer(&o.m_NodeList);
    m_BeamList.CopyPointer(&o.m_BeamList);
    m_PlaneList.CopyPointer(&o.m_PlaneList);
}

COutputContentBase& COutputContentBase::operator=(const COutputContentBase& o)
{
    if (this == &o)
        return *this;
    m_NodeList.RemoveAll();
    m_BeamList.RemoveAll();
    m_PlaneList.RemoveAll();
    m_NodeList.CopyPointer(&o.m_NodeList);
    m_BeamList.CopyPointer(&o.m_BeamList);
    m_PlaneList.CopyPointer(&o.m_PlaneList);
    m_strName = o.m_strName;
    m_dMaxBeamLength = o.m_dMaxBeamLength;
    return *this;
}

double COutputContentBase::GetMaxBeamLength()
{
    if (CReal(m_dMaxBeamLength) == CReal(0.0))
        m_dMaxBeamLength = LongestMember(m_BeamList);
    return m_dMaxBeamLength;
}

double COutputContentBase::LongestMember(const CBeamList& members)
{
    CReal longest(0.0);
    for (POSITION pos = members.GetHeadPosition(); pos != nullptr;) {
        const CReal len(members.GetNextT(pos)->GetLength());
        if (len > longest)
            longest = len;
    }
    return longest.toD();
}
