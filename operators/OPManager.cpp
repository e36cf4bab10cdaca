#include <vyr/operators/OPManager.h>

#include <set>

#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPView.h>

COPManager::COPManager()
    : m_pView(nullptr), m_pGlobalData(nullptr), m_pCurOP(nullptr), m_pLastOP(nullptr), m_pDefaultOP(nullptr),
      m_pTempOP(nullptr)
{
}

COPManager::~COPManager()
{
    // Every distinct operator once, wherever it stands.
    std::set<COP*> all(m_KeptOPs.begin(), m_KeptOPs.end());
    all.insert(m_DeletedOPs.begin(), m_DeletedOPs.end());
    all.insert(m_pCurOP);
    all.insert(m_pLastOP);
    all.insert(m_pDefaultOP);
    all.insert(m_pTempOP);
    all.erase(nullptr);
    for (COP* op : all)
        delete op;
}

void COPManager::Initial(CView* view, CGlobalData* modelRoot)
{
    m_pView = view;
    m_pGlobalData = modelRoot;
}

COP* COPManager::CloneOP(const COP* op) { return op ? static_cast<COP*>(op->Clone()) : nullptr; }

void COPManager::Keep(COP* op) { m_KeptOPs.push_back(op); }

void COPManager::Delete(COP* op)
{
    if (!op)
        return;
    // An operator on the kept list would otherwise be deleted a second time.
    for (COP*& kept : m_KeptOPs)
        if (kept == op)
            kept = nullptr;
    if (m_nEventDepth > 0) {
        for (COP* pending : m_DeletedOPs)
            if (pending == op)
                return;
        m_DeletedOPs.push_back(op);
    } else {
        delete op;
    }
}

void COPManager::FlushDeleted()
{
    std::vector<COP*> dead;
    dead.swap(m_DeletedOPs);
    for (COP* op : dead)
        delete op;
}

void COPManager::SetOP(const COP& op) { SetCurOP(CloneOP(&op)); }

void COPManager::SetOP(const CString& type)
{
    CObj* obj = CObjCreator::Inst().Create(type);
    if (!obj)
        return;
    COP* op = dynamic_cast<COP*>(obj);
    if (!op) {
        delete obj;
        return;
    }
    SetCurOP(op);
}

void COPManager::SetCurOP(COP* x)
{
    COP*& C = m_pCurOP;
    COP*& L = m_pLastOP;
    COP*& D = m_pDefaultOP;
    COP*& P = m_pTempOP;

    if (!x || x == C)
        return;
    x->SetParam(m_pView, m_pGlobalData, this);

    if (!C) {
        C = x;
    } else if (x == P) {
        Delete(C);
        C = x;
        P = nullptr;
    } else if (x == D) {
        switch (C->GetOPType()) {
        case OPTYPE_COMMAND:
            Keep(L);
            L = C;
            break;
        case OPTYPE_TEMPORARY:
            Keep(L);
            L = P;
            P = nullptr;
            Delete(C);
            break;
        case OPTYPE_ONESHOT:
            Keep(C);
            break;
        default:
            Delete(C);
            break;
        }
        C = CloneOP(D);
    } else if (x == L) {
        COP* old = C;
        switch (old->GetOPType()) {
        case OPTYPE_TEMPORARY:
            Delete(old);
            C = CloneOP(L);
            Delete(L);
            L = CloneOP(P);
            Delete(P);
            P = nullptr;
            break;
        case OPTYPE_ONESHOT:
            Delete(old);
            C = CloneOP(L);
            Delete(L);
            L = nullptr;
            break;
        default:
            C = CloneOP(L);
            Delete(L);
            L = CloneOP(old);
            Delete(old);
            break;
        }
    } else if (x->GetOPType() == OPTYPE_TEMPORARY) {
        if (C->GetOPType() != OPTYPE_TEMPORARY) {
            C->ResetState();
            P = C;
            C = x;
        } else if (C->Comp(*x)) {
            Delete(x);
        } else {
            Delete(C);
            C = x;
        }
    } else {
        if (C->GetOPType() != OPTYPE_TEMPORARY) {
            if (C->GetOPType() != OPTYPE_ONESHOT && !C->Comp(*x)) {
                Keep(L);
                L = CloneOP(C);
            }
            Keep(C);
            C = x;
        } else {
            Delete(L);
            L = CloneOP(P);
            Delete(P);
            P = nullptr;
            Delete(C);
            C = x;
        }
    }

    if (C && C->GetOPType() == OPTYPE_DEFAULT) {
        Delete(D);
        D = CloneOP(C);
    }
    if (m_pView && ::IsWindow(m_pView->m_hWnd))
        m_pView->Invalidate(FALSE);
}

bool COPManager::MouseAction(int code, UINT flags, CPoint point, short wheelDelta)
{
    EventScope scope(this);
    const CString curType = m_pCurOP ? m_pCurOP->GetType() : CString();
    if (code == OPMOUSE_MDOWN) {
        if (!(flags & MK_CONTROL)) {
            if (curType.Compare("OP.ViewPan") != 0) {
                COPViewPan pan;
                pan.SetPt(point);
                SetOP(pan);
                return true;
            }
        } else if (curType.Compare("OP.ViewFree") != 0) {
            COPViewFree freeOP;
            freeOP.SetPt(point);
            SetOP(freeOP);
            return true;
        }
    } else if (code == OPMOUSE_MUP) {
        const COPViewPan* pan = dynamic_cast<const COPViewPan*>(m_pCurOP);
        const COPViewFree* rotate = dynamic_cast<const COPViewFree*>(m_pCurOP);
        if (curType.Compare("OP.ViewPan") == 0 && pan && pan->GetIsTempUse()) {
            ResumeTempOP();
            return true;
        }
        if (curType.Compare("OP.ViewFree") == 0 && rotate && rotate->GetIsTempUse()) {
            ResumeTempOP();
            if (m_pCurOP)
                m_pCurOP->ResetState();
            return true;
        }
    } else if (code == OPMOUSE_WHEEL) {
        // A view without height, or a factor at or below zero, would collapse or mirror
        // the view: such an event is ignored.
        int h = 0;
        if (m_pView && ::IsWindow(m_pView->m_hWnd)) {
            CRect rc;
            m_pView->GetClientRect(&rc);
            h = rc.bottom - rc.top;
        }
        if (h <= 0)
            return false;
        const double factor = (double)wheelDelta / h * 0.5 + 1.0;
        if (!(factor > 0.0))
            return false;
        if (m_pCurOP)
            m_pCurOP->ResetState();
        COPViewZoom::Zoom(factor, point, m_pGlobalData);
        return true;
    }
    return m_pCurOP ? m_pCurOP->MouseAction(code, flags, point, wheelDelta) : false;
}

bool COPManager::KeyDown(UINT key, UINT repeat, UINT flags)
{
    EventScope scope(this);
    return m_pCurOP ? m_pCurOP->KeyDown(key, repeat, flags) : false;
}

bool COPManager::KeyUp(UINT key, UINT repeat, UINT flags)
{
    EventScope scope(this);
    return m_pCurOP ? m_pCurOP->KeyUp(key, repeat, flags) : false;
}

void COPManager::OnDraw(CDC* pDC)
{
    EventScope scope(this);
    if (m_pCurOP)
        m_pCurOP->OnDraw(pDC);
}

HCURSOR COPManager::GetCursor()
{
    HCURSOR cursor = m_pCurOP ? m_pCurOP->GetCursor() : nullptr;
    return cursor ? cursor : VyrLoadOPCursor(IDC_OP_DEFAULT);
}

CString COPManager::GetOPDesc() const { return m_pCurOP ? m_pCurOP->GetOPDesc() : CString(); }
CString COPManager::GetOPType() const { return m_pCurOP ? m_pCurOP->GetType() : CString(); }
CString COPManager::GetLastOPDesc() const { return m_pLastOP ? m_pLastOP->GetOPDesc() : CString(); }
CString COPManager::GetToolTip() const { return m_pCurOP ? m_pCurOP->GetToolTip() : CString(); }
bool COPManager::IsDefault() const { return m_pCurOP && m_pCurOP->GetOPType() == OPTYPE_DEFAULT; }
bool COPManager::HasLastOP() const { return m_pLastOP != nullptr; }

void COPManager::ResumeDefaultOP()
{
    if (m_pDefaultOP)
        SetCurOP(m_pDefaultOP);
}

void COPManager::ResumeLastOP()
{
    if (!m_pLastOP)
        return;
    m_pLastOP->SetCurStep(0, m_pGlobalData);
    m_pLastOP->ResetState();
    SetCurOP(m_pLastOP);
}

void COPManager::ResumeTempOP()
{
    if (!m_pTempOP)
        return;
    m_pTempOP->ResetState();
    SetCurOP(m_pTempOP);
}

void COPManager::ResetState()
{
    if (m_pCurOP)
        m_pCurOP->ResetState();
}
