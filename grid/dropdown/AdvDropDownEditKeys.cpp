// The drop-down edit's value (prefix, value, suffix), its keys, typed characters and clipboard.
#include <algorithm>

#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvDropDownDraw.h"
#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/dropdown/AdvDropDownTyping.h"
#include "grid/foundation/ZazAdez.h"
#include "platform/EditTips.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"

namespace {
String DropDownKeysFormat(int Precision, Char Kind) { return u"%." + IntToStr(Precision) + String(1, Kind); }
bool DropDownKeysKeyPreview(const TControl* Control) {
  const TForm* form = GetParentForm(Control);
  return form && form->KeyPreview();
}
}  // namespace

// ---- the value -----------------------------------------------------------------------------------

String TAdvCustomDropDown::GetText() const { return DropDownValueOf(EditText(), FPrefix, FSuffix); }

void TAdvCustomDropDown::SetText(const String& Value) {
  const String v = FormatDropDownValue(Value, FEditType, FPrecision);
  TCustomMaskEdit::SetText(FPrefix + v + FSuffix);
  FOldText = v;
  SetModified(false);
  FIsModified = false;
}

void TAdvCustomDropDown::SetTextDirect(const String& S) { TCustomMaskEdit::SetText(S); }

double TAdvCustomDropDown::GetFloatValue() const { return DropDownFloatValue(GetText(), FEditType); }

void TAdvCustomDropDown::SetFloatValue(double X) {
  const bool general = FPrecision < 0;
  switch (FEditType) {
    case etString:
    case etFloat: SetText(Format(general ? String(u"%g") : DropDownKeysFormat(FPrecision, u'f'), {X})); break;
    case etNumeric: SetText(Format(general ? String(u"%g") : DropDownKeysFormat(FPrecision, u'n'), {X})); break;
    case etMoney:
      SetText(Format(general ? String(u"%g") : DropDownKeysFormat(FPrecision, u'f'), {X}));
      FormatMoneyText();
      break;
    case etHex: SetText(IntToHex(static_cast<int64_t>(X), 0)); break;
    default: return;
  }
  SetModifiedFlag(true);
}

void TAdvCustomDropDown::SetIntValue(int N) {
  switch (FEditType) {
    case etNumeric:
    case etFloat: SetText(IntToStr(N)); break;
    case etMoney:
      SetText(IntToStr(N));
      FormatMoneyText();
      break;
    case etHex: SetText(IntToHex(static_cast<int64_t>(static_cast<uint32_t>(N)), 0)); break;
    default: return;
  }
  SetModifiedFlag(true);
}

void TAdvCustomDropDown::FormatMoneyText() {
  if (GetText().empty()) return;
  const TDropDownEditState s = RegroupMoneyEdit(EditText(), FPrefix, FSuffix, SelStart(), FAutoThousandSeparator);
  FBlockChange = GetText() != s.EditText;
  SetTextDirect(s.EditText);
  SetSelStart(s.Caret);
}

void TAdvCustomDropDown::SetEditType(TDropDownEditType T) {
  if (T == FEditType) return;
  FEditType = T;
  if (T == etPassword) {
    SetPasswordChar(u'*');
    FCanUndo = false;
  } else {
    SetPasswordChar(0);
  }
  const int kind = ClassifyEditText(GetText());
  if (T == etNumeric && kind != 0) SetIntValue(0);
  else if ((T == etFloat || T == etMoney) && kind != 0 && kind != 1) SetFloatValue(0);
  else if (T == etHex && kind != 0 && kind != 5) SetIntValue(0);
}

void TAdvCustomDropDown::SetPrecision(int P) {
  if (P == FPrecision || !(FEditType == etString || FEditType == etFloat || FEditType == etMoney)) return;
  FPrecision = static_cast<int16_t>(P);
  const int kind = ClassifyEditText(GetText());
  SetFloatValue(kind == 0 || kind == 1 ? GetFloatValue() : 0);
}

void TAdvCustomDropDown::SetModifiedFlag(bool B) {
  if (Loading() || !FEditorEnabled || ReadOnly()) return;
  SetModified(B);
  FIsModified = B;
}

void TAdvCustomDropDown::SelectAll() {
  const int prefix = static_cast<int>(FPrefix.size());
  const int value = static_cast<int>(GetText().size());
  SetSelStart(0);
  SetSelLength(value);
  if (!FPrefix.empty() && SelStart() < prefix) {
    SetSelStart(prefix);
    SetSelLength(value);
  }
  if (!FSuffix.empty()) {
    SetSelStart(prefix);
    SetSelLength(value);
  }
}

void TAdvCustomDropDown::SelectAfterDecimal() {
  const size_t dp = GetText().find(FormatSettings().DecimalSeparator);
  SetSelStart(static_cast<int>(FPrefix.size()) + (dp == String::npos ? 0 : static_cast<int>(dp) + 1));
}

void TAdvCustomDropDown::SelectBeforeDecimal() {
  const size_t dp = GetText().find(FormatSettings().DecimalSeparator);
  SetSelStart(static_cast<int>(FPrefix.size()) + (dp == String::npos ? 0 : static_cast<int>(dp)));
}

void TAdvCustomDropDown::CaretOutOfPrefixSuffix() {
  const int prefix = static_cast<int>(FPrefix.size());
  const int end = prefix + static_cast<int>(GetText().size());
  if (SelLength() > 0) {
    const int from = std::clamp(SelStart(), prefix, end);
    const int to = std::clamp(SelStart() + SelLength(), prefix, end);
    if (from != SelStart() || to != SelStart() + SelLength()) {
      SetSelStart(from);
      SetSelLength(to - from);
    }
  } else if (SelStart() < prefix || SelStart() > end) {
    SetSelStart(std::clamp(SelStart(), prefix, end));
  }
}

// ---- messages --------------------------------------------------------------------------------------

void TAdvCustomDropDown::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS: HandleSetFocusMessage(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case WM_KEYDOWN: WMKeyDown(Message); return;
    case WM_CHAR: WMChar(Message); return;
    case CM_WANTSPECIALKEY: HandleWantSpecialKeyMessage(Message); return;
    case WM_COPY: WMCopy(); return;
    case WM_CUT: WMCut(); return;
    case WM_PASTE: WMPaste(); return;
    case CN_COMMAND:
      if (WParamHi(Message.WParam) == EN_CHANGE && FBlockChange) {
        FBlockChange = false;
        return;
      }
      TCustomMaskEdit::WndProc(Message);
      return;
    case EM_SETREADONLY:
      TCustomMaskEdit::WndProc(Message);
      if (FButton) FButton->Invalidate();
      return;
    case CM_FONTCHANGED:
      TCustomMaskEdit::WndProc(Message);
      if (HandleAllocated()) SetEditRect();
      return;
    case CM_ENTER:
      TCustomMaskEdit::WndProc(Message);
      if (AutoSelect() && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
      RedrawBorder();
      return;
    case CM_EXIT:
      TCustomMaskEdit::WndProc(Message);
      RedrawBorder();
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      TCustomMaskEdit::WndProc(Message);
      FMouseInControl = Message.Msg == CM_MOUSEENTER;
      RedrawBorder();
      return;
    case WM_LBUTTONDOWN:
      // A press inside the selection is kept for the release, which puts the caret there.
      if (FEditorEnabled && Focused() && SelLength() > 0) {
        const int at = static_cast<int>(Perform(EM_CHARFROMPOS, 0, Message.LParam) & 0xFFFF);
        if (at >= SelStart() && at < SelStart() + SelLength()) {
          FButtonDown = true;
          return;
        }
      }
      TCustomMaskEdit::WndProc(Message);
      return;
    default: TCustomMaskEdit::WndProc(Message);
  }
}

// ---- keys ----------------------------------------------------------------------------------------

void TAdvCustomDropDown::KeyDown(Word& Key, TShiftState Shift) {
  ProcessKeyDown(Key, Shift);
}

void TAdvCustomDropDown::ProcessKeyDown(Word& Key, TShiftState Shift) {
  TCustomMaskEdit::KeyDown(Key, Shift);
  if (Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
    if (FDroppedDown) DoHideDropDown(false);
    else DoShowDropDown();
  }
}

void TAdvCustomDropDown::KeyPress(Char& Key) { ProcessKeyPress(Key); }

void TAdvCustomDropDown::ProcessKeyPress(Char& Key) {
  TCustomMaskEdit::KeyPress(Key);
  if (Key == 13) Key = 0;
}

void TAdvCustomDropDown::PopupKeys(Word Key) {
  if (Key == VK_RETURN) DoHideDropDown(false);
  else if (Key == VK_ESCAPE) DoHideDropDown(true);
  else if (Key == VK_F4) {
    if (FDroppedDown) DoHideDropDown(false);
    else DoShowDropDown();
  }
}

bool TAdvCustomDropDown::PrefixSuffixKey(Word Key, TShiftState Shift) {
  const int prefix = static_cast<int>(FPrefix.size());
  const int value = static_cast<int>(GetText().size());
  const int selEnd = SelStart() + SelLength();
  switch (Key) {
    case VK_RIGHT:
      return !FSuffix.empty() && prefix + value <= selEnd;
    case VK_LEFT:
      return !FPrefix.empty() && prefix >= selEnd;
    case VK_END:
      if (FSuffix.empty()) return false;
      if (Shift.Contains(ssShift)) SetSelLength(prefix + value - SelStart());
      else SetSelStart(prefix + value);
      return true;
    case VK_HOME:
      if (FPrefix.empty()) return false;
      if (Shift.Contains(ssShift)) {
        SetSelStart(prefix);
        SetSelLength(value);
      } else {
        SetSelStart(prefix);
      }
      return true;
    case VK_BACK:
      if (FPrefix.empty()) return false;
      if (SelLength() == 0 && SelStart() <= prefix) return true;
      SetModifiedFlag(true);
      return false;
    case VK_DELETE: {
      if (!FSuffix.empty() && prefix + value <= selEnd && SelLength() == 0) return true;
      if (SelStart() < prefix) return false;
      String v = GetText();
      const int at = SelStart() - prefix;
      v.erase(static_cast<size_t>(std::min(at, value)),
              static_cast<size_t>(SelLength() > 0 ? SelLength() : 1));
      if (FLengthLimit > 0 && FLengthLimit < DropDownIntegerPartEnd(v, FSigned && IsNumberType()) - 1) return true;
      SetModifiedFlag(true);
      return false;
    }
    default: return false;
  }
}

void TAdvCustomDropDown::WMKeyDown(TMessage& Message) {
  Word key = static_cast<Word>(Message.WParam);
  const TShiftState shift = KeyDataToShiftState(Message.LParam);
  if (GetKeyState(VK_MENU) < 0 && (key == VK_UP || key == VK_DOWN)) {
    if (FDroppedDown) DoHideDropDown(false);
    else DoShowDropDown();
  }
  if (!FEditorEnabled && Enabled()) {
    if (!ReadOnly()) PopupKeys(key);
    if (key == VK_RETURN || key == VK_ESCAPE) TCustomMaskEdit::WndProc(Message);
    return;
  }
  if (shift.Contains(ssCtrl) && (key == VK_TAB || key == VK_RETURN)) {
    TCustomMaskEdit::WndProc(Message);
    return;
  }
  if (key == VK_RETURN && FReturnIsTab) {
    key = VK_TAB;
    Message.WParam = VK_TAB;
    if (Visible()) PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
  }
  if (PrefixSuffixKey(key, shift)) {
    Message.WParam = 0;
    Message.Result = 0;
    return;
  }
  TCustomMaskEdit::WndProc(Message);
  if (key == VK_DELETE && FEditType == etMoney) FormatMoneyText();
  if (SelStart() < static_cast<int>(FPrefix.size())) SetSelStart(static_cast<int>(FPrefix.size()));
  PopupKeys(key);
}

void TAdvCustomDropDown::HandleWantSpecialKeyMessage(TMessage& Message) {
  TForm* form = GetParentForm(this);
  if (!form) return;
  const bool keyPreview = form->KeyPreview();
  if (Message.WParam == VK_ESCAPE && FCanUndo && !keyPreview) {
    SelectAll();
    SetModified(false);
    FIsModified = false;
    Message.WParam = 0;
    Message.Result = 0;
    if (FDefaultHandling && Parent()) {
      PostMessage(Parent(), WM_KEYDOWN, VK_ESCAPE, 0);
      PostMessage(Parent(), WM_KEYUP, VK_ESCAPE, 0);
    }
  }
  if (Message.WParam == VK_RETURN && FDefaultHandling && !keyPreview && Parent() && Parent()->Focused()) {
    PostMessage(Parent(), WM_KEYDOWN, VK_RETURN, 0);
    PostMessage(Parent(), WM_KEYUP, VK_RETURN, 0);
  }
  TCustomMaskEdit::WndProc(Message);
  if (Message.WParam == VK_ESCAPE && FDroppedDown) Message.Result = 1;
}

// ---- typed characters ------------------------------------------------------------------------------

void TAdvCustomDropDown::WMChar(TMessage& Message) {
  if (!FEditorEnabled) return;
  Char key = static_cast<Char>(Message.WParam);
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  // A character typed over the whole value makes one change, reported once: the edit has one
  // change notification for it, so none is swallowed here.
  const String before = GetText();
  if ((key == 13 || key == 10) && ctrl) return;
  if (key == 13) {
    Char k = 13;
    if (OnKeyPress) OnKeyPress(this, k);
    if (!FDefaultHandling && Parent()) {
      PostMessage(Parent(), WM_KEYDOWN, VK_RETURN, 0);
      if (!DropDownKeysKeyPreview(this)) PostMessage(Parent(), WM_KEYUP, VK_RETURN, 0);
    }
    return;
  }
  if (key == 27) {
    if (!FDefaultHandling && Parent()) {
      if (DropDownKeysKeyPreview(this)) {
        TCustomMaskEdit::WndProc(Message);
        return;
      }
      PostMessage(Parent(), WM_KEYDOWN, VK_ESCAPE, 0);
      PostMessage(Parent(), WM_KEYUP, VK_ESCAPE, 0);
    }
    if (!FCanUndo) {
      TCustomMaskEdit::WndProc(Message);
      return;
    }
  }
  if (key == 3 || key == 22 || key == 24) {
    Perform(key == 3 ? WM_COPY : key == 22 ? WM_PASTE : WM_CUT);
    return;
  }
  if (key == 27) return;  // nothing to insert

  TDropDownTypingSettings settings;
  settings.EditType = FEditType;
  settings.Prefix = FPrefix;
  settings.Suffix = FSuffix;
  settings.Precision = FPrecision;
  settings.LengthLimit = FLengthLimit;
  settings.Signed = FSigned;
  settings.ExcelStyleDecimalSeparator = FExcelStyleDecimalSeparator;
  settings.ValidChars = FValidChars;
  const bool keypad = (static_cast<uint32_t>(Message.LParam) & KF_SCANBIT22) != 0;
  const TDropDownTypingResult r =
      FilterDropDownChar(settings, {EditText(), SelStart(), SelLength()}, key, keypad, ctrl);
  if (!r.Pass) {
    if (r.State.EditText != EditText()) {
      SetTextDirect(r.State.EditText);
      SetModifiedFlag(true);
    }
    SetSelStart(r.State.SelStart);
    if (r.State.SelLength > 0) SetSelLength(r.State.SelLength);
    return;
  }
  SetSelStart(r.State.SelStart);
  if (r.State.SelLength > 0) SetSelLength(r.State.SelLength);
  Message.WParam = r.Key;
  TCustomMaskEdit::WndProc(Message);
  const String after = GetText();
  if (key == 8) {
    if (after.empty() && !before.empty()) Change();
  } else if (FEditType == etMixedCase) {
    const int caret = SelStart();
    SetTextDirect(FPrefix + ToMixedCase(after) + FSuffix);
    SetSelStart(caret);
  } else if (r.RegroupMoney && !after.empty() && after != u"-") {
    if (Modified()) SetModifiedFlag(true);
    FormatMoneyText();
  }
  if (FEditType == etString || FEditType == etPassword || FEditType == etRange || FEditType == etHex ||
      FEditType == etAlphaNumeric || FEditType == etValidChars)
    SetModifiedFlag(true);
  if (Modified()) SetModifiedFlag(true);
}

// ---- clipboard -------------------------------------------------------------------------------------

void TAdvCustomDropDown::WMCopy() {
  bool allow = true;
  if (!FBlockCopy && OnClipboardCopy) OnClipboardCopy(this, SelText(), allow);
  FBlockCopy = false;
  if (allow) CopyToClipboard();
}

void TAdvCustomDropDown::WMCut() {
  if (!FEditorEnabled || ReadOnly()) return;
  bool allow = true;
  FBlockCopy = true;
  if (OnClipboardCut) OnClipboardCut(this, SelText(), allow);
  if (allow) CutToClipboard();
  FBlockCopy = false;
}

void TAdvCustomDropDown::WMPaste() {
  if (ReadOnly()) return;
  String clip = ClipboardText();
  const size_t nl = clip.find_first_of(u"\r\n");
  if (nl != String::npos) clip.resize(nl);
  if (clip.empty()) return;
  const int prefix = static_cast<int>(FPrefix.size());
  const String value = GetText();
  const int from = std::clamp(SelStart() - prefix, 0, static_cast<int>(value.size()));
  const int length = std::clamp(SelLength(), 0, static_cast<int>(value.size()) - from);
  const bool hadSelection = SelLength() > 0;
  String pasted = value;
  pasted.replace(static_cast<size_t>(from), static_cast<size_t>(length), clip);
  bool allow = true;
  if (OnClipboardPaste) OnClipboardPaste(this, pasted, allow);
  if (!allow) return;
  if (MaxLength() > 0 && MaxLength() < static_cast<int>(clip.size() + value.size()) - SelLength()) return;
  if (DropDownPasteAccepted(FEditType, pasted, clip, FPrecision, FSigned, FValidChars)) {
    switch (FEditType) {
      case etUppercase: SetText(AnsiUpperCase(pasted)); break;
      case etLowerCase: SetText(AnsiLowerCase(pasted)); break;
      case etMixedCase: SetText(ToMixedCase(pasted)); break;
      default: SetText(pasted); break;
    }
    if (FEditType == etFloat || FEditType == etMoney) SetFloatValue(GetFloatValue());
    if (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney) SetModifiedFlag(true);
  }
  if (FEditType == etMoney && GetText().size() > 3) {
    SelectAll();
  } else if (hadSelection) {
    SetSelStart(prefix + from);
    SetSelLength(static_cast<int>(clip.size()));
  } else {
    SetSelStart(prefix + from + static_cast<int>(clip.size()));
  }
  if (FEditType == etString || FEditType == etUppercase || FEditType == etMixedCase || FEditType == etLowerCase ||
      FEditType == etPassword)
    SetModifiedFlag(true);
}
