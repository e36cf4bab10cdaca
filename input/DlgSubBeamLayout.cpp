#include <vyr/input/DlgSubBeamLayout.h>

#include <algorithm>
#include <cmath>

#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/SubBeamRes.h>

BEGIN_MESSAGE_MAP(CDlgSubBeamLayout, CDialog)
    ON_BN_CLICKED(IDC_SUBBEAM_DIVIDE, &CDlgSubBeamLayout::OnInsertDivision)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_SUBBEAM_KIND1_DIST, IDC_SUBBEAM_KIND2_RATIO, &CDlgSubBeamLayout::OnPointKind)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_SUBBEAM_LIST, &CDlgSubBeamLayout::OnItemChangedPointList)
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgSubBeamLayout::CDlgSubBeamLayout(UINT idd, int sides, int firstDirection, CWnd* pParent)
    : CDialog(idd, pParent), m_nSides(sides), m_nFirstDirectionId(firstDirection)
{
}

CDlgSubBeamLayout::~CDlgSubBeamLayout() = default;

double CDlgSubBeamLayout::RoundShown(double x)
{
    return std::trunc((x * 1000.0 + 5.0) * 0.1) * 0.01;
}

float CDlgSubBeamLayout::Unit() const
{
    return m_pData != nullptr ? m_pData->UnitLength() : 1.0f;
}

bool CDlgSubBeamLayout::ReadSides(CPlane* room, RoomSides& out) const
{
    const double unit = Unit();
    auto vertex = [room](int i, CPoint2D& p) {
        const CPNode* v = room->m_pVexNodeList->Get(i);
        if (v == nullptr)
            return false;
        p = CPoint2D(v->m_pt.x, v->m_pt.y);
        return true;
    };
    CBeamList* edges = room->m_pBeamList;
    if ((int)edges->GetCount() == m_nSides) {
        for (int k = 0; k < m_nSides; ++k) {
            if (!vertex(k + 1, out.corner[k]))
                return false;
            out.length[k] = edges->Get(k + 1)->GetLength() * unit;
            out.members[k] = 1;
        }
        return true;
    }
    // Consecutive members of one direction make one side; the side keeps the angle of its
    // first member.
    int sides = 0, m = 0;
    double angle = 0.0;
    for (POSITION pos = edges->GetHeadPosition(); pos != nullptr;) {
        const CBeamBase* b = edges->GetNextT(pos);
        ++m;
        const double a = b->GetXAngle();
        if (sides == 0 || std::fabs(angle - a) > 0.1) {
            if (sides == m_nSides || !vertex(m, out.corner[sides]))
                return false;
            angle = a;
            out.members[sides] = 1;
            out.length[sides] = b->GetLength() * unit;
            ++sides;
        } else {
            ++out.members[sides - 1];
            out.length[sides - 1] += b->GetLength() * unit;
        }
    }
    return sides == m_nSides;
}

INT_PTR CDlgSubBeamLayout::DoModal()
{
    for (double& len : m_dMinLen)
        len = 1e99;
    bool first = true;
    for (POSITION pos = m_PlaneList.GetHeadPosition(); pos != nullptr;) {
        CPlane* room = m_PlaneList.GetNextT(pos);
        RoomSides rs;
        if (!ReadSides(room, rs)) {
            CString text;
            text.Format(m_nSides == 3 ? "房间%d的边界无法分为三条边，不能布置次梁！" : "房间%d的边界无法分为四条边，不能布置次梁！",
                        room->GetNo());
            AfxMessageBox(text);
            return IDCANCEL;
        }
        for (int k = 0; k < m_nSides; ++k)
            if (m_dMinLen[k] > rs.length[k])
                m_dMinLen[k] = rs.length[k];
        if (first) {
            for (int k = 0; k < m_nSides; ++k) {
                m_ptCorner[k] = rs.corner[k];
                m_nSideBeams[k] = rs.members[k];
            }
            first = false;
        }
    }
    return CDialog::DoModal();
}

void CDlgSubBeamLayout::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SUBBEAM_LIST, m_PointList);
    // The radios first: a refused number below them leaves a click on them its effect.
    DDX_Radio(pDX, m_nFirstDirectionId, m_nDirection);
    DDX_Radio(pDX, IDC_SUBBEAM_KIND1_DIST, m_nKind1);
    DDX_Radio(pDX, IDC_SUBBEAM_KIND2_DIST, m_nKind2);
    DDX_Text(pDX, IDC_SUBBEAM_DIVCOUNT, m_nDivNum);
    DDX_Text(pDX, IDC_SUBBEAM_DIST1, m_dDist1);
    DDX_Text(pDX, IDC_SUBBEAM_DIST2, m_dDist2);
    DDX_Text(pDX, IDC_SUBBEAM_RATIO1, m_dRatio1);
    DDX_Text(pDX, IDC_SUBBEAM_RATIO2, m_dRatio2);
    DDX_Text(pDX, IDC_SUBBEAM_SHOWLEN1, m_dShowLen1);
    DDX_Text(pDX, IDC_SUBBEAM_SHOWLEN2, m_dShowLen2);
}

void CDlgSubBeamLayout::SetDirectionLengths(bool rounded)
{
    const Placement p = PlacementOf(m_nDirection);
    m_dWorkLen1 = m_dMinLen[p.side1];
    m_dWorkLen2 = m_dMinLen[p.side2];
    m_dShowLen1 = rounded ? RoundShown(m_dWorkLen1) : m_dWorkLen1;
    m_dShowLen2 = rounded ? RoundShown(m_dWorkLen2) : m_dWorkLen2;
}

BOOL CDlgSubBeamLayout::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* frame = GetDlgItem(IDC_SUBBEAM_PREVIEW); frame != nullptr)
        frame->GetClientRect(&m_rcPreview);
    m_PointList.InsertColumn(0, "点", LVCFMT_LEFT, 36);
    m_PointList.InsertColumn(1, "<未定>", LVCFMT_LEFT, 50);
    m_PointList.InsertColumn(2, "<未定>", LVCFMT_LEFT, 50);
    GetDlgItem(IDC_SUBBEAM_DIST1)->EnableWindow(TRUE);
    GetDlgItem(IDC_SUBBEAM_DIST2)->EnableWindow(TRUE);
    GetDlgItem(IDC_SUBBEAM_RATIO1)->EnableWindow(FALSE);
    GetDlgItem(IDC_SUBBEAM_RATIO2)->EnableWindow(FALSE);

    m_nDirection = 0;
    SetDirectionLengths(true);
    if (OneRoom()) {
        CPlane* room = m_PlaneList.GetHeadT();
        if (!room->m_pSubBeamList->IsEmpty())
            ReadExistingLayout(room);
        ComputePreview(room);
    }
    UpdateData(FALSE);
    Repaint();
    return TRUE;
}

void CDlgSubBeamLayout::ReadExistingLayout(CPlane* room)
{
    m_nDirection = DirectionOfCode(room->m_nSubBeamDir);
    SetDirectionLengths(!ShowsReadLengthsUnrounded());
    const Placement p = PlacementOf(m_nDirection);
    const CPoint2D* c = m_ptCorner;
    const double unit = Unit();
    for (POSITION pos = room->m_pSubBeamList->GetHeadPosition(); pos != nullptr;) {
        const CBeamBase* b = room->m_pSubBeamList->GetNextT(pos);
        const CPoint2D a(b->GetNode1()->m_pt.x, b->GetNode1()->m_pt.y);
        const CPoint2D e(b->GetNode2()->m_pt.x, b->GetNode2()->m_pt.y);
        // Either end of a beam may lie on placement side 1.
        const bool startOnSide1 = DPL(a, c[p.ref1], c[p.far1]) < 0.0001;
        const double v1 = DPP(startOnSide1 ? a : e, c[p.ref1]);
        const double v2 = DPP(startOnSide1 ? e : a, c[p.ref2]);
        m_arrDist1.push_back((float)(v1 * unit));
        m_arrDist2.push_back((float)(v2 * unit));
    }
    m_nPointNum1 = m_nPointNum2 = (int)m_arrDist1.size();
    SortPoints(m_arrDist1);
    SortPoints(m_arrDist2);
    SetValueHeaders("距离");
    m_nListMode = 0;
    FillPointList();
}

void CDlgSubBeamLayout::ComputePreview(CPlane* room)
{
    const CRect2D r = room->m_pVexNodeList->GetRealRect(0);
    const double w = r.right - r.left, h = r.top - r.bottom;
    m_ptCenter = r.CenterPoint();
    const double pw = m_rcPreview.Width(), ph = m_rcPreview.Height();
    const int cx = (m_rcPreview.left + m_rcPreview.right) / 2, cy = (m_rcPreview.top + m_rcPreview.bottom) / 2;
    if (w <= 0.0 && h <= 0.0)
        m_dScale = 1.0;
    else if (h <= 0.0 || (ph > 0.0 && w / h > pw / ph))
        m_dScale = 0.6 * pw / w;
    else
        m_dScale = 0.6 * ph / h;
    auto toScreen = [&](double x, double y) {
        return CPoint((int)std::trunc(cx + (x - m_ptCenter.x) * m_dScale), (int)std::trunc(cy - (y - m_ptCenter.y) * m_dScale));
    };
    for (int k = 0; k < m_nSides; ++k)
        m_ptScreen[k] = toScreen(m_ptCorner[k].x, m_ptCorner[k].y);
    m_pVexMarks = std::make_unique<std::vector<CPoint>>();
    for (POSITION pos = room->m_pVexNodeList->GetHeadPosition(); pos != nullptr;) {
        const CPNode* v = room->m_pVexNodeList->GetNextT(pos);
        m_pVexMarks->push_back(toScreen(v->m_pt.x, v->m_pt.y));
    }
}

void CDlgSubBeamLayout::FillPointList()
{
    m_PointList.DeleteAllItems();
    const bool ratios = m_nListMode == 1;
    const std::vector<float>& col1 = ratios ? m_arrRatio1 : m_arrDist1;
    const std::vector<float>& col2 = ratios ? m_arrRatio2 : m_arrDist2;
    for (size_t i = 0; i < col1.size() && i < col2.size(); ++i) {
        CString text;
        text.Format("N%d", (int)i + 1);
        m_PointList.InsertItem((int)i, text);
        text.Format("%.2f", col1[i]);
        m_PointList.SetItemText((int)i, 1, text);
        text.Format("%.2f", col2[i]);
        m_PointList.SetItemText((int)i, 2, text);
    }
}

void CDlgSubBeamLayout::SetValueHeaders(const char* text)
{
    LVCOLUMN col{};
    col.mask = LVCF_TEXT;
    col.pszText = const_cast<char*>(text);
    m_PointList.SetColumn(1, &col);
    m_PointList.SetColumn(2, &col);
}

void CDlgSubBeamLayout::Repaint()
{
    Invalidate();
    UpdateWindow();
}

int CDlgSubBeamLayout::FindPoint(const std::vector<float>& arr, double value)
{
    const float v = (float)value;
    for (size_t i = 0; i < arr.size(); ++i)
        if (std::fabs((double)arr[i] - (double)v) < 0.0001)
            return (int)i + 1;
    return 0;
}

void CDlgSubBeamLayout::SortPoints(std::vector<float>& arr)
{
    for (size_t i = 0; i + 1 < arr.size(); ++i)
        for (size_t j = i + 1; j < arr.size(); ++j)
            if (arr[j] < arr[i])
                std::swap(arr[i], arr[j]);
}

void CDlgSubBeamLayout::OnInsertPoint()
{
    if (!UpdateData(TRUE))
        return;
    if (m_nKind1 != m_nKind2 || (m_nListMode == 0 && m_nKind1 == 1) || (m_nListMode == 1 && m_nKind1 == 0)) {
        AfxMessageBox("参数必须同时为距离或者比例！");
        return;
    }
    if (m_nKind1 == 0) {
        const char* refusal = nullptr;
        if (m_dDist1 >= Length1())
            refusal = "距离值1超过了杆件1的长度！";
        else if (m_dDist2 >= Length2())
            refusal = "距离值2超过了杆件2的长度！";
        else if (m_dDist1 < 0.0)
            refusal = "距离值1不能小于0！";
        else if (m_dDist2 < 0.0)
            refusal = "距离值2不能小于0！";
        else if (std::fabs(m_dDist1) < 0.001 && std::fabs(m_dDist2) < 0.001)
            refusal = "距离值1和距离值2不能同时为0！";
        if (refusal != nullptr) {
            AfxMessageBox(refusal);
            return;
        }
        if (FindPoint(m_arrDist1, m_dDist1) == 0 || FindPoint(m_arrDist2, m_dDist2) == 0) {
            m_arrDist1.push_back((float)m_dDist1);
            m_arrDist2.push_back((float)m_dDist2);
            ++m_nPointNum1;
            ++m_nPointNum2;
            SortPoints(m_arrDist1);
            SortPoints(m_arrDist2);
            if (m_nListMode == -1) {
                m_nListMode = 0;
                SetValueHeaders("距离");
            }
            FillPointList();
        }
    } else {
        if (!(m_dRatio1 > 0.0 && m_dRatio1 < 1.0)) {
            AfxMessageBox("比例值1必须在0和1之间！");
            return;
        }
        if (!(m_dRatio2 > 0.0 && m_dRatio2 < 1.0)) {
            AfxMessageBox("比例值2必须在0和1之间！");
            return;
        }
        if (FindPoint(m_arrRatio1, m_dRatio1) == 0 || FindPoint(m_arrRatio2, m_dRatio2) == 0) {
            m_arrRatio1.push_back((float)m_dRatio1);
            m_arrRatio2.push_back((float)m_dRatio2);
            SortPoints(m_arrRatio1);
            SortPoints(m_arrRatio2);
            m_arrDist1.push_back((float)(m_dRatio1 * Length1()));
            m_arrDist2.push_back((float)(m_dRatio2 * Length2()));
            SortPoints(m_arrDist1);
            SortPoints(m_arrDist2);
            ++m_nPointNum1;
            ++m_nPointNum2;
            if (m_nListMode == -1) {
                m_nListMode = 1;
                SetValueHeaders("比例");
            }
            FillPointList();
        }
    }
    Repaint();
}

void CDlgSubBeamLayout::OnInsertDivision()
{
    if (!UpdateData(TRUE))
        return;
    // On an empty list the division points are ratios, whatever the kind radios say.
    if (m_nListMode == -1) {
        m_nListMode = 1;
        SetValueHeaders("比例");
    }
    const bool ratios = m_nListMode == 1;
    const int n = m_nDivNum;
    if (n > 0) {
        const double step1 = Length1() / (n + 1), step2 = Length2() / (n + 1), stepRatio = 1.0 / (n + 1);
        double at1 = 0.0, at2 = 0.0, atRatio = 0.0;
        for (int k = 1; k <= n; ++k) {
            at1 += step1;
            at2 += step2;
            atRatio += stepRatio;
            const float d1 = (float)at1, d2 = (float)at2, r = (float)atRatio;
            const bool listed = ratios ? FindPoint(m_arrRatio1, r) != 0 && FindPoint(m_arrRatio2, r) != 0
                                       : FindPoint(m_arrDist1, d1) != 0 && FindPoint(m_arrDist2, d2) != 0;
            if (listed)
                continue;
            m_arrDist1.push_back(d1);
            m_arrDist2.push_back(d2);
            if (ratios) {
                m_arrRatio1.push_back(r);
                m_arrRatio2.push_back(r);
            }
            ++m_nPointNum1;
            ++m_nPointNum2;
        }
    }
    SortPoints(m_arrDist1);
    SortPoints(m_arrDist2);
    if (ratios) {
        SortPoints(m_arrRatio1);
        SortPoints(m_arrRatio2);
    }
    FillPointList();
    Repaint();
}

void CDlgSubBeamLayout::OnDeletePoint()
{
    POSITION pos = m_PointList.GetFirstSelectedItemPosition();
    if (pos == nullptr) {
        AfxMessageBox("请选择要删除的次梁列！");
        return;
    }
    const size_t row = (size_t)m_PointList.GetNextSelectedItem(pos);
    if (m_nListMode != -1 && row < m_arrDist1.size() && row < m_arrDist2.size()) {
        m_arrDist1.erase(m_arrDist1.begin() + (std::ptrdiff_t)row);
        m_arrDist2.erase(m_arrDist2.begin() + (std::ptrdiff_t)row);
        if (m_nListMode == 1 && row < m_arrRatio1.size() && row < m_arrRatio2.size()) {
            m_arrRatio1.erase(m_arrRatio1.begin() + (std::ptrdiff_t)row);
            m_arrRatio2.erase(m_arrRatio2.begin() + (std::ptrdiff_t)row);
        }
        --m_nPointNum1;
        --m_nPointNum2;
    }
    FillPointList();
    if (m_arrDist1.empty()) {
        SetValueHeaders("<未定>");
        m_nListMode = -1;
    }
    m_nSelRow = -1;
    Repaint();
}

void CDlgSubBeamLayout::OnDirection()
{
    UpdateData(TRUE);
    m_arrDist1.clear();
    m_arrDist2.clear();
    m_arrRatio1.clear();
    m_arrRatio2.clear();
    m_nPointNum1 = m_nPointNum2 = 0;
    FillPointList();
    SetValueHeaders("<未定>");
    m_nListMode = -1;
    SetDirectionLengths(true);
    UpdateData(FALSE);
    Repaint();
}

void CDlgSubBeamLayout::OnPointKind(UINT id)
{
    UpdateData(TRUE);
    if (id == IDC_SUBBEAM_KIND1_DIST || id == IDC_SUBBEAM_KIND1_RATIO)
        m_nKind2 = m_nKind1;
    else
        m_nKind1 = m_nKind2;
    UpdateData(FALSE);
    GetDlgItem(IDC_SUBBEAM_DIST1)->EnableWindow(m_nKind1 == 0);
    GetDlgItem(IDC_SUBBEAM_RATIO1)->EnableWindow(m_nKind1 == 1);
    GetDlgItem(IDC_SUBBEAM_DIST2)->EnableWindow(m_nKind2 == 0);
    GetDlgItem(IDC_SUBBEAM_RATIO2)->EnableWindow(m_nKind2 == 1);
    int edit = IDC_SUBBEAM_DIST1;
    switch (id) {
    case IDC_SUBBEAM_KIND1_RATIO: edit = IDC_SUBBEAM_RATIO1; break;
    case IDC_SUBBEAM_KIND2_DIST: edit = IDC_SUBBEAM_DIST2; break;
    case IDC_SUBBEAM_KIND2_RATIO: edit = IDC_SUBBEAM_RATIO2; break;
    default: break;
    }
    GetDlgItem(edit)->SetFocus();
}

void CDlgSubBeamLayout::OnItemChangedPointList(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    POSITION pos = m_PointList.GetFirstSelectedItemPosition();
    if (pos == nullptr) {
        m_nSelRow = -1;
        return;
    }
    m_nSelRow = m_PointList.GetNextSelectedItem(pos);
    // The triangle's dialog marks the row itself as well.
    if (m_nSides == 3)
        m_PointList.SetItemState(m_nSelRow, LVIS_SELECTED, LVIS_SELECTED);
    Repaint();
}

CPoint CDlgSubBeamLayout::SideMid(int side) const
{
    const CPoint& a = m_ptScreen[side];
    const CPoint& b = m_ptScreen[(side + 1) % m_nSides];
    return CPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
}

void CDlgSubBeamLayout::DrawSide(CDC* pDC, int side)
{
    pDC->MoveTo(m_ptScreen[side]);
    pDC->LineTo(m_ptScreen[(side + 1) % m_nSides]);
}

void CDlgSubBeamLayout::OnPaint()
{
    CPaintDC dc(this);
    CWnd* frame = GetDlgItem(IDC_SUBBEAM_PREVIEW);
    if (frame == nullptr)
        return;
    CDC* pDC = frame->GetDC();
    pDC->Rectangle(m_rcPreview);
    if (OneRoom() && m_pVexMarks != nullptr) {
        const Placement p = PlacementOf(m_nDirection);
        CPen green(PS_SOLID, 3, RGB(0, 255, 0));
        // A quadrilateral marks its two placement sides, a triangle the side its beams run along.
        for (int k = 0; k < m_nSides; ++k) {
            const bool placement = k == p.side1 || k == p.side2;
            if (placement == (m_nSides == 4)) {
                CPen* old = pDC->SelectObject(&green);
                DrawSide(pDC, k);
                pDC->SelectObject(old);
            } else {
                DrawSide(pDC, k);
            }
        }
        DrawLabels(pDC);
        const double len1 = Length1(), len2 = Length2();
        if (!m_arrDist1.empty() && !m_arrDist2.empty() && len1 > 0.0 && len2 > 0.0) {
            const CPoint2D u1 = (m_ptCorner[p.far1] - m_ptCorner[p.ref1]) / len1;
            const CPoint2D u2 = (m_ptCorner[p.far2] - m_ptCorner[p.ref2]) / len2;
            const CPoint& s1 = m_ptScreen[p.ref1];
            const CPoint& s2 = m_ptScreen[p.ref2];
            CPen dash(PS_DASH, 1, RGB(0, 0, 0));
            CPen red(PS_DASH, 1, RGB(255, 0, 0));
            CPen* old = pDC->SelectObject(&dash);
            for (size_t i = 0; i < m_arrDist1.size() && i < m_arrDist2.size(); ++i) {
                pDC->SelectObject((int)i == m_nSelRow ? &red : &dash);
                const double d1 = m_arrDist1[i] * m_dScale, d2 = m_arrDist2[i] * m_dScale;
                pDC->MoveTo((int)std::trunc(s1.x + d1 * u1.x), (int)std::trunc(s1.y - d1 * u1.y));
                pDC->LineTo((int)std::trunc(s2.x + d2 * u2.x), (int)std::trunc(s2.y - d2 * u2.y));
            }
            pDC->SelectObject(old);
        }
        CBrush mark(RGB(192, 0, 0));
        CBrush* oldBrush = pDC->SelectObject(&mark);
        for (const CPoint& v : *m_pVexMarks)
            pDC->Rectangle(v.x - 3, v.y - 3, v.x + 3, v.y + 3);
        pDC->SelectObject(oldBrush);
    } else if (m_PlaneList.GetCount() > 1) {
        CFont font;
        font.CreateFont(-12, 0, 0, 0, 400, 0, 0, 0, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, FF_SWISS, "宋体");
        CFont* oldFont = pDC->SelectObject(&font);
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        const UINT oldAlign = pDC->SetTextAlign(TA_CENTER | TA_TOP);
        pDC->TextOut((int)longTransfer((m_rcPreview.left + m_rcPreview.right) / 2.0),
                     (int)longTransfer((m_rcPreview.top + m_rcPreview.bottom) / 2.0), "多个房间布置次梁，没有预览图");
        pDC->SetTextAlign(oldAlign);
        pDC->SetBkMode(oldMode);
        pDC->SelectObject(oldFont);
    }
    frame->ReleaseDC(pDC);
}

void CDlgSubBeamLayout::OnOK()
{
    // The vertex marks stay until the window goes: a refused field keeps the dialog open
    // and painting.
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
    if (m_pData == nullptr)
        return;
    CWaitCursor wait;
    const double unit = Unit();
    const int n = (int)std::min(m_arrDist1.size(), m_arrDist2.size());
    std::vector<double> pos1((size_t)n), pos2((size_t)n);
    const bool ratios = m_nListMode == 1 && (int)m_arrRatio1.size() >= n && (int)m_arrRatio2.size() >= n;
    for (int i = 0; i < n; ++i) {
        pos1[(size_t)i] = m_arrDist1[(size_t)i] / unit;
        pos2[(size_t)i] = m_arrDist2[(size_t)i] / unit;
    }
    const Placement p = PlacementOf(m_nDirection);
    for (POSITION pos = m_PlaneList.GetHeadPosition(); pos != nullptr;) {
        CPlane* room = m_PlaneList.GetNextT(pos);
        RoomSides rs;
        if (!ReadSides(room, rs))
            continue;
        // Each room's own sides: a ratio of 0.5 halves every room's side.
        if (ratios)
            for (int i = 0; i < n; ++i) {
                pos1[(size_t)i] = m_arrRatio1[(size_t)i] * rs.length[p.side1] / unit;
                pos2[(size_t)i] = m_arrRatio2[(size_t)i] * rs.length[p.side2] / unit;
            }
        room->DeleteSubBeams(*m_pData);
        room->DivideSubBeam(pos1.data(), pos2.data(), n, rs.corner, m_nDirection, rs.members, m_pData->Struct());
    }
}

void CDlgSubBeamLayout::OnDestroy()
{
    m_pVexMarks.reset();
    CDialog::OnDestroy();
}
