// The record and index files read token by token, and the record plot as the recording
// device context keeps it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/input/WavePlot.h>
#include <vyr/input/WaveRecordFile.h>
#include <vyr/model/record/TimeHistory.h>

namespace {

std::string Values(int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += std::to_string(i % 7) + ".5 ";
    return s;
}

} // namespace

TEST(WaveRecordFile, ReadsTokensUpToTheMarkerThenStepLengthAndTheTruncatedCount)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        EWaveRead result;
        int values; // when read
        float step;
    };
    const Case cases[] = {
        {"0.02 s over 12 s", "title ****\n0.02 12\n" + Values(600), EWaveRead::Ok, 600, 0.02f},
        {"12.01 s truncates to 600", "****\n0.02\t12.01\r\n" + Values(601), EWaveRead::Ok, 600, 0.02f},
        {"extra values ignored", "a b c **** 0.1 1 " + Values(14), EWaveRead::Ok, 10, 0.1f},
        {"title over lines, marker alone", "广州波3\n记录\n****\n+0.5 2 1e2 -2.5E1 3 4", EWaveRead::Ok, 4, 0.5f},
        {"no marker", "title 0.02 12 " + Values(600), EWaveRead::NoMarker, 0, 0},
        {"five stars are no marker", "***** 0.02 12 " + Values(600), EWaveRead::NoMarker, 0, 0},
        {"empty", "", EWaveRead::NoMarker, 0, 0},
        {"too few values", "**** 0.02 12 " + Values(599), EWaveRead::Short, 0, 0},
        {"a value that is no number", "**** 0.1 1 1 2 3 x 5 6 7 8 9 10", EWaveRead::Short, 0, 0},
        {"step missing", "****", EWaveRead::BadHead, 0, 0},
        {"step no number", "**** 0,02 12", EWaveRead::BadHead, 0, 0},
        {"infinite length", "**** 0.02 inf", EWaveRead::BadHead, 0, 0},
        {"ten million samples", "**** 1e-30 1e30 1 2", EWaveRead::BadHead, 0, 0},
        {"no step: no samples", "**** 0 12", EWaveRead::Ok, 0, 0.0f},
    };
    for (const Case& c : cases) {
        SWaveRecordData d;
        EXPECT_EQ(VyrParseWaveRecord(c.bytes, d), c.result) << c.name;
        if (c.result == EWaveRead::Ok) {
            EXPECT_EQ((int)d.values.size(), c.values) << c.name;
            EXPECT_FLOAT_EQ(d.step, c.step) << c.name;
        }
    }
    SWaveRecordData d;
    ASSERT_EQ(VyrParseWaveRecord("****\n+0.5 2 1e2 -2.5E1 3 4", d), EWaveRead::Ok);
    EXPECT_EQ(d.values, (std::vector<float>{100.0f, -25.0f, 3.0f, 4.0f}));
}

TEST(WaveRecordFile, IndexListsAtMostItsCountOfNames)
{
    struct Case
    {
        const char* bytes;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"2\nA\nB\n", {"A", "B"}},
        {"3 A\tB", {"A", "B"}},
        {"1\nA\nB\n", {"A"}},
        {"0\n", {}},
        {"-1 A", {}},
        {"two A B", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> got;
        for (const CString& n : VyrParseWaveIndex(c.bytes))
            got.push_back(n.GetString());
        EXPECT_EQ(got, c.names) << c.bytes;
    }
}

namespace {

// What the plot drew: lines by colour, and the labels.
struct PlotLines
{
    std::vector<std::pair<POINT, POINT>> grey, blue, red;
    std::vector<vyr::DrawRecord> labels;
    int frames = 0;
};

PlotLines Plot(const CWaveFun* wave, float marker, CRect rect = CRect(0, 0, 300, 150))
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, rect.right, rect.bottom);
    CBitmap* old = dc.SelectObject(&bmp);
    VyrDrawWavePlot(&dc, rect, wave, VyrWavePlotFont(), marker);
    PlotLines p;
    for (const vyr::DrawRecord& r : dc.Records()) {
        if (r.kind == vyr::DrawKind::Rectangle)
            ++p.frames;
        if (r.kind == vyr::DrawKind::TextOut)
            p.labels.push_back(r);
        if (r.kind != vyr::DrawKind::Line)
            continue;
        const std::pair<POINT, POINT> line{r.points[0], r.points[1]};
        if (r.state.pen.lopnColor == RGB(192, 192, 192))
            p.grey.push_back(line);
        else if (r.state.pen.lopnColor == RGB(0, 0, 255))
            p.blue.push_back(line);
        else if (r.state.pen.lopnColor == RGB(255, 0, 0))
            p.red.push_back(line);
    }
    dc.SelectObject(old);
    return p;
}

bool Has(const std::vector<std::pair<POINT, POINT>>& lines, POINT a, POINT b)
{
    for (const auto& l : lines)
        if (l.first.x == a.x && l.first.y == a.y && l.second.x == b.x && l.second.y == b.y)
            return true;
    return false;
}

} // namespace

TEST(WavePlot, PeakOf350InA300By150Frame)
{
    // Ten samples of 0.1 s; the peak 350. y0 = 150 - 75 = 75, half axis (150 - 30) / 2 = 60,
    // k = 120 / 350 / 2, so 350 lies at 75 - 60 = 15 and -175 at 105; the horizontal step
    // is 270 / (10 + 10) = 13.5.
    float v[10] = {0, 350, -175, 0, 0, 0, 0, 0, 0, 99};
    CWaveFun wave;
    wave.SetValue("P350", 0.1f, 1.0f, v);
    const PlotLines p = Plot(&wave, -1.0f);
    EXPECT_EQ(p.frames, 1);

    EXPECT_TRUE(Has(p.grey, {15, 15}, {15, 135})) << "vertical axis";
    EXPECT_TRUE(Has(p.grey, {7, 75}, {285, 75})) << "horizontal axis";
    EXPECT_TRUE(Has(p.grey, {10, 20}, {15, 15}) && Has(p.grey, {15, 15}, {20, 20})) << "top arrow";
    EXPECT_TRUE(Has(p.grey, {280, 80}, {285, 75}) && Has(p.grey, {285, 75}, {280, 70})) << "right arrow";

    // From (15, 75) through i = 0 .. 10: the last sample (99) is drawn as 0, and so is the
    // end point one past it.
    ASSERT_EQ(p.blue.size(), 11u);
    EXPECT_EQ(p.blue[0].first.x, 15);
    EXPECT_EQ(p.blue[0].first.y, 75);
    EXPECT_EQ(p.blue[1].second.x, 28);
    EXPECT_EQ(p.blue[1].second.y, 15);
    EXPECT_EQ(p.blue[2].second.x, 42);
    EXPECT_EQ(p.blue[2].second.y, 105);
    EXPECT_EQ(p.blue[9].second.y, 75);
    EXPECT_EQ(p.blue[10].second.x, 150);
    EXPECT_EQ(p.blue[10].second.y, 75);
    EXPECT_TRUE(p.red.empty());

    ASSERT_EQ(p.labels.size(), 1u);
    const vyr::DrawRecord& label = p.labels[0];
    EXPECT_EQ(label.text, "峰值:350.0cm/s^2");
    EXPECT_EQ(label.points[0].x, 125);
    EXPECT_EQ(label.points[0].y, 10);
    EXPECT_EQ(label.state.textAlign, (UINT)(TA_CENTER | TA_TOP));
    EXPECT_EQ(label.state.bkMode, TRANSPARENT);
    EXPECT_EQ(label.state.textColor, RGB(0, 0, 0));
    EXPECT_STREQ(label.state.font.lfFaceName, "Arial");
    EXPECT_EQ(label.state.font.lfHeight, -12);
}

TEST(WavePlot, CutLengthMarkerFiveHundredStepsRightOfTheAxis)
{
    // 0.02 s over 12 s: 600 samples, s = 270 / 610; 10 s is 500 steps: 15 + 221.3 = 236.
    std::vector<float> v(600, 1.0f);
    CWaveFun wave;
    wave.SetValue("W", 0.02f, 12.0f, v.data());
    const PlotLines marked = Plot(&wave, 10.0f);
    ASSERT_EQ(marked.red.size(), 1u);
    EXPECT_EQ(marked.red[0].first.x, 236);
    EXPECT_EQ(marked.red[0].first.y, 130);
    EXPECT_EQ(marked.red[0].second.x, 236);
    EXPECT_EQ(marked.red[0].second.y, 20);
    for (float none : {-1.0f, 0.0f, 12.0f, 15.0f})
        EXPECT_TRUE(Plot(&wave, none).red.empty()) << none;
    // A step edited to 0 leaves no place for the marker.
    wave.m_fStep = 0.0f;
    EXPECT_TRUE(Plot(&wave, 10.0f).red.empty());
}

TEST(WavePlot, PeakOfZeroDrawsTheAxesAndAFlatCurve)
{
    std::vector<float> v(50, 0.0f);
    CWaveFun wave;
    wave.SetValue("ZERO", 0.02f, 1.0f, v.data());
    const PlotLines p = Plot(&wave, -1.0f);
    EXPECT_EQ(p.grey.size(), 6u);
    ASSERT_EQ(p.blue.size(), 51u);
    for (const auto& l : p.blue)
        EXPECT_EQ(l.second.y, 75);
    ASSERT_EQ(p.labels.size(), 1u);
    EXPECT_EQ(p.labels[0].text, "峰值:0.0  cm/s^2");
}

TEST(WavePlot, NoRecordDrawsOnlyTheFrame)
{
    const PlotLines p = Plot(nullptr, -1.0f);
    EXPECT_EQ(p.frames, 1);
    EXPECT_TRUE(p.grey.empty() && p.blue.empty() && p.labels.empty());
}
