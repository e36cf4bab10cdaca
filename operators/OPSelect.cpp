#include <vyr/operators/OPSelect.h>

#include <string>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPManager.h>
#include <vyr/operators/OPView.h>
#include <vyr/operators/XorFeedback.h>

const char* const COPSelect::kTipIdle = "->请点选或者窗选, Shift键排除选择, Ctrl键开启循环选择";
const char* const COPSelect::kTipRect = "->请选择另一点，右键或者ESC键取消";
const char* const COPSelect::kTipShift = "->已按Shift键，请点选或窗口，从当前选择集中排除";
const char* const COPSelect::kTipCtrl = "->已按Ctrl键，请点选开启选择循环";
const char* const COPSelect::kTipCycle = "->开启循环选择，右键确认，ESC键取消";

CObj* COPSelect::COPSelectCreate() { return new COPSelect(); }

COPSelect::COPSelect() : m_bCycle(false), m_bCtrlDown(false), m_bShiftDown(false)
{
    m_nOPType = OPTYPE_DEFAULT;
}

COPSelect::COPSelect(const COPSelect& o) : COP(o), m_bCycle(false), m_bCtrlDown(false), m_bShiftDown(false)
{
    CopyFields(o);
}

COPSelect& COPSelect::operator=(const COPSelect& o)
{
    if (this == &o)
        return *this;
    COP::operator=(o);
    CopyFields(o);
    return *this;
}

// A copy never holds candidates, so it must not believe it is cycling through them: it
// starts idle with the rectangle and the modifier keys of the original.
void COPSelect::CopyFields(const COPSelect& o)
{
    m_bCycle = false;
    m_rcSelect = o.m_rcSelect;
    m_bCtrlDown = o.m_bCtrlDown;
    m_bShiftDown = o.m_bShiftDown;
}

COPSelect::~COPSelect()
{
    // An open rectangle leaves its frame on the screen; the next paint removes it.
    if (!m_bCycle && m_nStep >= 0)
        InvalidateSelectRect();
}

void COPSelect::CopyFrom(const CObj& other)
{
    const COPSelect* o = dynamic_cast<const COPSelect*>(&other);
    VYR_CHECK(o != nullptr, "COPSelect::CopyFrom: the source is not a selection operator");
    *this = *o;
}

// ---------------------------------------------------------------------------------------
// Host

LRESULT COPSelect::SendHost(UINT message, WPARAM wParam, LPARAM lParam) const
{
    VYR_CHECK(VyrHostWnd() != nullptr, "selection operator: no main window to tell");
    return VyrSendToHost(message, wParam, lParam);
}

void COPSelect::ShowPanel(const char* name) const
{
    // The host reads the name during the send only.
    const std::string copy(name);
    SendHost(WM_UI_SHOWPANEL, 0, (LPARAM)copy.c_str());
}

void COPSelect::InvalidateView() const
{
    if (m_pView && ::IsWindow(m_pView->m_hWnd))
        m_pView->InvalidateRect(nullptr, FALSE);
}

void COPSelect::InvalidateSelectRect() const { InvalidateCorners(m_rcSelect); }

void COPSelect::InvalidateCorners(const CRect& corners) const
{
    if (!m_pView || !::IsWindow(m_pView->m_hWnd))
        return;
    CRect rc = corners;
    rc.NormalizeRect();
    // The frame's right and bottom edges too.
    rc.right += 1;
    rc.bottom += 1;
    m_pView->InvalidateRect(&rc, FALSE);
}

CRect2D COPSelect::NormalisedRect() const
{
    CRect2D rc(m_rcSelect.left, m_rcSelect.top, m_rcSelect.right, m_rcSelect.bottom);
    rc.NormalizeRect();
    return rc;
}

// ---------------------------------------------------------------------------------------
// Events

bool COPSelect::MouseAction(int code, UINT flags, CPoint point, short)
{
    switch (code) {
    case OPMOUSE_LDOWN:
        ++m_nStep;
        if (m_nStep == 0 && !m_bCycle) {
            m_rcSelect = CRect(point.x, point.y, point.x, point.y);
            PointSelect();
            return DealSelect(flags);
        }
        if (m_nStep == 1) {
            m_rcSelect.right = point.x;
            m_rcSelect.bottom = point.y;
            RectSelect();
        } else if (m_nStep == 0) {
            // While cycling the click only advances the cycle, wherever it falls; should
            // there be nothing to cycle through, it opens a rectangle here.
            m_rcSelect = CRect(point.x, point.y, point.x, point.y);
        }
        return DealSelect(flags);

    case OPMOUSE_MOVE:
        if (m_nStep == -1 && !m_bCycle && !m_bCtrlDown && !m_bShiftDown) {
            SetToolTip(GetToolTipHead() + kTipIdle);
        } else if (m_nStep == 0) {
            DrawWhenMove();
            m_rcSelect.right = point.x;
            m_rcSelect.bottom = point.y;
            DrawWhenMove();
            SetToolTip(GetToolTipHead() + kTipRect);
        } else if (m_bShiftDown && !m_bCycle) {
            SetToolTip(GetToolTipHead() + kTipShift);
        }
        return ClosingRule();

    case OPMOUSE_RCLICK:
        if (m_nStep == 0) {
            CancelRect();
            return true;
        }
        if (m_bCycle) {
            ConfirmCtrl();
            return true;
        }
        if ((m_pFinishFun || m_pParent) && IsSuccess()) {
            if (m_pParent)
                m_pParent->MarchOPStep();
            if (m_pFinishFun)
                m_pFinishFun(this);
            m_nStep = -1;
            return true;
        }
        return ClosingRule();

    case OPMOUSE_LDBLCLK:
        if (!m_bCycle && DblClick()) {
            ResetState();
            m_nStep = -1;
            return true;
        }
        return ClosingRule();

    default:
        return ClosingRule();
    }
}

bool COPSelect::ClosingRule()
{
    if (m_nStep == -1 && m_bCtrlDown && !m_bCycle)
        SetToolTip(GetToolTipHead() + kTipCtrl);
    return false;
}

bool COPSelect::KeyDown(UINT key, UINT, UINT)
{
    switch (key) {
    case VK_ESCAPE:
        if (m_nStep == 0)
            CancelRect();
        else if (m_bCycle)
            CancelCtrl();
        else
            EmptySelection();
        return true;
    case VK_SHIFT:
        if (!m_bCycle)
            SetToolTip(GetToolTipHead() + kTipShift);
        m_bShiftDown = true;
        return true;
    case VK_CONTROL:
        if (m_nStep != -1)
            return false;
        m_bCtrlDown = true;
        SetToolTip(GetToolTipHead() + (m_bCycle ? kTipCycle : kTipCtrl));
        return true;
    default:
        return false;
    }
}

bool COPSelect::KeyUp(UINT key, UINT, UINT)
{
    if (key == VK_CONTROL)
        m_bCtrlDown = false;
    else if (key == VK_SHIFT)
        m_bShiftDown = false;
    return false;
}

HCURSOR COPSelect::GetCursor() const
{
    return m_nStep == 0 ? VyrLoadOPCursor(IDC_OPSELECT_RECT) : nullptr;
}

void COPSelect::ResetState()
{
    m_rcSelect.right = m_rcSelect.left;
    m_rcSelect.bottom = m_rcSelect.top;
}

void COPSelect::CancelRect()
{
    const CRect drawn = m_rcSelect;
    ResetState();
    m_nStep = -1;
    InvalidateCorners(drawn);
}

// Selects nothing; a second click closes the rectangle so that the next click opens a new one.
bool COPSelect::DealSelect(UINT)
{
    if (m_nStep >= 1) {
        InvalidateSelectRect();
        m_nStep = -1;
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// Rubber rectangle

void COPSelect::DrawFrame(CDC* pDC, const CRect& corners, bool solid) { VyrDrawXorFrame(pDC, corners, solid); }

void COPSelect::DrawWhenMove()
{
    if (m_nStep == 0)
        VyrDrawXorFrame(m_pView, m_rcSelect, IsFrameSolid());
}

// ---------------------------------------------------------------------------------------
// Clearing everything

void COPSelect::EmptyAllSelection()
{
    VYR_CHECK(m_pGlobalData != nullptr, "selection operator without a model root");
    CGlobalData& d = *m_pGlobalData;
    d.SelectBeamList().SetSelect(0);
    d.SelectBeamList().RemoveAll();
    ShowPanel("View.PropBeam");
    ShowPanel("View.PropBCInWall");
    d.SelectNodeList().SetSelect(0);
    d.SelectNodeList().RemoveAll();
    ShowPanel("View.PropNode");
    d.SelectPlaneList().SetSelect(false);
    d.SelectPlaneList().RemoveAll();
    ShowPanel("View.PropPlane");
    d.SelectWallList().SetSelect(false);
    d.SelectWallList().RemoveAll();
    ShowPanel("View.PropWall");
    if (CStruct* s = d.Struct()) {
        s->Axises().SetIsSelectAxisPt(false);
        s->Axises().SetIsSelectAxisSeq(false);
        s->Axises().SetIsSelect(false);
    }
    ShowPanel("View.Axis");
    SendHost(WM_UI_SELCHANGED);
    InvalidateView();
}

// ---------------------------------------------------------------------------------------
// The hooks over the kinds

void COPSelect::SidesPointSelect(const Sides& sides)
{
    VYR_CHECK(m_pGlobalData != nullptr, "selection operator without a model root");
    const CPoint2D pt(m_rcSelect.left, m_rcSelect.top);
    for (CSelectSide* s : sides)
        s->HitPoint(*m_pGlobalData, pt);
}

void COPSelect::SidesRectSelect(const Sides& sides)
{
    VYR_CHECK(m_pGlobalData != nullptr, "selection operator without a model root");
    const CRect2D rc = NormalisedRect();
    const bool window = m_rcSelect.right > m_rcSelect.left;
    for (CSelectSide* s : sides)
        s->HitRect(*m_pGlobalData, rc, window);
}

namespace {

int RingSize(const std::vector<CSelectSide*>& sides)
{
    int n = 0;
    for (CSelectSide* s : sides)
        n += s->Count();
    return n;
}

// The kind and the position in its candidates of ring position index.
CSelectSide* RingAt(const std::vector<CSelectSide*>& sides, int index, int& local)
{
    for (CSelectSide* s : sides) {
        if (index < s->Count()) {
            local = index;
            return s;
        }
        index -= s->Count();
    }
    return nullptr;
}

} // namespace

bool COPSelect::CommonEnd(const Sides& sides)
{
    SendHost(WM_UI_SELCHANGED);
    InvalidateView();
    m_nStep = -1;
    for (CSelectSide* s : sides)
        if (const char* panel = s->Panel())
            ShowPanel(panel);
    return true;
}

bool COPSelect::SidesDealSelect(const Sides& sides, int& cur, UINT flags)
{
    VYR_CHECK(m_pGlobalData != nullptr, "selection operator without a model root");
    CGlobalData& d = *m_pGlobalData;
    const int ring = RingSize(sides);

    if (m_bCycle && (ring == 0 || cur < 0 || cur >= ring))
        m_bCycle = false; // nothing left to cycle through: the click is an ordinary one

    if (m_bCycle) {
        int local = 0;
        if (ring == 1) {
            CSelectSide* s = RingAt(sides, 0, local);
            s->Invert(d, local);
        } else {
            CSelectSide* s = RingAt(sides, cur, local);
            s->Deselect(d, local);
            cur = cur + 1 == ring ? 0 : cur + 1;
            s = RingAt(sides, cur, local);
            s->Select(d, local);
        }
        return CommonEnd(sides);
    }

    if ((flags & MK_CONTROL) && m_nStep == 0) {
        for (CSelectSide* s : sides)
            s->KeepUnselectedCandidates(d);
        if (RingSize(sides) == 0)
            return false;
        m_bCycle = true;
        cur = 0;
        int local = 0;
        RingAt(sides, 0, local)->Select(d, local);
        SetToolTip(GetToolTipHead() + kTipCycle);
        return CommonEnd(sides);
    }

    bool changed = false;
    for (CSelectSide* s : sides)
        changed = s->Apply(d, (flags & MK_SHIFT) != 0) || changed;
    if (changed)
        return CommonEnd(sides);
    if (m_nStep == 1) {
        SendHost(WM_UI_SELCHANGED);
        InvalidateSelectRect();
        m_nStep = -1;
    }
    return false;
}

void COPSelect::SidesConfirmCtrl(const Sides& sides)
{
    m_bCycle = false;
    SendHost(WM_UI_SELCHANGED);
    InvalidateView();
    m_nStep = -1;
    for (CSelectSide* s : sides)
        s->ClearCandidates();
}

void COPSelect::SidesCancelCtrl(const Sides& sides, int cur)
{
    m_bCycle = false;
    int local = 0;
    if (cur >= 0)
        if (CSelectSide* s = RingAt(sides, cur, local))
            s->Deselect(*m_pGlobalData, local);
    SendHost(WM_UI_SELCHANGED);
    InvalidateView();
    m_nStep = -1;
    for (CSelectSide* s : sides)
        s->ClearCandidates();
}

bool COPSelect::SidesIsSuccess(const Sides& sides, const char* message)
{
    VYR_CHECK(m_pGlobalData != nullptr, "selection operator without a model root");
    for (CSelectSide* s : sides)
        if (s->AnySelected(*m_pGlobalData))
            return true;
    AfxMessageBox(message, MB_OK);
    return false;
}

void COPSelect::SidesEmptySelection(const Sides& sides)
{
    VYR_CHECK(m_pGlobalData != nullptr, "selection operator without a model root");
    bool any = false;
    for (CSelectSide* s : sides)
        any = any || s->AnySelected(*m_pGlobalData);
    if (any) {
        for (CSelectSide* s : sides)
            s->ClearSelection(*m_pGlobalData);
        SendHost(WM_UI_SELCHANGED);
        InvalidateView();
        for (CSelectSide* s : sides)
            if (const char* panel = s->Panel())
                ShowPanel(panel);
    } else if (m_pCancelFun) {
        m_pCancelFun(this);
    } else if (!m_pFinishFun) {
        EmptyAllSelection();
    } else {
        AfxMessageBox(GetOPDesc() + "结束！", MB_OK);
        if (m_pOPManager)
            m_pOPManager->ResumeDefaultOP();
    }
    // The manager deletes a replaced operator only after the event returns.
    m_nStep = -1;
}

CString COPSelect::ConfirmHead(const char* confirm) const
{
    CString head = GetOPDesc();
    if (m_pCancelFun || m_pFinishFun)
        head += confirm;
    return head;
}
