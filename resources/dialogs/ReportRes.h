// Resource ids of the report dialogs' shared controls and of the one-object report
// template.
#pragma once

#define IDD_CHECKOUTPUT 577          // "计算书输出": the one-object reports
#define IDC_REPORT_CLOSE 1015        // "关闭" in template 577
#define IDC_REPORT_TEXT 1604         // the report control of templates 571 and 577
#define IDC_REPORT_EDIT 1610         // the report control of the other report dialogs
#define IDC_REPORT_RTF 1606          // "RTF输出(推荐)"
#define IDC_REPORT_TXT 1607          // "TXT输出"
#define IDC_REPORT_WORD 1608         // "Word输出"
#define IDC_REPORT_PRINT 1033        // "打印..."
