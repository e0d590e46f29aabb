// No caption is clipped: in every window of the running program, at the scale the process
// runs at and, through child processes, at 1.5 and 2 times. The fonts and the dialog units
// must grow together for the captions to keep fitting their template rectangles.

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "a11y_support.h"
#include "platform/qt/dialog_window.h"

namespace orbalta::testing {
namespace {

constexpr const char* kChildVariable = "ORBALTA_CAPTION_SCALE_CHILD";

std::string sizeText(const QSize& size) {
  return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

// The room a button's style leaves for its caption.
QRect buttonRoom(const QAbstractButton* button) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  QStyle::SubElement element = QStyle::SE_PushButtonContents;
  if (qobject_cast<const QRadioButton*>(button) != nullptr)
    element = QStyle::SE_RadioButtonContents;
  if (qobject_cast<const QCheckBox*>(button) != nullptr) element = QStyle::SE_CheckBoxContents;
  if (const auto* push = qobject_cast<const QPushButton*>(button); push && push->isDefault()) {
    option.features |= QStyleOptionButton::DefaultButton;
  }
  return button->style()->subElementRect(element, &option, button);
}

// What a caption needs, laid out as its control lays it out, against what the control has.
struct Fit {
  QSize needed;
  QSize room;
  bool fits() const { return needed.width() <= room.width() && needed.height() <= room.height(); }
};

std::optional<Fit> captionFit(const QWidget* control) {
  const QFontMetrics metrics(control->font());
  if (const auto* label = qobject_cast<const QLabel*>(control)) {
    if (label->text().isEmpty() || !label->pixmap().isNull()) return std::nullopt;
    const QRect room = label->contentsRect();
    const int flags =
        Qt::AlignLeft | Qt::AlignTop | (label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine);
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, room.width(), INT_MAX / 4), flags, label->text());
    return Fit{needed.size(), room.size()};
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
    if (button->text().isEmpty()) return std::nullopt;  // shows an image
    const QRect needed = metrics.boundingRect(QRect(0, 0, INT_MAX / 4, INT_MAX / 4),
                                              Qt::TextShowMnemonic, button->text());
    QSize room = buttonRoom(button).size();
    return Fit{needed.size(), room};
  }
  if (const auto* frame = dynamic_cast<const platform::qt::GroupFrame*>(control)) {
    if (frame->caption().isEmpty()) return std::nullopt;
    // The frame writes its caption from one average character in, with a pixel either side.
    const int room = frame->width() - metrics.averageCharWidth() - 2;
    return Fit{QSize(metrics.horizontalAdvance(frame->caption()) + 2, metrics.height()),
               QSize(room, frame->height())};
  }
  return std::nullopt;
}

// `only`: the id of the one control to look at; 0 for all.
std::vector<std::string> clippedCaptions(int templateId, QWidget* window, int only = 0) {
  std::vector<std::string> clipped;
  for (QWidget* control : templateControls(window)) {
    if (!control->isVisibleTo(window)) continue;
    if (only != 0 && control->property("orbaltaControl").toInt() != only) continue;
    const std::optional<Fit> fit = captionFit(control);
    if (!fit || fit->fits()) continue;
    clipped.push_back("window " + std::to_string(templateId) + ", " + describe(control) +
                      ": needs " + sizeText(fit->needed) + ", has " + sizeText(fit->room));
  }
  return clipped;
}

// The longest captions the program writes into 1040 at run time.
const char* const kParameterCaptions[] = {
    "Exponentul Reprezentarii  (Emin)",
    "Exponentul Reprezentarii  (Emax)",
    "      Nearest > X  (S_Exp_Sig)",
    "      Nearest < X  (S_Exp_Sig)",
    "Nearest > X; Semnificand: ultimii 16 biti",
    "Nearest < X, Semnificand: ultimii 16 biti",
    "     Semnificand",
    "        ULP(X)",
};

class A11yCaptionsTest : public A11yProgramTest {};

TEST_F(A11yCaptionsTest, NoCaptionIsClippedAtThisScale) {
  const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
  std::vector<std::string> clipped;
  int windows = 0;
  const int exitCode = visitWindows([&](int templateId, QWidget* window) {
    ++windows;
    if (!factor.isEmpty()) {
      EXPECT_DOUBLE_EQ(window->devicePixelRatioF(), factor.toDouble());
    }
    for (const std::string& line : clippedCaptions(templateId, window)) clipped.push_back(line);
    if (templateId != 101) return;
    const platform::WindowHandle main = qt.windowOfTemplate(101);
    for (const char* caption : kParameterCaptions) {
      qt.setText(main, 1040, caption);
      for (const std::string& line : clippedCaptions(templateId, window, 1040)) {
        clipped.push_back(line + " with \"" + caption + "\"");
      }
    }
    qt.setText(main, 1040, "");
  });
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(windows, 4);
  for (const std::string& line : clipped) ADD_FAILURE() << "clipped: " << line;
}

TEST_F(A11yCaptionsTest, NoCaptionIsClippedWhenScaledUp) {
  if (qEnvironmentVariableIsSet(kChildVariable)) GTEST_SKIP() << "already a scaled run";
  for (const char* factor : {"1.5", "2"}) {
    SCOPED_TRACE(std::string("QT_SCALE_FACTOR=") + factor);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_SCALE_FACTOR", factor);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert(kChildVariable, "1");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=A11yCaptionsTest.NoCaptionIsClippedAtThisScale"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
  }
}

}  // namespace
}  // namespace orbalta::testing
