#include "core/store/JsonFilePreferencesBackend.h"

#include "core/base/UniqueFd.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <system_error>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vornela {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

constexpr mode_t directoryMode = 0700;
constexpr mode_t fileMode = 0600;

std::string errorText(int code) {
    return std::generic_category().message(code);
}

std::string couldNot(const char* action, const fs::path& path, int code) {
    return std::string("Could not ") + action + " " + path.string() + ": " + errorText(code);
}

fs::path directoryOf(const fs::path& file) {
    fs::path dir = file.parent_path();
    return dir.empty() ? fs::path(".") : dir;
}

// Tightens a directory of ours to 0700. A shared sticky directory such as /tmp is left alone,
// whoever owns it.
void tightenDirectory(const fs::path& dir) {
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return;
    if ((st.st_mode & S_ISVTX) == 0 && (st.st_mode & 07777) != directoryMode)
        ::chmod(dir.c_str(), directoryMode);
}

// Creates each missing directory with 0700, as the XDG base directory rules ask.
Result<void> ensureDirectory(const fs::path& dir) {
    fs::path partial;
    for (const auto& part : dir) {
        partial /= part;
        if (::mkdir(partial.c_str(), directoryMode) == 0 || errno == EEXIST)
            continue;
        const int code = errno;
        struct stat st {};
        if (::stat(partial.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            continue;
        return Failure{couldNot("create the folder", partial, code)};
    }
    tightenDirectory(dir);
    return {};
}

// Makes a rename in `dir` survive a power cut.
Result<void> syncDirectory(const fs::path& dir) {
    const UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd)
        return Failure{couldNot("flush to disk the folder", dir, errno)};
    // Some file systems cannot sync a directory; there is nothing more to do on those.
    if (::fsync(fd.get()) != 0 && errno != EINVAL)
        return Failure{couldNot("flush to disk the folder", dir, errno)};
    return {};
}

Result<std::string> readAll(int fd, const fs::path& path, std::size_t sizeHint) {
    std::string text;
    text.reserve(sizeHint);
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return text;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return Failure{couldNot("read the preferences file", path, errno)};
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

Result<void> writeAll(int fd, const std::string& text, const fs::path& path) {
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Failure{couldNot("write", path, errno)};
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return {};
}

// Fills the new file `path` with `text` and has it on disk before anything renames it.
Result<void> writeDurably(UniqueFd fd, const std::string& text, const fs::path& path) {
    if (::fchmod(fd.get(), fileMode) != 0)
        return Failure{couldNot("protect", path, errno)};
    if (auto written = writeAll(fd.get(), text, path); !written)
        return written;
    if (::fsync(fd.get()) != 0)
        return Failure{couldNot("flush to disk", path, errno)};
    if (const int code = fd.close())
        return Failure{couldNot("write", path, code)};
    return {};
}

std::string utcStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    ::gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
    return text;
}

// Renames without ever replacing an existing file. 0, or the errno that stopped it.
int renameNoReplace(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // The file system cannot refuse to replace: check first (the folder is private to us).
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0)
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

} // namespace

JsonFilePreferencesBackend::JsonFilePreferencesBackend(fs::path file) : file_(std::move(file)) {}

fs::path JsonFilePreferencesBackend::defaultPath() {
    fs::path base;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config && fs::path(config).is_absolute()) {
        base = config;
    } else {
        fs::path home;
        if (const char* env = std::getenv("HOME"); env && *env) {
            home = env;
        } else {
            std::vector<char> buffer(16384);
            passwd entry{};
            passwd* found = nullptr;
            if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
                home = found->pw_dir;
        }
        base = home / ".config";
    }
    return base / "vornela" / "preferences.json";
}

fs::path JsonFilePreferencesBackend::target() const {
    std::error_code ec;
    if (fs::is_symlink(file_, ec)) {
        fs::path resolved = fs::weakly_canonical(file_, ec);
        if (!ec)
            return resolved;
    }
    return file_;
}

PreferencesLoad JsonFilePreferencesBackend::unreadable(std::string message) {
    unreadable_ = true;
    unreadableMessage_ = message;
    PreferencesLoad result;
    result.status = PreferencesLoad::Status::unreadable;
    result.message = std::move(message);
    return result;
}

PreferencesLoad JsonFilePreferencesBackend::load() {
    const fs::path path = target();
    tightenDirectory(directoryOf(path));

    // Non-blocking so a FIFO at the path cannot hang the app; regular files ignore it.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd) {
        const int code = errno;
        if (code == ENOENT) {
            unreadable_ = false;
            return PreferencesLoad{};
        }
        return unreadable(couldNot("open the preferences file", path, code));
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return unreadable(couldNot("read the preferences file", path, errno));
    if (!S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode))
            return unreadable(couldNot("read the preferences file", path, EISDIR));
        return unreadable("Could not read the preferences file " + path.string() + ": not a regular file");
    }
    if (st.st_uid == ::geteuid() && (st.st_mode & 07777) != fileMode)
        ::fchmod(fd.get(), fileMode);

    Result<std::string> text = readAll(fd.get(), path, static_cast<std::size_t>(st.st_size));
    fd.reset();
    if (!text)
        return unreadable(text.error());

    json values = json::parse(text.value(), nullptr, false);
    if (values.is_discarded())
        return setAside(path, "is not valid JSON");
    if (!values.is_object())
        return setAside(path, "does not hold a JSON object");

    unreadable_ = false;
    PreferencesLoad result;
    result.status = PreferencesLoad::Status::loaded;
    result.values = std::move(values);
    return result;
}

PreferencesLoad JsonFilePreferencesBackend::setAside(const fs::path& path, const std::string& why) {
    const fs::path dir = directoryOf(path);
    const std::string stem = path.filename().string() + ".corrupt-" + utcStamp();
    int code = 0;
    for (int n = 0; n < 1000; ++n) {
        const fs::path aside = dir / (n == 0 ? stem : stem + "-" + std::to_string(n));
        code = renameNoReplace(path, aside);
        if (code == 0) {
            // Should this sync fail, a power cut only brings the bad file back, to be set aside again.
            (void)syncDirectory(dir);
            unreadable_ = false;
            PreferencesLoad result;
            result.status = PreferencesLoad::Status::setAside;
            result.message = "The preferences file " + path.string() + " " + why + ". It was kept as " +
                             aside.string() + " and the defaults are in use.";
            return result;
        }
        if (code != EEXIST)
            break;
    }
    // Unless it is safely aside, treat it as unreadable so that it is never written over.
    return unreadable("The preferences file " + path.string() + " " + why +
                      " and could not be moved aside: " + errorText(code));
}

Result<void> JsonFilePreferencesBackend::save(const json& values) {
    const fs::path path = target();
    if (unreadable_)
        return Failure{"Not saving over " + path.string() + ", which could not be read. " +
                       unreadableMessage_};
    if (!values.is_object())
        return Failure{"Not saving preferences that are not a JSON object."};
    const fs::path dir = directoryOf(path);
    if (auto made = ensureDirectory(dir); !made)
        return made;

    // Indented for people who edit the file; bad UTF-8 in a string must not stop a save.
    const std::string text = values.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
    const fs::path temp = dir / (path.filename().string() + ".tmp");

    UniqueFd fd(::open(temp.c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, fileMode));
    if (!fd)
        return Failure{couldNot("create", temp, errno)};
    if (auto written = writeDurably(std::move(fd), text, temp); !written) {
        ::unlink(temp.c_str());
        return written;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        return Failure{"Could not replace " + path.string() + " with " + temp.string() + ": " +
                       errorText(code)};
    }
    return syncDirectory(dir);
}

} // namespace vornela
