// The main window's File > Update entry: the dictionary update command.
#include "lookup/SearchPanel.h"
#include "shell/MDI.h"
#include "update/UpdateCommand.h"

#include <QAction>
#include <QLineEdit>
#include <QTreeWidget>

#include <memory>

namespace shell {

void MDI::bindUpdate() {
  // Made on the first click, when the search panel exists; it keeps the
  // progress window for later updates.
  auto command = std::make_shared<std::unique_ptr<update::UpdateCommand>>();
  connect(mnuUpdate, &QAction::triggered, this, [this, command] {
    if (!*command)
      *command = std::make_unique<update::UpdateCommand>(platform_, this, picLeft->lstKeys,
                                                         picLeft->txtKey);
    (*command)->mnuUpdateClick();
  });
}

}  // namespace shell
