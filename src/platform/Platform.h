// The seams between the program and the system. Every window receives one
// Platform at construction; production and tests fill it differently.
#pragma once

#include "platform/Browser.h"
#include "platform/Clock.h"
#include "platform/ConnectionProbe.h"
#include "platform/Dialogs.h"
#include "platform/InstanceGuard.h"
#include "platform/ProcessExit.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/WebSearch.h"

#include <QString>

namespace platform {

struct Platform {
  Shell& shell;
  SettingsStore& settings;
  InstanceGuard& instanceGuard;
  ConnectionProbe& connection;
  Dialogs& dialogs;
  Clock& clock;
  ProcessExit& processExit;
  BrowserFactory& browsers;
  WebSearchFactory& webSearch;
  // The folder the dictionary file lies in: the executable's folder in
  // production, a temporary folder in tests.
  QString programFolder;
};

}  // namespace platform
