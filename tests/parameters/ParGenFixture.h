#pragma once
// A parameter form over a configuration folder of its own, with the UI texts built in and every
// modal interaction answered by a script.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "button/LbButton.h"
#include "parameters/UParGen.h"
#include "platform/Files.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PaintToPng.h"
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

  // Checks a picture of the form (PaintToBitmap) for what only a painted form shows: the title's
  // texts on the form's colour, the two buttons with their edges, glyphs and captions, every
  // panel header in view with its caption, and every enabled edit in view white with its text.
  static void ExpectPainted(TFParGen* f, TBitmap* pic) {
    ASSERT_EQ(pic->Width(), f->ClientWidth());
    ASSERT_EQ(pic->Height(), f->ClientHeight());
    auto count = [](const std::map<TColor, int>& seen, TColor c) {
      const auto it = seen.find(ColorToRGB(c));
      return it == seen.end() ? 0 : it->second;
    };
    auto area = [](const TRect& r) { return r.Width() * r.Height(); };
    auto inside = [](const TRect& r, const TRect& in) {
      return r.Left >= in.Left && r.Top >= in.Top && r.Right <= in.Right && r.Bottom <= in.Bottom;
    };

    const TColor title = ColorToRGB(f->P_Title->Color());
    EXPECT_EQ(BitmapPixel(pic, f->P_Title->Width() - 1, 0), title);
    for (TLabel* l : {f->L_SW_Code, f->L_SW_Desc}) {
      SCOPED_TRACE(StringToUtf8(l->Name()));
      const TRect r = PaintedRect(l, f);
      const std::map<TColor, int> seen = BitmapColors(pic, r);
      EXPECT_GE(count(seen, l->Font()->Color()) * 10, area(r));
      EXPECT_EQ(count(seen, l->Font()->Color()) + count(seen, title), area(r));
    }

    for (TLbButton* b : {f->Btn_OK, f->Btn_Cancel}) {
      SCOPED_TRACE(StringToUtf8(b->Name()));
      const TRect r = PaintedRect(b, f);
      const std::vector<TColor> edge = BitmapEdge(pic, r);
      EXPECT_EQ(std::count(edge.begin(), edge.end(), ColorToRGB(b->LightColor())), std::ssize(edge));
      const TRect face = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
      const std::map<TColor, int> seen = BitmapColors(pic, face);
      EXPECT_GE(count(seen, b->Color()) * 4, area(face));
      EXPECT_GE(area(face) - count(seen, b->Color()), 100);
      EXPECT_GE(count(seen, b->Font()->Color()), 20);
    }

    const TRect view = PaintedRect(f->CPG, f);
    int headers = 0, edits = 0;
    for (TCategoryPanel* p : f->CPG->Panels()) {
      const TRect r = PaintedRect(p, f);
      const TRect header = Rect(r.Left, r.Top, r.Right, r.Top + f->CPG->HeaderHeight());
      if (!p->Visible() || !inside(header, view)) continue;
      SCOPED_TRACE(StringToUtf8(p->Name()));
      ++headers;
      const std::map<TColor, int> seen = BitmapColors(pic, header);
      EXPECT_GE(count(seen, f->CPG->HeaderFont()->Color()), 100);
      EXPECT_LT(count(seen, f->Color()) * 2, area(header));
    }
    for (const TParControlDef& d : Par_Control_Table()) {
      TEdit* e = f->Edit(d.Name);
      TCategoryPanel* p = f->Panel(d.Panel);
      if (!e || !e->Visible() || !e->Enabled() || !p->Visible() || p->Collapsed()) continue;
      const TRect r = PaintedRect(e, f);
      if (!inside(r, view)) continue;
      SCOPED_TRACE(StringToUtf8(d.Name));
      ++edits;
      const TRect field = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
      const std::map<TColor, int> seen = BitmapColors(pic, field);
      EXPECT_GE(count(seen, clWindow) * 10, area(field) * 6);
      if (!e->Text().empty()) {
        EXPECT_GE(count(seen, e->Font()->Color()), 10);
      }
    }
    EXPECT_GE(headers, 1);
    EXPECT_GE(edits, 4);
  }

  ModalScript script;
  InputDriver driver;
  TScratchFolder folder{"pargen"};
  TFParGen* form = nullptr;
};
