#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "../../frame/hotkey_decision.h"

void PrintTo(HotKeyAction action, std::ostream* out) {
    const char* names[] = {"None", "HideWindow", "ShowWindow", "EnterFullScreen", "LeaveFullScreen"};
    *out << names[static_cast<int>(action)];
}

namespace {

using Action = HotKeyAction;

constexpr unsigned kF10 = 0x79, kF11 = 0x7A, kEsc = 0x1B, kLetterA = 0x41, kShift = 0x10;
constexpr HeldHotKeys kNothingHeld = {};

KeyEvent Down(unsigned key) {
    return {key, true};
}
KeyEvent Up(unsigned key) {
    return {key, false};
}

TEST(HotKeyDecision, AFreshPressFollowsTheStateTable) {
    struct Case {
        bool shown, game, fullScreen;
        Action f10, f11, esc;
    } cases[] = {
        {true, false, false, Action::HideWindow, Action::None, Action::None},
        {true, true, false, Action::HideWindow, Action::EnterFullScreen, Action::None},
        {true, true, true, Action::HideWindow, Action::LeaveFullScreen, Action::LeaveFullScreen},
        {false, false, false, Action::ShowWindow, Action::None, Action::None},
        {false, true, false, Action::ShowWindow, Action::None, Action::None},
        {false, true, true, Action::ShowWindow, Action::None, Action::None},
        // Full screen outside the game view never happens; the view still gates F11 and Esc.
        {true, false, true, Action::HideWindow, Action::None, Action::None},
    };
    for (const Case& c : cases) {
        const LauncherKeyState state = {c.shown, c.game, c.fullScreen};
        SCOPED_TRACE(testing::Message() << "shown " << c.shown << ", game " << c.game << ", full " << c.fullScreen);
        EXPECT_EQ(DecideHotKey(Down(kF10), state, kNothingHeld).action, c.f10);
        EXPECT_EQ(DecideHotKey(Down(kF11), state, kNothingHeld).action, c.f11);
        EXPECT_EQ(DecideHotKey(Down(kEsc), state, kNothingHeld).action, c.esc);
    }
}

// Feeds a run of events through the decision the way the hook does: the held keys
// carried from one event to the next, each action applied to the launcher's state.
std::vector<Action> Feed(LauncherKeyState state, const std::vector<KeyEvent>& events) {
    HeldHotKeys held = kNothingHeld;
    std::vector<Action> actions;
    for (const KeyEvent& event : events) {
        const HotKeyDecision decision = DecideHotKey(event, state, held);
        held = decision.held;
        actions.push_back(decision.action);
        switch (decision.action) {
        case Action::HideWindow: state.windowShown = false; break;
        case Action::ShowWindow: state.windowShown = true; break;
        case Action::EnterFullScreen: state.fullScreen = true; break;
        case Action::LeaveFullScreen: state.fullScreen = false; break;
        case Action::None: break;
        }
    }
    return actions;
}

TEST(HotKeyDecision, EachPhysicalPressActsOnceAndNothingElseActs) {
    const LauncherKeyState landing = {true, false, false};
    const LauncherKeyState game = {true, true, false};
    const LauncherKeyState fullScreen = {true, true, true};
    const Action _ = Action::None;
    struct Case {
        const char* what;
        LauncherKeyState state;
        std::vector<KeyEvent> events;
        std::vector<Action> expected;
    } cases[] = {
        {"one tap of F10 hides and stays hidden", landing, {Down(kF10), Up(kF10)}, {Action::HideWindow, _}},
        {"two taps hide and show", landing, {Down(kF10), Up(kF10), Down(kF10), Up(kF10)},
         {Action::HideWindow, _, Action::ShowWindow, _}},
        {"auto-repeat of a held F10 does not flicker", landing,
         {Down(kF10), Down(kF10), Down(kF10), Down(kF10), Up(kF10)}, {Action::HideWindow, _, _, _, _}},
        {"a held F11 switches once", game, {Down(kF11), Down(kF11), Down(kF11), Up(kF11)},
         {Action::EnterFullScreen, _, _, _}},
        {"a held Esc leaves once and then does nothing", fullScreen, {Down(kEsc), Down(kEsc), Up(kEsc)},
         {Action::LeaveFullScreen, _, _}},
        {"releases alone do nothing", game, {Up(kF10), Up(kF11), Up(kEsc)}, {_, _, _}},
        {"other keys do nothing while F10 is held", landing,
         {Down(kF10), Down(kLetterA), Up(kLetterA), Down(kShift), Up(kShift), Up(kF10)},
         {Action::HideWindow, _, _, _, _, _}},
        {"a stale F10 never wakes the hidden window on another key", landing,
         {Down(kF10), Up(kF10), Down(kLetterA), Up(kLetterA)}, {Action::HideWindow, _, _, _}},
        {"F11 pressed while F10 is held does nothing", game, {Down(kF10), Down(kF11), Up(kF11), Up(kF10)},
         {Action::HideWindow, _, _, _}},
        {"nor does F11's repeat after F10 is let go", game, {Down(kF10), Down(kF11), Up(kF10), Down(kF11), Up(kF11)},
         {Action::HideWindow, _, _, _, _}},
        {"F10 pressed while F11 is held still acts", game, {Down(kF11), Down(kF10), Up(kF10), Up(kF11)},
         {Action::EnterFullScreen, Action::HideWindow, _, _}},
        {"Esc pressed while F11 is held does nothing", fullScreen, {Down(kF11), Down(kEsc), Up(kEsc), Up(kF11)},
         {Action::LeaveFullScreen, _, _, _}},
        {"a key let go is free again, the other stays held", game,
         {Down(kF10), Down(kF11), Up(kF11), Down(kF11), Up(kF11), Up(kF10), Down(kF11)},
         {Action::HideWindow, _, _, _, _, _, _}},
        {"F11 and Esc wait for the window shown again", game,
         {Down(kF10), Up(kF10), Down(kF11), Up(kF11), Down(kF10), Up(kF10), Down(kF11), Up(kF11)},
         {Action::HideWindow, _, _, _, Action::ShowWindow, _, Action::EnterFullScreen, _}},
        {"F11 switches back and forth", game, {Down(kF11), Up(kF11), Down(kF11), Up(kF11), Down(kEsc), Up(kEsc)},
         {Action::EnterFullScreen, _, Action::LeaveFullScreen, _, _, _}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Feed(c.state, c.events), c.expected) << c.what;
    }
}

TEST(HotKeyDecision, TracksOnlyTheThreeHotKeysAsHeld) {
    const LauncherKeyState game = {true, true, false};
    HeldHotKeys held = kNothingHeld;
    held = DecideHotKey(Down(kF10), game, held).held;
    held = DecideHotKey(Down(kEsc), game, held).held;
    held = DecideHotKey(Down(kLetterA), game, held).held;
    EXPECT_TRUE(held.down[HotKeyF10]);
    EXPECT_FALSE(held.down[HotKeyF11]);
    EXPECT_TRUE(held.down[HotKeyEscape]);
    held = DecideHotKey(Up(kF10), game, held).held;
    EXPECT_FALSE(held.down[HotKeyF10]);
    EXPECT_TRUE(held.down[HotKeyEscape]);
}

}  // namespace
