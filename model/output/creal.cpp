#include <vyr/model/output/creal.h>

#include <algorithm>
#include <cmath>

namespace {

bool Near(double a, double b)
{
    const double scale = std::max({1.0, std::fabs(a), std::fabs(b)});
    return std::fabs(a - b) <= CReal::kTolerance * scale;
}

} // namespace

CReal& CReal::operator=(double d)
{
    m_d = d;
    return *this;
}

CReal CReal::operator-(const CReal& r) const { return CReal(m_d - r.m_d); }

CReal& CReal::operator+=(const CReal& r)
{
    m_d += r.m_d;
    return *this;
}

CReal& CReal::operator-=(const CReal& r)
{
    m_d -= r.m_d;
    return *this;
}

bool CReal::operator==(const CReal& r) const { return Near(m_d, r.m_d); }
bool CReal::operator!=(const CReal& r) const { return !std::isnan(m_d) && !std::isnan(r.m_d) && !Near(m_d, r.m_d); }
bool CReal::operator<(const CReal& r) const { return m_d < r.m_d && !Near(m_d, r.m_d); }
bool CReal::operator<=(const CReal& r) const { return m_d < r.m_d || Near(m_d, r.m_d); }
bool CReal::operator>(const CReal& r) const { return m_d > r.m_d && !Near(m_d, r.m_d); }
bool CReal::operator>=(const CReal& r) const { return m_d > r.m_d || Near(m_d, r.m_d); }
bool CReal::operator>(double d) const { return *this > CReal(d); }
bool CReal::operator<=(double d) const { return *this <= CReal(d); }
