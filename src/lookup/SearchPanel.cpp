#include "lookup/SearchPanel.h"

#include "lookup/KeywordList.h"

#include "platform/Look.h"
#include "platform/Twips.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace lookup {

using platform::twipsRect;

namespace {

template <typename W>
W* place(W* widget, const char* name, QRect geometry) {
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(geometry);
  return widget;
}

}  // namespace

SearchPanel::SearchPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picLeft"));
  setFont(platform::standardFont());
  setFixedWidth(platform::twips(2925));

  optWildCard = place(new QRadioButton(tr("Use WildCard (*)"), this), "optWildCard",
                      twipsRect(90, -30, 2205, 315));
  optExact = place(new QRadioButton(tr("Exact Search"), this), "optExact",
                   twipsRect(90, 255, 2205, 315));
  optGoogle = place(new QRadioButton(tr("Google Search"), this), "optGoogle",
                    twipsRect(90, 540, 2205, 315));
  searchMode = new QButtonGroup(this);
  searchMode->setObjectName(QStringLiteral("searchMode"));
  searchMode->addButton(optWildCard);
  searchMode->addButton(optExact);
  searchMode->addButton(optGoogle);
  optExact->setChecked(true);

  Label1 = place(new QLabel(tr("Type in the Key&word to find:"), this), "Label1",
                 twipsRect(120, 840, 2445, 195));
  txtKey = place(new QLineEdit(this), "txtKey", twipsRect(60, 1110, 2775, 375));
  Label1->setBuddy(txtKey);

  cmdSearch = place(new QPushButton(tr("&Search"), this), "cmdSearch",
                    twipsRect(60, 1500, 2775, 435));
  cmdSearch->setAutoDefault(false);

  lstKeys = place(new KeywordList(this), "lstKeys", twipsRect(60, 1920, 2775, 6225));

  cmdDisplay = place(new QPushButton(tr("&Display"), this), "cmdDisplay",
                     twipsRect(60, 8160, 2775, 435));
  cmdDisplay->setAutoDefault(false);

  setTabOrder(optWildCard, optExact);
  setTabOrder(optExact, optGoogle);
  setTabOrder(optGoogle, txtKey);
  setTabOrder(txtKey, cmdSearch);
  setTabOrder(cmdSearch, lstKeys);
  setTabOrder(lstKeys, cmdDisplay);
}

}  // namespace lookup
