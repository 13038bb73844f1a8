// Message boxes and the open-file dialog. Every message box carries the
// program's title "Ostrelda" as its caption.
#pragma once

#include <QString>

class QWidget;

namespace platform {

inline const QString kMessageTitle = QStringLiteral("Ostrelda");

enum class MessageIcon { None, Information, Warning, Critical, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Modal; returns the button the user pressed. `parent` may be null (no
  // owner window).
  virtual MessageAnswer message(QWidget* parent, const QString& text, MessageIcon icon,
                                MessageButtons buttons = MessageButtons::Ok) = 0;
  // The common open-file dialog with default settings (no filter, no title,
  // no initial folder). Returns the chosen path, or an empty text on cancel.
  virtual QString openFile(QWidget* parent) = 0;
};

// Texts held in the program's data may join their lines by a lone carriage
// return; on screen each becomes a line of its own.
QString displayText(const QString& text);

class WidgetDialogs final : public Dialogs {
 public:
  MessageAnswer message(QWidget* parent, const QString& text, MessageIcon icon,
                        MessageButtons buttons) override;
  QString openFile(QWidget* parent) override;
};

}  // namespace platform
