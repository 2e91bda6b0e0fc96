#include "core/activity/SharePreviewModel.h"
#include "store/StoreTempDir.h"
#include "support/CoreWorld.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vornela;
using vornela::testing::CoreWorld;
using Bg = ActivityShareBackground;
using Card = fakes::FakeShareServices::Card;

namespace {

// The preview opened from the heat map, the first card rendered.
struct PreviewWorld : CoreWorld {
    PreviewWorld() : CoreWorld("Europe/Berlin", 2026, 3, 10) {
        preview.presentSharePreview(history, Bg::mono);
        scheduler.runDue();
    }
    const Card& shown() const { return static_cast<const Card&>(*preview.previewImage()); }

    IntMap history{{"2026-03-09", 72}};
    SharePreviewModel& preview = core->sharePreview();
    fakes::FakeShareServices& platform = desktop.sharePreview;
};

} // namespace

TEST(SharePreviewModel, RendersOnTheNextTurnAndTheLatestChoiceWins) {
    CoreWorld w("Europe/Berlin", 2026, 3, 10);
    auto& preview = w.core->sharePreview();
    int presents = 0;
    auto sub = preview.presentRequested.connect([&] { ++presents; });
    preview.presentSharePreview({{"2026-03-09", 72}}, Bg::mono);
    EXPECT_EQ(presents, 1);
    EXPECT_TRUE(preview.isRendering());
    EXPECT_FALSE(preview.previewImage()) << "the busy indicator first";
    EXPECT_EQ(w.desktop.sharePreview.renders, 0);
    preview.copy();
    preview.save();
    EXPECT_FALSE(preview.didCopy()) << "nothing to export yet";
    EXPECT_TRUE(w.desktop.sharePreview.copies.empty() && w.desktop.sharePreview.saves.empty());
    w.scheduler.runDue();
    EXPECT_EQ(w.desktop.sharePreview.renders, 1);
    EXPECT_FALSE(preview.isRendering());

    preview.chooseBackground(Bg::thriving);
    preview.chooseBackground(Bg::amber);
    preview.chooseBackground(Bg::amber);
    w.scheduler.runDue();
    EXPECT_EQ(w.desktop.sharePreview.renders, 2) << "the thriving render was skipped";
    EXPECT_EQ(static_cast<const Card&>(*preview.previewImage()).background, Bg::amber);

    // A card that cannot be drawn keeps the last one on screen.
    w.desktop.sharePreview.renderSucceeds = false;
    preview.chooseBackground(Bg::colorful);
    w.scheduler.runDue();
    EXPECT_FALSE(preview.isRendering());
    EXPECT_EQ(static_cast<const Card&>(*preview.previewImage()).background, Bg::amber);
}

// Cards drawn off the main thread come back late: one for a replaced choice or a closed window is
// dropped, whatever order they arrive in.
TEST(SharePreviewModel, ALateCardForAReplacedChoiceOrAClosedWindowIsDropped) {
    PreviewWorld w;
    w.platform.holdRenders = true;
    w.preview.chooseBackground(Bg::thriving);
    w.scheduler.runDue();
    w.preview.chooseBackground(Bg::amber);
    w.scheduler.runDue();
    ASSERT_EQ(w.platform.heldRenders.size(), 2u);
    w.platform.heldRenders[1]();
    EXPECT_EQ(w.shown().background, Bg::amber);
    EXPECT_FALSE(w.preview.isRendering());
    w.platform.heldRenders[0]();
    EXPECT_EQ(w.shown().background, Bg::amber) << "the thriving card arrived last but was asked for first";

    w.preview.chooseBackground(Bg::colorful);
    w.scheduler.runDue();
    w.preview.close();
    w.platform.heldRenders[2]();
    EXPECT_FALSE(w.preview.isOpen());
    EXPECT_EQ(w.shown().background, Bg::amber);
}

TEST(SharePreviewModel, FeedbackShowsForTheLastExportOnly) {
    PreviewWorld w;
    w.preview.copy();
    EXPECT_EQ(w.platform.copies, std::vector<int>{1});
    EXPECT_TRUE(w.preview.didCopy());
    w.advance(1);
    w.preview.save();
    w.platform.answerSave(true);
    EXPECT_FALSE(w.preview.didCopy()) << "never both at once";
    EXPECT_TRUE(w.preview.didSave());
    w.advance(1.79);
    EXPECT_TRUE(w.preview.didSave()) << "the copy's timer no longer runs";
    w.advance(0.02);
    EXPECT_FALSE(w.preview.didSave());

    // Cancel or a failed write changes nothing, nor does an answer after the window closed.
    w.preview.copy();
    w.preview.save();
    w.platform.answerSave(false);
    EXPECT_TRUE(w.preview.didCopy());
    EXPECT_FALSE(w.preview.didSave());
    w.preview.save();
    w.preview.close();
    w.platform.answerSave(true);
    EXPECT_FALSE(w.preview.didSave());
    EXPECT_FALSE(w.preview.didCopy()) << "closing ends the feedback";

    // A background change ends it too.
    w.preview.presentSharePreview(w.history, Bg::mono);
    w.scheduler.runDue();
    w.preview.copy();
    w.preview.chooseBackground(Bg::colorful);
    EXPECT_FALSE(w.preview.didCopy());
}

TEST(SharePreviewModel, EachShareReplacesItsFileAndClosingDeletesIt) {
    PreviewWorld w;
    const test::StoreTempDir dir;
    w.platform.directory = dir.path();
    w.preview.share(580);
    const auto first = w.preview.shareFilePath().value();
    EXPECT_TRUE(std::filesystem::exists(first));
    ASSERT_EQ(w.platform.shared.size(), 1u);
    EXPECT_EQ(std::get<std::string>(w.platform.shared[0].first), first);
    EXPECT_EQ(w.platform.shared[0].second, (Rect{280, 28, 20, 20}));

    w.preview.share(580);
    const auto second = w.preview.shareFilePath().value();
    EXPECT_NE(second, first);
    EXPECT_FALSE(std::filesystem::exists(first)) << "the previous file goes first";
    std::filesystem::remove(second); // already gone is fine
    w.preview.share(580);
    EXPECT_TRUE(std::filesystem::exists(w.preview.shareFilePath().value()));

    w.preview.chooseBackground(Bg::amber);
    w.scheduler.runDue();
    const auto third = *w.preview.shareFilePath();
    w.preview.close();
    EXPECT_FALSE(w.preview.isOpen());
    EXPECT_FALSE(std::filesystem::exists(third));
    EXPECT_FALSE(w.preview.shareFilePath());

    // Reopened: mono again, no old picture, one fresh render.
    const int renders = w.platform.renders;
    w.preview.presentSharePreview(w.history, Bg::mono);
    EXPECT_EQ(w.preview.background(), Bg::mono);
    EXPECT_FALSE(w.preview.previewImage());
    w.scheduler.runDue();
    EXPECT_EQ(w.platform.renders, renders + 1);

    // Without a temporary file the image itself is offered.
    w.platform.directory.clear();
    w.preview.share(580);
    EXPECT_FALSE(w.preview.shareFilePath());
    EXPECT_EQ(fakes::FakeShareServices::number(*std::get<ShareCardImagePtr>(w.platform.shared.back().first)),
              w.shown().number);
}
