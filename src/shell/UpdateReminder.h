// Every 14 calendar days at start-up, the user is asked whether to look for a
// newer version. The date of the last question (or of the first start) is
// kept in the settings store in ISO 8601 form, readable under any locale.
#pragma once

#include "platform/Platform.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace shell {

inline const QString kReminderSection = QStringLiteral("Settings");
inline const QString kReminderKey = QStringLiteral("Duration");
inline constexpr int kReminderIntervalDays = 14;
// Two lines joined by a lone carriage return; shown as two lines.
inline const QString kReminderQuestion = QStringLiteral(
    "There maybe an update to this software available\rDo you want to check for an update?");

// The stored form of a date and time: ISO 8601 with a four-digit year.
QString ReminderDateText(const QDateTime& when);
// The stored text read back; nullopt when it is not an ISO 8601 date.
std::optional<QDateTime> ParseReminderDate(const QString& text);

// Midnights between now and the stored date, counted from now: negative when
// the stored date lies in the past. The times of day do not matter.
qint64 CalendarDaysFromNow(const QDateTime& now, const QDateTime& stored);

// The question is due when the stored date lies more than 14 calendar days
// away from today, in either direction (the clock may have been set back).
bool ReminderDue(qint64 days);

// Stores today on a first start (or when the stored date cannot be read);
// asks the question when due, stores today whatever the answer, and with
// Yes then opens the download page.
void CheckUpdateReminder(platform::Platform& platform);

}  // namespace shell
