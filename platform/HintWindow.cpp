// The hint window and the application's hint timing for controls that answer CM_HINTSHOW.
#include "platform/HintWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/Forms.h"
#include "platform/qt/ControlBackend.h"

THintWindowClass HintWindowClass = &MakeHintWindow<THintWindow>;

TRect MonitorRectAt(TPoint P) {
  confqt::EnsureApp();
  QScreen* s = QGuiApplication::screenAt(QPoint(P.X, P.Y));
  if (!s) s = QGuiApplication::primaryScreen();
  if (!s) return Rect(0, 0, 1024, 768);
  QRect g = s->geometry();
  return Rect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
}

// =============================================================================================
// THintWindow

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  visible_ = false;
  SetColor(clInfoBk);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, TObject* AData) {
  (void)AData;
  TRect r = Rect(0, 0, MaxWidth, 0);
  DrawText(Canvas(), AHint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint) {
  SetCaption(AHint);
  const TRect m = MonitorRectAt(Point(Rect.Left, Rect.Top));
  const int w = Rect.Width(), h = Rect.Height();
  if (Rect.Right > m.Right) {
    Rect.Left = m.Right - w;
    Rect.Right = m.Right;
  }
  if (Rect.Left < m.Left) {
    Rect.Left = m.Left;
    Rect.Right = m.Left + w;
  }
  if (Rect.Bottom > m.Bottom) {
    Rect.Top = m.Bottom - h;
    Rect.Bottom = m.Bottom;
  }
  ShowAt(Rect);
}

void THintWindow::ActivateHintData(TRect Rect, const String& AHint, TObject* AData) {
  (void)AData;
  ActivateHint(Rect, AHint);
}

void THintWindow::ShowAt(const TRect& R) {
  SetBounds(R.Left, R.Top, R.Width(), R.Height());
  visible_ = true;
  QWidget* w = Widget();
  w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                    Qt::WindowDoesNotAcceptFocus);
  w->setAttribute(Qt::WA_ShowWithoutActivating);
  w->setGeometry(R.Left, R.Top, R.Width(), R.Height());
  w->show();
  w->update();
}

void THintWindow::ReleaseHandle() {
  visible_ = false;
  if (QWidget* w = ExistingWidget()) w->hide();
}

void THintWindow::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  c->Pen()->SetColor(clBlack);
  c->FrameRect(r);
  TRect t = r;
  t.Left += 2;
  t.Top += 2;
  c->Font()->SetColor(clInfoText);
  DrawText(c, Caption(), t, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// =============================================================================================
// The application's hint timing (one application per process)

namespace {

struct THintState {
  int Pause = 500;
  int HidePause = 2500;
  TControl* Control = nullptr;
  TPoint ClientPos;
  TRect CursorRect;
  THintWindow* Window = nullptr;
  THintWindowClass WindowClass = nullptr;
  TTimer* ShowTimer = nullptr;
  TTimer* HideTimer = nullptr;
};

THintState& Hints() {
  static THintState s;
  return s;
}

void Arm(TTimer*& T, unsigned Ms, void (*Fire)()) {
  if (!T) {
    T = New<TTimer>(nullptr);
    T->OnTimer = [Fire](TObject*) { Fire(); };
  }
  T->SetEnabled(false);
  T->SetInterval(Ms);
  T->SetEnabled(true);
}

void Stop(TTimer* T) {
  if (T) T->SetEnabled(false);
}

void HideShown() {
  THintState& h = Hints();
  Stop(h.HideTimer);
  if (h.Window && h.Window->Active()) h.Window->ReleaseHandle();
}

void ShowTimerFired() {
  THintState& h = Hints();
  Stop(h.ShowTimer);
  if (h.Control && confqt::IsAlive(h.Control) && Application)
    Application->ActivateHint(h.Control->ClientToScreen(h.ClientPos));
}

void HideTimerFired() { HideShown(); }

String ShortHint(const String& Hint) {
  const size_t bar = Hint.find(u'|');
  return bar == String::npos ? Hint : Hint.substr(0, bar);
}

}  // namespace

int TApplication::HintPause() const { return Hints().Pause; }
void TApplication::SetHintPause(int Ms) { Hints().Pause = Ms; }
int TApplication::HintHidePause() const { return Hints().HidePause; }
void TApplication::SetHintHidePause(int Ms) { Hints().HidePause = Ms; }
THintWindow* TApplication::HintWindow() const { return Hints().Window; }
TControl* TApplication::HintControl() const { return Hints().Control; }

void TApplication::HintMouseMessage(TControl* Control, TPoint ClientPos) {
  THintState& h = Hints();
  const bool shown = h.Window && h.Window->Active();
  const bool leftRect = shown && !PtInRect(h.CursorRect, ClientPos);
  h.ClientPos = ClientPos;
  if (Control == h.Control && !leftRect) return;
  HideShown();
  // Leaving the kept rectangle of a shown hint is no new wait: the next hint follows at once.
  const unsigned wait = leftRect && Control == h.Control ? 1 : static_cast<unsigned>(h.Pause);
  h.Control = Control;
  if (Control && Control->ShowHint()) Arm(h.ShowTimer, wait, &ShowTimerFired);
  else Stop(h.ShowTimer);
}

void TApplication::ActivateHint(TPoint CursorPos) {
  THintState& h = Hints();
  TControl* c = h.Control;
  if (!c || !confqt::IsAlive(c)) return;
  THintInfo info;
  info.HintControl = c;
  info.HintWindowClass = HintWindowClass;
  info.CursorPos = c->ScreenToClient(CursorPos);
  info.HintPos = Point(CursorPos.X, CursorPos.Y + 20);  // below the cursor
  info.HintMaxWidth = MonitorRectAt(CursorPos).Width();
  info.HintColor = clInfoBk;
  info.CursorRect = c->ClientRect();
  info.HideTimeout = h.HidePause;
  info.HintStr = ShortHint(c->Hint());
  TMessage m{CM_HINTSHOW, 0, reinterpret_cast<intptr_t>(&info), 0};
  c->WndProc(m);
  if (m.Result != 0 || info.HintStr.empty() || !info.HintWindowClass) {
    HideShown();
    return;
  }
  if (h.Window && h.WindowClass != info.HintWindowClass) {
    h.Window->ReleaseHandle();
    h.Window->Free();
    h.Window = nullptr;
  }
  if (!h.Window) {
    h.Window = info.HintWindowClass(nullptr);
    h.WindowClass = info.HintWindowClass;
  }
  h.Window->SetColor(info.HintColor);
  TRect r = h.Window->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  r = Rect(info.HintPos.X, info.HintPos.Y, info.HintPos.X + r.Width(), info.HintPos.Y + r.Height());
  h.CursorRect = info.CursorRect;
  h.Window->ActivateHintData(r, info.HintStr, info.HintData);
  if (info.HideTimeout > 0) Arm(h.HideTimer, static_cast<unsigned>(info.HideTimeout), &HideTimerFired);
}

void TApplication::CancelHint() {
  THintState& h = Hints();
  HideShown();
  Stop(h.ShowTimer);
  h.Control = nullptr;
}
