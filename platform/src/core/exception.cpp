#include <vyr/exception.h>

#include <cerrno>
#include <cstring>

#include <vyr/msgbox.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {
BOOL CopyMessage(const std::string& msg, LPTSTR buf, UINT nMax, UINT* pnHelp)
{
    if (pnHelp) *pnHelp = 0;
    if (!buf || nMax == 0) return FALSE;
    size_t n = msg.size() < nMax - 1 ? msg.size() : nMax - 1;
    // Never cut a UTF-8 sequence in two.
    while (n > 0 && n < msg.size() && ((unsigned char)msg[n] & 0xC0) == 0x80) n--;
    std::memcpy(buf, msg.data(), n);
    buf[n] = '\0';
    return TRUE;
}

std::string WithName(const char* what, const CString& name)
{
    if (name.IsEmpty()) return what;
    return std::string(what) + " " + name.str();
}
} // namespace

void CException::Delete()
{
    if (m_bInHandler) {
        m_bDeleteRequested = true; // the CATCH macros free it when the handler ends
        return;
    }
    delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    return CopyMessage("发生未知错误。", lpszError, nMaxError, pnHelpContext);
}

CString CException::GetErrorMessage() const
{
    char buf[1024];
    GetErrorMessage(buf, sizeof buf);
    return CString(buf);
}

int CException::ReportError(UINT nType, UINT nMessageID) const
{
    char buf[1024];
    if (GetErrorMessage(buf, sizeof buf) && buf[0] != '\0') return AfxMessageBox(buf, nType);
    if (nMessageID != 0) return AfxMessageBox(nMessageID, nType);
    return AfxMessageBox("发生未知错误。", nType);
}

BOOL CUserException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    // The user has been told already.
    CopyMessage("", lpszError, nMaxError, pnHelpContext);
    return FALSE;
}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    return CopyMessage("内存不足。", lpszError, nMaxError, pnHelpContext);
}

BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    return CopyMessage("不支持此操作。", lpszError, nMaxError, pnHelpContext);
}

int CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST: return accessDenied;
    case EBADF: return invalidFile;
    case EBUSY: return sharingViolation;
    case ENOSPC:
    case EFBIG:
    case EDQUOT: return diskFull;
    case EINVAL:
    case ESPIPE: return badSeek;
    case EIO: return hardIO;
    case ENOTEMPTY: return removeCurrentDir;
    default: return generic;
    }
}

int CFileException::OsErrorToException(LONG lOsError) { return ErrnoToException((int)lOsError); }

void CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0) AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
    AfxThrowFileException(generic, lOsError, lpszFileName);
}

void CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    if (nErrno != 0) AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
    AfxThrowFileException(generic, nErrno, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    const char* what = "访问文件时发生错误:";
    switch (m_cause) {
    case none: what = "没有错误:"; break;
    case fileNotFound: what = "找不到文件:"; break;
    case badPath: what = "路径无效:"; break;
    case tooManyOpenFiles: what = "打开的文件太多:"; break;
    case accessDenied: what = "拒绝访问文件:"; break;
    case invalidFile: what = "无效的文件句柄:"; break;
    case removeCurrentDir: what = "无法删除文件夹:"; break;
    case directoryFull: what = "文件夹已满:"; break;
    case badSeek: what = "文件定位错误:"; break;
    case hardIO: what = "读写文件时发生硬件错误:"; break;
    case sharingViolation: what = "文件共享冲突:"; break;
    case lockViolation: what = "文件锁定冲突:"; break;
    case diskFull: what = "磁盘已满:"; break;
    case endOfFile: what = "读取时超出文件末尾:"; break;
    default: break;
    }
    return CopyMessage(WithName(what, m_strFileName), lpszError, nMaxError, pnHelpContext);
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    const char* what = "存档时发生错误:";
    switch (m_cause) {
    case none: what = "没有错误:"; break;
    case readOnly: what = "试图写入只读的存档:"; break;
    case endOfFile: what = "读取时超出文件末尾:"; break;
    case writeOnly: what = "试图读取只写的存档:"; break;
    case badIndex: what = "文件格式无效:"; break;
    case badClass: what = "文件中含有未知的对象类:"; break;
    case badSchema: what = "文件中含有不兼容的对象版本:"; break;
    default: break;
    }
    return CopyMessage(WithName(what, m_strFileName), lpszError, nMaxError, pnHelpContext);
}

void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowUserException() { throw new CUserException; }
void AfxThrowNotSupportedException() { throw new CNotSupportedException; }

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

VyrCatchGuard::~VyrCatchGuard()
{
    if (m_e) {
        m_e->m_bInHandler = false;
        delete m_e;
    }
}
