#include "shell/USettings.h"

#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "platform/XMLDoc.h"
#include "shell/UComon.h"

namespace {

// The text of root/group/leaf, or `def` when either element is missing or the leaf holds
// elements instead of a text.
String Read_Key(const TXMLNode& root, const String& group, const String& leaf, const String& def) {
  if (!root) return def;
  try {
    const TXMLNode g = root.ChildNodes().FindNode(group);
    if (!g) return def;
    const TXMLNode l = g.ChildNodes().FindNode(leaf);
    if (!l) return def;
    return l.Text();
  } catch (const Exception&) {
    return def;
  }
}

bool Read_Flag(const TXMLNode& root, const String& leaf) {
  return Read_Key(root, u"lastinternet", leaf, u"0") == u"1";
}

void Set_Defaults() {
  Project_Name.clear();
  Last_IP_Address = Default_IP_Address;
  Language_Name = u"English";
  Opt_Enable_Internet = false;
  Opt_Enable_Update = false;
  Opt_Jump_Field_Tables = false;
  Opt_Double_Click_Auto_Size = false;
}

}  // namespace

String Settings_File_Path() { return Program_Folder + u"/Kelvane.xml"; }

void Read_Settings() {
  const String path = Settings_File_Path();
  TXMLDocument doc;
  bool loaded = false;
  if (FileExists(path)) {
    try {
      doc.LoadFromFile(path);
      loaded = true;
    } catch (const Exception&) {
      // Unreadable counts as missing: start-up goes on with the defaults.
    }
  }
  if (!loaded) {
    Set_Defaults();
    Project_Folder.clear();
    return;
  }
  const TXMLNode root = doc.DocumentElement();
  Project_Name = Read_Key(root, u"lastproj", u"projectname", String());
  Last_IP_Address = Read_Key(root, u"lastipadd", u"ipaddress", Default_IP_Address);
  Language_Name = Read_Key(root, u"lastlang", u"language", u"English");
  Opt_Enable_Internet = Read_Flag(root, u"enable_internet");
  Opt_Enable_Update = Read_Flag(root, u"enable_update");
  Opt_Jump_Field_Tables = Read_Flag(root, u"enable_jump_field_tables");
  Opt_Double_Click_Auto_Size = Read_Flag(root, u"Double_Click_Auto_Size");
}

void Save_Setting() {
  TXMLDocument doc;
  doc.SetActive(true);
  TXMLNode root = doc.AddRoot(u"Conf_Settings");
  root.AddChild(u"lastproj").AddChild(u"projectname").SetText(Project_Name);
  root.AddChild(u"lastipadd").AddChild(u"ipaddress").SetText(Last_IP_Address);
  root.AddChild(u"lastlang").AddChild(u"language").SetText(Language_Name);
  TXMLNode internet = root.AddChild(u"lastinternet");
  auto flag = [](bool on) { return String(on ? u"1" : u"0"); };
  internet.AddChild(u"enable_internet").SetText(flag(Opt_Enable_Internet));
  internet.AddChild(u"enable_update").SetText(flag(Opt_Enable_Update));
  internet.AddChild(u"enable_jump_field_tables").SetText(flag(Opt_Jump_Field_Tables));
  internet.AddChild(u"Double_Click_Auto_Size").SetText(flag(Opt_Double_Click_Auto_Size));
  const String path = Settings_File_Path();
  try {
    doc.SaveToFile(path);
  } catch (const Exception& e) {
    throw EInOutError(u"Cannot write the settings file " + path + u": " + e.Message());
  }
}
