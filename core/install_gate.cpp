#include "install_gate.h"

#include "launcher_state.h"

void LetInstallStepBegin() {
    if (gLauncher.installMayBegin) {
        SetEvent(gLauncher.installMayBegin);
    }
}

void WaitForInstallStep() {
    LetInstallStepBegin();
    if (!gLauncher.installThread) {
        return;
    }
    // Woken for sent messages only; peeking with nothing but PM_QS_SENDMESSAGE answers
    // them and takes nothing off the queue, so posted hot keys and timers stay there.
    while (MsgWaitForMultipleObjectsEx(1, &gLauncher.installThread, INFINITE, QS_SENDMESSAGE, 0) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
