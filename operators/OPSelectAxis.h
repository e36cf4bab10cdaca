// Selection of grid axes and axis segments. They keep no selection list: an axis or
// segment is selected when its own flag is set, and the grid-axis system collects them.
#pragma once

#include <iterator>
#include <list>
#include <vector>

#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPSelect.h>

// A kind of the grid-axis system (axes, segments, crossing points) as one side of a
// selection operator: selecting sets the object's own flag.
template <class T>
class CFlagSide : public CSelectSide
{
public:
    using PointFn = bool (CAxises::*)(CAxisDisplay&, const CPoint2D&, std::list<T*>&);
    using RectFn = bool (CAxises::*)(CAxisDisplay&, const CRect2D&, std::list<T*>&);
    using SelectedFn = void (CAxises::*)(std::vector<T*>&) const;
    using ClearFn = void (CAxises::*)(bool);

    struct Ops
    {
        PointFn point;
        RectFn window;
        RectFn cross; // null: by window both ways
        SelectedFn selected;
        ClearFn clear;
        const char* panel; // null: none
    };

    CFlagSide(const Ops& ops, std::list<T*>& hits) : m_ops(ops), m_hits(hits) {}

    void HitPoint(CGlobalData& data, const CPoint2D& point) override
    {
        m_hits.clear();
        (Axises(data).*m_ops.point)(data.AxisDisplay(), point, m_hits);
    }
    void HitRect(CGlobalData& data, const CRect2D& normalised, bool window) override
    {
        m_hits.clear();
        RectFn fn = (window || !m_ops.cross) ? m_ops.window : m_ops.cross;
        (Axises(data).*fn)(data.AxisDisplay(), normalised, m_hits);
    }
    int Count() const override { return (int)m_hits.size(); }
    void ClearCandidates() override { m_hits.clear(); }
    void KeepUnselectedCandidates(CGlobalData&) override
    {
        m_hits.remove_if([](T* o) { return o->GetIsSelected(); });
    }
    // Every candidate counts as a change, also one whose flag was already so.
    bool Apply(CGlobalData&, bool exclude) override
    {
        for (T* o : m_hits)
            o->SetIsSelected(!exclude);
        return !m_hits.empty();
    }
    void Select(CGlobalData&, int index) override { At(index)->SetIsSelected(true); }
    void Deselect(CGlobalData&, int index) override { At(index)->SetIsSelected(false); }
    void Invert(CGlobalData&, int index) override { At(index)->SetIsSelected(!At(index)->GetIsSelected()); }
    bool AnySelected(CGlobalData& data) const override
    {
        std::vector<T*> selected;
        (Axises(data).*m_ops.selected)(selected);
        return !selected.empty();
    }
    void ClearSelection(CGlobalData& data) override { (Axises(data).*m_ops.clear)(false); }
    const char* Panel() const override { return m_ops.panel; }

    T* At(int index) const
    {
        VYR_CHECK(index >= 0 && index < (int)m_hits.size(), "selection operator: candidate position out of range");
        auto it = m_hits.begin();
        std::advance(it, index);
        return *it;
    }

private:
    static CAxises& Axises(CGlobalData& data)
    {
        VYR_CHECK(data.Struct() != nullptr, "selection operator: the model root has no structure");
        return data.Struct()->Axises();
    }

    const Ops& m_ops;
    std::list<T*>& m_hits;
};

// What sets the axis operator apart from the segment operator.
template <class T>
struct CSelectFlagInfo
{
    const char* type;
    const char* desc;
    const char* failMessage;
    const char* confirm;
    int opType;
    typename CFlagSide<T>::Ops ops;
};

// The shared body of the two axis operators.
template <class T>
class COPSelectFlagged : public COPSelect
{
public:
    explicit COPSelectFlagged(const CSelectFlagInfo<T>& info) : m_info(info), m_nCycleCur(-1)
    {
        m_nOPType = info.opType;
    }
    COPSelectFlagged(const COPSelectFlagged& o) : COPSelect(o), m_info(o.m_info), m_nCycleCur(-1) {}
    // The candidates stay with the operator that found them.
    COPSelectFlagged& operator=(const COPSelectFlagged& o)
    {
        if (this != &o) {
            COPSelect::operator=(o);
            m_listHit.clear();
            m_nCycleCur = -1;
        }
        return *this;
    }
    ~COPSelectFlagged() override = default;

    CString GetType() const override { return m_info.type; }
    CString GetDesc() const override { return m_info.desc; }

    // The current candidate while cycling (null otherwise).
    T* GetCycleCur() const
    {
        if (!m_bCycle || m_nCycleCur < 0 || m_nCycleCur >= (int)m_listHit.size())
            return nullptr;
        return *std::next(m_listHit.begin(), m_nCycleCur);
    }
    int GetHitCount() const { return (int)m_listHit.size(); }

protected:
    void PointSelect() override
    {
        CFlagSide<T> side(m_info.ops, m_listHit);
        SidesPointSelect({&side});
    }
    void RectSelect() override
    {
        CFlagSide<T> side(m_info.ops, m_listHit);
        SidesRectSelect({&side});
    }
    bool DealSelect(UINT flags) override
    {
        CFlagSide<T> side(m_info.ops, m_listHit);
        return SidesDealSelect({&side}, m_nCycleCur, flags);
    }
    bool IsSuccess() override
    {
        CFlagSide<T> side(m_info.ops, m_listHit);
        return SidesIsSuccess({&side}, m_info.failMessage);
    }
    void EmptySelection() override
    {
        CFlagSide<T> side(m_info.ops, m_listHit);
        SidesEmptySelection({&side});
    }
    void CancelCtrl() override
    {
        CFlagSide<T> side(m_info.ops, m_listHit);
        SidesCancelCtrl({&side}, m_nCycleCur);
        m_nCycleCur = -1;
    }
    void ConfirmCtrl() override
    {
        CFlagSide<T> side(m_info.ops, m_listHit);
        SidesConfirmCtrl({&side});
        m_nCycleCur = -1;
    }
    CString GetToolTipHead() override { return ConfirmHead(m_info.confirm); }

    const CSelectFlagInfo<T>& m_info;
    std::list<T*> m_listHit;
    int m_nCycleCur; // position of the current candidate in m_listHit while cycling
};

class COPSelectAxis : public COPSelectFlagged<CAxis>
{
    DECLARE_VYROP(COPSelectAxis)
public:
    COPSelectAxis();
    COPSelectAxis(const COPSelectAxis& o) = default;
    COPSelectAxis& operator=(const COPSelectAxis& o) = default;
    ~COPSelectAxis() override = default;
    bool operator==(const COPSelectAxis& o) const { return COP::operator==(o); }
    bool operator!=(const COPSelectAxis& o) const { return !(*this == o); }
    CObj* Clone() const override { return new COPSelectAxis(*this); }
    void CopyFrom(const CObj& other) override;
};

class COPSelectAxisSeq : public COPSelectFlagged<CAxisSeq>
{
    DECLARE_VYROP(COPSelectAxisSeq)
public:
    COPSelectAxisSeq();
    COPSelectAxisSeq(const COPSelectAxisSeq& o) = default;
    COPSelectAxisSeq& operator=(const COPSelectAxisSeq& o) = default;
    ~COPSelectAxisSeq() override = default;
    bool operator==(const COPSelectAxisSeq& o) const { return COP::operator==(o); }
    bool operator!=(const COPSelectAxisSeq& o) const { return !(*this == o); }
    CObj* Clone() const override { return new COPSelectAxisSeq(*this); }
    void CopyFrom(const CObj& other) override;
};

// The crossing points of the axes, as the node-and-axis-point operator picks them.
const CFlagSide<CAxisPt>::Ops& AxisPtSideOps();
