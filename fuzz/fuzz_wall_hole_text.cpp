// Texts typed into the wall-opening dialogs: each line is read as the dialogs read an edit
// (StrToFloat), every four lines make an opening (distances, then width and height) of a
// wall 3000 long and 2800 high, and the set is judged by the rules. A reading is finite
// and bounded; a text without a digit reads 0; a set the rules accept has every opening
// of size, inside the wall and clear of the others' horizontal extents.
#include <vyr/input/WallHoleInfo.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string typed(reinterpret_cast<const char*>(data), size);
    typed.resize(std::strlen(typed.c_str()));

    std::vector<float> values;
    size_t start = 0;
    while (start <= typed.size()) {
        size_t end = typed.find('\n', start);
        if (end == std::string::npos)
            end = typed.size();
        const std::string line = typed.substr(start, end - start);
        const float v = StrToFloat(line.c_str());
        if (!std::isfinite(v) || std::fabs(v) > 2.2e9f || v != StrToFloat(line.c_str()))
            std::abort();
        if (line.find_first_of("0123456789") == std::string::npos && v != 0.0f)
            std::abort();
        values.push_back(v);
        start = end + 1;
    }

    WALL_HOLE_INFO info;
    info.L = 3000.0f;
    info.H = 2800.0f;
    for (size_t i = 0; i + 3 < values.size(); i += 4) {
        WALL_HOLE_RECT r;
        r.dx = values[i];
        r.dy = values[i + 1];
        r.w = values[i + 2];
        r.h = values[i + 3];
        info.holes.push_back(r);
    }
    if (!WallHolesFault(info).IsEmpty())
        return 0;
    if (!WallHolesInside(info))
        std::abort();
    for (size_t i = 0; i < info.holes.size(); ++i) {
        const WALL_HOLE_RECT& a = info.holes[i];
        if (a.w < 0.1f || a.h < 0.1f || a.dx < 0 || a.dy < 0 || a.dx + a.w > 3000.1f + 0.001f ||
            a.dy + a.h > 2800.1f + 0.001f)
            std::abort();
        for (size_t j = 0; j < i; ++j) {
            const WALL_HOLE_RECT& b = info.holes[j];
            if (!(a.dx + a.w < b.dx || b.dx + b.w < a.dx))
                std::abort();
        }
    }
    return 0;
}
