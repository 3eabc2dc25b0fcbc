#include "ProfileFixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ControlTags.h"
#include "UserActions.h"
#ifndef _WIN32
#include "HostPath.h"
#endif

namespace fs = std::filesystem;

namespace {

fs::path HostPath(const std::u16string& path) {
#ifdef _WIN32
    return fs::path(std::wstring(path.begin(), path.end()));
#else
    return fs::u8path(ToHostPath(path));
#endif
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace

FakeProfileHost::FakeProfileHost(const TempFolder& folder) : folder_(folder) {
    // The environment's folders exist; the profile folders below them are the panel's to make.
    CreateFolder(EnvironmentFolder(u"APPDATA"));
    CreateFolder(EnvironmentFolder(u"USERPROFILE"));
}

std::u16string FakeProfileHost::EnvironmentFolder(const std::u16string& name) {
    if (name == u"APPDATA")
        return folder_.File(u"AppData");
    if (name == u"USERPROFILE")
        return folder_.File(u"User");
    return u"";
}

bool FakeProfileHost::CreateFolder(const std::u16string& path) {
    std::error_code ignored;
    fs::create_directory(HostPath(path), ignored);
    return fs::is_directory(HostPath(path), ignored);
}

bool FakeProfileHost::FileExists(const std::u16string& path) {
    std::error_code ignored;
    return fs::is_regular_file(HostPath(path), ignored);
}

bool FakeProfileHost::CopyNewFile(const std::u16string& from, const std::u16string& to) {
    std::error_code failed;
    fs::copy_file(HostPath(from), HostPath(to), fs::copy_options::none, failed);
    return !failed;
}

bool FakeProfileHost::SaveDialog(const std::u16string& folder, const std::u16string& fileName,
                                 const std::u16string& filter, std::u16string& chosen) {
    dialogs.push_back({folder, fileName, filter});
    chosen = answer;
    return !answer.empty();
}

bool FakeProfileHost::OpenDialog(const std::u16string& folder, const std::u16string& filter,
                                 std::u16string& chosen) {
    dialogs.push_back({folder, u"", filter});
    chosen = answer;
    return !answer.empty();
}

void FakeProfileHost::ReportFileProblem(const std::u16string& file, const std::u16string& reason) {
    problems.emplace_back(file, reason);
}

ProfileTest::ProfileTest() {
    session.programFolder = folder.path();
}

void ProfileTest::SetKnownState() {
    OnPresetButton(ctx, 2);
    OnEqSliderMoved(ctx, TAG_EQ_SLIDER_60HZ, skin.eqTop0);
    OnEqSliderMoved(ctx, TAG_EQ_SLIDER_12000HZ, skin.eqTop0 + skin.sliderTravel);
    OnEqSwitch(ctx);
    state.d3Enabled = 1;
    state.d3.LeftAlpha = 3;
    state.d3.LeftBeta = 15;
    state.d3.RightAlpha = 0;
    state.d3.RightBeta = 7;
    state.fbm = 0;
    state.currentEffect = 4;
    view.MoveImage(TAG_SPEAKER_L + SPEAKER_C, {170, -3});
    state.virtualEnabled = 1;
    state.led = 0;
    sim.Trace().Clear();
}

std::u16string ProfileTest::AppDataFile(const std::u16string& name) const {
    return folder.File(u"AppData\\QLN47xx\\" + name);
}

std::string ProfileTest::ReadHostFile(const std::u16string& path) const {
    return ReadAll(HostPath(path));
}

std::u16string ProfileTest::WriteHostFile(const std::u16string& path,
                                          const std::string& bytes) const {
    std::ofstream out(HostPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string SourceFileBytes(const std::string& relative) {
    return ReadAll(fs::u8path(std::string(AUDIO_SOURCE_DIR) + "/" + relative));
}
