#include "core/store/JsonFilePreferencesBackend.h"

#include "core/store/PreferencesText.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <system_error>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
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
// whoever owns it, and so is a link: what it leads to is not ours to change.
void tightenDirectory(const fs::path& dir) {
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
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

PreferencesStamp stampOf(const struct stat& st) {
    PreferencesStamp stamp;
    stamp.exists = true;
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::int64_t>(st.st_size);
    stamp.modifiedNanos = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000LL + st.st_mtim.tv_nsec;
    return stamp;
}

// Fills the new file `path` with `text` and has it on disk before anything renames it. The
// stamp the file will have once renamed into place.
Result<PreferencesStamp> writeDurably(UniqueFd fd, const std::string& text, const fs::path& path,
                                      mode_t mode) {
    if (::fchmod(fd.get(), mode) != 0)
        return Failure{couldNot("protect", path, errno)};
    if (auto written = writeAll(fd.get(), text, path); !written)
        return Failure{written.error()};
    if (::fsync(fd.get()) != 0)
        return Failure{couldNot("flush to disk", path, errno)};
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return Failure{couldNot("write", path, errno)};
    if (const int code = fd.close())
        return Failure{couldNot("write", path, code)};
    return stampOf(st);
}

// A new, uniquely named file next to `path`, so that two writers never share a temporary.
Result<std::pair<UniqueFd, fs::path>> createTemporary(const fs::path& path) {
    std::string name = (directoryOf(path) / (path.filename().string() + ".tmp-XXXXXX")).string();
    UniqueFd fd(::mkostemp(name.data(), O_CLOEXEC));
    if (!fd)
        return Failure{
            couldNot("create", fs::path(name).parent_path() / (path.filename().string() + ".tmp-*"), errno)};
    return std::pair{std::move(fd), fs::path(name)};
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

JsonFilePreferencesBackend::Target JsonFilePreferencesBackend::target() const {
    std::error_code ec;
    if (fs::is_symlink(file_, ec)) {
        fs::path resolved = fs::weakly_canonical(file_, ec);
        if (!ec)
            return {std::move(resolved), true};
    }
    return {file_, false};
}

PreferencesStamp JsonFilePreferencesBackend::stamp() const {
    struct stat st {};
    if (::stat(file_.c_str(), &st) != 0)
        return {};
    return stampOf(st);
}

bool JsonFilePreferencesBackend::holdWriterLock() {
    if (lock_)
        return true;
    const fs::path lockPath = directoryOf(file_) / (file_.filename().string() + ".lock");
    UniqueFd fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, fileMode));
    if (!fd) {
        lockHolder_ = couldNot("open the lock", lockPath, errno);
        return false;
    }
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        char pid[32] = {};
        const ssize_t got = ::pread(fd.get(), pid, sizeof pid - 1, 0);
        const std::string holder = got > 0 ? std::string(pid, static_cast<std::size_t>(got)) : "";
        lockHolder_ = "Another Vornela" + (holder.empty() ? "" : " (process " + holder + ")") +
                      " is saving to " + directoryOf(file_).string() + "; this one does not save.";
        return false;
    }
    // Who holds it, for the message the next one shows.
    const std::string pid = std::to_string(::getpid());
    if (::ftruncate(fd.get(), 0) == 0)
        (void)!::pwrite(fd.get(), pid.data(), pid.size(), 0);
    lock_ = std::move(fd);
    lockHolder_.clear();
    removeStaleTemporaries();
    return true;
}

// Temporaries of saves that never finished (the process was killed). Only the lock holder
// writes here, so none of them is in use.
void JsonFilePreferencesBackend::removeStaleTemporaries() const {
    const std::string prefix = file_.filename().string() + ".tmp";
    std::error_code ec;
    for (fs::directory_iterator it(directoryOf(file_), ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().filename().string().starts_with(prefix) && it->is_regular_file(ec) &&
            !it->is_symlink(ec))
            ::unlink(it->path().c_str());
    }
}

PreferencesLoad JsonFilePreferencesBackend::unreadable(std::string message) {
    unreadable_ = true;
    unreadableMessage_ = message;
    PreferencesLoad result;
    result.status = PreferencesLoad::Status::unreadable;
    result.message = std::move(message);
    return result;
}

PreferencesLoad JsonFilePreferencesBackend::load(BadStoredObject bad) {
    const fs::path dir = directoryOf(file_);
    tightenDirectory(dir);
    // The first Vornela to start is the one that writes.
    std::error_code ec;
    if (fs::is_directory(dir, ec))
        (void)holdWriterLock();
    const Target to = target();
    const PreferencesStamp previous = known_;

    // Non-blocking so a FIFO at the path cannot hang the app; regular files ignore it.
    UniqueFd fd(::open(to.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd) {
        const int code = errno;
        known_ = stamp();
        if (code == ENOENT) {
            unreadable_ = false;
            return PreferencesLoad{};
        }
        return unreadable(couldNot("open the preferences file", to.path, code));
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return unreadable(couldNot("read the preferences file", to.path, errno));
    known_ = stampOf(st);
    if (!S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode))
            return unreadable(couldNot("read the preferences file", to.path, EISDIR));
        return unreadable("Could not read the preferences file " + to.path.string() + ": not a regular file");
    }
    // A linked file is the user's own arrangement: its mode stays as it is.
    if (!to.linked && st.st_uid == ::geteuid() && (st.st_mode & 07777) != fileMode)
        ::fchmod(fd.get(), fileMode);

    Result<std::string> text = readAll(fd.get(), to.path, static_cast<std::size_t>(st.st_size));
    fd.reset();
    if (!text)
        return unreadable(text.error());

    Result<json> values = parsePreferencesText(text.value());
    if (!values) {
        if (bad == BadStoredObject::setAside)
            return setAside(values.error());
        // Nothing of it was taken in: a save must still not go over it.
        known_ = previous;
        PreferencesLoad result;
        result.status = PreferencesLoad::Status::unparsable;
        result.message = "The preferences file " + to.path.string() + " " + values.error() + ".";
        return result;
    }
    unreadable_ = false;
    PreferencesLoad result;
    result.status = PreferencesLoad::Status::loaded;
    result.values = std::move(values).value();
    return result;
}

// Renames the file, or the link to it, within its own folder: a linked file is left where it is.
PreferencesLoad JsonFilePreferencesBackend::setAside(const std::string& why) {
    const Target to = target();
    const std::string what = "The preferences file " + to.path.string() + " " + why;
    if (!holdWriterLock())
        return unreadable(what + ". " + lockHolder_);
    const fs::path dir = directoryOf(file_);
    const std::string stem = file_.filename().string() + ".corrupt-" + utcStamp();
    int code = 0;
    for (int n = 0; n < 1000; ++n) {
        const fs::path aside = dir / (n == 0 ? stem : stem + "-" + std::to_string(n));
        code = renameNoReplace(file_, aside);
        if (code == 0) {
            // Should this sync fail, a power cut only brings the bad file back, to be set aside again.
            (void)syncDirectory(dir);
            unreadable_ = false;
            known_ = stamp();
            PreferencesLoad result;
            result.status = PreferencesLoad::Status::setAside;
            result.message = what + ". It was kept as " + aside.string() +
                             (to.linked ? " (the link; the file it leads to is unchanged)" : "") +
                             " and the defaults are in use.";
            return result;
        }
        if (code != EEXIST)
            break;
    }
    // Unless it is safely aside, treat it as unreadable so that it is never written over.
    return unreadable(what + " and could not be moved aside: " + errorText(code));
}

Result<void> JsonFilePreferencesBackend::save(const json& values) {
    if (unreadable_)
        return Failure{"Not saving over " + file_.string() + ", which could not be read. " +
                       unreadableMessage_};
    if (!values.is_object())
        return Failure{"Not saving preferences that are not a JSON object."};
    if (auto made = ensureDirectory(directoryOf(file_)); !made)
        return made;
    if (!holdWriterLock())
        return Failure{lockHolder_};
    if (changedOutside())
        return Failure{"Not saving over " + file_.string() + ": it changed on disk since Vornela read it."};

    const Target to = target();
    mode_t mode = fileMode;
    if (to.linked) {
        struct stat st {};
        if (::stat(to.path.c_str(), &st) == 0) {
            if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
                return Failure{"Not saving to " + file_.string() + ": it links to " + to.path.string() +
                               ", which is not a regular file owned by you."};
            mode = st.st_mode & 0777;
        }
    }

    const std::string text = formatPreferencesText(values);
    auto temporary = createTemporary(to.path);
    if (!temporary)
        return Failure{temporary.error()};
    auto [fd, temp] = std::move(temporary).value();
    const Result<PreferencesStamp> written = writeDurably(std::move(fd), text, temp, mode);
    if (!written) {
        ::unlink(temp.c_str());
        return Failure{written.error()};
    }
    if (::rename(temp.c_str(), to.path.c_str()) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        return Failure{"Could not replace " + to.path.string() + " with " + temp.string() + ": " +
                       errorText(code)};
    }
    known_ = written.value();
    return syncDirectory(directoryOf(to.path));
}

} // namespace vornela
