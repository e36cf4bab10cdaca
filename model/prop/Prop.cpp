#include <vyr/model/prop/Prop.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include <vyr/model/struct/GlobalData.h>

// ---------------------------------------------------------------------------------------
// CProp

CProp::CProp(const CString& key, const CString& caption, const CString& desc)
    : m_strKey(key), m_strCaption(caption), m_strDesc(desc)
{
}

CProp::~CProp() = default;

bool CProp::IsVisible() const
{
    const CProps* root = GetRoot();
    return !m_visibleIf || root == nullptr || m_visibleIf(*root);
}

void CProp::GetValueText(CString& text, std::vector<CString>& options) const
{
    text.Empty();
    options.clear();
}

void CProp::SetValueText(const CString&) {}

bool CProp::CheckValueText(const CString&, CString&) const { return true; }

CGlobalData* CProp::GetGlobalData() const
{
    const CProps* root = GetRoot();
    return root ? root->GetGlobalData() : nullptr;
}

void* CProp::GetObjects() const
{
    const CProps* root = GetRoot();
    return root ? root->GetObjects() : nullptr;
}

const CProps* CProp::GetRoot() const
{
    const CProp* p = this;
    while (p->m_pParent)
        p = p->m_pParent;
    return dynamic_cast<const CProps*>(p);
}

CProps* CProp::GetRoot() { return const_cast<CProps*>(static_cast<const CProp*>(this)->GetRoot()); }

// ---------------------------------------------------------------------------------------
// CPropSub

CPropSub::CPropSub(const CString& key, const CString& caption, const CString& desc) : CProp(key, caption, desc) {}

void CPropSub::GetValueText(CString& text, std::vector<CString>& options) const
{
    text.Empty();
    options.clear();
}

CProp* CPropSub::Add(CProp* prop)
{
    VYR_CHECK(prop != nullptr, "CPropSub::Add: no descriptor");
    prop->m_pParent = this;
    m_props.emplace_back(prop);
    return prop;
}

const CProp* CPropSub::GetPropA(int index) const
{
    VYR_CHECK(index >= 0 && index < (int)m_props.size(), "CPropSub::GetPropA: index out of range");
    return m_props[index].get();
}

CProp* CPropSub::GetPropA(int index)
{
    VYR_CHECK(index >= 0 && index < (int)m_props.size(), "CPropSub::GetPropA: index out of range");
    return m_props[index].get();
}

void CPropSub::Collect(std::vector<CProp*>& out)
{
    for (auto& p : m_props) {
        out.push_back(p.get());
        if (p->IsGroup())
            static_cast<CPropSub*>(p.get())->Collect(out);
    }
}

void CPropSub::Collect(std::vector<const CProp*>& out) const
{
    for (auto& p : m_props) {
        out.push_back(p.get());
        if (p->IsGroup())
            static_cast<const CPropSub*>(p.get())->Collect(out);
    }
}

namespace {

// What a row shows, as one text: enough to tell whether its row must be rewritten.
CString ShownState(const CProp& p)
{
    CString s = p.IsVisible() ? "1" : "0";
    s += '\x1f';
    s += p.GetCaption();
    if (p.IsGroup())
        return s;
    CString text;
    std::vector<CString> options;
    p.GetValueText(text, options);
    s += '\x1f';
    s += text;
    for (const CString& o : options) {
        s += '\x1e';
        s += o;
    }
    s += p.CanEdit() ? "\x1f" "e" : "\x1f" "-";
    s += p.IsEnabled() ? "e" : "-";
    return s;
}

} // namespace

void CPropSub::Snapshot()
{
    std::vector<CProp*> all;
    Collect(all);
    for (CProp* p : all) {
        p->m_strShown = ShownState(*p);
        p->m_bShownValid = true;
    }
}

void CPropSub::UpdateOtherProp(const CProp&, std::vector<CProp*>& changed)
{
    changed.clear();
    std::vector<CProp*> all;
    Collect(all);
    for (CProp* p : all) {
        CString now = ShownState(*p);
        if (!p->m_bShownValid || now != p->m_strShown)
            changed.push_back(p);
        p->m_strShown = now;
        p->m_bShownValid = true;
    }
}

void CPropSub::SetObj(void* objects, int kind)
{
    CProps* root = GetRoot();
    if (root == nullptr)
        return;
    root->m_pObjects = objects;
    if (kind != root->m_nKind) {
        root->m_nKind = kind;
        root->Rebuild();
    }
}

bool CPropSub::Query(void* result) const
{
    const CProps* root = GetRoot();
    auto* out = static_cast<CObList*>(result);
    auto* objects = root ? static_cast<CObList*>(root->GetObjects()) : nullptr;
    if (out == nullptr || objects == nullptr)
        return false;
    std::vector<const CProp*> all;
    Collect(all);
    std::vector<const CPropValue*> conds;
    for (const CProp* p : all)
        if (auto* v = dynamic_cast<const CPropValue*>(p); v && !v->GetCondition().IsEmpty())
            conds.push_back(v);
    bool any = false;
    for (POSITION pos = objects->GetHeadPosition(); pos;) {
        CObject* obj = objects->GetNext(pos);
        bool ok = true;
        for (const CPropValue* v : conds)
            if (!v->Meets(obj, v->GetCondition())) {
                ok = false;
                break;
            }
        if (ok) {
            out->AddTail(obj);
            any = true;
        }
    }
    return any;
}

void CPropSub::GetValues(std::vector<CString>& values) const
{
    values.clear();
    std::vector<const CProp*> all;
    Collect(all);
    for (const CProp* p : all) {
        if (p->IsGroup())
            continue;
        CString text;
        std::vector<CString> options;
        p->GetValueText(text, options);
        values.push_back(text);
    }
}

void CPropSub::SetValues(std::vector<CString>& values)
{
    std::vector<CProp*> all;
    Collect(all);
    size_t i = 0;
    const CProps* root = GetRoot();
    const bool query = root && root->GetUseType() == 3;
    for (CProp* p : all) {
        if (p->IsGroup())
            continue;
        if (i >= values.size())
            break;
        const CString& text = values[i++];
        CString message;
        if ((query || p->CanEdit()) && p->CheckValueText(text, message))
            p->SetValueText(text);
    }
}

// ---------------------------------------------------------------------------------------
// CProps

CProps::CProps() : CPropSub("Props", "", "") {}

CProps::~CProps() = default;

void CProps::SetParam(int use, void* objects, int kind, CGlobalData* data)
{
    m_nUse = use;
    m_pObjects = objects;
    m_nKind = kind;
    m_pData = data;
    Rebuild();
}

void CProps::SetUseType(int use) { m_nUse = use; }

CString CProps::GetOtherString() { return "<其他...>"; }

void CProps::Rebuild()
{
    RemoveAll();
    if (Builder b = DefaultBuilder(m_nKind))
        b(*this);
}

// ---------------------------------------------------------------------------------------
// CPropValue

CPropValue::CPropValue(const CString& key, const CString& caption, const CString& desc, Type type)
    : CProp(key, caption, desc), m_type(type)
{
}

double CPropValue::Scale() const
{
    if (!m_bLength)
        return 1.0;
    CGlobalData* data = GetGlobalData();
    return data ? (double)data->UnitLength() : 1.0;
}

CString CPropValue::FormatNumber(double shown) const
{
    CString s;
    int decimals = m_nDecimals;
    if (decimals < 0) {
        const double unit = Scale();
        decimals = unit > 0 ? std::max(0, (int)(1.0 - std::log10(unit))) : 1;
    }
    if (m_type == INTEGER)
        s.Format("%.0f", shown);
    else
        s.Format("%.*f", decimals, shown);
    if (s.GetLength() > 1 && s[0] == '-' && std::atof(s) == 0.0)
        s = s.Mid(1); // never "-0.0"
    return s;
}

CString CPropValue::ObjectText(CObject* obj) const
{
    if (m_getText)
        return m_getText(obj);
    if (!m_getNum)
        return "";
    const double v = m_getNum(obj);
    if (IsChoice()) {
        for (size_t i = 0; i < m_options.size(); ++i)
            if ((m_codes.empty() ? (double)i : (double)m_codes[i]) == v)
                return m_options[i];
        return "";
    }
    return FormatNumber(v * Scale());
}

bool CPropValue::CanEdit() const
{
    const CProps* root = GetRoot();
    if (root && root->GetUseType() == 3)
        return (bool)(m_getNum || m_getText) && !IsChoice();
    return (bool)(m_setNum || m_setText) && !IsChoice();
}

void CPropValue::GetValueText(CString& text, std::vector<CString>& options) const
{
    options.clear();
    const CProps* root = GetRoot();
    if (root && root->GetUseType() == 3) {
        text = m_strCond;
        if (IsChoice()) {
            options.push_back("");
            options.insert(options.end(), m_options.begin(), m_options.end());
        }
        return;
    }
    text.Empty();
    auto* objects = static_cast<CObList*>(GetObjects());
    if (objects != nullptr && !objects->IsEmpty()) {
        POSITION pos = objects->GetHeadPosition();
        CObject* first = objects->GetNext(pos);
        bool same = true;
        if (m_getText) {
            const CString v0 = m_getText(first);
            while (pos && same)
                same = m_getText(objects->GetNext(pos)) == v0;
            if (same)
                text = v0;
        } else if (m_getNum) {
            const double v0 = m_getNum(first);
            while (pos && same)
                same = CReal(m_getNum(objects->GetNext(pos))) == CReal(v0);
            if (same)
                text = ObjectText(first);
        }
    }
    if (IsChoice() && (m_setNum || m_setText))
        options = m_options;
    if (m_bDialog) {
        if (!text.IsEmpty() && std::find(options.begin(), options.end(), text) == options.end())
            options.push_back(text);
        options.push_back(CProps::GetOtherString());
    }
}

bool CPropValue::Parse(const CString& text, double& model, CString& message) const
{
    CString t = text;
    t.Trim();
    const char* s = t.GetString();
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(s, &end);
    if (t.IsEmpty() || end == s || *end != '\0' || !std::isfinite(v) || errno == ERANGE) {
        message = m_type == INTEGER ? "请输入一个整数！" : "请输入一个数字！";
        return false;
    }
    if (m_type == INTEGER && v != std::floor(v)) {
        message = "请输入一个整数！";
        return false;
    }
    const double scale = Scale();
    const double m = scale != 0.0 ? v / scale : v;
    if (m < m_dMin || m > m_dMax) {
        message.Format("请输入%s到%s之间的数值！", FormatNumber(m_dMin * scale).GetString(),
                       FormatNumber(m_dMax * scale).GetString());
        return false;
    }
    model = m;
    return true;
}

bool CPropValue::CheckValueText(const CString& text, CString& message) const
{
    const CProps* root = GetRoot();
    const bool query = root && root->GetUseType() == 3;
    if (query && text.IsEmpty())
        return true;
    if (m_bDialog && text == CProps::GetOtherString())
        return true;
    if (IsChoice()) {
        if (std::find(m_options.begin(), m_options.end(), text) == m_options.end()) {
            message = "请从列表中选择！";
            return false;
        }
        return true;
    }
    if (m_type == TEXT)
        return true;
    double v = 0;
    return Parse(text, v, message);
}

void CPropValue::SetValueText(const CString& text)
{
    CProps* root = GetRoot();
    if (root && root->GetUseType() == 3) {
        m_strCond = text;
        return;
    }
    auto* objects = static_cast<CObList*>(GetObjects());
    if (objects == nullptr || (!m_setNum && !m_setText))
        return;
    CString message;
    if (!CheckValueText(text, message) || (m_bDialog && text == CProps::GetOtherString()))
        return;
    if (root)
        root->Snapshot();
    if (m_setText) {
        for (POSITION pos = objects->GetHeadPosition(); pos;)
            m_setText(objects->GetNext(pos), text);
        return;
    }
    double v = 0;
    if (IsChoice()) {
        auto it = std::find(m_options.begin(), m_options.end(), text);
        const size_t i = (size_t)(it - m_options.begin());
        v = m_codes.empty() ? (double)i : (double)m_codes[i];
    } else if (!Parse(text, v, message)) {
        return;
    }
    for (POSITION pos = objects->GetHeadPosition(); pos;)
        m_setNum(objects->GetNext(pos), v);
}

bool CPropValue::Meets(CObject* obj, const CString& condition) const
{
    if (condition.IsEmpty())
        return true;
    if (m_getText || IsChoice())
        return ObjectText(obj) == condition;
    if (!m_getNum)
        return false;
    double v = 0;
    CString message;
    if (!Parse(condition, v, message))
        return false;
    return CReal(m_getNum(obj)) == CReal(v);
}

// ---------------------------------------------------------------------------------------
// CPropPt

CPropPt::CPropPt(const CString& caption, int axis)
    : CPropValue("Prop.Pt", caption, "结点坐标", NUMBER), m_nAxis(axis)
{
    m_bLength = true;
    m_nDecimals = -1;
    m_getNum = [axis](CObject* o) {
        const CPoint3D& p = static_cast<CPNodeBase*>(o)->GetPt();
        return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
    };
    m_setNum = [axis](CObject* o, double v) {
        auto* n = static_cast<CPNodeBase*>(o);
        CPoint3D p = n->GetPt();
        (axis == 0 ? p.x : axis == 1 ? p.y : p.z) = v;
        n->SetPt(p);
    };
}

void CPropPt::SetValueText(const CString& text)
{
    const CProps* root = GetRoot();
    auto* objects = static_cast<CObList*>(GetObjects());
    if (root == nullptr || root->GetUseType() == 3 || objects == nullptr) {
        CPropValue::SetValueText(text);
        return;
    }
    std::vector<double> z;
    if (m_nAxis == 2)
        for (POSITION pos = objects->GetHeadPosition(); pos;)
            z.push_back(static_cast<CPNodeBase*>(objects->GetNext(pos))->GetPt().z);
    const size_t before = z.size();
    CPropValue::SetValueText(text);
    m_heights.clear();
    if (m_nAxis != 2 || before == 0)
        return;
    z.push_back(static_cast<CPNodeBase*>(objects->GetHead())->GetPt().z);
    std::sort(z.begin(), z.end());
    for (double v : z)
        if (m_heights.empty() || !(m_heights.back() == CReal(v)))
            m_heights.push_back(CReal(v));
}
