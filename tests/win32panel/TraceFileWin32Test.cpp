// The field trace over the real adapters: the variable's path, the file appended to, and the
// lines the tracing ports write when no headset is present.
#include "TraceFileWin32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "PanelDeviceWin32.h"

namespace {

class Win32FieldTrace : public testing::Test {
protected:
    void SetUp() override {
        wchar_t folder[MAX_PATH];
        const DWORD length = GetTempPathW(MAX_PATH, folder);
        ASSERT_GT(length, 0u);
        path_ = std::wstring(folder, length) + L"audiopanel-field-trace.txt";
        DeleteFileW(path_.c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableW(kFieldTraceVariable, nullptr);
        DeleteFileW(path_.c_str());
        DeleteFileW((path_ + L".1").c_str());
    }
    std::string Contents(const wchar_t* suffix = L"") const {
        std::ifstream in((path_ + suffix).c_str(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::wstring path_;
};

TEST_F(Win32FieldTrace, VariableNamesTheFileWindowsOrLinuxPath) {
    const struct {
        const wchar_t* value;  // null: unset
        const wchar_t* path;
    } cases[] = {
        {nullptr, L""},
        {L"", L""},
        {L"C:\\logs\\panel.txt", L"C:\\logs\\panel.txt"},
        {L"/tmp/panel trace.txt", L"Z:\\tmp\\panel trace.txt"},
    };
    for (const auto& c : cases) {
        SetEnvironmentVariableW(kFieldTraceVariable, c.value);
        EXPECT_EQ(FieldTracePath(), c.path);
    }
    // A path too long for the system is no trace, not a cut one.
    SetEnvironmentVariableW(kFieldTraceVariable, (L"C:\\" + std::wstring(MAX_PATH, L'a')).c_str());
    EXPECT_EQ(FieldTracePath(), L"");
}

TEST_F(Win32FieldTrace, NoHeadsetWritesOpenFailuresAndLookupsAppended) {
    ASSERT_EQ(OpenTraceFileWin32(L""), nullptr);
    ASSERT_EQ(OpenTraceFileWin32(path_ + L".missing\\trace.txt"), nullptr);
    {
        const auto file = OpenTraceFileWin32(path_);
        ASSERT_NE(file, nullptr);
        file->Write("SIM PLUG");  // an earlier run's line stays
    }
    const auto file = OpenTraceFileWin32(path_);
    ASSERT_NE(file, nullptr);
    const TraceSink sink = TraceFileSink(*file);
    const auto hidBus = CreateHidBusWin32();
    const auto audio = CreateAudioEndpointsWin32();
    TracingHidBus hid(*hidBus, sink);
    TracingAudioEndpoints endpoints(*audio, sink);
    EXPECT_EQ(hid.OpenHidDevice(0x3F9C, 0x4712), nullptr);
    EXPECT_EQ(endpoints.FindCaptureEndpoint(0x3F9C, 0x4712), nullptr);
    uint32_t value = 0;
    EXPECT_EQ(endpoints.MixerControl(MIXER_READ_MUTE, &value, nullptr, nullptr, 0x3F9C, 0x4712),
              0u);
    EXPECT_EQ(Contents(),
              "SIM PLUG\nHID OPEN-FAIL 3F9C:4712\nEP FIND-FAIL 3F9C:4712\nMIX FAIL READ-MUTE\n");
}

// A day of rotating speakers must not fill the disk: the trace keeps its last lines only.
TEST_F(Win32FieldTrace, FullFileIsRenamedAndBegunAnew) {
    const auto file = OpenTraceFileWin32(path_, 100);
    ASSERT_NE(file, nullptr);
    for (int i = 10; i < 40; ++i)
        file->Write("DRV 00223140 line " + std::to_string(i));  // 21 bytes each
    const std::string current = Contents();
    const std::string previous = Contents(L".1");
    ASSERT_GE(current.size(), 21u);
    ASSERT_GE(previous.size(), 21u);
    EXPECT_LE(current.size(), 100u);
    EXPECT_LE(previous.size(), 100u);
    EXPECT_EQ(current.size() % 21, 0u);
    EXPECT_EQ(previous.size() % 21, 0u);
    // No line lost between the two files, the last one at the end of the current file.
    EXPECT_EQ(current.substr(current.size() - 21), "DRV 00223140 line 39\n");
    const int first = std::stoi(current.substr(18, 2));
    EXPECT_EQ(previous.substr(previous.size() - 21),
              "DRV 00223140 line " + std::to_string(first - 1) + "\n");
}

}  // namespace
