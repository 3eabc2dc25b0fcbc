// The microphone's watch on the real COM and window calls: a volume interface of the test's own
// stands in for the endpoint's, calling back from another thread as Windows does, so that the
// order of registration, unregistration and release shows. The null_audio run also registers on
// Wine's own capture endpoint.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "AudioEndpointsWin32.h"
#include "MicWatchWin32.h"

namespace {

constexpr UINT kNoticeMessage = WM_APP + 20;

// Holds the registered callback as Windows does: its own reference, taken at registration and
// given back at unregistration; a notification calls it outside the lock.
class FakeVolume final : public IAudioEndpointVolume {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references;
        if (left == 1) {
            Log("release");  // the watch's reference: only the test's is left
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE
    RegisterControlChangeNotify(IAudioEndpointVolumeCallback* c) override {
        if (refuse) {
            return E_FAIL;
        }
        std::lock_guard<std::mutex> lock(mutex);
        c->AddRef();
        callback = c;
        log.push_back("register");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE
    UnregisterControlChangeNotify(IAudioEndpointVolumeCallback* c) override {
        std::lock_guard<std::mutex> lock(mutex);
        if (c != callback) {
            return E_INVALIDARG;
        }
        callback->Release();
        callback = nullptr;
        log.push_back("unregister");
        return S_OK;
    }
    // A change of the endpoint, called back as the audio service does; false when no callback is
    // registered.
    bool Fire(BOOL muted, float level) {
        IAudioEndpointVolumeCallback* held = nullptr;
        {
            std::lock_guard<std::mutex> lock(mutex);
            held = callback;
            if (held) {
                held->AddRef();
            }
        }
        if (!held) {
            return false;
        }
        AUDIO_VOLUME_NOTIFICATION_DATA data{};
        data.bMuted = muted;
        data.fMasterVolume = level;
        data.nChannels = 1;
        held->OnNotify(&data);
        held->Release();
        return true;
    }
    std::vector<std::string> Log() {
        std::lock_guard<std::mutex> lock(mutex);
        return log;
    }

    HRESULT STDMETHODCALLTYPE GetChannelCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevel(FLOAT, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevelScalar(FLOAT, LPCGUID) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevel(FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevelScalar(FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevel(UINT, FLOAT, LPCGUID) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevelScalar(UINT, FLOAT, LPCGUID) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevel(UINT, FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevelScalar(UINT, FLOAT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMute(WINBOOL, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMute(WINBOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolumeStepInfo(UINT*, UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE VolumeStepUp(LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE VolumeStepDown(LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolumeRange(FLOAT*, FLOAT*, FLOAT*) override { return E_NOTIMPL; }

    std::atomic<ULONG> references{1};  // the test's own
    bool refuse = false;

private:
    void Log(const char* event) {
        std::lock_guard<std::mutex> lock(mutex);
        log.push_back(event);
    }

    std::mutex mutex;
    IAudioEndpointVolumeCallback* callback = nullptr;
    std::vector<std::string> log;
};

ComPtr<IAudioEndpointVolume> Share(FakeVolume& volume) {
    ComPtr<IAudioEndpointVolume> shared;
    volume.AddRef();
    *shared.Put() = &volume;
    return shared;
}

class MicWatchWin32Test : public ::testing::Test {
protected:
    MicWatchWin32Test()
        : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr)) {}
    ~MicWatchWin32Test() override { DestroyWindow(window_); }

    // The next notice posted to the window, waited for at most 10 s.
    bool NextNotice(MSG& message) {
        for (int i = 0; i < 200; ++i) {
            if (PeekMessageW(&message, window_, kNoticeMessage, kNoticeMessage, PM_REMOVE)) {
                return true;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
        }
        return false;
    }

    HWND window_;
    FakeVolume volume_;
};

TEST_F(MicWatchWin32Test, UnregistersBeforeItReleasesTheEndpointWhetherStoppedOrDestroyed) {
    ASSERT_TRUE(window_);
    for (const bool destroyed : {false, true}) {
        {
            MicWatchWin32 watch(window_, kNoticeMessage);
            ASSERT_TRUE(watch.StartOn({}, Share(volume_), L"{0.0.1.00000000}.{test}"));
            EXPECT_TRUE(watch.Watching());
            if (!destroyed) {
                watch.Stop();
                EXPECT_FALSE(watch.Watching());
                watch.Stop();  // a second stop does nothing
            }
        }
        EXPECT_EQ(volume_.Log(), (std::vector<std::string>{"register", "unregister", "release"}))
            << (destroyed ? "destroyed" : "stopped");
        EXPECT_EQ(volume_.references, 1u);
        EXPECT_FALSE(volume_.Fire(TRUE, 0.5f));  // nothing left to call
        volume_.~FakeVolume();
        new (&volume_) FakeVolume();
    }
}

TEST_F(MicWatchWin32Test, ACallbackFromAnotherThreadOnlyPostsTheValuesToTheWindow) {
    ASSERT_TRUE(window_);
    MicWatchWin32 watch(window_, kNoticeMessage);
    ASSERT_TRUE(watch.StartOn({}, Share(volume_), L"{0.0.1.00000000}.{test}"));
    std::thread([this] { volume_.Fire(TRUE, 0.254f); }).join();
    MSG message{};
    ASSERT_TRUE(NextNotice(message));
    const MicNotice notice = UnpackMicNotice(static_cast<uint32_t>(message.wParam),
                                             static_cast<uint32_t>(message.lParam));
    EXPECT_EQ(notice.change, MicChange::Controls);
    EXPECT_TRUE(notice.valuesKnown);
    EXPECT_EQ(notice.mute, 1);
    EXPECT_EQ(notice.level, 25u);
}

TEST_F(MicWatchWin32Test, CallbacksRacingTheStopNeverReachAReleasedWatch) {
    ASSERT_TRUE(window_);
    for (int round = 0; round < 20; ++round) {
        auto watch = std::make_unique<MicWatchWin32>(window_, kNoticeMessage);
        ASSERT_TRUE(watch->StartOn({}, Share(volume_), L"{0.0.1.00000000}.{test}"));
        std::atomic<bool> stopped{false};
        std::thread firing([&] {
            while (!stopped) {
                volume_.Fire(round % 2, 0.5f);
            }
        });
        Sleep(1);
        watch.reset();  // unplug or shutdown while callbacks run
        stopped = true;
        firing.join();
        EXPECT_FALSE(volume_.Fire(TRUE, 0.5f));
        EXPECT_EQ(volume_.references, 1u);
    }
    MSG message{};
    while (PeekMessageW(&message, window_, 0, 0, PM_REMOVE)) {
    }
}

TEST_F(MicWatchWin32Test, ARefusedRegistrationHoldsNothing) {
    volume_.refuse = true;
    MicWatchWin32 watch(window_, kNoticeMessage);
    EXPECT_FALSE(watch.StartOn({}, Share(volume_), L"id"));
    EXPECT_FALSE(watch.Watching());
    EXPECT_EQ(volume_.references, 1u);
    EXPECT_FALSE(watch.StartOn({}, {}, L"id"));
}

TEST_F(MicWatchWin32Test, TheMachinesOwnEndpointCanBeWatchedAndTheHeadsetsMixerIsNotThere) {
    MicWatchWin32 watch(window_, kNoticeMessage);
    EXPECT_FALSE(watch.Start(u"", 0x3F9C, 0x4712));  // no headset: no mixer line to open
    EXPECT_FALSE(watch.Start(u"{0.0.1.00000000}.{no-such-endpoint}", 0x3F9C, 0x4712));
    const std::vector<CaptureEndpointEntry> endpoints = ActiveCaptureEndpointsWin32();
    if (endpoints.empty()) {
        GTEST_SKIP() << "no capture endpoint (the null_audio run has one)";
    }
    ASSERT_TRUE(watch.Start(endpoints.front().id, 0, 0));
    EXPECT_TRUE(watch.Watching());
    watch.Stop();
    EXPECT_FALSE(watch.Watching());
}

}  // namespace
