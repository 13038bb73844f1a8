#include "lookup/Messages.h"

#include "platform/Brand.h"

namespace lookup {

QString DictionaryUnreadableMessage(const QString& path, const QString& reason) {
  // The reader's messages often begin with the path, which is named already.
  QString why = reason;
  if (why.startsWith(path + QStringLiteral(": "))) why = why.mid(path.size() + 2);
  if (!why.isEmpty()) why[0] = why[0].toUpper();
  return QStringLiteral("The dictionary file \"%1\" cannot be opened:\n%2\n\n"
                        "The keyword list stays empty until the file can be read.")
      .arg(path, why);
}

QString WebSearchHomeAddress() {
  return brand::siteRoot() + QStringLiteral("/ostrelda/ssd.php?page=home-page");
}

}  // namespace lookup
