#include <vyr/model/base/Obj.h>

CObj::~CObj() = default;

bool CObj::Comp(const CObj& other) const
{
    // Different classes never compare equal, whatever CompSameType would say.
    if (other.GetType().Compare(GetType()) != 0) return false;
    return CompSameType(other);
}

CObjCreator::CObjCreator() = default;
CObjCreator::~CObjCreator() = default;

CObjCreator& CObjCreator::Inst()
{
    // Built on first use, so registrations from static initialisers of any translation
    // unit find it ready.
    static CObjCreator inst;
    return inst;
}

void CObjCreator::Add(const CString& type, CreateFunc create) { m_map[type] = create; }

CObj* CObjCreator::Create(const CString& type) const
{
    auto it = m_map.find(type);
    if (it == m_map.end() || !it->second) return nullptr;
    return it->second();
}

CObjRuntime::CObjRuntime(const CString& type, CObjCreator::CreateFunc create)
{
    CObjCreator::Inst().Add(type, create);
}
