// Any bytes as an update feed: a result or a failure, never a crash, and only versions that
// compare.
#include "core/app/UpdateFeed.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    const auto releases = vornela::UpdateFeed::parse(xml);
    if (releases) {
        if (releases.value().empty())
            std::abort();
        const auto picked = vornela::UpdateFeed::pick(releases.value(), "0.1.0", "");
        if (picked && vornela::UpdateFeed::compareVersions(picked->version, "0.1.0") <= 0)
            std::abort();
    }
    return 0;
}
