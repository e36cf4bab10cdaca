#include <vyr/input/WallHoleInfo.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include <vyr/model/struct/Plane.h>

namespace {

// atoi over [s, end) without its overflow: a value beyond int stops at INT_MAX / INT_MIN.
// negative tells whether a minus sign stood before the digits.
int WallTextInt(const char* s, const char* end, bool* negative = nullptr)
{
    while (s < end && (*s == ' ' || *s == '\t' || *s == '\n' || *s == '\v' || *s == '\f' || *s == '\r'))
        ++s;
    bool neg = false;
    if (s < end && (*s == '+' || *s == '-'))
        neg = *s++ == '-';
    long long v = 0;
    for (; s < end && *s >= '0' && *s <= '9'; ++s)
        v = std::min(v * 10 + (*s - '0'), (long long)INT_MAX + 1);
    if (negative != nullptr)
        *negative = neg;
    if (neg)
        return (int)-v;
    return (int)std::min(v, (long long)INT_MAX);
}

bool WallHoleFits(const WALL_HOLE_RECT& r, float H, float L)
{
    return !(r.w < 0.1 || r.h < 0.1) && !(r.dx < 0 || r.dx + r.w - L > 0.1 || r.dy < 0 || r.dy + r.h - H > 0.1);
}

} // namespace

WALL_HOLE_INFO ReadWallHoles(CWall* wall)
{
    WALL_HOLE_INFO info;
    if (wall == nullptr)
        return info;
    info.H = wall->GetWallH();
    info.L = wall->GetWallB();
    for (POSITION pos = wall->m_pHoleList->GetHeadPosition(); pos != nullptr;) {
        const CHole* hole = wall->m_pHoleList->GetNextT(pos);
        info.holes.push_back({(float)hole->m_dV, (float)hole->m_dH, (float)hole->m_dX, (float)hole->m_dY});
    }
    return info;
}

void WriteWallHoles(CWall* wall, const std::vector<WALL_HOLE_RECT>& holes)
{
    wall->m_pHoleList->DeleteAll();
    for (const WALL_HOLE_RECT& r : holes) {
        auto* hole = new CHoleRect;
        hole->m_dX = r.dx;
        hole->m_dY = r.dy;
        hole->m_dV = r.h;
        hole->m_dH = r.w;
        wall->AddHole(hole);
        hole->ChangHolePara(r.dx, r.dy, r.h, r.w, wall);
    }
}

float StrToFloat(const char* text)
{
    if (text == nullptr)
        return 0.0f;
    const char* end = text + std::strlen(text);
    const char* point = std::strchr(text, '.');
    if (point == nullptr)
        return (float)WallTextInt(text, end);
    bool negative = false;
    const double whole = WallTextInt(text, point, &negative);
    const double fraction = WallTextInt(point + 1, end) / std::pow(10.0, (double)(end - point - 1));
    // The fraction belongs to the whole part's sign: atoi("-0") alone would lose it.
    return (float)(negative ? whole - fraction : whole + fraction);
}

float Round2(float value)
{
    return (float)(std::trunc(((double)value * 1000.0 + 5.0) * 0.1) * 0.01);
}

float RoundDistance(double value)
{
    return (float)(std::floor(value * 1000.0 + 0.5) / 1000.0);
}

CString WallHolesFault(const WALL_HOLE_INFO& info)
{
    const std::vector<WALL_HOLE_RECT>& holes = info.holes;
    const int n = (int)holes.size();
    for (int i = 0; i < n; ++i) {
        const WALL_HOLE_RECT& a = holes[(size_t)i];
        if (a.w < 0.1 || a.h < 0.1)
            return "洞口的尺寸不符合要求，请重新设置!";
        if (!WallHoleFits(a, info.H, info.L))
            return "定义的洞口不在墙体范围内，请重新设置!";
        // The others: first those before, then those after.
        for (int j = 0; j < n; ++j) {
            const WALL_HOLE_RECT& b = holes[(size_t)j];
            if (j != i && a.h == b.h && a.w == b.w && a.dx == b.dx && a.dy == b.dy)
                return VyrFormat("墙体上的洞口%d和洞口%d出现重复，请重新设置!", i + 1, j + 1).c_str();
        }
        for (int j = 0; j < n; ++j) {
            const WALL_HOLE_RECT& b = holes[(size_t)j];
            if (j == i)
                continue;
            const float right = a.dx + a.w, otherRight = b.dx + b.w;
            // Only the horizontal extents count: a window above a door overlaps it, and
            // openings that touch do too.
            if ((a.dx >= b.dx && a.dx <= otherRight) || (right >= b.dx && right <= otherRight))
                return VyrFormat("墙体上的洞口%d和洞口%d在横向出现重叠，请重新设置!", i + 1, j + 1).c_str();
        }
    }
    return CString();
}

bool WallHolesInside(const WALL_HOLE_INFO& info)
{
    for (const WALL_HOLE_RECT& r : info.holes)
        if (!WallHoleFits(r, info.H, info.L))
            return false;
    return true;
}
