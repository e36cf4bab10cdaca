#include "summary_report.h"

#include <ctime>

bool WriteSummaryReport(const CString& projectName, const CString& summary, const std::string& path,
                        DEVICE_TYPE device)
{
    COutput out;
    if (!out.InitDevice(device, CString(path), 1)) return false;
    out.SetFontSize(9);
    out << title(1) << title << projectName << "模型概况" << endl << title(0);
    out << CString('=', 68) << endl;
    out << "计算软件：" << tab << "VYR钢结构设计系列软件 VYR v"
        << CVersionManager::Inst().GetInnerVersion().GetVersion() << endl;
    const std::time_t now = std::time(nullptr);
    const std::tm* t = std::localtime(&now);
    out << "计算时间：" << tab << t->tm_year + 1900 << "年" << t->tm_mon + 1 << "月" << t->tm_mday << "日"
        << t->tm_hour << "时" << t->tm_min << "分" << endl << endl;

    out.SetFlagAdd(0x10000);
    out << "表" << title(3) << title << "模型构成" << endl << title(0);
    out.SetFlagSub(0x10000);
    out.CreateTableHead("项目", 12, 0);
    out.CreateTableHead("内容", 40, 0);
    const std::string& s = summary.str();
    size_t start = 0;
    while (start < s.size()) {
        size_t end = s.find('\n', start);
        if (end == std::string::npos) end = s.size();
        const std::string line = s.substr(start, end - start);
        start = end + 1;
        if (line.empty()) continue;
        const size_t colon = line.find(": ");
        out.SetTableContent(CString(colon == std::string::npos ? line : line.substr(0, colon)));
        out.SetTableContent(CString(colon == std::string::npos ? std::string() : line.substr(colon + 2)));
    }
    out.EndTable();
    out << endl;
    out.Close();
    return true;
}
