#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "../../shell/install_decision.h"

namespace {

// A simulated installation folder: creation and writing can be made to fail, another
// launcher can name its copy while this one writes, and the rename never replaces, as
// on the real file system.
struct Folder {
    bool folder, executable, leftover;  // what is there at the start
    bool creationFails, writeFails, anotherLauncherFirst;
};

class SimulatedFiles : public InstallFiles {
public:
    explicit SimulatedFiles(const Folder& start) : start_(start), folder_(start.folder),
        executable_(start.executable), leftover_(start.leftover) {}

    bool TakeTurn() override { return true; }  // one launcher alone: the turns are for the case below
    void EndTurn() override {}
    void SaveShortcut(ShortcutTarget) override {}
    bool FolderExists() override { return folder_; }
    bool ExecutableExists() override { return folder_ && executable_; }
    bool CreateFolder() override {
        actions.push_back("create");
        if (folder_ || start_.creationFails) return false;
        folder_ = true;
        return true;
    }
    void RemoveLeftoverCopies() override {
        actions.push_back("clear");
        leftover_ = false;
    }
    bool WriteTemporaryCopy() override {
        actions.push_back("write");
        if (!folder_) return false;
        temporary_ = true;  // a write that fails leaves what it wrote so far
        if (start_.anotherLauncherFirst) executable_ = true;
        return !start_.writeFails;
    }
    bool GiveCopyItsFinalName() override {
        actions.push_back("rename");
        if (!temporary_ || executable_) return false;
        temporary_ = false;
        executable_ = true;
        return true;
    }
    void DiscardTemporaryCopy() override {
        actions.push_back("discard");
        temporary_ = false;
    }

    // Anything in the folder besides the installed executable.
    bool StrayFileLeft() const { return temporary_ || leftover_; }

    std::vector<std::string> actions;

private:
    Folder start_;
    bool folder_, executable_, leftover_;
    bool temporary_ = false;
};

TEST(InstallStep, CopiesOnlyWhatIsMissingUnderItsFinalNameOnlyWhenWholeAndLeavesNothingElse) {
    using Actions = std::vector<std::string>;
    constexpr ShortcutTarget kInstalled = ShortcutTarget::InstalledCopy;
    constexpr ShortcutTarget kRunning = ShortcutTarget::RunningExecutable;
    struct Case {
        const char* name;
        Folder start;  // folder, executable, leftover, creationFails, writeFails, anotherLauncherFirst
        Actions actions;
        ShortcutTarget target;
    } cases[] = {
        {"first start", {false, false, false, false, false, false}, {"create", "write", "rename"}, kInstalled},
        {"folder cannot be created", {false, false, false, true, false, false}, {"create"}, kRunning},
        {"folder made, copy fails", {false, false, false, false, true, false}, {"create", "write", "discard"},
         kRunning},
        {"installed copy deleted", {true, false, false, false, false, false}, {"clear", "write", "rename"},
         kInstalled},
        {"installed copy deleted, copy fails", {true, false, false, false, true, false},
         {"clear", "write", "discard"}, kRunning},
        {"copy of a killed launcher left", {true, false, true, false, false, false}, {"clear", "write", "rename"},
         kInstalled},
        {"another launcher names its copy first", {true, false, false, false, false, true},
         {"clear", "write", "rename", "discard"}, kInstalled},
        {"already installed", {true, true, false, false, false, false}, {"clear"}, kInstalled},
        {"already installed, copy of a killed launcher beside it", {true, true, true, false, false, false},
         {"clear"}, kInstalled},
        {"already installed, copying would fail", {true, true, false, true, true, false}, {"clear"}, kInstalled},
    };
    for (const Case& c : cases) {
        SimulatedFiles files(c.start);
        EXPECT_EQ(RunInstallStep(files), c.target) << c.name;
        EXPECT_EQ(files.actions, c.actions) << c.name;
        EXPECT_FALSE(files.StrayFileLeft()) << c.name;
    }
}

// Two launchers' whole steps (a second start, or a relaunch while the first still
// copies) in one simulated folder of the session, each file call a point where the
// other launcher may go first. A copy being written cannot be deleted; once written
// and closed it can, until it is renamed.
struct SharedFolder {
    bool folder = false, executable = false, leftover = false;
    struct Copy {
        bool exists = false, open = false;
    } copies[2];
    int turnHolder = -1;  // the launcher in its turn
    int copiesOpen = 0, mostCopiesOpen = 0;
    enum Shortcut { NoShortcut, ToInstalledCopy, ToRunningExecutable } shortcut = NoShortcut;
};

// Runs the two launchers on threads of their own, one file call at a time, in the
// order that a list of choices gives: a choice is made wherever both could go on
// (a launcher waiting for the turn the other holds cannot). Choices past the list's
// end take the first launcher that can go; Run returns what was chosen at each such
// point and out of how many.
class Interleaving {
public:
    struct Choice {
        int taken, options;
    };

    std::vector<Choice> Run(SharedFolder& shared, const std::vector<int>& prescribed);

    // Blocks the calling launcher until it is its turn to make one file call, makes
    // it, and lets the choosing go on once it reaches its next call or its end.
    template <typename Call>
    auto Point(int launcher, bool needsTurn, Call call) {
        std::unique_lock<std::mutex> lock(mutex_);
        state_[launcher] = needsTurn ? WaitingForTurn : Waiting;
        changed_.notify_all();
        changed_.wait(lock, [&] { return state_[launcher] == Running; });
        return call();
    }

private:
    enum State { Running, Waiting, WaitingForTurn, Finished };
    bool CanGo(int launcher, const SharedFolder& shared) const {
        return state_[launcher] == Waiting ||
               (state_[launcher] == WaitingForTurn && shared.turnHolder == -1);
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    State state_[2] = {Running, Running};
};

class SimulatedLauncher : public InstallFiles {
public:
    SimulatedLauncher(int id, SharedFolder& shared, Interleaving& order) : id_(id), shared_(shared), order_(order) {}

    bool TakeTurn() override {
        return order_.Point(id_, true, [&] { return (shared_.turnHolder = id_), true; });
    }
    void EndTurn() override {
        order_.Point(id_, false, [&] { shared_.turnHolder = -1; });
    }
    bool FolderExists() override {
        return order_.Point(id_, false, [&] { return shared_.folder; });
    }
    bool ExecutableExists() override {
        return order_.Point(id_, false, [&] { return shared_.folder && shared_.executable; });
    }
    bool CreateFolder() override {
        return order_.Point(id_, false, [&] { return !shared_.folder && (shared_.folder = true); });
    }
    void RemoveLeftoverCopies() override {
        order_.Point(id_, false, [&] {
            shared_.leftover = false;
            for (SharedFolder::Copy& copy : shared_.copies) copy.exists = copy.exists && copy.open;
        });
    }
    bool WriteTemporaryCopy() override {
        const bool begun = order_.Point(id_, false, [&] {
            if (!shared_.folder) return false;
            own() = {true, true};
            shared_.mostCopiesOpen = std::max(shared_.mostCopiesOpen, ++shared_.copiesOpen);
            return true;
        });
        if (!begun) return false;
        return order_.Point(id_, false, [&] {
            own().open = false;
            --shared_.copiesOpen;
            return own().exists;
        });
    }
    bool GiveCopyItsFinalName() override {
        return order_.Point(id_, false, [&] {
            if (!own().exists || shared_.executable) return false;
            own().exists = false;
            return shared_.executable = true;
        });
    }
    void DiscardTemporaryCopy() override {
        order_.Point(id_, false, [&] { own().exists = false; });
    }
    void SaveShortcut(ShortcutTarget target) override {
        order_.Point(id_, false, [&] {
            shared_.shortcut = target == ShortcutTarget::InstalledCopy ? SharedFolder::ToInstalledCopy
                                                                       : SharedFolder::ToRunningExecutable;
        });
    }

private:
    SharedFolder::Copy& own() { return shared_.copies[id_]; }

    int id_;
    SharedFolder& shared_;
    Interleaving& order_;
};

std::vector<Interleaving::Choice> Interleaving::Run(SharedFolder& shared, const std::vector<int>& prescribed) {
    std::vector<Choice> choices;
    std::vector<std::thread> launchers;
    for (int id = 0; id < 2; ++id) {
        launchers.emplace_back([this, id, &shared] {
            SimulatedLauncher files(id, shared, *this);
            RunInstallAndLinkStep(files);
            std::lock_guard<std::mutex> lock(mutex_);
            state_[id] = Finished;
            changed_.notify_all();
        });
    }
    for (;;) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return state_[0] != Running && state_[1] != Running; });
        std::vector<int> ready;
        for (int id = 0; id < 2; ++id) {
            if (CanGo(id, shared)) ready.push_back(id);
        }
        if (ready.empty()) break;  // both finished (a deadlock would leave one waiting: checked below)
        int taken = 0;
        if (ready.size() > 1) {
            taken = choices.size() < prescribed.size() ? prescribed[choices.size()] : 0;
            choices.push_back({taken, static_cast<int>(ready.size())});
        }
        state_[ready[taken]] = Running;
        changed_.notify_all();
    }
    const bool deadlocked = state_[0] != Finished || state_[1] != Finished;
    EXPECT_FALSE(deadlocked) << "a launcher waits for a turn nobody gives back";
    if (deadlocked) std::terminate();  // its thread can never be joined
    for (std::thread& launcher : launchers) launcher.join();
    return choices;
}

// The next list of choices after one run, depth first; empty when every order was run.
std::vector<int> NextOrder(const std::vector<Interleaving::Choice>& ran) {
    std::vector<int> next;
    for (const Interleaving::Choice& choice : ran) next.push_back(choice.taken);
    while (!next.empty() && next.back() + 1 >= ran[next.size() - 1].options) next.pop_back();
    if (!next.empty()) ++next.back();
    return next;
}

TEST(InstallStep, TwoLaunchersInEveryOrderLeaveOneWholeCopyLinkedAndNeverCopyAtOnce) {
    struct Start {
        const char* name;
        bool folder, leftover;
    } starts[] = {{"no folder", false, false}, {"empty folder", true, false}, {"killed launcher's copy", true, true}};
    for (const Start& start : starts) {
        SCOPED_TRACE(start.name);
        int orders = 0;
        std::vector<int> order;
        do {
            SharedFolder shared;
            shared.folder = start.folder;
            shared.leftover = start.leftover;
            Interleaving interleaving;
            const std::vector<Interleaving::Choice> ran = interleaving.Run(shared, order);
            ++orders;
            EXPECT_TRUE(shared.executable) << "order " << orders;
            EXPECT_EQ(shared.shortcut, SharedFolder::ToInstalledCopy) << "order " << orders;
            EXPECT_FALSE(shared.copies[0].exists || shared.copies[1].exists || shared.leftover) << "order " << orders;
            EXPECT_LE(shared.mostCopiesOpen, 1) << "order " << orders;
            if (HasFailure()) return;
            order = NextOrder(ran);
        } while (!order.empty());
        // Whoever takes the turn first does the whole step, then the other: no more orders.
        EXPECT_EQ(orders, 2);
    }
}

TEST(TemporaryCopyName, RecognisesExactlyTheNamesItGivesAndNeverTheInstalledExecutable) {
    for (unsigned long id : {0ul, 4ul, 4294967295ul}) {
        EXPECT_TRUE(IsTemporaryCopyName(TemporaryCopyName(id))) << id;
    }
    EXPECT_NE(TemporaryCopyName(4), TemporaryCopyName(44));
    for (const wchar_t* other : {L"Orvendal.exe", L"ORVENDAL.EXE", L"Orvendal.exe..partial", L"Orvendal.exe.partial",
                                 L"Orvendal.exe.12a.partial", L"Orvendal.exe.-1.partial",
                                 L"Orvendal.exe.12345678901.partial", L"Orvendal.exe.12.partial.exe",
                                 L"Orvendal.exe.12.partial ", L"old Orvendal.exe.12.partial", L""}) {
        EXPECT_FALSE(IsTemporaryCopyName(other)) << other;
    }
}

constexpr wchar_t kFill = L'#';       // what the buffer held before the desktop path
constexpr wchar_t kBeyond = L'\x7f';  // what lies past the buffer's capacity

// A buffer of kDesktopPathCapacity characters holding a desktop path of the given
// length, followed by a guard area that must never be written.
std::wstring BufferWithDesktopPath(std::size_t length) {
    std::wstring buffer(kDesktopPathCapacity + 16, kBeyond);
    for (std::size_t i = 0; i < kDesktopPathCapacity; ++i) buffer[i] = kFill;
    std::wstring path = L"C:\\users\\u\\Desktop";
    while (path.size() < length) path += L"\\d";
    path.resize(length);
    buffer.replace(0, length, path);
    buffer[length] = L'\0';
    return buffer;
}

TEST(ShortcutPath, AppendsTheFileNameOnlyWhenThePathExistsAndTheWholeNameFits) {
    const std::size_t nameLength = std::wstring(kShortcutFileName).size();
    ASSERT_EQ(nameLength, 13u);
    const std::size_t longestThatFits = kDesktopPathCapacity - nameLength - 1;  // 246
    struct Case {
        std::size_t pathLength;
        bool fits;
    } cases[] = {
        {0, false},  // desktop not resolved
        {1, true},
        {18, true},
        {longestThatFits - 1, true},
        {longestThatFits, true},
        {longestThatFits + 1, false},
        {kDesktopPathCapacity - 1, false},
    };
    for (const Case& c : cases) {
        std::wstring buffer = BufferWithDesktopPath(c.pathLength);
        const std::wstring before = buffer;
        EXPECT_EQ(AppendShortcutFileName(&buffer[0], kDesktopPathCapacity), c.fits) << c.pathLength;
        if (c.fits) {
            const std::wstring path = before.substr(0, c.pathLength);
            EXPECT_EQ(std::wstring(buffer.c_str()), path + L"\\Orvendal.lnk") << c.pathLength;
            // Saved first under the temporary name beside it, which fits as well.
            EXPECT_EQ(TemporaryShortcutPath(buffer.c_str()), path + L"\\Orvendal.tmp") << c.pathLength;
            // Nothing after the terminator was touched.
            const std::size_t end = c.pathLength + nameLength + 1;
            EXPECT_EQ(buffer.substr(end), before.substr(end)) << c.pathLength;
        } else {
            EXPECT_EQ(buffer, before) << c.pathLength;
        }
    }
}

TEST(ShortcutPath, NoBufferOrNoTerminatorWithinTheCapacityIsRefused) {
    EXPECT_FALSE(AppendShortcutFileName(nullptr, kDesktopPathCapacity));

    std::wstring unterminated(kDesktopPathCapacity + 16, L'a');
    const std::wstring before = unterminated;
    EXPECT_FALSE(AppendShortcutFileName(&unterminated[0], kDesktopPathCapacity));
    EXPECT_EQ(unterminated, before);
}

}  // namespace
