// The main window's handlers as start-up wires them, on the in-memory platform: what the user
// sees after typing X, choosing a format, editing a bit field, and the fill and toggle buttons.

#include <gtest/gtest.h>

#include <string>

#include "model/ids.h"
#include "platform/fake/fake_platform.h"
#include "resources/resources.h"
#include "toolkit/dialog.h"
#include "ui/main/startup.h"

namespace orbalta {
namespace {

using testing::FakePlatform;

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : toolkit(fake, resources::templateScript()), main(toolkit), summary(toolkit) {
    EXPECT_TRUE(DLGOPEN(id::kMainWindow, main));
    EXPECT_TRUE(DLGOPEN(id::kSummaryWindow, summary));
    state.mainDialog = &main;
    state.summaryDialog = &summary;
    attachHandlers(state, main, summary);
    setInitialControls(state, main);
    EXPECT_TRUE(DLGMODELESS(main, 1));
    window = fake.windowOf(id::kMainWindow);
  }

  std::string shown(int control) { return fake.control(window, control).text; }
  bool enabled(int control) { return fake.control(window, control).enabled; }
  // Sign, exponent and fraction edits of the format, joined by '|'.
  std::string fields(int sign, int exponent, int fraction) {
    return shown(sign) + "|" + shown(exponent) + "|" + shown(fraction);
  }

  FakePlatform fake;
  Toolkit toolkit;
  Dialog main;
  Dialog summary;
  AppState state;
  platform::WindowHandle window = 0;
};

TEST_F(MainWindowTest, TypedDecimalsShowTheirBitsInTheSelectedFormat) {
  struct Row {
    int radio;  // 0: binary32, selected at start-up
    const char* x;
    std::string bits;
  };
  const Row rows[] = {
      {0, "1.5", "0|01111111|" + std::string("1") + std::string(22, '0')},
      {0, "-0.1", "1|01111011|10011001100110011001101"},
      {0, "1e-45", "0|00000000|" + std::string(22, '0') + "1"},
      {id::kRadio64, "-2.0", "1|10000000000|" + std::string(52, '0')},
      {id::kRadio64, "inf", "0|11111111111|" + std::string(52, '0')},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.x);
    if (row.radio != 0) fake.click(window, row.radio);
    fake.replaceText(window, id::kXEdit, row.x);
    if (row.radio == id::kRadio64) {
      EXPECT_EQ(fields(id::kSign64, id::kExponent64, id::kFraction64), row.bits);
    } else {
      EXPECT_EQ(fields(id::kSign32, id::kExponent32, id::kFraction32), row.bits);
    }
  }
}

// Fewer than three characters are still being typed: the fields stay as they were.
TEST_F(MainWindowTest, XIsReadFromItsThirdCharacterOn) {
  const std::string before = fields(id::kSign32, id::kExponent32, id::kFraction32);
  fake.replaceText(window, id::kXEdit, "-2");
  EXPECT_EQ(fields(id::kSign32, id::kExponent32, id::kFraction32), before);
  fake.replaceText(window, id::kXEdit, "-2.");
  EXPECT_EQ(fields(id::kSign32, id::kExponent32, id::kFraction32),
            "1|10000000|" + std::string(23, '0'));
}

TEST_F(MainWindowTest, AFormatRadioEnablesOnlyItsFieldsAndStartsFromZero) {
  fake.replaceText(window, id::kXEdit, "3.25");
  fake.click(window, id::kRadio128);
  EXPECT_EQ(shown(id::kXEdit), "0");
  EXPECT_EQ(shown(id::kSign128), "0");
  EXPECT_EQ(shown(id::kExponent128), std::string(15, '0'));
  EXPECT_EQ(shown(id::kFractionHigh128), std::string(48, '0'));
  EXPECT_EQ(shown(id::kFractionLow128), std::string(64, '0'));
  for (const int edit :
       {id::kSign128, id::kExponent128, id::kFractionHigh128, id::kFractionLow128}) {
    EXPECT_TRUE(enabled(edit)) << edit;
  }
  for (const int edit : {id::kSign32, id::kExponent32, id::kFraction32, id::kSign64,
                         id::kExponent64, id::kFraction64}) {
    EXPECT_FALSE(enabled(edit)) << edit;
  }
}

TEST_F(MainWindowTest, AnEditedBitFieldRewritesX) {
  fake.replaceText(window, id::kExponent32, "10000000");
  EXPECT_EQ(shown(id::kXEdit), "+2.0000000E+00");
  fake.replaceText(window, id::kSign32, "1");
  EXPECT_EQ(shown(id::kXEdit), "-2.0000000E+00");
  EXPECT_TRUE(fake.messageBoxes.empty());
}

TEST_F(MainWindowTest, AStrayCharacterInABitFieldIsReplacedAndReported) {
  fake.replaceText(window, id::kExponent32, "0111x111");
  EXPECT_EQ(shown(id::kExponent32), "01111111");
  ASSERT_EQ(fake.messageBoxes.size(), 1u);
  EXPECT_EQ(fake.messageBoxes[0].title, "Eroare");
  EXPECT_EQ(shown(id::kXEdit), "+1.0000000E+00");
}

TEST_F(MainWindowTest, FillAndToggleWorkOnAllFieldsWhenAllAreInScope) {
  fake.replaceText(window, id::kXEdit, "1.5");
  fake.click(window, id::kFillOnes);
  EXPECT_EQ(fields(id::kSign32, id::kExponent32, id::kFraction32),
            "1|11111111|" + std::string(23, '1'));
  EXPECT_EQ(shown(id::kXEdit), "0");
  fake.click(window, id::kToggle);
  EXPECT_EQ(fields(id::kSign32, id::kExponent32, id::kFraction32),
            "0|00000000|" + std::string(23, '0'));
  fake.click(window, id::kFillZeros);
  EXPECT_EQ(fields(id::kSign32, id::kExponent32, id::kFraction32),
            "0|00000000|" + std::string(23, '0'));
}

}  // namespace
}  // namespace orbalta
