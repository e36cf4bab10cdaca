// The seismic wave record library on disk. Per site class an index file (a count, then that
// many record names) and a folder of record files; a record file is free text up to a
// token "****", then the step (s), the length (s) and the accelerations (cm/s2), one per
// step. Both are read token by token, white space of any kind separating.
#pragma once

#include <string_view>
#include <vector>

#include <vyr/stdafx.h>

class CWaveFunList;

enum class EWaveRead
{
    Ok,
    NoFile,    // cannot be opened or read
    NoMarker,  // ends before a token "****"
    BadHead,   // step or length missing, not a number, or too many samples for a record
    Short,     // fewer values than length / step asks for
};

struct SWaveRecordData
{
    float step = 0.0f;
    float dist = 0.0f;
    // CWaveFun::SampleCount(dist, step) values; anything after them is ignored.
    std::vector<float> values;
};

// A record file's bytes. Numbers are whole tokens ("0.02", "-1.5e2"); a token that is not
// one, or is not finite, ends the reading as the C library's scanning would.
EWaveRead VyrParseWaveRecord(std::string_view bytes, SWaveRecordData& out);
// The record file at a Windows-style path.
EWaveRead VyrReadWaveRecord(const char* path, SWaveRecordData& out);

// An index file's names, in order: the count, then at most that many names (fewer when the
// file ends first). A count that is not a number lists nothing.
std::vector<CString> VyrParseWaveIndex(std::string_view bytes);
// False when the index file cannot be opened.
bool VyrReadWaveIndex(const char* path, std::vector<CString>& names);
// Writes "%d\n" the count, then each name followed by a line break; false when the file
// cannot be written.
bool VyrWriteWaveIndex(const char* path, const std::vector<CString>& names);

// Reads a class: the records its index names, each from folder + name + ".txt" (folder
// with its trailing backslash), replacing the list's contents. A name whose file is
// missing, lacks its "****" or ends early is left out. False, with the list untouched,
// when the index cannot be opened.
bool VyrLoadWaveClass(const char* indexPath, const char* folder, CWaveFunList& records);
