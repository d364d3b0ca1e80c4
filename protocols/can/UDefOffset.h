#pragma once
// The DeviceNet offsets form (unit UDefOffset): a position in the gateway's byte array, or "None",
// for every input and output byte of every slave of DNETM_Net.xml. The user picks a slave in the
// upper grid and edits its bytes on two pages; the form keeps them in a list of slave objects and
// writes DNETM_DefOff.xml (one Nodo_DNET per slave, matched by position, with ByteIN and ByteOUT
// rows). A table form on the shared frame for its title, OK and Cancel, pages and the guard
// against overwriting a file shown incompletely; no row buttons, hints, Enter moves or auto-size.
#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "shell/UTableForm.h"

class TSplitter;

// One DeviceNet slave: its ID, byte counts and, per byte, the position text and the mnemonic.
class TSlave_DN {
 public:
  TSlave_DN();
  uint8_t ID = 0;
  uint16_t ByteIN = 0;
  uint16_t ByteOUT = 0;
  std::unique_ptr<TStringList> SL_ByteIN;
  std::unique_ptr<TStringList> SL_ByteIN_M;
  std::unique_ptr<TStringList> SL_ByteOUT;
  std::unique_ptr<TStringList> SL_ByteOUT_M;
};

class TFDefOffset : public TTableForm {
 public:
  enum { Position_Col = 1, Mnemonic_Col = 2 };
  static constexpr int Positions = 1440;

  explicit TFDefOffset(TComponent* AOwner);
  ~TFDefOffset() override;
  String ClassName() const override { return u"TFDefOffset"; }

  TPanel* Panel1 = nullptr;
  TLabel* Label1 = nullptr;
  TAdvColumnGrid* ACG_DN_Slaves = nullptr;
  TSplitter* Splitter1 = nullptr;
  TPanel* Panel3 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TTabSheet* TabSheet2 = nullptr;
  TAdvColumnGrid* ACG_ByteIN = nullptr;
  TAdvColumnGrid* ACG_ByteOUT = nullptr;

  std::vector<std::unique_ptr<TSlave_DN>> List_Slaves_DN;
  int Slave_Before_Select = -1;  // the slave the byte grids show; -1 none
  int MAX_BYTE_IN = Positions;
  int MAX_BYTE_OUT = Positions;
  std::array<std::pair<int, int>, Positions> Check_Byte_Offset{};  // slave ID and byte per position

  // ---- the frame's steps ----
  void FormCreate(TObject* Sender) override;
  void Set_Lang() override;
  // Frees every slave.
  void Reset_Grids() override;
  // The position limits and the offset columns' lists.
  void Set_Limits() override;
  // Load_Slave_DN, then Load_Offset_Slave_DN; a failure is reported and OK then asks before
  // overwriting DNETM_DefOff.xml.
  void Load_Tables() override;
  void After_Load() override { Select_First(); }
  bool Check_Tables() override { return Check_Data(); }
  void Save_Tables() override { Save_Offset_Slave_DN(); }
  String File_Path() const override;
  void Btn_OKClick(TObject* Sender) override;
  void Grid_KeyPress(TObject*, Char&) override {}
  void Grid_DblClickCell(TObject*, int, int) override {}
  void Grid_ClickCell(TObject*, int, int) override {}
  void Grid_Hint(TObject*, int, int, String& Hint) override { Hint = String(); }

  // ---- the form's own ----
  void Load_Slave_DN();
  void Load_Offset_Slave_DN();
  void Select_First();
  void ACG_DN_SlavesClick(TObject* Sender);
  void Update_Slave_DN();
  bool Save_Data_ByteIN_ByteOUT();
  void Reset_Array_Check();
  bool Check_Data();
  void Save_Offset_Slave_DN();
  // The bytes of DNETM_DefOff.xml as Save_Offset_Slave_DN writes them.
  std::string Offset_File_Bytes() const;

 private:
  void BuildSlaveControls();
};

extern TFDefOffset* FDefOffset;

const TTableFormDef& Def_Offset_Form_Def();
