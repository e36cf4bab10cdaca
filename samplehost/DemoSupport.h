// What several demos do alike as a user of the library.
#pragma once

#include <vyr/stdafx.h>

class COPManager;
namespace vyrhost {
class CHostKit;
}

// The scripted user started afresh for a demo: each step it cannot take is printed and
// counted in failures. The handler is dropped when the demo's scope ends, on an early
// return too, so it never outlives the counter it writes to.
class CDemoUser
{
public:
    explicit CDemoUser(int& failures);
    ~CDemoUser();
    CDemoUser(const CDemoUser&) = delete;
    CDemoUser& operator=(const CDemoUser&) = delete;
};

// A click, a move and a second click, as the view hands them to its manager.
void Drag(COPManager& manager, CPoint a, CPoint b);
// The member-selection operator made current and a window dragged over the left half of the
// plan, its corners just outside the members' extent.
void SelectLeftHalfByWindow(vyrhost::CHostKit& host);

// The standard section browser's next steps: the row of that designation selected, then OK.
void ScriptStdSectionPick(const char* designation);
