// Archive helpers of the section library (internal).
#pragma once

#include "stdafx.h"
#include "archive.h"

class CMaterialBase;

namespace vyr::sec {

// Turns material pointers into references stored in a section file and back. The section
// library installs one while it reads or writes a file; without one materials are not kept.
class MaterialResolver
{
public:
    virtual ~MaterialResolver() = default;
    virtual int Ref(CMaterialBase* pMat) = 0;
    virtual CMaterialBase* Find(int nRef) = 0;
};

// Installs a resolver for the current thread for the lifetime of the guard.
class ResolverScope
{
public:
    explicit ResolverScope(MaterialResolver* p);
    ~ResolverScope();
    ResolverScope(const ResolverScope&) = delete;
    ResolverScope& operator=(const ResolverScope&) = delete;

private:
    MaterialResolver* m_pOld;
};

void StoreMaterial(CArchive& ar, CMaterialBase* pMat);
CMaterialBase* LoadMaterial(CArchive& ar);
// Reads a float or double and throws a corrupt-archive exception when it is not finite.
float LoadFloat(CArchive& ar);
double LoadDouble(CArchive& ar);
int LoadInt(CArchive& ar);
[[noreturn]] void ThrowCorrupt();

} // namespace vyr::sec
