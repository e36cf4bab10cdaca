#include <vyr/model/material/MaterialBase.h>

CMaterialBase::CMaterialBase()
    : m_ID(0), m_Type(0), m_f(0.0f), m_fv(0.0f), m_fy(0.0f), m_E(0.0), m_Poisson(0.0f), m_Expand(0.0f),
      m_Density(0.0f), m_EP(0.0)
{
}

CMaterialBase::~CMaterialBase() = default;

CMaterialBase& CMaterialBase::operator=(const CMaterialBase& m)
{
    m_ID = m.m_ID;
    m_Type = m.m_Type;
    m_f = m.m_f;
    m_fv = m.m_fv;
    m_fy = m.m_fy;
    m_E = m.m_E;
    m_Poisson = m.m_Poisson;
    m_Expand = m.m_Expand;
    m_Density = m.m_Density;
    m_EP = m.m_EP;
    m_Text1 = m.m_Text1;
    m_Name = m.m_Name;
    return *this;
}

IMPLEMENT_SERIAL(CMaterialBase, CObject, 1)

// Every member in declared order, with the widths of the data model.
void CMaterialBase::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << (LONG)m_ID << (LONG)m_Type << m_f << m_fv << m_fy << m_E << m_Poisson << m_Expand << m_Density << m_EP
           << m_Text1 << m_Name;
    } else {
        LONG id = 0, type = 0;
        ar >> id >> type >> m_f >> m_fv >> m_fy >> m_E >> m_Poisson >> m_Expand >> m_Density >> m_EP >> m_Text1 >>
            m_Name;
        m_ID = id;
        m_Type = type;
    }
}
