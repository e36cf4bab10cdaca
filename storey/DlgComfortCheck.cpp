#include <vyr/storey/DlgComfortCheck.h>

#include <algorithm>
#include <cmath>

#include <vyr/app.h>
#include <vyr/controls.h>
#include <vyr/ddx.h>
#include <vyr/model/output/output.h>
#include <vyr/model/struct/LoadWindRefer.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/resources/dialogs/ComfortRes.h>
#include <vyr/storey/DlgOutputDocument.h>
#include <vyr/storey/StoreyCommon.h>
#include <vyr/storey/StoreyWind.h>

// Named: the area is built as one unit, where every file's anonymous names meet.
namespace comfort_check {

constexpr int kViewerKind = 3;
const bool kRegistered = CDlgOutputDocument::RegisterOwnerKind<CDlgComfortCheck>(kViewerKind);

constexpr float kDefaultDamp = 0.02f;
constexpr float kDefaultLimit = 0.15f;
constexpr float kCap = 10.0f;
constexpr COLORREF kRed = 0x000000FF;
const char* const kTooLargeAlong = "顺风向顶点最大加速度过大异常，取为10.0";
const char* const kTooLargeAcross = "横风向顶点最大加速度过大异常，取为10.0";

// An acceleration shown or tabled: at most 10.0 (a value that is no number included).
float Capped(float a)
{
    return !(a <= kCap) ? kCap : a;
}

} // namespace comfort_check

BEGIN_MESSAGE_MAP(CDlgComfortCheck, CDialog)
    ON_WM_CREATE()
    ON_BN_CLICKED(IDC_COMFORT_OUTPUT, &CDlgComfortCheck::OnOutput)
    ON_EN_CHANGE(IDC_COMFORT_DAMP, &CDlgComfortCheck::OnChangeEditZuni)
    ON_EN_CHANGE(IDC_COMFORT_LIMIT, &CDlgComfortCheck::OnChangeEditJsdxz)
    ON_CBN_SELCHANGE(IDC_COMFORT_USE, &CDlgComfortCheck::OnSelchangeComboType)
END_MESSAGE_MAP()

CDlgComfortCheck::CDlgComfortCheck(CGlobalData* pData, CWnd* pParent)
    : CDialog(IDD_COMFORTCHECK, pParent), m_pGlobalData(pData)
{
    (void)comfort_check::kRegistered;
    if (m_pGlobalData != nullptr)
        checkData();
}

void CDlgComfortCheck::checkData()
{
    const CStruct* s = m_pGlobalData->Struct();
    m_nType = s->m_nBuildingUse < 0 || s->m_nBuildingUse > 1 ? 0 : s->m_nBuildingUse;
    m_fZuni = storey::StoredOrDefault(s->m_fComfortDamp, comfort_check::kDefaultDamp);
    m_fJsdxz = storey::StoredOrDefault(s->m_fAccLimit, comfort_check::kDefaultLimit);
}

// ---- Computation ----

float CDlgComfortCheck::GetA(CBasicLoadCase* lc)
{
    const CStruct* s = m_pGlobalData->Struct();
    double a = 0.0;
    for (CFloor* f : storey::StoreysOverBasements(storey::RealStoreysFromTop(s->m_pFloorList), s->m_nBasementNum))
        a += (double)f->GetWindB(lc) * f->GetH();
    return (float)a;
}

int CDlgComfortCheck::GetDirection(CBasicLoadCase* lc)
{
    const CStruct* s = m_pGlobalData->Struct();
    const auto [xCount, yCount] = storey::CountDominantShear(
        storey::StoreysOverBasements(storey::RealStoreysFromTop(s->m_pFloorList), s->m_nBasementNum), lc,
        s->m_pLoadSeismList);
    return xCount > yCount ? 1 : 2;
}

float CDlgComfortCheck::GetAverageGravity()
{
    const CStruct* s = m_pGlobalData->Struct();
    const std::vector<CFloor*> real = storey::RealStoreysFromTop(s->m_pFloorList);
    const int n = std::min((int)real.size(), s->m_pFloorList->GetRealFloorNum() - s->m_nBasementNum);
    double volume = 0.0, height = 0.0;
    for (int i = 0; i < n; ++i) {
        const CFloor* below = storey::StoreyBelow(s->m_pFloorList, real, (size_t)i);
        const double a = real[(size_t)i]->GetArea() * 0.0001;
        const double h = below != nullptr ? below->GetUpH() * 0.01 : 0.0;
        volume += a * h;
        height += h;
    }
    m_fBL = (float)(volume / storey::AtLeastTiny(height));
    return (float)(s->GetTotalWeight() / (volume > 1e-7 ? volume : 1e-7));
}

float CDlgComfortCheck::GetHengFengT(CBasicLoadCase* lc)
{
    const CStruct* s = m_pGlobalData->Struct();
    const bool alongY = GetDirection(lc) == 2;
    for (int mode = 0; mode < s->GetCurFrequentNum(); ++mode) {
        float x = 0.0f, y = 0.0f;
        s->GetPingRatio(mode, x, y);
        if ((alongY ? x : y) > 0.5f)
            return s->GetPeriod(mode);
    }
    return s->GetPeriod(0);
}

void CDlgComfortCheck::CalCoef()
{
    CStruct* s = m_pGlobalData->Struct();
    m_fMuS = 1.3f;
    m_nFloorNum = s->m_pFloorList->GetRealFloorNum() - s->m_nBasementNum;
    m_fGammaB = GetAverageGravity();
    m_fMtot = (float)(s->GetTotalWeight() / storey::AtLeastTiny(s->m_pLoadSeismList->m_fG));
    m_arrWind.clear();
    m_arrT.clear();
    CBasicLCList* cases = m_pGlobalData->GetCurBasicLCList();
    for (POSITION pos = cases->GetHeadPosition(); pos != nullptr;) {
        CBasicLoadCase* lc = cases->GetNextT(pos);
        if (!storey::IsWindCase(lc))
            continue;
        m_arrWind.push_back(lc);
        m_arrT.push_back(GetHengFengT(lc));
    }
    m_nWindNum = (int)m_arrWind.size();
}

CDlgComfortCheck::CCaseWork CDlgComfortCheck::Work(size_t i)
{
    const CStruct* s = m_pGlobalData->Struct();
    CCaseWork w;
    w.dA = GetA(m_arrWind[i]) * 0.0001;
    const CFloor* top = s->m_pFloorList->GetRealFloorTail();
    w.dH = top != nullptr ? top->GetZ() * 0.01 : 0.0;
    const double w0 = s->m_fW0;
    {
        CLoadWindRefer refer;
        refer.InitWindRefer((float)(w.dH - s->m_fGroundZ), (float)(w.dA / storey::AtLeastTiny(w.dH)), s->m_fW0,
                            s->GetPeriod(0), 1, s->m_nRoughness, s->m_fGroundZ, 1.0f);
        refer.GetCoef(w.dH, m_fMuS, w.dMuZ, w.dXi, w.dNu);
    }
    m_dMuZ = w.dMuZ;
    m_dXi = w.dXi;
    m_dNu = w.dNu;
    w.fVnm = (float)(40.0 * std::sqrt(std::max(std::fabs(w0 * m_fMuS * w.dMuZ), 1e-7)));
    m_fVnm = w.fVnm;
    w.fAw = (float)(w0 * w.dA * m_fMuS * w.dXi * w.dNu * 0.83 / storey::AtLeastTiny(m_fMtot));
    const double t = i < m_arrT.size() ? m_arrT[i] : 0.0;
    const double bl = std::fabs((double)m_fBL);
    const float x = bl >= 0.001 ? (float)std::fabs(t * w.fVnm / std::sqrt(bl)) : 0.0f;
    w.fBr = (float)(2.05e-4 * std::pow((double)x, 3.3));
    const double tt = storey::AtLeastTiny(t);
    w.fAtr = (float)(w.fBr * std::sqrt(bl) /
                     (storey::AtLeastTiny(std::sqrt(std::max(0.0f, m_fZuni))) * tt * tt *
                      storey::AtLeastTiny(m_fGammaB)));
    return w;
}

void CDlgComfortCheck::FillData()
{
    m_arrAw.clear();
    m_arrAtr.clear();
    for (size_t i = 0; i < m_arrWind.size(); ++i) {
        const CCaseWork w = Work(i);
        m_arrAw.push_back(comfort_check::Capped(w.fAw));
        m_arrAtr.push_back(comfort_check::Capped(w.fAtr));
    }
}

void CDlgComfortCheck::beginforoutput()
{
    CalCoef();
    FillData();
}

int CDlgComfortCheck::GetWindDirection(CBasicLoadCase* lc)
{
    double angle = 0.0;
    if (!storey::WindAngleDegrees(m_pGlobalData->Struct(), lc, angle))
        return 0;
    double toX = 0.0, toY = 0.0;
    storey::AxisDistances(angle, toX, toY);
    return toY <= toX ? 2 : 1;
}

// ---- Window ----

int CDlgComfortCheck::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDialog::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_Grid.Create(CRect(10, 10, 363, 155), this, IDC_COMFORT_GRID, WS_CHILD | WS_TABSTOP | WS_VISIBLE);
    return 0;
}

void CDlgComfortCheck::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_COMFORT_DAMP, m_fZuni);
    DDV_MinMaxFloat(pDX, m_fZuni, 0.001f, 5.0f);
    DDX_CBIndex(pDX, IDC_COMFORT_USE, m_nType);
    DDX_Text(pDX, IDC_COMFORT_LIMIT, m_fJsdxz);
    DDV_MinMaxFloat(pDX, m_fJsdxz, 0.01f, 1.0f);
}

BOOL CDlgComfortCheck::OnInitDialog()
{
    CDialog::OnInitDialog();
    InitGrid();
    FillColumn();
    CalCoef();
    FillData();
    FillItem();
    checkclr();
    m_bOpened = true;
    return TRUE;
}

void CDlgComfortCheck::InitGrid()
{
    m_Grid.SetListMode(FALSE);
    m_Grid.SetFixedRowCount(1);
    m_Grid.SetEditable(FALSE);
    m_Grid.SetSingleColSelection(TRUE);
    m_Grid.SetFixedRowSelection(FALSE);
    m_Grid.SetFixedColumnSelection(FALSE);
    m_Grid.SetRowResize(FALSE);
    m_Grid.SetFrameFocusCell(FALSE);
}

void CDlgComfortCheck::FillColumn()
{
    const char* heads[] = {"风荷载工况", "横风向周期", "顺风向加速度", "横风向加速度"};
    const int widths[] = {82, 82, 86, 60};
    m_Grid.SetRowCount(1);
    m_Grid.SetColumnCount(4);
    for (int c = 0; c < 4; ++c) {
        m_Grid.SetItemText(0, c, heads[c]);
        m_Grid.SetItemFormat(0, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        m_Grid.SetColumnWidth(c, widths[c]);
    }
    m_Grid.ExpandLastColumn();
}

void CDlgComfortCheck::FillItem()
{
    m_Grid.DeleteNonFixedRows();
    for (size_t i = 0; i < m_arrWind.size() && i < m_arrAw.size(); ++i) {
        CString texts[4];
        m_arrWind[i]->GetDescription(&texts[0], -1);
        texts[1].Format("%.3fs", m_arrT[i]);
        texts[2].Format("%.3f", m_arrAw[i]);
        texts[3].Format("%.3f", m_arrAtr[i]);
        const int row = m_Grid.InsertRow("");
        for (int c = 0; c < 4; ++c) {
            GV_ITEM item;
            item.mask = GVIF_TEXT | GVIF_FORMAT;
            item.row = row;
            item.col = c;
            item.nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
            item.strText = texts[c];
            m_Grid.SetItem(&item);
        }
    }
    m_Grid.ExpandColumnsToFit();
    m_Grid.Invalidate();
}

void CDlgComfortCheck::checkclr()
{
    constexpr COLORREF kMagenta = storey::kAdvisoryColour;
    for (size_t i = 0; i < m_arrAw.size() && (int)i + 1 < m_Grid.GetRowCount(); ++i) {
        const int row = (int)i + 1;
        m_Grid.SetItemFgColour(row, 2, (float)m_arrAw[i] >= m_fJsdxz ? kMagenta : CLR_DEFAULT);
        m_Grid.SetItemFgColour(row, 3, (float)m_arrAtr[i] >= m_fJsdxz ? kMagenta : CLR_DEFAULT);
    }
    m_Grid.Invalidate();
}

bool CDlgComfortCheck::ReadControls()
{
    const float damp = m_fZuni, limit = m_fJsdxz;
    const int use = m_nType;
    if (UpdateData(TRUE))
        return true;
    m_fZuni = damp;
    m_fJsdxz = limit;
    m_nType = use;
    return false;
}

void CDlgComfortCheck::OnChangeEditZuni()
{
    if (!m_bOpened || !ReadControls())
        return;
    m_pGlobalData->Struct()->m_fComfortDamp = m_fZuni;
    CalCoef();
    FillData();
    FillItem();
    checkclr();
}

void CDlgComfortCheck::OnChangeEditJsdxz()
{
    if (!m_bOpened || !ReadControls())
        return;
    m_pGlobalData->Struct()->m_fAccLimit = m_fJsdxz;
    FillItem();
    checkclr();
}

void CDlgComfortCheck::OnSelchangeComboType()
{
    if (!m_bOpened || !ReadControls())
        return;
    CStruct* s = m_pGlobalData->Struct();
    s->m_nBuildingUse = m_nType;
    m_fJsdxz = m_nType == 0 ? 0.20f : 0.28f;
    s->m_fAccLimit = m_fJsdxz;
    // Showing the limit changes the edits, which must not answer as if the user typed.
    m_bOpened = false;
    UpdateData(FALSE);
    m_bOpened = true;
    FillItem();
    checkclr();
}

void CDlgComfortCheck::OnOutput()
{
    CDlgOutputDocument viewer(nullptr);
    viewer.m_pGlobalData = m_pGlobalData;
    viewer.m_nDocType = comfort_check::kViewerKind;
    viewer.DoModal();
}

void CDlgComfortCheck::Close(int result)
{
    if (!ReadControls())
        return;
    EndDialog(result);
}

void CDlgComfortCheck::OnOK() { Close(IDOK); }
void CDlgComfortCheck::OnCancel() { Close(IDCANCEL); }

// ---- Chapter ----

void CDlgComfortCheck::Output(COutput* out, int flag)
{
    if (out == nullptr || m_pGlobalData == nullptr)
        return;
    beginforoutput();
    COutput& o = *out;
    CDlgReportChapter::OutputTitle(o, m_pGlobalData->ProjectName() + "建筑风载下舒适度验算信息", flag);
    o.SetFontSize(9);
    o.SetPrecision(3);
    o.SetFlagAdd(OUTPUT_FLAG_EMPHASIS);
    o << "风载下舒适度验算结果" << endl;
    o.SetFlagSub(OUTPUT_FLAG_EMPHASIS);
    o << tab << "结构类型：" << (m_nType > 0 ? "办公、旅馆" : "住宅、公寓") << endl;
    o << tab << "加速度限值：" << m_fJsdxz << "m/s" << super("^2") << endl;
    o.CreateTableHead("风荷载工况", 20, 0);
    o.CreateTableHead("横风向T", 10, 0);
    o.CreateTableHead("顺风向α", 15, 0);
    o.CreateTableHead("横风向α", 20, 0);
    for (size_t i = 0; i < m_arrWind.size(); ++i) {
        CString text;
        m_arrWind[i]->GetDescription(&text, 0);
        o.SetTableContent(text);
        o.SetTableContent(m_arrT[i]);
        for (double a : {m_arrAw[i], m_arrAtr[i]}) {
            if ((float)a > m_fJsdxz)
                o.SetFontColor(comfort_check::kRed);
            o.SetTableContent(a);
            o.SetFontColor(storey::kBlack);
        }
    }
    o.EndTable();
    o << endl;
    if (m_arrWind.empty())
        return;

    o.SetFlagAdd(OUTPUT_FLAG_EMPHASIS);
    o << "风载下舒适度验算过程" << endl;
    o.SetFlagSub(OUTPUT_FLAG_EMPHASIS);
    o << "计算方法说明：" << endl;
    o << tab << "根据高层民用建筑钢结构技术规程JGJ 99-98第5.5.1条" << endl;
    o << "计算参数说明：" << endl;
    WriteLegend(o);
    for (size_t i = 0; i < m_arrWind.size(); ++i)
        WriteProcess(o, i);
}

void CDlgComfortCheck::WriteLegend(COutput& o)
{
    struct Entry
    {
        const char* symbol;
        const char* subscript; // null: none
        const char* text;
    };
    static const Entry kAlong[] = {
        {"α", "w", "-顺风向顶点最大加速度（m/s/s）"}, {"μ", "s", "-风载体形系数,按1.3考虑"},
        {"μ", "r", "-重现期调整系数，取10年时的系数为0.83"}, {"ω", "0", "-结构基本风压（kN/m/m）"},
        {"ζ", nullptr, "-脉动增大系数"}, {"ν", nullptr, "-脉动影响系数"},
        {"A", nullptr, "-建筑物总迎风面积"}, {"m", "tot", "-建筑物总质量（t）"}};
    static const Entry kAcross[] = {
        {"α", "tr", "-横风向顶点最大加速度（m/s/s）"}, {"ν", "n,m", "-建筑物顶点平均风速（m/s）"},
        {"μ", "z", "-风压高度变化系数"}, {"γ", "B", "-建筑物所受的平均重力（kN/m/m/m）"},
        {"ζ", "t,cr", "-建筑物横向风的临界阻尼"}, {"T", "t", "-建筑物横向风第一自振周期（s）"},
        {"B", "t", "-建筑物平面宽度（m）"}, {"L", "t", "-建筑物平面长度（m）"}};
    auto write = [&](const Entry& e) {
        o << tab << e.symbol;
        if (e.subscript != nullptr)
            o << sub(e.subscript);
        o << e.text << endl;
    };
    for (const Entry& e : kAlong)
        write(e);
    o << endl;
    for (const Entry& e : kAcross)
        write(e);
}

void CDlgComfortCheck::WriteProcess(COutput& o, size_t i)
{
    const CStruct* s = m_pGlobalData->Struct();
    const CCaseWork w = Work(i);
    const double t = m_arrT[i];
    o << endl;
    CString text;
    m_arrWind[i]->GetDescription(&text, 0);
    o.SetFlagAdd(OUTPUT_FLAG_EMPHASIS);
    o << text << "舒适度验算过程" << endl;
    o.SetFlagSub(OUTPUT_FLAG_EMPHASIS);

    o << "顺风向顶点最大加速度计算" << endl;
    o << tab << "α" << sub("w") << "=ζ×ν" << "×μ" << sub("s") << "×μ" << sub("r") << "×ω" << sub("0") << "×A/"
      << "m" << sub("tot") << endl;
    o << tab << "    =" << w.dXi << "×" << w.dNu << "×1.3×0.83×" << s->m_fW0 << "×" << w.dA << "/" << m_fMtot << "="
      << w.fAw << endl;
    if (w.fAw > comfort_check::kCap)
        o << tab << comfort_check::kTooLargeAlong << endl;

    o << "横风向顶点最大加速度计算" << endl;
    o << tab << "ν" << sub("n,m") << "=40×" << "(" << "μ" << sub("s") << "×μ" << sub("z") << "×ω" << sub("0") << ")"
      << super("^0.5") << "=40×" << "(" << m_fMuS << "×" << w.dMuZ << "×" << s->m_fW0 << ")" << super("^0.5") << "="
      << w.fVnm << endl;
    o << tab << "b" << sub("r") << "=2.05×10" << super("^-4") << "×[" << "ν" << sub("n,m") << "×T" << sub("t") << "/"
      << "(B×L)" << super("^0.5") << "]" << super("^3.3") << "=2.05×10" << super("^-4") << "×[" << w.fVnm << "×" << t
      << "/" << m_fBL << super("^0.5") << "]" << super("^3.3") << "=" << w.fBr << endl;
    o << tab << "α" << sub("tr") << "=" << "b" << sub("r") << "×(B×L)" << super("^0.5") << "/T" << sub("t") << "/T"
      << sub("t") << "/" << "γ" << sub("B") << "/" << "ζ" << sub("t,cr") << super("^0.5") << endl;
    o << tab << "  =" << w.fBr << "×" << m_fBL << super("^0.5") << "/" << t << "/" << t << "/" << m_fGammaB << "/"
      << m_fZuni << super("^0.5") << "=" << w.fAtr;
    if (w.fAtr > comfort_check::kCap)
        o << tab << comfort_check::kTooLargeAcross;
    o << endl;
}
