#include "hotkeys.h"

// Seam: the low-level keyboard hook is not built yet; no hot key works.
void InstallKeyboardHook() {}
