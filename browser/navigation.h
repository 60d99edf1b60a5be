// The launcher navigates in two cases only: the start page when the host is created,
// and a reload of whatever address the control shows.
#pragma once

class WebBrowser;

// "http://" + portal host + "/tovr/login", narrow in the ANSI code page. The host is
// fixed at build time (ORVENDAL_PORTAL_HOST).
extern const char* const StartPageUrl;

void NavigateToStartPage(WebBrowser& host);

// Navigates the launcher's browser again to its current address, without a history
// entry. Does nothing when there is no control or no address.
void ReloadPage();
