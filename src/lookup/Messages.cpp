#include "lookup/Messages.h"

#include "platform/Brand.h"

namespace lookup {

QString DictionaryUnreadableMessage(const QString& path, const QString& reason) {
  return QStringLiteral("The dictionary file \"%1\" cannot be opened:\n%2\n\n"
                        "The keyword list stays empty until the file can be read.")
      .arg(path, reason);
}

QString WebSearchHomeAddress() {
  return brand::siteRoot() + QStringLiteral("/ostrelda/ssd.php?page=home-page");
}

}  // namespace lookup
