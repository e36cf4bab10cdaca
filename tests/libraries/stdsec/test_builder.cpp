// The section builder: which field becomes which value, the inch conversions, the names,
// the hand-over, edit mode in place, and the built properties against published tables.
#include "stdsec_fixture.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace stdsec;

namespace {

struct Builder : Project
{
    // Browse mode: the row chosen on the given sub-type tab, then OK.
    CSectionBase* Pick(int subType, const char* designation, INT_PTR expect = IDOK)
    {
        if (subType != 0) ScriptedUser::SelectRow(IDC_STDSEC_SUBTYPE, subType, IDD_STDSECTIONLIB);
        ScriptChoose(designation);
        ScriptedUser::SelectString(IDC_STDSEC_MATERIAL, "Q345", IDD_STDSECTIONLIB);
        ScriptedUser::PressOK(IDD_STDSECTIONLIB);
        CDlgStdSectionLib dlg;
        dlg.m_pData = &data;
        EXPECT_EQ(dlg.DoModal(true, nullptr), expect);
        return dlg.m_pResult;
    }
    // Edit mode on the section: the row chosen, then OK.
    void Edit(CSectionBase* s, const char* designation)
    {
        ScriptChoose(designation);
        ScriptedUser::PressOK(IDD_STDSECTIONLIB);
        CDlgStdSectionLib dlg;
        dlg.m_pData = &data;
        EXPECT_EQ(dlg.DoModal(false, s), IDOK);
        EXPECT_EQ(dlg.m_pResult, nullptr);
    }
};

constexpr double kTol = 1e-4;

} // namespace

TEST_F(Builder, ChineseEqualAngleGoesBackToTheCaller)
{
    std::unique_ptr<CSectionBase> s(Pick(0, "L50x5"));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(LibraryCount(), 0) << "an angle is not added to the library";
    ASSERT_NE(dynamic_cast<CSRolledEAngle*>(s.get()), nullptr);
    EXPECT_EQ(s->GetType(), 101);
    EXPECT_EQ(s->m_strDim, CString("L50x5"));
    EXPECT_EQ(s->m_strFull, CString("中国 热轧等边角钢L50x5"));
    EXPECT_EQ(s->m_strKind, CString("中 热角L50x5"));
    EXPECT_EQ(s->m_strCategory, CString("标准"));
    EXPECT_EQ(s->m_strMat, CString("Q345"));
    EXPECT_EQ(s->m_pMaterial, q345);
    // CSRolledEAngle(c1, c2, c3, c3, c8): B 50, T 5, both radii 5.5, Xc 14.2 mm.
    EXPECT_NEAR(s->GetB(), 5.0, kTol);
    EXPECT_NEAR(s->GetT(), 0.5, kTol);
    EXPECT_NEAR(s->GetR(), 0.55, kTol);
    EXPECT_NEAR(s->GetR1(), 0.55, kTol);
    EXPECT_NEAR(s->GetXc(), 1.42, kTol);
    // The property block from field 4, at full precision; the 4 values serve both axes.
    EXPECT_NEAR(s->GetA1(), 4.803, kTol);
    EXPECT_NEAR(s->GetI33(), 11.21, kTol);
    EXPECT_NEAR(s->GetWx(), 3.13, kTol);
    EXPECT_NEAR(s->Getix(), 1.53, kTol);
    EXPECT_NEAR(s->GetI22(), 11.21, kTol);
    EXPECT_NEAR(s->GetWy(), 3.13, kTol);
    EXPECT_NEAR(s->Getiy(), 1.53, kTol);
    EXPECT_NEAR(s->m_dimin, 0.98, kTol) << "imin from field 19";
}

TEST_F(Builder, ChineseUnequalAngleTakesSevenPropertiesAndImin)
{
    std::unique_ptr<CSectionBase> s(Pick(1, "L25x16x3"));
    ASSERT_NE(s, nullptr);
    ASSERT_NE(dynamic_cast<CSRolledNEAngle*>(s.get()), nullptr);
    EXPECT_EQ(s->GetType(), 102);
    EXPECT_EQ(s->m_strKind, CString("中 热角L25x16x3"));
    // H 25, B 16, T 3, R = R1 = 3.5, Xc 4.2, Yc 8.6 (mm).
    EXPECT_NEAR(s->GetH(), 2.5, kTol);
    EXPECT_NEAR(s->GetB(), 1.6, kTol);
    EXPECT_NEAR(s->GetXc(), 0.42, kTol);
    EXPECT_NEAR(s->GetYc(), 0.86, kTol);
    EXPECT_NEAR(s->GetA1(), 1.162, kTol);
    EXPECT_NEAR(s->GetI22(), 0.22, kTol);
    EXPECT_NEAR(s->GetWy(), 0.19, kTol);
    EXPECT_NEAR(s->Getiy(), 0.44, kTol);
    EXPECT_NEAR(s->m_dimin, 0.34, kTol) << "imin from field 24";
    EXPECT_EQ(LibraryCount(), 0);
}

TEST_F(Builder, ChineseIBeamJoinsTheLibraryWithItsFullTextAsKind)
{
    // Browse mode offers angles; the family tab takes the I-beams as it takes any family.
    ScriptedUser::Run([](CDialog* d) { Browser(d)->m_tabFamily.InsertItem(1, "工字钢"); }, IDD_STDSECTIONLIB);
    ScriptedUser::SelectRow(IDC_STDSEC_FAMILY, 1, IDD_STDSECTIONLIB);
    ScriptedUser::Run(
        [](CDialog* d) {
            EXPECT_EQ(TabText(d, IDC_STDSEC_SUBTYPE, 0), "热轧普通");
            EXPECT_EQ(List(d)->GetColumnCount(), 5);
        },
        IDD_STDSECTIONLIB);
    CSectionBase* result = Pick(0, "I20a");
    EXPECT_EQ(result, nullptr);
    ASSERT_EQ(LibraryCount(), 1);
    CSectionBase* s = st.m_pSectionList->Get(1);
    ASSERT_NE(dynamic_cast<CSRolledIbeam*>(s), nullptr);
    EXPECT_EQ(s->GetType(), 103);
    EXPECT_EQ(s->m_strFull, CString("中国 热轧普通工字钢I20a"));
    EXPECT_EQ(s->m_strKind, s->m_strFull);
    EXPECT_EQ(s->m_nNo, 1);
    EXPECT_EQ(s->m_pMaterial, q345);
    EXPECT_NEAR(s->GetH(), 20.0, kTol);
}

TEST_F(Builder, UnitedStatesWSectionIsConvertedFromInches)
{
    CSRolledIbeam s(202, 100, 100, 10, 6, 8, 0);
    s.m_nNo = 7;
    s.m_strDim = "old";
    s.m_pMaterial = q235;
    CSectionBase* before = &s;
    Edit(&s, "W10X49");
    EXPECT_EQ(before, &s);
    EXPECT_EQ(s.m_nNo, 7) << "edit mode keeps the section's number";
    EXPECT_EQ(s.GetType(), 202);
    EXPECT_EQ(s.m_strDim, CString("W10X49"));
    EXPECT_EQ(s.m_strFull, CString("美国 热轧W型工字钢W10X49"));
    EXPECT_EQ(s.m_strKind, s.m_strFull);
    EXPECT_EQ(s.m_pMaterial, q235) << "the box's default: the first steel";
    // W10X49: h 10, b 10, tw 0.34, tf 0.56 in; A 14.4 in2, Ix 272 in4, Sx 54.6 in3, rx 4.35 in.
    EXPECT_NEAR(s.GetH(), 25.4, 1e-3);
    EXPECT_NEAR(s.GetB(), 25.4, 1e-3);
    EXPECT_NEAR(s.GetT(), 0.34 * 2.54, 1e-4);
    EXPECT_NEAR(s.GetTf(), 0.56 * 2.54, 1e-4);
    EXPECT_NEAR(s.GetR(), 1.27, 1e-4) << "the fixed radius 12.7 mm";
    EXPECT_NEAR(s.GetA1(), 14.4 * 6.4516, 1e-3);
    EXPECT_NEAR(s.GetI33(), 272 * 41.623142, 1e-1);
    EXPECT_NEAR(s.GetWx(), 54.6 * 16.387064, 1e-2);
    EXPECT_NEAR(s.Getix(), 4.35 * 2.54, 1e-4) << "a radius of gyration in cm, not mm";
    EXPECT_NEAR(s.Getiy(), 2.54 * 2.54, 1e-4);
    // Web shear area of an I: H x tw, in mm before the cm2 of the property.
    EXPECT_NEAR(s.GetA2(), 254 * 8.636 / 100, 1e-3);
}

TEST_F(Builder, RectangularAndSquareTubes)
{
    CSSquarePipe rect(212, 100, 50, 5, 6);
    Edit(&rect, "HSS2X1X1/8");
    // h 2, b 1, t 0.116 in: the wall at its full value, not the list's 0.12.
    EXPECT_NEAR(rect.GetH(), 5.08, 1e-4);
    EXPECT_NEAR(rect.GetB(), 2.54, 1e-4);
    EXPECT_NEAR(rect.GetT(), 0.116 * 2.54, 1e-5);
    EXPECT_NEAR(rect.GetR(), 0.635, 1e-5) << "the fourth value 6.35 mm, not converted";
    EXPECT_NEAR(rect.GetI22(), 0.0922 * 41.623142, 1e-4);

    CSSquarePipe square(213, 100, 100, 5, 6);
    Edit(&square, "HSS2X2X1/4");
    EXPECT_NEAR(square.GetH(), 5.08, 1e-4);
    EXPECT_NEAR(square.GetB(), 5.08, 1e-4) << "field 1 gives both sides";
    EXPECT_NEAR(square.GetT(), 0.233 * 2.54, 1e-5);
    EXPECT_NEAR(square.GetI22(), square.GetI33(), 1e-9) << "four values serve both axes";
    EXPECT_EQ(square.m_strFull, CString("美国 方形钢管HSS2X2X1/4"));
}

TEST_F(Builder, BritishOrdinaryAndPileHSections)
{
    CSRolledHtype uc(306, 100, 100, 8, 6, 8);
    Edit(&uc, "152x152x23");
    EXPECT_EQ(uc.GetType(), 306);
    EXPECT_EQ(uc.m_strFull, CString("英国 普通H形钢152x152x23"));
    CSRolledHtype ubp(307, 100, 100, 8, 6, 8);
    Edit(&ubp, "203x203x45");
    EXPECT_EQ(ubp.GetType(), 307);
    EXPECT_EQ(ubp.m_strFull, CString("英国 桩用H形钢203x203x45"));
    // CSRolledHtype(c2, c1, c4, c3, c5): B 205.9, H 200.2, Tf 9.5, T 9.5, R 10.2.
    EXPECT_NEAR(ubp.GetH(), 20.02, 1e-4);
    EXPECT_NEAR(ubp.GetB(), 20.59, 1e-4);
    EXPECT_NEAR(ubp.GetA1(), 57.2, 1e-4);
    EXPECT_NEAR(ubp.Getiy(), 4.92, 1e-4);
}

TEST_F(Builder, JapaneseCarbonSteelTubeTakesTheAreaFromField4)
{
    UseFixture();
    CSPipe pipe(408, 100, 5);
    Edit(&pipe, "P60.5x3.2");
    EXPECT_NEAR(pipe.GetB(), 6.05, 1e-4);
    EXPECT_NEAR(pipe.GetT(), 0.32, 1e-4);
    EXPECT_NEAR(pipe.GetA1(), 5.76, 1e-4) << "not field 3";
    EXPECT_NEAR(pipe.GetI33(), 23.7, 1e-4);
    EXPECT_NEAR(pipe.Getiy(), 2.03, 1e-4);
    EXPECT_EQ(pipe.m_strFull, CString("日本 碳素钢管P60.5x3.2"));
}

TEST_F(Builder, TSectionsCarryTheChosenMaterial)
{
    CSRolledTbeam t(208, 100, 100, 6, 8, 6, 3, 20);
    t.m_pMaterial = nullptr;
    ScriptChoose("WT5X24.5");
    ScriptedUser::SelectString(IDC_STDSEC_MATERIAL, "Q345", IDD_STDSECTIONLIB);
    ScriptedUser::PressOK(IDD_STDSECTIONLIB);
    CDlgStdSectionLib dlg;
    dlg.m_pData = &data;
    ASSERT_EQ(dlg.DoModal(false, &t), IDOK);
    EXPECT_EQ(t.m_pMaterial, q345);
    EXPECT_EQ(t.m_strMat, CString("Q345"));
}

TEST(StdSectionKind, AngleAbbreviationsByDisplayName)
{
    struct Case
    {
        const char* category;
        const char* full;
        const char* dim;
        const char* kind;
    };
    const Case cases[] = {
        {"标准", "中国 热轧不等边角钢L90x56x6", "L90x56x6", "中 热角L90x56x6"},
        {"标准", "美国 热轧角钢L4X3X1/2", "L4X3X1/2", "美 热角L4X3X1/2"},
        {"标准", "英国 热轧等边角钢100x100x10", "100x100x10", "英 热角100x100x10"},
        {"标准", "日本 热轧不等边不等厚角钢L200x90x9x14", "L200x90x9x14", "日 热角L200x90x9x14"},
        {"标准", "日本 热轧不等边角钢L90x75x9", "L90x75x9", "日 热角L90x75x9"},
        {"标准", "中国 热轧等边", "", "中国 热轧等边"},
        {"自定义", "中国 热轧等边角钢L50x5", "L50x5", "中国 热轧等边角钢L50x5"},
        {"标准", "美国 WT型钢WT5X24.5", "WT5X24.5", "美国 WT型钢WT5X24.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDlgStdSectionLib::KindText(c.category, c.full, c.dim), CString(c.kind)) << c.full;
}

// ---------------------------------------------------------------- published properties

namespace {

std::vector<std::string> SplitCsv(const std::string& line)
{
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (char ch : line) {
        if (ch == '"') quoted = !quoted;
        else if (ch == ',' && !quoted) cells.emplace_back();
        else if (ch != '\r') cells.back() += ch;
    }
    return cells;
}

int ColumnOf(const std::vector<std::string>& header, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        for (size_t i = 0; i < header.size(); ++i)
            if (header[i] == n) return (int)i;
    return -1;
}

struct Published
{
    std::string designation;
    double value[4]; // A, I3, W3, i3 in cm units; NaN when not published
};

} // namespace

TEST_F(Project, BuiltSectionsMatchThePublishedProperties)
{
    namespace fs = std::filesystem;
    int tables = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(VYR_SECTION_DATA) / "reference")) {
        const std::string file = entry.path().filename().string();
        if (file == "checks.csv") continue;
        const int code = std::atoi(file.substr(3, 3).c_str());
        const bool inch = code / 100 == 2;
        std::ifstream in(entry.path());
        std::string line;
        std::getline(in, line);
        const auto header = SplitCsv(line);
        const int cols[4] = {
            ColumnOf(header, {"A(cm2)", "A(in2)"}),
            ColumnOf(header, {"Ix(cm4)", "I(cm4)", "Iy=Iz(cm4)", "Iy(cm4)", "Ix(in4)", "I(in4)"}),
            ColumnOf(header, {"Wx(cm3)", "W(cm3)", "Zx(cm3)", "Wel(cm3)", "Wel_y(cm3)", "Sx(in3)", "S(in3)"}),
            ColumnOf(header, {"ix(cm)", "i(cm)", "iy(cm)", "rx(in)", "r(in)"}),
        };
        const double factors[4] = {6.4516, 41.623142, 16.387064, 2.54};
        std::vector<Published> rows;
        while (std::getline(in, line)) {
            const auto cells = SplitCsv(line);
            Published p{cells[0], {}};
            for (int k = 0; k < 4; ++k) {
                const bool has = cols[k] >= 0 && cols[k] < (int)cells.size() && !cells[(size_t)cols[k]].empty();
                p.value[k] = has ? std::atof(cells[(size_t)cols[k]].c_str()) * (inch ? factors[k] : 1.0) : NAN;
            }
            rows.push_back(p);
        }
        ASSERT_GE(rows.size(), 3u) << file;
        const Published chosen[3] = {rows.front(), rows[rows.size() / 2], rows.back()};

        std::unique_ptr<CSectionBase> s(CSectionBase::CreateSec(code));
        ASSERT_NE(s, nullptr) << code;
        s->SetType(code);
        int built = 0;
        ScriptedUser::Run(
            [&](CDialog* d) {
                for (const Published& p : chosen) {
                    const int row = RowOf(d, p.designation.c_str());
                    if (row < 0) continue; // published, but not among the table's rows
                    List(d)->SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
                    ASSERT_TRUE(Browser(d)->BuildSection()) << file << " " << p.designation;
                    const double got[4] = {s->GetA1(), s->GetI33(), s->GetWx(), s->Getix()};
                    for (int k = 0; k < 4; ++k) {
                        if (std::isnan(p.value[k])) continue;
                        EXPECT_NEAR(got[k], p.value[k], std::fabs(p.value[k]) * 0.005)
                            << file << " " << p.designation << " property " << k;
                    }
                    EXPECT_EQ(s->m_strDim, CString(p.designation.c_str()));
                    ++built;
                }
            },
            IDD_STDSECTIONLIB);
        ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
        CDlgStdSectionLib dlg;
        dlg.m_pData = &data;
        dlg.DoModal(false, s.get());
        EXPECT_GE(built, 2) << file;
        ++tables;
    }
    EXPECT_EQ(tables, 28);
}
