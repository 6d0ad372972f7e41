// DesktopSpy: receives the files and addresses handed to the desktop to open, instead of the
// desktop, for as long as it lives.
#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

namespace keelmark::test {

class DesktopSpy : public QObject {
  Q_OBJECT

 public:
  DesktopSpy() { QDesktopServices::setUrlHandler("file", this, "Open"); }
  ~DesktopSpy() override { QDesktopServices::unsetUrlHandler("file"); }
  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened << url; }
};

}  // namespace keelmark::test
