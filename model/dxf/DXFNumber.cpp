#include <vyr/model/dxf/DXFNumber.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

const double kPow10[] = {1.0, 10.0, 100.0, 1e3, 1e4, 1e5, 1e6};

// The three digits of 0 to 999, with leading zeros, in the low bytes of a word.
constexpr std::array<std::uint32_t, 1000> MakeTriples()
{
    std::array<std::uint32_t, 1000> t{};
    for (std::uint32_t n = 0; n < 1000; ++n)
        t[n] = (std::uint32_t)('0' + n / 100) | (std::uint32_t)('0' + n / 10 % 10) << 8 | (std::uint32_t)('0' + n % 10) << 16;
    return t;
}
constexpr std::array<std::uint32_t, 1000> kTriples = MakeTriples();

// The last N digits of n (below 1000). Four bytes are stored: what follows overwrites the
// spare ones.
template <int N>
char* Digits(char* p, std::uint32_t n)
{
    const std::uint32_t t = kTriples[n] >> (8 * (3 - N));
    std::memcpy(p, &t, 4);
    return p + N;
}

// The first group of up to three digits, without leading zeros.
char* Lead(char* p, std::uint32_t n)
{
    if (n >= 100) return Digits<3>(p, n);
    if (n >= 10) return Digits<2>(p, n);
    return Digits<1>(p, n);
}

[[gnu::noinline]] char* Shortest(char* p, double v) { return std::to_chars(p, p + kDXFNumberMax, v).ptr; }

// Values of 1e9 and more: each number of places tried in turn, the scaled value tested for
// a whole number that divides back to v.
[[gnu::noinline]] char* Large(char* p, double v)
{
    int k = 1;
    double s = 0.0;
    for (; k <= 6; ++k) {
        s = v * kPow10[k];
        if (std::fabs(s) < 9e15 && s == std::rint(s) && s / kPow10[k] == v) break;
    }
    if (k > 6) return Shortest(p, v);
    long long n = (long long)s;
    if (n < 0) {
        *p++ = '-';
        n = -n;
    }
    const long long scale = (long long)kPow10[k];
    const long long ip = n / scale;
    long long fp = n % scale;
    p = std::to_chars(p, p + kDXFNumberMax, ip).ptr;
    *p++ = '.';
    for (int d = k - 1; d >= 0; --d) {
        p[d] = (char)('0' + fp % 10);
        fp /= 10;
    }
    return p + k;
}

// v of 1e9 and more or not finite: whole numbers below 1e15 as integers, the rest as above.
[[gnu::noinline]] char* Wide(char* p, double v)
{
    if (!std::isfinite(v)) v = 0.0;
    if (std::fabs(v) < 1e15 && v == std::rint(v)) return std::to_chars(p, p + kDXFNumberMax, (long long)v).ptr;
    return Large(p, v);
}

} // namespace

// Below 1e9 one scaling decides. The spacing of doubles there is under 1e-6, so at most one
// decimal of six places reads back as v, and v * 1e6 lies within 0.25 of that decimal's
// millionths: rounded, they are found with one product and checked with one quotient. The
// decimal is written with as many places as the place-by-place test of larger values would
// stop at: the fewest at which v times the power of ten is exactly its whole number (none
// for a whole v).
char* DXFNumber(char* p, double v)
{
    const double a = std::fabs(v);
    if (!(a < 1e9)) return Wide(p, v); // also not finite
    // Rounded to a whole number by the 2^52 shift (a * 1e6 is below 2^50), staying in
    // floating point.
    const double nd = (a * 1e6 + 0x1p52) - 0x1p52;
    if (nd / 1e6 != a) return Shortest(p, v);
    // v and its decimal lie between the same whole numbers: the whole part is v's own.
    const std::uint32_t ip = (std::uint32_t)a;
    const std::uint32_t fp = (std::uint32_t)((std::uint64_t)(std::int64_t)nd - (std::uint64_t)ip * 1000000);
    char* const start = p;
    *p = '-';
    p += v < 0;
    // The whole part by its count of digits: on coordinates of similar size the branches
    // are foreseen.
    if (ip < 1000) {
        p = Lead(p, ip);
    } else if (ip < 1000000) {
        p = Lead(p, ip / 1000);
        p = Digits<3>(p, ip % 1000);
    } else {
        const std::uint32_t low = ip % 1000000;
        p = Lead(p, ip / 1000000);
        p = Digits<3>(p, low / 1000);
        p = Digits<3>(p, low % 1000);
    }
    if (fp == 0) return p; // whole
    // The places: the first k at which a * 10^k is a whole number that, multiplied on by
    // 10^(6-k), gives the millionths exactly (any other value lies further than half a step
    // from them). The count comes out of foreseen branches, so what follows need not wait
    // for the digits.
    int k = 1;
    for (;; ++k) {
        if (k > 6) return Shortest(start, v);
        const double s = a * kPow10[k];
        if ((s + 0x1p52) - 0x1p52 == s && s * kPow10[6 - k] == nd) break;
    }
    const std::uint32_t f1 = kTriples[fp / 1000], f2 = kTriples[fp % 1000];
    const std::uint64_t text = (std::uint64_t)'.' | (std::uint64_t)f1 << 8 | (std::uint64_t)f2 << 32;
    std::memcpy(p, &text, 8);
    return p + 1 + k;
}
