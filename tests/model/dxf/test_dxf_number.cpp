// The DXF number text against the formatter the writer had before (kept below as the
// reference): the same bytes for every value, on millions of seeded random coordinates and
// on the rounding edges.
#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <vyr/model/dxf/DXFNumber.h>

namespace {

// The writer's earlier formatter, unchanged: up to six scalings, each rounded and divided
// back, then the general conversion.
std::string Reference(double v)
{
    char buf[64];
    char* p = buf;
    if (!std::isfinite(v)) v = 0.0;
    if (v == std::rint(v) && std::fabs(v) < 1e15) {
        p = std::to_chars(p, buf + sizeof buf, (long long)v).ptr;
    } else {
        static const double p10[] = {1.0, 10.0, 100.0, 1e3, 1e4, 1e5, 1e6};
        int k = 1;
        double s = 0.0;
        for (; k <= 6; ++k) {
            s = v * p10[k];
            if (std::fabs(s) < 9e15 && s == std::rint(s) && s / p10[k] == v) break;
        }
        if (k <= 6) {
            long long n = (long long)s;
            if (n < 0) {
                *p++ = '-';
                n = -n;
            }
            long long ip = n / (long long)p10[k], fp = n % (long long)p10[k];
            p = std::to_chars(p, buf + sizeof buf, ip).ptr;
            *p++ = '.';
            for (int d = k - 1; d >= 0; --d) {
                p[d] = (char)('0' + fp % 10);
                fp /= 10;
            }
            p += k;
        } else {
            p = std::to_chars(p, buf + sizeof buf, v).ptr;
        }
    }
    return std::string(buf, p);
}

std::string Now(double v)
{
    char buf[kDXFNumberMax + 8];
    std::fill(buf, buf + sizeof buf, '#');
    char* e = DXFNumber(buf, v);
    EXPECT_LE(e - buf, kDXFNumberMax) << std::hexfloat << v;
    return std::string(buf, e);
}

// Compares a batch and counts the kinds of text the reference gave, so that a test can
// show it reached the paths it is about.
struct Checker
{
    long checked = 0, mismatches = 0;
    long trailingZero = 0, general = 0, fixed = 0;

    void operator()(double v)
    {
        const std::string want = Reference(v), got = Now(v);
        ++checked;
        const size_t dot = want.find('.');
        if (want.find_first_of("en") != std::string::npos) ++general;
        else if (dot != std::string::npos && want.back() == '0') ++trailingZero;
        else if (dot != std::string::npos) ++fixed;
        if (want != got && ++mismatches <= 10)
            ADD_FAILURE() << std::hexfloat << v << std::defaultfloat << " (" << v << "): \"" << got
                          << "\" where it was \"" << want << "\"";
    }
};

// A decimal of k places, the double nearest it and its neighbours a few steps away: the
// values at which reading back just holds or just fails.
void AroundDecimal(Checker& check, long long scaled, int k)
{
    static const double p10[] = {1.0, 10.0, 100.0, 1e3, 1e4, 1e5, 1e6, 1e7};
    double v = (double)scaled / p10[k];
    check(v);
    double up = v, down = v;
    for (int i = 0; i < 3; ++i) {
        up = std::nextafter(up, INFINITY);
        down = std::nextafter(down, -INFINITY);
        check(up);
        check(down);
    }
}

} // namespace

TEST(DXFNumber, EdgesReadAsBefore)
{
    Checker check;
    const double cases[] = {
        0.0, -0.0, 1.0, -1.0, 0.1, 0.3, -0.3, 0.7, 1.1, 2.675, 1e-6, -1e-6, 5e-7, 4.9999999e-7, 1e-7,
        0.000001, 0.0000015, 999999.999999, 999999999.999999, 999999999.5, 1e9, 1e9 + 0.5, -1e9 - 0.25,
        1e9 - 1e-6, 1e9 - 1e-7, 2147483647.5, 4294967296.25, 8589934592.125, 9e9 + 0.000001, 1e14 + 0.5,
        9e14 + 0.5, 999999999999999.0, 1e15, -1e15, 1e15 + 2, 9007199254740993.0, 1e16, 1e22, 1e300,
        -1e300, DBL_MAX, -DBL_MAX, DBL_MIN, -DBL_MIN, DBL_TRUE_MIN, DBL_EPSILON, 1e-300,
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(),
        // Values the place-by-place test wrote with a trailing zero or in the general form.
        -650334590.55, 146231603.92, -269391471.53, 269613533.84, 542222661.56,
    };
    for (double v : cases) check(v);
    // x.5 at each place, of several magnitudes and both signs, with their neighbours.
    for (int k = 1; k <= 7; ++k)
        for (long long whole : {0LL, 1LL, 7LL, 12345LL, 99999999LL, 999999999LL, 1000000000LL, 123456789012LL}) {
            long long p = 1;
            for (int i = 0; i < k; ++i) p *= 10;
            if (whole > (9007199254740992LL - 5) / p) continue;
            const long long scaled = whole * p + 5;
            AroundDecimal(check, scaled, k);
            AroundDecimal(check, -scaled, k);
        }
    // Every bit pattern of the exponent, with mantissas of a seeded generator.
    std::mt19937_64 rng(20240611);
    for (int e = 0; e < 2048; ++e)
        for (int i = 0; i < 40; ++i) {
            const unsigned long long bits = ((unsigned long long)e << 52) | (rng() >> 12) | (i % 2 ? 1ULL << 63 : 0);
            double v;
            std::memcpy(&v, &bits, sizeof v);
            check(v);
        }
    EXPECT_EQ(check.mismatches, 0);
    EXPECT_GT(check.trailingZero, 0);
    EXPECT_GT(check.general, 0);
}

// Drawing coordinates of millions of seeded random values: decimals of one to seven places
// up to and beyond 1e9, their neighbouring doubles, and coordinates of full precision.
TEST(DXFNumber, RandomCoordinatesReadAsBefore)
{
    Checker check;
    std::mt19937_64 rng(7);
    for (int k = 1; k <= 7; ++k)
        for (long long limit : {100000LL, 100000000LL, 10000000000000LL, 2000000000000000LL}) {
            std::uniform_int_distribution<long long> pick(-limit, limit);
            for (int i = 0; i < 25000; ++i) AroundDecimal(check, pick(rng), k);
        }
    for (double range : {1.0, 1e3, 1e6, 1e9, 2e9, 1e12}) {
        std::uniform_real_distribution<double> pick(-range, range);
        for (int i = 0; i < 200000; ++i) check(pick(rng));
    }
    EXPECT_GT(check.checked, 6000000);
    EXPECT_EQ(check.mismatches, 0);
    EXPECT_GT(check.trailingZero, 1000);
    EXPECT_GT(check.general, 1000);
    EXPECT_GT(check.fixed, 1000000);
}
