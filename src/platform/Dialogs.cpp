#include "platform/Dialogs.h"

#include <QFileDialog>
#include <QIcon>
#include <QMessageBox>

namespace platform {

QString displayText(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QChar('\r'), QChar('\n'));
  return shown;
}

namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer WidgetDialogs::message(QWidget* parent, const QString& text, MessageIcon icon,
                                     MessageButtons buttons) {
  QMessageBox box(toQt(icon), kMessageTitle, displayText(text), QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("messageBox"));
  if (buttons == MessageButtons::YesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  const int answer = box.exec();
  if (buttons == MessageButtons::YesNo)
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
  return MessageAnswer::Ok;
}

QString WidgetDialogs::openFile(QWidget* parent) {
  return QFileDialog::getOpenFileName(parent);
}

}  // namespace platform
