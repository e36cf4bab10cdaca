// Archive helpers of the section library (internal).
#pragma once

#include <vyr/stdafx.h>
#include <vyr/archive.h>

class CMaterialBase;
class CSectionBase;

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

// One section with its type code and class: the class is stored by name, so a section whose
// code the factory does not know (codes of the section plug-ins, or none yet) and a component
// that was never given a code come back as what they were.
void StoreSection(CArchive& ar, CSectionBase* pSec);
// The section read, owned by the caller; throws a corrupt-archive exception (and leaks
// nothing) when the class is unknown or not a section, or the body does not match the code.
CSectionBase* LoadSection(CArchive& ar);

} // namespace vyr::sec
