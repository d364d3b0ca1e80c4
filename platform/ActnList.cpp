#include "platform/ActnList.h"

#include <algorithm>

#include "platform/Controls.h"

// ---- TBasicAction --------------------------------------------------------------------------------

TBasicAction::~TBasicAction() {
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients)) link->FAction = nullptr;
  FClients.clear();
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

void TBasicAction::Change() {
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients)) link->Change();
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link) { FClients.push_back(Link); }

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link) {
  FClients.erase(std::remove(FClients.begin(), FClients.end(), Link), FClients.end());
}

// ---- TBasicActionLink ----------------------------------------------------------------------------

TBasicActionLink::~TBasicActionLink() {
  if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (Value == FAction) return;
  if (FAction) FAction->UnRegisterChanges(this);
  FAction = Value;
  if (FAction) FAction->RegisterChanges(this);
}

bool TBasicActionLink::Execute() { return FAction && FAction->Execute(); }

// ---- TCustomAction -------------------------------------------------------------------------------

namespace {
template <class F>
void ForEachControlLink(const std::vector<TBasicActionLink*>& links, F f) {
  for (TBasicActionLink* l : std::vector<TBasicActionLink*>(links))
    if (auto* cl = dynamic_cast<TControlActionLink*>(l)) f(cl);
}
}  // namespace

TCustomAction::~TCustomAction() { SetActionList(nullptr); }

bool TCustomAction::Execute() {
  if (!FEnabled) return false;
  return TBasicAction::Execute();
}

void TCustomAction::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  ForEachControlLink(FClients, [&](TControlActionLink* l) { l->SetCaption(Value); });
  FCaption = Value;
  Change();
}

void TCustomAction::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  ForEachControlLink(FClients, [&](TControlActionLink* l) { l->SetEnabled(Value); });
  FEnabled = Value;
  Change();
}

void TCustomAction::SetVisible(bool Value) {
  if (Value == FVisible) return;
  ForEachControlLink(FClients, [&](TControlActionLink* l) { l->SetVisible(Value); });
  FVisible = Value;
  Change();
}

void TCustomAction::SetChecked(bool Value) {
  if (Value == FChecked) return;
  ForEachControlLink(FClients, [&](TControlActionLink* l) { l->SetChecked(Value); });
  FChecked = Value;
  if (Value && FGroupIndex > 0 && FActionList)
    for (TCustomAction* a : std::vector<TCustomAction*>(FActionList->FActions))
      if (a != this && a->FGroupIndex == FGroupIndex) a->SetChecked(false);
  Change();
}

void TCustomAction::SetHint(const String& Value) {
  if (Value == FHint) return;
  ForEachControlLink(FClients, [&](TControlActionLink* l) { l->SetHint(Value); });
  FHint = Value;
  Change();
}

void TCustomAction::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  Change();
}

void TCustomAction::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  ForEachControlLink(FClients, [&](TControlActionLink* l) { l->SetGroupIndex(Value); });
  FGroupIndex = Value;
  Change();
}

void TCustomAction::SetActionList(TActionList* Value) {
  if (Value == FActionList) return;
  if (FActionList) {
    auto& v = FActionList->FActions;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  FActionList = Value;
  if (Value) Value->FActions.push_back(this);
}

// ---- TActionList ---------------------------------------------------------------------------------

TActionList::~TActionList() {
  for (TCustomAction* a : std::vector<TCustomAction*>(FActions)) a->FActionList = nullptr;
  FActions.clear();
  if (FImages) FImages->RemoveFreeNotification(this);
}

void TActionList::SetImages(TImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  for (TCustomAction* a : std::vector<TCustomAction*>(FActions)) a->Change();
}

void TActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

// ---- TControlActionLink --------------------------------------------------------------------------

// A property is linked while the client still shows the action's value (the action asks its
// links before it stores the new value).
bool TControlActionLink::IsCaptionLinked() const {
  return FClient && CustomAction() && FClient->Caption() == CustomAction()->Caption();
}
bool TControlActionLink::IsCheckedLinked() const { return CustomAction() != nullptr; }
bool TControlActionLink::IsEnabledLinked() const {
  return FClient && CustomAction() && FClient->Enabled() == CustomAction()->Enabled();
}
bool TControlActionLink::IsGroupIndexLinked() const { return CustomAction() != nullptr; }
bool TControlActionLink::IsHintLinked() const {
  return FClient && CustomAction() && FClient->Hint() == CustomAction()->Hint();
}
bool TControlActionLink::IsVisibleLinked() const {
  return FClient && CustomAction() && FClient->Visible() == CustomAction()->Visible();
}

void TControlActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TControlActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TControlActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) FClient->SetHint(Value);
}
void TControlActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FClient->SetVisible(Value);
}

// ---- TActionClient -------------------------------------------------------------------------------

TActionClient::~TActionClient() {
  if (FLink && FLink->Action()) FLink->Action()->RemoveFreeNotification(FControl);
}


void TActionClient::SetAction(TBasicAction* Value) {
  if (Value == Action()) return;
  if (!Value) {
    if (FLink && FLink->Action()) FLink->Action()->RemoveFreeNotification(FControl);
    FLink.reset();
    FLinked = nullptr;
    return;
  }
  if (!FLink) {
    FLink = FFactory();
    FLink->AssignClient(FControl);
    FLink->OnChange = [this](TObject* Sender) {
      if (FChanged) FChanged(static_cast<TBasicAction*>(Sender), false);
    };
  }
  if (FLink->Action()) FLink->Action()->RemoveFreeNotification(FControl);
  FLink->SetAction(Value);
  FLinked = Value;
  if (FChanged)
    FChanged(Value, FControl->ComponentState().Contains(TComponentStateFlag::csLoading));
  Value->FreeNotification(FControl);
}

void TActionClient::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && FLink && AComponent == FLinked) {
    FLink.reset();
    FLinked = nullptr;
  }
}

bool TActionClient::Execute() { return FLink && FLink->Execute(); }

// ---- ControlActionChange -------------------------------------------------------------------------

void ControlActionChange(TControl* Control, TBasicAction* Sender, bool CheckDefaults) {
  auto* a = dynamic_cast<TCustomAction*>(Sender);
  if (!a || !Control) return;
  if (!CheckDefaults || Control->Caption().empty()) Control->SetCaption(a->Caption());
  if (!CheckDefaults || Control->Enabled()) Control->SetEnabled(a->Enabled());
  if (!CheckDefaults || Control->Hint().empty()) Control->SetHint(a->Hint());
  if (!CheckDefaults || Control->Visible()) Control->SetVisible(a->Visible());
}
