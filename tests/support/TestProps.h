// A small descriptor family over plain records, laid out for the property grid's edge
// cases:
//   "A" (key "Test.A") is a number that the read-only rows "B" (2 x A) and "C" (A + 1)
//   depend on; "开关" is a choice whose "开" shows the group "附加" (key "G.Extra");
//   "隐藏" is a descriptor that is never shown, standing before the group "组一"
//   (key "G.One"); "组二" (key "G.Two") follows; "对话" (key "Test.Dialog") opens a dialog;
//   "多行" (key "G.Many") holds twenty rows "m0" ... "m19" to scroll through.
// Top level, in order: A, B, C, 开关, 对话, 隐藏 (hidden), 组一 {X, Y}, 组二 {Z},
// 附加 {E} (shown for 开), 多行 {m0 ... m19}.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/prop/Prop.h>

namespace vyrtest {

class CTestRecord : public CObject
{
public:
    double a = 1.0;
    int mode = 0; // 0 关, 1 开
    double x = 0, y = 0, z = 0, e = 0;
    double m[20] = {};
};

// A list of records, as the descriptors see the model's lists.
class CTestRecordList : public CObList
{
public:
    ~CTestRecordList() override;
    // Appends n records with A = first, first + 1, ...
    void Make(int n, double first = 1.0);
};

// The dialog row: counts how often it was refreshed after its dialog.
class CTestDialogProp : public CPropValue
{
public:
    CTestDialogProp();
    void RefreshValue() override { ++m_nRefreshed; }
    int m_nRefreshed = 0;
};

// Fills root (already given its objects) with the family's rows.
void BuildTestProps(CProps& root);

} // namespace vyrtest
