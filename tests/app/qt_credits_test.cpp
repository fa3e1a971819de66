// The credit box of "herosheet /ih" on the Qt platform, offscreen: a modal information box with
// the credit text and one OK button, no other window, and OK ends it.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "app/entry.h"
#include "app/native_backend.h"
#include "tests/support/ui_fixture.h"

namespace {

struct TSeen {
  bool Box = false, Modal = false;
  QString Title, Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  int Buttons = 0, OtherWindows = 0;
};

class QtCreditsTest : public UiTest {
 protected:
  static void SetUpTestSuite() {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_FONT_DPI", "96", 1);
  }
};

TEST_F(QtCreditsTest, ModalInformationBoxWithTheTextEndsOnOk) {
  char arg0[] = "herosheet", arg1[] = "/ih";
  char* argv[] = {arg0, arg1, nullptr};
  int argc = 2;
  std::unique_ptr<QApplication> app;
  int one = 1;
  if (!QApplication::instance()) app = std::make_unique<QApplication>(one, argv);
  TSeen seen;
  int polls = 0;
  // Looks for the box while it runs its own loop, then presses OK; gives up after 10 s.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) {
      if (++polls > 1000)
        for (QWidget* w : QApplication::topLevelWidgets())
          w->close();
      return;
    }
    poll.stop();
    seen.Box = true;
    seen.Modal = box->isModal();
    seen.Title = box->windowTitle();
    seen.Text = box->text();
    seen.Icon = box->icon();
    seen.Buttons = static_cast<int>(box->buttons().size());
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != box && w->isVisible() && w->isWindow()) ++seen.OtherWindows;
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
  });
  poll.start(10);
  bool shown = ShowNativeMessageBox(argc, argv, CreditText(), CreditCaption());
  EXPECT_TRUE(shown);
  ASSERT_TRUE(seen.Box);
  EXPECT_TRUE(seen.Modal);
  EXPECT_EQ(seen.Title.toStdString(), std::string(CreditCaption()));
  std::string text(CreditText());
  for (size_t p; (p = text.find("\r\n")) != std::string::npos;)
    text.replace(p, 2, "\n");
  EXPECT_EQ(seen.Text.toStdString(), text);
  EXPECT_EQ(seen.Icon, QMessageBox::Information);
  EXPECT_EQ(seen.Buttons, 1);
  EXPECT_EQ(seen.OtherWindows, 0);
}

}  // namespace
