// The matching and lookup rules of the keyword searches, as plain functions
// over texts: no widgets, no dictionary file.
#pragma once

#include "platform/TextRules.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace lookup {

using platform::TrimSpaces;

// Lower-cases with the user's locale, as the search rules compare texts.
QString LowerCase(const QString& text);

// The text with every asterisk removed.
QString StripWildcards(const QString& s);

// What an exact (prefix) search compares keys with: the box text trimmed and
// lower-cased.
QString ExactTerm(const QString& boxText);

// What a wildcard (substring) search looks for: the box text lower-cased,
// asterisks removed, not trimmed (spaces count).
QString WildcardPattern(const QString& boxText);

// True when the first characters of `key`, lower-cased, equal `term` (as made
// by ExactTerm). A key shorter than the term never matches; an empty term
// matches every key.
bool MatchesExact(const QString& key, const QString& term);

// True when `key`, lower-cased, contains `pattern` (as made by
// WildcardPattern) at some position. An empty key never matches; an empty
// pattern matches every other key.
bool MatchesWildcard(const QString& key, const QString& pattern);

// The keys that match, in the order given; nothing sorted or de-duplicated.
QStringList ExactMatches(const QStringList& keys, const QString& boxText);
QStringList WildcardMatches(const QStringList& keys, const QString& boxText);

// One dictionary row as the lookup reads it.
struct KeywordRow {
  QString key;
  QString link;
};

// The Link of the first row whose whole Key equals `lookupText`, letter case
// ignored; nullopt when no row is equal.
std::optional<QString> FindLink(const std::vector<KeywordRow>& rows, const QString& lookupText);

}  // namespace lookup
