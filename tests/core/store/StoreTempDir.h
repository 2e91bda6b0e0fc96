#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vornela::test {

// A fresh directory under the system temp dir, removed with everything in it.
class StoreTempDir {
public:
    StoreTempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vornela-store-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~StoreTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    StoreTempDir(const StoreTempDir&) = delete;
    StoreTempDir& operator=(const StoreTempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

    static std::string readText(const std::filesystem::path& file) {
        std::ostringstream text;
        text << std::ifstream(file, std::ios::binary).rdbuf();
        return text.str();
    }
    static void writeText(const std::filesystem::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    }

private:
    std::filesystem::path path_;
};

} // namespace vornela::test
