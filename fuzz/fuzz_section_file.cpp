// The project section file: any bytes as a ".sec" file read by the import. A file that
// cannot be read whole changes nothing; what was read can be exported and imported again
// to the same sections.
#include <vyr/gbk.h>
#include <vyr/host/VyrEntry.h>
#include <vyr/libraries/SectionFile.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzKit.h"

namespace {

CGlobalData* g_project = nullptr;

void AddMaterial(CMaterialList* list, int type, const char* name)
{
    auto* m = new CMaterialBase;
    m->SetType(type);
    m->SetName(name);
    list->AddMaterial(m);
}

struct Seen
{
    int type;
    CString kind, full, dim;
    CMaterialBase* material;
};

// A text as the file keeps it: bytes that were no GBK were read as U+FFFD, written as '?'.
CString AsStored(const CString& s) { return CString(vyr::GbkToUtf8(vyr::Utf8ToGbk(s.str())).c_str()); }

std::vector<Seen> Describe(CSectionList& list)
{
    std::vector<Seen> out;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        auto* s = static_cast<CSectionBase*>(list.GetNext(pos));
        out.push_back({s->GetType(), AsStored(s->m_strKind), AsStored(s->m_strFull), AsStored(s->m_strDim),
                       s->m_pMaterial});
    }
    return out;
}

bool Same(const std::vector<Seen>& a, const std::vector<Seen>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].type != b[i].type || a[i].kind != b[i].kind || a[i].full != b[i].full || a[i].dim != b[i].dim ||
            a[i].material != b[i].material)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    InitVyrUI();
    // The project the file is read into: the steel and concrete that its sections name.
    g_project = new CGlobalData;
    CStruct& s = *g_project->Struct();
    AddMaterial(s.m_pMaterialSteelList, 1, "Q235");
    AddMaterial(s.m_pMaterialSteelList, 1, "Q345");
    AddMaterial(s.m_pMaterialConcreteList, 2, "C30");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string in = fuzzkit::Scratch() + "/in.sec", out = fuzzkit::Scratch() + "/out.sec";
    fuzzkit::WriteFile(in, data, size);
    CSectionList read;
    if (!ReadSectionFile(g_project, in.c_str(), read)) {
        if (read.GetCount() != 0)
            std::abort();
        return 0;
    }
    const std::vector<Seen> first = Describe(read);
    // Exported from the project's library, then imported again.
    CSectionList& library = *g_project->Struct()->m_pSectionList;
    MoveSections(read, library);
    if (!WriteSectionFile(g_project, out.c_str()))
        std::abort();
    CSectionList again;
    if (!ReadSectionFile(g_project, out.c_str(), again) || !Same(first, Describe(again)))
        std::abort();
    library.DeleteAll();
    again.DeleteAll();
    return 0;
}
