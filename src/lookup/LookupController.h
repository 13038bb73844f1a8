// The lookup commands of the search panel: the keyword list's fill and its
// blank-box refill, the Enter key and the Search button in their three modes,
// and the display of an entry by double-click or the Display button.
#pragma once

#include "lookup/KeywordTable.h"
#include "platform/AppState.h"
#include "platform/Platform.h"

#include <QObject>
#include <QStringList>

namespace viewer { class ViewerHost; }

namespace lookup {

class SearchPanel;

class LookupController : public QObject {
  Q_OBJECT
 public:
  // Binds the panel's events. `viewer` is asked to show or navigate when a
  // command has something to show.
  LookupController(SearchPanel& panel, platform::Platform& platform, platform::AppState& state,
                   viewer::ViewerHost& viewer, QObject* parent = nullptr);

  // The main window's load: fills the list with every keyword and sets the
  // column width to the list's width less 200 twips. A dictionary that cannot
  // be opened is reported in one error message; the list stays empty.
  void FormLoad();

  // Empties the list and appends every keyword, in table order.
  void FillKeywordList();

  void txtKeyChanged(const QString& text);
  void txtKeyReturnPressed();
  void cmdSearchClicked();
  void optionClicked();
  void lstKeysClicked();
  void lstKeysDoubleClicked();
  void cmdDisplayClicked();

 private:
  void showList(const QStringList& keys);
  void copySelectionToKeyBox();
  void showMessage(const QString& text);
  void runWebSearch(const QString& text);
  void lookUpPendingAddress(const KeywordTable& table);
  void reportNothingFound();
  // Lists the keys that the selected dictionary mode finds for `text`. True
  // when the list holds matches; false when no dictionary mode is selected,
  // or nothing matched (the not-found message is then shown). The Search
  // button's exact search leaves the list alone when the table has no rows.
  enum class EmptyTable { ClearsList, KeepsList };
  bool listMatches(const KeywordTable& table, const QString& text, EmptyTable emptyTable);

  SearchPanel& panel_;
  platform::Platform& platform_;
  platform::AppState& state_;
  viewer::ViewerHost& viewer_;
};

}  // namespace lookup
