// LED animation page and its frame editor. The dispatcher and the frame route here; the page's own work
// fills these handlers (each returns 0 until then: nothing handled).
#include "shell/KeyboardDlg.h"
#include "store/KeyboardDataStore.h"

void KeyboardDlg::CreateLedPage() {}
int KeyboardDlg::OnLcdSlotSelected(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnLedAnimationSelected(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnLedImageViewEvent(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnLedFrameListEvent(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnLedFontSize(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnLedPalette3(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnLedPalette2(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnLedRedEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnLedGreenEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnLedBlueEdit(UINT, WPARAM, LPARAM) { return 0; }
int KeyboardDlg::OnLedAnimationAdd() { return 0; }
int KeyboardDlg::OnLedGifImport() { return 0; }
int KeyboardDlg::OnLedAnimationDelete() { return 0; }
int KeyboardDlg::OnLedGridLines() { return 0; }
int KeyboardDlg::OnLedEditMode() { return 0; }
int KeyboardDlg::OnLedPreviewMode() { return 0; }
int KeyboardDlg::OnLedAddText() { return 0; }
int KeyboardDlg::OnLedPictureImport() { return 0; }
int KeyboardDlg::OnLedFrameCopy() { return 0; }
int KeyboardDlg::OnLedDrawMode(int) { return 0; }
int KeyboardDlg::OnLedFrameDelete() { return 0; }
int KeyboardDlg::OnLedUndo() { return 0; }
int KeyboardDlg::OnLedColorButton(int) { return 0; }
int KeyboardDlg::OnLedTask29() { return 0; }
int KeyboardDlg::SaveLedFrames() { return 0; }
int KeyboardDlg::OnLedGifExport() { return 0; }
int KeyboardDlg::OnLedDownload() { return 0; }

void KeyboardDlg::LoadLedPage() {
  // The animation list of the current model as the store now holds it (after a reset:
  // none, and the page shows its empty state).
  KeyboardDataStore::RecordList<LedLayerRecord> layers;
  m_store.GetLedLayers(m_profileId, layers);
  std::lock_guard<std::mutex> hold(m_pageStateLock);
  m_ledLayerCount = int(layers.size());
}
