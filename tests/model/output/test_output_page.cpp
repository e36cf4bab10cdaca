// The RTF page: A4 with margins, and a table wider than the text narrowed to it. Checked by
// converting with LibreOffice and reading the PDF's text with pdftotext.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <map>
#include <regex>

#include <vyr/model/output/output.h>
#include "output_test_util.h"

using outtest::ReadBytes;
using outtest::RunCommand;
using outtest::TempDir;

namespace {

// Short enough that no cell wraps in the narrowed columns, so pdftotext finds each whole.
const char* const kHeads[12] = {"杆件", "工况", "轴力", "剪二", "剪三", "扭矩",
                                "弯二", "弯三", "位置", "应力", "长细", "结论"};
// Column widths in characters: the first twice the others.
int HeadWidth(int c) { return c == 0 ? 20 : 10; }

// A 200-row, 12-column member report, as the report chapters write one.
void WriteWideReport(const std::string& path)
{
    COutput out;
    ASSERT_TRUE(out.InitDevice(DEVICE_RTF, CString(path), 1));
    out.SetFontSize(9);
    out << title(1) << title << "杆件内力报告" << endl << title(0);
    for (int c = 0; c < 12; ++c) out.CreateTableHead(kHeads[c], HeadWidth(c), 0);
    for (int r = 0; r < 200; ++r) {
        CString name;
        name.Format("B%d", r + 1);
        out.SetTableContent(name);
        out.SetTableContent((long)(r % 24 + 1));
        for (int c = 0; c < 8; ++c) {
            CString v;
            v.Format("%c%d", 'C' + c, r);
            out.SetTableContent(v);
        }
        out.SetTableContent(CString(r % 97 == 0 ? "超限" : "正常"));
        out.SetTableContent(CString(r % 97 == 0 ? "不满足" : "满足"));
    }
    out.EndTable();
    out << endl;
}

// The \cellx edges of the first row definition.
std::vector<long> FirstRowEdges(const std::string& rtf)
{
    std::vector<long> edges;
    const size_t row = rtf.find("\\trowd");
    const size_t end = rtf.find("\\pard", row);
    const std::regex cellx("\\\\cellx(-?[0-9]+)");
    const std::string def = rtf.substr(row, end - row);
    for (std::sregex_iterator it(def.begin(), def.end(), cellx), e; it != e; ++it)
        edges.push_back(std::stol((*it)[1]));
    return edges;
}

TEST(OutputPage, A4WithMarginsAndTablesNarrowedToTheText)
{
    TempDir dir;
    const std::string path = dir.File("wide.rtf");
    WriteWideReport(path);
    const std::string rtf = ReadBytes(path);
    // A4 is 210 x 297 mm = 11906 x 16838 twips; 2 cm margins leave 9638 twips of text.
    EXPECT_NE(rtf.find("\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1134\\margb1134"),
              std::string::npos);
    const std::vector<long> edges = FirstRowEdges(rtf);
    ASSERT_EQ(edges.size(), 12u);
    // Unscaled, a column is width x 9 pt x 10 twips + 120: 1920 for the first, 1020 for the
    // others, 13140 in all; scaled by 9638 / 13140 the last edge is the text width.
    EXPECT_NEAR(edges.back(), 9638, 1);
    EXPECT_NEAR(edges[0], 1920.0 * 9638 / 13140, 1);
    EXPECT_NEAR(edges[1] - edges[0], 1020.0 * 9638 / 13140, 1);
    EXPECT_NEAR(edges[11] - edges[10], 1020.0 * 9638 / 13140, 1);
}

TEST(OutputPage, NarrowTablesKeepTheirWidths)
{
    TempDir dir;
    const std::string path = dir.File("narrow.rtf");
    {
        COutput out;
        ASSERT_TRUE(out.InitDevice(DEVICE_RTF, CString(path), 1));
        out.SetFontSize(9);
        out.CreateTableHead("层号", 8, 0);
        out.CreateTableHead("质量(t)", 12, 0);
        out.SetTableContent(1L);
        out.SetTableContent(12.5);
        out.EndTable();
    }
    // 8 x 90 + 120 = 840, then 12 x 90 + 120 = 1200 more.
    EXPECT_EQ(FirstRowEdges(ReadBytes(path)), (std::vector<long>{840, 2040}));
}

// Every column of the wide report survives a conversion to PDF (the last one used to fall
// off the page).
TEST(OutputPage, LibreOfficeShowsEveryColumnOfAWideTable)
{
    TempDir dir;
    const std::string path = dir.File("wide.rtf");
    WriteWideReport(path);
    const std::string profile = dir.File("profile");
    const std::string cmd = "soffice -env:UserInstallation=file://" + profile +
                            " --headless --convert-to pdf --outdir '" + dir.File("") + "' '" + path +
                            "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << "LibreOffice (libreoffice-writer-nogui) could not convert the report";
    const std::string text = RunCommand("pdftotext -enc UTF-8 '" + dir.File("wide.pdf") + "' - 2>/dev/null");
    ASSERT_FALSE(text.empty()) << "pdftotext (poppler-utils) read nothing";
    for (const char* h : kHeads) EXPECT_NE(text.find(h), std::string::npos) << h;
    // Cells of the first, middle and last columns of the first, a middle and the last row.
    for (const char* cell : {"B1", "B101", "B200", "C0", "G100", "J199", "正常", "超限", "不满足"})
        EXPECT_NE(text.find(cell), std::string::npos) << cell;
    // The last column of every row: rows 1, 98 and 195 "不满足", the others "满足".
    auto count = [&](const std::string& what) {
        int n = 0;
        for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + what.size())) ++n;
        return n;
    };
    EXPECT_EQ(count("满足"), 200);
    EXPECT_EQ(count("不满足"), 3);
    int lastNumbers = 0;
    for (size_t p = text.find('J'); p != std::string::npos; p = text.find('J', p + 1))
        lastNumbers += p + 1 < text.size() && std::isdigit((unsigned char)text[p + 1]) ? 1 : 0;
    EXPECT_EQ(lastNumbers, 200);
}

} // namespace
