// The nodes each entry of an index rests on, to find the entries a node move changes: two
// flat arrays read in one pass when a node first moves, and the entries of the nodes moved
// lately kept, since a drag moves the same node again and again. (A table from every node
// to its entries, made up front, costs more than the rest of an index of a million members:
// one random memory access per end.)
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

class CNodeEnds
{
public:
    // Forgets every entry; the storage stays for the next build.
    void Clear()
    {
        m_n1.clear();
        m_n2.clear();
        m_recent.clear();
    }
    void Reserve(size_t count)
    {
        m_n1.reserve(count);
        m_n2.reserve(count);
    }
    // The next entry rests on n1 and n2 (null: nothing; the same node twice: once).
    void Add(const void* n1, const void* n2)
    {
        m_n1.push_back(n1);
        m_n2.push_back(n2);
    }

    // Calls f(id) for each entry on a node of `nodes` (no repeats among them), removed
    // entries included: the caller skips those.
    template <class F>
    void ForEachOn(const std::vector<const void*>& nodes, F f)
    {
        std::vector<const void*> unseen;
        for (const void* n : nodes)
        {
            auto it = std::find_if(m_recent.begin(), m_recent.end(), [&](const Recent& r) { return r.node == n; });
            if (it == m_recent.end())
            {
                unseen.push_back(n);
                continue;
            }
            // Entries added since it was seen may rest on it too.
            for (size_t id = it->upTo; id < m_n1.size(); ++id)
                if (m_n1[id] == n || m_n2[id] == n)
                    it->ids.push_back((int)id);
            it->upTo = m_n1.size();
            for (int id : it->ids)
                f(id);
            std::rotate(m_recent.begin(), it, it + 1); // the latest first
        }
        if (unseen.empty())
            return;
        std::sort(unseen.begin(), unseen.end());
        std::vector<std::vector<int>> found(unseen.size());
        auto at = [&](const void* n) {
            auto it = std::lower_bound(unseen.begin(), unseen.end(), n);
            return it != unseen.end() && *it == n ? (int)(it - unseen.begin()) : -1;
        };
        if (unseen.size() == 1) // a drag: one node, compared directly
        {
            const void* n = unseen[0];
            for (size_t id = 0; id < m_n1.size(); ++id)
                if (m_n1[id] == n || m_n2[id] == n)
                    found[0].push_back((int)id);
        }
        else
            for (size_t id = 0; id < m_n1.size(); ++id)
            {
                const int k1 = at(m_n1[id]);
                if (k1 >= 0)
                    found[(size_t)k1].push_back((int)id);
                if (m_n2[id] != m_n1[id])
                    if (const int k2 = at(m_n2[id]); k2 >= 0)
                        found[(size_t)k2].push_back((int)id);
            }
        for (size_t k = 0; k < unseen.size(); ++k)
        {
            for (int id : found[k])
                f(id);
            if (k < kRecent)
            {
                m_recent.insert(m_recent.begin(), Recent{unseen[k], std::move(found[k]), m_n1.size()});
                if (m_recent.size() > kRecent)
                    m_recent.pop_back();
            }
        }
    }

private:
    static constexpr size_t kRecent = 16;
    struct Recent
    {
        const void* node;
        std::vector<int> ids;
        size_t upTo; // the entries looked at for it
    };
    std::vector<const void*> m_n1, m_n2;
    std::vector<Recent> m_recent; // the latest first
};
