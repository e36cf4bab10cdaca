#include <vyr/gbk.h>

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <mutex>

namespace vyr {

char32_t Utf8Next(std::string_view s, size_t& i)
{
    const unsigned char c = (unsigned char)s[i];
    const int n = Utf8SeqLen(c);
    if (n == 1) {
        ++i;
        return c < 0x80 ? c : 0xFFFD;
    }
    if (i + n > s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = c & (0x7F >> n);
    for (int k = 1; k < n; ++k) {
        const unsigned char cc = (unsigned char)s[i + k];
        if ((cc & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    i += n;
    return cp;
}

void Utf8Append(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += (char)cp;
    } else if (cp < 0x800) {
        out += (char)(0xC0 | (cp >> 6));
        out += (char)(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += (char)(0xE0 | (cp >> 12));
        out += (char)(0x80 | ((cp >> 6) & 0x3F));
        out += (char)(0x80 | (cp & 0x3F));
    } else {
        out += (char)(0xF0 | (cp >> 18));
        out += (char)(0x80 | ((cp >> 12) & 0x3F));
        out += (char)(0x80 | ((cp >> 6) & 0x3F));
        out += (char)(0x80 | (cp & 0x3F));
    }
}

namespace {

// iconv descriptors are not thread-safe; one per direction, guarded.
struct Converter
{
    iconv_t cd;
    std::mutex mu;
    Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (cd != (iconv_t)-1) iconv_close(cd);
    }
    // Converts one character's bytes; false when the target cannot hold it.
    bool One(const char* in, size_t inLen, std::string& out)
    {
        char buf[8];
        char* pin = const_cast<char*>(in);
        char* pout = buf;
        size_t left = sizeof buf;
        std::lock_guard<std::mutex> lock(mu);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &pin, &inLen, &pout, &left) == (size_t)-1 || inLen != 0) return false;
        out.append(buf, sizeof buf - left);
        return true;
    }
};

Converter& ToGbk()
{
    static Converter c("GBK", "UTF-8");
    return c;
}
Converter& FromGbk()
{
    static Converter c("UTF-8", "GBK");
    return c;
}

} // namespace

std::string Utf8ToGbk(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char c = (unsigned char)utf8[i];
        if (c < 0x80) {
            out += (char)c;
            ++i;
            continue;
        }
        const size_t start = i;
        const char32_t cp = Utf8Next(utf8, i);
        if (cp == 0xFFFD || !ToGbk().One(utf8.data() + start, i - start, out)) out += '?';
    }
    return out;
}

std::string GbkToUtf8(std::string_view gbk)
{
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    size_t i = 0;
    while (i < gbk.size()) {
        const unsigned char c = (unsigned char)gbk[i];
        if (c < 0x80) {
            out += (char)c;
            ++i;
            continue;
        }
        if (i + 1 < gbk.size() && FromGbk().One(gbk.data() + i, 2, out)) {
            i += 2;
            continue;
        }
        Utf8Append(out, 0xFFFD);
        ++i;
    }
    return out;
}

int GbkWidth(std::string_view utf8)
{
    // GBK holds every character it has in one or two bytes: ASCII in one, the rest in two.
    // A character outside GBK is written as '?', one byte.
    int w = 0;
    size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char c = (unsigned char)utf8[i];
        if (c < 0x80) {
            ++w;
            ++i;
            continue;
        }
        const size_t start = i;
        const char32_t cp = Utf8Next(utf8, i);
        if (cp == 0xFFFD) {
            ++w;
            continue;
        }
        // Common CJK and full-width ranges are all in GBK; ask iconv for the rest.
        if ((cp >= 0x4E00 && cp <= 0x9FA5) || (cp >= 0x3000 && cp <= 0x303F) || (cp >= 0xFF01 && cp <= 0xFF5E)) {
            w += 2;
            continue;
        }
        std::string tmp;
        w += ToGbk().One(utf8.data() + start, i - start, tmp) ? (int)tmp.size() : 1;
    }
    return w;
}

int GbkCompare(std::string_view a, std::string_view b)
{
    const std::string ga = Utf8ToGbk(a), gb = Utf8ToGbk(b);
    const int r = std::memcmp(ga.data(), gb.data(), ga.size() < gb.size() ? ga.size() : gb.size());
    if (r != 0) return r < 0 ? -1 : 1;
    if (ga.size() == gb.size()) return 0;
    return ga.size() < gb.size() ? -1 : 1;
}

} // namespace vyr

int _mbscmp(const unsigned char* a, const unsigned char* b)
{
    return vyr::GbkCompare(a ? (const char*)a : "", b ? (const char*)b : "");
}
