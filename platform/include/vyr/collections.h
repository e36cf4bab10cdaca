// The class library's collections: doubly-linked lists iterated by POSITION (the address
// of a node), growable arrays, and hash maps iterated by POSITION. Iteration order of a
// map is the order in which keys were first added. Misuse (the head of an empty list, an
// index out of range, a null or foreign POSITION) stops the program with a message.
#pragma once

#include <new>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include <vyr/archive.h>
#include <vyr/cstring.h>
#include <vyr/object.h>
#include <vyr/vyrdiag.h>

// Element serialisation of the template collections: through the archive's operators when
// the type has them, otherwise as raw bytes.
template <class TYPE>
void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; i++) {
        if constexpr (requires(CArchive& a, TYPE& t) { a << t; a >> t; }) {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        } else if constexpr (std::is_trivially_copyable_v<TYPE>) {
            if (ar.IsStoring())
                ar.Write(&pElements[i], (UINT)sizeof(TYPE));
            else {
                if (ar.Read(&pElements[i], (UINT)sizeof(TYPE)) != sizeof(TYPE))
                    AfxThrowArchiveException(CArchiveException::endOfFile);
            }
        } else {
            (void)ar;
            VYR_CHECK(false, "no archive operators for this collection's element type");
        }
    }
}

template <class TYPE, class ARG_TYPE>
BOOL CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// ---------------------------------------------------------------------------------------
// Lists

// The list blocks of full size: kVyrListBlockBytes each, below the C library's threshold for
// mapping a block of its own. Blocks given back are kept (up to a bound) for the next list
// on any thread.
inline constexpr size_t kVyrListBlockBytes = 64 * 1024;
void* VyrListBlockTake();
void VyrListBlockGive(void* block) noexcept;

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        const CList* pOwner;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CList() override { RemoveAll(); }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    // Changes with every insertion, removal and SetAt, so that a reader can tell cheaply that
    // the list is not as it last saw it (an element written through a reference that
    // GetAt or GetNext returned is not counted).
    UINT_PTR GetEditCount() const { return m_nEdits; }

    TYPE& GetHead()
    {
        VYR_CHECK(m_pNodeHead != nullptr, "GetHead on an empty list");
        return m_pNodeHead->data;
    }
    const TYPE& GetHead() const
    {
        VYR_CHECK(m_pNodeHead != nullptr, "GetHead on an empty list");
        return m_pNodeHead->data;
    }
    TYPE& GetTail()
    {
        VYR_CHECK(m_pNodeTail != nullptr, "GetTail on an empty list");
        return m_pNodeTail->data;
    }
    const TYPE& GetTail() const
    {
        VYR_CHECK(m_pNodeTail != nullptr, "GetTail on an empty list");
        return m_pNodeTail->data;
    }

    TYPE RemoveHead()
    {
        VYR_CHECK(m_pNodeHead != nullptr, "RemoveHead on an empty list");
        CNode* p = m_pNodeHead;
        TYPE ret = std::move(p->data);
        Unlink(p);
        return ret;
    }
    TYPE RemoveTail()
    {
        VYR_CHECK(m_pNodeTail != nullptr, "RemoveTail on an empty list");
        CNode* p = m_pNodeTail;
        TYPE ret = std::move(p->data);
        Unlink(p);
        return ret;
    }

    POSITION AddHead(ARG_TYPE newElement) { return (POSITION)LinkBefore(m_pNodeHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return (POSITION)LinkAfter(m_pNodeTail, newElement); }
    // Adds copies of another list's elements (the list may be this one).
    void AddHead(const CList* pNewList)
    {
        VYR_CHECK(pNewList != nullptr, "AddHead of a null list");
        INT_PTR n = pNewList->m_nCount;
        CNode* p = pNewList->m_pNodeTail;
        for (INT_PTR i = 0; i < n; i++, p = p->pPrev) {
            TYPE copy = p->data;
            AddHead(copy);
        }
    }
    void AddTail(const CList* pNewList)
    {
        VYR_CHECK(pNewList != nullptr, "AddTail of a null list");
        INT_PTR n = pNewList->m_nCount;
        CNode* p = pNewList->m_pNodeHead;
        for (INT_PTR i = 0; i < n; i++, p = p->pNext) {
            TYPE copy = p->data;
            AddTail(copy);
        }
    }

    void RemoveAll()
    {
        ++m_nEdits;
        CNode* p = m_pNodeHead;
        m_pNodeHead = m_pNodeTail = nullptr;
        m_nCount = 0;
        while (p) {
            CNode* next = p->pNext;
            p->~CNode();
            p = next;
        }
        FreeSpare();
    }

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    // Returns the element at rPosition and moves rPosition on (null after the tail).
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* p = Node(rPosition);
        rPosition = (POSITION)p->pNext;
        return p->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* p = Node(rPosition);
        rPosition = (POSITION)p->pNext;
        return p->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* p = Node(rPosition);
        rPosition = (POSITION)p->pPrev;
        return p->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* p = Node(rPosition);
        rPosition = (POSITION)p->pPrev;
        return p->data;
    }
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement)
    {
        Node(pos)->data = newElement;
        ++m_nEdits;
    }
    void RemoveAt(POSITION position) { Unlink(Node(position)); }

    // A null position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr) return AddHead(newElement);
        return (POSITION)LinkBefore(Node(position), newElement);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr) return AddTail(newElement);
        return (POSITION)LinkAfter(Node(position), newElement);
    }

    // Searches after startAfter (from the head when null); null when not found.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        CNode* p = startAfter ? Node(startAfter)->pNext : m_pNodeHead;
        for (; p; p = p->pNext)
            if (CompareElements<TYPE, std::remove_cvref_t<ARG_TYPE>>(&p->data, &searchValue)) return (POSITION)p;
        return nullptr;
    }
    // The position of the nIndex-th element (from 0); null when out of range.
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
        CNode* p = m_pNodeHead;
        while (nIndex-- > 0) p = p->pNext;
        return (POSITION)p;
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount((DWORD)m_nCount);
            for (CNode* p = m_pNodeHead; p; p = p->pNext) SerializeElements<TYPE>(ar, &p->data, 1);
        } else {
            DWORD n = ar.ReadCount();
            if constexpr (std::is_default_constructible_v<TYPE>) {
                for (DWORD i = 0; i < n; i++) {
                    TYPE v{};
                    SerializeElements<TYPE>(ar, &v, 1);
                    AddTail(v);
                }
            } else {
                VYR_CHECK(n == 0, "loading a list of elements that cannot be default-constructed");
            }
        }
    }

protected:
    CNode* Node(POSITION pos) const
    {
        VYR_CHECK(pos != nullptr, "null POSITION");
        CNode* p = (CNode*)pos;
        VYR_CHECK(p->pOwner != nullptr, "POSITION of a removed element");
        VYR_CHECK(p->pOwner == this, "POSITION of another list");
        return p;
    }
    // Removed nodes are kept for reuse until RemoveAll or destruction, so that a POSITION
    // kept past RemoveAt is recognised instead of reading freed memory.
    CNode* NewNode(CNode* next, CNode* prev, ARG_TYPE v)
    {
        if constexpr (std::is_assignable_v<TYPE&, ARG_TYPE>) {
            if (m_pSpare) {
                CNode* n = m_pSpare;
                m_pSpare = n->pNext;
                n->data = v;
                n->pNext = next;
                n->pPrev = prev;
                n->pOwner = this;
                return n;
            }
        }
        return ::new (RawNode()) CNode{next, prev, this, TYPE(v)};
    }
    // Nodes live in blocks, as the class library allocates them; the blocks grow so that a
    // list of a hundred thousand elements costs a few dozen allocations, not one per element.
    // Grown blocks are the shared pool's (VyrListBlockTake), so that a large result made and
    // dropped again and again reuses the same memory instead of the C library handing it
    // back to the system and faulting it in anew each time. Nodes of unusual alignment or
    // size keep to blocks of their own.
    static constexpr bool kPooled = alignof(CNode) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__ &&
                                    sizeof(CNode) * 16 <= kVyrListBlockBytes;
    static constexpr INT_PTR kMaxNodes = (INT_PTR)(kVyrListBlockBytes / sizeof(CNode)) > 0
                                             ? (INT_PTR)(kVyrListBlockBytes / sizeof(CNode))
                                             : 1;
    void* RawNode()
    {
        if (m_nRawLeft == 0) {
            INT_PTR n = m_nNextBlock > 0 ? m_nNextBlock : m_nBlockSize;
            if (n >= kMaxNodes) n = kMaxNodes;
            // Room for the block's address first, so that a failure cannot lose the block.
            std::vector<void*>& owned = kPooled && n == kMaxNodes ? m_pooled : m_blocks;
            if (owned.size() == owned.capacity()) owned.reserve(owned.size() < 4 ? 8 : owned.size() * 2);
            if (kPooled && n == kMaxNodes)
                owned.push_back(VyrListBlockTake());
            else
                owned.push_back(::operator new(sizeof(CNode) * (size_t)n, std::align_val_t(alignof(CNode))));
            m_pRaw = static_cast<CNode*>(owned.back());
            m_nRawLeft = n;
            m_nNextBlock = n < kMaxNodes / 2 ? n * 2 : kMaxNodes;
        }
        --m_nRawLeft;
        return m_pRaw++;
    }
    void FreeSpare()
    {
        while (m_pSpare) {
            CNode* next = m_pSpare->pNext;
            m_pSpare->~CNode();
            m_pSpare = next;
        }
        for (void* b : m_blocks) ::operator delete(b, std::align_val_t(alignof(CNode)));
        for (void* b : m_pooled) VyrListBlockGive(b);
        m_blocks.clear();
        m_pooled.clear();
        m_pRaw = nullptr;
        m_nRawLeft = 0;
        m_nNextBlock = 0;
    }
    CNode* LinkBefore(CNode* next, ARG_TYPE v)
    {
        CNode* n = NewNode(next, next ? next->pPrev : nullptr, v);
        if (n->pPrev) n->pPrev->pNext = n; else m_pNodeHead = n;
        if (next) next->pPrev = n; else m_pNodeTail = n;
        m_nCount++;
        ++m_nEdits;
        return n;
    }
    CNode* LinkAfter(CNode* prev, ARG_TYPE v)
    {
        CNode* n = NewNode(prev ? prev->pNext : nullptr, prev, v);
        if (n->pNext) n->pNext->pPrev = n; else m_pNodeTail = n;
        if (prev) prev->pNext = n; else m_pNodeHead = n;
        m_nCount++;
        ++m_nEdits;
        return n;
    }
    void Unlink(CNode* p)
    {
        if (p->pPrev) p->pPrev->pNext = p->pNext; else m_pNodeHead = p->pNext;
        if (p->pNext) p->pNext->pPrev = p->pPrev; else m_pNodeTail = p->pPrev;
        m_nCount--;
        ++m_nEdits;
        p->pOwner = nullptr;
        p->pPrev = nullptr;
        if constexpr (std::is_default_constructible_v<TYPE> && std::is_move_assignable_v<TYPE>)
            p->data = TYPE(); // release what the element holds now
        p->pNext = m_pSpare;
        m_pSpare = p;
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    CNode* m_pSpare = nullptr;
    INT_PTR m_nBlockSize;
    std::vector<void*> m_blocks; // grown by the list itself
    std::vector<void*> m_pooled; // taken from the shared pool
    CNode* m_pRaw = nullptr;
    INT_PTR m_nRawLeft = 0;
    INT_PTR m_nNextBlock = 0;
    UINT_PTR m_nEdits = 0;
};

// A list of object pointers; it does not own the objects. Serialize writes the count and
// each object through the archive's object scheme.
class CObList : public CList<CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
};

class CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
    void Serialize(CArchive&) override {}
};

class CStringList : public CList<CString, LPCTSTR>
{
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList<CString, LPCTSTR>(nBlockSize) {}
};

// ---------------------------------------------------------------------------------------
// Arrays

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() = default;
    ~CArray() override = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;

    INT_PTR GetSize() const { return (INT_PTR)m_data.size(); }
    INT_PTR GetCount() const { return (INT_PTR)m_data.size(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return (INT_PTR)m_data.size() - 1; }
    // New elements are value-initialised (zero for numbers and pointers).
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        VYR_CHECK(nNewSize >= 0, "negative array size");
        if (nGrowBy >= 0) m_nGrowBy = nGrowBy;
        m_data.resize((size_t)nNewSize);
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Check(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[Check(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Check(nIndex)] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_data[Check(nIndex)]; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[Check(nIndex)]; }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        VYR_CHECK(nIndex >= 0, "negative array index");
        if ((size_t)nIndex >= m_data.size()) {
            TYPE copy = newElement; // may refer into the array
            m_data.resize((size_t)nIndex + 1);
            m_data[(size_t)nIndex] = std::move(copy);
        } else
            m_data[(size_t)nIndex] = newElement;
    }
    INT_PTR Add(ARG_TYPE newElement)
    {
        m_data.push_back(TYPE(newElement));
        return (INT_PTR)m_data.size() - 1;
    }
    INT_PTR Append(const CArray& src)
    {
        INT_PTR old = GetSize();
        std::vector<TYPE> copy(src.m_data);
        m_data.insert(m_data.end(), copy.begin(), copy.end());
        return old;
    }
    void Copy(const CArray& src)
    {
        if (&src != this) m_data = src.m_data;
    }

    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }

    // Inserting at or past the end grows the array as SetAtGrow does.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        VYR_CHECK(nIndex >= 0 && nCount >= 0, "bad InsertAt index or count");
        TYPE copy = newElement;
        if ((size_t)nIndex > m_data.size()) m_data.resize((size_t)nIndex);
        m_data.insert(m_data.begin() + nIndex, (size_t)nCount, copy);
    }
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        VYR_CHECK(pNewArray != nullptr && nStartIndex >= 0, "bad InsertAt of an array");
        std::vector<TYPE> copy(pNewArray->m_data);
        if ((size_t)nStartIndex > m_data.size()) m_data.resize((size_t)nStartIndex);
        m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        VYR_CHECK(nIndex >= 0 && nCount >= 0 && (size_t)(nIndex + nCount) <= m_data.size(),
                  "array RemoveAt out of range");
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount((DWORD)m_data.size());
            SerializeElements<TYPE>(ar, m_data.data(), (INT_PTR)m_data.size());
        } else {
            // Element by element, so that a corrupt count cannot allocate beyond the data.
            DWORD n = ar.ReadCount();
            m_data.clear();
            if constexpr (std::is_default_constructible_v<TYPE>) {
                for (DWORD i = 0; i < n; i++) {
                    TYPE v{};
                    SerializeElements<TYPE>(ar, &v, 1);
                    m_data.push_back(std::move(v));
                }
            } else {
                VYR_CHECK(n == 0, "loading an array of elements that cannot be default-constructed");
            }
        }
    }

protected:
    size_t Check(INT_PTR nIndex) const
    {
        VYR_CHECK(nIndex >= 0 && (size_t)nIndex < m_data.size(), "array index out of range");
        return (size_t)nIndex;
    }
    std::vector<TYPE> m_data;
    INT_PTR m_nGrowBy = -1;
};

class CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_SERIAL(CObArray)
};

class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
public:
    void Serialize(CArchive&) override {}
};

class CStringArray : public CArray<CString, LPCTSTR>
{
    DECLARE_SERIAL(CStringArray)
public:
    using CArray<CString, LPCTSTR>::Add;
    INT_PTR Add(const CString& s) { return CArray<CString, LPCTSTR>::Add(s.GetString()); }
};

class CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
};

class CWordArray : public CArray<WORD, WORD>
{
    DECLARE_SERIAL(CWordArray)
};

class CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
};

// ---------------------------------------------------------------------------------------
// Maps

// Keys hash with std::hash when it exists, otherwise by their bytes.
template <class KEY>
struct VyrMapHash
{
    size_t operator()(const KEY& k) const noexcept
    {
        if constexpr (requires { std::hash<KEY>()(k); }) {
            return std::hash<KEY>()(k);
        } else {
            static_assert(std::is_trivially_copyable_v<KEY>, "map key needs std::hash");
            const unsigned char* p = reinterpret_cast<const unsigned char*>(&k);
            size_t h = 1469598103934665603ull;
            for (size_t i = 0; i < sizeof(KEY); i++) h = (h ^ p[i]) * 1099511628211ull;
            return h;
        }
    }
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
protected:
    struct CAssoc
    {
        CAssoc* pNext;
        CAssoc* pPrev;
        const CMap* pOwner;
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CMap() override { RemoveAll(); }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    INT_PTR GetCount() const { return (INT_PTR)m_index.size(); }
    INT_PTR GetSize() const { return (INT_PTR)m_index.size(); }
    BOOL IsEmpty() const { return m_index.empty(); }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        auto it = m_index.find(KEY(key));
        if (it == m_index.end()) return FALSE;
        rValue = it->second->value;
        return TRUE;
    }
    // The value of the key, added (value-initialised) when missing.
    VALUE& operator[](ARG_KEY key)
    {
        KEY k(key);
        auto it = m_index.find(k);
        if (it != m_index.end()) return it->second->value;
        CAssoc* a = new CAssoc{nullptr, m_pTail, this, k, VALUE{}};
        if (m_pTail) m_pTail->pNext = a; else m_pHead = a;
        m_pTail = a;
        m_index.emplace(std::move(k), a);
        return a->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key)
    {
        auto it = m_index.find(KEY(key));
        if (it == m_index.end()) return FALSE;
        CAssoc* a = it->second;
        m_index.erase(it);
        if (a->pPrev) a->pPrev->pNext = a->pNext; else m_pHead = a->pNext;
        if (a->pNext) a->pNext->pPrev = a->pPrev; else m_pTail = a->pPrev;
        a->pOwner = nullptr;
        delete a;
        return TRUE;
    }
    void RemoveAll()
    {
        m_index.clear();
        CAssoc* a = m_pHead;
        m_pHead = m_pTail = nullptr;
        while (a) {
            CAssoc* next = a->pNext;
            a->pOwner = nullptr;
            delete a;
            a = next;
        }
    }

    // Null when the map is empty.
    POSITION GetStartPosition() const { return (POSITION)m_pHead; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        VYR_CHECK(rNextPosition != nullptr && rNextPosition != BEFORE_START_POSITION, "bad map POSITION");
        CAssoc* a = (CAssoc*)rNextPosition;
        VYR_CHECK(a->pOwner == this, "POSITION of another map");
        rKey = a->key;
        rValue = a->value;
        rNextPosition = (POSITION)a->pNext;
    }

    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        (void)bAllocNow;
        m_index.reserve(hashSize);
    }
    UINT GetHashTableSize() const { return (UINT)m_index.bucket_count(); }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount((DWORD)GetCount());
            for (CAssoc* a = m_pHead; a; a = a->pNext) {
                SerializeElements<KEY>(ar, &a->key, 1);
                SerializeElements<VALUE>(ar, &a->value, 1);
            }
        } else {
            DWORD n = ar.ReadCount();
            if constexpr (std::is_default_constructible_v<KEY> && std::is_default_constructible_v<VALUE>) {
                for (DWORD i = 0; i < n; i++) {
                    KEY k{};
                    VALUE v{};
                    SerializeElements<KEY>(ar, &k, 1);
                    SerializeElements<VALUE>(ar, &v, 1);
                    SetAt(k, v);
                }
            } else {
                VYR_CHECK(n == 0, "loading a map whose keys or values cannot be default-constructed");
            }
        }
    }

protected:
    CAssoc* m_pHead = nullptr;
    CAssoc* m_pTail = nullptr;
    std::unordered_map<KEY, CAssoc*, VyrMapHash<KEY>> m_index;
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, void*, void*>(nBlockSize) {}
    void Serialize(CArchive&) override {}
};

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, CObject*, CObject*>(nBlockSize) {}
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR>
{
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap<CString, LPCTSTR, CString, LPCTSTR>(nBlockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap<void*, void*, void*, void*>(nBlockSize) {}
    void Serialize(CArchive&) override {}
};

class CMapPtrToWord : public CMap<void*, void*, WORD, WORD>
{
    DECLARE_DYNAMIC(CMapPtrToWord)
public:
    explicit CMapPtrToWord(INT_PTR nBlockSize = 10) : CMap<void*, void*, WORD, WORD>(nBlockSize) {}
    void Serialize(CArchive&) override {}
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap<WORD, WORD, void*, void*>(nBlockSize) {}
    void Serialize(CArchive&) override {}
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapWordToOb)
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10) : CMap<WORD, WORD, CObject*, CObject*>(nBlockSize) {}
};

// ---------------------------------------------------------------------------------------
// Typed pointer wrappers over CObList/CPtrList, CObArray/CPtrArray and the pointer maps.

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS
{
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }

    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
    POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1) { BASE_CLASS::InsertAt(nIndex, newElement, nCount); }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray) { BASE_CLASS::InsertAt(nStartIndex, pNewArray); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
};

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS
{
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(KEY key, VALUE& rValue) const
    {
        decltype(VyrMapValueOf(std::declval<BASE_CLASS&>())) v{};
        BOOL found = BASE_CLASS::Lookup(key, v);
        if (found) rValue = (VALUE)v;
        return found;
    }
    VALUE& operator[](KEY key) { return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key)); }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        decltype(VyrMapKeyOf(std::declval<BASE_CLASS&>())) k{};
        decltype(VyrMapValueOf(std::declval<BASE_CLASS&>())) v{};
        BASE_CLASS::GetNextAssoc(rPosition, k, v);
        rKey = (KEY)k;
        rValue = (VALUE)v;
    }

private:
    template <class K, class AK, class V, class AV>
    static K VyrMapKeyOf(CMap<K, AK, V, AV>&);
    template <class K, class AK, class V, class AV>
    static V VyrMapValueOf(CMap<K, AK, V, AV>&);
};
