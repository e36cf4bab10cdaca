// Elastic time-history analysis data: seismic wave records, time-history load cases and the
// results that the engine writes back (one per case, and their average).
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/collections.h>

// One seismic acceleration record: a time step, a length and the samples (cm/s2).
class CWaveFun : public CObject
{
    DECLARE_DYNAMIC(CWaveFun)
public:
    CWaveFun() = default;
    ~CWaveFun() override;
    CWaveFun(const CWaveFun&) = delete;
    CWaveFun& operator=(const CWaveFun&) = delete;

    int GetId() const { return m_nId; }
    void SetId(int id) { m_nId = id; }
    CString GetName() const { return m_strName; }
    void SetName(CString name) { m_strName = name; }
    float GetStep() const { return m_fStep; }
    void SetStep(float step) { m_fStep = step; }
    float GetDist() const { return m_fDist; }
    void SetDist(float dist) { m_fDist = dist; }
    float* GetValueArray() const { return m_pValue; }

    // Replaces name, step, length and samples: the step comes first, then the length. The
    // record keeps its own copy of the first SampleCount(dist, step) values of the given array.
    void SetValue(CString name, float step, float dist, float* values);
    // Number of samples held. It is fixed by SetValue: a later change of step or length alone
    // re-times the same samples and never reaches past them.
    int GetNum() const { return m_nNum; }
    // The sample at index i (0 to GetNum() - 1), 0 outside. The last sample is a sample
    // like any other: no caller counts on reading it as 0 (the plots stop short on their own).
    float GetValue(int i) const;
    // Largest magnitude of the samples, 0 for a record without samples.
    float GetMaxValue() const;

    // Samples of a record: the integer part of length / step in single precision, as the
    // record files are read; 0 when the step is not positive.
    static int SampleCount(float dist, float step);

    // Step and length are written directly by the record editor.
    float m_fStep = 0.0f;
    float m_fDist = 0.0f;

private:
    int m_nId = 0;
    CString m_strName;
    float* m_pValue = nullptr;
    int m_nNum = 0;
};

// The wave records of the structure (or of a library class); the list owns them.
class CWaveFunList : public CObList
{
public:
    CWaveFunList() : CObList(10) {}
    ~CWaveFunList() override { DeleteAll(); }
    CWaveFunList(const CWaveFunList&) = delete;
    CWaveFunList& operator=(const CWaveFunList&) = delete;

    // The record at a position (from 1), null when there is none.
    CWaveFun* Get(int position) const;
    // Position (from 1) of the record, 0 when it is not in the list.
    int FindId(CWaveFun* wave) const;
    // Removes the record from the list and deletes it; a record of another list is left alone.
    void DeleteWaveFun(CWaveFun* wave);
    void DeleteAll();
};

// One time-history load case: up to three wave records scaled to peak accelerations.
class CTHCase : public CObject
{
    DECLARE_DYNAMIC(CTHCase)
public:
    CTHCase() = default;
    ~CTHCase() override = default;
    CTHCase(const CTHCase&) = delete;
    CTHCase& operator=(const CTHCase&) = delete;

    int GetId() const { return m_nId; }
    void SetId(int id) { m_nId = id; }
    CWaveFun* GetWaveFunX() const { return m_pWaveFunX; }
    void SetWaveFunX(CWaveFun* w) { m_pWaveFunX = w; }
    CWaveFun* GetWaveFunY() const { return m_pWaveFunY; }
    void SetWaveFunY(CWaveFun* w) { m_pWaveFunY = w; }
    CWaveFun* GetWaveFunZ() const { return m_pWaveFunZ; }
    void SetWaveFunZ(CWaveFun* w) { m_pWaveFunZ = w; }
    float GetMaxX() const { return m_fMaxX; }
    void SetMaxX(float v) { m_fMaxX = v; }
    float GetMaxY() const { return m_fMaxY; }
    void SetMaxY(float v) { m_fMaxY = v; }
    float GetMaxZ() const { return m_fMaxZ; }
    void SetMaxZ(float v) { m_fMaxZ = v; }
    CString GetName() const { return m_strName; }
    void SetName(CString name) { m_strName = name; }
    int GetSpan() const { return m_nSpan; }
    void SetSpan(int v) { m_nSpan = v; }
    float GetStep() const { return m_fStep; }
    void SetStep(float v) { m_fStep = v; }
    float GetDist() const { return m_fDist; }
    void SetDist(float v) { m_fDist = v; }
    float GetRatio() const { return m_fRatio; }
    void SetRatio(float v) { m_fRatio = v; }

    // The directions that have a record, "X", "Y", "Z" in this order ("XY" for two).
    CString GetDirStr() const;

    // Fields written directly by the case dialog, in this order.
    int m_nId = 0;
    CWaveFun* m_pWaveFunX = nullptr; // not owned
    CWaveFun* m_pWaveFunY = nullptr;
    CWaveFun* m_pWaveFunZ = nullptr;
    float m_fMaxX = 0.0f; // peak accelerations, gal
    float m_fMaxY = 0.0f;
    float m_fMaxZ = 0.0f;
    CString m_strName;
    int m_nSpan = 1;        // output interval, samples
    float m_fStep = 0.02f;  // input step, s
    float m_fDist = 20.0f;  // cut length, s
    float m_fRatio = 0.05f; // damping ratio
};

// The time-history cases of the structure, numbered 1, 2, 3 ... in list order; the list owns them.
class CTHCaseList : public CObList
{
public:
    CTHCaseList() : CObList(10) {}
    ~CTHCaseList() override { DeleteAll(); }
    CTHCaseList(const CTHCaseList&) = delete;
    CTHCaseList& operator=(const CTHCaseList&) = delete;

    // The case at a position (from 1), null when there is none.
    CTHCase* Get(int position) const;
    // Appends the case and numbers it with the new count; a null pointer is ignored.
    void Add(CTHCase* thCase);
    // Removes and deletes a listed case and renumbers the rest; false when it is not listed.
    bool DeleteTHCase(CTHCase* thCase);
    // True when some case applies the record in any direction.
    bool IsContain(CWaveFun* wave) const;
    void DeleteAll();

    // Writes the engine's case file, basePath + ".thc" (see TimeHistory.cpp for its layout).
    // False when the file cannot be written.
    bool FileOut(CString basePath) const;
};

// The result of one case, per storey entry: displacement, drift, shear and moment in X and Y.
// Getters return the stored value times the direction's amplification factor; entries run
// from 0 to GetFloorNum() - 1.
class CTimeAnalyResult : public CObject
{
    DECLARE_DYNAMIC(CTimeAnalyResult)
public:
    CTimeAnalyResult() = default;
    ~CTimeAnalyResult() override = default;
    CTimeAnalyResult(const CTimeAnalyResult&) = delete;
    CTimeAnalyResult& operator=(const CTimeAnalyResult&) = delete;

    int GetFloorNum() const { return m_nFloorNum; }
    // Sizes the arrays for n entries, all 0.
    void SetFloorNum(int n);
    // Stores the values of one entry, unamplified.
    void SetFloorData(int i, double xDisp, double xDeltaDisp, double xShear, double xMoment, double yDisp,
                      double yDeltaDisp, double yShear, double yMoment);

    float GetXDisp(int i) const { return Amplified(m_xDisp, i, m_fAmplifyX); }
    float GetXDeltaDisp(int i) const { return Amplified(m_xDeltaDisp, i, m_fAmplifyX); }
    float GetXShear(int i) const { return Amplified(m_xShear, i, m_fAmplifyX); }
    float GetXMoment(int i) const { return Amplified(m_xMoment, i, m_fAmplifyX); }
    float GetYDisp(int i) const { return Amplified(m_yDisp, i, m_fAmplifyY); }
    float GetYDeltaDisp(int i) const { return Amplified(m_yDeltaDisp, i, m_fAmplifyY); }
    float GetYShear(int i) const { return Amplified(m_yShear, i, m_fAmplifyY); }
    float GetYMoment(int i) const { return Amplified(m_yMoment, i, m_fAmplifyY); }
    // Stored shear of entry 0, without the factor; 0 for a result without entries.
    float GetBaseXShear() const { return m_nFloorNum > 0 ? (float)m_xShear[0] : 0.0f; }
    float GetBaseYShear() const { return m_nFloorNum > 0 ? (float)m_yShear[0] : 0.0f; }

    // Unamplified values, as the engine wrote them.
    double GetStoredXDisp(int i) const { return At(m_xDisp, i); }
    double GetStoredXDeltaDisp(int i) const { return At(m_xDeltaDisp, i); }
    double GetStoredXShear(int i) const { return At(m_xShear, i); }
    double GetStoredXMoment(int i) const { return At(m_xMoment, i); }
    double GetStoredYDisp(int i) const { return At(m_yDisp, i); }
    double GetStoredYDeltaDisp(int i) const { return At(m_yDeltaDisp, i); }
    double GetStoredYShear(int i) const { return At(m_yShear, i); }
    double GetStoredYMoment(int i) const { return At(m_yMoment, i); }

    float GetDefineX() const { return (float)m_nDefineX; }
    float GetDefineY() const { return (float)m_nDefineY; }
    void SetDefineX(bool b) { m_nDefineX = b ? 1 : 0; }
    void SetDefineY(bool b) { m_nDefineY = b ? 1 : 0; }
    float GetAmplifyX() const { return m_fAmplifyX; }
    void SetAmplifyX(float v) { m_fAmplifyX = v; }
    float GetAmplifyY() const { return m_fAmplifyY; }
    void SetAmplifyY(float v) { m_fAmplifyY = v; }

private:
    double At(const std::vector<double>& a, int i) const
    {
        VYR_CHECK(i >= 0 && i < m_nFloorNum, "time-history result entry out of range");
        return a[(size_t)i];
    }
    float Amplified(const std::vector<double>& a, int i, float factor) const { return (float)(At(a, i) * factor); }

    int m_nFloorNum = 0;
    std::vector<double> m_xDisp, m_xDeltaDisp, m_xShear, m_xMoment;
    std::vector<double> m_yDisp, m_yDeltaDisp, m_yShear, m_yMoment;
    int m_nDefineX = 0;
    int m_nDefineY = 0;
    float m_fAmplifyX = 1.0f;
    float m_fAmplifyY = 1.0f;
};

// The results of all cases (the list owns them). The list itself stands for their average:
// its getters give the mean of the cases' stored values, times the list's own factor.
class CTimeAnalyResultList : public CObList
{
public:
    CTimeAnalyResultList() : CObList(10) {}
    ~CTimeAnalyResultList() override { DeleteAll(); }
    CTimeAnalyResultList(const CTimeAnalyResultList&) = delete;
    CTimeAnalyResultList& operator=(const CTimeAnalyResultList&) = delete;

    // The result at a position (from 1), null when there is none.
    CTimeAnalyResult* Get(int position) const;
    void Add(CTimeAnalyResult* result);
    void DeleteAll();

    // 0 for an empty list, else the entry count of the first result.
    int GetFloorNum() const;

    float GetXDisp(int i) const;
    float GetYDisp(int i) const;
    float GetXDeltaDisp(int i) const;
    float GetYDeltaDisp(int i) const;
    float GetXShear(int i) const;
    float GetYShear(int i) const;
    float GetXMoment(int i) const;
    float GetYMoment(int i) const;
    // Mean of the cases' stored base shears, without the factor.
    float GetBaseXShear() const;
    float GetBaseYShear() const;

    float GetDefineX() const { return (float)m_nDefineX; }
    float GetDefineY() const { return (float)m_nDefineY; }
    void SetDefineX(bool b) { m_nDefineX = b ? 1 : 0; }
    void SetDefineY(bool b) { m_nDefineY = b ? 1 : 0; }
    float GetAmplifyX() const { return m_fAmplifyX; }
    void SetAmplifyX(float v) { m_fAmplifyX = v; }
    float GetAmplifyY() const { return m_fAmplifyY; }
    void SetAmplifyY(float v) { m_fAmplifyY = v; }

private:
    double Mean(double (CTimeAnalyResult::*stored)(int) const, int i) const;

    int m_nDefineX = 0;
    int m_nDefineY = 0;
    float m_fAmplifyX = 1.0f;
    float m_fAmplifyY = 1.0f;
};
