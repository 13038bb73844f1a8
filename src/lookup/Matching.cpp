#include "lookup/Matching.h"

#include <QLocale>

namespace lookup {

QString TrimSpaces(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text.at(first) == QLatin1Char(' ')) ++first;
  while (last > first && text.at(last - 1) == QLatin1Char(' ')) --last;
  return text.mid(first, last - first);
}

QString LowerCase(const QString& text) {
  // One locale object for the run: building it per call would cost more than
  // the conversion of a short key.
  static const QLocale locale;
  return locale.toLower(text);
}

QString StripWildcards(const QString& s) {
  QString result;
  result.reserve(s.size());
  for (const QChar c : s) {
    if (c != QLatin1Char('*')) result.append(c);
  }
  return result;
}

QString ExactTerm(const QString& boxText) { return LowerCase(TrimSpaces(boxText)); }

QString WildcardPattern(const QString& boxText) { return StripWildcards(LowerCase(boxText)); }

bool MatchesExact(const QString& key, const QString& term) {
  if (key.size() < term.size()) return false;
  return LowerCase(key.left(term.size())) == term;
}

bool MatchesWildcard(const QString& key, const QString& pattern) {
  if (key.isEmpty()) return false;
  if (pattern.isEmpty()) return true;
  // Comparing the lower-cased key piece by piece at every start position is
  // the same as one search in the lower-cased key whenever lower-casing keeps
  // the length, which it does for all but a few letters; those take the
  // position-by-position path.
  const QString lowered = LowerCase(key);
  if (lowered.size() == key.size()) return lowered.contains(pattern);
  for (qsizetype j = 0; j < key.size(); ++j) {
    if (LowerCase(key.mid(j, pattern.size())) == pattern) return true;
  }
  return false;
}

QStringList ExactMatches(const QStringList& keys, const QString& boxText) {
  const QString term = ExactTerm(boxText);
  QStringList found;
  for (const QString& key : keys) {
    if (MatchesExact(key, term)) found.append(key);
  }
  return found;
}

QStringList WildcardMatches(const QStringList& keys, const QString& boxText) {
  const QString pattern = WildcardPattern(boxText);
  QStringList found;
  for (const QString& key : keys) {
    if (MatchesWildcard(key, pattern)) found.append(key);
  }
  return found;
}

std::optional<QString> FindLink(const std::vector<KeywordRow>& rows, const QString& lookupText) {
  const QString wanted = LowerCase(lookupText);
  for (const KeywordRow& row : rows) {
    if (LowerCase(row.key) == wanted) return row.link;
  }
  return std::nullopt;
}

}  // namespace lookup
