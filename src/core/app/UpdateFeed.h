#pragma once

#include "core/base/Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornela {

// One release listed in an appcast-style RSS feed.
struct UpdateRelease {
    std::string version; // sparkle:version, or sparkle:shortVersionString
    std::string title;
    std::string releaseNotes; // the item's description
    std::string url;          // the enclosure's archive
    std::uint64_t length = 0; // the enclosure's length in bytes
    std::string edSignature;  // base64 ed25519 signature of the archive
};

// The update feed of home installs: what it lists, and which release to offer.
struct UpdateFeed {
    // More than any real feed: a server that sends more is refused, not read to the end.
    static constexpr std::size_t maxBytes = 1 << 20;

    // The feed's releases in the order listed. A failure says why in words for the user.
    static Result<std::vector<UpdateRelease>> parse(std::string_view xml);

    // Numeric, part by part ("1.10" > "1.9", "1.2" == "1.2.0"): below 0, 0 or above 0. Nothing when
    // either is not a dotted version.
    static std::optional<int> compareVersions(std::string_view a, std::string_view b);

    // The newest release newer than `running` and not the skipped one: never a downgrade.
    static std::optional<UpdateRelease> pick(const std::vector<UpdateRelease>& releases,
                                             std::string_view running, std::string_view skipped);
};

} // namespace vornela
