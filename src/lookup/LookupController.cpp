#include "lookup/LookupController.h"

#include "lookup/KeywordList.h"
#include "lookup/Matching.h"
#include "lookup/Messages.h"
#include "lookup/SearchPanel.h"
#include "platform/Twips.h"
#include "viewer/ViewerHost.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace lookup {

LookupController::LookupController(SearchPanel& panel, platform::Platform& platform,
                                   platform::AppState& state, viewer::ViewerHost& viewer,
                                   QObject* parent)
    : QObject(parent), panel_(panel), platform_(platform), state_(state), viewer_(viewer) {
  setObjectName(QStringLiteral("lookupController"));
  connect(panel_.txtKey, &QLineEdit::textChanged, this, &LookupController::txtKeyChanged);
  connect(panel_.txtKey, &QLineEdit::returnPressed, this, &LookupController::txtKeyReturnPressed);
  connect(panel_.cmdSearch, &QPushButton::clicked, this, &LookupController::cmdSearchClicked);
  for (QRadioButton* option : {panel_.optWildCard, panel_.optExact, panel_.optGoogle})
    connect(option, &QRadioButton::clicked, this, &LookupController::optionClicked);
  connect(panel_.lstKeys, &KeywordList::clicked, this, &LookupController::lstKeysClicked);
  connect(panel_.lstKeys, &KeywordList::doubleClicked, this,
          &LookupController::lstKeysDoubleClicked);
  connect(panel_.cmdDisplay, &QPushButton::clicked, this, &LookupController::cmdDisplayClicked);
}

void LookupController::FormLoad() {
  const KeywordTable table = KeywordTable::Open(platform_.programFolder);
  showList(table.keys());
  if (!table.isOpen())
    platform_.dialogs.message(panel_.window(), DictionaryUnreadableMessage(table.path(), table.error()),
                              platform::MessageIcon::Critical);
  panel_.lstKeys->setColumnWidth(
      0, platform::twips(platform::toTwips(panel_.lstKeys->width()) - 200));
}

void LookupController::FillKeywordList() {
  showList(KeywordTable::Open(platform_.programFolder).keys());
}

void LookupController::showList(const QStringList& keys) { panel_.lstKeys->setKeys(keys); }

// The blank-box rule: a box that holds nothing but spaces brings back the
// whole list; any other text leaves the list as the last command left it.
void LookupController::txtKeyChanged(const QString& text) {
  if (TrimSpaces(text).isEmpty()) FillKeywordList();
}

void LookupController::txtKeyReturnPressed() {
  const QString text = panel_.txtKey->text();
  if (panel_.optGoogle->isChecked()) {
    runWebSearch(text);
    return;
  }
  const KeywordTable table = KeywordTable::Open(platform_.programFolder);
  if (text.isEmpty()) {
    showList(table.keys());
    showMessage(kBlankTermMessage);
    panel_.txtKey->setFocus();
    return;
  }
  if (listMatches(table, text, EmptyTable::ClearsList)) viewer_.Show();
}

void LookupController::cmdSearchClicked() {
  const QString text = panel_.txtKey->text();
  if (ExactTerm(text).isEmpty()) {
    showMessage(kBlankTermMessage);
    panel_.txtKey->setFocus();
    return;
  }
  if (panel_.optGoogle->isChecked()) {
    runWebSearch(text);
    return;
  }
  const KeywordTable table = KeywordTable::Open(platform_.programFolder);
  if (listMatches(table, text, EmptyTable::KeepsList)) viewer_.Navigate(TrimSpaces(text));
}

bool LookupController::listMatches(const KeywordTable& table, const QString& text,
                                   EmptyTable emptyTable) {
  if (panel_.optExact->isChecked()) {
    if (emptyTable == EmptyTable::ClearsList || !table.keys().isEmpty())
      showList(ExactMatches(table.keys(), text));
  } else if (panel_.optWildCard->isChecked()) {
    state_.strPendingAddress = WildcardPattern(text);
    showList(WildcardMatches(table.keys(), text));
  } else {
    return false;
  }
  if (panel_.lstKeys->count() == 0) {
    reportNothingFound();
    return false;
  }
  return true;
}

void LookupController::optionClicked() { panel_.txtKey->setFocus(); }

void LookupController::lstKeysClicked() { copySelectionToKeyBox(); }

void LookupController::lstKeysDoubleClicked() {
  const KeywordTable table =
      KeywordTable::Open(platform_.programFolder, KeywordTable::Read::KeysAndLinks);
  copySelectionToKeyBox();
  state_.strPendingAddress = TrimSpaces(panel_.txtKey->text());
  lookUpPendingAddress(table);
  if (panel_.lstKeys->count() == 0) {
    reportNothingFound();
    return;
  }
  // Passed by reference: on the viewer's first use its load consumes the
  // pending address, and this request then carries nothing.
  viewer_.Navigate(state_.strPendingAddress);
  viewer_.Show();
}

void LookupController::cmdDisplayClicked() {
  if (panel_.optGoogle->isChecked()) {
    runWebSearch(panel_.txtKey->text());
    return;
  }
  const KeywordTable table =
      KeywordTable::Open(platform_.programFolder, KeywordTable::Read::KeysAndLinks);
  if (panel_.txtKey->text().isEmpty()) {
    showList(table.keys());
    showMessage(kBlankTermMessage);
    panel_.txtKey->setFocus();
    return;
  }
  copySelectionToKeyBox();
  state_.strPendingAddress = LowerCase(TrimSpaces(panel_.txtKey->text()));
  lookUpPendingAddress(table);
  if (panel_.lstKeys->count() == 0) {
    reportNothingFound();
    return;
  }
  viewer_.Navigate(state_.strPendingAddress);
  viewer_.Show();
}

// The whole-key lookup: the first row whose Key equals the pending text,
// letter case ignored, gives its Link; otherwise the text stays.
void LookupController::lookUpPendingAddress(const KeywordTable& table) {
  if (const auto link = FindLink(table.rows(), state_.strPendingAddress))
    state_.strPendingAddress = *link;
}

void LookupController::copySelectionToKeyBox() {
  // With no item selected the box keeps what was typed.
  if (const auto text = panel_.lstKeys->selectedText()) panel_.txtKey->setText(*text);
}

void LookupController::reportNothingFound() {
  showMessage(kNothingFoundMessage);
  panel_.txtKey->setFocus();
}

void LookupController::showMessage(const QString& text) {
  platform_.dialogs.message(panel_.window(), text, platform::MessageIcon::Information);
}

// The web-search component is optional: when it is missing or its call
// fails, the command does nothing.
void LookupController::runWebSearch(const QString& text) {
  try {
    if (auto component = platform_.webSearch.create())
      component->SearchWeb(text, WebSearchHomeAddress());
  } catch (...) {
  }
}

}  // namespace lookup
