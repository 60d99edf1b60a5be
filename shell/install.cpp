#include "install.h"

// Seam: self-install and the desktop shortcut are not built yet.
void InstallAndLinkToDesktop() {}
