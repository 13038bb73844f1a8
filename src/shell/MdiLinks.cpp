// The main window's links to the maker's pages, and its About entry.
#include "links/ClickBinding.h"
#include "links/WebPages.h"
#include "links/frmAbout.h"
#include "platform/Look.h"
#include "shell/MDI.h"

#include <QAction>
#include <QPushButton>

namespace shell {

void MDI::bindLinks() {
  const auto opens = [this](const QString& pageKey) {
    return [this, pageKey] { links::OpenWebPage(platform_.shell, pageKey); };
  };
  connect(mnuOnline, &QAction::triggered, this, opens(links::kHelpPage));
  connect(mnuVisit, &QAction::triggered, this, opens(links::kHomePage));
  connect(mnuUpdateSoftware, &QAction::triggered, this, opens(links::kDownloadPage));
  connect(mnuDonate, &QAction::triggered, this, opens(links::kDonatePage));
  connect(cmdDonate, &QPushButton::clicked, this, opens(links::kDonatePage));
  connect(mnuMakeMoney, &QAction::triggered, this, opens(links::kFullyBrandedPage));
  connect(lblFullBrand, &platform::LinkLabel::clicked, this, opens(links::kFullyBrandedPage));
  connect(lblCoBrand, &platform::LinkLabel::clicked, this, opens(links::kCoBrandPage));
  connect(Label61, &platform::LinkLabel::clicked, this, opens(links::kHomePage));
  // Label4 is a plain label with no click signal of its own.
  links::BindClick(Label4, opens(links::kHomePage));
  connect(mnuAbout, &QAction::triggered, this, [this] { links::ShowAbout(platform_); });
}

}  // namespace shell
