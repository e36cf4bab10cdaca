// How a database field value becomes text: the one rule of the section and sheet readers
// for list cells, detail lines and the numbers scanned back from the text.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/dao.h>

// Null "----"; integers "%d"; reals "%10.2f"; currency and dates in the class library's
// formats; texts as they are; booleans "TRUE" / "FALSE"; anything else "Unk type %d\n".
// The text is then trimmed of leading and trailing white space.
void VyrFieldToText(const COleVariant& var, CString& text);
