// The node and member checks as the model library answers them here, and their
// calculation reports.
#include <mutex>

#include <vyr/model/output/coutput.h>
#include <vyr/model/struct/CheckHook.h>
#include <vyr/model/struct/Member.h>
#include <vyr/model/struct/Node.h>
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
    // A deformation is kept as the n of 1/n; 0 means the member has none of that kind.
    o << "变形：";
    for (int k = 0; k < 3; ++k) {
        if (k > 0)
            o << "，";
        if (r.fDeform[k] > 0)
            o << Format("1/%d", (int)r.fDeform[k]);
        else
            o << "-";
    }
    o << endl;
    o << "局部稳定与长细比：" << endl;
    RatioTable(o, {"静力翼缘", "静力腹板", "地震翼缘", "地震腹板", "2轴长细比", "3轴长细比"},
               {r.fDetail[0], r.fDetail[1], r.fDetail[2], r.fDetail[3], r.fDetail[4], r.fDetail[5]});
}
