// The launcher exactly as it starts, plus one thing a page would do: once the landing
// window has been painted, "external.enterGame()" runs through the system's JScript
// engine against the host's window.external. Under Wine the control has no HTML
// engine to run the portal's own script, so this is how the game view is reached for
// a look at it (scripts/screenshots).
#include <windows.h>

#include "../../browser/web_browser.h"
#include "../../core/launcher_state.h"
#include "../../core/system_folder.h"
#include "../../shell/startup.h"
#include "script_runner.h"

namespace {

constexpr UINT kCheckEveryMs = 500;

bool LandingPainted() {
    DWORD flags = 0;
    return gLauncher.frameWindow && GetLayeredWindowAttributes(gLauncher.frameWindow, nullptr, nullptr, &flags) &&
           flags == LWA_COLORKEY;
}

void CALLBACK EnterGameWhenLandingIsUp(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!gLauncher.browser || !LandingPainted()) return;
    KillTimer(nullptr, timer);
    IDispatch* external = nullptr;
    static_cast<IDocHostUIHandler*>(gLauncher.browser)->GetExternal(&external);
    RunScriptWithExternal(external, L"external.enterGame()");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    RestrictDllSearchToSystemFolder();
    SetTimer(nullptr, 0, kCheckEveryMs, EnterGameWhenLandingIsUp);
    return RunLauncher(instance, showCommand);
}
