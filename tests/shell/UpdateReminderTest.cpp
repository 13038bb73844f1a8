// The update reminder at start-up: calendar days, both directions, the
// first start, an unreadable stored date, both answers, and the order of
// storing and opening.
#include "shell/UpdateReminder.h"
#include "platform/testing/Doubles.h"

#include <gtest/gtest.h>

namespace {

using platform::MessageAnswer;
using platform::testing::TestPlatform;

QDateTime at(int y, int m, int d, int h = 12, int min = 0) { return QDateTime(QDate(y, m, d), QTime(h, min)); }

const QString kKey = QStringLiteral("Settings/Duration");

TEST(CalendarDays, CountMidnightsNotHours) {
  const struct {
    QDateTime now, stored;
    qint64 days;
  } cases[] = {
      {at(2026, 1, 15), at(2026, 1, 15, 0, 0), 0},
      {at(2026, 1, 16, 0, 1), at(2026, 1, 15, 23, 59), -1},
      {at(2026, 1, 30, 0, 1), at(2026, 1, 15, 23, 59), -15},
      {at(2026, 1, 29, 23, 59), at(2026, 1, 15, 0, 1), -14},
      {at(2026, 1, 15), at(2026, 2, 1), 17},
      {at(2026, 3, 1), at(2025, 2, 28), -366},
  };
  for (const auto& c : cases)
    EXPECT_EQ(shell::CalendarDaysFromNow(c.now, c.stored), c.days)
        << c.now.toString().toStdString() << " / " << c.stored.toString().toStdString();
}

TEST(ReminderDue, OnlyBeyondFourteenDaysEitherWay) {
  for (qint64 d : {-14, -1, 0, 1, 14}) EXPECT_FALSE(shell::ReminderDue(d)) << d;
  for (qint64 d : {-15, 15, -4000, 4000}) EXPECT_TRUE(shell::ReminderDue(d)) << d;
}

TEST(ReminderDate, IsStoredInIsoFormWithAFourDigitYear) {
  const QDateTime when = at(2026, 1, 5, 9, 7);
  EXPECT_EQ(shell::ReminderDateText(when), "2026-01-05T09:07:00");
  EXPECT_EQ(shell::ParseReminderDate(shell::ReminderDateText(when)), when);
  EXPECT_EQ(shell::ParseReminderDate("1/5/2026 9:07:00 AM"), std::nullopt);
  EXPECT_EQ(shell::ParseReminderDate("05.01.26 09:07"), std::nullopt);
  EXPECT_EQ(shell::ParseReminderDate(""), std::nullopt);
}

struct Case {
  const char* what;
  std::optional<QString> stored;  // nullopt: no value at all
  QDateTime now;
  bool asks;
  bool stores;  // the stored value becomes now
};

const Case kCases[] = {
    {"first start", std::nullopt, at(2026, 1, 15), false, true},
    {"empty value counts as first start", QString(""), at(2026, 1, 15), false, true},
    {"today", QString("2026-01-15T08:00:00"), at(2026, 1, 15), false, false},
    {"14 days back", QString("2026-01-01T12:00:00"), at(2026, 1, 15), false, false},
    {"15 days back", QString("2025-12-31T12:00:00"), at(2026, 1, 15), true, true},
    {"23:59, then 00:01 fifteen days later", QString("2026-01-01T23:59:00"), at(2026, 1, 16, 0, 1), true, true},
    {"00:01, then 23:59 fourteen days later", QString("2026-01-01T00:01:00"), at(2026, 1, 15, 23, 59), false, false},
    {"14 days ahead", QString("2026-01-29T12:00:00"), at(2026, 1, 15), false, false},
    {"15 days ahead (clock set back)", QString("2026-01-30T12:00:00"), at(2026, 1, 15), true, true},
    {"far future", QString("2099-12-31T23:59:59"), at(2026, 1, 15), true, true},
    {"written under another locale", QString("31/12/2025 12:00:00"), at(2026, 1, 15), false, true},
    {"not a date at all", QString("soon"), at(2026, 1, 15), false, true},
};

TEST(CheckUpdateReminder, TableOfStoredDatesWithBothAnswers) {
  for (const Case& c : kCases) {
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
      const std::string label = std::string(c.what) + (answer == MessageAnswer::Yes ? " / Yes" : " / No");
      TestPlatform t;
      t.clock.current = c.now;
      if (c.stored) t.settings.values[kKey] = *c.stored;
      t.dialogs.answers.push_back(answer);
      std::optional<QString> storedWhenOpened;
      t.shell.onOpen = [&](const QUrl&) { storedWhenOpened = t.settings.values.value(kKey); };

      shell::CheckUpdateReminder(t.platform);

      const QString nowText = c.now.toString(Qt::ISODate);
      EXPECT_EQ(t.settings.values.value(kKey), c.stores ? nowText : c.stored.value_or(QString())) << label;
      if (!c.asks) {
        EXPECT_TRUE(t.dialogs.messages.empty()) << label;
        EXPECT_TRUE(t.shell.opened.empty()) << label;
        continue;
      }
      ASSERT_EQ(t.dialogs.messages.size(), 1u) << label;
      const auto& question = t.dialogs.messages.front();
      EXPECT_EQ(question.text,
                "There maybe an update to this software available\rDo you want to check for an update?");
      EXPECT_EQ(question.icon, platform::MessageIcon::Information);
      EXPECT_EQ(question.buttons, platform::MessageButtons::YesNo);
      EXPECT_EQ(question.parent, nullptr) << "the question has no owner window";
      if (answer == MessageAnswer::Yes) {
        ASSERT_EQ(t.shell.opened.size(), 1u) << label;
        EXPECT_EQ(t.shell.opened[0].toString(), "http://www.ostrelda.net/ostrelda/ssd.php?page=download-web-page");
        EXPECT_EQ(storedWhenOpened, nowText) << label << ": the date is stored before the page opens";
      } else {
        EXPECT_TRUE(t.shell.opened.empty()) << label;
      }
    }
  }
}

TEST(CheckUpdateReminder, AfterAQuestionTheNextComesFifteenDaysLaterAtTheEarliest) {
  TestPlatform t;
  t.settings.values[kKey] = "2025-12-01T12:00:00";
  t.clock.current = at(2026, 1, 15);
  shell::CheckUpdateReminder(t.platform);
  ASSERT_EQ(t.dialogs.messages.size(), 1u);
  for (int day = 1; day <= 14; ++day) {
    t.clock.current = at(2026, 1, 15).addDays(day);
    shell::CheckUpdateReminder(t.platform);
  }
  EXPECT_EQ(t.dialogs.messages.size(), 1u);
  t.clock.current = at(2026, 1, 30, 0, 0);
  shell::CheckUpdateReminder(t.platform);
  EXPECT_EQ(t.dialogs.messages.size(), 2u);
}

TEST(CheckUpdateReminder, QuestionShowsAsTwoLines) {
  EXPECT_EQ(platform::displayText(shell::kReminderQuestion),
            "There maybe an update to this software available\nDo you want to check for an update?");
}

}  // namespace
