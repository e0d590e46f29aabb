#pragma once
// A window template as parsed from the resource script: what the platform needs to build the
// window and what the toolkit needs to build its mirror. Positions and sizes are dialog units.

#include <cstdint>
#include <string>
#include <vector>

namespace orbalta::platform {

enum class ControlKind {
  PushButton,
  DefPushButton,
  CheckBox,     // auto check box
  RadioButton,  // auto radio button
  GroupBox,
  Edit,
  ListBox,
  Static,         // static text (left aligned, word wrap)
  StaticNoWrap,   // static text without word wrap
  IconPicture,    // static showing an icon resource
  BitmapPicture,  // static showing a bitmap resource
  Unsupported,    // a kind the toolkit cannot build (reported at DLGOPEN)
};

// Control style words of the templates, as bit flags.
enum ControlStyle : std::uint32_t {
  kTabStop = 1u << 0,
  kGroup = 1u << 1,
  kBorder = 1u << 2,
  kReadOnly = 1u << 3,
  kDigitsOnly = 1u << 4,
  kAutoHScroll = 1u << 5,
  kStaticEdge = 1u << 6,
  kFlat = 1u << 7,
  kHidden = 1u << 8,
  kIconImage = 1u << 9,
  kTransparent = 1u << 10,
  kNotify = 1u << 11,
  kVScroll = 1u << 12,
  kNoIntegralHeight = 1u << 13,
  kCenterImage = 1u << 14,
  kDisabled = 1u << 15,
};

struct ControlTemplate {
  int id = -1;  // -1: no id of its own
  ControlKind kind = ControlKind::Static;
  std::uint32_t styles = 0;  // ControlStyle bits
  int x = 0, y = 0, width = 0, height = 0;
  std::string caption;          // Windows-1252; "\n" already turned into a line break
  int imageId = 0;              // icon or bitmap resource of a picture control
  std::string unsupportedKind;  // for Unsupported: "BS_USERBUTTON", "BS_OWNERDRAW", "<unknown>"
};

struct FontSpec {
  std::string face;
  int pointSize = 8;
  int weight = 400;
  bool italic = false;
  int charset = 0;
};

struct DialogTemplate {
  int id = 0;
  std::string title;
  int x = 0, y = 0, width = 0, height = 0;
  bool centered = false;     // DS_CENTER
  bool minimizeBox = false;  // WS_MINIMIZEBOX
  bool appWindow = false;    // WS_EX_APPWINDOW: own task-bar button
  FontSpec font;
  std::vector<ControlTemplate> controls;  // template order = tab order
};

}  // namespace orbalta::platform
