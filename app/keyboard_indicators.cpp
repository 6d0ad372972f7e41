#include "app/keyboard_indicators.h"

#include <QGuiApplication>

// Xlib's macros (None, Bool, Status ...) clash with Qt's names: its headers come last.
#include <X11/XKBlib.h>

namespace keelmark {
namespace {

// The state of one named light; nothing when the keyboard has no light of that name.
std::optional<bool> NamedIndicator(Display* display, const char* name) {
  const Atom atom = XInternAtom(display, name, True);
  if (atom == 0) return std::nullopt;
  Bool on = False;
  if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return std::nullopt;
  return on != False;
}

}  // namespace

std::optional<LockKeys> ReadKeyboardIndicators() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return std::nullopt;
  const std::optional<bool> caps = NamedIndicator(display, "Caps Lock");
  const std::optional<bool> num = NamedIndicator(display, "Num Lock");
  const std::optional<bool> scroll = NamedIndicator(display, "Scroll Lock");
  if (!caps && !num && !scroll) return std::nullopt;  // no keyboard extension, or no lights
  return LockKeys{caps.value_or(false), num.value_or(false), scroll.value_or(false)};
}

}  // namespace keelmark
