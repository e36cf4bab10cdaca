// The frame of the storey statistics tests: a main window (a viewer opened with a null
// parent finds its opener through it), the dialog test frame, and readers of the viewer's
// text and of saved chapters.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <vyr/app.h>
#include <vyr/dialog.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include "model/output/output_test_util.h"
#include "support/DialogTest.h"

namespace storeytest {

class StoreyTest : public vyrtest::DialogTest
{
protected:
    void SetUp() override
    {
        vyrtest::DialogTest::SetUp();
        ASSERT_TRUE(m_frame.CreateEx(0, nullptr, "主窗口", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 700, nullptr,
                                     nullptr));
        vyr::SetMainWnd(&m_frame);
    }
    void TearDown() override
    {
        vyr::SetMainWnd(nullptr);
        m_frame.DestroyWindow();
        vyrtest::DialogTest::TearDown();
    }

    // The text of the viewer's report control (rich edit 1604).
    static std::string ViewerText(CDialog* viewer)
    {
        CString text;
        viewer->GetDlgItemText(IDC_REPORT_TEXT, text);
        return text.str();
    }

    CWnd m_frame;
};

// A grid's rows below its heading, each as its texts; none without a grid.
inline std::vector<std::vector<std::string>> GridRows(CGridCtrl* g)
{
    std::vector<std::vector<std::string>> rows;
    if (g == nullptr)
        return rows;
    for (int r = 1; r < g->GetRowCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < g->GetColumnCount(); ++c)
            row.push_back(g->GetItemText(r, c).str());
        rows.push_back(row);
    }
    return rows;
}

// A saved chapter as unrtf reads it, split at its tables: the text before each table (the
// last heading line of it) and whether the table holds a cell in the colour given
// ("#ff00ff" for magenta).
struct CTableColours
{
    std::string heading;
    bool coloured = false;
};

inline std::vector<CTableColours> TablesOfRtf(const std::string& path, const std::string& colour)
{
    std::vector<CTableColours> out;
    const std::string html = outtest::RunCommand("unrtf --html '" + path + "' 2>/dev/null");
    size_t at = 0;
    for (;;) {
        const size_t start = html.find("<table", at);
        if (start == std::string::npos)
            break;
        const size_t end = html.find("</table>", start);
        if (end == std::string::npos)
            break;
        CTableColours t;
        // The heading: the last line of text before the table.
        std::string before = html.substr(at, start - at);
        std::string text;
        for (size_t i = 0; i < before.size(); ++i) {
            if (before[i] == '<') {
                const size_t close = before.find('>', i);
                if (before.compare(i, 3, "<br") == 0 && !outtest::Trim(text).empty())
                    t.heading = outtest::DecodeEntities(outtest::Trim(text)), text.clear();
                i = close == std::string::npos ? before.size() : close;
                continue;
            }
            if (before[i] != '\n')
                text += before[i];
        }
        if (!outtest::Trim(text).empty())
            t.heading = outtest::DecodeEntities(outtest::Trim(text));
        const std::string table = html.substr(start, end - start);
        t.coloured = table.find(colour) != std::string::npos;
        out.push_back(t);
        at = end + 8;
    }
    return out;
}

// Text read by unrtf with the named entities it writes for Greek letters and signs put back.
inline std::string DecodeNamedEntities(std::string s)
{
    static const std::pair<const char*, const char*> kNamed[] = {
        {"&times;", "×"}, {"&alpha;", "α"}, {"&mu;", "μ"},    {"&omega;", "ω"}, {"&zeta;", "ζ"}, {"&nu;", "ν"},
        {"&gamma;", "γ"}, {"&Sigma;", "Σ"}, {"&sum;", "∑"}, {"&ge;", "≥"},   {"&le;", "≤"}};
    for (const auto& [name, text] : kNamed)
        for (size_t at = s.find(name); at != std::string::npos; at = s.find(name, at))
            s.replace(at, std::string(name).size(), text);
    return s;
}

} // namespace storeytest
