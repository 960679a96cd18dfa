// Identifiers of the progress window's template.
#pragma once

#define IDD_PROGRESS 3003
#define IDC_PROGRESS_TEXT 3012
