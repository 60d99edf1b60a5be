// Every change of the launcher's view: the one-way switch from the landing view to the
// game view, full screen in and out, hiding and showing for the boss key, and the
// game-view arrangement that the frame's size and paint handlers keep up, and fitting
// the window again when the screen changes under it. The page bridge (through
// kSwitchToGameViewMessage), the keyboard hook, the chrome buttons and the frame's
// display and setting messages all come here.
#pragma once

#include <windows.h>

#include "../core/layout.h"

// The view cell to Game, the window opaque, on the work area of its monitor. Again in
// the game view it puts the window back there.
void SwitchToGameView();

// Sets fullScreen, puts the frame over its whole monitor and the page over the whole
// frame: what F11 and the full-screen button do.
void EnterFullScreen();

// Clears fullScreen, puts the frame back on the work area with the page under the
// title bar, and repaints the bar buttons at once: what F11 and Esc do in full screen.
void LeaveFullScreen();

// The frame alone to the work area, shown and on top; its size handling lays the game
// view out.
void MoveFrameToWorkArea();

// The screen and the work area of the monitor the frame is on (the nearest one when it
// is on none). Not SPI_GETWORKAREA: that is the primary monitor's only, and Wine keeps
// a process's first answer after the screen or the task bar changed, while the
// monitor's own description follows.
MonitorAreas FrameMonitor();

// The work area changed (the task bar moved, was resized, hides itself or came back):
// the game view fits it again, full screen its screen, laid out as before. Neither
// shows, activates nor raises the window. The landing view stays where it is.
void FitToChangedWorkArea();

// The display changed (resolution, monitors): as for the work area, and the landing
// view is centred again when the screen it is on changed size.
void FitToChangedDisplay();

// Repaints the eight title-bar buttons now, in their row order.
void RepaintBarButtons();

// Boss key: F10 hides the window with any box of its that is open, and makes it the
// top of the Z order for the moment it comes back, without taking the keyboard from the
// application in front; the title-bar button only hides it. Either way only F10 shows
// it again, with the boxes it hid.
void HideFrameForBossKey();
void HideFrameByButton();
void ShowFrameAgain();

// The game view's arrangement in a W x H client area: the page under the title bar,
// the bar buttons against the right edge. Nothing in the landing view or before the
// browser host exists.
void LayOutGameView(HWND frame);

// Shows or hides the buttons to match fullScreen, as the game-view paint does first.
void MatchButtonsToFullScreen();
