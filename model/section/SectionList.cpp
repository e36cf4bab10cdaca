#include <vyr/model/section/SectionList.h>

#include <algorithm>
#include <memory>

#include <vyr/archive.h>
#include <vyr/model/material/MaterialList.h>
#include <vyr/model/section/SectionArchive.h>
#include <vyr/model/base/OwnedList.h>

// ---------------------------------------------------------------- CSectionList

CSectionList::~CSectionList() { DeleteAll(); }

CSectionBase* CSectionList::Get(int i) const
{
    return vyr::ListAt<CSectionBase>(*this, i);
}

CSectionBase* CSectionList::GetByNo(int nNo) const
{
    for (POSITION pos = GetHeadPosition(); pos != nullptr;) {
        CSectionBase* p = static_cast<CSectionBase*>(GetNext(pos));
        if (p->m_nNo == nNo)
            return p;
    }
    return nullptr;
}

int CSectionList::NextNo() const
{
    int n = 0;
    for (POSITION pos = GetHeadPosition(); pos != nullptr;)
        n = std::max(n, static_cast<CSectionBase*>(GetNext(pos))->m_nNo);
    return n + 1;
}

bool CSectionList::Add(CSectionBase* pSec, bool bNewNumber)
{
    if (pSec == nullptr || Find(pSec) != nullptr || !pSec->IsDataValid())
        return false;
    if (bNewNumber || pSec->m_nNo <= 0 || GetByNo(pSec->m_nNo) != nullptr)
        pSec->m_nNo = NextNo();
    AddTail(pSec);
    return true;
}

void CSectionList::Delete(int i)
{
    if (i < 1 || i > (int)GetCount())
        return;
    POSITION pos = FindIndex(i - 1);
    delete static_cast<CSectionBase*>(GetAt(pos));
    RemoveAt(pos);
}

void CSectionList::DeleteAll()
{
    vyr::DeleteListItems(*this);
}

namespace {

// File tag and layout version of a stored section library. The tag, the version and the
// section count lead; each section follows as its type code, its class (name and schema)
// and its own fields, components nested the same way behind a presence mark.
constexpr DWORD kSecFileTag = 0x43455356; // "VSEC"
constexpr int kSecFileVersion = 2;
// More sections than any project holds: a count beyond it is a corrupt file.
constexpr int kMaxSections = 1000000;

// Materials as +id in the steel list, -id in the concrete list.
class ListResolver : public vyr::sec::MaterialResolver
{
public:
    ListResolver(CMaterialList* steel, CMaterialList* concrete) : m_steel(steel), m_concrete(concrete) {}
    int Ref(CMaterialBase* p) override
    {
        if (Holds(m_steel, p))
            return p->GetID();
        if (Holds(m_concrete, p))
            return -p->GetID();
        return 0;
    }
    CMaterialBase* Find(int ref) override
    {
        CMaterialList* l = ref > 0 ? m_steel : m_concrete;
        // Wide enough to negate the most negative reference a file can hold.
        const long long id = ref > 0 ? ref : -(long long)ref;
        if (l == nullptr || id < 1 || id > (long long)l->GetCount())
            return nullptr;
        return l->Get((int)id);
    }

private:
    static bool Holds(CMaterialList* l, CMaterialBase* p)
    {
        return l != nullptr && p->GetID() >= 1 && p->GetID() <= (int)l->GetCount() && l->Get(p->GetID()) == p;
    }
    CMaterialList* m_steel;
    CMaterialList* m_concrete;
};

} // namespace

void CSectionList::FileInOut(CArchive& ar, CMaterialList* pSteel, CMaterialList* pConcrete)
{
    ListResolver resolver(pSteel, pConcrete);
    vyr::sec::ResolverScope scope(&resolver);
    if (ar.IsStoring()) {
        ar << kSecFileTag << kSecFileVersion << (int)GetCount();
        for (POSITION pos = GetHeadPosition(); pos != nullptr;)
            vyr::sec::StoreSection(ar, static_cast<CSectionBase*>(GetNext(pos)));
        return;
    }
    DWORD tag = 0;
    ar >> tag;
    const int version = vyr::sec::LoadInt(ar);
    const int count = vyr::sec::LoadInt(ar);
    if (tag != kSecFileTag || version != kSecFileVersion)
        AfxThrowArchiveException(CArchiveException::badSchema);
    if (count < 0 || count > kMaxSections)
        vyr::sec::ThrowCorrupt();
    // Everything is read before the library changes, so a failure leaves it as it was.
    std::vector<std::unique_ptr<CSectionBase>> read;
    for (int i = 0; i < count; ++i)
        read.emplace_back(vyr::sec::LoadSection(ar));
    for (auto& p : read) {
        CSectionBase* s = p.release();
        // A stored section whose dimensions no longer make sense is still kept: the file
        // holds it and members may have used it.
        if (!Add(s, false)) {
            s->m_nNo = NextNo();
            AddTail(s);
        }
    }
}

// ---------------------------------------------------------------- CSecPointArray

void CSecPointArray::InitOnSec(CSectionList* pList, int, int)
{
    m_Secs.clear();
    if (pList == nullptr)
        return;
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;)
        m_Secs.push_back(static_cast<CSectionBase*>(pList->GetNext(pos)));
    std::stable_sort(m_Secs.begin(), m_Secs.end(), [](CSectionBase* a, CSectionBase* b) {
        if (a->m_nType != b->m_nType)
            return a->m_nType < b->m_nType;
        return a->m_nNo < b->m_nNo;
    });
}

void CSecPointArray::InitOnMat(CSectionList* pList, int)
{
    m_Secs.clear();
    if (pList == nullptr)
        return;
    std::vector<std::pair<CString, CSectionBase*>> keyed;
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
        CSectionBase* p = static_cast<CSectionBase*>(pList->GetNext(pos));
        keyed.emplace_back(p->GetStrMatType(), p);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        const int c = a.first.Collate(b.first);
        if (c != 0)
            return c < 0;
        if (a.second->m_nType != b.second->m_nType)
            return a.second->m_nType < b.second->m_nType;
        return a.second->m_nNo < b.second->m_nNo;
    });
    for (auto& k : keyed)
        m_Secs.push_back(k.second);
}

// ---------------------------------------------------------------- CStay, CStayList

IMPLEMENT_SERIAL(CStay, CObject, 1)

CStay::~CStay() { delete m_pAngle; }

void CStay::SetAngleSec(CSectionBase* pSec)
{
    if (pSec == m_pAngle)
        return;
    delete m_pAngle;
    m_pAngle = pSec;
}

CString CStay::GetDescription() const
{
    CString s;
    const CString mat = m_pMaterial != nullptr ? m_pMaterial->GetName() : CString("无材料");
    if (m_nKind == 0) {
        s.Format("缀板 %.0fx%.0f 间距%.0f %s %s", m_fWidth * 10.0f, m_fThick * 10.0f, m_fSpace * 10.0f,
                 m_nBolted ? "螺栓" : "焊接", mat.GetString());
    } else {
        s.Format("缀条 %s %s %s 间距%.0f %s %s", m_strName.GetString(), m_nLegLink == 2 ? "长边连接" : "短边连接",
                 m_nDiagonal == 2 ? "双斜" : "单斜", m_fSpace * 10.0f, m_nHorizontal ? "有横缀条" : "无横缀条",
                 mat.GetString());
    }
    return s;
}

void CStayList::Add(CStay* pStay)
{
    if (pStay == nullptr)
        return;
    AddTail(pStay);
    pStay->m_nNo = (int)GetCount();
}

CStay* CStayList::Get(int i) const
{
    return vyr::ListAt<CStay>(*this, i);
}

void CStayList::DeleteStay(CStay* pStay)
{
    POSITION pos = Find(pStay);
    if (pos == nullptr)
        return;
    RemoveAt(pos);
    int n = 0;
    for (POSITION p = GetHeadPosition(); p != nullptr;)
        static_cast<CStay*>(GetNext(p))->m_nNo = ++n;
}
