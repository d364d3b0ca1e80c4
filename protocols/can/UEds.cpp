#include "protocols/can/UEds.h"

#include <algorithm>
#include <cstdio>

#include "platform/Files.h"
#include "platform/TimeSource.h"
#include "platform/XMLDoc.h"
#include "shell/TableFile.h"
#include "shell/UComon.h"

std::vector<SDO_Index> SDO_Index_List;
TEDS_PDO Receive_PDO_Table[30];
TEDS_PDO Transmit_PDO_Table[30];
int Nr_Receive_PDO = 0;
int Nr_Transmit_PDO = 0;

namespace {

constexpr int kEdsMaxPdo = 30;

const char* const kRpdoVarNames[kEdsMaxPdo] = {"b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",
                                               "aa", "ab", "ac", "ad", "ae", "af", "ag", "ah", "ai", "al",
                                               "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};
const char* const kTpdoVarNames[kEdsMaxPdo] = {"l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",
                                               "ca", "cb", "cc", "cd", "ce", "cf", "cg", "ch", "ci", "cl",
                                               "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

String EdsFileLabel(const String& Path) { return ExtractFileName(Path); }

[[noreturn]] void EdsFail(const String& Path, const String& What) {
  throw ETableFileError(u"Error in file " + EdsFileLabel(Path) + u": " + What, Path);
}

TXMLNode EdsSection(const TXMLNode& Root, const String& Name, const String& Path) {
  TXMLNode n = Root.ChildNodes().FindNode(Name);
  if (!n) throw ETableFileMissingSection(Path, Name);
  return n;
}

std::vector<TXMLNode> EdsRows(const TXMLNode& Section) {
  std::vector<TXMLNode> rows;
  for (TXMLNode c = Section.ChildNodes().First(); c; c = c.NextSibling())
    if (c.NodeType() == ntElement) rows.push_back(c);
  return rows;
}

String EdsAttr(const TXMLNode& Row, const String& Name, const String& Path, const String& Section, int R) {
  if (!Row.HasAttribute(Name)) throw ETableFileMissingAttribute(Path, Section, R, Name);
  return Row.Attributes(Name);
}

// A number of an SDO row within 0 .. High.
int EdsNumber(const TXMLNode& Row, const String& Name, int High, const String& Path, const String& Section, int R) {
  const String text = EdsAttr(Row, Name, Path, Section, R);
  int32_t v = 0;
  if (!TryCellToInt(text, v) || v < 0 || v > High)
    EdsFail(Path, u"row " + IntToStr(R) + u" of \"" + Section + u"\" has " + Name + u" \"" + text +
                      u"\"; it must be a number from 0 to " + IntToStr(High));
  return v;
}

void LoadPdoSection(const TXMLNode& Root, const String& Name, TEDS_PDO* Table, int& Count, const String& Path) {
  const std::vector<TXMLNode> rows = EdsRows(EdsSection(Root, Name, Path));
  if (rows.size() > static_cast<size_t>(kEdsMaxPdo))
    EdsFail(Path, u"\"" + Name + u"\" holds " + IntToStr(static_cast<int>(rows.size())) + u" rows; at most " +
                      IntToStr(kEdsMaxPdo) + u" PDOs fit");
  for (size_t j = 0; j < rows.size(); ++j) {
    const int r = static_cast<int>(j) + 1;
    const String cob = EdsAttr(rows[j], u"COB-ID", Path, Name, r);
    const String dim = EdsAttr(rows[j], u"Dimension", Path, Name, r);
    Table[j].COB_ID = CellToInt(cob, 0);
    Table[j].Dimension = CellToInt(dim, 8);
    // A mapping holds 8 bytes at most; a PDO without bytes maps nothing.
    if (Table[j].Dimension < 1 || Table[j].Dimension > 8)
      EdsFail(Path, u"row " + IntToStr(r) + u" of \"" + Name + u"\" has Dimension \"" + dim +
                        u"\"; it must be between 1 and 8");
  }
  Count = static_cast<int>(rows.size());
}

String Hex(uint32_t V, int Digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", Digits, V);
  return Utf8ToString(buf);
}
String HexBare(uint32_t V) { return Hex(V, 1); }
String Two_Digits(int V) { return V < 10 ? u"0" + IntToStr(V) : IntToStr(V); }

class TEdsLines {
 public:
  void Block(const String& Section, std::initializer_list<String> Keys) {
    Line(u"[" + Section + u"]");
    for (const String& k : Keys) Line(k);
    Line(String());
  }
  void Block(const String& Section, const std::vector<String>& Keys) {
    Line(u"[" + Section + u"]");
    for (const String& k : Keys) Line(k);
    Line(String());
  }
  void Line(const String& Text) {
    text_ += StringToUtf8(Text);
    text_ += "\r\n";
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

// A plain 8-, 16- or 32-bit variable of the fixed objects.
std::vector<String> EdsVar(const String& Name, const String& DataType, const String& Access, const String& Default) {
  std::vector<String> keys = {u"ParameterName=" + Name, u"ObjectType=0x07", u"DataType=" + DataType,
                              u"AccessType=" + Access};
  if (!Default.empty()) keys.push_back(u"DefaultValue=" + Default);
  keys.push_back(u"PDOMapping=0");
  return keys;
}

void FixedObjects(TEdsLines& L) {
  L.Block(u"1000", EdsVar(u"Device Type", u"0x0007", u"const", u"0x000101A4"));
  L.Block(u"1001", EdsVar(u"Error Register", u"0x0005", u"ro", u"0x00"));
  L.Block(u"1005", EdsVar(u"COB-ID SYNC", u"0x0007", u"rw", u"0x80000080"));
  L.Block(u"1006", EdsVar(u"Communication Cycle Period", u"0x0007", u"rw", u"0x00000000"));
  L.Block(u"1008", EdsVar(u"Manufacturer Device Name", u"0x0009", u"const", u"s1"));
  L.Block(u"1014", EdsVar(u"COB-ID EMCY", u"0x0007", u"ro", u"$NODEID+0x80"));
  L.Block(u"1016", {u"SubNumber=3", u"ParameterName=Heartbeat Consumer Entries", u"ObjectType=0x08"});
  L.Block(u"1016sub0", EdsVar(u"Number of Entries", u"0x0005", u"ro", u"0x02"));
  L.Block(u"1016sub1", EdsVar(u"Consumer Heartbeat Time 1", u"0x0007", u"rw", u"0x00000000"));
  L.Block(u"1016sub2", EdsVar(u"Consumer Heartbeat Time 2", u"0x0007", u"rw", u"0x00000000"));
  L.Block(u"1017", EdsVar(u"Producer Heartbeat Time", u"0x0006", u"rw", u"0x000003E8"));
  L.Block(u"1018", {u"SubNumber=5", u"ParameterName=Identity Object", u"ObjectType=0x09"});
  L.Block(u"1018sub0", EdsVar(u"number of entries", u"0x0005", u"ro", u"0x4"));
  L.Block(u"1018sub1", EdsVar(u"Vendor Id", u"0x0007", u"ro", String()));
  L.Block(u"1018sub2", EdsVar(u"Product Code", u"0x0007", u"ro", String()));
  L.Block(u"1018sub3", EdsVar(u"Revision number", u"0x0007", u"ro", String()));
  L.Block(u"1018sub4", EdsVar(u"Serial number", u"0x0007", u"ro", String()));
  L.Block(u"1029", {u"SubNumber=2", u"ParameterName=Error Behaviour", u"ObjectType=0x08"});
  L.Block(u"1029sub0", EdsVar(u"Number of Entries", u"0x0005", u"ro", u"1"));
  L.Block(u"1029sub1", EdsVar(u"Communication Error", u"0x0005", u"rw", u"0x0"));
  L.Block(u"1280", {u"SubNumber=4", u"ParameterName=Client SDO Parameter 1", u"ObjectType=0x09"});
  L.Block(u"1280sub0", EdsVar(u"Number of Entries", u"0x0005", u"ro", u"0x03"));
  L.Block(u"1280sub1", EdsVar(u"COB-ID Client -> Server", u"0x0007", u"rw", String()));
  L.Block(u"1280sub2", EdsVar(u"COB-ID Server -> Client", u"0x0007", u"rw", String()));
  L.Block(u"1280sub3", EdsVar(u"Node ID of the SDO Server", u"0x0005", u"rw", String()));
}

void PdoCommunication(TEdsLines& L, int Base, const String& Name, const TEDS_PDO* Table, int Count) {
  for (int n = 0; n < Count; ++n) {
    const String x = Hex(static_cast<uint32_t>(Base + n), 4);
    L.Block(x, {u"SubNumber=4", u"ParameterName=" + Name + IntToStr(n + 1), u"ObjectType=0x09"});
    L.Block(x + u"sub0", EdsVar(u"Number of Entries", u"0x0005", u"ro", u"0x03"));
    L.Block(x + u"sub1", EdsVar(u"COB-ID", u"0x0007", u"rw", u"0x" + Hex(static_cast<uint32_t>(Table[n].COB_ID), 8)));
    L.Block(x + u"sub2", EdsVar(u"Transmission Type", u"0x0005", u"rw", u"0xFE"));
    L.Block(x + u"sub3", EdsVar(u"Inhibit Time", u"0x0006", u"rw", u"0x0"));
  }
}

void PdoMapping(TEdsLines& L, int Base, int Array, bool Numbered, const String& Name, const TEDS_PDO* Table,
                int Count) {
  for (int n = 0; n < Count; ++n) {
    const String x = Hex(static_cast<uint32_t>(Base + n), 4);
    const int d = Table[n].Dimension;
    L.Block(x, {u"SubNumber=" + IntToStr(d + 1), u"ParameterName=" + Name + (Numbered ? IntToStr(n + 1) : String()),
                u"ObjectType=0x09"});
    L.Block(x + u"sub0", EdsVar(u"Number of Entries", u"0x0005", u"ro", u"0x" + Hex(static_cast<uint32_t>(d), 2)));
    for (int j = 1; j <= d; ++j)
      L.Block(x + u"sub" + HexBare(static_cast<uint32_t>(j)),
              EdsVar(u"Mapping Entry " + IntToStr(j), u"0x0007", u"ro",
                     u"0x" + Hex(static_cast<uint32_t>(Array + n), 4) + Hex(static_cast<uint32_t>(j), 2) + u"08"));
  }
}

void PdoArrays(TEdsLines& L, int Base, const String& Name, const char* const* Vars, const String& Access0,
               const String& Access, const TEDS_PDO* Table, int Count) {
  for (int n = 0; n < Count; ++n) {
    const String x = Hex(static_cast<uint32_t>(Base + n), 4);
    const int d = Table[n].Dimension;
    L.Block(x, {u"SubNumber=" + IntToStr(d + 1), u"ParameterName=" + Name + IntToStr(n + 1), u"ObjectType=0x08"});
    L.Block(x + u"sub0", EdsVar(u"Number of Entries", u"0x0005", Access0, u"0x" + Hex(static_cast<uint32_t>(d), 2)));
    for (int j = 1; j <= d; ++j)
      L.Block(x + u"sub" + HexBare(static_cast<uint32_t>(j)),
              {u"ParameterName=" + Utf8ToString(Vars[n]) + IntToStr(j), u"ObjectType=0x07", u"DataType=0x0005",
               u"AccessType=" + Access, u"DefaultValue=0x00", u"PDOMapping=1"});
  }
}

void ManufacturerObjects(TEdsLines& L) {
  for (const SDO_Index& e : SDO_Index_List) {
    const String x = Hex(e.Index, 4);
    const size_t count = e.Sub_Indexs.size();
    const bool zero = !e.Sub_Indexs.empty() && e.Sub_Indexs.front().Sub == 0;
    L.Block(x, {u"SubNumber=" + IntToStr(static_cast<int>(zero ? count : count + 1)), u"ParameterName=App Vars",
                u"ObjectType=0x9"});
    if (!zero)
      L.Block(x + u"sub0", {u"ParameterName=Largest Sub-Index supported", u"ObjectType=0x7", u"DataType=0x0005",
                            u"AccessType=ro", u"DefaultValue=0x" + Hex(e.Sub_Indexs.back().Sub, 2), u"PDOMapping=0"});
    for (const SDO_Sub_Type& s : e.Sub_Indexs) {
      std::vector<String> keys = {u"ParameterName=Application Variable", u"ObjectType=0x7"};
      if (s.Quantity == 1)
        keys.insert(keys.end(), {u"DataType=0x0005", u"LowLimit=0x00", u"HighLimit=0xFF", u"DefaultValue=0x00"});
      else if (s.Quantity == 2)
        keys.insert(keys.end(), {u"DataType=0x0006", u"LowLimit=0x0000", u"HighLimit=0xFFFF", u"DefaultValue=0x0000"});
      else
        keys.insert(keys.end(), {u"DataType=0x0007", u"LowLimit=0x00000000", u"HighLimit=0xFFFFFFFF",
                                 u"DefaultValue=0x00000000"});
      keys.push_back(s.Readonly ? u"AccessType=ro" : u"AccessType=rw");
      keys.push_back(u"PDOMapping=0");
      L.Block(x + u"sub" + HexBare(s.Sub), keys);
    }
  }
}

}  // namespace

String EDS_Time_Text(int Hour, int Minute) {
  const bool pm = Hour >= 12;
  int h = Hour % 12;
  if (h == 0) h = 12;
  return Two_Digits(h) + u":" + Two_Digits(Minute) + (pm ? u"PM" : u"AM");
}

void Load_PDO_CANopen() {
  Nr_Receive_PDO = Nr_Transmit_PDO = 0;
  const String path = Path_PDO_CANopen;
  if (!FileExists(path)) return;
  TXMLDocument doc;
  const TXMLNode root = LoadTableRoot(doc, path);
  LoadPdoSection(root, u"Receive_PDO", Receive_PDO_Table, Nr_Receive_PDO, path);
  LoadPdoSection(root, u"Transmit_PDO", Transmit_PDO_Table, Nr_Transmit_PDO, path);
}

int Find_SDO_Index(int Index) {
  for (size_t i = 0; i < SDO_Index_List.size(); ++i)
    if (SDO_Index_List[i].Index == Index) return static_cast<int>(i);
  return -1;
}

void Load_SDO_Server_CANopen() {
  const String path = Path_SDO_Server_CANopen;
  if (!FileExists(path)) return;
  TXMLDocument doc;
  const TXMLNode root = LoadTableRoot(doc, path);
  for (const bool readonly : {true, false}) {
    const String name = readonly ? u"SDO_Read" : u"SDO_Write";
    const std::vector<TXMLNode> rows = EdsRows(EdsSection(root, name, path));
    for (size_t j = 0; j < rows.size(); ++j) {
      const int r = static_cast<int>(j) + 1;
      const int index = EdsNumber(rows[j], u"Index", 0xFFFF, path, name, r);
      SDO_Sub_Type sub;
      sub.Sub = static_cast<uint8_t>(EdsNumber(rows[j], u"SubIndex", 0xFF, path, name, r));
      sub.Quantity = static_cast<uint8_t>(EdsNumber(rows[j], u"NByte", 0xFF, path, name, r));
      sub.Readonly = readonly;
      const int at = Find_SDO_Index(index);
      if (at < 0) {
        SDO_Index_List.push_back({static_cast<uint16_t>(index), {sub}});
        continue;
      }
      // Two entries of one sub-index would give two sections of one name, which no EDS reader takes.
      for (const SDO_Sub_Type& s : SDO_Index_List[static_cast<size_t>(at)].Sub_Indexs)
        if (s.Sub == sub.Sub)
          EdsFail(path, u"row " + IntToStr(r) + u" of \"" + name + u"\" repeats index 0x" +
                            Hex(static_cast<uint32_t>(index), 4) + u" sub-index 0x" + Hex(sub.Sub, 2) +
                            u"; an EDS file can describe it only once");
      SDO_Index_List[static_cast<size_t>(at)].Sub_Indexs.push_back(sub);
    }
  }
}

void Sort_SDO_Sub_Indexs() {
  for (SDO_Index& e : SDO_Index_List)
    std::stable_sort(e.Sub_Indexs.begin(), e.Sub_Indexs.end(),
                     [](const SDO_Sub_Type& a, const SDO_Sub_Type& b) { return a.Sub < b.Sub; });
}

std::string EDS_Text() {
  uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, sec = 0, ms = 0;
  const TDateTime now = ClockNow();
  DecodeDate(now, year, month, day);
  DecodeTime(now, hour, minute, sec, ms);
  const String date = Two_Digits(month) + u"-" + Two_Digits(day) + u"-" + IntToStr(year);
  const String time = EDS_Time_Text(hour, minute);

  TEdsLines L;
  L.Block(u"FileInfo", {u"FileName=" + EDS_File_Name, u"FileVersion=1", u"FileRevision=0", u"EDSVersion=4.0",
                        u"Description=" + EDS_Product_Name, u"CreationTime=" + time, u"CreationDate=" + date,
                        u"CreatedBy=Brenix", u"ModificationTime=" + time, u"ModificationDate=" + date,
                        u"ModifiedBy=Brenix"});
  L.Block(u"DeviceInfo",
          {u"VendorName=Brenix", u"VendorNumber=0x00", u"ProductName=" + EDS_Product_Name,
           u"ProductNumber=" + EDS_Product_Number, u"RevisionNumber=0x0", u"OrderCode=" + EDS_Order_Code,
           u"BaudRate_10=1", u"BaudRate_20=1", u"BaudRate_50=1", u"BaudRate_125=1", u"BaudRate_250=1",
           u"BaudRate_500=1", u"BaudRate_800=0", u"BaudRate_1000=1", u"DynamicChannelsSupported=0",
           u"GroupMessaging=0", u"LSS_Supported=0", u"Granularity=0", u"SimpleBootUpSlave=1", u"SimpleBootUpMaster=0",
           u"NrOfRXPDO=" + IntToStr(Nr_Receive_PDO), u"NrOfTXPDO=" + IntToStr(Nr_Transmit_PDO)});
  L.Block(u"Comments", {u"Lines=0"});
  L.Block(u"DummyUsage", {u"Dummy0001=0", u"Dummy0002=0", u"Dummy0003=0", u"Dummy0004=0", u"Dummy0005=0",
                          u"Dummy0006=0", u"Dummy0007=0"});
  L.Block(u"MandatoryObjects", {u"SupportedObjects=3", u"1=0x1000", u"2=0x1001", u"3=0x1018"});
  std::vector<String> optional = {u"SupportedObjects=" + IntToStr(8 + 3 * Nr_Receive_PDO + 3 * Nr_Transmit_PDO),
                                  u"1=0x1005", u"2=0x1006", u"3=0x1008", u"4=0x1014", u"5=0x1016", u"6=0x1017",
                                  u"7=0x1029", u"8=0x1280"};
  int k = 9;
  auto list = [&](int Base, int Count) {
    for (int n = 0; n < Count; ++n) optional.push_back(IntToStr(k++) + u"=0x" + Hex(static_cast<uint32_t>(Base + n), 4));
  };
  list(0x1400, Nr_Receive_PDO);
  list(0x1600, Nr_Receive_PDO);
  list(0x1800, Nr_Transmit_PDO);
  list(0x1A00, Nr_Transmit_PDO);
  list(0x7000, Nr_Receive_PDO);
  list(0x7050, Nr_Transmit_PDO);
  L.Block(u"OptionalObjects", optional);
  std::vector<String> manufacturer = {u"SupportedObjects=" + IntToStr(static_cast<int>(SDO_Index_List.size()))};
  for (size_t i = 0; i < SDO_Index_List.size(); ++i)
    manufacturer.push_back(IntToStr(static_cast<int>(i) + 1) + u"=0x" + Hex(SDO_Index_List[i].Index, 4));
  L.Block(u"ManufacturerObjects", manufacturer);
  FixedObjects(L);
  PdoCommunication(L, 0x1400, u"Receive PDO Communication Parameter ", Receive_PDO_Table, Nr_Receive_PDO);
  PdoMapping(L, 0x1600, 0x7000, false, u"Receive PDO Mapping Parameter", Receive_PDO_Table, Nr_Receive_PDO);
  PdoCommunication(L, 0x1800, u"Transmit PDO Communication Parameter ", Transmit_PDO_Table, Nr_Transmit_PDO);
  PdoMapping(L, 0x1A00, 0x7050, true, u"Transmit PDO Mapping Parameter ", Transmit_PDO_Table, Nr_Transmit_PDO);
  PdoArrays(L, 0x7000, u"RPDO", kRpdoVarNames, u"ro", u"rww", Receive_PDO_Table, Nr_Receive_PDO);
  PdoArrays(L, 0x7050, u"TPDO", kTpdoVarNames, u"rw", u"rwr", Transmit_PDO_Table, Nr_Transmit_PDO);
  ManufacturerObjects(L);
  L.Line(String());
  return L.Take();
}

void Create_EDS_File(const String& FileName) {
  SDO_Index_List.clear();
  Load_PDO_CANopen();
  Load_SDO_Server_CANopen();
  Sort_SDO_Sub_Indexs();
  WriteFileWhole(FileName, EDS_Text());
}
