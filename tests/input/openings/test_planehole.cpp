// The room opening dialog through the key "Prop.PlaneHoleDefine": one room (its edges, the
// opening it already has, the checks, the opening made from the first vertex, the preview)
// and several rooms at once (the count of those that fit, the dialog kept open, and what
// leaving it then reports).
#include <cmath>
#include <filesystem>
#include <string>

#include "OpeningsTest.h"
#include <vyr/input/DlgPlaneHoleDefine.h>
#include <vyr/raster.h>
#include <vyr/resources/dialogs/PlaneHoleRes.h>

using namespace openingstest;

namespace {

constexpr UINT kRoom = IDD_PLANEHOLE;

class PlaneHole : public OpeningsTest
{
protected:
    CPlaneList rooms; // the selection the key runs on

    void SetUp() override
    {
        OpeningsTest::SetUp();
        d.ProgramType() = 0;
    }

    // A room with these corners (cm), selected; its node list holds the corners too,
    // starting at corner nodeStart (from 0) and followed by the extra nodes.
    CPlane* Room(std::vector<CPoint2D> corners, int nodeStart = 0, std::vector<CPoint2D> extra = {})
    {
        auto* p = new CPlane;
        p->m_nNo = (int)s.m_pPlaneList->GetCount() + 1;
        std::vector<CPNode*> made;
        for (const CPoint2D& c : corners) {
            made.push_back(Node(c.x, c.y, 300));
            p->m_pVexNodeList->AddTail(made.back());
        }
        for (size_t i = 0; i < made.size(); ++i)
            p->m_pNodeList->AddTail(made[(i + (size_t)nodeStart) % made.size()]);
        for (const CPoint2D& c : extra)
            p->m_pNodeList->AddTail(Node(c.x, c.y, 300));
        s.m_pPlaneList->AddTail(p);
        rooms.AddTail(p);
        return p;
    }
    // A square of that side (cm) with its first corner at the origin and its first edge along x.
    CPlane* Square(double side, int nodeStart = 0, std::vector<CPoint2D> extra = {})
    {
        return Room({CPoint2D(0, 0), CPoint2D(side, 0), CPoint2D(side, side), CPoint2D(0, side)}, nodeStart, extra);
    }
    int Define() { return Key("Prop.PlaneHoleDefine", &rooms); }

    static void Type(int id, const char* text) { ScriptedUser::SetText(id, text, kRoom); }
    static void Click(int id) { ScriptedUser::Click(id, kRoom); }
    static void In(std::function<void(CDlgPlaneHoleDefine&)> fn)
    {
        OpeningsTest::In<CDlgPlaneHoleDefine>(kRoom, std::move(fn));
    }
    // The kind, then the offsets and the size (null: left as it is), in display units.
    static void Opening(int kind, const char* x, const char* y, const char* h, const char* w = nullptr)
    {
        Click(kind);
        const std::pair<int, const char*> boxes[] = {
            {IDC_PLANEHOLE_X, x}, {IDC_PLANEHOLE_Y, y}, {IDC_PLANEHOLE_HEIGHT, h}, {IDC_PLANEHOLE_WIDTH, w}};
        for (const auto& [id, text] : boxes)
            if (text != nullptr)
                Type(id, text);
    }
    static CHoleRect* Rect(CPlane* p) { return dynamic_cast<CHoleRect*>(p->m_pHole); }
    static CHoleCircle* Circle(CPlane* p) { return dynamic_cast<CHoleCircle*>(p->m_pHole); }
    static void ExpectCorners(const CHole* hole, const double (&corners)[4][2])
    {
        ASSERT_NE(hole, nullptr);
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(hole->GetVexPt(i + 1).x, corners[i][0], 1e-6) << "corner " << i + 1;
            EXPECT_NEAR(hole->GetVexPt(i + 1).y, corners[i][1], 1e-6) << "corner " << i + 1;
        }
    }
};

} // namespace

TEST_F(PlaneHole, OneRoomListsItsEdgesInOrderAndOpensWithoutAnOpening)
{
    // Ten corners on a circle: the tenth item is edge 10, from corner 10 back to corner 1.
    std::vector<CPoint2D> corners;
    for (int i = 0; i < 10; ++i)
        corners.emplace_back(300 * std::cos(i * M_PI / 5), 300 * std::sin(i * M_PI / 5));
    Room(corners);
    In([](CDlgPlaneHoleDefine& dlg) {
        CString caption;
        dlg.GetWindowText(caption);
        EXPECT_EQ(caption, CString("房间开洞设置"));
        auto* edges = static_cast<CComboBox*>(dlg.GetDlgItem(IDC_PLANEHOLE_EDGE));
        ASSERT_EQ(edges->GetCount(), 10);
        for (int i = 0; i < 10; ++i) {
            CString item;
            edges->GetLBText(i, item);
            EXPECT_EQ(item, VyrFormat("平行于第%d条边", i + 1).c_str()) << i;
        }
        EXPECT_EQ(edges->GetCurSel(), 0);
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_PLANEHOLE_NONE), BST_CHECKED);
        for (int id : {IDC_PLANEHOLE_X, IDC_PLANEHOLE_Y, IDC_PLANEHOLE_HEIGHT, IDC_PLANEHOLE_WIDTH, IDC_PLANEHOLE_EDGE})
            EXPECT_FALSE(Enabled(dlg, id)) << id;
        EXPECT_TRUE(Enabled(dlg, IDC_PLANEHOLE_DRAW));
        EXPECT_TRUE(Enabled(dlg, IDC_PLANEHOLE_SHOWNODES));
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_PLANEHOLE_SHOWNODES), BST_CHECKED);
        EXPECT_EQ(dlg.m_nVexNum, 10);
    });
    Click(IDC_PLANEHOLE_RECT);
    ScriptedUser::SelectRow(IDC_PLANEHOLE_EDGE, 9, kRoom);
    In([](CDlgPlaneHoleDefine& dlg) {
        EXPECT_EQ(dlg.m_nEdge, 9);
        // From corner 10 at 324 degrees to corner 1 at 0: the chord runs at 72 degrees.
        EXPECT_NEAR(dlg.m_dAngle, 72 * M_PI / 180, 1e-12);
    });
    ScriptedUser::PressCancel(kRoom);
    EXPECT_EQ(Define(), 0);
}

TEST_F(PlaneHole, ARectangleOrACircleMustLieInsideTheRoom)
{
    struct Case
    {
        const char* name;
        int kind;
        const char* values[4]; // X, Y, height or radius, width (mm)
        int edgeRow;
        const char* refusal;   // null: made
        double corners[4][2];  // of the rectangle made (cm), or the circle's centre and radius
    };
    const Case cases[] = {
        {"rectangle along the first edge", IDC_PLANEHOLE_RECT, {"1000", "1000", "1000", "2000"}, 0, nullptr,
         {{100, 100}, {300, 100}, {300, 200}, {100, 200}}},
        {"its second corner outside", IDC_PLANEHOLE_RECT, {"5000", "1000", "1000", "2000"}, 0, "洞口位置不合理！", {}},
        {"along the second edge it turns by 90 degrees", IDC_PLANEHOLE_RECT, {"1000", "1000", "1000", "2000"}, 1,
         nullptr, {{100, 100}, {100, 300}, {0, 300}, {0, 100}}},
        {"width 0", IDC_PLANEHOLE_RECT, {"1000", "1000", "1000", "0"}, 0, "洞口大小不合理！", {}},
        {"circle", IDC_PLANEHOLE_CIRCLE, {"3000", "3000", "1000", nullptr}, 0, nullptr, {{300, 300}, {100, 0}}},
        {"circle of radius 0", IDC_PLANEHOLE_CIRCLE, {"3000", "3000", "0", nullptr}, 0, "洞口大小不合理！", {}},
        {"circle over the first edge", IDC_PLANEHOLE_CIRCLE, {"3000", "500", "1000", nullptr}, 0, "洞口位置不合理！", {}},
    };
    CPlane* room = Square(600); // 6000 mm
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        // The room's earlier opening, which a new one replaces.
        delete room->m_pHole;
        auto* before = new CHoleRect(400, 400, 50, 50, 0.0, 0, room);
        room->m_pHole = before;
        Opening(c.kind, c.values[0], c.values[1], c.values[2], c.values[3]);
        ScriptedUser::SelectRow(IDC_PLANEHOLE_EDGE, c.edgeRow, kRoom);
        ScriptedUser::PressOK(kRoom);
        if (c.refusal != nullptr) {
            ScriptedUser::AnswerMessageBox(IDOK, c.refusal);
            ScriptedUser::PressCancel(kRoom);
            EXPECT_EQ(Define(), 0);
            EXPECT_EQ(room->m_pHole, before) << "the room keeps its opening";
            EXPECT_EQ(before->m_dX, 400.0);
            continue;
        }
        EXPECT_EQ(Define(), 1);
        EXPECT_TRUE(Boxes().empty()) << "no message after one room";
        if (c.kind == IDC_PLANEHOLE_RECT) {
            const CHoleRect* r = Rect(room);
            ASSERT_NE(r, nullptr);
            EXPECT_EQ(r->GetKind(), 1);
            EXPECT_DOUBLE_EQ(r->m_dX, 100);
            EXPECT_DOUBLE_EQ(r->m_dY, 100);
            EXPECT_DOUBLE_EQ(r->m_dV, 100);
            EXPECT_DOUBLE_EQ(r->m_dH, 200);
            EXPECT_EQ(r->m_nRefEdge, c.edgeRow);
            EXPECT_NEAR(r->m_dAngle, c.edgeRow * M_PI / 2, 1e-12);
            ExpectCorners(r, c.corners);
            EXPECT_EQ(r->GetVexPt(1).z, 300.0) << "in the room's plane";
        } else {
            const CHoleCircle* h = Circle(room);
            ASSERT_NE(h, nullptr);
            EXPECT_EQ(h->GetKind(), 2);
            EXPECT_DOUBLE_EQ(h->m_ptCenter.x, c.corners[0][0]);
            EXPECT_DOUBLE_EQ(h->m_ptCenter.y, c.corners[0][1]);
            EXPECT_DOUBLE_EQ(h->m_dR, c.corners[1][0]);
        }
    }
}

TEST_F(PlaneHole, NoOpeningRemovesTheRoomsOpeningOrEndsWithoutAWord)
{
    CPlane* room = Square(600);
    ScriptedUser::PressOK(kRoom); // opens on "无"
    EXPECT_EQ(Define(), 1);
    EXPECT_EQ(room->m_pHole, nullptr);
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());

    ScriptedUser::Reset();
    room->m_pHole = new CHoleCircle(CPoint3D(), 300, 300, 100);
    Click(IDC_PLANEHOLE_NONE);
    ScriptedUser::PressOK(kRoom);
    EXPECT_EQ(Define(), 1);
    EXPECT_EQ(room->m_pHole, nullptr);
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
}

TEST_F(PlaneHole, OpensOnTheRoomsOpeningInDisplayUnits)
{
    struct Case
    {
        const char* name;
        CHole* (*make)(CPlane*);
        int radio;
        const char* values[4];
        int edge;
        bool widthOn;
    };
    const Case cases[] = {
        {"rectangle on its edge", [](CPlane* p) -> CHole* { return new CHoleRect(100, 150, 50, 200, M_PI / 2, 1, p); },
         IDC_PLANEHOLE_RECT, {"1000", "1500", "500", "2000"}, 1, true},
        {"circle", [](CPlane*) -> CHole* { return new CHoleCircle(CPoint3D(), 250, 300, 75.5); }, IDC_PLANEHOLE_CIRCLE,
         {"2500", "3000", "755", "0"}, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        rooms.RemoveAll();
        CPlane* room = Square(600);
        room->m_pHole = c.make(room);
        In([&](CDlgPlaneHoleDefine& dlg) {
            EXPECT_EQ(dlg.IsDlgButtonChecked(c.radio), BST_CHECKED);
            const int ids[4] = {IDC_PLANEHOLE_X, IDC_PLANEHOLE_Y, IDC_PLANEHOLE_HEIGHT, IDC_PLANEHOLE_WIDTH};
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(Text(dlg, ids[i]), CString(c.values[i])) << ids[i];
            EXPECT_EQ(static_cast<CComboBox*>(dlg.GetDlgItem(IDC_PLANEHOLE_EDGE))->GetCurSel(), c.edge);
            EXPECT_TRUE(Enabled(dlg, IDC_PLANEHOLE_EDGE));
            EXPECT_EQ(Enabled(dlg, IDC_PLANEHOLE_WIDTH), c.widthOn);
        });
        EXPECT_EQ(Define(), 0);
    }
}

TEST_F(PlaneHole, TheOpeningIsPlacedFromTheFirstVertexWhereverTheNodeListStarts)
{
    // The node list starts at the far corner (600, 600) and holds a node halfway along the
    // first edge: what is checked from the first vertex is what is made and drawn.
    CPlane* room = Square(600, 2, {CPoint2D(300, 0)});
    Opening(IDC_PLANEHOLE_CIRCLE, "1000", "1000", "500");
    Click(IDC_PLANEHOLE_DRAW);
    In([](CDlgPlaneHoleDefine& dlg) {
        const auto ellipses = OfKind(Drawn(dlg), vyr::DrawKind::Ellipse);
        ASSERT_EQ(ellipses.size(), 1u);
        // The circle about (100, 100) cm, the room's centre (300, 300) in the frame's middle.
        CRect client;
        dlg.GetDlgItem(IDC_PLANEHOLE_PREVIEW)->GetClientRect(&client);
        const double scale = 0.7 * std::min(client.Width(), client.Height()) / 600.0;
        const CPoint centre = CRect(ellipses[0].rect).CenterPoint();
        EXPECT_NEAR(centre.x, (client.left + client.right) / 2 - 200 * scale, 1.0);
        EXPECT_NEAR(centre.y, (client.top + client.bottom) / 2 + 200 * scale, 1.0);
    });
    ScriptedUser::PressOK(kRoom);
    EXPECT_EQ(Define(), 1);
    const CHoleCircle* circle = Circle(room);
    ASSERT_NE(circle, nullptr);
    EXPECT_DOUBLE_EQ(circle->m_ptCenter.x, 100);
    EXPECT_DOUBLE_EQ(circle->m_ptCenter.y, 100);
    EXPECT_DOUBLE_EQ(circle->m_dR, 50);

    ScriptedUser::Reset();
    Opening(IDC_PLANEHOLE_RECT, "1000", "1000", "1000", "2000");
    ScriptedUser::PressOK(kRoom);
    EXPECT_EQ(Define(), 1);
    ExpectCorners(Rect(room), {{100, 100}, {300, 100}, {300, 200}, {100, 200}});
}

TEST_F(PlaneHole, SeveralRoomsGetTheOpeningWhereItFitsAndLeavingReportsTheChange)
{
    CPlane* a = Square(600);
    CPlane* b = Square(600);
    CPlane* small = Square(150); // 1500 mm: the 2000 mm wide rectangle does not fit
    In([&](CDlgPlaneHoleDefine& dlg) {
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_PLANEHOLE_NONE), BST_CHECKED);
        EXPECT_FALSE(Enabled(dlg, IDC_PLANEHOLE_DRAW));
        EXPECT_FALSE(Enabled(dlg, IDC_PLANEHOLE_SHOWNODES));
        const auto texts = OfKind(Drawn(dlg), vyr::DrawKind::TextOut);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "多房间开洞");
        EXPECT_EQ(CPoint(texts[0].points[0]), CPoint(100, 120));
    });
    Opening(IDC_PLANEHOLE_RECT, "1000", "1000", "1000", "2000");
    ScriptedUser::PressOK(kRoom);
    ScriptedUser::AnswerMessageBox(IDOK, "2个洞开洞成功,1个洞开洞未成功!");
    In([&](CDlgPlaneHoleDefine& dlg) {
        ASSERT_EQ(dlg.m_FitPlaneList.GetCount(), 2);
        EXPECT_EQ(dlg.m_FitPlaneList.Get(1), a);
        EXPECT_EQ(dlg.m_FitPlaneList.Get(2), b);
        EXPECT_NE(Rect(a), nullptr) << "the fitting rooms have their opening already";
        EXPECT_NE(Rect(b), nullptr);
        EXPECT_EQ(small->m_pHole, nullptr);
    });
    ScriptedUser::PressCancel(kRoom);
    EXPECT_EQ(Define(), 1) << "rooms changed before Cancel";
    EXPECT_EQ(ScriptedUser::MessageBoxes().back().flags, (UINT)MB_OK);
    ExpectCorners(Rect(a), {{100, 100}, {300, 100}, {300, 200}, {100, 200}});
    EXPECT_NE(a->m_pHole, b->m_pHole) << "each room owns its opening";

    // Every room rectangular: the dialog opens on a rectangle of zeros; when all fit it ends.
    ScriptedUser::Reset();
    rooms.RemoveAll();
    rooms.AddTail(a);
    rooms.AddTail(b);
    In([](CDlgPlaneHoleDefine& dlg) {
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_PLANEHOLE_RECT), BST_CHECKED);
        EXPECT_EQ(Text(dlg, IDC_PLANEHOLE_X), CString("0"));
        EXPECT_TRUE(Enabled(dlg, IDC_PLANEHOLE_WIDTH));
    });
    Opening(IDC_PLANEHOLE_CIRCLE, "3000", "3000", "1000");
    ScriptedUser::PressOK(kRoom);
    ScriptedUser::AnswerMessageBox(IDOK, "开洞成功!");
    EXPECT_EQ(Define(), 1);
    for (CPlane* p : {a, b}) {
        ASSERT_NE(Circle(p), nullptr);
        EXPECT_DOUBLE_EQ(Circle(p)->m_dR, 100);
    }
}

TEST_F(PlaneHole, SeveralRoomsCountASizeFaultAndAMissingEdgeAsFailures)
{
    CPlane* square = Square(600);
    CPlane* triangle = Room({CPoint2D(0, 0), CPoint2D(600, 0), CPoint2D(0, 600)});
    // A radius of 0: the size message once per room, nothing changed, Cancel says so.
    Opening(IDC_PLANEHOLE_CIRCLE, "1000", "1000", "0");
    ScriptedUser::PressOK(kRoom);
    ScriptedUser::AnswerMessageBox(IDOK, "洞口大小不合理！");
    ScriptedUser::AnswerMessageBox(IDOK, "洞口大小不合理！");
    ScriptedUser::AnswerMessageBox(IDOK, "0个洞开洞成功,2个洞开洞未成功!");
    ScriptedUser::PressCancel(kRoom);
    EXPECT_EQ(Define(), 0);
    EXPECT_EQ(square->m_pHole, nullptr);
    EXPECT_EQ(triangle->m_pHole, nullptr);

    // The fourth edge: the triangle has none, and fails without a word of its own.
    ScriptedUser::Reset();
    Opening(IDC_PLANEHOLE_RECT, "1000", "1000", "500", "500");
    ScriptedUser::SelectRow(IDC_PLANEHOLE_EDGE, 3, kRoom);
    ScriptedUser::PressOK(kRoom);
    ScriptedUser::AnswerMessageBox(IDOK, "1个洞开洞成功,1个洞开洞未成功!");
    ScriptedUser::PressCancel(kRoom);
    EXPECT_EQ(Define(), 1);
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
    const CHoleRect* r = Rect(square);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->m_nRefEdge, 3);
    EXPECT_NEAR(r->m_dAngle, -M_PI / 2, 1e-12); // from (0, 600) down to (0, 0)
    EXPECT_EQ(triangle->m_pHole, nullptr);

    // "无" takes every room's opening away at once.
    ScriptedUser::Reset();
    triangle->m_pHole = new CHoleCircle(CPoint3D(), 100, 100, 50);
    Click(IDC_PLANEHOLE_NONE);
    ScriptedUser::PressOK(kRoom);
    EXPECT_EQ(Define(), 1);
    EXPECT_EQ(square->m_pHole, nullptr);
    EXPECT_EQ(triangle->m_pHole, nullptr);
    EXPECT_TRUE(ScriptedUser::MessageBoxes().empty());
}

TEST_F(PlaneHole, SeveralRoomsOpenOnTheKindTheyShare)
{
    struct Case
    {
        const char* name;
        int kinds[2]; // 0 none, 1 rectangle, 2 circle
        int radio;
        bool widthOn, othersOn;
    };
    const Case cases[] = {
        {"all rectangles", {1, 1}, IDC_PLANEHOLE_RECT, true, true},
        {"all circles", {2, 2}, IDC_PLANEHOLE_CIRCLE, false, true},
        {"mixed", {1, 2}, IDC_PLANEHOLE_NONE, false, false},
        {"one without", {1, 0}, IDC_PLANEHOLE_NONE, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUser::Reset();
        rooms.RemoveAll();
        for (int kind : c.kinds) {
            CPlane* p = Square(600);
            if (kind == 1)
                p->m_pHole = new CHoleRect(100, 100, 100, 100, 0.0, 0, p);
            else if (kind == 2)
                p->m_pHole = new CHoleCircle(CPoint3D(), 300, 300, 100);
        }
        In([&](CDlgPlaneHoleDefine& dlg) {
            EXPECT_EQ(dlg.IsDlgButtonChecked(c.radio), BST_CHECKED);
            EXPECT_EQ(Enabled(dlg, IDC_PLANEHOLE_WIDTH), c.widthOn);
            for (int id : {IDC_PLANEHOLE_X, IDC_PLANEHOLE_Y, IDC_PLANEHOLE_HEIGHT, IDC_PLANEHOLE_EDGE})
                EXPECT_EQ(Enabled(dlg, id), c.othersOn) << id;
        });
        EXPECT_EQ(Define(), 0);
    }
}

TEST_F(PlaneHole, ThePreviewFillsTheRoomByItsKindAndMarksItsNodesEdgeAndOpening)
{
    CPlane* room = Square(600, 0, {CPoint2D(300, 0)});
    const std::string png = (std::filesystem::path(::testing::TempDir()) / "room-opening-preview-test.png").string();
    Opening(IDC_PLANEHOLE_RECT, "1000", "1000", "1000", "2000");
    ScriptedUser::SelectRow(IDC_PLANEHOLE_EDGE, 1, kRoom);
    ScriptedUser::SelectRow(IDC_PLANEHOLE_EDGE, 0, kRoom); // back to the first edge
    In([&](CDlgPlaneHoleDefine& dlg) {
        CRect client;
        dlg.GetDlgItem(IDC_PLANEHOLE_PREVIEW)->GetClientRect(&client);
        const double scale = 0.7 * std::min(client.Width(), client.Height()) / 600.0;
        const int midX = (client.left + client.right) / 2, midY = (client.top + client.bottom) / 2;
        auto px = [&](double x, double y) {
            return CPoint((int)std::trunc(midX + (x - 300) * scale), (int)std::trunc(midY - (y - 300) * scale));
        };

        // The fill follows the room's kind code.
        const std::pair<int, COLORREF> fills[] = {{1, RGB(226, 232, 232)}, {3, RGB(252, 252, 210)},
                                                  {5, RGB(252, 252, 210)}, {0, RGB(255, 255, 255)}};
        for (const auto& [kind, colour] : fills) {
            room->m_nShapeKind = kind;
            const auto polygons = OfKind(Drawn(dlg), vyr::DrawKind::Polygon);
            ASSERT_EQ(polygons.size(), 2u) << "the room and the opening";
            EXPECT_EQ(polygons[0].state.brush.lbColor, colour) << kind;
        }
        room->m_nShapeKind = 1;
        const std::vector<vyr::DrawRecord> drawn = Drawn(dlg);
        const auto rects = OfKind(drawn, vyr::DrawKind::Rectangle);
        EXPECT_EQ(CRect(rects.at(0).rect), client);
        const auto polygons = OfKind(drawn, vyr::DrawKind::Polygon);
        const CPoint roomCorners[4] = {px(0, 0), px(600, 0), px(600, 600), px(0, 600)};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(CPoint(polygons[0].points.at((size_t)i)), roomCorners[i]) << i;

        // The reference edge: red, two pixels.
        const auto lines = OfKind(drawn, vyr::DrawKind::Line);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(CPoint(lines[0].points[0]), px(0, 0));
        EXPECT_EQ(CPoint(lines[0].points[1]), px(600, 0));
        EXPECT_EQ(lines[0].state.pen.lopnColor, RGB(255, 0, 0));
        EXPECT_EQ(lines[0].state.pen.lopnWidth.x, 2);

        // Five node marks, the first brighter, labelled in mm from node 1.
        ASSERT_EQ(rects.size(), 1u + 5u + 1u);
        const CPoint nodes[5] = {px(0, 0), px(600, 0), px(600, 600), px(0, 600), px(300, 0)};
        const char* labels[5] = {"(0.0,0.0)", "(6000.0,0.0)", "(6000.0,6000.0)", "(0.0,6000.0)", "(3000.0,0.0)"};
        const auto texts = OfKind(drawn, vyr::DrawKind::TextOut);
        ASSERT_EQ(texts.size(), 5u);
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(labels[i]);
            const CPoint& n = nodes[i];
            EXPECT_EQ(CRect(rects[(size_t)i + 1].rect), CRect(n.x - 3, n.y - 3, n.x + 3, n.y + 3));
            EXPECT_EQ(rects[(size_t)i + 1].state.brush.lbColor, i == 0 ? RGB(255, 0, 0) : RGB(192, 0, 0));
            EXPECT_EQ(texts[(size_t)i].text, labels[i]);
            EXPECT_EQ(CPoint(texts[(size_t)i].points[0]), CPoint(n.x + 3, n.y + 3));
            EXPECT_STREQ(texts[(size_t)i].state.font.lfFaceName, "Arial");
            EXPECT_EQ(texts[(size_t)i].state.font.lfHeight, -10);
            EXPECT_EQ(texts[(size_t)i].state.font.lfWeight, 300);
            EXPECT_EQ(texts[(size_t)i].state.textAlign, (UINT)(TA_LEFT | TA_TOP));
        }

        // The opening, white, with a red 7-pixel square at its first corner.
        const CPoint hole[4] = {px(100, 100), px(300, 100), px(300, 200), px(100, 200)};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(CPoint(polygons[1].points.at((size_t)i)), hole[i]) << i;
        EXPECT_EQ(polygons[1].state.brush.lbColor, RGB(255, 255, 255));
        EXPECT_EQ(CRect(rects.back().rect), CRect(hole[0].x - 3, hole[0].y - 3, hole[0].x + 4, hole[0].y + 4));
        EXPECT_EQ(rects.back().state.brush.lbColor, RGB(255, 0, 0));

        const vyr::Image img = vyr::RenderRecords(drawn, client.Width(), client.Height(), RGB(0, 0, 0));
        ASSERT_TRUE(vyr::WritePng(png, img));
        vyr::Image back;
        ASSERT_TRUE(vyr::ReadPng(png, back));
        const CPoint inRoom = px(450, 450), inHole = px(200, 150);
        EXPECT_EQ(back.GetPixel(inRoom.x, inRoom.y), RGB(226, 232, 232));
        EXPECT_EQ(back.GetPixel(inHole.x, inHole.y), RGB(255, 255, 255));
        EXPECT_EQ(back.GetPixel(hole[0].x, hole[0].y), RGB(255, 0, 0));
    });
    // Without the nodes: no marks, no labels.
    ScriptedUser::Check(IDC_PLANEHOLE_SHOWNODES, BST_UNCHECKED, kRoom);
    In([](CDlgPlaneHoleDefine& dlg) {
        const std::vector<vyr::DrawRecord> drawn = Drawn(dlg);
        EXPECT_TRUE(OfKind(drawn, vyr::DrawKind::TextOut).empty());
        EXPECT_EQ(OfKind(drawn, vyr::DrawKind::Rectangle).size(), 2u) << "the frame and the corner mark";
    });
    EXPECT_EQ(Define(), 0);
}

TEST_F(PlaneHole, TextThatIsNotANumberKeepsTheDialogOpenAndTheRoomAsItWas)
{
    CPlane* room = Square(600);
    Opening(IDC_PLANEHOLE_RECT, "abc", "1000", "1000", "2000");
    ScriptedUser::PressOK(kRoom);
    ScriptedUser::AnswerMessageBox(IDOK, "请输入一个数字。");
    ScriptedUser::PressCancel(kRoom);
    EXPECT_EQ(Define(), 0);
    EXPECT_EQ(room->m_pHole, nullptr);
}
