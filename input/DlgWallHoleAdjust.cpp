#include <vyr/input/DlgWallHoleAdjust.h>

#include <vyr/input/DialogHelpers.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/Plane.h>
#include <vyr/resources/dialogs/WallHoleRes.h>

namespace {

const char* const kAdjustSeveral = "*多种*";

} // namespace

BEGIN_MESSAGE_MAP(CDlgWallHoleAdjust, CDialog)
    ON_CBN_SELCHANGE(IDC_WALLHOLE_HORZALIGN, &CDlgWallHoleAdjust::OnSelchangeHorzAlign)
    ON_CBN_SELCHANGE(IDC_WALLHOLE_VERTALIGN, &CDlgWallHoleAdjust::OnSelchangeVertAlign)
    ON_BN_CLICKED(IDC_WALLHOLE_MODEMODIFY, &CDlgWallHoleAdjust::OnRadioModify)
    ON_BN_CLICKED(IDC_WALLHOLE_MODEREMOVE, &CDlgWallHoleAdjust::OnRadioRemove)
END_MESSAGE_MAP()

CDlgWallHoleAdjust::CDlgWallHoleAdjust(CWallList* walls, CWnd* pParent)
    : CDialog((UINT)IDD_WALLHOLEADJUST, pParent), m_pWallList(walls)
{
    if (m_pWallList != nullptr)
        for (POSITION pos = m_pWallList->GetHeadPosition(); pos != nullptr;)
            m_WallInfos.push_back(ReadWallHoles(m_pWallList->GetNextT(pos)));
}

float CDlgWallHoleAdjust::Unit() const { return DisplayUnit(m_pData); }

void CDlgWallHoleAdjust::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_WALLHOLE_WIDTH, m_strWidth);
    DDX_Text(pDX, IDC_WALLHOLE_HEIGHT, m_strHeight);
    DDX_Text(pDX, IDC_WALLHOLE_DX, m_strDx);
    DDX_Text(pDX, IDC_WALLHOLE_DY, m_strDy);
    DDX_Radio(pDX, IDC_WALLHOLE_MODEMODIFY, m_nMode);
    DDX_CBIndex(pDX, IDC_WALLHOLE_HORZALIGN, m_nHorzAlign);
    DDX_CBIndex(pDX, IDC_WALLHOLE_VERTALIGN, m_nVertAlign);
}

BOOL CDlgWallHoleAdjust::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillEdits();
    m_nHorzAlign = m_nVertAlign = 0;
    UpdateData(FALSE);
    return TRUE;
}

void CDlgWallHoleAdjust::FillEdits()
{
    m_strWidth = m_strHeight = m_strDx = m_strDy = "0";
    for (const WALL_HOLE_INFO& info : m_WallInfos)
        if (info.holes.empty())
            return;
    if (m_WallInfos.empty())
        return;
    const WALL_HOLE_RECT& r = m_WallInfos.front().holes.front();
    bool sameSize = true, samePlace = true;
    for (const WALL_HOLE_INFO& info : m_WallInfos) {
        const WALL_HOLE_RECT& o = info.holes.front();
        sameSize = sameSize && o.w == r.w && o.h == r.h;
        samePlace = samePlace && o.dx == r.dx && o.dy == r.dy;
    }
    const float u = Unit();
    m_strWidth = sameSize ? CStringFunc::GetStrFromDouble(r.w * u, 3) : CString(kAdjustSeveral);
    m_strHeight = sameSize ? CStringFunc::GetStrFromDouble(r.h * u, 3) : CString(kAdjustSeveral);
    m_strDx = samePlace ? CStringFunc::GetStrFromDouble(r.dx * u, 3) : CString(kAdjustSeveral);
    m_strDy = samePlace ? CStringFunc::GetStrFromDouble(r.dy * u, 3) : CString(kAdjustSeveral);
}

void CDlgWallHoleAdjust::EnableEdits(bool enable)
{
    for (int id : {IDC_WALLHOLE_DX, IDC_WALLHOLE_DY, IDC_WALLHOLE_WIDTH, IDC_WALLHOLE_HEIGHT, IDC_WALLHOLE_HORZALIGN,
                   IDC_WALLHOLE_VERTALIGN})
        GetDlgItem(id)->EnableWindow(enable);
}

void CDlgWallHoleAdjust::OnSelchangeHorzAlign()
{
    GetDlgItem(IDC_WALLHOLE_DX)->EnableWindow(static_cast<CComboBox*>(GetDlgItem(IDC_WALLHOLE_HORZALIGN))->GetCurSel() <= 0);
}

void CDlgWallHoleAdjust::OnSelchangeVertAlign()
{
    GetDlgItem(IDC_WALLHOLE_DY)->EnableWindow(static_cast<CComboBox*>(GetDlgItem(IDC_WALLHOLE_VERTALIGN))->GetCurSel() <= 0);
}

void CDlgWallHoleAdjust::OnRadioModify() { EnableEdits(true); }

void CDlgWallHoleAdjust::OnRadioRemove()
{
    EnableEdits(false);
    for (WALL_HOLE_INFO& info : m_WallInfos) {
        if (info.holes.empty())
            break;
        info.holes.erase(info.holes.begin());
    }
    m_strWidth = m_strHeight = m_strDx = m_strDy = "0";
    // The texts only: an exchange now would also set the radio buttons back.
    for (int id : {IDC_WALLHOLE_DX, IDC_WALLHOLE_DY, IDC_WALLHOLE_WIDTH, IDC_WALLHOLE_HEIGHT})
        SetDlgItemText(id, "0");
}

void CDlgWallHoleAdjust::ApplyEdits(WALL_HOLE_INFO& info) const
{
    const float u = Unit();
    const float width = StrToFloat(m_strWidth), height = StrToFloat(m_strHeight);
    if (info.holes.empty())
        info.holes.push_back(WALL_HOLE_RECT());
    WALL_HOLE_RECT& r = info.holes.front();
    if (m_strDx != kAdjustSeveral)
        r.dx = StrToFloat(m_strDx) / u;
    if (m_strDy != kAdjustSeveral)
        r.dy = StrToFloat(m_strDy) / u;
    r.w = width / u;
    r.h = height / u;
    const double L = info.L, H = info.H, w = r.w, h = r.h;
    if (width > 0.001 && m_nHorzAlign >= 1 && m_nHorzAlign <= 3)
        r.dx = RoundDistance(m_nHorzAlign == 1 ? 0.0 : m_nHorzAlign == 2 ? (L - w) / 2 : L - w);
    if (height > 0.001 && m_nVertAlign >= 1 && m_nVertAlign <= 3)
        r.dy = RoundDistance(m_nVertAlign == 1 ? H - h : m_nVertAlign == 2 ? (H - h) / 2 : 0.0);
}

void CDlgWallHoleAdjust::Replace(CWall* wall)
{
    if (m_pData == nullptr)
        return;
    wall->Change3D(m_pData->Matrix3D());
    wall->Change2DtoDP(m_pData->Matrix2D());
}

void CDlgWallHoleAdjust::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_pWallList == nullptr) {
        EndDialog(IDOK);
        return;
    }
    if (m_nMode == 1 && m_strWidth == "0" && m_strHeight == "0" && m_strDx == "0" && m_strDy == "0") {
        for (POSITION pos = m_pWallList->GetHeadPosition(); pos != nullptr;)
            m_pWallList->GetNextT(pos)->m_pHoleList->DeleteAll();
        for (POSITION pos = m_pWallList->GetHeadPosition(); pos != nullptr;)
            Replace(m_pWallList->GetNextT(pos));
        EndDialog(IDOK);
        return;
    }
    // Every record first: a wall refused leaves the model as it was.
    for (size_t i = 0; i < m_WallInfos.size(); ++i) {
        ApplyEdits(m_WallInfos[i]);
        if (!WallHolesInside(m_WallInfos[i])) {
            AfxMessageBox(VyrFormat("墙体%d上的洞口设置不符合要求，请重新设置!", (int)i + 1).c_str(),
                          MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    size_t i = 0;
    for (POSITION pos = m_pWallList->GetHeadPosition(); pos != nullptr && i < m_WallInfos.size(); ++i) {
        CWall* wall = m_pWallList->GetNextT(pos);
        WriteWallHoles(wall, {m_WallInfos[i].holes.front()});
        Replace(wall);
    }
    EndDialog(IDOK);
}
