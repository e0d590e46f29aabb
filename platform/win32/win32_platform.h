#pragma once
// The platform on the Windows user interface, common dialogs and kernel. Windows come from the
// program's compiled dialog resources; texts cross the boundary as UTF-16.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/program_writes.h"
#include "platform/window_table.h"

struct IAccPropServices;

namespace orbalta::platform {

class Win32Platform final : public Platform {
 public:
  explicit Win32Platform(HINSTANCE instance);
  ~Win32Platform() override;

  WindowHandle createDialog(const DialogTemplate& tmpl, WindowHandle owner,
                            WindowEvents& events) override;
  void showWindow(WindowHandle window, int showMode) override;
  void bringToFront(WindowHandle window) override;
  void setWindowTitle(WindowHandle window, std::string_view title) override;
  int runModal(WindowHandle window) override;
  void endModal(WindowHandle window, int result) override;
  void destroyWindow(WindowHandle window) override;
  bool isVisible(WindowHandle window) override;

  void setText(WindowHandle window, int id, std::string_view text) override;
  std::string text(WindowHandle window, int id) override;
  void setEnabled(WindowHandle window, int id, bool enabled) override;
  bool isEnabled(WindowHandle window, int id) override;
  void setChecked(WindowHandle window, int id, bool checked) override;
  bool isChecked(WindowHandle window, int id) override;
  void setCaret(WindowHandle window, int id, int position) override;
  int caret(WindowHandle window, int id) override;
  void setListItems(WindowHandle window, int id, const std::vector<std::string>& items) override;
  void setListSelection(WindowHandle window, int id, int index) override;
  int listSelection(WindowHandle window, int id) override;

  int smallIconSize() override;
  IconHandle loadIcon(int resourceId, int size) override;
  void setWindowIcon(WindowHandle window, IconHandle icon) override;
  void setButtonImage(WindowHandle window, int id, IconHandle icon) override;
  void setAccessibleName(WindowHandle window, int id, std::string_view name) override;
  void setAccessibleDescription(WindowHandle window, int id, std::string_view text) override;
  void setAccessibleLabel(WindowHandle window, int id, int labelId,
                          std::string_view labelCaption) override;
  void setToolTip(WindowHandle window, int id, std::string_view text) override;

  void messageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
  void fileMessageBox(const FileMessage& message, std::string_view title,
                      MessageIcon icon) override;
  std::optional<std::string> openFile(const OpenFileRequest& request) override;
  std::optional<std::string> currentDirectory() override;

  int runMessageLoop(MessageRouter& router) override;
  void postQuit(int code) override;

  // --- For the scripted user and the tests ---
  // The native window behind a handle; nullptr when unknown.
  HWND nativeWindow(WindowHandle window) const;
  // The window built from template `templateId`, 0 when none exists.
  WindowHandle windowOfTemplate(int templateId) const;
  // The handle of a native top-level window of the program, 0 when it is none.
  WindowHandle handleOf(HWND hwnd) const;
  // The tool tip as the window's tip control holds it, Windows-1252; empty for none.
  std::string toolTip(WindowHandle window, int id);
  // True while the program writes to a control: what the control reports then is not the user's.
  bool writing() const { return writes_.inProgress(); }
  // Handles a message as the running loop would have after taking it from the queue.
  void deliver(MSG& msg);

 private:
  struct Window;
  static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR handle(Window& w, UINT message, WPARAM wParam, LPARAM lParam);
  // Bitmaps and texts at the window's scale, when it is made and on a new monitor.
  static void showAtScale(Window& w);
  Window* find(WindowHandle window) const;
  HWND control(WindowHandle window, int id) const;
  bool pumpOne(MSG& msg);
  ::IAccPropServices* accessibility();
  void releaseAccessibility();
  HWND toolTips(Window& w);
  void applyPendingNames();
  void moveStrayLabels(Window& w, HWND control);

  HINSTANCE instance_;
  WindowTable<Window> windows_;
  std::vector<HICON> icons_;
  MessageRouter* router_ = nullptr;  // the program's, while its message loop runs
  int modalRuns_ = 0;                // keys are routed only when no modal loop runs
  ProgramWrites writes_;
  ::IAccPropServices* accessibility_ = nullptr;
  bool accessibilityTried_ = false;
  struct PendingText {
    HWND control;
    bool description;  // else the name
    std::wstring text;
  };
  std::vector<PendingText> pendingNames_;
  bool namerStarted_ = false;
  std::thread namer_;  // gives the first names; joined before any later use of the service
};

// Whether a window is of the system class `className` ("Edit", "ListBox"...).
bool hasClass(HWND hwnd, const wchar_t* className);

// Wide text from Windows-1252 and back, by the platforms' shared table; paths use UTF-8.
std::wstring wideFrom1252(std::string_view text);
std::string to1252(const wchar_t* text, int length);
std::wstring wideFromUtf8(std::string_view text);
std::string toUtf8(const wchar_t* text, int length);

}  // namespace orbalta::platform
