// The head block of a report chapter, read back from an RTF file by an independent reader
// and from the text device's GBK file, with the clock fixed at 3 July 2008, 9:05.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <vyr/protocol/ReportHead.h>
#include <vyr/vyr_version.h>
#include "model/output/output_test_util.h"

namespace {

class FixedClock
{
public:
    FixedClock() { vyr::FixCurrentTime(CTime(2008, 7, 3, 9, 5, 0).GetTime()); }
    ~FixedClock() { vyr::ReleaseCurrentTime(); }
};

// A stand-alone chapter: its title, then the head block, then one body line.
void WriteChapter(COutput& out)
{
    out << title(1) << title << "示例工程" << "结构质量报告" << endl << title(0);
    OutputReportHead(&out);
    out << "正文" << endl;
}

// The reader shows a tab as a run of blanks: the line is the text before the tab, at least
// one blank or tab, and the text after it.
::testing::AssertionResult TabbedLine(const std::string& line, const std::string& expected)
{
    const size_t tab = expected.find('\t');
    const std::string before = expected.substr(0, tab), after = expected.substr(tab + 1);
    if (line.size() > before.size() + after.size() && line.compare(0, before.size(), before) == 0 &&
        line.compare(line.size() - after.size(), after.size(), after) == 0 &&
        line.substr(before.size(), line.size() - before.size() - after.size()).find_first_not_of(" \t") ==
            std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << line << "\" is not \"" << expected << "\"";
}

const std::string kRule(68, '=');
const std::string kSoftware = std::string("计算软件：\tVYR钢结构设计系列软件 VYR v") + VYR_VERSION_STRING;
const std::string kTime = "计算时间：\t2008年7月3日9时5分";

TEST(ReportHead, TextDeviceWritesTheBlockInGbk)
{
    outtest::TempDir dir;
    const std::string path = dir.File("head.txt");
    FixedClock clock;
    {
        COutput out;
        ASSERT_TRUE(out.InitDevice(DEVICE_TEXT, CString(path), 1));
        WriteChapter(out);
    }
    EXPECT_EQ(vyr::CurrentTimeReads(), 1) << "the time is read once";
    const std::vector<std::string> lines = outtest::ReadGbkLines(path);
    auto rule = std::find(lines.begin(), lines.end(), kRule);
    ASSERT_NE(rule, lines.end());
    ASSERT_GE(lines.end() - rule, 5);
    EXPECT_EQ(rule[1], kSoftware);
    EXPECT_EQ(rule[2], kTime);
    EXPECT_EQ(rule[3], "");
    EXPECT_EQ(rule[4], "正文");
}

TEST(ReportHead, RtfReadBackShowsTheBlock)
{
    outtest::TempDir dir;
    const std::string path = dir.File("head.rtf");
    FixedClock clock;
    {
        COutput out;
        ASSERT_TRUE(out.InitDevice(DEVICE_RTF, CString(path), 1));
        WriteChapter(out);
    }
    EXPECT_EQ(vyr::CurrentTimeReads(), 1);
    // The tab is a real RTF tab.
    EXPECT_NE(outtest::ReadBytes(path).find("\\tab"), std::string::npos);
    const outtest::RtfReading r = outtest::ReadRtf(path);
    ASSERT_TRUE(r.ok) << "unrtf could not read the file";
    auto rule = std::find(r.lines.begin(), r.lines.end(), kRule);
    ASSERT_NE(rule, r.lines.end());
    ASSERT_GE(r.lines.end() - rule, 5);
    EXPECT_TRUE(TabbedLine(rule[1], kSoftware));
    EXPECT_TRUE(TabbedLine(rule[2], kTime));
    EXPECT_EQ(rule[3], "");
    EXPECT_EQ(rule[4], "正文");
}

// Numbers below 10 take one digit, the year four; midnight and the last minute of a year.
TEST(ReportHead, TimeLineHasNoLeadingZeros)
{
    struct Case
    {
        int y, mo, d, h, mi;
        const char* line;
    };
    const Case cases[] = {
        {2008, 7, 3, 9, 5, "计算时间：\t2008年7月3日9时5分"},
        {2024, 1, 1, 0, 0, "计算时间：\t2024年1月1日0时0分"},
        {1999, 12, 31, 23, 59, "计算时间：\t1999年12月31日23时59分"},
    };
    outtest::TempDir dir;
    for (const Case& c : cases) {
        vyr::FixCurrentTime(CTime(c.y, c.mo, c.d, c.h, c.mi, 30).GetTime());
        const std::string path = dir.File("time.txt");
        {
            COutput out;
            ASSERT_TRUE(out.InitDevice(DEVICE_TEXT, CString(path), 1));
            OutputReportHead(&out);
        }
        vyr::ReleaseCurrentTime();
        const std::vector<std::string> lines = outtest::ReadGbkLines(path);
        EXPECT_NE(std::find(lines.begin(), lines.end(), std::string(c.line)), lines.end()) << c.line;
    }
}

} // namespace
