// Test doubles for every seam: they record what the program asked for and
// answer as a test scripts them. A message box never blocks a test.
#pragma once

#include "platform/AppState.h"
#include "platform/Platform.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace platform::testing {

class RecordingShell final : public Shell {
 public:
  void open(const QUrl& url) override {
    opened.push_back(url);
    if (onOpen) onOpen(url);
  }
  std::vector<QUrl> opened;
  std::function<void(const QUrl&)> onOpen;
};

class MemorySettings final : public SettingsStore {
 public:
  std::optional<QString> value(const QString& section, const QString& key) const override {
    const auto it = values.find(section + '/' + key);
    if (it == values.end()) return std::nullopt;
    return it.value();
  }
  void setValue(const QString& section, const QString& key, const QString& value) override {
    values[section + '/' + key] = value;
    if (onSet) onSet(section, key, value);
  }
  void sync() override { ++syncs; }
  QMap<QString, QString> values;
  int syncs = 0;
  std::function<void(const QString&, const QString&, const QString&)> onSet;
};

class ScriptedInstanceGuard final : public InstanceGuard {
 public:
  bool acquire() override { return answer; }
  bool answer = true;
};

class FixedConnectionProbe final : public ConnectionProbe {
 public:
  qint32 connectedState() override {
    ++calls;
    return state;
  }
  qint32 state = 1;
  int calls = 0;
};

struct RecordedMessage {
  QWidget* parent;
  QString text;
  MessageIcon icon;
  MessageButtons buttons;
};

class RecordingDialogs final : public Dialogs {
 public:
  MessageAnswer message(QWidget* parent, const QString& text, MessageIcon icon,
                        MessageButtons buttons) override {
    messages.push_back({parent, text, icon, buttons});
    if (onMessage) onMessage(messages.back());
    if (!answers.empty()) {
      const MessageAnswer a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
  }
  QString openFile(QWidget*) override {
    ++openFileCalls;
    if (paths.empty()) return QString();
    const QString p = paths.front();
    paths.pop_front();
    return p;
  }
  std::vector<RecordedMessage> messages;
  std::deque<MessageAnswer> answers;  // scripted answers, in order
  std::deque<QString> paths;          // scripted open-file choices; none = cancel
  int openFileCalls = 0;
  std::function<void(const RecordedMessage&)> onMessage;
};

class SettableClock final : public Clock {
 public:
  QDateTime now() const override { return current; }
  QDateTime current = QDateTime(QDate(2026, 1, 15), QTime(12, 0));
};

class RecordingProcessExit final : public ProcessExit {
 public:
  void endProcess() override {
    ++calls;
    if (onEnd) onEnd();
  }
  int calls = 0;
  std::function<void()> onEnd;
};

// A browser that records every request in order, as readable steps such as
// "navigate http://x", "back", "setBody <html>", "setValue q=fe", "click sa".
class RecordingBrowser final : public Browser {
 public:
  explicit RecordingBrowser(QStringList& log, QWidget* parent);
  ~RecordingBrowser() override;
  QWidget* widget() override { return widget_; }
  void navigate(const QString& address) override { log_.append("navigate " + address); }
  void goBack() override { log_.append("back"); }
  void goForward() override { log_.append("forward"); }
  void stop() override { log_.append("stop"); }
  void refresh() override { log_.append("refresh"); }
  void goHome() override { log_.append("home"); }
  void goSearch() override { log_.append("search"); }
  void setBodyHtml(const QString& html) override { log_.append("setBody " + html); }
  void setElementValue(const QString& name, const QString& value) override {
    log_.append("setValue " + name + "=" + value);
  }
  void clickElement(const QString& name) override { log_.append("click " + name); }
  void showHtml(const QString& html) override { log_.append("html " + html); }

 private:
  QStringList& log_;
  QWidget* widget_;
};

class RecordingBrowserFactory final : public BrowserFactory {
 public:
  std::unique_ptr<Browser> create(QWidget* parent) override {
    ++created;
    return std::make_unique<RecordingBrowser>(log, parent);
  }
  QStringList log;
  int created = 0;
};

class CountingWebSearch final : public WebSearchFactory {
 public:
  struct Call {
    QString keyword, address;
  };
  std::unique_ptr<WebSearchComponent> create() override;
  bool installed = true;  // false: no component, as when the plugin is missing
  bool failing = false;   // true: SearchWeb throws
  int creates = 0;
  std::vector<Call> calls;
};

// Every double wired into one Platform, with the program folder in a
// temporary directory that the test may fill with a dictionary.
struct TestPlatform {
  explicit TestPlatform(QString programFolder = QString());
  RecordingShell shell;
  MemorySettings settings;
  ScriptedInstanceGuard instanceGuard;
  FixedConnectionProbe connection;
  RecordingDialogs dialogs;
  SettableClock clock;
  RecordingProcessExit processExit;
  RecordingBrowserFactory browsers;
  CountingWebSearch webSearch;
  Platform platform;
  AppState state;
};

}  // namespace platform::testing
