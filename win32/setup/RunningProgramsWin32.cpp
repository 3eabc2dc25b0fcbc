// The running processes of given program files, in every session, to be waited for.
#include <windows.h>

#include <tlhelp32.h>

#include "Handles.h"
#include "RunningProgramsWin32.h"
#include "WideText.h"

namespace {

bool SameText(const std::u16string& a, const std::u16string& b) {
    return CompareStringOrdinal(W(a), static_cast<int>(a.size()), W(b), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

std::u16string FileNameOf(const std::u16string& path) {
    return path.substr(path.rfind(u'\\') + 1);
}

class RunningProcess : public IProcessHandle {
public:
    explicit RunningProcess(UniqueHandle process) : process_(std::move(process)) {}
    bool Wait(uint32_t milliseconds) override {
        return WaitForSingleObject(process_.get(), milliseconds) == WAIT_OBJECT_0;
    }
    std::optional<uint32_t> ExitCode() override { return std::nullopt; }  // not ours to read
    // Opened only to wait: another user's panel is asked to end, never ended.
    bool Terminate() override { return false; }

private:
    UniqueHandle process_;
};

}  // namespace

std::vector<std::unique_ptr<IProcessHandle>> OpenRunningPrograms(
    const std::vector<std::u16string>& programs) {
    std::vector<std::unique_ptr<IProcessHandle>> running;
    UniqueHandle snapshot = MakeUniqueHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return running;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        const std::u16string exeName = U16(entry.szExeFile);
        bool named = false;
        for (const std::u16string& program : programs)
            named |= SameText(FileNameOf(program), exeName);
        if (!named || entry.th32ProcessID == GetCurrentProcessId())
            continue;
        // Only what waiting needs; another user's process opens with this too.
        UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                         entry.th32ProcessID));
        if (!process)
            continue;
        wchar_t image[MAX_PATH * 2] = {};
        DWORD length = MAX_PATH * 2;
        if (!QueryFullProcessImageNameW(process.get(), 0, image, &length))
            continue;
        const std::u16string imagePath = U16(image, length);
        for (const std::u16string& program : programs) {
            // The same name elsewhere is another installation's panel: not ours to wait for.
            if (SameText(imagePath, program)) {
                running.push_back(std::make_unique<RunningProcess>(std::move(process)));
                break;
            }
        }
    }
    return running;
}
