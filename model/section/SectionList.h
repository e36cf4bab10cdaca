// The project section library, its sorting array, and the batten-plate and lacing-bar
// definitions of combined sections.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/collections.h>
#include <vyr/model/section/SectionBase.h>

class CMaterialList;

// Owns its sections; positions count from 1.
class CSectionList : public CObList
{
public:
    CSectionList() : CObList(10) {}
    CSectionList(const CSectionList&) = delete;
    CSectionList& operator=(const CSectionList&) = delete;
    ~CSectionList() override;

    // The section at position i (from 1); null outside 1..count.
    CSectionBase* Get(int i) const;
    // Takes ownership of a new section and appends it. bNewNumber gives it the next free
    // number; otherwise it keeps its own number unless that is 0 or taken. Refuses (false,
    // the caller keeps the section) null, a section already listed and a section whose
    // dimensions are impossible.
    bool Add(CSectionBase* pSec, bool bNewNumber);
    // Removes and deletes the section at position i (from 1); nothing outside 1..count.
    void Delete(int i);
    void DeleteAll();
    // The section with that number, or null.
    CSectionBase* GetByNo(int nNo) const;
    // Reads or writes the whole library. Loading appends the stored sections; a truncated
    // or corrupt stream throws CArchiveException and leaves the library as it was.
    void FileInOut(CArchive& ar, CMaterialList* pSteel, CMaterialList* pConcrete);

private:
    int NextNo() const;
};

// Section pointers of a library in a display order.
class CSecPointArray
{
public:
    CSecPointArray() = default;
    CSecPointArray(const CSecPointArray&) = delete;
    CSecPointArray& operator=(const CSecPointArray&) = delete;
    ~CSecPointArray() = default;

    // By type code, then number. The mode and the last argument only select among equal
    // keys (kept for the callers' signature).
    void InitOnSec(CSectionList* pList, int nMode, int nReserved);
    // By material text, then type code, then number.
    void InitOnMat(CSectionList* pList, int nMode);

    int GetCount() const { return (int)m_Secs.size(); }
    CSectionBase* GetAt(int i) const { return (i >= 0 && i < GetCount()) ? m_Secs[(size_t)i] : nullptr; }
    CSectionBase* operator[](int i) const { return GetAt(i); }

    std::vector<CSectionBase*> m_Secs;
};

// Batten plates (kind 0) or lacing bars (kind 1) that tie the limbs of a combined section.
// Lengths in centimetres.
class CStay : public CObject
{
    DECLARE_SERIAL(CStay)
public:
    CStay() = default;
    CStay(const CStay&) = delete;
    CStay& operator=(const CStay&) = delete;
    ~CStay() override;

    CString GetDescription() const;
    // Replaces the owned angle section of the lacing bars (the old one is deleted).
    void SetAngleSec(CSectionBase* pSec);

    int m_nNo = 0;
    int m_nKind = 0;
    int m_nLegLink = 0;              // lacing: 2 long leg, 1 short leg
    CSectionBase* m_pAngle = nullptr; // lacing: the bars' angle, owned
    int m_nDiagonal = 0;             // lacing: 1 or 2 bars
    int m_nHorizontal = 0;           // lacing: 1 with horizontal bars
    float m_fWidth = 0.0f;           // batten: plate width
    float m_fThick = 0.0f;           // batten: plate thickness
    int m_nBolted = 0;               // batten: 1 bolted, 0 welded
    float m_fSpace = 0.0f;
    CMaterialBase* m_pMaterial = nullptr;
    CString m_strName;               // lacing: the angle's short name
};

// The project's tie definitions; does not own them (the batten dialog deletes a removed one).
class CStayList : public CObList
{
public:
    CStayList() : CObList(10) {}
    CStayList(const CStayList&) = delete;
    CStayList& operator=(const CStayList&) = delete;
    ~CStayList() override {}

    // Appends and numbers (number = new count).
    void Add(CStay* pStay);
    // Position from 1; null outside 1..count.
    CStay* Get(int i) const;
    // Removes one definition without deleting it; the rest are renumbered.
    void DeleteStay(CStay* pStay);
};
