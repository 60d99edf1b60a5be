#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "../../frame/boss_key_record.h"
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

TEST(BossKeyPress, PressesWithOneTimeStampAreToldApartByTheirCount) {
    F10PressCount count = {};
    const std::uint32_t times[] = {0, 0, 0, 7, 7, 8, 0};
    const std::uint32_t ordinals[] = {0, 1, 2, 0, 1, 0, 0};
    for (int i = 0; i < 7; ++i) {
        const BossKeyPress press = CountF10Press(count, times[i]);
        EXPECT_EQ(press.time, times[i]) << i;
        EXPECT_EQ(press.ordinal, ordinals[i]) << i;
    }
}

// Launchers of one session sharing a record, each with its window as it really is:
// shown or hidden by what it did with each press it took, in its own time.
class Session {
public:
    void Start(char launcher) {
        shown_[launcher] = true;  // a new launcher shows itself as usual
        EXPECT_TRUE(JoinBossKeyRecord(record_, Window(launcher), true, Alive)) << launcher;
    }
    void HideByButton(char launcher) {
        shown_[launcher] = false;
        SetShownInBossKeyRecord(record_, Window(launcher), false);
    }
    void Close(char launcher) {
        LeaveBossKeyRecord(record_, Window(launcher));
        shown_.erase(launcher);
    }
    void Kill(char launcher) {
        gone.insert(Window(launcher));
        shown_.erase(launcher);
    }
    void Take(char launcher, BossKeyPress press) {
        const BossKeyVerdict verdict = DecideBossKeyPress(record_, press, Window(launcher), shown_[launcher], Alive);
        EXPECT_NE(verdict, BossKeyVerdict::None);
        shown_[launcher] = verdict == BossKeyVerdict::ShowAll;
    }
    // "A+B-": A shown, B hidden.
    std::string Windows() const {
        std::string text;
        for (const auto& launcher : shown_) text += std::string(1, launcher.first) + (launcher.second ? "+" : "-");
        return text;
    }

    static std::uint32_t Window(char launcher) { return 0x10000u + static_cast<std::uint32_t>(launcher); }
    static bool Alive(std::uint32_t window) { return gone.count(window) == 0; }
    static std::set<std::uint32_t> gone;

private:
    BossKeyRecord record_ = {};
    std::map<char, bool> shown_;
};
std::set<std::uint32_t> Session::gone;

BossKeyPress Press(int n) {
    return {5000u + 40u * static_cast<std::uint32_t>(n), 0};
}

TEST(BossKeyRecord, EveryLauncherDoesWhatTheFirstToTakeAPressDecided) {
    // s: start, b: hidden by the bar's button, c: closed, k: killed, t: takes press n,
    // =: every launcher's window as given.
    struct Step {
        char what;
        char launcher;
        int press = 0;
        const char* windows = "";
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"in step, taken in either order",
         {{'s', 'A'}, {'s', 'B'}, {'t', 'A', 1}, {'t', 'B', 1}, {'=', 0, 0, "A-B-"}, {'t', 'B', 2}, {'t', 'A', 2},
          {'=', 0, 0, "A+B+"}}},
        {"one hidden with its button: F10 hides the other, then shows both",
         {{'s', 'A'}, {'s', 'B'}, {'b', 'B'}, {'t', 'A', 1}, {'t', 'B', 1}, {'=', 0, 0, "A-B-"}, {'t', 'B', 2},
          {'t', 'A', 2}, {'=', 0, 0, "A+B+"}, {'t', 'A', 3}, {'t', 'B', 3}, {'=', 0, 0, "A-B-"}}},
        {"one started while the others are hidden: the next F10 hides it too, the one after shows all",
         {{'s', 'A'}, {'s', 'B'}, {'t', 'A', 1}, {'t', 'B', 1}, {'s', 'C'}, {'=', 0, 0, "A-B-C+"}, {'t', 'C', 2},
          {'t', 'B', 2}, {'t', 'A', 2}, {'=', 0, 0, "A-B-C-"}, {'t', 'B', 3}, {'t', 'C', 3}, {'t', 'A', 3},
          {'=', 0, 0, "A+B+C+"}}},
        {"a busy launcher takes press 1 after another decided press 2",
         {{'s', 'A'}, {'s', 'B'}, {'t', 'A', 1}, {'t', 'A', 2}, {'t', 'A', 3}, {'t', 'B', 1}, {'=', 0, 0, "A-B-"},
          {'t', 'B', 2}, {'=', 0, 0, "A-B+"}, {'t', 'B', 3}, {'=', 0, 0, "A-B-"}}},
        {"a killed launcher's window counted as shown is not counted",
         {{'s', 'A'}, {'s', 'B'}, {'b', 'A'}, {'k', 'B'}, {'t', 'A', 1}, {'=', 0, 0, "A+"}}},
        {"a closed launcher's window is not counted",
         {{'s', 'A'}, {'s', 'B'}, {'b', 'A'}, {'c', 'B'}, {'t', 'A', 1}, {'=', 0, 0, "A+"}}},
        {"a new launcher takes over a killed one's slot",
         {{'s', 'A'}, {'k', 'A'}, {'s', 'B'}, {'b', 'B'}, {'t', 'B', 1}, {'=', 0, 0, "B+"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session session;
        for (const Step& step : c.steps) {
            switch (step.what) {
            case 's': session.Start(step.launcher); break;
            case 'b': session.HideByButton(step.launcher); break;
            case 'c': session.Close(step.launcher); break;
            case 'k': session.Kill(step.launcher); break;
            case 't': session.Take(step.launcher, Press(step.press)); break;
            case '=': EXPECT_EQ(session.Windows(), step.windows); break;
            }
        }
    }
}

TEST(BossKeyRecord, PressesWithOneTimeStampAreDecidedEachOnItsOwn) {
    Session session;
    session.Start('A');
    session.Start('B');
    const BossKeyPress first = {900, 0}, second = {900, 1};
    session.Take('A', first);
    session.Take('A', second);
    session.Take('B', first);
    EXPECT_EQ(session.Windows(), "A+B-");
    session.Take('B', second);
    EXPECT_EQ(session.Windows(), "A+B+");
}

TEST(BossKeyRecord, ALauncherFurtherBehindThanTheHistoryCatchesUpOnTheNewestVerdict) {
    Session session;
    session.Start('A');
    session.Start('B');
    const int presses = kBossKeyRememberedPresses + 5;  // odd: A ends hidden
    for (int n = 1; n <= presses; ++n) session.Take('A', Press(n));
    ASSERT_EQ(session.Windows(), "A-B+");
    session.Take('B', Press(1));  // forgotten: the newest verdict, and nothing changed for the others
    EXPECT_EQ(session.Windows(), "A-B-");
    for (int n = 2; n <= presses; ++n) session.Take('B', Press(n));
    EXPECT_EQ(session.Windows(), "A-B-");
    session.Take('B', Press(presses + 1));
    session.Take('A', Press(presses + 1));
    EXPECT_EQ(session.Windows(), "A+B+");
}

TEST(BossKeyRecord, APressAfterTheClockWrappedRoundIsNew) {
    Session session;
    session.Start('A');
    session.Start('B');
    session.Take('A', {0xFFFFFF00u, 0});
    session.Take('B', {0xFFFFFF00u, 0});
    ASSERT_EQ(session.Windows(), "A-B-");
    session.Take('B', {0x100u, 0});  // 512 ms later
    EXPECT_EQ(session.Windows(), "A-B+");
    session.Take('A', {0x100u, 0});
    EXPECT_EQ(session.Windows(), "A+B+");
}

TEST(BossKeyRecord, AFullRecordTakesNoMoreLaunchersUntilAWindowIsGone) {
    BossKeyRecord record = {};
    for (std::uint32_t window = 1; window <= kBossKeyWindowSlots; ++window) {
        ASSERT_TRUE(JoinBossKeyRecord(record, window, true, Session::Alive));
    }
    EXPECT_FALSE(JoinBossKeyRecord(record, 0x5000, true, Session::Alive));
    Session::gone.insert(7);
    EXPECT_TRUE(JoinBossKeyRecord(record, 0x5000, true, Session::Alive));
}

}  // namespace
