// The calculator drop-down: the immediate-execution machine, its keys in the popup and in the edit.
#include "grid/dropdown/AdvCalculatorDropdown.h"

#include <cmath>

#include "grid/dropdown/AdvDropDownDraw.h"
#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/dropdown/AdvDropDownHosted.h"
#include "grid/foundation/ZazAdez.h"
#include "platform/SysUtils.h"

namespace {
enum : int { kCalcAdd = 0, kCalcMultiply = 1, kCalcSubtract = 2, kCalcDivide = 3 };
const String kCalcError = u"Error";
}  // namespace

TAdvCalculatorDropdown::TAdvCalculatorDropdown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner), FCalcButtonAppearance(std::make_unique<TButtonAppearance>()) {
  CreateDropDownForm();
  SetDropDownColor(clWhite);
  SetDropDownWidth(230);
  DropDownHeader()->SetVisible(false);
  DropDownFooter()->SetVisible(false);
  SetEditType(etFloat);
  FPrevop = -1;
  SetPrecision(2);
  FDecim = 0;
  FCalcClosed = true;
  FMVal = 0;
}

TAdvCalculatorDropdown::~TAdvCalculatorDropdown() = default;

void TAdvCalculatorDropdown::CreateDropDownForm() {
  TAdvCustomDropDown::CreateDropDownForm();
  if (FAdvButtonPanel || !DropDownForm()) return;
  FAdvButtonPanel = new TCustomButtonPanel(DropDownForm());
  FAdvButtonPanel->SetParent(DropDownForm());
  FAdvButtonPanel->SetAdvDropDown(this);
  FAdvButtonPanel->SetBounds(0, 0, FAdvButtonPanel->Width(), 150);
  FAdvButtonPanel->CreateButtons();
  SetControl(FAdvButtonPanel);
  FAdvButtonPanel->OnButtonClick = [this](TObject*, int Index) { ButtonPanelClick(Index); };
}

void TAdvCalculatorDropdown::BeforeDropDown() {
  TAdvCustomDropDown::BeforeDropDown();
  DropDownForm()->SetCancelOnDeActivate(false);
  if (FAdvButtonPanel) {
    SizeHostedControl(this, FAdvButtonPanel, DropDownWidth() - 2 * DropDownBorderWidth(), 150);
    FAdvButtonPanel->SetButtonAppearance(FCalcButtonAppearance.get());
    FAdvButtonPanel->SetColor(DropDownColor());
    FAdvButtonPanel->ArrangeButtons();
  }
  FNewval = true;
  FDecim = 0;
  FCalcClosed = false;
}

// ---- value ---------------------------------------------------------------------------------------

double TAdvCalculatorDropdown::Converted() const {
  double x = 0;
  // A lone "-" or any other text that is no number reads as 0, as the shown value does.
  if (!TryStrToFloat(StripThousandSeparators(GetText()), x)) return 0;
  return x;
}

double TAdvCalculatorDropdown::Value() {
  if (GetText().empty()) SetText(u"0");
  return Converted();
}

void TAdvCalculatorDropdown::SetValue(double Value) { SetText(Format(u"%g", {Value})); }

void TAdvCalculatorDropdown::SetShowThousandSeparator(bool Value) {
  if (Value == FShowThousandSeparator) return;
  FShowThousandSeparator = Value;
  SetEditType(Value ? etMoney : etFloat);
  SetFloatValue(GetFloatValue());
}

// ---- the machine ---------------------------------------------------------------------------------

void TAdvCalculatorDropdown::CompletePending() {
  if (GetText().empty() || GetText() == kCalcError) SetText(u"0");
  const double x = Converted();
  switch (FPrevop) {
    case kCalcAdd: FPrevval = x + FPrevval; break;
    case kCalcMultiply: FPrevval = x * FPrevval; break;
    case kCalcSubtract: FPrevval = FPrevval - x; break;
    case kCalcDivide:
      if (x == 0) {
        FPrevval = 0;
        SetText(kCalcError);
        return;
      }
      FPrevval = FPrevval / x;
      break;
    default: FPrevval = Converted(); break;
  }
  SetFloatValue(FPrevval);
  FNewval = true;
}

void TAdvCalculatorDropdown::OperatorKey(int Operation) {
  CompletePending();
  FPrevop = Operation;
}

void TAdvCalculatorDropdown::CalcResult() {
  CompletePending();
  if (GetText().empty()) SetText(u"0");
  FPrevop = -1;
  if (GetText() != kCalcError) FPrevval = Converted();
}

void TAdvCalculatorDropdown::Percent() {
  if (GetText().empty() || GetText() == kCalcError) SetText(u"0");
  SetText(Format(u"%g", {FPrevval * Converted() / 100}));
}

void TAdvCalculatorDropdown::ClearAll(bool Accumulator) {
  SetText(u"0");
  if (Accumulator) FPrevval = 0;
  FPrevop = -1;
}

bool TAdvCalculatorDropdown::AtMaxLength() const {
  return MaxLength() > 0 && static_cast<int>(GetText().size()) == MaxLength();
}

void TAdvCalculatorDropdown::ButtonPanelClick(int Index) {
  if (!FAdvButtonPanel || Index < 0 || Index >= FAdvButtonPanel->Buttons()->Count()) return;
  const int tag = FAdvButtonPanel->Buttons()->Items(Index)->Tag();
  BeforeCalculatorKey();
  if ((tag >= 10 && tag <= 14) || (tag >= 16 && tag <= 18)) FDecim = 0;
  if (tag >= 0 && tag <= 15 && tag != 10 && tag != 11 && tag != 12 && tag != 13 && AtMaxLength()) return;
  switch (tag) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 9: {
      double v = GetFloatValue();
      if ((v == 0 && FDecim == 0) || FNewval) {
        SetText(IntToStr(tag));
        FNewval = false;
        break;
      }
      const double sign = v < 0 ? -1 : 1;
      if (FDecim == 0) {
        v = v * 10 + sign * tag;
      } else {
        v = v + sign * tag / static_cast<double>(FDecim);
        FDecim *= 10;
      }
      SetFloatValue(v);
      break;
    }
    case 10: OperatorKey(kCalcAdd); break;
    case 11: OperatorKey(kCalcSubtract); break;
    case 12: OperatorKey(kCalcMultiply); break;
    case 13: OperatorKey(kCalcDivide); break;
    case 14: {
      const String t = GetText();
      SetText(t.find(u'-') != String::npos ? t.substr(1) : u"-" + t);
      break;
    }
    case 15: {
      const Char dp = FormatSettings().DecimalSeparator;
      if (GetText().find(dp) == String::npos) SetText(GetText() + dp);
      FDecim = 10;
      if (FNewval) SetText(u"0");
      FNewval = false;
      break;
    }
    case 16: case 30: case 32: ClearAll(true); break;
    case 17: CalcResult(); break;
    case 18: Percent(); break;
    case 31:
      if (FPrevop == -1) {
        String shortest = FloatToStr(GetFloatValue());
        if (!shortest.empty()) shortest.pop_back();
        SetText(shortest);
      }
      break;
    case 33: FMVal = 0; break;
    case 34: SetFloatValue(FMVal); break;
    case 35: FMVal = Converted(); break;
    case 36: FMVal = FMVal + Converted(); break;
    case 37: {
      const double v = GetFloatValue();
      if (v >= 0) SetFloatValue(std::sqrt(v));
      else SetText(kCalcError);
      break;
    }
    case 38: {
      const double v = GetFloatValue();
      if (v != 0) SetFloatValue(1 / v);
      else SetText(kCalcError);
      break;
    }
    default: break;
  }
  SetModifiedFlag(true);
}

// ---- keys ----------------------------------------------------------------------------------------

void TAdvCalculatorDropdown::DropDownKeyDown(Word& Key, TShiftState Shift) {
  TAdvCustomDropDown::DropDownKeyDown(Key, Shift);
  if (Key == VK_TAB || Key == VK_F4) {
    DoHideDropDown(false);
  } else if (Key == VK_BACK) {
    String t = GetText();
    if (!t.empty()) t.pop_back();
    if (t.empty() || t == kCalcError) t = u"0";
    SetText(t);
  }
}

void TAdvCalculatorDropdown::DropDownKeyPress(Char& Key) {
  TAdvCustomDropDown::DropDownKeyPress(Key);
  BeforeCalculatorKey();
  const Char dp = FormatSettings().DecimalSeparator;
  if (Key == dp && GetText().find(dp) == String::npos) SetText(GetText() + dp);
  if (IsNumberChar(Key) && AtMaxLength()) return;
  switch (Key) {
    case 13:
      CalcResult();
      DoHideDropDown(false);
      break;
    case 27: DoHideDropDown(true); break;
    case u'%': Percent(); break;
    case u'&':
      if (GetKeyState(VK_MENU) < 0) DoHideDropDown(true);
      break;
    case u'*': OperatorKey(kCalcMultiply); break;
    case u'+': OperatorKey(kCalcAdd); break;
    case u'-': OperatorKey(kCalcSubtract); break;
    case u'/': OperatorKey(kCalcDivide); break;
    case u'=': CalcResult(); break;
    case u'C':
    case u'c':
      SetText(u"0");
      FPrevval = 0;
      FNewval = true;
      FPrevop = -1;
      break;
    default:
      if (Key >= u'0' && Key <= u'9' && (GetText() == u"0" || FNewval)) FNewval = false;
      break;
  }
}

bool TAdvCalculatorDropdown::EditChar(Char Key) {
  const bool showing = DropDownForm() && DropDownForm()->Visible();
  if (!showing) {
    switch (Key) {
      case 13:
      case u'=': CalcResult(); break;
      case u'%': Percent(); break;
      case u'*': OperatorKey(kCalcMultiply); break;
      case u'+': OperatorKey(kCalcAdd); break;
      case u'-': OperatorKey(kCalcSubtract); break;
      case u'/': OperatorKey(kCalcDivide); break;
      case u'C':
      case u'c':
        SetText(u"0");
        FNewval = true;
        FPrevop = -1;
        break;
      default: break;
    }
  }
  const Char dp = FormatSettings().DecimalSeparator;
  const bool number = IsNumberChar(Key);
  if (!number && Key != dp && Key != 8 && Key != u'-') return true;
  if (number && (GetText() == u"0" || FNewval)) {
    SetText(String(1, Key));
    SetSelStart(static_cast<int>(Prefix().size()) + 1);
    SetSelLength(0);
    FNewval = false;
    return true;
  }
  if (Key == 8 && GetText().size() == 1) {
    SetText(u"0");
    return true;
  }
  if (Key == FormatSettings().ThousandSeparator) return true;
  if (Key == dp && GetText().find(dp) != String::npos) return true;
  return false;
}

void TAdvCalculatorDropdown::WndProc(TMessage& Message) {
  if (Message.Msg == WM_CHAR) {
    if (EditChar(static_cast<Char>(Message.WParam))) return;
    TAdvCustomDropDown::WndProc(Message);
    return;
  }
  if (Message.Msg == CM_ENTER && AutoSelect() && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
  TAdvCustomDropDown::WndProc(Message);
  if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_DELETE && (GetText().empty() || GetText() == kCalcError))
    SetText(u"0");
}

// ---- style ---------------------------------------------------------------------------------------

void TAdvCalculatorDropdown::SetComponentStyle(TQELStyle AStyle) {
  TAdvCustomDropDown::SetComponentStyle(AStyle);
  if (!FCalcButtonAppearance) return;  // the base constructor applies its preset before this exists
  TAdvButtonAppearance* b = ButtonAppearance();
  TButtonAppearance* c = FCalcButtonAppearance.get();
  c->SetBorderColorChecked(b->BorderColorDisabled());
  c->SetBorderColor(b->BorderColor());
  c->SetBorderColorHot(b->BorderColorHot());
  c->SetBorderColorDown(b->BorderColorDown());
  c->SetColor(b->Color());
  c->SetColorTo(b->ColorTo());
  c->SetColorDown(b->ColorDown());
  c->SetColorDownTo(b->ColorDownTo());
  c->SetColorChecked(b->ColorDisabledTo());
  c->SetColorCheckedTo(b->ColorHotTo());
  c->SetColorDisabled(b->ColorDisabled());
  c->SetColorDisabledTo(b->ColorDisabledTo());
  c->SetColorHot(b->ColorHot());
  c->SetColorHotTo(b->ColorHotTo());
  if (AStyle == tsOffice2010Blue || AStyle == tsOffice2010Silver || AStyle == tsOffice2010Black) {
    c->SetGlowColorDown(b->ColorHot());
    c->SetGlowColorHot(b->ColorHot());
  } else {
    c->SetGlowColorDown(static_cast<TColor>(0xD5C244));
    c->SetGlowColorHot(b->ColorDownTo());
  }
}
