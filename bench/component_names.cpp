// Components found by name on an owner with 1,200 named components (about the parameter form's
// count): creating them and looking each up, the look-ups alone, and as the peer the same
// look-ups done by walking the owner's list.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/Classes.h"

namespace {

constexpr int kComponents = 1200;

const std::vector<String>& Names() {
  static const std::vector<String> names = [] {
    std::vector<String> v;
    for (int i = 0; i < kComponents; ++i) v.push_back(u"E_Parameter_" + IntToStr(i));
    return v;
  }();
  return names;
}

TComponent* MakeOwner() {
  auto* owner = New<TComponent>(nullptr);
  for (const String& n : Names()) New<TComponent>(owner)->SetName(n);
  return owner;
}

// Upper-cased queries, so the case-blind match is exercised.
const std::vector<String>& Queries() {
  static const std::vector<String> queries = [] {
    std::vector<String> v;
    for (const String& n : Names()) v.push_back(UpperCase(n));
    return v;
  }();
  return queries;
}

TComponent* FindByScan(const TComponent* owner, const String& name) {
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    if (SameText(owner->Components(i)->Name(), name)) return owner->Components(i);
  }
  return nullptr;
}

void BM_CreateNamedAndFindEach(benchmark::State& st) {
  for (auto _ : st) {
    TComponent* owner = MakeOwner();
    for (const String& q : Queries()) benchmark::DoNotOptimize(owner->FindComponent(q));
    owner->Free();
  }
  st.SetItemsProcessed(st.iterations() * kComponents);
}
BENCHMARK(BM_CreateNamedAndFindEach)->Unit(benchmark::kMicrosecond);

void BM_FindEach(benchmark::State& st) {
  TComponent* owner = MakeOwner();
  for (auto _ : st) {
    for (const String& q : Queries()) benchmark::DoNotOptimize(owner->FindComponent(q));
  }
  st.SetItemsProcessed(st.iterations() * kComponents);
  owner->Free();
}
BENCHMARK(BM_FindEach)->Unit(benchmark::kMicrosecond);

void BM_FindEachByListWalk(benchmark::State& st) {
  TComponent* owner = MakeOwner();
  for (auto _ : st) {
    for (const String& q : Queries()) benchmark::DoNotOptimize(FindByScan(owner, q));
  }
  st.SetItemsProcessed(st.iterations() * kComponents);
  owner->Free();
}
BENCHMARK(BM_FindEachByListWalk)->Unit(benchmark::kMicrosecond);

}  // namespace
