#pragma once
// SNMP_Trap.xml: the SNMP agent's read and write tables of a configuration (root "SNMP_Trap",
// sections "SNMP_Trap_Read" and "SNMP_Trap_Write", one "row" per table row). The tables form
// loads and saves it through these routines; the image builder and the MIB writer read the
// rows with Read_SNMP_Trap_File.
#include "gateway/TableFile.h"

// Real columns of the read grid ACG_SNMP_Read (column 0 is the row number).
enum TSNMP_Read_Col : int {
  srEnable = 1,
  srCommunity_Name = 2,  // key column
  srType = 3,
  srOn_Change = 4,
  srOn_Command = 5,
  srOn_Timer = 6,
  srTime = 7,
  srPosition = 8,
  srBit = 9,
  srNumBits = 10,
  srDescription = 11,
  srIP_Address = 12,
  srConversion = 13,
  srMnemonic = 14,
  SNMP_Read_ColCount = 15
};

// Real columns of the write grid ACG_SNMP_Write.
enum TSNMP_Write_Col : int {
  swEnable = 1,
  swCommunity_Name = 2,  // key column
  swType = 3,
  swPosition = 4,
  swBit = 5,
  swNumBits = 6,
  swDescription = 7,
  swConversion = 8,
  swMnemonic = 9,
  SNMP_Write_ColCount = 10
};

constexpr int SNMP_Trap_Rows = 256;  // data rows of each grid

// The file's description: sections read then write, attributes in column order with their
// read defaults ("Y" for Enable, "N" for the send flags, "None" for Conversion).
const TTableLayout& SNMP_Trap_Layout();

// The two tables in memory, in the form's reset state.
struct TSNMP_Trap_Tables {
  TTableData Read{SNMP_Read_ColCount, SNMP_Trap_Rows};
  TTableData Write{SNMP_Write_ColCount, SNMP_Trap_Rows};
  TSNMP_Trap_Tables();
  void Reset();  // row numbers in column 0, Enable "Y", every other cell empty
};

// The form's reset of one table: column 0 the row number, Enable "Y", other cells empty.
void Reset_SNMP_Trap_Table(TTableCells& Table, int ColCount);

// Writes both tables (rows up to the first blank Community Name) to Path, whole.
void Save_SNMP_Trap_File(const String& Path, const TTableCells& Read, const TTableCells& Write);

// Loads Path into the (reset) tables; false when no file exists. Errors as LoadTableFile.
bool Load_SNMP_Trap_File(const String& Path, TTableCells& Read, TTableCells& Write);

// The rows of both sections as the file holds them, every row whatever its Enable.
struct TSNMP_Trap_File {
  TTableRows Read;
  TTableRows Write;
};
// False with empty tables when no file exists; raises ETableFileMalformed or
// ETableFileMissingSection (either section missing).
bool Read_SNMP_Trap_File(const String& Path, TSNMP_Trap_File& File);

// True when the row's "Enable", upper-cased, is "Y" (a missing attribute: false).
bool SNMP_Trap_Row_Enabled(const TTableRow& Row);
