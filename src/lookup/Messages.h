// The texts the lookup commands show, word for word.
#pragma once

#include <QString>

namespace lookup {

inline const QString kBlankTermMessage = QStringLiteral("Please Enter Search Term");

// Two lines joined by a lone carriage return, as the program's data has them;
// the message box shows them as two lines.
inline const QString kNothingFoundMessage =
    QStringLiteral("Keyword not found - Please search in google") + QChar('\r') +
    QStringLiteral("Or write to us so that we can add the term in our dictionary");

// The mended load: a dictionary that cannot be opened is reported once.
QString DictionaryUnreadableMessage(const QString& path, const QString& reason);

// The maker's home page, handed to the web-search component with the term.
QString WebSearchHomeAddress();

}  // namespace lookup
