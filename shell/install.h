// Self-install into "C:\Program Files\Orvendal" and the desktop shortcut.
#pragma once

// Writes "Orvendal.lnk" into the desktop folder whose path the buffer (260 wide
// characters) holds, extending that path in place by the file name. A null target
// links to the running executable. The link is saved under a temporary name beside it
// and moved over the old shortcut, so the desktop holds the old shortcut or the new
// one, never half of one. Writes nothing and returns false when the buffer holds no
// path or the shortcut path would not fit; true when the shortcut was put in place.
bool CreateDesktopShortcut(const wchar_t* target, wchar_t* desktopPath);

// Start-up's install step, copying the executable where it is missing and rewriting
// the desktop shortcut, in one turn of the session's launchers (RunInstallAndLinkStep),
// on a worker thread whose handle goes to gLauncher.installThread, for the process's
// end to wait on. The worker begins once gLauncher.installMayBegin is set (see
// LetInstallStepBegin), or after two seconds at the latest, and then waits for its
// turn as long as another launcher's step lasts. When no thread can be started the
// step runs at once, unless another launcher is in its own. Touches no window, never
// reports a failure and never stops start-up.
void StartInstallStep();
