#include "gateway/UBACnet_EDE_File.h"

#include "platform/Files.h"
#include "shell/TableFile.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

namespace {

constexpr int kEdeBadField = 2261;
constexpr int kEdeBadFieldRow = 2262;

const TTableLayout& ServerObjectsLayout() {
  static const TTableLayout layout = [] {
    TTableLayout l;
    l.Root = u"BACnet_to_Modbus";
    for (const char16_t* section : {u"BACnet_in_Read", u"BACnet_in_Write"}) {
      TTableSection s;
      s.Name = section;
      s.KeyStop = false;
      s.Attrs = {{u"Data_Type", 1, TMissingAttr::Fail, {}},
                 {u"Eng_Unit", 2, TMissingAttr::Fail, {}},
                 {u"Mnemonic", 7, TMissingAttr::Fail, {}}};
      l.Sections.push_back(std::move(s));
    }
    return l;
  }();
  return layout;
}

// The text of ParGen.xml's Key under Root; false when the element is missing.
bool ParGenText(const TXMLNode& Root, const String& Key, String& Text) {
  const TXMLNode n = Root.ChildNodes().FindNode(Key);
  if (!n) return false;
  Text = n.Text();
  return true;
}

// A field the EDE line takes unquoted: a ";" or a line break in it would shift the fields after it.
bool Splits_EDE_Line(const String& Text) { return Text.find_first_of(u";\r\n") != String::npos; }

}  // namespace

int EDE_Object_Type_From_Name(const String& Text) {
  static const std::pair<const char16_t*, int> kTypes[] = {
      {u"ANALOG INPUT", 0},        {u"ANALOG OUT", 1},
      {u"ANALOG VALUE", 2},        {u"BINARY INPUT", 3},
      {u"BINARY OUT", 4},          {u"BINARY VALUE", 5},
      {u"MULTI STATE INPUT", 13},  {u"MULTI STATE OUTPUT", 14},
      {u"MULTI STATE VALUE", 19},  {u"LIFE SAFETY POINT", 21},
      {u"LIFE SAFETY ZONE", 22},   {u"ACCUMULATOR", 23},
      {u"ACCESS DOOR", 30},        {u"CHARACTERSTRING VALUE", 40},
      {u"DATETIME VALUE", 44},     {u"INTEGER VALUE", 45},
      {u"LARGE ANALOG VALUE", 46}, {u"POSITIVE INTEGER VALUE", 48}};
  const String t = UpperCase(Trim(Text));
  for (const auto& [name, type] : kTypes)
    if (t == name) return type;
  return 0;
}

int TBACnetEDEExport::Next_EDE_Instance(int Type) {
  for (size_t i = 0; i < Counted_Types.size(); ++i)
    if (Counted_Types[i] == Type) return Counters[i]++;
  return 0;
}

void TBACnetEDEExport::Load_EDE_Device_Settings() {
  Long_Names = false;
  Device_Instance.clear();
  if (!FileExists(Path_ParGen)) return;
  TXMLDocument doc;
  const TXMLNode root = LoadTableRoot(doc, Path_ParGen);
  String text;
  const int type = ParGenText(root, u"BACnet_Type", text) ? CellToInt(text, 0) : 0;
  ParGenText(root, type == 1 ? u"BACnet_Ser_DEV_IDE" : u"BACnet_DEV_IDE", Device_Instance);
  Long_Names = ParGenText(root, u"BACnet_Desc_Chars_Limit", text) && text == u"1";
}

void TBACnetEDEExport::Load_EDE_Objects() {
  const TTableLayout& layout = ServerObjectsLayout();
  std::vector<TTableRows> sections;
  if (!ReadTableFile(layout, Path_BACnet_Slave, sections)) return;
  const int nameLength = Long_Names ? 32 : 16;
  for (size_t s = 0; s < sections.size(); ++s) {
    const String& section = layout.Sections[s].Name;
    int row = 0;
    for (const TTableRow& element : sections[s]) {
      ++row;
      for (const TTableAttr& a : layout.Sections[s].Attrs)
        if (!element.Has(a.Name)) throw ETableFileMissingAttribute(Path_BACnet_Slave, section, row, a.Name);
      const int type = EDE_Object_Type_From_Name(element.Value(u"Data_Type"));
      const String unit = element.Value(u"Eng_Unit");
      const String mnemonic = element.Value(u"Mnemonic");
      if (Splits_EDE_Line(mnemonic) || Splits_EDE_Line(unit))
        throw EEDEExportError(UI_Text(kEdeBadField) + section + FormatLiteralD(UI_Text(kEdeBadFieldRow), {row}));
      TBACnet_EDE_Obj o;
      o.DevObjInstance = Device_Instance;
      o.ObjectName = Copy(mnemonic, 1, nameLength);
      o.ObjectType = IntToStr(type);
      o.ObjectInstance = IntToStr(Next_EDE_Instance(type));
      o.Keyname = Device_Instance + u"_" + mnemonic + u"_" + o.ObjectInstance;
      o.Description = o.ObjectName;
      o.UnitCode = unit;
      Objects.push_back(std::move(o));
    }
  }
}

void Create_EDE_File_Body(const String& FileName) {
  TBACnetEDEExport e;
  e.Clear_EDE_Instance_Counters();
  e.Load_EDE_Device_Settings();
  e.Load_EDE_Objects();
  Write_EDE_File(FileName, e.Objects);
}

void Create_EDE_File(const String& FileName) { Create_EDE_File_Body(FileName); }
