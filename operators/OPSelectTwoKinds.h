// Selection of two kinds with one click or rectangle: walls and members, nodes and the
// crossing points of the axes. Both kinds are hit-tested and updated together, and Ctrl
// cycles through one ring of the first kind's candidates followed by the second's.
#pragma once

#include <list>

#include <vyr/model/struct/struct.h>
#include <vyr/operators/OPSelect.h>

class COPSelectBeamAndWall : public COPSelect
{
    DECLARE_VYROP(COPSelectBeamAndWall)
public:
    COPSelectBeamAndWall();
    COPSelectBeamAndWall(const COPSelectBeamAndWall& o);
    COPSelectBeamAndWall& operator=(const COPSelectBeamAndWall& o);
    ~COPSelectBeamAndWall() override;
    bool operator==(const COPSelectBeamAndWall& o) const { return COP::operator==(o); }
    bool operator!=(const COPSelectBeamAndWall& o) const { return !(*this == o); }

    CObj* Clone() const override { return new COPSelectBeamAndWall(*this); }
    void CopyFrom(const CObj& other) override;
    CString GetType() const override { return "OP.SelectBeamAndWall"; }
    CString GetDesc() const override { return "选择杆件和墙体"; }

    int GetCycleIndex() const { return m_bCycle ? m_nCycleCur : -1; }

protected:
    void PointSelect() override;
    void RectSelect() override;
    bool DealSelect(UINT flags) override;
    bool IsSuccess() override;
    void EmptySelection() override;
    void CancelCtrl() override;
    void ConfirmCtrl() override;
    CString GetToolTipHead() override;
    bool DblClick() override;

    CWallList m_listWallHit;
    CBeamList m_listBeamHit;
    int m_nCycleCur; // position in the ring: the wall candidates, then the member candidates
};

class COPSelectNodeAndAxisPt : public COPSelect
{
    DECLARE_VYROP(COPSelectNodeAndAxisPt)
public:
    COPSelectNodeAndAxisPt();
    COPSelectNodeAndAxisPt(const COPSelectNodeAndAxisPt& o);
    COPSelectNodeAndAxisPt& operator=(const COPSelectNodeAndAxisPt& o);
    ~COPSelectNodeAndAxisPt() override;
    bool operator==(const COPSelectNodeAndAxisPt& o) const { return COP::operator==(o); }
    bool operator!=(const COPSelectNodeAndAxisPt& o) const { return !(*this == o); }

    CObj* Clone() const override { return new COPSelectNodeAndAxisPt(*this); }
    void CopyFrom(const CObj& other) override;
    CString GetType() const override { return "OP.SelectNodeAndAxisPt"; }
    CString GetDesc() const override { return "选择结点和轴线点"; }

    int GetCycleIndex() const { return m_bCycle ? m_nCycleCur : -1; }

protected:
    void PointSelect() override;
    void RectSelect() override;
    bool DealSelect(UINT flags) override;
    bool IsSuccess() override;
    void EmptySelection() override;
    void CancelCtrl() override;
    void ConfirmCtrl() override;
    CString GetToolTipHead() override;

    CPNodeList m_listNodeHit;
    std::list<CAxisPt*> m_listAxisPtHit;
    int m_nCycleCur; // position in the ring: the node candidates, then the axis points
};
