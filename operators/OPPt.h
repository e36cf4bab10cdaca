// Point input: COPPt takes one snapped point, COPPt2 a chain of two-point segments with a
// rubber line or circle, COPPt2StructSketch drags a ghost of the selection from a base
// point. Points are only ever taken from the object snap.
#pragma once

#include <vyr/model/struct/structure.h>
#include <vyr/operators/OP.h>
#include <vyr/operators/XorFeedback.h>
#include <vyr/resources/dialogs/SnapRes.h>

class CSnapManager;

class COPPt : public COP
{
    DECLARE_VYROP(COPPt)
public:
    COPPt();
    COPPt(const COPPt& o) : COPPt() { *this = o; }
    COPPt& operator=(const COPPt& o);
    // Leaving a point input switches the snap off and ends its temporary use.
    ~COPPt() override;

    CObj* Clone() const override { return new COPPt(*this); }
    void CopyFrom(const CObj& other) override;
    CString GetType() const override { return "OP.Pt"; }
    CString GetDesc() const override { return "选点操作"; }

    bool MouseAction(int code, UINT flags, CPoint point, short wheelDelta) override;
    bool KeyDown(UINT key, UINT repeat, UINT flags) override;
    bool KeyUp(UINT, UINT, UINT) override { return false; }
    void OnDraw(CDC*) override {}
    HCURSOR GetCursor() const override;
    void SetPts(int index, const std::vector<CPoint3D>& points) override;
    void GetPts(int index, std::vector<CPoint3D>& points) override;

    // 0 space point (any snapped point; the snap menu is offered), 1 node.
    int GetUseType() const { return m_nUseType; }
    void SetUseType(int type) { m_nUseType = type; }
    bool HasPoint() const { return m_bHasPt; }

    // The host's snap manager, or null.
    static CSnapManager* GetSnapManager();
    static CPoint3D GetOnePt(int index, COP* op);
    static void SetOnePt(int index, const CPoint3D& pt, COP* op);
    // Model point -> view point and client pixels.
    static void Cal3D(const CPoint3D& model, CPoint3D& view, CPoint2D& screen, const CMatrix3D& m3,
                      const CMatrix2D& m2);
    // Client pixels -> model point on the horizontal plane at height z, with the inverse
    // view matrices; false when the line of sight runs along that plane.
    static bool Cal3DWithZ(const CPoint2D& screen, CPoint3D& model, const CMatrix3D& m3inv, const CMatrix2D& m2inv,
                           double z);

protected:
    bool CompSameType(const CObj& other) const override;
    void GetPts_Inn(std::vector<CPoint3D>& points) override;
    void SetPts_Inn(int& position, const std::vector<CPoint3D>& points) override;

    // Right button or ESC: the snap's temporary use ends, then the cancel callback or the
    // default operator.
    void Cancel();
    void ShowSnapMenu(CPoint point);

    bool m_bHasPt;
    CPoint3D m_pt;
    int m_nUseType;
};

// Shared by the two- and three-point inputs: cancel by right button or ESC, and the
// exclusive-or pen of their rubber figures.
namespace vyr_oppt {
// Ends the snap's temporary use, then calls the cancel callback or returns the manager to
// its default operator.
void CancelOP(COP* op);
// A device context of the operator's view set up for rubber drawing in a white pen of
// width 1; restored and released when destroyed.
class CRubberDC : public CXorDC
{
public:
    explicit CRubberDC(CView* view) : CXorDC(view, PS_SOLID, 1, RGB(255, 255, 255)) {}
};
// After a point was taken: repaint the view at once so the next rubber figure starts clean.
void RepaintView(CView* view);
// The tool tip of the running point input.
CString SubToolTip(const COP* op);
} // namespace vyr_oppt

// What the two- and three-point inputs share: a chain of one-point inputs. Each click takes
// the snapped point of the running one; the point is handed on as the start of the next
// and as the snap's refer point; after the last, the finish callback reads the points and
// the last point becomes the first of the next input. While a point is known a rubber
// figure follows the cursor. The right button (without Shift) or ESC cancels.
class COPPtChain : public COP
{
public:
    bool MouseAction(int code, UINT flags, CPoint point, short wheelDelta) override;
    bool KeyDown(UINT key, UINT repeat, UINT flags) override;
    bool KeyUp(UINT, UINT, UINT) override { return false; }
    void OnDraw(CDC*) override {}
    HCURSOR GetCursor() const override;
    // The rubber figure starts with zero size: the mouse point is where point 0 shows.
    void ResetState() override;

    virtual void DrawWhenMove() = 0;
    virtual CString GetToolTipWhenMove() const = 0;

    // The use type of the first one-point input; set on all of them.
    int GetUseType() const;
    void SetUseType(int type);
    const CPoint2D& GetMousePt() const { return m_ptMouse; }

protected:
    // A chain of count one-point inputs.
    explicit COPPtChain(int count);
    COPPtChain& operator=(const COPPtChain& o);

    // Whether the point just taken by the last input may end the input; false keeps the
    // chain waiting for another one.
    virtual bool AcceptLastPoint() { return true; }
    // A move while a point is known, after the old rubber figure is erased and before the
    // new one is drawn.
    virtual void OnCursorMoved() {}
    // key: 0 ESC, 1 right button.
    virtual void Cancel(int key);

    CPoint2D m_ptMouse;

private:
    bool TakePoint(int code, UINT flags, CPoint point, short wheelDelta);
};

class COPPt2 : public COPPtChain
{
    DECLARE_VYROP(COPPt2)
public:
    COPPt2();
    COPPt2(const COPPt2& o) : COPPt2() { *this = o; }
    COPPt2& operator=(const COPPt2& o);

    CObj* Clone() const override { return new COPPt2(*this); }
    void CopyFrom(const CObj& other) override;
    CString GetType() const override { return "OP.Pt2"; }
    CString GetDesc() const override { return "两点操作"; }

    void DrawWhenMove() override;
    CString GetToolTipWhenMove() const override;

    int GetPt2Type() const { return m_nPt2Type; }
    void SetPt2Type(int type) { m_nPt2Type = type; }
    // How the user cancelled: 0 ESC, 1 right button.
    int GetKey() const { return m_nKey; }

protected:
    void Cancel(int key) override;

    int m_nPt2Type;
    int m_nKey;
};

class COPPt2StructSketch : public COPPt2
{
    DECLARE_VYROP(COPPt2StructSketch)
public:
    COPPt2StructSketch() = default;
    // Only the two-point part is copied: a copy drags the selection current when it draws.
    COPPt2StructSketch(const COPPt2StructSketch& o) : COPPt2(o) {}
    COPPt2StructSketch& operator=(const COPPt2StructSketch& o);

    CObj* Clone() const override { return new COPPt2StructSketch(*this); }
    void CopyFrom(const CObj& other) override;
    CString GetType() const override { return "OP.Pt2StructSketch"; }

    void ResetState() override;
    void DrawWhenMove() override;
    CString GetToolTipWhenMove() const override;

    void ClearData() { m_sketch.ClearData(); }
    const CStructSketch& GetSketch() const { return m_sketch; }

private:
    CStructSketch m_sketch;
};
