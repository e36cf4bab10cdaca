// Small helpers of the common library: the application folder, number texts, the flag
// that marks a hand-over to the analysis engine, and the program's option record.
#pragma once

#include <string>

#include <vyr/stdafx.h>

class CVyrFunc
{
public:
    // The application folder, Windows-style and without a trailing backslash: the base of
    // the DataBase, Wave and Template folders.
    static CString GetAppPath();
    // A database file the library ships, named below the application folder
    // ("\\DataBase\\x.sdb"), Windows-style: the application folder's own when it holds one,
    // so a host's file wins, else the library's (share/vyr beside the library's file, where
    // an installation puts it). When neither holds it: the application folder's path, and
    // *pMissing the message naming both places (empty otherwise).
    static CString FindDataBaseFile(const char* relative, CString* pMissing = nullptr);
    // The same search with the two folders given as Linux paths (libraryData may be empty).
    static CString FindDataBaseFile(const char* relative, const std::string& appFolder,
                                    const std::string& libraryData, CString* pMissing);
};

class CStringFunc
{
public:
    // The value with that many decimals ("%.*f"); a value that rounds to zero is written
    // without a minus sign.
    static CString GetStrFromDouble(double value, int decimals);
};

// Set to 1 right before the analysis engine starts and the process ends.
class CDocomDo
{
public:
    static CDocomDo& Inst();
    BYTE m_bFlag = 0;
};

// The program's options that outlive the options dialog: automatic saving of the project.
// A fresh record saves every 10 minutes into 3 rotating files, so a project is protected
// before the user ever opens the options.
class CVyrOption
{
public:
    int m_nAutoSave = 1; // 0 off, 1 on
    int m_nMinutes = 10; // interval between two saves
    int m_nFiles = 3;    // number of rotating save files
};
