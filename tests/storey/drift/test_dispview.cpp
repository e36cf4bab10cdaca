// The displacement diagram opened from the statistics dialog, its drawing units read back:
// the label of the largest drift and its layer, the storey numbers, the empty panels, the
// guarded ticks, the positions and the frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/model/draw/draw.h>
#include <vyr/model/geometry/Layer.h>
#include <vyr/model/struct/structure.h>
#include <vyr/storey/DlgOutputDispView.h>
#include "DispTest.h"

using vyr::ScriptedUser;
using vyrtest::CStoreyModel;
using namespace disptest;

namespace {

struct CUnit
{
    int block = 0;       // 0 drift panel, 1 displacement panel, 2 frame
    std::string kind;    // "line", "text", "hatch"
    std::string text;
    std::string layer;
    unsigned hAlign = 0;
    CPoint2D a, b;       // text position; line ends
};

class DispViewTest : public DispTest
{
protected:
    // Opens the statistics dialog, then the diagram from its button; reads the units and the
    // caption, and closes both (answering the close's warning on a limit out of range).
    void OpenDiagram(CGlobalData& data, bool warned = false)
    {
        CDlgLayerDispDifferOutput dlg(&data);
        ScriptedUser::Click(IDC_DISP_VIEW, IDD_LAYERDISPDIFFER);
        ScriptedUser::Run(
            [&](CDialog* d) {
                auto* view = static_cast<CDlgOutputDispView*>(d);
                d->GetWindowText(m_caption);
                m_driftLimit = view->m_fDriftLimit;
                Read(*view->m_pDraw);
            },
            IDD_OUTPUTDISPVIEW);
        ScriptedUser::PressOK(IDD_OUTPUTDISPVIEW);
        ScriptedUser::PressOK(IDD_LAYERDISPDIFFER);
        if (warned)
            ScriptedUser::AnswerMessageBox(IDOK);
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
    void Read(CDraw& draw)
    {
        m_units.clear();
        int block = 0;
        for (POSITION p = draw.GetDrawUnitList().GetHeadPosition(); p != nullptr; ++block) {
            auto* b = dynamic_cast<CDrawBlock*>(draw.GetDrawUnitList().GetNext(p));
            ASSERT_NE(b, nullptr);
            for (POSITION q = b->GetDrawUnitList().GetHeadPosition(); q != nullptr;) {
                CDrawUnit* u = b->GetDrawUnitList().GetNext(q);
                CUnit out;
                out.block = block;
                out.layer = u->GetLayer() != nullptr ? u->GetLayer()->GetName().str() : "";
                if (auto* t = dynamic_cast<CText*>(u)) {
                    out.kind = "text";
                    out.text = t->GetText().str();
                    out.hAlign = t->GetHAlign();
                    out.a = t->Position();
                } else if (auto* l = dynamic_cast<CLine*>(u)) {
                    out.kind = "line";
                    out.a = l->GetPt1();
                    out.b = l->GetPt2();
                } else {
                    out.kind = "hatch";
                }
                m_units.push_back(out);
            }
        }
        m_blocks = block;
    }
    std::vector<CUnit> Texts(int block) const
    {
        std::vector<CUnit> out;
        for (const CUnit& u : m_units)
            if (u.block == block && u.kind == "text")
                out.push_back(u);
        return out;
    }
    // The texts of the drift panel that label a drift ("1/...").
    std::vector<CUnit> DriftLabels() const
    {
        std::vector<CUnit> out;
        for (const CUnit& u : Texts(0))
            if (u.text.rfind("1/", 0) == 0)
                out.push_back(u);
        return out;
    }
    // The storey numbers of the drift panel (right-aligned texts).
    std::vector<std::string> StoreyNumbers() const
    {
        std::vector<std::string> out;
        for (const CUnit& u : Texts(0))
            if (u.hAlign == 2)
                out.push_back(u.text);
        return out;
    }

    std::vector<CUnit> m_units;
    int m_blocks = 0;
    CString m_caption;
    float m_driftLimit = 0.0f;
};

// Two storeys of 3 m under seismic X: drifts of storey 1 and storey 2 (mm over 3000 mm).
void SetDrifts(CStoreyModel& model, float mm1, float mm2)
{
    CBasicLoadCase* seism = model.Seism(0);
    SetDisp(model.Storey(1), seism, 1, {0.0f, 0, 0.0f, mm1 / 10.0f, 102, mm1 / 20.0f});
    SetDisp(model.Storey(2), seism, 1, {mm2 / 10.0f, 201, mm2 / 20.0f, 2.5f, 202, 2.0f});
    for (int k = 1; k <= 2; ++k)
        SetShear(model.Struct(), model.Storey(k), seism, 10.0f, 0.0f);
}

TEST_F(DispViewTest, OnlyTheLargestDriftIsLabelledAndOnWarnOnlyPastTheLimit)
{
    struct Case
    {
        const char* what;
        float mm1, mm2;
        int limit;
        std::string label, layer;
        float driftLimit;
    };
    const Case cases[] = {
        {"exactly 1/200 is within", 10.0f, 15.0f, 200, "1/200", "Text", 200.0f},
        {"both past, the lower largest", 18.75f, 16.25f, 200, "1/160", "Warn", 200.0f},
        {"a limit of 0 uses 1", 18.75f, 16.25f, 0, "1/160", "Text", 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CStoreyModel model(Spec(2, false, 1));
        model.Struct().m_nSeismDriftLimit = c.limit;
        SetDrifts(model, c.mm1, c.mm2);
        OpenDiagram(model.Data(), c.limit < 100);
        const std::vector<CUnit> labels = DriftLabels();
        ASSERT_EQ(labels.size(), 1u);
        EXPECT_EQ(labels[0].text, c.label);
        EXPECT_EQ(labels[0].layer, c.layer);
        EXPECT_FLOAT_EQ(m_driftLimit, c.driftLimit);
    }
}

// Storeys 3 m apart, the top at 6 m: the vertical scale is 420 / 6 x 1.1 = 77 per metre. The
// largest average displacement (storey 2, 20 mm) lies at 250 and is labelled at the top; the
// displacement panel is moved by (480, 0), the frame by (-80, -150).
TEST_F(DispViewTest, PositionsCaptionAndFrame)
{
    CStoreyModel model(Spec(2, false, 1));
    SetDrifts(model, 10.0f, 15.0f);
    OpenDiagram(model.Data());
    EXPECT_EQ(m_blocks, 3);
    EXPECT_EQ(m_caption.str().rfind("工况", 0), 0u);
    EXPECT_NE(m_caption.str().find("下主方向(X向)位移图"), std::string::npos) << m_caption.str();
    const std::vector<CUnit> disp = Texts(1);
    const CUnit* top = nullptr;
    for (const CUnit& u : disp)
        if (u.text == "20.000")
            top = &u;
    ASSERT_NE(top, nullptr);
    EXPECT_NEAR(top->a.x, 480 + 250 + 15, 1e-3);
    EXPECT_NEAR(top->a.y, 77 * 6 - 15, 1e-3);
    // The drift label of storey 2 (drift 1/200 the largest: x 250), half the marker size
    // t = min(0.8 x 77 x 3, 30) = 30 to its right.
    const std::vector<CUnit> labels = DriftLabels();
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_NEAR(labels[0].a.x, 250 + 15, 1e-3);
    EXPECT_NEAR(labels[0].a.y, 77 * 6 - 15, 1e-3);
    // The frame: 1000 x 756 from (-80, -150), its middle line at x 420.
    std::vector<CUnit> frame;
    for (const CUnit& u : m_units)
        if (u.block == 2)
            frame.push_back(u);
    ASSERT_EQ(frame.size(), 5u);
    EXPECT_EQ(frame[0].layer, "Tail");
    EXPECT_NEAR(frame[0].a.x, -80, 1e-9);
    EXPECT_NEAR(frame[0].a.y, -150, 1e-9);
    EXPECT_NEAR(frame[1].b.x, 920, 1e-9);
    EXPECT_NEAR(frame[1].b.y, 606, 1e-9);
    EXPECT_NEAR(frame[4].a.x, 420, 1e-9);
}

// No wind or seismic case: no storey is drawn; each panel keeps its two axes, two arrowheads,
// three captions and five ticks with their labels; the fifth drift tick stays finite.
TEST_F(DispViewTest, WithoutAnyDriftOnlyAxesTicksAndCaptionsAreDrawn)
{
    CStoreyModel model(Spec(3, false, 0));
    OpenDiagram(model.Data());
    for (int block = 0; block < 2; ++block) {
        SCOPED_TRACE(block);
        size_t lines = 0, hatches = 0, texts = 0;
        for (const CUnit& u : m_units)
            if (u.block == block) {
                lines += u.kind == "line";
                hatches += u.kind == "hatch";
                texts += u.kind == "text";
            }
        EXPECT_EQ(lines, 7u);
        EXPECT_EQ(hatches, 2u);
        EXPECT_EQ(texts, 8u);
    }
    std::vector<std::string> ticks;
    for (const CUnit& u : m_units)
        if (u.kind == "text" && u.text.rfind("5(", 0) == 0)
            ticks.push_back(u.text);
    // 5 / 1e-7 and 0 x 0.2.
    EXPECT_EQ(ticks, (std::vector<std::string>{"5(*1/50000000)", "5(*0.000)"}));
}

// Storey numbers: every storey whose number is a multiple of a tenth of the top storey's; all
// of them when the top storey is not in the tower.
TEST_F(DispViewTest, StoreyNumbersEveryTenthOfTheTopOrAllWhenTheTopIsExcluded)
{
    for (bool tower : {false, true}) {
        SCOPED_TRACE(tower ? "tower to storey 19" : "whole structure");
        vyrtest::CStoreyModelSpec spec = Spec(20, true, 0);
        if (tower)
            spec.towers = {{0.0, 0.0, 19}};
        CStoreyModel model(spec);
        for (int k = 1; k <= 20; ++k) {
            AddNode(model.Struct(), model.Storey(k), 0.0, 0.0);
            SetShear(model.Struct(), model.Storey(k), model.Wind(0), 10.0f, 0.0f);
        }
        OpenDiagram(model.Data());
        std::vector<std::string> expected;
        for (int k = 1; k <= (tower ? 19 : 20); ++k)
            if (tower || k % 2 == 0)
                expected.push_back(std::to_string(k));
        EXPECT_EQ(StoreyNumbers(), expected);
    }
}

} // namespace
