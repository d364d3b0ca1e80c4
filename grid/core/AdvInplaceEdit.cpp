#include "grid/core/AdvInplaceEdit.h"

#include <algorithm>

#include "grid/foundation/ZazAdez.h"
#include "platform/EditTips.h"

namespace {

bool KeyHeld(int vk) { return GetKeyState(vk) < 0; }

bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }

// A pasted number: an integer or a decimal number, '-' only where the kind allows it.
bool PastedNumberFits(const String& s, bool Float, bool AllowMinus) {
  if (!AllowMinus && s.find(u'-') != String::npos) return false;
  if (s.empty()) return true;
  int i = 0;
  if (!Float) return TryStrToInt(s, i);
  const int kind = ClassifyNumberText(s);
  return kind == 0 || kind == 1;
}

}  // namespace

TAdvInplaceEdit::TAdvInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner) {
  FGrid = dynamic_cast<TAdvStringGrid*>(AOwner);
}

// Lines as the editor shows them: wrapped lines count, not only line breaks.
int TAdvInplaceEdit::LineOf(int Pos) const { return LineFromChar(Pos); }

// =============================================================================================
// Filling and placing

void TAdvInplaceEdit::UpdateContents() {
  if (!FGrid) {
    TInplaceEdit::UpdateContents();
    return;
  }
  const int dcol = FGrid->Col(), drow = FGrid->Row();
  const int rcol = FGrid->RealColIndex(dcol);
  const TEditorType kind = FGrid->CurrentEditor();
  // Window style: single line and masked for passwords, wrapping as the cell wraps.
  SetMultiLineEditor(kind != edPassword);
  SetPasswordChar(kind == edPassword ? FGrid->PasswordChar() : Char(0));
  SetWordWrap(FGrid->GetWordWraps(rcol, drow));
  GotKey = false;
  Workmode = true;
  FGrid->SetSuppressEditChange(true);
  try {
    TInplaceEdit::UpdateContents();
  } catch (...) {
    FGrid->SetSuppressEditChange(false);
    throw;
  }
  FGrid->SetSuppressEditChange(false);
  FLengthLimit = static_cast<int16_t>(MaxLength());
  TGridDrawState state;
  const TCellStyle style = FGrid->GetVisualProperties(rcol, drow, state, false, false, false);
  SetColor(style.Color);
  Font()->Assign(const_cast<TFont*>(&style.Font));
  FColE = dcol;
  FRowE = drow;
  SetAlignment(style.Alignment);
  FValign = style.Alignment == taRightJustify;
  FGrid->DoGetEditorProp(rcol, drow, nullptr);
}

void TAdvInplaceEdit::BoundsChanged() {
  if (!FGrid) return;
  TRect r = FGrid->CellRect(FGrid->Col(), FGrid->Row());
  if (r.IsEmpty()) return;
  if (UseRightToLeftAlignment()) r.Left += 1;
  SetBounds(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
  SetFormatRect(Rect(3, 3, Width() - 2, Height()));
}

void TAdvInplaceEdit::Change() {
  TInplaceEdit::Change();
  if (FGrid && !FGrid->SuppressEditChange() && FGrid->OnEditChange)
    FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

// =============================================================================================
// Messages

void TAdvInplaceEdit::WndProc(TMessage& m) {
  if (!FGrid) {
    TInplaceEdit::WndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_KEYDOWN: {
      const Word key = static_cast<Word>(m.WParam);
      if (!KeyDownMessage(key, KeyDataToShiftState(m.LParam))) return;
      break;
    }
    case WM_SYSKEYDOWN:
      if (m.WParam == VK_BACK) FAltBack = true;
      break;
    case WM_SYSKEYUP:
      if (m.WParam == VK_BACK) FAltBack = false;
      break;
    case WM_CHAR: {
      Char key = static_cast<Char>(m.WParam);
      bool beep = false;
      if (!AcceptChar(key, static_cast<uint32_t>(m.LParam), beep)) {
        if (beep) MessageBeep(0);
        return;
      }
      m.WParam = key;
      if (FGrid->CurrentEditor() == edMixedCase && key >= 32) {
        const int caret = SelStart();
        TInplaceEdit::WndProc(m);
        SetText(ToMixedCase(Text()));
        SetSelStart(caret + 1);
        return;
      }
      break;
    }
    case WM_COPY: {
      bool allow = true;
      if (FGrid->OnClipboardCopy) FGrid->OnClipboardCopy(this, allow);
      if (!allow) return;
      break;
    }
    case WM_CUT: {
      bool allow = true;
      if (FGrid->OnClipboardCut) FGrid->OnClipboardCut(this, allow);
      if (!allow) return;
      break;
    }
    case WM_PASTE:
      Paste();
      return;
    case CM_WANTSPECIALKEY:
      TInplaceEdit::WndProc(m);
      if (m.WParam == VK_TAB && FGrid->EditorWantsTab()) m.Result = 1;
      return;
    case WM_LBUTTONDBLCLK:
      TInplaceEdit::WndProc(m);
      if (FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
      return;
    case WM_KILLFOCUS:
      KillFocus(reinterpret_cast<TControl*>(m.WParam));
      return;
    case WM_SETFOCUS:
      TInplaceEdit::WndProc(m);
      SetFocusMessage();
      return;
    default:
      break;
  }
  TInplaceEdit::WndProc(m);
}

void TAdvInplaceEdit::SetFocusMessage() {
  FGotFocus = true;
  FGrid->SetSuppressEditChange(false);
  FLengthLimit = static_cast<int16_t>(FGrid->GetEditLimit());
  SetMaxLength(FLengthLimit);
  if (IsMasked() && FGrid->Navigation()->ImproveMaskSel()) {
    SetSelStart(0);
    SetSelLength(1);
    return;
  }
  if (FGrid->Navigation()->EditSelectAll())
    SelectAll();
  else
    SetSelStart(static_cast<int>(Text().size()));
}

void TAdvInplaceEdit::ShowRefused(const String& OldText) {
  SetTextKeepCell(FGrid->NewCellText());
  if (FGrid->Navigation()->EditSelectAll())
    SelectAll();
  else
    SetSelStart(static_cast<int>(Text().size()));
  FGrid->SetOldCellText(OldText);
}

bool TAdvInplaceEdit::KeyDownMessage(Word Key, TShiftState Shift) {
  const bool ctrl = KeyHeld(VK_CONTROL), shift = KeyHeld(VK_SHIFT);
  (void)Shift;
  FOldSelStart = SelStart();
  TNavigation* nav = FGrid->Navigation();
  const bool wraps = FGrid->WordWrap() || FGrid->Multilinecells;
  if (Key == VK_ESCAPE) {
    SetText(FGrid->CellCache());
    FGrid->HideInplaceEdit();
  }
  if (Key == 'A' && ctrl && !KeyHeld(VK_RMENU)) {
    SelectAll();
    return false;
  }
  if (Key == VK_RETURN && ctrl && !(nav->AllowCtrlEnter() && wraps)) return false;
  if (Key != VK_ESCAPE) {
    const String t = Text();
    const String oldText = FGrid->OldCellText();
    const int len = static_cast<int>(t.size());
    if (Key == VK_TAB && FGrid->EditorWantsTab()) {
      if (!FGrid->ValidateCell(t)) {
        ShowRefused(oldText);
        return false;
      }
      SetText(FGrid->NewCellText());
      TAdvStringGrid* g = FGrid;
      if (g->Options().Contains(goTabs)) {
        g->DoneInplaceEdit(VK_TAB, shift ? TShiftState{ssShift} : TShiftState{});
      } else {
        g->HideInplaceEdit();
        PostMessage(g, WM_KEYDOWN, VK_TAB, 0);
      }
      return false;
    }
    const bool atLeft = Key == VK_LEFT && SelStart() == 0 && SelLength() == 0;
    const bool atRight = Key == VK_RIGHT && SelStart() >= len && SelLength() == 0;
    if ((atLeft || atRight) && shift && nav->CursorWalkEditor()) {
      FGrid->SetCurrentCell(t);
      if (!FGrid->ValidateCell(t)) {
        ShowRefused(oldText);
        Invalidate();
        return false;
      }
      SetText(FGrid->NewCellText());
      TAdvStringGrid* g = FGrid;
      g->HideInplaceEdit();
      if (g->CanFocus()) g->SetFocus();
      return false;
    }
    const bool leavesUp = Key == VK_UP && LineOf(SelStart()) == 0;
    const bool leavesDown = Key == VK_DOWN && LineOf(SelStart()) == LineOf(len);
    if (leavesUp || leavesDown) {
      FGrid->SetCurrentCell(t);
      if (!FGrid->ValidateCell(t)) {
        ShowRefused(oldText);
        return false;
      }
      SetText(FGrid->NewCellText());
    }
    if (Key == VK_RETURN && !nav->LineFeedOnEnter() && !ctrl) {
      // The character of this Enter follows; it does not validate again.
      FEnterValidated = true;
      if (!FGrid->ValidateCell(t)) {
        ShowRefused(oldText);
        FEnterRefused = true;
        return false;
      }
      SetText(FGrid->NewCellText());
    }
  }
  if (Key == VK_HOME && !ctrl && !shift) SetSelStart(0);
  if (Key == VK_END && !ctrl && !shift) SetSelStart(static_cast<int>(Text().size()));
  if (Key == VK_RETURN && ctrl && nav->LineFeedOnEnter()) {
    SetSelText(u"\r\n");
    return false;
  }
  return true;
}

void TAdvInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  FSelKeyDown = SelStart();
  if (Key == VK_BACK || Key == VK_DELETE)
    Workmode = false;
  else if (Key != VK_RETURN && Key != VK_UP && Key != VK_DOWN)
    Workmode = true;
  TNavigation* nav = FGrid ? FGrid->Navigation() : nullptr;
  if (!FGrid) {
    TInplaceEdit::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_RETURN) {
    if (!nav->AllowCtrlEnter() && (FGrid->WordWrap() || FGrid->Multilinecells)) FGrid->SetEditing(false);
    return;
  }
  const int len = static_cast<int>(Text().size());
  const int line = LineOf(SelStart());
  if ((Key == VK_UP && line > 0) || (Key == VK_DOWN && line < LineOf(len))) {
    // Between lines the caret moves inside the text, at the same column where the line allows.
    const String& t = text_;
    auto lineEnd = [&](int l) {
      const int next = LineIndex(l + 1);
      if (next < 0) return len;
      int end = next;
      const auto at = [&](int i) { return t[static_cast<size_t>(i)]; };
      if (at(end - 1) == u'\n' || at(end - 1) == u'\r') {
        --end;
        if (end > LineIndex(l) && at(end) == u'\n' && at(end - 1) == u'\r') --end;
      } else if (end > LineIndex(l)) {
        --end;  // the caret at a wrapped line's end would show on the next line
      }
      return end;
    };
    const int column = SelStart() - LineIndex(line);
    const int targetLine = Key == VK_UP ? line - 1 : line + 1;
    const int target = LineIndex(targetLine);
    SetSelStart(std::min(target + column, lineEnd(targetLine)));
    Key = 0;
    return;
  }
  // The walk out of the text is the key-up's: the ends do not hand Left and Right to the grid.
  if ((Key == VK_LEFT || Key == VK_RIGHT) && nav->CursorWalkEditor() && Shift.Empty()) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    return;
  }
  TInplaceEdit::KeyDown(Key, Shift);
}

void TAdvInplaceEdit::CursorWalk(bool Forward) {
  TAdvStringGrid* g = FGrid;
  if (!g->ValidateCell(Text())) return;
  g->HideInplaceEdit();
  const int rc = g->GetRealCol();
  const int next = Forward ? g->Col() + g->CellSpan(rc, g->Row()).X + 1 : g->Col() - 1;
  const bool control = next >= g->FixedCols() && next < g->ColCount() && g->IsControlCell(g->RealColIndex(next), g->Row());
  if (control && (Forward ? g->Col() < g->ColCount() - g->FixedRightCols() - 1 : g->Col() > g->FixedCols())) {
    g->SetCol(next);
    return;
  }
  TNavigation* nav = g->Navigation();
  const TAdvanceDirection dir = nav->AdvanceDirection();
  nav->SetAdvanceDirection(adLeftRight);
  try {
    g->AdvanceToNextCell(g->Col(), g->Row(), true, false, Forward, true, true);
  } catch (...) {
    nav->SetAdvanceDirection(dir);
    throw;
  }
  nav->SetAdvanceDirection(dir);
  if (nav->CursorWalkAlwaysEdit()) {
    if (!g->EditorMode()) g->ShowInplaceEdit();
  } else {
    g->HideInplaceEdit();
  }
}

void TAdvInplaceEdit::KeyUp(Word& Key, TShiftState Shift) {
  if (FGrid && (Key == VK_LEFT || Key == VK_RIGHT) && FGrid->Navigation()->CursorWalkEditor() && Shift.Empty() &&
      SelLength() == 0) {
    const bool atLeft = Key == VK_LEFT && FSelKeyDown == 0 && SelStart() == 0;
    const bool atRight = Key == VK_RIGHT && static_cast<int>(Text().size()) == FOldSelStart;
    if (atLeft || atRight) {
      Key = 0;
      CursorWalk(atRight);
      return;
    }
  }
  if (Key == VK_LEFT || Key == VK_RIGHT) {
    TInplaceEdit::KeyUp(Key, Shift);
    return;
  }
  TInplaceEdit::KeyUp(Key, Shift);
  if (!FGrid) return;
  DoChange();
  if (FGrid->SizeWhileTyping()->Width()) FGrid->AutoSizeCol(FGrid->Col());
  if (FGrid->SizeWhileTyping()->Height() && FGrid->WordWrap()) {
    FGrid->AutoSizeRow(FGrid->Row());
    if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, FGrid->Row());
  }
}

void TAdvInplaceEdit::KeyPress(Char& Key) {
  if (Key == 13 && FEnterValidated) {
    FEnterValidated = false;
    if (FEnterRefused) {
      FEnterRefused = false;
      Key = 0;
      return;
    }
  } else if (FGrid && Key == 13 && !FGrid->Navigation()->LineFeedOnEnter()) {
    if (!FGrid->ValidateCell(Text())) {
      SetTextKeepCell(FGrid->GetCurrentCell());
      Key = 0;
      return;
    }
  }
  TInplaceEdit::KeyPress(Key);
}

bool TAdvInplaceEdit::AcceptChar(Char& Key, uint32_t KeyData, bool& Beep) {
  Beep = false;
  const Char dec = GetDecimalSeparatorChar();
  const Char thousand = GetThousandSeparatorChar();
  if (Key == u'.' && (KeyData & KF_KEYPAD) && FGrid->ExcelStyleDecimalSeparator()) Key = dec;
  TNavigation* nav = FGrid->Navigation();
  const bool wraps = FGrid->WordWrap() || FGrid->Multilinecells;
  if (Key == 1) return false;
  if (Key == 10 && !(nav->AllowCtrlEnter() && wraps)) return false;
  const String t = Text();
  const int len = static_cast<int>(t.size());
  if (FLengthLimit > 0 && len >= FLengthLimit && SelLength() == 0 && Key != 8 && Key != 27 && Key != 13) return false;
  const TEditorType kind = FGrid->CurrentEditor();
  switch (kind) {
    case edNumeric:
    case edPositiveNumeric: {
      if (Key == 8 || Key == 9 || Key == 13 || Key == 27 || IsDigit(Key)) return true;
      if (Key == u'-' && kind == edNumeric && t.find(u'-') == String::npos && SelStart() == 0) return true;
      Beep = true;
      return false;
    }
    case edFloat:
    case edPositiveFloat: {
      if (Key == 8 || Key == 9 || Key == 13 || Key == 27 || IsDigit(Key)) return true;
      const String sel = SelText();
      if (Key == dec) {
        const bool holds = t.find(dec) != String::npos && sel.find(dec) == String::npos;
        return !holds;
      }
      if (Key == thousand) return false;
      if (Key == u',' || Key == u'.') return true;
      if (Key == u'-') {
        if (kind == edPositiveFloat) return false;
        if ((SelStart() == 0 && t.find(u'-') == String::npos) || sel.find(u'-') != String::npos) return true;
        Beep = true;
        return false;
      }
      return KeyHeld(VK_CONTROL);
    }
    case edCapital:
    case edUpperCase:
      if (Key >= 32) Key = AnsiUpperCase(String(1, Key))[0];
      return true;
    case edLowerCase:
      if (Key >= 32) Key = AnsiLowerCase(String(1, Key))[0];
      return true;
    case edValidChars: {
      if (Key == 8 || Key == 13) return true;
      const String& valid = FGrid->ValidChars();
      if (!valid.empty() ? valid.find(Key) != String::npos : Key <= 255 && Key >= 32) return true;
      Beep = true;
      return false;
    }
    default:
      return true;
  }
}

// =============================================================================================
// Lookup, clipboard and focus

void TAdvInplaceEdit::DoChange() {
  if (!FGrid || !Workmode || SelLength() != 0 || !FGrid->Lookup()) return;
  TStringList* items = FGrid->LookupItems();
  if (items->Count() == 0) return;
  const bool cs = FGrid->LookupCaseSensitive();
  const String typed = Text().substr(0, static_cast<size_t>(SelStart()));
  const String p = cs ? typed : AnsiUpperCase(typed);
  if (p.empty()) return;
  for (int i = 0; i < items->Count(); ++i) {
    const String item = items->Strings(i);
    const String cmp = cs ? item : AnsiUpperCase(item);
    if (cmp.compare(0, p.size(), p) != 0) continue;
    const String rest = item.substr(p.size(), 255);
    SetText(typed + rest);
    SetSelStart(static_cast<int>(typed.size()));
    SetSelLength(static_cast<int>(rest.size()));
    GotKey = false;
    return;
  }
}

void TAdvInplaceEdit::Paste() {
  bool allow = ClipboardHasText();
  String value = allow ? ClipboardText() : String();
  if (FGrid->OnClipboardPaste) FGrid->OnClipboardPaste(this, allow);
  if (!allow) return;
  if (FGrid->OnClipboardBeforePasteCell) FGrid->OnClipboardBeforePasteCell(this, FGrid->Col(), FGrid->Row(), value, allow);
  if (!allow) return;
  const int limit = FLengthLimit;
  int selStart = SelStart(), selLength = SelLength();
  if (limit < 1 || limit >= static_cast<int>(value.size())) {
    const size_t crlf = value.find(u"\r\n");
    if (crlf != String::npos && crlf + 2 == value.size()) value.resize(crlf);
    String merged = Text();
    merged.replace(static_cast<size_t>(selStart), static_cast<size_t>(selLength), value);
    if (selLength > 0) {
      selLength = static_cast<int>(value.size());
    } else {
      selStart += static_cast<int>(value.size());
    }
    if (limit < 1 || static_cast<int>(merged.size()) <= limit) {
      bool fits = true;
      switch (FGrid->CurrentEditor()) {
        case edNumeric: fits = PastedNumberFits(merged, false, true); break;
        case edPositiveNumeric: fits = PastedNumberFits(merged, false, false); break;
        case edFloat: fits = PastedNumberFits(merged, true, true); break;
        case edPositiveFloat: fits = PastedNumberFits(merged, true, false); break;
        case edMixedCase: merged = ToMixedCase(merged); break;
        case edLowerCase: merged = AnsiLowerCase(merged); break;
        case edUpperCase: merged = AnsiUpperCase(merged); break;
        case edValidChars:
          fits = std::all_of(merged.begin(), merged.end(),
                             [&](Char ch) { return FGrid->ValidChars().find(ch) != String::npos; });
          break;
        default: break;
      }
      if (fits) SetText(merged);
    }
  }
  FGrid->SetCurrentEditText(Text());
  SetSelStart(std::min(selStart, static_cast<int>(Text().size())));
  SetSelLength(selLength);
  if (FGrid->OnClipboardAfterPasteCell) FGrid->OnClipboardAfterPasteCell(this, FGrid->Col(), FGrid->Row(), Text());
}

void TAdvInplaceEdit::KillFocus(TControl* NewFocus) {
  const bool was = losingFocus_;
  losingFocus_ = true;
  try {
    LoseFocus(NewFocus);
  } catch (...) {
    losingFocus_ = was;
    throw;
  }
  losingFocus_ = was;
}

void TAdvInplaceEdit::LoseFocus(TControl* NewFocus) {
  FGrid->SetStartEditChar(0);
  if (FGrid->LookupHistory() && FGrid->LookupItems()->IndexOf(Text()) < 0) FGrid->LookupItems()->Add(Text());
  TMessage m{WM_KILLFOCUS, reinterpret_cast<uintptr_t>(NewFocus), 0, 0};
  TInplaceEdit::WndProc(m);
  if (FAltBack) return;
  TAdvStringGrid* g = FGrid;
  if (NewFocus != g) {
    g->ValidateCell(Text());
    SetTextKeepCell(g->GetCurrentCell());
    g->HideEditor();
    g->SetEditing(false);
    g->SetInEditMode(false);
    g->SelectCell(FColE, FRowE);
  }
  SetTextKeepCell(g->GetCurrentCell());
  if (FGotFocus) {
    FGotFocus = false;
    g->NotifyEditDone(g->RealColIndex(FColE), FRowE);
  }
}
