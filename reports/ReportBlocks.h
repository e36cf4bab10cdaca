// Pieces of text that several report chapters write alike: the heading and caption forms,
// the structure type, the wind parameters, the seismic parameter block and the two crane
// tables. The load chapters of the model report write the same blocks as the summary.
#pragma once

#include <functional>

#include <vyr/stdafx.h>
#include <vyr/model/output/output.h>

class CGlobalData;
class CStruct;

// The name of a structure type (0 to 4); empty for any other value.
CString StructureTypeName(int type);

// title(2), the text, a line end, title(0).
void OutputLevel2Heading(COutput& out, const CString& text);
// Emphasised: a line end, "表" and the name as a level-3 heading; the caption of the model
// report's tables.
void OutputTableCaption(COutput& out, const CString& name);
// A line end, four tabs, the figure's name, a line end.
void OutputFigureLine(COutput& out, const CString& name);
// A line end, the text, a line end.
void OutputBanner(COutput& out, const CString& text);

// How a crane table is captioned: the summary numbers its tables, the model report does not.
using CTableCaption = std::function<void(COutput&, const CString& name)>;

// The wind parameter lines: ground elevation, basic wind pressure, terrain roughness.
void OutputWindParameters(COutput& out, const CStruct& st);
// The crane table under the caption "工程用吊车表"; nothing (not even the caption) without
// cranes. True when written.
bool OutputCraneTable(COutput& out, CStruct& st, const CTableCaption& caption);
// The crane layout table under the caption "吊车布置信息表"; nothing without crane runs.
// The axis columns are those of the Kel 3-D edition only. True when written.
bool OutputCraneLayoutTable(COutput& out, CStruct& st, const CTableCaption& caption);
// The seismic parameters of the structure, the spectrum and the horizontal seismic cases of
// the current basic case list, each line ending in a line end and a tab.
void OutputSeismicBlock(COutput& out, CGlobalData& data);
