// The class library's exceptions: thrown as pointers to heap objects and caught as
// `CException*`; the catcher calls Delete(). The TRY/CATCH macros delete the caught
// exception themselves at the end of the handler (unless it is thrown on), so code of both
// styles frees each exception exactly once.
#pragma once

#include <vyr/cstring.h>
#include <vyr/object.h>
#include <vyr/vyrdiag.h>

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    CException() = default;
    ~CException() override = default;

    // Frees the exception; inside a TRY/CATCH handler the macros free it instead.
    void Delete();
    // Copies a message for the user into the buffer (truncated, always terminated).
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;
    // The same message as a string.
    CString GetErrorMessage() const;
    // Shows the message in a message box (the text of nMessageID, or a general text, when
    // the exception has none) and returns the box's answer.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) const;

    // Set while a CATCH handler owns the exception (see VyrCatchGuard).
    bool m_bInHandler = false;
    bool m_bDeleteRequested = false;
};

class CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
    using CException::GetErrorMessage;
};

// Thrown after the user has been told what is wrong (a refused dialog field); carries no message.
class CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
    using CException::GetErrorMessage;
};

class CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
    using CException::GetErrorMessage;
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName)
    {
    }

    // OS errors of this platform are errno values.
    static int OsErrorToException(LONG lOsError);
    static int ErrnoToException(int nErrno);
    [[noreturn]] static void ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);
    [[noreturn]] static void ThrowErrno(int nErrno, LPCTSTR lpszFileName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
    using CException::GetErrorMessage;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        generic,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_strFileName(lpszArchiveName)
    {
    }

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
    using CException::GetErrorMessage;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);

// Owns the exception of one CATCH handler: frees it when the handler ends, unless the
// handler throws it on with THROW_LAST.
class VyrCatchGuard
{
public:
    explicit VyrCatchGuard(CException* e) : m_e(e)
    {
        if (m_e) m_e->m_bInHandler = true;
    }
    ~VyrCatchGuard();
    void Release()
    {
        if (m_e) m_e->m_bInHandler = false;
        m_e = nullptr;
    }
    VyrCatchGuard(const VyrCatchGuard&) = delete;
    VyrCatchGuard& operator=(const VyrCatchGuard&) = delete;

private:
    CException* m_e;
};

#define TRY try
#define CATCH(class_name, e)   \
    catch (class_name * e)     \
    {                          \
        VyrCatchGuard _vyrCatchGuard(e);
#define AND_CATCH(class_name, e) \
    }                            \
    catch (class_name * e)       \
    {                            \
        VyrCatchGuard _vyrCatchGuard(e);
#define END_CATCH }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) AND_CATCH(CException, e)
#define END_CATCH_ALL }
#define THROW(e) throw e
#define THROW_LAST()               \
    do {                           \
        _vyrCatchGuard.Release();  \
        throw;                     \
    } while (0)
