// CReal: a double compared with a tolerance, so that lengths and ratios computed along
// different paths compare equal.
//
// Rule: a and b are equal when |a - b| <= 1e-6 * max(1, |a|, |b|): an absolute tolerance
// of 1e-6 for values up to 1 and a relative one of 1e-6 above. The orderings are
// consistent with it: a < b when a is below b and not equal to it, a <= b when a < b or
// equal. A NaN equals nothing and is neither below nor above anything.
#pragma once

class CReal
{
public:
    static constexpr double kTolerance = 1e-6;

    CReal() : m_d(0.0) {}
    CReal(double d) : m_d(d) {}
    CReal(const CReal& r) : m_d(r.m_d) {}

    double toD() const { return m_d; }
    CReal& operator=(const CReal& r)
    {
        m_d = r.m_d;
        return *this;
    }
    CReal& operator=(double d);

    CReal operator-(const CReal& r) const;
    CReal& operator+=(const CReal& r);
    CReal& operator-=(const CReal& r);

    bool operator==(const CReal& r) const;
    bool operator!=(const CReal& r) const;
    bool operator<(const CReal& r) const;
    bool operator<=(const CReal& r) const;
    bool operator>(const CReal& r) const;
    bool operator>=(const CReal& r) const;
    bool operator>(double d) const;
    bool operator<=(double d) const;

private:
    double m_d;
};
