// Zip extraction of a generated 20 MB archive, against zlib inflating the same streams
// into memory: the ratio shows what the reader and the file writes add.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <zlib.h>
#include <string>
#include <vector>
#include "support/TempFolder.h"
#include "support/TestZipWriter.h"
#include "support/ZipReader.h"

namespace {

struct Package {
  TempFolder dir;
  std::wstring archive;
  std::vector<std::string> streams;  // the raw deflate data of each item
  std::vector<size_t> sizes;         // their uncompressed sizes
  size_t total = 0;
  size_t archiveSize = 0;
};

// Bytes of a 64-symbol alphabet: deflate gets them to about three quarters, so eight
// items of 3.3 MB make an archive of about 20 MB.
const Package& TheArchive() {
  static Package* p = [] {
    auto* pkg = new Package;
    std::vector<TestZipEntry> entries;
    uint32_t seed = 12345;
    for (int f = 0; f < 8; ++f) {
      TestZipEntry e;
      e.name = "Quenby/part" + std::to_string(f) + ".bin";
      e.data.resize(3400 * 1024);
      for (auto& c : e.data) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(' ' + (seed >> 26));
      }
      pkg->streams.push_back(DeflateRaw(e.data));
      pkg->sizes.push_back(e.data.size());
      pkg->total += e.data.size();
      entries.push_back(std::move(e));
    }
    std::string zip = BuildTestZip(entries);
    pkg->archiveSize = zip.size();
    pkg->archive = pkg->dir.File(L"package.zip");
    WriteFileBytes(pkg->archive, zip);
    return pkg;
  }();
  return *p;
}

size_t InflateAll(const Package& p, std::vector<char>& out) {
  size_t produced = 0;
  for (size_t i = 0; i < p.streams.size(); ++i) {
    z_stream z{};
    inflateInit2(&z, -MAX_WBITS);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(p.streams[i].data()));
    z.avail_in = static_cast<uInt>(p.streams[i].size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    inflate(&z, Z_FINISH);
    produced += z.total_out;
    inflateEnd(&z);
  }
  return produced;
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// The best of a few raw inflate runs, for the ratio.
double RawInflateSeconds() {
  static double best = [] {
    const Package& p = TheArchive();
    std::vector<char> out(p.sizes[0]);
    double b = 1e9;
    for (int i = 0; i < 3; ++i) {
      LARGE_INTEGER t0, t1;
      QueryPerformanceCounter(&t0);
      InflateAll(p, out);
      QueryPerformanceCounter(&t1);
      b = std::min(b, Seconds(t0, t1));
    }
    return b;
  }();
  return best;
}

void BM_ZlibRawInflate(benchmark::State& state) {
  const Package& p = TheArchive();
  std::vector<char> out(p.sizes[0]);
  size_t input = 0;
  for (const std::string& stream : p.streams) input += stream.size();
  for (auto _ : state) benchmark::DoNotOptimize(InflateAll(p, out));
  // Bytes of compressed input per second of wall time.
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(input));
  state.counters["archive_MB"] = static_cast<double>(p.archiveSize) / (1024 * 1024);
}
BENCHMARK(BM_ZlibRawInflate)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ZipExtractAll(benchmark::State& state) {
  const Package& p = TheArchive();
  TempFolder out;
  double seconds = 0;
  for (auto _ : state) {
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    benchmark::DoNotOptimize(ZipExtractAll(p.archive.c_str(), out.Path().c_str()));
    QueryPerformanceCounter(&t1);
    seconds += Seconds(t0, t1);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(p.archiveSize));
  state.counters["archive_MB"] = static_cast<double>(p.archiveSize) / (1024 * 1024);
  state.counters["x_raw_inflate"] = seconds / static_cast<double>(state.iterations()) / RawInflateSeconds();
}
BENCHMARK(BM_ZipExtractAll)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
