// Resource identifiers shared by the resource script and the code.
// Plain #defines because the resource compiler reads this file too.
// In every face pair the lit (hover) face is the plain face's identifier minus one.
#pragma once

#define IDR_LANDING_ART 104 /* type "PNG" */
#define IDI_APP 130

#define IDB_LANDING_CLOSE_HOVER 101
#define IDB_LANDING_CLOSE 102
#define IDB_LANDING_MINIMIZE_HOVER 105
#define IDB_LANDING_MINIMIZE 106
#define IDB_LANDING_REFRESH_HOVER 107
#define IDB_LANDING_REFRESH 108
#define IDB_TITLE_STRIP 112
#define IDB_BOSS_KEY_HOVER 113
#define IDB_BOSS_KEY 114
#define IDB_CLEAR_CACHE_HOVER 115
#define IDB_CLEAR_CACHE 116
#define IDB_CLOSE_HOVER 117
#define IDB_CLOSE 118
#define IDB_FULL_SCREEN_HOVER 119
#define IDB_FULL_SCREEN 120
#define IDB_LOGO 121
#define IDB_RESTORE_HOVER 122
#define IDB_RESTORE 123
#define IDB_MINIMIZE_HOVER 124
#define IDB_MINIMIZE 125
#define IDB_REFRESH_HOVER 126
#define IDB_REFRESH 127
#define IDB_SELECT_SERVER_HOVER 128
#define IDB_SELECT_SERVER 129

#define IDV_VERSION 1
#define IDM_MANIFEST 1
