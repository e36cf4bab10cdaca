// Reading the result reports back: the chapter written into a text document as lines, its
// word rows, the rows of one part, the table captions and the text the dialog shows.
#pragma once

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include <vyr/model/struct/structure.h>
#include <vyr/reports/ResultReport.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include "model/output/output_test_util.h"
#include "support/TestHelpers.h"

namespace forcedisp {

using Row = std::vector<std::string>;

// The chapter as a save writes it, into a text document, as lines.
inline std::vector<std::string> Chapter(CDlgResultReport& dlg)
{
    outtest::TempDir dir;
    return outtest::WriteAndReadText(dir.File("chapter.txt"), [&](COutput& out) { dlg.Output(&out, 0); });
}

// The word rows of the lines, blank lines and rules of "-" left out.
inline std::vector<Row> Rows(const std::vector<std::string>& lines)
{
    std::vector<Row> rows;
    for (const std::string& l : lines)
        if (Row w = vyrtest::Words(l); !w.empty() && !(w.size() == 1 && w[0].find_first_not_of('-') == std::string::npos))
            rows.push_back(w);
    return rows;
}

// The rows from the first one whose first word is `from` up to the next one whose first
// word starts with one of `stops` (or the end).
inline std::vector<Row> Section(const std::vector<Row>& rows, const std::string& from, std::vector<std::string> stops)
{
    auto b = std::find_if(rows.begin(), rows.end(), [&](const Row& r) { return r[0] == from; });
    EXPECT_NE(b, rows.end()) << from;
    if (b == rows.end())
        return {};
    auto e = std::find_if(b + 1, rows.end(), [&](const Row& r) {
        return std::any_of(stops.begin(), stops.end(), [&](const std::string& s) { return r[0].rfind(s, 0) == 0; });
    });
    return {b, e};
}

inline std::vector<std::string> FirstWords(const std::vector<Row>& rows)
{
    std::vector<std::string> out;
    for (const Row& r : rows)
        out.push_back(r[0]);
    return out;
}

// The caption lines of the numbered tables.
inline std::vector<std::string> Captions(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (l.rfind("表", 0) == 0)
            out.push_back(l);
    return out;
}

inline size_t Count(const std::vector<std::string>& lines, const std::string& line)
{
    return (size_t)std::count(lines.begin(), lines.end(), line);
}

// The text the dialog's report control shows, as lines.
inline std::vector<std::string> ShownLines(CDialog* d)
{
    CString text;
    d->GetDlgItemText(IDC_REPORT_EDIT, text);
    std::vector<std::string> out;
    std::istringstream in(text.str());
    for (std::string l; std::getline(in, l);) {
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        out.push_back(l);
    }
    return out;
}

// A combination of dead and live load owned by the structure and numbered one above its
// highest, appended to one of the model root's kind lists.
inline CLoadCombination* AddCombination(CGlobalData& data, CLCList* kind, float dead, float live)
{
    auto* c = new CLoadCombination;
    c->m_fDead = dead;
    c->m_fLive = live;
    data.Struct()->m_pLCList->Add(c);
    kind->AddTail(c);
    return c;
}

// The dead (type 0) and live (type 1) basic cases, owned by the structure.
inline void AddDeadAndLiveCases(CGlobalData& data)
{
    for (int type : {0, 1}) {
        auto* basic = new CBasicLoadCase(type);
        basic->m_nNo = type + 1;
        data.Struct()->m_pBasicLCList->AddTail(basic);
    }
}

} // namespace forcedisp
