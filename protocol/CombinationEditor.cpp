#include <vyr/protocol/CombinationEditor.h>

namespace {
VyrCombinationEditor& Editor()
{
    static VyrCombinationEditor editor = nullptr;
    return editor;
}
} // namespace

void VyrSetCombinationEditor(VyrCombinationEditor editor) { Editor() = editor; }

INT_PTR VyrEditCombination(CGlobalData* data, CLoadCombination* lc)
{
    if (Editor() == nullptr || lc == nullptr)
        return IDCANCEL;
    return Editor()(data, lc);
}
