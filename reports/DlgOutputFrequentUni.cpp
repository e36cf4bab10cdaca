#include <vyr/reports/DlgOutputFrequentUni.h>

#include <algorithm>
#include <cmath>

#include <vyr/app.h>
#include <vyr/commdlg.h>
#include <vyr/ctime.h>
#include <vyr/ddx.h>
#include <vyr/model/draw/Dib.h>
#include <vyr/model/geometry/Rect2D.h>
#include <vyr/model/output/coutput.h>
#include <vyr/model/struct/structure.h>
#include <vyr/reports/DlgOutputFrequent.h>
#include <vyr/resources/dialogs/OutputFrequentRes.h>

BEGIN_MESSAGE_MAP(CDlgOutputFrequentUni, CDialog)
    ON_BN_CLICKED(IDC_FREQUNI_LEFT, &CDlgOutputFrequentUni::OnLeft)
    ON_BN_CLICKED(IDC_FREQUNI_OUTPUT, &CDlgOutputFrequentUni::OnDocument)
    ON_BN_CLICKED(IDC_FREQUNI_RIGHT, &CDlgOutputFrequentUni::OnRight)
    ON_WM_PAINT()
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_FREQUNI_MODES, &CDlgOutputFrequentUni::OnItemchangedOutputList)
    ON_BN_CLICKED(IDC_FREQUNI_APPLY, &CDlgOutputFrequentUni::OnApply)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

constexpr int kStartAngle = 320;
constexpr int kStartScale = 200;
constexpr int kTurnStep = 5;
// A member is drawn over a wall unless it lies deeper than the wall by more than this.
constexpr double kDepthMargin = 0.01;
const COLORREF kWallFill = RGB(223, 251, 255);

double Radians(int degrees) { return degrees * 3.14159265358979323846 / 180.0; }

// A point of the deformed structure in the view: y and z exchanged, so the second
// coordinate is the height and the third the depth.
CPoint3D InView(const CPNode* node, const CMatrix3D& view)
{
    CPoint3D p;
    node->GetFShapeP3D(&p);
    p = p * view;
    p.chgYZ();
    return p;
}

CPoint ToPixel(const CPoint3D& p, const CMatrix2D& fit)
{
    const CPoint2D q = CPoint2D(p.x, p.y) * fit;
    return CPoint((int)q.x, (int)q.y);
}

CString Number(const char* format, double v)
{
    CString t;
    t.Format(format, v);
    return t;
}

} // namespace

CDlgOutputFrequentUni::CDlgOutputFrequentUni(CWnd* pParent)
    : CDialog(IDD_OUTPUTFREQUENTUNI, pParent), m_pDrawList(new CObList(10))
{
}

CDlgOutputFrequentUni::~CDlgOutputFrequentUni()
{
    delete m_pFileBitmap;
    delete m_pDrawList;
}

void CDlgOutputFrequentUni::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FREQUNI_PROGRESS, m_Progress);
    DDX_Control(pDX, IDC_FREQUNI_SCALE_SPIN, m_Spin);
    DDX_Control(pDX, IDC_FREQUNI_MODES, m_List);
    DDX_Control(pDX, IDC_FREQUNI_MASTERS, m_ListFloor);
    DDX_Text(pDX, IDC_FREQUNI_SCALE, m_nScale);
}

CWnd* CDlgOutputFrequentUni::Area() const { return GetDlgItem(IDC_FREQUNI_AREA); }

BOOL CDlgOutputFrequentUni::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillColumn();
    FillItem();
    if (m_bmpLeft.LoadBitmap(IDB_FREQUNI_LEFT))
        GetDlgItem(IDC_FREQUNI_LEFT)->SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)(HBITMAP)m_bmpLeft);
    if (m_bmpRight.LoadBitmap(IDB_FREQUNI_RIGHT))
        GetDlgItem(IDC_FREQUNI_RIGHT)->SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)(HBITMAP)m_bmpRight);
    m_Spin.SetRange(1, 2000);
    m_Spin.SetPos(kStartScale);
    if (m_pGlobalData && m_pGlobalData->Struct()) {
        m_pGlobalData->CurrentFreID() = 0;
        m_pGlobalData->Struct()->GuideNodeFVector(0, kStartScale, 1.0);
    }
    m_nCurMode = 0;
    InitMatrix();
    // The selection's notification shows mode 0; without modes the lists stay empty, the
    // field blank and "应用" disabled.
    GetDlgItem(IDC_FREQUNI_APPLY)->EnableWindow(FALSE);
    m_List.SetItemState(0, LVIS_SELECTED, 0xFF03);
    delete m_pFileBitmap;
    m_pFileBitmap = nullptr;
    m_Progress.ShowWindow(SW_HIDE);
    return TRUE;
}

void CDlgOutputFrequentUni::FillColumn()
{
    static const struct
    {
        const char* heading;
        int width;
    } modes[] = {{"振型", 37}, {" 周期(秒)", 70}, {" 频率(HZ)", 70}, {"扭转因子", 65}},
      masters[] = {{"塔楼", 37}, {"X向平动", 70}, {"Y向平动", 70}, {"Z向扭转", 65}};
    for (int i = 0; i < 4; ++i) {
        m_List.InsertColumn(i, modes[i].heading, LVCFMT_LEFT, modes[i].width);
        m_ListFloor.InsertColumn(i, masters[i].heading, LVCFMT_LEFT, masters[i].width);
    }
}

void CDlgOutputFrequentUni::FillItem()
{
    CDlgOutputFrequent::FillModeRows(m_List, m_pGlobalData ? m_pGlobalData->Struct() : nullptr, 4);
}

void CDlgOutputFrequentUni::FillItemFloor()
{
    m_ListFloor.DeleteAllItems();
    CStruct* s = m_pGlobalData ? m_pGlobalData->Struct() : nullptr;
    if (!s)
        return;
    for (int i = 1; i <= (int)s->m_pMainNodeList->GetCount(); ++i) {
        const CMainNode* master = s->m_pMainNodeList->Get(i);
        const bool has = m_nCurMode >= 0 && m_nCurMode < (int)master->m_arrShape.size();
        CString number;
        number.Format(" %d", i);
        const int row = m_ListFloor.InsertItem(i - 1, number);
        for (int c = 0; c < 3; ++c)
            m_ListFloor.SetItemText(row, c + 1, Number("%.5f", has ? master->m_arrShape[(size_t)m_nCurMode][(size_t)c] : 0.0));
    }
}

void CDlgOutputFrequentUni::InitMatrix()
{
    const int modes = m_pGlobalData && m_pGlobalData->Struct() ? m_pGlobalData->Struct()->GetCurFrequentNum() : 0;
    m_arrView.assign((size_t)modes, CMatrix3D());
    m_arrRotate.assign((size_t)modes, CMatrix3D());
    m_arrFit.assign((size_t)modes, CMatrix2D());
    m_arrAngle.assign((size_t)modes, kStartAngle);
    m_arrScale.assign((size_t)modes, kStartScale);
    for (int i = 0; i < modes; ++i) {
        m_nTiltAngle = 20;
        m_arrAngle[(size_t)i] = kStartAngle;
        m_mTilt.SetXRotate(Radians(m_nTiltAngle));
        m_arrRotate[(size_t)i].SetZRotate(Radians(kStartAngle));
        Combine(i, Area());
        m_arrScale[(size_t)i] = kStartScale;
    }
}

// The extent is measured with the renewed view, so a turned structure is fitted exactly.
void CDlgOutputFrequentUni::Combine(int mode, CWnd* area)
{
    CStruct* s = m_pGlobalData ? m_pGlobalData->Struct() : nullptr;
    if (!HasView(mode) || !s || !area)
        return;
    CRect pixels;
    area->GetClientRect(&pixels);
    pixels.DeflateRect(30, 20);

    const CRect2D plan = s->m_pNodeList->GetRealRect(0), elevation = s->m_pNodeList->GetRealRect(1);
    const double cx = (plan.left + plan.right) / 2, cy = (plan.top + plan.bottom) / 2;
    const double cz = (elevation.top + elevation.bottom) / 2;
    CMatrix3D toCentre, back;
    toCentre.SetMove(-cx, -cy, -cz);
    back.SetMove(cx, cy, cz);
    CMatrix3D& view = m_arrView[(size_t)mode];
    view = toCentre * m_arrRotate[(size_t)mode] * m_mTilt * back;

    CRect2D extent;
    if (s->m_pNodeList->GetCount() >= 2) {
        bool first = true;
        for (POSITION pos = s->m_pNodeList->GetHeadPosition(); pos;) {
            CPoint3D p = s->m_pNodeList->GetNextT(pos)->m_pt * view;
            p.chgYZ();
            if (first) {
                extent = CRect2D(p.x, p.y, p.x, p.y);
                first = false;
            }
            extent.left = std::min(extent.left, p.x);
            extent.right = std::max(extent.right, p.x);
            extent.top = std::max(extent.top, p.y);
            extent.bottom = std::min(extent.bottom, p.y);
        }
    }
    m_arrFit[(size_t)mode].SetZoomMatrix(pixels, extent);
}

void CDlgOutputFrequentUni::SetDrawPara()
{
    CStruct* s = m_pGlobalData ? m_pGlobalData->Struct() : nullptr;
    if (!s || !HasView(m_nCurMode))
        return;
    const CMatrix3D& view = m_arrView[(size_t)m_nCurMode];
    for (POSITION pos = s->m_pWallList->GetHeadPosition(); pos;) {
        CWall* w = s->m_pWallList->GetNextT(pos);
        double depth = 0;
        for (int k = 1; k <= 4; ++k)
            depth += InView(w->GetNode(k), view).z;
        w->SetTagVaule(depth / 4);
    }
    for (POSITION pos = s->m_pBeamList->GetHeadPosition(); pos;) {
        CBeamBase* b = s->m_pBeamList->GetNextT(pos);
        b->SetTagVaule((InView(b->m_pNode1, view).z + InView(b->m_pNode2, view).z) / 2);
    }
}

// The walls stand in falling depth (equal depths in list order). A member goes before the
// first wall less deep than itself by more than the margin, or after all walls; members
// before one wall keep their list order. Found by a binary search over the walls' depths, so
// the order costs N log W rather than a walk of the list per member.
void CDlgOutputFrequentUni::InitMemberBaseList(CBeamList* members, CWallList* walls)
{
    CWaitCursor wait;
    m_pDrawList->RemoveAll();
    std::vector<CWall*> sorted;
    if (walls)
        for (POSITION pos = walls->GetHeadPosition(); pos;)
            sorted.push_back(walls->GetNextT(pos));
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const CWall* a, const CWall* b) { return a->GetTagValue() > b->GetTagValue(); });
    std::vector<double> depths;
    for (const CWall* w : sorted)
        depths.push_back(w->GetTagValue());
    // before[i]: the members drawn just before wall i; before[walls]: those after every wall.
    std::vector<std::vector<CBeamBase*>> before(sorted.size() + 1);
    if (members)
        for (POSITION pos = members->GetHeadPosition(); pos;) {
            CBeamBase* b = members->GetNextT(pos);
            const double limit = b->GetTagValue() - kDepthMargin;
            const auto at = std::partition_point(depths.begin(), depths.end(), [limit](double d) { return !(d < limit); });
            before[(size_t)(at - depths.begin())].push_back(b);
        }
    for (size_t i = 0; i <= sorted.size(); ++i) {
        for (CBeamBase* b : before[i])
            m_pDrawList->AddTail(b);
        if (i < sorted.size())
            m_pDrawList->AddTail(sorted[i]);
    }
}

void CDlgOutputFrequentUni::OnDraw(int mode, CDC* pDC)
{
    if (!HasView(mode) || !pDC)
        return;
    const CMatrix3D& view = m_arrView[(size_t)mode];
    const CMatrix2D& fit = m_arrFit[(size_t)mode];
    for (POSITION pos = m_pDrawList->GetHeadPosition(); pos;) {
        auto* o = static_cast<CMemberBase*>(m_pDrawList->GetNext(pos));
        if (o->GetKindTag() == 0) {
            auto* b = static_cast<CBeamBase*>(o);
            const CPoint a = ToPixel(InView(b->m_pNode1, view), fit), c = ToPixel(InView(b->m_pNode2, view), fit);
            pDC->MoveTo(a.x, a.y);
            pDC->LineTo(c.x, c.y);
        } else if (o->GetKindTag() == 1) {
            auto* w = static_cast<CWall*>(o);
            POINT corners[4];
            for (int k = 0; k < 4; ++k) {
                const CPoint p = ToPixel(InView(w->GetNode(k + 1), view), fit);
                corners[k] = {p.x, p.y};
            }
            CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
            CBrush brush(kWallFill);
            CPen* oldPen = pDC->SelectObject(&pen);
            CBrush* oldBrush = pDC->SelectObject(&brush);
            pDC->Polygon(corners, 4);
            pDC->SelectObject(oldPen);
            pDC->SelectObject(oldBrush);
        }
    }
}

// The dialog's own paint validates it, so one invalidation paints once.
void CDlgOutputFrequentUni::OnPaint()
{
    CPaintDC paint(this);
    CWnd* area = Area();
    if (!area)
        return;
    CDC* dc = area->GetDC();
    CRect r;
    area->GetClientRect(&r);
    dc->Rectangle(&r);
    OnDraw(m_nCurMode, dc);
    area->ReleaseDC(dc);
}

void CDlgOutputFrequentUni::OnItemchangedOutputList(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int item = m_List.GetNextItem(-1, LVNI_SELECTED);
    if (item < 0 || !HasView(item)) {
        GetDlgItem(IDC_FREQUNI_APPLY)->EnableWindow(FALSE);
        return;
    }
    GetDlgItem(IDC_FREQUNI_APPLY)->EnableWindow(TRUE);
    m_nCurMode = item;
    m_nScale = m_arrScale[(size_t)item];
    UpdateData(FALSE);
    m_pGlobalData->CurrentFreID() = item;
    CStruct* s = m_pGlobalData->Struct();
    s->GuideNodeFVector(item, m_nScale, 1.0);
    Combine(item, Area());
    SetDrawPara();
    InitMemberBaseList(s->m_pBeamList, s->m_pWallList);
    FillItemFloor();
    Invalidate(FALSE);
}

void CDlgOutputFrequentUni::OnApply()
{
    const int item = m_List.GetNextItem(-1, LVNI_SELECTED);
    if (item < 0 || !HasView(item))
        return;
    // A scale that is not a whole number is refused with the framework's message; the
    // previous one is applied again.
    UpdateData(TRUE);
    m_arrScale[(size_t)item] = m_nScale;
    m_pGlobalData->Struct()->GuideNodeFVector(item, m_nScale, 1.0);
    Invalidate(FALSE);
}

void CDlgOutputFrequentUni::Turn(int angle)
{
    if (!HasView(m_nCurMode))
        return;
    m_arrAngle[(size_t)m_nCurMode] = angle;
    m_arrRotate[(size_t)m_nCurMode].SetZRotate(Radians(angle));
    Combine(m_nCurMode, Area());
    SetDrawPara();
    CStruct* s = m_pGlobalData->Struct();
    InitMemberBaseList(s->m_pBeamList, s->m_pWallList);
    CRect r;
    Area()->GetClientRect(&r);
    InvalidateRect(&r, FALSE);
}

void CDlgOutputFrequentUni::OnLeft()
{
    if (!HasView(m_nCurMode))
        return;
    const int angle = m_arrAngle[(size_t)m_nCurMode] + kTurnStep;
    Turn(angle > 360 ? kTurnStep : angle);
}

void CDlgOutputFrequentUni::OnRight()
{
    if (!HasView(m_nCurMode))
        return;
    const int angle = m_arrAngle[(size_t)m_nCurMode] - kTurnStep;
    Turn(angle < 0 ? 360 - kTurnStep : angle);
}

void CDlgOutputFrequentUni::PaintOnBitmap(int mode, CWnd* window)
{
    if (!HasView(mode) || !window || !m_pGlobalData)
        return;
    CDC* windowDC = window->GetDC();
    CDC memory;
    memory.CreateCompatibleDC(windowDC);
    delete m_pFileBitmap;
    m_pFileBitmap = new CBitmap;
    CRect r;
    window->GetClientRect(&r);
    m_pFileBitmap->CreateCompatibleBitmap(windowDC, r.Width(), r.Height());
    CBitmap* old = memory.SelectObject(m_pFileBitmap);
    CRect field = r;
    field.InflateRect(5, 5);
    memory.Rectangle(&field);
    OnDraw(mode, &memory);
    memory.SelectObject(old);

    CString path;
    path.Format("%s\\%sOutput\\Doc\\temp\\frequentbmp%d.bmp", m_pGlobalData->ProjectPath().GetString(),
                m_pGlobalData->ProjectName().GetString(), mode);
    CPalette palette;
    palette.CreateHalftonePalette(&memory);
    if (HANDLE dib = DDBToDIB(*m_pFileBitmap, 0, &palette)) {
        WriteDIB(const_cast<char*>(path.GetString()), dib);
        GlobalFree(dib);
    }
    window->ReleaseDC(windowDC);
}

void CDlgOutputFrequentUni::Output(COutput& out)
{
    CWaitCursor wait;
    if (!m_pGlobalData)
        return;
    CStruct* s = m_pGlobalData->Struct();
    out << title(1) << title << m_pGlobalData->ProjectName() + "动力特性信息" << endl << title(0);
    out.SetFontSize(11);
    const CString rule(std::string(47, '='));
    out << rule << endl;
    out << "工程名称：" << m_pGlobalData->ProjectName() << endl;
    out << "计算软件：VYR" << endl;
    const CTime now = CTime::GetCurrentTime();
    CString when;
    when.Format("时间：%d年%d月%d日 %d:%d", now.GetYear(), now.GetMonth(), now.GetDay(), now.GetHour(),
                now.GetMinute());
    out << when << endl;
    out << rule << endl << endl;
    out.SetFontSize(9);
    out.SetFlagAdd(0x1002);
    CDlgOutputFrequent::OutputModeTable(out, s);
    out << endl;
    const int modes = s ? s->GetCurFrequentNum() : 0;
    for (int u = 0; u < modes; ++u) {
        CString head;
        head.Format("第%d振型下归一化振型", u + 1);
        out << head << endl;
        out << CString(std::string(55, '-')) << endl;
        out.CreateTableHead("楼层", 10, 0);
        out.CreateTableHead("塔号", 10, 0);
        out.CreateTableHead("X", 15, 0);
        out.CreateTableHead("Y", 15, 0);
        out.CreateTableHead("Mz", 15, 0);
        int k = 0;
        for (POSITION pos = s->m_pFloorList->GetHeadPosition(); pos; ++k) {
            CFloor* f = s->m_pFloorList->GetNextT(pos);
            int t = 1;
            for (POSITION p = f->m_pMainNodeList->GetHeadPosition(); p; ++t) {
                const CMainNode* master = f->m_pMainNodeList->GetNextT(p);
                const bool has = u < (int)master->m_arrShape.size();
                CString storey, tower;
                storey.Format("第%d层", k);
                tower.Format("%d", t);
                out.SetTableContent(storey);
                out.SetTableContent(tower);
                for (int c = 0; c < 3; ++c)
                    out.SetTableContent(Number("%.3f", has ? master->m_arrShape[(size_t)u][(size_t)c] : 0.0));
            }
        }
        out.EndTable();
        out << endl;
    }
}

// The chapter saved as an RTF document the user names.
void CDlgOutputFrequentUni::OnDocument()
{
    CFileDialog dialog(FALSE, "rtf", "归一振型.rtf", OFN_OVERWRITEPROMPT, "RTF文件(*.rtf)|*.rtf||", this);
    if (dialog.DoModal() != IDOK)
        return;
    COutput out;
    if (!out.InitDevice(DEVICE_RTF, dialog.GetPathName(), 1)) {
        MessageBox("无法写入文件：" + dialog.GetPathName(), "归一振型统计", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Output(out);
    out.Close();
}

void CDlgOutputFrequentUni::OnDestroy()
{
    CDialog::OnDestroy();
    delete m_pFileBitmap;
    m_pFileBitmap = nullptr;
    m_pDrawList->RemoveAll();
}
