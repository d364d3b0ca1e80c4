// Bank 2, first part: the SNMP agent's read and write tables from SNMP_Trap.xml.
#include "gateway/TableFile.h"
#include "gateway/USNMP_Trap_Access.h"
#include "gateway/USaveBincc.h"
#include "platform/SysUtils.h"
#include "shell/UComon.h"

namespace {

constexpr int Off_Read_Count = 1436;
constexpr int Off_Write_Count = 1440;

// Fields shared by both tables. Numbers go through the same parse as the form's check, so a
// value the check accepted (hexadecimal, blanks before it) reaches the device unchanged.
void Fill_Common(SNMP_Trap_Entry& e, const TTableRow& Row) {
  e = SNMP_Trap_Entry{};
  if (auto v = Row.Get(u"Community_Name")) Put_Text_Slot(e.Community_Name, *v);
  e.Flags = 0;
  if (auto v = Row.Get(u"Type"); v && UpperCase(*v) == u"INT") e.Flags |= 0x8;
  if (auto v = Row.Get(u"Position")) e.Position = static_cast<uint16_t>(CellToInt(*v, 0));
  if (auto v = Row.Get(u"Bit")) e.Bit = static_cast<uint16_t>(CellToInt(*v, 0));
  if (auto v = Row.Get(u"NumBits")) {
    // Unsigned, so a huge size wraps to its low 16 bits instead of overflowing.
    uint32_t bits = static_cast<uint32_t>(CellToInt(*v, 1));
    if (!(e.Flags & 0x8)) bits *= 8u;  // the size column holds bytes for strings
    e.NumBits = static_cast<uint16_t>(bits);
  }
  if (auto v = Row.Get(u"Description")) Put_Text_Slot(e.Description, *v);
  if (auto v = Row.Get(u"Conversion")) e.Conversion = static_cast<uint8_t>(Conversion_From_Name(UpperCase(Trim(*v))));
}

bool Flag_Y(const TTableRow& Row, const String& Name) {
  auto v = Row.Get(Name);
  return v && UpperCase(*v) == u"Y";
}

void Fill_Read(SNMP_Trap_Entry& e, const TTableRow& Row) {
  Fill_Common(e, Row);
  if (Flag_Y(Row, u"On_Change")) e.Flags |= 0x1;
  if (Flag_Y(Row, u"On_Command")) e.Flags |= 0x2;
  if (Flag_Y(Row, u"On_Timer")) e.Flags |= 0x4;
  if (auto v = Row.Get(u"Time")) e.Time = static_cast<uint32_t>(CellToInt(*v, 0));
  // An address the table check accepted (blanks around its parts allowed) is stored as
  // checked; any other text keeps the octets it could read, 0 for the rest.
  uint8_t a = 0, b = 0, c = 0, d = 0;
  if (auto v = Row.Get(u"IP_Address")) {
    String p1, p2, p3, p4;
    if (Split_IP_Address(*v, p1, p2, p3, p4)) {
      a = static_cast<uint8_t>(StrToIntDef(p1, 0));
      b = static_cast<uint8_t>(StrToIntDef(p2, 0));
      c = static_cast<uint8_t>(StrToIntDef(p3, 0));
      d = static_cast<uint8_t>(StrToIntDef(p4, 0));
    } else {
      IP_To_Bytes(*v, a, b, c, d);
    }
  }
  e.IP_Address = (uint32_t(a) << 24) | (uint32_t(b) << 16) | (uint32_t(c) << 8) | uint32_t(d);
}

// Fills entries from 0 without gaps; rows past the table's end are ignored.
uint32_t Fill_Table(std::array<SNMP_Trap_Entry, SNMP_Table_Entries>& Table, const TTableRows& Rows,
                    bool Read_Table) {
  uint32_t count = 0;
  for (const TTableRow& row : Rows) {
    if (!SNMP_Trap_Row_Enabled(row)) continue;
    if (count >= SNMP_Table_Entries) break;
    if (Read_Table)
      Fill_Read(Table[count], row);
    else
      Fill_Common(Table[count], row);
    ++count;
  }
  return count;
}

int32_t Put_Entry(int32_t Position, std::span<uint8_t> Buffer, const SNMP_Trap_Entry& e) {
  Put_U16(Buffer, Position + 0, e.Position);
  Put_U16(Buffer, Position + 2, e.Bit);
  Put_U16(Buffer, Position + 4, e.NumBits);
  Buffer[Position + 6] = e.Conversion;
  Buffer[Position + 7] = e.Flags;
  Put_U32(Buffer, Position + 8, e.Time);
  for (int i = 0; i < 16; ++i) Buffer[Position + 12 + i] = e.Community_Name[i];
  for (int i = 0; i < 16; ++i) Buffer[Position + 28 + i] = e.Description[i];
  Put_U32(Buffer, Position + 44, e.IP_Address);
  return Position + SNMP_Entry_Size;
}

}  // namespace

void Clear_SNMP_Trap_Tables() {
  SNMP_Trap_Read_Table.fill(SNMP_Trap_Entry{});
  SNMP_Trap_Write_Table.fill(SNMP_Trap_Entry{});
}

void Load_SNMP_Trap_Tables() {
  std::span<uint8_t> block(Parameters_Block);
  Put_U32(block, Off_Read_Count, 0);
  Put_U32(block, Off_Write_Count, 0);
  TSNMP_Trap_File file;
  if (!Read_SNMP_Trap_File(Path_SNMP_Trap, file)) return;
  Put_U32(block, Off_Read_Count, Fill_Table(SNMP_Trap_Read_Table, file.Read, true));
  Put_U32(block, Off_Write_Count, Fill_Table(SNMP_Trap_Write_Table, file.Write, false));
}

int Conversion_From_Name(const String& Text) {
  if (Text == u"FLOAT") return 1;
  if (Text == u"FLOAT * 10") return 2;
  if (Text == u"FLOAT * 100") return 3;
  if (Text == u"FLOAT / 10") return 4;
  if (Text == u"FLOAT / 100") return 5;
  return 0;
}

int32_t Put_SNMP_Trap_Tables(int32_t Position, std::span<uint8_t> Buffer) {
  if (Position < 0 || static_cast<size_t>(Position) + SNMP_Tables_Size > Buffer.size())
    throw EArgumentOutOfRangeException(u"SNMP tables do not fit into their bank");
  for (const SNMP_Trap_Entry& e : SNMP_Trap_Read_Table) Position = Put_Entry(Position, Buffer, e);
  for (const SNMP_Trap_Entry& e : SNMP_Trap_Write_Table) Position = Put_Entry(Position, Buffer, e);
  return Position;
}
