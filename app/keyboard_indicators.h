// The keyboard's lock-key lights (Caps Lock, Num Lock, Scroll Lock) as the windowing system
// holds them.
#pragma once

#include <optional>

namespace keelmark {

struct LockKeys {
  bool capsLock = false;
  bool numLock = false;
  bool scrollLock = false;

  bool operator==(const LockKeys&) const = default;
};

// The lights now; nothing where the windowing system offers no such state (offscreen, Wayland).
// On X11 they come from the keyboard extension's named indicators.
[[nodiscard]] std::optional<LockKeys> ReadKeyboardIndicators();

}  // namespace keelmark
