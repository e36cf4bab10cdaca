// The node and member checks as the model library answers them here, and their
// calculation reports.
#include <mutex>

#include <vyr/model/output/coutput.h>
#include <vyr/model/section/SectionProfiles.h>
#include <vyr/model/struct/CheckHook.h>
#include <vyr/model/struct/Floor.h>
#include <vyr/model/struct/Member.h>
#include <vyr/model/struct/Node.h>
#include <vyr/model/struct/Plane.h>
#include <vyr/model/struct/Support.h>

namespace {

std::mutex g_hookMutex;
std::function<void(CObject*)> g_hook;

// The hook is copied out under the lock, so a test may clear it while no check runs
// without racing a worker that has just read it.
void CallCheckHook(CObject* object)
{
    std::function<void(CObject*)> hook;
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        hook = g_hook;
    }
    if (hook)
        hook(object);
}

CString Format(const char* format, int n)
{
    CString s;
    s.Format(format, n);
    return s;
}

// A level-2 heading line of the object's report.
void Heading(COutput& o, const CString& text) { o << title(2) << title << text << endl << title(0); }

// One row of ratios under its column heads.
void RatioTable(COutput& o, std::initializer_list<const char*> heads, std::initializer_list<float> ratios)
{
    for (const char* h : heads)
        o.CreateTableHead(h, 10, 0);
    for (float r : ratios)
        o.SetTableContent((double)r);
    o.EndTable();
    o << endl;
}

} // namespace

void SetCheckHook(std::function<void(CObject*)> hook)
{
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_hook = std::move(hook);
}

void CPNode::Check()
{
    CallCheckHook(this);
    delete m_pChecker;
    m_pChecker = m_pCheckAnswer ? new CPNodeChecker(*m_pCheckAnswer) : nullptr;
    m_nCheckCount.fetch_add(1);
}

void CPNode::SetCheckAnswer(const CPNodeChecker& answer) { m_pCheckAnswer = std::make_unique<CPNodeChecker>(answer); }

void CPNode::CheckOutput(bool bDetail)
{
    if (!m_pOutput)
        return;
    COutput& o = *m_pOutput;
    Heading(o, Format("节点%d验算结果", m_nNo));
    if (!m_pChecker) {
        o << "节点未进行验算。" << endl;
        return;
    }
    const CPNodeChecker& c = *m_pChecker;
    o << "节点域验算（应力比）：" << endl;
    RatioTable(o, {"2轴弹性", "3轴弹性", "2轴构造", "3轴构造", "2轴塑性", "3轴塑性"},
               {c.a[0], c.a[1], c.a[2], c.a[3], c.a[4], c.a[5]});
    o << "强柱弱梁验算（应力比）：" << endl;
    RatioTable(o, {"2轴", "3轴"}, {c.b[0], c.b[1]});
    if (bDetail) {
        if (!c.s1.IsEmpty())
            o << c.s1 << endl;
        if (!c.s2.IsEmpty())
            o << c.s2 << endl;
    }
}

void CBeamBase::Check()
{
    CallCheckHook(this);
    delete m_pCheckResult;
    m_pCheckResult = m_pCheckAnswer ? new CheckResult(*m_pCheckAnswer) : nullptr;
    m_nCheckCount.fetch_add(1);
}

void CBeamBase::SetCheckAnswer(const CheckResult& answer) { m_pCheckAnswer = std::make_unique<CheckResult>(answer); }

void CBeamBase::CheckOutput(bool bDetail)
{
    if (!m_pOutput)
        return;
    COutput& o = *m_pOutput;
    Heading(o, GetDescription() + "设计验算结果");
    o << "构件类型：" << GetTypeDescription() << endl;
    if (!m_pCheckResult) {
        o << "杆件未进行验算。" << endl;
        return;
    }
    const CheckResult& r = *m_pCheckResult;
    o << "验算结果（应力比）：" << endl;
    RatioTable(o, {"强度", "稳定", "恒+活变形", "活载变形", "其他变形"},
               {r.fRatio[0], r.fRatio[1], r.fDeformRatio[0], r.fDeformRatio[1], r.fDeformRatio[2]});
    if (!bDetail)
        return;
    // A deformation is kept as a fraction of the span; 0 means the member has none of that kind.
    o << "变形：";
    for (int k = 0; k < 3; ++k) {
        if (k > 0)
            o << "，";
        if (r.fDeform[k] > 0)
            o << Format("1/%d", r.GetDeformDenominator(k));
        else
            o << "-";
    }
    o << endl;
    o << "局部稳定与长细比：" << endl;
    RatioTable(o, {"静力翼缘", "静力腹板", "地震翼缘", "地震腹板", "2轴长细比", "3轴长细比"},
               {r.fDetail[0], r.fDetail[1], r.fDetail[2], r.fDetail[3], r.fDetail[4], r.fDetail[5]});
}

namespace {

CString Ratio3(float r)
{
    CString s;
    s.Format("%.3f", (double)r);
    return s;
}

// Six ratios with their texts into the caller's vectors; the texts are the ratios with three
// decimals unless a text is given.
void PutResults(std::vector<CReal>& ratios, std::vector<CString>& texts, const float (&r)[6],
                const CString* given = nullptr)
{
    if (ratios.size() < 6)
        ratios.resize(6);
    if (texts.size() < 6)
        texts.resize(6);
    for (int k = 0; k < 6; ++k) {
        ratios[(size_t)k] = (double)r[k];
        texts[(size_t)k] = given && !given[k].IsEmpty() ? given[k] : Ratio3(r[k]);
    }
}

} // namespace

bool CBeamBase::GetCapacityCheckResult(std::vector<CReal>& ratios, std::vector<CString>& texts) const
{
    if (!m_pCheckResult)
        return false;
    const CheckResult& c = *m_pCheckResult;
    const float r[6] = {c.fRatio[0], c.fOther[0], c.fOther[1], c.fOther[2], c.fRatio[1], c.fOther[3]};
    PutResults(ratios, texts, r);
    return true;
}

bool CBeamBase::GetDispCheckResult(std::vector<CReal>& ratios, std::vector<CString>& texts) const
{
    if (!m_pCheckResult)
        return false;
    const CheckResult& c = *m_pCheckResult;
    const float r[6] = {c.fDeformRatio[0], c.fDeformRatio[1], c.fDeformRatio[2], c.fOther[4], c.fOther[5], c.fOther[6]};
    // A beam deformation shows its 1/n and its ratio.
    CString given[6];
    for (int k = 0; k < 2; ++k)
        if (c.fDeform[k] > 0)
            given[k].Format("1/%d(%.3f)", c.GetDeformDenominator(k), (double)r[k]);
    PutResults(ratios, texts, r, given);
    return true;
}

bool CBeamBase::GetConstructCheckResult(std::vector<CReal>& ratios, std::vector<CString>& texts) const
{
    if (!m_pCheckResult)
        return false;
    PutResults(ratios, texts, m_pCheckResult->fDetail);
    return true;
}

bool CBeamBase::IsConcreteBeam() const
{
    return m_nType == 11 || m_nType == 12 || dynamic_cast<const CHybridSecBase*>(m_pSection) != nullptr;
}

void CBeamBase::TextOutConcreteResult(COutput& out)
{
    if (!m_pConcreteResult)
        return;
    const float* a = &m_pConcreteResult->fArea[0][0];
    // The areas in the order of the report's legend for the member's kind.
    static const char* const kBeam[10] = {"Asu1", "Asu2", "Asu3", "Asd1", "Asd2", "Asd3", "Gasv", "Asv", "Ast", "Ast1"};
    static const char* const kColumn[4] = {"NRatio", "As2", "As3", "Asv"};
    static const char* const kWall[4] = {"Asb", "Asw", "Gasv", "Hashw"};
    const char* const* names = kBeam;
    int count = 10;
    if (m_nType == 11 || m_nType == 12) {
        names = kWall;
        count = 4;
    } else if (m_nType == 1 || m_nType == 9) {
        names = kColumn;
        count = 4;
    }
    CString line = GetTypeDescription() + GetNumberText() + ":";
    for (int k = 0; k < count; ++k) {
        CString item;
        item.Format("  %s=%.2f", names[k], (double)a[k]);
        line += item;
    }
    out << tab << line << endl;
}

CString CBeamBase::GetNumberText() const
{
    CString s;
    s.Format("%d", m_nNo);
    return s;
}

CString CSubBeam::GetNumberText() const
{
    CString s;
    s.Format("%d-%d-%d", m_pFloor ? m_pFloor->GetNo() : 0, m_pPlane ? m_pPlane->GetNo() : 0, m_nSubNo);
    return s;
}

bool CBeamList::IsHaveConcreteMember() const
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
        if (GetNextT(pos)->IsConcreteBeam())
            return true;
    return false;
}

namespace {
float MaxOf(std::initializer_list<float> values)
{
    float m = *values.begin();
    for (float v : values)
        m = v > m ? v : m;
    return m;
}
} // namespace

float CheckResult::GetMaxStrengthRatio() const { return MaxOf({fRatio[0], fOther[0], fOther[1]}); }

float CheckResult::GetMaxStableRatio() const { return MaxOf({fRatio[1], fOther[3]}); }

float CheckResult::GetMaxCapacityRatio() const
{
    return MaxOf({GetMaxStrengthRatio(), GetMaxStableRatio(), GetMaxConStressRatio()});
}

float CheckResult::GetMaxDispRatio() const
{
    return MaxOf({fDeformRatio[0], fDeformRatio[1], fDeformRatio[2], fOther[4], fOther[5], fOther[6]});
}

float CheckResult::GetMaxConstructRatio() const
{
    return MaxOf({fDetail[0], fDetail[1], fDetail[2], fDetail[3], fDetail[4], fDetail[5]});
}

CString CBeamBase::GetDParaDescripiton(int k) const
{
    static const char* const kGrades[5] = {"非抗震", "一级", "二级", "三级", "四级"};
    CString s;
    auto limit = [](int n) {
        CString t;
        if (n > 0)
            t.Format("1/%d", n);
        else
            t = "-";
        return t;
    };
    switch (k) {
    case 0:
        s.Format("规范%d", m_nCode);
        break;
    case 1:
        s = m_nDesignType == 0 ? CString("常规") : Format("特殊%d", m_nDesignType);
        break;
    case 2:
        if (m_nType == 2 || m_nType == 5)
            s = m_nBeamDesignType == 2 ? "组合梁" : "钢梁";
        else
            s = Format("类型%d", m_nType);
        break;
    case 3:
        s = m_nSeismGrade >= 0 && m_nSeismGrade < 5 ? CString(kGrades[m_nSeismGrade]) : Format("等级%d", m_nSeismGrade);
        break;
    case 4:
        s.Format("M%.2f V%.2f N%.2f", (double)m_fSeismM, (double)m_fSeismV, (double)m_fSeismN);
        break;
    case 5:
        // The lengths the check takes unless a kind says otherwise: the member's own.
        s.Format("L2=%.0f L3=%.0f", GetLength(), GetLength());
        break;
    case 6:
        s = limit(m_nDLLimit) + " " + limit(m_nLLimit);
        break;
    case 7:
    case 8:
    case 11:
        s = "无";
        break;
    case 9:
        s = m_nBeamDesignType == 2 ? "考虑" : "不考虑";
        break;
    case 10:
        s = m_pPinNailGroup != nullptr ? "已布置" : "无";
        break;
    case 12:
        s = m_pWebHole == nullptr ? "无" : (m_pWebHole->m_nType == 2 ? "圆形洞口" : "矩形洞口");
        break;
    default:
        break;
    }
    return s;
}
