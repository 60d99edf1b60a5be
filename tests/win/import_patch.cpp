#include "import_patch.h"

namespace {

void WriteSlot(FARPROC* slot, FARPROC value) {
    DWORD old = 0;
    VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof(*slot), old, &old);
}

FARPROC* FindImportSlot(const char* dll, const char* function) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0) return nullptr;
    for (const IMAGE_IMPORT_DESCRIPTOR* import =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         import->Name != 0; ++import) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + import->Name), dll) != 0) continue;
        if (import->OriginalFirstThunk == 0) continue;  // no names to match by
        const IMAGE_THUNK_DATA* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
        FARPROC* slots = reinterpret_cast<FARPROC*>(base + import->FirstThunk);
        for (int i = 0; names[i].u1.AddressOfData != 0; ++i) {
            if (IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal)) continue;
            const IMAGE_IMPORT_BY_NAME* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), function) == 0) return &slots[i];
        }
    }
    return nullptr;
}

}  // namespace

ImportPatch::ImportPatch(const char* dll, const char* function, const void* replacement) {
    slot_ = FindImportSlot(dll, function);
    if (slot_) {
        original_ = *slot_;
        WriteSlot(slot_, reinterpret_cast<FARPROC>(const_cast<void*>(replacement)));
    }
}

ImportPatch::~ImportPatch() {
    if (slot_) WriteSlot(slot_, original_);
}

namespace {

RECT fakeScreen = {};
RECT fakeWork = {};
void* realGetMonitorInfo = nullptr;

BOOL WINAPI AnswerFakeMonitor(HMONITOR monitor, LPMONITORINFO info) {
    using GetMonitorInfoFunction = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
    const BOOL answered = reinterpret_cast<GetMonitorInfoFunction>(realGetMonitorInfo)(monitor, info);
    if (answered) {
        info->rcMonitor = fakeScreen;
        info->rcWork = fakeWork;
    }
    return answered;
}

}  // namespace

FakeMonitor::FakeMonitor(const RECT& screen, const RECT& work)
    : patch_("user32.dll", "GetMonitorInfoW", reinterpret_cast<const void*>(AnswerFakeMonitor)) {
    realGetMonitorInfo = patch_.original();
    Set(screen, work);
}

void FakeMonitor::Set(const RECT& screen, const RECT& work) {
    fakeScreen = screen;
    fakeWork = work;
}

std::vector<TaskBarPlace> TaskBarsAtEveryEdge(const RECT& screen) {
    constexpr LONG kHigh = 40, kWide = 62;
    const RECT& s = screen;
    return {
        {"bottom", {s.left, s.top, s.right, s.bottom - kHigh}},
        {"top", {s.left, s.top + kHigh, s.right, s.bottom}},
        {"left", {s.left + kWide, s.top, s.right, s.bottom}},
        {"right", {s.left, s.top, s.right - kWide, s.bottom}},
        {"none", s},
    };
}
