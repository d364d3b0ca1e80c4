#pragma once
// Forms, the application object and the screen. Forms are top-level windows with a focus
// manager of their own: kill-focus, set-focus, exit and enter arrive inside the call that moves
// the focus, in the class library's order, and Qt's focus follows.
//
// Every modal interaction (ShowModal, message boxes, file dialogs, opening a URL, starting a
// program) goes through TApplication; a test installs a TModalSeam (see
// platform/testing/ModalScript.h) that answers and records them without an event loop.
#include <functional>
#include <memory>
#include <vector>

#include "platform/Controls.h"

class TModalSeam;

using TModalResult = int;
enum : int {
  mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
  mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11
};

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSmallSet<TBorderIcon>;
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                 poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;
  String ClassName() const override { return u"TForm"; }
  // Runs OnCreate (the class library raises it at the end of construction); New<T> and
  // TApplication::CreateForm call it.
  void AfterConstruction() override;

  // Frame. Width/Height include the frame; the widget is the client area.
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle s);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons b) { borderIcons_ = b; SyncWidget(); }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition p) { position_ = p; }
  TRect ClientRect() const override;
  void SetClientWidth(int v) override;
  void SetClientHeight(int v) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Frame thickness: left, top (with the caption), right, bottom.
  TRect FrameExtents() const;

  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* c);
  // Moves the focus: WM_KILLFOCUS to the old control, WM_SETFOCUS to the new one, CM_EXIT up
  // the old chain, CM_ENTER down the new chain, CM_FOCUSCHANGED to all controls.
  void FocusControl(TWinControl* c);
  TWinControl* FocusedControl() const { return focused_; }
  bool Active() const;

  int ModalResult() const { return modalResult_; }
  void SetModalResult(int r) { modalResult_ = r; }
  bool Modal() const { return modal_; }
  int ShowModal();
  void SetVisible(bool v) override;
  void Close();
  bool CloseQuery();
  void Release();
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState s) { windowState_ = s; }

  void WndProc(TMessage& Message) override;
  // Platform internals: a popup form (platform/PopupForm.h) is a borderless tool window kept
  // above the others, which a press on another form deactivates.
  virtual bool PopupKind() const { return false; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // Platform internals: the modal loop ends when this turns true.
  bool ModalDone() const { return modalResult_ != mrNone; }

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void SyncWidget() override;
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  // The modal loop of production (a nested event loop).
  int RunModalLoop();
  void CloseModal();

 private:
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  bool keyPreview_ = false;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focused_ = nullptr;
  int modalResult_ = mrNone;
  bool modal_ = false;
  bool created_ = false;
  bool shownOnce_ = false;
  TWindowState windowState_ = wsNormal;
  friend class TApplication;
  friend class TWinControl;
};

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

// Outcome of starting an external program and waiting for it.
struct TProgramResult {
  bool Started = false;   // false: Error says why
  bool Finished = false;  // false: still running when the wait ended (it keeps running)
  int ExitCode = -1;
  String Error;
};

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;
  String ClassName() const override { return u"TApplication"; }

  // Creates the Qt application when there is none (no scaling with the pixel density).
  void Initialize();
  // Sets Reference before the form's OnCreate runs, as the class library does; the first
  // form created becomes MainForm after its creation.
  template <class T>
  void CreateForm(T*& Reference) {
    Initialize();
    T* form = new T(this);
    Reference = form;
    form->AfterConstruction();
    FormCreated(form);
  }
  void Run();  // shows the main form and runs the event loop until it closes
  void Terminate();
  bool Terminated() const { return terminated_; }
  void ProcessMessages();
  TForm* MainForm() const { return mainForm_; }
  void SetMainFormOnTaskBar(bool v) { mainFormOnTaskBar_ = v; }
  const String& Title() const { return title_; }
  void SetTitle(const String& t) { title_ = t; }
  String ExeName() const;

  // The default error report for the exception being handled: OnException when set, else an
  // error box with the exception's message. Call only inside a catch block.
  void HandleException(TObject* Sender);
  void ShowException(const std::exception& E);
  TExceptionEvent OnException;
  // Runs fn and reports an escaping exception through HandleException (the dispatch boundary).
  void Guard(TObject* Sender, const std::function<void()>& fn);

  // The desktop's colours, visual style or user-interface font changed: every control of every
  // form hears CM_SYSCOLORCHANGE, WM_THEMECHANGED or CM_SYSFONTCHANGED. Qt's palette, theme and
  // application-font changes arrive here as well.
  void NotifySystemColorsChanged();
  void NotifyThemeChanged();
  void NotifySystemFontChanged();

  // ---- the modal seam ----
  TModalSeam* ModalSeam() const { return seam_; }
  void SetModalSeam(TModalSeam* seam) { seam_ = seam; }
  // Shell open of a URL (default browser).
  bool OpenURL(const String& Url);
  // Starts a program and waits up to WaitMs for its end, keeping the UI thread blocked.
  TProgramResult StartProgram(const String& Exe, const std::vector<String>& Args, const String& WorkDir,
                              uint32_t WaitMs);

  // ---- hints of the controls that answer CM_HINTSHOW (platform/HintWindow.h) ----
  // The mouse rests this long on such a control before its hint shows; a shown hint hides
  // after HintHidePause.
  int HintPause() const;
  void SetHintPause(int Ms);
  int HintHidePause() const;
  void SetHintHidePause(int Ms);
  // A mouse move over Control at ClientPos: a new control (or leaving the kept rectangle)
  // hides the shown hint and waits HintPause again.
  void HintMouseMessage(TControl* Control, TPoint ClientPos);
  // Asks the control under the last hint mouse move for its hint now and shows it.
  void ActivateHint(TPoint CursorPos);
  // Hides the shown hint; the next mouse move asks the control again.
  void CancelHint();
  // The window of the hint shown (or last shown), and the control it belongs to.
  class THintWindow* HintWindow() const;
  TControl* HintControl() const;

 private:
  friend class TForm;
  void FormCreated(TForm* form);
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool mainFormOnTaskBar_ = false;
  String title_;
  TModalSeam* seam_ = nullptr;
};

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner);
  String ClassName() const override { return u"TScreen"; }
  int Width() const;
  int Height() const;
  int PixelsPerInch() const { return 96; }
  TRect WorkAreaRect() const;
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);
  TForm* ActiveForm() const;
  int FormCount() const;
  TForm* Forms(int i) const;

 private:
  TCursor cursor_ = crDefault;
};

// Makes Form the active form: the form that was active hears WM_ACTIVATE with WA_INACTIVE and
// Form in LParam (while it is still visible), then Form hears WM_ACTIVATE with How and the old
// form. Nothing when Form is active already.
void ActivateForm(TForm* Form, unsigned How);
// Platform internals: a press on Target while a popup form is active activates Target's form.
void PressActivatesForm(TControl* Target);

extern TApplication* Application;
extern TScreen* Screen;
