// Shared shape of the model's object lists: an object list of block size 10 whose Get
// counts from 1. Owning lists delete their elements when destroyed; pointer lists only
// forget them, so a list built by a caller never takes model objects with it.
#pragma once

#include <atomic>
#include <cstdint>

#include <vyr/stdafx.h>
#include <vyr/collections.h>

namespace vyr_detail
{
inline std::atomic<uint64_t> g_modelListSerial{0};
}

template <class T, bool Owning>
class CModelList : public CObList
{
public:
    CModelList() : CObList(10), m_nSerial(vyr_detail::g_modelListSerial.fetch_add(1, std::memory_order_relaxed) + 1) {}
    CModelList(const CModelList&) = delete;
    CModelList& operator=(const CModelList&) = delete;
    ~CModelList() override
    {
        if constexpr (Owning)
            DeleteAll();
        else
            RemoveAll();
    }

    // Position 1 is the head, position GetCount() the tail; null outside, as the other
    // model libraries' lists answer (a list control with no row chosen asks for position 0).
    T* Get(int i) const
    {
        if (i < 1 || i > (int)GetCount())
            return nullptr;
        return static_cast<T*>(GetAt(FindIndex(i - 1)));
    }
    T* GetHeadT() const { return IsEmpty() ? nullptr : static_cast<T*>(GetHead()); }
    T* GetNextT(POSITION& pos) const { return static_cast<T*>(GetNext(pos)); }

    // Appends the pointers of another list (callers empty this list first when they want a copy).
    void CopyPointer(const CObList* other)
    {
        if (other == nullptr || other == this)
            return;
        for (POSITION pos = other->GetHeadPosition(); pos != nullptr;)
            AddTail(other->GetNext(pos));
    }
    // Removes one object from the list without deleting it; false when it was not listed.
    bool Detach(const CObject* obj)
    {
        POSITION pos = Find(const_cast<CObject*>(obj));
        if (pos == nullptr)
            return false;
        RemoveAt(pos);
        return true;
    }
    bool Contains(const CObject* obj) const { return Find(const_cast<CObject*>(obj)) != nullptr; }
    // Deletes every element and empties the list.
    void DeleteAll()
    {
        for (POSITION pos = GetHeadPosition(); pos != nullptr;)
            delete GetNext(pos);
        RemoveAll();
    }
    // Never the same for two lists of one process: a reader that keeps what it saw of a list
    // tells it from a later list made where the first one was freed, whose address, count
    // and edit count may all be the same.
    uint64_t GetSerial() const { return m_nSerial; }

private:
    const uint64_t m_nSerial;
};
