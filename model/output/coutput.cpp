#include <vyr/model/output/coutput.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/output/output_impl.h>
#include <vyr/winfile.h>
#include <vyr/wnd.h>

using namespace vyr::output;

namespace {

// A file document. A small one is written when the last writer lets it go; a large one
// goes out in pieces as it grows. The RTF head lists the colours the body uses, so the
// head of a document written in pieces is written first with room to spare (line breaks,
// which RTF readers skip) and written again, complete, at the end.
class FileDocument : public Document
{
public:
    FileDocument(Format format, std::ofstream&& file, std::string path, std::string key)
        : Document(format), m_file(std::move(file)), m_path(std::move(path)), m_key(std::move(key))
    {
        // Room for a whole piece, so the body never grows by copying.
        m_body.reserve(kPieceSize + kPieceSize / 4);
    }
    ~FileDocument() override;

private:
    void WritePiece() override;
    void WriteBody();
    // Room kept for the head: enough for some hundred colours.
    static constexpr size_t kHeadRoom = 8192;

    std::ofstream m_file;
    std::string m_path;
    std::string m_key;
    size_t m_headSize = 0; // bytes kept for the head; 0 while nothing is written
};

void FileDocument::WriteBody()
{
    if (m_format == Format::Rtf)
        m_file.write(m_body.data(), (std::streamsize)m_body.size());
    else
        // Text reports are files of the GBK application: written in its code page. A piece
        // ends between paragraphs or rows, never inside a character.
        m_file << vyr::Utf8ToGbk(m_body);
    m_body.clear();
}

void FileDocument::WritePiece()
{
    if (m_format == Format::Rtf && m_headSize == 0) {
        std::string head = RtfHead();
        m_headSize = head.size() + kHeadRoom;
        head.resize(m_headSize, '\n');
        m_file.write(head.data(), (std::streamsize)head.size());
    }
    WriteBody();
}

std::mutex g_registryMutex;
std::map<std::string, std::weak_ptr<Document>>& Registry()
{
    static std::map<std::string, std::weak_ptr<Document>> r;
    return r;
}

FileDocument::~FileDocument()
{
    if (m_format == Format::Rtf && m_headSize == 0) {
        m_file << RtfHead();
        WriteBody();
        m_file << "}\n";
    } else if (m_format == Format::Rtf) {
        WriteBody();
        m_file << "}\n";
        std::string head = RtfHead();
        if (head.size() <= m_headSize) {
            head.resize(m_headSize, '\n');
            m_file.seekp(0);
            m_file.write(head.data(), (std::streamsize)head.size());
        } else {
            // More colours than the room kept: the body moves behind the longer head.
            m_file.close();
            std::ifstream in(std::filesystem::path(m_path), std::ios::binary);
            in.seekg((std::streamoff)m_headSize);
            std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            in.close();
            m_file.open(std::filesystem::path(m_path), std::ios::binary | std::ios::trunc);
            m_file << head << body;
        }
    } else {
        WriteBody();
    }
    m_file.close();
    std::lock_guard<std::mutex> lock(g_registryMutex);
    auto it = Registry().find(m_key);
    if (it != Registry().end() && it->second.expired()) Registry().erase(it);
}

// Callers build Windows-style paths (the project folder and a file name); the file is the
// Linux file they name.
std::string LinuxPath(const CString& path) { return VyrMapPath(path.GetString()); }

std::string PathKey(const std::string& linuxPath)
{
    std::error_code ec;
    std::filesystem::path p = std::filesystem::weakly_canonical(std::filesystem::absolute(linuxPath, ec), ec);
    return "file:" + p.string();
}

Format FormatOf(DEVICE_TYPE type) { return type == DEVICE_TEXT ? Format::Text : Format::Rtf; }

std::string FormatNumber(double v, int precision)
{
    return CStringFunc::GetStrFromDouble(v, precision).str();
}

struct TextStyle
{
    bool bold = false;
    bool italic = false;
    float size = 10.5f;
    int align = ALIGN_LEFT;
    int lineSpacing = 1;
};

} // namespace

struct COutputImpl
{
    std::atomic<int> refs{1};
    std::shared_ptr<Document> doc;
    DEVICE_TYPE type = DEVICE_NONE;

    float fontSize = 10.5f;
    int precision = 3;
    COLORREF colour = 0;
    DWORD flags = 0;
    int titleLevel = 0;
    bool headingLine = false;
    int strWidth = 0;
    int align = ALIGN_LEFT;
    TextStyle styles[5];

    std::vector<Run> line;
    std::vector<Column> cols;
    std::vector<Cell> row;
    bool headEmitted = false;

    COutputImpl()
    {
        styles[1] = {true, false, 16.0f, ALIGN_CENTER, 1};
        styles[2] = {true, false, 14.0f, ALIGN_LEFT, 1};
        styles[3] = {true, false, 12.0f, ALIGN_LEFT, 1};
        styles[4] = {true, false, 10.5f, ALIGN_LEFT, 1};
    }

    bool Emphasis() const { return (flags & OUTPUT_FLAG_EMPHASIS) != 0; }

    void AddRun(std::string text, int script = 0, bool pad = true)
    {
        if (strWidth > 0 && script == 0 && pad) {
            const int w = vyr::GbkWidth(text);
            if (w < strWidth) text.append((size_t)(strWidth - w), ' ');
        }
        Run r;
        r.text = std::move(text);
        r.size = fontSize;
        r.colour = colour;
        r.bold = Emphasis() || styles[0].bold;
        r.italic = styles[0].italic;
        r.script = script;
        line.push_back(std::move(r));
    }

    // Writes the current line as a paragraph; an empty line only when asked to (endl).
    void EndLine(bool force)
    {
        if (!doc) {
            line.clear();
            headingLine = false;
            return;
        }
        if (line.empty() && !force) return;
        std::lock_guard<std::mutex> lock(doc->Mutex());
        // A paragraph between table rows closes the table's rows written so far.
        doc->EndTable(cols);
        Paragraph p;
        p.headingLevel = headingLine ? titleLevel : 0;
        const TextStyle& st = styles[p.headingLevel >= 0 && p.headingLevel <= 4 ? p.headingLevel : 0];
        p.align = p.headingLevel > 0 ? st.align : align;
        p.lineSpacing = st.lineSpacing;
        p.runs = std::move(line);
        if (p.headingLevel > 0) {
            for (Run& r : p.runs) {
                r.bold = r.bold || st.bold;
                r.italic = r.italic || st.italic;
                r.size = st.size;
            }
        }
        doc->AddParagraph(p);
        line.clear();
        headingLine = false;
    }

    void EmitRow(bool heading)
    {
        std::lock_guard<std::mutex> lock(doc->Mutex());
        if (heading) {
            std::vector<Cell> cells;
            cells.reserve(cols.size());
            for (const Column& c : cols) {
                Cell cell;
                cell.text = c.heading;
                cell.size = fontSize;
                cell.bold = true;
                cells.push_back(std::move(cell));
            }
            doc->AddRow(cols, cells, true);
        } else {
            doc->AddRow(cols, row, false);
        }
    }

    void AddCell(std::string text, bool number)
    {
        if (cols.empty() || !doc) return;
        if (!headEmitted) {
            EndLine(false);
            EmitRow(true);
            headEmitted = true;
        }
        Cell c;
        c.text = std::move(text);
        c.colour = colour;
        c.bold = Emphasis();
        c.rightAlign = number && (flags & OUTPUT_FLAG_NUMBERS) != 0;
        c.size = fontSize;
        row.push_back(std::move(c));
        if (row.size() == cols.size()) {
            EmitRow(false);
            row.clear();
        }
    }

    void FinishTable()
    {
        if (cols.empty()) return;
        if (doc) {
            if (!headEmitted) {
                EndLine(false);
                EmitRow(true);
            }
            if (!row.empty()) {
                row.resize(cols.size());
                EmitRow(false);
            }
            std::lock_guard<std::mutex> lock(doc->Mutex());
            doc->EndTable(cols);
        }
        cols.clear();
        row.clear();
        headEmitted = false;
    }

    void Flush()
    {
        if (doc) doc->Flush();
    }

    // Ends the current binding: pending text and tables go out first.
    void Release()
    {
        EndLine(false);
        FinishTable();
        Flush();
        doc.reset();
        type = DEVICE_NONE;
    }
};

COutput::COutput() : m_pImpl(new COutputImpl) {}

COutput::COutput(const COutput& other) : m_pImpl(other.m_pImpl)
{
    m_pImpl->refs.fetch_add(1);
}

COutput& COutput::operator=(const COutput& other)
{
    if (other.m_pImpl == m_pImpl) return *this;
    other.m_pImpl->refs.fetch_add(1);
    if (m_pImpl->refs.fetch_sub(1) == 1) {
        m_pImpl->Release();
        delete m_pImpl;
    }
    m_pImpl = other.m_pImpl;
    return *this;
}

COutput::~COutput()
{
    if (m_pImpl->refs.fetch_sub(1) == 1) {
        m_pImpl->Release();
        delete m_pImpl;
    }
}

bool COutput::InitDevice(DEVICE_TYPE type, CWnd* pWnd)
{
    m_pImpl->Release();
    if (type != DEVICE_RICHEDIT || pWnd == nullptr) return false;
    const std::string key = "wnd:" + std::to_string((std::uintptr_t)pWnd->GetSafeHwnd());
    std::shared_ptr<Document> doc;
    {
        std::lock_guard<std::mutex> lock(g_registryMutex);
        doc = Registry()[key].lock();
    }
    if (!doc) {
        doc = MakeRichEditDocument(pWnd);
        if (!doc) return false;
        std::lock_guard<std::mutex> lock(g_registryMutex);
        Registry()[key] = doc;
    }
    m_pImpl->doc = doc;
    m_pImpl->type = type;
    return true;
}

bool COutput::InitDevice(DEVICE_TYPE type, const CString& path, DWORD /*flags*/)
{
    m_pImpl->Release();
    if (type != DEVICE_RTF && type != DEVICE_TEXT && type != DEVICE_WORD) return false;
    if (path.IsEmpty()) return false;
    const std::string linuxPath = LinuxPath(path);
    const std::string key = PathKey(linuxPath);
    std::lock_guard<std::mutex> lock(g_registryMutex);
    std::shared_ptr<Document> doc = Registry()[key].lock();
    if (doc) {
        // One document per file: a writer of another format cannot join it.
        if (doc->GetFormat() != FormatOf(type)) return false;
    } else {
        std::ofstream f(std::filesystem::path(linuxPath), std::ios::binary | std::ios::trunc);
        if (!f) {
            Registry().erase(key);
            return false;
        }
        doc = std::make_shared<FileDocument>(FormatOf(type), std::move(f), linuxPath, key);
        Registry()[key] = doc;
    }
    m_pImpl->doc = doc;
    m_pImpl->type = type;
    return true;
}

void COutput::Close() { m_pImpl->Release(); }

DEVICE_TYPE COutput::GetDeviceType() const { return m_pImpl->type; }

COutput& COutput::operator<<(const CString& text)
{
    m_pImpl->AddRun(text.str());
    return *this;
}

COutput& COutput::operator<<(const char* text)
{
    m_pImpl->AddRun(text ? text : "");
    return *this;
}

COutput& COutput::operator<<(int value)
{
    m_pImpl->AddRun(std::to_string(value));
    return *this;
}

COutput& COutput::operator<<(long value)
{
    m_pImpl->AddRun(std::to_string(value));
    return *this;
}

COutput& COutput::operator<<(unsigned int value)
{
    m_pImpl->AddRun(std::to_string(value));
    return *this;
}

COutput& COutput::operator<<(unsigned long value)
{
    m_pImpl->AddRun(std::to_string(value));
    return *this;
}

COutput& COutput::operator<<(float value)
{
    m_pImpl->AddRun(FormatNumber(value, m_pImpl->precision));
    return *this;
}

COutput& COutput::operator<<(double value)
{
    m_pImpl->AddRun(FormatNumber(value, m_pImpl->precision));
    return *this;
}

COutput& COutput::operator<<(COutput& (*manip)(COutput&)) { return manip(*this); }

COutput& COutput::operator<<(const COutputMani_Int& manip) { return manip.m_pfn(*this, manip.m_nValue); }

COutput& COutput::operator<<(const COutputMani_CString& manip)
{
    return manip.m_pfn(*this, manip.m_strValue);
}

void COutput::NewLine()
{
    m_pImpl->EndLine(true);
    if (m_pImpl->cols.empty()) m_pImpl->Flush();
}

void COutput::Tab() { m_pImpl->AddRun("\t", 0, false); }

void COutput::MarkHeading() { m_pImpl->headingLine = true; }

void COutput::SetTitleLevel(int level) { m_pImpl->titleLevel = level < 0 ? 0 : (level > 4 ? 4 : level); }

void COutput::SetStrWidth(int width) { m_pImpl->strWidth = width < 0 ? 0 : width; }

void COutput::WriteSuper(const CString& text)
{
    // The raised position says what the caret says in plain text.
    std::string t = text.str();
    if (m_pImpl->type != DEVICE_TEXT && !t.empty() && t[0] == '^') t.erase(0, 1);
    m_pImpl->AddRun(t, m_pImpl->type == DEVICE_TEXT ? 0 : 1);
}

void COutput::WriteSub(const CString& text) { m_pImpl->AddRun(text.str(), m_pImpl->type == DEVICE_TEXT ? 0 : 2); }

void COutput::CreateTableHead(const CString& heading, int width, DWORD /*flags*/)
{
    // Heads after rows start a new table.
    if (m_pImpl->headEmitted) m_pImpl->FinishTable();
    Column c;
    c.heading = heading.str();
    c.width = width < 1 ? 1 : width;
    m_pImpl->cols.push_back(std::move(c));
}

void COutput::SetTableContent(const CString& text) { m_pImpl->AddCell(text.str(), false); }

void COutput::SetTableContent(double value) { m_pImpl->AddCell(FormatNumber(value, m_pImpl->precision), true); }

void COutput::SetTableContent(long value) { m_pImpl->AddCell(std::to_string(value), true); }

void COutput::SetTableContent(int value) { m_pImpl->AddCell(std::to_string(value), true); }

void COutput::EndTable()
{
    m_pImpl->FinishTable();
    m_pImpl->Flush();
}

float COutput::SetFontSize(float size)
{
    const float old = m_pImpl->fontSize;
    if (size > 0) m_pImpl->fontSize = size;
    return old;
}

int COutput::SetPrecision(int decimals)
{
    const int old = m_pImpl->precision;
    m_pImpl->precision = decimals < 0 ? 0 : decimals;
    return old;
}

DWORD COutput::SetFontColor(const DWORD& colour)
{
    const DWORD old = m_pImpl->colour;
    m_pImpl->colour = colour;
    return old;
}

DWORD COutput::SetFlagAdd(DWORD flags)
{
    const DWORD old = m_pImpl->flags;
    m_pImpl->flags |= flags;
    return old;
}

DWORD COutput::SetFlagSub(DWORD flags)
{
    const DWORD old = m_pImpl->flags;
    m_pImpl->flags &= ~flags;
    return old;
}

void COutput::SetTextStyle(int level, bool bold, bool italic, float size, int align, int lineSpacing)
{
    if (level < 0 || level > 4) return;
    TextStyle& st = m_pImpl->styles[level];
    st.bold = bold;
    st.italic = italic;
    if (size > 0) st.size = size;
    st.align = align >= ALIGN_LEFT && align <= ALIGN_RIGHT ? align : ALIGN_LEFT;
    st.lineSpacing = lineSpacing < 1 ? 1 : lineSpacing;
    if (level == 0 && size > 0) m_pImpl->fontSize = size;
}

int COutput::SetAlignment(ALIGNMENT align)
{
    const int old = m_pImpl->align;
    m_pImpl->align = align >= ALIGN_LEFT && align <= ALIGN_RIGHT ? align : ALIGN_LEFT;
    return old;
}

COutput& endl(COutput& out)
{
    out.NewLine();
    return out;
}

COutput& tab(COutput& out)
{
    out.Tab();
    return out;
}

COutput& title(COutput& out)
{
    out.MarkHeading();
    return out;
}

static COutput& SetTitle(COutput& out, int level)
{
    out.SetTitleLevel(level);
    return out;
}

static COutput& SetWidth(COutput& out, int width)
{
    out.SetStrWidth(width);
    return out;
}

static COutput& Super(COutput& out, const CString& text)
{
    out.WriteSuper(text);
    return out;
}

static COutput& Sub(COutput& out, const CString& text)
{
    out.WriteSub(text);
    return out;
}

COutputMani_Int title(int level) { return {&SetTitle, level}; }
COutputMani_Int strwidth(int width) { return {&SetWidth, width}; }
COutputMani_CString super(const CString& text) { return {&Super, text}; }
COutputMani_CString sub(const CString& text) { return {&Sub, text}; }
