// Text lives in memory as UTF-8. The application's files and its column layouts were made
// in the GBK code page, where a Chinese character takes two bytes and two columns; these
// helpers are the one place that knows about it.
#pragma once

#include <string>
#include <string_view>

namespace vyr {

// Converts UTF-8 to GBK. A character GBK cannot hold becomes '?'; malformed UTF-8 bytes too.
std::string Utf8ToGbk(std::string_view utf8);
// Converts GBK to UTF-8. A byte sequence that is not GBK becomes U+FFFD.
std::string GbkToUtf8(std::string_view gbk);

// Number of bytes the text takes in GBK: the width in columns of a fixed-width layout.
int GbkWidth(std::string_view utf8);

// Orders two texts by their GBK bytes (unsigned), as a multibyte string compare does.
int GbkCompare(std::string_view a, std::string_view b);

// Length in bytes of the UTF-8 sequence that starts with byte c (1 for a stray byte).
inline int Utf8SeqLen(unsigned char c)
{
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) return 2;
    if ((c & 0xF0) == 0xE0) return 3;
    if ((c & 0xF8) == 0xF0) return 4;
    return 1;
}

// Decodes one code point at s[i], advancing i; malformed input yields U+FFFD and one byte.
char32_t Utf8Next(std::string_view s, size_t& i);
// Appends the UTF-8 form of a code point.
void Utf8Append(std::string& out, char32_t cp);

} // namespace vyr

// The C run-time's multibyte compare: the order of the texts' GBK bytes (negative, 0, positive).
int _mbscmp(const unsigned char* a, const unsigned char* b);
