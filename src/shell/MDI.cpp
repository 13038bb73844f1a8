#include "shell/MDI.h"

#include "lookup/LookupController.h"
#include "lookup/SearchPanel.h"
#include "platform/Brand.h"
#include "platform/Look.h"
#include "platform/Twips.h"
#include "viewer/ViewerHost.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

using platform::twips;
using platform::twipsRect;

namespace {

// The two offers at the bottom, word for word. The doubled ampersand of the
// design shows as one.
const QString kFullBrandText = QStringLiteral(
    "Home Business Opportunity. Start your own Internet business and make money online. "
    "Get this software fully branded for your website. Click here for more details.");
const QString kCoBrandText = QStringLiteral(
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. "
    "Put your site's name &  link here. See \"Help\" for details.    "
    "Click Here for more info on co-branding.");
const QString kPlaceAdText = QStringLiteral("Place you ad here permanently");

QString writeToText() { return QStringLiteral("write to ") + brand::kAdvertisingEmail; }

// A picture box: an opaque panel in the button-face colour.
QWidget* panel(const char* name, QWidget* parent) {
  auto* w = new QWidget(parent);
  w->setObjectName(QLatin1String(name));
  w->setAutoFillBackground(true);
  return w;
}

template <typename W>
W* placed(W* widget, const char* name, QRect geometry) {
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(geometry);
  return widget;
}

QLabel* transparentLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setAttribute(Qt::WA_TranslucentBackground);
  return label;
}

// The offers: bold, blue on an opaque button-face background, word-wrapped.
void styleOffer(platform::LinkLabel* label) {
  QFont f = platform::standardFont(true);
  f.setUnderline(true);
  label->setFont(f);
  label->setWordWrap(true);
  label->setAutoFillBackground(true);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, QColor(0, 0, 255));
  p.setColor(QPalette::Window, platform::buttonFaceColour());
  label->setPalette(p);
}

}  // namespace

MDI::MDI(platform::Platform& platform, platform::AppState& state, QWidget* parent)
    : QMainWindow(parent), platform_(platform), state_(state) {
  setObjectName(QStringLiteral("MDI"));
  setWindowTitle(brand::kProgramCaption);
  setWindowIcon(platform::programIcon());

  createMenus();
  createToolBar();
  createTopPanel();
  createBottomPanel();
  createClientArea();
  bindLinks();
  bindExit();
  bindUpdate();

  // Docking order: TB and picTop at the top, picBottom at the bottom, then
  // picLeft on the left between them; the client area takes the rest.
  auto* frame = new QWidget(this);
  frame->setObjectName(QStringLiteral("frame"));
  auto* column = new QVBoxLayout(frame);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* middle = new QHBoxLayout;
  middle->setContentsMargins(0, 0, 0, 0);
  middle->setSpacing(0);
  picLeft = new lookup::SearchPanel(frame);
  middle->addWidget(picLeft);
  middle->addWidget(mdiArea, 1);
  column->addWidget(TB);
  column->addWidget(picTop);
  column->addLayout(middle, 1);
  column->addWidget(picBottom);
  setCentralWidget(frame);

  // Design client size 9900 x 7080, below the menu bar.
  resize(twips(9900), twips(7080) + menuBar()->sizeHint().height());

  bindLookup();
  Form_Load();
}

MDI::~MDI() = default;

void MDI::createMenus() {
  auto action = [this](QWidget* owner, const char* name, const QString& caption) {
    auto* a = new QAction(caption, this);
    a->setObjectName(QLatin1String(name));
    owner->addAction(a);
    return a;
  };
  auto separator = [this](QMenu* menu, const char* name) {
    QAction* a = menu->addSeparator();
    a->setObjectName(QLatin1String(name));
    return a;
  };

  mnuFile = menuBar()->addMenu(tr("&File"));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  mnuFile->menuAction()->setObjectName(QStringLiteral("mnuFileAction"));
  mnuUpdate = action(mnuFile, "mnuUpdate", tr("&Update"));
  mnuFileSep1 = separator(mnuFile, "mnuFileSep1");
  mnuExit = action(mnuFile, "mnuExit", tr("E&xit"));

  mnuHelp = menuBar()->addMenu(tr("&Help"));
  mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
  mnuHelp->menuAction()->setObjectName(QStringLiteral("mnuHelpAction"));
  mnuOnline = action(mnuHelp, "mnuOnline", tr("&Online Help"));
  mnuVisit = action(mnuHelp, "mnuVisit", tr("&Visit Us Online"));
  mnuHelpSep1 = separator(mnuHelp, "mnuHelpSep1");
  mnuUpdateSoftware = action(mnuHelp, "mnuUpdateSoftware", tr("Check for Software &Update"));
  mnuHelpSep2 = separator(mnuHelp, "mnuHelpSep2");
  mnuAbout = action(mnuHelp, "mnuAbout", tr("&About Software"));

  mnuDonate = action(menuBar(), "mnuDonate", tr("&Donate"));
  // The design switches this entry's enabled flag off: it stays in its place
  // on the menu bar, greyed; the same offer is reachable from the bottom panel.
  mnuMakeMoney = action(menuBar(), "mnuMakeMoney", tr("Make Money &Online"));
  mnuMakeMoney->setEnabled(false);
}

void MDI::createToolBar() {
  TB = panel("TB", this);
  TB->setFixedHeight(twips(540));

  // The placeholder labels lie beneath everything else in the strip.
  Label6 = placed(transparentLabel(kPlaceAdText, TB), "Label6", twipsRect(0, 0, 2685, 195));
  Label5 = placed(transparentLabel(writeToText(), TB), "Label5", twipsRect(0, 240, 2625, 195));
  Label8 = placed(transparentLabel(kPlaceAdText, TB), "Label8", twipsRect(22920, 0, 2685, 195));
  Label7 = placed(transparentLabel(writeToText(), TB), "Label7", twipsRect(22920, 240, 2625, 195));

  Label4 = placed(new QLabel(brand::kOtherProgram, TB), "Label4", twipsRect(2400, 300, 6255, 375));
  Label4->setTextFormat(Qt::PlainText);
  Label4->setAutoFillBackground(true);
  QPalette red = Label4->palette();
  red.setColor(QPalette::Window, QColor(255, 0, 0));
  Label4->setPalette(red);

  Picture1 = placed(panel("Picture1", TB), "Picture1", twipsRect(2880, 60, 6525, 375));
  Label61 = placed(new platform::LinkLabel(
                       QStringLiteral("The Most Popular Online Orvel Forum. Best Resource For "
                                      "Everything Orvel. Visit ") +
                           brand::kForumHost + QStringLiteral(" Now"),
                       Picture1),
                   "Label61", twipsRect(0, -30, 5520, 465));
  Label61->setAlignment(Qt::AlignCenter);
  Label61->setWordWrap(true);
  Label61->setAttribute(Qt::WA_TranslucentBackground);
  QPalette blue = Label61->palette();
  blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
  Label61->setPalette(blue);

  Picture2 = placed(panel("Picture2", TB), "Picture2", twipsRect(8400, -120, 3015, 615));
  Label9 = placed(transparentLabel(kPlaceAdText, Picture2), "Label9", twipsRect(0, 160, 2685, 195));
  Label10 = placed(transparentLabel(writeToText(), Picture2), "Label10", twipsRect(0, 380, 2625, 195));
}

void MDI::createTopPanel() {
  picTop = panel("picTop", this);
  picTop->setFont(platform::standardFont());
  picTop->setFixedHeight(twips(645));
  // Left is set by the resize rule; until then, the design's right edge.
  cmdDonate = placed(new QPushButton(tr("&Donate"), picTop), "cmdDonate",
                     twipsRect(9900 - 990 - 300, 120, 990, 360));
}

void MDI::createBottomPanel() {
  picBottom = panel("picBottom", this);
  picBottom->setFixedHeight(twips(525));
  lblCoBrand = placed(new platform::LinkLabel(kCoBrandText, picBottom), "lblCoBrand",
                      twipsRect(60, 0, 8985, 615));
  lblFullBrand = placed(new platform::LinkLabel(kFullBrandText, picBottom), "lblFullBrand",
                        twipsRect(60, 0, 8985, 615));
  styleOffer(lblCoBrand);
  styleOffer(lblFullBrand);
  // Both offers share one rectangle; the full-branding offer lies on top and
  // takes the clicks.
  lblFullBrand->raise();
  cmdExit = placed(new QPushButton(tr("E&xit"), picBottom), "cmdExit",
                   twipsRect(9900 - 990 - 300, 70, 990, 360));
  cmdExit->raise();
}

void MDI::createClientArea() {
  mdiArea = new QMdiArea(this);
  mdiArea->setObjectName(QStringLiteral("mdiArea"));
  mdiArea->setBackground(platform::buttonFaceColour());
  mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

}  // namespace shell
