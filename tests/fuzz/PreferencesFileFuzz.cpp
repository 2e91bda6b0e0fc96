// Any bytes in the preferences file, read as the app reads them at start: the file is parsed,
// every key is read as its type, the migrations run, a quarter of an hour goes by across
// midnight and the app quits. Nothing
// may crash; what the app then wrote must read back; a file it set aside must keep every byte.
#include "core/app/VornelaCore.h"
#include "core/base/Calendar.h"
#include "core/base/ManualScheduler.h"
#include "core/store/JsonFilePreferencesBackend.h"
#include "fakes/FakeDesktop.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace vornela;

namespace {

fs::path folder;

[[noreturn]] void broken(const std::string& what) {
    std::fprintf(stderr, "preferences file: %s\n", what.c_str());
    std::abort();
}

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void removeFolder() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ::setenv("TZ", "Europe/Berlin", 1);
    ::tzset();
    // A private folder in memory where there is one: every run writes and renames files.
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "vornela-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        broken("cannot create a folder in " + base.string());
    folder = pattern;
    std::atexit(removeFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const fs::path file = folder / "preferences.json";
    for (const auto& entry : fs::directory_iterator(folder))
        fs::remove_all(entry.path());
    std::ofstream(file, std::ios::binary) << text;

    PreferencesLoad::Status status{};
    {
        Calendar calendar;
        ManualScheduler scheduler(*calendar.date(2026, 3, 1, 23, 55));
        JsonFilePreferencesBackend backend(file);
        fakes::FakeDesktop desktop;
        VornelaCore core(desktop.ports(scheduler, scheduler, calendar, backend));
        status = core.preferences().lastLoad().status;
        core.launch();
        scheduler.runDue();
        scheduler.advance(15 * 60);
        core.terminate();
        scheduler.runDue();
    }

    if (status == PreferencesLoad::Status::setAside) {
        bool kept = false;
        for (const auto& entry : fs::directory_iterator(folder))
            kept = kept || (entry.path() != file && contents(entry.path()) == text);
        if (!kept)
            broken("a file set aside lost its contents");
    }
    if (status != PreferencesLoad::Status::unreadable && fs::exists(file)) {
        JsonFilePreferencesBackend again(file);
        const PreferencesLoad reread = again.load();
        if (reread.status != PreferencesLoad::Status::loaded)
            broken("what the app saved does not read back: " + reread.message);
    }
    return 0;
}
