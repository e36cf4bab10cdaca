// The report writer's file devices: the RTF read back by an independent reader, the text
// device's columns, shared documents of several writers, and the number formats.
#include <gtest/gtest.h>

#include <algorithm>

#include <vyr/model/output/output.h>
#include <vyr/model/output/output_impl.h>
#include "output_test_util.h"
#include <vyr/winfile.h>

using outtest::ReadBytes;
using outtest::ReadGbkLines;
using outtest::ReadRtf;
using outtest::TempDir;

namespace {

// A small chapter as the report chapters write one.
void WriteChapter(COutput& out)
{
    out.SetFontSize(9);
    out << title(1) << title << "示例工程" << "结构质量报告" << endl << title(0);
    out << "重力加速度 g = " << 9.81 << " m/s" << super("^2") << endl;
    out.SetFlagAdd(0x10000);
    out << "表" << title(3) << title << "各层质量" << endl << title(0);
    out.SetFlagSub(0x10000);
    out.CreateTableHead("层号", 8, 0);
    out.CreateTableHead("质量(t)", 12, 0);
    out.CreateTableHead("备注", 20, 0);
    out.SetTableContent(1L);
    out.SetTableContent(12.5);
    out.SetTableContent(CString("首层 {a\\b}"));
    out.SetTableContent(2L);
    out.SetTableContent(7.25);
    out.SetFontColor(255);
    out.SetTableContent(CString("超限"));
    out.SetFontColor(0);
    out.EndTable();
    out << endl;
    out << "结论：满足要求" << endl;
}

TEST(OutputRtf, IndependentReaderSeesTheSameTextAndCells)
{
    TempDir dir;
    const std::string path = dir.File("chapter.rtf");
    {
        COutput out;
        ASSERT_TRUE(out.InitDevice(DEVICE_RTF, CString(path), 1));
        WriteChapter(out);
    } // destroying the writer ends the document
    const outtest::RtfReading r = ReadRtf(path);
    ASSERT_TRUE(r.ok) << "unrtf could not read the file";
    ASSERT_GE(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[0], "示例工程结构质量报告");
    EXPECT_EQ(r.lines[1], "重力加速度 g = 9.810 m/s2");
    EXPECT_EQ(r.lines[2], "表各层质量");
    EXPECT_NE(std::find(r.lines.begin(), r.lines.end(), "结论：满足要求"), r.lines.end());
    const std::vector<std::vector<std::string>> want = {
        {"层号", "质量(t)", "备注"},
        {"1", "12.500", "首层 {a\\b}"},
        {"2", "7.250", "超限"},
    };
    ASSERT_GE(r.rows.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(r.rows[i], want[i]) << "row " << i;
}

TEST(OutputRtf, DocumentIsWellFormedForGbkReaders)
{
    TempDir dir;
    const std::string path = dir.File("form.rtf");
    {
        COutput out;
        ASSERT_TRUE(out.InitDevice(DEVICE_RTF, CString(path), 1));
        WriteChapter(out);
        out << "A" << sub("w") << "𝐱" << endl; // a character outside the BMP
    }
    const std::string rtf = ReadBytes(path);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg936", 0), 0u);
    EXPECT_NE(rtf.find("\\fcharset134"), std::string::npos);
    EXPECT_NE(rtf.find("\\uc2"), std::string::npos);
    // U+7ED3 "结" is written as \u32467 with its GBK bytes BD E1.
    EXPECT_NE(rtf.find("{\\u32467\\'bd\\'e1}"), std::string::npos);
    // Every byte is 7-bit and the braces balance.
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        const unsigned char c = (unsigned char)rtf[i];
        ASSERT_LT(c, 0x80) << "raw byte at " << i;
        if (c == '\\' && i + 1 < rtf.size()) {
            ++i;
            continue;
        }
        if (c == '{') ++depth;
        if (c == '}') --depth;
        ASSERT_GE(depth, 0) << "at " << i;
    }
    EXPECT_EQ(depth, 0);
    // Headings by level, super- and subscript, red in the colour table and used.
    EXPECT_NE(rtf.find("\\s1\\outlinelevel0"), std::string::npos);
    EXPECT_NE(rtf.find("\\s3\\outlinelevel2"), std::string::npos);
    EXPECT_NE(rtf.find("\\super 2}"), std::string::npos);
    EXPECT_NE(rtf.find("\\sub w}"), std::string::npos);
    EXPECT_NE(rtf.find("\\red255\\green0\\blue0;"), std::string::npos);
    EXPECT_NE(rtf.find("\\cf1"), std::string::npos);
    // Tables: each row has its definition with growing right edges and ends with \row.
    size_t pos = 0;
    int rows = 0;
    while ((pos = rtf.find("\\trowd", pos)) != std::string::npos) {
        const size_t end = rtf.find("\\row", pos + 6);
        ASSERT_NE(end, std::string::npos);
        const std::string row = rtf.substr(pos, end - pos);
        int last = 0, cellx = 0, cells = 0;
        for (size_t p = row.find("\\cellx"); p != std::string::npos; p = row.find("\\cellx", p + 1)) {
            const int edge = std::stoi(row.substr(p + 6));
            EXPECT_GT(edge, last);
            last = edge;
            ++cellx;
        }
        for (size_t p = row.find("\\cell"); p != std::string::npos; p = row.find("\\cell", p + 1))
            if (row.compare(p, 6, "\\cellx") != 0) ++cells;
        EXPECT_EQ(cellx, 3);
        EXPECT_EQ(cells, 3);
        ++rows;
        pos = end;
    }
    EXPECT_EQ(rows, 3);
}

TEST(OutputRtf, ThePairOfSurrogatesAndUnknownCharactersKeepTwoFallbackBytes)
{
    std::string out;
    vyr::output::AppendRtfText(out, "𝐱\xE2\x82\xAC"); // outside the BMP, then the euro sign
    // Each \u is followed by exactly two fallback characters.
    EXPECT_EQ(out.find("{\\u-10187??\\u-9167??}"), 0u) << out;
    EXPECT_NE(out.find("{\\u8364??}"), std::string::npos);
}

TEST(OutputText, ChineseHeadingsAlignByGbkWidth)
{
    TempDir dir;
    const std::string path = dir.File("table.txt");
    {
        COutput out;
        ASSERT_TRUE(out.InitDevice(DEVICE_TEXT, CString(path), 1));
        out.SetPrecision(2);
        out.CreateTableHead("节点号", 8, 0);
        out.CreateTableHead("X坐标", 10, 0);
        out.CreateTableHead("说明", 12, 0);
        out.SetTableContent(101L);
        out.SetTableContent(-1.005e-3);
        out.SetTableContent(CString("柱脚"));
        out.SetTableContent(7L);
        out.SetTableContent(12345.678);
        out.SetTableContent(CString("ok"));
        out.EndTable();
        out << endl;
    }
    const std::vector<std::string> lines = ReadGbkLines(path);
    ASSERT_GE(lines.size(), 5u);
    // Column starts in GBK columns: 0, 8, 18, whatever the characters.
    auto startOf = [](const std::string& line, const std::string& item) {
        const size_t at = line.find(item);
        return at == std::string::npos ? -1 : vyr::GbkWidth(line.substr(0, at));
    };
    EXPECT_EQ(startOf(lines[0], "X坐标"), 8);
    EXPECT_EQ(startOf(lines[0], "说明"), 18);
    EXPECT_EQ(lines[1], std::string(30, '-'));
    EXPECT_EQ(startOf(lines[2], "0.00"), 8) << lines[2]; // -0.001 at two decimals is zero, unsigned
    EXPECT_EQ(lines[2].find("-0.00"), std::string::npos);
    EXPECT_EQ(startOf(lines[2], "柱脚"), 18);
    EXPECT_EQ(startOf(lines[3], "12345.68"), 8);
    EXPECT_EQ(startOf(lines[3], "ok"), 18);
    EXPECT_EQ(lines[4], std::string(30, '-'));
    // The file is GBK: the heading's bytes are the two-byte forms.
    const std::string raw = ReadBytes(path);
    EXPECT_EQ(raw.find(vyr::Utf8ToGbk("节点号")), 0u);
}

TEST(OutputText, FieldWidthsPadTheItemsUntilEnded)
{
    TempDir dir;
    const std::string path = dir.File("width.txt");
    {
        COutput out;
        ASSERT_TRUE(out.InitDevice(DEVICE_TEXT, CString(path), 1));
        out << strwidth(8) << "节点号" << strwidth(10) << "X坐标" << 12 << strwidth(0) << "|" << endl;
        out << "计算软件：" << tab << "VYR" << endl;
        out << 7 << "|" << 8L << "|" << 9u << "|" << (size_t)10 << "|" << 1.5f << "|" << -2.25 << endl;
    }
    const std::vector<std::string> lines = ReadGbkLines(path);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "节点号  X坐标     12        |");
    EXPECT_EQ(lines[1], "计算软件：\tVYR");
    EXPECT_EQ(lines[2], "7|8|9|10|1.500|-2.250"); // reals with the current precision
}

TEST(OutputWriters, TwoCopiesWriteIntoOneDeviceInCallOrder)
{
    TempDir dir;
    const std::string path = dir.File("copies.txt");
    {
        COutput a;
        ASSERT_TRUE(a.InitDevice(DEVICE_TEXT, CString(path), 1));
        COutput b(a);
        COutput c;
        c = a;
        a << "one" << endl;
        b << "two" << endl;
        a << "three ";
        c << "four" << endl; // a copy continues the same line
        b.SetPrecision(1);   // and shares the writing state
        a << 2.25 << endl;
        a.Close(); // the copies end with it
        b << "lost" << endl;
    }
    const std::vector<std::string> lines = ReadGbkLines(path);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three four", "2.2"}));
}

TEST(OutputWriters, SectionWritersOnTheSamePathLandInOneDocumentInOrder)
{
    TempDir dir;
    const std::string path = dir.File("whole.rtf");
    {
        COutput main;
        ASSERT_TRUE(main.InitDevice(DEVICE_RTF, CString(path), 3));
        main << title(1) << title << "计算书" << endl << title(0);
        for (int s = 1; s <= 3; ++s) {
            COutput section;
            ASSERT_TRUE(section.InitDevice(DEVICE_RTF, CString(path), 3));
            section << "第" << s << "章" << endl;
            section.CreateTableHead("项", 6, 0);
            section.SetTableContent((long)s);
            section.EndTable();
            section << endl;
            // the section writer is destroyed here; the document stays open
            EXPECT_TRUE(std::filesystem::exists(path));
        }
        main << "完" << endl;
        // A writer of another format cannot join the open document.
        COutput other;
        EXPECT_FALSE(other.InitDevice(DEVICE_TEXT, CString(path), 3));
    }
    const outtest::RtfReading r = ReadRtf(path);
    ASSERT_TRUE(r.ok);
    std::vector<std::string> texts;
    for (const std::string& l : r.lines)
        if (!l.empty()) texts.push_back(l);
    EXPECT_EQ(texts, (std::vector<std::string>{"计算书", "第1章", "第2章", "第3章", "完"}));
    ASSERT_EQ(r.rows.size(), 6u);
    EXPECT_EQ(r.rows[1], std::vector<std::string>{"1"});
    EXPECT_EQ(r.rows[5], std::vector<std::string>{"3"});
    // Once closed, the same path starts a new document.
    {
        COutput again;
        ASSERT_TRUE(again.InitDevice(DEVICE_RTF, CString(path), 1));
        again << "新" << endl;
    }
    const outtest::RtfReading r2 = ReadRtf(path);
    ASSERT_EQ(r2.lines.size(), 1u);
    EXPECT_EQ(r2.lines[0], "新");
}

TEST(OutputWriters, TableEdgeCases)
{
    TempDir dir;
    const std::string path = dir.File("edges.txt");
    {
        COutput out;
        ASSERT_TRUE(out.InitDevice(DEVICE_TEXT, CString(path), 1));
        // Heads only: the heading row is written even without rows.
        out.CreateTableHead("A", 4, 0);
        out.CreateTableHead("B", 4, 0);
        out.EndTable();
        // A short last row is filled with empty cells; text pending before a table goes first.
        out << "caption";
        out.CreateTableHead("C", 4, 0);
        out.CreateTableHead("D", 4, 0);
        out.SetTableContent(CString("c1"));
        out.SetTableContent(CString("d1"));
        out.SetTableContent(CString("c2"));
        out.EndTable();
        // A cell wider than its column keeps its text and one space.
        out.CreateTableHead("E", 3, 0);
        out.CreateTableHead("F", 3, 0);
        out.SetTableContent(CString("longer"));
        out.SetTableContent(CString("f"));
        out.EndTable();
        // Without heads, contents are dropped rather than guessed into columns.
        out.SetTableContent(CString("stray"));
        out.EndTable();
    }
    const std::vector<std::string> lines = ReadGbkLines(path);
    const std::vector<std::string> want = {
        "A   B", "--------", "--------",
        "caption",
        "C   D", "--------", "c1  d1", "c2", "--------",
        "E  F", "------", "longer f", "------",
    };
    EXPECT_EQ(lines, want);
}

TEST(OutputWriters, WindowsStylePathsNameTheLinuxFile)
{
    TempDir dir;
    const std::string linux = dir.File("报告.txt");
    const std::string windows = VyrWindowsPath(linux.c_str());
    ASSERT_EQ(windows.rfind("Z:\\", 0), 0u);
    {
        COutput a, b;
        ASSERT_TRUE(a.InitDevice(DEVICE_TEXT, CString(windows), 3));
        ASSERT_TRUE(b.InitDevice(DEVICE_TEXT, CString(linux), 3)); // the same document
        a << "a" << endl;
        b << "b" << endl;
    }
    EXPECT_EQ(ReadGbkLines(linux), (std::vector<std::string>{"a", "b"}));
}

TEST(OutputWriters, UnwritablePathOrWrongDeviceIsRefused)
{
    TempDir dir;
    COutput out;
    EXPECT_FALSE(out.InitDevice(DEVICE_RTF, CString(dir.File("no/such/folder/x.rtf")), 1));
    EXPECT_FALSE(out.InitDevice(DEVICE_RICHEDIT, CString(dir.File("x.rtf")), 1));
    EXPECT_FALSE(out.InitDevice(DEVICE_RTF, CString(""), 1));
    EXPECT_EQ(out.GetDeviceType(), DEVICE_NONE);
    out << "nowhere" << endl; // an unbound writer swallows text
    out.CreateTableHead("A", 4, 0);
    out.SetTableContent(1L);
    out.EndTable();
}

TEST(OutputSettings, SettersReturnThePreviousValue)
{
    COutput out;
    EXPECT_EQ(out.SetPrecision(1), 3);
    EXPECT_EQ(out.SetPrecision(2), 1);
    EXPECT_FLOAT_EQ(out.SetFontSize(9), 10.5f);
    EXPECT_FLOAT_EQ(out.SetFontSize(11), 9.0f);
    EXPECT_EQ(out.SetFontColor(255), 0u);
    EXPECT_EQ(out.SetFontColor(0), 255u);
    EXPECT_EQ(out.SetFlagAdd(0x1002), 0u);
    EXPECT_EQ(out.SetFlagAdd(0x40000), 0x1002u);
    EXPECT_EQ(out.SetFlagSub(0x2), 0x41002u);
    EXPECT_EQ(out.SetFlagSub(0x10000), 0x41000u); // clearing an unset bit changes nothing
    EXPECT_EQ(out.SetFlagAdd(0), 0x41000u);
    EXPECT_EQ(out.SetAlignment(ALIGN_CENTER), ALIGN_LEFT);
    EXPECT_EQ(out.SetAlignment(ALIGN_LEFT), ALIGN_CENTER);
}

} // namespace
