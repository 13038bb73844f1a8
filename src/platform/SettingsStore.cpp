#include "platform/SettingsStore.h"

#include <QSettings>

namespace platform {

namespace {
QString settingsKey(const QString& section, const QString& key) { return section + '/' + key; }
}  // namespace

IniSettingsStore::IniSettingsStore(QString applicationName)
    : applicationName_(std::move(applicationName)) {}

std::optional<QString> IniSettingsStore::value(const QString& section, const QString& key) const {
  QSettings settings(QSettings::IniFormat, QSettings::UserScope, applicationName_);
  const QVariant v = settings.value(settingsKey(section, key));
  if (!v.isValid()) return std::nullopt;
  return v.toString();
}

void IniSettingsStore::setValue(const QString& section, const QString& key, const QString& value) {
  QSettings settings(QSettings::IniFormat, QSettings::UserScope, applicationName_);
  settings.setValue(settingsKey(section, key), value);
  settings.sync();
}

void IniSettingsStore::sync() {
  QSettings settings(QSettings::IniFormat, QSettings::UserScope, applicationName_);
  settings.sync();
}

}  // namespace platform
