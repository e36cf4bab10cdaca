// CSmartPtr<T>: the reference-counted pointer through which the model libraries share
// objects between containers. All pointers to one object share a record that counts them
// and lists their addresses; whichever releases last deletes the object, once.
#pragma once

#include <algorithm>
#include <list>

#include <vyr/stdafx.h>

template <class T>
class CSmartPtr
{
public:
    struct ShareRecord
    {
        int count;
        std::list<CSmartPtr*> sharers;
    };

    CSmartPtr() = default;
    // Takes ownership of p (an array of arrayCount objects when arrayCount is 2 or more).
    explicit CSmartPtr(T* p, int arrayCount = 1) : m_p(p), m_nArray(p ? arrayCount : 0)
    {
        if (p) m_rec = new ShareRecord{1, {this}};
    }
    CSmartPtr(const CSmartPtr& o) { Share(o); }
    // Releases what this pointer held, then shares the other's object; the owner stays.
    CSmartPtr& operator=(const CSmartPtr& o)
    {
        if (this == &o || (m_rec == o.m_rec && m_p == o.m_p)) return *this;
        void* owner = m_owner;
        Release();
        Share(o);
        m_owner = owner;
        return *this;
    }
    virtual ~CSmartPtr() { Release(); }

    void Release()
    {
        if (!m_rec) {
            m_p = nullptr;
            m_nArray = 0;
            return;
        }
        ShareRecord* rec = m_rec;
        T* p = m_p;
        bool array = m_nArray >= 2;
        m_rec = nullptr;
        m_p = nullptr;
        m_nArray = 0;
        if (--rec->count > 0) {
            auto it = std::find(rec->sharers.begin(), rec->sharers.end(), this);
            if (it != rec->sharers.end()) rec->sharers.erase(it);
            return;
        }
        delete rec;
        if (p) {
            if (array) delete[] p;
            else delete p;
        }
    }

    T* Get() const { return m_p; }
    T* operator->() const
    {
        VYR_CHECK(m_p != nullptr, "CSmartPtr: empty pointer dereferenced");
        return m_p;
    }
    T& operator*() const
    {
        VYR_CHECK(m_p != nullptr, "CSmartPtr: empty pointer dereferenced");
        return *m_p;
    }
    bool IsNull() const { return m_p == nullptr; }
    // Same object: same pointee, share record and array count.
    bool IsSame(const CSmartPtr& o) const { return m_p == o.m_p && m_rec == o.m_rec && m_nArray == o.m_nArray; }

    int GetRefCount() const { return m_rec ? m_rec->count : 0; }
    int GetSharerCount() const { return m_rec ? (int)m_rec->sharers.size() : 0; }
    bool IsSharer(const CSmartPtr* p) const
    {
        return m_rec && std::find(m_rec->sharers.begin(), m_rec->sharers.end(), p) != m_rec->sharers.end();
    }
    int GetArrayCount() const { return m_nArray; }
    void* GetOwner() const { return m_owner; }
    void SetOwner(void* owner) { m_owner = owner; }

private:
    void Share(const CSmartPtr& o)
    {
        m_p = o.m_p;
        m_owner = nullptr;
        if (m_p && o.m_rec) {
            m_rec = o.m_rec;
            ++m_rec->count;
            m_rec->sharers.push_back(this);
            m_nArray = o.m_nArray;
        } else {
            m_rec = nullptr;
            m_nArray = 0;
        }
    }

    T* m_p = nullptr;
    ShareRecord* m_rec = nullptr;
    void* m_owner = nullptr;
    int m_nArray = 0;
};
