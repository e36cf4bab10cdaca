// The standard steel-section codes and their database tables: one row per code with the
// browser position (country, family, sub-type), the captions, the profile class, the table
// with its sort keys and the four integers the reader works with. The database generator
// reads the same rows, so the files and the library cannot drift apart.
#pragma once

namespace vyr::sections {

enum class Profile
{
    RolledEAngle,
    RolledNEAngle,
    RolledNETAngle,
    RolledIbeam,
    WeldedIbeam,
    RolledChannel,
    WeldedChannel,
    RolledHtype,
    WeldedHtype,
    RolledTbeam,
    Pipe,
    SquarePipe,
    Round,
    Square,
};

struct CatalogRow
{
    int code;
    int country;          // database index 0..3
    int family;
    const char* familyCaption;
    int subType;          // -1: every sub-type index of the family (round and square bars)
    const char* subTypeCaption;
    Profile profile;
    const char* table;
    const char* displayName;
    const char* sortKeys[4]; // null after the last
    int listColumns;      // leading fields the list shows, field 0 included
    int propCount;        // 4 or 7
    int firstProp;        // field index of the area
    int valueCount;       // numeric fields from field 1 the builder reads
};

inline constexpr const char* kCountryCaptions[4] = {"中国", "美国", "英国", "日本"};
inline constexpr const char* kDatabaseFiles[4] = {
    "\\DataBase\\中国型钢截面库.sdb", "\\DataBase\\美国型钢截面库.sdb",
    "\\DataBase\\英国型钢截面库.sdb", "\\DataBase\\日本型钢截面库.sdb"};
inline constexpr const char* kDatabasePasswords[4] = {"tor26", "tor39", "tor58", "tor73"};

// The profiled-steel-sheet database.
inline constexpr const char* kSheetDatabaseFile = "\\DataBase\\压型钢板库.pdb";
inline constexpr const char* kSheetPassword = "tor815";
inline constexpr const char* kSheetTable = "中国压型钢板";
inline constexpr const char* kSheetFields[10] = {"型号", "t(mm)", "H(mm)", "S(mm)", "Be(mm)",
                                                 "B(mm)", "Ief(cm^4/m)", "Wef(cm^3/m)", "b1(mm)", "b2(mm)"};
inline constexpr int kSheetSortKeyCount = 4;

using P = Profile;
inline constexpr CatalogRow kCatalog[] = {
    // China
    {101, 0, 0, "角钢", 0, "热轧等边", P::RolledEAngle, "热轧等边角钢", "中国 热轧等边角钢", {"b(mm)", "t(mm)"}, 3, 4, 4, 9},
    {102, 0, 0, "角钢", 1, "热轧不等边", P::RolledNEAngle, "热轧不等边角钢", "中国 热轧不等边角钢", {"h(mm)", "t(mm)"}, 4, 7, 5, 14},
    {103, 0, 1, "工字钢", 0, "热轧普通", P::RolledIbeam, "热轧普通工字钢", "中国 热轧普通工字钢", {"h(mm)", "b(mm)"}, 5, 7, 7, 14},
    {104, 0, 1, "工字钢", 1, "热轧轻型", P::RolledIbeam, "热轧轻型工字钢", "中国 热轧轻型工字钢", {"h(mm)", "b(mm)"}, 5, 7, 7, 14},
    {105, 0, 1, "工字钢", 2, "焊接", P::WeldedIbeam, "焊接工字钢", "中国 焊接工字钢", {"h0(mm)", "b(mm)", "t(mm)"}, 4, 7, 4, 13},
    {106, 0, 2, "槽钢", 0, "热轧普通", P::RolledChannel, "热轧普通槽钢", "中国 热轧普通槽钢", {"h(mm)", "b(mm)"}, 5, 7, 7, 15},
    {107, 0, 2, "槽钢", 1, "热轧轻型", P::RolledChannel, "热轧轻型槽钢", "中国 热轧轻型槽钢", {"h(mm)", "b(mm)"}, 5, 7, 7, 15},
    {108, 0, 2, "槽钢", 2, "焊接", P::WeldedChannel, "焊接槽形钢", "中国 焊接槽形钢", {"h0(mm)", "b(mm)", "tf(mm)"}, 5, 7, 5, 14},
    {109, 0, 3, "H型钢", 0, "热轧窄翼缘", P::RolledHtype, "热轧窄翼缘H型钢", "中国 热轧窄翼缘H形钢", {"h(mm)", "b(mm)"}, 5, 7, 6, 13},
    {110, 0, 3, "H型钢", 1, "热轧宽翼缘", P::RolledHtype, "热轧宽翼缘H型钢", "中国 热轧宽翼缘H形钢", {"h(mm)", "b(mm)"}, 5, 7, 6, 13},
    {111, 0, 3, "H型钢", 2, "普通焊接", P::WeldedHtype, "普通焊接H型钢", "中国 普通焊接H形钢", {"h(mm)", "b(mm)", "t(mm)", "tf(mm)"}, 5, 7, 5, 13},
    {112, 0, 3, "H型钢", 3, "大通高频焊接", P::WeldedHtype, "大通高频焊接H型钢", "中国 大通高频焊接H形钢", {"h(mm)", "b(mm)", "t(mm)", "tf(mm)"}, 5, 7, 5, 13},
    {113, 0, 4, "圆钢管", 0, "无缝圆钢管", P::Pipe, "无缝圆钢管", "中国 无缝圆钢管", {"D(mm)", "t(mm)"}, 3, 4, 3, 7},
    {114, 0, 4, "圆钢管", 1, "焊接圆钢管", P::Pipe, "焊接圆钢管", "中国 焊接圆钢管", {"D(mm)", "t(mm)"}, 3, 4, 3, 7},
    {115, 0, 5, "圆钢", -1, "圆钢", P::Round, "圆钢", "中国 圆钢", {"d(mm)"}, 2, 4, 2, 6},
    {116, 0, 6, "方钢", -1, "方钢", P::Square, "方钢", "中国 方钢", {"b(mm)"}, 2, 4, 2, 6},
    // United States (inch tables)
    {201, 1, 0, "角钢", 0, "热轧等边和不等边", P::RolledNEAngle, "角钢U", "美国 热轧角钢", {"h(ln)", "t(ln)"}, 4, 7, 4, 13},
    {202, 1, 1, "工字钢", 0, "W 型", P::RolledIbeam, "W型工字钢U", "美国 热轧W型工字钢", {"h(ln)", "b(ln)"}, 5, 7, 5, 12},
    {203, 1, 1, "工字钢", 1, "M 型", P::RolledIbeam, "M型工字钢U", "美国 热轧M型工字钢", {"h(ln)", "b(ln)"}, 5, 7, 5, 12},
    {204, 1, 1, "工字钢", 2, "S 型", P::RolledIbeam, "S型工字钢U", "美国 热轧S型工字钢", {"h(ln)", "b(ln)"}, 5, 7, 5, 12},
    {205, 1, 1, "工字钢", 3, "HP 型", P::RolledIbeam, "HP型工字钢U", "美国 热轧HP型工字钢", {"h(ln)", "b(ln)"}, 5, 7, 5, 12},
    {206, 1, 2, "槽钢", 0, "标准", P::RolledChannel, "标准槽钢U", "美国 标准槽钢", {"h(ln)", "b(ln)"}, 5, 7, 5, 13},
    {207, 1, 2, "槽钢", 1, "其他", P::RolledChannel, "其它槽钢U", "美国 其它槽钢", {"h(ln)", "b(ln)"}, 5, 7, 5, 13},
    {208, 1, 3, "T型钢", 0, "W型钢切成", P::RolledTbeam, "WT型钢U", "美国 WT型钢", {"h(ln)", "b(ln)"}, 5, 7, 5, 13},
    {209, 1, 3, "T型钢", 1, "M型钢切成", P::RolledTbeam, "MT型钢U", "美国 MT型钢", {"h(ln)", "b(ln)"}, 5, 7, 5, 13},
    {210, 1, 3, "T型钢", 2, "S型钢切成", P::RolledTbeam, "ST型钢U", "美国 ST型钢", {"h(ln)", "b(ln)", "tf(ln)"}, 5, 7, 5, 13},
    {211, 1, 4, "钢管", 0, "圆钢管", P::Pipe, "圆钢管U", "美国 圆钢管", {"d(ln)"}, 3, 4, 3, 7},
    {212, 1, 4, "钢管", 1, "矩形钢管", P::SquarePipe, "矩形钢管U", "美国 矩形钢管", {"h(ln)", "b(ln)", "t(ln)"}, 4, 7, 4, 11},
    {213, 1, 4, "钢管", 2, "方形钢管", P::SquarePipe, "正方形钢管U", "美国 方形钢管", {"b(ln)"}, 3, 4, 3, 7},
    // United Kingdom
    {301, 2, 0, "角钢", 0, "热轧等边", P::RolledEAngle, "等边角钢E", "英国 热轧等边角钢", {"b(mm)", "t(mm)"}, 3, 4, 5, 10},
    {302, 2, 0, "角钢", 1, "热轧不等边", P::RolledNEAngle, "不等边角钢E", "英国 热轧不等边角钢", {"h(mm)", "t(mm)"}, 4, 7, 6, 15},
    {303, 2, 1, "工字钢", 0, "热轧普通", P::RolledIbeam, "普通工字钢E", "英国 热轧普通工字钢", {"h(mm)", "b(mm)", "t(mm)", "tf(mm)"}, 5, 7, 6, 13},
    {304, 2, 1, "工字钢", 1, "翼缘斜度为5度", P::RolledIbeam, "翼缘内表面倾斜5度工字钢E", "英国 翼缘斜度5度工字钢", {"h(mm)", "b(mm)", "t(mm)", "tf(mm)"}, 5, 7, 7, 14},
    {305, 2, 2, "槽钢", 0, "热轧槽钢", P::RolledChannel, "槽钢E", "英国 热轧槽钢", {"h(mm)", "b(mm)"}, 5, 7, 7, 15},
    {306, 2, 3, "H型钢", 0, "普通", P::RolledHtype, "普通H形钢E", "英国 普通H形钢", {"h(mm)", "b(mm)"}, 5, 7, 6, 13},
    {307, 2, 3, "H型钢", 1, "桩用", P::RolledHtype, "桩用H形钢E", "英国 桩用H形钢", {"h(mm)", "b(mm)"}, 5, 7, 6, 13},
    {308, 2, 4, "T型钢", 0, "普通工字钢切成", P::RolledTbeam, "工字型切成T型钢E", "英国 工-T型钢", {"h(mm)", "t(mm)"}, 5, 7, 6, 14},
    {309, 2, 4, "T型钢", 1, "普通H型钢切成", P::RolledTbeam, "H型切成T型钢E", "英国 H-T型钢", {"h(mm)", "t(mm)"}, 5, 7, 6, 14},
    // Japan
    {401, 3, 0, "角钢", 0, "等边", P::RolledEAngle, "等边角钢J", "日本 热轧等边角钢", {"b(mm)", "t(mm)"}, 3, 7, 5, 14},
    {402, 3, 0, "角钢", 1, "不等边", P::RolledNEAngle, "不等边角钢J", "日本 热轧不等边角钢", {"h(mm)", "t(mm)"}, 4, 7, 6, 15},
    {403, 3, 0, "角钢", 2, "不等边不等厚", P::RolledNETAngle, "不等边不等厚角钢J", "日本 热轧不等边不等厚角钢", {"h(mm)", "t(mm)"}, 5, 7, 7, 16},
    {404, 3, 1, "工字钢", 0, "热轧工字钢", P::RolledIbeam, "工字钢J", "日本 热轧工字钢", {"h(mm)", "b(mm)"}, 5, 7, 7, 14},
    {405, 3, 2, "槽钢", 0, "热轧槽钢", P::RolledChannel, "槽钢J", "日本 热轧槽钢", {"h(mm)", "b(mm)"}, 5, 7, 7, 15},
    {406, 3, 3, "H型钢", 0, "H型钢", P::RolledHtype, "H型钢J", "日本 H形钢", {"h(mm)", "b(mm)", "t(mm)", "tf(mm)"}, 5, 7, 6, 13},
    {407, 3, 4, "T型钢", 0, "T型钢", P::RolledTbeam, "T型钢J", "日本 T型钢", {"b(mm)", "h(mm)"}, 5, 7, 7, 15},
    {408, 3, 5, "钢管", 0, "碳素钢管", P::Pipe, "碳素钢管J", "日本 碳素钢管", {"D(mm)", "t(mm)"}, 3, 4, 4, 8},
    {409, 3, 5, "钢管", 1, "厚壁钢管", P::Pipe, "厚钢管J", "日本 厚壁钢管", {"D(mm)", "t(mm)"}, 3, 4, 4, 8},
    {410, 3, 5, "钢管", 2, "正方形钢管", P::SquarePipe, "正方形钢管J", "日本 正方形钢管", {"A(mm)", "t(mm)"}, 3, 4, 4, 8},
    {411, 3, 5, "钢管", 3, "矩形钢管", P::SquarePipe, "矩形钢管J", "日本 矩形钢管", {"A(mm)", "B(mm)", "t(mm)"}, 4, 7, 5, 12},
    {412, 3, 6, "钢管柱", 0, "正方形钢管柱", P::SquarePipe, "正方形钢管柱J", "日本 正方形钢管柱", {"A(mm)", "t(mm)"}, 3, 4, 5, 9},
    {413, 3, 6, "钢管柱", 1, "矩形钢管柱", P::SquarePipe, "矩形钢管柱J", "日本 矩形钢管柱", {"A(mm)", "t(mm)"}, 4, 7, 6, 13},
    {414, 3, 6, "钢管柱", 2, "大型方钢管柱", P::SquarePipe, "大型钢管柱J", "日本 大型方钢管柱", {"A(mm)", "t(mm)"}, 3, 4, 3, 7},
};
inline constexpr int kCatalogSize = (int)(sizeof kCatalog / sizeof kCatalog[0]);

// The row of a code, or null.
inline const CatalogRow* FindCode(int code)
{
    for (const auto& r : kCatalog)
        if (r.code == code) return &r;
    return nullptr;
}

// The row of a browser position, or null. The bar families take any sub-type index.
inline const CatalogRow* FindPosition(int country, int family, int subType)
{
    for (const auto& r : kCatalog)
        if (r.country == country && r.family == family && (r.subType == subType || (r.subType < 0 && subType >= 0)))
            return &r;
    return nullptr;
}

// The sub-type index a row shows on its tab (0 for the bar families).
inline int TabSubType(const CatalogRow& r)
{
    return r.subType < 0 ? 0 : r.subType;
}

// Code ranges of the section lists; the bounds are exclusive of the round hundreds.
inline bool InRange(int code, int lo, int hi)
{
    return code > lo && code < hi;
}
inline bool IsStandardCode(int code) { return InRange(code, 100, 500) && code % 100 != 0; }
inline bool IsChinaCode(int code) { return InRange(code, 100, 200); }
inline bool IsUSCode(int code) { return InRange(code, 200, 300); }
inline bool IsUKCode(int code) { return InRange(code, 300, 400); }
inline bool IsJapanCode(int code) { return InRange(code, 400, 500); }
inline bool IsUserDefinedCode(int code) { return InRange(code, 500, 600); }
inline bool IsCombinedCode(int code) { return InRange(code, 600, 900); }
inline bool IsTwoComponentCode(int code) { return InRange(code, 700, 800); }
inline bool IsTaperedCode(int code) { return InRange(code, 900, 1000); }
// Database index of a standard code: hundreds minus one.
inline int DatabaseIndexOfCode(int code) { return code / 100 - 1; }

} // namespace vyr::sections
