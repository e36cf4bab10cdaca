// What the host's panel tests share: a test's resource script added once per test program,
// the form of a selection-property panel holding only its query button, and a grid row
// found by its caption.
#pragma once

#include <functional>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include <vyr/stdafx.h>
#include <vyr/proplist.h>

namespace vyrhosttest {

// Adds a test's resource script the first time the program asks for its file; the
// failure carries the parser's error.
inline ::testing::AssertionResult AddResourceOnce(const std::string& text, const std::string& file)
{
    static std::set<std::string> added;
    if (added.count(file))
        return ::testing::AssertionSuccess();
    std::string error;
    if (!vyr::AddResourceScriptText(text, file, &error))
        return ::testing::AssertionFailure() << error;
    added.insert(file);
    return ::testing::AssertionSuccess();
}

// A 160 x 300 panel form whose one control is the query button (2002).
inline ::testing::AssertionResult AddQueryPanelTemplate(UINT id, const std::string& file)
{
    return AddResourceOnce(std::to_string(id) + R"( DIALOGEX 0, 0, 160, 300
STYLE DS_CONTROL | WS_CHILD
FONT 9, "宋体"
BEGIN
    PUSHBUTTON "查询...", 2002, 4, 4, 40, 14
END
)",
                           file);
}

// The row of a caption (depth first), or null.
inline CBCGPProp* FindRow(CBCGPPropList& list, const char* caption)
{
    std::function<CBCGPProp*(CBCGPProp*)> find = [&](CBCGPProp* p) -> CBCGPProp* {
        if (p->GetName() == caption)
            return p;
        for (int i = 0; i < p->GetSubItemsCount(); ++i)
            if (CBCGPProp* r = find(p->GetSubItem(i)))
                return r;
        return nullptr;
    };
    for (int i = 0; i < list.GetPropertyCount(); ++i)
        if (CBCGPProp* r = find(list.GetProperty(i)))
            return r;
    return nullptr;
}

} // namespace vyrhosttest
