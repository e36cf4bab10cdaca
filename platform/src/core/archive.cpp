#include <vyr/archive.h>

#include <cstring>

#include <vyr/gbk.h>

namespace {
constexpr WORD wNullTag = 0;
constexpr WORD wNewClassTag = 0xFFFF;
constexpr WORD wClassTag = 0x8000;
constexpr DWORD dwBigClassTag = 0x80000000;
constexpr WORD wBigObjectTag = 0x7FFF;
constexpr DWORD nMaxMapCount = 0x3FFFFFFE;
constexpr size_t nMaxClassName = 64;
} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_pFile(pFile), m_nMode(nMode), m_nBufSize(nBufSize < 128 ? 128u : (UINT)nBufSize)
{
    VYR_CHECK(pFile != nullptr, "CArchive over a null file");
    if (IsStoring()) m_buf.reserve(m_nBufSize);
    else
        m_loadArray.push_back({nullptr, nullptr, 0}); // index 0: null
}

CArchive::~CArchive()
{
    if (m_pFile && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
    m_pFile = nullptr;
}

void CArchive::Fail(int cause) const
{
    AfxThrowArchiveException(cause, m_pFile ? m_pFile->GetFilePath().GetString() : nullptr);
}

bool CArchive::FillBuffer()
{
    if (m_bEof) return false;
    // Keep unread bytes, then append what the file gives.
    if (m_nBufPos > 0) {
        m_buf.erase(m_buf.begin(), m_buf.begin() + (std::ptrdiff_t)m_nBufPos);
        m_nBufPos = 0;
    }
    size_t old = m_buf.size();
    m_buf.resize(old + m_nBufSize);
    UINT n = m_pFile->Read(m_buf.data() + old, m_nBufSize);
    m_buf.resize(old + n);
    if (n == 0) m_bEof = true;
    return n > 0;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    VYR_CHECK(m_pFile != nullptr, "CArchive::Read after Close");
    if (!IsLoading()) Fail(CArchiveException::writeOnly);
    BYTE* out = (BYTE*)lpBuf;
    UINT done = 0;
    while (done < nMax) {
        if (m_nBufPos >= m_buf.size() && !FillBuffer()) break;
        size_t avail = m_buf.size() - m_nBufPos;
        size_t n = avail < (size_t)(nMax - done) ? avail : (size_t)(nMax - done);
        std::memcpy(out + done, m_buf.data() + m_nBufPos, n);
        m_nBufPos += n;
        done += (UINT)n;
    }
    return done;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount) Fail(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    VYR_CHECK(m_pFile != nullptr, "CArchive::Write after Close");
    if (!IsStoring()) Fail(CArchiveException::readOnly);
    if (nMax == 0) return;
    const BYTE* p = (const BYTE*)lpBuf;
    m_buf.insert(m_buf.end(), p, p + nMax);
    if (m_buf.size() >= m_nBufSize) Flush();
}

void CArchive::Flush()
{
    if (!m_pFile || !IsStoring() || m_buf.empty()) return;
    std::vector<BYTE> pending;
    pending.swap(m_buf);
    m_buf.reserve(m_nBufSize);
    m_pFile->Write(pending.data(), (UINT)pending.size());
}

void CArchive::Close()
{
    if (!m_pFile) return;
    CFile* pFile = m_pFile;
    if (IsLoading()) {
        // Give back what was read ahead, so that the file stands just after the archive.
        size_t unread = m_buf.size() - m_nBufPos;
        m_buf.clear();
        m_nBufPos = 0;
        m_pFile = nullptr;
        if (unread > 0) pFile->Seek(-(LONG)unread, CFile::current);
        return;
    }
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_buf.clear();
    m_pFile = nullptr;
}

CArchive& CArchive::PutLE(unsigned long long v, int nBytes)
{
    BYTE b[8];
    for (int i = 0; i < nBytes; i++) b[i] = (BYTE)(v >> (8 * i));
    Write(b, (UINT)nBytes);
    return *this;
}

unsigned long long CArchive::GetLE(int nBytes)
{
    BYTE b[8];
    ReadExact(b, (UINT)nBytes);
    unsigned long long v = 0;
    for (int i = 0; i < nBytes; i++) v |= (unsigned long long)b[i] << (8 * i);
    return v;
}

CArchive& CArchive::operator<<(float f)
{
    DWORD bits;
    std::memcpy(&bits, &f, 4);
    return PutLE(bits, 4);
}

CArchive& CArchive::operator<<(double d)
{
    unsigned long long bits;
    std::memcpy(&bits, &d, 8);
    return PutLE(bits, 8);
}

CArchive& CArchive::operator>>(float& f)
{
    DWORD bits = (DWORD)GetLE(4);
    std::memcpy(&f, &bits, 4);
    return *this;
}

CArchive& CArchive::operator>>(double& d)
{
    unsigned long long bits = GetLE(8);
    std::memcpy(&d, &bits, 8);
    return *this;
}

// Stored as GBK: the other programs of the application read and write these files.
CArchive& CArchive::operator<<(const CString& s)
{
    std::string gbk = vyr::Utf8ToGbk(s.str());
    size_t len = gbk.size();
    if (len < 255)
        *this << (BYTE)len;
    else if (len < 0xFFFE) {
        *this << (BYTE)0xFF;
        *this << (WORD)len;
    } else {
        *this << (BYTE)0xFF;
        *this << (WORD)0xFFFF;
        *this << (DWORD)len;
    }
    Write(gbk.data(), (UINT)len);
    return *this;
}

CArchive& CArchive::operator>>(CString& s)
{
    BYTE b;
    *this >> b;
    DWORD len = b;
    bool wide = false;
    if (b == 0xFF) {
        WORD w;
        *this >> w;
        if (w == 0xFFFE) {
            // Marker of a string written by a Unicode build: a second prefix counts UTF-16 units.
            wide = true;
            *this >> b;
            len = b;
            if (b == 0xFF) {
                *this >> w;
                len = w;
                if (w == 0xFFFF) *this >> len;
            }
        } else if (w == 0xFFFF)
            *this >> len;
        else
            len = w;
    }
    // Read in chunks so that a corrupt length cannot allocate beyond the data.
    std::string bytes;
    unsigned long long total = wide ? 2ull * len : len;
    char chunk[4096];
    while (total > 0) {
        UINT n = total < sizeof chunk ? (UINT)total : (UINT)sizeof chunk;
        ReadExact(chunk, n);
        bytes.append(chunk, n);
        total -= n;
    }
    if (!wide) {
        s = vyr::GbkToUtf8(bytes);
        return *this;
    }
    std::string out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t u = (BYTE)bytes[i] | ((char32_t)(BYTE)bytes[i + 1] << 8);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
            char32_t lo = (BYTE)bytes[i + 2] | ((char32_t)(BYTE)bytes[i + 3] << 8);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                u = 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00);
                i += 2;
            } else
                u = 0xFFFD;
        } else if (u >= 0xD800 && u <= 0xDFFF)
            u = 0xFFFD;
        vyr::Utf8Append(out, u);
    }
    s = std::move(out);
    return *this;
}

void CArchive::WriteCount(DWORD dwCount)
{
    if (dwCount < 0xFFFF)
        *this << (WORD)dwCount;
    else {
        *this << (WORD)0xFFFF;
        *this << dwCount;
    }
}

DWORD CArchive::ReadCount()
{
    WORD w;
    *this >> w;
    if (w != 0xFFFF) return w;
    DWORD dw;
    *this >> dw;
    return dw;
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring()) {
        if (pOb && m_storeMap.find(pOb) == m_storeMap.end()) m_storeMap.emplace(pOb, m_nMapCount++);
    } else {
        m_loadArray.push_back({const_cast<CObject*>(pOb), nullptr, 0});
        m_nMapCount++;
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    VYR_CHECK(pClassRef != nullptr, "WriteClass of a null class");
    if (!IsStoring()) Fail(CArchiveException::readOnly);
    VYR_CHECK(pClassRef->m_wSchema != 0xFFFF, "writing an object whose class is not serialisable");
    auto it = m_storeMap.find(pClassRef);
    if (it != m_storeMap.end()) {
        DWORD nClassIndex = it->second;
        if (nClassIndex < wBigObjectTag)
            *this << (WORD)(wClassTag | nClassIndex);
        else {
            *this << wBigObjectTag;
            *this << (DWORD)(dwBigClassTag | nClassIndex);
        }
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    VYR_CHECK(m_nMapCount < nMaxMapCount, "too many objects in one archive");
    m_storeMap.emplace(pClassRef, m_nMapCount++);
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (!IsStoring()) Fail(CArchiveException::readOnly);
    if (pOb == nullptr) {
        *this << wNullTag;
        return;
    }
    auto it = m_storeMap.find(pOb);
    if (it != m_storeMap.end()) {
        DWORD nObIndex = it->second;
        if (nObIndex < wBigObjectTag)
            *this << (WORD)nObIndex;
        else {
            *this << wBigObjectTag;
            *this << nObIndex;
        }
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    VYR_CHECK(m_nMapCount < nMaxMapCount, "too many objects in one archive");
    m_storeMap.emplace(pOb, m_nMapCount++);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    if (!IsLoading()) Fail(CArchiveException::writeOnly);
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        // A class without a schema is not serialisable: no valid stream holds one.
        if (!pClassRef || pClassRef->m_wSchema == 0xFFFF) Fail(CArchiveException::badClass);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema) {
            if (!(pClassRef->m_wSchema & VERSIONABLE_SCHEMA)) Fail(CArchiveException::badSchema);
        }
        if (m_nMapCount >= nMaxMapCount) Fail(CArchiveException::badIndex);
        m_loadArray.push_back({nullptr, pClassRef, nSchema});
        m_nMapCount++;
    } else if (obTag & dwBigClassTag) {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_loadArray.size() || m_loadArray[nClassIndex].pClass == nullptr)
            Fail(CArchiveException::badIndex);
        pClassRef = m_loadArray[nClassIndex].pClass;
        nSchema = m_loadArray[nClassIndex].nSchema;
    } else {
        // An object tag: a reference to an object read before (or null).
        if (pObTag) *pObTag = obTag;
        if (pSchema) *pSchema = (UINT)-1;
        return nullptr;
    }
    if (pClassRefRequested && !pClassRef->IsDerivedFrom(pClassRefRequested)) Fail(CArchiveException::badClass);
    if (pSchema) *pSchema = nSchema;
    if (pObTag) *pObTag = 0;
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema;
    DWORD obTag;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (!pClassRef) {
        if (obTag == wNullTag) return nullptr;
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].pOb == nullptr) Fail(CArchiveException::badIndex);
        CObject* pOb = m_loadArray[obTag].pOb;
        if (pClassRefRequested && !pOb->IsKindOf(pClassRefRequested)) Fail(CArchiveException::badClass);
        return pOb;
    }
    CObject* pOb = pClassRef->CreateObject();
    if (!pOb) Fail(CArchiveException::badClass);
    size_t slot = m_loadArray.size();
    m_loadArray.push_back({pOb, nullptr, 0});
    m_nMapCount++;
    UINT saved = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        // The object was not handed out: free it and forget it.
        m_loadArray[slot].pOb = nullptr;
        m_nObjectSchema = saved;
        delete pOb;
        throw;
    }
    m_nObjectSchema = saved;
    return pOb;
}

UINT CArchive::GetObjectSchema()
{
    UINT n = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;
    return n;
}

// ---------------------------------------------------------------------------------------
// Class records: schema (WORD), name length (WORD), the name's bytes.

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLen = (WORD)std::strlen(m_lpszClassName);
    ar << (WORD)m_wSchema << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema, nLen;
    ar >> wSchema >> nLen;
    if (pwSchemaNum) *pwSchemaNum = wSchema;
    char name[nMaxClassName];
    if (nLen >= nMaxClassName) return nullptr;
    if (ar.Read(name, nLen) != nLen) AfxThrowArchiveException(CArchiveException::endOfFile);
    name[nLen] = '\0';
    return FromName(name);
}
