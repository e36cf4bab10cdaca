// The sample host's report: the model summary written as a report chapter with a table.
#pragma once

#include <string>

#include <vyr/model/output/output.h>

class CStruct;

// Writes the chapter into a file of the given device (DEVICE_RTF, DEVICE_TEXT, ...).
// summary: lines "item: content", as SampleModelSummary gives them. With a structure, a
// table of its sections and their weight per metre follows. False when the file cannot
// be written.
bool WriteSummaryReport(const CString& projectName, const CString& summary, const std::string& path,
                        DEVICE_TYPE device, CStruct* pStruct = nullptr);
