// A host with a plan view in which model (x, y, 0) shows at client pixel (x, y), model
// objects placed by their pixels and listed as the host's displayed objects, a property
// dialog that records what it was opened on, and the messages the host received reduced to
// the selection protocol.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <vyr/host/DlgProp.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/operators/OPSelect.h>
#include <vyr/operators/OPSelectAxis.h>
#include <vyr/operators/OPSelectKinds.h>
#include <vyr/operators/OPSelectTwoKinds.h>
#include "support/TestHost.h"

namespace seltest {

// Opens nothing: remembers each opening instead of running a modal loop.
class CRecordingDlgProp : public CDlgProp
{
public:
    INT_PTR DoModal() override
    {
        opened.push_back({m_pObject, m_nKind});
        return IDOK;
    }
    struct Opening
    {
        void* object;
        int kind;
    };
    std::vector<Opening> opened;
};

// Sees the frame that a selection operator draws on each move.
template <class Base>
class CFrameProbe : public Base
{
public:
    std::vector<bool> solid; // one entry per drawing
    CObj* Clone() const override { return new CFrameProbe(*this); }

protected:
    void DrawWhenMove() override
    {
        if (this->GetCurStep() == 1) // a rectangle is open
            solid.push_back(this->IsFrameSolid());
        Base::DrawWhenMove();
    }
};

struct SelectWorld : ::testing::Test
{
    // Model objects first, so that they outlive the host's operators and lists.
    std::vector<std::unique_ptr<CPNode>> nodes;
    std::vector<std::unique_ptr<CBeamBase>> beams;
    std::vector<std::unique_ptr<CWall>> walls;
    std::vector<std::unique_ptr<CPlane>> planes;
    CRecordingDlgProp dlg;
    vyrtest::CTestHost host{800, 600};
    CGlobalData& d = host.GlobalData();
    COPManager& m = host.OPManager();

    void SetUp() override
    {
        vyr::ScriptedUser::Reset();
        CMatrix3D& m3 = d.Matrix3D();
        m3.Identity();
        m3(1, 1) = 0.0;
        m3(1, 2) = 1.0;
        m3(2, 1) = 1.0;
        m3(2, 2) = 0.0;
        d.Matrix2D().Identity();
        host.SetAnswer(WM_UI_GETPROPDLG, (LRESULT)&dlg);
    }
    void TearDown() override { EXPECT_EQ(vyr::ScriptedUser::PendingSteps(), 0u); }

    CPNode* Node(int x, int y, bool shown = true)
    {
        nodes.push_back(std::make_unique<CPNode>((int)nodes.size() + 1, CPoint3D(x, y, 0)));
        if (shown)
            host.m_shownNodes.AddTail(nodes.back().get());
        return nodes.back().get();
    }
    template <class T = CBeam>
    T* Member(int x1, int y1, int x2, int y2)
    {
        CPNode* a = Node(x1, y1, false);
        CPNode* b = Node(x2, y2, false);
        T* beam;
        if constexpr (std::is_same_v<T, CBeam>)
            beam = new CBeam((int)beams.size() + 1, a, b, 2);
        else
            beam = new T((int)beams.size() + 1, a, b);
        beams.emplace_back(beam);
        host.m_shownBeams.AddTail(beam);
        return beam;
    }
    template <class T>
    T* Area(int x1, int y1, int x2, int y2)
    {
        T* area = new T;
        CPNodeList* corners = area->m_pVexNodeList;
        corners->AddTail(Node(x1, y1, false));
        corners->AddTail(Node(x2, y1, false));
        corners->AddTail(Node(x2, y2, false));
        corners->AddTail(Node(x1, y2, false));
        if constexpr (std::is_same_v<T, CWall>) {
            walls.emplace_back(area);
            host.m_shownWalls.AddTail(area);
        } else {
            planes.emplace_back(area);
            host.m_shownPlanes.AddTail(area);
        }
        return area;
    }
    CAxises& Axises() { return d.Struct()->Axises(); }

    // An operator of the view outside the manager.
    template <class T>
    void Attach(T& op)
    {
        op.SetParam(&host.View(), &d, &m);
    }

    static bool Click(COP& op, int x, int y, UINT keys = 0)
    {
        const bool used = op.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON | keys, CPoint(x, y), 0);
        op.MouseAction(OPMOUSE_LUP, keys, CPoint(x, y), 0);
        return used;
    }
    static bool Move(COP& op, int x, int y, UINT keys = 0) { return op.MouseAction(OPMOUSE_MOVE, keys, CPoint(x, y), 0); }

    // SELCHANGED as "SEL", each SHOWPANEL as its panel name, in order.
    std::vector<std::string> Protocol() const
    {
        std::vector<std::string> out;
        for (const vyrtest::HostMessage& msg : host.Messages()) {
            if (msg.message == WM_UI_SELCHANGED)
                out.push_back("SEL");
            else if (msg.message == WM_UI_SHOWPANEL)
                out.push_back(msg.text);
        }
        return out;
    }
    int Invalidations() { return vyr::GetWindowCounters(host.View().m_hWnd).invalidations; }

    template <class List>
    static std::vector<void*> Items(const List& list)
    {
        std::vector<void*> out;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
            out.push_back(list.GetNext(pos));
        return out;
    }
};

using Strings = std::vector<std::string>;
using Objects = std::vector<void*>;

} // namespace seltest
