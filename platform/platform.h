#pragma once
// What the program needs from the window system, as one interface. The toolkit is its only
// caller besides start-up (icons) and the auxiliary windows (message boxes, file dialog).
// All texts are Windows-1252; an implementation converts at its own boundary.
// Implementations raise WindowEvents only for the user's actions and window lifecycle,
// never because the program set a property.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/handles.h"

namespace orbalta::platform {

enum class Notification {
  Clicked,
  Changed,
  Updated,
  FocusGained,
  FocusLost,
  SelectionChanged,
  DoubleClick
};

enum class MessageIcon { None, Information, Warning, Error };

// Keys a dialog window handles itself (Tab moves focus, Enter presses the default button,
// Esc cancels, arrows move within a radio group).
enum class DialogKey { Tab, BackTab, Enter, Escape, Left, Right, Up, Down };

struct KeyMessage {
  WindowHandle window = 0;  // top-level dialog window the key was typed in
  DialogKey key = DialogKey::Tab;
};

// Implemented by the toolkit; one sink per window.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // The window and its controls exist (not yet shown).
  virtual void created(WindowHandle window) = 0;
  virtual void command(WindowHandle window, int controlId, Notification what) = 0;
  virtual void activated(WindowHandle window, bool active) = 0;
  // The user minimized, restored, maximized or resized the window; a platform that cannot
  // tell leaves it unraised.
  virtual void resized(WindowHandle /*window*/) {}
  // Esc or the close box: the cancel command, id 2.
  virtual void cancel(WindowHandle window) = 0;
  // Enter: the command of the default push button, or id 1 when there is none.
  virtual void defaultCommand(WindowHandle window) = 0;
  // The window is going away; its controls can still be read.
  virtual void destroyed(WindowHandle window) = 0;
};

// Decides whether a dialog key typed in a modeless window is handled as dialog navigation
// (true) or delivered to the control as an ordinary key (false).
class MessageRouter {
 public:
  virtual ~MessageRouter() = default;
  virtual bool route(const KeyMessage& message) = 0;
};

// A message that names a file. `path` is the file system's own name for it (UTF-8 bytes, as
// open() takes them), shown as the file system shows it whatever its letters; `before` and
// `after` are Windows-1252 like every other text.
struct FileMessage {
  std::string before;
  std::string path;
  std::string after;
};

struct FileFilter {
  std::string description;  // "Text Files (*.txt)"
  std::string pattern;      // "*.txt"
};

struct OpenFileRequest {
  std::string title;
  std::vector<FileFilter> filters;
  int filterIndex = 1;        // 1-based
  std::string initialDir;     // empty: the platform's default folder
  std::string fileName;       // initial text of the name box
  std::string defaultExt;     // appended to a name typed without extension
  bool createPrompt = false;  // ask before accepting a name that does not exist
  bool pathMustExist = false;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Windows. createDialog builds every control from the template (captions, styles, enabled,
  // visible), calls events.created(), and returns without showing the window.
  virtual WindowHandle createDialog(const DialogTemplate& tmpl, WindowHandle owner,
                                    WindowEvents& events) = 0;
  virtual void showWindow(WindowHandle window, int showMode) = 0;
  virtual void bringToFront(WindowHandle window) = 0;
  virtual void setWindowTitle(WindowHandle window, std::string_view title) = 0;
  // Runs a nested event loop with `window` modal until endModal; returns its result.
  virtual int runModal(WindowHandle window) = 0;
  virtual void endModal(WindowHandle window, int result) = 0;
  // Destroys the window; events.destroyed() is called before it goes.
  virtual void destroyWindow(WindowHandle window) = 0;
  virtual bool isVisible(WindowHandle window) = 0;

  // Controls, addressed by id within their window.
  virtual void setText(WindowHandle window, int id, std::string_view text) = 0;
  virtual std::string text(WindowHandle window, int id) = 0;
  virtual void setEnabled(WindowHandle window, int id, bool enabled) = 0;
  virtual bool isEnabled(WindowHandle window, int id) = 0;
  virtual void setChecked(WindowHandle window, int id, bool checked) = 0;
  virtual bool isChecked(WindowHandle window, int id) = 0;
  // The caret: start and end of the selection both at `position`.
  virtual void setCaret(WindowHandle window, int id, int position) = 0;
  // The end of the current selection, a zero-based character index.
  virtual int caret(WindowHandle window, int id) = 0;
  virtual void setListItems(WindowHandle window, int id, const std::vector<std::string>& items) = 0;
  // Zero-based selected item, -1 for none.
  virtual void setListSelection(WindowHandle window, int id, int index) = 0;
  virtual int listSelection(WindowHandle window, int id) = 0;

  // Icons from the program's resources.
  virtual int smallIconSize() = 0;
  virtual IconHandle loadIcon(int resourceId, int size) = 0;
  virtual void setWindowIcon(WindowHandle window, IconHandle icon) = 0;
  virtual void setButtonImage(WindowHandle window, int id, IconHandle icon) = 0;

  // The name assistive technologies announce for a control. Without one a control is named by
  // its caption (without '&' and line breaks). A static text is announced by what it says and
  // takes this name only while it says nothing. A picture without an id of its own is
  // addressed by the resource id of its image.
  virtual void setAccessibleName(WindowHandle window, int id, std::string_view name) = 0;
  // Read after a control's name and role; empty for none. Without one, a control with a tool
  // tip is described by the tip's text.
  virtual void setAccessibleDescription(WindowHandle window, int id, std::string_view text) = 0;
  // Ties control `id` to the static text beside it that labels it: the static `labelId`, or,
  // when that is -1, the first static without an id whose caption is `labelCaption`.
  virtual void setAccessibleLabel(WindowHandle window, int id, int labelId,
                                  std::string_view labelCaption) = 0;
  // The text shown while the pointer rests on a control; empty for none. Lines end in '\n'.
  virtual void setToolTip(WindowHandle window, int id, std::string_view text) = 0;

  // System dialogs and services. Message boxes have no owner and one OK button.
  virtual void messageBox(std::string_view text, std::string_view title, MessageIcon icon) = 0;
  virtual void fileMessageBox(const FileMessage& message, std::string_view title,
                              MessageIcon icon) = 0;
  // The chosen full path, or nullopt when cancelled or failed.
  virtual std::optional<std::string> openFile(const OpenFileRequest& request) = 0;
  virtual std::optional<std::string> currentDirectory() = 0;

  // The message loop: runs until postQuit, returns its code. Dialog keys typed in a
  // modeless window are offered to the router first; modal windows always navigate.
  virtual int runMessageLoop(MessageRouter& router) = 0;
  virtual void postQuit(int code) = 0;
};

}  // namespace orbalta::platform
