// QtGpsReceiver: what every receiver on Qt's event loop shares: the bytes of its source handed
// to the core's GpsFeed as they arrive, failures recorded with their texts, and a source that
// went away tried again after 1 s, then twice as long each time up to 30 s. Nothing blocks:
// the source's signals drive it.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <string>

#include "document/gps_feed.h"
#include "document/gps_receiver.h"
#include "navigation/clock.h"

namespace keelmark {

class QtGpsReceiver : public QObject, public GpsReceiver {
  Q_OBJECT

 public:
  static constexpr int kFirstRetryMilliseconds = 1000;
  static constexpr int kLongestRetryMilliseconds = 30000;

  // `name` names the source in failure texts.
  QtGpsReceiver(const std::string& name, const Clock& clock);

  [[nodiscard]] int ChooseSentence(NmeaSentenceType type) override;
  [[nodiscard]] GpsReading Read() override;
  [[nodiscard]] std::string Describe(int code) const override;
  // No more bytes are taken and no retry is made.
  void Stop() override;

  [[nodiscard]] GpsFeed& Feed() { return feed_; }

 signals:
  // Bytes came from the source and were decoded.
  void bytesArrived();
  // The source failed (code below zero); Describe(code) says how.
  void failed(int code);
  // The source has ended and gives nothing more (a log file read to its end).
  void finished();

 protected:
  void Deliver(const QByteArray& bytes);
  // The stream has ended: a last sentence without line end is taken too.
  void EndOfStream();
  // Records the failure and announces it; returns the code.
  int Failure(int code, const std::string& text);
  // The source is there: the next retry waits the first period again.
  void Connected();
  // Calls Reconnect after the present retry period, which then doubles; the period in text.
  std::string RetryLater();
  // Opens the source again after it went away.
  virtual void Reconnect() {}
  [[nodiscard]] TimeValue Now() const { return clock_.Now(); }
  [[nodiscard]] bool Stopped() const { return stopped_; }

 private:
  const Clock& clock_;
  GpsFeed feed_;
  QTimer retry_;
  int retryMilliseconds_ = kFirstRetryMilliseconds;
  bool stopped_ = false;
};

}  // namespace keelmark
