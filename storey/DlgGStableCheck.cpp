#include <vyr/storey/DlgGStableCheck.h>

#include <algorithm>
#include <cmath>

#include <vyr/model/output/output.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/storey/DlgOutputDocument.h>
#include <vyr/storey/StoreyCommon.h>
#include <vyr/storey/StoreyWind.h>

// Named: the area is built as one unit, where every file's anonymous names meet.
namespace gstable_check {

constexpr int kViewerKind = 8;
const bool kRegistered = [] {
    CDlgOutputDocument::RegisterKind(kViewerKind, [](CWnd*, CGlobalData* data, COutput& out, int flag) {
        if (data == nullptr)
            return;
        CDlgGStableCheck check(data);
        check.Output(out, flag);
    });
    return true;
}();

constexpr double kElevenOver120 = 0.09166666666666666;
constexpr COLORREF kRed = 0x000000FF;

// Of the cases the filter admits, in list order: the first whose main direction is X and
// the first whose main direction is Y; one found serves both directions.
template <class Admit, class Direction>
void ChooseCases(CBasicLCList* cases, Admit admit, Direction direction, CBasicLoadCase*& x, CBasicLoadCase*& y)
{
    x = y = nullptr;
    for (POSITION pos = cases->GetHeadPosition(); pos != nullptr;) {
        CBasicLoadCase* lc = cases->GetNextT(pos);
        if (!admit(lc))
            continue;
        CBasicLoadCase*& slot = direction(lc) == 1 ? x : y;
        if (slot == nullptr)
            slot = lc;
    }
    if (x == nullptr)
        x = y;
    if (y == nullptr)
        y = x;
}

} // namespace gstable_check

CDlgGStableCheck::CDlgGStableCheck(CGlobalData* pData) : m_pGlobalData(pData)
{
    (void)gstable_check::kRegistered;
    if (m_pGlobalData == nullptr)
        return;
    const CStruct* s = m_pGlobalData->Struct();
    m_nSeismFlag = s->m_pLoadSeismList->m_bFlag;
    m_nModeNum = s->GetCurFrequentNum();
    m_arrCoupling.assign((size_t)std::max(0, m_nModeNum * m_nModeNum), 0.0);
    s->GetOuheRatio(m_arrCoupling.data());
    if (checkFrame()) {
        m_bFrame = true;
        m_bSeism = checkSeismicLoad();
        if (m_bSeism)
            FillFrameData();
    } else {
        FillData();
        m_bFrame = false;
    }
}

CDlgGStableCheck::~CDlgGStableCheck() = default;

bool CDlgGStableCheck::checkFrame()
{
    const CStruct* s = m_pGlobalData->Struct();
    if (s->m_pWallList->GetCount() > 0)
        return false;
    for (POSITION pos = s->m_pBeamList->GetHeadPosition(); pos != nullptr;)
        if (s->m_pBeamList->GetNextT(pos)->GetType() == 3)
            return false;
    return true;
}

int CDlgGStableCheck::GetDirection(CBasicLoadCase* lc)
{
    const CStruct* s = m_pGlobalData->Struct();
    const auto [xCount, yCount] = storey::CountDominantShear(
        storey::StoreysOverBasements(storey::AllStoreysFromTop(s->m_pFloorList), s->m_nBasementNum), lc,
        s->m_pLoadSeismList);
    return xCount > yCount ? 1 : 2;
}

bool CDlgGStableCheck::checkSeismicLoad()
{
    gstable_check::ChooseCases(
        m_pGlobalData->GetCurBasicLCList(), [](CBasicLoadCase* lc) { return lc->IsSeismLoadCase(); },
        [this](CBasicLoadCase* lc) { return GetDirection(lc); }, m_pSeismX, m_pSeismY);
    return m_pSeismX != nullptr;
}

void CDlgGStableCheck::FillFrameData()
{
    const CStruct* s = m_pGlobalData->Struct();
    const int b = std::max(s->m_nBasementNum, 1);
    const std::vector<CFloor*> all = storey::AllStoreysFromTop(s->m_pFloorList);
    const int posX = s->m_pLoadSeismList->GetSeismPos(m_pSeismX);
    const int posY = s->m_pLoadSeismList->GetSeismPos(m_pSeismY);
    m_arrFloor.clear();
    std::vector<double> z;  // elevation of each record's storey, m
    double zBelow = 0.0;    // elevation of the storey the lowest record's drift is measured to
    size_t up = 0;
    while (up < all.size() && (all[up]->m_nLevel < b || all[up]->m_nType == 4))
        ++up;
    while (up < all.size() && all[up]->m_nLevel >= b + 1) {
        size_t low = up + 1;
        while (low < all.size() && all[low]->m_nType == 4 && all[low]->m_nLevel != b)
            ++low;
        if (low >= all.size())
            break;
        CFloor* upper = all[up];
        CFloor* lower = all[low];
        CGStableFloor rec;
        rec.nNo = upper->m_nLevel - 1;
        rec.fSumG = upper->GetWeight(); // summed from the top below
        const float dX = upper->GetFloorRelativeDisp(m_nSeismFlag != 0, posX, m_pSeismX->m_nNo - 1, 1, m_nModeNum,
                                                     lower, m_arrCoupling.data(), nullptr) * 0.01f;
        const float dY = upper->GetFloorRelativeDisp(m_nSeismFlag != 0, posY, m_pSeismY->m_nNo - 1, 2, m_nModeNum,
                                                     lower, m_arrCoupling.data(), nullptr) * 0.01f;
        const float vX = posX >= 0 ? upper->m_fSeismShearX[posX] : 0.0f;
        const float vY = posY >= 0 ? upper->m_fSeismShearY[posY] : 0.0f;
        rec.fDX = std::fabs(std::fabs(vX) / std::max(std::fabs(dX), 1e-7f));
        rec.fDY = std::fabs(std::fabs(vY) / std::max(std::fabs(dY), 1e-7f));
        m_arrFloor.push_back(rec);
        z.push_back(upper->GetZ() * 0.01);
        zBelow = lower->GetZ() * 0.01;
        up = low;
    }
    float sumG = 0.0f;
    for (size_t k = 0; k < m_arrFloor.size(); ++k) {
        CGStableFloor& rec = m_arrFloor[k];
        rec.fH = (float)(z[k] - (k + 1 < z.size() ? z[k + 1] : zBelow));
        sumG += rec.fSumG;
        rec.fSumG = sumG;
        const double lineLoad = storey::AtLeastTiny(rec.fSumG / storey::AtLeastTiny(rec.fH));
        rec.fRatioX = (float)(rec.fDX / lineLoad);
        rec.fRatioY = (float)(rec.fDY / lineLoad);
    }
}

void CDlgGStableCheck::FillData()
{
    m_bNoWind = false;
    gstable_check::ChooseCases(
        m_pGlobalData->GetCurBasicLCList(), [](CBasicLoadCase* lc) { return storey::IsWindCase(lc); },
        [this](CBasicLoadCase* lc) { return GetDirection(lc); }, m_pWindX, m_pWindY);
    if (m_pWindX == nullptr) {
        m_bNoWind = true;
        return;
    }
    m_fRatioX = CheckWind(m_pWindX, 1);
    m_fRatioY = CheckWind(m_pWindY, 2);
}

float CDlgGStableCheck::CheckWind(CBasicLoadCase* lc, int direction)
{
    const CStruct* s = m_pGlobalData->Struct();
    const bool x = direction == 1;
    const int pos = lc->IsSeismLoadCase() ? s->m_pLoadSeismList->GetSeismPos(lc) : -1;
    const std::vector<CFloor*> walk =
        storey::StoreysOverBasements(storey::AllStoreysFromTop(s->m_pFloorList), s->m_nBasementNum);
    double u = 0.0, zTop = 0.0, v = 0.0;
    for (size_t k = 0; k < walk.size(); ++k) {
        const CFloor* f = walk[k];
        if (k == 0) {
            u = std::fabs(f->GetFloorDisp(lc->m_nNo - 1, direction, false, nullptr)) * 0.01;
            zTop = f->GetZ() * 0.01;
        }
        if (lc->IsSeismLoadCase())
            v = pos >= 0 ? (x ? f->m_fSeismShearX[pos] : f->m_fSeismShearY[pos]) : 0.0f;
        else
            v = x ? f->GetTotalShearX(lc) : f->GetTotalShearY(lc);
        // A case blowing in -X or -Y loads the structure as much as its opposite.
        v = std::fabs(v);
    }
    // The ground elevation is kept in m, as the elevation of the top here.
    const double h = storey::AtLeastTiny(zTop - s->m_fGroundZ);
    u = storey::AtLeastTiny(u);
    const double w = storey::AtLeastTiny(s->GetTotalWeight());
    m_fHeight = (float)h;
    m_fWeight = (float)w;
    const double q = 2.0 * v / h;
    const float ejd = (float)(q * std::pow(h, 4) * gstable_check::kElevenOver120 / u);
    (x ? m_fQX : m_fQY) = (float)q;
    (x ? m_fUX : m_fUY) = (float)u;
    (x ? m_strFormulaX : m_strFormulaY).Format("%.3f/(%.3f×%.3f×%.3f)", ejd, h, h, w);
    return (float)(q * h * h * gstable_check::kElevenOver120 / u / w);
}

void CDlgGStableCheck::GetWindDirection(CBasicLoadCase* lc)
{
    double angle = 0.0;
    if (!storey::WindAngleDegrees(m_pGlobalData->Struct(), lc, angle))
        return;
    double dX = 0.0, dY = 0.0;
    storey::AxisDistances(angle, dX, dY);
    if (dX < 1e-7)
        m_pWindX = lc;
    else if (dY < 1e-7)
        m_pWindY = lc;
    if (m_pWindX == nullptr && dX < m_fBestAngleX) {
        m_fBestAngleX = (float)dX;
        m_pWindX = lc;
    }
    if (m_pWindY == nullptr && dY < m_fBestAngleY) {
        m_fBestAngleY = (float)dY;
        m_pWindY = lc;
    }
}

// ---- Chapter ----

void CDlgGStableCheck::Output(COutput& out, int flag)
{
    if (m_pGlobalData == nullptr)
        return;
    CDlgReportChapter::OutputTitle(out, m_pGlobalData->ProjectName() + "整体稳定信息", flag);
    out.SetFontSize(9);
    out.SetPrecision(3);
    if (m_bFrame) {
        if (m_bSeism)
            WriteFrame(out);
        else
            out << "对不起，您没有添加X向和Y向的水平地震荷载，请在前处理添加并计算，谢谢！" << endl;
        return;
    }
    if (m_bNoWind) {
        out << "对不起，您没有添加双向的水平风荷载，请在前处理添加并计算，谢谢！" << endl;
        return;
    }
    if (flag == 0) {
        out << "结构的总重力荷载设计值：ΣG" << sub("i") << "=" << m_fWeight << "kN" << endl;
        out << "房屋高度：H=" << m_fHeight << "m" << endl;
    }
    WriteWindBlock(out, flag, true);
    out << endl;
    WriteWindBlock(out, flag, false);
}

void CDlgGStableCheck::WriteFrame(COutput& out)
{
    out.SetFontSize(11);
    out << "各列表符号和参数说明：" << endl;
    out.SetFontSize(9);
    for (const char* line : {"h:        楼层层高", "∑G:      本层及以上楼层的重力荷载设计值",
                             "∑G/h:    楼层重力荷载线平均设计值", "D:        楼层弹性等效侧向刚度",
                             "D/(∑G/h):结构整体稳定性特征参数值",
                             "高规5.4.4要求D/(∑G/h)≥10的纯框架结构的整体稳定性满足工程要求；",
                             "高规5.4.1要求D/(∑G/h)≥20的纯框架结构可以不考虑重力二阶效应的不利影响；"})
        out << line << endl;
    out << endl;
    for (bool x : {true, false}) {
        out.SetFontSize(11);
        out << (x ? "结构X向整体稳定性验算" : "结构Y向整体稳定性验算") << endl;
        out.SetFontSize(9);
        out.CreateTableHead("Floor", 10, 0);
        out.CreateTableHead("h(m)", 10, 0);
        out.CreateTableHead("∑G(kN)", 15, 0);
        out.CreateTableHead("∑G/h(kN/m)", 15, 0);
        out.CreateTableHead("D(kN/m)", 15, 0);
        out.CreateTableHead("D/(∑G/h)", 15, 0);
        for (auto it = m_arrFloor.rbegin(); it != m_arrFloor.rend(); ++it) {
            CString no;
            no.Format("第%2d层", it->nNo);
            out.SetTableContent(no);
            out.SetTableContent((double)it->fH);
            out.SetTableContent((double)it->fSumG);
            out.SetTableContent(it->fSumG / storey::AtLeastTiny(it->fH));
            out.SetTableContent((double)(x ? it->fDX : it->fDY));
            const float ratio = x ? it->fRatioX : it->fRatioY;
            out.SetFontColor(ratio >= 20.0f ? storey::kBlack
                                            : ratio >= 10.0f ? storey::kAdvisoryColour : gstable_check::kRed);
            out.SetTableContent((double)ratio);
            out.SetFontColor(storey::kBlack);
        }
        out.EndTable();
        out << endl;
    }
}

void CDlgGStableCheck::WriteWindBlock(COutput& out, int flag, bool x)
{
    const float ratio = x ? m_fRatioX : m_fRatioY;
    const char* letter = x ? "X" : "Y";
    if (!(std::fabs(ratio) > 1e-6f)) {
        out << (x ? "没有以X为主方向的风荷载，因此没有进行X方向的刚重比计算，请在前处理添加并计算，谢谢！"
                  : "没有以Y为主方向的风荷载，因此没有进行Y方向的刚重比计算，请在前处理添加并计算，谢谢！");
        if (x)
            out << endl;
        return;
    }
    const float q = x ? m_fQX : m_fQY;
    const float u = x ? m_fUX : m_fUY;
    const float h = m_fHeight;
    if (flag == 0) {
        out << letter << "向在最大值q=" << q << "kN/m的倒三角形分布荷载作用下，顶点质心水平位移u=" << u * 1000.0f
            << "mm" << endl;
        out << "结构" << letter << "向的弹性等效侧向刚度：" << endl;
        out << tab << "EJ" << sub("d") << "=11*q*H" << super("^4") << "/120/u" << endl;
        out << tab << tab << "=11×" << q << "×" << h << super("^4") << "/120/" << u << endl;
        out << tab << tab << "=" << h * h * h * h * q * 0.09166667f / u << "kN*m" << super("^2") << endl;
    }
    out << letter << "向刚重比：" << endl;
    out << tab << "EJ" << sub("d") << "/(H" << super("^2") << "*ΣG" << sub("i") << ")" << endl;
    out << tab << tab << "=" << (x ? m_strFormulaX : m_strFormulaY) << endl;
    out << tab << tab << "=" << ratio
        << (ratio >= 2.7f ? " ≥ 2.7，不必按高规(5.4.1)进行重力二阶效应分析。" : " < 2.7，必须按高规(5.4.1)进行重力二阶效应分析。")
        << endl;
    out << tab << tab
        << (ratio >= 1.4f ? "       ≥ 1.4，满足高规(5.4.4)对整体稳定性的验算要求。"
                          : "       < 1.4，不满足高规(5.4.4)对整体稳定性的验算要求。")
        << endl;
}
