#pragma once
// The template script's vocabulary: window-system constants with their Windows values, the
// symbols a script may name, and the control statements with the defaults the resource
// compiler gives them. Shared by the lexer and the parser only.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace orbalta::templates {

// ---- Window-system constants, with their Windows values ----

inline constexpr std::uint32_t kWsVisible = 0x10000000;
inline constexpr std::uint32_t kWsChild = 0x40000000;
inline constexpr std::uint32_t kWsDisabled = 0x08000000;
inline constexpr std::uint32_t kWsBorder = 0x00800000;
inline constexpr std::uint32_t kWsVScroll = 0x00200000;
inline constexpr std::uint32_t kWsGroup = 0x00020000;
inline constexpr std::uint32_t kWsTabStop = 0x00010000;
inline constexpr std::uint32_t kWsMinimizeBox = 0x00020000;
inline constexpr std::uint32_t kWsExTransparent = 0x00000020;
inline constexpr std::uint32_t kWsExStaticEdge = 0x00020000;
inline constexpr std::uint32_t kWsExAppWindow = 0x00040000;
inline constexpr std::uint32_t kDsCenter = 0x0800;
inline constexpr std::uint32_t kBsTypeMask = 0x0F;
inline constexpr std::uint32_t kBsIcon = 0x0040;
inline constexpr std::uint32_t kBsFlat = 0x8000;
inline constexpr std::uint32_t kSsTypeMask = 0x1F;
inline constexpr std::uint32_t kSsCenterImage = 0x0200;
inline constexpr std::uint32_t kEsAutoHScroll = 0x0080;
inline constexpr std::uint32_t kEsReadOnly = 0x0800;
inline constexpr std::uint32_t kEsNumber = 0x2000;
inline constexpr std::uint32_t kLbsNotify = 0x0001;
inline constexpr std::uint32_t kLbsNoIntegralHeight = 0x0100;

// clang-format off
inline constexpr std::pair<std::string_view, std::uint32_t> kSymbols[] = {
    {"WS_OVERLAPPED", 0x00000000}, {"WS_POPUP", 0x80000000}, {"WS_CHILD", kWsChild},
    {"WS_MINIMIZE", 0x20000000}, {"WS_VISIBLE", kWsVisible}, {"WS_DISABLED", kWsDisabled},
    {"WS_CLIPSIBLINGS", 0x04000000}, {"WS_CLIPCHILDREN", 0x02000000}, {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000}, {"WS_BORDER", kWsBorder}, {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", kWsVScroll}, {"WS_HSCROLL", 0x00100000}, {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000}, {"WS_SIZEBOX", 0x00040000}, {"WS_GROUP", kWsGroup},
    {"WS_TABSTOP", kWsTabStop}, {"WS_MINIMIZEBOX", kWsMinimizeBox}, {"WS_MAXIMIZEBOX", 0x00010000},
    {"WS_OVERLAPPEDWINDOW", 0x00CF0000}, {"WS_POPUPWINDOW", 0x80880000},

    {"WS_EX_DLGMODALFRAME", 0x00000001}, {"WS_EX_NOPARENTNOTIFY", 0x00000004},
    {"WS_EX_TOPMOST", 0x00000008}, {"WS_EX_ACCEPTFILES", 0x00000010},
    {"WS_EX_TRANSPARENT", kWsExTransparent}, {"WS_EX_TOOLWINDOW", 0x00000080},
    {"WS_EX_WINDOWEDGE", 0x00000100}, {"WS_EX_CLIENTEDGE", 0x00000200},
    {"WS_EX_CONTEXTHELP", 0x00000400}, {"WS_EX_RIGHT", 0x00001000},
    {"WS_EX_CONTROLPARENT", 0x00010000}, {"WS_EX_STATICEDGE", kWsExStaticEdge},
    {"WS_EX_APPWINDOW", kWsExAppWindow},

    {"DS_ABSALIGN", 0x0001}, {"DS_SYSMODAL", 0x0002}, {"DS_3DLOOK", 0x0004},
    {"DS_FIXEDSYS", 0x0008}, {"DS_NOFAILCREATE", 0x0010}, {"DS_LOCALEDIT", 0x0020},
    {"DS_SETFONT", 0x0040}, {"DS_MODALFRAME", 0x0080}, {"DS_NOIDLEMSG", 0x0100},
    {"DS_SETFOREGROUND", 0x0200}, {"DS_CONTROL", 0x0400}, {"DS_CENTER", kDsCenter},
    {"DS_CENTERMOUSE", 0x1000}, {"DS_CONTEXTHELP", 0x2000}, {"DS_SHELLFONT", 0x0048},

    {"BS_PUSHBUTTON", 0x0}, {"BS_DEFPUSHBUTTON", 0x1}, {"BS_CHECKBOX", 0x2},
    {"BS_AUTOCHECKBOX", 0x3}, {"BS_RADIOBUTTON", 0x4}, {"BS_3STATE", 0x5}, {"BS_AUTO3STATE", 0x6},
    {"BS_GROUPBOX", 0x7}, {"BS_USERBUTTON", 0x8}, {"BS_AUTORADIOBUTTON", 0x9}, {"BS_PUSHBOX", 0xA},
    {"BS_OWNERDRAW", 0xB}, {"BS_LEFTTEXT", 0x20}, {"BS_TEXT", 0x0}, {"BS_ICON", kBsIcon},
    {"BS_BITMAP", 0x80}, {"BS_LEFT", 0x100}, {"BS_RIGHT", 0x200}, {"BS_CENTER", 0x300},
    {"BS_TOP", 0x400}, {"BS_BOTTOM", 0x800}, {"BS_VCENTER", 0xC00}, {"BS_PUSHLIKE", 0x1000},
    {"BS_MULTILINE", 0x2000}, {"BS_NOTIFY", 0x4000}, {"BS_FLAT", kBsFlat},

    {"SS_LEFT", 0x0}, {"SS_CENTER", 0x1}, {"SS_RIGHT", 0x2}, {"SS_ICON", 0x3},
    {"SS_BLACKRECT", 0x4}, {"SS_GRAYRECT", 0x5}, {"SS_WHITERECT", 0x6}, {"SS_BLACKFRAME", 0x7},
    {"SS_GRAYFRAME", 0x8}, {"SS_WHITEFRAME", 0x9}, {"SS_USERITEM", 0xA}, {"SS_SIMPLE", 0xB},
    {"SS_LEFTNOWORDWRAP", 0xC}, {"SS_OWNERDRAW", 0xD}, {"SS_BITMAP", 0xE}, {"SS_ENHMETAFILE", 0xF},
    {"SS_ETCHEDHORZ", 0x10}, {"SS_ETCHEDVERT", 0x11}, {"SS_ETCHEDFRAME", 0x12},
    {"SS_NOPREFIX", 0x80}, {"SS_NOTIFY", 0x100}, {"SS_CENTERIMAGE", kSsCenterImage},
    {"SS_RIGHTJUST", 0x400}, {"SS_REALSIZEIMAGE", 0x800}, {"SS_SUNKEN", 0x1000},
    {"SS_ENDELLIPSIS", 0x4000}, {"SS_PATHELLIPSIS", 0x8000}, {"SS_WORDELLIPSIS", 0xC000},

    {"ES_LEFT", 0x0}, {"ES_CENTER", 0x1}, {"ES_RIGHT", 0x2}, {"ES_MULTILINE", 0x4},
    {"ES_UPPERCASE", 0x8}, {"ES_LOWERCASE", 0x10}, {"ES_PASSWORD", 0x20}, {"ES_AUTOVSCROLL", 0x40},
    {"ES_AUTOHSCROLL", kEsAutoHScroll}, {"ES_NOHIDESEL", 0x100}, {"ES_OEMCONVERT", 0x400},
    {"ES_READONLY", kEsReadOnly}, {"ES_WANTRETURN", 0x1000}, {"ES_NUMBER", kEsNumber},

    {"LBS_NOTIFY", kLbsNotify}, {"LBS_SORT", 0x2}, {"LBS_NOREDRAW", 0x4}, {"LBS_MULTIPLESEL", 0x8},
    {"LBS_OWNERDRAWFIXED", 0x10}, {"LBS_OWNERDRAWVARIABLE", 0x20}, {"LBS_HASSTRINGS", 0x40},
    {"LBS_USETABSTOPS", 0x80}, {"LBS_NOINTEGRALHEIGHT", kLbsNoIntegralHeight},
    {"LBS_MULTICOLUMN", 0x200}, {"LBS_WANTKEYBOARDINPUT", 0x400}, {"LBS_EXTENDEDSEL", 0x800},
    {"LBS_DISABLENOSCROLL", 0x1000}, {"LBS_NODATA", 0x2000}, {"LBS_NOSEL", 0x4000},
    {"LBS_STANDARD", 0x00A00003},

    {"CBS_SIMPLE", 0x1}, {"CBS_DROPDOWN", 0x2}, {"CBS_DROPDOWNLIST", 0x3},
    {"CBS_AUTOHSCROLL", 0x40}, {"CBS_SORT", 0x100}, {"CBS_HASSTRINGS", 0x200}, {"SBS_HORZ", 0x0},
    {"SBS_VERT", 0x1},

    {"IDOK", 1}, {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4}, {"IDIGNORE", 5}, {"IDYES", 6},
    {"IDNO", 7},

    {"FW_DONTCARE", 0}, {"FW_NORMAL", 400}, {"FW_BOLD", 700}, {"ANSI_CHARSET", 0},
    {"DEFAULT_CHARSET", 1}, {"EASTEUROPE_CHARSET", 238}, {"LANG_NEUTRAL", 0},
    {"SUBLANG_NEUTRAL", 0}, {"SUBLANG_DEFAULT", 1}, {"LANG_ENGLISH", 9}, {"SUBLANG_ENGLISH_US", 1},
    {"LANG_ROMANIAN", 0x18}, {"SUBLANG_ROMANIAN_ROMANIA", 1},
};
// clang-format on

// Control statements other than CONTROL: their window class, the styles the resource compiler
// gives them (on top of WS_CHILD | WS_VISIBLE; a style written in the statement is added to
// these, NOT takes away) and whether a text comes before the id.
struct Statement {
  std::string_view keyword;
  std::string_view windowClass;
  std::uint32_t defaultStyle;
  bool hasText;
};

inline constexpr Statement kStatements[] = {
    {"LTEXT", "Static", 0x0 | kWsGroup, true},
    {"CTEXT", "Static", 0x1 | kWsGroup, true},
    {"RTEXT", "Static", 0x2 | kWsGroup, true},
    {"ICON", "Static", 0x3, true},
    {"EDITTEXT", "Edit", kWsBorder | kWsTabStop, false},
    {"LISTBOX", "ListBox", kLbsNotify | kWsBorder, false},
    {"COMBOBOX", "ComboBox", 0x1 | kWsTabStop, false},
    {"SCROLLBAR", "ScrollBar", 0x0, false},
    {"PUSHBUTTON", "Button", 0x0 | kWsTabStop, true},
    {"DEFPUSHBUTTON", "Button", 0x1 | kWsTabStop, true},
    {"CHECKBOX", "Button", 0x2 | kWsTabStop, true},
    {"AUTOCHECKBOX", "Button", 0x3 | kWsTabStop, true},
    {"RADIOBUTTON", "Button", 0x4 | kWsTabStop, true},
    {"STATE3", "Button", 0x5 | kWsTabStop, true},
    {"AUTO3STATE", "Button", 0x6 | kWsTabStop, true},
    {"GROUPBOX", "Button", 0x7, true},
    {"AUTORADIOBUTTON", "Button", 0x9 | kWsTabStop, true},
    {"PUSHBOX", "Button", 0xA | kWsTabStop, true},
};

inline bool sameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

// Thrown inside the lexer and parser only; parseDialogTemplate turns it into its result.
struct SyntaxError {
  int line;
  std::string message;
};

}  // namespace orbalta::templates
