// The diagram of the storey shears and moments, opened from the dialog under the scripted
// user: its units read back against coordinates worked by hand (levels, axes, ticks, the
// staircase, the polyline, the frame), the storey labels, the guards, and the preview's
// pixels in the layer colours.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <vyr/raster.h>
#include <vyr/resources/dialogs/LayerVMRes.h>
#include <vyr/scripteduser.h>
#include <vyr/storey/DlgLayerVMDraw.h>
#include "storey/vm/VMTest.h"

using vmtest::Spec;
using vyr::ScriptedUser;
using vyrtest::CStoreyModel;

namespace {

struct CLineSeen
{
    std::string layer;
    CPoint2D a, b;
};

struct CTextSeen
{
    std::string layer, text;
    CPoint2D at;
    unsigned hAlign = 0;
};

// What one block of the drawing holds.
struct CBlockSeen
{
    std::vector<CLineSeen> lines;
    std::vector<CTextSeen> texts;
    int hatches = 0;

    std::vector<CLineSeen> On(const std::string& layer) const
    {
        std::vector<CLineSeen> out;
        for (const CLineSeen& l : lines)
            if (l.layer == layer)
                out.push_back(l);
        return out;
    }
    // A line between the two points, either way round, on the layer.
    bool Has(const std::string& layer, CPoint2D a, CPoint2D b, double tol = 0.01) const
    {
        auto near = [tol](CPoint2D p, CPoint2D q) { return std::fabs(p.x - q.x) <= tol && std::fabs(p.y - q.y) <= tol; };
        for (const CLineSeen& l : lines)
            if (l.layer == layer && ((near(l.a, a) && near(l.b, b)) || (near(l.a, b) && near(l.b, a))))
                return true;
        return false;
    }
    const CTextSeen* Text(const std::string& text) const
    {
        for (const CTextSeen& t : texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }
    // The storey numbers written (the right-aligned texts).
    std::vector<std::string> Labels() const
    {
        std::vector<std::string> out;
        for (const CTextSeen& t : texts)
            if (t.hAlign == TA_RIGHT)
                out.push_back(t.text);
        return out;
    }
};

CBlockSeen Read(const CDrawBlock& block)
{
    CBlockSeen seen;
    const CDrawUnitList& list = block.GetDrawUnitList();
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const CDrawUnit* u = list.GetNext(pos);
        const std::string layer = u->GetLayer() != nullptr ? u->GetLayer()->GetName().str() : "";
        if (auto* l = dynamic_cast<const CLine*>(u))
            seen.lines.push_back({layer, l->GetPt1(), l->GetPt2()});
        else if (auto* t = dynamic_cast<const CText*>(u))
            seen.texts.push_back({layer, t->GetText().str(), t->Position(), t->GetHAlign()});
        else if (dynamic_cast<const CHatch*>(u) != nullptr)
            ++seen.hatches;
    }
    return seen;
}

struct CDiagramSeen
{
    std::string caption;
    std::vector<std::pair<std::string, COLORREF>> layers;
    std::vector<CBlockSeen> blocks; // shear, moment, frame
    float scaleV = 0, scaleM = 0, z0 = -1;
};

class VMDrawTest : public storeytest::StoreyTest
{
protected:
    // Opens the dialog, makes case row `row` current, opens the diagram and reads it; more
    // is done in the open diagram when asked for.
    static CDiagramSeen OpenDiagram(CStoreyModel& model, int row = 1,
                                    const std::function<void(CDlgLayerVMDraw&)>& more = nullptr)
    {
        CDiagramSeen seen;
        CDlgLayerVMOutput dlg(&model.Data());
        if (row != 1)
            ScriptedUser::Run(
                [row](CDialog* d) {
                    vmtest::ClickCell(dynamic_cast<CGridCtrl*>(d->GetDlgItem(IDC_VM_CASEGRID)), row, 0);
                },
                IDD_LAYERVMOUTPUT);
        ScriptedUser::Click(IDC_VM_VIEW, IDD_LAYERVMOUTPUT);
        vyrtest::InDialog<CDlgLayerVMDraw>(IDD_LAYERVMDRAW, [&](CDlgLayerVMDraw& d) {
            CString caption;
            d.GetWindowText(caption);
            seen.caption = caption.str();
            ASSERT_NE(d.m_pDraw, nullptr);
            EXPECT_EQ(d.m_Preview.GetDraw(), d.m_pDraw);
            const CLayerList& layers = d.m_pDraw->GetLayerList();
            for (POSITION pos = layers.GetHeadPosition(); pos != nullptr;) {
                const CLayer* l = layers.GetNext(pos);
                seen.layers.push_back({l->GetName().str(), l->GetColor()});
            }
            const CDrawUnitList& blocks = d.m_pDraw->GetDrawUnitList();
            for (POSITION pos = blocks.GetHeadPosition(); pos != nullptr;)
                if (auto* b = dynamic_cast<const CDrawBlock*>(blocks.GetNext(pos)))
                    seen.blocks.push_back(Read(*b));
            seen.scaleV = d.m_fScaleV;
            seen.scaleM = d.m_fScaleM;
            seen.z0 = d.m_fZ0;
            if (more)
                more(d);
        });
        ScriptedUser::PressOK(IDD_LAYERVMDRAW);
        ScriptedUser::PressOK(IDD_LAYERVMOUTPUT);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        return seen;
    }

    outtest::TempDir m_tmp;
};

// Three storeys 10 m high (levels 10, 20, 30 m); wind X of 500, 300 and 100 kN from the
// lowest: moments 9000, 4000 and 1000 kN*m.
void ThreeStoreys(CStoreyModel& model)
{
    vmtest::SetShears(model, model.Wind(0), {500, 300, 100}, {1, 1, 1});
}

TEST_F(VMDrawTest, LayersBlocksAndTheCaptionOfTheCurrentCase)
{
    CStoreyModel model(Spec(3, 1000.0));
    ThreeStoreys(model);
    const unsigned hAlign = CText::GetClassHAlign(), vAlign = CText::GetClassVAlign();
    const CDiagramSeen seen = OpenDiagram(model);
    EXPECT_EQ(seen.caption, "LC3 X向风载主方向(X向)剪力与倾覆力矩");
    const std::vector<std::pair<std::string, COLORREF>> layers = {
        {"VM", 0x00FF00}, {"Text", 0xFFFF00}, {"Cor", 0xFF0FFF}, {"Tail", 0x32FFFF}};
    EXPECT_EQ(seen.layers, layers);
    ASSERT_EQ(seen.blocks.size(), 3u);
    // Both axes carry two arrowheads each; the frame none.
    EXPECT_EQ(seen.blocks[0].hatches, 2);
    EXPECT_EQ(seen.blocks[1].hatches, 2);
    EXPECT_EQ(seen.blocks[2].hatches, 0);
    // The alignment of texts is the text class's: other drawings keep theirs.
    EXPECT_EQ(CText::GetClassHAlign(), hAlign);
    EXPECT_EQ(CText::GetClassVAlign(), vAlign);

    // Wind Y along Y.
    vmtest::SetShears(model, model.Wind(1), {1, 1, 1}, {50, 40, 30});
    EXPECT_EQ(OpenDiagram(model, 2).caption, "LC4 Y向风载主方向(Y向)剪力与倾覆力矩");
}

TEST_F(VMDrawTest, ShearDiagramLevelsAxesTicksAndStaircase)
{
    CStoreyModel model(Spec(3, 1000.0));
    ThreeStoreys(model);
    const CDiagramSeen seen = OpenDiagram(model);
    ASSERT_EQ(seen.blocks.size(), 3u);
    const CBlockSeen& v = seen.blocks[0];
    EXPECT_FLOAT_EQ(seen.z0, 0.0f);
    EXPECT_FLOAT_EQ(seen.scaleV, 242.0f / 500.0f);
    // Levels 605 x z / 30.
    const double y1 = 605.0 / 3, y2 = 605.0 * 2 / 3, y3 = 605.0;
    for (double y : {y1, y2, y3})
        EXPECT_TRUE(v.Has("VM", CPoint2D(0, y), CPoint2D(10, y))) << "level mark at " << y;
    EXPECT_TRUE(v.Has("Cor", CPoint2D(0, 0), CPoint2D(0, 660))) << "storey axis";
    EXPECT_TRUE(v.Has("Cor", CPoint2D(0, 0), CPoint2D(363, 0))) << "value axis";
    const double ticks[] = {48.4, 96.8, 145.2, 193.6, 242.0};
    for (double x : ticks)
        EXPECT_TRUE(v.Has("Text", CPoint2D(x, 0), CPoint2D(x, 10))) << "tick at " << x;
    const CTextSeen* last = v.Text("5(*100)");
    ASSERT_NE(last, nullptr);
    EXPECT_NEAR(last->at.x, 242.0, 1e-3);
    EXPECT_NEAR(last->at.y, -48.0, 1e-3);
    EXPECT_NE(v.Text("4"), nullptr);
    EXPECT_NE(v.Text("最大剪力500.0kN"), nullptr);
    EXPECT_NE(v.Text("楼层剪力图(kN)"), nullptr);
    EXPECT_NE(v.Text("V"), nullptr);
    // Shears at x = 242, 145.2 and 48.4: strokes up from the storey below, steps between
    // them, the top closed to the storey axis.
    EXPECT_TRUE(v.Has("VM", CPoint2D(242, 0), CPoint2D(242, y1)));
    EXPECT_TRUE(v.Has("VM", CPoint2D(145.2, y1), CPoint2D(145.2, y2)));
    EXPECT_TRUE(v.Has("VM", CPoint2D(145.2, y1), CPoint2D(242, y1)));
    EXPECT_TRUE(v.Has("VM", CPoint2D(48.4, y2), CPoint2D(48.4, y3)));
    EXPECT_TRUE(v.Has("VM", CPoint2D(48.4, y2), CPoint2D(145.2, y2)));
    EXPECT_TRUE(v.Has("VM", CPoint2D(0, y3), CPoint2D(48.4, y3)));
    EXPECT_FALSE(v.Has("VM", CPoint2D(0, y1), CPoint2D(242, y1))) << "only the top is closed";
}

TEST_F(VMDrawTest, MomentDiagramStandsOnTheBaseLineAndIsShiftedBesideTheShears)
{
    CStoreyModel model(Spec(3, 1000.0));
    ThreeStoreys(model);
    const CDiagramSeen seen = OpenDiagram(model);
    ASSERT_EQ(seen.blocks.size(), 3u);
    const CBlockSeen& m = seen.blocks[1];
    EXPECT_FLOAT_EQ(seen.scaleM, 242.0f / 9000.0f);
    const double y2 = 605.0 * 2 / 3, y3 = 605.0;
    // M x 242 / 9000: 242, 107.56, 26.89; shifted by 580.
    const double x1 = 580 + 242.0, x2 = 580 + 4000 * 242.0 / 9000, x3 = 580 + 1000 * 242.0 / 9000;
    EXPECT_TRUE(m.Has("Cor", CPoint2D(580, 0), CPoint2D(580, 660)));
    EXPECT_TRUE(m.Has("Cor", CPoint2D(580, 0), CPoint2D(943, 0)));
    EXPECT_TRUE(m.Has("VM", CPoint2D(x2, y2), CPoint2D(x1, 0))) << "the lowest storey's moment on the base line";
    EXPECT_TRUE(m.Has("VM", CPoint2D(x3, y3), CPoint2D(x2, y2)));
    EXPECT_TRUE(m.Has("VM", CPoint2D(580, y3), CPoint2D(x3, y3)));
    // Those three and the three level marks; nothing at the lowest level but its mark.
    EXPECT_EQ(m.On("VM").size(), 6u);
    EXPECT_NE(m.Text("5(*1800)"), nullptr);
    EXPECT_NE(m.Text("最大弯矩9000.0kN·m"), nullptr);
    EXPECT_NE(m.Text("楼层弯矩图(kN·m)"), nullptr);

    const CBlockSeen& f = seen.blocks[2];
    EXPECT_EQ(f.On("Tail").size(), 5u);
    EXPECT_TRUE(f.Has("Tail", CPoint2D(-150, -115), CPoint2D(1050, -115)));
    EXPECT_TRUE(f.Has("Tail", CPoint2D(1050, -115), CPoint2D(1050, 795)));
    EXPECT_TRUE(f.Has("Tail", CPoint2D(1050, 795), CPoint2D(-150, 795)));
    EXPECT_TRUE(f.Has("Tail", CPoint2D(-150, 795), CPoint2D(-150, -115)));
    EXPECT_TRUE(f.Has("Tail", CPoint2D(450, 795), CPoint2D(450, -115)));
}

TEST_F(VMDrawTest, StoreyLabelsEveryTenthOfTheTopStoreyNumber)
{
    struct Case
    {
        int storeys;
        std::vector<int> labelled;
    };
    std::vector<int> all10, even24, all5;
    for (int n = 1; n <= 10; ++n)
        all10.push_back(n);
    for (int n = 2; n <= 24; n += 2)
        even24.push_back(n);
    for (int n = 1; n <= 5; ++n)
        all5.push_back(n);
    const Case cases[] = {{10, all10}, {25, even24}, {5, all5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.storeys);
        CStoreyModel model(Spec(c.storeys));
        const CDiagramSeen seen = OpenDiagram(model);
        ASSERT_EQ(seen.blocks.size(), 3u);
        std::vector<std::string> expected;
        for (int n : c.labelled)
            expected.push_back(std::to_string(n));
        EXPECT_EQ(seen.blocks[0].Labels(), expected);
        EXPECT_EQ(seen.blocks[1].Labels(), expected);
    }
}

TEST_F(VMDrawTest, ShearsAtOrBelowZeroLeaveAValueAxisOfNoLength)
{
    CStoreyModel model(Spec(3));
    vmtest::SetShears(model, model.Wind(0), {-30, -20, -10}, {0, 0, 0});
    const CDiagramSeen seen = OpenDiagram(model);
    ASSERT_EQ(seen.blocks.size(), 3u);
    EXPECT_FLOAT_EQ(seen.scaleV, 242.0f / 1e-7f);
    EXPECT_TRUE(seen.blocks[0].Has("Cor", CPoint2D(0, 0), CPoint2D(0, 0), 1e-9));
    EXPECT_NE(seen.blocks[0].Text("最大剪力0.0kN"), nullptr);
    // The moments are positive: their axis has its full length.
    EXPECT_TRUE(seen.blocks[1].Has("Cor", CPoint2D(580, 0), CPoint2D(943, 0)));
}

TEST_F(VMDrawTest, OneStoreyShowsOnlyTheClosingLineOfTheMoments)
{
    CStoreyModel model(Spec(1));
    // A single storey is taken along Y.
    vmtest::SetShears(model, model.Wind(0), {0}, {10});
    const CDiagramSeen seen = OpenDiagram(model);
    ASSERT_EQ(seen.blocks.size(), 3u);
    const std::vector<CLineSeen> vm = seen.blocks[1].On("VM");
    ASSERT_EQ(vm.size(), 2u);
    // M = 30 kN*m is the largest: 242 at the level 605.
    EXPECT_TRUE(seen.blocks[1].Has("VM", CPoint2D(580, 605), CPoint2D(822, 605)));
    EXPECT_TRUE(seen.blocks[1].Has("VM", CPoint2D(580, 605), CPoint2D(590, 605)));
}

TEST_F(VMDrawTest, BasementsRaiseTheBaseToTheTopBasement)
{
    // Storey 1 a basement at 10 m, storeys 2 and 3 at 20 and 30 m: the base at 10 m.
    CStoreyModel model(Spec(2, 1000.0, 1));
    vmtest::SetShears(model, model.Wind(0), {300, 200, 100}, {1, 1, 1});
    const CDiagramSeen seen = OpenDiagram(model);
    ASSERT_EQ(seen.blocks.size(), 3u);
    EXPECT_FLOAT_EQ(seen.z0, 10.0f);
    for (double y : {0.0, 302.5, 605.0})
        EXPECT_TRUE(seen.blocks[0].Has("VM", CPoint2D(0, y), CPoint2D(10, y))) << "level mark at " << y;
}

TEST_F(VMDrawTest, AStoreyNumberNoRealStoreyCarriesDrawsNothing)
{
    CStoreyModel model(Spec(3, 1000.0));
    CDlgLayerVMDraw diagram(nullptr);
    diagram.m_pGlobalData = &model.Data();
    diagram.m_fH = 30.0f;
    diagram.m_nTopNo = 3;
    for (int kind : {CDlgLayerVMDraw::KIND_SHEAR, CDlgLayerVMDraw::KIND_MOMENT}) {
        SCOPED_TRACE(kind);
        CDrawBlock block;
        CPoint2D at(0, 0);
        diagram.DrawStorey(100.0f, 7, at, &block, kind);
        EXPECT_TRUE(block.GetDrawUnitList().IsEmpty());
        EXPECT_EQ(at.x, 0.0);
        diagram.DrawStorey(100.0f, 3, at, &block, kind);
        EXPECT_FALSE(block.GetDrawUnitList().IsEmpty()) << "a real storey is drawn";
    }
}

// The preview fits the frame (1200 x 910, centre (450, 340)) into its client area less 10
// pixels all round: 637 x 487 gives the scale min(617 / 1200, 467 / 910).
CPoint PreviewPixel(double x, double y)
{
    const double s = std::min(617.0 / 1200.0, 467.0 / 910.0);
    return CPoint((int)std::lround(318.5 + (x - 450) * s), (int)std::lround(243.5 - (y - 340) * s));
}

// The colour is found within two pixels of the point.
bool ColourNear(const vyr::Image& img, CPoint p, COLORREF colour)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (img.GetPixel(p.x + dx, p.y + dy) == colour)
                return true;
    return false;
}

TEST_F(VMDrawTest, ThePreviewShowsTheLayerColoursWhereTheUnitsLie)
{
    CStoreyModel model(Spec(3, 1000.0));
    ThreeStoreys(model);
    std::shared_ptr<vyr::Image> img;
    const std::string png = m_tmp.File("storey-vm.png");
    OpenDiagram(model, 1, [&](CDlgLayerVMDraw& d) {
        img = vyr::RenderWindow(d.m_Preview.GetSafeHwnd());
        ASSERT_TRUE(img);
        EXPECT_TRUE(vyr::WritePng(png, *img));
    });
    ASSERT_TRUE(img);
    vyr::Image back;
    ASSERT_TRUE(vyr::ReadPng(png, back));
    EXPECT_EQ(back.Width(), 637);
    EXPECT_EQ(back.Height(), 487);
    struct Spot
    {
        const char* what;
        double x, y;
        COLORREF colour;
    };
    const Spot spots[] = {
        {"frame divider", 450, 340, 0x32FFFF},
        {"frame bottom", 200, -115, 0x32FFFF},
        {"storey axis", 0, 330, 0xFF0FFF},
        {"moment value axis", 800, 0, 0xFF0FFF},
        {"lowest shear stroke", 242, 100, 0x00FF00},
        {"moment from the base line", 755.33, 200, 0x00FF00},
    };
    for (const Spot& s : spots)
        EXPECT_TRUE(ColourNear(back, PreviewPixel(s.x, s.y), s.colour)) << s.what;
    // Between the staircase and the divider nothing is drawn.
    EXPECT_EQ(back.GetPixel(PreviewPixel(350, 450).x, PreviewPixel(350, 450).y), RGB(0, 0, 0));
}

} // namespace
