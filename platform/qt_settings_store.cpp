#include "platform/qt_settings_store.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

#include "platform/qt_text.h"
#include "platform/user_folders.h"

namespace keelmark {
namespace {

QString SettingsKey(std::string_view section, std::string_view key) {
  return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + u'/' +
         QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

// A stored value as text. A value written by hand as an unquoted list ("a, b") reads as its
// items joined by commas, and one that QSettings reads as a non-text type as the empty text,
// the same as the command line's INI reader gives.
QString ValueText(const QVariant& value) {
  if (!value.isValid()) return {};
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u',');
  if (value.typeId() == QMetaType::QVariantList) {
    QStringList items;
    for (const QVariant& item : value.toList()) items.append(ValueText(item));
    return items.join(u',');
  }
  if (value.typeId() == QMetaType::QByteArray) return QString::fromUtf8(value.toByteArray());
  return value.toString();
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QString::fromLatin1(kSettingsOrganisation),
                                            QString::fromLatin1(kSettingsApplication))) {}

QtSettingsStore::QtSettingsStore(const std::string& iniPath)
    : settings_(std::make_unique<QSettings>(ToQString(iniPath), QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::string> QtSettingsStore::Lookup(std::string_view section,
                                                   std::string_view key) const {
  const QString name = SettingsKey(section, key);
  if (!settings_->contains(name)) return std::nullopt;
  return ToStdString(ValueText(settings_->value(name)));
}

void QtSettingsStore::Put(std::string_view section, std::string_view key, const std::string& text) {
  settings_->setValue(SettingsKey(section, key), ToQString(text));
}

bool QtSettingsStore::Sync(std::string* error) {
  settings_->sync();
  switch (settings_->status()) {
    case QSettings::NoError:
      return true;
    case QSettings::AccessError:
      if (error) *error = "cannot write " + FileName();
      return false;
    case QSettings::FormatError:
      // Lines that could not be read were dropped; what was put has been written.
      return true;
  }
  return false;
}

std::string QtSettingsStore::FileName() const { return ToStdString(settings_->fileName()); }

}  // namespace keelmark
