// The per-user settings store: text values by section and key, in an area
// named after the executable.
#pragma once

#include <QString>

#include <optional>

namespace platform {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or nullopt when the key is absent.
  virtual std::optional<QString> value(const QString& section, const QString& key) const = 0;
  virtual void setValue(const QString& section, const QString& key, const QString& value) = 0;
  // Writes everything set so far to permanent storage.
  virtual void sync() = 0;
};

// QSettings in INI form under the user's XDG configuration folder,
// named after the executable (e.g. ~/.config/ostrelda.conf).
class IniSettingsStore final : public SettingsStore {
 public:
  explicit IniSettingsStore(QString applicationName);
  std::optional<QString> value(const QString& section, const QString& key) const override;
  void setValue(const QString& section, const QString& key, const QString& value) override;
  void sync() override;

 private:
  QString applicationName_;
};

}  // namespace platform
