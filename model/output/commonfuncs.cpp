#include <vyr/model/output/commonfuncs.h>

#include <charconv>
#include <cstdio>

#include <vyr/winfile.h>

CString CVyrFunc::GetAppPath()
{
    std::string path = VyrWindowsPath(VyrGetAppFolder().c_str());
    while (path.size() > 3 && path.back() == '\\') path.pop_back(); // keep a drive root "Z:\"
    return CString(path);
}

CString CStringFunc::GetStrFromDouble(double value, int decimals)
{
    if (decimals < 0) decimals = 0;
    if (decimals > 15) decimals = 15;
    // "%.*f" by to_chars: the same correctly rounded digits, without printf's cost, which
    // large reports pay for every number.
    char buf[512];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::fixed, decimals);
    if (r.ec == std::errc())
        *r.ptr = '\0';
    else
        std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    if (buf[0] == '-') {
        bool zero = true;
        for (const char* p = buf + 1; *p; ++p)
            if (*p != '0' && *p != '.') zero = false;
        if (zero) return CString(buf + 1);
    }
    return CString(buf);
}

CDocomDo& CDocomDo::Inst()
{
    static CDocomDo inst;
    return inst;
}
