// Selection of two kinds with one click or rectangle: walls and members, nodes and the
// crossing points of the axes. Both kinds are hit-tested and updated together, and Ctrl
// cycles through one ring of the first kind's candidates followed by the second's.
#pragma once

#include <list>

#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPSelectAxis.h>
#include <vyr/operators/OPSelectKinds.h>

// The shared body of the two-kind operators: every hook runs over the two kinds' sides.
class COPSelectTwoKinds : public COPSelect
{
public:
    // The position of the current candidate in the ring while cycling, else -1.
    int GetCycleIndex() const { return m_bCycle ? m_nCycleCur : -1; }

protected:
    // failMessage: IsSuccess's message; confirm: the tool-tip head of a command.
    COPSelectTwoKinds(const char* failMessage, const char* confirm);
    // The candidates stay with the operator that found them: a copy starts without any.
    COPSelectTwoKinds(const COPSelectTwoKinds& o);
    COPSelectTwoKinds& operator=(const COPSelectTwoKinds& o);

    // The two kinds over this operator's candidate lists, the first kind first.
    virtual Sides GetSides() = 0;

    void PointSelect() override;
    void RectSelect() override;
    bool DealSelect(UINT flags) override;
    bool IsSuccess() override;
    void EmptySelection() override;
    void CancelCtrl() override;
    void ConfirmCtrl() override;
    CString GetToolTipHead() override { return ConfirmHead(m_pszConfirm); }

private:
    const char* m_pszFail;
    const char* m_pszConfirm;
    int m_nCycleCur; // position in the ring: the first kind's candidates, then the second's
};

class COPSelectBeamAndWall : public COPSelectTwoKinds
{
    DECLARE_VYROP(COPSelectBeamAndWall)
public:
    COPSelectBeamAndWall();
    COPSelectBeamAndWall(const COPSelectBeamAndWall& o) : COPSelectTwoKinds(o) {}
    COPSelectBeamAndWall& operator=(const COPSelectBeamAndWall& o);
    ~COPSelectBeamAndWall() override;
    bool operator==(const COPSelectBeamAndWall& o) const { return COP::operator==(o); }
    bool operator!=(const COPSelectBeamAndWall& o) const { return !(*this == o); }

    CObj* Clone() const override { return new COPSelectBeamAndWall(*this); }
    void CopyFrom(const CObj& other) override;
    CString GetType() const override { return "OP.SelectBeamAndWall"; }
    CString GetDesc() const override { return "选择杆件和墙体"; }

protected:
    Sides GetSides() override { return {&m_wallSide, &m_beamSide}; }
    bool DblClick() override;

    CWallList m_listWallHit;
    CBeamList m_listBeamHit;

private:
    // Walls first; any member counts, coupling beams and piers included.
    CListSide m_wallSide{vyrselect::kWallRow, m_listWallHit};
    CListSide m_beamSide{vyrselect::kAnyBeamRow, m_listBeamHit};
};

class COPSelectNodeAndAxisPt : public COPSelectTwoKinds
{
    DECLARE_VYROP(COPSelectNodeAndAxisPt)
public:
    COPSelectNodeAndAxisPt();
    COPSelectNodeAndAxisPt(const COPSelectNodeAndAxisPt& o) : COPSelectTwoKinds(o) {}
    COPSelectNodeAndAxisPt& operator=(const COPSelectNodeAndAxisPt& o);
    ~COPSelectNodeAndAxisPt() override;
    bool operator==(const COPSelectNodeAndAxisPt& o) const { return COP::operator==(o); }
    bool operator!=(const COPSelectNodeAndAxisPt& o) const { return !(*this == o); }

    CObj* Clone() const override { return new COPSelectNodeAndAxisPt(*this); }
    void CopyFrom(const CObj& other) override;
    CString GetType() const override { return "OP.SelectNodeAndAxisPt"; }
    CString GetDesc() const override { return "选择结点和轴线点"; }

protected:
    Sides GetSides() override { return {&m_nodeSide, &m_pointSide}; }

    CPNodeList m_listNodeHit;
    std::list<CAxisPt*> m_listAxisPtHit;

private:
    CListSide m_nodeSide{vyrselect::kNodeRow, m_listNodeHit};
    CFlagSide<CAxisPt> m_pointSide{AxisPtSideOps(), m_listAxisPtHit};
};
