// CDXFOutput: the graphics library's DXF writer. One writer makes one file: it starts from
// a template (IntialDXFFile), takes lines and texts layer by layer, and its destructor
// completes the file.
//
// The files are DXF R12 (AC1009), texts in GBK with $DWGCODEPAGE ANSI_936; a character
// GBK cannot hold goes out as \U+XXXX. The file is written under a temporary name in the
// same folder and renamed when complete, so a failed run (path not writable, disk full)
// leaves no file at the output path.
#pragma once

#include <memory>

#include <vyr/stdafx.h>

#include <vyr/model/geometry/geometry.h>

class CDXFWriterImpl;

class CDXFOutput
{
public:
    CDXFOutput();
    // A copy takes the current layer, text settings and pen position, but not the file:
    // only the writer that started a file completes it.
    CDXFOutput(const CDXFOutput& o);
    CDXFOutput& operator=(const CDXFOutput& o);
    virtual ~CDXFOutput();

    // Starts file from the template (bUseTemplate false, or a template that cannot be read
    // as an R12 drawing, starts from the built-in copy of the standard template). Returns 1
    // when the file was started, 0 when it cannot be created.
    int IntialDXFFile(const CString& templateFile, const CString& file, bool bUseTemplate);

    // Later entities go on this layer. A layer the template lacks is added to the file's
    // layer table; names are matched without regard to letter case, as DXF does, and
    // characters a layer name cannot hold become '_'.
    void SetCurrentLayer(const CString& name);
    // Height of later texts in drawing units and their rotation in degrees.
    void SetText(double height, double angleDegrees);
    // Text-alignment flags of the window system: horizontal TA_LEFT, TA_CENTER or TA_RIGHT;
    // vertical TA_TOP, TA_BOTTOM or TA_BASELINE. The default is TA_LEFT | TA_TOP.
    void SetTextAlign(UINT horizontal, UINT vertical);

    void TextOutA(long x, long y, const char* text);
    void TextOut3D(double x, double y, double z, const char* text);
    void Line(const CPoint2D& a, const CPoint2D& b);
    void Line3D(CPoint3D a, CPoint3D b);
    void MoveTo(long x, long y);
    void LineTo(long x, long y);

    // False once the file could not be created or a write failed; the destructor then
    // leaves no file at the output path.
    bool IsGood() const;

private:
    void CopySettings(const CDXFOutput& o);

    CString m_File;
    std::int32_t m_HAlign;
    std::int32_t m_VAlign;
    std::int32_t m_PenX;
    std::int32_t m_PenY;
    double m_TextHeight;
    double m_TextAngle;
    double m_Reserved1;
    double m_Reserved2;
    CString m_Layer;
    std::int32_t m_Started;
    std::int32_t m_Failed;
    CString m_TempFile;
    std::unique_ptr<CDXFWriterImpl> m_Impl;
};
