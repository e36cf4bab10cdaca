#include <vyr/model/record/Code.h>

CCode::CCode(const CCode& src)
{
    *this = src;
}

CCode& CCode::operator=(const CCode& src)
{
    if (this != &src) {
        m_nValue[0] = src.m_nValue[0];
        m_nValue[1] = src.m_nValue[1];
        m_result = src.m_result;
        for (int i = 0; i < 14; i++)
            m_bFlag[i] = src.m_bFlag[i];
    }
    return *this;
}

void COptDiscreteSection::SetDiscription()
{
    m_strDescription = m_strType;
    for (const CString* part : {&m_strSec, &m_strM}) {
        if (part->IsEmpty())
            continue;
        if (!m_strDescription.IsEmpty())
            m_strDescription += " ";
        m_strDescription += *part;
    }
}

RF_INFO& RF_INFO::operator=(const RF_INFO& src)
{
    if (this != &src) {
        aArea.Copy(src.aArea);
        aSpacing.Copy(src.aSpacing);
        aDiameter.Copy(src.aDiameter);
        aGrade.Copy(src.aGrade);
        for (int i = 0; i < 9; i++)
            fValue[i] = src.fValue[i];
    }
    return *this;
}

CArchive& operator<<(CArchive& ar, const RF_INFO& info)
{
    // The arrays serialise through a const-free interface; they are not changed when storing.
    const_cast<CArray<float, float>&>(info.aArea).Serialize(ar);
    const_cast<CArray<float, float>&>(info.aSpacing).Serialize(ar);
    const_cast<CArray<float, float>&>(info.aDiameter).Serialize(ar);
    const_cast<CArray<int, int>&>(info.aGrade).Serialize(ar);
    for (float v : info.fValue)
        ar << v;
    return ar;
}

CArchive& operator>>(CArchive& ar, RF_INFO& info)
{
    info.aArea.Serialize(ar);
    info.aSpacing.Serialize(ar);
    info.aDiameter.Serialize(ar);
    info.aGrade.Serialize(ar);
    for (float& v : info.fValue)
        ar >> v;
    return ar;
}

IMPLEMENT_SERIAL(CReinforceResult, CObject, 1)

CReinforceResult::CReinforceResult(const CReinforceResult& src) : CObject()
{
    *this = src;
}

CReinforceResult& CReinforceResult::operator=(const CReinforceResult& src)
{
    if (this != &src) {
        m_info.Copy(src.m_info);
        m_nIndex = src.m_nIndex;
        m_nStatus = src.m_nStatus;
    }
    return *this;
}

void CReinforceResult::Serialize(CArchive& ar)
{
    m_info.Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nIndex << m_nStatus;
    } else {
        ar >> m_nIndex >> m_nStatus;
    }
}
