// A stand-in for the section-library plug-in: registered by the host kit as
// "Querport.dll" with the twelve functions the library calls, it records each call with its arguments, the lists
// and folder it was handed and the resource handle in force, and does what the test tells
// each editor to do (add a section, change one in place, answer a value).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/shell.h>

class CBeamList;
class CFloorList;
class CBeamGroupList;
class CMaterialList;
class CSectionList;
class CSectionBase;

namespace vyrtest {

struct QuerportCall
{
    std::string name;
    std::vector<int> args;       // the editors' integer arguments
    HINSTANCE resource = nullptr; // the class library's resource handle during the call
};

class QuerportStandIn
{
public:
    // What an editor does with its arguments; its answer is the editor's result.
    using Action = std::function<int(QuerportStandIn&, const std::vector<int>&)>;

    static QuerportStandIn& Inst();

    // The twelve functions by their export names, or all but the one named: what a host
    // registers as the plug-in module (CHostKit::RegisterSectionPlugin).
    static std::map<std::string, FARPROC> Exports(const char* without = nullptr);
    // Forgets calls, lists, folder and actions; editors then answer 0 and change nothing.
    void Reset();

    // "DlgSectionLibDoModal", "DlgDefineSectionLibDoModal", "DlgTaperSectionDoModal0",
    // "DlgCombineSectionLibDoModal" or "OnEditsec".
    void SetEditor(const std::string& name, Action action) { m_actions[name] = std::move(action); }
    // While set, every editor switches the resource handle to this one, as a plug-in that
    // loads its own resources does.
    void SetResourceSwitch(HINSTANCE h) { m_switchTo = h; }

    static Action Answer(int result);
    // Adds a section made by make to the handed-over list, then answers result.
    static Action AddSection(std::function<CSectionBase*()> make, int result = 1);
    // Changes the section at the position the editor is given (OnEditsec) in place.
    static Action ChangeSection(std::function<void(CSectionBase*)> change, int result = 1);

    std::vector<QuerportCall> m_calls;
    // The names of the calls, in order.
    std::vector<std::string> Names() const;

    CBeamList* m_pBeams = nullptr;
    CFloorList* m_pFloors = nullptr;
    CBeamGroupList* m_pGroups = nullptr;
    CMaterialList* m_pSteel = nullptr;
    CMaterialList* m_pConcrete = nullptr;
    CSectionList* m_pSections = nullptr;
    CString m_strPath;

    // Used by the exported functions.
    void Record(const char* name, std::vector<int> args);
    int RunEditor(const char* name, std::vector<int> args);

private:
    std::map<std::string, Action> m_actions;
    HINSTANCE m_switchTo = nullptr;
};

} // namespace vyrtest
