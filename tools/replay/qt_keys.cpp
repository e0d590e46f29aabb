// The script's key names as Qt key presses.

#include <QGuiApplication>
#include <QTest>
#include <QWindow>
#include <array>

#include "tools/replay/qt_driver.h"

namespace orbalta::replay {

namespace {

struct KeyPress {
  KeyName name;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
};

constexpr std::array<KeyPress, 14> kKeys{{
    {KeyName::Tab, Qt::Key_Tab, Qt::NoModifier},
    {KeyName::ShiftTab, Qt::Key_Backtab, Qt::ShiftModifier},
    {KeyName::Enter, Qt::Key_Return, Qt::NoModifier},
    {KeyName::Esc, Qt::Key_Escape, Qt::NoModifier},
    {KeyName::Left, Qt::Key_Left, Qt::NoModifier},
    {KeyName::Right, Qt::Key_Right, Qt::NoModifier},
    {KeyName::Up, Qt::Key_Up, Qt::NoModifier},
    {KeyName::Down, Qt::Key_Down, Qt::NoModifier},
    {KeyName::Home, Qt::Key_Home, Qt::NoModifier},
    {KeyName::End, Qt::Key_End, Qt::NoModifier},
    {KeyName::Backspace, Qt::Key_Backspace, Qt::NoModifier},
    {KeyName::Delete, Qt::Key_Delete, Qt::NoModifier},
    {KeyName::Space, Qt::Key_Space, Qt::NoModifier},
    {KeyName::CtrlA, Qt::Key_A, Qt::ControlModifier},
}};

}  // namespace

void QtDriver::pressKey(KeyName name) {
  Qt::Key key = Qt::Key_unknown;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  for (const KeyPress& press : kKeys) {
    if (press.name == name) {
      key = press.key;
      modifiers = press.modifiers;
    }
  }
  QTest::keyClick(QGuiApplication::focusWindow(), key, modifiers);
}

}  // namespace orbalta::replay
