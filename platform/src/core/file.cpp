#include <vyr/file.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include <vyr/gbk.h>
#include <vyr/winfile.h>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)
IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace {
// Index just after the last separator of either kind.
size_t NameStart(const std::string& s)
{
    size_t p = s.find_last_of("\\/");
    if (p == std::string::npos) {
        if (s.size() >= 2 && s[1] == ':') return 2;
        return 0;
    }
    return p + 1;
}

std::string TitleOf(const std::string& name)
{
    size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

void FillStatus(const struct stat& st, const std::string& fullName, const std::string& linuxName, CFileStatus& rs)
{
    rs.m_ctime = CTime(st.st_ctime);
    rs.m_mtime = CTime(st.st_mtime);
    rs.m_atime = CTime(st.st_atime);
    rs.m_size = (LONG)st.st_size;
    BYTE a = 0;
    if (S_ISDIR(st.st_mode)) a |= CFile::directory;
    if (::access(linuxName.c_str(), W_OK) != 0) a |= CFile::readOnly;
    rs.m_attribute = a;
    size_t n = std::min(fullName.size(), sizeof rs.m_szFullName - 1);
    std::memcpy(rs.m_szFullName, fullName.data(), n);
    rs.m_szFullName[n] = '\0';
}

// '*' any run, '?' one character (a whole UTF-8 sequence); ASCII letters in any case.
bool WildMatch(const char* pat, const char* s)
{
    while (*pat) {
        if (*pat == '*') {
            while (*pat == '*') pat++;
            if (!*pat) return true;
            for (const char* t = s;; t++) {
                if (WildMatch(pat, t)) return true;
                if (!*t) return false;
            }
        }
        if (!*s) return false;
        if (*pat == '?') {
            int n = vyr::Utf8SeqLen((unsigned char)*s);
            for (int i = 0; i < n && *s; i++) s++;
            pat++;
            continue;
        }
        unsigned char a = (unsigned char)*pat, b = (unsigned char)*s;
        if (a < 0x80 && b < 0x80 ? std::tolower(a) != std::tolower(b) : a != b) return false;
        pat++;
        s++;
    }
    return *s == '\0';
}

bool PatternMatches(const std::string& pat, const std::string& name)
{
    // "*.*" matches every name, with or without an extension, as Windows does; so does
    // any pattern ending in ".*" for the part before it.
    if (pat.size() >= 2 && pat.compare(pat.size() - 2, 2, ".*") == 0) {
        std::string stem = pat.substr(0, pat.size() - 2);
        if (WildMatch(stem.c_str(), name.c_str())) return true;
    }
    return WildMatch(pat.c_str(), name.c_str());
}
} // namespace

// ---------------------------------------------------------------------------------------
// CFile

CFile::CFile() : m_hFile((UINT)hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(int hFile) : m_hFile((UINT)hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile((UINT)hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != (UINT)hFileNull && m_bCloseOnDelete) Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    VYR_CHECK(m_hFile == (UINT)hFileNull, "CFile::Open on an open file");
    m_strFileName = lpszFileName;
    int flags = 0;
    switch (nOpenFlags & 3) {
    case modeRead: flags = O_RDONLY; break;
    case modeWrite: flags = O_WRONLY; break;
    case modeReadWrite: flags = O_RDWR; break;
    default:
        if (pError) *pError = CFileException(CFileException::generic, EINVAL, lpszFileName);
        return FALSE;
    }
    if (nOpenFlags & modeCreate) {
        flags |= O_CREAT;
        if (!(nOpenFlags & modeNoTruncate)) flags |= O_TRUNC;
    }
    flags |= O_CLOEXEC;
    std::string path = VyrMapPath(lpszFileName);
    int fd = path.empty() ? -1 : ::open(path.c_str(), flags, 0666);
    int err = path.empty() ? ENOENT : errno;
    if (fd >= 0) {
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) { // Windows refuses to open a folder
            ::close(fd);
            fd = -1;
            err = EACCES;
        }
    }
    if (fd < 0) {
        if (pError) *pError = CFileException(CFileException::ErrnoToException(err), err, lpszFileName);
        return FALSE;
    }
    m_hFile = (UINT)fd;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    VYR_CHECK(IsOpen(), "CFile::Read on a closed file");
    if (nCount == 0) return 0;
    VYR_CHECK(lpBuf != nullptr, "CFile::Read into null");
    UINT done = 0;
    while (done < nCount) {
        ssize_t n = ::read((int)m_hFile, (char*)lpBuf + done, nCount - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            CFileException::ThrowErrno(errno == EBADF ? EACCES : errno, m_strFileName); // wrong direction
        }
        if (n == 0) break;
        done += (UINT)n;
    }
    return done;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    VYR_CHECK(IsOpen(), "CFile::Write on a closed file");
    if (nCount == 0) return;
    VYR_CHECK(lpBuf != nullptr, "CFile::Write from null");
    UINT done = 0;
    while (done < nCount) {
        ssize_t n = ::write((int)m_hFile, (const char*)lpBuf + done, nCount - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            CFileException::ThrowErrno(errno == EBADF ? EACCES : errno, m_strFileName); // wrong direction
        }
        if (n == 0) AfxThrowFileException(CFileException::diskFull, ENOSPC, m_strFileName);
        done += (UINT)n;
    }
}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
    VYR_CHECK(IsOpen(), "CFile::Seek on a closed file");
    int whence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    off_t r = ::lseek((int)m_hFile, (off_t)lOff, whence);
    if (r < 0) CFileException::ThrowErrno(errno, m_strFileName);
    return (LONG)r;
}

DWORD CFile::GetLength() const
{
    VYR_CHECK(IsOpen(), "CFile::GetLength on a closed file");
    struct stat st;
    if (::fstat((int)m_hFile, &st) != 0) CFileException::ThrowErrno(errno, m_strFileName);
    return (DWORD)st.st_size;
}

void CFile::SetLength(DWORD dwNewLen)
{
    VYR_CHECK(IsOpen(), "CFile::SetLength on a closed file");
    if (::ftruncate((int)m_hFile, (off_t)dwNewLen) != 0) CFileException::ThrowErrno(errno, m_strFileName);
}

DWORD CFile::GetPosition() const
{
    VYR_CHECK(IsOpen(), "CFile::GetPosition on a closed file");
    off_t r = ::lseek((int)m_hFile, 0, SEEK_CUR);
    if (r < 0) CFileException::ThrowErrno(errno, m_strFileName);
    return (DWORD)r;
}

void CFile::Flush()
{
    // Writes go straight to the system; nothing is held here.
}

void CFile::Close()
{
    int err = 0;
    if (m_hFile != (UINT)hFileNull && m_bCloseOnDelete) {
        if (::close((int)m_hFile) != 0) err = errno;
    }
    m_hFile = (UINT)hFileNull;
    m_bCloseOnDelete = FALSE;
    if (err != 0) CFileException::ThrowErrno(err, m_strFileName);
}

void CFile::Abort()
{
    if (m_hFile != (UINT)hFileNull && m_bCloseOnDelete) ::close((int)m_hFile);
    m_hFile = (UINT)hFileNull;
    m_bCloseOnDelete = FALSE;
}

CString CFile::GetFileName() const
{
    const std::string& s = m_strFileName.str();
    return CString(s.substr(NameStart(s)));
}

CString CFile::GetFileTitle() const { return CString(TitleOf(GetFileName().str())); }

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    if (!IsOpen()) return FALSE;
    struct stat st;
    if (::fstat((int)m_hFile, &st) != 0) return FALSE;
    FillStatus(st, m_strFileName.str(), VyrMapPath(m_strFileName), rStatus);
    return TRUE;
}

BOOL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    std::string p = VyrMapPath(lpszFileName);
    struct stat st;
    if (p.empty() || ::stat(p.c_str(), &st) != 0) return FALSE;
    FillStatus(st, lpszFileName, p, rStatus);
    return TRUE;
}

void CFile::Remove(LPCTSTR lpszFileName)
{
    if (!DeleteFile(lpszFileName)) {
        std::string p = VyrMapPath(lpszFileName);
        struct stat st;
        int e = ::lstat(p.c_str(), &st) != 0 ? errno : EACCES;
        CFileException::ThrowErrno(e, lpszFileName);
    }
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    std::string a = VyrMapPath(lpszOldName), b = VyrMapPath(lpszNewName);
    if (::rename(a.c_str(), b.c_str()) != 0) CFileException::ThrowErrno(errno, lpszOldName);
}

// ---------------------------------------------------------------------------------------
// CStdioFile

CStdioFile::CStdioFile() : m_pStream(nullptr) {}

CStdioFile::CStdioFile(FILE* pOpenStream) : CFile(pOpenStream ? ::fileno(pOpenStream) : (int)hFileNull), m_pStream(pOpenStream) {}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_pStream(nullptr)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream && m_bCloseOnDelete) Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    VYR_CHECK(m_pStream == nullptr, "CStdioFile::Open on an open file");
    // Open the descriptor the way CFile does (same create/truncate rules), then wrap it.
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pError)) return FALSE;
    const char* mode = "r";
    switch (nOpenFlags & 3) {
    case modeWrite: mode = "w"; break;
    case modeReadWrite: mode = "r+"; break;
    default: break;
    }
    m_pStream = ::fdopen((int)m_hFile, mode);
    if (!m_pStream) {
        int err = errno;
        CFile::Abort();
        if (pError) *pError = CFileException(CFileException::ErrnoToException(err), err, lpszFileName);
        return FALSE;
    }
    return TRUE;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    VYR_CHECK(m_pStream != nullptr, "CStdioFile::Read on a closed file");
    if (nCount == 0) return 0;
    size_t n = std::fread(lpBuf, 1, nCount, m_pStream);
    if (n < nCount && std::ferror(m_pStream)) {
        std::clearerr(m_pStream);
        CFileException::ThrowErrno(errno ? errno : EIO, m_strFileName);
    }
    return (UINT)n;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    VYR_CHECK(m_pStream != nullptr, "CStdioFile::Write on a closed file");
    if (nCount == 0) return;
    if (std::fwrite(lpBuf, 1, nCount, m_pStream) != nCount) {
        int e = errno ? errno : ENOSPC;
        std::clearerr(m_pStream);
        CFileException::ThrowErrno(e, m_strFileName);
    }
}

LONG CStdioFile::Seek(LONG lOff, UINT nFrom)
{
    VYR_CHECK(m_pStream != nullptr, "CStdioFile::Seek on a closed file");
    int whence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    if (std::fseek(m_pStream, lOff, whence) != 0) CFileException::ThrowErrno(errno, m_strFileName);
    return (LONG)std::ftell(m_pStream);
}

DWORD CStdioFile::GetLength() const
{
    VYR_CHECK(m_pStream != nullptr, "CStdioFile::GetLength on a closed file");
    std::fflush(m_pStream);
    return CFile::GetLength();
}

DWORD CStdioFile::GetPosition() const
{
    VYR_CHECK(m_pStream != nullptr, "CStdioFile::GetPosition on a closed file");
    long r = std::ftell(m_pStream);
    if (r < 0) CFileException::ThrowErrno(errno, m_strFileName);
    return (DWORD)r;
}

void CStdioFile::Flush()
{
    if (m_pStream && std::fflush(m_pStream) != 0) CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Close()
{
    int err = 0;
    if (m_pStream) {
        if (m_bCloseOnDelete) {
            if (std::fclose(m_pStream) != 0) err = errno;
        } else
            std::fflush(m_pStream);
    }
    m_pStream = nullptr;
    m_hFile = (UINT)hFileNull;
    m_bCloseOnDelete = FALSE;
    if (err != 0) CFileException::ThrowErrno(err, m_strFileName);
}

void CStdioFile::Abort()
{
    if (m_pStream && m_bCloseOnDelete) std::fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = (UINT)hFileNull;
    m_bCloseOnDelete = FALSE;
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    VYR_CHECK(lpsz != nullptr, "WriteString of null");
    Write(lpsz, (UINT)std::strlen(lpsz));
}

BOOL CStdioFile::ReadString(CString& rString)
{
    VYR_CHECK(m_pStream != nullptr, "CStdioFile::ReadString on a closed file");
    std::string line;
    int c;
    bool any = false;
    while ((c = std::fgetc(m_pStream)) != EOF) {
        any = true;
        if (c == '\n') break;
        line += (char)c;
    }
    if (c == EOF && std::ferror(m_pStream)) {
        std::clearerr(m_pStream);
        CFileException::ThrowErrno(errno ? errno : EIO, m_strFileName);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    rString = std::move(line);
    return any ? TRUE : FALSE;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    VYR_CHECK(m_pStream != nullptr, "CStdioFile::ReadString on a closed file");
    VYR_CHECK(lpsz != nullptr && nMax > 0, "ReadString into an empty buffer");
    if (!std::fgets(lpsz, (int)nMax, m_pStream)) {
        lpsz[0] = '\0';
        return nullptr;
    }
    size_t n = std::strlen(lpsz);
    if (n >= 2 && lpsz[n - 2] == '\r' && lpsz[n - 1] == '\n') {
        lpsz[n - 2] = '\n';
        lpsz[n - 1] = '\0';
    }
    return lpsz;
}

// ---------------------------------------------------------------------------------------
// CFileFind

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD)
{
    Close();
    std::string pattern = pstrName && *pstrName ? pstrName : "*.*";
    size_t ns = NameStart(pattern);
    std::string namePat = pattern.substr(ns);
    std::string root = pattern.substr(0, ns);
    m_sep = root.find('/') != std::string::npos && root.find('\\') == std::string::npos ? '/' : '\\';
    // Keep "C:\" and "\" whole; drop the separator otherwise.
    if (root.size() > 1 && (root.back() == '\\' || root.back() == '/') && root != "\\" && !(root.size() == 3 && root[1] == ':'))
        root.pop_back();
    m_root = root;
    std::string dir = root.empty() ? std::string(".") : VyrMapPath(root.c_str());
    if (namePat.empty()) return FALSE;

    DIR* d = ::opendir(dir.c_str());
    if (!d) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (!PatternMatches(namePat, name)) continue;
        Entry en;
        en.name = name;
        std::string full = dir + "/" + name;
        struct stat st;
        if (::stat(full.c_str(), &st) == 0) {
            en.dir = S_ISDIR(st.st_mode);
            en.size = (DWORD)st.st_size;
            en.mtime = (long long)st.st_mtime;
            en.readOnly = ::access(full.c_str(), W_OK) != 0;
        }
        m_entries.push_back(std::move(en));
    }
    ::closedir(d);
    std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        auto rank = [](const std::string& s) { return s == "." ? 0 : s == ".." ? 1 : 2; };
        if (rank(a.name) != rank(b.name)) return rank(a.name) < rank(b.name);
        int c = strcasecmp(a.name.c_str(), b.name.c_str());
        return c != 0 ? c < 0 : a.name < b.name;
    });
    if (m_entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    // Past the last match it keeps the last one and answers FALSE again.
    if (m_next >= (int)m_entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    m_next++;
    return m_next < (int)m_entries.size();
}

void CFileFind::Close()
{
    m_entries.clear();
    m_next = 0;
    m_root.Empty();
}

const CFileFind::Entry* CFileFind::Current() const
{
    VYR_CHECK(m_next > 0 && m_next <= (int)m_entries.size(), "CFileFind used before FindNextFile");
    return &m_entries[(size_t)m_next - 1];
}

CString CFileFind::GetFileName() const { return CString(Current()->name); }

CString CFileFind::GetFilePath() const
{
    const std::string& name = Current()->name;
    std::string r = m_root.str();
    if (r.empty()) return CString(name);
    if (r.back() == '\\' || r.back() == '/' || (r.size() == 2 && r[1] == ':')) return CString(r + name);
    return CString(r + m_sep + name);
}

CString CFileFind::GetFileTitle() const { return CString(TitleOf(Current()->name)); }
CString CFileFind::GetFileURL() const { return "file://" + GetFilePath(); }
CString CFileFind::GetRoot() const { return m_root; }
DWORD CFileFind::GetLength() const { return Current()->size; }

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    refTime = CTime((std::time_t)Current()->mtime);
    return TRUE;
}

BOOL CFileFind::IsDots() const
{
    const std::string& n = Current()->name;
    return n == "." || n == "..";
}
BOOL CFileFind::IsDirectory() const { return Current()->dir; }
BOOL CFileFind::IsReadOnly() const { return Current()->readOnly; }
BOOL CFileFind::IsHidden() const
{
    const std::string& n = Current()->name;
    return !n.empty() && n[0] == '.' && n != "." && n != "..";
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    DWORD a = 0;
    if (IsDirectory()) a |= FILE_ATTRIBUTE_DIRECTORY;
    if (IsReadOnly()) a |= FILE_ATTRIBUTE_READONLY;
    if (IsHidden()) a |= FILE_ATTRIBUTE_HIDDEN;
    if (!IsDirectory()) a |= FILE_ATTRIBUTE_ARCHIVE;
    return (a & dwMask) != 0;
}
