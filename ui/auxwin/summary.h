#pragma once
// The summary window (template 111): seven static texts on how the formats encode their data,
// and the save of those texts to a text file chosen by the user.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/app_state.h"
#include "platform/platform.h"
#include "textconv/fixed_text.h"

namespace orbalta {

using SummaryTexts = std::array<FixedText, kSummaryTextCount>;

// Length of the file-name text handed to the open-file dialog.
inline constexpr std::size_t kFileNameLength = 260;

// Fills `state.summaryTexts` with the window variants, each blank-padded to 180 characters.
void buildSummaryTexts(AppState& state);

// A private copy of the summary texts in which texts 5 and 6 are the file variants, whose
// columns line up in a fixed-width font. `state.summaryTexts` is left as it is.
SummaryTexts summaryFileTexts(const AppState& state);

// The whole file image: for each text, the text without its trailing blanks as one record,
// then a record holding one blank; every record ends in CR LF.
std::string summaryFileContent(const SummaryTexts& fileTexts);

// Handler of 1034 in the main window: shows the summary window without blocking. A press
// while it is already open brings it to the front.
void showSummary(AppState& state);

// Handler of 1041 in the summary window: asks for a file name, writes the file, and confirms
// with "Saved to File" or reports why the file could not be written.
void saveSummary(AppState& state);
void saveSummary(platform::Platform& platform, const AppState& state);

// Runs the open-file dialog titled `title`, starting in the current directory. On a confirmed
// name, `fileName` receives the full path and `chosen` is true; otherwise `chosen` is false.
void chooseSummaryFile(platform::Platform& platform, FixedText& fileName, bool& chosen,
                       std::string_view title);

// The request that chooseSummaryFile hands to the platform.
platform::OpenFileRequest summaryFileRequest(std::string_view fileName, std::string_view initialDir,
                                             std::string_view title);

// Fills and runs the platform's open-file dialog; the chosen path, or nullopt when the user
// cancelled or the dialog failed.
std::optional<std::string> runOpenFileDialog(platform::Platform& platform,
                                             std::string_view fileName, std::string_view initialDir,
                                             std::string_view title);

}  // namespace orbalta
