// CString: the class library's string, holding UTF-8 bytes. Lengths and indexes are in
// bytes, as they were in the original multibyte build; Format pads %s by GBK width so
// that fixed-width columns line up as they did there.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

#include <vyr/wintypes.h>

class CString
{
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(const char* s) : m_s(s ? s : "") {}
    CString(const char* s, int n) : m_s(s ? std::string(s, n < 0 ? 0 : (size_t)n) : std::string()) {}
    CString(char ch, int repeat = 1) : m_s(repeat > 0 ? (size_t)repeat : 0, ch) {}
    CString(const std::string& s) : m_s(s) {}
    CString(std::string&& s) : m_s(std::move(s)) {}
    CString(std::string_view s) : m_s(s) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* s) { m_s = s ? s : ""; return *this; }
    CString& operator=(char ch) { m_s.assign(1, ch); return *this; }
    CString& operator=(const std::string& s) { m_s = s; return *this; }

    int GetLength() const { return (int)m_s.size(); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int i) const;
    void SetAt(int i, char ch);
    char operator[](int i) const { return GetAt(i); }

    operator const char*() const { return m_s.c_str(); }
    const char* GetString() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }
    std::string& str() { return m_s; }

    CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
    CString& operator+=(const char* s) { if (s) m_s += s; return *this; }
    CString& operator+=(char ch) { m_s += ch; return *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_s + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString(std::string(a ? a : "") + b.m_s); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
    friend CString operator+(char a, const CString& b) { return CString(std::string(1, a) + b.m_s); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.m_s == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
    friend bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
    friend bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
    friend bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

    // Byte-wise (strcmp) comparison, -1/0/1.
    int Compare(const char* s) const;
    // Case-insensitive for ASCII letters.
    int CompareNoCase(const char* s) const;
    // Ordering by GBK bytes, as a multibyte collation does.
    int Collate(const char* s) const;

    CString Left(int n) const;
    CString Right(int n) const;
    CString Mid(int first) const;
    CString Mid(int first, int n) const;
    CString SpanIncluding(const char* set) const;
    CString SpanExcluding(const char* set) const;

    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    int Replace(char from, char to);
    int Replace(const char* from, const char* to);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* s);
    int Delete(int index, int count = 1);

    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* set);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* set);
    CString& Trim() { TrimRight(); return TrimLeft(); }
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // printf semantics; %s (and %c) widths count GBK columns. Returns nothing, like the original.
    void Format(const char* fmt, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void FormatV(const char* fmt, va_list args);
    void AppendFormat(const char* fmt, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    // Buffer access: the caller may write up to minLen bytes, then ReleaseBuffer fixes the
    // length (at the first NUL when newLen is -1).
    char* GetBuffer(int minLen = 0);
    char* GetBufferSetLength(int len);
    void ReleaseBuffer(int newLen = -1);

private:
    std::string m_s;
};

// Builds a string with printf semantics and GBK-width padding of %s; used by CString::Format.
std::string VyrFormatV(const char* fmt, va_list args);
std::string VyrFormat(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

template <>
struct std::hash<CString>
{
    size_t operator()(const CString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};
