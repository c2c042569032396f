#include "widgets/GifFrameEncoder.h"
#include <objidl.h>
#include <cwchar>
#include <memory>

GifFrameEncoder::~GifFrameEncoder() = default;
GdiplusGifEncoder::~GdiplusGifEncoder() = default;

namespace {
// Releases a COM stream.
struct StreamRelease {
  void operator()(IStream* s) const {
    if (s) s->Release();
  }
};
using StreamPtr = std::unique_ptr<IStream, StreamRelease>;

bool SetSaveFlag(Gdiplus::EncoderParameters& params, ULONG& value, Gdiplus::EncoderValue flag) {
  value = flag;
  params.Count = 1;
  params.Parameter[0].Guid = Gdiplus::EncoderSaveFlag;
  params.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  params.Parameter[0].NumberOfValues = 1;
  params.Parameter[0].Value = &value;
  return true;
}

bool ReadStream(IStream* stream, std::vector<uint8_t>& out) {
  STATSTG stat{};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart == 0 ||
      stat.cbSize.QuadPart > 0x40000000ULL)
    return false;
  LARGE_INTEGER zero{};
  if (FAILED(stream->Seek(zero, STREAM_SEEK_SET, nullptr))) return false;
  out.resize(static_cast<size_t>(stat.cbSize.QuadPart));
  ULONG read = 0;
  if (FAILED(stream->Read(out.data(), static_cast<ULONG>(out.size()), &read)) || read != out.size()) {
    out.clear();
    return false;
  }
  return true;
}
}  // namespace

bool GdiplusGifEncoder::FindImageEncoder(const wchar_t* mimeType, CLSID* clsid) {
  UINT count = 0, bytes = 0;
  if (!mimeType || !clsid || Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<BYTE> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType && _wcsicmp(codecs[i].MimeType, mimeType) == 0) {
      *clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

bool GdiplusGifEncoder::Encode(const std::vector<Gdiplus::Bitmap*>& canvases, const std::vector<int>& delays,
                               int loopCount, std::vector<uint8_t>& out) {
  out.clear();
  if (canvases.empty() || !canvases[0] || delays.size() != canvases.size()) return false;
  Gdiplus::Bitmap* first = canvases[0];

  short loop = static_cast<short>(loopCount);
  Gdiplus::PropertyItem loopItem{};
  loopItem.id = PropertyTagLoopCount;
  loopItem.type = PropertyTagTypeShort;
  loopItem.length = sizeof(loop);
  loopItem.value = &loop;
  std::vector<LONG> delayValues(delays.begin(), delays.end());
  Gdiplus::PropertyItem delayItem{};
  delayItem.id = PropertyTagFrameDelay;
  delayItem.type = PropertyTagTypeLong;
  delayItem.length = static_cast<ULONG>(delayValues.size() * sizeof(LONG));
  delayItem.value = delayValues.data();
  if (first->SetPropertyItem(&loopItem) != Gdiplus::Ok || first->SetPropertyItem(&delayItem) != Gdiplus::Ok)
    return false;

  CLSID gif{};
  if (!FindImageEncoder(L"image/gif", &gif)) return false;
  IStream* raw = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &raw)) || !raw) return false;
  StreamPtr stream(raw);

  Gdiplus::EncoderParameters params{};
  ULONG flag = 0;
  SetSaveFlag(params, flag, Gdiplus::EncoderValueMultiFrame);
  if (first->Save(stream.get(), &gif, &params) != Gdiplus::Ok) return false;
  SetSaveFlag(params, flag, Gdiplus::EncoderValueFrameDimensionTime);
  for (size_t i = 1; i < canvases.size(); ++i) {
    if (!canvases[i] || first->SaveAdd(canvases[i], &params) != Gdiplus::Ok) return false;
  }
  // The flush ends the encoder, so the stream holds the whole file before it is read.
  SetSaveFlag(params, flag, Gdiplus::EncoderValueFlush);
  if (first->SaveAdd(&params) != Gdiplus::Ok) return false;
  return ReadStream(stream.get(), out);
}
