#include "core/store/JsonFilePreferencesBackend.h"

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

std::string failure(const char* action, const fs::path& path, int code) {
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
bool ensureDirectory(const fs::path& dir, std::string& error) {
    fs::path partial;
    for (const auto& part : dir) {
        partial /= part;
        if (::mkdir(partial.c_str(), directoryMode) == 0 || errno == EEXIST)
            continue;
        const int code = errno;
        struct stat st {};
        if (::stat(partial.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            continue;
        error = failure("create the folder", partial, code);
        return false;
    }
    tightenDirectory(dir);
    return true;
}

// Makes a rename in `dir` survive a power cut.
bool syncDirectory(const fs::path& dir, int& code) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        code = errno;
        return false;
    }
    // Some file systems cannot sync a directory; there is nothing more to do on those.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    code = errno;
    ::close(fd);
    return synced;
}

bool writeAll(int fd, const std::string& text, int& code) {
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            code = errno;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

std::string utcStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    ::gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
    return text;
}

// Renames without ever replacing an existing file; false with errno set otherwise.
bool renameNoReplace(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // The file system cannot refuse to replace: check first (the folder is private to us).
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int code = errno;
        if (code == ENOENT) {
            unreadable_ = false;
            return PreferencesLoad{};
        }
        return unreadable(failure("open the preferences file", path, code));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int code = errno;
        ::close(fd);
        return unreadable(failure("read the preferences file", path, code));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        if (S_ISDIR(st.st_mode))
            return unreadable(failure("read the preferences file", path, EISDIR));
        return unreadable("Could not read the preferences file " + path.string() + ": not a regular file");
    }
    if (st.st_uid == ::geteuid() && (st.st_mode & 07777) != fileMode)
        ::fchmod(fd, fileMode);

    std::string text;
    text.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int code = errno;
            ::close(fd);
            return unreadable(failure("read the preferences file", path, code));
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);

    json values = json::parse(text, nullptr, false);
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
    for (int n = 0; n < 1000; ++n) {
        const fs::path aside = dir / (n == 0 ? stem : stem + "-" + std::to_string(n));
        if (renameNoReplace(path, aside)) {
            int code = 0;
            syncDirectory(dir, code);
            unreadable_ = false;
            PreferencesLoad result;
            result.status = PreferencesLoad::Status::setAside;
            result.message = "The preferences file " + path.string() + " " + why + ". It was kept as " +
                             aside.string() + " and the defaults are in use.";
            return result;
        }
        if (errno != EEXIST)
            break;
    }
    // Unless it is safely aside, treat it as unreadable so that it is never written over.
    const int code = errno;
    return unreadable("The preferences file " + path.string() + " " + why +
                      " and could not be moved aside: " + errorText(code));
}

bool JsonFilePreferencesBackend::save(const json& values, std::string& error) {
    const fs::path path = target();
    if (unreadable_) {
        error = "Not saving over " + path.string() + ", which could not be read. " + unreadableMessage_;
        return false;
    }
    if (!values.is_object()) {
        error = "Not saving preferences that are not a JSON object.";
        return false;
    }
    const fs::path dir = directoryOf(path);
    if (!ensureDirectory(dir, error))
        return false;

    // Indented for people who edit the file; bad UTF-8 in a string must not stop a save.
    const std::string text = values.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
    const fs::path temp = dir / (path.filename().string() + ".tmp");

    const int fd = ::open(temp.c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, fileMode);
    if (fd < 0) {
        error = failure("create", temp, errno);
        return false;
    }
    int code = 0;
    const char* step = nullptr;
    if (::fchmod(fd, fileMode) != 0) {
        code = errno;
        step = "protect";
    } else if (!writeAll(fd, text, code)) {
        step = "write";
    } else if (::fsync(fd) != 0) {
        code = errno;
        step = "flush to disk";
    }
    if (::close(fd) != 0 && !step) {
        code = errno;
        step = "write";
    }
    if (!step && ::rename(temp.c_str(), path.c_str()) != 0) {
        code = errno;
        error = "Could not replace " + path.string() + " with " + temp.string() + ": " + errorText(code);
        ::unlink(temp.c_str());
        return false;
    }
    if (step) {
        error = failure(step, temp, code);
        ::unlink(temp.c_str());
        return false;
    }
    if (!syncDirectory(dir, code)) {
        error = failure("flush to disk the folder", dir, code);
        return false;
    }
    return true;
}

} // namespace vornela
