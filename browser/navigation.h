// The launcher navigates in two cases only: the start page when the host is created,
// and a reload of whatever address the control shows.
#pragma once

class WebBrowser;

// "http://" + portal host + "/tovr/login", narrow in the ANSI code page. The host is
// fixed at build time (ORVENDAL_PORTAL_HOST).
extern const char* const StartPageUrl;

// Navigates the host's control to the start page; the host's constructor calls it once
// the control exists.
void OpenStartPage(WebBrowser& host);

// A newly allocated, NUL-terminated wide copy of a narrow ANSI string (the start page is
// stored narrow); the caller frees it with delete[]. An empty string gives an array
// holding only the terminator.
wchar_t* AnsiToWide(const char* text);

// Navigates the launcher's browser again to its current address, without a history
// entry. Does nothing when there is no control or no address.
void ReloadPage();
