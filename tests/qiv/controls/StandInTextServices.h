// A stand-in for the system's text services: plain text with a selection, answering the
// handful of messages the rich edit sends, calling the host back as the real services do
// (EN_CHANGE, scroll range) and recording what reached it.
#pragma once
#include <windows.h>
#include <richedit.h>
#include <textserv.h>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace qivtest {

class StandInTextServices : public ITextServices {
public:
  explicit StandInTextServices(::ITextHost* host) : host_(host) {}
  virtual ~StandInTextServices() = default;

  static inline StandInTextServices* last = nullptr;
  static inline int created = 0, deleted = 0;
  // The factory the host is given instead of Msftedit's.
  static HRESULT WINAPI Create(IUnknown* outer, ::ITextHost* host, IUnknown** out) {
    if (outer || !host || !out) return E_INVALIDARG;
    last = new StandInTextServices(host);
    ++created;
    *out = last;
    return S_OK;
  }

  std::wstring text;
  LONG selStart = 0, selEnd = 0;
  DWORD eventMask = 0;
  std::vector<std::pair<DWORD, DWORD>> bits;  // property-bit reports
  std::vector<UINT> messages;                  // every message, in order
  int activations = 0, deactivations = 0, draws = 0;
  HRESULT setTextResult = S_OK;

  int Count(UINT msg) const { return static_cast<int>(std::count(messages.begin(), messages.end(), msg)); }
  bool Reported(DWORD mask) const {
    return std::any_of(bits.begin(), bits.end(), [&](const auto& b) { return b.first == mask; });
  }
  DWORD LastBits(DWORD mask) const {
    for (auto it = bits.rbegin(); it != bits.rend(); ++it)
      if (it->first == mask) return it->second;
    return 0xFFFFFFFF;
  }
  ::ITextHost* Host() const { return host_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    static const IID services = {0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, services)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) {
      if (last == this) last = nullptr;
      ++deleted;
      delete this;
    }
    return left;
  }

  // ITextServices
  HRESULT TxSendMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    messages.push_back(msg);
    LRESULT r = 0;
    const LONG length = static_cast<LONG>(text.size());
    switch (msg) {
      case EM_EXSETSEL: {
        auto* range = reinterpret_cast<CHARRANGE*>(lParam);
        selStart = range->cpMin < 0 ? length : std::min(range->cpMin, length);
        selEnd = range->cpMax < 0 ? length : std::min(range->cpMax, length);
        if (range->cpMin < 0) selEnd = selStart;
        r = selEnd;
        break;
      }
      case EM_EXGETSEL: {
        auto* range = reinterpret_cast<CHARRANGE*>(lParam);
        range->cpMin = selStart;
        range->cpMax = selEnd;
        break;
      }
      case EM_REPLACESEL:
        Replace(reinterpret_cast<const wchar_t*>(lParam));
        break;
      case WM_CHAR: {
        const wchar_t ch[2] = {static_cast<wchar_t>(wParam), 0};
        if (wParam == VK_BACK) {
          if (selStart == selEnd && selStart > 0) --selStart;
          Replace(L"");
        } else {
          Replace(ch);
        }
        break;
      }
      case EM_GETTEXTLENGTHEX: r = length; break;
      case EM_GETTEXTEX: {
        auto* get = reinterpret_cast<GETTEXTEX*>(wParam);
        auto* out = reinterpret_cast<wchar_t*>(lParam);
        const size_t room = get->cb / sizeof(wchar_t);
        if (room == 0) break;
        const size_t n = std::min(room - 1, text.size());
        std::copy_n(text.data(), n, out);
        out[n] = L'\0';
        r = static_cast<LRESULT>(n);
        break;
      }
      case EM_GETTEXTRANGE: {
        auto* range = reinterpret_cast<TEXTRANGEW*>(lParam);
        const LONG from = std::clamp(range->chrg.cpMin, 0L, length);
        const LONG to = range->chrg.cpMax < 0 ? length : std::clamp(range->chrg.cpMax, from, length);
        std::copy(text.begin() + from, text.begin() + to, range->lpstrText);
        range->lpstrText[to - from] = L'\0';
        r = to - from;
        break;
      }
      case EM_GETSELTEXT: {
        auto* out = reinterpret_cast<wchar_t*>(lParam);
        std::copy(text.begin() + selStart, text.begin() + selEnd, out);
        out[selEnd - selStart] = L'\0';
        r = selEnd - selStart;
        break;
      }
      case EM_SETEVENTMASK:
        r = eventMask;
        eventMask = static_cast<DWORD>(lParam);
        break;
      case EM_GETEVENTMASK: r = eventMask; break;
      case EM_SELECTIONTYPE: r = selStart == selEnd ? SEL_EMPTY : SEL_TEXT; break;
      case EM_SETZOOM: r = 1; break;
      default: break;
    }
    if (result) *result = r;
    return S_OK;
  }
  HRESULT TxDraw(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECTL, LPCRECTL, LPRECT, WINBOOL(CALLBACK*)(DWORD),
                 DWORD, LONG) override {
    ++draws;
    return S_OK;
  }
  HRESULT TxGetHScroll(LONG*, LONG*, LONG*, LONG*, WINBOOL*) override { return E_NOTIMPL; }
  HRESULT TxGetVScroll(LONG*, LONG*, LONG*, LONG*, WINBOOL*) override { return E_NOTIMPL; }
  HRESULT OnTxSetCursor(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECT, INT, INT) override { return S_OK; }
  HRESULT TxQueryHitPoint(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECT, INT, INT, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT OnTxInPlaceActivate(LPCRECT) override {
    ++activations;
    return S_OK;
  }
  HRESULT OnTxInPlaceDeactivate() override {
    ++deactivations;
    return S_OK;
  }
  HRESULT OnTxUIActivate() override { return S_OK; }
  HRESULT OnTxUIDeactivate() override { return S_OK; }
  HRESULT TxGetText(BSTR*) override { return E_NOTIMPL; }
  HRESULT TxSetText(LPCWSTR value) override {
    if (FAILED(setTextResult)) return setTextResult;
    text = value ? value : L"";
    selStart = selEnd = 0;
    return S_OK;
  }
  HRESULT TxGetCurTargetX(LONG*) override { return E_NOTIMPL; }
  HRESULT TxGetBaseLinePos(LONG*) override { return E_NOTIMPL; }
  HRESULT TxGetNaturalSize(DWORD, HDC, HDC, DVTARGETDEVICE*, DWORD, const SIZEL*, LONG*, LONG*) override {
    return E_NOTIMPL;
  }
  HRESULT TxGetDropTarget(IDropTarget**) override { return E_NOTIMPL; }
  HRESULT OnTxPropertyBitsChange(DWORD mask, DWORD value) override {
    bits.emplace_back(mask, value);
    return S_OK;
  }
  HRESULT TxGetCachedSize(DWORD*, DWORD*) override { return E_NOTIMPL; }

private:
  void Replace(const wchar_t* with) {
    const std::wstring insert = with ? with : L"";
    text.replace(static_cast<size_t>(selStart), static_cast<size_t>(selEnd - selStart), insert);
    selStart = selEnd = selStart + static_cast<LONG>(insert.size());
    if (eventMask & ENM_CHANGE) host_->TxNotify(EN_CHANGE, nullptr);
  }

  ::ITextHost* host_;
  ULONG refs_ = 1;
};

}  // namespace qivtest
