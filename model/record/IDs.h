// Named id sets of the common library (the project's named member selections) and the
// stream operators of the id generator.
#pragma once

#include <cstdint>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/base/Stream.h>

// One named set of (id, type) pairs. For members the id is the member's identifier and the
// type its member type code.
class CIDs
{
public:
    CIDs() = default;
    CIDs(const CIDs&) = default;
    CIDs& operator=(const CIDs&) = default;
    ~CIDs() = default;

    CString GetName() const { return m_strName; }
    void SetName(const CString& name) { m_strName = name; }

    void AddID(int id, int type);
    // Index (from 0) of the pair, -1 when the set does not hold it.
    int Find(int id, int type) const;
    void DelID(int index);
    // Removes every pair; the name stays.
    void ClearData();
    int GetCount() const { return (int)m_ids.size(); }
    int& GetID(int index);
    int& GetType(int index);
    int GetID(int index) const { return const_cast<CIDs*>(this)->GetID(index); }
    int GetType(int index) const { return const_cast<CIDs*>(this)->GetType(index); }

private:
    std::vector<int> m_ids;
    std::vector<int> m_types;
    CString m_strName;
};

// The list of named sets, held by value in the structure.
class CIDss
{
public:
    CIDss() = default;
    CIDss(const CIDss&) = default;
    CIDss& operator=(const CIDss&) = default;
    ~CIDss() = default;

    int GetCount() const { return (int)m_sets.size(); }
    CIDs& GetIDs(int index);
    void AddIDs(const CIDs& ids) { m_sets.push_back(ids); }
    void DelIDs(int index);

private:
    std::vector<CIDs> m_sets;
};

// Hands out identifiers by counting up; its one signed 32-bit value is what the stream carries.
class CIDGen
{
public:
    explicit CIDGen(std::int32_t start = 0) : m_nID(start) {}

    std::int32_t GetCurID() const { return m_nID; }
    std::int32_t GetNewID() { return ++m_nID; }

private:
    friend CStream& operator<<(CStream& s, const CIDGen& gen);
    friend CStream& operator>>(CStream& s, CIDGen& gen);

    std::int32_t m_nID;
};

CStream& operator<<(CStream& s, const CIDGen& gen);
CStream& operator>>(CStream& s, CIDGen& gen);
