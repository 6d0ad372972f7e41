// DesktopSpy: receives the files and addresses handed to the desktop to open, instead of the
// desktop, for as long as it lives.
#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace keelmark::test {

class DesktopSpy : public QObject {
  Q_OBJECT

 public:
  // Files by default; web addresses with {"http", "https"}.
  explicit DesktopSpy(QStringList schemes = {QStringLiteral("file")})
      : schemes_(std::move(schemes)) {
    for (const QString& scheme : schemes_) QDesktopServices::setUrlHandler(scheme, this, "Open");
  }
  ~DesktopSpy() override {
    for (const QString& scheme : schemes_) QDesktopServices::unsetUrlHandler(scheme);
  }
  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened << url; }

 private:
  QStringList schemes_;
};

}  // namespace keelmark::test
