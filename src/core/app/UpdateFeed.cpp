#include "core/app/UpdateFeed.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace vornela {

namespace {

// Enough XML for an appcast: elements, attributes, text, CDATA, comments and the five entities
// plus character references. Document types are refused: their entities could expand without end.
class FeedReader {
public:
    explicit FeedReader(std::string_view xml) : xml_(xml) {}

    Result<std::vector<UpdateRelease>> read() {
        std::vector<std::string> open;
        bool sawRss = false;
        while (pos_ < xml_.size()) {
            if (xml_[pos_] != '<') {
                const std::size_t end = xml_.find('<', pos_);
                if (!appendText(xml_.substr(pos_, end - pos_), open))
                    return notAFeed();
                pos_ = end == std::string_view::npos ? xml_.size() : end;
                continue;
            }
            if (skip("<?", "?>") || skip("<!--", "-->"))
                continue;
            if (startsWith("<![CDATA[")) {
                const std::size_t end = xml_.find("]]>", pos_);
                if (end == std::string_view::npos)
                    return notAFeed();
                text(open) += xml_.substr(pos_ + 9, end - pos_ - 9);
                pos_ = end + 3;
                continue;
            }
            if (startsWith("<!"))
                return notAFeed();
            if (startsWith("</")) {
                const std::size_t end = xml_.find('>', pos_);
                if (end == std::string_view::npos || open.empty() ||
                    open.back() != trim(xml_.substr(pos_ + 2, end - pos_ - 2)))
                    return notAFeed();
                if (isItem(open) && releases_.back().version.empty())
                    releases_.pop_back(); // an item that names no version offers nothing
                open.pop_back();
                pos_ = end + 1;
                continue;
            }
            if (!startTag(open))
                return notAFeed();
            sawRss = sawRss || (open.size() == 1 && open.front() == "rss");
            if (open.size() > 32)
                return notAFeed();
        }
        if (!open.empty() || !sawRss)
            return notAFeed();
        if (releases_.empty())
            return Failure{"The update feed lists no releases."};
        return std::move(releases_);
    }

private:
    // rss > channel > item: the only items that are releases.
    bool isItem(const std::vector<std::string>& open) const {
        return open.size() == 3 && open[2] == "item" && !releases_.empty();
    }

    static Failure notAFeed() { return Failure{"The update feed is not a valid RSS feed."}; }

    bool startsWith(std::string_view prefix) const { return xml_.substr(pos_, prefix.size()) == prefix; }

    bool skip(std::string_view open, std::string_view close) {
        if (!startsWith(open))
            return false;
        const std::size_t end = xml_.find(close, pos_ + open.size());
        pos_ = end == std::string_view::npos ? xml_.size() : end + close.size();
        return true;
    }

    static std::string_view trim(std::string_view s) {
        while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
            s.remove_prefix(1);
        while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
            s.remove_suffix(1);
        return s;
    }

    // Where the text of the innermost open element goes, when it is one we keep.
    std::string& text(const std::vector<std::string>& open) {
        static thread_local std::string ignored;
        ignored.clear();
        if (open.size() != 4 || open[2] != "item" || releases_.empty())
            return ignored;
        UpdateRelease& r = releases_.back();
        const std::string& name = open.back();
        if (name == "title")
            return r.title;
        if (name == "description")
            return r.releaseNotes;
        if (name == "sparkle:version")
            return r.version;
        if (name == "sparkle:shortVersionString")
            return r.version.empty() ? r.version : ignored;
        return ignored;
    }

    bool appendText(std::string_view raw, const std::vector<std::string>& open) {
        const std::optional<std::string> decoded = decode(raw);
        if (!decoded)
            return false;
        text(open) += *decoded;
        return true;
    }

    static std::optional<std::string> decode(std::string_view raw) {
        std::string out;
        while (!raw.empty()) {
            const std::size_t amp = raw.find('&');
            out += raw.substr(0, amp);
            if (amp == std::string_view::npos)
                break;
            const std::size_t semi = raw.find(';', amp);
            if (semi == std::string_view::npos)
                return std::nullopt;
            const std::string_view entity = raw.substr(amp + 1, semi - amp - 1);
            if (entity == "lt")
                out += '<';
            else if (entity == "gt")
                out += '>';
            else if (entity == "amp")
                out += '&';
            else if (entity == "quot")
                out += '"';
            else if (entity == "apos")
                out += '\'';
            else if (!appendCharacter(entity, out))
                return std::nullopt;
            raw.remove_prefix(semi + 1);
        }
        return out;
    }

    static bool appendCharacter(std::string_view entity, std::string& out) {
        if (entity.size() < 2 || entity[0] != '#')
            return false;
        const bool hex = entity[1] == 'x';
        const std::string_view digits = entity.substr(hex ? 2 : 1);
        std::uint32_t c = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), c, hex ? 16 : 10);
        if (error != std::errc() || end != digits.data() + digits.size() || digits.empty() || c == 0 ||
            c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        // UTF-8.
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
        return true;
    }

    bool startTag(std::vector<std::string>& open) {
        const std::size_t end = xml_.find('>', pos_);
        if (end == std::string_view::npos)
            return false;
        std::string_view tag = xml_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
        const bool selfClosing = !tag.empty() && tag.back() == '/';
        if (selfClosing)
            tag.remove_suffix(1);
        std::size_t nameEnd = 0;
        while (nameEnd < tag.size() && !std::isspace(static_cast<unsigned char>(tag[nameEnd])))
            ++nameEnd;
        const std::string name(tag.substr(0, nameEnd));
        if (name.empty())
            return false;
        std::string_view rest = tag.substr(nameEnd);
        std::vector<std::pair<std::string_view, std::string>> attributes;
        while (!(rest = trim(rest)).empty()) {
            const std::size_t eq = rest.find('=');
            if (eq == std::string_view::npos)
                return false;
            const std::string_view key = trim(rest.substr(0, eq));
            rest = trim(rest.substr(eq + 1));
            if (rest.empty() || (rest[0] != '"' && rest[0] != '\''))
                return false;
            const std::size_t close = rest.find(rest[0], 1);
            if (close == std::string_view::npos)
                return false;
            const std::optional<std::string> value = decode(rest.substr(1, close - 1));
            if (!value)
                return false;
            attributes.emplace_back(key, *value);
            rest.remove_prefix(close + 1);
        }

        if (name == "item" && !selfClosing && open.size() == 2)
            releases_.emplace_back();
        if (name == "enclosure" && isItem(open)) {
            UpdateRelease& r = releases_.back();
            for (const auto& [key, value] : attributes) {
                if (key == "url")
                    r.url = value;
                else if (key == "sparkle:edSignature")
                    r.edSignature = value;
                else if (key == "sparkle:version" && r.version.empty())
                    r.version = value;
                else if (key == "length") {
                    const auto [p, e] = std::from_chars(value.data(), value.data() + value.size(), r.length);
                    if (e != std::errc() || p != value.data() + value.size())
                        r.length = 0;
                }
            }
        }
        if (!selfClosing)
            open.push_back(name);
        return true;
    }

    std::string_view xml_;
    std::size_t pos_ = 0;
    std::vector<UpdateRelease> releases_;
};

std::optional<std::vector<std::uint64_t>> versionParts(std::string_view version) {
    std::vector<std::uint64_t> parts;
    while (true) {
        std::uint64_t part = 0;
        const auto [end, error] = std::from_chars(version.data(), version.data() + version.size(), part);
        if (error != std::errc() || parts.size() == 16)
            return std::nullopt;
        parts.push_back(part);
        version.remove_prefix(std::size_t(end - version.data()));
        if (version.empty())
            return parts;
        if (version.front() != '.')
            return std::nullopt;
        version.remove_prefix(1);
    }
}

} // namespace

Result<std::vector<UpdateRelease>> UpdateFeed::parse(std::string_view xml) {
    if (xml.size() > maxBytes)
        return Failure{"The update feed is too large."};
    return FeedReader(xml).read();
}

std::optional<int> UpdateFeed::compareVersions(std::string_view a, std::string_view b) {
    const auto pa = versionParts(a);
    const auto pb = versionParts(b);
    if (!pa || !pb)
        return std::nullopt;
    for (std::size_t i = 0; i < std::max(pa->size(), pb->size()); ++i) {
        const std::uint64_t x = i < pa->size() ? (*pa)[i] : 0;
        const std::uint64_t y = i < pb->size() ? (*pb)[i] : 0;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

std::optional<UpdateRelease> UpdateFeed::pick(const std::vector<UpdateRelease>& releases,
                                              std::string_view running, std::string_view skipped) {
    const UpdateRelease* best = nullptr;
    for (const UpdateRelease& r : releases) {
        if (compareVersions(r.version, running).value_or(-1) <= 0)
            continue;
        if (!skipped.empty() && compareVersions(r.version, skipped) == 0)
            continue;
        if (!best || compareVersions(r.version, best->version) > 0)
            best = &r;
    }
    if (!best)
        return std::nullopt;
    return *best;
}

} // namespace vornela
