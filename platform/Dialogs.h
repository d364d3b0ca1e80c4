#pragma once
// Message boxes, file dialogs and the shell open of a URL, all through the application's modal
// seam so that a test script can answer and record them.
#include <vector>

#include "platform/Forms.h"

enum TMsgDlgType : int { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll,
                  mbHelp, mbClose };
using TMsgDlgButtons = TSmallSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// The modal result a button gives (mbOK -> mrOk, ...).
int ModalResultOfButton(TMsgDlgBtn b);
// Caption of the box: "Warning", "Error", "Information", "Confirmation", or the title for mtCustom.
String MsgDlgTypeCaption(TMsgDlgType t);

// Shows a box with the type's icon and caption; returns the modal result of the chosen button
// (the close box gives mrCancel).
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
void ShowMessage(const String& Msg);
bool OpenURL(const String& Url);

enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
  ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
  ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
  ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = TSmallSet<TOpenOption>;

// One filter entry of a "Desc|*.ext;*.ext2|Desc2|*.x" string.
struct TFileFilter {
  String Description;
  std::vector<String> Patterns;  // "*.ext"
};
std::vector<TFileFilter> ParseFileFilter(const String& Filter);

// Where a file dialog opens and the name it offers. The folder the caller set in InitialDir
// wins over a folder held in FileName (the full name of the last file chosen, typically);
// FileName's folder serves only when InitialDir is empty. Name is FileName's last part.
struct TFileDialogStart {
  String Folder;
  String Name;
};
TFileDialogStart FileDialogStart(const String& InitialDir, const String& FileName);

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  String ClassName() const override { return u"TOpenDialog"; }
  const String& Filter() const { return filter_; }
  void SetFilter(const String& f) { filter_ = f; }
  int FilterIndex() const { return filterIndex_; }  // 1-based
  void SetFilterIndex(int i) { filterIndex_ = i; }
  const String& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const String& e) { defaultExt_ = e; }
  const String& InitialDir() const { return initialDir_; }
  void SetInitialDir(const String& d) { initialDir_ = d; }
  const String& FileName() const { return fileName_; }
  void SetFileName(const String& f) { fileName_ = f; }
  const String& Title() const { return title_; }
  void SetTitle(const String& t) { title_ = t; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions o) { options_ = o; }
  const std::vector<String>& Files() const { return files_; }
  // True with FileName set when the user chose a file. A chosen name without an extension gets
  // DefaultExt (with or without its leading "*." / ".").
  virtual bool Execute();
  bool IsSaveDialog() const { return save_; }

 protected:
  bool save_ = false;

 private:
  String filter_, defaultExt_, initialDir_, fileName_, title_;
  int filterIndex_ = 1;
  TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
  std::vector<String> files_;
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* AOwner);
  String ClassName() const override { return u"TSaveDialog"; }
};

// ---- the seam ----
struct TMessageRequest {
  TMsgDlgType Type = mtInformation;
  String Caption;
  String Text;
  TMsgDlgButtons Buttons;
};
struct TFileDialogRequest {
  bool Save = false;
  String Title, Filter, InitialDir, FileName, DefaultExt;
  int FilterIndex = 1;
  TOpenOptions Options;
};
struct TFileDialogAnswer {
  bool Accepted = false;
  String FileName;
  int FilterIndex = 1;
};
struct TProgramRequest {
  String Exe;
  std::vector<String> Args;
  String WorkDir;
  uint32_t WaitMs = 0;
};

// Shows a message box (or hands it to the seam); returns the modal result.
int ShowMessageBox(const TMessageRequest& Request);

// Answers the modal interactions instead of the user. Installed with
// Application->SetModalSeam(); production runs with none.
class TModalSeam {
 public:
  virtual ~TModalSeam() = default;
  // The form's OnShow has run; the answer may drive the form (input, clicks). The result is the
  // form's ModalResult when it was set, else the returned value.
  virtual int ShowModal(TForm* Form) = 0;
  virtual int MessageBox(const TMessageRequest& Request) = 0;
  virtual TFileDialogAnswer FileDialog(const TFileDialogRequest& Request) = 0;
  virtual bool OpenURL(const String& Url) = 0;
  virtual TProgramResult StartProgram(const TProgramRequest& Request) = 0;
};
