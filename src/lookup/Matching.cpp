#include "lookup/Matching.h"

#include <QLocale>

namespace lookup {

namespace {

bool specialCasingLocale() {
  static const QLocale::Language language = QLocale().language();
  return language == QLocale::Turkish || language == QLocale::Azerbaijani ||
         language == QLocale::Lithuanian;
}

bool isAscii(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() >= 0x80) return false;
  return true;
}

// For plain ASCII texts outside the special locales, comparing without
// letter case is comparing lower-cased texts, without building them.
bool caselessAscii(const QString& key, const QString& term) {
  return !specialCasingLocale() && isAscii(key) && isAscii(term);
}

}  // namespace

QString LowerCase(const QString& text) {
  // Only a few languages lower-case differently from Unicode's default rules
  // (the dotted and dotless i of Turkish and Azerbaijani, the accented i of
  // Lithuanian); for every other locale Unicode's conversion is the locale's
  // and spares a call into the locale library per key.
  static const QLocale locale;
  return specialCasingLocale() ? locale.toLower(text) : text.toLower();
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
  if (caselessAscii(key, term)) return key.startsWith(term, Qt::CaseInsensitive);
  return LowerCase(key.left(term.size())) == term;
}

bool MatchesWildcard(const QString& key, const QString& pattern) {
  if (key.isEmpty()) return false;
  if (pattern.isEmpty()) return true;
  if (caselessAscii(key, pattern)) return key.contains(pattern, Qt::CaseInsensitive);
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
