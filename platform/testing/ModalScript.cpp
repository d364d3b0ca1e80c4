#include "platform/testing/ModalScript.h"

#include "platform/SysUtils.h"

ModalScript::ModalScript() {
  previous_ = Application->ModalSeam();
  Application->SetModalSeam(this);
}

ModalScript::~ModalScript() {
  if (Application->ModalSeam() == this) Application->SetModalSeam(previous_);
}

void ModalScript::ExpectMessage(int result) { messageAnswers_.push_back(result); }

void ModalScript::AnswerModal(const String& formName, int result) {
  modalAnswers_.push_back(ModalAnswer{formName, [result](TForm*) { return result; }});
}

void ModalScript::AnswerModal(const String& formName, std::function<int(TForm*)> fn) {
  modalAnswers_.push_back(ModalAnswer{formName, std::move(fn)});
}

void ModalScript::AnswerFileDialog(const String& path) { fileAnswers_.push_back(TFileDialogAnswer{true, path, 0}); }
void ModalScript::CancelFileDialog() { fileAnswers_.push_back(TFileDialogAnswer{false, String(), 0}); }
void ModalScript::AnswerProgram(const TProgramResult& result) { programAnswers_.push_back(result); }

int ModalScript::PendingAnswers() const {
  return static_cast<int>(messageAnswers_.size() + modalAnswers_.size() + fileAnswers_.size() + programAnswers_.size());
}

int ModalScript::ShowModal(TForm* Form) {
  RecordedModal rec{Form->Name(), Form->ClassName(), mrNone};
  size_t index = modals_.size();
  modals_.push_back(rec);
  int result = mrCancel;
  auto it = modalAnswers_.begin();
  for (; it != modalAnswers_.end(); ++it) {
    if (it->formName.empty() || SameText(it->formName, Form->Name()) || SameText(it->formName, Form->ClassName())) break;
  }
  if (it == modalAnswers_.end()) {
    ++unanswered_;
  } else {
    auto fn = it->fn;
    modalAnswers_.erase(it);
    result = fn(Form);
  }
  int final = Form->ModalResult() != mrNone ? Form->ModalResult() : result;
  modals_[index].Result = final;
  return result;
}

int ModalScript::MessageBox(const TMessageRequest& Request) {
  RecordedMessage rec{Request.Type, Request.Caption, Request.Text, Request.Buttons, mrNone};
  if (!messageAnswers_.empty()) {
    rec.Result = messageAnswers_.front();
    messageAnswers_.pop_front();
  } else {
    ++unanswered_;
    int count = 0;
    TMsgDlgBtn only = mbOK;
    for (int i = mbYes; i <= mbClose; ++i) {
      if (Request.Buttons.Contains(static_cast<TMsgDlgBtn>(i))) {
        ++count;
        only = static_cast<TMsgDlgBtn>(i);
      }
    }
    if (count == 1) rec.Result = ModalResultOfButton(only);
    else if (Request.Buttons.Contains(mbCancel)) rec.Result = mrCancel;
    else if (Request.Buttons.Contains(mbNo)) rec.Result = mrNo;
    else rec.Result = count ? ModalResultOfButton(only) : mrOk;
  }
  messages_.push_back(rec);
  return rec.Result;
}

TFileDialogAnswer ModalScript::FileDialog(const TFileDialogRequest& Request) {
  fileDialogs_.push_back(Request);
  if (fileAnswers_.empty()) {
    ++unanswered_;
    return TFileDialogAnswer{};
  }
  TFileDialogAnswer a = fileAnswers_.front();
  fileAnswers_.pop_front();
  if (a.FilterIndex == 0) a.FilterIndex = Request.FilterIndex;
  return a;
}

bool ModalScript::OpenURL(const String& Url) {
  urls_.push_back(Url);
  return openUrlResult_;
}

TProgramResult ModalScript::StartProgram(const TProgramRequest& Request) {
  programs_.push_back(Request);
  if (programAnswers_.empty()) return TProgramResult{true, true, 0, String()};
  TProgramResult r = programAnswers_.front();
  programAnswers_.pop_front();
  return r;
}
