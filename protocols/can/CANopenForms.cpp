#include "protocols/can/CANopenForms.h"

#include "protocols/can/FrameTableForms.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TTableFormDef CANopen_Form_Def(const String& Name, int Width, int Height, const String& Root,
                               const TCANopenTexts& Texts, const String (&Tabs)[2], const String (&Sections)[2],
                               const std::vector<String> (&Columns)[2], int Rows) {
  TTableFormDef d = Frame_Form_Def(Name, Width, Height, -1, -1, -1, -1, Texts.Delete, Root);
  Use_Text_Block(d, Texts.Base);
  const String grids[2] = {u"sga", u"sgb"};
  for (int g = 0; g < 2; ++g) {
    std::vector<TTableColumnDef> cols;
    for (size_t i = 0; i < Columns[g].size(); ++i) {
      String attr = Columns[g][i];
      const bool box = !attr.empty() && attr[0] == u'?';
      if (box) attr.erase(0, 1);
      // Headers go into row 0 from Set_Lang; hints through the frame's lists.
      TTableColumnDef c =
          Frame_Column(-1, Texts.Hints[g] + static_cast<int>(i), attr, box ? edDataCheckBox : edNormal, box ? 75 : 70);
      c.Missing = TMissingAttr::Fail;
      cols.push_back(c);
    }
    TTableGridDef grid = Frame_Grid(grids[g], -1, Rows, 1, cols);
    grid.Sheet = Tabs[g];
    grid.SheetCaption = Texts.Tabs + g;
    grid.Section = Sections[g];
    grid.EnableColumn = false;
    d.Grids.push_back(grid);
  }
  return d;
}

TCANopenForm::TCANopenForm(TComponent* AOwner, const TTableFormDef& Def, const TCANopenTexts& Texts,
                           std::vector<TCANopenGridRules> Rules)
    : TTableForm(AOwner, Def),
      sga(Grids[0]),
      sgb(Grids[1]),
      TS_First(Sheets[0]),
      FTexts(Texts),
      FRules(std::move(Rules)) {
  for (size_t g = 0; g < 2; ++g) {
    const auto& cols = Def.Grids[g].Columns;
    for (size_t i = 0; i < cols.size(); ++i)
      if (cols[i].Editor == edDataCheckBox) Grids[g]->Columns()->Items(static_cast<int>(i) + 1)->SetAlignment(taCenter);
  }
}

void TCANopenForm::Set_Lang() {
  TTableForm::Set_Lang();
  for (int g = 0; g < 2; ++g)
    for (int c = 0; c < Grids[static_cast<size_t>(g)]->ColCount(); ++c)
      Grids[static_cast<size_t>(g)]->SetCellEx(c, 0, UI_Text(FTexts.Headers[g] + c));
}

void TCANopenForm::Set_Limits() {
  PageControl1->SetActivePageIndex(0);
  PROFINET_NByte_IN = 1500;
  PROFINET_NByte_OUT = 1500;
}

void TCANopenForm::Delete_Row(int Row, TAdvColumnGrid* Grid) { Grid_Delete_Row(Row, Grid); }

String TCANopenForm::Row_Failure(int Grid, int Row) {
  TAdvColumnGrid* g = Grids[static_cast<size_t>(Grid)];
  const TCANopenGridRules& rules = FRules[static_cast<size_t>(Grid)];
  auto number = [&](int Col) { return CellToInt(g->GetCellEx(Col, Row)); };
  auto failing = [&](const std::vector<TCANopenRange>& Tests) -> int {
    for (const TCANopenRange& t : Tests) {
      const int32_t v = number(t.Col);
      if (v < t.Low || v > t.High) return t.Text;
    }
    return -1;
  };
  if (const int t = failing(rules.Before); t >= 0) return UI_Text(t);
  const int32_t count = number(rules.Count.Col);
  const bool nbyte = rules.Count.Low == 0 && rules.Count.High == 0;
  if (nbyte ? count != 1 && count != 2 && count != 4 : count < rules.Count.Low || count > rules.Count.High)
    return UI_Text(rules.Count.Text);
  if (const int t = failing(rules.Middle); t >= 0) return UI_Text(t);
  const int limit = (rules.Out ? PROFINET_NByte_OUT : PROFINET_NByte_IN) - 1;
  for (int k = 1; k <= count; ++k) {
    const int32_t v = number(rules.First_Byte + k - 1);
    if (v < 0 || v > limit) return UI_Text(rules.Byte_Text + k - 1) + IntToStr(limit);
  }
  if (const int t = failing(rules.After); t >= 0) return UI_Text(t);
  return String();
}

bool TCANopenForm::Controllo_dati() {
  for (int g = 0; g < 2; ++g) {
    TAdvColumnGrid* grid = Grids[static_cast<size_t>(g)];
    for (int r = 1; r < grid->RowCount() && !Trim(grid->GetCellEx(1, r)).empty(); ++r) {
      const String failure = Row_Failure(g, r);
      if (!failure.empty()) {
        Show_Row_Error(FTexts.Error_Row, r, failure);
        return false;
      }
    }
  }
  return true;
}
