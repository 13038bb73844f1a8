#include "farewell/frmNagScreen2.h"

#include "links/WebPages.h"
#include "platform/Brand.h"
#include "platform/Look.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>

namespace farewell {

using platform::twipsRect;

namespace {

const QColor kDarkBlue(0, 0, 128);
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);

const QString kVisitForum = QStringLiteral("Click here to visit ") + brand::kForumHost +
                            QStringLiteral(" now");

const QString kOtherPrograms = QStringLiteral(
    "If you enjoyed this software, you will like our other programs too. From a single "
    "program we have grown into a large collection of software on astrology, psychic "
    "topics, tarot, numerology and the occult. All of them are simple, fun and "
    "informative. Try them, and share the experience with your friends and family.");

template <typename W>
W* placed(W* widget, const char* name, QRect geometry) {
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(geometry);
  return widget;
}

QFont verdana(qreal points, bool bold = false) {
  QFont f = platform::standardFont(bold);
  f.setPointSizeF(points);
  return f;
}

// The two frames: dark blue with a white bold caption.
QGroupBox* darkFrame(const QString& caption, QWidget* parent) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setFont(verdana(9.75, true));
  frame->setAutoFillBackground(true);
  QPalette p = frame->palette();
  p.setColor(QPalette::Window, kDarkBlue);
  p.setColor(QPalette::WindowText, kWhite);
  frame->setPalette(p);
  return frame;
}

// Moving focus because another window (a message box) came up or went away
// is not the user entering or leaving a field.
bool isUserFocusChange(const QFocusEvent* event) {
  return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

}  // namespace

const QStringList& SupportTexts() {
  static const QStringList texts{
      QStringLiteral("Programs of our software line like this one can only be made and "
                     "maintained with your support. The best way to support us is to visit "
                     "our discussion forum regularly and take part in its discussions and "
                     "other activities."),
      QStringLiteral("Please visit our forum regularly and support it by taking part in its "
                     "discussions and activities. We cannot support and maintain these "
                     "programs unless our users visit the forum regularly."),
      QStringLiteral("Our forum is a free online discussion forum on the topics of our "
                     "programs. Visiting it regularly helps us develop and maintain this "
                     "software."),
      QStringLiteral("Our forum needs your help! All it takes is to visit it regularly and "
                     "take part in its discussions and activities. That helps us maintain "
                     "this software and develop more."),
  };
  return texts;
}

frmNagScreen2::frmNagScreen2(platform::Platform& platform, std::function<void()> endProgram,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), endProgram_(std::move(endProgram)) {
  setObjectName(QStringLiteral("frmNagScreen2"));
  setFixedSize(platform::twipsSize(11115, 4725));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, kWhite);
  setPalette(p);

  createControls();
  createReferralForm();

  connect(cmdClose, &QPushButton::clicked, this, &frmNagScreen2::cmdCloseClicked);
  connect(Check1, &QCheckBox::clicked, this, &frmNagScreen2::Check1Clicked);
  connect(lblGoToHome, &platform::LinkLabel::clicked, this, &frmNagScreen2::lblGoToHomeClicked);
  connect(cmdSubmit, &QPushButton::clicked, this, &frmNagScreen2::cmdSubmitClicked);

  load();
}

void frmNagScreen2::createControls() {
  picNagscreen2Icon = placed(new QLabel(this), "picNagscreen2Icon", twipsRect(360, 120, 540, 540));

  lblNagScreen2Caption = new QLabel(this);
  lblNagScreen2Caption->setObjectName(QStringLiteral("lblNagScreen2Caption"));
  lblNagScreen2Caption->move(platform::twips(1080), platform::twips(240));
  QFont caption(QStringLiteral("Sans Serif"));
  caption.setStyleHint(QFont::SansSerif);
  caption.setPointSizeF(18);
  lblNagScreen2Caption->setFont(caption);

  Label2 = placed(new QLabel(SupportTexts().at(1), this), "Label2", twipsRect(120, 840, 6975, 1095));
  Label2->setFont(verdana(9.75, true));
  Label2->setWordWrap(true);
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  Check1 = placed(new QCheckBox(kVisitForum, this), "Check1", twipsRect(30, 2040, 7185, 555));
  Check1->setFont(verdana(14.25));
  Check1->setCursor(Qt::PointingHandCursor);

  cmdClose = placed(new QPushButton(tr("E&xit"), this), "cmdClose", twipsRect(6000, 2760, 1245, 375));

  Frame6 = placed(darkFrame(QStringLiteral("Download Orvel Softwares"), this), "Frame6",
                  twipsRect(7320, 120, 3735, 4575));
  Label3 = placed(new QLabel(kOtherPrograms, Frame6), "Label3", twipsRect(120, 360, 3495, 3855));
  Label3->setFont(verdana(9));
  Label3->setWordWrap(true);
  Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette white = Label3->palette();
  white.setColor(QPalette::WindowText, kWhite);
  Label3->setPalette(white);

  lblGoToHome = placed(new platform::LinkLabel(QStringLiteral("Click Here To Visit Orvel Softwares"), Frame6),
                       "lblGoToHome", twipsRect(75, 4250, 3585, 210));
  QFont link = verdana(9, true);
  link.setUnderline(true);
  lblGoToHome->setFont(link);
  QPalette yellow = lblGoToHome->palette();
  yellow.setColor(QPalette::WindowText, kYellow);
  lblGoToHome->setPalette(yellow);
}

void frmNagScreen2::createReferralForm() {
  Frame2 = placed(darkFrame(QStringLiteral("Refer A Friend"), this), "Frame2", twipsRect(120, 3240, 7065, 1455));
  txtName = placed(new QLineEdit(kNamePlaceholder, Frame2), "txtName", twipsRect(85, 360, 3375, 285));
  cmdSubmit = placed(new QPushButton(tr("Refer A Friend &Now"), Frame2), "cmdSubmit",
                     twipsRect(1920, 1080, 3375, 285));
  cmdSubmit->setFont(platform::standardFont(true));
  txtEmail = placed(new QLineEdit(kEmailPlaceholder, Frame2), "txtEmail", twipsRect(3600, 360, 3375, 285));
  txtFriendEmail = placed(new QLineEdit(kFriendEmailPlaceholder, Frame2), "txtFriendEmail",
                          twipsRect(3600, 720, 3375, 285));
  txtFriendName = placed(new QLineEdit(kFriendNamePlaceholder, Frame2), "txtFriendName",
                         twipsRect(85, 720, 3375, 285));
  txtMessage = placed(new QPlainTextEdit(Frame2), "txtMessage", twipsRect(4800, 3600, 1815, 495));
  txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtMessage->setTabChangesFocus(true);
  setMessageText(kMessageInitialText);

  for (QWidget* field : {static_cast<QWidget*>(txtName), static_cast<QWidget*>(txtEmail),
                         static_cast<QWidget*>(txtMessage), static_cast<QWidget*>(txtFriendName),
                         static_cast<QWidget*>(txtFriendEmail)}) {
    field->setFont(platform::standardFont());
    field->installEventFilter(this);
  }

  // Exit, the check box, then the form: name, Refer, e-mail, friend's
  // e-mail, friend's name, message.
  setTabOrder(cmdClose, Check1);
  setTabOrder(Check1, txtName);
  setTabOrder(txtName, cmdSubmit);
  setTabOrder(cmdSubmit, txtEmail);
  setTabOrder(txtEmail, txtFriendEmail);
  setTabOrder(txtFriendEmail, txtFriendName);
  setTabOrder(txtFriendName, txtMessage);
}

void frmNagScreen2::load() {
  setWindowTitle(brand::kProgramCaption);
  lblNagScreen2Caption->setText(brand::kProgramCaption);
  lblNagScreen2Caption->adjustSize();

  setWindowIcon(platform::programIcon());
  picNagscreen2Icon->setPixmap(platform::programIcon().pixmap(picNagscreen2Icon->size()));

  // Each of the four texts equally likely at each showing.
  supportText_ = static_cast<int>(QRandomGenerator::global()->bounded(SupportTexts().size()));
  Label2->setText(SupportTexts().at(supportText_));

  // Above every other window, also those of other programs.
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  cmdClose->setFocus();
}

void frmNagScreen2::showEvent(QShowEvent* event) {
  if (QScreen* s = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
  }
  QWidget::showEvent(event);
}

void frmNagScreen2::closeEvent(QCloseEvent* event) {
  // Nothing here can refuse the close: leaving the window ends the program.
  event->accept();
  if (endProgram_) endProgram_();
}

void frmNagScreen2::cmdCloseClicked() {
  if (endProgram_) endProgram_();
}

void frmNagScreen2::Check1Clicked(bool checked) {
  // The box is only a button in disguise: it never stays ticked.
  if (!checked) return;
  Check1->setChecked(false);
  links::OpenWebPage(platform_.shell, links::kHomePage);
}

void frmNagScreen2::lblGoToHomeClicked() { links::OpenWebPage(platform_.shell, links::kSoftwarePage); }

QString frmNagScreen2::messageText() const {
  QString text = txtMessage->toPlainText();
  text.replace(QChar('\n'), QStringLiteral("\r\n"));
  return text;
}

void frmNagScreen2::setMessageText(const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  txtMessage->setPlainText(plain);
}

QString frmNagScreen2::placeholderOf(QObject* field) const {
  if (field == txtName) return kNamePlaceholder;
  if (field == txtEmail) return kEmailPlaceholder;
  if (field == txtMessage) return kMessagePlaceholder;
  if (field == txtFriendName) return kFriendNamePlaceholder;
  return kFriendEmailPlaceholder;
}

QString frmNagScreen2::textOf(QObject* field) const {
  if (field == txtMessage) return messageText();
  return static_cast<QLineEdit*>(field)->text();
}

void frmNagScreen2::setTextOf(QObject* field, const QString& text) {
  if (textOf(field) == text) return;
  if (field == txtMessage)
    setMessageText(text);
  else
    static_cast<QLineEdit*>(field)->setText(text);
}

bool frmNagScreen2::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn:
      if (isUserFocusChange(static_cast<QFocusEvent*>(event)))
        setTextOf(watched, TextOnEnter(textOf(watched), placeholderOf(watched)));
      break;
    case QEvent::FocusOut:
      if (isUserFocusChange(static_cast<QFocusEvent*>(event)))
        setTextOf(watched, TextOnLeave(textOf(watched), placeholderOf(watched)));
      break;
    case QEvent::KeyPress:
      if ((watched == txtEmail || watched == txtFriendEmail) &&
          static_cast<QKeyEvent*>(event)->text() == QStringLiteral(" ")) {
        platform_.dialogs.message(this, kNoSpaceInEmail, platform::MessageIcon::Critical);
        static_cast<QWidget*>(watched)->setFocus(Qt::OtherFocusReason);
        return true;  // the space never reaches the field
      }
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void frmNagScreen2::cmdSubmitClicked() {
  const ReferralFields entries{txtName->text(), txtEmail->text(), messageText(), txtFriendName->text(),
                               txtFriendEmail->text()};
  if (auto failure = tellAFriend_.Submit(entries, platform_.shell))
    platform_.dialogs.message(this, *failure, platform::MessageIcon::Critical);
}

}  // namespace farewell
