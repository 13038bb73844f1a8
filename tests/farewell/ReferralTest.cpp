// The refer-a-friend rules: the checks in their order, the placeholders, and
// the address that carries the entries.
#include "farewell/Referral.h"
#include "platform/testing/Doubles.h"

#include <gtest/gtest.h>

#include <QUrlQuery>

namespace {

using farewell::ReferralFields;

ReferralFields valid() {
  return {"Ann", "ann@example.org", "Have a look", "Bob", "bob@example.org"};
}

TEST(CheckReferral, ChecksInOrderWithTheFirstFailureWinning) {
  const struct {
    const char* what;
    ReferralFields fields;
    std::optional<QString> message;
  } cases[] = {
      {"untouched form",
       {"Your Name", "Your Email Address", "Your Message\r\n", "Friend's Name", "Friend's Email Address"},
       farewell::kProperEmail},
      {"same address, other spaces, before any format check",
       {"Your Name", "  x  ", "Your Message", "Friend's Name", "x"},
       farewell::kDistinctEmails},
      {"both e-mail fields empty", {"Ann", "", "m", "Bob", ""}, farewell::kDistinctEmails},
      {"letter case makes addresses distinct",
       {"Ann", "ann@example.org", "m", "Bob", "ANN@example.org"},
       std::nullopt},
      {"no @ in own address", {"Ann", "ann.example.org", "m", "Bob", "bob@example.org"}, farewell::kProperEmail},
      {"no @ in friend's address", {"Ann", "ann@example.org", "m", "Bob", "bob.example.org"}, farewell::kProperEmail},
      {"@ but no dot", {"Ann", "ann@example", "m", "Bob", "bob@example.org"}, farewell::kProperEmail},
      {"friend's @ but no dot", {"Ann", "ann@example.org", "m", "Bob", "bob@example"}, farewell::kProperEmail},
      {"only dot before the @ is enough", {"Ann", "a.nn@example", "m", "Bob", "b.ob@example"}, std::nullopt},
      {"name at its placeholder", {"Your Name", "ann@example.org", "m", "Bob", "bob@example.org"}, farewell::kEnterName},
      {"name empty after trimming", {"   ", "ann@example.org", "m", "Bob", "bob@example.org"}, farewell::kEnterName},
      {"name wins over message", {"", "ann@example.org", "", "", "bob@example.org"}, farewell::kEnterName},
      {"message at its placeholder", {"Ann", "ann@example.org", "Your Message", "Bob", "bob@example.org"}, farewell::kEnterMessage},
      {"message empty", {"Ann", "ann@example.org", "", "", "bob@example.org"}, farewell::kEnterMessage},
      {"untouched message still passes",
       {"Ann", "ann@example.org", "Your Message\r\n", "Bob", "bob@example.org"},
       std::nullopt},
      {"friend's name at its placeholder", {"Ann", "ann@example.org", "m", "Friend's Name", "bob@example.org"}, farewell::kEnterFriendName},
      {"friend's name empty", {"Ann", "ann@example.org", "m", " ", "bob@example.org"}, farewell::kEnterFriendName},
      {"placeholder comparison is case-sensitive", {"your name", "ann@example.org", "m", "Bob", "bob@example.org"}, std::nullopt},
      {"all valid", valid(), std::nullopt},
  };
  for (const auto& c : cases) {
    const auto got = farewell::CheckReferral(c.fields);
    EXPECT_EQ(got, c.message) << c.what << ": got " << got.value_or("<passes>").toStdString();
  }
}

TEST(TrimSpaces, RemovesSpacesOnlyNotTabsOrLineBreaks) {
  EXPECT_EQ(farewell::TrimSpaces("  a b  "), "a b");
  EXPECT_EQ(farewell::TrimSpaces("\ta\r\n"), "\ta\r\n");
  EXPECT_EQ(farewell::TrimSpaces("   "), "");
}

TEST(Placeholders, EnteringEmptiesAPlaceholderAndLeavingEmptyPutsItBack) {
  const struct {
    const char* what;
    QString text;
    QString onEnter;
    QString onLeave;
  } cases[] = {
      {"placeholder", "Your Name", "", "Your Name"},
      {"placeholder with spaces around", "  Your Name ", "", "  Your Name "},
      {"only spaces", "   ", "   ", "Your Name"},
      {"empty", "", "", "Your Name"},
      {"typed text", "Ann", "Ann", "Ann"},
      {"other letter case", "your name", "your name", "your name"},
      {"placeholder inside other text", "Your Names", "Your Names", "Your Names"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(farewell::TextOnEnter(c.text, "Your Name"), c.onEnter) << c.what;
    EXPECT_EQ(farewell::TextOnLeave(c.text, "Your Name"), c.onLeave) << c.what;
  }
  // The message field starts with a line break after its placeholder, so
  // entering it does not empty it.
  EXPECT_EQ(farewell::TextOnEnter(farewell::kMessageInitialText, farewell::kMessagePlaceholder),
            "Your Message\r\n");
}

TEST(ReferralAddress, CarriesTheEntriesInOrderOnTheReferralPage) {
  const QUrl url = farewell::ReferralAddress(valid());
  EXPECT_EQ(url.toString(QUrl::FullyEncoded),
            "http://www.ostrelda.net/ostrelda/ssd.php?page=quelm-refer-a-friend"
            "&taf1=Ann&taf2=ann%40example.org&taf3=Have%20a%20look&taf4=Bob&taf5=bob%40example.org"
            "&taf6=http%3A%2F%2Fwww.ostrelda.net%2Fostrelda%2F");
}

TEST(ReferralAddress, HostileValuesNeitherBreakNorForgeTheQuery) {
  ReferralFields hostile{"Tom & Jerry=friends#top", "a+b@x.org", "Line one\r\nline two&taf6=evil",
                         "Zoë ÅÄÖ %41 ?/", "c;d@y.org"};
  const QUrl url = farewell::ReferralAddress(hostile);
  ASSERT_TRUE(url.isValid());
  EXPECT_TRUE(url.fragment().isNull()) << "a '#' in a value must not start a fragment";
  const QUrlQuery query(url);
  const auto items = query.queryItems(QUrl::FullyDecoded);
  ASSERT_EQ(items.size(), 7);
  const QStringList keys{"page", "taf1", "taf2", "taf3", "taf4", "taf5", "taf6"};
  const QStringList values{"quelm-refer-a-friend", hostile.name, hostile.email, hostile.message,
                           hostile.friendName, hostile.friendEmail, "http://www.ostrelda.net/ostrelda/"};
  for (int i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].first, keys[i]);
    EXPECT_EQ(items[i].second, values[i]) << keys[i].toStdString();
  }
  const QString encoded = url.toString(QUrl::FullyEncoded);
  EXPECT_TRUE(encoded.contains("&taf1=Tom%20%26%20Jerry%3Dfriends%23top&"));
  EXPECT_TRUE(encoded.contains("&taf3=Line%20one%0D%0Aline%20two%26taf6%3Devil&"));
  EXPECT_TRUE(encoded.contains("&taf4=Zo%C3%AB%20%C3%85%C3%84%C3%96%20%2541%20%3F%2F&"));
  EXPECT_TRUE(encoded.contains("&taf2=a%2Bb%40x.org&"));
}

TEST(ReferralAddress, TheUntouchedMessageTravelsWithItsLineBreak) {
  ReferralFields f = valid();
  f.message = farewell::kMessageInitialText;
  const QString encoded = farewell::ReferralAddress(f).toString(QUrl::FullyEncoded);
  EXPECT_TRUE(encoded.contains("&taf3=Your%20Message%0D%0A&taf4=")) << encoded.toStdString();
}

TEST(TellAFriend, StoresTrimmedEntriesAndOpensOnlyWhenTheChecksPass) {
  platform::testing::RecordingShell shell;
  farewell::TellAFriend referral;
  ReferralFields entries = valid();
  entries.name = "  Ann  ";
  entries.friendName = "Friend's Name";
  EXPECT_EQ(referral.Submit(entries, shell), farewell::kEnterFriendName);
  EXPECT_EQ(referral.fields().name, "Ann") << "entries are stored before the checks";
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_TRUE(referral.address().isEmpty());

  entries.friendName = " Bob ";
  EXPECT_EQ(referral.Submit(entries, shell), std::nullopt);
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0], referral.address());
  EXPECT_TRUE(referral.address().toString(QUrl::FullyEncoded).contains("&taf1=Ann&"));
  EXPECT_TRUE(referral.address().toString(QUrl::FullyEncoded).contains("&taf4=Bob&"));

  EXPECT_EQ(referral.Submit(entries, shell), std::nullopt);
  EXPECT_EQ(shell.opened.size(), 2u) << "every passing submission opens a page";
}

}  // namespace
