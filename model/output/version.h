// Version records. The inner version is the project's own version from the build.
#pragma once

#include <map>

#include <vyr/stdafx.h>

class CVersion
{
public:
    CVersion() = default;
    CVersion(DWORD major, DWORD minor, DWORD patch, DWORD build)
        : m_dwMajor(major), m_dwMinor(minor), m_dwPatch(patch), m_dwBuild(build)
    {
    }
    CVersion(const CVersion& v) = default;
    ~CVersion();

    CVersion& operator=(const CVersion& v) = default;

    // "major.minor.patch", with ".build" when the build number is not 0.
    CString GetVersion() const;

    DWORD m_dwMajor = 0;
    DWORD m_dwMinor = 0;
    DWORD m_dwPatch = 0;
    DWORD m_dwBuild = 0;
};

class CVersionManager
{
public:
    CVersionManager();
    CVersionManager(const CVersionManager& m) = default;
    CVersionManager& operator=(const CVersionManager& m) = default;

    // The one version manager of the process.
    static CVersionManager& Inst();

    // The version printed by the report headers.
    CVersion GetInnerVersion() const { return m_verInner; }

private:
    CVersion m_verInner;
    CVersion m_verProduct;
    std::map<CString, CVersion> m_mapModule;
    std::map<CString, CVersion> m_mapFile;
};
