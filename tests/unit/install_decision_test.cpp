#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../shell/install_decision.h"

namespace {

// A simulated installation folder: creation and copying can be made to fail, and the
// copy never overwrites, as on the real file system.
class SimulatedFiles : public InstallFiles {
public:
    SimulatedFiles(bool folder, bool executable, bool creationFails, bool copyFails)
        : folder_(folder), executable_(executable), creationFails_(creationFails), copyFails_(copyFails) {}

    bool FolderExists() override { return folder_; }
    bool ExecutableExists() override { return folder_ && executable_; }
    bool CreateFolder() override {
        actions.push_back("create");
        if (folder_ || creationFails_) return false;
        folder_ = true;
        return true;
    }
    void CopyExecutable() override {
        actions.push_back("copy");
        if (!folder_ || copyFails_) return;
        if (executable_) {
            overwritten = true;
        }
        executable_ = true;
    }

    std::vector<std::string> actions;
    bool overwritten = false;

private:
    bool folder_, executable_, creationFails_, copyFails_;
};

TEST(InstallStep, CreatesAndCopiesOnlyWhatIsMissingAndLinksToTheCopyOnlyWhenItExistsAfterwards) {
    using Actions = std::vector<std::string>;
    constexpr ShortcutTarget kInstalled = ShortcutTarget::InstalledCopy;
    constexpr ShortcutTarget kRunning = ShortcutTarget::RunningExecutable;
    struct Case {
        const char* name;
        bool folder, executable, creationFails, copyFails;
        Actions actions;
        ShortcutTarget target;
    } cases[] = {
        {"first start", false, false, false, false, {"create", "copy"}, kInstalled},
        {"folder cannot be created", false, false, true, false, {"create"}, kRunning},
        {"folder made, copy fails", false, false, false, true, {"create", "copy"}, kRunning},
        {"installed copy deleted", true, false, false, false, {"copy"}, kInstalled},
        {"installed copy deleted, copy fails", true, false, false, true, {"copy"}, kRunning},
        {"already installed", true, true, false, false, {}, kInstalled},
        {"already installed, copying would fail", true, true, true, true, {}, kInstalled},
    };
    for (const Case& c : cases) {
        SimulatedFiles files(c.folder, c.executable, c.creationFails, c.copyFails);
        EXPECT_EQ(RunInstallStep(files), c.target) << c.name;
        EXPECT_EQ(files.actions, c.actions) << c.name;
        EXPECT_FALSE(files.overwritten) << c.name;
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
