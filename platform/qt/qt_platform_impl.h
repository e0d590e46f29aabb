#pragma once
// Inside the Qt platform: its records of windows and controls, and what the files that build
// windows, name controls for assistive technologies and run the platform share.

#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/program_writes.h"
#include "platform/qt/dialog_window.h"
#include "platform/qt/image_decode.h"
#include "platform/qt/system_dialogs.h"
#include "platform/window_table.h"
#include "resources/resources.h"

namespace orbalta::platform {

using qt::DialogUnits;
using qt::DialogWindow;
using qt::displayText;
using qt::GroupFrame;

namespace qt {

inline constexpr const char* kHandleProperty = "orbaltaWindow";
inline constexpr const char* kIdProperty = "orbaltaControl";
inline constexpr const char* kDigitsOnlyProperty = "orbaltaDigitsOnly";
inline constexpr const char* kListNotifiedProperty = "orbaltaListNotified";
inline constexpr int kStandardIconSize = 32;

struct ControlEntry {
  int id = -1;
  ControlKind kind = ControlKind::Static;
  std::uint32_t styles = 0;
  QPointer<QWidget> widget;
  std::string text;  // exactly what was set, for captions
  QButtonGroup* group = nullptr;
  int imageId = 0;         // the image of a picture
  QString accessibleName;  // set by the program; empty: named by the caption
  QString description;     // set by the program; empty: described by the tool tip
  QString tip;             // the tool tip as plain text
  QRect area;              // in dialog units, as the template places it
};

struct ModalRun {
  QEventLoop loop;
  int result = 0;
};

struct WindowRecord : WindowEntry {
  QPointer<DialogWindow> widget;
  std::vector<ControlEntry> controls;
  bool modal = false;
  bool ended = false;  // endModal came before or during the modal run
  int result = 0;
  ModalRun* run = nullptr;

  bool hasNativeWindow() const { return !widget.isNull(); }

  ControlEntry* find(int id) {
    if (id == -1) return nullptr;
    for (auto& entry : controls) {
      if (entry.id == id) return &entry;
    }
    return nullptr;
  }
};

// The icon `resourceId` at `size` pixels square.
QPixmap iconPixmap(int resourceId, int size);

// The accessible name of a control from its caption and the name the program gave it.
void applyAccessibleName(const ControlEntry& entry);
// Its description: the one the program gave it, else its tool tip.
void applyAccessibleDescription(const ControlEntry& entry);
// Shapes the window's accessible tree: a group box holds the controls that lie inside it, and
// a radio group that shares its box with other controls gets a box of its own. The pixels stay.
void groupForAccessibility(WindowRecord& rec);
// Window and group roles and states the widgets alone do not report; once per application.
void installAccessibleShapes();
void removeAccessibleShapes();

}  // namespace qt

using namespace qt;

struct QtPlatform::Impl : QObject {
  WindowTable<WindowRecord> windows;
  ProgramWrites programWrites;
  MessageRouter* router = nullptr;
  QEventLoop* messageLoop = nullptr;
  bool quitPending = false;
  int quitCode = 0;
  std::vector<QPixmap> icons;

  WindowRecord* record(WindowHandle handle) { return windows.find(handle); }
  WindowRecord* live(WindowHandle handle) { return windows.open(handle); }
  WindowRecord* recordOfWidget(const QWidget* widget) {
    if (widget == nullptr) return nullptr;
    const QVariant handle = widget->window()->property(kHandleProperty);
    return handle.isValid() ? live(handle.value<WindowHandle>()) : nullptr;
  }
  ControlEntry* entry(WindowHandle handle, int id) {
    WindowRecord* rec = record(handle);
    if (rec == nullptr) return nullptr;
    ControlEntry* control = rec->find(id);
    return control != nullptr && control->widget ? control : nullptr;
  }

  void notify(WindowHandle handle, int id, Notification what) {
    if (programWrites.inProgress()) return;
    WindowRecord* rec = live(handle);
    if (rec != nullptr) rec->events->command(handle, id, what);
  }

  QWidget* build(WindowRecord& rec, DialogWindow* dialog, const ControlTemplate& c,
                 QButtonGroup*& group);
  void clickable(QAbstractButton* button, WindowHandle handle, const ControlTemplate& c);
  QWidget* makeButton(WindowHandle handle, QWidget* dialog, const ControlTemplate& c);
  QWidget* makeCheckBox(WindowHandle handle, QWidget* dialog, const ControlTemplate& c);
  QWidget* makeRadio(WindowHandle handle, QWidget* dialog, const ControlTemplate& c,
                     QButtonGroup*& group);
  QWidget* makeEdit(WindowHandle handle, QWidget* dialog, const ControlTemplate& c);
  QWidget* makeList(WindowHandle handle, QWidget* dialog, const ControlTemplate& c);
  void setTextOf(ControlEntry& entry, std::string_view text);
  void moveInRadioGroup(WindowRecord& rec, QWidget* from, bool forward);
  bool keyPress(QWidget* target, QKeyEvent* event);
  void focusChange(QWidget* target, QFocusEvent* event);
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace orbalta::platform
