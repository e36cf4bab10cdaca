// Inner workings of the report writer shared by its devices: the documents that writers
// bound to one target share, and the RTF and plain-text formatting of paragraphs and tables.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <vyr/model/output/coutput.h>

namespace vyr::output {

// A run of text with its character look.
struct Run
{
    std::string text;
    float size = 10.5f;
    COLORREF colour = 0;
    bool bold = false;
    bool italic = false;
    int script = 0; // 0 normal, 1 superscript, 2 subscript
};

struct Paragraph
{
    int headingLevel = 0; // 0 body text, 1 to 4 heading levels
    int align = ALIGN_LEFT;
    int lineSpacing = 1;
    std::vector<Run> runs;
};

struct Column
{
    std::string heading;
    int width = 10; // GBK columns
};

struct Cell
{
    std::string text;
    COLORREF colour = 0;
    bool bold = false;
    bool rightAlign = false;
    float size = 10.5f;
};

enum class Format
{
    Rtf,
    Text,
};

// One document that every writer bound to the same target appends to.
class Document
{
public:
    explicit Document(Format format) : m_format(format) {}
    virtual ~Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    Format GetFormat() const { return m_format; }

    void AddParagraph(const Paragraph& p);
    // Rows of one table; the first row of a table may be its heading row.
    void AddRow(const std::vector<Column>& cols, const std::vector<Cell>& cells, bool heading);
    // Ends the table whose rows were added last (nothing when none is open).
    void EndTable(const std::vector<Column>& cols);

    // Called when a writer finished an operation; devices that show text as it comes
    // (the rich-edit control) take the new text here.
    virtual void Flush() {}

    std::mutex& Mutex() { return m_mutex; }

protected:
    // RTF document head (font, colour and style tables) for the colours used so far.
    std::string RtfHead() const;
    int ColourIndex(COLORREF c);

    // Body size from which a document hands its text to the device while it is written.
    static constexpr size_t kPieceSize = 1u << 20;
    // After each paragraph or row: a large body goes to the device (WritePiece).
    void Appended();
    // Takes the body written so far (whole paragraphs and rows) and clears it; devices
    // that show text only at the end do nothing.
    virtual void WritePiece() {}

    Format m_format;
    std::string m_body;      // formatted text not yet handed to the device
    bool m_tableOpen = false;

private:
    void RtfRun(const std::string& text, float size, COLORREF colour, bool bold, bool italic, int script);
    void RtfRuns(const std::vector<Run>& runs);
    const std::string& RowDefinition(const std::vector<Column>& cols, const std::vector<Cell>& cells, bool heading);
    std::vector<COLORREF> m_colours; // colour table entries 1..n
    std::string m_rowDef; // the last row definition and what it was built from
    std::vector<std::pair<int, float>> m_rowDefKey;
    bool m_rowDefHeading = false;
    std::string m_runHead; // "{\\f0\\fsN" of the last run's size
    int m_runHalfPoints = -1;
    std::mutex m_mutex;
};

// Appends text to an RTF body: \uN with a two-byte GBK fallback for non-ASCII, escapes.
void AppendRtfText(std::string& out, std::string_view utf8);

// The rich-edit device; null when pWnd is not a rich-edit control.
std::shared_ptr<Document> MakeRichEditDocument(CWnd* pWnd);

} // namespace vyr::output
