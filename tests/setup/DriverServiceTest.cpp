// Steps 1 and 2 and their building blocks: the service control codes, the driver's service
// key, the payloads for each width, the service program's registration run, upper filters.
#include <gtest/gtest.h>

#include "InstallSequence.h"
#include "SetupFakes.h"
#include "SetupNames.h"
#include "SetupOperations.h"

namespace {

struct ServiceCase {
    const char* name;
    std::function<void(FakeServices&)> arrange;
    uint32_t code;
    uint32_t result;
};

class ServiceControlCodes : public ::testing::TestWithParam<ServiceCase> {};

TEST_P(ServiceControlCodes, ReturnsTheDocumentedResultAndClosesHandles) {
    FakeServices services;
    MemoryFiles files;
    FakeSystem system(files);
    services.services[u"Svc"];
    GetParam().arrange(services);
    EXPECT_EQ(ControlDeviceService(services, system, u"Svc", GetParam().code), GetParam().result);
    EXPECT_EQ(services.openHandles, 0);
}

INSTANTIATE_TEST_SUITE_P(
    AllResults, ServiceControlCodes,
    ::testing::Values(
        ServiceCase{"StartStopped", [](FakeServices&) {}, 0, 0},
        ServiceCase{"StartRunning",
                    [](FakeServices& s) { s.services[u"Svc"].state = SERVICE_STATE_RUNNING; }, 0,
                    0},
        ServiceCase{"StopStopped", [](FakeServices&) {}, 1, 0},
        ServiceCase{"StopRunning",
                    [](FakeServices& s) { s.services[u"Svc"].state = SERVICE_STATE_RUNNING; }, 1,
                    0},
        ServiceCase{"OtherCode", [](FakeServices&) {}, 128, 0},
        ServiceCase{"NoManager", [](FakeServices& s) { s.managerFails = true; }, 0, 1},
        ServiceCase{"NotInstalled", [](FakeServices& s) { s.services.clear(); }, 1, 2},
        ServiceCase{"NoStatus", [](FakeServices& s) { s.services[u"Svc"].queryFails = true; }, 0,
                    3},
        ServiceCase{"StopRefused",
                    [](FakeServices& s) {
                        s.services[u"Svc"].state = SERVICE_STATE_RUNNING;
                        s.services[u"Svc"].refuseStop = true;
                    },
                    1, 4},
        ServiceCase{"NeverStops",
                    [](FakeServices& s) {
                        s.services[u"Svc"].state = SERVICE_STATE_RUNNING;
                        s.services[u"Svc"].neverSettles = true;
                    },
                    1, 5},
        ServiceCase{"StartRefused", [](FakeServices& s) { s.services[u"Svc"].refuseStart = true; },
                    0, 6},
        ServiceCase{"NeverRuns", [](FakeServices& s) { s.services[u"Svc"].neverSettles = true; }, 0,
                    7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ServiceControlWaits, GivesUpAfterThirtyPollsOf300Ms) {
    FakeServices services;
    MemoryFiles files;
    FakeSystem system(files);
    services.services[u"Svc"].neverSettles = true;
    EXPECT_EQ(ControlDeviceService(services, system, u"Svc", 0), 7u);
    EXPECT_EQ(system.slept, 9000u);
}

TEST(FilterDriverStep, WritesTheServiceKeyAndThe32BitDriver) {
    SetupMachine m;
    EXPECT_EQ(InstallSequence(m.ports, m.state).Install_FilterDriver(), 0u);
    const MemoryRegistry::Key* key =
        m.registry.Find(RegistryHive::LocalMachine, u"SYSTEM\\CurrentControlSet\\Services\\UAExt");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->dwords.at(u"errorcontrol"), 1u);
    EXPECT_EQ(key->dwords.at(u"start"), 3u);
    EXPECT_EQ(key->dwords.at(u"type"), 1u);
    EXPECT_EQ(key->values.at(u"imagepath").second, u"System32\\DRIVERS\\UAExt.sys");
    EXPECT_EQ(key->types.at(u"imagepath"), 2u);  // REG_EXPAND_SZ
    EXPECT_EQ(key->flushes, 1);
    EXPECT_EQ(m.files.Read(u"C:\\Windows\\System32\\drivers\\UAExt.sys"), "driver32");
    EXPECT_TRUE(m.folders.calls.empty());
    EXPECT_EQ(m.window.progress, (std::vector<int>{10, 20}));
}

TEST(FilterDriverStep, On64BitWindowsWritesThe64BitDriverWithRedirectionOff) {
    SetupMachine m;
    m.state.IsWow64 = true;
    m.folders.wow64 = true;
    m.files.cannotOpen.insert(u"C:\\Windows\\System32\\AudioDeviceService.exe");
    InstallSequence sequence(m.ports, m.state);
    EXPECT_EQ(sequence.Install_FilterDriver(), 0u);
    EXPECT_EQ(m.files.Read(u"C:\\Windows\\System32\\drivers\\UAExt.sys"), "driver64");
    // Restored on the failure path of step 2 as well.
    EXPECT_EQ(sequence.Install_Service(), SERVICE_WRITE_FAILED);
    EXPECT_EQ(m.folders.calls,
              (std::vector<std::string>{"disable", "revert", "disable", "revert"}));
}

TEST(ServiceStep, RegistersWithAQuotedCommandAndStartsTheService) {
    SetupMachine m;
    m.state.Folders.SystemDirectory = u"C:\\Win Dir\\System32\\";
    m.files.AddFolder(u"C:\\Win Dir\\System32");
    EXPECT_EQ(InstallSequence(m.ports, m.state).Install_Service(), 0u);
    EXPECT_EQ(
        m.processes.created,
        std::vector<std::u16string>{u"\"C:\\Win Dir\\System32\\AudioDeviceService.exe\" /Service"});
    EXPECT_EQ(m.processes.waits, std::vector<uint32_t>{100000});
    EXPECT_EQ(m.files.Read(u"C:\\Win Dir\\System32\\AudioDeviceService.exe"), "service32");
    EXPECT_EQ(m.services.services[kServiceName].state, SERVICE_STATE_RUNNING);
    EXPECT_EQ(m.window.broadcasts, 1);
    EXPECT_EQ(m.window.progress, (std::vector<int>{30, 40, 50, 60}));
}

class UpperFilters : public ::testing::Test {
protected:
    void SetUp() override { m.LoadHeadsetGroup(); }
    FakeDevice& Add(std::vector<std::u16string> ids, std::vector<std::u16string> filters,
                    bool present = true) {
        FakeDevice device;
        device.hardwareIds = std::move(ids);
        device.upperFilters = std::move(filters);
        device.present = present;
        m.devices.devices.push_back(device);
        return m.devices.devices.back();
    }
    uint32_t Remove() { return RemoveUpperFilter(m.devices, MEDIA_CLASS_GUID, kFilterName); }

    SetupMachine m;
};

TEST_F(UpperFilters, RemovesTheFilterWhereverItStandsOnEveryDeviceAndKeepsTheOthersInOrder) {
    const std::u16string otherId = u"USB\\VID_1234&PID_0001";
    struct Case {
        std::vector<std::u16string> ids;
        std::vector<std::u16string> before;
        std::vector<std::u16string> after;
        bool present;
    };
    const Case cases[] = {
        {{kHeadsetAudioId}, {u"uaext", u"Other"}, {u"Other"}, true},
        {{kHeadsetAudioId}, {u"Other", u"UAExt"}, {u"Other"}, true},
        {{kHeadsetAudioId}, {u"A", u"UAExt", u"B", u"UAEXT"}, {u"A", u"B"}, true},
        {{kHeadsetAudioId}, {u"UAExt"}, {}, /*present=*/false},
        // Outside the group, of another ID length, a second hardware ID: all bound all the same.
        {{otherId, kHeadsetAudioId}, {u"UAExt", u"Vendor"}, {u"Vendor"}, true},
        {{kHeadsetAudioId}, {u"Other", u"UAExtra"}, {u"Other", u"UAExtra"}, true},
    };
    for (const Case& c : cases)
        Add(c.ids, c.before, c.present);
    std::vector<std::u16string> unbound;
    EXPECT_EQ(RemoveUpperFilter(m.devices, MEDIA_CLASS_GUID, kFilterName, &unbound), 0u);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(m.devices.devices[i].upperFilters, cases[i].after) << i;
    EXPECT_EQ(unbound, (std::vector<std::u16string>{kHeadsetAudioId, kHeadsetAudioId,
                                                    kHeadsetAudioId, kHeadsetAudioId, otherId}));
    EXPECT_EQ(m.devices.listFlags, std::vector<uint32_t>{DIGCF_ALLCLASSES_FLAG});
}

TEST_F(UpperFilters, ASingleStringListIsCleanedAndAListThatCannotBeWrittenIsReported) {
    FakeDevice& single = Add({kHeadsetAudioId}, {u"UAExt"});
    single.upperFiltersAreMultiString = false;
    EXPECT_EQ(Remove(), 0u);
    EXPECT_TRUE(m.devices.devices[0].upperFilters.empty());

    Add({kHeadsetAudioId}, {u"Other", u"UAExt"}).filtersWriteFails = true;
    Add({kHeadsetAudioId}, {u"UAExt"});
    EXPECT_EQ(Remove(), 2u);
    EXPECT_EQ(m.devices.devices[1].upperFilters, (std::vector<std::u16string>{u"Other", u"UAExt"}));
    EXPECT_TRUE(m.devices.devices[2].upperFilters.empty());
}

TEST_F(UpperFilters, NoDeviceListGivesOne) {
    m.devices.allListFails = true;
    m.devices.presentListFails = true;
    EXPECT_EQ(Remove(), 1u);
    EXPECT_EQ(RestartMatchingDevices(m.devices, MEDIA_CLASS_GUID, kHardwareIdPattern,
                                     m.state.UsbDeviceIds),
              1u);
}

TEST_F(UpperFilters, RestartsPresentMatchingAndUnboundDevicesAndStopsAtAFailedDisable) {
    Add({kHeadsetAudioId}, {});
    Add({kHeadsetAudioId}, {}, /*present=*/false);
    Add({kHeadsetAudioId}, {}).disableFails = true;
    Add({u"USB\\VID_1234&PID_4712&REV_0100&MI_03"}, {});
    Add({u"USB\\VID_3F9C&PID_4712&REV_0100&MI_033"}, {});
    Add({u"HID\\VID_5555&PID_0001"}, {});
    EXPECT_EQ(RestartMatchingDevices(m.devices, MEDIA_CLASS_GUID, kHardwareIdPattern,
                                     m.state.UsbDeviceIds, {u"hid\\vid_5555&pid_0001"}),
              0u);
    const std::vector<std::string> restarted{"disable", "enable", "flags"};
    EXPECT_EQ(m.devices.devices[0].restarts, restarted);
    EXPECT_TRUE(m.devices.devices[1].restarts.empty());
    EXPECT_TRUE(m.devices.devices[2].restarts.empty());
    EXPECT_TRUE(m.devices.devices[3].restarts.empty());
    EXPECT_TRUE(m.devices.devices[4].restarts.empty());
    EXPECT_EQ(m.devices.devices[5].restarts, restarted);
}

TEST_F(UpperFilters, SequenceSkipsTheRestartWhenNoListCouldBeMade) {
    m.devices.allListFails = true;
    InstallSequence(m.ports, m.state).Install();
    // Only step 7 restarts and FindPresentDevice lists present devices.
    EXPECT_EQ(m.devices.listFlags, (std::vector<uint32_t>{DIGCF_ALLCLASSES_FLAG, 6, 6}));
}

}  // namespace
