// Resource ids of the storey shear and overturning moment dialog and of its diagram.
#pragma once

// Storey shear and overturning moment (template 567).
#define IDD_LAYERVMOUTPUT 567        // "楼层剪力与倾覆力矩"
#define IDC_VM_CASEGRID 1569         // the horizontal load cases, made at run time
#define IDC_VM_GRID 1003             // the storey rows of the current case, made at run time
#define IDC_VM_VIEW 1585             // "图形输出"
#define IDC_VM_DOCUMENT 1586         // "计算书输出"

// The diagram of the storey shears and moments (template 572): no controls of its own, the
// preview is made at run time.
#define IDD_LAYERVMDRAW 572          // "主方向层剪力与倾覆力矩图"
