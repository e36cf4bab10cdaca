#include <vyr/protocol/PropKeyRegistry.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>

#include <vyr/model/struct/structure.h>

namespace vyrkeys {

namespace {

struct ByteLess
{
    bool operator()(const char* a, const char* b) const { return std::strcmp(a, b) < 0; }
};

// Filled by static initialisers of every area, so built on first use whatever their order.
struct Registry
{
    std::mutex mutex;
    std::map<const char*, PropKeyRow, ByteLess> rows;
};

Registry& TheRegistry()
{
    static Registry r;
    return r;
}

int MembersWhere(void* objects, bool (*pred)(CBeamBase*))
{
    auto* beams = static_cast<CBeamList*>(objects);
    int n = 0;
    for (POSITION pos = beams->GetHeadPosition(); pos != nullptr;)
        n += pred(beams->GetNextT(pos)) ? 1 : 0;
    return n;
}

} // namespace

const PropKeyRow* Find(const char* key)
{
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.rows.find(key);
    return it == r.rows.end() ? nullptr : &it->second;
}

std::vector<const PropKeyRow*> Rows()
{
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    std::vector<const PropKeyRow*> out;
    for (const auto& [key, row] : r.rows)
        out.push_back(&row);
    return out;
}

bool Admits(const PropKeyRow& row, void* objects, CGlobalData* data)
{
    if (row.gate != AnyProgram && (data == nullptr || data->ProgramType() != row.gate))
        return false;
    switch (row.count) {
    case PropCount::Any:
        return true;
    case PropCount::OneObject:
        // Every row's list is a model list of one kind; they share the pointer list.
        return objects != nullptr && static_cast<CObList*>(objects)->GetCount() == 1;
    case PropCount::OneOrdinaryMember:
        return objects != nullptr && MembersWhere(objects, IsOrdinaryMember) == 1;
    case PropCount::OneMemberInWall:
        return objects != nullptr && MembersWhere(objects, IsInWallMember) == 1;
    }
    return false;
}

int Run(const char* key, void* objects, CGlobalData* data)
{
    const PropKeyRow* row = Find(key);
    if (row == nullptr || row->body == nullptr || !Admits(*row, objects, data))
        return 0;
    return row->body(objects, data);
}

CPropKeyRows::CPropKeyRows(std::initializer_list<PropKeyRow> rows)
{
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    for (const PropKeyRow& row : rows) {
        if (!r.rows.emplace(row.key, row).second) {
            m_refused.push_back(row.key);
            std::fprintf(stderr, "vyr: property key \"%s\" registered twice; the first registration stays\n", row.key);
        }
    }
}

} // namespace vyrkeys
