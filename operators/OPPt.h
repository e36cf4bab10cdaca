// Point input: COPPt takes one snapped point, COPPt2 a chain of two-point segments with a
// rubber line or circle, COPPt2StructSketch drags a ghost of the selection from a base
// point. Points are only ever taken from the object snap.
#pragma once

#include <vyr/model/struct/struct.h>
#include <vyr/operators/OP.h>
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
// A device context of the operator's view set up for rubber drawing (null pen and brush,
// transparent, R2_XORPEN, white pen of width 1); restores and releases it when destroyed.
class CRubberDC
{
public:
    explicit CRubberDC(CView* view);
    ~CRubberDC();
    CRubberDC(const CRubberDC&) = delete;
    CRubberDC& operator=(const CRubberDC&) = delete;
    CDC* DC() const { return m_pDC; }

private:
    CWnd* m_pWnd;
    CDC* m_pDC;
    CPen m_pen;
    CGdiObject* m_pOldBrush = nullptr;
    CGdiObject* m_pOldPen = nullptr;
    int m_nOldBk = 0;
    int m_nOldRop = 0;
};
// After a point was taken: repaint the view at once so the next rubber figure starts clean.
void RepaintView(CView* view);
// The tool tip of the running point input.
CString SubToolTip(const COP* op);
// The use type of a chain of point inputs: that of its first, set on all of them.
int SubUseType(const COP* op);
void SetSubUseType(COP* op, int type);
} // namespace vyr_oppt

class COPPt2 : public COP
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

    bool MouseAction(int code, UINT flags, CPoint point, short wheelDelta) override;
    bool KeyDown(UINT key, UINT repeat, UINT flags) override;
    bool KeyUp(UINT, UINT, UINT) override { return false; }
    void OnDraw(CDC*) override {}
    HCURSOR GetCursor() const override;
    void ResetState() override;

    virtual void DrawWhenMove();
    virtual CString GetToolTipWhenMove() const;

    int GetPt2Type() const { return m_nPt2Type; }
    void SetPt2Type(int type) { m_nPt2Type = type; }
    // How the user cancelled: 0 ESC, 1 right button.
    int GetKey() const { return m_nKey; }
    int GetUseType() const;
    void SetUseType(int type);
    const CPoint2D& GetMousePt() const { return m_ptMouse; }

protected:
    CPoint2D m_ptMouse;
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
