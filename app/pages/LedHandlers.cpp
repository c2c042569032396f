// The LED animation page and its frame editor: the controls of panel 77 (built and loaded
// with the window; no tab of the strip shows them), the animations of the current model
// through LedAnimationStore, and the handlers the dispatcher routes here.
#include "shell/KeyboardDlg.h"
#include <commdlg.h>
#include <algorithm>
#include <tuple>
#include <type_traits>
#include <vector>
#include "controls/CArea.h"
#include "controls/CCheckButton.h"
#include "controls/CColorButton.h"
#include "controls/CHelpButton.h"
#include "controls/CTextButton.h"
#include "controls/MEdit.h"
#include "controls/MText.h"
#include "core/Manager.h"
#include "core/MenuWnd.h"
#include "pages/LCDDelayEditDlg.h"
#include "pages/LcdGifSplitter.h"
#include "pages/LedAnimationStore.h"
#include "pages/LedPaths.h"
#include "pages/LedTaskWaitDlg.h"
#include "pages/LightingPages.h"
#include "pages/OpenFileNames.h"
#include "pages/PageBuilder.h"
#include "pages/RgbEdits.h"
#include "shell/LanguageText.h"
#include "shell/ShellDialogs.h"
#include "store/KeyboardDataStore.h"
#include "widgets/ImageView.h"
#include "widgets/ImageViewList.h"
#include "widgets/LCDPalette2.h"
#include "widgets/LCDPalette3.h"
#include "widgets/LCDViewCtrl.h"
#include "widgets/LCDViewList.h"

using pagecontrols::Argb;
using pagecontrols::Get;

namespace {

constexpr int kPanel = 77;
constexpr int kSlots = 369;
constexpr int kAnimations = 371;
constexpr int kGridCheck = 379;
constexpr int kEditor = 380;
constexpr int kEditMode = 381;
constexpr int kPreviewMode = 383;
constexpr int kFrames = 384;
constexpr int kTextEdit = 387;
constexpr int kFontSize = 390;
constexpr int kPalette3 = 399;
constexpr int kPalette2 = 400;
constexpr int kRedEdit = 404;
constexpr int kFirstColourButton = 407;
constexpr int kLastColourButton = 412;
constexpr uint32_t kWhite = 0xFFFFFFFF;

enum LedTask : int {
  kTaskGifExport = 24,
  kTaskSlotSelected = 25,
  kTaskDownload = 26,
  kTaskGifImport = 27,
  kTaskLedButton = 29,
};

CString Decimal(int value) {
  CString text;
  text.Format(L"%d", value);
  return text;
}

// One LedAnimationStore per model, built on first use after a model change.
LedAnimationStore MakeStore(KeyboardDlg& d, KeyboardDataStore& store) {
  auto* list = Get<LCDViewList>(d, kAnimations);
  LedAnimationStore::GifSplitter splitter;
  if (list) splitter = LcdGifSplitter(*list);
  else splitter = [](const CString&, const CString&, std::vector<int>& delays) {
    delays.clear();
    return 0;
  };
  return LedAnimationStore(store, LedPaths(d.m_userDataFolder, d.m_exeFolder, d.m_deviceName), splitter);
}

bool ListHasItems(const KeyboardDef& c) {
  auto* list = Get<LCDViewList>(c, kAnimations);
  return list && list->GetItemCount() > 0;
}

void EnableEditButtons(KeyboardDlg& d, bool enable) {
  for (int id : {kEditMode, kPreviewMode, kGridCheck})
    if (MControl* c = d.Control(id)) c->SetEnabled(enable ? 1 : 0);
  d.EnableLedEditor(enable ? 1 : 0);
}

// The first file name of an open-file dialog's answer, or every file of a multiple choice.
std::vector<CString> ChooseFiles(HWND owner, const wchar_t* filter, bool several, bool save) {
  std::vector<wchar_t> buffer(several ? 26000 : 260, L'\0');
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = DWORD(buffer.size());
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (several) dialog.Flags |= OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  if (save) dialog.Flags |= OFN_OVERWRITEPROMPT;
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return {};
  if (!several) return {CString(buffer.data())};
  return OpenFileNames::Split(buffer.data(), buffer.size(), LedPaths::kMaxPath).paths;
}

// The page's message box: the text of `body`, or `text` when given.
int LedMessage(KeyboardDlg& d, int body, const CString& text, int caption, int type) {
  const CString shown = text.IsEmpty() ? LoadLangString(body) : text;
  if (d.m_ledMessageBox) return d.m_ledMessageBox(shown, LoadLangString(caption), type);
  return ShowMessageBox(d.GetSafeHwnd(), shown.GetString(), LoadLangString(caption).GetString(), type);
}

}  // namespace

void KeyboardDlg::CreateLedPage() {
  PageBuilder make(*this, Control(kPanel));
  for (int id = 357; id <= 366; ++id)
    if (auto* panel = make.Make<CRoundArea>(true, L"CRoundArea", id)) panel->SetColor(Argb(0x960F1713));
  if (auto* caption = make.Make<MText>(true, L"MText", 367, LoadLangString(801).GetString())) caption->SetTextColor(Argb(kWhite));
  CString tip;
  tip.Format(L"%s%d%s", LoadLangString(865).GetString(), m_ledFrameLimit, LoadLangString(866).GetString());
  if (auto* help = make.Make<CHelpButton>(false, L"CHelpButton", 368, tip.GetString())) {
    help->SetImage(L"img_info.png", 1);
    help->SetAirbladderMode(AIRBLADDER_MODE(1));
  }
  make.Make<LCDViewCtrl>(false, L"LCDViewCtrl", kSlots);
  if (auto* caption = make.Make<MText>(true, L"MText", 370, LoadLangString(870).GetString())) caption->SetTextColor(Argb(kWhite));
  if (auto* list = make.Make<LCDViewList>(false, L"LCDViewList", kAnimations, LoadLangString(863).GetString())) {
    list->SetTitle(LoadLangString(863).GetString());
    list->SetImage(L"icon\\icon_lcd_add.png", 1);
    list->SetItemImage(L"lcdlist_item_hover.png", L"lcdlist_item_normal.png");
    list->AddMTimer();
  }
  for (int id : {375, 376})
    if (auto* panel = make.Make<CRoundArea>(true, L"CRoundArea", id)) panel->SetColor(Argb(0xC83A4E60));
  for (auto [id, text] : {std::pair{372, 803}, std::pair{373, 804}, std::pair{374, 805}}) {
    if (auto* button = make.Make<CTextButton>(false, L"CTextButton", id, LoadLangString(text).GetString())) {
      button->SetTextButtonColor(Argb(kWhite), Argb(0xFFEE6E01), Argb(0xFFEE6E01), Argb(0xFF808080));
      button->SetAlignment(1);
    }
  }
  if (auto* caption = make.Make<MText>(true, L"MText", 377, LoadLangString(806).GetString())) caption->SetTextColor(Argb(kWhite));
  CString editorTip;
  editorTip.Format(L"%s\n%s\n%s", LoadLangString(850).GetString(), LoadLangString(851).GetString(),
                   LoadLangString(852).GetString());
  if (auto* help = make.Make<CHelpButton>(false, L"CHelpButton", 378, editorTip.GetString())) help->SetImage(L"img_info.png", 4);
  if (auto* editor = make.Make<ImageView>(false, L"ImageView", kEditor)) editor->AddMTimer();
  if (auto* grid = make.Make<CCheckButton>(false, L"CCheckButton", kGridCheck, LoadLangString(862).GetString())) {
    grid->SetImage(L"btn_checkbox.png", 8);
    grid->SetTextColor(Argb(m_textColor));
  }
  if (auto* panel = make.Make<CRoundArea>(true, L"CRoundArea", 382)) panel->SetColor(Argb(0xC80F171D));
  for (auto [id, text, image] : {std::tuple{kEditMode, 808, L"img_button_check.png"},
                                 std::tuple{kPreviewMode, 809, L"img_button_nocheck.png"}}) {
    if (auto* button = make.Make<CTextButton>(false, L"CTextButton", id, LoadLangString(text).GetString())) {
      button->SetImage(image, 4);
      button->SetAlignment(1);
    }
  }
  if (auto* strip = make.Make<ImageViewList>(false, L"ImageViewList", kFrames))
    strip->SetItemImage(L"imageview_item_hover.png", L"imageview_item_normal.png");
  if (auto* caption = make.Make<MText>(true, L"MText", 385, LoadLangString(810).GetString())) caption->SetTextColor(Argb(kWhite));
  if (auto* panel = make.Make<CRoundArea>(true, L"CRoundArea", 388)) panel->SetColor(Argb(0xFF141414));
  if (auto* text = make.Make<MEdit>(false, L"MEdit", kTextEdit)) {
    text->SetTextColor(Argb(kWhite));
    text->SetEditBKColor(0x141414);
    text->SetLimitText(60);
  }
  if (auto* caption = make.Make<MText>(true, L"MText", 389, LoadLangString(860).GetString())) caption->SetTextColor(Argb(kWhite));
  if (auto* size = make.Make<MEdit>(false, L"MEdit", kFontSize)) {
    size->SetImage(L"img_edit.png", 4);
    size->SetTextColor(Argb(kWhite));
    size->SetAlignment(1);
    size->SetEditBKColor(0x303014);
    size->SetNumberOnly(1);
    size->SetLimitText(2);
  }
  const struct {
    int id;
    const wchar_t* image;
    int tooltip;
  } tools[] = {{391, L"imgbtn_lcd_addtext.png", 813}, {392, L"imgbtn_lcd_add.png", 814}, {393, L"imgbtn_lcd_copy.png", 815},
               {394, L"imgbtn_lcd_edit.png", 816},    {397, L"imgbtn_lcd_revoke.png", 885}, {395, L"imgbtn_lcd_erase.png", 817},
               {396, L"imgbtn_lcd_del.png", 818}};
  for (const auto& tool : tools) {
    if (auto* button = make.Make<MControlFont>(false, L"CImageButton", tool.id)) {
      button->SetImage(tool.image, 4);
      button->SetTooltip(LoadLangString(tool.tooltip).GetString());
    }
  }
  if (auto* caption = make.Make<MText>(true, L"MText", 398, LoadLangString(812).GetString())) caption->SetTextColor(Argb(kWhite));
  if (auto* field = make.Make<LCDPalette3>(false, L"LCDPalette3", kPalette3)) {
    field->SetImage(L"icon/icon_palette_bar2.png", 1);
    field->SetSelectColor(0x0000FF);
  }
  if (auto* hue = make.Make<LCDPalette2>(false, L"LCDPalette2", kPalette2)) hue->SetImage(L"icon/icon_palette_bar1.png", 1);
  const wchar_t* letters[] = {L"R", L"G", L"B"};
  for (int i = 0; i < 3; ++i)
    if (auto* text = make.Make<MText>(true, L"MText", 401 + i, letters[i])) text->SetTextColor(Argb(kWhite));
  for (int i = 0; i < 3; ++i) {
    if (auto* edit = make.Make<MEdit>(false, L"MEdit", kRedEdit + i, L"255")) {
      edit->SetImage(L"img_edit.png", 4);
      edit->SetTextColor(Argb(kWhite));
      edit->SetControlTitle(L"255");
      edit->SetEditBKColor(0x4F4241);
      edit->SetAlignment(1);
      edit->SetNumberOnly(1);
      edit->SetLimitText(3);
    }
  }
  for (int id = kFirstColourButton; id <= kLastColourButton; ++id) {
    if (auto* button = make.Make<CColorButton>(false, L"CColorButton", id)) {
      button->SetColor(0xFFFFFF);
      button->SetGroupName(L"IDC_LCD_DEFAULTCOLOR");
    }
  }
  for (auto [id, text] : {std::pair{413, 827}, std::pair{414, 819}, std::pair{415, 820}, std::pair{416, 821}}) {
    if (auto* button = make.Make<MControlFont>(false, L"MButton", id, LoadLangString(text).GetString())) {
      button->SetImage(L"img_button.png", 4);
      button->SetTextColor(Argb(m_textColor));
    }
  }
}

void KeyboardDlg::LoadLedPage() {
  // From the worker (device set-up, factory reset) the controls are the window's.
  OnWindowThread([this] {
    auto* slots = Get<LCDViewCtrl>(*this, kSlots);
    auto* list = Get<LCDViewList>(*this, kAnimations);
    auto* strip = Get<ImageViewList>(*this, kFrames);
    if (list) list->DeleteAllItems();
    if (slots) slots->DeleteAllItems();
    if (strip) strip->DeleteAllItems();

    const int slotCount = std::clamp(m_lcdSlotCount, 0, LedAnimationStore::kMaxSlots);
    LedAnimationStore animations = MakeStore(*this, m_store);
    const LedAnimationStore::Page page = animations.LoadPage(slotCount, m_lcdSlotFrameLimits);
    if (slots && !page.slots.empty()) {
      for (const LedSlotItem& slot : page.slots) slots->AddItem(slot.picture, slot.frameTip, slot.limitTip);
      slots->SetCurSel(0);
    }
    if (list && !page.animations.empty()) {
      for (const LedListItem& item : page.animations) list->AddString(item.text, item.picture, item.frameSize, item.ledId);
      list->SetCurSel(0);
      m_ledAnimationId = list->GetItemLEDId(0);
      LoadLedFrames(m_ledAnimationId);
    }
    for (int k = 1; k <= 6; ++k) {
      CString key, value;
      key.Format(L"default_color%d", k);
      m_store.GetConfigValue(m_profileId, key, value);
      if (auto* button = Get<CColorButton>(*this, 406 + k)) button->SetColor(COLORREF(_wtoi(value.GetString())));
    }
    EnableEditButtons(*this, ListHasItems(*this));

    KeyboardDataStore::RecordList<LedLayerRecord> layers;
    m_store.GetLedLayers(m_profileId, layers);
    std::lock_guard<std::mutex> hold(m_pageStateLock);
    m_ledLayerCount = int(layers.size());
  });
}

void KeyboardDlg::LoadLedFrames(int ledId) {
  auto* strip = Get<ImageViewList>(*this, kFrames);
  auto* editor = Get<ImageView>(*this, kEditor);
  if (strip) strip->DeleteAllItems();
  if (editor) {
    editor->SetImage(L"");
    editor->DeleteAllItems();
  }
  const std::vector<LedFrameItem> frames = MakeStore(*this, m_store).LoadFrames(ledId);
  if (strip && !frames.empty()) {
    for (const LedFrameItem& frame : frames) strip->AddString(frame.picture, frame.delay, frame.frameId, frame.name);
    strip->SetCurSel(0);
    m_ledFrameIndex = 0;
    if (editor) editor->SetImage(frames.front().picture.GetString());
  }
  EnableEditButtons(*this, ListHasItems(*this));
}

int KeyboardDlg::SaveLedFrames() {
  auto* strip = Get<ImageViewList>(*this, kFrames);
  if (auto* editor = Get<ImageView>(*this, kEditor)) editor->SaveImageData();
  std::vector<LedStripFrame> frames;
  if (strip) {
    for (IMGITEM_INFO* item : strip->GetImageViewItems()) frames.push_back({item->file, item->editFile, item->delay, item->name});
  }
  LedAnimationStore animations = MakeStore(*this, m_store);
  animations.SaveFrames(m_ledAnimationId, frames);
  LoadLedFrames(m_ledAnimationId);
  m_ledEdited = false;
  auto* list = Get<LCDViewList>(*this, kAnimations);
  if (!list || list->GetCurSel() < 0) return 0;
  const CString first = frames.empty() ? CString() : frames.front().name;
  const int count = animations.UpdateSummary(m_ledAnimationId, first);
  list->SetFrameData(list->GetCurSel(), frames.empty() ? CString() : frames.front().picture, count);
  list->UpdateControl(1, 0);
  return 1;
}

void KeyboardDlg::EnableLedPageControls(int enable) {
  for (int id : {369, 371, 372, 373, 374, 380, 384, 392, 393, 394, 395, 396, 414, 415, 416})
    if (MControl* c = Control(id)) c->SetEnabled(enable);
}

void KeyboardDlg::EnableLedEditor(int enable) {
  for (int id : {374, 380, 387, 390, 391, 392, 393, 394, 395, 397, 396, 399, 400, 404, 405, 406, 407, 408, 409, 410, 411, 412, 414})
    if (MControl* c = Control(id)) c->SetEnabled(enable);
}

void KeyboardDlg::ApplyLedRgbEdits() {
  CString texts[3];
  for (int i = 0; i < 3; ++i)
    if (auto* edit = Get<MEdit>(*this, kRedEdit + i)) texts[i] = edit->GetEditText();
  const COLORREF colour = RgbEdits::Colour(texts[0], texts[1], texts[2]);
  if (auto* field = Get<LCDPalette3>(*this, kPalette3)) field->SetSelectColor(colour);
  ApplyLedPenColor(colour);
}

void KeyboardDlg::ApplyLedPenColor(COLORREF colour) {
  if (auto* button = Get<CColorButton>(*this, m_ledColorButtonId)) button->SetColor(colour);
  if (m_ledColorButtonId >= kFirstColourButton && m_ledColorButtonId <= kLastColourButton) {
    CString key;
    key.Format(L"default_color%d", m_ledColorButtonId - 406);
    m_store.SetConfigValue(m_profileId, key, Decimal(int(colour)));
  }
  if (auto* editor = Get<ImageView>(*this, kEditor)) editor->SetColorValue(colour);
}

void KeyboardDlg::ConfirmSaveLedEdits() {
  if (m_ledEdited) {
    if (LedMessage(*this, 830, CString(), 831, 4) == 1) {
      SaveLedFrames();
    } else if (auto* strip = Get<ImageViewList>(*this, kFrames)) {
      strip->UpdateItemImageFile(m_ledFrameIndex, strip->GetItemImageFile(m_ledFrameIndex));
    }
  }
  m_ledEdited = false;
}

int KeyboardDlg::OnLcdSlotSelected(UINT code, WPARAM, LPARAM) {
  if (code != 2) return 0;
  auto* slots = Get<LCDViewCtrl>(*this, kSlots);
  const int slot = slots ? slots->GetCurSel() : -1;
  if (slot >= 0 && slot < LedAnimationStore::kMaxSlots) m_ledFrameLimit = m_lcdSlotFrameLimits[slot];
  AddTask(kTaskSlotSelected);
  EnableEditButtons(*this, ListHasItems(*this));
  return 1;
}

int KeyboardDlg::OnLedAnimationSelected(UINT code, WPARAM, LPARAM) {
  if (code != 2) return 0;
  auto* list = Get<LCDViewList>(*this, kAnimations);
  if (!list || list->GetCurSel() < 0) return 1;
  const int selected = list->GetCurSel();
  const int id = list->GetItemLEDId(selected);
  if (id != m_ledAnimationId && m_ledEdited) {
    if (LedMessage(*this, 830, CString(), 831, 4) == 1) {
      list->SetItemLEDIdSelect(m_ledAnimationId);
      SaveLedFrames();
      list->SetCurSel(selected);
    }
    m_ledEdited = false;
  }
  m_ledAnimationId = id;
  if (list->GetItemFrameSize(selected) > 0) {
    LoadLedFrames(id);
    return 1;
  }
  ConfirmSaveLedEdits();
  if (list->GetItemFrameSize(selected) > 0) {
    LoadLedFrames(id);
    return 1;
  }
  // An animation without frames: the user fills it at once.
  auto* strip = Get<ImageViewList>(*this, kFrames);
  auto* editor = Get<ImageView>(*this, kEditor);
  if (strip) strip->DeleteAllItems();
  if (editor) {
    editor->SetImage(L"");
    editor->DeleteAllItems();
  }
  OnLedPictureImport();
  if (strip && strip->GetItemCount() > 0) {
    if (editor) editor->SetImage(strip->GetItemEditImageFile(0).GetString());
    strip->SetCurSel(0);
  }
  m_ledEdited = true;
  return 1;
}

int KeyboardDlg::OnLedAnimationAdd() {
  ConfirmSaveLedEdits();
  CString stamp;
  const int id = MakeStore(*this, m_store).AddAnimation(&stamp);
  if (id != 0) {
    if (auto* list = Get<LCDViewList>(*this, kAnimations)) list->AddString(stamp, CString(), 0, id);
    m_ledAnimationId = id;
    LoadLedFrames(id);
  }
  EnableLedEditor(ListHasItems(*this) ? 1 : 0);
  return 1;
}

int KeyboardDlg::OnLedAnimationDelete() {
  ConfirmSaveLedEdits();
  if (LedMessage(*this, 835, CString(), 836, 4) == 2) return 1;
  auto* list = Get<LCDViewList>(*this, kAnimations);
  if (!list || list->GetCurSel() < 0) return 1;
  const int selected = list->GetCurSel();
  MakeStore(*this, m_store).DeleteAnimation(list->GetItemLEDId(selected));
  list->DeleteItem(selected);
  list->SetCurSel(selected - 1);
  m_ledAnimationId = selected - 1 >= 0 ? list->GetItemLEDId(selected - 1) : 0;
  LoadLedFrames(m_ledAnimationId);
  EnableLedEditor(ListHasItems(*this) ? 1 : 0);
  return 1;
}

namespace {
// Queues a task no worker step carries out and shows the wait dialog until the worker
// has taken it (an empty queue).
template <typename Dialog>
void RunTaskWait(KeyboardDlg& d, std::unique_ptr<MDialog>& slot, int task, bool centredOnScreen) {
  d.AddTask(task);
  auto dialog = std::make_unique<Dialog>([&d] { return d.m_taskQueue.IsEmpty(); });
  Dialog* shown = dialog.get();
  slot = std::move(dialog);
  if (centredOnScreen) {
    if constexpr (std::is_same_v<Dialog, LedTaskProgressDlg>) shown->ShowCentered();
  } else {
    if constexpr (std::is_same_v<Dialog, LedTaskWaitDlg>) shown->ShowCentered(d.GetSafeHwnd());
  }
}
}  // namespace

int KeyboardDlg::OnLedGifImport() {
  ConfirmSaveLedEdits();
  const std::vector<CString> chosen = ChooseFiles(GetSafeHwnd(), L"LED File (*.gif)\0*.gif\0", false, false);
  if (chosen.empty()) return 0;
  m_ledGifPath = chosen.front();
  if (!CanvasPage::MediaFileUsable(m_ledGifPath)) return 1;
  if (!m_taskQueue.IsEmpty()) return 1;
  RunTaskWait<LedTaskWaitDlg>(*this, m_ledWaitDlg, kTaskGifImport, false);
  auto* list = Get<LCDViewList>(*this, kAnimations);
  if (!list || list->GetItemCount() == 0) return 1;
  const int last = list->GetItemCount() - 1;
  const int frames = list->GetItemFrameSize(last);
  if (frames > m_ledFrameLimit) {
    CString body;
    body.Format(L"%s%d%s%d%s", LoadLangString(867).GetString(), m_ledFrameLimit, LoadLangString(868).GetString(), frames,
                LoadLangString(833).GetString());
    LedMessage(*this, 0, body, 834, 0);
  }
  list->SetCurSel(last);
  EnableLedEditor(list->GetCurSel() >= m_lcdSlotCount ? 1 : 0);
  return 1;
}

int KeyboardDlg::OnLedGifExport() {
  ConfirmSaveLedEdits();
  if (m_ledAnimationId <= 0) return 0;
  const std::vector<CString> chosen = ChooseFiles(GetSafeHwnd(), L"LED (*.gif)\0*.gif\0", false, true);
  if (chosen.empty()) return 1;
  m_ledGifPath = chosen.front();
  if (m_taskQueue.IsEmpty()) RunTaskWait<LedTaskWaitDlg>(*this, m_ledWaitDlg, kTaskGifExport, false);
  return 1;
}

int KeyboardDlg::OnLedDownload() {
  ConfirmSaveLedEdits();
  if (m_ledAnimationId <= 0) return 0;
  const int frames = m_store.GetLedFrameCount(m_ledAnimationId);
  if (frames <= 0) {
    LedMessage(*this, 847, CString(), 848, 0);
    return 1;
  }
  if (frames > m_ledFrameLimit) {
    CString body;
    body.Format(L"%s%d%s", LoadLangString(832).GetString(), frames, LoadLangString(833).GetString());
    if (LedMessage(*this, 0, body, 848, 4) == 2) return 1;
  }
  RunTaskWait<LedTaskProgressDlg>(*this, m_ledProgressDlg, kTaskDownload, true);
  return 1;
}

int KeyboardDlg::OnLedTask29() {
  AddTask(kTaskLedButton);
  return 1;
}

// ---- the frame editor ----

int KeyboardDlg::OnLedEditMode() {
  auto* editor = Get<ImageView>(*this, kEditor);
  if (editor) editor->SetImagePreviewMode(false);
  const Gdiplus::Color down = Manager::m_down_color;
  if (auto* edit = Get<CTextButton>(*this, kEditMode)) edit->SetTextButtonColor(down, Argb(kWhite), Argb(kWhite), Argb(0xFF808080));
  if (auto* preview = Get<CTextButton>(*this, kPreviewMode))
    preview->SetTextButtonColor(Argb(m_textColor), down, down, Argb(0xFF808080));
  if (editor) editor->UpdateControl(1, 0);
  EnableLedPageControls(1);
  return 1;
}

int KeyboardDlg::OnLedPreviewMode() {
  auto* editor = Get<ImageView>(*this, kEditor);
  auto* strip = Get<ImageViewList>(*this, kFrames);
  if (editor) {
    editor->DeleteAllItems();
    if (strip)
      for (IMGITEM_INFO* item : strip->GetImageViewItems()) editor->AddString(item->editFile, item->delay, item->frameId);
    editor->SetImagePreviewMode(true);
  }
  const Gdiplus::Color down = Manager::m_down_color;
  if (auto* edit = Get<CTextButton>(*this, kEditMode)) edit->SetTextButtonColor(Argb(m_textColor), down, down, Argb(0xFF808080));
  if (auto* preview = Get<CTextButton>(*this, kPreviewMode))
    preview->SetTextButtonColor(down, Argb(m_textColor), Argb(m_textColor), Argb(0xFF808080));
  if (editor) editor->UpdateControl(1, 0);
  EnableLedPageControls(0);
  return 1;
}

int KeyboardDlg::OnLedGridLines() {
  auto* grid = Get<CCheckButton>(*this, kGridCheck);
  if (auto* editor = Get<ImageView>(*this, kEditor)) editor->SetShowGridLine(grid ? grid->GetCheck() : 0);
  return 1;
}

int KeyboardDlg::OnLedImageViewEvent(UINT code, WPARAM, LPARAM) {
  auto* editor = Get<ImageView>(*this, kEditor);
  auto* strip = Get<ImageViewList>(*this, kFrames);
  if (code == 32) {
    if (editor && strip && strip->GetCurSel() >= 0) {
      strip->UpdateItemImageFile(strip->GetCurSel(), editor->GetEditImageFile());
      m_ledEdited = true;
    }
    return 1;
  }
  if (code != 5 || !GetSafeHwnd()) return 0;
  POINT at = {};
  GetCursorPos(&at);
  // The menu deletes itself once its window is gone; one never created is ours to delete.
  auto* menu = new MenuWnd(this);
  if (!menu->Create(GetSafeHwnd(), CPoint(at.x, at.y), WM_NULL, CString(), 0, 150, BACKMODE_NINEGRID)) {
    delete menu;
    return 1;
  }
  const int items[][2] = {{880, 105}, {881, 106}, {882, 107}, {884, 110}, {885, 112}, {886, 113}, {887, 114}};
  for (const auto& item : items) menu->AddMenu(LoadLangString(item[0]), UINT(item[1]), CString(), 0, -1);
  menu->SetMenuPoint();
  menu->ShowModal(1);
  return 1;
}

int KeyboardDlg::OnLedFrameListEvent(UINT code, WPARAM, LPARAM) {
  auto* strip = Get<ImageViewList>(*this, kFrames);
  if (!strip || strip->GetCurSel() < 0) return code == 2 || code == 9 ? 1 : 0;
  const int selected = strip->GetCurSel();
  if (code == 2) {
    if (selected != m_ledFrameIndex) {
      strip->SetCurSel(m_ledFrameIndex);
      strip->UpdateItemImageFile(m_ledFrameIndex, strip->GetItemEditImageFile(m_ledFrameIndex));
      m_ledFrameIndex = selected;
      strip->SetCurSel(selected);
    }
    if (auto* editor = Get<ImageView>(*this, kEditor)) editor->SetImage(strip->GetItemEditImageFile(selected).GetString());
    return 1;
  }
  if (code != 9) return 0;
  LCDDelayEditDlg dialog;
  dialog.m_title = LoadLangString(837);
  dialog.m_frameDelayText = Decimal(strip->GetItemDelayTime(selected));
  if (!dialog.Create(GetSafeHwnd(), L"LCDDelayEditDlg", 0x96020000, 0, CRect(0, 0, 300, 200))) return 1;
  dialog.CenterWindow();
  if (dialog.ShowModal(5) != 1) return 1;
  m_ledEdited = true;
  // The range is the caller's: 30 to 500 ms, an empty text counting as 0.
  auto delayOf = [](const CString& text) { return std::clamp(RgbEdits::Value(text), 30, 500); };
  if (dialog.m_allFrames) strip->SetDelayTime(delayOf(dialog.m_allFramesDelayText));
  else strip->SetItemDelayTime(selected, delayOf(dialog.m_frameDelayText));
  return 1;
}

int KeyboardDlg::OnLedAddText() {
  auto* text = Get<MControlFont>(*this, kTextEdit);
  const CString title = text ? text->GetTitle() : CString();
  if (title.IsEmpty()) {
    LedMessage(*this, 838, CString(), 839, 0);
    return 1;
  }
  if (auto* editor = Get<ImageView>(*this, kEditor)) {
    editor->SetDrawMode(100);
    editor->AddText(title);
  }
  m_ledEdited = true;
  return 1;
}

int KeyboardDlg::OnLedFontSize(UINT code, WPARAM, LPARAM) {
  if (code != 26) return 0;
  auto* edit = Get<MEdit>(*this, kFontSize);
  if (!edit) return 1;
  const int typed = RgbEdits::Value(edit->GetControlTitle());
  const int size = std::max(typed, 1);
  if (size != typed || edit->GetControlTitle().IsEmpty()) edit->SetControlTitle(Decimal(size).GetString());
  if (auto* editor = Get<ImageView>(*this, kEditor)) editor->SetFontSize(size);
  return 1;
}

int KeyboardDlg::OnLedPictureImport() {
  auto* list = Get<LCDViewList>(*this, kAnimations);
  auto* strip = Get<ImageViewList>(*this, kFrames);
  if (!list || list->GetCurSel() < 0 || !strip) return 0;
  const std::vector<CString> files = ChooseFiles(GetSafeHwnd(), L"Picture (*.jpg;*.png)\0*.jpg;*.png\0", true, false);
  LedAnimationStore animations = MakeStore(*this, m_store);
  auto* editor = Get<ImageView>(*this, kEditor);
  for (const CString& file : files) {
    const std::optional<LedFrameItem> frame = animations.AddFrameFile(m_ledAnimationId, file, LedAnimationStore::kPictureDelay);
    if (!frame) continue;
    if (editor && frame->copied) editor->SaveCurrentImage(frame->picture);
    const int selected = strip->GetCurSel();
    if (selected >= 0 && selected < strip->GetItemCount() - 1)
      strip->AddString(selected, frame->picture, frame->delay, 0, frame->name);
    else strip->AddString(frame->picture, frame->delay, 0, frame->name);
  }
  m_ledEdited = true;
  return 1;
}

int KeyboardDlg::OnLedFrameCopy() {
  auto* strip = Get<ImageViewList>(*this, kFrames);
  if (!strip || strip->GetItemCount() == 0) {
    LedMessage(*this, 840, CString(), 842, 0);
    return 1;
  }
  const int selected = strip->GetCurSel();
  if (selected < 0) {
    LedMessage(*this, 841, CString(), 842, 0);
    return 1;
  }
  const int delay = strip->GetItemDelayTime(selected);
  const CString source = strip->GetItemEditImageFile(selected);
  const std::optional<LedFrameItem> copy = MakeStore(*this, m_store).AddFrameFile(m_ledAnimationId, source, delay);
  if (!copy) return 1;
  strip->AddString(selected, copy->picture, delay, 0, copy->name);
  strip->SetCurSel(selected + 1);
  m_ledEdited = true;
  return 1;
}

int KeyboardDlg::OnLedDrawMode(int mode) {
  if (auto* editor = Get<ImageView>(*this, kEditor)) editor->SetDrawMode(mode);
  return 1;
}

int KeyboardDlg::OnLedFrameDelete() {
  auto* strip = Get<ImageViewList>(*this, kFrames);
  const int count = strip ? strip->GetItemCount() : 0;
  if (count == 0) {
    LedMessage(*this, 843, CString(), 844, 0);
    return 1;
  }
  const int selected = strip->GetCurSel();
  if (selected < 0) {
    LedMessage(*this, 845, CString(), 844, 0);
    return 1;
  }
  if (LedMessage(*this, 846, CString(), 844, 4) == 2) return 1;
  m_ledEdited = true;
  strip->DeleteItem(selected);  // the frame's file stays until the animation goes
  const int shown = selected < count - 1 ? selected : 0;
  auto* editor = Get<ImageView>(*this, kEditor);
  if (strip->GetItemCount() == 0) {
    if (editor) editor->SetImage(L"");
    return 1;
  }
  strip->SetCurSel(shown);
  m_ledFrameIndex = shown;
  if (editor) editor->SetImage(strip->GetItemEditImageFile(shown).GetString());
  return 1;
}

int KeyboardDlg::OnLedUndo() {
  if (auto* editor = Get<ImageView>(*this, kEditor)) editor->RecoverCurEdit();
  return 1;
}

int KeyboardDlg::OnLedPalette3(UINT, WPARAM, LPARAM) {
  auto* field = Get<LCDPalette3>(*this, kPalette3);
  if (!field) return 0;
  const COLORREF colour = field->GetSelectColor();
  const CString texts[3] = {RgbEdits::RedText(colour), RgbEdits::GreenText(colour), RgbEdits::BlueText(colour)};
  for (int i = 0; i < 3; ++i)
    if (auto* edit = Get<MEdit>(*this, kRedEdit + i)) edit->SetControlTitle(texts[i].GetString());
  ApplyLedPenColor(colour);
  return 1;
}

int KeyboardDlg::OnLedPalette2(UINT code, WPARAM w, LPARAM l) {
  auto* hue = Get<LCDPalette2>(*this, kPalette2);
  auto* field = Get<LCDPalette3>(*this, kPalette3);
  if (!hue || !field) return 0;
  field->SetSelectColor(hue->GetSelectColor());
  return OnLedPalette3(code, w, l);
}

namespace {
int LedRgbEdit(KeyboardDlg& d, UINT code, int id) {
  if (code != 26) return 0;
  auto* edit = Get<MEdit>(d, id);
  if (!edit) return 1;
  const RgbEdits::Clamped typed = RgbEdits::Clamp(edit->GetControlTitle());
  if (typed.rewrite) edit->SetControlTitle(Decimal(typed.value).GetString());
  d.ApplyLedRgbEdits();
  return 1;
}
}  // namespace

int KeyboardDlg::OnLedRedEdit(UINT code, WPARAM, LPARAM) { return LedRgbEdit(*this, code, kRedEdit); }
int KeyboardDlg::OnLedGreenEdit(UINT code, WPARAM, LPARAM) { return LedRgbEdit(*this, code, kRedEdit + 1); }
int KeyboardDlg::OnLedBlueEdit(UINT code, WPARAM, LPARAM) { return LedRgbEdit(*this, code, kRedEdit + 2); }

int KeyboardDlg::OnLedColorButton(int id) {
  auto* button = Get<CColorButton>(*this, id);
  if (!button) return 0;
  m_ledColorButtonId = id;
  const COLORREF colour = button->GetColor();
  const CString texts[3] = {RgbEdits::RedText(colour), RgbEdits::GreenText(colour), RgbEdits::BlueText(colour)};
  for (int i = 0; i < 3; ++i)
    if (auto* edit = Get<MEdit>(*this, kRedEdit + i)) edit->SetControlTitle(texts[i].GetString());
  if (auto* field = Get<LCDPalette3>(*this, kPalette3)) field->SetSelectColor(colour);
  ApplyLedPenColor(colour);
  return 1;
}
