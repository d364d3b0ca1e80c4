#include "gateway/USNMP_Trap_Access.h"

namespace {

TTableLayout MakeLayout() {
  using M = TMissingAttr;
  TTableLayout l;
  l.Root = u"SNMP_Trap";
  TTableSection read;
  read.Name = u"SNMP_Trap_Read";
  read.KeyColumn = srCommunity_Name;
  read.Attrs = {
      {u"Enable", srEnable, M::Default, u"Y"},
      {u"Community_Name", srCommunity_Name, M::Default, u""},
      {u"Type", srType, M::Default, u""},
      {u"On_Change", srOn_Change, M::Default, u"N"},
      {u"On_Command", srOn_Command, M::Default, u"N"},
      {u"On_Timer", srOn_Timer, M::Default, u"N"},
      {u"Time", srTime, M::Default, u""},
      {u"Position", srPosition, M::Default, u""},
      {u"Bit", srBit, M::Default, u""},
      {u"NumBits", srNumBits, M::Default, u""},
      {u"Description", srDescription, M::Default, u""},
      {u"IP_Address", srIP_Address, M::Default, u""},
      {u"Conversion", srConversion, M::Default, u"None"},
      {u"Mnemonic", srMnemonic, M::Default, u""},
  };
  TTableSection write;
  write.Name = u"SNMP_Trap_Write";
  write.KeyColumn = swCommunity_Name;
  write.Attrs = {
      {u"Enable", swEnable, M::Default, u"Y"},
      {u"Community_Name", swCommunity_Name, M::Default, u""},
      {u"Type", swType, M::Default, u""},
      {u"Position", swPosition, M::Default, u""},
      {u"Bit", swBit, M::Default, u""},
      {u"NumBits", swNumBits, M::Default, u""},
      {u"Description", swDescription, M::Default, u""},
      {u"Conversion", swConversion, M::Default, u"None"},
      {u"Mnemonic", swMnemonic, M::Default, u""},
  };
  l.Sections = {read, write};
  return l;
}

}  // namespace

const TTableLayout& SNMP_Trap_Layout() {
  static const TTableLayout layout = MakeLayout();
  return layout;
}

void Reset_SNMP_Trap_Table(TTableCells& Table, int ColCount) {
  for (int r = 1; r <= Table.RowCount(); ++r) {
    Table.SetCell(0, r, IntToStr(r));
    Table.SetCell(1, r, u"Y");
    for (int c = 2; c < ColCount; ++c) Table.SetCell(c, r, String());
  }
}

TSNMP_Trap_Tables::TSNMP_Trap_Tables() { Reset(); }

void TSNMP_Trap_Tables::Reset() {
  Reset_SNMP_Trap_Table(Read, SNMP_Read_ColCount);
  Reset_SNMP_Trap_Table(Write, SNMP_Write_ColCount);
}

void Save_SNMP_Trap_File(const String& Path, const TTableCells& Read, const TTableCells& Write) {
  SaveTableFile(SNMP_Trap_Layout(), {&Read, &Write}, Path);
}

bool Load_SNMP_Trap_File(const String& Path, TTableCells& Read, TTableCells& Write) {
  return LoadTableFile(SNMP_Trap_Layout(), Path, {&Read, &Write});
}

bool Read_SNMP_Trap_File(const String& Path, TSNMP_Trap_File& File) {
  std::vector<TTableRows> sections;
  const bool exists = ReadTableFile(SNMP_Trap_Layout(), Path, sections);
  File.Read = std::move(sections[0]);
  File.Write = std::move(sections[1]);
  return exists;
}

bool SNMP_Trap_Row_Enabled(const TTableRow& Row) {
  const std::optional<String> e = Row.Get(u"Enable");
  return e && UpperCase(*e) == u"Y";
}
