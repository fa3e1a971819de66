// The conformance suite on the Qt backend under the offscreen platform: widgets are read back,
// input comes as toolkit mouse, wheel and key events.
#define QTEST_QPA_MOUSE_HANDLING
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFontDialog>
#include <QIcon>
#include <QImage>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <map>
#include <optional>
#include <string>

#include "tests/backends/conformance_font_dialog.h"
#include "tests/backends/conformance_suite.h"
#include "tests/backends/conformance_tips_modal.h"
#include "tests/support/qt_offscreen.h"
#include "ui/backends/qt/backend_qt.h"

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}

namespace {

uint32_t Rgb(const QColor& c) {
  return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
         static_cast<uint32_t>(c.blue()) << 16;
}

Qt::MouseButton ButtonOf(int button) {
  return button == 2 ? Qt::RightButton : button == 3 ? Qt::MiddleButton : Qt::LeftButton;
}

class QtDriver {
 public:
  static void SetUpSuite() { StartQtOffscreen(); }
  static void TearDownSuite() { StopQtOffscreen(); }
  TBackend& Backend() { return QtOffscreen(); }
  void Pump() { QtOffscreen().ProcessMessages(false); }

  bool Exists(const TControl& c) {
    if (c.Kind() == TControlKind::Application) return c.Native() != nullptr;
    return W(c) != nullptr;
  }
  bool ChildOf(const TControl& c, const TControl& parent) {
    QWidget* w = W(c);
    return w && QtOffscreen().ControlOf(w->parentWidget()) == &parent;
  }
  TSeen Seen(const TControl& c) {
    TSeen s;
    QWidget* w = W(c);
    if (!w) return s;
    ReadText(c, w, s);
    s.FontPixels = w->font().pixelSize();
    s.Bold = w->font().bold();
    s.Italic = w->font().italic();
    s.Underline = w->font().underline();
    s.TextColor = Rgb(w->palette().color(QPalette::Active, QPalette::WindowText));
    s.Color = Rgb(w->palette().color(QPalette::Window));
    s.Visible = !w->isHidden();
    s.Enabled = w->isEnabled();
    if (auto* r = qobject_cast<QRadioButton*>(w)) s.Checked = r->isChecked();
    if (auto* cb = qobject_cast<QComboBox*>(w)) {
      for (int i = 0; i < cb->count(); ++i)
        s.Items.push_back(cb->itemText(i).toStdString());
      s.Selection = cb->currentIndex();
    }
    if (c.Kind() == TControlKind::Form) {
      QImage shown = w->windowIcon().pixmap(32).toImage();
      for (const char* name : {"ICON0", "MAINICON"})
        if (!shown.isNull() &&
            shown == QIcon(QString(":/icons/%1.png").arg(name)).pixmap(32).toImage())
          s.Icon = name;
    }
    QRect g = w->geometry();
    if (c.Kind() == TControlKind::Form) {
      // The outer corner of the classic frame around the client area, as the backend places it.
      TSize extra = QtOffscreen().FrameExtra(c);
      QPoint border(extra.Width / 2, extra.Height - extra.Width / 2);
      g = QRect(w->geometry().topLeft() - border, w->size() + QSize(extra.Width, extra.Height));
    }
    s.Left = g.x();
    s.Top = g.y();
    s.Width = g.width();
    s.Height = g.height();
    return s;
  }
  // Qt stacks siblings in the order of their parent's children, the front one last.
  std::vector<TControl*> Stack(const TControl&, const std::vector<TControl*>& among) {
    std::vector<TControl*> out;
    QWidget* parent = among.empty() || !W(*among[0]) ? nullptr : W(*among[0])->parentWidget();
    if (!parent) return out;
    const QObjectList& kids = parent->children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
      TControl* c = QtOffscreen().ControlOf(qobject_cast<QWidget*>(*it));
      if (c && std::find(among.begin(), among.end(), c) != among.end()) out.push_back(c);
    }
    return out;
  }

  void Move(TControl& c, int x, int y) { QTest::mouseMove(Exposed(c), QPoint(x, y)); }
  void Press(TControl& c, int button, int x, int y) {
    QTest::mousePress(Exposed(c), ButtonOf(button), {}, QPoint(x, y));
  }
  void Release(TControl& c, int button, int x, int y) {
    QTest::mouseRelease(Exposed(c), ButtonOf(button), {}, QPoint(x, y));
  }
  void Wheel(TControl& c, int delta, int x, int y) {
    QWidget* w = Exposed(c);
    QWheelEvent e(QPointF(x, y), QPointF(w->mapToGlobal(QPoint(x, y))), QPoint(), QPoint(0, delta),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
  }
  void Key(TControl& c, int key) {
    c.SetFocus();
    QTest::keyPress(Exposed(c), static_cast<Qt::Key>(key));
    QTest::keyRelease(Exposed(c), static_cast<Qt::Key>(key));
  }
  void CtrlKey(TControl& c, int key) {
    c.SetFocus();
    QTest::keyPress(Exposed(c), static_cast<Qt::Key>(key), Qt::ControlModifier);
    QTest::keyRelease(Exposed(c), static_cast<Qt::Key>(key), Qt::ControlModifier);
  }
  void LeaveTo(TControl& form, int x, int y) { QTest::mouseMove(Exposed(form), QPoint(x, y)); }
  void Wait(int ms) { QTest::qWait(ms); }

  // The dialog is answered as the user would: its font set, then OK or Cancel.
  static constexpr bool kWindowIcon = true;
  // What Qt's accessibility interface of the widget says.
  static constexpr bool kAccess = true;
  TAccessSeen Access(const TControl& c) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(W(c));
    if (!i) return {};
    static const std::map<QAccessible::Role, std::string> roles = {
        {QAccessible::Window, "window"},      {QAccessible::Dialog, "dialog"},
        {QAccessible::Grouping, "group"},     {QAccessible::RadioButton, "radio button"},
        {QAccessible::Button, "button"},      {QAccessible::ListItem, "item"},
        {QAccessible::AlertMessage, "alert"}, {QAccessible::ComboBox, "combo box"},
        {QAccessible::StaticText, "text"},    {QAccessible::ToolTip, "tool tip"}};
    auto role = roles.find(i->role());
    TAccessSeen s;
    s.Role = i->state().invisible && i->role() == QAccessible::NoRole ? "hidden"
             : role == roles.end()                                    ? "none"
                                                                      : role->second;
    s.Name = i->text(QAccessible::Name).toStdString();
    s.Checked = i->state().checkable ? int(i->state().checked) : -1;
    s.Description = i->text(QAccessible::Description).toStdString();
    return s;
  }
  static constexpr bool kFontDialog = true;
  static constexpr bool kDialogColor = false;
  static std::string DialogFace(int i) { return i ? "Liberation Sans" : "DejaVu Sans"; }
  void AnswerFontDialog(const TFontChoice* answer) {
    auto* timer = new QTimer;
    std::optional<TFontChoice> a;
    if (answer) a = *answer;
    QObject::connect(timer, &QTimer::timeout, [this, timer, a] {
      auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      timer->stop();
      timer->deleteLater();
      QFont now = dialog->currentFont();
      shown_.Name = now.family().toStdString();
      shown_.Size = static_cast<uint8_t>(now.pointSize());
      ++dialogs_;
      if (!a) {
        dialog->reject();
        return;
      }
      QFont f(QString::fromStdString(a->Face));
      f.setPointSize(a->PointTenths / 10);
      f.setWeight(static_cast<QFont::Weight>(a->Weight));
      f.setItalic(a->Italic);
      f.setUnderline(a->Underline);
      f.setStrikeOut(a->StrikeOut);
      dialog->setCurrentFont(f);
      dialog->accept();
    });
    timer->start(10);
  }
  TTipSeen TipSeen(const TControl& tip) {
    QWidget* w = W(tip);
    QWidget* owner = tip.Parent() ? W(*tip.Parent()) : nullptr;
    if (!w || !owner) return TTipSeen{};
    QPoint p = owner->mapFromGlobal(w->pos());
    return TTipSeen{w->isVisible(), p.x(), p.y()};
  }
  // The window manager's close button sends the form a close request.
  bool CloseBox(TControl& form) {
    QWidget* w = W(form);
    if (!w || !w->isEnabled()) return true;
    w->close();
    return true;
  }

  TFontRec FontDialogShown() const { return shown_; }
  int FontDialogsShown() const { return dialogs_; }

 private:
  TFontRec shown_;
  int dialogs_ = 0;

  static QWidget* W(const TControl& c) { return QtOffscreen().WidgetOf(c); }
  static QWidget* Exposed(const TControl& c) {
    QWidget* w = W(c);
    if (w && !QTest::qWaitForWindowExposed(w->window())) ADD_FAILURE() << "window not exposed";
    return w;
  }
  static void ReadText(const TControl& c, QWidget* w, TSeen& s) {
    if (c.Kind() == TControlKind::Form) {
      s.Text = w->windowTitle().toStdString();
    } else if (auto* r = qobject_cast<QRadioButton*>(w)) {
      s.Text = r->text().toStdString();
    } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
      if (cb->isEditable()) s.Text = cb->currentText().toStdString();
    } else {
      TQtBackend::TPaintedText p = QtOffscreen().PaintedText(c);
      s.Text = p.Text;
      s.Alignment = p.Alignment;
    }
  }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, BackendConformance, QtDriver);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, BackendFontDialog, QtDriver);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, BackendTipsModal, QtDriver);
