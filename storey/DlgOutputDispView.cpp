#include <vyr/storey/DlgOutputDispView.h>

#include <algorithm>
#include <cmath>

#include <vyr/model/geometry/Layer.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/StoreyDispRes.h>
#include <vyr/storey/DlgLayerDispDifferOutput.h>

namespace {

CString DispViewText(const char* format, int value)
{
    CString t;
    t.Format(format, value);
    return t;
}

} // namespace

CDlgOutputDispView::CDlgOutputDispView(CWnd* pParent) : CDialog(IDD_OUTPUTDISPVIEW, pParent) {}

void CDlgOutputDispView::CreateLayer(CDraw& draw)
{
    struct Def
    {
        const char* name;
        COLORREF colour;
    };
    const Def defs[] = {
        {"VM", 0x00FF00}, {"Warn", 0x0000FF}, {"Text", 0xFFFF00}, {"Cor", 0xFF0FFF}, {"Tail", 0x32FFFF}};
    for (const Def& d : defs)
        draw.GetLayerList().AddTail(new CLayer(d.name, 0, d.colour, ""));
}

float CDlgOutputDispView::VerticalScale() const
{
    const CStruct* s = m_pGlobalData->Struct();
    float f = 1.0f;
    const int real = s->m_pFloorList->GetRealFloorNum();
    if (s->m_nBasementNum > 0 && real > 0)
        f = 1.0f + (float)s->m_nBasementNum / (float)real;
    return f * m_fPanelH / std::max(m_fTopZ, 1e-7f) * 1.1f;
}

void CDlgOutputDispView::CreatePreviewCor(CDrawBlock& block, const CPoint2D& origin, int kind)
{
    CText::SetTextAlign(0, 8);
    const bool drift = kind == PANEL_DRIFT;
    const float s = drift ? m_fDriftScale : m_fDispScale;
    const float M = drift ? m_fMaxDrift : m_fMaxDisp;
    const double x0 = origin.x, y0 = origin.y;
    const double H = m_fPanelH / std::max(m_fTopZ, 1e-7f) * m_fTopZ * 1.2;
    const double Xe = x0 + 1.5 * M * s;
    const double a = std::min(0.03 * H, 0.03 * Xe);
    CLayer* cor = m_pDraw->GetLayer("Cor");
    CLayer* text = m_pDraw->GetLayer("Text");
    block.CreateLine(CPoint2D(x0, y0), CPoint2D(x0, H), cor, 1, -1);
    block.CreateLine(CPoint2D(x0, y0), CPoint2D(Xe, y0), cor, 1, -1);
    CPoint2D up[3] = {CPoint2D(x0 - a, H), CPoint2D(x0 + a, H), CPoint2D(x0, H + 3 * a)};
    block.CreateHatch(up, 3, cor);
    CPoint2D right[3] = {CPoint2D(Xe, y0 - a), CPoint2D(Xe, y0 + a), CPoint2D(Xe + 3 * a, y0)};
    block.CreateHatch(right, 3, cor);
    block.CreateText(x0 + 2 * a, H, "Floor", m_fTextH, 0, text);
    block.CreateText(Xe - 6 * a, y0 + 3 * a, drift ? "maxD/h" : "max(mm)", m_fTextH, 0, text);
    block.CreateText(0.35 * Xe - 2 * a, y0 - 11 * a, drift ? "最大层间位移角" : "楼层平均位移", m_fTextH, 0, text);
    for (int i = 1; i <= 5; ++i) {
        const double xi = i * 0.2 * m_fPanelW;
        block.CreateLine(CPoint2D(x0 + xi, y0), CPoint2D(x0 + xi, y0 + 10), text, 1, -1);
        CString label;
        if (i < 5)
            label = DispViewText("%d", i);
        else if (drift) // no drift at all: the guard keeps the scale finite
            label.Format("%d(*1/%d)", 5, (int)(5.0f / std::max(m_fMaxDrift, 1e-7f)));
        else
            label.Format("%d(*%.3f)", 5, m_fMaxDisp * 0.2);
        block.CreateText(x0 + xi, y0 - 45, label, m_fTextH, 0, text);
    }
}

void CDlgOutputDispView::CreatePreviewNode(CDrawBlock& block, const CPoint2D& centre, float halfSide)
{
    CPoint2D square[4] = {CPoint2D(centre.x - halfSide, centre.y - halfSide),
                          CPoint2D(centre.x + halfSide, centre.y - halfSide),
                          CPoint2D(centre.x + halfSide, centre.y + halfSide),
                          CPoint2D(centre.x - halfSide, centre.y + halfSide)};
    block.CreateHatch(square, 4, m_pDraw->GetLayer("VM"));
}

void CDlgOutputDispView::OnDraw(int index, float height, float value, int storeyNo, CPoint2D& previous,
                                CDrawBlock& block, int kind)
{
    CText::SetTextAlign(0, 8);
    const CStruct* s = m_pGlobalData->Struct();
    const CFloor* S = s->m_pFloorList->GetRealFloor(storeyNo);
    if (S == nullptr)
        return;
    const bool drift = kind == PANEL_DRIFT;
    const float vs = VerticalScale();
    const double Y = vs * (S->GetZ() * 0.01 - m_fBaseZ);
    const double X = (drift ? m_fDriftScale : m_fDispScale) * value;
    const double t = std::min(0.8 * vs * height, 30.0);
    CLayer* vm = m_pDraw->GetLayer("VM");
    CLayer* text = m_pDraw->GetLayer("Text");
    block.CreateLine(CPoint2D(0, Y), CPoint2D(0.35 * m_fTextH, Y), vm, 1, -1);
    block.CreateLine(previous, CPoint2D(X, Y), vm, 1, -1);
    CreatePreviewNode(block, CPoint2D(X, Y), (float)(0.25 * t));
    previous = CPoint2D(X, Y);
    if (drift && index == m_pStat->m_nMaxDriftIndex) {
        const CString label = DispViewText("1/%d", (int)(1.0f / std::max(std::fabs(value), 1e-7f)));
        // The limit in floating point, at least 1.
        CLayer* layer = value > 1.0f / m_fDriftLimit ? m_pDraw->GetLayer("Warn") : text;
        block.CreateText(X + 0.5 * t, Y - 15, label, m_fTextH, 0, layer);
    }
    if (!drift && index == m_pStat->m_nFloorNum - 1) {
        CString label;
        label.Format("%.3f", value);
        block.CreateText(X + 15, Y - 15, label, m_fTextH, 0, text);
    }
    const std::vector<int>& numbers = m_pStat->m_arrFloorNo;
    const int step = numbers.empty() ? 0 : (int)(numbers.back() * 0.1);
    if (step == 0 || storeyNo == step || storeyNo % step == 0) {
        CText::SetTextAlign(2, 8);
        block.CreateText(-0.5 * t, Y - 15, DispViewText("%d", storeyNo), m_fTextH, 0, text);
    }
}

void CDlgOutputDispView::DrawTail(CDrawBlock& block, const CPoint2D& origin)
{
    CText::SetTextAlign(0, 8);
    CLayer* tail = m_pDraw->GetLayer("Tail");
    const double w = 4 * m_fPanelW, h = 1.8 * m_fPanelH;
    const CPoint2D a = origin, b(origin.x + w, origin.y), c(origin.x + w, origin.y + h), d(origin.x, origin.y + h);
    block.CreateLine(a, b, tail, 1, -1);
    block.CreateLine(b, c, tail, 1, -1);
    block.CreateLine(c, d, tail, 1, -1);
    block.CreateLine(d, a, tail, 1, -1);
    block.CreateLine(CPoint2D(origin.x + w / 2, origin.y), CPoint2D(origin.x + w / 2, origin.y + h), tail, 1, -1);
}

BOOL CDlgOutputDispView::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_Preview.Create(CRect(13, 13, 650, 500), this, IDC_DISPVIEW_PREVIEW);
    m_pDraw = new CDraw;
    CreateLayer(*m_pDraw);
    m_fTextH = 30.0f;
    m_fPanelW = 250.0f;
    m_fPanelH = 420.0f;
    // The statistics dialog is this window's owner (opened with no parent from it).
    m_pStat = dynamic_cast<CDlgLayerDispDifferOutput*>(
        CWnd::FromHandle(::GetParent(GetSafeHwnd())));
    if (m_pStat == nullptr || m_pGlobalData == nullptr) {
        m_Preview.SetDraw(m_pDraw);
        return TRUE;
    }
    m_fDriftLimit = (float)std::max(m_pStat->m_nDriftLimit, 1);
    CString caption = "工况";
    if (m_pStat->m_pCurCase != nullptr)
        m_pStat->m_pCurCase->GetDescription(&caption, 0);
    caption += "下主方向";
    caption += m_pStat->m_nDirection == 1 ? "(X向)位移图" : "(Y向)位移图";
    SetWindowText(caption);
    m_fTopZ = std::fabs(m_pStat->m_fTopZ);
    m_fMaxDisp = std::fabs(m_pStat->m_fMaxAveDisp);
    m_fMaxDrift = std::fabs(m_pStat->m_fMaxDrift);
    m_fDispScale = 250.0f / std::max(m_fMaxDisp, 1e-7f);
    m_fDriftScale = 250.0f / std::max(m_fMaxDrift, 1e-7f);
    auto* driftPanel = new CDrawBlock;
    auto* dispPanel = new CDrawBlock;
    auto* frame = new CDrawBlock;
    m_pDraw->AddDrawUnit(driftPanel);
    m_pDraw->AddDrawUnit(dispPanel);
    m_pDraw->AddDrawUnit(frame);
    const CPoint2D origin(0, 0);
    CreatePreviewCor(*driftPanel, origin, PANEL_DRIFT);
    CreatePreviewCor(*dispPanel, origin, PANEL_DISP);
    const CStruct* s = m_pGlobalData->Struct();
    const CFloor* base = s->m_nBasementNum != 0 ? s->m_pFloorList->GetRealFloor(s->m_nBasementNum)
                                                : s->m_pFloorList->Get(1);
    m_fBaseZ = base != nullptr ? (float)(base->GetZ() * 0.01) : 0.0f;
    CPoint2D driftAt = origin, dispAt = origin;
    const CDlgLayerDispDifferOutput& st = *m_pStat;
    for (size_t k = 0; k < st.m_arrFloorNo.size(); ++k) {
        const int n = st.m_arrFloorNo[k];
        if (n == 0)
            continue;
        const float e = (float)st.m_arrElevH[k];
        const float drift = (float)(std::fabs(st.m_arrMaxDelta[k]) / std::max(e * 1000.0, 1e-7));
        OnDraw((int)k, e, drift, n, driftAt, *driftPanel, PANEL_DRIFT);
        OnDraw((int)k, e, (float)std::fabs(st.m_arrAveDisp[k]), n, dispAt, *dispPanel, PANEL_DISP);
    }
    DrawTail(*frame, origin);
    dispPanel->MoveXY(480, 0);
    frame->MoveXY(-80, -150);
    m_Preview.SetDraw(m_pDraw);
    return TRUE;
}
