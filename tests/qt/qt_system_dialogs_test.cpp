// The real message box and open-file dialog, answered by a timer as a user would.

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <functional>

#include "model/app_state.h"
#include "tools/replay/shown_text.h"
#include "ui/auxwin/summary.h"
#include "window_test_support.h"

namespace orbalta::testing {
namespace {

class QtSystemDialogsTest : public QtWindowTest {
 protected:
  // Once the next modal window is up, hands it to `user`.
  static void whenModal(std::function<void(QWidget*)> user) {
    QTimer::singleShot(0, [user] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) {
        ADD_FAILURE() << "no modal window";
        return;
      }
      user(modal);
    });
  }

  static void answer(QMessageBox::StandardButton button, QString* text) {
    whenModal([button, text](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr) {
        ADD_FAILURE() << "no question was asked";
        return;
      }
      if (text != nullptr) *text = box->text();
      box->button(button)->click();
    });
  }

  platform::OpenFileRequest request(const QString& dir) const {
    platform::OpenFileRequest r;
    r.title = "Saved Topic";
    r.filters = {{"Text Files (*.txt)", "*.txt"},
                 {"Data Files (*.dat)", "*.dat"},
                 {"All files (*.*)", "*.*"}};
    r.filterIndex = 1;
    r.initialDir = dir.toStdString();
    r.fileName = " ";
    r.defaultExt = "txt";
    r.createPrompt = true;
    r.pathMustExist = true;
    return r;
  }
};

TEST_F(QtSystemDialogsTest, MessageBoxShowsTitleTextAndIconWithOneButton) {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = 0;
  whenModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    buttons = static_cast<int>(box->buttons().size());
    box->button(QMessageBox::Ok)->click();
  });
  qt.messageBox("Bitul de semn\r\ntrebuie sa fie 0 sau 1", "Eroare",
                platform::MessageIcon::Warning);
  EXPECT_EQ(title, "Eroare");
  EXPECT_EQ(text, "Bitul de semn\ntrebuie sa fie 0 sau 1");
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_EQ(buttons, 1);
}

// The scripted user reads a box that names a file by the harness's own decoding; it must be
// what the real box shows, for well-formed and ill-formed names alike.
TEST_F(QtSystemDialogsTest, TheHarnessReadsAFileMessageAsTheBoxShowsIt) {
  const platform::FileMessage rows[] = {
      {"Could not save to ", "/tmp/r\xC3\xA9sum\xC8\x99\xF0\x9F\x98\x80.txt", ": x \x85"},
      {"", "/tmp/\xE9t\xC3", ""},
      {"\x80 ", "/tmp/\xE0\x80\xAF\xED\xA0\x80\xF4\x90\x80\x80\xF5", " \xE9"},
  };
  for (const platform::FileMessage& row : rows) {
    SCOPED_TRACE(row.path);
    QString text;
    whenModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      text = box->text();
      box->button(QMessageBox::Ok)->click();
    });
    qt.fileMessageBox(row, "Error", platform::MessageIcon::Error);
    const std::u16string read = replay::shownText(
        row, [](std::string_view words) { return platform::fromWindows1252(words); });
    EXPECT_EQ(text.toStdString(), replay::utf8From(read));
  }
}

// The boxes that name the saved file show its path as the file system names it, letters
// outside Windows-1252 included, while the program's own words stay as they are.
TEST_F(QtSystemDialogsTest, SaveMessagesShowThePathAsTheFileSystemNamesIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  AppState state;
  buildSummaryTexts(state);
  struct Row {
    const char* folder;  // "" : straight in the temporary folder
    const char* name;
    bool saved;
  };
  const Row rows[] = {
      {"", "r\u00e9sum\u00e9.txt", true},
      {"", "\u0219tiin\u021b\u0103.txt", true},  // s and t with comma below, a with breve
      {"\u0103\u00e2\u00ee", "\u0218\u021a.txt", true},
      {"", "\u0447\u0438\u0441\u043b\u043e \u6570.txt", true},
      {"lips\u0103", "\u021b.txt", false},
  };
  realMessageBoxes = true;
  for (const Row& row : rows) {
    const QString folder = QString::fromUtf8(row.folder);
    if (row.saved && !folder.isEmpty()) {
      ASSERT_TRUE(QDir(dir.path()).mkdir(folder));
    }
    QString path = dir.path() + QLatin1Char('/');
    if (!folder.isEmpty()) path += folder + QLatin1Char('/');
    path += QString::fromUtf8(row.name);
    SCOPED_TRACE(path.toStdString());
    fileAnswer = [&](const platform::OpenFileRequest&) -> std::optional<std::string> {
      return QFile::encodeName(path).toStdString();
    };
    QString title;
    QString text;
    whenModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      text = box->text();
      box->button(QMessageBox::Ok)->click();
    });
    saveSummary(tap, state);
    if (row.saved) {
      EXPECT_EQ(title, "Saved to File");
      EXPECT_EQ(text.toStdString(), path.toStdString());
      EXPECT_EQ(QFileInfo(path).size(), 937);
    } else {
      EXPECT_EQ(title, "Error");
      EXPECT_EQ(text.toStdString(),
                ("Could not save to " + path + ": No such file or directory").toStdString());
    }
  }
}

TEST_F(QtSystemDialogsTest, OpenFileAsksBeforeANewNameAndStaysOpenOnNo) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  bool openAfterNo = false;
  QString question;
  QString title;
  whenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText("summary");
    answer(QMessageBox::No, &question);
    QTest::keyClick(name, Qt::Key_Return);
    openAfterNo = dialog->isVisible();
    answer(QMessageBox::Yes, nullptr);
    QTest::keyClick(name, Qt::Key_Return);
  });
  const std::optional<std::string> path = qt.openFile(request(dir.path()));
  EXPECT_EQ(title, "Saved Topic");
  EXPECT_TRUE(openAfterNo);
  EXPECT_TRUE(question.startsWith("summary.txt")) << question.toStdString();
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, (dir.path() + "/summary.txt").toStdString()) << "the default extension";
}

// The name box starts with the one blank selected, so that typing replaces it.
TEST_F(QtSystemDialogsTest, OpenFileStartsWithTheBlankSelected) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QString initial;
  QString selected;
  QString typed;
  whenModal([&](QWidget* modal) {
    auto* name = modal->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    initial = name->text();
    selected = name->selectedText();
    QTest::keyClicks(name, "summary");
    typed = name->text();
    qobject_cast<QDialog*>(modal)->reject();
  });
  EXPECT_FALSE(qt.openFile(request(dir.path())).has_value());
  EXPECT_EQ(initial, " ");
  EXPECT_EQ(selected, " ");
  EXPECT_EQ(typed, "summary");
}

// Blanks around a typed name go; a name of blanks only is no name, as an empty box is, and
// the dialog stays open. An existing file is taken by its own name, blanks and all.
TEST_F(QtSystemDialogsTest, OpenFileDropsBlanksAroundATypedName) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  std::ofstream(dir.filePath(" odd.txt").toStdString()) << "x";
  const struct {
    const char* typed;
    const char* chosen;  // nullptr: the dialog stays open
  } rows[] = {
      {" ", nullptr},           {"   ", nullptr},
      {" notes ", "notes.txt"}, {"  summary", "summary.txt"},
      {" odd.txt", " odd.txt"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string("\"") + row.typed + "\"");
    bool openAfterEnter = false;
    bool asked = false;
    whenModal([&](QWidget* modal) {
      auto* name = modal->findChild<QLineEdit*>("fileNameEdit");
      ASSERT_NE(name, nullptr);
      name->setText(row.typed);
      whenModal([&](QWidget* question) {
        auto* box = qobject_cast<QMessageBox*>(question);
        if (box == nullptr) return;
        asked = true;
        box->button(QMessageBox::Yes)->click();
      });
      QTest::keyClick(name, Qt::Key_Return);
      openAfterEnter = modal->isVisible();
      if (openAfterEnter) qobject_cast<QDialog*>(modal)->reject();
    });
    const std::optional<std::string> path = qt.openFile(request(dir.path()));
    if (row.chosen == nullptr) {
      EXPECT_TRUE(openAfterEnter);
      EXPECT_FALSE(asked);
      EXPECT_FALSE(path.has_value());
      continue;
    }
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, dir.filePath(row.chosen).toStdString());
  }
}

TEST_F(QtSystemDialogsTest, OpenFileTakesAnExistingFileWithoutAsking) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  std::ofstream(dir.filePath("old.dat").toStdString()) << "x";
  whenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText("old.dat");
    QTest::keyClick(name, Qt::Key_Return);
  });
  const std::optional<std::string> path = qt.openFile(request(dir.path()));
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, dir.filePath("old.dat").toStdString());
}

TEST_F(QtSystemDialogsTest, CancelledOpenFileGivesNothing) {
  QTemporaryDir dir;
  whenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_FALSE(qt.openFile(request(dir.path())).has_value());
}

TEST_F(QtSystemDialogsTest, TheTapAnswersTheOpenFileDialog) {
  std::string seenTitle;
  fileAnswer = [&](const platform::OpenFileRequest& r) -> std::optional<std::string> {
    seenTitle = r.title;
    return "/tmp/chosen.txt";
  };
  EXPECT_EQ(tap.openFile(request("/tmp")), "/tmp/chosen.txt");
  EXPECT_EQ(seenTitle, "Saved Topic");
}

TEST_F(QtSystemDialogsTest, CurrentDirectoryIsTheProcessFolder) {
  EXPECT_EQ(qt.currentDirectory(), QDir::currentPath().toStdString());
}

}  // namespace
}  // namespace orbalta::testing
