#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <vyr/gbk.h>
#include <vyr/winfile.h>
#include <vyr/model/record/record.h>
#include "record_test_util.h"

namespace {

// A record of n samples 1, 2, ..., n at step 0.5 s.
CWaveFun* Wave(const char* name, int n)
{
    std::vector<float> v;
    for (int i = 0; i < n; i++)
        v.push_back((float)(i + 1));
    auto* w = new CWaveFun;
    w->SetValue(name, 0.5f, 0.5f * (float)n, v.data());
    return w;
}

std::vector<std::string> Lines(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

CTimeAnalyResult* Result(std::vector<double> xShear, std::vector<double> yShear)
{
    auto* r = new CTimeAnalyResult;
    r->SetFloorNum((int)xShear.size());
    for (size_t i = 0; i < xShear.size(); i++)
        r->SetFloorData((int)i, 1.0 + (double)i, 0.1 * (double)(i + 1), xShear[i], 10 * xShear[i], 2.0 + (double)i,
                        0.2 * (double)(i + 1), yShear[i], 10 * yShear[i]);
    return r;
}

} // namespace

TEST(WaveFun, NewRecordIsEmpty)
{
    CWaveFun w;
    EXPECT_EQ(w.GetId(), 0);
    EXPECT_EQ(w.GetName(), "");
    EXPECT_EQ(w.GetValueArray(), nullptr);
    EXPECT_EQ(w.GetNum(), 0);
    EXPECT_FLOAT_EQ(w.GetValue(0), 0.0f);
    EXPECT_FLOAT_EQ(w.GetMaxValue(), 0.0f);
}

TEST(WaveFun, GetValueReachesBothEndsAndNothingBeyond)
{
    std::unique_ptr<CWaveFun> w(Wave("W", 10));
    ASSERT_EQ(w->GetNum(), 10);
    const struct
    {
        int i;
        float value;
    } cases[] = {{-1, 0}, {0, 1}, {8, 9}, {9, 10}, {10, 0}, {11, 0}, {-100, 0}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(w->GetValue(c.i), c.value) << c.i;
    EXPECT_FLOAT_EQ(w->GetValueArray()[9], 10);
}

TEST(WaveFun, SetValueKeepsTheIntegerPartOfLengthOverStepSamples)
{
    std::vector<float> source(2000, 3.0f);
    const struct
    {
        float step, length;
        int count;
    } cases[] = {{0.02f, 12.0f, 600}, {0.02f, 12.01f, 600}, {0.01f, 10.0f, 1000}, {0.5f, 0.4f, 0},
                 {0.0f, 10.0f, 0},    {-0.02f, 10.0f, 0},   {0.02f, 0.0f, 0},     {0.02f, -1.0f, 0}};
    for (const auto& c : cases) {
        CWaveFun w;
        w.SetValue("R", c.step, c.length, source.data());
        EXPECT_EQ(w.GetNum(), c.count) << c.step << " " << c.length;
        EXPECT_FLOAT_EQ(w.GetStep(), c.step);
        EXPECT_FLOAT_EQ(w.GetDist(), c.length);
    }
}

TEST(WaveFun, KeepsItsOwnCopyOfTheSamples)
{
    auto* values = new float[4]{1, -350, 2, 3};
    CWaveFun w;
    w.SetValue("广州波", 0.02f, 0.08f, values);
    delete[] values; // the caller frees its array right after the call
    ASSERT_EQ(w.GetNum(), 4);
    EXPECT_FLOAT_EQ(w.GetValue(1), -350);
    EXPECT_FLOAT_EQ(w.GetMaxValue(), 350);
    EXPECT_EQ(w.GetName(), "广州波");

    // Rebuilding from its own samples (a shorter length) is safe.
    w.SetValue("短", 0.02f, 0.04f, w.GetValueArray());
    ASSERT_EQ(w.GetNum(), 2);
    EXPECT_FLOAT_EQ(w.GetValue(0), 1);
    EXPECT_FLOAT_EQ(w.GetValue(1), -350);
}

TEST(WaveFun, ChangedStepOrLengthNeverReachesPastTheSamples)
{
    std::unique_ptr<CWaveFun> w(Wave("W", 10));
    w->m_fStep = 0.01f; // the record editor writes step and length directly
    w->m_fDist = 100.0f;
    EXPECT_EQ(w->GetNum(), 10);
    EXPECT_FLOAT_EQ(w->GetValue(9), 10);
    EXPECT_FLOAT_EQ(w->GetValue(10), 0);
    EXPECT_FLOAT_EQ(w->GetValue(5000), 0);
}

TEST(WaveFunList, LookupsByPositionAndDeletion)
{
    CWaveFunList list;
    CWaveFun* a = Wave("A", 2);
    CWaveFun* b = Wave("B", 2);
    list.AddTail(a);
    list.AddTail(b);
    EXPECT_EQ(list.Get(1), a);
    EXPECT_EQ(list.Get(2), b);
    for (int position : {-1, 0, 3})
        EXPECT_EQ(list.Get(position), nullptr) << position;
    EXPECT_EQ(list.FindId(b), 2);

    CWaveFunList other;
    CWaveFun* foreign = Wave("F", 1);
    other.AddTail(foreign);
    EXPECT_EQ(list.FindId(foreign), 0);
    list.DeleteWaveFun(foreign); // not ours: left alone, still owned by the other list
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(other.Get(1), foreign);
    list.DeleteWaveFun(nullptr);

    list.DeleteWaveFun(a);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.Get(1), b);
    EXPECT_EQ(list.FindId(b), 1);
    list.DeleteAll();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(THCaseList, AddDeleteRenumberAndRecordUse)
{
    CWaveFunList waves;
    CWaveFun* w1 = Wave("W1", 3);
    CWaveFun* w2 = Wave("W2", 3);
    CWaveFun* unused = Wave("W3", 3);
    waves.AddTail(w1);
    waves.AddTail(w2);
    waves.AddTail(unused);

    CTHCaseList cases;
    CTHCase* c[3];
    for (auto& p : c) {
        p = new CTHCase;
        cases.Add(p);
    }
    cases.Add(nullptr);
    ASSERT_EQ(cases.GetCount(), 3);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(c[i]->GetId(), i + 1);
    c[0]->SetWaveFunX(w1);
    c[2]->SetWaveFunZ(w2);
    EXPECT_TRUE(cases.IsContain(w1));
    EXPECT_TRUE(cases.IsContain(w2));
    EXPECT_FALSE(cases.IsContain(unused));
    EXPECT_FALSE(cases.IsContain(nullptr));

    EXPECT_TRUE(cases.DeleteTHCase(c[1]));
    ASSERT_EQ(cases.GetCount(), 2);
    EXPECT_EQ(cases.Get(1), c[0]);
    EXPECT_EQ(cases.Get(2), c[2]);
    EXPECT_EQ(c[2]->GetId(), 2);
    EXPECT_EQ(cases.Get(3), nullptr);
    EXPECT_EQ(cases.Get(0), nullptr);

    CTHCase stray;
    EXPECT_FALSE(cases.DeleteTHCase(&stray));
    EXPECT_FALSE(cases.DeleteTHCase(nullptr));
    EXPECT_EQ(cases.GetCount(), 2);
}

TEST(THCase, DirectionTextFollowsTheRecords)
{
    CWaveFun w;
    const struct
    {
        bool x, y, z;
        const char* text;
    } cases[] = {{false, false, false, ""}, {true, false, false, "X"}, {false, true, false, "Y"},
                 {true, true, false, "XY"}, {true, true, true, "XYZ"}, {false, false, true, "Z"}};
    for (const auto& k : cases) {
        CTHCase c;
        c.SetWaveFunX(k.x ? &w : nullptr);
        c.SetWaveFunY(k.y ? &w : nullptr);
        c.SetWaveFunZ(k.z ? &w : nullptr);
        EXPECT_EQ(c.GetDirStr(), k.text);
    }
}

TEST(THCaseList, FileOutWritesEveryCaseWithAllItsSamples)
{
    RecordTempDir dir;
    CWaveFunList waves;
    CWaveFun* wx = Wave("WX", 12);
    CWaveFun* wy = Wave("WY", 3);
    waves.AddTail(wx);
    waves.AddTail(wy);

    CTHCaseList cases;
    auto* c1 = new CTHCase;
    c1->SetName("时程1");
    c1->SetWaveFunX(wx);
    c1->SetWaveFunY(wy);
    c1->SetMaxX(70);
    c1->SetMaxY(59.5f);
    c1->SetSpan(2);
    c1->SetStep(0.02f);
    c1->SetDist(12);
    c1->SetRatio(0.04f);
    cases.Add(c1);
    auto* c2 = new CTHCase;
    c2->SetName("two\nlines");
    cases.Add(c2);

    std::string base = (dir.Path() / "VyrTA").string();
    ASSERT_TRUE(cases.FileOut(base.c_str()));
    std::vector<std::string> l = Lines(base + ".thc");
    std::vector<std::string> expected = {
        "VYRTA-THC 1",
        "2",
        "CASE 1 2 0.0199999996 12 0.0399999991",
        "NAME " + vyr::Utf8ToGbk("时程1"),
        "X 70 0.5 12",
        "1 2 3 4 5 6 7 8 9 10",
        "11 12",
        "Y 59.5 0.5 3",
        "1 2 3",
        "Z 0 0 0",
        "CASE 2 1 0.0199999996 20 0.0500000007",
        "NAME two lines",
        "X 0 0 0",
        "Y 0 0 0",
        "Z 0 0 0",
    };
    EXPECT_EQ(l, expected);
}

// The mass-point step passes the project folder followed by "\Cal\VyrTA", Windows fashion.
TEST(THCaseList, FileOutTakesTheProjectsWindowsStyleBasePath)
{
    RecordTempDir dir;
    std::filesystem::create_directories(dir.Path() / "Cal");
    CTHCaseList cases;
    cases.Add(new CTHCase);
    const std::string base = VyrWindowsPath(dir.Path().string().c_str()) + "\\Cal\\VyrTA";
    ASSERT_TRUE(cases.FileOut(base.c_str()));
    const std::vector<std::string> l = Lines((dir.Path() / "Cal" / "VyrTA.thc").string());
    ASSERT_GE(l.size(), 2u);
    EXPECT_EQ(l[0], "VYRTA-THC 1");
    EXPECT_EQ(l[1], "1");
}

TEST(THCaseList, FileOutReportsAFolderThatCannotBeWritten)
{
    RecordTempDir dir;
    CTHCaseList cases;
    cases.Add(new CTHCase);
    std::string base = (dir.Path() / "missing" / "VyrTA").string();
    EXPECT_FALSE(cases.FileOut(base.c_str()));
}

TEST(TimeAnalyResult, GettersApplyTheFactorOfTheirDirectionAndBaseShearsDoNot)
{
    std::unique_ptr<CTimeAnalyResult> r(Result({200, 120}, {80, 50}));
    r->SetAmplifyX(1.25f);
    r->SetAmplifyY(2.0f);
    EXPECT_FLOAT_EQ(r->GetXShear(0), 250);
    EXPECT_FLOAT_EQ(r->GetBaseXShear(), 200);
    EXPECT_FLOAT_EQ(r->GetYShear(0), 160);
    EXPECT_FLOAT_EQ(r->GetBaseYShear(), 80);
    EXPECT_FLOAT_EQ(r->GetXShear(1), 150);
    EXPECT_FLOAT_EQ(r->GetXMoment(1), 1500);
    EXPECT_FLOAT_EQ(r->GetYMoment(1), 1000);
    EXPECT_FLOAT_EQ(r->GetXDisp(1), 2.5f);
    EXPECT_FLOAT_EQ(r->GetYDisp(1), 6.0f);
    EXPECT_FLOAT_EQ(r->GetXDeltaDisp(1), 0.25f);
    EXPECT_FLOAT_EQ(r->GetYDeltaDisp(1), 0.8f);
}

TEST(TimeAnalyResult, DefineFlagsReadAsZeroOrOne)
{
    CTimeAnalyResult r;
    EXPECT_FLOAT_EQ(r.GetDefineX(), 0.0f);
    r.SetDefineX(true);
    r.SetDefineY(false);
    EXPECT_FLOAT_EQ(r.GetDefineX(), 1.0f);
    EXPECT_FLOAT_EQ(r.GetDefineY(), 0.0f);
    EXPECT_FLOAT_EQ(r.GetAmplifyX(), 1.0f);
    EXPECT_FLOAT_EQ(r.GetBaseXShear(), 0.0f); // no entries
}

TEST(TimeAnalyResultList, EmptyListHasNoFloors)
{
    CTimeAnalyResultList list;
    EXPECT_EQ(list.GetFloorNum(), 0);
    EXPECT_EQ(list.Get(1), nullptr);
    EXPECT_FLOAT_EQ(list.GetBaseXShear(), 0.0f);
    EXPECT_FLOAT_EQ(list.GetBaseYShear(), 0.0f);
}

TEST(TimeAnalyResultList, AverageOfStoredValuesTimesTheListFactor)
{
    CTimeAnalyResultList list;
    CTimeAnalyResult* a = Result({600, 300, 100}, {100, 60, 20});
    CTimeAnalyResult* b = Result({800, 500, 200}, {300, 100, 40});
    a->SetAmplifyX(3.0f); // a case's factor does not enter the average
    list.Add(a);
    list.Add(b);
    EXPECT_EQ(list.GetFloorNum(), 3);
    EXPECT_EQ(list.Get(2), b);
    EXPECT_FLOAT_EQ(list.GetBaseXShear(), 700);
    EXPECT_FLOAT_EQ(list.GetBaseYShear(), 200);
    EXPECT_FLOAT_EQ(list.GetXShear(1), 400);
    list.SetAmplifyX(1.142857f);
    list.SetAmplifyY(2.0f);
    EXPECT_FLOAT_EQ(list.GetBaseXShear(), 700);
    EXPECT_NEAR(list.GetXShear(0), 800, 1e-3);
    EXPECT_FLOAT_EQ(list.GetYShear(2), 60);
    EXPECT_FLOAT_EQ(list.GetYMoment(2), 600);
    EXPECT_FLOAT_EQ(list.GetYDisp(0), 4);
    list.SetDefineY(true);
    EXPECT_FLOAT_EQ(list.GetDefineY(), 1.0f);
}

TEST(TimeAnalyResultDeathTest, EntryOutOfRangeFailsLoudly)
{
    std::unique_ptr<CTimeAnalyResult> r(Result({1, 2}, {1, 2}));
    EXPECT_DEATH(r->GetXShear(2), "out of range");
    EXPECT_DEATH(r->GetYDisp(-1), "out of range");
    CTimeAnalyResultList list;
    EXPECT_DEATH(list.GetXDisp(0), "out of range");
}
