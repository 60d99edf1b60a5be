// Each button's command is found through the command column of the button table: a
// confirmation first when the table gives one, then the command's handler.
#include "chrome_commands.h"

#include "../browser/navigation.h"
#include "../core/launcher_state.h"
#include "../core/program_path.h"
#include "../core/shell_functions.h"
#include "../core/system_folder.h"
#include "view_changes.h"

namespace {

// The system's Internet settings component deletes the embedded browser's cache. Its
// host program is named by its full path in the system folder: given by its bare name,
// it is looked for in the current directory first, the folder of the download when
// the user started the launcher from there.
constexpr const wchar_t* kCacheCleaner = L"rundll32.exe";
constexpr const wchar_t* kCacheCleanerArguments = L"InetCpl.cpl,ClearMyTracksByProcess 8";

void SendToFrame(UINT message, WPARAM wParam) {
    SendMessageW(gLauncher.frameWindow, message, wParam, 0);
}

void Minimize() {
    SendToFrame(WM_SYSCOMMAND, SC_MINIMIZE);
}

// The bar's "restore" button fills the work area: the frame's min-max handling gives
// the maximized size.
void Maximize() {
    SendToFrame(WM_SYSCOMMAND, SC_MAXIMIZE);
}

// The frame's destruction ends the process inside this call.
void Close() {
    SendToFrame(WM_CLOSE, 0);
}

// Leaving the game (or choosing another server) starts a fresh launcher, which begins
// at the landing page again. The landing view has nothing to leave.
void RelaunchAndClose() {
    if (!InGameView()) {
        return;
    }
    // Not checked: the launcher closes whether or not the new one started.
    ShellOpen(ProgramPath(), nullptr, L"", SW_SHOWNORMAL);
    Close();
}

// Neither waited for nor checked; the page stays as it is.
void ClearCache() {
    wchar_t cleaner[MAX_PATH];
    if (SystemFolderPath(kCacheCleaner, cleaner)) {
        ShellOpen(cleaner, kCacheCleanerArguments, L"", SW_MINIMIZE);
    }
}

struct CommandHandler {
    ChromeCommand command;
    void (*run)();
};

constexpr CommandHandler kCommandHandlers[] = {
    {ChromeCommand::Minimize, Minimize},
    {ChromeCommand::Maximize, Maximize},
    {ChromeCommand::Reload, ReloadPage},
    {ChromeCommand::Close, Close},
    {ChromeCommand::RelaunchAndClose, RelaunchAndClose},
    {ChromeCommand::FullScreen, EnterFullScreen},
    {ChromeCommand::Hide, HideFrameByButton},
    {ChromeCommand::ClearCache, ClearCache},
};

// A command added to the table without a handler, or a handler out of place, is a
// build error rather than a button that silently does nothing.
constexpr bool EveryCommandHasItsHandler() {
    if (sizeof(kCommandHandlers) / sizeof(kCommandHandlers[0]) != static_cast<size_t>(ChromeCommand::Count)) {
        return false;
    }
    for (size_t i = 0; i < static_cast<size_t>(ChromeCommand::Count); ++i) {
        if (static_cast<size_t>(kCommandHandlers[i].command) != i) return false;
    }
    return true;
}
static_assert(EveryCommandHasItsHandler(), "kCommandHandlers: one handler per ChromeCommand, in the enum's order");

// The box belongs to the clicked button, not to the frame.
bool Confirmed(const ChromeButtonSpec& entry, HWND clicked) {
    return entry.confirmText == nullptr ||
           MessageBoxW(clicked, entry.confirmText, entry.confirmCaption, MB_OKCANCEL) == IDOK;
}

}  // namespace

void RunChromeCommand(ChromeButton button, HWND clicked) {
    const ChromeButtonSpec& entry = kChromeButtons[button];
    if (!Confirmed(entry, clicked)) {
        return;
    }
    kCommandHandlers[static_cast<size_t>(entry.command)].run();
}
