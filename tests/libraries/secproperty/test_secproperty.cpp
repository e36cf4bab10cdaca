// The section property dialog: its text for the forms a section can take, and its
// drawing as recorded and as rendered.
#include <gtest/gtest.h>

#include <string>

#include <vyr/libraries/DlgSecProperty.h>
#include <vyr/libraries/SectionMap.h>
#include <vyr/model/section/section.h>
#include <vyr/raster.h>
#include <vyr/resources.h>
#include <vyr/resources/dialogs/SecPropertyRes.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;

namespace {

struct SecDialogs : ::testing::Test
{
    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        ScriptedUser::Reset();
    }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
    }
};

// A section given by its values alone; with no material its weight is that of steel,
// 0.00785 kg per cm2 and cm.
struct Values
{
    const char* name;
    const char* category;
    double A, I3, W3, i3, I2, W2, i2;
    const char* material;
};

void Fill(CSectionBase& s, const Values& v)
{
    s.m_strKind = v.name;
    s.m_strCategory = v.category;
    s.m_dA1 = v.A;
    s.m_dI33 = v.I3;
    s.m_dWx = v.W3;
    s.m_dix = v.i3;
    s.m_dI22 = v.I2;
    s.m_dWy = v.W2;
    s.m_diy = v.i2;
    s.m_strMat = v.material;
}

struct TextCase
{
    const char* what;
    Values values;
    const char* expected;
};

// Widths by hand: "%-20s" pads the name to 20 GBK columns (a Chinese character takes
// two), "%7s" leaves the labels of seven or more characters as they are, "%-12.2f" pads
// the value to 12. A = 50 cm2 of steel weighs 50 x 0.00785 x 100 = 39.25 kg/m.
const TextCase kTexts[] = {
    {"short form: I2 and W2 both 0",
     {"H300", "标准", 50, 1000, 100, 4.47, 0, 0, 0, "Q235"},
     "H300                \n"
     "A(cm2)=50.00       \n"
     "I3(cm4)=1000.00     \n"
     "W3(cm3)=100.00      \n"
     "i3(cm)=4.47        "
     "\n\n截面材料:Q235\n截面重量:39.25kg/m"},
    {"long form when only I2 is nonzero",
     {"H300", "标准", 50, 1000, 100, 4.47, 200, 0, 2, "Q235"},
     "H300                \n"
     "A(cm2)=50.00       \n"
     "I3(cm4)=1000.00     \n"
     "W3(cm3)=100.00      \n"
     "i3(cm)=4.47        \n"
     "I2(cm4)=200.00      \n"
     "W2(cm3)=0.00        \n"
     "i2(cm)=2.00        "
     "\n\n截面材料:Q235\n截面重量:39.25kg/m"},
    {"long form when only W2 is nonzero",
     {"H300", "", 50, 1000, 100, 4.47, 0, 20, 0, "Q345"},
     "H300                \n"
     "A(cm2)=50.00       \n"
     "I3(cm4)=1000.00     \n"
     "W3(cm3)=100.00      \n"
     "i3(cm)=4.47        \n"
     "I2(cm4)=0.00        \n"
     "W2(cm3)=20.00       \n"
     "i2(cm)=0.00        "
     "\n\n截面材料:Q345\n截面重量:39.25kg/m"},
    {"first limb of a combined section",
     {"[20a", "单肢1", 28.83, 1780.4, 178, 7.86, 128, 24.2, 2.11, "Q235"},
     "单肢1:[20a                \n"
     "A(cm2)=28.83       \n"
     "I3(cm4)=1780.40     \n"
     "W3(cm3)=178.00      \n"
     "i3(cm)=7.86        \n"
     "I2(cm4)=128.00      \n"
     "W2(cm3)=24.20       \n"
     "i2(cm)=2.11        "
     "\n\n截面材料:Q235\n截面重量:22.63kg/m"},
    {"second limb, short form",
     {"L50x5", "单肢2", 4.8, 11.21, 3.13, 1.53, 0, 0, 0, "Q235"},
     "单肢2:L50x5               \n"
     "A(cm2)=4.80        \n"
     "I3(cm4)=11.21       \n"
     "W3(cm3)=3.13        \n"
     "i3(cm)=1.53        "
     "\n\n截面材料:Q235\n截面重量:3.77kg/m"},
    {"Chinese name padded by GBK width, trailing blanks dropped",
     {"焊接工字钢   ", "标准", 50, 1000, 100, 4.47, 0, 0, 0, "Q235"},
     "焊接工字钢          \n"
     "A(cm2)=50.00       \n"
     "I3(cm4)=1000.00     \n"
     "W3(cm3)=100.00      \n"
     "i3(cm)=4.47        "
     "\n\n截面材料:Q235\n截面重量:39.25kg/m"},
    {"steel-frame section writes E",
     {"SF1", "钢骨", 50, 1000, 100, 4.47, 0, 0, 0, "Q235"},
     "SF1                 \n"
     "A(cm2)=50.00       \n"
     "I3(cm4)=1000.00     \n"
     "W3(cm3)=100.00      \n"
     "i3(cm)=4.47        "
     "\nE(kN/cm2)=20600.00    \n"
     "\n\n截面材料:Q235\n截面重量:39.25kg/m"},
};

} // namespace

TEST_F(SecDialogs, PropertyTextForEachForm)
{
    for (const TextCase& c : kTexts) {
        CSectionBase s;
        Fill(s, c.values);
        EXPECT_EQ(std::string(CDlgSecProperty::PropertyText(&s)), std::string(c.expected)) << c.what;
    }
}

TEST_F(SecDialogs, HybridSectionJoinsItsSteelPartsMaterialAndWritesE)
{
    CHybridRect h;
    h.SetType(701);
    h.m_fB = 400; // a 400 x 400 mm concrete block around 50 cm2 of steel
    h.m_fH = 400;
    Fill(h, {"SRC400", "混合", 160, 21333.33, 1066.67, 11.55, 21333.33, 1066.67, 11.55, "C30"});
    auto* steel = new CSectionBase;
    steel->m_strMat = "Q235";
    steel->m_dA1 = 50;
    h.SetSteelSec(steel);
    EXPECT_EQ(std::string(CDlgSecProperty::PropertyText(&h)),
              std::string("SRC400              \n"
                          "A(cm2)=160.00      \n"
                          "I3(cm4)=21333.33    \n"
                          "W3(cm3)=1066.67     \n"
                          "i3(cm)=11.55       \n"
                          "I2(cm4)=21333.33    \n"
                          "W2(cm3)=1066.67     \n"
                          "i2(cm)=11.55       "
                          "\nE(kN/cm2)=20600.00    \n"
                          // 50 x 0.00785 + (1600 - 50) x 0.0025 = 4.2675 kg/cm
                          "\n\n截面材料:Q235+C30\n截面重量:426.75kg/m"));

    h.SetType(801); // outside 700 to 799: its own material text alone
    EXPECT_NE(std::string(CDlgSecProperty::PropertyText(&h)).find("截面材料:C30\n"), std::string::npos);
}

TEST_F(SecDialogs, RecordedDrawingIsAGreyFieldThenTheSectionInsideIt)
{
    CSWeldedIbeam s(105, 400, 200, 16, 10);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dc, 240, 200));
    CBitmap* old = dc.SelectObject(&bmp);
    const CRect field(10, 10, 230, 190);
    DrawSectionMap(&dc, field, &s, true);

    const auto& recs = dc.Records();
    ASSERT_GT(recs.size(), 2u);
    EXPECT_EQ(recs.front().kind, vyr::DrawKind::Rectangle);
    EXPECT_EQ(CRect(recs.front().rect), field);
    EXPECT_EQ(recs.front().state.brush.lbColor, RGB(192, 192, 192));
    EXPECT_EQ(recs.front().state.brush.lbStyle, (UINT)BS_SOLID);
    bool axis = false;
    size_t shapes = 0;
    for (size_t i = 1; i < recs.size(); ++i) {
        for (const POINT& p : recs[i].points) {
            if (recs[i].kind == vyr::DrawKind::TextOut) continue;
            EXPECT_TRUE(p.x >= field.left && p.x <= field.right && p.y >= field.top && p.y <= field.bottom)
                << "record " << i << " at " << p.x << "," << p.y;
        }
        if (recs[i].kind != vyr::DrawKind::Line) continue;
        if (recs[i].state.pen.lopnStyle == (UINT)PS_DASHDOT)
            axis = true;
        else
            ++shapes;
    }
    EXPECT_GE(shapes, 12u) << "the twelve edges of the I outline are drawn";
    EXPECT_TRUE(axis) << "the property dialog draws the axes";
    EXPECT_EQ(bmp.GetImage()->GetPixel(12, 12), RGB(192, 192, 192));
    dc.SelectObject(old);
}

TEST_F(SecDialogs, DialogShowsTheTextAndRendersTheSection)
{
    CSWeldedIbeam s(105, 400, 200, 16, 10);
    s.m_strKind = "H400x200x10x16";
    s.m_strMat = "Q235";
    std::shared_ptr<vyr::Image> shot;
    ScriptedUser::Run(
        [&](CDialog* d) {
            CString caption, text, close;
            d->GetWindowText(caption);
            EXPECT_EQ(caption, CString("截面属性"));
            d->GetDlgItemText(IDC_SECPROP_TEXT, text);
            EXPECT_EQ(text, CDlgSecProperty::PropertyText(&s));
            d->GetDlgItemText(IDOK, close);
            EXPECT_EQ(close, CString("关闭"));
            shot = vyr::RenderWindow(d->GetSafeHwnd());
            CRect frame;
            d->GetDlgItem(IDC_SECPROP_MAP)->GetWindowRect(&frame);
            d->ScreenToClient(&frame);
            ASSERT_TRUE(shot);
            EXPECT_EQ(shot->GetPixel(frame.left + 2, frame.top + 2), RGB(192, 192, 192)) << "grey field";
            int dark = 0;
            for (int y = frame.top + 1; y < frame.bottom - 1; ++y)
                for (int x = frame.left + 1; x < frame.right - 1; ++x) {
                    const COLORREF c = shot->GetPixel(x, y);
                    if (GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100) ++dark;
                }
            EXPECT_GT(dark, 50) << "the section's outline shows inside the frame";
        },
        IDD_SECPROPERTY);
    ScriptedUser::PressOK(IDD_SECPROPERTY);
    CDlgSecProperty dlg;
    EXPECT_EQ(dlg.DoModal(&s), IDOK);
    ASSERT_TRUE(shot);
    vyr::WritePng(std::string(VYR_BINARY_DIR) + "/secproperty-test.png", *shot);
}
