// A small project for the summary and model reports: nodes, members and sections added to
// a model root's structure, which owns them, and the chapter read back from a text file.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <vyr/model/output/output.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include "model/output/output_test_util.h"
#include "support/TestHelpers.h"

namespace reporttest {

struct CReportProject
{
    CGlobalData data;
    CStruct& st = *data.Struct();

    CReportProject() { data.ProjectName() = "样例"; }

    CPNode* AddNode(int no, double x, double y, double z, CSupportBase* support = nullptr)
    {
        auto* n = new CPNode(no, CPoint3D(x, y, z));
        n->SetSupport(support);
        st.m_pNodeList->AddTail(n);
        return n;
    }
    CBeam* AddMember(int no, CPNode* a, CPNode* b, int type, CSectionBase* sec = nullptr)
    {
        auto* m = new CBeam(no, a, b, type);
        if (sec)
            m->SetSection(sec);
        st.m_pBeamList->AddTail(m);
        return m;
    }
    // A section of the library with the given number and code; the list owns it.
    template <class T = CSectionBase>
    T* AddSection(int no, int type, const char* material)
    {
        auto* s = new T;
        s->m_nNo = no;
        s->m_nType = type;
        s->m_strMat = material;
        s->m_strKind.Format("S%d", no);
        st.m_pSectionList->AddTail(s);
        return s;
    }
    CFloor* AddFloor(int no, int type, double z)
    {
        auto* f = new CFloor(no, type);
        f->m_dZ = z;
        st.m_pFloorList->AddTail(f);
        return f;
    }
};

// Writes a chapter into a GBK text file and gives its lines back in UTF-8.
inline std::vector<std::string> ChapterLines(const std::function<void(COutput&)>& write)
{
    outtest::TempDir dir;
    return outtest::WriteAndReadText(dir.File("chapter.txt"), [&](COutput& out) { write(out); });
}

// Index of the first line that starts with the text (after leading blanks and tabs), or -1.
inline int FindLine(const std::vector<std::string>& lines, const std::string& start, int from = 0)
{
    for (int i = std::max(from, 0); i < (int)lines.size(); ++i)
    {
        const std::string l = outtest::Trim(lines[(size_t)i]);
        if (l.rfind(start, 0) == 0)
            return i;
    }
    return -1;
}

inline bool HasLine(const std::vector<std::string>& lines, const std::string& start)
{
    return FindLine(lines, start) >= 0;
}

inline bool Mentions(const std::vector<std::string>& lines, const std::string& text)
{
    for (const std::string& l : lines)
        if (l.find(text) != std::string::npos)
            return true;
    return false;
}

// The rows of the text table whose head line starts with the text: the word lists between
// the rule under the head and the closing rule.
inline std::vector<std::vector<std::string>> TableRows(const std::vector<std::string>& lines, const std::string& head,
                                                       int from = 0)
{
    std::vector<std::vector<std::string>> rows;
    const int at = FindLine(lines, head, from);
    if (at < 0)
        return rows;
    for (size_t i = (size_t)at + 2; i < lines.size() && lines[i].rfind("---", 0) != 0; ++i)
        rows.push_back(vyrtest::Words(lines[i]));
    return rows;
}

} // namespace reporttest
