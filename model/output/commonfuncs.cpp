#include <vyr/model/output/commonfuncs.h>

#include <charconv>
#include <cstdio>
#include <filesystem>

#include <vyr/resources.h>
#include <vyr/winfile.h>

namespace {

// The Windows-style form of a Linux folder, without a trailing backslash.
CString WindowsFolder(const std::string& folder)
{
    std::string path = VyrWindowsPath(folder.c_str());
    while (path.size() > 3 && path.back() == '\\') path.pop_back(); // keep a drive root "Z:\"
    return CString(path);
}

bool IsFile(const CString& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(VyrMapPath(path.GetString()), ec);
}

} // namespace

CString CVyrFunc::GetAppPath() { return WindowsFolder(VyrGetAppFolder()); }

CString CVyrFunc::FindDataBaseFile(const char* relative, CString* pMissing)
{
    return FindDataBaseFile(relative, VyrGetAppFolder(), vyr::LibraryDataDir(), pMissing);
}

CString CVyrFunc::FindDataBaseFile(const char* relative, const std::string& appFolder,
                                   const std::string& libraryData, CString* pMissing)
{
    if (pMissing) pMissing->Empty();
    const CString own = WindowsFolder(appFolder) + relative;
    if (IsFile(own)) return own;
    const CString shipped = libraryData.empty() ? CString() : WindowsFolder(libraryData) + relative;
    if (!shipped.IsEmpty() && IsFile(shipped)) return shipped;
    if (pMissing) {
        // A host installed into the library's prefix has the two as one folder.
        if (shipped.IsEmpty() || VyrMapPath(shipped.GetString()) == VyrMapPath(own.GetString()))
            pMissing->Format("找不到文件“%s”。", own.GetString());
        else
            pMissing->Format("找不到文件“%s”，也找不到“%s”。", own.GetString(), shipped.GetString());
    }
    return own;
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
