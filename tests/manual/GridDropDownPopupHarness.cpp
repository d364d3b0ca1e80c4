// A window holding one grid drop-down with three columns (with the argument "multi": a multi-column
// drop-down; with "cells": a string grid whose columns 1 and 2 edit through the multi-column and
// the grid drop-down editors), to try the popup grid by hand or drive it with xdotool under Xvfb
// (`TARGETS=griddropdown_popup_harness`). Not part of the test run. The form is
// "GridDropDownPopupHarness", the popup "GridDropDownPopup"; what happens is printed on standard
// output, one line an event.
#include <cstdio>
#include <string>
#include <type_traits>

#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/griddropdown/AdvGridDropDown.h"
#include "grid/griddropdown/AdvGridDropDownCellEditors.h"
#include "grid/griddropdown/AdvMultiColumnDropDown.h"
#include "platform/Forms.h"

namespace {
void HarnessSay(const std::string& Line) {
  std::printf("%s\n", Line.c_str());
  std::fflush(stdout);
}
}  // namespace

template <class TEdit>
void HarnessDropDown(TForm* form) {
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(20, 20, 200, 21);
  const char16_t* headers[] = {u"Device", u"Port", u"Uplink"};
  for (const char16_t* h : headers) {
    auto* c = edit->Columns()->Add();
    c->SetHeader(h);
    c->SetAutoSize(true);
  }
  const char16_t* rows[][3] = {{u"Apple", u"1", u"12 dB"},     {u"Apricot", u"2", u"7 dB"}, {u"Banana", u"3", u"3 dB"},
                               {u"Blueberry", u"4", u"9 dB"},  {u"Cherry", u"5", u"15 dB"}, {u"Date", u"6", u"1 dB"},
                               {u"Elderberry", u"7", u"4 dB"}, {u"Fig", u"8", u"8 dB"}};
  for (const auto& r : rows) {
    auto* item = edit->Items()->Add();
    for (const char16_t* s : r) item->Text()->Add(s);
  }
  edit->EndUpdate();
  if constexpr (std::is_same_v<TEdit, TCustomAdvGridDropDown>) edit->SetSorting(gsSingleColumn);
  edit->DropDownForm()->SetCaption(u"GridDropDownPopup");
  edit->OnSelect = [edit](TObject*) { HarnessSay("select item=" + std::to_string(edit->ItemIndex())); };
  edit->OnDropDown = [](TObject*, bool&) { HarnessSay("dropdown"); };
  edit->OnDropUp = [edit](TObject*, bool Cancelled) {
    HarnessSay(std::string(Cancelled ? "dropup cancelled" : "dropup") + " item=" + std::to_string(edit->ItemIndex()) +
               " text=" + StringToUtf8(edit->Text()));
  };
  edit->OnChange = [edit](TObject*) { HarnessSay("text=" + StringToUtf8(edit->Text())); };
}

template <class TEditor>
void HarnessFillEditor(TEditor* Editor) {
  if (Editor->Items()->Count() > 0) return;
  for (const char16_t* h : {u"Device", u"Port"}) Editor->Columns()->Add()->SetHeader(h);
  const char16_t* rows[][2] = {{u"Apple", u"1"}, {u"Apricot", u"2"}, {u"Banana", u"3"}, {u"Cherry", u"4"}};
  for (const auto& r : rows) {
    auto* item = Editor->Items()->Add();
    for (const char16_t* s : r) item->Text()->Add(s);
  }
}

void HarnessCells(TForm* form) {
  auto* grid = New<TAdvStringGrid>(form);
  grid->SetParent(form);
  grid->SetBounds(10, 10, 390, 200);
  grid->SetColCount(3);
  grid->SetRowCount(5);
  grid->SetOptions(grid->Options() | goEditing);
  grid->SetCellEx(1, 0, u"multi-column");
  grid->SetCellEx(2, 0, u"grid");
  grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
    if (c == 1) e = edGridDropDown;
    if (c == 2) e = edAdvGridDropDown;
  };
  grid->OnGetEditorProp = [grid](TObject*, int c, int, TEditLink*) {
    if (c == 1) HarnessFillEditor(grid->GridDropDown());
    if (c == 2) HarnessFillEditor(grid->AdvGridDropDown());
  };
  grid->OnEditCellDone = [grid](TObject*, int c, int r) {
    HarnessSay("done " + std::to_string(c) + "," + std::to_string(r) + " " + StringToUtf8(grid->GetCellEx(c, r)));
  };
}

int main(int argc, char** argv) {
  Application->Initialize();
  TForm* form = nullptr;
  Application->CreateForm(form);
  form->SetCaption(u"GridDropDownPopupHarness");
  form->SetBounds(100, 100, 420, 320);
  if (argc > 1 && std::string(argv[1]) == "cells")
    HarnessCells(form);
  else if (argc > 1 && std::string(argv[1]) == "multi")
    HarnessDropDown<TAdvMultiColumnDropDown>(form);
  else
    HarnessDropDown<TCustomAdvGridDropDown>(form);
  Application->Run();
  return 0;
}
