// Builds the read-only section and sheet databases from CSV tables.
//
//   vyr_sectiondb_gen <tables.csv> <csv folder> <output folder>
//       the four national section databases and the profiled-sheet database, each table
//       into the file of its country_index (the sheet table, without one, into the sheet file)
//   vyr_sectiondb_gen --single <tables.csv> <csv folder> <output file> <password>
//       every table of the index into one file (test fixtures)
//
// The index has a header line naming its columns; used are table, file, code,
// country_index, sort_keys (";"-separated) and, optionally, types (";"-separated declared
// types per field, for fixtures that need integers, booleans, dates or currency). A CSV
// file's header gives the field names in field order. Field 0 is the designation text, a
// column whose cells all read as numbers is DOUBLE, any other column text; an empty cell is
// null. A table without a file is created empty: the sheet table with its ten fields, a
// section table with the designation, its sort keys and numbered fields up to its count of
// values. Texts are declared with their longest GBK length and the GBK collation, so the
// reader orders them as the platform's other sorts do. Files are written under a temporary
// name and renamed when complete.
#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <vyr/gbk.h>
#include <vyr/libraries/SectionCatalog.h>

namespace fs = std::filesystem;
namespace sec = vyr::sections;

namespace {

using Row = std::vector<std::string>;

std::vector<Row> ReadCsv(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::stringstream ss;
    ss << in.rdbuf();
    std::string s = ss.str();
    if (s.size() >= 3 && (unsigned char)s[0] == 0xEF && (unsigned char)s[1] == 0xBB && (unsigned char)s[2] == 0xBF)
        s.erase(0, 3);
    std::vector<Row> rows;
    Row row;
    std::string cell;
    bool quoted = false, any = false;
    for (size_t i = 0; i < s.size(); i++) {
        char c = s[i];
        if (quoted) {
            if (c == '"' && i + 1 < s.size() && s[i + 1] == '"') {
                cell += '"';
                i++;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            any = true;
        } else if (c == ',') {
            row.push_back(cell);
            cell.clear();
            any = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') i++;
            if (any || !cell.empty()) {
                row.push_back(cell);
                rows.push_back(row);
            }
            row.clear();
            cell.clear();
            any = false;
        } else {
            cell += c;
            any = true;
        }
    }
    if (any || !cell.empty()) {
        row.push_back(cell);
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> Split(const std::string& s, char sep)
{
    std::vector<std::string> out;
    if (s.empty()) return out;
    size_t i = 0;
    for (;;) {
        size_t j = s.find(sep, i);
        out.push_back(s.substr(i, j == std::string::npos ? std::string::npos : j - i));
        if (j == std::string::npos) break;
        i = j + 1;
    }
    return out;
}

bool IsNumber(const std::string& s)
{
    if (s.empty()) return false;
    const char* b = s.c_str();
    char* e = nullptr;
    errno = 0;
    std::strtod(b, &e);
    return e != b && *e == '\0' && errno == 0;
}

std::string Quote(const std::string& name)
{
    std::string q = "\"";
    for (char c : name) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

int GbkCollate(void*, int n1, const void* a, int n2, const void* b)
{
    return vyr::GbkCompare(std::string_view((const char*)a, (size_t)n1), std::string_view((const char*)b, (size_t)n2));
}

class Db
{
public:
    explicit Db(const fs::path& path) : m_path(path), m_tmp(path.string() + ".tmp")
    {
        fs::remove(m_tmp);
        if (sqlite3_open_v2(m_tmp.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot create " + m_tmp);
        sqlite3_create_collation_v2(m_db, "GBK", SQLITE_UTF8, nullptr, GbkCollate, nullptr);
        Exec("PRAGMA journal_mode=OFF");
        Exec("BEGIN");
    }
    ~Db()
    {
        if (m_db) sqlite3_close(m_db);
        if (!m_done) fs::remove(m_tmp);
    }
    void Exec(const std::string& sql)
    {
        char* err = nullptr;
        if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
            std::string msg = err ? err : "?";
            sqlite3_free(err);
            throw std::runtime_error(msg + " in: " + sql);
        }
    }
    void SetPassword(const std::string& pwd)
    {
        Exec("CREATE TABLE VyrDatabaseInfo (name TEXT PRIMARY KEY, value TEXT)");
        Insert("VyrDatabaseInfo", {"password", pwd}, {'T', 'T'});
        Insert("VyrDatabaseInfo", {"generator", "vyr_sectiondb_gen 1"}, {'T', 'T'});
    }
    // kinds: 'T' text, 'N' number (a cell that is no number stays text), 'I' integer,
    // 'B' boolean, 'D' date text.
    void Insert(const std::string& table, const Row& cells, const std::vector<char>& kinds)
    {
        std::string sql = "INSERT INTO " + Quote(table) + " VALUES (";
        for (size_t i = 0; i < cells.size(); i++) sql += i ? ",?" : "?";
        sql += ")";
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(m_db));
        for (size_t i = 0; i < cells.size(); i++) {
            const std::string& c = cells[i];
            int k = (int)i + 1;
            char kind = i < kinds.size() ? kinds[i] : 'T';
            if (c.empty()) {
                sqlite3_bind_null(st, k);
            } else if (kind == 'B') {
                bool t = c == "1" || c == "TRUE" || c == "true" || c == "True" || c == "-1";
                sqlite3_bind_int(st, k, t ? 1 : 0);
            } else if (kind == 'I' && IsNumber(c)) {
                sqlite3_bind_int64(st, k, std::strtoll(c.c_str(), nullptr, 10));
            } else if (kind == 'N' && IsNumber(c)) {
                sqlite3_bind_double(st, k, std::strtod(c.c_str(), nullptr));
            } else {
                sqlite3_bind_text(st, k, c.c_str(), (int)c.size(), SQLITE_TRANSIENT);
            }
        }
        int rc = sqlite3_step(st);
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(m_db));
    }
    void Commit()
    {
        Exec("COMMIT");
        sqlite3_close(m_db);
        m_db = nullptr;
        fs::rename(m_tmp, m_path);
        m_done = true;
    }

private:
    fs::path m_path;
    std::string m_tmp;
    sqlite3* m_db = nullptr;
    bool m_done = false;
};

char KindOfType(const std::string& decl)
{
    std::string d;
    for (char c : decl) d += (char)std::toupper((unsigned char)c);
    if (d.rfind("TEXT", 0) == 0 || d.rfind("VARCHAR", 0) == 0 || d.rfind("MEMO", 0) == 0) return 'T';
    if (d == "SMALLINT" || d == "SHORT" || d == "INTEGER" || d == "INT" || d == "LONG") return 'I';
    if (d == "BIT" || d == "BOOLEAN") return 'B';
    if (d == "DATETIME" || d == "DATE") return 'D';
    return 'N';
}

void WriteTable(Db& db, const std::string& table, const std::vector<std::string>& names,
                const std::vector<std::string>& declTypes, const std::vector<Row>& rows)
{
    std::vector<std::string> decls(names.size());
    std::vector<char> kinds(names.size());
    for (size_t f = 0; f < names.size(); f++) {
        if (f < declTypes.size() && !declTypes[f].empty()) {
            decls[f] = declTypes[f];
            kinds[f] = KindOfType(declTypes[f]);
        } else {
            bool numeric = f > 0;
            for (const auto& r : rows)
                if (f < r.size() && !r[f].empty() && !IsNumber(r[f])) numeric = false;
            if (numeric) {
                decls[f] = "DOUBLE";
                kinds[f] = 'N';
            } else {
                int width = 1;
                for (const auto& r : rows)
                    if (f < r.size()) width = std::max(width, vyr::GbkWidth(r[f]));
                if (rows.empty() && f == 0) width = 20;
                decls[f] = "TEXT(" + std::to_string(width) + ")";
                kinds[f] = 'T';
            }
        }
        if (kinds[f] == 'T') decls[f] += " COLLATE GBK";
    }
    std::string sql = "CREATE TABLE " + Quote(table) + " (";
    for (size_t f = 0; f < names.size(); f++) sql += (f ? ", " : "") + Quote(names[f]) + " " + decls[f];
    db.Exec(sql + ")");
    for (Row r : rows) {
        r.resize(names.size());
        db.Insert(table, r, kinds);
    }
}

struct Index
{
    std::vector<std::string> header;
    std::vector<Row> rows;
    std::string Get(const Row& r, const char* col) const
    {
        for (size_t i = 0; i < header.size(); i++)
            if (header[i] == col) return i < r.size() ? r[i] : std::string();
        return std::string();
    }
};

// Writes one table of the index into the database.
void BuildTable(Db& db, const Index& idx, const Row& r, const fs::path& csvDir)
{
    std::string table = idx.Get(r, "table");
    std::string file = idx.Get(r, "file");
    std::vector<std::string> types = Split(idx.Get(r, "types"), ';');
    if (!file.empty()) {
        std::vector<Row> data = ReadCsv(csvDir / file);
        if (data.empty()) throw std::runtime_error(file + " has no header");
        std::vector<std::string> names = data.front();
        data.erase(data.begin());
        WriteTable(db, table, names, types, data);
        return;
    }
    std::vector<std::string> names;
    if (table == sec::kSheetTable) {
        for (const char* f : sec::kSheetFields) names.push_back(f);
    } else {
        const sec::CatalogRow* cat = sec::FindCode(std::atoi(idx.Get(r, "code").c_str()));
        std::vector<std::string> keys = Split(idx.Get(r, "sort_keys"), ';');
        if (keys.empty() && cat)
            for (const char* k : cat->sortKeys)
                if (k) keys.push_back(k);
        names.push_back("型号");
        for (auto& k : keys) names.push_back(k);
        int count = cat ? cat->valueCount : (int)keys.size();
        for (int k = (int)names.size(); k <= count; k++) names.push_back("F" + std::to_string(k));
    }
    WriteTable(db, table, names, types, {});
}

Index ReadIndex(const fs::path& path)
{
    Index idx;
    std::vector<Row> rows = ReadCsv(path);
    if (rows.empty()) throw std::runtime_error(path.string() + " is empty");
    idx.header = rows.front();
    idx.rows.assign(rows.begin() + 1, rows.end());
    return idx;
}

std::string FileName(const char* winRelative)
{
    std::string s = winRelative;
    return s.substr(s.rfind('\\') + 1);
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 6 && std::string(argv[1]) == "--single") {
            Index idx = ReadIndex(argv[2]);
            fs::path out = argv[4];
            if (out.has_parent_path()) fs::create_directories(out.parent_path());
            Db db(out);
            db.SetPassword(argv[5]);
            for (const auto& r : idx.rows) BuildTable(db, idx, r, argv[3]);
            db.Commit();
            return 0;
        }
        if (argc != 4) {
            std::cerr << "usage: vyr_sectiondb_gen <tables.csv> <csv folder> <output folder>\n"
                         "       vyr_sectiondb_gen --single <tables.csv> <csv folder> <file> <password>\n";
            return 2;
        }
        Index idx = ReadIndex(argv[1]);
        fs::path outDir = argv[3];
        fs::create_directories(outDir);
        for (int c = 0; c <= 4; c++) {
            bool sheet = c == 4;
            fs::path file = outDir / (sheet ? FileName(sec::kSheetDatabaseFile) : FileName(sec::kDatabaseFiles[c]));
            Db db(file);
            db.SetPassword(sheet ? sec::kSheetPassword : sec::kDatabasePasswords[c]);
            int tables = 0;
            for (const auto& r : idx.rows) {
                std::string ci = idx.Get(r, "country_index");
                bool mine = sheet ? (ci.empty() && idx.Get(r, "table") == sec::kSheetTable)
                                  : (!ci.empty() && std::atoi(ci.c_str()) == c);
                if (!mine) continue;
                BuildTable(db, idx, r, argv[2]);
                tables++;
            }
            if (tables == 0) throw std::runtime_error("no table for " + file.string());
            db.Commit();
        }
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "vyr_sectiondb_gen: " << e.what() << "\n";
        return 1;
    }
}
