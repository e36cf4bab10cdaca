// CObject and its runtime classes: class names, the base-class chain, dynamic creation
// and the schema number stored by serialisation.
#pragma once

#include <vyr/wintypes.h>

class CObject;
class CArchive;
class CDumpContext; // diagnostics output; no build of this library writes any

struct CRuntimeClass
{
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema; // 0xFFFF when the class is not serialisable
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass; // registry chain, filled at load time

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;

    // The registered class of that name: the program's own first, then the library's while
    // its module is linked; null when neither has it.
    static CRuntimeClass* FromName(const char* name);
    // Writes the class name and schema to an archive; reads them back (null when unknown).
    void Store(CArchive& ar) const;
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);
};

// Which module a class belongs to: code compiled as part of the library (the build defines
// VYR_EXTENSION_MODULE=1 for its areas) registers its classes with the library's module,
// everything else (the platform, the model libraries, the host) with the program itself.
#ifndef VYR_EXTENSION_MODULE
#define VYR_EXTENSION_MODULE 0
#endif

// Adds a class to the registry that FromName searches; run by the IMPLEMENT_ macros. The
// classes of the library's module are searched only while that module is linked into the
// host's chain (InitVyrUI).
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* cls, int extensionModule = 0);
};

namespace vyr {
// Counts the links of the library's module in the chain (kept by CDynLinkLibrary).
void LinkLibraryClasses(int delta);
} // namespace vyr

class CObject
{
public:
    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}
    virtual void Dump(CDumpContext&) const {}
    virtual bool IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }
    BOOL IsKindOf(const CRuntimeClass* cls) const;

    static CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                    \
public:                                                \
    static CRuntimeClass class##class_name;            \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)   \
    DECLARE_DYNCREATE(class_name)    \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define VYR_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                        \
    CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class class_name), wSchema, \
                                                   pfnNew, RUNTIME_CLASS(base_class_name), nullptr};    \
    static AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name), VYR_EXTENSION_MODULE);          \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    VYR_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                  \
    CObject* class_name::CreateObject() { return new class_name; }        \
    VYR_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

// The archive operator reads any object and checks that it is a class_name.
#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                        \
    CObject* class_name::CreateObject() { return new class_name; }                                    \
    VYR_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)        \
    [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& pOb)                             \
    {                                                                                                 \
        pOb = (class_name*)ar.ReadObject(RUNTIME_CLASS(class_name));                                  \
        return ar;                                                                                    \
    }

#define DYNAMIC_DOWNCAST(class_name, object) \
    ((object) != nullptr && (object)->IsKindOf(RUNTIME_CLASS(class_name)) ? (class_name*)(object) : nullptr)
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
