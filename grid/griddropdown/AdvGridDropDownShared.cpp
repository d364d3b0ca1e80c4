#include "grid/griddropdown/AdvGridDropDownShared.h"

#include <algorithm>

#include "grid/dropdown/AdvDropDownDraw.h"
#include "platform/SysUtils.h"

namespace grid_dropdown_shared {

int StepItem(TItemStep Step, int ItemIndex, int Count) {
  if (Count == 0) return -2;
  switch (Step) {
    case isFirst:
      return 0;
    case isLast:
      return Count - 1;
    case isNext:
      return ItemIndex < 0 ? 0 : ItemIndex + 1 < Count ? ItemIndex + 1 : -2;
    case isPrevious:
      return ItemIndex < 0 ? 0 : ItemIndex - 1 >= 0 ? ItemIndex - 1 : -2;
    case isNextPage:
      return ItemIndex < 0 ? 0 : ItemIndex + 10 < Count ? ItemIndex + 10 : Count - 1;
    case isPreviousPage:
      return ItemIndex >= 0 && ItemIndex - 10 >= 0 ? ItemIndex - 10 : 0;
  }
  return -2;
}

bool BeginsWithKey(const String& Text, const String& Key, bool CaseSensitive) {
  if (Text.size() < Key.size()) return false;
  for (size_t i = 0; i < Key.size(); ++i)
    if ((CaseSensitive ? Text[i] : AnsiUpperCaseChar(Text[i])) != Key[i]) return false;
  return true;
}

void LookupBackspace(TAdvCustomDropDown& Edit, String& Entry) {
  if (Edit.SelLength() == 0) {
    if (!Entry.empty()) Entry.pop_back();
    Edit.SetText(Entry);
  } else {
    String text = Edit.EditText();
    const size_t start = std::min(text.size(), static_cast<size_t>(std::max(0, Edit.SelStart())));
    text.erase(start, static_cast<size_t>(Edit.SelLength()));
    Edit.SetText(text);
  }
  Edit.SetSelStart(static_cast<int>(Edit.GetText().size()));
  Edit.SetSelLength(0);
}

void CompleteFromLookupList(TAdvCustomDropDown& Edit, TStringList* Entries, bool MatchCase,
                            const std::function<void(const String& Text, int Entry)>& SetText, int& Typed) {
  const String text = Edit.GetText();
  const String edit = Edit.EditText();
  const int caret = std::clamp(Edit.SelStart(), 0, static_cast<int>(edit.size()));
  const String typed = edit.substr(0, static_cast<size_t>(caret));
  const String folded = CaseFoldText(typed, MatchCase);
  Typed = static_cast<int>(folded.size());
  if (!folded.empty()) {
    for (int i = 0; i < Entries->Count(); ++i) {
      const String entry = Entries->Strings(i);
      if (CaseFoldText(entry, MatchCase).compare(0, folded.size(), folded) != 0) continue;
      String completed = text.substr(0, folded.size()) + entry.substr(std::min(entry.size(), folded.size()));
      if (completed.size() > 255) completed.resize(255);
      SetText(completed, i);
      Edit.SetSelStart(Typed);
      Edit.SetSelLength(std::max(0, static_cast<int>(Edit.GetText().size()) - Typed));
      return;
    }
  }
  if (!typed.empty()) {
    SetText(typed, -1);
    Edit.SetSelStart(static_cast<int>(typed.size()));
    Edit.SetSelLength(0);
  }
}

}  // namespace grid_dropdown_shared
