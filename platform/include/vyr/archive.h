// Binary serialisation in the class library's stream format, so that files exchange with
// the other programs of the application: integers and floating point little-endian,
// strings as a length prefix and their GBK bytes, objects by class tag (a new class as
// 0xFFFF, schema and name; later references by index) and object references by index.
// Reading a truncated or corrupt stream throws CArchiveException; it never reads past the
// data.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include <vyr/cstring.h>
#include <vyr/exception.h>
#include <vyr/file.h>
#include <vyr/object.h>

// Set in a class's schema to let it read older schemas (ask GetObjectSchema).
#define VERSIONABLE_SCHEMA (0x80000000)

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2,
        bNoByteSwap = 4
    };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    CFile* GetFile() const { return m_pFile; }

    // Raw bytes. Read returns how many it got (fewer at the end of the data).
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Writes pending bytes to the file.
    void Flush();
    // Flushes and detaches from the file, which stays open.
    void Close();
    // Detaches without writing pending bytes.
    void Abort();

    // Element counts: a WORD, or 0xFFFF and a DWORD for large counts.
    void WriteCount(DWORD dwCount);
    DWORD ReadCount();

    void WriteObject(const CObject* pOb);
    // Reads an object (or a reference to one read before, or null); it must be of the
    // requested class or derived from it when one is given.
    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    // The schema of the object being read; (UINT)-1 when asked twice.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }
    // Registers an object as already written/read so that references to it are by index.
    void MapObject(const CObject* pOb);

    // Whether every byte of the stream has been consumed (loading only).
    BOOL IsBufferEmpty() const { return m_nBufPos >= m_buf.size(); }

    CArchive& operator<<(BYTE by) { return PutLE(by, 1); }
    CArchive& operator<<(WORD w) { return PutLE(w, 2); }
    CArchive& operator<<(LONG l) { return PutLE((DWORD)l, 4); }
    CArchive& operator<<(DWORD dw) { return PutLE(dw, 4); }
    CArchive& operator<<(short s) { return PutLE((WORD)s, 2); }
    CArchive& operator<<(char ch) { return PutLE((BYTE)ch, 1); }
    CArchive& operator<<(signed char ch) { return PutLE((BYTE)ch, 1); }
    // Windows' long is 32 bits: stored in 4 bytes.
    CArchive& operator<<(long l) { return PutLE((DWORD)l, 4); }
    CArchive& operator<<(unsigned long l) { return PutLE((DWORD)l, 4); }
    CArchive& operator<<(long long l) { return PutLE((unsigned long long)l, 8); }
    CArchive& operator<<(unsigned long long l) { return PutLE(l, 8); }
    // bool is stored like BOOL, as an int.
    CArchive& operator<<(bool b) { return PutLE((DWORD)(b ? 1 : 0), 4); }
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);

    CArchive& operator>>(BYTE& by) { by = (BYTE)GetLE(1); return *this; }
    CArchive& operator>>(WORD& w) { w = (WORD)GetLE(2); return *this; }
    CArchive& operator>>(LONG& l) { l = (LONG)(DWORD)GetLE(4); return *this; }
    CArchive& operator>>(DWORD& dw) { dw = (DWORD)GetLE(4); return *this; }
    CArchive& operator>>(short& s) { s = (short)(WORD)GetLE(2); return *this; }
    CArchive& operator>>(char& ch) { ch = (char)(BYTE)GetLE(1); return *this; }
    CArchive& operator>>(signed char& ch) { ch = (signed char)(BYTE)GetLE(1); return *this; }
    CArchive& operator>>(long& l) { l = (LONG)(DWORD)GetLE(4); return *this; }
    CArchive& operator>>(unsigned long& l) { l = (DWORD)GetLE(4); return *this; }
    CArchive& operator>>(long long& l) { l = (long long)GetLE(8); return *this; }
    CArchive& operator>>(unsigned long long& l) { l = GetLE(8); return *this; }
    CArchive& operator>>(bool& b) { b = GetLE(4) != 0; return *this; }
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);

    // int and UINT are LONG and DWORD here (all 32 bits), so the overloads above serve them.

    // Strings: converted to GBK here, at the file boundary.
    CArchive& operator<<(const CString& s);
    CArchive& operator>>(CString& s);
    // A literal would otherwise convert to bool.
    CArchive& operator<<(const char* psz) { return *this << CString(psz); }

    CArchive& operator<<(const CObject* pOb) { WriteObject(pOb); return *this; }
    CArchive& operator>>(CObject*& pOb) { pOb = ReadObject(nullptr); return *this; }
    CArchive& operator>>(const CObject*& pOb) { pOb = ReadObject(nullptr); return *this; }

    // Not used by the library; kept for code that passes the document along.
    void* m_pDocument = nullptr;

private:
    CArchive& PutLE(unsigned long long v, int nBytes);
    unsigned long long GetLE(int nBytes);
    // Reads exactly nCount bytes or throws endOfFile.
    void ReadExact(void* lpBuf, UINT nCount);
    bool FillBuffer();
    [[noreturn]] void Fail(int cause) const;

    CFile* m_pFile;
    UINT m_nMode;
    UINT m_nBufSize;
    std::vector<BYTE> m_buf;
    size_t m_nBufPos = 0; // loading: next unread byte of m_buf
    bool m_bEof = false;  // loading: the file has no more bytes

    UINT m_nObjectSchema = (UINT)-1;
    // Storing: index of each object and class written. Loading: what each index names.
    DWORD m_nMapCount = 1; // index 0 is the null reference
    std::unordered_map<const void*, DWORD> m_storeMap;
    struct LoadEntry
    {
        CObject* pOb;
        CRuntimeClass* pClass;
        UINT nSchema;
    };
    std::vector<LoadEntry> m_loadArray;
};

// Points, sizes and rectangles as their LONG members in order.
inline CArchive& operator<<(CArchive& ar, const POINT& pt) { return ar << pt.x << pt.y; }
inline CArchive& operator<<(CArchive& ar, const SIZE& sz) { return ar << sz.cx << sz.cy; }
inline CArchive& operator<<(CArchive& ar, const RECT& rc) { return ar << rc.left << rc.top << rc.right << rc.bottom; }
inline CArchive& operator>>(CArchive& ar, POINT& pt) { return ar >> pt.x >> pt.y; }
inline CArchive& operator>>(CArchive& ar, SIZE& sz) { return ar >> sz.cx >> sz.cy; }
inline CArchive& operator>>(CArchive& ar, RECT& rc) { return ar >> rc.left >> rc.top >> rc.right >> rc.bottom; }
