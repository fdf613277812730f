// Throughput of the tokenizer on a generated 10 MB PureBasic source ("MB=.../s" is MB per second).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "highlighter/tokenizer.h"

namespace {

// Lines of the kinds a documented module holds; %d makes names differ from block to block.
const char* const kLines[] = {
    ";{+++ Helpers for block %d\r\n",
    "DeclareModule Shapes%d\r\n",
    "  Structure Point%d Extends Base\r\n",
    "    x.l : y.l\r\n",
    "    *next.Point%d\r\n",
    "  EndStructure\r\n",
    "EndDeclareModule\r\n",
    "Procedure.i Area%d(*r.RECT, scale.d = 1.5e-3)  ; area of a rectangle\r\n",
    "  Protected w = *r\\right - *r\\left, h = *r\\bottom - *r\\top\r\n",
    "  If w <= 0 Or h <= 0 : ProcedureReturn 0 : EndIf\r\n",
    "  Dim cells.l(w * h)\r\n",
    "  result$ = ~\"size:\\t\" + Str(w * h) + \" cells\"\r\n",
    "  ForEach items%d() : total + items()\\value * $FF & %%1010 : Next\r\n",
    "  Debug Shapes::Count(@cells(), #PB_Any) ; %d\r\n",
    "  ! mov eax, [p.v_w]\r\n",
    "  c = 'A' + Asc(Mid(text$, 2, 1))\r\n",
    "  ProcedureReturn w * h * scale\r\n",
    "EndProcedure\r\n",
    "\r\n",
};

std::string makeSource(std::size_t targetBytes) {
  std::string source;
  source.reserve(targetBytes + 256);
  char line[256];
  for (int block = 0; source.size() < targetBytes; ++block) {
    for (const char* format : kLines) {
      const int n = std::snprintf(line, sizeof line, format, block);
      source.append(line, static_cast<std::size_t>(n));
    }
  }
  source.resize(targetBytes);
  return source;
}

void countToken(std::size_t, std::size_t length, veld::TokenKind kind, void* context) {
  *static_cast<std::size_t*>(context) += length + static_cast<std::size_t>(kind);
}

void BM_TokenizeSource(benchmark::State& state) {
  const std::string source = makeSource(10 * 1000 * 1000);
  std::size_t sink = 0;
  for (auto _ : state) {
    veld::tokenizePureBasic(source.data(), source.size(), countToken, &sink, false);
    benchmark::DoNotOptimize(sink);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * source.size()));
  state.counters["MB"] = benchmark::Counter(static_cast<double>(source.size()) / 1e6 * state.iterations(),
                                              benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TokenizeSource)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
