#include "viewer/frmMain.h"

#include "platform/Brand.h"
#include "platform/Look.h"
#include "platform/TextRules.h"
#include "platform/Twips.h"
#include "viewer/Address.h"
#include "viewer/PageTemplate.h"
#include "viewer/ViewerLayout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace viewer {

using platform::toTwips;
using platform::twips;
using platform::twipsRect;

namespace {

const QString kOfflineNotice =
    QStringLiteral("You must be connected to the internet in order to use this software.");

int outerWidth(const QWidget* w) { return w->frameGeometry().width(); }
int outerHeight(const QWidget* w) { return w->frameGeometry().height(); }

}  // namespace

frmMain::frmMain(platform::Platform& platform, platform::AppState& state, MainWindowParts parts,
                 QString searchEngineBase, QWidget* parent)
    : QWidget(parent),
      state_(state),
      parts_(parts),
      searchEngineBase_(std::move(searchEngineBase)) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(brand::kProgramCaption);
  setFont(platform::standardFont());
  // The background of the title-bar text colour: white.
  setAutoFillBackground(true);
  QPalette background = palette();
  background.setColor(QPalette::Window, Qt::white);
  setPalette(background);
  resize(platform::twipsSize(7965, 6420));

  browser_ = platform.browsers.create(this);
  browser_->widget()->setObjectName(QStringLiteral("WB"));
  browser_->widget()->setGeometry(twipsRect(0, 0, 4995, 4005));

  lblCaption = new QLabel(kOfflineNotice, this);
  lblCaption->setObjectName(QStringLiteral("lblCaption"));
  lblCaption->setTextFormat(Qt::PlainText);
  lblCaption->setAttribute(Qt::WA_TranslucentBackground);
  // Wide enough for the whole sentence in the substitute font.
  lblCaption->setGeometry(twipsRect(240, 0, 5805, 195));
  lblCaption->resize(std::max(lblCaption->width(), lblCaption->sizeHint().width()),
                     lblCaption->height());
  lblCaption->hide();

  Text1 = new QPlainTextEdit(this);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setGeometry(twipsRect(5490, 1140, 2280, 2085));
  Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setPlainText(SearchFormTemplate(searchEngineBase_));
  Text1->hide();
}

frmMain::~frmMain() = default;

QWidget* frmMain::WBWidget() const { return browser_->widget(); }

void frmMain::Form_Load() {
  loaded_ = true;
  applySizeRule();
  if (state_.lngConnectionState != 1) {
    WBWidget()->hide();
    lblCaption->show();
    return;
  }
  WBWidget()->show();
  lblCaption->hide();

  if (state_.strPendingAddress.isEmpty()) {
    state_.strPendingAddress = MakerHomeAddress();
    Navigate(state_.strPendingAddress);
  } else if (state_.strPendingAddress == WebSearchMarker(searchEngineBase_)) {
    runSearchForm();
  } else {
    Navigate(state_.strPendingAddress);
  }
  state_.strPendingAddress.clear();
}

void frmMain::runSearchForm() {
  const QString keyText = parts_.txtKey ? platform::TrimSpaces(parts_.txtKey->text()) : QString();
  // Text1 keeps its text as typed lines; the template's line ends are CR LF.
  QString page = Text1->toPlainText();
  page.replace(QChar('\n'), QStringLiteral("\r\n"));
  browser_->setBodyHtml(page);
  browser_->setElementValue(QStringLiteral("q"), keyText);
  browser_->clickElement(QStringLiteral("sa"));
  Navigate(keyText);
}

void frmMain::Navigate(const QString& address) {
  const NavigationTarget target = ResolveAddress(address, searchEngineBase_);
  switch (target.kind) {
    case NavigationTarget::Kind::Nothing: break;
    case NavigationTarget::Kind::Load: browser_->navigate(target.address); break;
    case NavigationTarget::Kind::Refused: browser_->showHtml(RefusedAddressPage(target.address)); break;
  }
}

void frmMain::applySizeRule() {
  if (!parts_.window) return;
  sizing_ = true;
  MainWindowMeasures m;
  m.outerWidth = toTwips(outerWidth(parts_.window));
  m.outerHeight = toTwips(outerHeight(parts_.window));
  if (parts_.picLeft) m.leftPanelWidth = toTwips(parts_.picLeft->width());
  if (parts_.picTop) m.topPanelHeight = toTwips(parts_.picTop->height());
  if (parts_.picBottom) m.bottomPanelHeight = toTwips(parts_.picBottom->height());
  if (parts_.TB) m.toolBarHeight = toTwips(parts_.TB->height());
  const ViewerSizes sizes = ComputeViewerSizes(m);

  // The viewer's window is its sub-window in the client area when it has one.
  QWidget* frame = parentWidget() ? parentWidget() : this;
  QSize outer = frame->size();
  if (sizes.width) outer.setWidth(twips(*sizes.width));
  if (sizes.height) outer.setHeight(twips(*sizes.height));
  frame->resize(outer);

  QWidget* wb = WBWidget();
  wb->move(0, 0);
  QSize inner(width(), wb->height());
  if (sizes.browserHeight) inner.setHeight(twips(*sizes.browserHeight));
  wb->resize(inner);
  sizing_ = false;
}

void frmMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Setting the window's size raises this event again; that pass finds the
  // same sizes, and a pass inside the first one would find nothing new.
  if (loaded_ && !sizing_) applySizeRule();
}

}  // namespace viewer
