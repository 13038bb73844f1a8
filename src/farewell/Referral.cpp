#include "farewell/Referral.h"

#include "links/WebPages.h"
#include "platform/Brand.h"

namespace farewell {

QString TextOnEnter(const QString& text, const QString& placeholder) {
  return TrimSpaces(text) == placeholder ? QString() : text;
}

QString TextOnLeave(const QString& text, const QString& placeholder) {
  return TrimSpaces(text).isEmpty() ? placeholder : text;
}

namespace {

bool isEmptyOr(const QString& value, const QString& placeholder) {
  return value.isEmpty() || value == placeholder;
}

QByteArray encoded(const QString& value) { return QUrl::toPercentEncoding(value); }

}  // namespace

std::optional<QString> CheckReferral(const ReferralFields& f) {
  const QString email = TrimSpaces(f.email);
  const QString friendEmail = TrimSpaces(f.friendEmail);
  if (email == friendEmail) return kDistinctEmails;
  if (!email.contains('@') || !friendEmail.contains('@')) return kProperEmail;
  if (!email.contains('.') || !friendEmail.contains('.')) return kProperEmail;
  // What SubmitReferral checks itself.
  if (isEmptyOr(TrimSpaces(f.name), kNamePlaceholder)) return kEnterName;
  if (isEmptyOr(TrimSpaces(f.message), kMessagePlaceholder)) return kEnterMessage;
  if (isEmptyOr(TrimSpaces(f.friendName), kFriendNamePlaceholder)) return kEnterFriendName;
  return std::nullopt;
}

QUrl ReferralAddress(const ReferralFields& f) {
  const QString home = brand::siteRoot() + QStringLiteral("/ostrelda/");
  QByteArray address = (brand::siteRoot() + links::kPagePath + kReferralPageKey).toUtf8();
  address += "&taf1=" + encoded(f.name);
  address += "&taf2=" + encoded(f.email);
  address += "&taf3=" + encoded(f.message);
  address += "&taf4=" + encoded(f.friendName);
  address += "&taf5=" + encoded(f.friendEmail);
  address += "&taf6=" + encoded(home);
  return QUrl::fromEncoded(address, QUrl::StrictMode);
}

std::optional<QString> TellAFriend::Submit(const ReferralFields& entries, platform::Shell& shell) {
  fields_ = {TrimSpaces(entries.name), TrimSpaces(entries.email), TrimSpaces(entries.message),
             TrimSpaces(entries.friendName), TrimSpaces(entries.friendEmail)};
  if (auto failure = CheckReferral(fields_)) return failure;
  address_ = ReferralAddress(fields_);
  shell.open(address_);
  return std::nullopt;
}

}  // namespace farewell
