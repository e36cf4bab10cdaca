// A pointer list with POSITION iteration, in the form of the class library's typed pointer
// list, for the lists of this library (layers, drawing units). It holds the pointers only:
// destroying the list frees its nodes, never the objects pointed to.
#pragma once

#include "stdafx.h"

template <class T>
class CVyrPtrList
{
    struct Node
    {
        Node* prev;
        Node* next;
        T data;
    };

public:
    explicit CVyrPtrList(int blockSize = 10) { (void)blockSize; }
    CVyrPtrList(const CVyrPtrList&) = delete;
    CVyrPtrList& operator=(const CVyrPtrList&) = delete;
    ~CVyrPtrList() { RemoveAll(); }

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    POSITION AddTail(T p)
    {
        Node* n = new Node{m_tail, nullptr, p};
        if (m_tail) m_tail->next = n; else m_head = n;
        m_tail = n;
        ++m_count;
        return (POSITION)n;
    }
    POSITION AddHead(T p)
    {
        Node* n = new Node{nullptr, m_head, p};
        if (m_head) m_head->prev = n; else m_tail = n;
        m_head = n;
        ++m_count;
        return (POSITION)n;
    }
    POSITION GetHeadPosition() const { return (POSITION)m_head; }
    POSITION GetTailPosition() const { return (POSITION)m_tail; }
    T& GetHead() { VYR_CHECK(m_head, "GetHead on an empty list"); return m_head->data; }
    T GetHead() const { VYR_CHECK(m_head, "GetHead on an empty list"); return m_head->data; }
    T& GetTail() { VYR_CHECK(m_tail, "GetTail on an empty list"); return m_tail->data; }
    T GetTail() const { VYR_CHECK(m_tail, "GetTail on an empty list"); return m_tail->data; }
    T& GetNext(POSITION& pos)
    {
        Node* n = Check(pos);
        pos = (POSITION)n->next;
        return n->data;
    }
    T GetNext(POSITION& pos) const
    {
        Node* n = Check(pos);
        pos = (POSITION)n->next;
        return n->data;
    }
    T& GetPrev(POSITION& pos)
    {
        Node* n = Check(pos);
        pos = (POSITION)n->prev;
        return n->data;
    }
    T& GetAt(POSITION pos) { return Check(pos)->data; }
    T GetAt(POSITION pos) const { return Check(pos)->data; }
    void SetAt(POSITION pos, T p) { Check(pos)->data = p; }
    // Position of the index-th element counted from 0, or null.
    POSITION FindIndex(int index) const
    {
        if (index < 0 || index >= m_count) return nullptr;
        Node* n = m_head;
        while (index-- > 0) n = n->next;
        return (POSITION)n;
    }
    POSITION Find(T p) const
    {
        for (Node* n = m_head; n; n = n->next)
            if (n->data == p) return (POSITION)n;
        return nullptr;
    }
    void RemoveAt(POSITION pos)
    {
        Node* n = Check(pos);
        if (n->prev) n->prev->next = n->next; else m_head = n->next;
        if (n->next) n->next->prev = n->prev; else m_tail = n->prev;
        delete n;
        --m_count;
    }
    T RemoveHead() { T p = GetHead(); RemoveAt((POSITION)m_head); return p; }
    T RemoveTail() { T p = GetTail(); RemoveAt((POSITION)m_tail); return p; }
    void RemoveAll()
    {
        Node* n = m_head;
        while (n) { Node* next = n->next; delete n; n = next; }
        m_head = m_tail = nullptr;
        m_count = 0;
    }

private:
    static Node* Check(POSITION pos)
    {
        VYR_CHECK(pos != nullptr, "null list position");
        return (Node*)pos;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
};
