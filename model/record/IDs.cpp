#include <vyr/model/record/IDs.h>

void CIDs::AddID(int id, int type)
{
    m_ids.push_back(id);
    m_types.push_back(type);
}

int CIDs::Find(int id, int type) const
{
    for (size_t i = 0; i < m_ids.size(); i++) {
        if (m_ids[i] == id && m_types[i] == type)
            return (int)i;
    }
    return -1;
}

void CIDs::DelID(int index)
{
    VYR_CHECK(index >= 0 && index < GetCount(), "CIDs::DelID: index out of range");
    m_ids.erase(m_ids.begin() + index);
    m_types.erase(m_types.begin() + index);
}

void CIDs::ClearData()
{
    m_ids.clear();
    m_types.clear();
}

int& CIDs::GetID(int index)
{
    VYR_CHECK(index >= 0 && index < GetCount(), "CIDs::GetID: index out of range");
    return m_ids[(size_t)index];
}

int& CIDs::GetType(int index)
{
    VYR_CHECK(index >= 0 && index < GetCount(), "CIDs::GetType: index out of range");
    return m_types[(size_t)index];
}

CIDs& CIDss::GetIDs(int index)
{
    VYR_CHECK(index >= 0 && index < GetCount(), "CIDss::GetIDs: index out of range");
    return m_sets[(size_t)index];
}

void CIDss::DelIDs(int index)
{
    VYR_CHECK(index >= 0 && index < GetCount(), "CIDss::DelIDs: index out of range");
    m_sets.erase(m_sets.begin() + index);
}

CStream& operator<<(CStream& s, const CIDGen& gen)
{
    return s << (long)gen.m_nID;
}

CStream& operator>>(CStream& s, CIDGen& gen)
{
    // At the end of the stream the value is left as it was.
    long v = gen.m_nID;
    s >> v;
    gen.m_nID = (std::int32_t)v;
    return s;
}
