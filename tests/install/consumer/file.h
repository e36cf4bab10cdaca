// The consumer's own file.h: a name the library must not take for its own.
#pragma once
#ifndef CONSUMER_OWN_HEADERS
#error "a library header included the host's own file.h"
#endif

struct ConsumerFile
{
    CString name;
};
