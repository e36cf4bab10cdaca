#include <vyr/operators/OPSelectTwoKinds.h>

// ---------------------------------------------------------------------------------------
// COPSelectTwoKinds

COPSelectTwoKinds::COPSelectTwoKinds(const char* failMessage, const char* confirm)
    : m_pszFail(failMessage), m_pszConfirm(confirm), m_nCycleCur(-1)
{
}

COPSelectTwoKinds::COPSelectTwoKinds(const COPSelectTwoKinds& o)
    : COPSelect(o), m_pszFail(o.m_pszFail), m_pszConfirm(o.m_pszConfirm), m_nCycleCur(-1)
{
}

COPSelectTwoKinds& COPSelectTwoKinds::operator=(const COPSelectTwoKinds& o)
{
    if (this != &o) {
        COPSelect::operator=(o);
        for (CSelectSide* s : GetSides())
            s->ClearCandidates();
        m_nCycleCur = -1;
    }
    return *this;
}

void COPSelectTwoKinds::PointSelect() { SidesPointSelect(GetSides()); }

void COPSelectTwoKinds::RectSelect() { SidesRectSelect(GetSides()); }

bool COPSelectTwoKinds::DealSelect(UINT flags) { return SidesDealSelect(GetSides(), m_nCycleCur, flags); }

bool COPSelectTwoKinds::IsSuccess() { return SidesIsSuccess(GetSides(), m_pszFail); }

void COPSelectTwoKinds::EmptySelection() { SidesEmptySelection(GetSides()); }

void COPSelectTwoKinds::CancelCtrl()
{
    SidesCancelCtrl(GetSides(), m_nCycleCur);
    m_nCycleCur = -1;
}

void COPSelectTwoKinds::ConfirmCtrl()
{
    SidesConfirmCtrl(GetSides());
    m_nCycleCur = -1;
}

// ---------------------------------------------------------------------------------------
// COPSelectBeamAndWall

CObj* COPSelectBeamAndWall::COPSelectBeamAndWallCreate() { return new COPSelectBeamAndWall(); }

COPSelectBeamAndWall::COPSelectBeamAndWall()
    : COPSelectTwoKinds("请选择杆件和墙体！", "->选择杆件和墙体，右键确认，ESC退出操作")
{
}

COPSelectBeamAndWall& COPSelectBeamAndWall::operator=(const COPSelectBeamAndWall& o)
{
    COPSelectTwoKinds::operator=(o);
    return *this;
}

COPSelectBeamAndWall::~COPSelectBeamAndWall() = default;

void COPSelectBeamAndWall::CopyFrom(const CObj& other)
{
    const COPSelectBeamAndWall* o = dynamic_cast<const COPSelectBeamAndWall*>(&other);
    VYR_CHECK(o != nullptr, "COPSelectBeamAndWall::CopyFrom: the source is of another type");
    *this = *o;
}

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

// ---------------------------------------------------------------------------------------
// COPSelectNodeAndAxisPt

CObj* COPSelectNodeAndAxisPt::COPSelectNodeAndAxisPtCreate() { return new COPSelectNodeAndAxisPt(); }

COPSelectNodeAndAxisPt::COPSelectNodeAndAxisPt()
    : COPSelectTwoKinds("请选择结点和轴线点！", "->选择结点和轴线点，右键确认，ESC退出操作")
{
    m_nOPType = OPTYPE_COMMAND;
}

COPSelectNodeAndAxisPt& COPSelectNodeAndAxisPt::operator=(const COPSelectNodeAndAxisPt& o)
{
    COPSelectTwoKinds::operator=(o);
    return *this;
}

COPSelectNodeAndAxisPt::~COPSelectNodeAndAxisPt() = default;

void COPSelectNodeAndAxisPt::CopyFrom(const CObj& other)
{
    const COPSelectNodeAndAxisPt* o = dynamic_cast<const COPSelectNodeAndAxisPt*>(&other);
    VYR_CHECK(o != nullptr, "COPSelectNodeAndAxisPt::CopyFrom: the source is of another type");
    *this = *o;
}
