#include <vyr/object.h>

#include <cstring>
#include <mutex>

namespace {
CRuntimeClass* g_firstClass = nullptr;
std::mutex g_classMutex;
} // namespace

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, nullptr, nullptr, nullptr};
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* cls)
{
    std::lock_guard<std::mutex> lock(g_classMutex);
    cls->m_pNextClass = g_firstClass;
    g_firstClass = cls;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return &CObject::classCObject; }

void CObject::Serialize(CArchive&) {}

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
        if (c == base) return TRUE;
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(const char* name)
{
    if (!name) return nullptr;
    std::lock_guard<std::mutex> lock(g_classMutex);
    for (CRuntimeClass* c = g_firstClass; c; c = c->m_pNextClass)
        if (std::strcmp(c->m_lpszClassName, name) == 0) return c;
    return nullptr;
}
