// A real frame window in this test process, made the way start-up makes it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>

#include "../../frame/frame_window.h"
#include "../../core/layout.h"
#include "../../core/launcher_state.h"
#include "../../shell/startup.h"

class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        static bool started = false;
        if (!started) {
            gLauncher.instance = GetModuleHandleW(nullptr);
            gLauncher.viewMode = new View(View::Landing);
            OleInitialize(nullptr);
            StartGdiplus();
            ASSERT_NE(RegisterFrameClass(), 0);
            started = true;
        }
        *gLauncher.viewMode = View::Landing;
        gLauncher.fullScreen = false;
        gLauncher.barButtonsShown = false;
        gLauncher.windowShown = true;
        gLauncher.browser = nullptr;
        gLauncher.screenWidth = GetSystemMetrics(SM_CXSCREEN);
        gLauncher.screenHeight = GetSystemMetrics(SM_CYSCREEN);
        frame = CreateFrameWindow();
        ASSERT_NE(frame, nullptr);
        gLauncher.frameWindow = frame;
    }

    // Destroying the frame would end the process, so a test's window is only hidden.
    void TearDown() override {
        if (frame) ShowWindow(frame, SW_HIDE);
    }

    void EnterGameView() { *gLauncher.viewMode = View::Game; }

    // What the keyboard hook posted for the hot keys, handed to the frame as the message
    // loop would; nothing else is delivered. How many there were.
    static int DeliverHotKeyEvents() {
        int delivered = 0;
        MSG posted;
        while (PeekMessageW(&posted, nullptr, kHotKeyEventMessage, kHotKeyEventMessage, PM_REMOVE)) {
            DispatchMessageW(&posted);
            ++delivered;
        }
        return delivered;
    }

    HWND button(ChromeButton which) const { return gLauncher.buttons[which]; }

    bool StyleVisible(HWND window) const { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

    HWND frame = nullptr;
};
