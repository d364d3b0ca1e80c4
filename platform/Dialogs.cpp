#include "platform/Dialogs.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/SysUtils.h"
#include "platform/qt/ControlBackend.h"

int ModalResultOfButton(TMsgDlgBtn b) {
  switch (b) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbHelp: return mrNone;
    case mbClose: return mrClose;
  }
  return mrNone;
}

String MsgDlgTypeCaption(TMsgDlgType t) {
  switch (t) {
    case mtWarning: return u"Warning";
    case mtError: return u"Error";
    case mtInformation: return u"Information";
    case mtConfirmation: return u"Confirmation";
    case mtCustom: break;
  }
  return Application && !Application->Title().empty() ? Application->Title() : String(u"Message");
}

namespace {
const char* ButtonText(TMsgDlgBtn b) {
  switch (b) {
    case mbYes: return "&Yes";
    case mbNo: return "&No";
    case mbOK: return "OK";
    case mbCancel: return "Cancel";
    case mbAbort: return "&Abort";
    case mbRetry: return "&Retry";
    case mbIgnore: return "&Ignore";
    case mbAll: return "&All";
    case mbNoToAll: return "N&o to All";
    case mbYesToAll: return "Yes to &All";
    case mbHelp: return "&Help";
    case mbClose: return "&Close";
  }
  return "";
}

QMessageBox::ButtonRole RoleOf(TMsgDlgBtn b) {
  switch (b) {
    case mbYes: case mbYesToAll: case mbAll: return QMessageBox::YesRole;
    case mbNo: case mbNoToAll: return QMessageBox::NoRole;
    case mbOK: return QMessageBox::AcceptRole;
    case mbCancel: case mbClose: case mbAbort: return QMessageBox::RejectRole;
    case mbHelp: return QMessageBox::HelpRole;
    default: return QMessageBox::ActionRole;
  }
}
}  // namespace

int ShowMessageBox(const TMessageRequest& Request) {
  if (TModalSeam* seam = Application->ModalSeam()) return seam->MessageBox(Request);
  confqt::EnsureApp();
  QMessageBox box;
  box.setWindowTitle(QString::fromStdU16String(Request.Caption));
  box.setText(QString::fromStdU16String(Request.Text));
  switch (Request.Type) {
    case mtWarning: box.setIcon(QMessageBox::Warning); break;
    case mtError: box.setIcon(QMessageBox::Critical); break;
    case mtInformation: box.setIcon(QMessageBox::Information); break;
    case mtConfirmation: box.setIcon(QMessageBox::Question); break;
    case mtCustom: box.setIcon(QMessageBox::NoIcon); break;
  }
  std::vector<std::pair<QAbstractButton*, TMsgDlgBtn>> buttons;
  bool first = true;
  for (int i = mbYes; i <= mbClose; ++i) {
    auto b = static_cast<TMsgDlgBtn>(i);
    if (!Request.Buttons.Contains(b)) continue;
    QAbstractButton* qb = box.addButton(QString::fromUtf8(ButtonText(b)), RoleOf(b));
    buttons.emplace_back(qb, b);
    if (first) box.setDefaultButton(qobject_cast<QPushButton*>(qb));
    first = false;
    if (b == mbCancel) box.setEscapeButton(qb);
  }
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (auto& [qb, b] : buttons) {
    if (qb == clicked) return ModalResultOfButton(b);
  }
  // Closed without a button (close box or Escape without a Cancel button).
  return mrCancel;
}

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
  TMessageRequest r;
  r.Type = DlgType;
  r.Caption = MsgDlgTypeCaption(DlgType);
  r.Text = Msg;
  r.Buttons = Buttons;
  return ShowMessageBox(r);
}

void ShowMessage(const String& Msg) {
  TMessageRequest r;
  r.Type = mtCustom;
  r.Caption = Application && !Application->Title().empty() ? Application->Title() : String(u"Message");
  r.Text = Msg;
  r.Buttons = TMsgDlgButtons{mbOK};
  ShowMessageBox(r);
}

bool OpenURL(const String& Url) { return Application->OpenURL(Url); }

std::vector<TFileFilter> ParseFileFilter(const String& Filter) {
  std::vector<TFileFilter> out;
  std::vector<String> parts;
  String cur;
  for (Char c : Filter) {
    if (c == u'|') {
      parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!Filter.empty()) parts.push_back(cur);
  for (size_t i = 0; i < parts.size(); i += 2) {
    TFileFilter f;
    f.Description = parts[i];
    String pats = i + 1 < parts.size() ? parts[i + 1] : String();
    String p;
    for (Char c : pats + u";") {
      if (c == u';') {
        String t = Trim(p);
        if (!t.empty()) f.Patterns.push_back(t);
        p.clear();
      } else {
        p += c;
      }
    }
    out.push_back(f);
  }
  return out;
}

namespace {
// "*.mib", ".mib" and "mib" all mean the extension "mib".
String CleanExt(const String& e) {
  size_t i = 0;
  while (i < e.size() && (e[i] == u'*' || e[i] == u'.')) ++i;
  return e.substr(i);
}

bool HasExtension(const String& path) {
  size_t slash = path.find_last_of(u"/\\");
  size_t dot = path.find_last_of(u'.');
  return dot != String::npos && (slash == String::npos || dot > slash) && dot + 1 < path.size();
}
}  // namespace

TFileDialogStart FileDialogStart(const String& InitialDir, const String& FileName) {
  TFileDialogStart start;
  const size_t slash = FileName.find_last_of(u'/');
  start.Name = slash == String::npos ? FileName : FileName.substr(slash + 1);
  if (!InitialDir.empty()) start.Folder = InitialDir;
  else if (slash != String::npos) start.Folder = slash == 0 ? String(u"/") : FileName.substr(0, slash);
  return start;
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
TOpenDialog::~TOpenDialog() = default;

TSaveDialog::TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) { save_ = true; }

bool TOpenDialog::Execute() {
  TFileDialogRequest r;
  r.Save = save_;
  r.Title = title_;
  r.Filter = filter_;
  r.InitialDir = initialDir_;
  r.FileName = fileName_;
  r.DefaultExt = defaultExt_;
  r.FilterIndex = filterIndex_;
  r.Options = options_;
  TFileDialogAnswer a;
  if (TModalSeam* seam = Application->ModalSeam()) {
    a = seam->FileDialog(r);
  } else {
    confqt::EnsureApp();
    QStringList filters;
    for (const TFileFilter& f : ParseFileFilter(filter_)) {
      QStringList pats;
      for (const String& p : f.Patterns) pats << QString::fromStdU16String(p);
      QString desc = QString::fromStdU16String(f.Description);
      // Qt reads the patterns from the parentheses; a description that has them already is kept.
      if (!desc.contains('(')) desc += " (" + pats.join(' ') + ")";
      else desc = desc.left(desc.indexOf('(')).trimmed() + " (" + pats.join(' ') + ")";
      filters << desc;
    }
    const TFileDialogStart start = FileDialogStart(initialDir_, fileName_);
    QString dir = QString::fromStdU16String(start.Folder);
    if (!start.Name.empty()) {
      dir = dir.isEmpty() ? QString::fromStdU16String(start.Name)
                          : dir + (dir.endsWith('/') ? "" : "/") + QString::fromStdU16String(start.Name);
    }
    QFileDialog dlg(nullptr, QString::fromStdU16String(title_), dir, filters.join(";;"));
    dlg.setAcceptMode(save_ ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save_ ? QFileDialog::AnyFile
                          : options_.Contains(ofAllowMultiSelect) ? QFileDialog::ExistingFiles
                                                                  : QFileDialog::ExistingFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !options_.Contains(ofOverwritePrompt));
    if (filterIndex_ >= 1 && filterIndex_ <= filters.size()) dlg.selectNameFilter(filters[filterIndex_ - 1]);
    if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()) {
      a.Accepted = true;
      a.FileName = dlg.selectedFiles().first().toStdU16String();
      a.FilterIndex = static_cast<int>(filters.indexOf(dlg.selectedNameFilter())) + 1;
      files_.clear();
      for (const QString& f : dlg.selectedFiles()) files_.push_back(f.toStdU16String());
    }
  }
  if (!a.Accepted) return false;
  String name = a.FileName;
  String ext = CleanExt(defaultExt_);
  if (!ext.empty() && !HasExtension(name)) name += u"." + ext;
  fileName_ = name;
  if (a.FilterIndex >= 1) filterIndex_ = a.FilterIndex;
  if (files_.empty() || files_.front() != name) files_ = {name};
  return true;
}
