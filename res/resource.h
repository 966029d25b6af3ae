// Identifiers shared by the resource script and the code. The resource
// compiler reads this file too, so it holds only preprocessor definitions.
#pragma once

#define IDI_APP 107
#define IDS_DOWNLOAD_PAGE 110
#define IDI_FLAG_UK 129
#define IDI_FLAG_DK 130
#define IDB_MASCOT 131
#define IDD_SETUP 133

#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif

// The two radio buttons must stay consecutive, Danish first: they are
// addressed as one range.
#define IDC_DANISH 1001
#define IDC_ENGLISH 1002
#define IDC_WELCOME 1003
#define IDC_FLAG_UK 1004
#define IDC_FLAG_DK 1005
#define IDC_LANGUAGE_PROMPT 1006
#define IDC_DESCRIPTION 1007
#define IDC_STANDALONE 1008
