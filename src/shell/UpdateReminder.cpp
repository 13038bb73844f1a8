#include "shell/UpdateReminder.h"

#include "links/WebPages.h"

namespace shell {

QString ReminderDateText(const QDateTime& when) { return when.toString(Qt::ISODate); }

std::optional<QDateTime> ParseReminderDate(const QString& text) {
  const QDateTime when = QDateTime::fromString(text.trimmed(), Qt::ISODate);
  if (!when.isValid()) return std::nullopt;
  return when;
}

qint64 CalendarDaysFromNow(const QDateTime& now, const QDateTime& stored) {
  // Both as local calendar dates: a stored value that carries an offset
  // still counts by the user's midnights.
  return now.toLocalTime().date().daysTo(stored.toLocalTime().date());
}

bool ReminderDue(qint64 days) { return days < -kReminderIntervalDays || days > kReminderIntervalDays; }

void CheckUpdateReminder(platform::Platform& platform) {
  const QDateTime now = platform.clock.now();
  const auto storeNow = [&] {
    platform.settings.setValue(kReminderSection, kReminderKey, ReminderDateText(now));
  };

  const std::optional<QString> text = platform.settings.value(kReminderSection, kReminderKey);
  const std::optional<QDateTime> stored = text ? ParseReminderDate(*text) : std::nullopt;
  if (!stored) {
    // A first start, or a value this program cannot read (written in an
    // older, locale-dependent form): start counting from today rather than
    // never asking again.
    storeNow();
    return;
  }
  if (!ReminderDue(CalendarDaysFromNow(now, *stored))) return;

  const platform::MessageAnswer answer =
      platform.dialogs.message(nullptr, kReminderQuestion, platform::MessageIcon::Information,
                               platform::MessageButtons::YesNo);
  // Re-armed whatever the answer, and before the browser opens.
  storeNow();
  if (answer == platform::MessageAnswer::Yes) links::OpenWebPage(platform.shell, links::kDownloadPage);
}

}  // namespace shell
