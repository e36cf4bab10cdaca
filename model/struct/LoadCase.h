// Basic load cases, load combinations and the horizontal seismic definitions.
#pragma once

#include <utility>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/struct/ModelList.h>

class CLoadSeism;

class CBasicLoadCase : public CObject
{
    DECLARE_DYNAMIC(CBasicLoadCase)
public:
    CBasicLoadCase() : CBasicLoadCase(0) {}
    explicit CBasicLoadCase(int type) : m_nType(type) {}

    int GetStatus() const { return m_nStatus; }
    void SetStatus(bool b) { m_nStatus = b ? 1 : 0; }
    int GetSelect() const { return (int)m_bSelect; }
    int GetType() const { return m_nType; }
    // Codes 7 to 10 are the horizontal seismic cases.
    bool IsSeismLoadCase() const { return m_nType >= 7 && m_nType <= 10; }
    // Appends the case's description ("LC%d ...").
    void GetDescription(CString* out, int mode) const;
    // The case's name as the combination editor lists it: a horizontal seismic case is
    // "E%-d", "E%-dP" or "E%-dM" with its definition's number by its variant; the others
    // name their kind ("恒载", "活载", ...).
    CString GetDescription() const;
    int GetSeismCaseNo() const { return m_nSeismCaseNo; }

    int m_nStatus = 1;
    unsigned char m_bSelect = 0;
    int m_nType = 0;
    int m_nNo = 0;
    int m_nSeismCaseNo = 0;  // horizontal seismic case: the number of its definition (CLoadSeism)
    int m_nSeismVariant = 0; // horizontal seismic case: 0 plain, 1 "P", 2 "M"
};

class CLoadCombination : public CObject
{
    DECLARE_DYNAMIC(CLoadCombination)
public:
    CLoadCombination() = default;

    int GetStatus() const { return (int)m_bStatus; }
    void SetSelect(bool b) { m_bStatus = b ? 1 : 0; }
    bool GetReinforceStatus() const { return m_bReinforceStatus != 0; }
    void SetSeismType(int t) { m_nSeismType = t; }
    int GetSeismType() const { return m_nSeismType; }
    void GetDescription(CString* out) const;
    // Makes the combination stand for one basic case with factor 1.
    void Fill(CBasicLoadCase* lc, CLoadSeism* seism);
    // Makes this combination a copy of another, number included; null empties it.
    void Fill(const CLoadCombination* other);
    // The same for a combination that must exist.
    void Copy(const CLoadCombination* other);
    // Both combine the same cases with the same factors (within 1e-4). A case choice counts
    // only while its factor is not zero; the number and the flags are not compared.
    bool IsEqual(const CLoadCombination* other) const;
    // The basic case types the analysis keeps results under, each with its factor, for the
    // terms that have a factor: dead (type 0), live (1), the wind case (wind case - 1),
    // vertical seismic (6) and horizontal seismic (7 plus the seismic variant). Node
    // displacements and member station results combine by this one rule.
    std::vector<std::pair<int, float>> GetCaseFactors() const;

    unsigned char m_bStatus = 0;
    unsigned char m_bReinforceStatus = 0;
    int m_nSeismType = 0;
    int m_nNo = 0;
    float m_fWind = 0, m_fVSeism = 0, m_fLive = 0, m_fDead = 0, m_fHSeism = 0, m_fAddHSeism = 0;
    int m_nWindCase = 3;
    int m_nSeismVariant = 0;
    float m_fTemperature = 0, m_fCrane = 0;
    int m_nTemperatureCase = 1, m_nCraneCase = 1;
    float m_fPrestress = 0;
    CLoadSeism* m_pSeism1 = nullptr;
    CLoadSeism* m_pSeism2 = nullptr;

    // The description as text.
    CString GetDescription() const
    {
        CString s;
        GetDescription(&s);
        return s;
    }
};

class CLoadSeism : public CObject
{
    DECLARE_DYNAMIC(CLoadSeism)
public:
    float GetAngle() const { return m_fAngle; }
    float m_fAngle = 0.0f;
    int m_nNo = 0;
};

class CLoadTemperature : public CObject
{
    DECLARE_DYNAMIC(CLoadTemperature)
public:
    float GetfT() const { return m_fT; }
    float m_fT = 0.0f;
};

// The node loads (CLoadNode) of one crane load case. The structure keeps one per case, which
// owns its records and carries the case's number and whether the case was generated from the
// crane layout; a node keeps one per case that loads it, with the case's number, naming
// records of the structure's list.
class CLoadCraneList : public CObList
{
public:
    CLoadCraneList() : CLoadCraneList(0) {}
    explicit CLoadCraneList(int no, int generated = 0) : CObList(10), m_nNo(no), m_bGenerated(generated) {}
    int m_nNo;
    int m_bGenerated; // non-zero: derived from the crane layout, else defined by the user
};
// The member loads (CLoadBeam) of one crane load case, kept as the node loads are.
class CLoadCraneBeamList : public CObList
{
public:
    CLoadCraneBeamList() : CLoadCraneBeamList(0) {}
    explicit CLoadCraneBeamList(int no) : CObList(10), m_nNo(no) {}
    int m_nNo;
};

// Basic load cases (the structure deletes its own when it is destroyed).
class CBasicLCList : public CModelList<CBasicLoadCase, false>
{
public:
    int GetAnalysisHSeismNum() const;
    // How many horizontal seismic definitions the horizontal seismic cases stand for.
    int GetHSeismNum() const;
    // Fourteen flags for the kinds of case the list holds (1 dead, 2 live, 3 to 6 wind,
    // 7 horizontal seismic, 8 vertical seismic, 9 to 12 temperature, 13 crane, 14 initial stress).
    void LoadInfro(bool flags[14]) const;
};

// Load combinations (the structure deletes its own; lists built by callers only forget).
class CLCList : public CModelList<CLoadCombination, false>
{
public:
    // Appends a combination numbered one above the highest number of the list.
    void Add(CLoadCombination* lc);
    // Numbers the combinations 1, 2, ... in list order.
    void ReAssignId();
    int m_nLock = 0; // nonzero: the combinations are locked against automatic regeneration
    // Parameters of the automatic generation (rules: 0 standard, 1 simplified; switches 0/1).
    int m_nBasicRule = 0;
    int m_bWindBothDir = 1;
    int m_bSeismBothDir = 1;
    int m_bFavourableDead = 1;
    int m_nStandardRule = 0;
    float m_fPrestressFactor = 1.2f;
    float m_fDeadFactor = 1.2f;
    float m_fLiveFactor = 1.4f;
    float m_fWindFactor = 1.4f;
    float m_fCraneFactor = 1.4f;
    float m_fTemperatureFactor = 1.4f;
    float m_fLiveCombFactor = 0.7f;
    float m_fWindCombFactor = 0.6f;
    float m_fCraneCombFactor = 0.7f;
    float m_fTemperatureCombFactor = 0.6f;
    float m_fGravityFactor = 1.2f;
    float m_fHSeismFactor = 1.3f;
    float m_fVSeismFactor = 0.5f;
    int m_bSeismWithWind = 0;
};

class CLoadSeismList : public CModelList<CLoadSeism, false>
{
public:
    // The seismic position (0 to 11) of a case: the index into the per-case arrays, counted
    // as the cases are listed: the plain ones of every definition, then the "P", then the "M".
    int GetSeismPos(const CBasicLoadCase* lc) const;
    // The number of horizontal seismic definitions: the block size of that listing.
    int GetHSeismNum() const { return (int)GetCount(); }
    double GetAcceleration() const;

    float m_fDamp = 0.05f;       // damping a new time-history case starts with
    float m_fG = 980.0f;         // gravity acceleration
    int m_bFlag = 0;
    int m_nIntensity = 7;        // fortification intensity
    int m_nGroupSite = 11;       // group * 10 + site class
    int m_nModeNum = 3;
    float m_fPeriodReduce = 1.0f;
    int m_bAccidental = 0;
    int m_bBidirection = 0;
};
