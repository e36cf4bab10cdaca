#include <vyr/operators/OPPt.h>

#include <cmath>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/draw/draw.h>
#include <vyr/operators/OPManager.h>
#include <vyr/operators/OPView.h>
#include <vyr/operators/SnapManager.h>

// ---------------------------------------------------------------------------------------
// Helpers shared with the three-point input

namespace vyr_oppt {

void CancelOP(COP* op)
{
    if (CSnapManager* snap = COPPt::GetSnapManager())
        snap->SetIsTempUse(false);
    if (OPFUN cancel = op->GetCancelFun())
        cancel(op);
    else if (COPManager* manager = op->GetOPManager())
        manager->ResumeDefaultOP();
}

void RepaintView(CView* view)
{
    if (!view || !view->m_hWnd)
        return;
    view->Invalidate(FALSE);
    view->UpdateWindow();
}

CString SubToolTip(const COP* op)
{
    const int step = op->GetCurStep();
    const COP* sub = op->GetSubOP(step);
    return sub ? sub->GetToolTip() : CString();
}

} // namespace vyr_oppt

// ---------------------------------------------------------------------------------------
// COPPt

CObj* COPPt::COPPtCreate() { return new COPPt(); }

COPPt::COPPt() : m_bHasPt(false), m_nUseType(0) { m_nOPType = OPTYPE_ONESHOT; }

COPPt& COPPt::operator=(const COPPt& o)
{
    if (this == &o)
        return *this;
    COP::operator=(o);
    m_bHasPt = o.m_bHasPt;
    m_pt = o.m_pt;
    m_nUseType = o.m_nUseType;
    return *this;
}

COPPt::~COPPt()
{
    if (CSnapManager* snap = GetSnapManager()) {
        snap->Switch(false);
        snap->SetIsTempUse(false);
    }
}

void COPPt::CopyFrom(const CObj& other)
{
    const COPPt* o = dynamic_cast<const COPPt*>(&other);
    VYR_CHECK(o != nullptr, "COPPt::CopyFrom: the source is not a point input");
    *this = *o;
}

bool COPPt::CompSameType(const CObj& other) const
{
    const COPPt* o = dynamic_cast<const COPPt*>(&other);
    return o != nullptr && COP::operator==(*o) && m_bHasPt == o->m_bHasPt && m_pt == o->m_pt &&
           m_nUseType == o->m_nUseType;
}

HCURSOR COPPt::GetCursor() const { return VyrLoadOPCursor(IDC_OP_POINT); }

CSnapManager* COPPt::GetSnapManager()
{
    return reinterpret_cast<CSnapManager*>(VyrSendToHost(WM_UI_GETSNAPMANAGER));
}

CPoint3D COPPt::GetOnePt(int index, COP* op)
{
    std::vector<CPoint3D> pts;
    op->GetPts(index, pts);
    return pts.empty() ? CPoint3D() : pts.front();
}

void COPPt::SetOnePt(int index, const CPoint3D& pt, COP* op)
{
    op->SetPts(index, std::vector<CPoint3D>{pt});
}

void COPPt::Cal3D(const CPoint3D& model, CPoint3D& view, CPoint2D& screen, const CMatrix3D& m3, const CMatrix2D& m2)
{
    view = model * m3;
    view.chgYZ();
    const CPoint3D s = view * m2;
    screen = CPoint2D(s.x, s.y);
}

bool COPPt::Cal3DWithZ(const CPoint2D& screen, CPoint3D& model, const CMatrix3D& m3inv, const CMatrix2D& m2inv,
                       double z)
{
    const CPoint2D q = screen * m2inv;
    const CPoint3D a = CPoint3D(q.x, 0.0, q.y) * m3inv;
    const CPoint3D b = CPoint3D(q.x, 1000.0, q.y) * m3inv;
    if (std::fabs(b.z - a.z) < 0.01)
        return false;
    const double t = (z - a.z) / (b.z - a.z);
    model = CPoint3D(a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), z);
    return true;
}

void COPPt::GetPts_Inn(std::vector<CPoint3D>& points) { points.push_back(m_pt); }

void COPPt::SetPts_Inn(int& position, const std::vector<CPoint3D>& points)
{
    if (position >= 0 && position < (int)points.size())
        m_pt = points[(size_t)position];
    ++position;
}

void COPPt::GetPts(int, std::vector<CPoint3D>& points) { GetPts_Inn(points); }

void COPPt::SetPts(int, const std::vector<CPoint3D>& points)
{
    int position = 0;
    SetPts_Inn(position, points);
}

void COPPt::Cancel() { vyr_oppt::CancelOP(this); }

void COPPt::ShowSnapMenu(CPoint point)
{
    CSnapManager* snap = GetSnapManager();
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_SNAP_ENDPT, "端点");
    menu.AppendMenu(MF_STRING, ID_SNAP_MIDPT, "中点");
    // The foot needs a point to drop the perpendicular from.
    if (snap && snap->HasReferPt())
        menu.AppendMenu(MF_STRING, ID_SNAP_PERPT, "垂足");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_SNAP_FROM, "从");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_SNAP_SETTING, "对象捕捉设置...");
    if (m_pView && m_pView->m_hWnd)
        m_pView->ClientToScreen(&point);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, AfxGetMainWnd());
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    menu.DestroyMenu();
}

bool COPPt::MouseAction(int code, UINT flags, CPoint point, short)
{
    switch (code) {
    case OPMOUSE_LDOWN: {
        CSnapManager* snap = GetSnapManager();
        if (!snap || !snap->HasSnapped())
            return false;
        m_bHasPt = true;
        m_pt = snap->GetPt();
        if (m_pFinishFun)
            m_pFinishFun(this);
        return true;
    }
    case OPMOUSE_RCLICK:
        if (!(flags & MK_SHIFT))
            Cancel();
        else if (m_nUseType == 0)
            ShowSnapMenu(point);
        return false;
    case OPMOUSE_MOVE: {
        SetToolTip(GetDesc() + "->" +
                   (m_nUseType == 1 ? "请选择结点" : "请选择空间点，Shift+右键可弹出捕捉菜单"));
        if (CSnapManager* snap = GetSnapManager()) {
            if (!snap->IsSwitchOn()) {
                snap->SetUseType(m_nUseType);
                snap->Switch(true);
            }
            snap->MouseMove(point);
        }
        return true;
    }
    default:
        return false;
    }
}

bool COPPt::KeyDown(UINT key, UINT, UINT)
{
    if (key == VK_ESCAPE)
        Cancel();
    return false;
}

// ---------------------------------------------------------------------------------------
// COPPtChain

COPPtChain::COPPtChain(int count)
{
    m_nOPType = OPTYPE_COMMAND;
    for (int i = 0; i < count; ++i)
        AddOP(COPPt());
}

COPPtChain& COPPtChain::operator=(const COPPtChain& o)
{
    if (this != &o) {
        COP::operator=(o);
        m_ptMouse = o.m_ptMouse;
    }
    return *this;
}

HCURSOR COPPtChain::GetCursor() const { return VyrLoadOPCursor(IDC_OP_POINT); }

int COPPtChain::GetUseType() const
{
    const COPPt* first = dynamic_cast<const COPPt*>(GetSubOP(0));
    return first ? first->GetUseType() : 0;
}

void COPPtChain::SetUseType(int type)
{
    for (int i = 0; i < GetSubOPCount(); ++i)
        if (COPPt* pt = dynamic_cast<COPPt*>(GetSubOP(i)))
            pt->SetUseType(type);
}

bool COPPtChain::TakePoint(int code, UINT flags, CPoint point, short wheelDelta)
{
    COP* sub = CurSubOP();
    if (!sub || !sub->MouseAction(code, flags, point, wheelDelta))
        return false;
    const int last = GetSubOPCount() - 1;
    if (m_nStep + 1 == last && !AcceptLastPoint())
        return false;
    ++m_nStep;
    CSnapManager* snap = COPPt::GetSnapManager();
    if (m_nStep < last) {
        const CPoint3D pt = COPPt::GetOnePt(m_nStep, this);
        COPPt::SetOnePt(m_nStep + 1, pt, this);
        if (snap)
            snap->SetReferPt(pt);
    } else {
        if (m_pFinishFun)
            m_pFinishFun(this);
        // The last point starts the next input.
        COPPt::SetOnePt(0, COPPt::GetOnePt(last, this), this);
        m_nStep = 0;
        if (snap)
            snap->SetReferPt(COPPt::GetOnePt(0, this));
    }
    ResetState();
    vyr_oppt::RepaintView(m_pView);
    DrawWhenMove();
    return true;
}

bool COPPtChain::MouseAction(int code, UINT flags, CPoint point, short wheelDelta)
{
    switch (code) {
    case OPMOUSE_LDOWN:
        return TakePoint(code, flags, point, wheelDelta);
    case OPMOUSE_RCLICK:
        if (flags & MK_SHIFT)
            break;
        Cancel(1);
        return true;
    case OPMOUSE_MOVE:
        if (m_nStep != -1) {
            DrawWhenMove();
            m_ptMouse = CPoint2D(point);
            OnCursorMoved();
            DrawWhenMove();
        }
        SetToolTip(GetToolTipWhenMove());
        break;
    default:
        break;
    }
    COP* sub = CurSubOP();
    return sub ? sub->MouseAction(code, flags, point, wheelDelta) : false;
}

bool COPPtChain::KeyDown(UINT key, UINT, UINT)
{
    if (key == VK_ESCAPE)
        Cancel(0);
    return false;
}

void COPPtChain::Cancel(int) { vyr_oppt::CancelOP(this); }

void COPPtChain::ResetState()
{
    if (!m_pGlobalData)
        return;
    CPoint3D view;
    COPPt::Cal3D(COPPt::GetOnePt(0, this), view, m_ptMouse, m_pGlobalData->Matrix3D(), m_pGlobalData->Matrix2D());
}

// ---------------------------------------------------------------------------------------
// COPPt2

CObj* COPPt2::COPPt2Create() { return new COPPt2(); }

COPPt2::COPPt2() : COPPtChain(2), m_nPt2Type(0), m_nKey(0) {}

COPPt2& COPPt2::operator=(const COPPt2& o)
{
    if (this != &o) {
        COPPtChain::operator=(o);
        m_nPt2Type = o.m_nPt2Type;
    }
    return *this;
}

void COPPt2::CopyFrom(const CObj& other)
{
    const COPPt2* o = dynamic_cast<const COPPt2*>(&other);
    VYR_CHECK(o != nullptr, "COPPt2::CopyFrom: the source is not a two-point input");
    *this = *o;
}

void COPPt2::Cancel(int key)
{
    if (m_pCancelFun)
        m_nKey = key;
    COPPtChain::Cancel(key);
}

CString COPPt2::GetToolTipWhenMove() const
{
    CString tip = GetOPDesc() + (m_nStep == -1 ? "->选择第一点" : "->选择下一点");
    if (m_pCancelFun && m_pFinishFun)
        tip += "，右键或ESC键可进行详细设置->";
    else if (!m_pCancelFun)
        tip += "，右键或ESC键取消操作->";
    return tip + vyr_oppt::SubToolTip(this);
}

void COPPt2::DrawWhenMove()
{
    if (m_nStep != 0 || !m_pGlobalData)
        return;
    vyr_oppt::CRubberDC rubber(m_pView);
    CDC* pDC = rubber.DC();
    if (!pDC)
        return;
    CMatrix3D& m3 = m_pGlobalData->Matrix3D();
    CMatrix2D& m2 = m_pGlobalData->Matrix2D();
    const CPoint3D p0 = COPPt::GetOnePt(0, this);
    CPoint3D view;
    CPoint2D s;
    COPPt::Cal3D(p0, view, s, m3, m2);
    if (m_nPt2Type == 0) {
        pDC->MoveTo((int)s.x, (int)s.y);
        pDC->LineTo((int)m_ptMouse.x, (int)m_ptMouse.y);
        return;
    }
    CPoint3D m;
    if (!COPPt::Cal3DWithZ(m_ptMouse, m, m3.Anti(), m2.Anti(), p0.z))
        return;
    CCircle circle;
    circle.SetCircle(p0.GetXY(), CLine(p0.GetXY(), m.GetXY()).GetLength());
    circle.Display3D(pDC, m3, m2, p0.z);
}

// ---------------------------------------------------------------------------------------
// COPPt2StructSketch

CObj* COPPt2StructSketch::COPPt2StructSketchCreate() { return new COPPt2StructSketch(); }

COPPt2StructSketch& COPPt2StructSketch::operator=(const COPPt2StructSketch& o)
{
    if (this == &o)
        return *this;
    COPPt2::operator=(o);
    m_sketch.ClearData();
    return *this;
}

void COPPt2StructSketch::CopyFrom(const CObj& other)
{
    const COPPt2StructSketch* o = dynamic_cast<const COPPt2StructSketch*>(&other);
    VYR_CHECK(o != nullptr, "COPPt2StructSketch::CopyFrom: the source is not a sketch drag");
    *this = *o;
}

void COPPt2StructSketch::ResetState()
{
    COPPt2::ResetState();
    // Filled again from the selection at the next drawing.
    m_sketch.ClearData();
}

CString COPPt2StructSketch::GetToolTipWhenMove() const
{
    return GetOPDesc() + (m_nStep == -1 ? "->选择基点" : "->选择下一点") +
           ((m_pCancelFun || m_pFinishFun) ? "，右键或ESC键退出操作->" : "->") + vyr_oppt::SubToolTip(this);
}

void COPPt2StructSketch::DrawWhenMove()
{
    COPPt2::DrawWhenMove();
    if (m_nStep != 0 || !m_pGlobalData)
        return;
    vyr_oppt::CRubberDC rubber(m_pView);
    CDC* pDC = rubber.DC();
    if (!pDC)
        return;
    if (m_sketch.IsEmpty()) {
        m_sketch.Import(&m_pGlobalData->SelectBeamList(), &m_pGlobalData->SelectWallList());
        m_sketch.SetUseType(3);
    }
    if (m_sketch.IsEmpty())
        return;
    CPoint3D view;
    CPoint2D s;
    COPPt::Cal3D(COPPt::GetOnePt(0, this), view, s, m_pGlobalData->Matrix3D(), m_pGlobalData->Matrix2D());
    m_sketch.Change3D(m_pGlobalData->Matrix3D());
    // The base point follows the cursor.
    CMatrix2D move;
    move.SetMove(m_ptMouse.x - s.x, m_ptMouse.y - s.y);
    CMatrix2D m2 = m_pGlobalData->Matrix2D() * move;
    m_sketch.Change2D(m2);
    m_sketch.Display(pDC);
}
