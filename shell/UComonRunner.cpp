// UComon: the external program runner.
#include "shell/UComon.h"

#include <cstddef>
#include <memory>

#include "platform/Process.h"
#include "platform/TimeSource.h"

namespace {
uint32_t g_startProgramLimit = Start_Program_Default_Limit_Ms;
}

void Set_Start_Program_Limit(uint32_t Ms) { g_startProgramLimit = Ms; }
uint32_t Start_Program_Limit() { return g_startProgramLimit; }

std::vector<String> Split_Parameters(const String& Parameter) {
  std::vector<String> args;
  String current;
  bool inArg = false, quoted = false;
  for (std::size_t i = 0; i < Parameter.size(); ++i) {
    const Char c = Parameter[i];
    if (quoted) {
      if (c == u'"') {
        if (i + 1 < Parameter.size() && Parameter[i + 1] == u'"') {
          current += u'"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        current += c;
      }
    } else if (c == u' ' || c == u'\t') {
      if (inArg) args.push_back(current);
      current.clear();
      inArg = false;
    } else if (c == u'"') {
      quoted = inArg = true;
    } else {
      current += c;
      inArg = true;
    }
  }
  if (inArg) args.push_back(current);
  return args;
}

void Start_Program(const String& NomeSW, const String& Parameter, uint8_t tipo) {
  (void)tipo;  // window kind: no meaning for a process started here
  String error;
  std::unique_ptr<TProcess> process = TProcess::Start(NomeSW, Split_Parameters(Parameter), Program_Folder, &error);
  if (!process) return;
  const uint32_t t0 = GetTickCount();
  for (;;) {
    const bool running = process->Running();
    if (running && TicksElapsed(t0, GetTickCount()) >= g_startProgramLimit) break;
    process->WaitFor(10);
    if (!running) break;
  }
  // Destroying the handle leaves a running program alone; the platform reaps it later.
}
