#pragma once
// Answers the program's modal interactions in a test and records what was asked. Installed for
// its own lifetime (the previous seam comes back when it goes):
//
//   ModalScript script;
//   script.ExpectMessage(mrYes);                       // next message box answers Yes
//   script.AnswerModal(u"FParGen", [&](TForm* f) {     // drives the form, then its result
//     driver.Click(okButton); return mrNone; });       // (the form's ModalResult wins when set)
//   script.AnswerFileDialog(u"/tmp/x.mib");
//
// Unanswered message boxes answer with their single button, else Cancel, else No, else the first
// button; unanswered modal forms give mrCancel. Both are counted in Unanswered().
#include <deque>
#include <functional>
#include <vector>

#include "platform/Dialogs.h"

class ModalScript : public TModalSeam {
 public:
  struct RecordedMessage {
    TMsgDlgType Type = mtInformation;
    String Caption;
    String Text;
    TMsgDlgButtons Buttons;
    int Result = mrNone;
  };
  struct RecordedModal {
    String FormName;
    String FormClass;
    int Result = mrNone;
  };

  ModalScript();
  ~ModalScript() override;
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  void ExpectMessage(int result);
  // formName "" answers any form; answers are taken in order, the first that fits.
  void AnswerModal(const String& formName, int result);
  void AnswerModal(const String& formName, std::function<int(TForm*)> fn);
  void AnswerFileDialog(const String& path);
  void CancelFileDialog();
  void AnswerProgram(const TProgramResult& result);
  void SetOpenUrlResult(bool ok) { openUrlResult_ = ok; }

  const std::vector<RecordedMessage>& Messages() const { return messages_; }
  const std::vector<RecordedModal>& ModalForms() const { return modals_; }
  const std::vector<TFileDialogRequest>& FileDialogs() const { return fileDialogs_; }
  const std::vector<String>& OpenedUrls() const { return urls_; }
  const std::vector<TProgramRequest>& StartedPrograms() const { return programs_; }
  int Unanswered() const { return unanswered_; }
  // Answers queued but never used.
  int PendingAnswers() const;

  int ShowModal(TForm* Form) override;
  int MessageBox(const TMessageRequest& Request) override;
  TFileDialogAnswer FileDialog(const TFileDialogRequest& Request) override;
  bool OpenURL(const String& Url) override;
  TProgramResult StartProgram(const TProgramRequest& Request) override;

 private:
  struct ModalAnswer {
    String formName;
    std::function<int(TForm*)> fn;
  };
  TModalSeam* previous_ = nullptr;
  std::deque<int> messageAnswers_;
  std::deque<ModalAnswer> modalAnswers_;
  std::deque<TFileDialogAnswer> fileAnswers_;
  std::deque<TProgramResult> programAnswers_;
  bool openUrlResult_ = true;
  std::vector<RecordedMessage> messages_;
  std::vector<RecordedModal> modals_;
  std::vector<TFileDialogRequest> fileDialogs_;
  std::vector<String> urls_;
  std::vector<TProgramRequest> programs_;
  int unanswered_ = 0;
};
