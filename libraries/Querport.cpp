#include <vyr/libraries/Querport.h>

#include <utility>

#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/struct/structure.h>

namespace {

void ShowMissingPlugin() { AfxMessageBox("找不到截面库插件" QUERPORT_FILE "！"); }

void ShowMissingFunction(const char* name)
{
    CString text;
    text.Format("截面库插件" QUERPORT_FILE "中没有函数%s！", name);
    AfxMessageBox(text);
}

template <class Fn>
Fn Lookup(HMODULE hModule, const char* name)
{
    return reinterpret_cast<Fn>(::GetProcAddress(hModule, name));
}

// The frame every editor runs in. R is the editor's result type; nothing of the plug-in
// runs unless it loaded and has every function the call needs.
template <class R, class Fn, class... Args>
R RunEditor(CGlobalData* data, const char* name, Args... args)
{
    HINSTANCE saved = AfxGetResourceHandle();
    R result = 0;
    CString path = CVyrFunc::GetAppPath() + "\\" QUERPORT_FILE;
    HMODULE module = ::LoadLibrary(path);
    if (module == nullptr) {
        ShowMissingPlugin();
    } else {
        Fn editor = Lookup<Fn>(module, name);
        if (editor == nullptr)
            ShowMissingFunction(name);
        else if (QuerportSetModelLists(data, module))
            result = editor(args...);
        ::FreeLibrary(module);
    }
    AfxSetResourceHandle(saved);
    return result;
}

} // namespace

bool QuerportSetModelLists(CGlobalData* data, HMODULE hModule)
{
    auto setBeams = Lookup<QuerportSetBeamListFn>(hModule, "SetBeamList");
    auto setFloors = Lookup<QuerportSetFloorListFn>(hModule, "SetFloorList");
    auto setGroups = Lookup<QuerportSetBeamGroupListFn>(hModule, "SetBeamGroupList");
    auto setSteel = Lookup<QuerportSetMaterialListFn>(hModule, "SetMaterialSteelList");
    auto setConcrete = Lookup<QuerportSetMaterialListFn>(hModule, "SetMaterialConcreteList");
    auto setSections = Lookup<QuerportSetSectionListFn>(hModule, "SetSectionList");
    auto setPath = Lookup<QuerportSetCurrentPathFn>(hModule, "SetCurrentPath");
    const std::pair<bool, const char*> needed[] = {
        {setBeams != nullptr, "SetBeamList"},
        {setFloors != nullptr, "SetFloorList"},
        {setGroups != nullptr, "SetBeamGroupList"},
        {setSteel != nullptr, "SetMaterialSteelList"},
        {setConcrete != nullptr, "SetMaterialConcreteList"},
        {setSections != nullptr, "SetSectionList"},
        {setPath != nullptr, "SetCurrentPath"},
    };
    for (const auto& [found, name] : needed)
        if (!found) {
            ShowMissingFunction(name);
            return false;
        }
    CStruct* s = data->Struct();
    setBeams(s->m_pBeamList);
    setFloors(s->m_pFloorList);
    setGroups(s->m_pBeamGroupList);
    setSteel(s->m_pMaterialSteelList);
    setConcrete(s->m_pMaterialConcreteList);
    setSections(s->m_pSectionList);
    setPath(CVyrFunc::GetAppPath());
    return true;
}

int QuerportSectionLibDoModal(CGlobalData* data, int a, int b)
{
    return RunEditor<int, QuerportSectionLibFn>(data, "DlgSectionLibDoModal", a, b);
}

int QuerportDefineSectionLibDoModal(CGlobalData* data, int a, int b, int c)
{
    return RunEditor<int, QuerportDefineSectionLibFn>(data, "DlgDefineSectionLibDoModal", a, b, c);
}

int QuerportTaperSectionDoModal(CGlobalData* data)
{
    return RunEditor<int, QuerportNoArgFn>(data, "DlgTaperSectionDoModal0");
}

int QuerportCombineSectionLibDoModal(CGlobalData* data)
{
    return RunEditor<int, QuerportNoArgFn>(data, "DlgCombineSectionLibDoModal");
}

char QuerportEditSection(CGlobalData* data, int position)
{
    return RunEditor<char, QuerportEditSectionFn>(data, "OnEditsec", position);
}
