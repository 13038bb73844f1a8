// The search and lookup rules, case by case.
#include "lookup/Matching.h"

#include <gtest/gtest.h>

namespace {

using lookup::ExactMatches;
using lookup::FindLink;
using lookup::KeywordRow;
using lookup::WildcardMatches;

const QStringList kKeys = {"Fehu",  "fe",    "FEOH",      "Ansuz", "elder futhark",
                           "",      "Fe",    "rune fehu", "ice",   "F",
                           "feoh ", "ae rune"};

TEST(StripWildcards, RemovesEveryAsteriskAndNothingElse) {
  const struct {
    QString in, out;
  } cases[] = {
      {"", ""},       {"*", ""},          {"***", ""},   {"f*e", "fe"},
      {"*fe*", "fe"}, {" f e ", " f e "}, {"a?b", "a?b"}, {"\t*x", "\tx"},
  };
  for (const auto& c : cases) EXPECT_EQ(lookup::StripWildcards(c.in), c.out) << c.in.toStdString();
}

TEST(TrimSpaces, RemovesOnlyLeadingAndTrailingSpaces) {
  const struct {
    QString in, out;
  } cases[] = {
      {"", ""}, {"   ", ""}, {" fe ", "fe"}, {"f e", "f e"}, {"\tfe\t", "\tfe\t"}, {" \t ", "\t"},
  };
  for (const auto& c : cases) EXPECT_EQ(lookup::TrimSpaces(c.in), c.out) << c.in.toStdString();
}

TEST(ExactRule, KeysBeginningWithTheTrimmedTermInAnyCaseInTableOrder) {
  const struct {
    QString term;
    QStringList expected;
  } cases[] = {
      {"fe", {"Fehu", "fe", "FEOH", "Fe", "feoh "}},
      {"FE", {"Fehu", "fe", "FEOH", "Fe", "feoh "}},
      {"  fe  ", {"Fehu", "fe", "FEOH", "Fe", "feoh "}},
      {"feoh ", {"FEOH", "feoh "}},  // the term is trimmed: "feoh"
      {"fehu", {"Fehu"}},            // a prefix match, not a substring one
      {"fehux", {}},                 // a key shorter than the term never matches
      {"rune", {"rune fehu"}},
      {"zzz", {}},
      {"   ", kKeys},                // an empty term matches every row, the empty key too
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExactMatches(kKeys, c.term), c.expected) << c.term.toStdString();
}

TEST(WildcardRule, KeysContainingThePatternAsteriskFreeUntrimmed) {
  const struct {
    QString term;
    QStringList expected;
  } cases[] = {
      {"fe", {"Fehu", "fe", "FEOH", "Fe", "rune fehu", "feoh "}},
      {"f*e", {"Fehu", "fe", "FEOH", "Fe", "rune fehu", "feoh "}},  // the asterisk is dropped
      {"a*e", {"ae rune"}},                                          // searches "ae"
      {"*", QStringList{"Fehu", "fe", "FEOH", "Ansuz", "elder futhark", "Fe", "rune fehu", "ice",
                        "F", "feoh ", "ae rune"}},  // every key but the empty one
      {" fe", {"rune fehu"}},   // a leading space is part of the pattern
      {"h ", {"feoh "}},        // so is a trailing one
      {"ICE", {"ice"}},
      {"uz", {"Ansuz"}},
      {"elder futhark!", {}},   // longer than every key
  };
  for (const auto& c : cases)
    EXPECT_EQ(WildcardMatches(kKeys, c.term), c.expected) << c.term.toStdString();
}

TEST(WildcardRule, DuplicateKeysEachListedOnce) {
  const QStringList keys = {"fefe", "rune", "fefe"};
  EXPECT_EQ(WildcardMatches(keys, "fe"), (QStringList{"fefe", "fefe"}));
}

TEST(WildcardRule, LetterWhoseLowerCaseIsLongerStillMatchesByPosition) {
  // U+0130 (capital I with dot) lower-cases to two characters; the match then
  // goes position by position.
  const QString key = QString(QChar(0x0130)) + "stanbul";
  EXPECT_TRUE(lookup::MatchesWildcard(key, "stan"));
  EXPECT_FALSE(lookup::MatchesWildcard(key, "xyz"));
}

TEST(Lookup, FirstRowWithTheWholeKeyLetterCaseIgnored) {
  const std::vector<KeywordRow> rows = {
      {"Fehu", "http://a/fehu"},
      {"fehu", "http://b/fehu"},
      {"Fehu stone", "http://a/stone"},
      {"Ansuz", ""},
  };
  const struct {
    QString text;
    std::optional<QString> link;
  } cases[] = {
      {"fehu", QString("http://a/fehu")},    // first of two rows in table order
      {"FEHU", QString("http://a/fehu")},
      {"Fehu stone", QString("http://a/stone")},
      {"Feh", std::nullopt},                 // no prefix match
      {"ehu", std::nullopt},                 // no substring match
      {"fehu ", std::nullopt},               // the text is compared as given
      {"ansuz", QString("")},                // an empty link is still a found row
  };
  for (const auto& c : cases) EXPECT_EQ(FindLink(rows, c.text), c.link) << c.text.toStdString();
}

}  // namespace
