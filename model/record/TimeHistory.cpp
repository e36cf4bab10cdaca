#include <vyr/model/record/TimeHistory.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include <vyr/gbk.h>
#include <vyr/winfile.h>
#include <vyr/model/base/OwnedList.h>

IMPLEMENT_DYNAMIC(CWaveFun, CObject)
IMPLEMENT_DYNAMIC(CTHCase, CObject)
IMPLEMENT_DYNAMIC(CTimeAnalyResult, CObject)

// ---------------------------------------------------------------------------------------
// Wave records

CWaveFun::~CWaveFun()
{
    delete[] m_pValue;
}

int CWaveFun::SampleCount(float dist, float step)
{
    if (!(step > 0.0f) || !(dist > 0.0f))
        return 0;
    float q = dist / step;
    // A record of more than ten million samples is no seismic record; refuse it loudly
    // rather than overflow the count.
    VYR_CHECK(std::isfinite(q) && q < 1.0e7f, "CWaveFun: length / step gives too many samples");
    return (int)q;
}

void CWaveFun::SetValue(CString name, float step, float dist, float* values)
{
    int n = values != nullptr ? SampleCount(dist, step) : 0;
    // Copy before freeing: the caller may pass this record's own array.
    float* copy = n > 0 ? new float[(size_t)n] : nullptr;
    if (n > 0)
        std::memcpy(copy, values, sizeof(float) * (size_t)n);
    delete[] m_pValue;
    m_pValue = copy;
    m_nNum = n;
    m_strName = name;
    m_fStep = step;
    m_fDist = dist;
}

float CWaveFun::GetValue(int i) const
{
    if (i < 0 || i >= m_nNum)
        return 0.0f;
    return m_pValue[i];
}

float CWaveFun::GetMaxValue() const
{
    float peak = 0.0f;
    for (int i = 0; i < m_nNum; i++)
        peak = std::max(peak, std::fabs(m_pValue[i]));
    return peak;
}

CWaveFun* CWaveFunList::Get(int position) const
{
    return vyr::ListAt<CWaveFun>(*this, position);
}

int CWaveFunList::FindId(CWaveFun* wave) const
{
    int no = 1;
    for (POSITION pos = GetHeadPosition(); pos != nullptr; ++no) {
        if (GetNext(pos) == wave)
            return no;
    }
    return 0;
}

void CWaveFunList::DeleteWaveFun(CWaveFun* wave)
{
    POSITION pos = wave != nullptr ? Find(wave) : nullptr;
    if (pos == nullptr)
        return;
    RemoveAt(pos);
    delete wave;
}

void CWaveFunList::DeleteAll()
{
    vyr::DeleteListItems(*this);
}

// ---------------------------------------------------------------------------------------
// Time-history cases

CString CTHCase::GetDirStr() const
{
    CString s;
    if (m_pWaveFunX)
        s += "X";
    if (m_pWaveFunY)
        s += "Y";
    if (m_pWaveFunZ)
        s += "Z";
    return s;
}

CTHCase* CTHCaseList::Get(int position) const
{
    return vyr::ListAt<CTHCase>(*this, position);
}

void CTHCaseList::Add(CTHCase* thCase)
{
    if (thCase == nullptr)
        return;
    AddTail(thCase);
    thCase->SetId((int)GetCount());
}

bool CTHCaseList::DeleteTHCase(CTHCase* thCase)
{
    POSITION pos = thCase != nullptr ? Find(thCase) : nullptr;
    if (pos == nullptr)
        return false;
    RemoveAt(pos);
    delete thCase;
    int no = 1;
    for (POSITION p = GetHeadPosition(); p != nullptr; ++no)
        static_cast<CTHCase*>(GetNext(p))->SetId(no);
    return true;
}

bool CTHCaseList::IsContain(CWaveFun* wave) const
{
    if (wave == nullptr)
        return false;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
        const CTHCase* c = static_cast<const CTHCase*>(GetNext(pos));
        if (c->GetWaveFunX() == wave || c->GetWaveFunY() == wave || c->GetWaveFunZ() == wave)
            return true;
    }
    return false;
}

void CTHCaseList::DeleteAll()
{
    vyr::DeleteListItems(*this);
}

// The case file, basePath + ".thc", is plain text in GBK (the engine's code page), one item
// per line, numbers in C notation:
//
//   VYRTA-THC 1                          format name and version
//   <n>                                  number of cases
//   then for each case, in list order:
//   CASE <id> <span> <step> <dist> <ratio>
//   NAME <case name>                     the rest of the line (line breaks become blanks)
//   and three direction blocks, X, Y, Z in this order:
//   <dir> <peak> <wave step> <count>     count 0 (and peak 0) when the direction has no record
//   <count> samples, ten to a line       accelerations of the record, cm/s2
//
// id is the case number, span the output interval in samples, step the input step (s), dist
// the cut length (s), ratio the damping ratio, peak the peak acceleration (gal).
bool CTHCaseList::FileOut(CString basePath) const
{
    CString path = basePath + ".thc";
    FILE* f = VyrFopen(path.GetString(), "w");
    if (f == nullptr)
        return false;

    std::fprintf(f, "VYRTA-THC 1\n%d\n", (int)GetCount());
    for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
        const CTHCase* c = static_cast<const CTHCase*>(GetNext(pos));
        std::fprintf(f, "CASE %d %d %.9g %.9g %.9g\n", c->GetId(), c->GetSpan(), (double)c->GetStep(),
                     (double)c->GetDist(), (double)c->GetRatio());
        std::string name = c->GetName().GetString();
        for (char& ch : name) {
            if (ch == '\r' || ch == '\n')
                ch = ' ';
        }
        // Converted to GBK here, at the engine's file boundary.
        std::fprintf(f, "NAME %s\n", vyr::Utf8ToGbk(name).c_str());

        const struct
        {
            const char* dir;
            const CWaveFun* wave;
            float peak;
        } dirs[3] = {{"X", c->GetWaveFunX(), c->GetMaxX()},
                     {"Y", c->GetWaveFunY(), c->GetMaxY()},
                     {"Z", c->GetWaveFunZ(), c->GetMaxZ()}};
        for (const auto& d : dirs) {
            if (d.wave == nullptr) {
                std::fprintf(f, "%s 0 0 0\n", d.dir);
                continue;
            }
            int n = d.wave->GetNum();
            std::fprintf(f, "%s %.9g %.9g %d\n", d.dir, (double)d.peak, (double)d.wave->GetStep(), n);
            for (int i = 0; i < n; i++)
                std::fprintf(f, (i % 10 == 9 || i == n - 1) ? "%.9g\n" : "%.9g ", (double)d.wave->GetValue(i));
        }
    }
    bool ok = std::ferror(f) == 0;
    if (std::fclose(f) != 0)
        ok = false;
    return ok;
}

// ---------------------------------------------------------------------------------------
// Time-history results

void CTimeAnalyResult::SetFloorNum(int n)
{
    VYR_CHECK(n >= 0, "CTimeAnalyResult: negative entry count");
    m_nFloorNum = n;
    for (std::vector<double>* a : {&m_xDisp, &m_xDeltaDisp, &m_xShear, &m_xMoment, &m_yDisp, &m_yDeltaDisp,
                                   &m_yShear, &m_yMoment})
        a->assign((size_t)n, 0.0);
}

void CTimeAnalyResult::SetFloorData(int i, double xDisp, double xDeltaDisp, double xShear, double xMoment,
                                    double yDisp, double yDeltaDisp, double yShear, double yMoment)
{
    VYR_CHECK(i >= 0 && i < m_nFloorNum, "time-history result entry out of range");
    size_t k = (size_t)i;
    m_xDisp[k] = xDisp;
    m_xDeltaDisp[k] = xDeltaDisp;
    m_xShear[k] = xShear;
    m_xMoment[k] = xMoment;
    m_yDisp[k] = yDisp;
    m_yDeltaDisp[k] = yDeltaDisp;
    m_yShear[k] = yShear;
    m_yMoment[k] = yMoment;
}

CTimeAnalyResult* CTimeAnalyResultList::Get(int position) const
{
    return vyr::ListAt<CTimeAnalyResult>(*this, position);
}

void CTimeAnalyResultList::Add(CTimeAnalyResult* result)
{
    if (result != nullptr)
        AddTail(result);
}

void CTimeAnalyResultList::DeleteAll()
{
    vyr::DeleteListItems(*this);
}

int CTimeAnalyResultList::GetFloorNum() const
{
    return IsEmpty() ? 0 : Get(1)->GetFloorNum();
}

// Mean over the results that have entry i (all of them when the cases agree on the count).
double CTimeAnalyResultList::Mean(double (CTimeAnalyResult::*stored)(int) const, int i) const
{
    VYR_CHECK(i >= 0 && i < GetFloorNum(), "time-history result entry out of range");
    double sum = 0.0;
    int n = 0;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
        const CTimeAnalyResult* r = static_cast<const CTimeAnalyResult*>(GetNext(pos));
        if (i < r->GetFloorNum()) {
            sum += (r->*stored)(i);
            n++;
        }
    }
    return n > 0 ? sum / n : 0.0;
}

float CTimeAnalyResultList::GetXDisp(int i) const
{
    return (float)(Mean(&CTimeAnalyResult::GetStoredXDisp, i) * m_fAmplifyX);
}
float CTimeAnalyResultList::GetYDisp(int i) const
{
    return (float)(Mean(&CTimeAnalyResult::GetStoredYDisp, i) * m_fAmplifyY);
}
float CTimeAnalyResultList::GetXDeltaDisp(int i) const
{
    return (float)(Mean(&CTimeAnalyResult::GetStoredXDeltaDisp, i) * m_fAmplifyX);
}
float CTimeAnalyResultList::GetYDeltaDisp(int i) const
{
    return (float)(Mean(&CTimeAnalyResult::GetStoredYDeltaDisp, i) * m_fAmplifyY);
}
float CTimeAnalyResultList::GetXShear(int i) const
{
    return (float)(Mean(&CTimeAnalyResult::GetStoredXShear, i) * m_fAmplifyX);
}
float CTimeAnalyResultList::GetYShear(int i) const
{
    return (float)(Mean(&CTimeAnalyResult::GetStoredYShear, i) * m_fAmplifyY);
}
float CTimeAnalyResultList::GetXMoment(int i) const
{
    return (float)(Mean(&CTimeAnalyResult::GetStoredXMoment, i) * m_fAmplifyX);
}
float CTimeAnalyResultList::GetYMoment(int i) const
{
    return (float)(Mean(&CTimeAnalyResult::GetStoredYMoment, i) * m_fAmplifyY);
}

float CTimeAnalyResultList::GetBaseXShear() const
{
    return GetFloorNum() > 0 ? (float)Mean(&CTimeAnalyResult::GetStoredXShear, 0) : 0.0f;
}

float CTimeAnalyResultList::GetBaseYShear() const
{
    return GetFloorNum() > 0 ? (float)Mean(&CTimeAnalyResult::GetStoredYShear, 0) : 0.0f;
}
