#include <vyr/operators/OP.h>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/protocol/HostMessages.h>

// ---------------------------------------------------------------------------------------
// COPBase

COPBase::COPBase() : m_pView(nullptr), m_pGlobalData(nullptr), m_pOPManager(nullptr), m_pParent(nullptr)
{
    id = 0;
}

COPBase::COPBase(const COPBase& o)
    : CObj(o), m_pView(o.m_pView), m_pGlobalData(o.m_pGlobalData), m_pOPManager(o.m_pOPManager), m_pParent(nullptr)
{
}

// The parent belongs to the composite that holds this operator, never to a copy.
COPBase& COPBase::operator=(const COPBase& o)
{
    CObj::operator=(o);
    m_pView = o.m_pView;
    m_pGlobalData = o.m_pGlobalData;
    m_pOPManager = o.m_pOPManager;
    return *this;
}

COPBase::~COPBase() = default;

void COPBase::SetParam(CView* view, CGlobalData* modelRoot, COPManager* manager)
{
    m_pView = view;
    m_pGlobalData = modelRoot;
    m_pOPManager = manager;
}

// ---------------------------------------------------------------------------------------
// COP

CObj* COP::COPCreate() { return new COP(); }

COP::COP()
    : m_nStep(-1), m_nOPType(OPTYPE_COMMAND), m_pCancelFun(nullptr), m_pFinishFun(nullptr), m_dwParam(0)
{
}

COP::COP(const COP& o) : COP()
{
    *this = o;
}

COP& COP::operator=(const COP& o)
{
    if (this == &o)
        return *this;
    COPBase::operator=(o);
    m_nStep = o.m_nStep;
    m_nOPType = o.m_nOPType;
    ClearData();
    for (COP* sub : o.m_OPs)
        AddOP(*sub);
    m_strDesc = o.m_strDesc;
    m_pCancelFun = o.m_pCancelFun;
    m_pFinishFun = o.m_pFinishFun;
    m_dwParam = o.m_dwParam;
    // The prompt is not copied: a copy starts without one.
    return *this;
}

COP::~COP() { ClearData(); }

bool COP::operator==(const COP& o) const
{
    if (m_OPs.size() != o.m_OPs.size())
        return false;
    for (size_t i = 0; i < m_OPs.size(); ++i)
        if (!m_OPs[i]->Comp(*o.m_OPs[i]))
            return false;
    return m_nStep == o.m_nStep && m_nOPType == o.m_nOPType && m_strDesc == o.m_strDesc &&
           m_pFinishFun == o.m_pFinishFun && m_pCancelFun == o.m_pCancelFun;
}

CObj* COP::Clone() const { return new COP(*this); }

void COP::CopyFrom(const CObj& other)
{
    const COP* o = dynamic_cast<const COP*>(&other);
    VYR_CHECK(o != nullptr, "COP::CopyFrom: the source is not an operator");
    *this = *o;
}

CString COP::GetType() const { return "OP"; }
CString COP::GetDesc() const { return "一般操作"; }

bool COP::CompSameType(const CObj& other) const
{
    const COP* o = dynamic_cast<const COP*>(&other);
    return o != nullptr && *this == *o;
}

COP* COP::CurSubOP() const
{
    const int i = m_nStep + 1;
    return (i >= 0 && i < (int)m_OPs.size()) ? m_OPs[(size_t)i] : nullptr;
}

COP* COP::GetSubOP(int index) const
{
    return (index >= 0 && index < (int)m_OPs.size()) ? m_OPs[(size_t)index] : nullptr;
}

bool COP::MouseAction(int code, UINT flags, CPoint point, short wheelDelta)
{
    COP* sub = CurSubOP();
    return sub ? sub->MouseAction(code, flags, point, wheelDelta) : false;
}

bool COP::KeyDown(UINT key, UINT repeat, UINT flags)
{
    COP* sub = CurSubOP();
    return sub ? sub->KeyDown(key, repeat, flags) : false;
}

bool COP::KeyUp(UINT key, UINT repeat, UINT flags)
{
    COP* sub = CurSubOP();
    return sub ? sub->KeyUp(key, repeat, flags) : false;
}

void COP::OnDraw(CDC* pDC)
{
    if (COP* sub = CurSubOP())
        sub->OnDraw(pDC);
}

HCURSOR COP::GetCursor() const
{
    COP* sub = CurSubOP();
    return sub ? sub->GetCursor() : nullptr;
}

void COP::SetParam(CView* view, CGlobalData* modelRoot, COPManager* manager)
{
    COPBase::SetParam(view, modelRoot, manager);
    for (COP* sub : m_OPs)
        sub->SetParam(view, modelRoot, manager);
}

void COP::GetPts_Inn(std::vector<CPoint3D>& points)
{
    for (COP* sub : m_OPs)
        sub->GetPts_Inn(points);
}

void COP::SetPts_Inn(int& position, const std::vector<CPoint3D>& points)
{
    for (COP* sub : m_OPs)
        sub->SetPts_Inn(position, points);
}

void COP::GetPts(int index, std::vector<CPoint3D>& points)
{
    if (COP* sub = GetSubOP(index))
        sub->GetPts_Inn(points);
}

void COP::SetPts(int index, const std::vector<CPoint3D>& points)
{
    if (COP* sub = GetSubOP(index)) {
        int position = 0;
        sub->SetPts_Inn(position, points);
    }
}

void COP::MarchOPStep()
{
    ++m_nStep;
    if (m_nStep == (int)m_OPs.size())
        m_nStep = -1;
}

COP* COP::AddOP(const COP& op)
{
    COP* clone = static_cast<COP*>(op.Clone());
    clone->m_pParent = this;
    m_OPs.push_back(clone);
    return clone;
}

void COP::ClearData()
{
    for (COP* sub : m_OPs)
        delete sub;
    m_OPs.clear();
}

CString COP::GetOPDesc() const { return m_strDesc.IsEmpty() ? GetDesc() : m_strDesc; }

void COP::SetFun(OPFUN cancel, OPFUN finish)
{
    m_pCancelFun = cancel;
    m_pFinishFun = finish;
    if ((cancel || finish) && m_nOPType == OPTYPE_DEFAULT)
        m_nOPType = OPTYPE_COMMAND;
}

void COP::SetFun(int index, OPFUN cancel, OPFUN finish)
{
    if (COP* sub = GetSubOP(index))
        sub->SetFun(cancel, finish);
}

void COP::SetCurStep(int step, CGlobalData* modelRoot)
{
    m_pGlobalData = modelRoot;
    m_nStep = step - 1;
    ResetState();
}

void COP::SetToolTip(const CString& tip)
{
    m_strToolTip = tip;
    VyrSendToHost(WM_UI_TOOLTIPCHANGED);
}
