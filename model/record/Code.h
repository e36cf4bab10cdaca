// Design-code checker, discrete-section optimisation records and slab reinforcement results.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/collections.h>
#include <vyr/model/struct/Member.h> // CheckResult

class CBan;
class CBeamBase;
class CCombineSecBase;
class CLoadCombination;
class CMaterialBase;
class COutput;
class CSectionBase;

// Checks members against one design code. The base class checks nothing: every check is a
// no-op, so a code of the model library overrides only what it covers.
class CCode
{
public:
    CCode() = default;
    CCode(const CCode& src);
    CCode& operator=(const CCode& src);
    virtual ~CCode() = default;

    virtual CString GetCodeName() { return CString(); }
    virtual bool CheckAll() { return false; }
    virtual bool IsCanCheck() { return false; }
    virtual void CheckOut() {}
    virtual void CheckAxialFlexualLStableWeb(CLoadCombination*) {}
    virtual void CheckAxialLStableFlange(CSectionBase*, float, float) {}
    virtual void CheckAxialLStableWeb(CSectionBase*, float, float) {}
    virtual void CheckAxialFlexualLStableFlange() {}
    virtual void CheckComFlexualLStable() {}
    virtual void CheckCombineLStable() {}
    virtual void CheckAxialRatio(CLoadCombination*) {}
    virtual void CheckFlexualLStableWeb(CLoadCombination*) {}
    virtual void CheckCombineStiff() {}
    virtual void CheckOther(CLoadCombination*) {}
    virtual void CheckAxialCompressStable(CLoadCombination*) {}
    virtual void CheckCompressFlexualStable(CLoadCombination*) {}
    virtual void CheckAxialSigma(CLoadCombination*) {}
    virtual void CheckAxialFlexualSigma(CLoadCombination*) {}
    virtual void CheckTao(CLoadCombination*, bool) {}
    virtual void CheckFlexualComSigma(CLoadCombination*) {}
    virtual void CheckFlexualSigma(CLoadCombination*) {}
    virtual void CheckBeamDeflate(CBeamBase*) {}
    virtual void CheckBeamDeflate(CBeamBase*, CLoadCombination*) {}
    virtual void CheckColumnDeflate(CBeamBase*) {}
    virtual void CheckColumnDeflate(CBeamBase*, CLoadCombination*) {}
    virtual void CheckComBeamDeflate(CBeamBase*) {}
    virtual void CheckFlexualLStableFlange() {}
    virtual void CheckSeismLStable() {}
    virtual void CheckStiff() {}
    virtual float CheckSecWebLocalSigma(CSectionBase*, double, double, float, bool) { return 0.0f; }
    virtual void CheckCombineSecTao(CCombineSecBase*, double, double, double*, double*, bool, bool) {}
    virtual void CheckSecFlexConStress(float, CSectionBase*, double, double, double, double*, double*, bool) {}
    virtual void CheckSecAxialFlexualSigma(float, CSectionBase*, double, double, double, double*, double*, bool,
                                           int)
    {
    }
    virtual void CheckComSecTao(CSectionBase*, double, bool) {}
    virtual void CheckSecTao(float, CSectionBase*, double, double, double, double*, double*, bool, bool) {}
    virtual void CheckSecFlexualSigma(float, CSectionBase*, double, double, double*, double*, bool) {}
    virtual void CheckSecCompressFlexualStable(CSectionBase*, float, float, double, double, double, float, float,
                                               float, float, int, int, bool)
    {
    }
    virtual void CheckComSecPlusMomentSigma(CSectionBase*, CMaterialBase*, float, float, float, float, bool) {}
    virtual void CheckSecAxialCompressStable(CSectionBase*, float, float, float, bool) {}
    virtual void CheckCombineSecCompressFlexualStable(CCombineSecBase*, float, float, double, double, double, float,
                                                      float, float, float, int, int, bool)
    {
    }
    virtual void CheckSecAxialSigma(CSectionBase*, double, bool) {}
    virtual void CheckSecFlexualStable(CSectionBase*, bool, int, int, float, float, float) {}
    virtual void CheckComSecMinusMomentSigma(CSectionBase*, CMaterialBase*, float, float, float, float, float, float,
                                             int, bool)
    {
    }
    virtual void OnGetBeamGStablePara(int&, int&, float&) {}
    virtual void EffectLength() {}
    virtual float OnFibHBeam(int, int, float, float, float) { return 1.0f; }
    virtual bool OnGetComBeamPara(CBan*, float&, float&, float&, float&, float&, int&) { return false; }
    virtual void OutLamda(float, COutput*) {}
    virtual void CalLamda(CSectionBase*, float, float, float&, float&, float&) {}

    CheckResult& GetCheckResult() { return m_result; }
    const CheckResult& GetCheckResult() const { return m_result; }

    int m_nValue[2] = {0, 0};
    bool m_bFlag[14] = {};

private:
    CheckResult m_result;
};

// One entry of a discrete-section table: thirteen values and a text.
struct OPT_SECTION_ENTRY
{
    float fValue[13] = {};
    CString strText;
};

// A unit-price and discrete-section record, keyed by member type, section type and material type.
class COptDiscreteSection
{
public:
    // Default unit prices of a new entry: rolled steel per tonne, reinforced concrete per m3.
    static constexpr float DefaultCost = 5000.0f;
    static constexpr float DefaultConcreteCost = 500.0f;

    explicit COptDiscreteSection(int memberType = 0, int secType = 0, int mType = 0)
        : m_nType(memberType), m_nSecType(secType), m_nMType(mType)
    {
    }
    COptDiscreteSection(const COptDiscreteSection&) = default;
    COptDiscreteSection& operator=(const COptDiscreteSection&) = default;
    virtual ~COptDiscreteSection() = default;

    void SetPath(CString s) { m_strPath = s; }
    CString GetPath() const { return m_strPath; }
    // The member type code of the key.
    int GetType() const { return m_nType; }
    int GetSecType() const { return m_nSecType; }
    void SetSecType(int v) { m_nSecType = v; }
    int GetMType() const { return m_nMType; }
    float GetCost() const { return m_fCost; }
    void SetCost(float v) { m_fCost = v; }
    float GetConcreteCost() const { return m_fConcreteCost; }
    void SetConcreteCost(float v) { m_fConcreteCost = v; }
    void SetSecStr(CString s) { m_strSec = s; }
    void SetMStr(CString s) { m_strM = s; }
    void SetTypeStr(CString s) { m_strType = s; }
    // Builds the description from the type, section and material texts.
    void SetDiscription();
    CString GetDiscription() const { return m_strDescription; }

    std::vector<OPT_SECTION_ENTRY>& Entries() { return m_entries; }
    const std::vector<OPT_SECTION_ENTRY>& Entries() const { return m_entries; }

private:
    CString m_strPath;
    int m_nType;
    int m_nSecType;
    int m_nMType;
    float m_fCost = DefaultCost;
    float m_fConcreteCost = DefaultConcreteCost;
    CString m_strSec;
    CString m_strM;
    CString m_strType;
    CString m_strDescription;
    std::vector<OPT_SECTION_ENTRY> m_entries;
};

struct BG_INFO
{
    float fValue[11] = {};
};

// Result of a discrete-section optimisation.
class COptResult
{
public:
    COptResult() = default;
    COptResult(const COptResult&) = default;
    COptResult& operator=(const COptResult&) = default;
    virtual ~COptResult() = default;

    int m_nValue[3] = {0, 0, 0};
    std::vector<BG_INFO> m_groups;
    int m_nTail[2] = {0, 0};
    std::vector<int> m_sections;
};

// Reinforcement of one slab strip: bar data arrays and nine plain values.
struct RF_INFO
{
    RF_INFO() = default;
    RF_INFO(const RF_INFO& src) { *this = src; }
    RF_INFO& operator=(const RF_INFO& src);
    ~RF_INFO() = default;

    CArray<float, float> aArea;
    CArray<float, float> aSpacing;
    CArray<float, float> aDiameter;
    CArray<int, int> aGrade;
    float fValue[9] = {};
};

CArchive& operator<<(CArchive& ar, const RF_INFO& info);
CArchive& operator>>(CArchive& ar, RF_INFO& info);

// The reinforcement results of a slab design.
class CReinforceResult : public CObject
{
    DECLARE_SERIAL(CReinforceResult)
public:
    // Status of a design whose every strip was reinforced.
    static constexpr int StatusSucceeded = 16;

    CReinforceResult() = default;
    CReinforceResult(const CReinforceResult& src);
    CReinforceResult& operator=(const CReinforceResult& src);
    ~CReinforceResult() override = default;

    bool Succeed() const { return m_nStatus == StatusSucceeded; }
    int GetStatus() const { return m_nStatus; }
    void SetStatus(int v) { m_nStatus = v; }
    int GetIndex() const { return m_nIndex; }
    void SetIndex(int v) { m_nIndex = v; }
    CArray<RF_INFO, const RF_INFO&>& GetInfo() { return m_info; }
    const CArray<RF_INFO, const RF_INFO&>& GetInfo() const { return m_info; }

    // The record count first, then the records, the index and the status.
    void Serialize(CArchive& ar) override;

private:
    CArray<RF_INFO, const RF_INFO&> m_info;
    int m_nIndex = -1;
    int m_nStatus = 0;
};
