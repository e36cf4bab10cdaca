#include <vyr/object.h>

#include <cstring>
#include <mutex>

namespace {
CRuntimeClass* g_firstClass = nullptr;
CRuntimeClass* g_firstLibraryClass = nullptr;
int g_libraryLinks = 0;
std::mutex g_classMutex;

CRuntimeClass* FindIn(CRuntimeClass* first, const char* name)
{
    for (CRuntimeClass* c = first; c; c = c->m_pNextClass)
        if (std::strcmp(c->m_lpszClassName, name) == 0) return c;
    return nullptr;
}
} // namespace

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, nullptr, nullptr, nullptr};
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* cls, int extensionModule)
{
    std::lock_guard<std::mutex> lock(g_classMutex);
    CRuntimeClass*& first = extensionModule ? g_firstLibraryClass : g_firstClass;
    cls->m_pNextClass = first;
    first = cls;
}

namespace vyr {
void LinkLibraryClasses(int delta)
{
    std::lock_guard<std::mutex> lock(g_classMutex);
    g_libraryLinks += delta;
}
} // namespace vyr

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
    if (CRuntimeClass* c = FindIn(g_firstClass, name)) return c;
    return g_libraryLinks > 0 ? FindIn(g_firstLibraryClass, name) : nullptr;
}
