#pragma once
// A parameter form over a configuration folder of its own, with the UI texts built in and every
// modal interaction answered by a script.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "parameters/UParGen.h"
#include "platform/Files.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/ScratchFolder.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

class ParGenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Strings();
    Soft_Code = Soft_Code_Init;  // the main window's start-up sets it
    Project_Folder = folder.Folder();
    Set_Files();
    if (WantsForm()) form = New<TFParGen>(nullptr);
  }
  void TearDown() override {
    if (form && form->Visible()) form->Hide();
    delete form;
  }
  // Suites that build forms of their own skip the program's one.
  virtual bool WantsForm() const { return true; }

  // Shows the form modally; fn runs while it is open. Returns the modal result.
  int ShowModal(const std::function<void()>& fn = {}) {
    script.AnswerModal(u"FParGen", [fn](TForm*) {
      if (fn) fn();
      return mrNone;
    });
    return form->ShowModal();
  }
  // Shows the form again, as the program does with its one form at every visit of the step: the
  // show loads ParGen.xml (or the defaults) and lays the panels out afresh.
  static void ShowAgain(TFParGen* f) {
    if (f->Visible()) f->Hide();
    for (TCategoryPanel* p : f->CPG->Panels()) p->Expand();  // a user's folding is no part of a case
    f->CPG->SetScrollPos(0);
    f->Show();
  }
  // Messages shown so far (text only).
  std::vector<String> MessageTexts() const {
    std::vector<String> v;
    for (const auto& m : script.Messages()) v.push_back(m.Text);
    return v;
  }
  std::filesystem::path ParGenPath() const { return folder / "ParGen.xml"; }
  void WriteParGen(const std::string& bytes) const { ASSERT_TRUE(WriteFileBytes(FromPath(ParGenPath()), bytes)); }
  std::string ReadParGen() const {
    std::string s;
    EXPECT_TRUE(ReadFileBytes(FromPath(ParGenPath()), s));
    return s;
  }
  static String Ui(int i) { return Language_List->Strings(i); }

  // Everything of a form that its checks, its save and its painting read, one line a control or
  // panel: two forms with equal states check, save and show alike.
  static std::vector<std::string> FormState(TFParGen* f) {
    std::vector<std::string> lines;
    auto bounds = [](TControl* c) {
      const TRect r = c->BoundsRect();
      return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
             std::to_string(r.Bottom);
    };
    for (const TParControlDef& d : Par_Control_Table()) {
      TControl* c = f->Ctl(d.Name);
      // A hidden row keeps whatever place it had; the layout places it once it shows again.
      std::string line = StringToUtf8(d.Name) + (c->Visible() ? " shown at " + bounds(c) : std::string(" hidden")) +
                         (c->Enabled() ? " enabled" : " disabled");
      if (TEdit* e = f->Edit(d.Name)) line += " text=" + StringToUtf8(e->Text());
      if (TComboBox* cb = f->Combo(d.Name))
        line += " index=" + std::to_string(cb->ItemIndex()) + " items=" + std::to_string(cb->Items()->Count()) +
                " text=" + StringToUtf8(cb->Text());
      if (TCheckBox* ch = f->Check(d.Name)) line += ch->Checked() ? " checked" : " unchecked";
      if (TLabel* l = f->Label(d.Name)) line += " caption=" + StringToUtf8(l->Caption());
      lines.push_back(line);
    }
    for (TCategoryPanel* p : f->CPG->Panels())
      lines.push_back(StringToUtf8(p->Name()) + " " + bounds(p) + (p->Visible() ? " shown" : " hidden") +
                      (p->Collapsed() ? " collapsed" : " expanded") + " tab=" + std::to_string(p->TabOrder()) +
                      " expanded height=" + std::to_string(p->ExpandedHeight()));
    lines.push_back(std::string("scroll=") + std::to_string(f->CPG->ScrollPos()) +
                    (f->Is_Change ? " changed" : " unchanged"));
    return lines;
  }

  // The lines of Now that differ from Was, as "was -> now" (empty when the states are equal).
  static std::string StateChanges(const std::vector<std::string>& Was, const std::vector<std::string>& Now) {
    std::string out;
    for (size_t i = 0; i < std::max(Was.size(), Now.size()); ++i) {
      const std::string a = i < Was.size() ? Was[i] : "(none)";
      const std::string b = i < Now.size() ? Now[i] : "(none)";
      if (a != b) out += a + "  ->  " + b + "\n";
    }
    return out;
  }

  ModalScript script;
  InputDriver driver;
  TScratchFolder folder{"pargen"};
  TFParGen* form = nullptr;
};
