// The interactive run: main window, switch and sign-out.
#include "app/CorvelChg.h"

// The main window is not there yet: an interactive start ends after start-up.
int CCorvelChgApp::Run() { return 0; }
