// User actions on the real main window, offscreen: the program runs in this process and, once
// its message loop has started, every action is one synchronous key or mouse event on the real
// widget followed by processEvents(), so what the action pushes and repaints is in its time.
// Set-up steps (selecting, scrolling, choosing a format) are not timed.
//
// orbalta_action_bench [SAMPLES]   (at least 200 per kind; default 200)

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "platform/qt/qt_platform.h"
#include "tools/replay/platform_tap.h"
#include "ui/main/startup.h"

namespace {

using orbalta::platform::QtPlatform;
using orbalta::platform::WindowHandle;

constexpr int kMainTemplate = 101;
constexpr int kXEdit = 1007;
constexpr int kParamList = 1044;
constexpr int kFillZeros = 1029;
constexpr int kFillOnes = 1030;
constexpr int kExitButton = 30001;
// A few rounds of every action before the timed ones: first-use costs (glyph caches, lazily
// built style data) are start-up, not the action.
constexpr int kWarmUp = 5;

struct Format {
  const char* name;
  int radio;
  int exponentEdit;
  int fractionEdit;  // the field a person edits bits in
  int xLength;       // the most characters X takes
};
const Format kFormats[] = {{"binary32", 1011, 1027, 1028, 13},
                           {"binary64", 1012, 1033, 1035, 22},
                           {"binary128", 1013, 1015, 1018, 40}};

const char* const kParameters[] = {"Exponent", "Significand", "ULP", "X+", "X-", "Epsilon"};

// Digits a person types into X, one key each.
constexpr const char* kTyped = "3.14159265358979323846264338327950288419716939937510";

struct Sample {
  double wall;  // microseconds
  double cpu;   // microseconds this thread ran: what a busy shared machine cannot inflate
  int paints;
};

struct Samples {
  std::string kind;
  std::vector<Sample> samples;
};

// Counts the widgets painted, to show that the time includes the repaint.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

double threadCpuMicroseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

class Bench : public orbalta::replay::LoopListener, public orbalta::replay::DialogAnswers {
 public:
  Bench(QtPlatform& qt, int samples) : qt_(qt), samples_(samples) {}

  void messageLoopStarting() override {
    // Measured from inside the program's own loop, where a person's actions arrive.
    if (!started_) QTimer::singleShot(0, [this] { run(); });
    started_ = true;
  }
  void messageLoopEnded(int) override {}
  void quitPosted(int) override {}
  void modalStarting(WindowHandle) override {}
  void modalEnding(WindowHandle) override {}
  void modalEnded(WindowHandle) override {}

  void messageBox(std::string_view text, std::string_view title,
                  orbalta::platform::MessageIcon) override {
    ++messageBoxes;
    std::fprintf(stderr, "unexpected message box \"%.*s\": %.*s\n", static_cast<int>(title.size()),
                 title.data(), static_cast<int>(text.size()), text.data());
  }
  void fileMessageBox(const orbalta::platform::FileMessage& message, std::string_view title,
                      orbalta::platform::MessageIcon icon) override {
    messageBox(message.before + message.path + message.after, title, icon);
  }
  std::optional<std::string> openFile(const orbalta::platform::OpenFileRequest&) override {
    return std::nullopt;
  }

  const std::vector<Samples>& results() const { return results_; }
  int messageBoxes = 0;
  bool failed = false;

 private:
  QWidget* control(int id) const { return qt_.controlWidget(window_, id); }

  void fail(const std::string& why) {
    std::fprintf(stderr, "orbalta_action_bench: %s\n", why.c_str());
    failed = true;
  }

  // Untimed: let the set-up's own events go before a timed action starts.
  static void settle() { QCoreApplication::processEvents(); }

  template <class Action>
  Sample timed(Action action) {
    settle();
    painted_.paints = 0;
    const double cpu = threadCpuMicroseconds();
    QElapsedTimer timer;
    timer.start();
    action();
    QCoreApplication::processEvents();
    const double wall = static_cast<double>(timer.nsecsElapsed()) / 1000.0;
    return {wall, threadCpuMicroseconds() - cpu, painted_.paints};
  }

  void record(const std::string& kind, Sample sample, bool warm) {
    if (!warm) return;
    auto found = std::find_if(results_.begin(), results_.end(),
                              [&kind](const Samples& s) { return s.kind == kind; });
    if (found == results_.end()) {
      results_.push_back({kind, {}});
      found = results_.end() - 1;
    }
    found->samples.push_back(sample);
  }

  // A real click through the window system at `point` of `target`.
  void click(QWidget* target, QPoint point) {
    QWidget* top = target->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      target->mapTo(top, point));
  }
  void clickControl(int id) { click(control(id), pointIn(control(id))); }
  static QPoint pointIn(QWidget* widget) {
    if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
      QStyleOptionButton option;
      option.initFrom(radio);
      const QRect box =
          radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
      if (box.isValid()) return box.center();
    }
    return widget->rect().center();
  }
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(main_->windowHandle(), k, m);
  }
  void type(char c) { QTest::keyClick(main_->windowHandle(), c); }

  void chooseFormat(const Format& f) {
    clickControl(f.radio);
    settle();
  }
  void setX(const char* text) {
    clickControl(kXEdit);
    key(Qt::Key_A, Qt::ControlModifier);
    for (const char* c = text; *c != '\0'; ++c) type(*c);
    settle();
  }

  void run() {
    qApp->installEventFilter(&painted_);
    window_ = qt_.windowOfTemplate(kMainTemplate);
    main_ = window_ != 0 ? qt_.windowWidget(window_) : nullptr;
    if (main_ == nullptr) {
      fail("the main window is not open");
    } else {
      main_->activateWindow();
      if (!QTest::qWaitForWindowActive(main_, 5000)) fail("the main window cannot be activated");
    }
    if (!failed) {
      for (int round = 0; round < 2; ++round) {
        const bool warm = round == 1;
        const int n = warm ? samples_ : kWarmUp;
        for (const Format& f : kFormats) typeIntoX(f, n, warm);
        for (const Format& f : kFormats) editBit(f, n, warm);
        for (const Format& f : kFormats) clickIntoField(f, n, warm);
        switchFormats(n, warm);
        for (const Format& f : kFormats) fill(f, n, warm);
        for (const Format& f : kFormats) chooseParameters(f, n, warm);
      }
    }
    qApp->removeEventFilter(&painted_);
    // Leave as a person does: the exit button.
    clickControl(kExitButton);
  }

  // One key into X that converts: X already holds three characters or more.
  void typeIntoX(const Format& f, int n, bool warm) {
    chooseFormat(f);
    clickControl(kXEdit);
    const std::string kind = std::string("type a digit into X, ") + f.name;
    int done = 0;
    while (done < n) {
      key(Qt::Key_A, Qt::ControlModifier);
      for (int i = 0; i < 3; ++i) type(kTyped[i]);
      int typed = 3;
      for (; typed < f.xLength && done < n; ++typed, ++done) {
        record(kind, timed([&] { type(kTyped[typed]); }), warm);
      }
      auto* x = qobject_cast<QLineEdit*>(control(kXEdit));
      if (x == nullptr || x->text() != QString::fromLatin1(kTyped, typed)) {
        fail(std::string("X does not hold what was typed in ") + f.name);
        return;
      }
    }
  }

  // One bit overwritten: the bit selected (untimed), then the other digit typed.
  void editBit(const Format& f, int n, bool warm) {
    chooseFormat(f);
    auto* edit = qobject_cast<QLineEdit*>(control(f.fractionEdit));
    clickControl(f.fractionEdit);
    settle();
    const std::string kind = std::string("edit a bit, ") + f.name;
    const int width = static_cast<int>(edit->text().size());
    for (int i = 0; i < n; ++i) {
      const int position = (i * 7) % width;  // all over the field
      edit->setSelection(position, 1);
      const char now = edit->text().at(position).toLatin1();
      record(kind, timed([&] { type(now == '1' ? '0' : '1'); }), warm);
      if (edit->text().size() != width || edit->text().at(position).toLatin1() == now) {
        fail(std::string("the bit was not overwritten in ") + f.name);
        return;
      }
    }
  }

  void clickIntoField(const Format& f, int n, bool warm) {
    chooseFormat(f);
    const std::string kind = std::string("click into a field, ") + f.name;
    for (int i = 0; i < n; ++i) {
      const int id = i % 2 == 0 ? f.exponentEdit : f.fractionEdit;
      record(kind, timed([&] { clickControl(id); }), warm);
    }
  }

  void switchFormats(int n, bool warm) {
    chooseFormat(kFormats[0]);
    for (int i = 0; i < n; ++i) {
      for (int k = 1; k <= 3; ++k) {
        const Format& to = kFormats[k % 3];
        record(std::string("format switch to ") + to.name, timed([&] { clickControl(to.radio); }),
               warm);
      }
    }
  }

  void fill(const Format& f, int n, bool warm) {
    chooseFormat(f);
    const std::string kind = std::string("fill 0's / 1's, ") + f.name;
    for (int i = 0; i < n; ++i) {
      const int button = i % 2 == 0 ? kFillOnes : kFillZeros;
      record(kind, timed([&] { clickControl(button); }), warm);
    }
  }

  // Each entry of the list for 0.1, whose significand uses every bit of the format.
  void chooseParameters(const Format& f, int n, bool warm) {
    chooseFormat(f);
    setX("0.1");
    clickControl(f.exponentEdit);
    settle();
    auto* list = qobject_cast<QListWidget*>(control(kParamList));
    if (list == nullptr || !list->isEnabled()) {
      fail("the parameter list is not enabled after a click into a field");
      return;
    }
    for (int i = 0; i < n; ++i) {
      for (int item = 0; item < 6; ++item) {
        list->scrollToItem(list->item(item));
        const QRect shown = list->visualItemRect(list->item(item));
        const QPoint point = shown.intersected(list->viewport()->rect()).center();
        record(std::string("parameter ") + kParameters[item] + ", " + f.name,
               timed([&] { click(list->viewport(), point); }), warm);
        if (list->currentRow() != item) {
          fail(std::string("the click chose item ") + std::to_string(list->currentRow() + 1) +
               ", not " + std::to_string(item + 1));
          return;
        }
      }
    }
  }

  QtPlatform& qt_;
  int samples_;
  bool started_ = false;
  WindowHandle window_ = 0;
  QWidget* main_ = nullptr;
  std::vector<Samples> results_;
  PaintCounter painted_;
};

template <class Field>
double percentile(const std::vector<Sample>& samples, Field field, double p) {
  std::vector<double> v;
  for (const Sample& s : samples) v.push_back(s.*field);
  std::sort(v.begin(), v.end());
  const auto rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(v.size())));
  return v[std::clamp<std::size_t>(rank, 1, v.size()) - 1];
}

}  // namespace

int main(int argc, char** argv) {
  const int samples = argc > 1 ? std::atoi(argv[1]) : 200;
  if (samples < 1) {
    std::fprintf(stderr, "usage: orbalta_action_bench [SAMPLES]\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QtPlatform qt;
  Bench bench(qt, samples);
  orbalta::replay::PlatformTap tap(qt, bench);
  tap.answerDialogs(&bench);
  const int code = orbalta::runOrbalta(tap, 1);
  if (bench.failed || bench.messageBoxes > 0 || code != 0) return 1;

  std::printf("User actions on the real window (QT_QPA_PLATFORM=%s), %d samples per kind:\n",
              qgetenv("QT_QPA_PLATFORM").constData(), samples);
  std::printf("event delivery + processEvents(), microseconds of wall time; CPU = this thread's\n");
  std::printf("CPU time over the same span; paints = widgets repainted per action (mean)\n");
  std::printf("%-34s %8s %8s %8s %9s %8s %7s\n", "action", "median", "p99", "max", "CPU med",
              "CPU p99", "paints");
  double worstMedian = 0;
  double worstP99 = 0;
  double worstCpuP99 = 0;
  for (const Samples& s : bench.results()) {
    const double median = percentile(s.samples, &Sample::wall, 0.5);
    const double p99 = percentile(s.samples, &Sample::wall, 0.99);
    const double cpuP99 = percentile(s.samples, &Sample::cpu, 0.99);
    double paints = 0;
    for (const Sample& sample : s.samples) paints += sample.paints;
    paints /= static_cast<double>(s.samples.size());
    worstMedian = std::max(worstMedian, median);
    worstP99 = std::max(worstP99, p99);
    worstCpuP99 = std::max(worstCpuP99, cpuP99);
    std::printf("%-34s %8.0f %8.0f %8.0f %9.0f %8.0f %7.1f\n", s.kind.c_str(), median, p99,
                percentile(s.samples, &Sample::wall, 1.0), percentile(s.samples, &Sample::cpu, 0.5),
                cpuP99, paints);
  }
  std::printf(
      "slowest median %.0f us (target < 1000), slowest p99 %.0f us (target < 5000), slowest CPU "
      "p99 %.0f us\n",
      worstMedian, worstP99, worstCpuP99);
  return 0;
}
