#include "launcher_state.h"

LauncherState gLauncher;
