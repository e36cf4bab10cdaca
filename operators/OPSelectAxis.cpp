#include <vyr/operators/OPSelectAxis.h>

namespace {

const CSelectFlagInfo<CAxis> kAxisInfo = {
    "OP.SelectAxis",
    "选择轴线",
    "请选择轴线！",
    "->选择轴线，右键确认，ESC退出操作",
    OPTYPE_DEFAULT,
    {&CAxises::PointSelect, &CAxises::WindowSelect, &CAxises::CrossSelect, &CAxises::GetSelectedAxises,
     &CAxises::SetIsSelect, "View.Axis"}};

// Segments are picked for a command and have no panel of their own.
const CSelectFlagInfo<CAxisSeq> kAxisSeqInfo = {
    "OP.SelectAxisSeq",
    "选择轴线段",
    "请选择轴线段！",
    "->选择轴线段，右键确认，ESC退出操作",
    OPTYPE_COMMAND,
    {&CAxises::PointSelectAxisSeq, &CAxises::WindowSelectAxisSeq, &CAxises::CrossSelectAxisSeq,
     &CAxises::GetSelectedAxisSeq, &CAxises::SetIsSelectAxisSeq, nullptr}};

// Crossing points are always picked by window.
const CFlagSide<CAxisPt>::Ops kAxisPtOps = {&CAxises::PointSelectAxisPt, &CAxises::WindowSelectAxisPt, nullptr,
                                            &CAxises::GetSelectedAxisPt, &CAxises::SetIsSelectAxisPt, nullptr};

} // namespace

const CFlagSide<CAxisPt>::Ops& AxisPtSideOps() { return kAxisPtOps; }

CObj* COPSelectAxis::COPSelectAxisCreate() { return new COPSelectAxis(); }
COPSelectAxis::COPSelectAxis() : COPSelectFlagged<CAxis>(kAxisInfo) {}

void COPSelectAxis::CopyFrom(const CObj& other)
{
    const COPSelectAxis* o = dynamic_cast<const COPSelectAxis*>(&other);
    VYR_CHECK(o != nullptr, "COPSelectAxis::CopyFrom: the source is of another type");
    *this = *o;
}

CObj* COPSelectAxisSeq::COPSelectAxisSeqCreate() { return new COPSelectAxisSeq(); }
COPSelectAxisSeq::COPSelectAxisSeq() : COPSelectFlagged<CAxisSeq>(kAxisSeqInfo) {}

void COPSelectAxisSeq::CopyFrom(const CObj& other)
{
    const COPSelectAxisSeq* o = dynamic_cast<const COPSelectAxisSeq*>(&other);
    VYR_CHECK(o != nullptr, "COPSelectAxisSeq::CopyFrom: the source is of another type");
    *this = *o;
}
