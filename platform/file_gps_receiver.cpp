#include "platform/file_gps_receiver.h"

#include "platform/qt_text.h"

namespace keelmark {

FileGpsReceiver::FileGpsReceiver(const std::string& path, int linesPerSecond, bool loop,
                                 const Clock& clock)
    : QtGpsReceiver(path, clock), path_(path), linesPerSecond_(linesPerSecond), loop_(loop) {
  connect(&timer_, &QTimer::timeout, this, &FileGpsReceiver::NextLine);
}

int FileGpsReceiver::Open() {
  file_.setFileName(ToQString(path_));
  if (!file_.open(QIODevice::ReadOnly)) {
    const std::string why = file_.error() == QFileDevice::OpenError && !file_.exists()
                                ? "no such file"
                                : ToStdString(file_.errorString());
    return Failure(gps_code::kCannotOpen, why);
  }
  Connected();
  // After the caller has connected to the signals.
  timer_.start(linesPerSecond_ > 0 ? 1000 / linesPerSecond_ : 0);
  return 0;
}

void FileGpsReceiver::NextLine() {
  if (linesPerSecond_ <= 0) {
    timer_.stop();
    Deliver(file_.readAll());
  } else if (!file_.atEnd()) {
    Deliver(file_.readLine(NmeaSplitter::kLongestSentence * 4));
    return;
  } else if (loop_ && file_.seek(0)) {
    return;
  }
  timer_.stop();
  EndOfStream();
  emit finished();
}

void FileGpsReceiver::Stop() {
  QtGpsReceiver::Stop();
  timer_.stop();
}

void FileGpsReceiver::Close() {
  Stop();
  file_.close();
}

}  // namespace keelmark
