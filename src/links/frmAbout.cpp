#include "links/frmAbout.h"

#include "links/WebPages.h"
#include "platform/Brand.h"
#include "platform/Look.h"
#include "platform/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace links {

using platform::twipsRect;

namespace {

const QString kDescription = QStringLiteral(
    "Ostrelda Software is a collection of all words possible related to the esoteric world of "
    "runic alphabet. This software is an easy reference of words and terms related to runes "
    "reading like descriptions of various rune stones, inscriptions, spreads and kinds. "
    "Copyright (C) Ostrelda Software; all rights reserved.");
const QString kFullBrandOffer = QStringLiteral(
    "Home Business Opportunity. Start your own Internet business and make money online. Get "
    "this software fully branded for your website.");

const QColor kOrange(255, 128, 0);
const QColor kWhite(255, 255, 255);

template <typename W>
W* placed(W* widget, const char* name, QRect geometry) {
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(geometry);
  return widget;
}

// White text on a transparent background, so the window's orange shows.
void whiteOnOrange(QLabel* label) {
  label->setAttribute(Qt::WA_TranslucentBackground);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, kWhite);
  label->setPalette(p);
}

}  // namespace

frmAbout::frmAbout(platform::Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(brand::kProgramCaption);
  setWindowIcon(platform::programIcon());
  // A fixed single-line border: a title and a close box, nothing to resize,
  // neither maximise nor minimise.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(platform::twipsSize(7035, 3420));
  setModal(true);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, kOrange);
  setPalette(p);

  createControls();

  connect(lblHomePage, &platform::LinkLabel::clicked, this, &frmAbout::lblHomePageClicked);
  connect(lblCoBrand, &platform::LinkLabel::clicked, this, &frmAbout::lblCoBrandClicked);
  // cmdOK is both the default and the cancel button: Enter presses it, Esc
  // rejects the dialog; either way the window unloads.
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

void frmAbout::createControls() {
  Picture1 = placed(new QLabel(this), "Picture1", twipsRect(150, 210, 510, 510));
  Picture1->setPixmap(platform::programIcon().pixmap(Picture1->size()));

  Label2 = placed(new QLabel(brand::kProgramCaption, this), "Label2", twipsRect(1110, 210, 2895, 240));
  QFont title = platform::standardFont(true);
  title.setPointSizeF(9.75);
  Label2->setFont(title);

  Label1 = placed(new QLabel(kDescription, this), "Label1", twipsRect(1110, 510, 5895, 1185));
  Label1->setFont(platform::standardFont());
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  lblHomePage = placed(new platform::LinkLabel(QStringLiteral("Click here to visit ") + brand::siteRoot(), this),
                       "lblHomePage", twipsRect(2955, 1710, 4050, 195));

  Label3 = placed(new QLabel(kFullBrandOffer, this), "Label3", twipsRect(120, 2070, 6885, 435));
  Label3->setFont(platform::standardFont(true));
  Label3->setWordWrap(true);
  Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  lblCoBrand = placed(new platform::LinkLabel(QStringLiteral("Click here for more details."), this),
                      "lblCoBrand", twipsRect(4650, 2565, 2355, 195));

  for (QLabel* label : {Label2, Label1, static_cast<QLabel*>(lblHomePage), Label3,
                        static_cast<QLabel*>(lblCoBrand)}) {
    label->setTextFormat(Qt::PlainText);
    whiteOnOrange(label);
  }

  // The separator runs from (-60, 2910) to (7080, 2910), across the window.
  Line1 = placed(new QFrame(this), "Line1", twipsRect(-60, 2910, 7140, 15));
  Line1->setFrameShape(QFrame::HLine);
  // A plain line in the window-text colour.
  Line1->setFrameShadow(QFrame::Plain);
  Line1->setLineWidth(1);
  QPalette ink = Line1->palette();
  ink.setColor(QPalette::WindowText, QColor(0, 0, 0));
  Line1->setPalette(ink);

  cmdOK = placed(new QPushButton(QStringLiteral("OK"), this), "cmdOK", twipsRect(5745, 3000, 1260, 345));
  cmdOK->setDefault(true);
  cmdOK->setAutoDefault(true);
  cmdOK->setFocus();
}

void frmAbout::showEvent(QShowEvent* event) {
  // Centred on the screen at every opening.
  if (QScreen* s = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
  }
  QDialog::showEvent(event);
}

void frmAbout::lblHomePageClicked() { OpenWebPage(platform_.shell, kHomePage); }

void frmAbout::lblCoBrandClicked() { OpenWebPage(platform_.shell, kFullyBrandedPage); }

void ShowAbout(platform::Platform& platform) {
  frmAbout about(platform);
  about.exec();
}

}  // namespace links
