// The layout the node result chapters share (support reactions, node checks): the chapter
// title with the report head, headings, table heads and the rule that closes a table.
#pragma once

#include <initializer_list>

#include <vyr/model/output/coutput.h>

namespace nodechapter {

// The chapter title as a level-1 heading, an empty line, then with flag 0 the report head.
void Title(COutput& out, const char* text, int flag);
// A level-2 heading line.
void Heading(COutput& out, const char* text);

struct Head
{
    const char* text;
    int width;
};
void Heads(COutput& out, std::initializer_list<Head> heads);
// Ends the table, then the closing line of 56 minus signs.
void EndRuled(COutput& out);

// A formatted cell text.
template <class... A>
CString Cell(const char* format, A... args)
{
    CString s;
    s.Format(format, args...);
    return s;
}

} // namespace nodechapter
