#include "support/QuerportStandIn.h"

#include <vyr/model/section/section.h>

namespace vyrtest {

namespace {

QuerportStandIn& P() { return QuerportStandIn::Inst(); }

extern "C" {
void SaSetBeamList(CBeamList* p)
{
    P().Record("SetBeamList", {});
    P().m_pBeams = p;
}
void SaSetFloorList(CFloorList* p)
{
    P().Record("SetFloorList", {});
    P().m_pFloors = p;
}
void SaSetBeamGroupList(CBeamGroupList* p)
{
    P().Record("SetBeamGroupList", {});
    P().m_pGroups = p;
}
void SaSetMaterialSteelList(CMaterialList* p)
{
    P().Record("SetMaterialSteelList", {});
    P().m_pSteel = p;
}
void SaSetMaterialConcreteList(CMaterialList* p)
{
    P().Record("SetMaterialConcreteList", {});
    P().m_pConcrete = p;
}
void SaSetSectionList(CSectionList* p)
{
    P().Record("SetSectionList", {});
    P().m_pSections = p;
}
void SaSetCurrentPath(CString path)
{
    P().Record("SetCurrentPath", {});
    P().m_strPath = path;
}
int SaSectionLib(int a, int b) { return P().RunEditor("DlgSectionLibDoModal", {a, b}); }
int SaDefineSectionLib(int a, int b, int c) { return P().RunEditor("DlgDefineSectionLibDoModal", {a, b, c}); }
int SaTaperSection() { return P().RunEditor("DlgTaperSectionDoModal0", {}); }
int SaCombineSectionLib() { return P().RunEditor("DlgCombineSectionLibDoModal", {}); }
char SaEditSection(int position) { return (char)P().RunEditor("OnEditsec", {position}); }
}

template <class Fn>
FARPROC Export(Fn fn)
{
    return reinterpret_cast<FARPROC>(fn);
}

} // namespace

QuerportStandIn& QuerportStandIn::Inst()
{
    static QuerportStandIn inst;
    return inst;
}

std::map<std::string, FARPROC> QuerportStandIn::Exports(const char* without)
{
    std::map<std::string, FARPROC> exports = {
        {"SetBeamList", Export(&SaSetBeamList)},
        {"SetFloorList", Export(&SaSetFloorList)},
        {"SetBeamGroupList", Export(&SaSetBeamGroupList)},
        {"SetMaterialSteelList", Export(&SaSetMaterialSteelList)},
        {"SetMaterialConcreteList", Export(&SaSetMaterialConcreteList)},
        {"SetSectionList", Export(&SaSetSectionList)},
        {"SetCurrentPath", Export(&SaSetCurrentPath)},
        {"DlgSectionLibDoModal", Export(&SaSectionLib)},
        {"DlgDefineSectionLibDoModal", Export(&SaDefineSectionLib)},
        {"DlgTaperSectionDoModal0", Export(&SaTaperSection)},
        {"DlgCombineSectionLibDoModal", Export(&SaCombineSectionLib)},
        {"OnEditsec", Export(&SaEditSection)},
    };
    if (without != nullptr) exports.erase(without);
    return exports;
}

void QuerportStandIn::Reset()
{
    m_calls.clear();
    m_actions.clear();
    m_switchTo = nullptr;
    m_pBeams = nullptr;
    m_pFloors = nullptr;
    m_pGroups = nullptr;
    m_pSteel = nullptr;
    m_pConcrete = nullptr;
    m_pSections = nullptr;
    m_strPath.Empty();
}

std::vector<std::string> QuerportStandIn::Names() const
{
    std::vector<std::string> names;
    for (const QuerportCall& c : m_calls)
        names.push_back(c.name);
    return names;
}

void QuerportStandIn::Record(const char* name, std::vector<int> args)
{
    m_calls.push_back(QuerportCall{name, std::move(args), AfxGetResourceHandle()});
}

int QuerportStandIn::RunEditor(const char* name, std::vector<int> args)
{
    Record(name, args);
    if (m_switchTo != nullptr) AfxSetResourceHandle(m_switchTo);
    auto it = m_actions.find(name);
    return it == m_actions.end() ? 0 : it->second(*this, args);
}

QuerportStandIn::Action QuerportStandIn::Answer(int result)
{
    return [result](QuerportStandIn&, const std::vector<int>&) { return result; };
}

QuerportStandIn::Action QuerportStandIn::AddSection(std::function<CSectionBase*()> make, int result)
{
    return [make, result](QuerportStandIn& p, const std::vector<int>&) {
        CSectionBase* sec = make();
        if (p.m_pSections == nullptr || !p.m_pSections->Add(sec, true)) delete sec;
        return result;
    };
}

QuerportStandIn::Action QuerportStandIn::ChangeSection(std::function<void(CSectionBase*)> change, int result)
{
    return [change, result](QuerportStandIn& p, const std::vector<int>& args) {
        CSectionBase* sec = (p.m_pSections != nullptr && !args.empty()) ? p.m_pSections->Get(args[0]) : nullptr;
        if (sec == nullptr) return 0;
        change(sec);
        return result;
    };
}

} // namespace vyrtest
