// A host with a plan view, a snap manager it hands out and model objects the tests place by
// their screen positions: model (x, y, z) shows at client pixel (100 + x, 500 - y).
#pragma once

#include <memory>
#include <vector>

#include <vyr/protocol/HostMessages.h>
#include <vyr/operators/SnapManager.h>
#include "support/TestHost.h"

namespace snaptest {

inline void SetPlanView(CGlobalData& data)
{
    CMatrix3D& m3 = data.Matrix3D();
    m3.Identity();
    m3(1, 1) = 0.0; // model y goes to the projection plane's second axis,
    m3(1, 2) = 1.0;
    m3(2, 1) = 1.0; // model z is the depth
    m3(2, 2) = 0.0;
    CMatrix2D& m2 = data.Matrix2D();
    m2.Identity();
    m2(1, 1) = -1.0;
    m2(2, 0) = 100.0;
    m2(2, 1) = 500.0;
}

// The model point that shows at a client pixel, at height z.
inline CPoint3D AtPixel(double sx, double sy, double z = 0.0) { return CPoint3D(sx - 100.0, 500.0 - sy, z); }

struct SnapWorld
{
    // Declared before the host: operators that the host's manager deletes last still find
    // the snap manager, and the lists never outlive their objects.
    std::vector<std::unique_ptr<CPNode>> nodes;
    std::vector<std::unique_ptr<CBeam>> beams;
    std::vector<std::unique_ptr<CWall>> walls;
    CSnapManager snap;
    vyrtest::CTestHost host{800, 600};

    SnapWorld()
    {
        SetPlanView(host.GlobalData());
        snap.Init(&host.GlobalData());
        host.SetAnswer(WM_UI_GETSNAPMANAGER, (LRESULT)&snap);
    }
    CGlobalData& Data() { return host.GlobalData(); }

    CPNode* AddNode(const CPoint3D& pt, bool listed = true)
    {
        nodes.push_back(std::make_unique<CPNode>((int)nodes.size() + 1, pt));
        if (listed)
            host.m_shownNodes.AddTail(nodes.back().get());
        return nodes.back().get();
    }
    CBeam* AddBeam(const CPoint3D& a, const CPoint3D& b, bool listed = true)
    {
        CPNode* n1 = AddNode(a, false);
        CPNode* n2 = AddNode(b, false);
        beams.push_back(std::make_unique<CBeam>((int)beams.size() + 1, n1, n2, 2));
        if (listed)
            host.m_shownBeams.AddTail(beams.back().get());
        return beams.back().get();
    }
};

} // namespace snaptest
