// The RTF page: A4 with margins, and a table wider than the text narrowed to it. Checked by
// converting with LibreOffice and reading the PDF's text with pdftotext.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
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

namespace {

// A report of more than one piece (the device writes a large report while it grows):
// 800 rows of about 1.5 kB. From row `firstColoured` on, row r is written in its own
// colour RGB(r % 256, r / 256, 7) when `distinct`, else all in blue.
void WriteLargeReport(const std::string& path, DEVICE_TYPE device, int firstColoured, bool distinct)
{
    COutput out;
    ASSERT_TRUE(out.InitDevice(device, CString(path), 1));
    out.SetFontSize(9);
    for (int c = 0; c < 12; ++c) out.CreateTableHead(kHeads[c], 10, 0);
    for (int r = 0; r < 800; ++r) {
        if (r >= firstColoured) out.SetFontColor(distinct ? RGB(r % 256, r / 256, 7) : RGB(0, 0, 255));
        for (int c = 0; c < 12; ++c) {
            CString v;
            v.Format("r%dc%d", r, c);
            out.SetTableContent(v);
        }
    }
    out.EndTable();
    out << "报告结束" << endl;
}

std::string Hex(COLORREF c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

} // namespace

TEST(OutputPieces, ColoursFirstUsedLateReachTheHead)
{
    TempDir dir;
    const std::string path = dir.File("late.rtf");
    WriteLargeReport(path, DEVICE_RTF, 790, false);
    const std::string rtf = ReadBytes(path);
    ASSERT_GT(rtf.size(), (size_t)(1u << 20)) << "the report is larger than one piece";
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(rtf.find("{\\colortbl;\\red0\\green0\\blue255;}"), std::string::npos);
    const outtest::RtfReading r = outtest::ReadRtf(path);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.rows.size(), 801u);
    EXPECT_EQ(r.rows[1][0], "r0c0");
    EXPECT_EQ(r.rows[800][11], "r799c11");
    EXPECT_NE(std::find(r.lines.begin(), r.lines.end(), "报告结束"), r.lines.end());
    const std::string html = RunCommand("unrtf --html '" + path + "' 2>/dev/null");
    EXPECT_NE(html.find("<font color=\"#0000ff\">r799c11"), std::string::npos);
    EXPECT_EQ(html.find("<font color=\"#0000ff\">r789c0"), std::string::npos);
}

TEST(OutputPieces, MoreColoursThanTheHeadHadRoomFor)
{
    // 500 colours of about 25 bytes each in the table: more than the room kept for the head.
    TempDir dir;
    const std::string path = dir.File("colours.rtf");
    WriteLargeReport(path, DEVICE_RTF, 300, true);
    const std::string rtf = ReadBytes(path);
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    const size_t table = rtf.find("{\\colortbl;");
    ASSERT_NE(table, std::string::npos);
    const std::string colours = rtf.substr(table, rtf.find('}', table) - table);
    EXPECT_EQ(std::count(colours.begin(), colours.end(), ';'), 501);
    const outtest::RtfReading r = outtest::ReadRtf(path);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.rows.size(), 801u);
    EXPECT_EQ(r.rows[800][11], "r799c11");
    const std::string html = RunCommand("unrtf --html '" + path + "' 2>/dev/null");
    for (int row : {300, 555, 799})
        EXPECT_NE(html.find("<font color=\"" + Hex(RGB(row % 256, row / 256, 7)) + "\">r" + std::to_string(row) + "c0"),
                  std::string::npos)
            << row;
}

TEST(OutputPieces, LargeTextReportKeepsEveryLine)
{
    TempDir dir;
    const std::string path = dir.File("large.txt");
    {
        COutput out;
        ASSERT_TRUE(out.InitDevice(DEVICE_TEXT, CString(path), 1));
        out.CreateTableHead("说明", 40, 0);
        // 20,000 rows of about 60 bytes: more than one piece.
        for (int r = 0; r < 20000; ++r) {
            CString v;
            v.Format("第%d行 满足要求 满足要求 满足要求 满足要求", r);
            out.SetTableContent(v);
        }
        out.EndTable();
    }
    const std::vector<std::string> lines = outtest::ReadGbkLines(path);
    ASSERT_EQ(lines.size(), 20003u); // heading, rule, rows, closing rule
    EXPECT_EQ(lines[2], "第0行 满足要求 满足要求 满足要求 满足要求");
    EXPECT_EQ(lines[20001], "第19999行 满足要求 满足要求 满足要求 满足要求");
}
