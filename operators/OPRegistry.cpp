#include "operators/OPRegistry.h"

#include "operators/OP.h"
#include "operators/OPPt.h"
#include "operators/OPPt3.h"
#include "operators/OPSelect.h"
#include "operators/OPSelectAxis.h"
#include "operators/OPSelectKinds.h"
#include "operators/OPSelectTwoKinds.h"
#include "operators/OPView.h"

namespace {

// The one place that fixes the order of registration. A class that is added to the library
// fills in its create function here; rows without one are skipped.
const COPClassEntry g_OPClasses[] = {
    {"OP", &COP::COPCreate},
    {"OP.Pt", &COPPt::COPPtCreate},
    {"OP.Pt2", &COPPt2::COPPt2Create},
    {"OP.Pt2StructSketch", &COPPt2StructSketch::COPPt2StructSketchCreate},
    {"OP.Pt3", &COPPt3::COPPt3Create},
    {"OP.Select", &COPSelect::COPSelectCreate},
    {"OP.SelectBeam", &COPSelectBeam::COPSelectBeamCreate},
    {"OP.SelectNode", &COPSelectNode::COPSelectNodeCreate},
    {"OP.SelectPlane", &COPSelectPlane::COPSelectPlaneCreate},
    {"OP.SelectWall", &COPSelectWall::COPSelectWallCreate},
    {"OP.SelectBeamAndWall", &COPSelectBeamAndWall::COPSelectBeamAndWallCreate},
    {"OP.SelectAxis", &COPSelectAxis::COPSelectAxisCreate},
    {"OP.SelectAxisSeq", &COPSelectAxisSeq::COPSelectAxisSeqCreate},
    {"OP.SelectNodeAndAxisPt", &COPSelectNodeAndAxisPt::COPSelectNodeAndAxisPtCreate},
    {"OP.SelectBCInWall", &COPSelectBCInWall::COPSelectBCInWallCreate},
    {"OP.ViewPan", &COPViewPan::COPViewPanCreate},
    {"OP.ViewZoom", &COPViewZoom::COPViewZoomCreate},
    {"OP.ViewFree", &COPViewFree::COPViewFreeCreate},
    {"OP.ViewWindow", &COPViewWindow::COPViewWindowCreate},
};

// Registration at library load, before the host calls into the library.
struct COPClassRegistrar
{
    COPClassRegistrar() { RegisterOPClasses(); }
} g_OPClassRegistrar;

} // namespace

const COPClassEntry* GetOPClassTable(int* count)
{
    if (count)
        *count = (int)(sizeof(g_OPClasses) / sizeof(g_OPClasses[0]));
    return g_OPClasses;
}

void RegisterOPClasses()
{
    for (const COPClassEntry& row : g_OPClasses)
        if (row.create) {
            CObjRuntime reg(CString(row.type), row.create);
            (void)reg;
        }
}
