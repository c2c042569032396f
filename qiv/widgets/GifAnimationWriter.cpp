#include "widgets/GifAnimationWriter.h"
#include "widgets/FileWrite.h"
#include "widgets/PictureFit.h"

GifAnimationWriter::GifAnimationWriter() : GifAnimationWriter(std::make_unique<GdiplusGifEncoder>()) {}

GifAnimationWriter::GifAnimationWriter(std::unique_ptr<GifFrameEncoder> encoder) : m_encoder(std::move(encoder)) {}

GifAnimationWriter::~GifAnimationWriter() = default;

void GifAnimationWriter::SetSize(int width, int height) {
  if (m_hasFirstFrame) return;
  m_width = width > 0 ? width : 320;
  m_height = height;
}

bool GifAnimationWriter::Begin(const wchar_t* path) {
  m_path = path;
  m_started = true;
  return true;
}

CRect GifAnimationWriter::FitRect(int w, int h, const CRect& rect) const {
  const double canvasRatio = m_height > 0 ? static_cast<double>(m_width) / m_height : 0.0;
  return FitPictureRect(w, h, rect, canvasRatio);
}

bool GifAnimationWriter::AddFrame(const wchar_t* path, int delayMs) {
  if (!m_started) return false;
  auto canvas = std::make_unique<Gdiplus::Bitmap>(m_width, m_height, PixelFormat32bppARGB);
  if (canvas->GetLastStatus() != Gdiplus::Ok) return false;
  {
    Gdiplus::Graphics g(canvas.get());
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    g.Clear(Gdiplus::Color(0, 0, 0, 0));
    Gdiplus::Bitmap picture(path ? path : L"");
    if (picture.GetLastStatus() == Gdiplus::Ok) {
      CRect place = FitRect(static_cast<int>(picture.GetWidth()), static_cast<int>(picture.GetHeight()),
                            CRect(0, 0, m_width, m_height));
      g.DrawImage(&picture, Gdiplus::Rect(place.left, place.top, place.Width(), place.Height()));
    }
  }
  // Hundredths of a second, truncated; anything below 10 ms (and nonsense below 0) is 0.
  m_delays.push_back(delayMs > 0 ? delayMs / 10 : 0);
  if (!m_hasFirstFrame) {
    m_first = std::move(canvas);
    m_hasFirstFrame = true;
  } else {
    m_further.push_back(std::move(canvas));
  }
  return true;
}

bool GifAnimationWriter::End() {
  if (!m_started || !m_hasFirstFrame || !m_encoder) return false;
  std::vector<Gdiplus::Bitmap*> canvases{m_first.get()};
  for (auto& c : m_further) canvases.push_back(c.get());
  std::vector<uint8_t> bytes;
  if (!m_encoder->Encode(canvases, m_delays, m_loopCount, bytes) || bytes.empty()) return false;
  if (!WriteFileReplacing(m_path, bytes.data(), bytes.size())) return false;
  m_started = false;
  return true;
}
