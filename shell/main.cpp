#include "startup.h"

// The command line is not read: arguments change nothing.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return RunLauncher(instance, showCommand);
}
