#include "protocols/ethernet_it/UProfinet_GSDML.h"

#include <initializer_list>
#include <iterator>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Encoding.h"
#include "platform/Files.h"
#include "platform/XMLDoc.h"
#include "shell/TableFile.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

namespace {

constexpr int kGsdmlOverwrite = 4808;
constexpr int kGsdmlBadLength = 4809;
constexpr int kGsdmlBadStation = 4810;

// The published namespaces of the 2003/11 GSDML device profile and of XML Schema instances.
constexpr char16_t kGsdmlNamespace[] = u"http://www.profibus.com/GSDML/2003/11/DeviceProfile";
constexpr char16_t kXsiNamespace[] = u"http://www.w3.org/2001/XMLSchema-instance";

using TGsdmlAttrs = std::initializer_list<std::pair<const char16_t*, String>>;

// The document as lines, indented by one tab a level.
class TGsdmlLines {
 public:
  void Line(const String& Text) { FLines.push_back(String(static_cast<size_t>(FDepth), u'\t') + Text); }
  void Open(const String& Tag, TGsdmlAttrs Attrs = {}) {
    Line(u"<" + Tag + Attributes(Attrs) + u">");
    ++FDepth;
  }
  void Close(const String& Tag) {
    --FDepth;
    Line(u"</" + Tag + u">");
  }
  void Empty(const String& Tag, TGsdmlAttrs Attrs) { Line(u"<" + Tag + Attributes(Attrs) + u"/>"); }
  void Text(const String& Tag, const String& Value) { Line(u"<" + Tag + u">" + Value + u"</" + Tag + u">"); }
  void Comment(const String& Text) { Line(u"<!-- " + Text + u" -->"); }
  static String Attributes(TGsdmlAttrs Attrs) {
    String s;
    for (const auto& [name, value] : Attrs) s += u" " + String(name) + u"=\"" + value + u"\"";
    return s;
  }
  String Joined() const {
    String s;
    for (const String& l : FLines) s += l + u"\r\n";
    return s;
  }

 private:
  std::vector<String> FLines;
  int FDepth = 0;
};

// An attribute value that keeps the file well-formed: markup characters and line breaks as
// references. Other control characters have no place in an XML 1.0 file.
String GsdmlAttributeValue(const String& Text) {
  String s;
  for (char16_t c : Text) {
    switch (c) {
      case u'&':
        s += u"&amp;";
        break;
      case u'<':
        s += u"&lt;";
        break;
      case u'>':
        s += u"&gt;";
        break;
      case u'"':
        s += u"&quot;";
        break;
      case u'\t':
        s += u"&#9;";
        break;
      case u'\n':
        s += u"&#10;";
        break;
      case u'\r':
        s += u"&#13;";
        break;
      default:
        if (c < u' ' || c == 0xFFFE || c == 0xFFFF) throw Exception(UI_Text(kGsdmlBadStation));
        s += c;
    }
  }
  return s;
}

// A ModuleInfo of a name and an info text, then elements that carry a Value (tag, value).
void GsdmlModuleInfo(TGsdmlLines& L, const String& Name, const String& Info,
                     std::initializer_list<std::pair<const char16_t*, const char16_t*>> Values = {}) {
  L.Open(u"ModuleInfo");
  L.Empty(u"Name", {{u"TextId", Name}});
  L.Empty(u"InfoText", {{u"TextId", Info}});
  for (const auto& [tag, value] : Values) L.Empty(tag, {{u"Value", value}});
  L.Close(u"ModuleInfo");
}

// The primary language's texts: identifier, value.
const std::pair<const char16_t*, const char16_t*> kGsdmlTexts[] = {
    {u"IDT_INFO_Device", u"Brenix Gateways"},
    {u"IDT_NAME_DAP1", u"LoRaWANGateway"},
    {u"IDT_INFO_DAP1", u"Profinet LoRaWAN Gateway Adapter"},
    {u"IDT_SUBSLOT_1", u"Subslot 1"},
    {u"IDT_SUBSLOT_Interface", u"Interface"},
    {u"IDT_SUBSLOT_Port1", u"Port 1"},
    {u"IDT_SUBSLOT_Port2", u"Port 2"},
    {u"IDT_RECORD_NAME_Head", u"Parameters of head module"},
    {u"IDT_REF_Power", u"Percent power"},
    {u"IDT_NAME_VS1", u"Submodule V1"},
    {u"IDT_INFO_VS1", u"Description of submodule V1"},
    {u"IDT_NAME_IS", u"I"},
    {u"IDT_NAME_PS1", u"P1"},
    {u"IDT_NAME_PS2", u"P2"},
    {u"IDT_NAME_M1", u"Module"},
    {u"IDT_INFO_M1", u"device LoRaWAN"},
    {u"IDT_NAME_FAP", u"FAP for LoRaWAN"},
    {u"IDT_INFO_FAP", u"Description of FAP for LoRaWAN"},
    {u"IDT_RECORD_NAME_SlotCluster", u"Parameters of the FAP"},
    {u"IDT_REF_SlotClusterBegin", u"Beginning of slot cluster"},
    {u"IDT_NAME_M_PB1", u"LoRaWAN Device "},
    {u"IDT_INFO_M_PB1", u"Description of LoRaWAN"},
    {u"IDT_NAME_S_PB1", u"Module of a LoRaWAN"},
    {u"IDT_INFO_S_PB1", u"Description of module of a LoRaWAN"},
    {u"IDT_PB_Input", u"Digital input LoRaWAN"},
    {u"IDT_PB_InputBit0", u"Digital input bit LoRaWAN"},
    {u"IDT_NAME_S1", u"Submodule 1"},
    {u"IDT_INFO_S1", u"Description of submodule 1"},
    {u"IDT_Input_1", u"Input byte"},
    {u"IDT_Output_1", u"Output word"},
    {u"IDT_CATEGORY_DI", u"Digital Input"},
    {u"IDT_INFO_DI", u"Description of digital input"},
    {u"IDT_CATEGORY_DO", u"Digital output"},
    {u"IDT_INFO_DO", u"Description of digital output"},
    {u"IDT_NAME_M1_IDT_REF_channel", u"Canale x"},
    {u"IDT_REF_reaction_to_cpu_stop", u"Reaction to CPU STOP"},
    {u"IDT_NAME_M1_Base_Parameters", u"Base Parameters"},
    {u"IDT_ASSIGN_do_set_substitude_values", u"Output substitute value"},
    {u"IDT_ASSIGN_do_values_will_hold", u"Keep last value"},
    {u"IDT_ASSIGN_do_continue_counting", u"Continue operation"},
};
// The last texts carry Value before TextId.
constexpr size_t kGsdmlValueFirstTexts = 3;

void GsdmlHeader(TGsdmlLines& L) {
  L.Open(u"ProfileHeader");
  L.Text(u"ProfileIdentification", u"PROFINET Device Profile");
  L.Text(u"ProfileRevision", u"1.00");
  L.Text(u"ProfileName", u"Device Profile for PROFINET Devices");
  L.Text(u"ProfileSource", u"PROFIBUS Nutzerorganisation e. V. (PNO)");
  L.Text(u"ProfileClassID", u"Device");
  L.Open(u"ISO15745Reference");
  L.Text(u"ISO15745Part", u"4");
  L.Text(u"ISO15745Edition", u"1");
  L.Text(u"ProfileTechnology", u"GSDML");
  L.Close(u"ISO15745Reference");
  L.Close(u"ProfileHeader");
}

void GsdmlAccessPoint(TGsdmlLines& L, const String& Station) {
  L.Open(u"DeviceAccessPointList");
  L.Open(u"DeviceAccessPointItem", {{u"PNIO_Version", u"V2.3"},
                                    {u"RequiredSchemaVersion", u"V2.25"},
                                    {u"ID", u"IDD_1"},
                                    {u"PhysicalSlots", u"0..4"},
                                    {u"ModuleIdentNumber", u"0x00000001"},
                                    {u"MinDeviceInterval", u"64"},
                                    {u"ImplementationType", Station},
                                    {u"DNS_CompatibleName", Station},
                                    {u"FixedInSlots", u"0"},
                                    {u"ObjectUUID_LocalIndex", u"1"},
                                    {u"MultipleWriteSupported", u"true"},
                                    {u"MaxSupportedRecordSize", u"8192"},
                                    {u"ParameterizationSpeedupSupported", u"true"},
                                    {u"PowerOnToCommReady", u"350"},
                                    {u"DeviceAccessSupported", u"true"},
                                    {u"SharedDeviceSupported", u"true"},
                                    {u"CheckDeviceID_Allowed", u"false"},
                                    {u"NameOfStationNotTransferable", u"true"}});
  GsdmlModuleInfo(L, u"IDT_NAME_DAP1", u"IDT_INFO_DAP1", {{u"VendorName", u"Brenix"}, {u"OrderNumber", u"MX40003"}});
  L.Open(u"SubslotList");
  L.Empty(u"SubslotItem", {{u"SubslotNumber", u"0"}, {u"TextId", u"IDT_SUBSLOT_1"}});
  L.Empty(u"SubslotItem", {{u"SubslotNumber", u"32768"}, {u"TextId", u"IDT_SUBSLOT_Interface"}});
  L.Empty(u"SubslotItem", {{u"SubslotNumber", u"32769"}, {u"TextId", u"IDT_SUBSLOT_Port1"}});
  L.Empty(u"SubslotItem", {{u"SubslotNumber", u"32770"}, {u"TextId", u"IDT_SUBSLOT_Port2"}});
  L.Close(u"SubslotList");
  const String max = IntToStr(PROFINET_Max_Data_Length);
  L.Empty(u"IOConfigData", {{u"MaxInputLength", max},
                            {u"MaxOutputLength", max},
                            {u"MaxDataLength", IntToStr(2 * PROFINET_Max_Data_Length)}});
  L.Open(u"UseableModules");
  L.Empty(u"ModuleItemRef", {{u"ModuleItemTarget", u"IDM_1"}, {u"FixedInSlots", u"1"}});
  L.Close(u"UseableModules");
  L.Open(u"VirtualSubmoduleList");
  L.Open(u"VirtualSubmoduleItem", {{u"ID", u"IDS_V1"}, {u"SubmoduleIdentNumber", u"0x00000000"}});
  L.Empty(u"IOData", {{u"IOPS_Length", u"1"}, {u"IOCS_Length", u"1"}});
  GsdmlModuleInfo(L, u"IDT_NAME_VS1", u"IDT_INFO_VS1");
  L.Close(u"VirtualSubmoduleItem");
  L.Close(u"VirtualSubmoduleList");
  L.Open(u"SystemDefinedSubmoduleList");
  L.Open(u"InterfaceSubmoduleItem", {{u"ID", u"IDS_I"},
                                     {u"SubmoduleIdentNumber", u"0x00000001"},
                                     {u"SubslotNumber", u"32768"},
                                     {u"TextId", u"IDT_NAME_IS"},
                                     {u"SupportedRT_Classes", u"RT_CLASS_1"},
                                     {u"SupportedProtocols", u"SNMP;LLDP"},
                                     {u"SupportedMibs", u"MIB2"}});
  L.Open(u"ApplicationRelations");
  L.Empty(u"TimingProperties", {{u"SendClock", u"32"}, {u"ReductionRatio", u"1 2 4 8 16 32 64 128 256 512"}});
  L.Close(u"ApplicationRelations");
  L.Close(u"InterfaceSubmoduleItem");
  // The second port is the first one's twin but for its identifier, subslot and name.
  for (const auto& [id, subslot, text] :
       {std::tuple{u"IDS_P1", u"32769", u"IDT_NAME_PS1"}, std::tuple{u"IDS_P2", u"32770", u"IDT_NAME_PS2"}}) {
    L.Empty(u"PortSubmoduleItem", {{u"ID", id},
                                   {u"SubmoduleIdentNumber", u"0x00000002"},
                                   {u"SubslotNumber", subslot},
                                   {u"TextId", text},
                                   {u"MaxPortRxDelay", u"350"},
                                   {u"MaxPortTxDelay", u"160"}});
  }
  L.Close(u"SystemDefinedSubmoduleList");
  L.Comment(u"This element tells the engineering tool that the DAP supports fieldbus integration (slot clusters).");
  L.Line(u"<!-- FieldbusIntegrationSlots MaxSupported=\"127\" Range=\"100..9999\"/-->");
  L.Close(u"DeviceAccessPointItem");
  L.Close(u"DeviceAccessPointList");
}

void GsdmlModule(TGsdmlLines& L, const TProfinetParameters& P) {
  L.Open(u"ModuleList");
  L.Comment(u"The \"normal\" module carrying the FAP.");
  L.Open(u"ModuleItem", {{u"ID", u"IDM_1"}, {u"ModuleIdentNumber", u"0x00000001"}});
  GsdmlModuleInfo(L, u"IDT_NAME_M1", u"IDT_INFO_M1", {{u"OrderNumber", u"12345-0040-M"}});
  L.Open(u"VirtualSubmoduleList");
  L.Open(u"VirtualSubmoduleItem", {{u"ID", u"IDM_1"}, {u"SubmoduleIdentNumber", u"0x00000001"}});
  L.Open(u"IOData", {{u"IOPS_Length", u"1"}, {u"IOCS_Length", u"1"}});
  auto data = [&](const String& Tag, int32_t Length, const String& Text) {
    L.Line(u"<" + Tag + u"><DataItem" +
           TGsdmlLines::Attributes({{u"DataType", u"OctetString"}, {u"Length", IntToStr(Length)}, {u"TextId", Text}}) +
           u"/></" + Tag + u">");
  };
  data(u"Input", P.NB_OUT, u"IDT_Input_1");
  data(u"Output", P.NB_IN, u"IDT_Output_1");
  L.Close(u"IOData");
  L.Open(u"RecordDataList");
  L.Open(u"ParameterRecordDataItem", {{u"Index", u"128"}, {u"Length", u"2"}});
  L.Empty(u"Name", {{u"TextId", u"IDT_NAME_M1_IDT_REF_channel"}});
  L.Empty(u"Const", {{u"ByteOffset", u"0"}, {u"Data", u"0x00,0x00"}});
  L.Empty(u"Ref", {{u"TextId", u"IDT_REF_reaction_to_cpu_stop"},
                   {u"Visible", u"true"},
                   {u"DataType", u"BitArea"},
                   {u"ByteOffset", u"0"},
                   {u"BitOffset", u"0"},
                   {u"BitLength", u"2"},
                   {u"DefaultValue", u"2"},
                   {u"AllowedValues", u"0..2"},
                   {u"ValueItemTarget", u"IDV_reaction_to_cpu_stop"},
                   {u"ID", u"IDT_REF_reaction_to_cpu_stop"}});
  L.Open(u"MenuList");
  L.Open(u"MenuItem", {{u"ID", u"IDT_NAME_M1_IDT_REF_channel"}});
  L.Empty(u"Name", {{u"TextId", u"IDT_NAME_M1_IDT_REF_channel"}});
  L.Empty(u"MenuRef", {{u"MenuTarget", u"IDT_NAME_M1_Base_Parameters"}});
  L.Close(u"MenuItem");
  L.Open(u"MenuItem", {{u"ID", u"IDT_NAME_M1_Base_Parameters"}});
  L.Empty(u"Name", {{u"TextId", u"IDT_NAME_M1_Base_Parameters"}});
  L.Empty(u"ParameterRef", {{u"ParameterTarget", u"IDT_REF_reaction_to_cpu_stop"}});
  L.Close(u"MenuItem");
  L.Close(u"MenuList");
  L.Close(u"ParameterRecordDataItem");
  L.Close(u"RecordDataList");
  GsdmlModuleInfo(L, u"IDT_NAME_M1", u"IDT_INFO_M1");
  L.Close(u"VirtualSubmoduleItem");
  L.Close(u"VirtualSubmoduleList");
  L.Close(u"ModuleItem");
  L.Close(u"ModuleList");
}

void GsdmlLists(TGsdmlLines& L) {
  L.Open(u"ValueList");
  L.Open(u"ValueItem", {{u"ID", u"IDV_reaction_to_cpu_stop"}});
  L.Open(u"Assignments");
  L.Empty(u"Assign", {{u"TextId", u"IDT_ASSIGN_do_set_substitude_values"}, {u"Content", u"0"}});
  L.Empty(u"Assign", {{u"TextId", u"IDT_ASSIGN_do_values_will_hold"}, {u"Content", u"1"}});
  L.Empty(u"Assign", {{u"TextId", u"IDT_ASSIGN_do_continue_counting"}, {u"Content", u"2"}});
  L.Close(u"Assignments");
  L.Close(u"ValueItem");
  L.Close(u"ValueList");
  L.Open(u"CategoryList");
  for (const char16_t* kind : {u"DI", u"DO"}) {
    L.Open(u"CategoryItem", {{u"ID", u"IDC_" + String(kind)}, {u"TextId", u"IDT_CATEGORY_" + String(kind)}});
    L.Empty(u"InfoText", {{u"TextId", u"IDT_INFO_" + String(kind)}});
    L.Close(u"CategoryItem");
  }
  L.Close(u"CategoryList");
  L.Open(u"ExternalTextList");
  L.Open(u"PrimaryLanguage");
  const size_t count = std::size(kGsdmlTexts);
  for (size_t i = 0; i < count; ++i) {
    const auto& [id, value] = kGsdmlTexts[i];
    if (i + kGsdmlValueFirstTexts >= count)
      L.Empty(u"Text", {{u"Value", value}, {u"TextId", id}});
    else
      L.Empty(u"Text", {{u"TextId", id}, {u"Value", value}});
  }
  L.Close(u"PrimaryLanguage");
  L.Close(u"ExternalTextList");
}

}  // namespace

TProfinetParameters Read_PROFINET_Parameters() {
  TProfinetParameters p;
  if (FileExists(Path_ParGen)) {
    TXMLDocument doc;
    const TXMLNode root = LoadTableRoot(doc, Path_ParGen);
    auto length = [&](const String& Key, int32_t& Value) {
      const TXMLNode n = root.ChildNodes().FindNode(Key);
      if (!n || !TryCellToInt(n.Text(), Value)) Value = 1438;
    };
    length(u"PROFINET_NB_IN", p.NB_IN);
    length(u"PROFINET_NB_OUT", p.NB_OUT);
    if (const TXMLNode n = root.ChildNodes().FindNode(u"PROFINET_NAME_STA")) p.Station_Name = n.Text();
  }
  if (Trim(p.Station_Name).empty()) p.Station_Name = u"SERIAL";
  return p;
}

std::string PROFINET_XML_Bytes(const TProfinetParameters& P) {
  for (int32_t length : {P.NB_IN, P.NB_OUT})
    if (length < 0 || length > PROFINET_Max_Data_Length) throw Exception(UI_Text(kGsdmlBadLength));
  const String station = GsdmlAttributeValue(P.Station_Name);
  TGsdmlLines L;
  L.Line(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  L.Comment(u"A fieldbus integration example.");
  L.Open(u"ISO15745Profile",
         {{u"xmlns", kGsdmlNamespace},
          {u"xmlns:xsi", kXsiNamespace},
          {u"xsi:schemaLocation", String(kGsdmlNamespace) + u" ..\\xsd\\GSDML-DeviceProfile-v2.31.xsd"}});
  GsdmlHeader(L);
  L.Open(u"ProfileBody");
  L.Open(u"DeviceIdentity", {{u"VendorID", u"0x1111"}, {u"DeviceID", u"0x0466"}});
  L.Empty(u"InfoText", {{u"TextId", u"IDT_INFO_Device"}});
  L.Empty(u"VendorName", {{u"Value", u"Brenix"}});
  L.Close(u"DeviceIdentity");
  L.Open(u"DeviceFunction");
  L.Empty(u"Family", {{u"MainFamily", u"Gateway"}, {u"ProductFamily", u"MX40003"}});
  L.Close(u"DeviceFunction");
  L.Open(u"ApplicationProcess");
  GsdmlAccessPoint(L, station);
  GsdmlModule(L, P);
  GsdmlLists(L);
  L.Close(u"ApplicationProcess");
  L.Close(u"ProfileBody");
  L.Close(u"ISO15745Profile");
  return EncodeText(L.Joined(), teUTF8BOM);
}

void Save_PROFINET_XML(const String& Path) { WriteFileWhole(Path, PROFINET_XML_Bytes(Read_PROFINET_Parameters())); }

void Create_PROFINET_XML(const String& Name) {
  std::unique_ptr<TSaveDialog> dialog(New<TSaveDialog>(nullptr));
  dialog->SetInitialDir(Project_Folder);
  dialog->SetFilter(u"PROFINET XML (*.xml)|" + Name);
  dialog->SetFileName(Name);
  if (!dialog->Execute()) return;
  const String path = PathJoin(ExtractFileDir(dialog->FileName()), Name);
  if (FileExists(path) && MessageDlg(UI_Text(kGsdmlOverwrite), mtConfirmation, TMsgDlgButtons{mbYes, mbNo}) == mrNo)
    return;
  Save_PROFINET_XML(path);
}
