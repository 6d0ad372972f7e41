// FileGpsReceiver: a recorded NMEA log replayed, for training and tests: a number of lines each
// second (again from the start at the end when it loops), or the whole file at once.
#pragma once

#include <QFile>
#include <QTimer>
#include <string>

#include "platform/qt_gps_receiver.h"

namespace keelmark {

class FileGpsReceiver final : public QtGpsReceiver {
  Q_OBJECT

 public:
  // linesPerSecond 0: the whole file as soon as the event loop runs, then finished().
  FileGpsReceiver(const std::string& path, int linesPerSecond, bool loop, const Clock& clock);

  [[nodiscard]] int Open() override;
  void Stop() override;
  void Close() override;

 private:
  void NextLine();

  std::string path_;
  int linesPerSecond_;
  bool loop_;
  QFile file_;
  QTimer timer_;
};

}  // namespace keelmark
