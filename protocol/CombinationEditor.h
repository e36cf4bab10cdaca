// The load-combination editor as the other dialog areas open it: the input area, which
// owns the editor, registers it; the opener names the model root and the combination to
// edit in place.
#pragma once

#include <vyr/stdafx.h>

class CGlobalData;
class CLoadCombination;

using VyrCombinationEditor = INT_PTR (*)(CGlobalData* data, CLoadCombination* lc);
void VyrSetCombinationEditor(VyrCombinationEditor editor);
// The editor's answer: IDOK when it stored a change into the combination; IDCANCEL, with
// nothing changed, also when no editor is registered.
INT_PTR VyrEditCombination(CGlobalData* data, CLoadCombination* lc);
