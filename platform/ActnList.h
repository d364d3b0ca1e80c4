// Actions: a command object (caption, enabled, visible, checked, hint, image index, OnExecute)
// shared by controls. A control links to an action through an action link; every change of the
// action is pushed into the linked clients.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/Classes.h"
#include "platform/Graphics.h"

class TBasicActionLink;
class TActionList;

class TBasicAction : public TComponent {
 public:
  explicit TBasicAction(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
  ~TBasicAction() override;
  String ClassName() const override { return u"TBasicAction"; }
  // Runs OnExecute; true when it ran.
  virtual bool Execute();
  TNotifyEvent OnExecute;
  // Tells every linked client that the action changed.
  void Change();
  int LinkCount() const { return static_cast<int>(FClients.size()); }

 protected:
  friend class TBasicActionLink;
  void RegisterChanges(TBasicActionLink* Link);
  void UnRegisterChanges(TBasicActionLink* Link);
  std::vector<TBasicActionLink*> FClients;
};

class TBasicActionLink {
 public:
  TBasicActionLink() = default;
  virtual ~TBasicActionLink();
  TBasicActionLink(const TBasicActionLink&) = delete;
  TBasicActionLink& operator=(const TBasicActionLink&) = delete;
  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* Value);
  // Runs the action (false when there is none or it did not run).
  virtual bool Execute();
  // Called on every change of the action.
  TNotifyEvent OnChange;

 protected:
  friend class TBasicAction;
  virtual void Change() {
    if (OnChange) OnChange(FAction);
  }
  TBasicAction* FAction = nullptr;
};

class TCustomAction : public TBasicAction {
 public:
  explicit TCustomAction(TComponent* AOwner = nullptr) : TBasicAction(AOwner) {}
  ~TCustomAction() override;
  String ClassName() const override { return u"TCustomAction"; }
  // Runs OnExecute only while enabled.
  bool Execute() override;
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Checked() const { return FChecked; }
  // Checking an action of a group (GroupIndex > 0) unchecks the other actions of its list's group.
  void SetChecked(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  TActionList* ActionList() const { return FActionList; }
  void SetActionList(TActionList* Value);

 private:
  friend class TActionList;
  String FCaption;
  bool FEnabled = true;
  bool FVisible = true;
  bool FChecked = false;
  String FHint;
  int FImageIndex = -1;
  int FGroupIndex = 0;
  TActionList* FActionList = nullptr;
};

class TAction : public TCustomAction {
 public:
  explicit TAction(TComponent* AOwner = nullptr) : TCustomAction(AOwner) {}
  String ClassName() const override { return u"TAction"; }
};

// Holds actions and the image list their image indexes point into.
class TActionList : public TComponent {
 public:
  explicit TActionList(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
  ~TActionList() override;
  String ClassName() const override { return u"TActionList"; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TCustomAction* Actions(int Index) const { return FActions.at(static_cast<size_t>(Index)); }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TCustomAction;
  TImageList* FImages = nullptr;
  std::vector<TCustomAction*> FActions;
};

class TControl;

// The link of a control: the Is...Linked tests say whether a property follows the action (the
// client still shows the action's value), the setters push a value into the client when it does.
class TControlActionLink : public TBasicActionLink {
 public:
  TControl* Client() const { return FClient; }
  virtual void AssignClient(TControl* AClient) { FClient = AClient; }
  TCustomAction* CustomAction() const { return dynamic_cast<TCustomAction*>(FAction); }

  virtual bool IsCaptionLinked() const;
  virtual bool IsCheckedLinked() const;
  virtual bool IsEnabledLinked() const;
  virtual bool IsGroupIndexLinked() const;
  virtual bool IsHintLinked() const;
  virtual bool IsVisibleLinked() const;
  virtual void SetCaption(const String& Value);
  virtual void SetChecked(bool) {}
  virtual void SetEnabled(bool Value);
  virtual void SetGroupIndex(int) {}
  virtual void SetHint(const String& Value);
  virtual void SetVisible(bool Value);

 protected:
  TControl* FClient = nullptr;
};

// The client side a control embeds: owns the link, follows the action's changes and lets go of
// a freed action. Changed(Sender, CheckDefaults) is the control's ActionChange.
class TActionClient {
 public:
  using TLinkFactory = std::function<std::unique_ptr<TControlActionLink>()>;
  using TChangeEvent = std::function<void(TBasicAction* Sender, bool CheckDefaults)>;
  TActionClient(TControl* Control, TLinkFactory Factory, TChangeEvent Changed)
      : FControl(Control), FFactory(std::move(Factory)), FChanged(std::move(Changed)) {}
  ~TActionClient();
  TActionClient(const TActionClient&) = delete;
  TActionClient& operator=(const TActionClient&) = delete;
  TBasicAction* Action() const { return FLink ? FLink->Action() : nullptr; }
  TControlActionLink* ActionLink() const { return FLink.get(); }
  void SetAction(TBasicAction* Value);
  // Call from the control's Notification.
  void Notification(TComponent* AComponent, TOperation Operation);
  // Runs the linked action; false when none ran.
  bool Execute();

 private:
  TControl* FControl;
  TLinkFactory FFactory;
  TChangeEvent FChanged;
  std::unique_ptr<TControlActionLink> FLink;
  // The linked action as a component, to recognise it while it is being destroyed.
  TComponent* FLinked = nullptr;
};

// What the class library's control does with a changed action: caption, enabled, hint and
// visible follow the action; with CheckDefaults only where the control still has its default.
void ControlActionChange(TControl* Control, TBasicAction* Sender, bool CheckDefaults);
