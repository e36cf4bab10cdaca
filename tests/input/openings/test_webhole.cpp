// The web opening of H members, through the key "Prop.BeamWebHoleDefine" or run on a
// tapered member directly: the web drawn from the first member, the kinds and their boxes,
// the checks, the preview and what OK gives every listed member.
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "OpeningsTest.h"
#include <vyr/input/DlgBeamWebHole.h>
#include <vyr/model/section/section.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/WebHoleRes.h>

using namespace openingstest;

namespace {

constexpr UINT kWeb = IDD_BEAMWEBHOLE;

// An opening as the member holds it.
struct Hole
{
    int type;
    float x, y, h, b;
};

void ExpectHole(const CBeamBase* beam, const Hole& want)
{
    ASSERT_NE(beam->m_pWebHole, nullptr);
    const CBeamWebHole& got = *beam->m_pWebHole;
    EXPECT_EQ(got.m_nType, want.type);
    EXPECT_EQ(got.m_fX, want.x);
    EXPECT_EQ(got.m_fY, want.y);
    EXPECT_EQ(got.m_fH, want.h);
    EXPECT_EQ(got.m_fB, want.b);
}

class WebHole : public OpeningsTest
{
protected:
    // Sections outlive the model that refers to them.
    CSWeldedHtype h400{111, 400, 200, 12, 8};
    std::unique_ptr<CTaperVaryWeb> taper = Taper(600, 300);
    CBeamList beams; // the selection the key runs on

    void SetUp() override
    {
        OpeningsTest::SetUp();
        d.ProgramType() = 1;
        h400.m_strKind = "H400x200";
    }

    // A tapered welded I whose web falls from h1 to h2 mm.
    static std::unique_ptr<CTaperVaryWeb> Taper(float h1, float h2)
    {
        auto t = std::make_unique<CTaperVaryWeb>();
        t->SetType(901);
        t->SetH(h1);
        t->SetEndH(h2);
        auto plates = [](float h) {
            auto* sec = new CSDefineIbeam;
            sec->SetH(h);
            sec->SetB(200);
            sec->SetT(8);
            sec->SetTf(12);
            return sec;
        };
        t->SetStartSec(plates(h1));
        t->SetEndSec(plates(h2));
        return t;
    }
    // A member along x of that length (cm), selected.
    CBeam* Beam(double length, CSectionBase* sec, const CBeamWebHole* hole = nullptr)
    {
        CBeam* b = new CBeam((int)s.m_pBeamList->GetCount() + 1, Node(0, 0), Node(length, 0), 2);
        b->SetSection(sec);
        if (hole != nullptr)
            b->m_pWebHole = new CBeamWebHole(*hole);
        s.m_pBeamList->AddTail(b);
        beams.AddTail(b);
        return b;
    }
    int Define() { return Key("Prop.BeamWebHoleDefine", &beams); }

    static void Type(int id, const char* text) { ScriptedUser::SetText(id, text, kWeb); }
    static void Click(int id) { ScriptedUser::Click(id, kWeb); }
    static void In(std::function<void(CDlgBeamWebHole&)> fn) { OpeningsTest::In<CDlgBeamWebHole>(kWeb, std::move(fn)); }
};

} // namespace

TEST_F(WebHole, OpensOnTheFirstMembersWebWithItsCornersLabelledOutside)
{
    CBeam* beam = Beam(600, &h400); // 6000 mm, 400 mm high
    In([](CDlgBeamWebHole& dlg) {
        CString caption;
        dlg.GetWindowText(caption);
        EXPECT_EQ(caption, CString("H型构件腹板洞口设置"));
        EXPECT_EQ(LOWORD(dlg.GetDefID()), IDC_WEBHOLE_DRAW) << "Enter previews";
        const double web[4][2] = {{0, 0}, {0, 400}, {6000, 400}, {6000, 0}};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(dlg.m_ptWeb[i].x, web[i][0]) << i;
            EXPECT_EQ(dlg.m_ptWeb[i].y, web[i][1]) << i;
        }
        // A member without an opening: "无洞口", the defaults shown in closed boxes.
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_WEBHOLE_NONE), BST_CHECKED);
        const std::pair<int, const char*> boxes[] = {
            {IDC_WEBHOLE_X, "1000"}, {IDC_WEBHOLE_Y, "200"}, {IDC_WEBHOLE_HEIGHT, "200"}, {IDC_WEBHOLE_WIDTH, "500"}};
        for (const auto& [id, text] : boxes) {
            EXPECT_EQ(Text(dlg, id), CString(text)) << id;
            EXPECT_FALSE(Enabled(dlg, id)) << id;
        }
    });
    Click(IDC_WEBHOLE_RECT);
    In([](CDlgBeamWebHole& dlg) {

        // 6000 x 400 is wider than the frame: 70 per cent of its width, centred, y down.
        CRect client;
        dlg.GetDlgItem(IDC_WEBHOLE_PREVIEW)->GetClientRect(&client);
        const double scale = 0.7 * client.Width() / 6000.0;
        EXPECT_DOUBLE_EQ(dlg.m_dScale, scale);
        const CPoint mid = client.CenterPoint();
        const CPoint corners[4] = {
            CPoint((int)std::trunc(mid.x - 3000 * scale), (int)std::trunc(mid.y - 200 * scale)),
            CPoint((int)std::trunc(mid.x - 3000 * scale), (int)std::trunc(mid.y + 200 * scale)),
            CPoint((int)std::trunc(mid.x + 3000 * scale), (int)std::trunc(mid.y + 200 * scale)),
            CPoint((int)std::trunc(mid.x + 3000 * scale), (int)std::trunc(mid.y - 200 * scale))};

        const std::vector<vyr::DrawRecord> drawn = Drawn(dlg);
        const auto rects = OfKind(drawn, vyr::DrawKind::Rectangle);
        ASSERT_FALSE(rects.empty());
        EXPECT_EQ(CRect(rects[0].rect), client) << "the frame is cleared first";
        EXPECT_EQ(rects[0].state.brush.lbColor, RGB(255, 255, 255));
        const auto polygons = OfKind(drawn, vyr::DrawKind::Polygon);
        ASSERT_EQ(polygons.size(), 2u) << "the web and the opening";
        ASSERT_EQ(polygons[0].points.size(), 4u);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(CPoint(polygons[0].points[(size_t)i]), corners[i]) << i;

        const auto texts = OfKind(drawn, vyr::DrawKind::TextOut);
        ASSERT_EQ(texts.size(), 4u);
        const char* labels[4] = {"0,0", "0,400", "6000,400", "6000,0"};
        const UINT aligns[4] = {TA_RIGHT | TA_BOTTOM, TA_RIGHT | TA_TOP, TA_LEFT | TA_TOP, TA_LEFT | TA_BOTTOM};
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(labels[i]);
            const vyr::DrawRecord& t = texts[(size_t)i];
            EXPECT_EQ(t.text, labels[i]);
            EXPECT_EQ(CPoint(t.points[0]), corners[i]);
            EXPECT_EQ(t.state.textAlign, aligns[i]);
            EXPECT_STREQ(t.state.font.lfFaceName, "Arial");
            EXPECT_EQ(t.state.font.lfHeight, 10);
            EXPECT_EQ(t.state.font.lfWeight, 300);
        }
    });
    ScriptedUser::PressOK(kWeb);
    ScriptedUser::AnswerMessageBox(IDOK, "1根截面为H400x200,长度为6000mm杆件布置成功！");
    EXPECT_EQ(Define(), 1);
    ExpectHole(beam, {1, 1000, 200, 200, 500});
}

TEST_F(WebHole, RefusesAnOpeningOfNoSizeFirstThenOneReachingOutOfTheWeb)
{
    struct Case
    {
        const char* name;
        int kind;             // the radio clicked
        const char* values[4]; // x, y, height, width (null: left as it is)
        const char* refusal;  // null: accepted
        Hole made;
    };
    const Case cases[] = {
        {"the defaults fit", IDC_WEBHOLE_RECT, {"1000", "200", "200", "500"}, nullptr, {1, 1000, 200, 200, 500}},
        {"y 350 with height 200 reaches 450", IDC_WEBHOLE_RECT, {"1000", "350", "200", "500"}, "洞口位置不合理！", {}},
        {"width 0 is a size fault before the position", IDC_WEBHOLE_RECT, {"1000", "350", "200", "0"},
         "洞口大小不合理！", {}},
        {"height 0", IDC_WEBHOLE_RECT, {"1000", "200", "0", "500"}, "洞口大小不合理！", {}},
        {"corners on the web's edge fit", IDC_WEBHOLE_RECT, {"250", "100", "200", "500"}, nullptr,
         {1, 250, 100, 200, 500}},
        {"a circle past the member's end", IDC_WEBHOLE_CIRCLE, {"5900", "200", "250", nullptr}, "洞口位置不合理！", {}},
        {"a circle of diameter 0", IDC_WEBHOLE_CIRCLE, {"1000", "200", "0", nullptr}, "洞口大小不合理！", {}},
        {"a circle inside", IDC_WEBHOLE_CIRCLE, {"3000", "200", "250", nullptr}, nullptr, {2, 3000, 200, 250, 100}},
    };
    const CBeamWebHole before(1, 4000, 200, 100, 100);
    CBeam* first = Beam(600, &h400, &before);
    CBeam* second = Beam(600, &h400, &before);
    const int ids[4] = {IDC_WEBHOLE_X, IDC_WEBHOLE_Y, IDC_WEBHOLE_HEIGHT, IDC_WEBHOLE_WIDTH};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        for (CBeam* b : {first, second}) {
            delete b->m_pWebHole;
            b->m_pWebHole = new CBeamWebHole(before);
        }
        Click(c.kind);
        for (int i = 0; i < 4; ++i)
            if (c.values[i] != nullptr)
                Type(ids[i], c.values[i]);
        ScriptedUser::PressOK(kWeb);
        if (c.refusal != nullptr) {
            ScriptedUser::AnswerMessageBox(IDOK, c.refusal);
            ScriptedUser::PressCancel(kWeb); // the dialog is still open
            EXPECT_EQ(Define(), 0);
            EXPECT_EQ(Boxes(), std::vector<std::string>{c.refusal});
            for (CBeam* b : {first, second})
                ExpectHole(b, {1, 4000, 200, 100, 100});
        } else {
            ScriptedUser::AnswerMessageBox(IDOK, "2根截面为H400x200,长度为6000mm杆件布置成功！");
            EXPECT_EQ(Define(), 1);
            for (CBeam* b : {first, second})
                ExpectHole(b, c.made);
            EXPECT_NE(first->m_pWebHole, second->m_pWebHole) << "each member owns its opening";
        }
    }
}

TEST_F(WebHole, ATaperedWebFallsFromItsStartToItsEndSectionsHeight)
{
    CBeam* beam = Beam(600, taper.get()); // 6000 mm, 600 mm high at the start, 300 at the end
    CDlgBeamWebHole dlg;
    dlg.m_BeamList.AddTail(beam);
    In([](CDlgBeamWebHole& open) {
        const double web[4][2] = {{0, 0}, {0, 600}, {6000, 300}, {6000, 0}};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(open.m_ptWeb[i].x, web[i][0]) << i;
            EXPECT_EQ(open.m_ptWeb[i].y, web[i][1]) << i;
        }
        const auto texts = OfKind(Drawn(open), vyr::DrawKind::TextOut);
        ASSERT_EQ(texts.size(), 4u);
        EXPECT_EQ(texts[2].text, "6000,300");
    });
    // The square of a circle of 250 about (5800, 200) reaches y 325 at x 5925, where the web
    // is 303.75 high.
    Click(IDC_WEBHOLE_CIRCLE);
    Type(IDC_WEBHOLE_X, "5800");
    Type(IDC_WEBHOLE_Y, "200");
    Type(IDC_WEBHOLE_HEIGHT, "250");
    ScriptedUser::PressOK(kWeb);
    ScriptedUser::AnswerMessageBox(IDOK, "洞口位置不合理！");
    // At x 5625 the web is 318.75 high, above the square's 275.
    Type(IDC_WEBHOLE_X, "5500");
    Type(IDC_WEBHOLE_Y, "150");
    ScriptedUser::PressOK(kWeb);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ExpectHole(beam, {2, 5500, 150, 250, 500});
}

TEST_F(WebHole, OpensOnTheFirstMembersOpeningWithTheBoxesOfItsKind)
{
    struct Case
    {
        const char* name;
        const CBeamWebHole* hole;
        int radio;
        const char* values[4];
        bool enabled[4];
    };
    const CBeamWebHole rect(1, 2000, 150, 100, 300), circle(2, 2500, 180, 120, 999), odd(3, 1, 2, 3, 4);
    const Case cases[] = {
        {"rectangle", &rect, IDC_WEBHOLE_RECT, {"2000", "150", "100", "300"}, {true, true, true, true}},
        {"circle: the width keeps its default", &circle, IDC_WEBHOLE_CIRCLE, {"2500", "180", "120", "500"},
         {true, true, true, false}},
        {"none", nullptr, IDC_WEBHOLE_NONE, {"1000", "200", "200", "500"}, {false, false, false, false}},
        {"another type keeps the defaults", &odd, IDC_WEBHOLE_RECT, {"1000", "200", "200", "500"},
         {true, true, true, true}},
    };
    const int ids[4] = {IDC_WEBHOLE_X, IDC_WEBHOLE_Y, IDC_WEBHOLE_HEIGHT, IDC_WEBHOLE_WIDTH};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        beams.RemoveAll();
        Beam(600, &h400, c.hole);
        In([&](CDlgBeamWebHole& dlg) {
            EXPECT_EQ(dlg.IsDlgButtonChecked(c.radio), BST_CHECKED);
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(Text(dlg, ids[i]), CString(c.values[i])) << ids[i];
                EXPECT_EQ(Enabled(dlg, ids[i]), c.enabled[i]) << ids[i];
            }
        });
        EXPECT_EQ(Define(), 0);
    }

    // The kinds switch the boxes as they open them.
    struct Switch
    {
        int radio;
        bool enabled[4];
    };
    const Switch switches[] = {{IDC_WEBHOLE_NONE, {false, false, false, false}},
                               {IDC_WEBHOLE_CIRCLE, {true, true, true, false}},
                               {IDC_WEBHOLE_RECT, {true, true, true, true}}};
    ScriptedUser::Reset();
    for (const Switch& sw : switches) {
        Click(sw.radio);
        In([&](CDlgBeamWebHole& dlg) {
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(Enabled(dlg, ids[i]), sw.enabled[i]) << sw.radio << " " << ids[i];
        });
    }
    EXPECT_EQ(Define(), 0);
}

TEST_F(WebHole, NoOpeningRemovesTheOpeningsOfEveryListedMember)
{
    const CBeamWebHole rect(1, 2000, 150, 100, 300), circle(2, 2500, 180, 120, 500);
    CBeam* a = Beam(600, &h400, &rect);
    CBeam* b = Beam(600, &h400, &circle);
    CBeam* longer = Beam(700, &h400, &rect); // another length: not listed
    Click(IDC_WEBHOLE_NONE);
    ScriptedUser::PressOK(kWeb);
    ScriptedUser::AnswerMessageBox(IDOK, "2根截面为H400x200,长度为6000mm杆件布置成功！");
    EXPECT_EQ(Define(), 1);
    EXPECT_EQ(a->m_pWebHole, nullptr);
    EXPECT_EQ(b->m_pWebHole, nullptr);
    ExpectHole(longer, {1, 2000, 150, 100, 300});
}

TEST_F(WebHole, ACircleTakesTheWidthBoxAsItStands)
{
    CBeam* beam = Beam(600, &h400);
    // The default width.
    Click(IDC_WEBHOLE_CIRCLE);
    Type(IDC_WEBHOLE_HEIGHT, "250");
    ScriptedUser::PressOK(kWeb);
    ScriptedUser::AnswerMessageBox(IDOK);
    EXPECT_EQ(Define(), 1);
    ExpectHole(beam, {2, 1000, 200, 250, 500});

    // A width typed for a rectangle stays when the kind turns to a circle.
    ScriptedUser::Reset();
    Click(IDC_WEBHOLE_RECT);
    Type(IDC_WEBHOLE_WIDTH, "800");
    Click(IDC_WEBHOLE_CIRCLE);
    ScriptedUser::PressOK(kWeb);
    ScriptedUser::AnswerMessageBox(IDOK);
    EXPECT_EQ(Define(), 1);
    ExpectHole(beam, {2, 1000, 200, 250, 800});
}

TEST_F(WebHole, TextThatIsNotANumberKeepsTheDialogOpenAndTheMembersAsTheyWere)
{
    const CBeamWebHole rect(1, 2000, 150, 100, 300);
    CBeam* beam = Beam(600, &h400, &rect);
    Type(IDC_WEBHOLE_Y, "abc");
    ScriptedUser::PressOK(kWeb);
    ScriptedUser::AnswerMessageBox(IDOK, "请输入一个数字。");
    ScriptedUser::PressCancel(kWeb);
    EXPECT_EQ(Define(), 0);
    ExpectHole(beam, {1, 2000, 150, 100, 300});
}

TEST_F(WebHole, EnterPreviewsTheTypedOpeningWhiteWithARedCentreMark)
{
    Beam(600, &h400);
    const std::string png = (std::filesystem::path(::testing::TempDir()) / "web-opening-preview-test.png").string();
    Click(IDC_WEBHOLE_RECT);
    Type(IDC_WEBHOLE_X, "3000");
    Type(IDC_WEBHOLE_WIDTH, "1000");
    ScriptedUser::PressKey(VK_RETURN, kWeb); // the default button "预览" reads the boxes
    In([&](CDlgBeamWebHole& dlg) {
        EXPECT_EQ(dlg.m_fX, 3000.0f);
        EXPECT_EQ(dlg.m_fWidth, 1000.0f);
        CRect client;
        dlg.GetDlgItem(IDC_WEBHOLE_PREVIEW)->GetClientRect(&client);
        const double scale = 0.7 * client.Width() / 6000.0;
        const CPoint mid = client.CenterPoint();
        // The opening 2500..3500 x 100..300 mm about the web's centre (3000, 200).
        auto px = [&](double x, double y) {
            return CPoint((int)std::trunc(mid.x + (x - 3000) * scale), (int)std::trunc(mid.y + (y - 200) * scale));
        };
        const std::vector<vyr::DrawRecord> drawn = Drawn(dlg);
        const auto polygons = OfKind(drawn, vyr::DrawKind::Polygon);
        ASSERT_EQ(polygons.size(), 2u);
        const CPoint hole[4] = {px(2500, 100), px(3500, 100), px(3500, 300), px(2500, 300)};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(CPoint(polygons[1].points[(size_t)i]), hole[i]) << i;
        EXPECT_EQ(polygons[1].state.brush.lbColor, RGB(255, 255, 255));
        const auto rects = OfKind(drawn, vyr::DrawKind::Rectangle);
        ASSERT_EQ(rects.size(), 2u);
        const CPoint c = px(3000, 200);
        EXPECT_EQ(CRect(rects[1].rect), CRect(c.x - 2, c.y - 2, c.x + 2, c.y + 2));
        EXPECT_EQ(rects[1].state.brush.lbColor, RGB(255, 0, 0));

        const vyr::Image img = vyr::RenderRecords(drawn, client.Width(), client.Height(), RGB(0, 0, 0));
        ASSERT_TRUE(vyr::WritePng(png, img));
        vyr::Image back;
        ASSERT_TRUE(vyr::ReadPng(png, back));
        EXPECT_EQ(back.GetPixel(c.x, c.y), RGB(255, 0, 0));
        EXPECT_EQ(back.GetPixel(px(2700, 200).x, c.y), RGB(255, 255, 255));
    });
    // A circle is drawn through its square.
    Click(IDC_WEBHOLE_CIRCLE);
    Type(IDC_WEBHOLE_HEIGHT, "300");
    Click(IDC_WEBHOLE_DRAW);
    In([](CDlgBeamWebHole& dlg) {
        const auto ellipses = OfKind(Drawn(dlg), vyr::DrawKind::Ellipse);
        ASSERT_EQ(ellipses.size(), 1u);
        const CRect r(ellipses[0].rect);
        EXPECT_NEAR(r.Width(), 300 * dlg.m_dScale, 1.0);
        EXPECT_NEAR(r.Height(), 300 * dlg.m_dScale, 1.0);
        EXPECT_EQ(ellipses[0].state.brush.lbColor, RGB(255, 255, 255));
    });
    EXPECT_EQ(Define(), 0);
}
