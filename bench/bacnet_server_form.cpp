// The BACnet server objects form with two full grids of 2000 rows: its show (reset of both grids,
// Position lists, row count, load of BACnet_Slave.xml) with the window painted until idle, and its
// OK: with 2 x 2000 objects the check walks all 4000 rows and refuses at the object limit; with
// 2 x 1000 (the most that pass) it checks and saves. Peer in the same run: the same file saved by
// the table-file engine from plain in-memory tables, no grid.
#include <benchmark/benchmark.h>

#include "ScratchProject.h"
#include "button/LbButton.h"
#include "gateway/UBACnetSlaveSetAccess.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/StartupProbe.h"

namespace {

// Two in-memory tables of Rows valid objects each, every row filled.
struct ServerTables {
  TTableData Read{bsMnemonic + 1, BACnet_Server_Rows};
  TTableData Write{bsMnemonic + 1, BACnet_Server_Rows};
  explicit ServerTables(int Rows) {
    for (int r = 1; r <= Rows; ++r) {
      const String n = IntToStr(r);
      const String position = IntToStr((r - 1) % 375 * 4);
      const String read[] = {u"Analog Input", u"62", position, u"0", u"4", u"N", u"Temperature " + n};
      const String write[] = {u"Analog Out", u"98", position, u"0", u"4", u"N", u"Setpoint " + n};
      for (int c = bsData_Type; c <= bsMnemonic; ++c) {
        Read.SetCell(c, r, read[c - 1]);
        Write.SetCell(c, r, write[c - 1]);
      }
    }
  }
  void Save() const {
    TTableLayout layout = Table_Form_Layout(BACnet_Slave_Form_Def());
    layout.Comment = u"SW_VERSION = 1.002";
    SaveTableFile(layout, {&Read, &Write}, Path_BACnet_Slave);
  }
};

class FullForm {
 public:
  explicit FullForm(int Rows) : tables_(Rows) { tables_.Save(); }
  ~FullForm() { delete form; }
  TFBACnetSlaveSetAccess* form = New<TFBACnetSlaveSetAccess>(nullptr);
  const ServerTables& Tables() const { return tables_; }

 private:
  bench::ScratchProject project_{"bench_bacnet_server_form"};
  ServerTables tables_;
};

void BM_ShowFullGrids(benchmark::State& state) {
  FullForm f(BACnet_Server_Rows);
  for (auto _ : state) {
    ShowFormUntilIdle(f.form);
    f.form->Hide();
    Application->ProcessMessages();
  }
  if (f.form->ACG_BACnet_in_Write->GetCellEx(bsMnemonic, BACnet_Server_Rows) != u"Setpoint 2000")
    state.SkipWithError("tables not loaded");
}
BENCHMARK(BM_ShowFullGrids)->Unit(benchmark::kMillisecond);

void BM_FormShowSteps(benchmark::State& state) {
  FullForm f(BACnet_Server_Rows);
  for (auto _ : state) f.form->FormShow(f.form);
}
BENCHMARK(BM_FormShowSteps)->Unit(benchmark::kMillisecond);

// OK on 4000 objects: every row checked, then the object limit's message.
void BM_OkFullGridsRefused(benchmark::State& state) {
  FullForm f(BACnet_Server_Rows);
  f.form->FormShow(f.form);
  ModalScript script;
  for (auto _ : state) {
    script.ExpectMessage(mrOk);
    f.form->Btn_OKClick(f.form->Btn_OK);
  }
  if (script.Messages().empty() || script.Messages().back().Text != u"Error!! Too many Requests. Max requests 2000")
    state.SkipWithError("the check did not stop at the object limit");
}
BENCHMARK(BM_OkFullGridsRefused)->Unit(benchmark::kMillisecond);

// OK on 2 x 1000 objects: checked and saved.
void BM_OkCheckAndSave(benchmark::State& state) {
  FullForm f(BACnet_Server_Rows_Short);
  f.form->FormShow(f.form);
  ModalScript script;
  for (auto _ : state) {
    f.form->SetModalResult(mrNone);
    f.form->Btn_OKClick(f.form->Btn_OK);
  }
  if (!script.Messages().empty() || f.form->ModalResult() != mrOk) state.SkipWithError("the tables were not saved");
}
BENCHMARK(BM_OkCheckAndSave)->Unit(benchmark::kMillisecond);

void BM_SavePlainTables(benchmark::State& state) {
  FullForm f(BACnet_Server_Rows_Short);
  for (auto _ : state) f.Tables().Save();
}
BENCHMARK(BM_SavePlainTables)->Unit(benchmark::kMillisecond);

}  // namespace
