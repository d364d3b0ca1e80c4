#pragma once
// BACnet engineering units (unit UBACnet_Eng_Unit): the names of the unit codes 0..236 in the
// standard's spelling, their 23 categories, and the small dialog in which the user picks a unit
// for a cell of the BACnet server objects form.
#include <vector>

#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "shell/UDialogFrame.h"

constexpr int BACnet_Eng_Unit_Count = 237;  // codes 0 .. 236

// The name of a unit code: the standard's identifier for 0..236, "unknown" for any other number.
String Desc_Unit(int Num_Unit);

struct TBACnetUnitCategory {
  const char16_t* Name;
  std::vector<int> Codes;  // in the order of the category's unit list
};
// The 23 categories in the order of the category list; every code 0..236 stands in exactly one.
const std::vector<TBACnetUnitCategory>& BACnet_Unit_Categories();

class TFBACnet_Eng_Unit : public TForm, public TDialogFrame {
 public:
  explicit TFBACnet_Eng_Unit(TComponent* AOwner);
  ~TFBACnet_Eng_Unit() override;
  String ClassName() const override { return u"TFBACnet_Eng_Unit"; }

  TLabel* Label1 = nullptr;
  TEdit* E_Selected_EU = nullptr;  // the selected code as text; the dialog's result
  TLabel* Label5 = nullptr;        // "-> " and the selected code's name
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TComboBox* CB_Select_Type = nullptr;
  TLabel* Label4 = nullptr;
  TComboBox* CB_Select_Unit = nullptr;
  TLbButton* Btn_Select_Eng_Unit = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void Set_Lang();
  // Rebuilds the unit list of the selected category with its first unit selected.
  void CB_Select_TypeSelect(TObject* Sender);
  // Takes the chosen unit into E_Selected_EU and Label5.
  void Btn_Select_Eng_UnitClick(TObject* Sender);

 private:
  void BuildControls();
};

extern TFBACnet_Eng_Unit* FBACnet_Eng_Unit;
