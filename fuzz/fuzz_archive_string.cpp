// Strings inside archives: any bytes as a run of length-prefixed strings (GBK, or UTF-16
// after the Unicode marker), read until the archive says it is done. Every string read is
// well-formed UTF-8, and writing what was read and reading it again is stable.
#include <vyr/archive.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzKit.h"

namespace {

// Strict UTF-8: no stray or missing continuation bytes, no overlong forms, no surrogates,
// nothing above U+10FFFF.
bool WellFormed(const std::string& s)
{
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = (unsigned char)s[i];
        int n;
        char32_t cp, min;
        if (c < 0x80) { ++i; continue; }
        if ((c & 0xE0) == 0xC0) { n = 1; cp = c & 0x1F; min = 0x80; }
        else if ((c & 0xF0) == 0xE0) { n = 2; cp = c & 0x0F; min = 0x800; }
        else if ((c & 0xF8) == 0xF0) { n = 3; cp = c & 0x07; min = 0x10000; }
        else return false;
        if (i + (size_t)n >= s.size()) return false;
        for (int k = 1; k <= n; ++k) {
            const unsigned char cc = (unsigned char)s[i + (size_t)k];
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += (size_t)n + 1;
    }
    return true;
}

// The strings of the file, read until the archive throws; the cause of the throw.
std::vector<CString> ReadAll(const std::string& path, int& cause)
{
    std::vector<CString> out;
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead))
        std::abort();
    CArchive ar(&file, CArchive::load);
    try {
        while (true) {
            CString s;
            ar >> s;
            out.push_back(s);
        }
    } catch (CArchiveException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    return out;
}

void WriteAll(const std::string& path, const std::vector<CString>& strings)
{
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite))
        std::abort();
    CArchive ar(&file, CArchive::store);
    for (const CString& s : strings)
        ar << s;
    ar.Close();
    file.Close();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string in = fuzzkit::Scratch() + "/strings.bin", out = fuzzkit::Scratch() + "/again.bin";
    fuzzkit::WriteFile(in, data, size);
    int cause = 0;
    const std::vector<CString> first = ReadAll(in, cause);
    for (const CString& s : first)
        if (!WellFormed(s.str()))
            std::abort();
    // Once written, the strings read back exactly and completely (the archive then ends),
    // and a second pass changes nothing more.
    WriteAll(out, first);
    const std::vector<CString> second = ReadAll(out, cause);
    if (cause != CArchiveException::endOfFile || second.size() != first.size())
        std::abort();
    WriteAll(out, second);
    const std::vector<CString> third = ReadAll(out, cause);
    if (cause != CArchiveException::endOfFile || third != second)
        std::abort();
    return 0;
}
