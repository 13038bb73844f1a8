// modTellAFriend: the refer-a-friend form's rules. The form's entries are
// checked in a fixed order and, when they pass, carried to the maker's
// referral page in the query of its address; that page does the rest.
#pragma once

#include "platform/Shell.h"
#include "platform/TextRules.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace farewell {

// The placeholders the fields start with and get back when left empty.
inline const QString kNamePlaceholder = QStringLiteral("Your Name");
inline const QString kEmailPlaceholder = QStringLiteral("Your Email Address");
inline const QString kMessagePlaceholder = QStringLiteral("Your Message");
inline const QString kFriendNamePlaceholder = QStringLiteral("Friend's Name");
inline const QString kFriendEmailPlaceholder = QStringLiteral("Friend's Email Address");
// The message field alone starts with a line break after its placeholder.
inline const QString kMessageInitialText = kMessagePlaceholder + QStringLiteral("\r\n");

inline const QString kDistinctEmails = QStringLiteral("Please Enter Distinct Email Addresses");
inline const QString kProperEmail = QStringLiteral("Please Enter Proper Email Address");
inline const QString kEnterName = QStringLiteral("Please Enter Your Name");
inline const QString kEnterMessage = QStringLiteral("Please Enter Your Message");
inline const QString kEnterFriendName = QStringLiteral("Please Enter Your Friend's Name");
inline const QString kNoSpaceInEmail = QStringLiteral("Email Address Cannot Contain Space");

// The referral page's key on the maker's site path.
inline const QString kReferralPageKey = QStringLiteral("quelm-refer-a-friend");

// The form's entries, trimmed, in the order of the query keys taf1 to taf5.
struct ReferralFields {
  QString name;
  QString email;
  QString message;
  QString friendName;
  QString friendEmail;
};

using platform::TrimSpaces;

// Placeholder rule on entering a field: a field that holds its placeholder
// (spaces around it ignored) is emptied. Returns the field's new text.
QString TextOnEnter(const QString& text, const QString& placeholder);
// Placeholder rule on leaving a field: a field left empty (or all spaces)
// gets its placeholder back. Returns the field's new text.
QString TextOnLeave(const QString& text, const QString& placeholder);

// The submission's checks, in order; the first that fails gives its message.
// The e-mail checks come first, then those of SubmitReferral.
std::optional<QString> CheckReferral(const ReferralFields& fields);

// The referral page's address with the entries in its query. Every value is
// percent-encoded as UTF-8 (all but the unreserved characters of RFC 3986),
// so "&", "=", "#", spaces and line breaks in an entry can neither end its
// value nor add a parameter of their own.
QUrl ReferralAddress(const ReferralFields& fields);

// The module's state: the entries of the last submission and the address of
// the last one that passed; both live as long as the farewell window.
class TellAFriend {
 public:
  // Trims and stores the entries, runs the checks and, when they pass, opens
  // the referral page. Returns the message of the first failing check.
  std::optional<QString> Submit(const ReferralFields& entries, platform::Shell& shell);

  const ReferralFields& fields() const { return fields_; }
  const QUrl& address() const { return address_; }

 private:
  ReferralFields fields_;
  QUrl address_;
};

}  // namespace farewell
