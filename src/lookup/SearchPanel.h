// The search panel on the left of the main window: the three search modes,
// the keyword box, the Search button, the keyword list and Display.
#pragma once

#include "lookup/KeywordList.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QButtonGroup;

namespace lookup {

class SearchPanel : public QWidget {
  Q_OBJECT
 public:
  explicit SearchPanel(QWidget* parent = nullptr);

  QRadioButton* optWildCard;
  QRadioButton* optExact;
  QRadioButton* optGoogle;
  QButtonGroup* searchMode;
  QLabel* Label1;
  QLineEdit* txtKey;
  QPushButton* cmdSearch;
  KeywordList* lstKeys;  // report view, one column "Keywords", text-only items
  QPushButton* cmdDisplay;
};

}  // namespace lookup
