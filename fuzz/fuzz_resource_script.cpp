// The resource script reader: any bytes as a script. A script that does not parse is
// refused with "file:line: message" and leaves the set it was read into as it was; what
// parses can be looked up and merged.
#include <vyr/resources.h>

#include <cstdlib>
#include <string>

#include "FuzzKit.h"

namespace {

// What the set holds before the script: a dialog with a combo box's contents and a string.
const char kBase[] = "#define IDD_BASE 100\n"
                     "#define IDC_BASE_COMBO 1000\n"
                     "IDD_BASE DIALOGEX 0, 0, 120, 60\n"
                     "STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION\n"
                     "CAPTION \"基本\"\n"
                     "FONT 9, \"宋体\"\n"
                     "BEGIN\n"
                     "    COMBOBOX IDC_BASE_COMBO, 5, 5, 60, 40, CBS_DROPDOWNLIST\n"
                     "END\n"
                     "IDD_BASE DLGINIT\n"
                     "BEGIN\n"
                     "    IDC_BASE_COMBO, 0x403, 3, 0, \"甲\"\n"
                     "    0\n"
                     "END\n"
                     "STRINGTABLE\n"
                     "BEGIN\n"
                     "    1, \"一\"\n"
                     "END\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    // Includes are looked for beside a script in a folder that does not exist.
    const std::string name = fuzzkit::Scratch() + "/none/fuzz.rc";
    vyr::ResourceSet set;
    std::string error;
    if (!set.ParseText(kBase, "base.rc", &error))
        std::abort();
    error.clear();
    if (!set.ParseText(text, name, &error)) {
        // Refused: a message that names a place, and the set unchanged.
        if (error.find(':') == std::string::npos || set.DialogCount() != 1 || set.FindDialog(100) == nullptr ||
            set.FindComboContents(100, 1000).size() != 1)
            std::abort();
        CString one;
        if (!set.FindString(1, one) || one != "一")
            std::abort();
        return 0;
    }
    for (const auto& d : set.Templates()) {
        for (const vyr::DialogControl& c : d->controls) {
            if (d->FindControl(c.id) == nullptr)
                std::abort();
            (void)set.FindComboContents(d->id, c.id);
        }
    }
    vyr::ResourceSet other;
    (void)other.Merge(set, false, &error);
    (void)other.Merge(set, true, &error);
    return 0;
}
