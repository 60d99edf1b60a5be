#include "../core/system_folder.h"
#include "startup.h"

// The command line is not read: arguments change nothing.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // First of all: everything from here on loads DLLs (the window system's, GDI+, COM,
    // the browser control's), and none may come from the folder the launcher was
    // started from.
    RestrictDllSearchToSystemFolder();
    return RunLauncher(instance, showCommand);
}
