#include <vyr/protocol/ReportHead.h>

#include <string>

#include <vyr/model/output/version.h>

void OutputReportHead(COutput* out)
{
    // One reading, so a block written across a minute boundary shows one time.
    const CTime now = CTime::GetCurrentTime();
    COutput& o = *out;
    o << title(0) << CString(std::string(68, '=').c_str()) << endl;
    o << "计算软件：\tVYR钢结构设计系列软件 VYR v" << CVersionManager::Inst().GetInnerVersion().GetVersion() << endl;
    o << "计算时间：\t" << now.GetYear() << "年" << now.GetMonth() << "月" << now.GetDay() << "日" << now.GetHour()
      << "时" << now.GetMinute() << "分" << endl
      << endl;
}
