// The main window's static design: every control and menu entry is there by
// name, with its caption, in its place.
#include "lookup/SearchPanel.h"
#include "platform/Look.h"
#include "platform/testing/Doubles.h"
#include "shell/MDI.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace {

using platform::testing::TestPlatform;

class MdiDesign : public ::testing::Test {
 protected:
  TestPlatform doubles;
  shell::MDI window{doubles.platform, doubles.state};

  template <typename T>
  T* find(const char* name) {
    return window.findChild<T*>(QLatin1String(name));
  }
  QString textOf(const char* name) {
    QObject* o = window.findChild<QObject*>(QLatin1String(name));
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(o)) return l->text();
    return QStringLiteral("<no text control %1>").arg(QLatin1String(name));
  }
};

TEST_F(MdiDesign, CaptionAndIcon) {
  EXPECT_EQ(window.objectName(), "MDI");
  EXPECT_EQ(window.windowTitle(), "Ostrelda v1.85");
  EXPECT_FALSE(window.windowIcon().isNull());
}

TEST_F(MdiDesign, EveryControlIsFoundByName) {
  for (const char* name :
       {"TB", "picTop", "picBottom", "picLeft", "optWildCard", "optExact", "optGoogle", "Label1",
        "txtKey", "cmdSearch", "lstKeys", "cmdDisplay", "cmdDonate", "cmdExit", "lblFullBrand",
        "lblCoBrand", "Picture1", "Label61", "Label4", "Picture2", "Label9", "Label10", "Label6",
        "Label5", "Label8", "Label7"}) {
    EXPECT_NE(find<QWidget>(name), nullptr) << name;
  }
}

TEST_F(MdiDesign, CaptionsAreExact) {
  const struct {
    const char* name;
    QString text;
  } cases[] = {
      {"optWildCard", "Use WildCard (*)"},
      {"optExact", "Exact Search"},
      {"optGoogle", "Google Search"},
      {"Label1", "Type in the Key&word to find:"},
      {"cmdSearch", "&Search"},
      {"cmdDisplay", "&Display"},
      {"cmdDonate", "&Donate"},
      {"cmdExit", "E&xit"},
      {"lblFullBrand",
       "Home Business Opportunity. Start your own Internet business and make money online. Get "
       "this software fully branded for your website. Click here for more details."},
      {"lblCoBrand",
       "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put "
       "your site's name &  link here. See \"Help\" for details.    Click Here for more info on "
       "co-branding."},
      {"Label9", "Place you ad here permanently"},
      {"Label6", "Place you ad here permanently"},
      {"Label8", "Place you ad here permanently"},
  };
  for (const auto& c : cases) EXPECT_EQ(textOf(c.name), c.text) << c.name;
  EXPECT_TRUE(textOf("Label61").startsWith(
      "The Most Popular Online Orvel Forum. Best Resource For Everything Orvel. Visit "));
  EXPECT_TRUE(textOf("Label61").endsWith(" Now"));
  for (const char* name : {"Label10", "Label5", "Label7"})
    EXPECT_TRUE(textOf(name).startsWith("write to ")) << name;
  EXPECT_TRUE(find<QLineEdit>("txtKey")->text().isEmpty());
}

TEST_F(MdiDesign, ExactlyOneSearchModeSelectedAtStart) {
  int selected = 0;
  for (const char* name : {"optWildCard", "optExact", "optGoogle"})
    selected += find<QRadioButton>(name)->isChecked() ? 1 : 0;
  EXPECT_EQ(selected, 1);
  EXPECT_TRUE(find<QRadioButton>("optExact")->isChecked());
  find<QRadioButton>("optGoogle")->click();
  EXPECT_FALSE(find<QRadioButton>("optExact")->isChecked());
}

TEST_F(MdiDesign, KeywordListHasOneColumn) {
  auto* list = find<lookup::KeywordList>("lstKeys");
  EXPECT_EQ(list->model()->columnCount(), 1);
  EXPECT_EQ(list->headerText(), "Keywords");
  EXPECT_EQ(list->count(), 0);
}

TEST_F(MdiDesign, MenuBarInOrderWithSeparators) {
  QStringList bar;
  for (QAction* a : window.menuBar()->actions())
    bar << (a->menu() ? a->menu()->objectName() : a->objectName()) + ":" + a->text();
  EXPECT_EQ(bar, QStringList({"mnuFile:&File", "mnuHelp:&Help", "mnuDonate:&Donate",
                              "mnuMakeMoney:Make Money &Online"}));

  auto entries = [](QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions())
      out << a->objectName() + ":" + (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
  };
  EXPECT_EQ(entries(find<QMenu>("mnuFile")),
            QStringList({"mnuUpdate:&Update", "mnuFileSep1:-", "mnuExit:E&xit"}));
  EXPECT_EQ(entries(find<QMenu>("mnuHelp")),
            QStringList({"mnuOnline:&Online Help", "mnuVisit:&Visit Us Online", "mnuHelpSep1:-",
                         "mnuUpdateSoftware:Check for Software &Update", "mnuHelpSep2:-",
                         "mnuAbout:&About Software"}));
  // Shown, but greyed out.
  EXPECT_TRUE(find<QAction>("mnuMakeMoney")->isVisible());
  EXPECT_FALSE(find<QAction>("mnuMakeMoney")->isEnabled());
}

TEST_F(MdiDesign, DockedAreasTakeTheirPlaces) {
  window.show();
  auto* tb = find<QWidget>("TB");
  auto* top = find<QWidget>("picTop");
  auto* bottom = find<QWidget>("picBottom");
  auto* left = find<QWidget>("picLeft");
  auto* client = find<QWidget>("mdiArea");
  const auto topLeft = [&](QWidget* w) { return w->mapTo(&window, QPoint(0, 0)); };
  EXPECT_EQ(tb->height(), 36);       // 540 twips
  EXPECT_EQ(top->height(), 43);      // 645 twips
  EXPECT_EQ(bottom->height(), 35);   // 525 twips
  EXPECT_EQ(left->width(), 195);     // 2925 twips
  EXPECT_EQ(topLeft(top).y(), topLeft(tb).y() + tb->height());
  EXPECT_EQ(topLeft(left).y(), topLeft(top).y() + top->height());
  EXPECT_EQ(topLeft(bottom).y(), topLeft(left).y() + left->height());
  EXPECT_EQ(topLeft(client).x(), left->width());
  EXPECT_EQ(tb->width(), window.width());
  EXPECT_EQ(bottom->width(), window.width());
}

TEST_F(MdiDesign, OffersAreBoldBlueLinkLabels) {
  for (const char* name : {"lblFullBrand", "lblCoBrand"}) {
    auto* label = find<QLabel>(name);
    EXPECT_TRUE(label->font().bold()) << name;
    EXPECT_TRUE(label->font().underline()) << name;
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255)) << name;
    EXPECT_TRUE(label->wordWrap()) << name;
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor) << name;
    EXPECT_EQ(label->geometry(), find<QLabel>("lblFullBrand")->geometry()) << name;
  }
}

}  // namespace
