#include "core/app/UpdateFeed.h"

#include <gtest/gtest.h>

namespace vornela {
namespace {

std::string feed(const std::string& items) {
    return R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle">
  <channel><title>Vornela</title>
)" + items +
           "</channel></rss>";
}

std::string item(const std::string& version, const std::string& extra = {}) {
    return "<item><title>Vornela " + version + "</title><sparkle:version>" + version +
           "</sparkle:version><description><![CDATA[<p>Notes & more</p>]]></description>"
           "<enclosure url=\"https://vornela.app/v/" +
           version + ".tar.xz\" length=\"1234\" type=\"application/x-xz\" sparkle:edSignature=\"c2ln\"/>" +
           extra + "</item>\n";
}

TEST(UpdateFeed, ReadsEachReleaseAndOffersOnlyTheNewestNewerOneThatWasNotSkipped) {
    const auto releases = UpdateFeed::parse(feed(item("0.9.0") + item("0.10.0") + item("0.2.1")));
    ASSERT_TRUE(releases) << releases.error();
    ASSERT_EQ(releases.value().size(), 3u);
    const UpdateRelease& r = releases.value()[1];
    EXPECT_EQ(r.version, "0.10.0");
    EXPECT_EQ(r.title, "Vornela 0.10.0");
    EXPECT_EQ(r.releaseNotes, "<p>Notes & more</p>");
    EXPECT_EQ(r.url, "https://vornela.app/v/0.10.0.tar.xz");
    EXPECT_EQ(r.length, 1234u);
    EXPECT_EQ(r.edSignature, "c2ln");

    // Numerically: 0.10 is newer than 0.9.
    EXPECT_EQ(UpdateFeed::pick(releases.value(), "0.2.1", "")->version, "0.10.0");
    EXPECT_EQ(UpdateFeed::pick(releases.value(), "0.2.1", "0.10.0")->version, "0.9.0");
    EXPECT_FALSE(UpdateFeed::pick(releases.value(), "0.10", "")) << "the running version is not offered";
    EXPECT_FALSE(UpdateFeed::pick(releases.value(), "1.0.0", "")) << "never a downgrade";
    EXPECT_EQ(UpdateFeed::compareVersions("1.2", "1.2.0"), 0);
    EXPECT_FALSE(UpdateFeed::compareVersions("1.2-beta", "1.2"));
}

TEST(UpdateFeed, RefusesWhatIsNotAFeedWithAReason) {
    const std::string notAFeed = "The update feed is not a valid RSS feed.";
    EXPECT_EQ(UpdateFeed::parse("<html><body>502 Bad Gateway</body></html>").error(), notAFeed);
    EXPECT_EQ(UpdateFeed::parse("{\"version\": \"2.0\"}").error(), notAFeed);
    EXPECT_EQ(UpdateFeed::parse(feed(item("1.0")).substr(0, 200)).error(), notAFeed) << "cut short";
    EXPECT_EQ(UpdateFeed::parse("<!DOCTYPE rss [<!ENTITY a \"aaaa\">]>" + feed(item("1.0"))).error(),
              notAFeed);
    EXPECT_EQ(UpdateFeed::parse(feed(item("1.0&bogus;"))).error(), notAFeed);
    EXPECT_EQ(UpdateFeed::parse(feed("")).error(), "The update feed lists no releases.");
    EXPECT_EQ(UpdateFeed::parse(feed("<item><title>no version</title></item>")).error(),
              "The update feed lists no releases.");
    EXPECT_EQ(UpdateFeed::parse(feed(item("1.0")) + std::string(UpdateFeed::maxBytes, ' ')).error(),
              "The update feed is too large.");
}

} // namespace
} // namespace vornela
