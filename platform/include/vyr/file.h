// Files of the class library over the Linux file system. Paths are given in the
// application's Windows style and mapped by VyrMapPath (winfile.h); the path an object
// reports is the one it was given.
#pragma once

#include <cstdio>
#include <vector>

#include <vyr/ctime.h>
#include <vyr/cstring.h>
#include <vyr/exception.h>
#include <vyr/object.h>

struct CFileStatus
{
    CTime m_ctime;
    CTime m_mtime;
    CTime m_atime;
    LONG m_size = 0;
    BYTE m_attribute = 0;
    BYTE m_padding = 0;
    char m_szFullName[260] = {};
};

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = (int)0x8000
    };
    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };
    enum SeekPosition
    {
        begin = 0x0,
        current = 0x1,
        end = 0x2
    };
    enum
    {
        hFileNull = -1
    };

    CFile();
    explicit CFile(int hFile); // wraps an open descriptor, which the object then does not close
    // Opens or throws CFileException.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;
    CFile(const CFile&) = delete; // one owner per open file
    CFile& operator=(const CFile&) = delete;

    // FALSE on failure, with the cause in *pError when given. The share flags are accepted
    // and not enforced: the Linux file system has no such locks.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual LONG Seek(LONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    DWORD SeekToEnd() { return (DWORD)Seek(0, end); }
    virtual DWORD GetLength() const;
    virtual void SetLength(DWORD dwNewLen);
    virtual DWORD GetPosition() const;
    virtual void Flush();
    virtual void Close();
    virtual void Abort();
    BOOL IsOpen() const { return m_hFile != (UINT)hFileNull; }

    virtual CString GetFilePath() const { return m_strFileName; }
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual void SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }

    BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    // Throw CFileException on failure.
    static void Remove(LPCTSTR lpszFileName);
    static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);

    UINT m_hFile;

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

// A buffered text file. Lines end in "\n" when written; "\r\n" is accepted when read so
// that files made on Windows read the same. Bytes are passed through unchanged (UTF-8).
class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    explicit CStdioFile(FILE* pOpenStream);
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    LONG Seek(LONG lOff, UINT nFrom) override;
    DWORD GetLength() const override;
    DWORD GetPosition() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    // Writes the text as it is (no newline is added).
    virtual void WriteString(LPCTSTR lpsz);
    // Reads one line without its line end; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);
    // Reads up to nMax-1 characters of one line, keeping the "\n"; null at the end.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);

    FILE* m_pStream;
};

// Lists the entries of one folder whose names match a pattern with * and ?, compared
// without regard to case. "*.*" matches every name. Entries come in name order.
class CFileFind : public CObject
{
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind() = default;
    ~CFileFind() override = default;

    // Default pattern "*.*" in the current folder. FALSE when nothing matches.
    BOOL FindFile(LPCTSTR pstrName = nullptr, DWORD dwUnused = 0);
    // Moves to the next match; FALSE when the match it moved to is the last one.
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const;
    CString GetFilePath() const;
    CString GetFileTitle() const;
    CString GetFileURL() const;
    CString GetRoot() const;
    DWORD GetLength() const;
    BOOL GetLastWriteTime(CTime& refTime) const;

    BOOL IsDots() const;
    BOOL IsDirectory() const;
    BOOL IsReadOnly() const;
    BOOL IsHidden() const;
    BOOL IsArchived() const { return !IsDirectory(); }
    BOOL IsNormal() const { return !IsDirectory() && !IsReadOnly(); }
    BOOL MatchesMask(DWORD dwMask) const;

private:
    struct Entry
    {
        std::string name;
        bool dir = false;
        bool readOnly = false;
        DWORD size = 0;
        long long mtime = 0;
    };
    const Entry* Current() const;

    std::vector<Entry> m_entries;
    int m_next = 0;     // entries consumed by FindNextFile
    CString m_root;     // folder part of the pattern as given, without the trailing separator
    char m_sep = '\\';  // separator used to build paths in the caller's style
};
