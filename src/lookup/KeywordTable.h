// One command's reading of the dictionary: opens the file in the program's
// folder and walks the rows of "Select * from Runes" in table order. Nothing
// is kept between commands.
#pragma once

#include "lookup/Matching.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lookup {

class KeywordTable {
 public:
  // Opens the dictionary; a file that cannot be opened reads as a table with
  // no rows, and error() says why.
  // The searches read only the keys; a display reads the links too.
  enum class Read { Keys, KeysAndLinks };
  static KeywordTable Open(const QString& programFolder, Read read = Read::Keys);

  bool isOpen() const { return opened_; }
  const QString& path() const { return path_; }
  const QString& error() const { return error_; }

  // Every Key, in table order (a missing Key reads as "").
  const QStringList& keys() const { return keys_; }
  // Every row's Key and Link, in table order (Read::KeysAndLinks only).
  const std::vector<KeywordRow>& rows() const { return rows_; }

 private:
  bool opened_ = false;
  QString path_;
  QString error_;
  QStringList keys_;
  std::vector<KeywordRow> rows_;
};

}  // namespace lookup
