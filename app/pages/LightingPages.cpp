#include "pages/LightingPages.h"
#include "shell/KeyboardDlg.h"
#include "widgets/KeyboardCtrl.h"

void LightingPagesDeleter::operator()(LightingPages* pages) const { delete pages; }

LightingPages& KeyboardDlg::Pages() {
  // The worker (frame step, page reloads) and the window both reach the pages first.
  std::call_once(m_lightingPagesMade, [this] {
    m_lightingPages.reset(new LightingPages(m_store, m_taskQueue, m_visualizer, m_waveGain));
    // The colour sets are painted on the on-screen keyboard: its keys and their colours.
    m_lightingPages->lighting.SetKeyPicture([this] {
      KeyPicture keys;
      if (m_keyboardCtrl)
        for (KEY_INFO* key : m_keyboardCtrl->GetKeyItems()) keys.emplace_back(key->keyCode, key->keyColor);
      return keys;
    });
  });
  return *m_lightingPages;
}
