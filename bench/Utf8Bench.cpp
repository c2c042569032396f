// Cost of the UTF-8 conversions every database text and URL passes through.
#include <benchmark/benchmark.h>
#include <windows.h>
#include "support/Utf8.h"

static void BM_Utf8RoundTrip(benchmark::State& state) {
  CString text(L"Profile \u952e\u76d8 layer 4 \U0001F3B5");
  for (auto _ : state) benchmark::DoNotOptimize(FromUtf8(ToUtf8(text).c_str()));
}
BENCHMARK(BM_Utf8RoundTrip);
