#include <vyr/reports/NodeChapter.h>

#include <vyr/protocol/ReportHead.h>

namespace nodechapter {

void Title(COutput& out, const char* text, int flag)
{
    out << title(1) << title << text << endl << title(0) << endl;
    if (flag == 0)
        OutputReportHead(&out);
}

void Heading(COutput& out, const char* text) { out << title(2) << title << text << endl << title(0); }

void Heads(COutput& out, std::initializer_list<Head> heads)
{
    for (const Head& h : heads)
        out.CreateTableHead(h.text, h.width, 0);
}

void EndRuled(COutput& out)
{
    out.EndTable();
    out << "--------------------------------------------------------" << endl;
}

} // namespace nodechapter
