#pragma once
// Shared by the parameter form's sources: the column grid of the panels, the builder of the
// declarative control table and the UI text look-up.
#include "parameters/UParGen.h"

namespace pargen_detail {

// Column grid of every panel.
constexpr int kLabelX = 14;
constexpr int kValueX = 191;
constexpr int kValueW = 238;
constexpr int kOctetX[4] = {191, 252, 313, 374};
constexpr int kDotX[3] = {247, 308, 369};
constexpr int kOctetW = 55;
constexpr int kCheckW = 415;
constexpr int kGatewayCheckW = 175;
constexpr int kComboH = 22;
constexpr int kEditH = 21;
constexpr int kCheckH = 17;
constexpr int kLabelH = 13;

class TTableBuilder {
 public:
  explicit TTableBuilder(std::vector<TParControlDef>& t) : t_(t) {}
  void SetPanel(const String& p) { panel_ = p; }

  void Label(const String& name, int y, int caption) {
    TParControlDef d = Base(name, pckLabel, kLabelX, y, 170, kLabelH);
    d.CaptionIndex = caption;
    t_.push_back(d);
  }
  void Edit(const String& name, int y, int hint, int maxLength = 0, TEditCharCase cc = ecNormal, bool hex = false) {
    TParControlDef d = Base(name, pckEdit, kValueX, y - 3, kValueW, kEditH);
    d.HintIndex = hint;
    d.MaxLength = maxLength;
    d.CharCase = cc;
    d.HexOnly = hex;
    t_.push_back(d);
  }
  void Combo(const String& name, int y, int hint, std::vector<String> items) {
    TParControlDef d = Base(name, pckCombo, kValueX, y - 3, kValueW, kComboH);
    d.HintIndex = hint;
    d.Items = std::move(items);
    t_.push_back(d);
  }
  void LangCombo(const String& name, int y, int hint, int itemsIndex, int itemsCount) {
    TParControlDef d = Base(name, pckCombo, kValueX, y - 3, kValueW, kComboH);
    d.HintIndex = hint;
    d.ItemsIndex = itemsIndex;
    d.ItemsCount = itemsCount;
    t_.push_back(d);
  }
  void Check(const String& name, int x, int y, int w, int caption, int hint, const String& fixedCaption = String()) {
    TParControlDef d = Base(name, pckCheck, x, y, w, kCheckH);
    d.CaptionIndex = caption;
    d.HintIndex = hint;
    d.Caption = fixedCaption;
    t_.push_back(d);
  }
  // A labelled row of four octet edits (hints firstHint..firstHint+3).
  void Address(const String& label, int caption, const String& prefix, int y, int firstHint) {
    Label(label, y, caption);
    Octets(prefix, y, y - 3, firstHint);
  }
  // A "Gateway" check box sharing its row with four octet edits.
  void GatewayRow(const String& check, int caption, int hint, const String& prefix, int y, int firstHint) {
    Check(check, kLabelX, y, kGatewayCheckW, caption, hint);
    Octets(prefix, y, y - 2, firstHint);
  }
  // A label with its edit or combo box: caption at first, hint at first + 1.
  void LabelEdit(const String& label, const String& edit, int y, int first) {
    Label(label, y, first);
    Edit(edit, y, first + 1);
  }
  void LabelCombo(const String& label, const String& combo, int y, int first, std::vector<String> items = {}) {
    Label(label, y, first);
    Combo(combo, y, first + 1, std::move(items));
  }
  // An IPv4 block of three rows from y: L_<stem>IP with E_<stem>IP1..4, L_<stem>SM with
  // E_<stem>SM1..4, the Gateway check box with E_<stem>GAT1..4; sixteen texts from first.
  void Block(const String& stem, const String& gatewayCheck, int y, int first) {
    Address(u"L_" + stem + u"IP", first, u"E_" + stem + u"IP", y, first + 1);
    Address(u"L_" + stem + u"SM", first + 5, u"E_" + stem + u"SM", y + 28, first + 6);
    GatewayRow(gatewayCheck, first + 10, first + 11, u"E_" + stem + u"GAT", y + 56, first + 12);
  }
  // A narrow check box with a value edit beside it in the same row (edit two pixels above).
  void CheckEdit(const String& check, int caption, int checkHint, const String& edit, int y, int editHint) {
    Check(check, kLabelX, y, kGatewayCheckW, caption, checkHint);
    TParControlDef d = Base(edit, pckEdit, kValueX, y - 2, kValueW, kEditH);
    d.HintIndex = editHint;
    t_.push_back(d);
  }

 private:
  TParControlDef Base(const String& name, TParControlKind k, int x, int y, int w, int h) const {
    TParControlDef d;
    d.Name = name;
    d.Panel = panel_;
    d.Kind = k;
    d.Left = x;
    d.Top = y;
    d.Width = w;
    d.Height = h;
    return d;
  }
  void Octets(const String& prefix, int labelY, int editY, int firstHint) {
    for (int i = 0; i < 4; ++i) {
      TParControlDef d = Base(prefix + String(1, char16_t(u'1' + i)), pckEdit, kOctetX[i], editY, kOctetW, kEditH);
      d.HintIndex = firstHint + i;
      d.Octet = true;
      t_.push_back(d);
      if (i < 3) {
        TParControlDef dot = Base(prefix + u"_Dot" + String(1, char16_t(u'1' + i)), pckLabel, kDotX[i], labelY, 4, kLabelH);
        dot.Caption = u".";
        t_.push_back(dot);
      }
    }
  }
  std::vector<TParControlDef>& t_;
  String panel_;
};

// The UI text at Index, empty outside the table.
String Text_Of(int Index);

// The model installed by TParSiblingModel, else the program's.
int Installed_Model();
// Get_Protocol_Names, or the replacement installed by TParProtocolNames.
int Protocol_Names(String& Name1, String& Name2);

// The controls of the sibling models' 31 panels, appended to the table.
void Add_Sibling_Controls(TTableBuilder& b);

}  // namespace pargen_detail
