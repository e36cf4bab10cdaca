// The head block of every calculation report chapter written on its own, and of the whole
// calculation report once: a rule of 68 "=", the software and its version, the time.
#pragma once

#include <vyr/model/output/output.h>

// Writes the block at the writer's current position. The time is read once.
void OutputReportHead(COutput* out);
