#include <vyr/model/geometry/Layer.h>

CLayer::CLayer(const CString& name, const int& n, const COLORREF& colour, const CString& text)
    : m_Name(name), m_Int(n), m_Color(colour), m_Text(text)
{
}

CLayer& CLayer::operator=(const CLayer& l)
{
    m_Name = l.m_Name;
    m_Int = l.m_Int;
    m_Color = l.m_Color;
    m_Text = l.m_Text;
    m_Show = l.m_Show;
    return *this;
}

bool CLayer::Save(IStream*) const { return true; }

bool CLayer::Load(IStream*) { return true; }

CLayer* CLayerList::GetLayer(const CString& name) const
{
    for (POSITION pos = GetHeadPosition(); pos;) {
        CLayer* l = GetNext(pos);
        if (l && l->GetName() == name) return l;
    }
    return nullptr;
}
