#pragma once
// A form's controls as one declarative table ({name, panel, kind, place, size, texts}), and the
// builder that writes the table row by row on the column grid of the configurator's panels.
#include <vector>

#include "platform/StdCtrls.h"
#include "platform/UString.h"
#include "shell/UFormKit.h"

enum TControlDefKind { cdLabel, cdEdit, cdCombo, cdCheck };

struct TControlDef {
  String Name;
  String Panel;  // the panel that holds the control
  TControlDefKind Kind = cdLabel;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int MaxLength = 0;                  // edits; 0 means no limit
  TEditCharCase CharCase = ecNormal;  // edits
  bool HexOnly = false;               // edits whose typing passes the hexadecimal filter
  bool Octet = false;                 // octet edits (the "." key handler)
  int CaptionIndex = -1;              // UI text of the caption (labels, check boxes)
  int HintIndex = -1;                 // UI text of the hint
  int ItemsIndex = -1, ItemsCount = 0;  // list items taken from the UI texts by Set_Lang
  std::vector<String> Items;            // fixed list items
  String Caption;                       // fixed caption ("." labels, "1", "2", "3")
};

// The column grid of every panel: captions on the left, values (or four octets) on the right,
// one row every 28 pixels from 12.
struct TTableGrid {
  static constexpr int LabelX = 14;
  static constexpr int ValueX = 191;
  static constexpr int ValueW = 238;
  static constexpr int OctetX[4] = {191, 252, 313, 374};
  static constexpr int DotX[3] = {247, 308, 369};
  static constexpr int OctetW = 55;
  static constexpr int CheckW = 415;
  static constexpr int GatewayCheckW = 175;
  static constexpr int ComboH = 22;
  static constexpr int EditH = 21;
  static constexpr int CheckH = 17;
  static constexpr int LabelH = 13;
  static constexpr int FirstRow = 12;
  static constexpr int RowPitch = 28;
};

// Appends controls to a table. Each routine takes the top of its caption row; edits and lists
// stand three pixels above it. The row cursor starts again at the first row with every panel.
class TTableBuilder {
 public:
  explicit TTableBuilder(std::vector<TControlDef>& Table) : FTable(Table) {}

  void SetPanel(const String& Panel) {
    FPanel = Panel;
    FRows = TLayoutCursor(TTableGrid::FirstRow, TTableGrid::RowPitch);
  }
  // The top of the panel's next row (Rows rows for a block), of the row taken last, and of row
  // Index.
  int NextRow(int Rows = 1) { return FLastRow = FRows.Next(Rows); }
  int LastRow() const { return FLastRow; }
  int RowTop(int Index) const { return FRows.Row(Index); }
  // Goes on from row Index (a panel whose rows are not listed top to bottom).
  void SeekRow(int Index) { FRows.Seek(Index); }

  void Label(const String& Name, int Y, int Caption) {
    TControlDef d = Base(Name, cdLabel, TTableGrid::LabelX, Y, 170, TTableGrid::LabelH);
    d.CaptionIndex = Caption;
    FTable.push_back(d);
  }
  void Edit(const String& Name, int Y, int Hint, int MaxLength = 0, TEditCharCase CharCase = ecNormal,
            bool Hex = false) {
    TControlDef d = Base(Name, cdEdit, TTableGrid::ValueX, Y - 3, TTableGrid::ValueW, TTableGrid::EditH);
    d.HintIndex = Hint;
    d.MaxLength = MaxLength;
    d.CharCase = CharCase;
    d.HexOnly = Hex;
    FTable.push_back(d);
  }
  void Combo(const String& Name, int Y, int Hint, std::vector<String> Items) {
    TControlDef d = Base(Name, cdCombo, TTableGrid::ValueX, Y - 3, TTableGrid::ValueW, TTableGrid::ComboH);
    d.HintIndex = Hint;
    d.Items = std::move(Items);
    FTable.push_back(d);
  }
  // A list whose items are Count UI texts from ItemsIndex.
  void LangCombo(const String& Name, int Y, int Hint, int ItemsIndex, int ItemsCount) {
    TControlDef d = Base(Name, cdCombo, TTableGrid::ValueX, Y - 3, TTableGrid::ValueW, TTableGrid::ComboH);
    d.HintIndex = Hint;
    d.ItemsIndex = ItemsIndex;
    d.ItemsCount = ItemsCount;
    FTable.push_back(d);
  }
  void Check(const String& Name, int X, int Y, int W, int Caption, int Hint, const String& FixedCaption = String()) {
    TControlDef d = Base(Name, cdCheck, X, Y, W, TTableGrid::CheckH);
    d.CaptionIndex = Caption;
    d.HintIndex = Hint;
    d.Caption = FixedCaption;
    FTable.push_back(d);
  }
  // A check box across the whole row.
  void CheckRow(const String& Name, int Y, int Caption, int Hint) {
    Check(Name, TTableGrid::LabelX, Y, TTableGrid::CheckW, Caption, Hint);
  }
  // A labelled row of four octet edits (hints FirstHint..FirstHint+3).
  void Address(const String& Label, int Caption, const String& Prefix, int Y, int FirstHint) {
    this->Label(Label, Y, Caption);
    Octets(Prefix, Y, Y - 3, FirstHint);
  }
  // A "Gateway" check box sharing its row with four octet edits.
  void GatewayRow(const String& CheckName, int Caption, int Hint, const String& Prefix, int Y, int FirstHint) {
    Check(CheckName, TTableGrid::LabelX, Y, TTableGrid::GatewayCheckW, Caption, Hint);
    Octets(Prefix, Y, Y - 2, FirstHint);
  }
  // A label with its edit or list: caption at First, hint at First + 1.
  void LabelEdit(const String& LabelName, const String& EditName, int Y, int First) {
    Label(LabelName, Y, First);
    Edit(EditName, Y, First + 1);
  }
  void LabelCombo(const String& LabelName, const String& ComboName, int Y, int First, std::vector<String> Items = {}) {
    Label(LabelName, Y, First);
    Combo(ComboName, Y, First + 1, std::move(Items));
  }
  // An IPv4 block of three rows from Y: L_<Stem>IP with E_<Stem>IP1..4, L_<Stem>SM with
  // E_<Stem>SM1..4, the Gateway check box with E_<Stem>GAT1..4; sixteen texts from First.
  void Block(const String& Stem, const String& GatewayCheck, int Y, int First) {
    TLayoutCursor rows(Y, TTableGrid::RowPitch);
    Address(u"L_" + Stem + u"IP", First, u"E_" + Stem + u"IP", rows.Next(), First + 1);
    Address(u"L_" + Stem + u"SM", First + 5, u"E_" + Stem + u"SM", rows.Next(), First + 6);
    GatewayRow(GatewayCheck, First + 10, First + 11, u"E_" + Stem + u"GAT", rows.Next(), First + 12);
  }
  // A narrow check box with a value edit beside it in the same row (edit two pixels above).
  void CheckEdit(const String& CheckName, int Caption, int CheckHint, const String& EditName, int Y, int EditHint) {
    Check(CheckName, TTableGrid::LabelX, Y, TTableGrid::GatewayCheckW, Caption, CheckHint);
    TControlDef d = Base(EditName, cdEdit, TTableGrid::ValueX, Y - 2, TTableGrid::ValueW, TTableGrid::EditH);
    d.HintIndex = EditHint;
    FTable.push_back(d);
  }

 private:
  TControlDef Base(const String& Name, TControlDefKind Kind, int X, int Y, int W, int H) const {
    TControlDef d;
    d.Name = Name;
    d.Panel = FPanel;
    d.Kind = Kind;
    d.Left = X;
    d.Top = Y;
    d.Width = W;
    d.Height = H;
    return d;
  }
  void Octets(const String& Prefix, int LabelY, int EditY, int FirstHint) {
    for (int i = 0; i < 4; ++i) {
      TControlDef d = Base(Prefix + String(1, char16_t(u'1' + i)), cdEdit, TTableGrid::OctetX[i], EditY,
                           TTableGrid::OctetW, TTableGrid::EditH);
      d.HintIndex = FirstHint + i;
      d.Octet = true;
      FTable.push_back(d);
      if (i < 3) {
        TControlDef dot = Base(Prefix + u"_Dot" + String(1, char16_t(u'1' + i)), cdLabel, TTableGrid::DotX[i], LabelY,
                               4, TTableGrid::LabelH);
        dot.Caption = u".";
        FTable.push_back(dot);
      }
    }
  }
  std::vector<TControlDef>& FTable;
  String FPanel;
  TLayoutCursor FRows{TTableGrid::FirstRow, TTableGrid::RowPitch};
  int FLastRow = TTableGrid::FirstRow;
};
