#pragma once

#include "core/store/PreferencesBackend.h"

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

namespace vornela {

// Preferences as a pretty-printed JSON object in one file. The directory is private (0700)
// and the file 0600: it holds personal health data. Saves replace the file atomically and
// durably; a file that no longer parses is renamed aside, never deleted; a file that cannot
// be read is never written over.
class JsonFilePreferencesBackend final : public PreferencesBackend {
public:
    explicit JsonFilePreferencesBackend(std::filesystem::path file);

    // $XDG_CONFIG_HOME/vornela/preferences.json; an unset, empty or relative XDG_CONFIG_HOME
    // means $HOME/.config.
    static std::filesystem::path defaultPath();
    const std::filesystem::path& path() const { return file_; }

    PreferencesLoad load() override;
    Result<void> save(const nlohmann::json& values) override;

private:
    // Where reads and writes go: the file, or what it links to, so a symlinked file (dotfile
    // managers) stays a symlink.
    std::filesystem::path target() const;
    PreferencesLoad unreadable(std::string message);
    PreferencesLoad setAside(const std::filesystem::path& path, const std::string& why);

    std::filesystem::path file_;
    bool unreadable_ = false;
    std::string unreadableMessage_;
};

} // namespace vornela
