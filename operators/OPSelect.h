// The selection operators' base: how clicks, rectangles, keys and the right button of a
// drawing view become picks, window and crossing selections, exclusions from the selection
// and cycles through overlapping objects; the kinds supply their hit tests and bookkeeping
// through the protected hooks.
#pragma once

#include <vector>

#include <vyr/operators/OP.h>

class CGlobalData;

// One kind of object as a selection operator picks it: its candidates of the latest hit
// test and how a candidate is selected. Candidates are addressed by their position in the
// candidate list, from 0; the cycle ring of an operator is its kinds' candidates in order.
class CSelectSide
{
public:
    virtual ~CSelectSide() = default;

    // Both empty the candidates first.
    virtual void HitPoint(CGlobalData& data, const CPoint2D& point) = 0;
    virtual void HitRect(CGlobalData& data, const CRect2D& normalised, bool window) = 0;
    virtual int Count() const = 0;
    virtual void ClearCandidates() = 0;
    // Drops the candidates that are selected already.
    virtual void KeepUnselectedCandidates(CGlobalData& data) = 0;
    // Selects (or, with exclude, deselects) every candidate; true when the selection changed.
    virtual bool Apply(CGlobalData& data, bool exclude) = 0;
    virtual void Select(CGlobalData& data, int index) = 0;
    virtual void Deselect(CGlobalData& data, int index) = 0;
    virtual void Invert(CGlobalData& data, int index) = 0;
    // Whether anything of the kind counts as selected, and clearing that.
    virtual bool AnySelected(CGlobalData& data) const = 0;
    virtual void ClearSelection(CGlobalData& data) = 0;
    // The host panel of the kind, or null for none.
    virtual const char* Panel() const = 0;
};

class COPSelect : public COP
{
    DECLARE_VYROP(COPSelect)
public:
    COPSelect();
    COPSelect(const COPSelect& o);
    COPSelect& operator=(const COPSelect& o);
    ~COPSelect() override;

    bool operator==(const COPSelect& o) const { return COP::operator==(o); }
    bool operator!=(const COPSelect& o) const { return !(*this == o); }

    CObj* Clone() const override { return new COPSelect(*this); }
    void CopyFrom(const CObj& other) override;
    CString GetType() const override { return "OP.Select"; }
    CString GetDesc() const override { return "选择"; }

    bool MouseAction(int code, UINT flags, CPoint point, short wheelDelta) override;
    bool KeyDown(UINT key, UINT repeat, UINT flags) override;
    bool KeyUp(UINT key, UINT repeat, UINT flags) override;
    void OnDraw(CDC*) override {}
    HCURSOR GetCursor() const override;
    void ResetState() override;
    void SetPts(int, const std::vector<CPoint3D>&) override {}
    void GetPts(int, std::vector<CPoint3D>&) override {}

    // The exclusive-or frame of a selection rectangle between two corners as stored (not
    // normalised): solid, or dotted for a crossing. Drawing it twice removes it.
    static void DrawFrame(CDC* pDC, const CRect& corners, bool solid);

    // State for the host's status and for tests.
    const CRect& GetSelectRect() const { return m_rcSelect; }
    bool IsCycling() const { return m_bCycle; }
    bool IsCtrlDown() const { return m_bCtrlDown; }
    bool IsShiftDown() const { return m_bShiftDown; }

    // The tool-tip suffixes.
    static const char* const kTipIdle;
    static const char* const kTipRect;
    static const char* const kTipShift;
    static const char* const kTipCtrl;
    static const char* const kTipCycle;

protected:
    void GetPts_Inn(std::vector<CPoint3D>&) override {}
    void SetPts_Inn(int&, const std::vector<CPoint3D>&) override {}

    // The hooks of the kinds.
    virtual void PointSelect() {}
    virtual void RectSelect() {}
    // Applies the candidates by the MK_ flags of the click; true when the click is done.
    virtual bool DealSelect(UINT flags);
    virtual bool IsSuccess() { return false; }
    virtual void EmptySelection() {}
    virtual void CancelCtrl() {}
    virtual void ConfirmCtrl() {}
    virtual CString GetToolTipHead() { return CString(); }
    virtual void DrawWhenMove();
    virtual bool DblClick() { return false; }
    // Whether the frame is drawn solid now (a window) rather than dotted (a crossing).
    virtual bool IsFrameSolid() const { return m_rcSelect.right >= m_rcSelect.left; }

    // Clears the selection of every kind, the axes' flags included.
    void EmptyAllSelection();

    // The hooks over a list of kinds, shared by every kind operator; cur is the position of
    // the current candidate in the ring while cycling.
    using Sides = std::vector<CSelectSide*>;
    void SidesPointSelect(const Sides& sides);
    void SidesRectSelect(const Sides& sides);
    bool SidesDealSelect(const Sides& sides, int& cur, UINT flags);
    void SidesConfirmCtrl(const Sides& sides);
    void SidesCancelCtrl(const Sides& sides, int cur);
    bool SidesIsSuccess(const Sides& sides, const char* message);
    void SidesEmptySelection(const Sides& sides);
    // The description, with the confirm text while a callback waits for the selection.
    CString ConfirmHead(const char* confirm) const;
    // Tells the host that the selection changed and shows the kinds' panels; the click is done.
    bool CommonEnd(const Sides& sides);

    // Host messages; the main window must exist.
    LRESULT SendHost(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void ShowPanel(const char* name) const;
    void InvalidateView() const;
    void InvalidateSelectRect() const;
    void InvalidateCorners(const CRect& corners) const;
    CRect2D NormalisedRect() const;

    CRect m_rcSelect;
    bool m_bCycle;
    bool m_bCtrlDown;
    bool m_bShiftDown;

private:
    void CancelRect();
    bool ClosingRule();
    void CopyFields(const COPSelect& o);
};
