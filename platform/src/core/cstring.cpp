#include <vyr/cstring.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include <vyr/gbk.h>
#include <vyr/vyrdiag.h>

char CString::GetAt(int i) const
{
    VYR_CHECK(i >= 0 && i < (int)m_s.size(), "CString::GetAt index out of range");
    return m_s[(size_t)i];
}

void CString::SetAt(int i, char ch)
{
    VYR_CHECK(i >= 0 && i < (int)m_s.size(), "CString::SetAt index out of range");
    m_s[(size_t)i] = ch;
}

int CString::Compare(const char* s) const
{
    const int r = std::strcmp(m_s.c_str(), s ? s : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* s) const
{
    const char* a = m_s.c_str();
    const char* b = s ? s : "";
    for (;; ++a, ++b) {
        const int ca = std::tolower((unsigned char)*a), cb = std::tolower((unsigned char)*b);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

int CString::Collate(const char* s) const { return vyr::GbkCompare(m_s, s ? s : ""); }

CString CString::Left(int n) const
{
    n = std::clamp(n, 0, GetLength());
    return CString(m_s.substr(0, (size_t)n));
}

CString CString::Right(int n) const
{
    n = std::clamp(n, 0, GetLength());
    return CString(m_s.substr(m_s.size() - (size_t)n));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int n) const
{
    first = std::clamp(first, 0, GetLength());
    n = std::clamp(n, 0, GetLength() - first);
    return CString(m_s.substr((size_t)first, (size_t)n));
}

CString CString::SpanIncluding(const char* set) const
{
    return Left((int)std::strspn(m_s.c_str(), set ? set : ""));
}

CString CString::SpanExcluding(const char* set) const
{
    return Left((int)std::strcspn(m_s.c_str(), set ? set : ""));
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength()) return -1;
    const size_t p = m_s.find(ch, (size_t)start);
    return p == std::string::npos ? -1 : (int)p;
}

int CString::Find(const char* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength()) return -1;
    const size_t p = m_s.find(sub, (size_t)start);
    return p == std::string::npos ? -1 : (int)p;
}

int CString::ReverseFind(char ch) const
{
    const size_t p = m_s.rfind(ch);
    return p == std::string::npos ? -1 : (int)p;
}

int CString::FindOneOf(const char* set) const
{
    if (!set) return -1;
    const size_t p = m_s.find_first_of(set);
    return p == std::string::npos ? -1 : (int)p;
}

int CString::Replace(char from, char to)
{
    int n = 0;
    for (char& c : m_s)
        if (c == from) {
            c = to;
            ++n;
        }
    return n;
}

int CString::Replace(const char* from, const char* to)
{
    if (!from || !*from) return 0;
    const std::string f(from), t(to ? to : "");
    int n = 0;
    std::string out;
    size_t pos = 0;
    for (;;) {
        const size_t p = m_s.find(f, pos);
        if (p == std::string::npos) break;
        out.append(m_s, pos, p - pos);
        out += t;
        pos = p + f.size();
        ++n;
    }
    if (n) {
        out.append(m_s, pos, std::string::npos);
        m_s.swap(out);
    }
    return n;
}

int CString::Remove(char ch)
{
    const size_t before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
    return (int)(before - m_s.size());
}

int CString::Insert(int index, char ch)
{
    index = std::clamp(index, 0, GetLength());
    m_s.insert(m_s.begin() + index, ch);
    return GetLength();
}

int CString::Insert(int index, const char* s)
{
    index = std::clamp(index, 0, GetLength());
    if (s) m_s.insert((size_t)index, s);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index < 0) index = 0;
    if (count > 0 && index < GetLength()) m_s.erase((size_t)index, (size_t)count);
    return GetLength();
}

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_s.size() && std::isspace((unsigned char)m_s[i])) ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(char ch)
{
    size_t i = 0;
    while (i < m_s.size() && m_s[i] == ch) ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(const char* set)
{
    if (!set) return *this;
    const size_t i = m_s.find_first_not_of(set);
    m_s.erase(0, i == std::string::npos ? m_s.size() : i);
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = m_s.size();
    while (n > 0 && std::isspace((unsigned char)m_s[n - 1])) --n;
    m_s.resize(n);
    return *this;
}

CString& CString::TrimRight(char ch)
{
    size_t n = m_s.size();
    while (n > 0 && m_s[n - 1] == ch) --n;
    m_s.resize(n);
    return *this;
}

CString& CString::TrimRight(const char* set)
{
    if (!set) return *this;
    const size_t i = m_s.find_last_not_of(set);
    m_s.resize(i == std::string::npos ? 0 : i + 1);
    return *this;
}

CString& CString::MakeUpper()
{
    for (char& c : m_s)
        if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
    return *this;
}

CString& CString::MakeLower()
{
    for (char& c : m_s)
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    return *this;
}

CString& CString::MakeReverse()
{
    // Reverse by character so that multibyte text stays valid.
    std::string out;
    out.reserve(m_s.size());
    size_t i = m_s.size();
    while (i > 0) {
        size_t start = i - 1;
        while (start > 0 && ((unsigned char)m_s[start] & 0xC0) == 0x80) --start;
        out.append(m_s, start, i - start);
        i = start;
    }
    m_s.swap(out);
    return *this;
}

void CString::Format(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    m_s = VyrFormatV(fmt, ap);
    va_end(ap);
}

void CString::FormatV(const char* fmt, va_list args) { m_s = VyrFormatV(fmt, args); }

void CString::AppendFormat(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    m_s += VyrFormatV(fmt, ap);
    va_end(ap);
}

char* CString::GetBuffer(int minLen)
{
    if (minLen > GetLength()) m_s.resize((size_t)minLen);
    return m_s.data();
}

char* CString::GetBufferSetLength(int len)
{
    m_s.resize(len > 0 ? (size_t)len : 0);
    return m_s.data();
}

void CString::ReleaseBuffer(int newLen)
{
    if (newLen < 0)
        m_s.resize(std::strlen(m_s.c_str()));
    else
        m_s.resize(std::min((size_t)newLen, m_s.size()));
}

namespace {

// Pads a converted %s or %c field to its width, counting GBK columns, honouring '-'.
void AppendPadded(std::string& out, std::string_view text, int width, bool left)
{
    const int w = vyr::GbkWidth(text);
    const int pad = width > w ? width - w : 0;
    if (!left) out.append((size_t)pad, ' ');
    out.append(text);
    if (left) out.append((size_t)pad, ' ');
}

// Cuts text to at most prec GBK columns without splitting a character.
std::string_view CutToPrecision(std::string_view s, int prec)
{
    size_t i = 0;
    int w = 0;
    while (i < s.size()) {
        size_t j = i;
        vyr::Utf8Next(s, j);
        const int cw = vyr::GbkWidth(s.substr(i, j - i));
        if (w + cw > prec) break;
        w += cw;
        i = j;
    }
    return s.substr(0, i);
}

// snprintf of one converted field; a field longer than the stack buffer is not cut.
template <class T>
void AppendField(std::string& out, const std::string& directive, T value)
{
    char buf[512];
    const int n = std::snprintf(buf, sizeof buf, directive.c_str(), value);
    if (n < 0) return;
    if (n < (int)sizeof buf) {
        out.append(buf, (size_t)n);
        return;
    }
    std::string big((size_t)n + 1, '\0');
    std::snprintf(big.data(), big.size(), directive.c_str(), value);
    big.resize((size_t)n);
    out += big;
}

} // namespace

std::string VyrFormatV(const char* fmt, va_list args)
{
    std::string out;
    if (!fmt) return out;
    va_list ap;
    va_copy(ap, args);
    const char* p = fmt;
    while (*p) {
        if (*p != '%') {
            const char* q = std::strchr(p, '%');
            const size_t n = q ? (size_t)(q - p) : std::strlen(p);
            out.append(p, n);
            p += n;
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            out += '%';
            ++p;
            continue;
        }
        bool left = false;
        while (*p && std::strchr("-+ #0", *p)) {
            if (*p == '-') left = true;
            ++p;
        }
        int width = -1;
        if (*p == '*') {
            width = va_arg(ap, int);
            if (width < 0) {
                left = true;
                width = -width;
            }
            ++p;
        } else if (std::isdigit((unsigned char)*p)) {
            width = 0;
            while (std::isdigit((unsigned char)*p)) width = width * 10 + (*p++ - '0');
        }
        int prec = -1;
        if (*p == '.') {
            ++p;
            prec = 0;
            if (*p == '*') {
                prec = va_arg(ap, int);
                ++p;
            } else {
                while (std::isdigit((unsigned char)*p)) prec = prec * 10 + (*p++ - '0');
            }
        }
        // Length modifiers.
        int longs = 0;
        bool half = false, sizeT = false, longDouble = false, i64 = false;
        for (;;) {
            if (*p == 'l') { ++longs; ++p; }
            else if (*p == 'h') { half = true; ++p; }
            else if (*p == 'z' || *p == 't' || *p == 'j') { sizeT = true; ++p; }
            else if (*p == 'L') { longDouble = true; ++p; }
            else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') { i64 = true; p += 3; }
            else break;
        }
        const char conv = *p;
        if (!conv) break;
        ++p;
        // The directive without length modifiers, with width and precision given as numbers.
        std::string directive(start, 1);
        for (const char* f = start + 1; *f && std::strchr("-+ #0", *f); ++f) directive += *f;
        if (width >= 0) directive += std::to_string(width);
        if (prec >= 0) directive += "." + std::to_string(prec);
        switch (conv) {
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X':
        case 'o': {
            const bool isSigned = conv == 'd' || conv == 'i';
            if (longs >= 2 || i64 || sizeT) {
                directive += "ll";
                directive += conv;
                if (isSigned)
                    AppendField(out, directive, sizeT ? (long long)va_arg(ap, std::intptr_t) : va_arg(ap, long long));
                else
                    AppendField(out, directive,
                                sizeT ? (unsigned long long)va_arg(ap, size_t) : va_arg(ap, unsigned long long));
            } else if (longs == 1) {
                directive += "l";
                directive += conv;
                if (isSigned)
                    AppendField(out, directive, va_arg(ap, long));
                else
                    AppendField(out, directive, va_arg(ap, unsigned long));
            } else {
                directive += conv;
                const int v = va_arg(ap, int);
                if (half) {
                    if (isSigned)
                        AppendField(out, directive, (int)(short)v);
                    else
                        AppendField(out, directive, (unsigned)(unsigned short)v);
                } else {
                    AppendField(out, directive, v);
                }
            }
            break;
        }
        // %e and %E write the exponent with its sign and at least two digits, three only
        // when it needs them ("1.230e+05", "1.000e+100"), as the C library does; older
        // Windows run-times (before 2015) always wrote three.
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A': {
            directive += conv;
            const double v = longDouble ? (double)va_arg(ap, long double) : va_arg(ap, double);
            AppendField(out, directive, v);
            break;
        }
        case 'c': {
            const char ch = (char)va_arg(ap, int);
            AppendPadded(out, std::string_view(&ch, 1), width, left);
            break;
        }
        case 's': {
            const char* s = va_arg(ap, const char*);
            std::string_view sv = s ? std::string_view(s) : std::string_view("(null)");
            if (prec >= 0) sv = CutToPrecision(sv, prec);
            AppendPadded(out, sv, width, left);
            break;
        }
        case 'p': {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%p", va_arg(ap, void*));
            AppendPadded(out, buf, width, left);
            break;
        }
        case 'n':
            (void)va_arg(ap, int*); // never written: a format must not store through a pointer
            break;
        default:
            out.append(start, (size_t)(p - start));
            break;
        }
    }
    va_end(ap);
    return out;
}

std::string VyrFormat(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    std::string s = VyrFormatV(fmt, ap);
    va_end(ap);
    return s;
}
