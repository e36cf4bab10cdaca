// The value parsers of the property rows: one typed text into every row of the five
// descriptors (node, member, wall, room, coupling beam), as an edit (written to the
// objects) and as a query condition. A refusal says why, and a condition is kept as typed.
#include <vyr/model/prop/Prop.h>
#include <vyr/model/struct/structure.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The objects of a kind in the model.
CObList* ObjectsOf(CStruct& s, int kind)
{
    switch (kind) {
    case 0: return s.m_pNodeList;
    case 1: return s.m_pBeamList;
    case 2: return s.m_pWallList;
    case 3: return s.m_pPlaneList;
    default: return s.m_pBCInWallList1;
    }
}

void TryRow(CPropValue& row, const CString& text, bool query)
{
    CString message;
    const bool accepted = row.CheckValueText(text, message);
    if (!accepted && message.IsEmpty())
        std::abort();
    row.SetValueText(text);
    CString shown;
    std::vector<CString> options;
    row.GetValueText(shown, options);
    if (query && shown != text)
        std::abort(); // a condition is kept as typed
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the display unit and the program type, the rest is typed (an
    // edit holds no NUL).
    static const float kUnits[] = {1.0f, 0.1f, 0.001f};
    std::string typed(reinterpret_cast<const char*>(data + 1), size - 1);
    typed.resize(std::strlen(typed.c_str()));
    const CString text(typed.c_str());

    CGlobalData model;
    CSampleModelSize small;
    small.nStorey = 1;
    small.nBayX = 1;
    small.nBayY = 1;
    BuildSampleModel(model, small);
    model.UnitLength() = kUnits[data[0] % 3];
    model.ProgramType() = (data[0] / 3) % 3;
    CStruct& s = *model.Struct();

    for (int kind = 0; kind < 5; ++kind) {
        for (int use : {2, 3}) {
            CProps root;
            root.SetParam(use, ObjectsOf(s, kind), kind, &model);
            std::vector<CProp*> rows;
            root.Collect(rows);
            for (CProp* p : rows)
                if (auto* row = dynamic_cast<CPropValue*>(p))
                    TryRow(*row, text, use == 3);
            if (use == 3) {
                CPNodeList nodes;
                CBeamList members;
                CWallList walls;
                CPlaneList rooms;
                CObList* hits = kind == 0 ? (CObList*)&nodes : kind == 2 ? (CObList*)&walls
                               : kind == 3 ? (CObList*)&rooms : (CObList*)&members;
                root.Query(hits);
            }
        }
    }
    return 0;
}
