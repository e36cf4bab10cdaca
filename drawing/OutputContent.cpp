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
    if (CReal(m_dMaxBeamLength) == CReal(0.0)) {
        CReal longest(0.0);
        for (POSITION pos = m_BeamList.GetHeadPosition(); pos != nullptr;) {
            const CReal len(m_BeamList.GetNextT(pos)->GetLength());
            if (len > longest)
                longest = len;
        }
        m_dMaxBeamLength = longest.toD();
    }
    return m_dMaxBeamLength;
}
