// The ids of the dialog test's own template.
#pragma once

#define IDD_PROBE 9001
#define IDC_PROBE_DRAWN 9002
