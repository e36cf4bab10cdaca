#include "summary_report.h"

#include <ctime>

#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>

bool WriteSummaryReport(const CString& projectName, const CString& summary, const std::string& path,
                        DEVICE_TYPE device, CStruct* pStruct)
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

    if (pStruct != nullptr && pStruct->m_pSectionList->GetCount() > 0) {
        out.SetFlagAdd(0x10000);
        out << "表" << title(3) << title << "截面" << endl << title(0);
        out.SetFlagSub(0x10000);
        out.CreateTableHead("截面", 6, 0);
        out.CreateTableHead("名称", 16, 0);
        out.CreateTableHead("面积(cm2)", 10, 0);
        out.CreateTableHead("重量(kg/m)", 10, 0);
        const int old = out.SetPrecision(2);
        for (int i = 1; i <= (int)pStruct->m_pSectionList->GetCount(); ++i) {
            CSectionBase* sec = pStruct->m_pSectionList->Get(i);
            CString no;
            no.Format("R%d", sec->m_nNo);
            out.SetTableContent(no);
            out.SetTableContent(sec->GetSimpleSecName());
            out.SetTableContent((double)sec->GetA1());
            // The section answers kg per cm.
            out.SetTableContent((double)sec->GetMass() * 100.0);
        }
        out.EndTable();
        out.SetPrecision(old);
        out << endl;
    }
    out.Close();
    return true;
}
