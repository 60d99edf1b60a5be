// Self-install into "C:\Program Files\Orvendal" and the desktop shortcut.
#pragma once

// Copies the running executable into the installation folder where it is missing,
// never over an existing file; the installed name is only ever given to a whole copy.
// Returns the installed executable's path when the folder and the executable both
// exist afterwards, otherwise null.
const wchar_t* InstallExecutable();

// Writes "Orvendal.lnk" into the desktop folder whose path the buffer (260 wide
// characters) holds, extending that path in place by the file name. A null target
// links to the running executable. Writes nothing and returns false when the buffer
// holds no path or the shortcut path would not fit; true when the file was saved.
bool CreateDesktopShortcut(const wchar_t* target, wchar_t* desktopPath);

// Start-up's install step: copy the executable where it is missing, then rewrite the
// desktop shortcut. Never reports a failure and never stops start-up.
void InstallAndLinkToDesktop();

// Runs InstallAndLinkToDesktop on a worker thread whose handle goes to
// gLauncher.installThread, for the process's end to wait on; runs it at once when no
// thread can be started. The worker begins once gLauncher.installMayBegin is set (see
// LetInstallStepBegin), or after two seconds at the latest. Touches no window.
void StartInstallStep();
