#pragma once

#include "core/base/UniqueFd.h"
#include "core/store/PreferencesBackend.h"

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

namespace vornela {

// Preferences as a JSON object in one file. The folder is private (0700) and the file 0600: it
// holds personal health data. Saves replace the file atomically and durably; a file that no
// longer parses is renamed aside, never deleted; a file that cannot be read is never written
// over. Only one process writes to a folder: the one holding its lock. Nothing outside the
// file's own folder is ever renamed or has its mode changed, even when the file is a link.
class JsonFilePreferencesBackend final : public PreferencesBackend {
public:
    explicit JsonFilePreferencesBackend(std::filesystem::path file);

    // $XDG_CONFIG_HOME/vornela/preferences.json; an unset, empty or relative XDG_CONFIG_HOME
    // means $HOME/.config.
    static std::filesystem::path defaultPath();
    const std::filesystem::path& path() const { return file_; }

    using PreferencesBackend::load;
    PreferencesLoad load(BadStoredObject bad) override;
    Result<void> save(const nlohmann::json& values) override;
    PreferencesStamp stamp() const override;
    bool changedOutside() const override { return stamp() != known_; }

private:
    // Where reads and writes go: the file, or what it links to, so a symlinked file (dotfile
    // managers) stays a symlink and its target gets the data.
    struct Target {
        std::filesystem::path path;
        bool linked = false;
    };
    Target target() const;
    // Takes the folder's lock unless held; false while another process holds it.
    bool holdWriterLock();
    void removeStaleTemporaries() const;
    PreferencesLoad unreadable(std::string message);
    PreferencesLoad setAside(const std::string& why);

    std::filesystem::path file_;
    UniqueFd lock_;
    std::string lockHolder_;
    PreferencesStamp known_;
    bool unreadable_ = false;
    std::string unreadableMessage_;
};

} // namespace vornela
