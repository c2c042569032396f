#include "controls/MAirBladder.h"
#include "core/MRender.h"
#include "core/Manager.h"

namespace {
int LoadSkin(std::unique_ptr<Gdiplus::Image>& slot, const CString& file) {
  slot.reset(MRender::LoadImageFromFile(GetSkinsFolder() + file));
  return slot ? 1 : 0;
}
}  // namespace

MAirBladder::MAirBladder() = default;
MAirBladder::~MAirBladder() = default;

int MAirBladder::LoadBKImage(CString file) { return LoadSkin(m_background, file); }
int MAirBladder::LoadArrowLImage(CString file) { return LoadSkin(m_arrowLeft, file); }
int MAirBladder::LoadArrowRImage(CString file) { return LoadSkin(m_arrowRight, file); }
int MAirBladder::LoadArrowTImage(CString file) { return LoadSkin(m_arrowTop, file); }

int MAirBladder::SetAirBladderMsg(const wchar_t* text, POINT anchor, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode) {
  m_text = text ? text : L"";
  m_anchor = anchor;
  m_type = type;
  m_mode = mode;
  return 1;
}
