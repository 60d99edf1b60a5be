#include "install_gate.h"

#include "launcher_state.h"

void LetInstallStepBegin() {
    if (gLauncher.installMayBegin) {
        SetEvent(gLauncher.installMayBegin);
    }
}

void WaitForInstallStep() {
    LetInstallStepBegin();
    if (gLauncher.installThread) {
        WaitForSingleObject(gLauncher.installThread, INFINITE);
    }
}
