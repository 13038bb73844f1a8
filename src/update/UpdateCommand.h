// The File menu's Update command: the user picks an update file, its entries
// are merged into the dictionary, the progress window runs, and the user is
// told to restart. The keyword list is repainted, not reloaded: new keywords
// show up at the next start.
#pragma once

#include "platform/Platform.h"
#include "update/frmPB.h"

#include <QPointer>
#include <QString>

#include <chrono>

class QAbstractItemView;
class QWidget;

namespace update {

inline const QString kNothingToUpdate = QStringLiteral("There is nothing to Update");
inline const QString kWrongFile = QStringLiteral("This is the wrong file! Lookup online help");
inline const QString kUpdated =
    QStringLiteral("Ostrelda Successfully Updated") + QChar('\r') +
    QStringLiteral("Please restart dictionary ");

// The message shown when the dictionary could not be opened or written.
QString dictionaryFailedText(const QString& dictionaryPath, const QString& reason);

class UpdateCommand {
 public:
  // `window` owns the dialogs; `lstKeys` is repainted after an update and
  // `txtKey` takes the focus when the command ends. `progressTick` is the
  // progress window's timer period (tests shorten it).
  UpdateCommand(platform::Platform& platform, QWidget* window, QAbstractItemView* lstKeys,
                QWidget* txtKey,
                std::chrono::milliseconds progressTick = frmPB::kTickInterval);

  // Click of mnuUpdate.
  void mnuUpdateClick();

  // The progress window, created on first use and kept for later updates.
  frmPB& progressWindow();

  QString dictionaryPath() const;

 private:
  void tell(const QString& text, platform::MessageIcon icon);

  platform::Platform& platform_;
  QPointer<QWidget> window_;
  QPointer<QAbstractItemView> lstKeys_;
  QPointer<QWidget> txtKey_;
  std::chrono::milliseconds progressTick_;
  QPointer<frmPB> progress_;
};

}  // namespace update
