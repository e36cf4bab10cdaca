// Node supports and the per-node result records.
#pragma once

#include <array>

#include <vyr/stdafx.h>
#include <vyr/model/struct/ModelList.h>

class CDC;
class CDXFOutput;

class CSupportBase : public CObject
{
    DECLARE_DYNAMIC(CSupportBase)
public:
    CSupportBase() = default;
    CSupportBase(int type, CObject* aux = nullptr) : m_pAux(aux), m_nType(type) {}
    ~CSupportBase() override
    {
        delete m_pAux;
        m_pAux = nullptr;
    }
    CSupportBase(const CSupportBase&) = delete;
    CSupportBase& operator=(const CSupportBase&) = delete;

    int GetType() const { return m_nType; }
    virtual void DrawSupport(CDC*, CPoint&) {}
    virtual void DrawSupportDXF(CDXFOutput*, CPoint&) {}
    virtual void BuildPointStructure(float) {}
    // The kind's short name.
    CString GetDescription() const;
    // What the support holds: the released directions, and a spring's stiffnesses.
    void GetDescription(CString* text) const;

    CObject* m_pAux = nullptr; // owned auxiliary object
    int m_nType = 0;           // 1 fixed, 2 pinned, 3 spring, 4 XZ, 5 YZ, 6 pin X fix Y, 7 pin Y fix X
    int m_nRelease[6] = {0, 0, 0, 0, 0, 0}; // FX, FY, FZ, MX, MY, MZ: 1 released (free), 0 restrained
    // KFX, KFY, KFZ in model force per length, KMX, KMY, KMZ in force times length; 0 where released.
    float m_fStiff[6] = {0, 0, 0, 0, 0, 0};
    int m_nSpringNo = 0;       // a spring's number, from 1
};

#define VYR_SUPPORT_KIND(name, type)                                        \
    class name : public CSupportBase                                        \
    {                                                                       \
        DECLARE_DYNAMIC(name)                                               \
    public:                                                                 \
        explicit name(CObject* aux = nullptr) : CSupportBase(type, aux) {}  \
    };

VYR_SUPPORT_KIND(CSupportFixed, 1)
VYR_SUPPORT_KIND(CSupportPinned, 2)
VYR_SUPPORT_KIND(CSupportXZPlane, 4)
VYR_SUPPORT_KIND(CSupportYZPlane, 5)
VYR_SUPPORT_KIND(CSupportXPinFixed, 6)
VYR_SUPPORT_KIND(CSupportYPinFixed, 7)
#undef VYR_SUPPORT_KIND

// A spring support starts with every direction held at 1e9.
class CSupportSpring : public CSupportBase
{
    DECLARE_DYNAMIC(CSupportSpring)
public:
    explicit CSupportSpring(CObject* aux = nullptr);
};

// The project's support library; the structure deletes its supports. The default supports
// come first (3-D edition: fixed, pinned, kinds 6, 7, 4, 5; 2-D edition: fixed, pinned),
// then the springs, numbered 1.. in list order.
class CSupportList : public CModelList<CSupportBase, false>
{
public:
    // Appends the default supports of the edition.
    void AddDefaults(bool threeD);
    // Appends a support, which the structure then owns; a spring takes the next number.
    void Add(CSupportBase* p);
    // Deletes the support at the position (from 1); the springs are numbered again.
    void Delete(int position);
};

struct NodeResult
{
    float a[6] = {};
    CString s1, s2;
    float b[6] = {};
};

// One result of a node check as the reports print it: the ratio (computed value / limit,
// or a plate thickness) and the ready-made cell text.
struct CNodeCheckItem
{
    float ratio = 0.0f;
    CString text;
};

class CPNodeChecker
{
public:
    CPNodeChecker() = default;
    CPNodeChecker(const CPNodeChecker&) = default;
    CPNodeChecker& operator=(const CPNodeChecker&) = default;
    virtual ~CPNodeChecker() = default;

    float a[8] = {};   // panel-zone ratios and what they come from
    CString s1, s2;
    float b[15] = {};  // strong-column-weak-beam ratios and details
    bool f1 = false, f2 = false;

    // Panel zones about axes 2 and 3: elastic, detailing, plastic (2, 3 each).
    std::array<CNodeCheckItem, 6> capacity;
    bool hasCapacity = false;
    // Doubler plates set about axes 2 and 3, then those to add about axes 2 and 3.
    std::array<CNodeCheckItem, 4> addPlate;
    bool hasAddPlate = false;
    // Strong column weak beam about axes 2 and 3.
    std::array<CNodeCheckItem, 2> pcol;
    bool hasPCol = false;

    // The ratios by the names the drawings give them: panel zones P1, P2 elastic, P3, P4
    // detailing, P5, P6 plastic (axes 2 and 3 each), S1, S2 strong column weak beam about
    // axes 2 and 3. k from 1.
    float GetPanelRatio(int k) const { return a[k - 1]; }
    float GetPColRatio(int k) const { return b[k - 1]; }
};
