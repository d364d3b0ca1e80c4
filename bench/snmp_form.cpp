// The Set SNMP Access form with full tables (256 read and 256 write rows, every row valid): its
// show (reset, position lists, load of SNMP_Trap.xml, numbering) and the window painted until
// idle; its check routine over both tables. Peer in the same run: the same file loaded by the
// table-file engine into plain in-memory tables, no grid.
#include <benchmark/benchmark.h>

#include "ScratchProject.h"
#include "gateway/USNMP_Trap_AccessForm.h"
#include "platform/testing/StartupProbe.h"

namespace {

// A configuration whose SNMP_Trap.xml holds two full tables that pass the check.
class FullTables {
 public:
  FullTables() {
    TSNMP_Trap_Tables t;
    for (int r = 1; r <= SNMP_Trap_Rows; ++r) {
      const String n = IntToStr(r);
      const String read[] = {u"Y",  u"public", u"Int", u"Y", u"N",  u"Y",          u"1000",
                             n,     u"0",      u"16",  u"r" + n, u"192.168.1." + IntToStr(r % 255), u"None",
                             u"note"};
      for (int c = 1; c < SNMP_Read_ColCount; ++c) t.Read.SetCell(c, r, read[c - 1]);
      const String write[] = {u"Y", u"private", u"String", n, u"0", u"8", u"w" + n, u"Float * 10", u"note"};
      for (int c = 1; c < SNMP_Write_ColCount; ++c) t.Write.SetCell(c, r, write[c - 1]);
    }
    Save_SNMP_Trap_File(Path_SNMP_Trap, t.Read, t.Write);
  }

 private:
  bench::ScratchProject project_{"bench_snmp_form"};
};

void BM_ShowFullTables(benchmark::State& state) {
  FullTables tables;
  auto* form = New<TFSNMP_Trap_Access>(nullptr);
  for (auto _ : state) {
    ShowFormUntilIdle(form);
    form->Hide();
    Application->ProcessMessages();
  }
  if (form->ACG_SNMP_Write->GetCellEx(0, SNMP_Trap_Rows) != u"256") state.SkipWithError("tables not loaded");
  delete form;
}
BENCHMARK(BM_ShowFullTables)->Unit(benchmark::kMillisecond);

void BM_FormShowSteps(benchmark::State& state) {
  FullTables tables;
  auto* form = New<TFSNMP_Trap_Access>(nullptr);
  for (auto _ : state) form->FormShow(form);
  delete form;
}
BENCHMARK(BM_FormShowSteps)->Unit(benchmark::kMillisecond);

void BM_LoadIntoPlainTables(benchmark::State& state) {
  FullTables tables;
  for (auto _ : state) {
    TSNMP_Trap_Tables t;
    benchmark::DoNotOptimize(Load_SNMP_Trap_File(Path_SNMP_Trap, t.Read, t.Write));
  }
}
BENCHMARK(BM_LoadIntoPlainTables)->Unit(benchmark::kMillisecond);

void BM_CheckFullTables(benchmark::State& state) {
  FullTables tables;
  auto* form = New<TFSNMP_Trap_Access>(nullptr);
  form->FormShow(form);
  for (auto _ : state) {
    if (!form->Controllo_dati()) state.SkipWithError("the tables did not pass");
  }
  delete form;
}
BENCHMARK(BM_CheckFullTables)->Unit(benchmark::kMicrosecond);

}  // namespace
