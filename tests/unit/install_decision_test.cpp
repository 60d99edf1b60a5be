#include <gtest/gtest.h>

#include <string>
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
