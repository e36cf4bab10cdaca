// The sample host's report: the model summary written as a report chapter with a table.
#pragma once

#include <string>

#include <vyr/model/output/output.h>

// Writes the chapter into a file of the given device (DEVICE_RTF, DEVICE_TEXT, ...).
// summary: lines "item: content", as SampleModelSummary gives them. False when the file
// cannot be written.
bool WriteSummaryReport(const CString& projectName, const CString& summary, const std::string& path,
                        DEVICE_TYPE device);
