// CGpsMonitorDialog: the "Keelmark GPS Monitor" window, modeless: the present position's
// latitude and longitude, the course and speed made good, a status line with its icon, and
// Stop. Its position timer reads the receiver and moves the present position, its history timer
// writes that position to the history; the document's views follow each tick.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

#include "document/gps_monitor.h"

class QLabel;

namespace keelmark {

class CKeelmarkRouteXPDoc;

class CGpsMonitorDialog : public QDialog {
  Q_OBJECT

 public:
  // Makes the receiver the options name, reading the clock given; null when there is none.
  using ReceiverFactory = std::function<std::unique_ptr<GpsReceiver>(const Clock&)>;

  // Creates the window: the monitor's periods taken, the timers not yet running.
  CGpsMonitorDialog(CKeelmarkRouteXPDoc& document, const Clock& clock, ReceiverFactory factory,
                    QWidget* parent = nullptr);
  ~CGpsMonitorDialog() override;

  // Shows the window and starts the monitor; false when it closed again (the reason shown).
  bool Start();

  [[nodiscard]] GpsMonitor& Monitor() { return monitor_; }
  [[nodiscard]] const QTimer& PositionTimer() const { return positionTimer_; }
  [[nodiscard]] const QTimer& HistoryTimer() const { return historyTimer_; }

 public slots:
  // The two timers' ticks.
  void OnPositionTick();
  void OnHistoryTick();

 signals:
  // The document changed: every view shows it again.
  void documentChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowValues();
  void StopMonitor();

  GpsMonitor monitor_;
  ReceiverFactory factory_;
  const Clock& clock_;
  GpsMonitor::Periods periods_;
  QTimer positionTimer_;
  QTimer historyTimer_;
  QLabel* latitude_ = nullptr;
  QLabel* longitude_ = nullptr;
  QLabel* course_ = nullptr;
  QLabel* speed_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* icon_ = nullptr;
};

// The receiver of the source the options name (a replayed log loops), or null when the options
// name none.
[[nodiscard]] CGpsMonitorDialog::ReceiverFactory OptionsGpsReceiver(CKeelmarkRouteXPDoc& document);

}  // namespace keelmark
