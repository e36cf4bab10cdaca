// What the input dialogs with a preview frame and display lengths do alike.
#pragma once

#include <functional>

#include <vyr/stdafx.h>

class CGlobalData;

// Draws into the dialog's frame control through a context of the frame's own; nothing
// when the dialog has no such control.
void DrawInFrame(CWnd* dlg, int frameId, const std::function<void(CDC*)>& draw);

// The model root's display-length factor; 1 without a root or for a factor of none.
float DisplayUnit(CGlobalData* data);
