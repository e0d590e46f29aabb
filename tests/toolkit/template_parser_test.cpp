#include "toolkit/template_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "resources/resources.h"

namespace orbalta {
namespace {

using namespace platform;  // the template types and style words

std::string kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
      return "push button";
    case ControlKind::DefPushButton:
      return "default push button";
    case ControlKind::CheckBox:
      return "check box";
    case ControlKind::RadioButton:
      return "radio button";
    case ControlKind::GroupBox:
      return "group box";
    case ControlKind::Edit:
      return "edit";
    case ControlKind::ListBox:
      return "list box";
    case ControlKind::Static:
      return "static";
    case ControlKind::StaticNoWrap:
      return "static no wrap";
    case ControlKind::IconPicture:
      return "icon picture";
    case ControlKind::BitmapPicture:
      return "bitmap picture";
    case ControlKind::Unsupported:
      return "unsupported";
  }
  return "?";
}

// The style words by name, so that a failure says which word differs.
std::string styleNames(std::uint32_t styles) {
  static constexpr std::pair<std::uint32_t, const char*> kNames[] = {
      {kTabStop, "tab stop"},
      {kGroup, "group"},
      {kBorder, "border"},
      {kReadOnly, "read-only"},
      {kDigitsOnly, "digits"},
      {kAutoHScroll, "auto h-scroll"},
      {kStaticEdge, "static edge"},
      {kFlat, "flat"},
      {kHidden, "hidden"},
      {kIconImage, "icon image"},
      {kTransparent, "transparent"},
      {kNotify, "notify"},
      {kVScroll, "v-scroll"},
      {kNoIntegralHeight, "no integral height"},
      {kCenterImage, "image centred"},
      {kDisabled, "disabled"}};
  std::string out;
  for (const auto& [bit, name] : kNames) {
    if (styles & bit) out += std::string(out.empty() ? "" : ", ") + name;
  }
  return out.empty() ? "(none)" : out;
}

DialogTemplate load(int id) {
  std::string error;
  const auto dialog = parseDialogTemplate(resources::templateScript(), id, &error);
  EXPECT_TRUE(dialog) << error;
  return dialog.value_or(DialogTemplate{});
}

// ---- The four windows as the program's resources describe them ----

struct Row {
  int id;
  ControlKind kind;
  std::uint32_t styles;
  int x, y, width, height;
  std::string_view caption;
  int imageId = 0;
};

using K = ControlKind;
constexpr std::uint32_t kField = kAutoHScroll | kBorder | kTabStop;  // an ordinary edit box
constexpr std::uint32_t kExponent = kField | kDigitsOnly | kStaticEdge;
constexpr std::uint32_t kReadOnlyField = kField | kReadOnly;

const Row kMainControls[] = {
    {30001, K::PushButton, kTabStop, 376, 276, 45, 15, "IESIRE"},
    {-1, K::GroupBox, 0, 7, 4, 323, 86, "Data"},
    {-1, K::GroupBox, 0, 8, 94, 413, 174, "Orbalta"},
    {2, K::PushButton, kFlat | kTabStop, 8, 276, 40, 15, "CANCEL"},
    {1007, K::Edit, kField, 21, 25, 171, 12, ""},
    {1011, K::RadioButton, kGroup, 347, 33, 67, 10, "32      (Binary32)"},
    {1012, K::RadioButton, 0, 347, 52, 67, 10, "64      (Binary64)"},
    {1013, K::RadioButton, 0, 347, 71, 67, 10, "128    (Binary128)"},
    {1014, K::Edit, kField, 28, 244, 10, 12, ""},
    {1015, K::Edit, kExponent, 38, 244, 67, 12, ""},
    {1016, K::Edit, kField, 105, 244, 199, 12, ""},
    {1018, K::Edit, kField, 27, 212, 262, 12, ""},
    {-1, K::Static, kGroup, 29, 233, 8, 10, "1"},
    {-1, K::Static, kGroup, 68, 233, 9, 10, "15"},
    {-1, K::Static, kGroup, 176, 201, 11, 10, "64"},
    {-1, K::Static, kGroup, 273, 201, 18, 10, "(112)"},
    {-1, K::Static, kGroup, 176, 233, 10, 10, "48"},
    {1026, K::Edit, kField, 28, 124, 10, 12, ""},
    {1027, K::Edit, kExponent, 38, 124, 38, 12, ""},
    {1028, K::Edit, kField, 76, 124, 97, 12, ""},
    {-1, K::Static, kGroup, 54, 112, 8, 9, "8"},
    {1032, K::Edit, kField, 28, 166, 10, 12, ""},
    {1033, K::Edit, kExponent, 38, 166, 50, 12, ""},
    {1035, K::Edit, kField, 87, 166, 213, 12, ""},
    {-1, K::Static, kGroup, 29, 154, 8, 10, "1"},
    {-1, K::Static, kGroup, 176, 154, 10, 10, "52"},
    {-1, K::Static, kGroup, 57, 154, 8, 10, "11"},
    {-1, K::Static, kGroup, 114, 112, 10, 10, "23"},
    {-1, K::Static, kGroup, 29, 112, 8, 10, "1"},
    {1029, K::PushButton, kTabStop, 216, 129, 20, 14, "0's"},
    {1030, K::PushButton, kTabStop, 260, 129, 20, 14, "1's"},
    {1031, K::PushButton, kTabStop, 304, 129, 30, 14, "0 <--> 1"},
    {1036, K::Edit, kReadOnlyField, 200, 25, 100, 12, ""},
    {1008, K::Edit, kReadOnlyField, 21, 69, 171, 12, ""},
    {-1, K::Static, kGroup, 307, 245, 9, 10, "-->"},
    {-1, K::Static, kGroup, 16, 213, 9, 10, "-->"},
    {-1, K::Static, kGroup, 107, 14, 8, 8, "X"},
    {1040, K::Static, kGroup, 81, 56, 111, 10, "Nearest > X:  Semnif.: ultimii 16 biti"},
    {1041, K::PushButton, kIconImage | kTabStop | kTransparent, 191, 275, 44, 16, "ABOUT"},
    {1042, K::PushButton, kIconImage | kTabStop, 301, 61, 21, 20, "?"},
    {-1, K::GroupBox, 0, 336, 4, 85, 86, "Format"},
    {-1, K::Static, kGroup, 357, 17, 52, 10, "Biti      (Nume)"},
    {1019, K::Edit, kReadOnlyField, 335, 190, 17, 12, ""},
    {-1, K::Static, kGroup, 357, 188, 57, 17, "Pozitie (Modificare / Actualizare)"},
    {-1, K::Static, kGroup, 335, 164, 73, 18, "Pozitie Cursor in Camp\n(msb = 1)"},
    {1020, K::Edit, kReadOnlyField, 335, 212, 17, 12, ""},
    {-1, K::Static, kGroup, 358, 213, 49, 10, "Lungime Camp"},
    {1043, K::CheckBox, kTabStop, 21, 56, 48, 10, "X+ - Binar"},
    {-1, K::Static, kGroup, 200, 14, 128, 8, "Tip Data   (click pe un camp din format) "},
    {1044, K::ListBox, kNotify | kNoIntegralHeight | kBorder | kVScroll | kTabStop, 200, 63, 91, 18,
     ""},
    {-1, K::Static, kGroup, 200, 50, 90, 10, "Parametru  (Numere Finite)"},
    {-1, K::StaticNoWrap, kGroup, 291, 180, 10, 8, "lsb"},
    {-1, K::StaticNoWrap, kGroup, 77, 180, 10, 8, "lsb"},
    {-1, K::Static, kGroup, 38, 180, 14, 8, "msb"},
    {-1, K::Static, kGroup, 87, 180, 14, 8, "msb"},
    {1034, K::PushButton, kIconImage | kTabStop, 390, 123, 21, 20, "?"},
    {1045, K::RadioButton, kGroup, 216, 107, 65, 11, "Toate campurile"},
    {1046, K::RadioButton, kFlat, 288, 107, 119, 11, "Camp curent  (click pe un camp)"},
};

const Row kAboutControls[] = {
    {1, K::DefPushButton, kFlat | kTabStop, 137, 80, 30, 12, "OK"},
    {2, K::PushButton, kFlat | kHidden | kTabStop, 7, 80, 32, 12, "Cancel"},
    {1022, K::Static, kGroup | kStaticEdge, 7, 7, 160, 36,
     "Orbalta\n\nOrbalta, intr-un format binar"},
    {1023, K::Static, kGroup | kStaticEdge, 7, 49, 160, 21, "\nOrbalta developers, 2026"},
    {-1, K::IconPicture, kCenterImage, 79, 77, 20, 20, "", 104},
};

const Row kInfoControls[] = {
    {1, K::DefPushButton, kTabStop, 109, 145, 28, 11, "OK"},
    {2, K::PushButton, kHidden | kTabStop, 8, 145, 34, 13, "Cancel"},
    {-1, K::BitmapPicture, kCenterImage, 13, 14, 118, 53, "", 113},
    {1049, K::Static, kGroup, 38, 74, 68, 58,
     "X = 2^E x b0.b1 ... bP-1\n\nulp(X) = 2^(E+1-P)\n\nX  + ulp(X) = X+\n\nX- +ulp(X-) = X"},
    {-1, K::GroupBox, 0, 7, 3, 130, 137, "ULP,  X+, si   X-"},
};

const Row kSummaryControls[] = {
    {1, K::DefPushButton, kTabStop, 217, 300, 33, 12, "OK"},
    {2, K::PushButton, kHidden | kTabStop, 104, 300, 33, 12, "Cancel"},
    {1047, K::Static, kGroup, 22, 15, 220, 40,
     "Data representable in a floating-point format (Floating Point Data) are:\nFinite "
     "Numbers:\n1) Normal numbers (normalized)\n2) Subnormal numbers (denormalized)\n3) Signed "
     "Zero"},
    {1048, K::Static, kGroup, 22, 64, 220, 26, "Static2"},
    {1049, K::Static, kGroup, 22, 99, 220, 54, "Static-3"},
    {1050, K::Static, kGroup, 22, 160, 220, 27, "Static-4"},
    {1051, K::Static, kGroup, 22, 192, 220, 27, "Static-5"},
    {1052, K::Static, kGroup, 22, 225, 220, 39, "Static-6"},
    {1053, K::Static, kGroup, 22, 268, 220, 18, "Static-7"},
    {-1, K::GroupBox, 0, 10, 3, 240, 292, ""},
    {1041, K::PushButton, kFlat | kTabStop, 9, 299, 57, 12, "Salveaza in Fisier"},
};

struct Window {
  int id;
  std::string_view title;
  int x, y, width, height;
  bool centered, minimizeBox, appWindow;
  std::string_view face;
  int pointSize, weight;
  bool italic;
  int charset;
  std::span<const Row> controls;
};

const Window kWindows[] = {
    {101, "Orbalta (Format Binar)", 40, 40, 428, 299, false, true, true, "MS Sans Serif", 8, 400,
     false, 0, kMainControls},
    {103, "About Program", 0, 0, 174, 99, true, false, false, "Times New Roman", 11, 400, true,
     0xEE, kAboutControls},
    {109, "Info", 0, 0, 144, 158, true, false, false, "Microsoft Sans Serif", 10, 400, false, 0,
     kInfoControls},
    {111, "Date in Virgula Flotanta - Sumar", 0, 0, 260, 318, true, true, false,
     "Microsoft Sans Serif", 10, 400, false, 0, kSummaryControls},
};

TEST(WindowTemplates, WindowTitlePlacementAndFont) {
  for (const Window& w : kWindows) {
    SCOPED_TRACE("window " + std::to_string(w.id));
    const DialogTemplate d = load(w.id);
    EXPECT_EQ(d.id, w.id);
    EXPECT_EQ(d.title, w.title);
    EXPECT_EQ(d.x, w.x);
    EXPECT_EQ(d.y, w.y);
    EXPECT_EQ(d.width, w.width);
    EXPECT_EQ(d.height, w.height);
    EXPECT_EQ(d.centered, w.centered);
    EXPECT_EQ(d.minimizeBox, w.minimizeBox);
    EXPECT_EQ(d.appWindow, w.appWindow);
    EXPECT_EQ(d.font.face, w.face);
    EXPECT_EQ(d.font.pointSize, w.pointSize);
    EXPECT_EQ(d.font.weight, w.weight);
    EXPECT_EQ(d.font.italic, w.italic);
    EXPECT_EQ(d.font.charset, w.charset);
  }
}

TEST(WindowTemplates, EveryControlInTemplateOrder) {
  for (const Window& w : kWindows) {
    const DialogTemplate d = load(w.id);
    ASSERT_EQ(d.controls.size(), w.controls.size()) << "window " << w.id;
    for (std::size_t i = 0; i < w.controls.size(); ++i) {
      const Row& want = w.controls[i];
      const ControlTemplate& got = d.controls[i];
      SCOPED_TRACE("window " + std::to_string(w.id) + ", control #" + std::to_string(i + 1) +
                   " (id " + std::to_string(want.id) + ")");
      EXPECT_EQ(got.id, want.id);
      EXPECT_EQ(kindName(got.kind), kindName(want.kind));
      EXPECT_EQ(styleNames(got.styles), styleNames(want.styles));
      EXPECT_EQ(got.x, want.x);
      EXPECT_EQ(got.y, want.y);
      EXPECT_EQ(got.width, want.width);
      EXPECT_EQ(got.height, want.height);
      EXPECT_EQ(got.caption, want.caption);
      EXPECT_EQ(got.imageId, want.imageId);
    }
  }
}

std::vector<int> idsWith(const DialogTemplate& d, std::uint32_t style) {
  std::vector<int> ids;
  for (const ControlTemplate& c : d.controls) {
    if (c.styles & style) ids.push_back(c.id);
  }
  return ids;
}

TEST(WindowTemplates, MainWindowTabOrder) {
  // Tab order is template order among the tab stops; from 1007 it wraps round to 30001 and 2.
  const std::vector<int> want = {30001, 2,    1007, 1014, 1015, 1016, 1018, 1026, 1027,
                                 1028,  1032, 1033, 1035, 1029, 1030, 1031, 1036, 1008,
                                 1041,  1042, 1019, 1020, 1043, 1044, 1034};
  EXPECT_EQ(idsWith(load(101), kTabStop), want);
}

TEST(WindowTemplates, MainWindowEditRules) {
  const DialogTemplate d = load(101);
  EXPECT_EQ(idsWith(d, kDigitsOnly), (std::vector<int>{1015, 1027, 1033}));
  EXPECT_EQ(idsWith(d, kReadOnly), (std::vector<int>{1036, 1008, 1019, 1020}));
  EXPECT_EQ(idsWith(d, kHidden), std::vector<int>{});
}

// A radio group runs from a control marked group up to the next control so marked.
std::vector<std::vector<int>> radioGroups(const DialogTemplate& d) {
  std::vector<std::vector<int>> groups;
  bool open = false;
  for (const ControlTemplate& c : d.controls) {
    if (c.styles & kGroup) open = false;
    if (c.kind != ControlKind::RadioButton) continue;
    if (!open) groups.emplace_back();
    open = true;
    groups.back().push_back(c.id);
  }
  return groups;
}

TEST(WindowTemplates, MainWindowRadioGroups) {
  const DialogTemplate d = load(101);
  EXPECT_EQ(radioGroups(d), (std::vector<std::vector<int>>{{1011, 1012, 1013}, {1045, 1046}}));
  for (const ControlTemplate& c : d.controls) {
    if (c.kind == ControlKind::RadioButton) {
      EXPECT_FALSE(c.styles & kTabStop) << c.id;
    }
  }
}

TEST(WindowTemplates, EveryStaticTextStartsAGroup) {
  for (const Window& w : kWindows) {
    for (const ControlTemplate& c : load(w.id).controls) {
      if (c.kind == ControlKind::Static || c.kind == ControlKind::StaticNoWrap) {
        EXPECT_TRUE(c.styles & kGroup) << "window " << w.id << ": \"" << c.caption << "\"";
      }
    }
  }
}

TEST(WindowTemplates, OnlyTheAuxiliaryCancelButtonsAreHidden) {
  for (const Window& w : kWindows) {
    const DialogTemplate d = load(w.id);
    EXPECT_EQ(idsWith(d, kHidden), w.id == 101 ? std::vector<int>{} : std::vector<int>{2})
        << "window " << w.id;
    EXPECT_EQ(idsWith(d, kDisabled), std::vector<int>{}) << "window " << w.id;
  }
}

// ---- The reader on small scripts ----

std::string oneControl(std::string_view line) {
  return "7 DIALOGEX 0, 0, 10, 10\nBEGIN\n    " + std::string(line) + "\nEND\n";
}

struct StatementCase {
  std::string_view line;
  ControlKind kind;
  std::uint32_t styles;
  std::string_view unsupportedKind = "";
  int imageId = 0;
};

TEST(TemplateParser, StatementDefaultsAndStyleExpressions) {
  const StatementCase cases[] = {
      {R"(LTEXT "a",5,0,0,1,1)", K::Static, kGroup},
      {R"(CTEXT "a",5,0,0,1,1)", K::Static, kGroup},
      {R"(RTEXT "a",5,0,0,1,1)", K::Static, kGroup},
      {R"(LTEXT "a",5,0,0,1,1,NOT WS_GROUP | SS_LEFTNOWORDWRAP)", K::StaticNoWrap, 0},
      {"EDITTEXT 5,0,0,1,1", K::Edit, kBorder | kTabStop},
      {"EDITTEXT 5,0,0,1,1,ES_NUMBER | NOT WS_TABSTOP | NOT WS_BORDER", K::Edit, kDigitsOnly},
      {"EDITTEXT 5,0,0,1,1,NOT WS_TABSTOP | WS_TABSTOP", K::Edit, kBorder | kTabStop},
      {R"(PUSHBUTTON "a",5,0,0,1,1)", K::PushButton, kTabStop},
      {R"(PUSHBUTTON "a",5,0,0,1,1,BS_DEFPUSHBUTTON)", K::DefPushButton, kTabStop},
      {R"(DEFPUSHBUTTON "a",5,0,0,1,1)", K::DefPushButton, kTabStop},
      {R"(AUTORADIOBUTTON "a",5,0,0,1,1)", K::RadioButton, kTabStop},
      {R"(RADIOBUTTON "a",5,0,0,1,1,WS_GROUP | NOT WS_TABSTOP)", K::RadioButton, kGroup},
      {R"(AUTOCHECKBOX "a",5,0,0,1,1)", K::CheckBox, kTabStop},
      {R"(CHECKBOX "a",5,0,0,1,1)", K::CheckBox, kTabStop},
      {R"(GROUPBOX "a",5,0,0,1,1)", K::GroupBox, 0},
      {"LISTBOX 5,0,0,1,1", K::ListBox, kNotify | kBorder},
      {"ICON 104,-1,0,0", K::IconPicture, 0, "", 104},
      {R"(ICON "#110",-1,0,0,20,20,SS_CENTERIMAGE)", K::IconPicture, kCenterImage, "", 110},
      {R"(CONTROL 113,-1,"Static",SS_BITMAP,0,0,1,1)", K::BitmapPicture, 0, "", 113},
      {R"(CONTROL "a",5,"Button",BS_AUTORADIOBUTTON,0,0,1,1)", K::RadioButton, 0},
      {R"(CONTROL "a",5,BUTTON,NOT WS_VISIBLE | WS_DISABLED,0,0,1,1)", K::PushButton,
       kHidden | kDisabled},
      {R"(CONTROL "a",5,"button",(BS_ICON | BS_FLAT) & ~BS_FLAT,0,0,1,1)", K::PushButton,
       kIconImage},
      {R"(PUSHBUTTON "a",5,0,0,1,1,0,WS_EX_STATICEDGE | WS_EX_TRANSPARENT)", K::PushButton,
       kTabStop | kStaticEdge | kTransparent},
      {R"(CONTROL "a",5,"Edit",ES_READONLY | ES_AUTOHSCROLL | WS_VSCROLL,0,0,1,1)", K::Edit,
       kReadOnly | kAutoHScroll | kVScroll},
      {R"(CONTROL "a",5,"Button",BS_USERBUTTON,0,0,1,1)", K::Unsupported, 0, "BS_USERBUTTON"},
      {R"(CONTROL "a",5,"Button",BS_OWNERDRAW | WS_TABSTOP,0,0,1,1)", K::Unsupported, kTabStop,
       "BS_OWNERDRAW"},
      {R"(CONTROL "",5,"msctls_progress32",0,0,0,1,1)", K::Unsupported, 0, "<unknown>"},
      {R"(CONTROL "",5,"Static",SS_BLACKRECT,0,0,1,1)", K::Unsupported, 0, "<unknown>"},
      {"COMBOBOX 5,0,0,1,1", K::Unsupported, kTabStop, "<unknown>"},
  };
  for (const StatementCase& t : cases) {
    SCOPED_TRACE(std::string(t.line));
    std::string error;
    const auto d = parseDialogTemplate(oneControl(t.line), 7, &error);
    ASSERT_TRUE(d) << error;
    ASSERT_EQ(d->controls.size(), 1u);
    const ControlTemplate& c = d->controls[0];
    EXPECT_EQ(kindName(c.kind), kindName(t.kind));
    EXPECT_EQ(styleNames(c.styles), styleNames(t.styles));
    EXPECT_EQ(c.unsupportedKind, t.unsupportedKind);
    EXPECT_EQ(c.imageId, t.imageId);
  }
}

TEST(TemplateParser, CaptionEscapes) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {R"("say ""hi""")", "say \"hi\""},
      {R"("say \"hi\"")", "say \"hi\""},
      {R"("one\ntwo\r\n\tthree")", "one\ntwo\r\n\tthree"},
      {R"("\x41\102C")", "ABC"},
      {R"("back\\slash \q")", "back\\slash \\q"},
      {"\"caf\xE9 \x85\"", "caf\xE9 \x85"},  // Windows-1252 bytes pass through
      {R"("  two blanks, two trailing  ")", "  two blanks, two trailing  "},
      {R"(L"wide prefix")", "wide prefix"},
      {R"("")", ""},
  };
  for (const auto& [text, want] : cases) {
    SCOPED_TRACE(std::string(text));
    std::string error;
    const auto d =
        parseDialogTemplate(oneControl("LTEXT " + std::string(text) + ",5,0,0,1,1"), 7, &error);
    ASSERT_TRUE(d) << error;
    EXPECT_EQ(d->controls.at(0).caption, want);
  }
}

TEST(TemplateParser, ScriptForms) {
  const std::string script =
      "/* a header\n   comment */\n"
      "#include <windows.h>\n"
      "#define IDC_STATIC (-1)\n"
      "#define IDD_FIRST 7\n"
      "#define EDIT_STYLE ES_AUTOHSCROLL | NOT WS_BORDER\n"
      "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL\n"
      "7 ICON \"seven.ico\"\n"
      "1 24 \"app.manifest\"\n"
      "IDD_FIRST DIALOG 1, 2, 30, 40  // old form: no weight in FONT\n"
      "STYLE DS_MODALFRAME | WS_POPUP | DS_CENTER\n"
      "CAPTION \"First\"\n"
      "FONT 9, \"Tahoma\"\n"
      "begin\n"
      "  edittext 5, 1, 2, 3, 4, EDIT_STYLE\n"
      "  ltext \"x\", IDC_STATIC, 1, 2, 3, 4\n"
      "end\n"
      "#undef IDC_STATIC\n"
      "8 DIALOGEX 0, 0, 10, 10, 0\n"
      "EXSTYLE WS_EX_APPWINDOW\n"
      "FONT 8, \"MS Shell Dlg\", 0, 0, 0x1\n"
      "{\n"
      "  CONTROL \"y\", 6, \"Static\", SS_LEFT, 5 + 5, (2 - 3), 1, 1\n"
      "}\n";
  std::string error;
  const auto first = parseDialogTemplate(script, 7, &error);
  ASSERT_TRUE(first) << error;
  EXPECT_EQ(first->title, "First");
  EXPECT_EQ(first->x, 1);
  EXPECT_EQ(first->height, 40);
  EXPECT_TRUE(first->centered);
  EXPECT_FALSE(first->minimizeBox);
  EXPECT_EQ(first->font.face, "Tahoma");
  EXPECT_EQ(first->font.pointSize, 9);
  EXPECT_EQ(first->font.weight, 400);
  ASSERT_EQ(first->controls.size(), 2u);
  EXPECT_EQ(styleNames(first->controls[0].styles), styleNames(kAutoHScroll | kTabStop));
  EXPECT_EQ(first->controls[1].id, -1);

  const auto second = parseDialogTemplate(script, 8, &error);
  ASSERT_TRUE(second) << error;
  EXPECT_TRUE(second->appWindow);
  EXPECT_EQ(second->font.weight, 400);  // 0, "don't care", draws as normal
  EXPECT_EQ(second->font.charset, 1);
  ASSERT_EQ(second->controls.size(), 1u);
  EXPECT_EQ(second->controls[0].x, 10);
  EXPECT_EQ(second->controls[0].y, -1);
}

TEST(TemplateParser, FaultsAreReportedWithTheLine) {
  const std::string good = oneControl(R"(LTEXT "a",5,0,0,1,1)");
  const std::pair<std::string, std::string_view> cases[] = {
      {good, "template 9 not found"},
      {oneControl(R"(LTEXT "a,5,0,0,1,1)"), "line 3: unterminated string"},
      {oneControl(R"(LTEXT "a",5,0,0,1,1,WS_TABSTOPP)"), "line 3: unknown symbol WS_TABSTOPP"},
      {oneControl(R"(BUTTON "a",5,0,0,1,1)"), "line 3: unknown control statement BUTTON"},
      {oneControl(R"(LTEXT "a",5,0,0,1)"), "line 4: expected ',' before END"},
      {oneControl("EDITTEXT 5,0,0,1,1,0x100000000"), "line 3: number beyond 32 bits"},
      {"9 DIALOGEX 0,0,1,1\nBEGIN\n", "line 3: template without END"},
      {"9 DIALOGEX 0,0,1,1\nWIDTH 5\nBEGIN\nEND\n", "line 2: unknown dialog statement WIDTH"},
      {"#if 1\n" + good, "line 1: unsupported directive #if"},
      {"#define P(x) x\n" + good, "line 1: #define with arguments is not supported: P"},
      {"/* open\n" + good, "line 1: unterminated comment"},
      {oneControl(R"(LTEXT "a",5,0,2 * 3,1,1)"), "line 3: expected ',' before '*'"},
      {good + "\n" + good, "line 6: template 7 defined twice"},
  };
  for (const auto& [script, message] : cases) {
    SCOPED_TRACE(script);
    const int id = std::string_view(message).starts_with("template 9") ? 9 : 7;
    std::string error;
    EXPECT_FALSE(parseDialogTemplate(script, id, &error));
    EXPECT_EQ(error, message);
  }
  EXPECT_FALSE(parseDialogTemplate(good, 9));  // no error text wanted
}

}  // namespace
}  // namespace orbalta
