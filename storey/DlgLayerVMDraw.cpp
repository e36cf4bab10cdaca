#include <vyr/storey/DlgLayerVMDraw.h>

#include <algorithm>
#include <cmath>

#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/LayerVMRes.h>
#include <vyr/storey/DlgLayerVMOutput.h>

namespace {

// The storeys span 605 drawing units; the largest value of a diagram 0.4 of that.
constexpr double kVMStoreySpan = 605.0;
constexpr double kVMValueSpan = 242.0;

// A divisor kept away from zero, and from below it.
double VMDivisor(double v)
{
    return v < 1e-7 ? 1e-7 : v;
}

bool VMNearZero(double v)
{
    return std::fabs(v) < 1e-7;
}

} // namespace

CDlgLayerVMDraw::CDlgLayerVMDraw(CWnd* pParent) : CDialog(IDD_LAYERVMDRAW, pParent) {}

CLayer* CDlgLayerVMDraw::Layer(const char* name) const
{
    return m_pDraw != nullptr ? m_pDraw->GetLayer(name) : nullptr;
}

BOOL CDlgLayerVMDraw::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* parent = GetSafeHwnd() ? dynamic_cast<CDlgLayerVMOutput*>(CWnd::FromHandle(::GetParent(GetSafeHwnd())))
                                 : nullptr;
    if (parent != nullptr)
        SetWindowText(parent->m_strDescription + "主方向(" + (parent->m_nDirection == 1 ? "X" : "Y")
                      + "向)剪力与倾覆力矩");
    m_Preview.Create(CRect(13, 13, 650, 500), this, 0);
    if (parent != nullptr)
        Build(*parent);
    return TRUE;
}

void CDlgLayerVMDraw::Build(const CDlgLayerVMOutput& parent)
{
    // The alignment is the text class's: other drawings go on with theirs.
    const unsigned hAlign = CText::GetClassHAlign(), vAlign = CText::GetClassVAlign();
    m_pDraw = new CDraw;
    CreateLayers(m_pDraw);
    m_fTextHeight = 30.0f;
    m_fH = parent.m_fTopZ;
    m_fVmax = parent.m_fMaxV;
    m_fMmax = parent.m_fMaxM;
    m_fScaleV = (float)(kVMValueSpan / VMDivisor(m_fVmax));
    m_fScaleM = (float)(kVMValueSpan / VMDivisor(m_fMmax));
    m_fZ0 = 0.0f;

    auto* shear = new CDrawBlock;
    auto* moment = new CDrawBlock;
    auto* frame = new CDrawBlock;
    m_pDraw->AddDrawUnit(shear);
    m_pDraw->AddDrawUnit(moment);
    m_pDraw->AddDrawUnit(frame);
    DrawAxis(shear, CPoint2D(0, 0), KIND_SHEAR);
    DrawAxis(moment, CPoint2D(0, 0), KIND_MOMENT);

    m_nTopNo = parent.m_arrVM.empty() ? 0 : parent.m_arrVM.back().nNo;
    if (m_pGlobalData != nullptr) {
        CStruct* s = m_pGlobalData->Struct();
        const int basements = s->m_nBasementNum;
        const CFloor* base = basements != 0 ? s->m_pFloorList->GetRealFloorByID(basements) : s->m_pFloorList->Get(1);
        if (base != nullptr)
            m_fZ0 = (float)(base->GetZ() * 0.01);
    }
    CPoint2D atShear(0, 0), atMoment(0, 0);
    for (const CStoreyVM& r : parent.m_arrVM) {
        DrawStorey(r.fV, r.nNo, atShear, shear, KIND_SHEAR);
        DrawStorey(r.fM, r.nNo, atMoment, moment, KIND_MOMENT);
    }
    moment->MoveXY(580, 0);
    DrawFrame(frame, CPoint2D(0, 0));
    frame->MoveXY(-150, -115);
    m_Preview.SetDraw(m_pDraw);
    CText::SetTextAlign(hAlign, vAlign);
}

void CDlgLayerVMDraw::CreateLayers(CDraw* draw)
{
    struct LayerDef
    {
        const char* name;
        COLORREF colour;
    };
    const LayerDef defs[] = {{"VM", 0x00FF00}, {"Text", 0xFFFF00}, {"Cor", 0xFF0FFF}, {"Tail", 0x32FFFF}};
    for (const LayerDef& d : defs)
        draw->GetLayerList().AddTail(new CLayer(d.name, 0, d.colour, ""));
}

void CDlgLayerVMDraw::DrawAxis(CDrawBlock* block, CPoint2D o, int kind)
{
    const bool shear = kind == KIND_SHEAR;
    const double s = shear ? m_fScaleV : m_fScaleM;
    const double vm = shear ? m_fVmax : m_fMmax;
    const double th = m_fTextHeight;
    CLayer* cor = Layer("Cor");
    CLayer* text = Layer("Text");
    const CPoint2D top(o.x, 1.2 * 550.0 * m_fH / VMDivisor(m_fH));
    const CPoint2D end(o.x + 1.5 * vm * s, o.y);
    block->CreateLine(o, top, cor, 1, -1);
    block->CreateLine(o, end, cor, 1, -1);
    const double a = std::min(0.03 * top.y, 0.03 * end.x);
    CPoint2D up[3] = {CPoint2D(o.x - a, top.y), CPoint2D(o.x + a, top.y), CPoint2D(o.x, top.y + 3 * a)};
    block->CreateHatch(up, 3, cor);

    CText::SetTextAlign(0, 8);
    block->CreateText(o.x + 2 * a, top.y, "Floor", m_fTextHeight, 0, text);
    CString caption;
    caption.Format(shear ? "最大剪力%.1fkN" : "最大弯矩%.1fkN·m", shear ? m_fVmax : m_fMmax);
    block->CreateText(o.x + 6 * a, top.y + 2 * th, caption, m_fTextHeight, 0, text);
    for (int i = 1; i <= 5; ++i) {
        const double x = o.x + i * 0.2 * vm * s;
        block->CreateLine(CPoint2D(x, o.y), CPoint2D(x, o.y + 10), text, 1, -1);
        CString label;
        if (i < 5)
            label.Format("%d", i);
        else
            label.Format("%d(*%.0f)", i, 0.2 * vm);
        block->CreateText(x, o.y - 1.6 * th, label, m_fTextHeight, 0, text);
    }
    CPoint2D right[3] = {CPoint2D(end.x, end.y - a), CPoint2D(end.x, end.y + a), CPoint2D(end.x + 3 * a, end.y)};
    block->CreateHatch(right, 3, cor);
    block->CreateText(end.x + 4 * a, end.y, shear ? "V" : "M", m_fTextHeight, 0, text);
    block->CreateText(o.x + 0.35 * vm * s, o.y - 3.1 * th, shear ? "楼层剪力图(kN)" : "楼层弯矩图(kN·m)",
                      m_fTextHeight, 0, text);
}

void CDlgLayerVMDraw::DrawStorey(float value, int no, CPoint2D& p, CDrawBlock* block, int kind)
{
    const CFloor* storey = m_pGlobalData != nullptr ? m_pGlobalData->Struct()->m_pFloorList->GetRealFloorByID(no)
                                                    : nullptr;
    if (storey == nullptr)
        return;
    const double s = kind == KIND_SHEAR ? m_fScaleV : m_fScaleM;
    const double ky = kVMStoreySpan / VMDivisor((double)m_fH - m_fZ0);
    const CPoint2D q(s * value, ky * (storey->GetZ() * 0.01 - m_fZ0));
    // Magnitudes: a negative value continues the diagram as a positive one does.
    const bool first = VMNearZero(p.x) && VMNearZero(p.y);
    const bool top = no == m_nTopNo;
    if (VMNearZero(p.x))
        p.x = q.x;
    CLayer* vm = Layer("VM");
    if (kind == KIND_SHEAR) {
        if (first)
            block->CreateLine(p, q, vm, 1, -1);
        if (top)
            block->CreateLine(CPoint2D(0, q.y), q, vm, 1, -1);
        block->CreateLine(q, CPoint2D(q.x, p.y), vm, 1, -1);
        block->CreateLine(CPoint2D(q.x, p.y), p, vm, 1, -1);
        p = q;
    } else {
        if (top)
            block->CreateLine(CPoint2D(0, q.y), q, vm, 1, -1);
        if (!first) {
            block->CreateLine(q, p, vm, 1, -1);
            p = q;
        }
    }
    block->CreateLine(CPoint2D(0, q.y), CPoint2D(10, q.y), vm, 1, -1);

    const int step = (int)(m_nTopNo * 0.1);
    if (step == 0 || no % step == 0) {
        CString label;
        label.Format("%d", no);
        CText::SetTextAlign(2, 8);
        block->CreateText(-0.5 * m_fTextHeight, q.y - 0.5 * m_fTextHeight, label, m_fTextHeight, 0, Layer("Text"));
        CText::SetTextAlign(0, 8);
    }
}

void CDlgLayerVMDraw::DrawFrame(CDrawBlock* block, CPoint2D o)
{
    CLayer* tail = Layer("Tail");
    const CPoint2D corner = o + CPoint2D(1200, 910);
    block->CreateLine(o, CPoint2D(corner.x, o.y), tail, 1, -1);
    block->CreateLine(CPoint2D(corner.x, o.y), corner, tail, 1, -1);
    block->CreateLine(corner, CPoint2D(o.x, corner.y), tail, 1, -1);
    block->CreateLine(CPoint2D(o.x, corner.y), o, tail, 1, -1);
    block->CreateLine(CPoint2D(o.x + 600, o.y + 910), CPoint2D(o.x + 600, 0), tail, 1, -1);
}
