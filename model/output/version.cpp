#include <vyr/model/output/version.h>

#include <vyr/vyr_version.h>

CVersion::~CVersion() = default;

CString CVersion::GetVersion() const
{
    CString s;
    if (m_dwBuild != 0)
        s.Format("%u.%u.%u.%u", (unsigned)m_dwMajor, (unsigned)m_dwMinor, (unsigned)m_dwPatch, (unsigned)m_dwBuild);
    else
        s.Format("%u.%u.%u", (unsigned)m_dwMajor, (unsigned)m_dwMinor, (unsigned)m_dwPatch);
    return s;
}

CVersionManager::CVersionManager()
    : m_verInner(VYR_VERSION_MAJOR, VYR_VERSION_MINOR, VYR_VERSION_PATCH, 0),
      m_verProduct(VYR_VERSION_MAJOR, VYR_VERSION_MINOR, VYR_VERSION_PATCH, 0)
{
}

CVersionManager& CVersionManager::Inst()
{
    static CVersionManager manager;
    return manager;
}
