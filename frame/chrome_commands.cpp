#include "chrome_commands.h"

// Seam: the button commands (minimize, maximize, reload, close and relaunch, full
// screen, boss key, clearing the cache) are not built yet; a release does nothing.
void RunChromeCommand(ChromeButton, HWND) {}
