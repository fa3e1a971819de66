#include "ui/backends/qt/backend_qt.h"

#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEnterEvent>
#include <QFile>
#include <QFontDialog>
#include <QFontMetrics>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QRadioButton>
#include <QRegion>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include "ui/hover_timing.h"

namespace {

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QColor ToQColor(uint32_t c) {
  uint32_t rgb = ResolveColor(c);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

QFont ToQFont(const TFontRec& f) {
  QFont q;
  q.setFamilies({Q(SubstituteFontFamily(f.Name)), QStringLiteral("Liberation Sans"),
                 QStringLiteral("DejaVu Sans")});
  int px = std::abs(FontHeightFor(f.Size, 96));
  q.setPixelSize(px > 0 ? px : 11);
  q.setBold(f.Style & fsBold);
  q.setItalic(f.Style & fsItalic);
  q.setUnderline(f.Style & fsUnderline);
  q.setStrikeOut(f.Style & fsStrikeOut);
  return q;
}

uint32_t KeysOf(Qt::MouseButtons b, Qt::KeyboardModifiers m) {
  uint32_t k = 0;
  if (b & Qt::LeftButton) k |= mkLButton;
  if (b & Qt::RightButton) k |= mkRButton;
  if (b & Qt::MiddleButton) k |= mkMButton;
  if (m & Qt::ShiftModifier) k |= mkShift;
  if (m & Qt::ControlModifier) k |= mkControl;
  return k;
}

int ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 3;
    default:
      return 0;
  }
}

// Windows virtual-key code of a Qt key (0 when there is none).
int VirtualKey(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    default:
      return 0;
  }
}

Qt::CursorShape CursorShape(int32_t id) {
  switch (id) {
    case crIBeam:
      return Qt::IBeamCursor;
    case crWait:
      return Qt::WaitCursor;
    case crCross:
      return Qt::CrossCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    case crNo:
      return Qt::ForbiddenCursor;
    case crHand:
      return Qt::PointingHandCursor;
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace

// ---- the widgets ----

struct TQtBackend::TImpl : THoverHost {
  TQtBackend* Self = nullptr;
  std::unique_ptr<QApplication> App;
  std::unordered_map<const TControl*, QWidget*> Widgets;
  std::unordered_map<const QWidget*, TControl*> Controls;  // widgets and client areas
  std::unordered_map<const TControl*, QWidget*> Clients;   // where children go
  std::vector<QPointer<QWidget>> Doomed;  // destroyed while their events were running
  int Depth = 0;                          // event handlers running
  bool Quit = false;
  int AppletMarker = 0;
  bool KeyboardCues = false;  // focus marks show once the keyboard has moved the focus
  bool AccessDue = false;     // a pass over what assistive technology was told is scheduled
  std::unordered_map<const TControl*, std::string> Said;  // name and description last told
  void ScheduleAccess();
  void RefreshAccess();
  // A listener that comes after the start gets a pass at once: what it is told to have changed
  // later is measured from what the controls said then.
  struct TActivation : QAccessible::ActivationObserver {
    TImpl* Impl;
    explicit TActivation(TImpl* impl) : Impl(impl) {}
    void accessibilityActiveChanged(bool active) override {
      if (active) Impl->ScheduleAccess();
    }
  } Activation{this};

  QTimer Timers[THoverTiming::tmCount];
  THoverTiming Hover{*this};
  // The control that had the last mouse move and is owed a leave, as a window tracking the
  // mouse is on Win32: one at a time, told when the mouse goes elsewhere, even to a child.
  TControl* Tracked = nullptr;

  bool Alive(const TControl* c) const { return c && Widgets.count(c); }
  QWidget* ClientOf(const TControl* c) const {
    auto it = Clients.find(c);
    if (it != Clients.end()) return it->second;
    auto w = Widgets.find(c);
    return w == Widgets.end() ? nullptr : w->second;
  }
  void Flush() {
    if (Depth > 0) return;
    std::vector<QPointer<QWidget>> doomed;
    doomed.swap(Doomed);
    for (QPointer<QWidget>& w : doomed)
      delete w.data();
  }

  // Mouse input of a widget: group boxes pass it on to what lies beneath them.
  TControl* Route(QWidget* w, QPoint& pos) {
    TControl* c = Controls.count(w) ? Controls[w] : nullptr;
    while (c && c->Kind() == TControlKind::GroupBox && c->Parent()) {
      QWidget* pw = ClientOf(c->Parent());
      if (!pw) return nullptr;
      pos = w->mapTo(pw, pos);
      w = pw;
      c = c->Parent();
    }
    return c;
  }

  // The hover timing's timers and tips.
  void StartTimer(int id, int ms) override { Timers[id].start(ms); }
  void StopTimer(int id) override { Timers[id].stop(); }
  // Below the point (x, y) of the owner's client area, as the system puts a tip under the cursor.
  void ShowTip(TControl& owner, TControl& tip, int x, int y) override {
    QWidget* tw = ClientOf(&tip);
    QWidget* ow = ClientOf(&owner);
    if (!tw || !ow) return;
    tw->adjustSize();
    tw->move(ow->mapToGlobal(QPoint(x, y + 20)));
    tw->show();
    tw->raise();
  }
  void HideTip(TControl& tip) override {
    if (QWidget* tw = ClientOf(&tip)) tw->hide();
  }

  // The client widget of a bordered panel, or nullptr.
  QWidget* PanelClient(const TControl* c) const {
    auto it = Clients.find(c);
    return it == Clients.end() ? nullptr : it->second;
  }

  // Apply, one changed property at a time.
  void ApplyStyle(TControl& c, QWidget* w);
  void ApplyBounds(TControl& c, QWidget* w);
  void ApplyText(TControl& c, QWidget* w);
  void ApplyAlignment(TControl& c, QWidget* w);
  void ApplyLook(TControl& c, QWidget* w);
  void ApplyTipLayout(QWidget* w);
  void ApplyCursor(TControl& c, QWidget* w);
  void ApplyCombo(TControl& c, QWidget* w, bool items);
  void ApplyWindowState(TControl& c, QWidget* w);
  void ApplyVisible(TControl& c, QWidget* w);

  // The mouse is off c now: its hover and tool tip stop.
  void Untrack(TControl* c) { Hover.Left(*c); }
  // The mouse moved over c: the control tracked before gets its leave.
  void Track(TControl* c) {
    if (Tracked == c) return;
    TControl* old = Tracked;
    Tracked = c;
    if (Alive(old)) {
      Untrack(old);
      old->NotifyMouseLeave();
    }
  }
  // The tracked control gets its leave when it is c or lies inside c (c going away).
  void LeaveFrom(const TControl* c) {
    for (const TControl* p = Tracked; p; p = p->Parent())
      if (p == c) {
        TControl* t = Tracked;
        Tracked = nullptr;
        Untrack(t);
        t->NotifyMouseLeave();
        return;
      }
  }
};

namespace {

using TImpl = TQtBackend::TImpl;

// Where a form's client area goes: inside the classic frame whose outer corner is Left, Top.
QPoint ClientOrigin(const TControl& form, TSize extra) {
  int side = extra.Width / 2;
  return QPoint(form.Left() + side, form.Top() + extra.Height - side);
}

// Input forwarding shared by every widget kind.
template <class Base>
class THs : public Base {
 public:
  THs(TImpl* d, TControl* c, QWidget* parent) : Base(parent), d_(d), ctl_(c) {
    this->setMouseTracking(true);
  }
  TControl* Ctl() const { return ctl_ && d_->Alive(ctl_) ? ctl_ : nullptr; }
  void Forget() { ctl_ = nullptr; }

 protected:
  bool event(QEvent* e) override {
    ++d_->Depth;
    bool r;
    if (e->type() == QEvent::KeyPress && Ctl() && IsTab(static_cast<QKeyEvent*>(e))) {
      // Tab is a key like the others: the window layer moves the focus when its top window
      // asks for Tab navigation, and Qt's own focus chain stays out of it.
      auto* k = static_cast<QKeyEvent*>(e);
      ctl_->NotifyKeyDown(9, k->key() == Qt::Key_Backtab || (k->modifiers() & Qt::ShiftModifier));
      e->accept();
      r = true;
    } else {
      r = Base::event(e);
    }
    --d_->Depth;
    return r;
  }
  static bool IsTab(const QKeyEvent* k) {
    return k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab;
  }
  TMouseInfo Info(QMouseEvent* e, const QPoint& pos, int button) {
    TMouseInfo m;
    m.Button = button;
    m.Keys = KeysOf(e->buttons(), e->modifiers());
    m.X = pos.x();
    m.Y = pos.y();
    return m;
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    QPoint pos = e->position().toPoint();
    if (TControl* c = Ctl() ? d_->Route(this, pos) : nullptr) {
      d_->Track(c);
      if (d_->Alive(c)) d_->Hover.Moved(*c, pos.x(), pos.y());
      if (d_->Alive(c)) c->NotifyMouseMove(Info(e, pos, 0));
    }
    Base::mouseMoveEvent(e);
    // A move belongs to the window under the mouse only; the parents must not see it again.
    e->accept();
  }
  void mousePressEvent(QMouseEvent* e) override {
    QPoint pos = e->position().toPoint();
    TControl* c = Ctl() ? d_->Route(this, pos) : nullptr;
    if (c) {
      d_->Hover.Pressed(*c);
      c->NotifyMouseDown(Info(e, pos, ButtonOf(e->button())));
      // Static windows report a click when the left button goes down.
      if (e->button() == Qt::LeftButton && d_->Alive(c) &&
          (c->Kind() == TControlKind::Label || c->Kind() == TControlKind::Panel))
        c->NotifyClick();
    }
    Base::mousePressEvent(e);
    e->accept();  // Win32 mouse messages go to one window only
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    QPoint pos = e->position().toPoint();
    if (TControl* c = Ctl() ? d_->Route(this, pos) : nullptr)
      c->NotifyMouseUp(Info(e, pos, ButtonOf(e->button())));
    Base::mouseReleaseEvent(e);
    e->accept();
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    // A second click within the double-click time is a double-click message for static
    // windows and plain radio buttons: it neither presses nor clicks them again.
    TControl* c = Ctl();
    if (c && c->Kind() != TControlKind::ComboBox) {
      e->accept();
      return;
    }
    Base::mouseDoubleClickEvent(e);
  }
  void wheelEvent(QWheelEvent* e) override {
    QPoint pos = e->position().toPoint();
    if (TControl* c = Ctl() ? d_->Route(this, pos) : nullptr) {
      TMouseInfo m;
      m.Keys = KeysOf(e->buttons(), e->modifiers());
      m.X = pos.x();
      m.Y = pos.y();
      m.Wheel = e->angleDelta().y();
      c->NotifyMouseWheel(m);
    }
    Base::wheelEvent(e);
    e->accept();
  }
  // Qt tells every widget the mouse leaves, parents too; only the tracked control hears it.
  void leaveEvent(QEvent* e) override {
    if (TControl* c = Ctl()) {
      d_->Untrack(c);
      if (d_->Tracked == c) d_->LeaveFrom(c);
    }
    Base::leaveEvent(e);
  }
  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    this->update();  // the focus mark
    if (TControl* c = Ctl()) c->NotifyFocus(true);
  }
  void focusOutEvent(QFocusEvent* e) override {
    Base::focusOutEvent(e);
    this->update();
    if (TControl* c = Ctl()) c->NotifyFocus(false);
  }
  void keyPressEvent(QKeyEvent* e) override {
    // Keys the window layer navigates with never reach Qt's own handling (a radio button
    // would click on Space a second time, or move the focus on an arrow).
    // Alt+F4 asks the top window to close, as the system menu does on Win32 (a window
    // manager usually takes the key before it gets here).
    if (e->key() == Qt::Key_F4 && (e->modifiers() & Qt::AltModifier)) {
      e->accept();
      this->window()->close();
      return;
    }
    int vk = VirtualKey(e->key());
    bool ctrl = e->modifiers() & Qt::ControlModifier;
    bool taken = false;
    if (TControl* c = Ctl()) {
      taken = c->KeyNavigates(vk);
      if (taken) d_->KeyboardCues = true;
      bool shortcut = c->TakesShortcut(vk, ctrl);
      taken = taken || shortcut;
      c->NotifyKeyDown(vk, e->modifiers() & Qt::ShiftModifier, ctrl);
      if (!shortcut && !e->text().isEmpty() && Ctl())
        c->NotifyChar(e->text().toUtf8().toStdString());
    }
    if (!taken) Base::keyPressEvent(e);
    e->accept();  // keys go to the focused window only
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    int vk = VirtualKey(e->key());
    bool taken = false;
    if (TControl* c = Ctl()) {
      taken = c->KeyNavigates(vk);
      c->NotifyKeyUp(vk);
    }
    if (!taken) Base::keyReleaseEvent(e);
    e->accept();  // keys go to the focused window only
  }
  // The dotted focus mark around r, once keyboard cues are on.
  void PaintFocusMark(QPainter& p, const QRect& r) {
    if (!this->hasFocus() || !d_->KeyboardCues || r.isEmpty()) return;
    QPen pen(this->palette().color(QPalette::WindowText), 0, Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
  TImpl* d_;
  TControl* ctl_;
};

// A top-level form.
class TQtForm : public THs<QWidget> {
 public:
  using THs::THs;

 protected:
  void closeEvent(QCloseEvent* e) override {
    TControl* c = Ctl();
    // The outer corner as it is now: the window manager may have reported its frame only
    // after the last move.
    if (c) SyncPosition(*c);
    if (c && !c->NotifyClose(true)) {
      e->ignore();
      return;
    }
    e->accept();
  }
  void moveEvent(QMoveEvent* e) override {
    THs::moveEvent(e);
    if (TControl* c = Ctl()) SyncPosition(*c);
  }
  // Left and Top: the corner of the classic frame around the client area (see ApplyBounds).
  void SyncPosition(TControl& c) {
    QPoint o = ClientOrigin(c, d_->Self->FrameExtra(c));
    QPoint p = geometry().topLeft() - (o - QPoint(c.Left(), c.Top()));
    if (p.x() != c.Left() || p.y() != c.Top()) c.NotifyMoved(p.x(), p.y());
  }
  void resizeEvent(QResizeEvent* e) override {
    THs::resizeEvent(e);
    if (TControl* c = Ctl()) {
      TSize extra = d_->Self->FrameExtra(*c);
      int w = width() + extra.Width, h = height() + extra.Height;
      if (w != c->Width() || h != c->Height()) c->NotifyResized(w, h);
    }
  }
  void showEvent(QShowEvent* e) override {
    THs::showEvent(e);
    if (TControl* c = Ctl(); c && !e->spontaneous()) c->NotifyShow(true);
  }
  void hideEvent(QHideEvent* e) override {
    THs::hideEvent(e);
    if (TControl* c = Ctl(); c && !e->spontaneous()) c->NotifyShow(false);
  }
  void changeEvent(QEvent* e) override {
    THs::changeEvent(e);
    if (e->type() == QEvent::ActivationChange)
      if (TControl* c = Ctl()) c->NotifyActivate(isActiveWindow());
  }
};

// A widget that paints its own text: it holds the text and alignment Apply gave it.
class TQtPainted : public THs<QWidget> {
 public:
  using THs::THs;
  QString Text;
  uint8_t Alignment = taLeft;

 protected:
  int HorizontalAlignment() const {
    return Alignment == taRight    ? Qt::AlignRight
           : Alignment == taCenter ? Qt::AlignHCenter
                                   : Qt::AlignLeft;
  }
};

// Static text: one line, clipped, aligned, top of the box.
class TQtLabel : public TQtPainted {
 public:
  using TQtPainted::TQtPainted;

 protected:
  void paintEvent(QPaintEvent*) override {
    TControl* c = Ctl();
    if (!c) return;
    QPainter p(this);
    p.setFont(font());
    p.setPen(c->Enabled() ? ToQColor(c->Font().Color) : QColor(128, 128, 128));
    p.drawText(rect(), HorizontalAlignment() | Qt::AlignTop | Qt::TextSingleLine, Text);
    QRect ink = p.fontMetrics().boundingRect(
        rect(), HorizontalAlignment() | Qt::AlignTop | Qt::TextSingleLine, Text);
    PaintFocusMark(p, ink.adjusted(-1, 0, 1, 1).intersected(rect()));
  }
};

// A group box: an etched frame with the title on its top line.
class TQtGroupBox : public TQtPainted {
 public:
  using TQtPainted::TQtPainted;

 protected:
  void paintEvent(QPaintEvent*) override {
    TControl* c = Ctl();
    if (!c) return;
    QPainter p(this);
    QFontMetrics fm(font());
    int top = fm.height() / 2;
    // The etched lines are one device pixel wide and sit in the outermost device pixels. In
    // logical pixels a scaled desktop rounds them inwards, under the children of the last row.
    const double scale = devicePixelRatioF();
    p.save();
    p.scale(1 / scale, 1 / scale);
    int w = qRound(width() * scale), h = qRound(height() * scale);
    QRect r(0, qRound(top * scale), w - 1, h - qRound(top * scale) - 1);
    p.setPen(QPen(QColor(160, 160, 160), 0));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(QPen(QColor(255, 255, 255), 0));
    p.drawRect(r.adjusted(1, 1, 0, 0));
    p.restore();
    const QString& title = Text;
    if (!title.isEmpty()) {
      int tw = fm.horizontalAdvance(title);
      QRect tr(8, 0, std::min(tw + 4, width() - 10), fm.height());
      p.fillRect(tr, ToQColor(c->Color()));
      p.setFont(font());
      p.setPen(c->Enabled() ? ToQColor(c->Font().Color) : QColor(128, 128, 128));
      p.drawText(tr.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title);
    }
  }
};

// A panel; with edge style 1 a thin border and a sunken edge surround its client area.
class TQtPanel : public TQtPainted {
 public:
  using TQtPainted::TQtPainted;

 protected:
  void paintEvent(QPaintEvent*) override {
    TControl* c = Ctl();
    if (!c) return;
    QPainter p(this);
    if (c->EdgeStyle() == 1) {
      QRect r = rect().adjusted(0, 0, -1, -1);
      p.setPen(QColor(100, 100, 100));
      p.drawRect(r);
      r.adjust(1, 1, -1, -1);
      p.setPen(QColor(160, 160, 160));
      p.drawLine(r.topLeft(), r.topRight());
      p.drawLine(r.topLeft(), r.bottomLeft());
      p.setPen(QColor(255, 255, 255));
      p.drawLine(r.bottomLeft(), r.bottomRight());
      p.drawLine(r.topRight(), r.bottomRight());
    }
    if (!Text.isEmpty()) {
      p.setFont(font());
      p.setPen(ToQColor(c->Font().Color));
      p.drawText(rect().adjusted(3, 3, -3, -3),
                 HorizontalAlignment() | Qt::AlignVCenter | Qt::TextSingleLine, Text);
    }
  }
};

// The client area of a bordered panel: children live here, input goes to the panel.
class TQtClient : public THs<QWidget> {
 public:
  using THs::THs;
};

// A plain radio button: a click does not change the check; the layer decides.
class TQtRadio : public THs<QRadioButton> {
 public:
  using THs::THs;

 protected:
  void nextCheckState() override {}
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
  void paintEvent(QPaintEvent* e) override {
    THs::paintEvent(e);
    QStyleOptionButton o;
    initStyleOption(&o);
    QRect text = style()->subElementRect(QStyle::SE_RadioButtonContents, &o, this);
    QRect ink = fontMetrics().boundingRect(text, Qt::AlignLeft | Qt::AlignVCenter, this->text());
    QPainter p(this);
    PaintFocusMark(p, ink.adjusted(-1, 0, 1, 1).intersected(rect()));
  }
};

class TQtCombo : public THs<QComboBox> {
 public:
  using THs::THs;
};

// A tool tip: icon and bold title on the first line, the text below.
class TQtTip : public QWidget {
 public:
  TQtTip(TImpl* d, TControl* c)
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint), d_(d), ctl_(c) {
    setAttribute(Qt::WA_ShowWithoutActivating);
  }
  void Forget() { ctl_ = nullptr; }
  QSize sizeHint() const override {
    if (!ctl_) return QSize(1, 1);
    Layout l = Lay();
    return l.Size;
  }

 protected:
  struct Layout {
    QSize Size;
    QRect Icon, Title, Text;
  };
  Layout Lay() const {
    const TToolTipInfo& t = ctl_->TipInfo();
    QFont f = ToQFont(t.Font);
    QFont bold = f;
    bold.setBold(true);
    QFontMetrics fm(f), bm(bold);
    int m = t.Margin + 3;
    Layout l;
    int y = m, w = 0;
    if (!t.Title.empty() || t.Icon) {
      int x = m;
      if (t.Icon) {
        l.Icon = QRect(x, y, 16, 16);
        x += 20;
      }
      QRect tr = bm.boundingRect(QRect(0, 0, 2000, 2000), 0, Q(t.Title));
      l.Title = QRect(x, y, tr.width(), std::max(16, tr.height()));
      w = l.Title.right() + 1 - m;
      y += l.Title.height() + 2;
    }
    QString text = Q(t.Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QRect xr = fm.boundingRect(QRect(0, 0, 2000, 2000), 0, text);
    l.Text = QRect(m, y, xr.width(), text.isEmpty() ? 0 : xr.height());
    w = std::max(w, xr.width());
    y += l.Text.height();
    l.Size = QSize(w + 2 * m, y + m);
    return l;
  }
  void paintEvent(QPaintEvent*) override {
    if (!ctl_) return;
    const TToolTipInfo& t = ctl_->TipInfo();
    Layout l = Lay();
    QPainter p(this);
    if (t.Balloon) {
      // Rounded corners; the window's mask cuts away what lies outside them.
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(ToQColor(t.TextColor));
      p.setBrush(ToQColor(t.BackColor));
      p.drawPath(Balloon(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5)));
      p.setRenderHint(QPainter::Antialiasing, false);
    } else {
      p.fillRect(rect(), ToQColor(t.BackColor));
      p.setPen(ToQColor(t.TextColor));
      p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (t.Icon) {
      QStyle::StandardPixmap sp = t.Icon == 1   ? QStyle::SP_MessageBoxInformation
                                  : t.Icon == 2 ? QStyle::SP_MessageBoxWarning
                                                : QStyle::SP_MessageBoxCritical;
      style()->standardIcon(sp).paint(&p, l.Icon);
    }
    QFont f = ToQFont(t.Font);
    QFont bold = f;
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(l.Title, Qt::AlignLeft | Qt::AlignVCenter, Q(t.Title));
    p.setFont(f);
    p.drawText(l.Text, Qt::AlignLeft | Qt::AlignTop,
               Q(t.Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  }

  void resizeEvent(QResizeEvent*) override {
    if (ctl_ && ctl_->TipInfo().Balloon)
      setMask(QRegion(Balloon(QRectF(rect())).toFillPolygon().toPolygon()));
    else
      clearMask();
  }
  static QPainterPath Balloon(const QRectF& r) {
    QPainterPath path;
    path.addRoundedRect(r, 6, 6);
    return path;
  }

  TImpl* d_;
  TControl* ctl_;
};

// ---- assistive technology ----

QAccessible::Role QtRole(TAccessRole r) {
  switch (r) {
    case TAccessRole::Window:
      return QAccessible::Window;
    case TAccessRole::Dialog:
      return QAccessible::Dialog;
    case TAccessRole::Group:
      return QAccessible::Grouping;
    case TAccessRole::RadioButton:
      return QAccessible::RadioButton;
    case TAccessRole::Button:
      return QAccessible::Button;
    case TAccessRole::Item:
      return QAccessible::ListItem;
    case TAccessRole::Alert:
      return QAccessible::AlertMessage;
    case TAccessRole::ComboBox:
      return QAccessible::ComboBox;
    case TAccessRole::Text:
      return QAccessible::StaticText;
    case TAccessRole::ToolTip:
      return QAccessible::ToolTip;
    case TAccessRole::Hidden:
      return QAccessible::NoRole;
    default:
      return QAccessible::Client;
  }
}

// A painted control, a form or a radio button as assistive technology sees it: the window
// layer's description (Qt would call a radio button that is not auto-exclusive a check box). A
// button or radio button can be pressed. The combo boxes keep what Qt gives them.
class TQtAccessible : public QAccessibleWidget {
 public:
  explicit TQtAccessible(QWidget* w) : QAccessibleWidget(w) {}

  TControl* Ctl() const {
    if (auto* h = dynamic_cast<THs<QWidget>*>(widget())) return h->Ctl();
    auto* r = dynamic_cast<THs<QRadioButton>*>(widget());
    return r ? r->Ctl() : nullptr;
  }
  QAccessible::Role role() const override {
    TControl* c = Ctl();
    return c ? QtRole(c->AccessRole()) : QAccessibleWidget::role();
  }
  QString text(QAccessible::Text t) const override {
    TControl* c = Ctl();
    if (c && t == QAccessible::Name) return QString::fromStdString(c->Access().Name);
    if (c && t == QAccessible::Description) return QString::fromStdString(c->Access().Description);
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    TControl* c = Ctl();
    if (c && c->AccessRole() == TAccessRole::Hidden) s.invisible = true;
    if (c && c->TabOrder() > 0) s.focusable = true;
    if (c && c->Kind() == TControlKind::RadioButton) {
      s.checkable = true;
      s.checked = c->Checked();
    }
    return s;
  }
  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    TControl* c = Ctl();
    if (c && Pressable(*c)) names.prepend(pressAction());
    return names;
  }
  void doAction(const QString& name) override {
    TControl* c = Ctl();
    if (c && name == pressAction() && Pressable(*c) && c->Enabled()) return c->Click();
    QAccessibleWidget::doAction(name);
  }

 private:
  static bool Pressable(const TControl& c) {
    return c.AccessRole() == TAccessRole::Button || c.AccessRole() == TAccessRole::RadioButton;
  }
};

bool SpeaksForItself(QObject* o) {
  return dynamic_cast<TQtPainted*>(o) || dynamic_cast<TQtForm*>(o) || dynamic_cast<TQtRadio*>(o);
}

QAccessibleInterface* AccessibleFactory(const QString&, QObject* o) {
  auto* w = qobject_cast<QWidget*>(o);
  return w && SpeaksForItself(w) ? new TQtAccessible(w) : nullptr;
}

void ForgetWidget(QWidget* w) {
  if (auto* h = dynamic_cast<TQtTip*>(w)) return h->Forget();
  if (auto* h = dynamic_cast<THs<QWidget>*>(w)) return h->Forget();
  if (auto* h = dynamic_cast<THs<QRadioButton>*>(w)) return h->Forget();
  if (auto* h = dynamic_cast<THs<QComboBox>*>(w)) return h->Forget();
}

int g_argc = 1;
char g_arg0[] = "herosheet";
char* g_argv[] = {g_arg0, nullptr};

}  // namespace

// ---- the backend ----

TQtBackend::TQtBackend(int argc, char** argv) : d_(std::make_unique<TImpl>()) {
  d_->Self = this;
  if (!QApplication::instance()) {
    if (argc > 0 && argv) {
      g_argc = argc;
      d_->App = std::make_unique<QApplication>(g_argc, argv);
    } else {
      d_->App = std::make_unique<QApplication>(g_argc, g_argv);
    }
  }
  QAccessible::installFactory(AccessibleFactory);
  QAccessible::installActivationObserver(&d_->Activation);
  TImpl* d = d_.get();
  for (int id = 0; id < THoverTiming::tmCount; ++id) {
    d->Timers[id].setSingleShot(true);
    QObject::connect(&d->Timers[id], &QTimer::timeout, [d, id] { d->Hover.Fired(id); });
  }
}

TQtBackend::~TQtBackend() {
  QAccessible::removeActivationObserver(&d_->Activation);
  d_->Hover.Reset();
  d_->Depth = 0;
  d_->Flush();
  // Windows still standing belong to controls that outlive the backend: cut them loose.
  std::vector<QWidget*> tops;
  for (auto& [c, w] : d_->Widgets) {
    ForgetWidget(w);
    const_cast<TControl*>(c)->SetNative(nullptr);
    if (!w->parentWidget()) tops.push_back(w);
  }
  d_->Widgets.clear();
  d_->Controls.clear();
  for (QWidget* w : tops)
    delete w;
  d_->App.reset();
}

QWidget* TQtBackend::WidgetOf(const TControl& c) const {
  auto it = d_->Widgets.find(&c);
  return it == d_->Widgets.end() ? nullptr : it->second;
}

TControl* TQtBackend::ControlOf(const QWidget* w) const {
  auto it = d_->Controls.find(w);
  return it == d_->Controls.end() ? nullptr : it->second;
}

namespace {

// The program's icon of that name (a resource ":/icons/NAME.png" linked into the program), else
// its "MAINICON"; none when it has neither.
QIcon IconFor(const std::string& name) {
  for (const std::string& n :
       {name.empty() ? std::string("MAINICON") : name, std::string("MAINICON")}) {
    QString path = QStringLiteral(":/icons/") + QString::fromStdString(n) + QStringLiteral(".png");
    if (QFile::exists(path)) return QIcon(path);
  }
  return QIcon();
}

}  // namespace

void TQtBackend::CreateNative(TControl& c) {
  if (c.Kind() == TControlKind::Application) {
    c.SetNative(&d_->AppletMarker);
    Apply(c, chIcon);
    return;
  }
  TImpl* d = d_.get();
  QWidget* parent = nullptr;
  if (c.Kind() != TControlKind::Form && c.Kind() != TControlKind::ToolTip && c.Parent())
    parent = d->ClientOf(c.Parent());
  QWidget* w = nullptr;
  switch (c.Kind()) {
    case TControlKind::Form:
      w = new TQtForm(d, &c, nullptr);
      break;
    case TControlKind::Label:
      w = new TQtLabel(d, &c, parent);
      break;
    case TControlKind::GroupBox:
      w = new TQtGroupBox(d, &c, parent);
      break;
    case TControlKind::Panel: {
      w = new TQtPanel(d, &c, parent);
      QWidget* client = new TQtClient(d, &c, w);
      d->Clients[&c] = client;
      d->Controls[client] = &c;
      break;
    }
    case TControlKind::RadioButton: {
      auto* r = new TQtRadio(d, &c, parent);
      r->setAutoExclusive(false);
      r->setCheckable(true);
      TControl* ctl = &c;
      QObject::connect(r, &QAbstractButton::clicked, [d, ctl] {
        if (d->Alive(ctl)) ctl->NotifyClick();
      });
      w = r;
      break;
    }
    case TControlKind::ComboBox: {
      auto* cb = new TQtCombo(d, &c, parent);
      TControl* ctl = &c;
      QObject::connect(cb, &QComboBox::activated, [d, ctl](int index) {
        if (d->Alive(ctl)) ctl->NotifySelChange(index);
      });
      w = cb;
      break;
    }
    case TControlKind::ToolTip:
      w = new TQtTip(d, &c);
      break;
    case TControlKind::Application:
      break;
  }
  if (!w) return;
  d->Widgets[&c] = w;
  d->Controls[w] = &c;
  c.SetNative(w);
  // An interface Qt made before the widget was whole is not the layer's: made again.
  if (QAccessible::isActive() && SpeaksForItself(w))
    if (QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w))
      if (!dynamic_cast<TQtAccessible*>(i))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(i));
  w->setAttribute(Qt::WA_DeleteOnClose, false);
  if (c.Kind() == TControlKind::Label || c.Kind() == TControlKind::GroupBox ||
      c.Kind() == TControlKind::Panel)
    w->setFocusPolicy(Qt::NoFocus);
  if (c.Kind() == TControlKind::Form) {
    w->setFocusPolicy(Qt::TabFocus);
    // A form owned by a form stays above its owner, as an owned window does on Win32 (a modal
    // form must not hide behind the form it disables).
    QWidget* owner =
        c.Parent() && c.Parent()->Kind() == TControlKind::Form ? d->ClientOf(c.Parent()) : nullptr;
    if (owner) {
      owner->window()->winId();  // first: a newer window lies above it
      w->winId();
      if (w->windowHandle() && owner->window()->windowHandle())
        w->windowHandle()->setTransientParent(owner->window()->windowHandle());
    }
  }
  // A new child stays above its older siblings in Qt's stacking. Overlapping siblings without
  // clipping paint in that order on Win32 too: the younger one's text is not cut by the older
  // one's background (rows of labels overlap by a few pixels).
  Apply(c, chAll & ~chVisible);
  if (c.Kind() != TControlKind::ToolTip) w->setVisible(c.Visible());
}

void TQtBackend::DestroyNative(TControl& c) {
  TImpl* d = d_.get();
  d->LeaveFrom(&c);  // while its window is still there
  d->Hover.Gone(c);
  c.SetNative(nullptr);
  d->Said.erase(&c);
  auto it = d->Widgets.find(&c);
  if (it == d->Widgets.end()) return;
  QWidget* w = it->second;
  d->Widgets.erase(it);
  d->Controls.erase(w);
  auto cl = d->Clients.find(&c);
  if (cl != d->Clients.end()) {
    d->Controls.erase(cl->second);
    ForgetWidget(cl->second);
    d->Clients.erase(cl);
  }
  ForgetWidget(w);
  w->hide();
  if (d->Depth > 0) {
    d->Doomed.emplace_back(w);  // its own event may still be running
  } else {
    delete w;
  }
}

// ---- applying changed properties, one function per change bit ----

namespace {

// Where a panel's children go: inside its edge when it has one.
void PlaceClient(QWidget* client, const TControl& c) {
  int e = c.EdgeStyle() == 1 ? 3 : 0;
  client->setGeometry(e, e, std::max(0, c.Width() - 2 * e), std::max(0, c.Height() - 2 * e));
}

Qt::WindowFlags FormFlags(const TControl& c) {
  uint32_t s = c.Style();
  Qt::WindowFlags f = Qt::Window;
  if ((s & ws::Caption) == ws::Caption) {
    f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
         Qt::WindowCloseButtonHint;
    if (s & ws::MinimizeBox) f |= Qt::WindowMinimizeButtonHint;
    if (s & ws::MaximizeBox) f |= Qt::WindowMaximizeButtonHint;
  } else {
    f |= Qt::FramelessWindowHint;
  }
  if (c.ExStyle() & wsex::ToolWindow) f = (f & ~Qt::Window) | Qt::Tool;
  if (c.ExStyle() & wsex::TopMost) f |= Qt::WindowStaysOnTopHint;
  return f;
}

Qt::FocusPolicy FocusPolicyOf(const TControl& c) {
  // Buttons and combo boxes take the focus from a click, static windows never. No control
  // takes it from Qt's own Tab chain: the window layer moves it, and an activated form keeps
  // it itself, as a Win32 window does.
  if (c.Kind() == TControlKind::RadioButton || c.Kind() == TControlKind::ComboBox)
    return Qt::ClickFocus;
  return Qt::NoFocus;
}

}  // namespace

// Border styles: a form's window flags, a control's focus policy, a panel's client area.
void TQtBackend::TImpl::ApplyStyle(TControl& c, QWidget* w) {
  if (c.Kind() == TControlKind::Form) {
    Qt::WindowFlags f = FormFlags(c);
    bool vis = w->isVisible();
    if (w->windowFlags() != f) {
      w->setWindowFlags(f);
      if (vis) w->show();
    }
  } else if (c.Kind() != TControlKind::ToolTip) {
    w->setFocusPolicy(FocusPolicyOf(c));
  }
  if (QWidget* client = PanelClient(&c)) {
    PlaceClient(client, c);
    w->update();
  }
}

// A form's size includes its frame; a tip moves only when it tracks.
void TQtBackend::TImpl::ApplyBounds(TControl& c, QWidget* w) {
  if (c.Kind() == TControlKind::Form) {
    TSize extra = Self->FrameExtra(c);
    int cw = std::max(0, c.Width() - extra.Width), ch = std::max(0, c.Height() - extra.Height);
    // Left and Top are the outer corner of the classic frame that Width and Height include:
    // the client area goes that frame's border and caption further in. The real frame is the
    // window manager's, known only once it has framed the window; a position read back from
    // it while the client area was placed from the stored one would drift by the difference.
    QRect client(ClientOrigin(c, extra), QSize(cw, ch));
    if (c.Style() & ws::SizeBox) {
      w->setMinimumSize(0, 0);
      w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
      w->setFixedSize(cw, ch);
    }
    if (w->geometry() != client) w->setGeometry(client);
  } else if (c.Kind() == TControlKind::ToolTip) {
    // Tips are placed when they show.
  } else {
    w->setGeometry(c.Left(), c.Top(), c.Width(), c.Height());
  }
  if (QWidget* client = PanelClient(&c)) PlaceClient(client, c);
}

void TQtBackend::TImpl::ApplyText(TControl& c, QWidget* w) {
  switch (c.Kind()) {
    case TControlKind::Form:
      w->setWindowTitle(Q(c.Text()));
      break;
    case TControlKind::RadioButton:
      static_cast<QRadioButton*>(w)->setText(Q(c.Text()));
      break;
    case TControlKind::ComboBox: {
      auto* cb = static_cast<QComboBox*>(w);
      if (cb->isEditable()) cb->setEditText(Q(c.Text()));
      break;
    }
    default:
      if (auto* p = dynamic_cast<TQtPainted*>(w)) p->Text = Q(c.Text());
      w->update();
      break;
  }
}

// Labels and panels place their text when they paint.
void TQtBackend::TImpl::ApplyAlignment(TControl& c, QWidget* w) {
  if (c.Kind() != TControlKind::Label && c.Kind() != TControlKind::Panel) return;
  if (auto* p = dynamic_cast<TQtPainted*>(w)) p->Alignment = c.Alignment();
  w->update();
}

// Font and colour travel together in the palette; a tip takes both from its own settings.
void TQtBackend::TImpl::ApplyLook(TControl& c, QWidget* w) {
  w->setFont(ToQFont(c.Font()));
  QPalette pal = w->palette();
  QColor bg = ToQColor(c.Color()), fg = ToQColor(c.Font().Color);
  for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
    pal.setColor(role, bg);
  for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
    pal.setColor(QPalette::Active, role, fg), pal.setColor(QPalette::Inactive, role, fg);
  w->setPalette(pal);
  w->setAutoFillBackground(true);
  if (QWidget* client = PanelClient(&c)) {
    client->setPalette(pal);
    client->setAutoFillBackground(false);
  }
  w->update();
}

void TQtBackend::TImpl::ApplyTipLayout(QWidget* w) {
  w->adjustSize();
  // The balloon's mask follows a change of shape at the same size, too.
  QResizeEvent e(w->size(), w->size());
  QApplication::sendEvent(w, &e);
  w->update();
}

void TQtBackend::TImpl::ApplyCursor(TControl& c, QWidget* w) {
  if (c.Cursor() == 0)
    w->unsetCursor();
  else
    w->setCursor(CursorShape(c.Cursor()));
}

// Items, selection and the edit field of a combo box; no signal reaches the layer from here.
void TQtBackend::TImpl::ApplyCombo(TControl& c, QWidget* w, bool items) {
  auto* cb = static_cast<QComboBox*>(w);
  QSignalBlocker block(cb);
  bool newField = cb->isEditable() != c.Editable() && c.Editable();
  if (cb->isEditable() != c.Editable()) cb->setEditable(c.Editable());
  if (items) {
    cb->clear();
    for (const std::string& s : c.Items())
      cb->addItem(Q(s));
  }
  cb->setCurrentIndex(c.ItemIndex());
  // Selecting no item empties the field: a new field gets the text afterwards.
  if (newField) cb->setEditText(Q(c.Text()));
}

void TQtBackend::TImpl::ApplyWindowState(TControl& c, QWidget* w) {
  Qt::WindowStates st = c.WindowState() == wsMinimized   ? Qt::WindowMinimized
                        : c.WindowState() == wsMaximized ? Qt::WindowMaximized
                                                         : Qt::WindowNoState;
  w->setWindowState(st);
}

void TQtBackend::TImpl::ApplyVisible(TControl& c, QWidget* w) {
  if (c.Kind() != TControlKind::ToolTip) {
    if (!c.Visible()) {
      LeaveFrom(&c);
      Hover.Gone(c);
    }
    w->setVisible(c.Visible());
  }
}

void TQtBackend::TImpl::ScheduleAccess() {
  if (AccessDue || !App) return;
  AccessDue = true;
  QTimer::singleShot(0, App.get(), [this] { RefreshAccess(); });
}

// Names and descriptions follow other controls' texts and the data: what changed is told.
void TQtBackend::TImpl::RefreshAccess() {
  AccessDue = false;
  // Without a listener only Qt's own widgets need their names and descriptions set.
  bool active = QAccessible::isActive();
  for (auto& [c, w] : Widgets) {
    if (!active && SpeaksForItself(w)) continue;
    TAccessInfo a = c->Access();
    std::string said = a.Name + '\x1f' + a.Description;
    auto it = Said.find(c);
    bool told = it != Said.end();
    if (told && it->second == said) continue;
    if (!SpeaksForItself(w)) {
      // Qt's own widgets tell a change of these themselves.
      if (!c->AccessLabels().empty()) w->setAccessibleName(QString::fromStdString(a.Name));
      w->setAccessibleDescription(QString::fromStdString(a.Description));
    } else if (told && SpeaksForItself(w)) {
      QAccessibleEvent name(w, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&name);
      QAccessibleEvent description(w, QAccessible::DescriptionChanged);
      QAccessible::updateAccessibility(&description);
    }
    Said[c] = said;
  }
}

void TQtBackend::Apply(TControl& c, uint32_t changes) {
  // The application window's icon is every window's that has none of its own.
  if (c.Kind() == TControlKind::Application && (changes & chIcon) && c.HasWindow())
    QApplication::setWindowIcon(IconFor(c.Icon()));
  QWidget* w = WidgetOf(c);
  if (!w) return;
  TImpl& d = *d_;
  d.ScheduleAccess();
  TControlKind k = c.Kind();
  bool form = k == TControlKind::Form, tip = k == TControlKind::ToolTip;

  if (changes & chStyle) {
    d.ApplyStyle(c, w);
    if (form) changes |= chBounds;  // new flags may change the frame
  }
  if (changes & chBounds) d.ApplyBounds(c, w);
  if (changes & chText) d.ApplyText(c, w);
  if (changes & chAlignment) d.ApplyAlignment(c, w);
  if ((changes & (chFont | chColor)) && !tip) d.ApplyLook(c, w);
  if ((changes & (chTip | chFont)) && tip) d.ApplyTipLayout(w);
  if (changes & chEnabled) {
    w->setEnabled(c.Enabled());
    if (!c.Enabled()) d.LeaveFrom(&c);  // no more input reaches it: the mouse has left
  }
  if (changes & chCursor) d.ApplyCursor(c, w);
  if ((changes & chCheck) && k == TControlKind::RadioButton)
    static_cast<QRadioButton*>(w)->setChecked(c.Checked());
  if ((changes & (chItems | chSelection | chStyle)) && k == TControlKind::ComboBox)
    d.ApplyCombo(c, w, (changes & chItems) != 0);
  if ((changes & chAlpha) && form) w->setWindowOpacity(c.Alpha() / 255.0);
  if ((changes & chIcon) && form) w->setWindowIcon(IconFor(c.Icon()));
  if ((changes & chWindowState) && form) d.ApplyWindowState(c, w);
  if (changes & chVisible) d.ApplyVisible(c, w);
  if ((changes & chTrack) && tip) d.Hover.Tracked(c);
}

void TQtBackend::Restack(TControl& c, bool toFront) {
  if (QWidget* w = WidgetOf(c)) {
    if (toFront)
      w->raise();
    else
      w->lower();
  }
}

void TQtBackend::SetFocus(TControl& c) {
  if (QWidget* w = WidgetOf(c)) w->setFocus(Qt::OtherFocusReason);
}

TControl* TQtBackend::FocusedControl() {
  QWidget* f = QApplication::focusWidget();
  return f ? ControlOf(f) : nullptr;
}

void TQtBackend::SetCapture(TControl* c) {
  if (QWidget* g = QWidget::mouseGrabber()) g->releaseMouse();
  if (c)
    if (QWidget* w = WidgetOf(*c)) w->grabMouse();
}

void TQtBackend::BeginSystemMove(TControl& form) {
  QWidget* w = WidgetOf(form);
  if (w && w->windowHandle()) w->windowHandle()->startSystemMove();
}

TSize TQtBackend::MeasureText(const TControl& c, std::string_view text) {
  QFontMetrics fm(ToQFont(c.Font()));
  return TSize{fm.horizontalAdvance(Q(text)), fm.height()};
}

TSize TQtBackend::FrameExtra(const TControl& form) {
  return ClassicFrameExtra(form.Style(), form.ExStyle());
}

void TQtBackend::SetClipboardText(std::string_view text) {
  QGuiApplication::clipboard()->setText(
      QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

std::string TQtBackend::ClipboardText() {
  return QGuiApplication::clipboard()->text().toUtf8().toStdString();
}

void TQtBackend::ShowMessage(TControl* owner, std::string_view text, std::string_view caption) {
  QWidget* parent = owner ? WidgetOf(*owner->TopWindow()) : nullptr;
  QMessageBox box(QMessageBox::Information, Q(caption), Q(text), QMessageBox::Ok, parent);
  box.exec();
}

bool TQtBackend::ProcessMessages(bool wait) {
  if (d_->Quit) return false;
  QCoreApplication::processEvents(wait ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
  d_->Flush();
  return !d_->Quit;
}

void TQtBackend::PostQuit() {
  d_->Quit = true;
  if (auto* disp = QAbstractEventDispatcher::instance()) disp->wakeUp();
}

void TQtBackend::ResetQuit() {
  d_->Quit = false;
}

TQtBackend::TPaintedText TQtBackend::PaintedText(const TControl& c) const {
  auto* p = dynamic_cast<const TQtPainted*>(WidgetOf(c));
  if (!p) return TPaintedText{};
  return TPaintedText{true, p->Text.toUtf8().toStdString(), p->Alignment};
}

QImage TQtBackend::Grab(const TControl& form) const {
  QWidget* w = WidgetOf(form);
  return w ? w->grab().toImage() : QImage();
}

bool TQtBackend::PickFont(TControl* owner, const TFontRec& font, TFontChoice& out) {
  QFont initial;
  initial.setFamily(Q(font.Name));
  initial.setPointSize(std::max(1, static_cast<int>(font.Size)));
  initial.setBold(font.Style & fsBold);
  initial.setItalic(font.Style & fsItalic);
  initial.setUnderline(font.Style & fsUnderline);
  initial.setStrikeOut(font.Style & fsStrikeOut);
  QWidget* parent = owner ? WidgetOf(*owner) : QApplication::activeWindow();
  if (parent) parent = parent->window();
  QFontDialog dialog(initial, parent);
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return false;
  QFont chosen = dialog.selectedFont();
  QByteArray face = chosen.family().toUtf8();
  out.Face.assign(face.constData(), static_cast<size_t>(face.size()));
  out.PointTenths = static_cast<int32_t>(chosen.pointSizeF() * 10 + 0.5);
  out.Weight = chosen.weight();
  out.Italic = chosen.italic();
  out.Underline = chosen.underline();
  out.StrikeOut = chosen.strikeOut();
  out.Color = font.Color;
  out.CharSet = font.CharSet;
  return true;
}
