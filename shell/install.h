// Self-install into "C:\Program Files\Orvendal" and the desktop shortcut.
#pragma once

// Start-up's install step: copy the executable where it is missing, then rewrite the
// desktop shortcut. Never reports a failure and never stops start-up.
void InstallAndLinkToDesktop();
