// The SNMP manager form with a full table (512 enabled rows, every one valid and distinct): its
// show (reset, Position list, load of SNMP_Manager.xml, focus) with the window painted until idle,
// then OK (the row tests, the duplicate test over every pair, the save). Peer in the same run: the
// same file loaded and saved by the table-file engine with plain in-memory tables, no grid.
#include <benchmark/benchmark.h>

#include "ScratchProject.h"
#include "button/LbButton.h"
#include "platform/testing/StartupProbe.h"
#include "protocols/ethernet_it/USNMPManagerAccess.h"
#include "shell/TableFile.h"

namespace {

constexpr int kRows = 512;
constexpr int kCols = 23;

// One valid request per row; every third row is an SNMP version 3 request with privacy.
TTableData FullTable() {
  TTableData t(kCols, kRows);
  for (int r = 1; r <= kRows; ++r) {
    const String n = IntToStr(r);
    const bool v3 = r % 3 == 0;
    const String cells[] = {u"Y", u"192.168." + IntToStr(r / 250) + u"." + IntToStr(r % 250 + 1), v3 ? u"3" : u"2",
                            u"Public", u"1.3.6.1.4.1.9999." + n, u"Int", u"Get", u"N", u"N", u"Y", u"1000",
                            IntToStr(r * 2), u"2", u"Float * 10", u"N", v3 ? u"admin" : u"", v3 ? u"authpass1" : u"",
                            v3 ? u"privpass1" : u"", v3 ? u"Auth Priv" : u"", v3 ? u"SHA" : u"", v3 ? u"AES" : u"",
                            u"request " + n};
    for (int c = 1; c < kCols; ++c) t.SetCell(c, r, cells[c - 1]);
  }
  return t;
}

class FullManagerTable {
 public:
  FullManagerTable() { SaveTableFile(Table_Form_Layout(SNMP_Manager_Form_Def()), {&table_}, Path_SNMP_Manager); }

 private:
  bench::ScratchProject project_{"bench_snmp_manager_form"};
  TTableData table_ = FullTable();
};

void BM_ShowAndOkFullTable(benchmark::State& state) {
  FullManagerTable file;
  auto* form = New<TFSNMPManagerAccess>(nullptr);
  for (auto _ : state) {
    ShowFormUntilIdle(form);
    form->SetModalResult(mrNone);
    form->Btn_OKClick(form->Btn_OK);
    if (form->ModalResult() != mrOk) state.SkipWithError("the table did not pass");
    form->Hide();
    Application->ProcessMessages();
  }
  if (form->ACG_SNMP->GetCellEx(22, kRows) != u"request 512") state.SkipWithError("table not loaded");
  delete form;
}
BENCHMARK(BM_ShowAndOkFullTable)->Unit(benchmark::kMillisecond);

void BM_FormShowSteps(benchmark::State& state) {
  FullManagerTable file;
  auto* form = New<TFSNMPManagerAccess>(nullptr);
  for (auto _ : state) form->FormShow(form);
  delete form;
}
BENCHMARK(BM_FormShowSteps)->Unit(benchmark::kMillisecond);

void BM_OkFullTable(benchmark::State& state) {
  FullManagerTable file;
  auto* form = New<TFSNMPManagerAccess>(nullptr);
  form->FormShow(form);
  for (auto _ : state) {
    form->SetModalResult(mrNone);
    form->Btn_OKClick(form->Btn_OK);
    if (form->ModalResult() != mrOk) state.SkipWithError("the table did not pass");
  }
  delete form;
}
BENCHMARK(BM_OkFullTable)->Unit(benchmark::kMillisecond);

void BM_CheckFullTable(benchmark::State& state) {
  FullManagerTable file;
  auto* form = New<TFSNMPManagerAccess>(nullptr);
  form->FormShow(form);
  for (auto _ : state) {
    if (!form->Controllo_dati()) state.SkipWithError("the table did not pass");
  }
  delete form;
}
BENCHMARK(BM_CheckFullTable)->Unit(benchmark::kMillisecond);

// Peer: the same file through the engine into and out of a plain table.
void BM_LoadAndSavePlainTable(benchmark::State& state) {
  FullManagerTable file;
  const TTableLayout layout = Table_Form_Layout(SNMP_Manager_Form_Def());
  for (auto _ : state) {
    TTableData t(kCols, kRows);
    LoadTableFile(layout, Path_SNMP_Manager, {&t});
    SaveTableFile(layout, {&t}, Path_SNMP_Manager);
  }
}
BENCHMARK(BM_LoadAndSavePlainTable)->Unit(benchmark::kMillisecond);

}  // namespace
