// A look into the node and member checks for tests: the hook is called at the start of
// every check, on the thread that runs it (the check run's worker), with the node or member
// about to be checked. A test logs the order of the checks there, or holds one until it
// lets it go. Set it before a run and clear it (null) after.
#pragma once

#include <functional>

class CObject;

void SetCheckHook(std::function<void(CObject*)> hook);
