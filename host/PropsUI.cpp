#include <vyr/host/PropsUI.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <mutex>
#include <string>
#include <utility>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/protocol/PropKeyRegistry.h>

namespace {

CProp* DescriptorOf(const CBCGPProp* row) { return row ? reinterpret_cast<CProp*>(row->GetData()) : nullptr; }

} // namespace

// The key each of the grid's named callbacks runs.
#define VYR_NAMED_KEYS(X)                                                                      \
    X(SupportDlg, "Prop.NodeSupport")                                                           \
    X(BeamSecDlg, "Prop.BeamSec")                                                               \
    X(BeamReleaseDlg, "Prop.BeamRelease")                                                       \
    X(BeamOffsetDlg, "Prop.BeamOffset")                                                         \
    X(BeamRigidDlg, "Prop.BeamRigid")                                                           \
    X(BeamWebHoleDefineDlg, "Prop.BeamWebHoleDefine")                                           \
    X(WallOffsetDlg, "Prop.WallOffset")                                                         \
    X(WallHoleDefineDlg, "Prop.WallHoleDefine")                                                 \
    X(WallHoleAdjustDlg, "Prop.WallHoleAdjust")                                                 \
    X(PlaneHoleDefineDlg, "Prop.PlaneHoleDefine")                                               \
    X(PlaneSubBeamDefineDlg, "Prop.PlaneSubBeamDefine")                                         \
    X(NodeCheckOutputDlg, "Prop.NodeCheckOutput")                                               \
    X(NodeOutputDispDlg, "Prop.NodeOutputDisp")                                                 \
    X(NodeOutputForceDlg, "Prop.NodeOutputForce")                                               \
    X(NodeOutputCheckDlg, "Prop.NodeOutputCheck")                                               \
    X(BeamCheckOutputDlg, "Prop.BeamCheckOutput")                                               \
    X(BeamQueryForceDlg, "Prop.BeamForceDetail")                                                \
    X(BeamOutputForceDlg, "Prop.BeamOutputForce")                                               \
    X(BeamOutputCheckDlg, "Prop.BeamOutputCheck")                                               \
    X(BeamOutputStatisticDlg, "Prop.BeamOutputStatistic")                                       \
    X(BeamPinnailDlg, "Prop.BeamPinnail")                                                       \
    X(BeamPinnailDesignDlg, "Prop.BeamPinnailDesign")                                           \
    X(PlaneBanLibDlg, "Prop.PlaneBan")                                                          \
    X(PlaneBanDesignDlg, "Prop.PlaneBanDesign")                                                 \
    X(PlaneBanCheckDlg, "Prop.PlaneBanCheck")                                                   \
    X(BCInWallCheckOutputDlg, "Prop.BCInWallCheckOutput")

#define VYR_DEFINE_NAMED(fn, key) \
    int CPropsUI::fn(void* objects, CGlobalData* data) { return vyrkeys::Run(key, objects, data); }
VYR_NAMED_KEYS(VYR_DEFINE_NAMED)
#undef VYR_DEFINE_NAMED

namespace {

CPropsUI::PropCallback NamedCallback(const char* key)
{
#define VYR_MATCH_NAMED(fn, k) \
    if (std::strcmp(key, k) == 0)  \
        return &CPropsUI::fn;
    VYR_NAMED_KEYS(VYR_MATCH_NAMED)
#undef VYR_MATCH_NAMED
    return nullptr;
}

// A key an area registers beyond the named ones gets one of these entries, which runs the
// key it was handed out for.
constexpr std::size_t kOtherKeySlots = 32;
std::vector<std::string>& OtherKeys()
{
    static std::vector<std::string> keys;
    return keys;
}
std::mutex g_otherKeysMutex;

template <std::size_t N>
int OtherKeyEntry(void* objects, CGlobalData* data)
{
    std::string key;
    {
        std::lock_guard<std::mutex> lock(g_otherKeysMutex);
        key = OtherKeys()[N];
    }
    return vyrkeys::Run(key.c_str(), objects, data);
}

template <std::size_t... N>
constexpr std::array<CPropsUI::PropCallback, sizeof...(N)> OtherEntries(std::index_sequence<N...>)
{
    return {&OtherKeyEntry<N>...};
}

CPropsUI::PropCallback OtherCallback(const char* key)
{
    static constexpr auto entries = OtherEntries(std::make_index_sequence<kOtherKeySlots>());
    std::lock_guard<std::mutex> lock(g_otherKeysMutex);
    std::vector<std::string>& keys = OtherKeys();
    auto it = std::find(keys.begin(), keys.end(), key);
    if (it != keys.end())
        return entries[it - keys.begin()];
    if (keys.size() == kOtherKeySlots) {
        std::fprintf(stderr, "vyr: property key \"%s\" finds no free slot in the grid\n", key);
        return nullptr;
    }
    keys.push_back(key);
    return entries[keys.size() - 1];
}

} // namespace

// The callback table holds every key the areas registered; the gate and the count are
// applied by the registry when an entry runs.
CPropsUI::CPropsUI()
{
    m_pProps = new CProps;
    for (const vyrkeys::PropKeyRow* row : vyrkeys::Rows()) {
        PropCallback named = NamedCallback(row->key);
        m_mapCallback[row->key] = named != nullptr ? named : OtherCallback(row->key);
    }
}

CPropsUI::~CPropsUI()
{
    if (m_wndPropList.GetSafeHwnd())
        m_wndPropList.RemoveAll(); // rows point into the descriptors deleted below
    if (m_pProps)
        delete m_pProps;
}

BOOL CPropsUI::Create(CWnd* parent, UINT id, DWORD style)
{
    if (!m_wndPropList.Create(style, CRect(0, 0, 0, 0), parent, id))
        return FALSE;
    m_wndPropList.EnableHeaderCtrl(FALSE, "Property", "Name");
    m_wndPropList.EnableDescriptionArea(TRUE);
    m_wndPropList.SetVSDotNetLook(TRUE);

    m_font.DeleteObject();
    LOGFONT lf{};
    globalData.fontRegular.GetLogFont(&lf);
    NONCLIENTMETRICS info{};
    info.cbSize = sizeof(info);
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, info.cbSize, &info, 0);
    lf.lfHeight = info.lfMenuFont.lfHeight;
    lf.lfWeight = info.lfMenuFont.lfWeight;
    lf.lfItalic = info.lfMenuFont.lfItalic;
    m_font.CreateFontIndirect(&lf);
    m_wndPropList.SetFont(&m_font, TRUE);
    return TRUE;
}

void CPropsUI::Move(int x, int y, int cx, int cy)
{
    if (m_wndPropList.GetSafeHwnd())
        m_wndPropList.MoveWindow(x, y, cx, cy, TRUE);
}

void CPropsUI::ShowWindow(bool show)
{
    if (m_wndPropList.GetSafeHwnd())
        m_wndPropList.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CPropsUI::SetParam(int use, void* objects, int kind, CGlobalData* data)
{
    m_pProps->SetParam(use, objects, kind, data);
}

void CPropsUI::SetUseType(int use) { m_pProps->SetUseType(use); }

void CPropsUI::SetObj(void* objects, int kind) { m_pProps->SetObj(objects, kind); }

bool CPropsUI::Query(void* result) { return m_pProps->Query(result); }

void CPropsUI::GetValues(std::vector<CString>& values) { m_pProps->GetValues(values); }

void CPropsUI::SetValues(std::vector<CString>& values) { m_pProps->SetValues(values); }

void CPropsUI::FillItem()
{
    CWaitCursor wait;
    m_wndPropList.ShowWindow(SW_HIDE);
    m_wndPropList.RemoveAll();
    FillProps(*m_pProps, nullptr, true);
    m_wndPropList.AdjustLayout();
    if (m_wndPropList.HasVertScrollBar() && m_nVertScrollOffset > 0)
        m_wndPropList.SetVertScrollOffset(m_nVertScrollOffset, FALSE);
    m_wndPropList.RedrawList();
    m_wndPropList.ShowWindow(SW_SHOW);
}

void CPropsUI::FillProps(const CPropSub& sub, CBCGPVyrProp* parent, bool top)
{
    for (int i = 0; i < sub.GetCount(); ++i) {
        const CProp* d = sub.GetPropA(i);
        if (!d->IsVisible())
            continue;
        CBCGPVyrProp* row;
        if (d->IsGroup()) {
            row = new CBCGPVyrProp(d->GetCaption(), 0, FALSE);
            SetPropA(row, *d);
            row->SetData((DWORD_PTR)d);
        } else {
            row = new CBCGPVyrProp("", _variant_t(""), "", 0, nullptr, nullptr, nullptr);
            SetPropA(row, *d);
        }
        if (top)
            m_wndPropList.AddProperty(row, FALSE, FALSE);
        else
            parent->AddSubItem(row);
        if (d->IsGroup()) {
            FillProps(*static_cast<const CPropSub*>(d), row, false);
            auto it = m_mapExpand.find(d->GetPropKey());
            if (it == m_mapExpand.end())
                it = m_mapExpand.emplace(d->GetPropKey(), false).first;
            row->Expand(it->second ? TRUE : FALSE);
        }
    }
}

void CPropsUI::SetPropA(CBCGPVyrProp* row, const CProp& d)
{
    row->SetName(d.GetCaption(), FALSE);
    row->SetDescription(d.GetDescText());
    CString text;
    std::vector<CString> options;
    d.GetValueText(text, options);
    row->RemoveAllOptions();
    for (const CString& o : options)
        row->AddOption(o, FALSE);
    row->SetValue(_variant_t(text));
    row->AllowEdit(d.CanEdit() ? TRUE : FALSE);
    row->Enable(d.IsEnabled() ? TRUE : FALSE);
    row->SetData((DWORD_PTR)&d);
}

// Each row is paired with its own descriptor (its user data), never by position: rows of
// hidden descriptors do not exist, so positions drift after the first hidden one.
void CPropsUI::RecordExpand(CBCGPVyrProp* row, CPropSub* /*sub*/, bool top)
{
    std::vector<CBCGPProp*> rows;
    if (top) {
        if (m_wndPropList.HasVertScrollBar() && m_wndPropList.GetVertScrollOffset() > 0)
            m_nVertScrollOffset = m_wndPropList.GetVertScrollOffset();
        for (int i = 0; i < m_wndPropList.GetPropertyCount(); ++i)
            rows.push_back(m_wndPropList.GetProperty(i));
    } else if (row != nullptr) {
        for (int i = 0; i < row->GetSubItemsCount(); ++i)
            rows.push_back(row->GetSubItem(i));
    }
    for (CBCGPProp* r : rows) {
        CProp* d = DescriptorOf(r);
        if (r->GetSubItemsCount() > 0 && d != nullptr && d->IsGroup()) {
            m_mapExpand[d->GetPropKey()] = r->IsExpanded() != FALSE;
            RecordExpand(static_cast<CBCGPVyrProp*>(r), static_cast<CPropSub*>(d), false);
        }
    }
}

void CPropsUI::UpdateFromOneProp(CBCGPVyrProp* row)
{
    CProp* d = DescriptorOf(row);
    if (d == nullptr)
        return;
    std::vector<CProp*> changed;
    m_pProps->UpdateOtherProp(*d, changed);
    if (changed.empty())
        return;
    if (std::any_of(changed.begin(), changed.end(), [](CProp* p) { return p->IsGroup(); })) {
        RecordExpand(nullptr, nullptr, true);
        FillItem();
        return;
    }
    for (int i = 0; i < m_wndPropList.GetPropertyCount(); ++i) {
        CBCGPProp* top = m_wndPropList.GetProperty(i);
        CProp* td = DescriptorOf(top);
        if (td && std::find(changed.begin(), changed.end(), td) != changed.end())
            SetPropA(static_cast<CBCGPVyrProp*>(top), *td);
        UpdateRows(top, changed);
    }
    m_wndPropList.RedrawList();
}

void CPropsUI::UpdateRows(CBCGPProp* row, std::vector<CProp*>& changed)
{
    for (int i = 0; i < row->GetSubItemsCount(); ++i) {
        CBCGPProp* child = row->GetSubItem(i);
        CProp* d = DescriptorOf(child);
        if (d && std::find(changed.begin(), changed.end(), d) != changed.end())
            SetPropA(static_cast<CBCGPVyrProp*>(child), *d);
        UpdateRows(child, changed);
    }
}

int CPropsUI::DealOtherProp(CBCGPVyrProp* row)
{
    CProp* d = DescriptorOf(row);
    if (d == nullptr)
        return 0;
    auto it = m_mapCallback.find(d->GetPropKey());
    if (it == m_mapCallback.end() || it->second == nullptr)
        return 0;
    return it->second(d->GetObjects(), m_pProps->GetGlobalData()) ? 1 : 0;
}

LRESULT CPropsUI::OnOtherProp(WPARAM, LPARAM lParam)
{
    auto* row = reinterpret_cast<CBCGPVyrProp*>(lParam);
    RecordExpand(nullptr, nullptr, true);
    CProp* d = DescriptorOf(row);
    const int r = DealOtherProp(row);
    if (d)
        d->RefreshValue();
    FillItem();
    VyrSendToHost(WM_UI_PROPCHANGED);
    return r ? 1 : 0;
}

LRESULT CPropsUI::OnEndEditProp(WPARAM, LPARAM lParam)
{
    auto* row = reinterpret_cast<CBCGPVyrProp*>(lParam);
    // Posted: the list may have been refilled since, taking the row with it.
    if (row != nullptr && m_wndPropList.HasProperty(row)) {
        UpdateFromOneProp(row);
        VyrSendToHost(WM_UI_PROPCHANGED);
    }
    return 0;
}

int CPropsUI::EndEdit()
{
    if (m_wndPropList.GetCurSel() == nullptr)
        return 1;
    return m_wndPropList.EndEditItem(TRUE) ? 1 : 0;
}
