#include "update/UpdateCommand.h"

#include "dictionary/Dictionary.h"
#include "update/MergeFile.h"

#include <QAbstractItemView>
#include <QFile>
#include <QWidget>

namespace update {

QString dictionaryFailedText(const QString& dictionaryPath, const QString& reason) {
  return QStringLiteral("The dictionary could not be updated:") + QChar('\r') + dictionaryPath +
         QChar('\r') + reason + QChar('\r') + QStringLiteral("Nothing was changed.");
}

UpdateCommand::UpdateCommand(platform::Platform& platform, QWidget* window,
                             QAbstractItemView* lstKeys, QWidget* txtKey,
                             std::chrono::milliseconds progressTick)
    : platform_(platform),
      window_(window),
      lstKeys_(lstKeys),
      txtKey_(txtKey),
      progressTick_(progressTick) {}

QString UpdateCommand::dictionaryPath() const {
  return QFile::decodeName(
      dictionary::DictionaryPath(QFile::encodeName(platform_.programFolder).toStdString())
          .c_str());
}

frmPB& UpdateCommand::progressWindow() {
  if (!progress_) progress_ = new frmPB(window_, progressTick_);
  return *progress_;
}

void UpdateCommand::tell(const QString& text, platform::MessageIcon icon) {
  platform_.dialogs.message(window_, text, icon, platform::MessageButtons::Ok);
  if (!txtKey_) return;
  // A modal window or message box that has just closed may leave the main
  // window inactive; the keyword box takes the focus in an active window.
  txtKey_->activateWindow();
  txtKey_->setFocus();
}

void UpdateCommand::mnuUpdateClick() {
  const QString chosen = platform_.dialogs.openFile(window_);
  if (chosen.isEmpty()) return;

  const QString dictionaryFile = dictionaryPath();
  const MergeOutcome outcome =
      MergeUpdateFile(QFile::encodeName(dictionaryFile).toStdString(),
                      QFile::encodeName(chosen).toStdString());

  switch (outcome.kind) {
    case MergeOutcome::Kind::NothingToUpdate:
      tell(kNothingToUpdate, platform::MessageIcon::Information);
      return;
    case MergeOutcome::Kind::WrongFile:
      tell(kWrongFile, platform::MessageIcon::Information);
      return;
    case MergeOutcome::Kind::DictionaryFailed:
      tell(dictionaryFailedText(dictionaryFile, QString::fromStdString(outcome.reason)),
           platform::MessageIcon::Critical);
      return;
    case MergeOutcome::Kind::Merged:
      break;
  }

  // The merge has finished before the progress window shows; it runs by
  // time alone, the same for every update.
  progressWindow().showModal();
  if (lstKeys_) lstKeys_->viewport()->update();
  tell(kUpdated, platform::MessageIcon::Information);
}

}  // namespace update
