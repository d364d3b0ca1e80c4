#include "platform/Mask.h"

#include <algorithm>

namespace {

bool IsDigitChar(Char c) { return c >= u'0' && c <= u'9'; }
bool IsLetterChar(Char c) {
  if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) return true;
  if (c < 128) return false;
  String one(1, c);
  return AnsiUpperCase(one) != AnsiLowerCase(one);
}

}  // namespace

TEditMaskInfo TEditMaskInfo::Parse(const String& mask) {
  TEditMaskInfo info;
  // The fields after the mask: the last two unescaped ";" split them off.
  std::vector<size_t> semis;
  for (size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] == u'\\') { ++i; continue; }
    if (mask[i] == u';') semis.push_back(i);
  }
  size_t maskEnd = mask.size();
  if (semis.size() >= 2) {
    size_t a = semis[semis.size() - 2], b = semis.back();
    maskEnd = a;
    String saveField = mask.substr(a + 1, b - a - 1);
    String blankField = mask.substr(b + 1);
    info.saveLiterals = !(saveField.size() == 1 && saveField[0] == u'0');
    if (!blankField.empty()) info.blank = blankField[0];
  } else if (semis.size() == 1) {
    size_t a = semis.back();
    maskEnd = a;
    String saveField = mask.substr(a + 1);
    info.saveLiterals = !(saveField.size() == 1 && saveField[0] == u'0');
  }
  int caseMode = 0;
  for (size_t i = 0; i < maskEnd; ++i) {
    Char c = mask[i];
    TMaskPosition p;
    p.caseMode = caseMode;
    switch (c) {
      case u'\\':
        if (i + 1 < maskEnd) {
          p.literal = mask[++i];
          info.positions.push_back(p);
        }
        continue;
      case u'>': caseMode = 1; continue;
      case u'<':
        if (i + 1 < maskEnd && mask[i + 1] == u'>') { caseMode = 0; ++i; }
        else caseMode = 2;
        continue;
      case u'!': info.dropLeadingBlanks = true; continue;
      case u'_': p.literal = u' '; break;
      case u'0': p.kind = TMaskPosition::Digit; p.required = true; break;
      case u'9': p.kind = TMaskPosition::Digit; break;
      case u'#': p.kind = TMaskPosition::DigitOrSign; break;
      case u'L': p.kind = TMaskPosition::Letter; p.required = true; break;
      case u'l': p.kind = TMaskPosition::Letter; break;
      case u'A': p.kind = TMaskPosition::AlphaNum; p.required = true; break;
      case u'a': p.kind = TMaskPosition::AlphaNum; break;
      case u'C': p.kind = TMaskPosition::AnyChar; p.required = true; break;
      case u'c': p.kind = TMaskPosition::AnyChar; break;
      default: p.literal = c; break;
    }
    info.positions.push_back(p);
  }
  return info;
}

Char TEditMaskInfo::Convert(size_t i, Char key) const {
  if (i >= positions.size()) return key;
  String one(1, key);
  if (positions[i].caseMode == 1) return AnsiUpperCase(one)[0];
  if (positions[i].caseMode == 2) return AnsiLowerCase(one)[0];
  return key;
}

bool TEditMaskInfo::Accepts(size_t i, Char key) const {
  if (!IsSlot(i) || key < 32) return false;
  switch (positions[i].kind) {
    case TMaskPosition::Digit: return IsDigitChar(key);
    case TMaskPosition::DigitOrSign: return IsDigitChar(key) || key == u'+' || key == u'-';
    case TMaskPosition::Letter: return IsLetterChar(key);
    case TMaskPosition::AlphaNum: return IsLetterChar(key) || IsDigitChar(key);
    case TMaskPosition::AnyChar: return true;
    default: return false;
  }
}

String TEditMaskInfo::Format(const String& value) const {
  String out;
  out.reserve(positions.size());
  size_t j = 0;
  for (size_t i = 0; i < positions.size(); ++i) {
    if (!IsSlot(i)) {
      out += positions[i].literal;
      if (saveLiterals) ++j;  // the value carries the literal in its place
      continue;
    }
    Char c = j < value.size() ? value[j] : 0;
    if (j < value.size()) ++j;
    out += (c != 0 && c != blank && c != u' ' && Accepts(i, c)) ? Convert(i, c) : blank;
  }
  return out;
}

String TEditMaskInfo::Strip(const String& editText) const {
  String out;
  for (size_t i = 0; i < positions.size() && i < editText.size(); ++i) {
    if (!IsSlot(i)) {
      if (saveLiterals) out += positions[i].literal;
      continue;
    }
    out += editText[i] == blank ? u' ' : editText[i];
  }
  if (dropLeadingBlanks) {
    size_t k = 0;
    while (k < out.size() && out[k] == u' ') ++k;
    out.erase(0, k);
  }
  return out;
}

int TEditMaskInfo::FirstMissing(const String& editText) const {
  for (size_t i = 0; i < positions.size(); ++i) {
    if (!IsSlot(i) || !positions[i].required) continue;
    if (i >= editText.size() || editText[i] == blank || editText[i] == u' ') return static_cast<int>(i);
  }
  return -1;
}

void TCustomMaskEdit::SetEditMask(const String& m) {
  if (m == editMask_) return;
  String plain = IsMasked() ? GetText() : text_;
  editMask_ = m;
  maskInfo_ = m.empty() ? TEditMaskInfo{} : TEditMaskInfo::Parse(m);
  // The text is laid out anew without a change notice: the content itself is not edited.
  text_ = IsMasked() ? maskInfo_.Format(plain) : plain;
  selStart_ = std::min(selStart_, static_cast<int>(text_.size()));
  selLength_ = 0;
  SyncWidget();
}

String TCustomMaskEdit::GetText() const {
  if (!IsMasked()) return TCustomEdit::GetText();
  return maskInfo_.Strip(text_);
}

void TCustomMaskEdit::SetText(const String& s) {
  if (!IsMasked()) return TCustomEdit::SetText(s);
  String t = maskInfo_.Format(s);
  if (t == text_) return;
  text_ = t;
  selStart_ = 0;
  selLength_ = 0;
  SyncWidget();
  NotifyChange();
}

int TCustomMaskEdit::NextSlot(int pos) const {
  int n = static_cast<int>(maskInfo_.positions.size());
  while (pos < n && !maskInfo_.IsSlot(static_cast<size_t>(pos))) ++pos;
  return pos;
}

String TCustomMaskEdit::ClearSlots(const String& t, int from, int to) const {
  String out = t;
  for (int i = std::max(from, 0); i < to && i < static_cast<int>(out.size()); ++i)
    if (maskInfo_.IsSlot(static_cast<size_t>(i))) out[static_cast<size_t>(i)] = maskInfo_.blank;
  return out;
}

void TCustomMaskEdit::DefaultChar(Char Key) {
  if (!IsMasked() || Key == 1 || Key == 3) return TCustomEdit::DefaultChar(Key);
  if (readOnly_) return;
  if (Key == 8) {
    if (selLength_ > 0) {
      ReplaceText(ClearSlots(text_, selStart_, selStart_ + selLength_), selStart_);
      return;
    }
    int p = selStart_ - 1;
    while (p >= 0 && !maskInfo_.IsSlot(static_cast<size_t>(p))) --p;
    if (p < 0) return;
    ReplaceText(ClearSlots(text_, p, p + 1), p);
    return;
  }
  if (Key < 32) return;  // paste and cut are not taken through the mask
  int slot = NextSlot(selStart_);
  if (slot >= static_cast<int>(maskInfo_.positions.size())) return;
  if (!maskInfo_.Accepts(static_cast<size_t>(slot), Key)) return;
  String t = selLength_ > 0 ? ClearSlots(text_, selStart_, selStart_ + selLength_) : text_;
  t[static_cast<size_t>(slot)] = maskInfo_.Convert(static_cast<size_t>(slot), Key);
  ReplaceText(t, NextSlot(slot + 1));
}

void TCustomMaskEdit::DefaultKeyDown(Word Key, TShiftState Shift) {
  if (!IsMasked() || Key != VK_DELETE || Shift.Contains(ssShift)) return TCustomEdit::DefaultKeyDown(Key, Shift);
  if (readOnly_) return;
  int to = selLength_ > 0 ? selStart_ + selLength_ : selStart_ + 1;
  ReplaceText(ClearSlots(text_, selStart_, to), selStart_);
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked()) return;
  int missing = maskInfo_.FirstMissing(text_);
  if (missing < 0) return;
  selStart_ = missing;
  selLength_ = 1;
  SyncWidget();
  throw EDBEditError(u"Invalid input value.  Use escape key to abandon changes");
}

void TCustomMaskEdit::DoExit() {
  if (IsMasked() && Modified()) ValidateEdit();
  TCustomEdit::DoExit();
}
