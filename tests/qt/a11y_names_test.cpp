// Names for assistive technologies: every control of the four windows of the running program
// has one, the captionless ones from the program's table, and the platform keeps captions and
// given names apart as captions change.

#include <QAccessible>
#include <QLabel>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "a11y_support.h"

namespace orbalta::testing {
namespace {

struct SeenControl {
  int templateId;
  int id;
  std::string caption;  // a static's text, for the statics without id
  bool picture;
  std::string name;
  std::string announced;  // what the accessibility interface reports
};

std::vector<SeenControl> seenControls(A11yProgramTest& test, std::set<int>& windows,
                                      int& exitCode) {
  std::vector<SeenControl> seen;
  exitCode = test.visitWindows([&](int templateId, QWidget* window) {
    windows.insert(templateId);
    for (QWidget* control : templateControls(window)) {
      const auto* label = qobject_cast<const QLabel*>(control);
      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
      seen.push_back({templateId, control->property("orbaltaControl").toInt(),
                      label != nullptr ? label->text().toStdString() : std::string(),
                      label != nullptr && !label->pixmap().isNull(),
                      control->accessibleName().toStdString(),
                      face != nullptr ? face->text(QAccessible::Name).toStdString() : ""});
    }
  });
  return seen;
}

class A11yNamesTest : public A11yProgramTest {};

TEST_F(A11yNamesTest, EveryControlOfEveryWindowHasAName) {
  std::set<int> windows;
  int exitCode = -1;
  const std::vector<SeenControl> seen = seenControls(*this, windows, exitCode);
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(windows, (std::set<int>{101, 103, 109, 111}));
  std::map<int, int> counts;
  for (const SeenControl& control : seen) {
    ++counts[control.templateId];
    SCOPED_TRACE("window " + std::to_string(control.templateId) + ", control " +
                 std::to_string(control.id) + " \"" + control.caption + "\"");
    EXPECT_FALSE(control.name.empty());
    EXPECT_EQ(control.announced, control.name);
  }
  // Every control of the templates was walked, hidden Cancel buttons included.
  EXPECT_EQ(counts, (std::map<int, int>{{101, 58}, {103, 5}, {109, 5}, {111, 11}}));
}

struct NameRow {
  int templateId;
  int id;               // -1: found by caption, or the picture when `caption` is empty
  const char* caption;  // of a static or frame without id
  const char* name;
};

const NameRow kNameRows[] = {
    // Captionless controls: from the program's table.
    {101, 1007, "", "X"},
    {101, 1036, "", "Tip Data"},
    {101, 1008, "", "Parametru"},
    {101, 1044, "", "Parametru  (Numere Finite)"},
    {101, 1019, "", "Pozitie (Modificare / Actualizare)"},
    {101, 1020, "", "Lungime Camp"},
    {101, 1026, "", "Binary32 semn"},
    {101, 1027, "", "Binary32 exponent"},
    {101, 1028, "", "Binary32 fractie"},
    {101, 1032, "", "Binary64 semn"},
    {101, 1033, "", "Binary64 exponent"},
    {101, 1035, "", "Binary64 fractie"},
    {101, 1014, "", "Binary128 semn"},
    {101, 1015, "", "Binary128 exponent"},
    {101, 1016, "", "Binary128 fractie, primii 48 biti"},
    {101, 1018, "", "Binary128 fractie, ultimii 64 biti"},
    // Picture buttons: the window they open, not their "?" or hidden "ABOUT".
    {101, 1034, "", "Sumar"},
    {101, 1042, "", "Info"},
    {101, 1041, "", "Despre"},
    // The parameter caption is empty at start-up.
    {101, 1040, "", "Parametru"},
    // Captions: blanks inside kept, lines joined, the trailing blank dropped.
    {101, 1030, "", "1's"},
    {101, 1011, "", "32      (Binary32)"},
    {101, 1046, "", "Camp curent  (click pe un camp)"},
    {101, 30001, "", "IESIRE"},
    {101, -1, "Pozitie Cursor in Camp\n(msb = 1)", "Pozitie Cursor in Camp (msb = 1)"},
    {101, -1, "Tip Data   (click pe un camp din format) ",
     "Tip Data   (click pe un camp din format)"},
    {103, 1022, "", "Orbalta Orbalta, intr-un format binar"},
    {103, 2, "", "Cancel"},
    {103, -1, "", "Icoana programului: -1.E3 deasupra bitilor 1101"},
    {109, -1, "", "Axa numerelor: X-, X si X+, cu intervalele ulp(X-) si ulp(X)"},
    {109, 1049, "",
     "X = 2^E * b0.b1 ... bP-1 ulp(X) = 2^(E+1-P) X  +ulp(X)  = X+ X-  +ulp(X-) = X"},
    {111, 1041, "", "Salveaza in Fisier"},
};

TEST_F(A11yNamesTest, NamesAsAnnounced) {
  std::set<int> windows;
  int exitCode = -1;
  const std::vector<SeenControl> seen = seenControls(*this, windows, exitCode);
  for (const NameRow& row : kNameRows) {
    SCOPED_TRACE("window " + std::to_string(row.templateId) + ", control " +
                 std::to_string(row.id) + " \"" + row.caption + "\"");
    const SeenControl* found = nullptr;
    for (const SeenControl& control : seen) {
      if (control.templateId != row.templateId || control.id != row.id) continue;
      const bool byCaption =
          row.id != -1 || (*row.caption != '\0' && control.caption == row.caption);
      const bool byPicture = row.id == -1 && *row.caption == '\0' && control.picture;
      if (byCaption || byPicture) found = &control;
    }
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->name, row.name);
  }
}

TEST_F(A11yNamesTest, AFrameWithoutCaptionIsNamedAfterItsWindow) {
  std::set<int> windows;
  int exitCode = -1;
  const std::vector<SeenControl> seen = seenControls(*this, windows, exitCode);
  int frames = 0;
  for (const SeenControl& control : seen) {
    if (control.templateId != 111 || control.id != -1) continue;
    ++frames;
    EXPECT_EQ(control.name, "Date in Virgula Flotanta - Sumar");
  }
  EXPECT_EQ(frames, 1);
}

// The platform's rules, on a window of its own: given names against captions.
class A11yPlatformNamesTest : public QtWindowTest {
 protected:
  void SetUp() override {
    QtWindowTest::SetUp();
    ASSERT_TRUE(DLGOPEN(101, main));
    show(main);
  }
  std::string nameOf(int id) const { return control(main, id)->accessibleName().toStdString(); }

  Dialog main{toolkit};
};

TEST_F(A11yPlatformNamesTest, GivenNamesAndCaptions) {
  struct Row {
    const char* name;
    int id;
    const char* given;    // nullptr: none given
    const char* caption;  // nullptr: caption left alone
    const char* expected;
  };
  const Row rows[] = {
      {"button caption", 30001, nullptr, "IESIRE", "IESIRE"},
      {"mnemonic marks dropped", 30001, nullptr, "&Iesire && gata", "Iesire & gata"},
      {"CR LF joined", 1043, nullptr, "X+\r\n- Binar", "X+ - Binar"},
      {"given name wins over the caption", 1030, "Fill with ones", "1's", "Fill with ones"},
      {"caption change keeps the given name", 1030, nullptr, "111", "Fill with ones"},
      {"empty name gives the caption back", 1030, "", nullptr, "111"},
      {"a static says its text", 1040, "Parameter caption", "      Nearest > X", "Nearest > X"},
      {"an empty static takes the given name", 1040, nullptr, "", "Parameter caption"},
      {"its text again", 1040, nullptr, "     Semnificand", "Semnificand"},
      {"an edit's text is no name", 1007, "X", "2.5", "X"},
      {"Windows-1252 name", 1008, "Parametru \x85", nullptr, "Parametru \xE2\x80\xA6"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.given != nullptr) qt.setAccessibleName(main.window(), row.id, row.given);
    if (row.caption != nullptr) {
      ASSERT_TRUE(DLGPUTTEXT(main, row.id, row.caption));
    }
    EXPECT_EQ(nameOf(row.id), row.expected);
  }
}

TEST_F(A11yPlatformNamesTest, UnknownControlsAreIgnored) {
  const std::string before = nameOf(1007);
  for (int id : {-1, 0, 9999, 104}) qt.setAccessibleName(main.window(), id, "nothing");
  qt.setAccessibleName(0, 1007, "nothing");
  EXPECT_EQ(nameOf(1007), before);
}

TEST_F(A11yPlatformNamesTest, APictureIsAddressedByItsImage) {
  Dialog about(toolkit);
  ASSERT_TRUE(DLGOPEN(103, about));
  ASSERT_TRUE(DLGMODELESS(about, 1));
  QLabel* picture = nullptr;
  for (QWidget* control : templateControls(widget(about))) {
    auto* label = qobject_cast<QLabel*>(control);
    if (label != nullptr && !label->pixmap().isNull()) picture = label;
  }
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(picture->accessibleName().isEmpty());
  qt.setAccessibleName(about.window(), 113, "not this picture");
  EXPECT_TRUE(picture->accessibleName().isEmpty());
  qt.setAccessibleName(about.window(), 104, "Program icon");
  EXPECT_EQ(picture->accessibleName().toStdString(), "Program icon");
  DLGRELEASE(about);
}

}  // namespace
}  // namespace orbalta::testing
