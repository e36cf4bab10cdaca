#include <vyr/model/struct/ViewXform.h>

#include <atomic>
#include <cstring>

CViewXform::CViewXform()
{
    CMatrix3D m3i;
    CMatrix2D m2i;
    *this = CViewXform(m3i, m2i);
}

CViewXform::CViewXform(CMatrix3D& mx3, CMatrix2D& mx2)
{
    for (int i = 0; i < 16; ++i)
        m3[i] = mx3[i];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            m2[r * 3 + c] = mx2(r, c);
    stamp = NewStamp();
}

bool CViewXform::operator==(const CViewXform& o) const
{
    return std::memcmp(m3, o.m3, sizeof m3) == 0 && std::memcmp(m2, o.m2, sizeof m2) == 0;
}

long CViewXform::NewStamp()
{
    // Shared by every root so that two views never hand out the same stamp.
    static std::atomic<long> s_next{1};
    return s_next++;
}
