// XmlDoc: parse and index throughput on a 2 MB document, and the lookups a keyboard
// layout file takes (500 keys, several attributes each).
#include <benchmark/benchmark.h>
#include <windows.h>
#include <string>
#include "support/TempFolder.h"
#include "support/XmlDoc.h"

namespace {

// About 2 MB of the kind of markup the program reads: nested elements, attributes,
// text, comments and an entity now and then.
const std::wstring& LargeDocument() {
  static const std::wstring text = [] {
    std::wstring s = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile name=\"bench\">\r\n";
    for (int group = 0; s.size() < 2 * 1024 * 1024; ++group) {
      s += L"  <key_macro layer=\"" + std::to_wstring(group % 4) + L"\">\r\n    <!-- group " +
           std::to_wstring(group) + L" -->\r\n";
      for (int i = 0; i < 20; ++i)
        s += L"    <item index=\"" + std::to_wstring(i) + L"\" type=\"2\" value=\"" + std::to_wstring(group * 20 + i) +
             L"\" desc=\"Ctrl &amp; Alt + F" + std::to_wstring(i % 12 + 1) + L"\">text " + std::to_wstring(i) +
             L"</item>\r\n";
      s += L"  </key_macro>\r\n";
    }
    return s + L"</profile>\r\n";
  }();
  return text;
}

const std::wstring& LayoutDocument() {
  static const std::wstring text = [] {
    std::wstring s = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<layout name=\"Q63\">\r\n<keys>\r\n";
    for (int i = 0; i < 500; ++i)
      s += L"<key index=\"" + std::to_wstring(i) + L"\" code=\"" + std::to_wstring(4 + i % 100) + L"\" x=\"" +
           std::to_wstring(i % 21 * 54) + L"\" y=\"" + std::to_wstring(i / 21 * 54) +
           L"\" w=\"52\" h=\"52\" light=\"" + std::to_wstring(i) + L"\" name=\"K" + std::to_wstring(i) +
           L"\" image=\"keys/k.png\"/>\r\n";
    return s + L"</keys>\r\n</layout>\r\n";
  }();
  return text;
}

void BM_XmlParseAndIndex(benchmark::State& state) {
  const std::wstring& text = LargeDocument();
  XmlDoc d;
  for (auto _ : state) benchmark::DoNotOptimize(d.SetDocument(text.c_str()));
  // Bytes of input (UTF-16 text) per second of wall time.
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size() * sizeof(wchar_t)));
  state.counters["elements"] = d.GetElementCount() - 1;
}
BENCHMARK(BM_XmlParseAndIndex)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same document from a UTF-8 file: read, sniff, convert and parse.
void BM_XmlLoadFile(benchmark::State& state) {
  TempFolder dir;
  std::wstring path = dir.File(L"large.xml");
  XmlDoc::WriteTextFile(path.c_str(), LargeDocument().c_str(), nullptr, nullptr);
  XmlDoc d;
  WIN32_FILE_ATTRIBUTE_DATA file = {};
  ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &file);
  for (auto _ : state) benchmark::DoNotOptimize(d.Load(path.c_str()));
  // Bytes of the UTF-8 file per second of wall time.
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.nFileSizeLow));
}
BENCHMARK(BM_XmlLoadFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading a 500-key layout: find each key and read five attributes of it.
void BM_XmlLayoutLookups(benchmark::State& state) {
  XmlDoc d(LayoutDocument().c_str());
  int keys = 0;
  for (auto _ : state) {
    d.ParseDoc();
    d.FindElement(L"layout");
    d.IntoElement();
    d.FindElement(L"keys");
    d.IntoElement();
    keys = 0;
    while (d.FindElement(L"key")) {
      benchmark::DoNotOptimize(d.GetAttribute(L"code"));
      benchmark::DoNotOptimize(d.GetAttribute(L"x"));
      benchmark::DoNotOptimize(d.GetAttribute(L"y"));
      benchmark::DoNotOptimize(d.GetAttribute(L"light"));
      benchmark::DoNotOptimize(d.GetAttribute(L"image"));
      ++keys;
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * keys);
  state.counters["keys"] = keys;
}
BENCHMARK(BM_XmlLayoutLookups)->Unit(benchmark::kMicrosecond);

}  // namespace
