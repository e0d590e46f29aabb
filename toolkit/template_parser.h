#pragma once
// Reads one dialog template out of a resource script (the DIALOGEX or DIALOG statement with a
// given numeric id), the way a Windows resource compiler would build it: every control statement
// gets that compiler's default styles, so group, tab stop and visibility come out as they would
// in a Windows build of the same script.
//
// What is taken: the control statements (CONTROL, LTEXT, CTEXT, RTEXT, EDITTEXT, LISTBOX,
// COMBOBOX, SCROLLBAR, ICON, GROUPBOX and the button statements), style expressions with |, &,
// +, -, ~, NOT and parentheses over the window-system constants, quoted texts with the escapes
// \n \r \t \a \\ \" \xHH \ooo and "" for a quote, // and /* */ comments, #define of plain values
// (no arguments), #undef; #include and #pragma lines are passed over. Other directives and
// anything else unexpected inside a template are errors; the whole script is read, so a fault
// in any template fails every lookup, as it would fail a Windows build. Texts stay Windows-1252
// bytes.

#include <optional>
#include <string>
#include <string_view>

#include "platform/dialog_template.h"

namespace orbalta {

// The template `templateId`, or nullopt when the script has none or cannot be read; then
// *error (when given) says why, with the line. Controls of kinds that the toolkit cannot build
// come back as ControlKind::Unsupported with their name, for the caller to report.
std::optional<platform::DialogTemplate> parseDialogTemplate(std::string_view script, int templateId,
                                                            std::string* error = nullptr);

}  // namespace orbalta
