#include <vyr/operators/OPRegistry.h>

#include <vyr/operators/OP.h>
#include <vyr/operators/OPPt.h>
#include <vyr/operators/OPPt3.h>
#include <vyr/operators/OPSelect.h>
#include <vyr/operators/OPSelectAxis.h>
#include <vyr/operators/OPSelectKinds.h>
#include <vyr/operators/OPSelectTwoKinds.h>
#include <vyr/operators/OPView.h>

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

} // namespace

// Registration at library load, before the host calls into the library. Definitions in one
// translation unit are initialised in the order written, so this is the order of the table.
const CObjRuntime COP::COPRuntime(CString("OP"), &COP::COPCreate);
const CObjRuntime COPPt::COPPtRuntime(CString("OP.Pt"), &COPPt::COPPtCreate);
const CObjRuntime COPPt2::COPPt2Runtime(CString("OP.Pt2"), &COPPt2::COPPt2Create);
const CObjRuntime COPPt2StructSketch::COPPt2StructSketchRuntime(CString("OP.Pt2StructSketch"), &COPPt2StructSketch::COPPt2StructSketchCreate);
const CObjRuntime COPPt3::COPPt3Runtime(CString("OP.Pt3"), &COPPt3::COPPt3Create);
const CObjRuntime COPSelect::COPSelectRuntime(CString("OP.Select"), &COPSelect::COPSelectCreate);
const CObjRuntime COPSelectBeam::COPSelectBeamRuntime(CString("OP.SelectBeam"), &COPSelectBeam::COPSelectBeamCreate);
const CObjRuntime COPSelectNode::COPSelectNodeRuntime(CString("OP.SelectNode"), &COPSelectNode::COPSelectNodeCreate);
const CObjRuntime COPSelectPlane::COPSelectPlaneRuntime(CString("OP.SelectPlane"), &COPSelectPlane::COPSelectPlaneCreate);
const CObjRuntime COPSelectWall::COPSelectWallRuntime(CString("OP.SelectWall"), &COPSelectWall::COPSelectWallCreate);
const CObjRuntime COPSelectBeamAndWall::COPSelectBeamAndWallRuntime(CString("OP.SelectBeamAndWall"), &COPSelectBeamAndWall::COPSelectBeamAndWallCreate);
const CObjRuntime COPSelectAxis::COPSelectAxisRuntime(CString("OP.SelectAxis"), &COPSelectAxis::COPSelectAxisCreate);
const CObjRuntime COPSelectAxisSeq::COPSelectAxisSeqRuntime(CString("OP.SelectAxisSeq"), &COPSelectAxisSeq::COPSelectAxisSeqCreate);
const CObjRuntime COPSelectNodeAndAxisPt::COPSelectNodeAndAxisPtRuntime(CString("OP.SelectNodeAndAxisPt"), &COPSelectNodeAndAxisPt::COPSelectNodeAndAxisPtCreate);
const CObjRuntime COPSelectBCInWall::COPSelectBCInWallRuntime(CString("OP.SelectBCInWall"), &COPSelectBCInWall::COPSelectBCInWallCreate);
const CObjRuntime COPViewPan::COPViewPanRuntime(CString("OP.ViewPan"), &COPViewPan::COPViewPanCreate);
const CObjRuntime COPViewZoom::COPViewZoomRuntime(CString("OP.ViewZoom"), &COPViewZoom::COPViewZoomCreate);
const CObjRuntime COPViewFree::COPViewFreeRuntime(CString("OP.ViewFree"), &COPViewFree::COPViewFreeCreate);
const CObjRuntime COPViewWindow::COPViewWindowRuntime(CString("OP.ViewWindow"), &COPViewWindow::COPViewWindowCreate);

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
