#include "ui/onboarding/OnboardingSetUpPage.h"

#include "core/settings/SettingsOptions.h"
#include "ui/onboarding/OnboardingCard.h"
#include "ui/onboarding/OnboardingNudgeCard.h"
#include "ui/onboarding/OnboardingTheme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vornela {

using namespace onboardingTheme;
using Goal = SettingsActions::Goal;

namespace {

QLabel* sectionHeader(const QString& title) {
    return label(title, sectionFont(), 1);
}

QLabel* footnote(const QString& text) {
    auto* note = label(text, captionFont(), 2);
    note->setWordWrap(true);
    return note;
}

QVBoxLayout* section(QVBoxLayout& page, int spacing) {
    auto* layout = new QVBoxLayout;
    layout->setSpacing(spacing);
    page.addLayout(layout);
    return layout;
}

} // namespace

OnboardingSetUpPage::OnboardingSetUpPage(Services services, QWidget* parent)
    : QWidget(parent), services_(services),
      rows_(makeNudgeRows(services.preferences, services.settings, services.actions)) {
    setAccessibleName(QStringLiteral("Set up nudges"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes straight to the first control, not to the scroll area around it.
    scroll->setFocusPolicy(Qt::NoFocus);
    // No scroll bars: the wheel, the keyboard focus and a card cut off at the bottom edge say
    // there is more.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The page shows through: the scroll area adds no background of its own.
    scroll->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    outer->addWidget(scroll);

    auto* content = new QWidget;
    content->setAutoFillBackground(false);
    auto* page = new QVBoxLayout(content);
    page->setContentsMargins(32, 20, 32, 12);
    page->setSpacing(28);

    auto* heading = section(*page, 6);
    heading->addWidget(label(QStringLiteral("Set up your nudges"), headingFont(), 0));
    auto* subtitle =
        label(QStringLiteral("Defaults are tuned to your goals \u2014 change anything now or later "
                             "in Settings."),
              smallFont(), 1);
    subtitle->setWordWrap(true);
    heading->addWidget(subtitle);

    auto* goals = section(*page, 8);
    goals->addWidget(sectionHeader(QStringLiteral("Daily goals")));
    auto* goalsCard = new OnboardingCard;
    goalsCard->rows().addWidget(goalRow(Goal::water, QStringLiteral("Daily water goal")));
    goalsCard->addDivider();
    goalsCard->rows().addWidget(goalRow(Goal::breaks, QStringLiteral("Daily breaks goal")));
    goalsCard->addDivider();
    goalsCard->rows().addWidget(goalRow(Goal::movement, QStringLiteral("Daily movement goal")));
    goals->addWidget(goalsCard);
    goals->addWidget(
        footnote(QStringLiteral("Nudge frequencies follow these targets across a 10-hour active day.")));

    auto* nudges = section(*page, 10);
    nudges->addWidget(sectionHeader(QStringLiteral("Nudges")));
    SettingsNudgeRow* lunch = nullptr;
    for (SettingsNudgeRow& row : rows_) {
        if (row.usesDailyClockTime()) {
            lunch = &row;
            continue;
        }
        cards_.push_back(new OnboardingNudgeCard(row, services.clock, services.driver, services.system,
                                                 services.reduceMotion));
        nudges->addWidget(cards_.back());
    }

    if (lunch) {
        auto* lunchSection = section(*page, 8);
        // A lunch reminder, whatever the stored kind is called ("launch").
        lunchSection->addWidget(sectionHeader(QStringLiteral("Lunch Reminder")));
        cards_.push_back(new OnboardingNudgeCard(*lunch, services.clock, services.driver, services.system,
                                                 services.reduceMotion));
        lunchSection->addWidget(cards_.back());
        lunchSection->addWidget(footnote(QStringLiteral(
            "A once-a-day lunch nudge at the time you choose. Change it anytime in Settings.")));
    }
    page->addStretch(1);
    scroll->setWidget(content);
    showGoals();
}

OnboardingSetUpPage::~OnboardingSetUpPage() = default;

QWidget* OnboardingSetUpPage::goalRow(Goal goal, const QString& title) {
    auto* row = new QWidget;
    row->setMinimumHeight(44);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(14, 4, 14, 4);
    layout->setSpacing(12);
    layout->addWidget(label(title, rowTitleFont(), 0));
    layout->addStretch(1);
    auto* menu = new QComboBox;
    menu->setAccessibleName(title);
    menu->setFont(menuFont());
    menu->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (int value : goalPresets(goal))
        menu->addItem(QString::fromStdString(goalLabel(goal, value)), value);
    layout->addWidget(menu);
    goalMenus_[static_cast<std::size_t>(goal)] = menu;
    QObject::connect(menu, &QComboBox::activated, this, [this, goal, menu](int index) {
        services_.actions.setGoal(goal, menu->itemData(index).toInt());
        // The goals set the intervals the frequency menus show.
        for (SettingsNudgeRow& nudge : rows_)
            nudge.reload();
        for (OnboardingNudgeCard* card : cards_)
            card->refresh();
    });
    return row;
}

void OnboardingSetUpPage::showGoals() {
    for (Goal goal : {Goal::water, Goal::breaks, Goal::movement}) {
        QComboBox& menu = goalMenu(goal);
        // A goal that is not one of the options shows as a blank.
        menu.setCurrentIndex(menu.findData(services_.actions.goal(goal)));
    }
}

} // namespace vornela
