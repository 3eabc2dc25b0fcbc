// Device-ID groups loaded from a real file and published in HKLM through the Win32 registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "../shared/DesVectors.h"
#include "DeviceIdMgr.h"
#include "Handles.h"
#include "TestFiles.h"
#include "WideText.h"

namespace {

std::string CodeOf(const std::string& plain) {
    for (const DesVector& vector : kDesVectors) {
        if (plain == vector.plain)
            return vector.code;
    }
    ADD_FAILURE() << "no known answer for " << plain;
    return {};
}

const std::string kUsbPattern = "USB\\VID_3F9C&PID_47XX&REV_0100&MI_00";
const std::string kUsbExact = "USB\\VID_3F9C&PID_4712&REV_0100&MI_00";
const std::string kHidPattern = "HID\\VID_3F9C&PID_47XX&REV_0100&MI_03";

// The pattern's code ends in "0Q==": the low four bits of the 'Q' fall outside the last byte,
// so "0R==" deciphers to the same ID. That gives two entries with one ID that still differ in
// their data, which shows the export order of equal IDs.
std::string SecondCodeOfPattern() {
    std::string code = CodeOf(kUsbPattern);
    EXPECT_EQ(code.substr(code.size() - 3), "Q==");
    code[code.size() - 3] = 'R';
    return code;
}

std::string ConfigText() {
    return "[USB_VID_PID]\r\n"
           "HeadsetAudio=" +
           kUsbPattern + "," + CodeOf(kUsbPattern) +
           "\r\n"
           "Exact=" +
           kUsbExact + "," + CodeOf(kUsbExact) +
           "\r\n"
           "HandTyped=USB\\VID_3F9C&PID_4799&REV_0100&MI_00," +
           CodeOf(kUsbExact) +
           "\r\n"
           "Again=" +
           kUsbPattern + "," + SecondCodeOfPattern() +
           "\r\n"
           "\r\n"
           "[HID_VID_PID]\r\n"
           "HeadsetControl=" +
           kHidPattern + "," + CodeOf(kHidPattern) + "\r\n";
}

std::u16string U(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// A key under HKLM\SOFTWARE that the test owns: removed before and after. Whatever a key of the
// same name held before is put back afterwards.
class ScratchKey {
public:
    explicit ScratchKey(const std::u16string& groupName)
        : group_(groupName), path_(u"SOFTWARE\\" + groupName) {
        Backup();
        Remove();
    }
    ~ScratchKey() {
        Remove();
        Restore();
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    const std::u16string& group() const { return group_; }
    const std::u16string& path() const { return path_; }

    UniqueRegKey Open(REGSAM access = KEY_READ) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, W(path_), 0, access, &key) != ERROR_SUCCESS)
            return nullptr;
        return UniqueRegKey(key);
    }

private:
    struct Value {
        std::wstring name;
        DWORD type;
        std::vector<BYTE> data;
    };

    void Backup() {
        const UniqueRegKey key = Open();
        if (!key)
            return;
        existed_ = true;
        for (DWORD index = 0;; ++index) {
            std::vector<wchar_t> name(16384);
            DWORD nameLength = static_cast<DWORD>(name.size());
            std::vector<BYTE> data(65536);
            DWORD type = 0;
            DWORD bytes = static_cast<DWORD>(data.size());
            if (RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr, &type,
                              data.data(), &bytes) != ERROR_SUCCESS)
                break;
            data.resize(bytes);
            saved_.push_back({std::wstring(name.data(), nameLength), type, std::move(data)});
        }
    }

    void Remove() const { RegDeleteTreeW(HKEY_LOCAL_MACHINE, W(path_)); }

    void Restore() const {
        if (!existed_)
            return;
        HKEY raw = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, W(path_), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &raw, nullptr) != ERROR_SUCCESS)
            return;
        const UniqueRegKey key(raw);
        for (const Value& value : saved_)
            RegSetValueExW(key.get(), value.name.c_str(), 0, value.type, value.data.data(),
                           static_cast<DWORD>(value.data.size()));
    }

    std::u16string group_;
    std::u16string path_;
    bool existed_ = false;
    std::vector<Value> saved_;
};

struct StoredValue {
    DWORD type = 0;
    DWORD bytes = 0;
    std::u16string text;  // without the terminating zero
};

StoredValue ReadValue(const ScratchKey& scratch, const std::u16string& name) {
    StoredValue value;
    const UniqueRegKey key = scratch.Open();
    if (!key)
        return value;
    if (RegQueryValueExW(key.get(), W(name), nullptr, &value.type, nullptr, &value.bytes) !=
        ERROR_SUCCESS)
        return value;
    std::vector<wchar_t> data(value.bytes / sizeof(wchar_t) + 1);
    DWORD bytes = value.bytes;
    if (RegGetValueW(key.get(), nullptr, W(name), RRF_RT_REG_SZ, nullptr, data.data(), &bytes) ==
        ERROR_SUCCESS)
        value.text = U16(data.data());
    return value;
}

DWORD ValueCount(const ScratchKey& scratch) {
    const UniqueRegKey key = scratch.Open();
    DWORD count = 0;
    if (key)
        RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         nullptr, nullptr, nullptr, nullptr);
    return count;
}

// Every value is REG_SZ and stored with its terminating zero.
void ExpectValues(const ScratchKey& scratch, const std::vector<std::string>& expected) {
    EXPECT_EQ(ValueCount(scratch), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const std::u16string name = U(std::to_string(i + 1));
        SCOPED_TRACE("value " + Narrow(name));
        const StoredValue value = ReadValue(scratch, name);
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(value.bytes, (expected[i].size() + 1) * sizeof(wchar_t));
        EXPECT_EQ(Narrow(value.text), expected[i]);
    }
}

std::u16string TestGroupName(const char16_t* group) {
    // The process ID keeps runs that share the Wine prefix apart.
    return std::u16string(group) + u" Test " + U(std::to_string(GetCurrentProcessId()));
}

class RegistryExport : public ::testing::Test {
protected:
    void SetUp() override {
        config_ = folder_.Write(u"AudioConfig.cfg", ConfigText());
        ASSERT_EQ(usb_.LoadGroup(config_, u"USB_VID_PID"), 0);
        ASSERT_EQ(hid_.LoadGroup(config_, u"HID_VID_PID"), 0);
        ASSERT_EQ(usb_.ids.size(), 3u) << "the hand-typed entry must be refused";
        ASSERT_EQ(hid_.ids.size(), 1u);
    }

    // Ordered by ID ("4712" before "47XX"); the two pattern entries in file order.
    std::vector<std::string> UsbExport() const {
        return {kUsbExact + "," + CodeOf(kUsbExact), kUsbPattern + "," + CodeOf(kUsbPattern),
                kUsbPattern + "," + SecondCodeOfPattern()};
    }
    std::vector<std::string> HidExport() const { return {kHidPattern + "," + CodeOf(kHidPattern)}; }

    TempFolder folder_;
    std::u16string config_;
    CDeviceIdMgr usb_;
    CDeviceIdMgr hid_;
};

TEST_F(RegistryExport, BothGroupsAreNumberedFromOneInIdOrder) {
    const ScratchKey usbKey(TestGroupName(u"QLN USB DeviceId Group"));
    const ScratchKey hidKey(TestGroupName(u"QLN HID DeviceId Group"));
    EXPECT_EQ(SaveGroupToRegistry(usb_, usbKey.group()), 0u);
    EXPECT_EQ(SaveGroupToRegistry(hid_, hidKey.group()), 0u);
    {
        SCOPED_TRACE("USB");
        ExpectValues(usbKey, UsbExport());
    }
    {
        SCOPED_TRACE("HID");
        ExpectValues(hidKey, HidExport());
    }
}

TEST_F(RegistryExport, ValuesOfAnEarlierLongerExportStay) {
    const std::u16string group = TestGroupName(u"QLN USB DeviceId Group");
    const ScratchKey key(group);
    {
        HKEY raw = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, W(key.path()), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &raw, nullptr),
                  ERROR_SUCCESS);
        const UniqueRegKey old(raw);
        for (int i = 1; i <= 5; ++i) {
            const std::wstring data = L"old " + std::to_wstring(i);
            RegSetValueExW(old.get(), std::to_wstring(i).c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(data.c_str()),
                           static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        }
    }
    EXPECT_EQ(SaveGroupToRegistry(usb_, group), 0u);
    std::vector<std::string> expected = UsbExport();
    expected.insert(expected.end(), {"old 4", "old 5"});
    ExpectValues(key, expected);
}

TEST_F(RegistryExport, ProductGroupNames) {
    const ScratchKey usbKey(u"QLN USB DeviceId Group");
    const ScratchKey hidKey(u"QLN HID DeviceId Group");
    EXPECT_EQ(SaveGroupToRegistry(usb_, u"QLN USB DeviceId Group"), 0u);
    EXPECT_EQ(SaveGroupToRegistry(hid_, u"QLN HID DeviceId Group"), 0u);
    {
        SCOPED_TRACE("USB");
        ExpectValues(usbKey, UsbExport());
    }
    {
        SCOPED_TRACE("HID");
        ExpectValues(hidKey, HidExport());
    }
}

TEST_F(RegistryExport, EmptyGroupStillCreatesTheKey) {
    const std::u16string group = TestGroupName(u"QLN HID DeviceId Group");
    const ScratchKey key(group);
    CDeviceIdMgr empty;
    EXPECT_EQ(SaveGroupToRegistry(empty, group), 0u);
    EXPECT_TRUE(key.Open());
    EXPECT_EQ(ValueCount(key), 0u);
}

}  // namespace
