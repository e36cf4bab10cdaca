// Everything of the platform stand-in, for the library's sources.
#pragma once

#include "wintypes.h"
#include "vyrdiag.h"
#include "gbk.h"
#include "cstring.h"
#include "object.h"
#include "gdi.h"
#include "exception.h"
#include "ctime.h"
#include "winfile.h"
#include "file.h"
#include "archive.h"
#include "collections.h"
