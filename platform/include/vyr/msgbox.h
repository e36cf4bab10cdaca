// Message boxes. There is no screen: every box is recorded and answered by the scripted
// user (scripteduser.h); a box that nobody scripted fails loudly, naming its text.
#pragma once

#include <vyr/wintypes.h>

// The caption is the application's name (CWinApp::m_pszAppName).
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string table's entry nIDPrompt.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
