#include <vyr/input/DlgWallHoleDefine.h>

#include <algorithm>
#include <cmath>

#include <vyr/input/DialogHelpers.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/Plane.h>
#include <vyr/resources/dialogs/WallHoleRes.h>

namespace {

const char* const kWallHoleSeveral = "*多种*";

} // namespace

BEGIN_MESSAGE_MAP(CDlgWallHoleDefine, CDialog)
    ON_WM_PAINT()
    ON_NOTIFY(NM_CLICK, IDC_WALLHOLE_GRID, &CDlgWallHoleDefine::OnClickHoleGrid)
    ON_BN_CLICKED(IDC_WALLHOLE_ADD, &CDlgWallHoleDefine::OnAddHole)
    ON_BN_CLICKED(IDC_WALLHOLE_MODIFY, &CDlgWallHoleDefine::OnModifyHole)
    ON_BN_CLICKED(IDC_WALLHOLE_DELETE, &CDlgWallHoleDefine::OnDeleteHole)
    ON_CBN_SELCHANGE(IDC_WALLHOLE_HORZALIGN, &CDlgWallHoleDefine::OnSelchangeHorzAlign)
    ON_CBN_SELCHANGE(IDC_WALLHOLE_VERTALIGN, &CDlgWallHoleDefine::OnSelchangeVertAlign)
    ON_BN_CLICKED(IDC_WALLHOLE_OK, &CDlgWallHoleDefine::OnBtnOK)
    ON_BN_CLICKED(IDC_WALLHOLE_CLOSE, &CDlgWallHoleDefine::OnBtnClose)
END_MESSAGE_MAP()

CDlgWallHoleDefine::CDlgWallHoleDefine(CWallList* walls, CWnd* pParent)
    : CDialog((UINT)IDD_WALLHOLEDEFINE, pParent), m_pWallList(walls)
{
    if (m_pWallList != nullptr)
        m_HoleInfo = ReadWallHoles(m_pWallList->GetHeadT());
}

float CDlgWallHoleDefine::Unit() const { return DisplayUnit(m_pData); }

CString CDlgWallHoleDefine::Display(float value) const { return CStringFunc::GetStrFromDouble(value * Unit(), 3); }

float CDlgWallHoleDefine::Read(const CString& text) const { return StrToFloat(text) / Unit(); }

void CDlgWallHoleDefine::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_WALLHOLE_WIDTH, m_strWidth);
    DDX_Text(pDX, IDC_WALLHOLE_HEIGHT, m_strHeight);
    DDX_Text(pDX, IDC_WALLHOLE_DX, m_strDx);
    DDX_Text(pDX, IDC_WALLHOLE_DY, m_strDy);
}

BOOL CDlgWallHoleDefine::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_HoleGrid.Create(CRect(9, 220, 360, 315), this, IDC_WALLHOLE_GRID, WS_CHILD | WS_VISIBLE);
    m_HoleGrid.SetListMode(TRUE);
    m_HoleGrid.SetFixedRowCount(1);
    m_HoleGrid.SetFixedColumnSelection(FALSE);
    m_HoleGrid.SetFixedRowSelection(FALSE);
    m_HoleGrid.EnableColumnHide(FALSE);
    m_HoleGrid.EnableRowHide(FALSE);
    m_HoleGrid.SetEditable(FALSE);
    m_HoleGrid.EnableSelection(TRUE);
    m_HoleGrid.SetHeaderSort(FALSE);
    m_HoleGrid.SetSingleRowSelection(FALSE); // several openings are changed together
    m_HoleGrid.SetSingleColSelection(FALSE);
    m_HoleGrid.SetRowCount(1);
    m_HoleGrid.SetColumnCount(5);
    m_HoleGrid.SetRowResize(FALSE);
    m_HoleGrid.SetColumnResize(FALSE);
    m_HoleGrid.SetTrackFocusCell(FALSE);
    m_HoleGrid.SetFrameFocusCell(FALSE);
    SetGridHeader();

    LayoutPreview();
    FillHoleGrid();
    if (m_HoleInfo.holes.empty()) {
        EnableEditing(false);
        ShowZeros();
    } else {
        m_HoleGrid.SelectRow(1);
        m_nCurRow = 1;
        ShowHole(0);
    }
    static_cast<CComboBox*>(GetDlgItem(IDC_WALLHOLE_HORZALIGN))->SetCurSel(0);
    static_cast<CComboBox*>(GetDlgItem(IDC_WALLHOLE_VERTALIGN))->SetCurSel(0);
    UpdateData(FALSE);
    DrawPreview();
    return TRUE;
}

void CDlgWallHoleDefine::SetGridHeader()
{
    static const int widths[5] = {46, 75, 75, 75, 75};
    static const char* const titles[5] = {"编号", "横向距离", "纵向距离", "洞口宽度", "洞口高度"};
    for (int c = 0; c < 5; ++c) {
        m_HoleGrid.SetColumnWidth(c, widths[c]);
        m_HoleGrid.SetItemText(0, c, titles[c]);
    }
    m_HoleGrid.ExpandColumnsToFit(TRUE);
}

void CDlgWallHoleDefine::FillHoleGrid()
{
    m_HoleGrid.DeleteAllItems();
    m_HoleGrid.SetColumnCount(5);
    m_HoleGrid.SetFixedRowCount(1);
    m_HoleGrid.SetRowCount((int)m_HoleInfo.holes.size() + 1);
    SetGridHeader();
    for (int row = 1; row <= (int)m_HoleInfo.holes.size(); ++row)
        SetHoleRow(row);
}

void CDlgWallHoleDefine::SetHoleRow(int row)
{
    const WALL_HOLE_RECT& r = m_HoleInfo.holes[(size_t)(row - 1)];
    CString number;
    number.Format("%d", row);
    m_HoleGrid.SetItemText(row, 0, number);
    m_HoleGrid.SetItemText(row, 1, Display(r.dx));
    m_HoleGrid.SetItemText(row, 2, Display(r.dy));
    m_HoleGrid.SetItemText(row, 3, Display(r.w));
    m_HoleGrid.SetItemText(row, 4, Display(r.h));
    // The preview follows the rows.
    Invalidate();
}

void CDlgWallHoleDefine::ShowHole(int index)
{
    if (index < 0 || index >= (int)m_HoleInfo.holes.size()) {
        ShowZeros();
        return;
    }
    const WALL_HOLE_RECT& r = m_HoleInfo.holes[(size_t)index];
    const float u = Unit();
    m_strDx = CStringFunc::GetStrFromDouble(Round2(r.dx * u), 3);
    m_strDy = CStringFunc::GetStrFromDouble(Round2(r.dy * u), 3);
    m_strWidth = CStringFunc::GetStrFromDouble(Round2(r.w * u), 3);
    m_strHeight = CStringFunc::GetStrFromDouble(Round2(r.h * u), 3);
}

void CDlgWallHoleDefine::ShowZeros()
{
    for (CString* s : {&m_strDx, &m_strDy, &m_strWidth, &m_strHeight})
        *s = "0";
}

void CDlgWallHoleDefine::EnableEditing(bool enable)
{
    for (int id : {IDC_WALLHOLE_DELETE, IDC_WALLHOLE_HORZALIGN, IDC_WALLHOLE_VERTALIGN})
        GetDlgItem(id)->EnableWindow(enable);
}

std::vector<int> CDlgWallHoleDefine::SelectedRows() const
{
    std::vector<int> rows;
    for (int row = m_HoleGrid.GetNextRow(-1, GVNI_SELECTED); row != -1; row = m_HoleGrid.GetNextRow(row, GVNI_SELECTED))
        if (row >= 1 && row <= (int)m_HoleInfo.holes.size())
            rows.push_back(row);
    return rows;
}

bool CDlgWallHoleDefine::CheckHoles(const WALL_HOLE_INFO& info)
{
    const CString fault = WallHolesFault(info);
    if (fault.IsEmpty())
        return true;
    AfxMessageBox(fault, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

// ---- the grid and the buttons

void CDlgWallHoleDefine::OnClickHoleGrid(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int row = reinterpret_cast<NM_GRIDVIEW*>(pNMHDR)->iRow;
    m_nCurRow = row;
    if (row < 1 || row > (int)m_HoleInfo.holes.size()) {
        ShowZeros();
        UpdateData(FALSE);
        DrawPreview();
        EnableEditing(false);
        return;
    }
    DrawPreview();
    EnableEditing(true);
    ShowHole(row - 1);
    static_cast<CComboBox*>(GetDlgItem(IDC_WALLHOLE_HORZALIGN))->SetCurSel(0);
    static_cast<CComboBox*>(GetDlgItem(IDC_WALLHOLE_VERTALIGN))->SetCurSel(0);
    GetDlgItem(IDC_WALLHOLE_DY)->EnableWindow(TRUE);

    const std::vector<int> rows = SelectedRows();
    m_bSeveral = rows.size() >= 2;
    GetDlgItem(IDC_WALLHOLE_DX)->EnableWindow(!m_bSeveral);
    GetDlgItem(IDC_WALLHOLE_HORZALIGN)->EnableWindow(!m_bSeveral);
    if (m_bSeveral) {
        // Each edit shows the value the selected openings share, else that they differ.
        auto common = [&](float WALL_HOLE_RECT::*field) -> CString {
            const float first = m_HoleInfo.holes[(size_t)(rows[0] - 1)].*field;
            for (int r : rows)
                if (m_HoleInfo.holes[(size_t)(r - 1)].*field != first)
                    return kWallHoleSeveral;
            return Display(first);
        };
        m_strDx = common(&WALL_HOLE_RECT::dx);
        m_strDy = common(&WALL_HOLE_RECT::dy);
        m_strWidth = common(&WALL_HOLE_RECT::w);
        m_strHeight = common(&WALL_HOLE_RECT::h);
    }
    UpdateData(FALSE);
}

void CDlgWallHoleDefine::OnAddHole()
{
    if (!UpdateData(TRUE))
        return;
    WALL_HOLE_RECT hole;
    hole.dx = Read(m_strDx);
    hole.dy = Read(m_strDy);
    hole.h = Read(m_strHeight);
    hole.w = Read(m_strWidth);
    WALL_HOLE_INFO copy = m_HoleInfo;
    copy.holes.push_back(hole);
    if (CheckHoles(copy)) {
        m_HoleInfo = copy;
        FillHoleGrid();
        m_nCurRow = (int)m_HoleInfo.holes.size();
        m_HoleGrid.SelectRow(m_nCurRow);
        DrawPreview();
    }
    if (!m_HoleInfo.holes.empty()) {
        EnableEditing(true);
        ShowZeros();
        UpdateData(FALSE);
    }
}

void CDlgWallHoleDefine::OnModifyHole()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        AfxMessageBox("请选择洞口信息!", MB_OK);
        return;
    }
    if (!UpdateData(TRUE))
        return;
    // A distance that still shows that the openings differ keeps each opening's own; a size
    // that does reads 0 and is refused.
    const bool one = rows.size() == 1;
    WALL_HOLE_INFO copy = m_HoleInfo;
    for (int row : rows) {
        WALL_HOLE_RECT& r = copy.holes[(size_t)(row - 1)];
        if (m_strDy != kWallHoleSeveral)
            r.dy = Read(m_strDy);
        r.w = Read(m_strWidth);
        r.h = Read(m_strHeight);
        if (one && m_strDx != kWallHoleSeveral)
            r.dx = Read(m_strDx);
    }
    if (!CheckHoles(copy))
        return;
    m_HoleInfo = copy;
    for (int row : rows)
        SetHoleRow(row);
}

void CDlgWallHoleDefine::OnDeleteHole()
{
    const std::vector<int> rows = SelectedRows();
    // From the last, so the rows keep the numbers they had when the button was pressed.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        m_HoleInfo.holes.erase(m_HoleInfo.holes.begin() + (*it - 1));
    FillHoleGrid();
    if (!m_HoleInfo.holes.empty()) {
        m_HoleGrid.SelectRow(1);
        m_nCurRow = 1;
        EnableEditing(true);
    } else {
        m_nCurRow = -1;
        EnableEditing(false);
        ShowZeros();
        UpdateData(FALSE);
    }
    DrawPreview();
}

void CDlgWallHoleDefine::OnSelchangeHorzAlign()
{
    const int item = static_cast<CComboBox*>(GetDlgItem(IDC_WALLHOLE_HORZALIGN))->GetCurSel();
    GetDlgItem(IDC_WALLHOLE_DX)->EnableWindow(item <= 0);
    if (item <= 0 || !UpdateData(TRUE) || !(StrToFloat(m_strWidth) > 0.001))
        return;
    const int index = m_nCurRow - 1;
    if (index >= 0 && index < (int)m_HoleInfo.holes.size()) {
        WALL_HOLE_INFO copy = m_HoleInfo;
        WALL_HOLE_RECT& r = copy.holes[(size_t)index];
        const double L = copy.L, w = r.w;
        r.dx = RoundDistance(item == 1 ? 0.0 : item == 2 ? (L - w) / 2 : L - w);
        if (CheckHoles(copy)) {
            m_HoleInfo = copy;
            SetHoleRow(m_nCurRow);
            DrawPreview();
        }
    }
    ShowHole(index);
    UpdateData(FALSE);
}

void CDlgWallHoleDefine::OnSelchangeVertAlign()
{
    const int item = static_cast<CComboBox*>(GetDlgItem(IDC_WALLHOLE_VERTALIGN))->GetCurSel();
    GetDlgItem(IDC_WALLHOLE_DY)->EnableWindow(item <= 0);
    if (item <= 0 || !UpdateData(TRUE) || !(StrToFloat(m_strHeight) > 0.001))
        return;
    const std::vector<int> rows = SelectedRows();
    WALL_HOLE_INFO copy = m_HoleInfo;
    for (int row : rows) {
        WALL_HOLE_RECT& r = copy.holes[(size_t)(row - 1)];
        const double H = copy.H, h = r.h;
        r.dy = RoundDistance(item == 1 ? H - h : item == 2 ? (H - h) / 2 : 0.0);
    }
    if (CheckHoles(copy)) {
        m_HoleInfo = copy;
        for (int row : rows)
            SetHoleRow(row);
        DrawPreview();
    }
    ShowHole(rows.empty() ? m_nCurRow - 1 : rows.back() - 1);
    UpdateData(FALSE);
}

void CDlgWallHoleDefine::OnBtnOK()
{
    if (!CheckHoles(m_HoleInfo))
        return;
    if (m_pWallList != nullptr)
        for (POSITION pos = m_pWallList->GetHeadPosition(); pos != nullptr;)
            WriteWallHoles(m_pWallList->GetNextT(pos), m_HoleInfo.holes);
    EndDialog(IDOK);
}

void CDlgWallHoleDefine::OnBtnClose() { EndDialog(IDCANCEL); }

// ---- the preview

void CDlgWallHoleDefine::LayoutPreview()
{
    CWnd* frame = GetDlgItem(IDC_WALLHOLE_PREVIEW);
    m_rcPreview.SetRectEmpty();
    if (frame != nullptr)
        frame->GetClientRect(&m_rcPreview);
    CRect inner = m_rcPreview;
    inner.DeflateRect(25, 25);
    const double wp = inner.Width(), hp = inner.Height();
    const double H = m_HoleInfo.H, L = m_HoleInfo.L;
    m_dScale = std::max(hp != 0.0 ? std::fabs(H / hp) : 0.0, wp != 0.0 ? std::fabs(L / wp) : 0.0);
    // A wall without a size, or no room to draw: one unit a pixel.
    if (!(m_dScale > 0.0) || !std::isfinite(m_dScale))
        m_dScale = 1.0;
    const double left = inner.left + (wp - L / m_dScale) / 2, top = inner.top + (hp - H / m_dScale) / 2;
    const double right = left + L / m_dScale, bottom = top + H / m_dScale;
    const double xs[4] = {left, right, right, left}, ys[4] = {bottom, bottom, top, top};
    std::copy(xs, xs + 4, m_dWallX);
    std::copy(ys, ys + 4, m_dWallY);
}

void CDlgWallHoleDefine::DrawPreview(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    CGdiObject* oldBrush = pDC->SelectStockObject(GRAY_BRUSH);
    pDC->Rectangle(&m_rcPreview);
    CBrush wallBrush(RGB(223, 251, 255));
    pDC->SelectObject(&wallBrush);
    pDC->Rectangle((int)m_dWallX[0], (int)m_dWallY[2], (int)m_dWallX[1], (int)m_dWallY[0]);

    const std::vector<int> rows = SelectedRows();
    CBrush selected(RGB(255, 200, 200)), other(RGB(240, 240, 240));
    for (int i = 0; i < (int)m_HoleInfo.holes.size(); ++i) {
        const WALL_HOLE_RECT& r = m_HoleInfo.holes[(size_t)i];
        const int left = (int)(m_dWallX[0] + r.dx / m_dScale);
        const int bottom = (int)(m_dWallY[0] - r.dy / m_dScale);
        const int width = (int)(r.w / m_dScale), height = (int)(r.h / m_dScale);
        const bool on = std::find(rows.begin(), rows.end(), i + 1) != rows.end();
        pDC->SelectObject(on ? &selected : &other);
        pDC->Rectangle(left, bottom - height, left + width, bottom);
    }
    pDC->SelectObject(oldBrush);
}

void CDlgWallHoleDefine::DrawPreview()
{
    DrawInFrame(this, IDC_WALLHOLE_PREVIEW, [this](CDC* pDC) { DrawPreview(pDC); });
}

void CDlgWallHoleDefine::OnPaint()
{
    CPaintDC dc(this);
    DrawPreview();
}
