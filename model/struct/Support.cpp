#include <vyr/model/struct/Support.h>

#include <initializer_list>

IMPLEMENT_DYNAMIC(CSupportBase, CObject)
IMPLEMENT_DYNAMIC(CSupportFixed, CSupportBase)
IMPLEMENT_DYNAMIC(CSupportPinned, CSupportBase)
IMPLEMENT_DYNAMIC(CSupportSpring, CSupportBase)
IMPLEMENT_DYNAMIC(CSupportXZPlane, CSupportBase)
IMPLEMENT_DYNAMIC(CSupportYZPlane, CSupportBase)
IMPLEMENT_DYNAMIC(CSupportXPinFixed, CSupportBase)
IMPLEMENT_DYNAMIC(CSupportYPinFixed, CSupportBase)

CString CSupportBase::GetDescription() const
{
    switch (m_nType)
    {
    case 1: return "固接";
    case 2: return "铰接";
    case 3: {
        CString s;
        s.Format("弹簧%d", m_nSpringNo);
        return s;
    }
    case 4: return "XZ平面外铰接";
    case 5: return "YZ平面外铰接";
    case 6: return "X向铰接Y向固接";
    case 7: return "Y向铰接X向固接";
    default: return "无";
    }
}

CSupportSpring::CSupportSpring(CObject* aux) : CSupportBase(3, aux)
{
    for (float& k : m_fStiff)
        k = 1e9f;
}

namespace {

// Releases FX FY FZ MX MY MZ of a default support kind (1 released).
void SetDefaultSupportReleases(CSupportBase* s, std::initializer_list<int> released)
{
    int i = 0;
    for (int r : released)
        s->m_nRelease[i++] = r;
}

} // namespace

void CSupportBase::GetDescription(CString* text) const
{
    static const char* const names[6] = {"FX", "FY", "FZ", "MX", "MY", "MZ"};
    CString released, springs;
    for (int i = 0; i < 6; ++i) {
        if (m_nRelease[i] != 0) {
            released += released.IsEmpty() ? "" : ",";
            released += names[i];
        } else if (m_nType == 3) {
            CString k;
            k.Format("%sK%s=%g", springs.IsEmpty() ? "" : " ", names[i], (double)m_fStiff[i]);
            springs += k;
        }
    }
    if (m_nType != 3) {
        *text = released.IsEmpty() ? CString("全部约束") : "释放" + released;
        return;
    }
    *text = springs;
    if (!released.IsEmpty())
        *text += (springs.IsEmpty() ? "释放" : " 释放") + released;
}

void CSupportList::AddDefaults(bool threeD)
{
    auto* fixed = new CSupportFixed;
    auto* pinned = new CSupportPinned;
    SetDefaultSupportReleases(pinned, {0, 0, 0, 1, 1, 1});
    Add(fixed);
    Add(pinned);
    if (!threeD)
        return;
    // Kinds 6 and 7 keep the translations and one bending rotation; 4 and 5 hold a plane
    // frame in its plane (XZ: Y, MX and MZ held).
    auto* xPin = new CSupportXPinFixed;
    SetDefaultSupportReleases(xPin, {0, 0, 0, 1, 0, 1});
    auto* yPin = new CSupportYPinFixed;
    SetDefaultSupportReleases(yPin, {0, 0, 0, 0, 1, 1});
    auto* xz = new CSupportXZPlane;
    SetDefaultSupportReleases(xz, {1, 0, 1, 0, 1, 0});
    auto* yz = new CSupportYZPlane;
    SetDefaultSupportReleases(yz, {0, 1, 1, 1, 0, 0});
    Add(xPin);
    Add(yPin);
    Add(xz);
    Add(yz);
}

void CSupportList::Add(CSupportBase* p)
{
    AddTail(p);
    if (p->m_nType != 3)
        return;
    int springs = 0;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
        springs += GetNextT(pos)->m_nType == 3 ? 1 : 0;
    p->m_nSpringNo = springs;
}

void CSupportList::Delete(int position)
{
    if (position < 1 || position > (int)GetCount())
        return;
    POSITION at = FindIndex(position - 1);
    delete GetAt(at);
    RemoveAt(at);
    int springs = 0;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
        CSupportBase* s = GetNextT(pos);
        if (s->m_nType == 3)
            s->m_nSpringNo = ++springs;
    }
}
