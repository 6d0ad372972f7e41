// LockKeyPanes: the CAP, NUM and SCRL panes at the right of the status bar, lit while their
// lock key is on.
#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <optional>

#include "app/keyboard_indicators.h"

class QLabel;
class QStatusBar;
class QTimer;

namespace keelmark {

class LockKeyPanes : public QObject {
  Q_OBJECT

 public:
  using Reader = std::function<std::optional<LockKeys>()>;

  // The panes' texts, in their order on the bar.
  static constexpr std::array<const char*, 3> kTexts = {"CAP", "NUM", "SCRL"};
  // How often the lights are read besides the lock keys' own presses (a lock key may be
  // pressed while another program has the keyboard), in milliseconds.
  static constexpr int kPollMilliseconds = 1000;

  // Adds the panes to the bar when `read` has a state; where it has none (the windowing system
  // offers no lights) the bar gets no panes and nothing is read again.
  explicit LockKeyPanes(QStatusBar* bar, Reader read = ReadKeyboardIndicators);

  // Whether the panes are on the bar.
  [[nodiscard]] bool Shown() const { return panes_[0] != nullptr; }

 public slots:
  // Reads the lights and shows each pane's text while its light is on, nothing while it is off.
  void Update();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Show(const LockKeys& keys);

  Reader read_;
  std::array<QLabel*, 3> panes_{};
  QTimer* timer_ = nullptr;
};

}  // namespace keelmark
