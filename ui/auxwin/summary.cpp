#include "ui/auxwin/summary.h"

#include <initializer_list>
#include <string>

#include "fileio/file_writer.h"
#include "model/ids.h"
#include "textconv/layouts.h"
#include "toolkit/dialog.h"

namespace orbalta {

namespace {

// Runs of blanks are spelled out as counts: the columns of the texts depend on them.
std::string blanks(std::size_t count) {
  return std::string(count, ' ');
}

std::string joinLines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (&line != lines.begin()) text += "\r\n";
    text += line;
  }
  return text;
}

// The ellipsis is the single Windows-1252 byte 0x85.
const std::string kEllipsis = "\x85";

std::string summaryText(int k) {
  switch (k) {
    case 1:
      return joinLines({"Datele reprezentabile intr-un format in virgula flotanta (Date FP), sunt:",
                        "- Numere Finite:", "1) Numere normale (normalizate)",
                        "2) Numere subnormale (denormalizate)", "3) Zero cu semn"});
    case 2:
      return joinLines({"- Alte Date:", "4) Infinit cu semn", "5) Non-Numere (Not-a-Number)"});
    case 3:
      return joinLines(
          {"Datele 1, 2, si 3, se reprezinta printr-o tripleta:" + blanks(2) + "(S, E, sig)",
           "S = bitul de semn;", "E = exponentul (reprezentarii) ;", "sig = semnificand", "",
           "Valoare = (-1)^S * 2^E * sig"});
    case 4:
      return joinLines({"Codificare exponent \"E\":",
                        "- Datele 2 and 3:" + blanks(2) + "Camp exponent = 00 ... 0",
                        "- Datele 4 and 5:" + blanks(2) + "Camp exponent = 11 ... 1"});
    case 5:
      return joinLines({"- Numere normale:" + blanks(10) + "E = Exponent_stocat - deplasare",
                        "- Numere subnormale:" + blanks(2) + "E = Emin",
                        "- Zero cu semn:" + blanks(16) + "E = Emin"});
    case 6:
      return joinLines({"Codificare semnificand \"sig\":",
                        "- Numere normale:" + blanks(11) + "sig = 1.b1b2 " + kEllipsis + " bP-1",
                        "- Numere subnormale:" + blanks(4) + "sig = 0.b1b2 " + kEllipsis + " bP-1",
                        "- Zero cu semn:" + blanks(17) + "sig = 0.0"});
    case 7:
      return joinLines(
          {"- Infinit cu semn:" + blanks(2) + "Camp semnificand" + blanks(2) + "= 00 ... 0",
           "- Not-a-Number:" + blanks(5) + "Camp semnificand diferit de: 00 ... 0"});
    default:
      return {};
  }
}

// Texts 5 and 6 for the file: "E" and "sig" start in column 24 on every line.
std::string fileText5() {
  return joinLines({"- Numere normale:" + blanks(6) + "E = Exponent_stocat - deplasare",
                    "- Numere subnormale:" + blanks(3) + "E = Emin",
                    "- Zero cu semn:" + blanks(8) + "E = Emin"});
}

std::string fileText6() {
  return joinLines({"Codificare semnificand \"sig\":",
                    "- Numere normale:" + blanks(6) + "sig = 1.b1b2 " + kEllipsis + " bP-1",
                    "- Numere subnormale:" + blanks(3) + "sig = 0.b1b2 " + kEllipsis + " bP-1",
                    "- Zero cu semn:" + blanks(8) + "sig = 0.0"});
}

}  // namespace

void buildSummaryTexts(AppState& state) {
  for (int k = 1; k <= kSummaryTextCount; ++k) {
    state.summaryTexts[static_cast<std::size_t>(k - 1)].assign(summaryText(k));
  }
}

SummaryTexts summaryFileTexts(const AppState& state) {
  SummaryTexts texts = state.summaryTexts;
  texts[4].assign(fileText5());
  texts[5].assign(fileText6());
  return texts;
}

std::string summaryFileContent(const SummaryTexts& fileTexts) {
  std::string content;
  for (const FixedText& text : fileTexts) {
    content += FileLineLayout::write(text.trimmed());
    content += "\r\n";
    content += FileLineLayout::write(" ");
    content += "\r\n";
  }
  return content;
}

void showSummary(AppState& state) {
  // A second press while the window is open only brings it to the front.
  DLGMODELESS(*state.summaryDialog, 1);
}

void saveSummary(AppState& state) {
  saveSummary(state.summaryDialog->toolkit().platform(), state);
}

void saveSummary(platform::Platform& platform, const AppState& state) {
  // One blank ended by a NUL: the dialog's name box starts with a single blank.
  FixedText fileName(kFileNameLength, std::string_view(" \0", 2));
  bool chosen = false;
  chooseSummaryFile(platform, fileName, chosen, "Saved Topic");
  if (!chosen) return;

  const std::string path(fileName.trimmed());
  const SaveResult result = writeFileReplacing(path, summaryFileContent(summaryFileTexts(state)));
  if (!result.ok) {
    platform.fileMessageBox({"Could not save to ", path, ": " + result.errorText}, "Error",
                            platform::MessageIcon::Error);
    return;
  }
  platform.fileMessageBox({"", path, ""}, "Saved to File", platform::MessageIcon::Information);
}

void chooseSummaryFile(platform::Platform& platform, FixedText& fileName, bool& chosen,
                       std::string_view title) {
  chosen = false;
  std::string initialDir;
  if (const auto current = platform.currentDirectory();
      current && !current->empty() && current->size() < kFileNameLength) {
    initialDir = *current;
  }
  // The name box shows the text up to its first NUL.
  const std::size_t end = fileName.view().find('\0');
  const std::string_view shown =
      end == std::string_view::npos ? fileName.trimmed() : fileName.view().substr(0, end);
  const auto path = runOpenFileDialog(platform, shown, initialDir, title);
  if (!path || path->empty()) return;

  // The text holds 260 characters and loses trailing blanks: a path it cannot carry exactly
  // would name another file.
  const char* reason = path->size() > kFileNameLength ? "File name too long"
                       : path->back() == ' '          ? "File name ends in a blank"
                                                      : nullptr;
  if (reason) {
    platform.fileMessageBox({"Could not save to ", *path, std::string(": ") + reason}, "Error",
                            platform::MessageIcon::Error);
    return;
  }
  fileName.assign(*path);
  chosen = true;
}

platform::OpenFileRequest summaryFileRequest(std::string_view fileName, std::string_view initialDir,
                                             std::string_view title) {
  platform::OpenFileRequest request;
  request.title = title;
  request.filters = {
      {"Text Files (*.txt)", "*.txt"}, {"Data Files (*.dat)", "*.dat"}, {"All files (*.*)", "*.*"}};
  request.filterIndex = 1;
  request.initialDir = initialDir;
  request.fileName = fileName;
  request.defaultExt = "txt";
  request.createPrompt = true;
  request.pathMustExist = true;
  return request;
}

std::optional<std::string> runOpenFileDialog(platform::Platform& platform,
                                             std::string_view fileName, std::string_view initialDir,
                                             std::string_view title) {
  return platform.openFile(summaryFileRequest(fileName, initialDir, title));
}

}  // namespace orbalta
