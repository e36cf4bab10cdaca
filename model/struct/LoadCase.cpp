#include <vyr/model/struct/LoadCase.h>

#include <algorithm>
#include <cmath>
#include <set>

IMPLEMENT_DYNAMIC(CBasicLoadCase, CObject)
IMPLEMENT_DYNAMIC(CLoadCombination, CObject)
IMPLEMENT_DYNAMIC(CLoadSeism, CObject)
IMPLEMENT_DYNAMIC(CLoadTemperature, CObject)

namespace
{
const char* CaseTypeText(int type)
{
    switch (type)
    {
    case 0: return "恒载";
    case 1: return "活载";
    case 2: return "X向风载";
    case 3: return "Y向风载";
    case 4: return "-X向风载";
    case 5: return "-Y向风载";
    case 6: return "竖向地震";
    case 7: return "X向地震";
    case 8: return "Y向地震";
    case 9: return "-X向地震";
    case 10: return "-Y向地震";
    default: return type > 20 ? "吊车荷载" : "其它荷载";
    }
}
} // namespace

void CBasicLoadCase::GetDescription(CString* out, int mode) const
{
    CString s;
    if (mode < 0)
        s.Format("%s", CaseTypeText(m_nType));
    else
        s.Format("LC%d %s", m_nNo, CaseTypeText(m_nType));
    *out += s;
}

CString CBasicLoadCase::GetDescription() const
{
    CString s;
    if (IsSeismLoadCase())
    {
        static const char* const kVariant[] = {"", "P", "M"};
        const int v = m_nSeismVariant >= 0 && m_nSeismVariant <= 2 ? m_nSeismVariant : 0;
        s.Format("E%-d%s", m_nSeismCaseNo, kVariant[v]);
    }
    else
        s = CaseTypeText(m_nType);
    return s;
}

namespace
{
const char* const kWindCaseText[] = {"Wx", "Wy", "W-x", "W-y"};

// "E%-d" with the variant's letter; "E" alone for no definition.
CString SeismTermName(const CLoadSeism* seism, int variant)
{
    if (seism == nullptr)
        return "E";
    static const char* const kVariant[] = {"", "P", "M"};
    CString s;
    s.Format("E%-d%s", seism->m_nNo, kVariant[variant >= 0 && variant <= 2 ? variant : 0]);
    return s;
}
} // namespace

void CLoadCombination::GetDescription(CString* out) const
{
    CString s;
    s.Format("LC%d:", m_nNo);
    CString wind = "W", temperature = "T", crane = "C";
    if (m_nWindCase >= 3 && m_nWindCase <= 6)
        wind = kWindCaseText[m_nWindCase - 3];
    if (m_nTemperatureCase > 0)
        temperature.Format("T%d", m_nTemperatureCase);
    if (m_nCraneCase > 0)
        crane.Format("C%d", m_nCraneCase);
    const CString seism1 = SeismTermName(m_pSeism1, m_nSeismVariant);
    const CString seism2 = SeismTermName(m_pSeism2, m_nSeismVariant);
    struct Term { float f; const char* name; };
    const Term terms[] = {{m_fPrestress, "P"},     {m_fDead, "D"},
                          {m_fLive, "L"},          {m_fWind, wind.GetString()},
                          {m_fCrane, crane.GetString()}, {m_fTemperature, temperature.GetString()},
                          {m_fVSeism, "Ev"},       {m_fHSeism, seism1.GetString()},
                          {m_fAddHSeism, seism2.GetString()}};
    bool first = true;
    for (const Term& t : terms)
    {
        if (t.f == 0.0f)
            continue;
        CString term;
        term.Format(first || t.f < 0.0f ? "%.2f%s" : "+%.2f%s", t.f, t.name);
        s += term;
        first = false;
    }
    *out = s;
}

void CLoadCombination::Fill(const CLoadCombination* other)
{
    if (other == this)
        return;
    if (other == nullptr)
        *this = CLoadCombination();
    else
        *this = *other;
}

void CLoadCombination::Copy(const CLoadCombination* other)
{
    VYR_CHECK(other != nullptr, "CLoadCombination::Copy from null");
    Fill(other);
}

bool CLoadCombination::IsEqual(const CLoadCombination* o) const
{
    if (o == nullptr)
        return false;
    auto same = [](float a, float b) { return std::fabs(a - b) <= 1e-4f; };
    if (!same(m_fDead, o->m_fDead) || !same(m_fLive, o->m_fLive) || !same(m_fWind, o->m_fWind) ||
        !same(m_fVSeism, o->m_fVSeism) || !same(m_fHSeism, o->m_fHSeism) || !same(m_fAddHSeism, o->m_fAddHSeism) ||
        !same(m_fTemperature, o->m_fTemperature) || !same(m_fCrane, o->m_fCrane) || !same(m_fPrestress, o->m_fPrestress))
        return false;
    if (m_fWind != 0.0f && m_nWindCase != o->m_nWindCase)
        return false;
    if (m_fTemperature != 0.0f && m_nTemperatureCase != o->m_nTemperatureCase)
        return false;
    if (m_fCrane != 0.0f && m_nCraneCase != o->m_nCraneCase)
        return false;
    if (m_fHSeism != 0.0f && m_pSeism1 != o->m_pSeism1)
        return false;
    if (m_fAddHSeism != 0.0f && m_pSeism2 != o->m_pSeism2)
        return false;
    if ((m_fHSeism != 0.0f || m_fAddHSeism != 0.0f) && m_nSeismVariant != o->m_nSeismVariant)
        return false;
    return true;
}

std::vector<std::pair<int, float>> CLoadCombination::GetCaseFactors() const
{
    std::vector<std::pair<int, float>> out;
    const std::pair<int, float> terms[] = {
        {0, m_fDead}, {1, m_fLive}, {m_nWindCase - 1, m_fWind}, {6, m_fVSeism}, {7 + m_nSeismVariant, m_fHSeism}};
    for (const auto& t : terms)
        if (t.second != 0.0f)
            out.push_back(t);
    return out;
}

void CLoadCombination::Fill(CBasicLoadCase* lc, CLoadSeism* seism)
{
    m_fWind = m_fVSeism = m_fLive = m_fDead = m_fHSeism = m_fAddHSeism = 0.0f;
    m_fTemperature = m_fCrane = m_fPrestress = 0.0f;
    m_pSeism1 = m_pSeism2 = nullptr;
    if (lc == nullptr)
        return;
    const int t = lc->m_nType;
    if (t == 0)
        m_fDead = 1.0f;
    else if (t == 1)
        m_fLive = 1.0f;
    else if (t >= 2 && t <= 5)
    {
        m_fWind = 1.0f;
        m_nWindCase = t + 1;
    }
    else if (t == 6)
        m_fVSeism = 1.0f;
    else if (lc->IsSeismLoadCase())
    {
        m_fHSeism = 1.0f;
        m_pSeism1 = seism;
    }
    else if (t > 20)
    {
        m_fCrane = 1.0f;
        m_nCraneCase = t - 20;
    }
    else
        m_fTemperature = 1.0f;
}

int CBasicLCList::GetAnalysisHSeismNum() const
{
    int n = 0;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        const CBasicLoadCase* lc = GetNextT(pos);
        if (lc->IsSeismLoadCase() && lc->m_nStatus != 0)
            ++n;
    }
    return n;
}

int CBasicLCList::GetHSeismNum() const
{
    std::set<int> definitions;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        const CBasicLoadCase* lc = GetNextT(pos);
        if (lc->IsSeismLoadCase())
            definitions.insert(lc->m_nSeismCaseNo);
    }
    return (int)definitions.size();
}

void CBasicLCList::LoadInfro(bool flags[14]) const
{
    for (int i = 0; i < 14; ++i)
        flags[i] = false;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
    {
        const int t = GetNextT(pos)->m_nType;
        int k = -1;
        if (t == 0)
            k = 0;
        else if (t == 1)
            k = 1;
        else if (t >= 2 && t <= 5)
            k = t; // wind 3 to 6
        else if (t >= 7 && t <= 10)
            k = 6;
        else if (t == 6)
            k = 7;
        else if (t >= 11 && t <= 14)
            k = t - 3; // temperature 9 to 12
        else if (t > 20)
            k = 12;
        else if (t == 15)
            k = 13;
        if (k >= 0)
            flags[k] = true;
    }
}

int CLoadSeismList::GetSeismPos(const CBasicLoadCase* lc) const
{
    if (lc == nullptr || !lc->IsSeismLoadCase())
        return -1;
    const int n = GetHSeismNum();
    const int variant = n > 0 && lc->m_nSeismVariant > 0 ? lc->m_nSeismVariant : 0;
    const int pos = lc->m_nSeismCaseNo > 0 ? variant * n + lc->m_nSeismCaseNo - 1 : lc->m_nType - 7;
    return pos >= 0 && pos < 12 ? pos : -1;
}

double CLoadSeismList::GetAcceleration() const
{
    switch (m_nIntensity)
    {
    case 6: return 0.05;
    case 7: return 0.10;
    case 8: return 0.20;
    case 9: return 0.40;
    default: return 0.0;
    }
}

void CLCList::Add(CLoadCombination* lc)
{
    int highest = 0;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
        highest = std::max(highest, GetNextT(pos)->m_nNo);
    lc->m_nNo = highest + 1;
    AddTail(lc);
}

void CLCList::ReAssignId()
{
    int no = 0;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
        GetNextT(pos)->m_nNo = ++no;
}
