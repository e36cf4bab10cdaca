#include <vyr/model/section/Ban.h>

#include <vyr/archive.h>
#include <vyr/model/section/SectionArchive.h>
#include <vyr/model/base/OwnedList.h>

IMPLEMENT_SERIAL(CBan, CObject, 1)
// Schema 2 adds the sheet's database data; files of schema 1 stay readable.
IMPLEMENT_SERIAL(CBanSteel, CBan, 2 | VERSIONABLE_SCHEMA)
IMPLEMENT_SERIAL(CBanConcrete, CBan, 1)

void CBan::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nNo << m_nType << m_fThick << m_strName << (int)m_SpanArray.GetSize();
        for (INT_PTR i = 0; i < m_SpanArray.GetSize(); ++i)
            ar << m_SpanArray[i];
        vyr::sec::StoreMaterial(ar, m_pMaterial);
        return;
    }
    m_nNo = vyr::sec::LoadInt(ar);
    m_nType = vyr::sec::LoadInt(ar);
    m_fThick = vyr::sec::LoadFloat(ar);
    ar >> m_strName;
    const int n = vyr::sec::LoadInt(ar);
    if (n < 0 || n > 100000)
        vyr::sec::ThrowCorrupt();
    m_SpanArray.RemoveAll();
    for (int i = 0; i < n; ++i)
        m_SpanArray.Add(vyr::sec::LoadDouble(ar));
    m_pMaterial = vyr::sec::LoadMaterial(ar);
}

void CBanSteel::Serialize(CArchive& ar)
{
    // Asked before the base reads anything: (UINT)-1 when the object is not read through
    // the archive's object reading (then it is of the present schema).
    const UINT schema = ar.IsLoading() ? ar.GetObjectSchema() : 2;
    CBan::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nRibH << m_strSheet << m_fSheetT;
        ar << m_nDBPos << m_fS << m_nBe << m_nB << m_fIef << m_fWef << m_nb1 << m_nb2;
        vyr::sec::StoreMaterial(ar, m_pSheetMaterial);
        return;
    }
    m_nRibH = vyr::sec::LoadInt(ar);
    ar >> m_strSheet;
    m_fSheetT = vyr::sec::LoadFloat(ar);
    if (schema == 1)
        return;
    m_nDBPos = vyr::sec::LoadInt(ar);
    m_fS = vyr::sec::LoadFloat(ar);
    m_nBe = vyr::sec::LoadInt(ar);
    m_nB = vyr::sec::LoadInt(ar);
    m_fIef = vyr::sec::LoadFloat(ar);
    m_fWef = vyr::sec::LoadFloat(ar);
    m_nb1 = vyr::sec::LoadInt(ar);
    m_nb2 = vyr::sec::LoadInt(ar);
    m_pSheetMaterial = vyr::sec::LoadMaterial(ar);
}

CBanList::~CBanList()
{
    vyr::DeleteListItems(*this);
}

CBan* CBanList::Get(int i) const
{
    return vyr::ListAt<CBan>(*this, i);
}

bool CBanList::Add(CBan* pBan)
{
    if (pBan == nullptr || Find(pBan) != nullptr)
        return false;
    AddTail(pBan);
    pBan->m_nNo = (int)GetCount();
    return true;
}

void CBanList::Delete(int i)
{
    if (i < 1 || i > (int)GetCount())
        return;
    POSITION pos = FindIndex(i - 1);
    delete static_cast<CBan*>(GetAt(pos));
    RemoveAt(pos);
    int n = 0;
    for (POSITION p = GetHeadPosition(); p != nullptr;)
        static_cast<CBan*>(GetNext(p))->m_nNo = ++n;
}

void CPinNailGroup::GetDescription(CString* pText) const
{
    if (pText == nullptr)
        return;
    pText->Format("%s d=%dmm h=%dmm %d列 间距%dmm", m_nMaterial == 2 ? "16Mn" : "Q235", m_nDiameter, m_nHeight, m_nRows,
                  m_nSpace);
    if (m_nCapacityMode == 1)
        pText->AppendFormat(" 承载力%.1fkN", m_fCapacity);
}

bool CPinNailGroup::IsSame(const CPinNailGroup& o) const
{
    return m_nMaterial == o.m_nMaterial && m_nDiameter == o.m_nDiameter && m_nHeight == o.m_nHeight &&
           m_nRows == o.m_nRows && m_nSpace == o.m_nSpace && m_nCapacityMode == o.m_nCapacityMode &&
           (m_nCapacityMode == 0 || m_fCapacity == o.m_fCapacity);
}
