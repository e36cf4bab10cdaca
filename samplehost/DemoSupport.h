// What several demos do alike as a user of the library.
#pragma once

#include <vyr/stdafx.h>

class COPManager;
namespace vyrhost {
class CHostKit;
}

// The scripted user started afresh for a demo: each step it cannot take is printed and
// counted in failures, which must outlive the demo's steps (the demo resets the user again
// before it returns).
void ResetScriptedUser(int& failures);

// A click, a move and a second click, as the view hands them to its manager.
void Drag(COPManager& manager, CPoint a, CPoint b);
// The member-selection operator made current and a window dragged over the left half of the
// plan, its corners just outside the members' extent.
void SelectLeftHalfByWindow(vyrhost::CHostKit& host);

// The standard section browser's next steps: the row of that designation selected, then OK.
void ScriptStdSectionPick(const char* designation);
