// The tests use the shared host kit under their earlier names.
#pragma once

#include "hostkit/HostKit.h"

namespace vyrtest {
using HostMessage = vyrhost::HostMessage;
using CTestView = vyrhost::CHostView;
using CTestHost = vyrhost::CHostKit;
} // namespace vyrtest
