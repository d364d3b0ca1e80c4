#pragma once
// What the three CANopen table forms share (PDO, SDO client, SDO server): two
// grids on two pages, headers written straight into row 0, no Enable column,
// every file attribute required, byte positions limited by the gateway's byte
// arrays (1500 each at every show), and a check routine that runs the same
// kinds of tests in each row: ranges, a byte count (a Dimension 1..8 or an N
// Byte of 1, 2 or 4), then one position per counted byte.
#include <vector>

#include "shell/UTableForm.h"

// A test of one cell: its number within Low .. High, else UI text Text.
struct TCANopenRange {
  int Col;
  int32_t Low, High;
  int Text;
};

struct TCANopenGridRules {
  std::vector<TCANopenRange> Before;  // tests before the byte count
  TCANopenRange Count;                // Dimension 1..8 (a range) or N Byte (Low = High = 0: 1, 2 or 4)
  std::vector<TCANopenRange> Middle;  // tests between the count and the positions
  int First_Byte;                     // column of the first position; byte k is First_Byte + k - 1
  int Byte_Text;                      // UI text of byte 1; bytes 2.. follow; the limit is appended
  bool Out;                           // positions limited by PROFINET_NByte_OUT, else _IN
  std::vector<TCANopenRange> After;
};

// A form's texts: the block (caption Base, description, buttons, hints), tabs,
// the first header and first hint of each grid, the error-row text and the
// delete question.
struct TCANopenTexts {
  int Base, Tabs, Headers[2], Hints[2], Error_Row, Delete;
};

class TCANopenForm : public TTableForm {
 public:
  TCANopenForm(TComponent* AOwner, const TTableFormDef& Def, const TCANopenTexts& Texts,
               std::vector<TCANopenGridRules> Rules);

  TAdvColumnGrid* sga = nullptr;
  TAdvColumnGrid* sgb = nullptr;
  TTabSheet* TS_First = nullptr;
  int PROFINET_NByte_IN = 0;
  int PROFINET_NByte_OUT = 0;

  // The frame's texts, then the headers into row 0 of each grid.
  void Set_Lang() override;
  // First page active, both byte arrays 1500.
  void Set_Limits() override;
  bool Check_Tables() override { return Controllo_dati(); }
  bool Controllo_dati();
  // Moves the rows below Row up by one and clears the last row (column 0 keeps
  // its numbers).
  void Delete_Row(int Row, TAdvColumnGrid* Grid);

 private:
  String Row_Failure(int Grid, int Row);

  TCANopenTexts FTexts;
  std::vector<TCANopenGridRules> FRules;
};

// A two-grid form: the grids and their pages are named sga / sgb on the given
// tabs; Columns[g] are the file attributes of grid g's columns 1 .. n (a name
// starting with "?" marks a Y/N check box column, the "?" not written); Key is
// the key column of both grids.
TTableFormDef CANopen_Form_Def(const String& Name, int Width, int Height, const String& Root,
                               const TCANopenTexts& Texts, const String (&Tabs)[2], const String (&Sections)[2],
                               const std::vector<String> (&Columns)[2], int Rows);
