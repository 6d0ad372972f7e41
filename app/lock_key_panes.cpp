#include "app/lock_key_panes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace keelmark {
namespace {

constexpr std::array<const char*, 3> kPaneNames = {"capsLockPane", "numLockPane", "scrollLockPane"};

bool IsLockKey(int key) {
  return key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
}

}  // namespace

LockKeyPanes::LockKeyPanes(QStatusBar* bar, Reader read) : QObject(bar), read_(std::move(read)) {
  const std::optional<LockKeys> keys = read_();
  if (!keys) return;
  for (std::size_t i = 0; i < panes_.size(); ++i) {
    auto* pane = new QLabel(bar);
    pane->setObjectName(QLatin1String(kPaneNames[i]));
    pane->setAlignment(Qt::AlignCenter);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    // Each pane keeps the width of its text, lit or not, so that the bar does not jump.
    const int width = pane->fontMetrics().horizontalAdvance(QLatin1String(kTexts[i]));
    pane->setMinimumWidth(width + 2 * pane->frameWidth() + 12);
    bar->addPermanentWidget(pane);
    panes_[i] = pane;
  }
  Show(*keys);
  qApp->installEventFilter(this);
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &LockKeyPanes::Update);
  timer_->start(kPollMilliseconds);
}

void LockKeyPanes::Update() {
  if (!Shown()) return;
  if (const std::optional<LockKeys> keys = read_()) Show(*keys);
}

void LockKeyPanes::Show(const LockKeys& keys) {
  const std::array<bool, 3> on = {keys.capsLock, keys.numLock, keys.scrollLock};
  for (std::size_t i = 0; i < panes_.size(); ++i) {
    panes_[i]->setText(on[i] ? QLatin1String(kTexts[i]) : QString());
  }
}

bool LockKeyPanes::eventFilter(QObject* /*watched*/, QEvent* event) {
  // The lights change as the lock key goes down; they are read once it is up again.
  if (event->type() == QEvent::KeyRelease && IsLockKey(static_cast<QKeyEvent*>(event)->key())) {
    Update();
  } else if (event->type() == QEvent::ApplicationActivate) {
    Update();
  }
  return false;
}

}  // namespace keelmark
