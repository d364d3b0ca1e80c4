#include "grid/foundation/AdvStyleIF.h"

#include <algorithm>

#include "grid/foundation/AdvXPVS.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"

namespace {

TOfficeThemeReader& Reader() {
  static TOfficeThemeReader reader;
  return reader;
}

int ReadOfficeTheme(const String& Key) {
  const TOfficeThemeReader& r = Reader();
  return r ? r(Key) : -1;
}

TThemeNotifier* gNotifier = nullptr;

}  // namespace

void SetOfficeThemeReader(TOfficeThemeReader R) { Reader() = std::move(R); }

TOfficeTheme OfficeThemeFromValues(int Office14Theme, int Office12Theme, int XPStyle) {
  switch (Office14Theme) {
    case -1: break;
    case 1: return ot2010Blue;
    case 2: return ot2010Silver;
    case 3: return ot2010Black;
    default: return ot2003Blue;
  }
  switch (Office12Theme) {
    case -1: break;
    case 1: return ot2007Blue;
    case 2: return ot2007Silver;
    case 3: return ot2007Black;
    default: return ot2003Blue;
  }
  switch (XPStyle) {
    case 1: return ot2003Blue;
    case 2: return ot2003Olive;
    case 3: return ot2003Silver;
    default: return ot2003Classic;
  }
}

TOfficeTheme CurrentOfficeTheme() {
  // The 12.0 key is consulted only when the 14.0 one holds nothing.
  const int v14 = ReadOfficeTheme(kOffice14CommonKey);
  const int v12 = v14 == -1 ? ReadOfficeTheme(kOffice12CommonKey) : -1;
  return OfficeThemeFromValues(v14, v12, CurrentXPStyle());
}

int InstalledOfficeVersion() { return 0; }

String DefaultFontName() { return IsVistaOrLater() ? u"Segoe UI" : u"Tahoma"; }

// ---- THandleList ----------------------------------------------------------------------------

TWinControl* THandleList::operator[](int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(u"List index out of bounds (%d)", {Index}));
  return items_[static_cast<size_t>(Index)];
}

int THandleList::Add(TWinControl* Handle) {
  items_.push_back(Handle);
  return Count() - 1;
}

void THandleList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError(Format(u"List index out of bounds (%d)", {Index}));
  items_.erase(items_.begin() + Index);
}

void THandleList::Insert(int Index, TWinControl* Handle) {
  if (Index < 0 || Index > Count()) throw EListError(Format(u"List index out of bounds (%d)", {Index}));
  items_.insert(items_.begin() + Index, Handle);
}

void THandleList::DeleteValue(TWinControl* Handle) {
  auto it = std::find(items_.begin(), items_.end(), Handle);
  if (it != items_.end()) items_.erase(it);
}

bool THandleList::HasValue(TWinControl* Handle) const {
  return std::find(items_.begin(), items_.end(), Handle) != items_.end();
}

// ---- TThemeNotifier -------------------------------------------------------------------------

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner) {
  // A watcher is started only for an installed office suite (version 1 or 2), which this
  // platform never reports; the notifier then lives without watcher or hidden window.
}

TThemeNotifier::~TThemeNotifier() {
  if (gNotifier == this) gNotifier = nullptr;
}

void TThemeNotifier::RegisterWindow(TWinControl* Handle) {
  if (watcherWindows_ && !watcherWindows_->HasValue(Handle)) watcherWindows_->Add(Handle);
}

void TThemeNotifier::UnRegisterWindow(TWinControl* Handle) {
  if (watcherWindows_) watcherWindows_->DeleteValue(Handle);
}

TThemeNotifier* GetThemeNotifier(TComponent* Component) {
  if (gNotifier) return gNotifier;
  TComponent* owner = Component;
  if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
    owner = Application->MainForm();
  gNotifier = new TThemeNotifier(owner);
  return gNotifier;
}
