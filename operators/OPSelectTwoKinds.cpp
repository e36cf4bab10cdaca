#include <vyr/operators/OPSelectTwoKinds.h>

#include <vyr/operators/OPSelectAxis.h>
#include <vyr/operators/OPSelectKinds.h>

// ---------------------------------------------------------------------------------------
// COPSelectBeamAndWall

// The two sides of a member-and-wall operator, walls first; any member counts, coupling
// beams and piers included.
#define VYR_BEAM_AND_WALL_SIDES                                      \
    CListSide walls(vyrselect::kWallRow, m_listWallHit);             \
    CListSide beams(vyrselect::kAnyBeamRow, m_listBeamHit);          \
    const Sides sides = {&walls, &beams}

CObj* COPSelectBeamAndWall::COPSelectBeamAndWallCreate() { return new COPSelectBeamAndWall(); }

COPSelectBeamAndWall::COPSelectBeamAndWall() : m_nCycleCur(-1) {}

COPSelectBeamAndWall::COPSelectBeamAndWall(const COPSelectBeamAndWall& o) : COPSelect(o), m_nCycleCur(-1) {}

// The candidates stay with the operator that found them.
COPSelectBeamAndWall& COPSelectBeamAndWall::operator=(const COPSelectBeamAndWall& o)
{
    if (this != &o) {
        COPSelect::operator=(o);
        m_listWallHit.RemoveAll();
        m_listBeamHit.RemoveAll();
        m_nCycleCur = -1;
    }
    return *this;
}

COPSelectBeamAndWall::~COPSelectBeamAndWall() = default;

void COPSelectBeamAndWall::CopyFrom(const CObj& other)
{
    const COPSelectBeamAndWall* o = dynamic_cast<const COPSelectBeamAndWall*>(&other);
    VYR_CHECK(o != nullptr, "COPSelectBeamAndWall::CopyFrom: the source is of another type");
    *this = *o;
}

void COPSelectBeamAndWall::PointSelect()
{
    VYR_BEAM_AND_WALL_SIDES;
    SidesPointSelect(sides);
}

void COPSelectBeamAndWall::RectSelect()
{
    VYR_BEAM_AND_WALL_SIDES;
    SidesRectSelect(sides);
}

bool COPSelectBeamAndWall::DealSelect(UINT flags)
{
    VYR_BEAM_AND_WALL_SIDES;
    return SidesDealSelect(sides, m_nCycleCur, flags);
}

bool COPSelectBeamAndWall::IsSuccess()
{
    VYR_BEAM_AND_WALL_SIDES;
    return SidesIsSuccess(sides, "请选择杆件和墙体！");
}

void COPSelectBeamAndWall::EmptySelection()
{
    VYR_BEAM_AND_WALL_SIDES;
    SidesEmptySelection(sides);
}

void COPSelectBeamAndWall::CancelCtrl()
{
    VYR_BEAM_AND_WALL_SIDES;
    SidesCancelCtrl(sides, m_nCycleCur);
    m_nCycleCur = -1;
}

void COPSelectBeamAndWall::ConfirmCtrl()
{
    VYR_BEAM_AND_WALL_SIDES;
    SidesConfirmCtrl(sides);
    m_nCycleCur = -1;
}

CString COPSelectBeamAndWall::GetToolTipHead() { return ConfirmHead("->选择杆件和墙体，右键确认，ESC退出操作"); }

// A wall lying over a member is the one opened; a double click on neither is not used, so a
// rectangle that its first click opened stays open.
bool COPSelectBeamAndWall::DblClick()
{
    if (m_pCancelFun || m_pFinishFun)
        return false;
    VYR_CHECK(m_pGlobalData != nullptr, "selection operator without a model root");
    const CPoint2D corner(m_rcSelect.left, m_rcSelect.top);
    for (const CSelectKindRow* row : {&vyrselect::kWallRow, &vyrselect::kAnyBeamRow})
        if (CObject* o = vyrselect::FirstUnder(*row, *m_pGlobalData, corner)) {
            vyrselect::OpenProperties(*row, *m_pGlobalData, o);
            return true;
        }
    return false;
}

#undef VYR_BEAM_AND_WALL_SIDES

// ---------------------------------------------------------------------------------------
// COPSelectNodeAndAxisPt

#define VYR_NODE_AND_AXISPT_SIDES                                      \
    CListSide nodes(vyrselect::kNodeRow, m_listNodeHit);               \
    CFlagSide<CAxisPt> points(AxisPtSideOps(), m_listAxisPtHit);       \
    const Sides sides = {&nodes, &points}

CObj* COPSelectNodeAndAxisPt::COPSelectNodeAndAxisPtCreate() { return new COPSelectNodeAndAxisPt(); }

COPSelectNodeAndAxisPt::COPSelectNodeAndAxisPt() : m_nCycleCur(-1) { m_nOPType = OPTYPE_COMMAND; }

COPSelectNodeAndAxisPt::COPSelectNodeAndAxisPt(const COPSelectNodeAndAxisPt& o) : COPSelect(o), m_nCycleCur(-1) {}

COPSelectNodeAndAxisPt& COPSelectNodeAndAxisPt::operator=(const COPSelectNodeAndAxisPt& o)
{
    if (this != &o) {
        COPSelect::operator=(o);
        m_listNodeHit.RemoveAll();
        m_listAxisPtHit.clear();
        m_nCycleCur = -1;
    }
    return *this;
}

COPSelectNodeAndAxisPt::~COPSelectNodeAndAxisPt() = default;

void COPSelectNodeAndAxisPt::CopyFrom(const CObj& other)
{
    const COPSelectNodeAndAxisPt* o = dynamic_cast<const COPSelectNodeAndAxisPt*>(&other);
    VYR_CHECK(o != nullptr, "COPSelectNodeAndAxisPt::CopyFrom: the source is of another type");
    *this = *o;
}

void COPSelectNodeAndAxisPt::PointSelect()
{
    VYR_NODE_AND_AXISPT_SIDES;
    SidesPointSelect(sides);
}

void COPSelectNodeAndAxisPt::RectSelect()
{
    VYR_NODE_AND_AXISPT_SIDES;
    SidesRectSelect(sides);
}

bool COPSelectNodeAndAxisPt::DealSelect(UINT flags)
{
    VYR_NODE_AND_AXISPT_SIDES;
    return SidesDealSelect(sides, m_nCycleCur, flags);
}

bool COPSelectNodeAndAxisPt::IsSuccess()
{
    VYR_NODE_AND_AXISPT_SIDES;
    return SidesIsSuccess(sides, "请选择结点和轴线点！");
}

void COPSelectNodeAndAxisPt::EmptySelection()
{
    VYR_NODE_AND_AXISPT_SIDES;
    SidesEmptySelection(sides);
}

void COPSelectNodeAndAxisPt::CancelCtrl()
{
    VYR_NODE_AND_AXISPT_SIDES;
    SidesCancelCtrl(sides, m_nCycleCur);
    m_nCycleCur = -1;
}

void COPSelectNodeAndAxisPt::ConfirmCtrl()
{
    VYR_NODE_AND_AXISPT_SIDES;
    SidesConfirmCtrl(sides);
    m_nCycleCur = -1;
}

CString COPSelectNodeAndAxisPt::GetToolTipHead() { return ConfirmHead("->选择结点和轴线点，右键确认，ESC退出操作"); }

#undef VYR_NODE_AND_AXISPT_SIDES
