#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <vyr/stdafx.h>

namespace {
// Formats without the compiler's printf checks, for the Windows-only and null cases.
std::string Fmt(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    std::string s = VyrFormatV(fmt, ap);
    va_end(ap);
    return s;
}
} // namespace

TEST(Gbk, RoundTripsTextAndMarksWhatItCannotHold)
{
    const std::string mixed = "钢梁 H300x150, 柱：Q345（é·）";
    std::string gbk = vyr::Utf8ToGbk(mixed);
    EXPECT_EQ(vyr::GbkToUtf8(gbk), mixed);
    EXPECT_EQ(vyr::Utf8ToGbk("钢梁"), "\xB8\xD6\xC1\xBA");
    EXPECT_EQ(vyr::GbkToUtf8("\xB8\xD6" "a"), "钢a");
    // No GBK code for an emoji; a malformed UTF-8 byte is no character either.
    EXPECT_EQ(vyr::Utf8ToGbk("a\xF0\x9F\x98\x80" "b"), "a?b");
    EXPECT_EQ(vyr::Utf8ToGbk("a\xE9z"), "a?z");
    // A lead byte without its trail, at the end or before ASCII.
    EXPECT_EQ(vyr::GbkToUtf8("a\xB8"), "a\xEF\xBF\xBD");
    EXPECT_EQ(vyr::GbkToUtf8("\xB8 "), "\xEF\xBF\xBD ");
}

TEST(Gbk, WidthCountsGbkBytes)
{
    struct Case
    {
        const char* text;
        int width;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 3},
        {"钢", 2},
        {"钢a梁", 5},
        {"，", 2},  // full-width comma
        {"é", 2},   // Latin letter with a GBK code
        {"·", 2},   // middle dot
        {"\xF0\x9F\x98\x80", 1}, // no GBK code: written as '?'
        {"\xE9", 1},             // a stray byte
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vyr::GbkWidth(c.text), c.width) << c.text;
        EXPECT_EQ(vyr::GbkWidth(c.text), (int)vyr::Utf8ToGbk(c.text).size()) << c.text;
    }
}

TEST(Gbk, OrdersAsTheMultibyteStringsDo)
{
    // GBK orders the common characters by their reading, unlike Unicode.
    std::vector<CString> names = {"柱", "梁", "阿", "钢", "保", "b", "a", "ab", ""};
    std::sort(names.begin(), names.end(), [](const CString& x, const CString& y) { return x.Collate(y) < 0; });
    std::vector<CString> expected = {"", "a", "ab", "b", "阿", "保", "钢", "梁", "柱"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(vyr::GbkCompare("钢", "钢"), 0);
    EXPECT_LT(vyr::GbkCompare("钢", "钢a"), 0);
    EXPECT_GT(vyr::GbkCompare("柱", "梁"), 0);
    auto mb = [](const char* a, const char* b) { return _mbscmp((const unsigned char*)a, (const unsigned char*)b); };
    EXPECT_LT(mb("阿", "保"), 0); // U+963F after U+4FDD, but first in GBK
    EXPECT_EQ(mb("View.Axis", "View.Axis"), 0);
    EXPECT_GT(mb("View.b", "View.a"), 0);
}

TEST(CStringFormat, FieldsTable)
{
    struct Case
    {
        std::string got;
        const char* expected;
    };
    const Case cases[] = {
        {VyrFormat("%-6s|", "钢梁"), "钢梁  |"},
        {VyrFormat("%6s|", "钢梁"), "  钢梁|"},
        {VyrFormat("%3s|", "钢梁"), "钢梁|"},           // wider than the field: not cut
        {VyrFormat("%.3s|", "钢梁"), "钢|"},            // precision never splits a character
        {VyrFormat("%-5.2s|", "梁abc"), "梁   |"},
        {VyrFormat("%*s|", 4, "钢"), "  钢|"},
        {VyrFormat("%-*s|", 4, "钢"), "钢  |"},
        {VyrFormat("%*s|", -4, "钢"), "钢  |"},         // a negative width means left-aligned
        {VyrFormat("%-3c|", 'x'), "x  |"},
        {VyrFormat("%5.1f|%-4d|%04d", 3.14159, 7, 42), "  3.1|7   |0042"},
        {Fmt("%I64d %lld %zu", (long long)-5, 1234567890123ll, (size_t)9), "-5 1234567890123 9"},
        {VyrFormat("%x %X %o %u", 255u, 255u, 8u, 4000000000u), "ff FF 10 4000000000"},
        {VyrFormat("100%%"), "100%"},
        {Fmt("%s", (const char*)nullptr), "(null)"},
        {VyrFormat("%hd", 70000), "4464"},
        {VyrFormat("%e", 12345.0), "1.234500e+04"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
    // Wide numeric fields are not cut at any internal buffer size.
    EXPECT_EQ(VyrFormat("%600d|", 7), std::string(599, ' ') + "7|");
    EXPECT_EQ(VyrFormat("%.400f", 1.0).size(), 402u);
    CString s("层");
    CString t;
    t.Format("[%-4s][%s]", (LPCTSTR)s, s.GetString());
    EXPECT_EQ(t, "[层  ][层]");
    t.AppendFormat("%d", 1);
    EXPECT_EQ(t, "[层  ][层]1");
}

TEST(CString, EditingKeepsBytesAndBounds)
{
    CString s("钢梁ABC");
    EXPECT_EQ(s.GetLength(), 9); // bytes, as in a multibyte build
    EXPECT_EQ(s.Left(3), "钢");
    EXPECT_EQ(s.Mid(6), "ABC");
    EXPECT_EQ(s.Right(2), "BC");
    EXPECT_EQ(s.Left(100), s);
    EXPECT_EQ(s.Mid(-3, 3), "钢");
    EXPECT_EQ(s.Mid(20), "");
    EXPECT_EQ(s.Find("梁"), 3);
    EXPECT_EQ(s.Find('A', 7), -1);
    EXPECT_EQ(s.ReverseFind('B'), 7);
    CString r = s;
    EXPECT_EQ(r.MakeReverse(), "CBA梁钢");
    EXPECT_EQ(r.MakeLower(), "cba梁钢");
    CString t("  x y \t\n");
    EXPECT_EQ(t.TrimRight(), "  x y");
    EXPECT_EQ(t.TrimLeft(), "x y");
    CString u("a,b,,c");
    EXPECT_EQ(u.Replace(",", ";;"), 3);
    EXPECT_EQ(u, "a;;b;;;;c");
    EXPECT_EQ(u.Replace("", "x"), 0);
    EXPECT_EQ(u.Remove(';'), 6);
    EXPECT_EQ(u.Insert(1, "钢"), 6);
    EXPECT_EQ(u, "a钢bc");
    EXPECT_EQ(u.Delete(1, 3), 3);
    EXPECT_EQ(u, "abc");
    EXPECT_EQ(CString("abc").CompareNoCase("ABD"), -1);
    EXPECT_EQ(CString("b").Compare("a"), 1);

    CString buf;
    char* p = buf.GetBuffer(16);
    std::snprintf(p, 16, "%s", "钢12");
    buf.ReleaseBuffer();
    EXPECT_EQ(buf, "钢12");
    EXPECT_EQ(buf.GetLength(), 5);
}

TEST(CStringDeathTest, IndexOutOfRangeStops)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CString s("ab");
    EXPECT_DEATH(s.GetAt(2), "out of range");
    EXPECT_DEATH(s.SetAt(-1, 'x'), "out of range");
}
