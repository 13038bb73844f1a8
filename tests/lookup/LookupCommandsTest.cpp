// The lookup commands through the main window, with a dictionary of its own
// in a temporary program folder and the dialog, browser and web-search
// doubles: the keyword list, Enter against the Search button in the three
// modes, and the display of an entry.
#include "dictionary/Writer.h"
#include "lookup/Messages.h"
#include "lookup/SearchPanel.h"
#include "platform/Dialogs.h"
#include "platform/Twips.h"
#include "platform/testing/Doubles.h"
#include "shell/MDI.h"
#include "viewer/ViewerHost.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <filesystem>

namespace {

using platform::MessageIcon;
using platform::testing::TestPlatform;

const QString kHome = "navigate http://www.ostrelda.net";

std::vector<dictionary::Entry> sampleEntries() {
  const char* rows[][2] = {
      {"Fehu", "http://runes.test/fehu"},
      {"Ansuz", "http://runes.test/ansuz"},
      {"fehu", "http://runes.test/fehu-second"},  // same keyword, other letters
      {"FEOH", "http://runes.test/feoh"},
      {"elder futhark", "http://runes.test/elder-futhark"},
      {"Ice rune", "http://runes.test/ice"},
      {"Raido", "www.runes.test/raido"},  // a bare host name, as an update may carry
  };
  std::vector<dictionary::Entry> entries;
  for (const auto& r : rows) entries.push_back({r[0], r[1], "astro"});
  return entries;
}
const QStringList kAllKeys = {"Fehu",          "Ansuz",    "fehu", "FEOH",
                              "elder futhark", "Ice rune", "Raido"};

class Lookup : public ::testing::Test {
 protected:
  explicit Lookup(std::vector<dictionary::Entry> entries = sampleEntries()) {
    dictionary::CreateDictionary(dictionaryPath().toStdString(), entries);
    doubles.connection.state = 1;
    window = std::make_unique<shell::MDI>(doubles.platform, doubles.state);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  QString dictionaryPath() const { return folder.path() + "/runes.dll"; }

  QTemporaryDir folder;
  TestPlatform doubles{folder.path()};
  std::unique_ptr<shell::MDI> window;

  lookup::SearchPanel& panel() { return *window->picLeft; }
  QLineEdit* box() { return panel().txtKey; }
  QStringList listed() { return panel().lstKeys->keys(); }
  void type(const QString& text) {
    box()->setFocus();
    box()->selectAll();
    if (text.isEmpty())
      QTest::keyClick(box(), Qt::Key_Delete);
    else
      QTest::keyClicks(box(), text);
    ASSERT_EQ(box()->text(), text);
  }
  void pressEnter() { QTest::keyClick(box(), Qt::Key_Return); }
  void clickSearch() { QTest::mouseClick(panel().cmdSearch, Qt::LeftButton); }
  void clickDisplay() { QTest::mouseClick(panel().cmdDisplay, Qt::LeftButton); }
  QPoint centreOf(int row) { return panel().lstKeys->rowRect(row).center(); }
  void clickItem(int row) {
    QTest::mouseClick(panel().lstKeys->viewport(), Qt::LeftButton, {}, centreOf(row));
  }
  void doubleClickItem(int row) {
    clickItem(row);
    QTest::mouseDClick(panel().lstKeys->viewport(), Qt::LeftButton, {}, centreOf(row));
  }
  void focusElsewhere() { panel().cmdDisplay->setFocus(); }
  bool viewerLoaded() { return window->viewerHost()->isLoaded(); }
  QStringList& browserLog() { return doubles.browsers.log; }
  std::vector<platform::testing::RecordedMessage>& messages() { return doubles.dialogs.messages; }

  void expectOneMessage(const QString& text, const char* where) {
    ASSERT_EQ(messages().size(), 1u) << where;
    EXPECT_EQ(messages()[0].text, text) << where;
    EXPECT_EQ(messages()[0].icon, MessageIcon::Information) << where;
    EXPECT_EQ(messages()[0].buttons, platform::MessageButtons::Ok) << where;
    EXPECT_EQ(messages()[0].parent, window.get()) << where;
    EXPECT_TRUE(box()->hasFocus()) << where << ": the focus goes to the keyword box";
  }
};

// ---- The main window's load and resize

TEST_F(Lookup, LoadTestsTheConnectionOnceAndListsEveryKeywordInTableOrder) {
  EXPECT_EQ(doubles.connection.calls, 1);
  EXPECT_EQ(doubles.state.lngConnectionState, 1);
  EXPECT_EQ(listed(), kAllKeys);
  EXPECT_EQ(panel().lstKeys->headerText(), "Keywords");
  EXPECT_EQ(panel().lstKeys->columnWidth(0), platform::twips(2775 - 200));
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(panel().optExact->isChecked());
  EXPECT_TRUE(box()->text().isEmpty());
  // The browser toolbar's six buttons sit in the main window's toolbar.
  const auto& buttons = window->viewerHost()->toolbarButtons();
  ASSERT_EQ(buttons.size(), 6);
  for (QWidget* b : buttons) EXPECT_EQ(b->parentWidget(), window->TB);
  // The viewer is not opened by the load.
  EXPECT_FALSE(viewerLoaded());
  EXPECT_TRUE(window->mdiArea->subWindowList().isEmpty());
}

TEST(LookupLoad, TheConnectionStateIsWhatTheProbeSaid) {
  for (const qint32 probe : {0, 1, 2, -1}) {
    QTemporaryDir folder;
    TestPlatform doubles(folder.path());
    dictionary::CreateDictionary((folder.path() + "/runes.dll").toStdString(), {});
    doubles.connection.state = probe;
    shell::MDI window(doubles.platform, doubles.state);
    EXPECT_EQ(doubles.state.lngConnectionState, probe);
    EXPECT_EQ(doubles.connection.calls, 1);
  }
}

TEST(LookupLoad, AnEmptyTableGivesAnEmptyListWithoutMessageAndTheColumnIsSet) {
  QTemporaryDir folder;
  TestPlatform doubles(folder.path());
  dictionary::CreateDictionary((folder.path() + "/runes.dll").toStdString(), {});
  shell::MDI window(doubles.platform, doubles.state);
  EXPECT_EQ(window.picLeft->lstKeys->count(), 0);
  EXPECT_EQ(window.picLeft->lstKeys->columnWidth(0), platform::twips(2775 - 200));
  EXPECT_TRUE(doubles.dialogs.messages.empty());
}

TEST(LookupLoad, ADictionaryThatCannotBeOpenedIsReportedOnceAndTheListStaysEmpty) {
  const struct {
    const char* name;
    const char* content;  // nullptr: no file at all
  } cases[] = {{"missing", nullptr}, {"not a database", "this is not an Access file"}};
  for (const auto& c : cases) {
    QTemporaryDir folder;
    const QString path = folder.path() + "/runes.dll";
    if (c.content) {
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(c.content);
    }
    TestPlatform doubles(folder.path());
    shell::MDI window(doubles.platform, doubles.state);
    EXPECT_EQ(window.picLeft->lstKeys->count(), 0) << c.name;
    EXPECT_EQ(window.picLeft->lstKeys->columnWidth(0), platform::twips(2775 - 200)) << c.name;
    ASSERT_EQ(doubles.dialogs.messages.size(), 1u) << c.name;
    const auto& m = doubles.dialogs.messages[0];
    EXPECT_EQ(m.icon, MessageIcon::Critical) << c.name;
    EXPECT_EQ(platform::kMessageTitle, "Ostrelda");
    EXPECT_TRUE(m.text.contains(path)) << m.text.toStdString();
    EXPECT_GT(m.text.size(), path.size() + 40) << "gives the reason too: " << m.text.toStdString();
  }
}

TEST_F(Lookup, ResizeRuleLaysOutTheSearchPanelInTwips) {
  using platform::toTwips;
  using platform::twips;
  const int columnWidth = panel().lstKeys->columnWidth(0);
  for (const QSize size : {QSize(800, 600), QSize(1000, 760), QSize(700, 400)}) {
    window->resize(size);
    QApplication::processEvents();
    const QSize outer = window->frameGeometry().size();
    const QRect list = panel().lstKeys->geometry();
    const QRect display = panel().cmdDisplay->geometry();
    EXPECT_EQ(list.height(), twips(toTwips(outer.height()) - 4850));
    EXPECT_EQ(display.top(), list.top() + list.height());
    EXPECT_EQ(display.height(), twips(500));
    for (QWidget* w : {static_cast<QWidget*>(box()), static_cast<QWidget*>(panel().lstKeys),
                       static_cast<QWidget*>(panel().cmdSearch),
                       static_cast<QWidget*>(panel().cmdDisplay)})
      EXPECT_EQ(w->x(), 0) << w->objectName().toStdString();
    EXPECT_EQ(box()->width(), twips(2925 - 75));
    EXPECT_EQ(list.width(), twips(2925 - 50));
    EXPECT_EQ(panel().cmdSearch->width(), twips(2925 - 50));
    EXPECT_EQ(display.width(), twips(2925 - 50));
    EXPECT_EQ(window->cmdDonate->x(), twips(toTwips(outer.width()) - 990 - 300));
    EXPECT_EQ(window->cmdExit->x(), window->cmdDonate->x());
    EXPECT_EQ(panel().lstKeys->columnWidth(0), columnWidth) << "the column keeps its width";
    // The options and the prompt keep their design places.
    EXPECT_EQ(panel().optExact->geometry(), platform::twipsRect(90, 255, 2205, 315));
  }
}

TEST_F(Lookup, AWindowLowerThan4850TwipsKeepsTheListHeight) {
  window->resize(800, 600);
  QApplication::processEvents();
  const int listHeight = panel().lstKeys->height();
  window->setMinimumSize(0, 0);
  window->resize(800, 250);  // 3750 twips
  QApplication::processEvents();
  ASSERT_LT(platform::toTwips(window->frameGeometry().height()), 4850);
  EXPECT_EQ(panel().lstKeys->height(), listHeight);
  EXPECT_EQ(panel().cmdDisplay->y(), panel().lstKeys->y() + listHeight);
}

// ---- The keyword list's blank-box rule

TEST_F(Lookup, ABlankBoxBringsBackEveryKeyword) {
  type("zz");
  pressEnter();  // nothing found: the list is empty
  messages().clear();
  ASSERT_TRUE(listed().isEmpty());

  QTest::keyClick(box(), Qt::Key_Backspace);
  EXPECT_TRUE(listed().isEmpty()) << "z is not blank";
  QTest::keyClick(box(), Qt::Key_Backspace);
  EXPECT_EQ(listed(), kAllKeys) << "deleting the last character refills";

  // Two spaces typed into the box refill the list on each keystroke; letters
  // typed after them leave it as it is.
  panel().lstKeys->clear();
  QTest::keyClick(box(), Qt::Key_Space);
  EXPECT_EQ(listed(), kAllKeys);
  panel().lstKeys->clear();
  QTest::keyClick(box(), Qt::Key_Space);
  EXPECT_EQ(listed(), kAllKeys);
  panel().lstKeys->clear();
  QTest::keyClicks(box(), "fe");
  EXPECT_EQ(box()->text(), "  fe");
  EXPECT_TRUE(listed().isEmpty());
  EXPECT_TRUE(messages().empty());
}

TEST_F(Lookup, ATabIsNotBlank) {
  type("zz");
  pressEnter();
  messages().clear();
  box()->setText("\t");
  EXPECT_TRUE(listed().isEmpty());
  box()->setText("  ");
  EXPECT_EQ(listed(), kAllKeys);
}

// ---- Enter and the Search button

TEST_F(Lookup, ExactSearchByEnterListsPrefixMatchesAndShowsTheViewerWithoutAnAddress) {
  type("FE");
  pressEnter();
  EXPECT_EQ(listed(), (QStringList{"Fehu", "fehu", "FEOH"}));
  EXPECT_TRUE(messages().empty());
  ASSERT_TRUE(viewerLoaded());
  EXPECT_TRUE(window->mdiArea->subWindowList().first()->isVisible());
  EXPECT_EQ(browserLog(), QStringList{kHome}) << "only the viewer's own first page";
}

TEST_F(Lookup, ExactSearchByTheButtonNavigatesToTheTrimmedTextAsTyped) {
  type("  Fe  ");
  clickSearch();
  EXPECT_EQ(listed(), (QStringList{"Fehu", "fehu", "FEOH"}));
  // "Fe" is no web address: the viewer shows the search engine's results.
  EXPECT_EQ(browserLog(), (QStringList{kHome, "navigate http://www.google.com/search?q=Fe"}));
}

TEST_F(Lookup, WildcardSearchStoresItsPatternForTheViewer) {
  panel().optWildCard->click();
  type("F*E");
  pressEnter();
  EXPECT_EQ(listed(), (QStringList{"Fehu", "fehu", "FEOH"}));
  // The pattern was pending when the viewer first loaded, and it is read as
  // an address bar would read it.
  EXPECT_EQ(browserLog(), QStringList{"navigate http://www.google.com/search?q=fe"});
  EXPECT_EQ(doubles.state.strPendingAddress, "");

  type("*");
  pressEnter();
  EXPECT_EQ(listed(), kAllKeys);
  EXPECT_EQ(doubles.state.strPendingAddress, "") << "the pattern is empty";

  type(" r");
  pressEnter();
  EXPECT_EQ(listed(), QStringList{"Ice rune"}) << "the leading space counts";
  EXPECT_EQ(doubles.state.strPendingAddress, " r") << "the loaded viewer leaves it";

  type("a*e");  // the substring "ae"
  clickSearch();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_TRUE(listed().isEmpty());
}

TEST_F(Lookup, NothingFoundIsReportedInTwoLinesWithTheFocusInTheBox) {
  for (QRadioButton* mode : {panel().optExact, panel().optWildCard}) {
    for (int byButton = 0; byButton < 2; ++byButton) {
      messages().clear();
      mode->click();
      type("xyz");
      focusElsewhere();
      byButton ? clickSearch() : pressEnter();
      EXPECT_TRUE(listed().isEmpty());
      expectOneMessage(lookup::kNothingFoundMessage, byButton ? "button" : "enter");
    }
  }
  EXPECT_EQ(lookup::kNothingFoundMessage,
            "Keyword not found - Please search in google\rOr write to us so that we can add the "
            "term in our dictionary");
  EXPECT_EQ(platform::displayText(lookup::kNothingFoundMessage).split('\n').size(), 2);
  EXPECT_FALSE(viewerLoaded());
}

TEST_F(Lookup, EnterWithAnEmptyBoxRefillsThenAsksForATerm) {
  for (QRadioButton* mode : {panel().optExact, panel().optWildCard}) {
    type("zz");
    pressEnter();
    messages().clear();
    mode->click();
    type("");
    panel().lstKeys->clear();  // so that the refill shows
    pressEnter();
    EXPECT_EQ(listed(), kAllKeys);
    expectOneMessage(lookup::kBlankTermMessage, "enter, empty box");
  }
}

TEST_F(Lookup, SpacesAreATermForEnterButBlankForTheButton) {
  type("zz");
  pressEnter();
  messages().clear();
  type("   ");  // refills the list on each space
  panel().lstKeys->clear();
  clickSearch();
  EXPECT_TRUE(listed().isEmpty()) << "the button leaves the list";
  expectOneMessage(lookup::kBlankTermMessage, "button, spaces");
  EXPECT_FALSE(viewerLoaded());

  messages().clear();
  pressEnter();
  EXPECT_EQ(listed(), kAllKeys) << "Enter: every keyword begins with nothing";
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(viewerLoaded());
}

TEST_F(Lookup, WebSearchModeHandsTheTermOnAndTouchesNothingElse) {
  panel().optGoogle->click();
  type(" Fe Rune ");
  const QStringList before = listed();
  pressEnter();
  clickSearch();
  clickDisplay();
  type("");
  pressEnter();  // Enter passes even an empty box
  ASSERT_EQ(doubles.webSearch.calls.size(), 4u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(doubles.webSearch.calls[i].keyword, " Fe Rune ");
    EXPECT_EQ(doubles.webSearch.calls[i].address,
              "http://www.ostrelda.net/ostrelda/ssd.php?page=home-page");
  }
  EXPECT_EQ(doubles.webSearch.calls[3].keyword, "");
  EXPECT_EQ(doubles.webSearch.creates, 4) << "a fresh component for every command";
  EXPECT_EQ(listed(), before);
  EXPECT_FALSE(viewerLoaded());
  EXPECT_TRUE(messages().empty());

  type("   ");
  clickSearch();  // the button's blank test comes first, in every mode
  expectOneMessage(lookup::kBlankTermMessage, "web search, blank");
  EXPECT_EQ(doubles.webSearch.calls.size(), 4u);
}

TEST_F(Lookup, AMissingOrFailingWebSearchComponentIsSkippedSilently) {
  panel().optGoogle->click();
  type("fe");
  doubles.webSearch.installed = false;
  pressEnter();
  clickSearch();
  doubles.webSearch.installed = true;
  doubles.webSearch.failing = true;
  pressEnter();
  clickDisplay();
  EXPECT_TRUE(doubles.webSearch.calls.empty());
  EXPECT_TRUE(messages().empty());
  EXPECT_FALSE(viewerLoaded());
}

TEST_F(Lookup, OptionButtonsMoveTheFocusToTheBoxAndNothingElse) {
  type("fe");
  for (QRadioButton* option : {panel().optWildCard, panel().optGoogle, panel().optExact}) {
    focusElsewhere();
    QTest::mouseClick(option, Qt::LeftButton);
    EXPECT_TRUE(option->isChecked());
    EXPECT_TRUE(box()->hasFocus());
  }
  EXPECT_EQ(box()->text(), "fe");
  EXPECT_EQ(listed(), kAllKeys);
  EXPECT_TRUE(messages().empty());
  EXPECT_FALSE(viewerLoaded());
}

// ---- Entry display

TEST_F(Lookup, ASingleClickCopiesTheKeywordIntoTheBox) {
  clickItem(1);
  EXPECT_EQ(box()->text(), "Ansuz");
  EXPECT_EQ(listed(), kAllKeys);
  EXPECT_FALSE(viewerLoaded());
}

TEST_F(Lookup, DoubleClickOpensTheLinkOnFirstUseAndTheEmptyFollowUpDoesNothing) {
  doubleClickItem(1);
  EXPECT_EQ(box()->text(), "Ansuz");
  // The viewer's load opened the pending entry; the request that loaded it
  // then carried an empty address, which changes nothing.
  EXPECT_EQ(browserLog(), QStringList{"navigate http://runes.test/ansuz"});
  EXPECT_EQ(doubles.state.strPendingAddress, "");
  EXPECT_TRUE(window->mdiArea->subWindowList().first()->isVisible());

  doubleClickItem(3);  // FEOH, the viewer open already
  EXPECT_EQ(browserLog().last(), "navigate http://runes.test/feoh");
  EXPECT_EQ(doubles.state.strPendingAddress, "http://runes.test/feoh");
  EXPECT_TRUE(messages().empty());
}

TEST_F(Lookup, LookupIsWholeKeyCaseIgnoredAndTheFirstRowWins) {
  window->viewerHost()->form();
  browserLog().clear();
  doubleClickItem(2);  // "fehu": the row "Fehu" comes first
  EXPECT_EQ(browserLog().last(), "navigate http://runes.test/fehu");
  doubleClickItem(6);  // Raido's link is a bare host name
  EXPECT_EQ(browserLog().last(), "navigate http://www.runes.test/raido");

  // Display with no selection looks up the typed text: a beginning is no key.
  panel().lstKeys->clearSelection();
  type("  Elder FUTHARK ");
  clickDisplay();
  EXPECT_EQ(browserLog().last(), "navigate http://runes.test/elder-futhark");
  panel().lstKeys->clearSelection();
  type("Feh");
  clickDisplay();
  EXPECT_EQ(browserLog().last(), "navigate http://www.google.com/search?q=feh")
      << "handed over lower-cased, as no row is equal";
}

TEST_F(Lookup, DisplayReplacesTheBoxTextWithTheSelectedItem) {
  window->viewerHost()->form();
  browserLog().clear();
  clickItem(4);
  type("something else");
  clickDisplay();
  EXPECT_EQ(box()->text(), "elder futhark");
  EXPECT_EQ(browserLog(), QStringList{"navigate http://runes.test/elder-futhark"});
}

TEST_F(Lookup, DisplayWithAnEmptyBoxRefillsAndAsksForATerm) {
  type("FE");
  pressEnter();
  browserLog().clear();
  type("");  // the blank-box rule refills already; Display refills again
  panel().lstKeys->clear();
  clickDisplay();
  EXPECT_EQ(listed(), kAllKeys) << "every keyword once";
  expectOneMessage(lookup::kBlankTermMessage, "display, empty box");
  EXPECT_TRUE(browserLog().isEmpty());
}

TEST_F(Lookup, DoubleClickIgnoresTheWebSearchMode) {
  panel().optGoogle->click();
  doubleClickItem(0);
  EXPECT_EQ(browserLog(), QStringList{"navigate http://runes.test/fehu"});
  EXPECT_TRUE(doubles.webSearch.calls.empty());
}

TEST_F(Lookup, DisplayWithAnEmptyListReportsNothingFound) {
  type("xyz");
  pressEnter();
  messages().clear();
  focusElsewhere();
  clickDisplay();
  expectOneMessage(lookup::kNothingFoundMessage, "display, empty list");
  EXPECT_FALSE(viewerLoaded());
}

TEST_F(Lookup, AKeywordWithoutItsRowIsHandedOverAsTheAddress) {
  window->viewerHost()->form();
  browserLog().clear();
  // The dictionary goes away after the list was filled: nothing is found,
  // but the list is not empty, so the keyword itself is the address.
  std::filesystem::remove(dictionaryPath().toStdString());
  doubleClickItem(5);
  EXPECT_EQ(browserLog(), QStringList{"navigate http://www.google.com/search?q=Ice%20rune"});
  EXPECT_TRUE(messages().empty()) << "only the load reports an unreadable dictionary";
}

TEST_F(Lookup, SearchButtonLeavesTheListWhenTheTableHasNoRows) {
  // The table is emptied after the list was filled.
  std::filesystem::remove(dictionaryPath().toStdString());
  dictionary::CreateDictionary(dictionaryPath().toStdString(), {});
  type("zz");
  clickSearch();
  EXPECT_EQ(listed(), kAllKeys) << "exact mode empties the list only when there are rows";
  EXPECT_EQ(browserLog(), (QStringList{kHome, "navigate http://www.google.com/search?q=zz"}));
  pressEnter();
  EXPECT_TRUE(listed().isEmpty()) << "Enter always empties it";
  expectOneMessage(lookup::kNothingFoundMessage, "enter, no rows");
}

}  // namespace
