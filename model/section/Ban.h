// Slab types of rooms, the profiled-sheet base, and the numbered group lists (slab bar
// groups, beam bar groups, hoop groups, shear-stud groups).
#pragma once

#include <vyr/stdafx.h>
#include <vyr/collections.h>
#include <vyr/model/base/OwnedList.h>

class CMaterialBase;

class CBan : public CObject
{
    DECLARE_SERIAL(CBan)
public:
    CBan() = default;
    CBan(const CBan&) = delete;
    CBan& operator=(const CBan&) = delete;
    ~CBan() override = default;

    CArray<double, double>* GetSpanArray() { return &m_SpanArray; }
    int GetType() const { return m_nType; }
    void SetType(int nType) { m_nType = nType; }
    // Thickness plus rib height, cm.
    virtual float GetH() { return m_fThick * 0.1f; }
    // True for cast-in-place concrete slabs.
    virtual bool IsConcreteBan() { return false; }
    void Serialize(CArchive& ar) override;

    CArray<double, double> m_SpanArray;
    // -1, 1, 2: composite slab on profiled sheet (tension by both, by the sheet, by bars);
    // 3: cast-in-place one-way slab; 100: two-way design.
    int m_nType = 0;
    float m_fThick = 0.0f; // mm
    int m_nNo = 0;
    CMaterialBase* m_pMaterial = nullptr;
    CString m_strName;
};

// Composite slab on profiled steel sheet: the concrete depth Hc above the ribs is the
// thickness; the sheet's data are copied from its record of the profiled-sheet database.
class CBanSteel : public CBan
{
    DECLARE_SERIAL(CBanSteel)
public:
    CBanSteel() { m_nType = -1; }
    float GetH() override { return (float)(m_nRibH + m_fThick) * 0.1f; }
    void Serialize(CArchive& ar) override;
    int m_nDBPos = 0;                         // position of the sheet's database record
    CMaterialBase* m_pSheetMaterial = nullptr; // of the steel material list
    CString m_strSheet;                       // sheet model
    int m_nRibH = 0;                          // H, rib height, mm
    float m_fS = 0.0f;                        // S, rib spacing, mm
    int m_nBe = 0;                            // Be, mm
    int m_nB = 0;                             // B, mm
    float m_fSheetT = 0.0f;                   // t, sheet thickness, mm
    float m_fIef = 0.0f;                      // effective moment of inertia, cm4 per metre width
    float m_fWef = 0.0f;                      // effective section modulus, cm3 per metre width
    int m_nb1 = 0;                            // b1, mm
    int m_nb2 = 0;                            // b2, mm
};

// Cast-in-place concrete slab.
class CBanConcrete : public CBan
{
    DECLARE_SERIAL(CBanConcrete)
public:
    CBanConcrete() { m_nType = 3; }
    float GetH() override { return m_fThick * 0.1f; }
    bool IsConcreteBan() override { return true; }
};

// Slab-type library; owns its slab types, positions count from 1.
class CBanList : public CObList
{
public:
    CBanList() : CObList(10) {}
    CBanList(const CBanList&) = delete;
    CBanList& operator=(const CBanList&) = delete;
    ~CBanList() override;
    // Null outside 1..count.
    CBan* Get(int i) const;
    // Appends and numbers the slab type (its position); false for null or one already listed.
    bool Add(CBan* pBan);
    // Removes and deletes the slab type at position i; the rest are renumbered.
    void Delete(int i);
};

// Profiled steel sheet.
class CCorrugatedIronBase : public CObject
{
public:
    virtual float GetBottomFlangeWide() { return 0.0f; }
    virtual float GetTopFlangeWide() { return 0.0f; }
};

// Reinforcement group of a slab: spacing and diameter in mm, steel grade index.
class CPlateSteelBarGroup : public CObject
{
public:
    CPlateSteelBarGroup() = default;
    CPlateSteelBarGroup(int nGrade, int nDiameter, int nSpace) : m_nSpace(nSpace), m_nGrade(nGrade), m_nDiameter(nDiameter) {}
    bool IsSame(const CPlateSteelBarGroup& o) const
    {
        return m_nSpace == o.m_nSpace && m_nGrade == o.m_nGrade && m_nDiameter == o.m_nDiameter;
    }
    int m_nNo = 0;
    int m_nSpace = 0;
    int m_nGrade = 0;
    int m_nDiameter = 0;
};

// Longitudinal bars of a concrete member: count and diameter (mm), steel grade index.
class CSteelBarGroup : public CObject
{
public:
    bool IsSame(const CSteelBarGroup& o) const
    {
        return m_nCount == o.m_nCount && m_nDiameter == o.m_nDiameter && m_nGrade == o.m_nGrade;
    }
    int m_nNo = 0;
    int m_nCount = 0;
    int m_nDiameter = 0;
    int m_nGrade = 0;
};

// Hoops of a concrete member: diameter and spacing (mm), legs, steel grade index.
class CHoopSteelBarGroup : public CObject
{
public:
    bool IsSame(const CHoopSteelBarGroup& o) const
    {
        return m_nDiameter == o.m_nDiameter && m_nSpace == o.m_nSpace && m_nLegs == o.m_nLegs && m_nGrade == o.m_nGrade;
    }
    int m_nNo = 0;
    int m_nDiameter = 0;
    int m_nSpace = 0;
    int m_nLegs = 0;
    int m_nGrade = 0;
};

// Shear-stud group of a composite beam.
class CPinNailGroup : public CObject
{
public:
    int GetDiameter() const { return m_nDiameter; }
    int GetHeight() const { return m_nHeight; }
    void GetDescription(CString* pText) const;
    bool IsSame(const CPinNailGroup& o) const;
    int m_nNo = 0;
    int m_nMaterial = 1; // 1 "Q235", 2 "16Mn"
    int m_nDiameter = 0;
    int m_nHeight = 0;
    int m_nRows = 0;
    int m_nReserved1 = 0;
    int m_nReserved2 = 0;
    int m_nSpace = 0;
    int m_nCapacityMode = 0; // 0 computed, 1 given
    float m_fCapacity = 0.0f; // kN
};

// Owning group list whose Add numbers the group with its position (from 1).
template <class T>
class CVyrGroupList : public CObList
{
public:
    CVyrGroupList() : CObList(10) {}
    CVyrGroupList(const CVyrGroupList&) = delete;
    CVyrGroupList& operator=(const CVyrGroupList&) = delete;
    ~CVyrGroupList() override
    {
        vyr::DeleteListItems(*this);
    }
    void Add(T* pGroup)
    {
        AddTail(pGroup);
        pGroup->m_nNo = (int)GetCount();
    }
    // Null outside 1..count.
    T* Get(int i) const
    {
        return vyr::ListAt<T>(*this, i);
    }
    // Removes and deletes the group at position i; the rest are renumbered.
    void Delete(int i)
    {
        if (i < 1 || i > (int)GetCount())
            return;
        POSITION pos = FindIndex(i - 1);
        delete GetAt(pos);
        RemoveAt(pos);
        int n = 0;
        for (POSITION p = GetHeadPosition(); p != nullptr;)
            static_cast<T*>(GetNext(p))->m_nNo = ++n;
    }
    // An existing group with the same parameters, or null.
    T* IsOldGroup(const T* pGroup) const
    {
        for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
            T* g = static_cast<T*>(GetNext(pos));
            if (g != pGroup && g->IsSame(*pGroup))
                return g;
        }
        return nullptr;
    }
};

class CPlateSteelBarGroupList : public CVyrGroupList<CPlateSteelBarGroup> {};
class CSteelBarGroupList : public CVyrGroupList<CSteelBarGroup> {};
class CHoopSteelBarGroupList : public CVyrGroupList<CHoopSteelBarGroup> {};
class CPinNailGroupList : public CVyrGroupList<CPinNailGroup> {};

// Stores a new group in its library, taking it over: a group of the list with the same
// parameters is used and the new one deleted, so a number is never given twice to the same
// bars or studs; otherwise the new one is appended and numbered by the count. Answers the
// group to refer to. Any list with IsOldGroup and a numbering Add will do.
template <class List, class G>
G* VyrStoreGroup(List* pList, G* pGroup)
{
    if (G* old = pList->IsOldGroup(pGroup)) {
        delete pGroup;
        return old;
    }
    pList->Add(pGroup);
    return pGroup;
}
