// Typed coordinates: the snap offset text ("0, 0, 0") as the offset dialog checks it
// (CPoint3D::Parse at factor 1) and as the snap manager reads it in display units, and the
// number lists of typed input. A text refused as typed is refused at every unit, and what
// is taken is finite and within the bounds asked for.
//
// The dialog itself is not run per input: every window the platform creates keeps its
// record for the life of the process (so that a stale handle never names a newer window),
// which a run of millions of dialogs would only measure.
#include <vyr/model/geometry/GeoFunc.h>
#include <vyr/model/geometry/geometry.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool Finite(const CPoint3D& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // What an edit control can hold: the text up to a NUL.
    std::string typed(reinterpret_cast<const char*>(data), size);
    typed.resize(std::strlen(typed.c_str()));
    const CString text(typed.c_str());

    CPoint3D checked;
    const int ok = checked.Parse(text, 1.0);
    if (ok && !Finite(checked))
        std::abort();
    // The snap manager's reading at the display units of millimetres, centimetres and metres.
    for (double unit : {1.0, 0.1, 0.001}) {
        CPoint3D pt;
        const int read = pt.Parse(text, 1.0 / unit);
        if ((read && !ok) || (read && !Finite(pt)))
            std::abort();
    }

    CArray<float, float> reals;
    if (ParseFloatString(text, reals, 1e30f))
        for (int i = 0; i < reals.GetSize(); ++i)
            if (!std::isfinite(reals[i]) || reals[i] > 1e30f)
                std::abort();
    CArray<int, int> ints;
    if (ParseIntString(text, ints, 1000))
        for (int i = 0; i < ints.GetSize(); ++i)
            if (ints[i] > 1000)
                std::abort();
    return 0;
}
