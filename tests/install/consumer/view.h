// The consumer's own view.h: a name the library must not take for its own.
#pragma once
#ifndef CONSUMER_OWN_HEADERS
#error "a library header included the host's own view.h"
#endif

class CConsumerView : public CView
{
};
