// The language refresh: every text of the main window set again from its language id, so
// that a language change shows at once without rebuilding the window. Controls a page has
// not built are skipped; dialogs read their texts when they open.
#include "shell/KeyboardDlg.h"
#include <initializer_list>
#include <utility>
#include "controls/MComboBox.h"
#include "controls/MTabCtrl.h"
#include "controls/TabCtrlEx.h"
#include "shell/AppSettings.h"
#include "shell/LanguageText.h"

namespace {

using Texts = std::initializer_list<std::pair<int, int>>;  // (control id, text id)

}  // namespace

int KeyboardDlg::ReloadTexts() {
  auto title = [this](int id, int text, const wchar_t* section = L"KB.DIALOG") {
    if (auto* c = dynamic_cast<MControlFont*>(Control(id))) c->SetTitle(LoadLangString(text, section).GetString());
  };
  auto titles = [&](Texts list) {
    for (auto [id, text] : list) title(id, text);
  };
  auto tip = [this](int id, int text) {
    if (MControl* c = Control(id)) c->SetTooltip(LoadLangString(text).GetString());
  };
  // The items of a list by position, whichever list class the page built.
  auto items = [this](int id, std::initializer_list<int> texts) {
    int position = 0;
    for (int text : texts) {
      const CString value = LoadLangString(text);
      if (auto* combo = dynamic_cast<MComboBox*>(Control(id))) combo->SetItemText(position, value);
      else if (auto* tab = dynamic_cast<TabCtrlEx*>(Control(id))) tab->SetItemText(position, value);
      ++position;
    }
  };

  // Frame. The close button's tip follows the stored close behaviour.
  tip(39, ReadAppRegInt(L"exit_mode") == 2 ? 509 : 510);
  tip(40, 3);
  tip(42, 10);
  tip(43, 5);
  tip(45, 7);
  title(52, 65);
  tip(54, 66);
  title(50, 67);
  titles({{60, 201}, {61, 202}});
  if (auto* caption = dynamic_cast<MControlFont*>(m_aboutCaption)) caption->SetTitle(LoadLangString(8).GetString());

  // The main tab strip: each item's text by its item id.
  if (m_mainTab) {
    static const std::pair<int, int> kTabTexts[] = {{0, 50}, {1, 51}, {2, 52}, {3, 58}, {4, 53}, {5, 54}, {7, 57}, {8, 56}};
    for (int position = 0; position < m_mainTab->GetItemCount(); ++position) {
      TabItemInfo* info = m_mainTab->GetItemInfo(position);
      if (!info) continue;
      for (auto [item, text] : kTabTexts)
        if (int(info->id) == item) info->text = LoadLangString(text);
    }
  }
  title(80, 63);

  // Key assignment page.
  items(88, {205, 206, 207, 208, 210, 211});
  titles({{90, 241}, {91, 242}, {92, 243}, {93, 244}, {94, 245}, {105, 217}, {106, 217}, {104, 218}, {116, 218}});

  // Lighting page.
  items(117, {170, 171, m_deviceType == 102 ? 173 : 172});
  titles({{122, 175}, {124, 176}, {127, 177}, {158, 178}});
  items(159, {180, 181, 182, 183, 184});
  titles({{138, 189}, {139, 190}, {128, 191}, {130, 192}, {132, 193}, {157, 22}});

  // Device settings page: a firmware version shown is dropped until the next read.
  titles({{324, 530}, {325, 531}, {326, 532}, {332, 550}, {333, 551}});

  // Software settings page: the version line.
  CString version;
  version.Format(L"%s: %s", LoadLangString(517).GetString(), m_softwareVersion.GetString());
  SetControlTitle(436, version.GetString());

  // Lighting canvas page.
  items(242, {600, 601, 602, 604});
  titles({{244, 87}, {246, 80}, {247, 81}, {268, 610}, {273, 615}});
  items(274, {620, 621, 622, 623, 624, 625, 626, 627, 628, 629});
  titles({{275, 650}, {270, 670}, {272, 671}});

  // Music page.
  titles({{193, 102}, {195, 103}, {199, 104}, {201, 105}, {197, 191}});
  items(200, {117, 111, 112, 113, 114, 118, 115, 106, 107, 108, 109, 110});
  items(194, {119, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 118});

  // Matrix screen page.
  title(278, 920);
  items(279, {921, 922, 923, 924, 925, 926, 927, 928, 929, 930, 931, 932, 933, 934, 935, 936, 937, 938});

  // Music layers.
  for (int n = 0; n < 12; ++n) title(161 + n, 680 + n);
  titles({{174, 189}, {175, 190}});

  // Matrix screen page.
  titles({{285, 175}, {287, 176}, {290, 177}, {301, 189}, {302, 190}, {291, 191}, {293, 192}, {295, 193}, {320, 103}});

  // Keyboard settings page.
  titles({{335, 560}, {337, 561}, {340, 562}, {343, 563}, {346, 564}, {349, 565}, {352, 569}, {355, 570}});

  // Software settings page (the version line keeps the text set above).
  titles({{420, 500}, {425, 505}, {427, 506}, {431, 509}, {432, 510}, {433, 511}, {435, 515}, {437, 516}});
  if (auto* label = dynamic_cast<MControlFont*>(m_minimiseLabel)) label->SetTitle(LoadLangString(507).GetString());
  title(438, 2, L"CAPTION");
  titles({{439, 15}, {440, 16}, {441, 17}});

  // Key assignment page: the shown category's functions with their new names.
  if (m_mainPage == 4) ShowKeyFunctions();

  // Macro page.
  titles({{205, 350}, {207, 352}, {210, 353}, {211, 30}, {213, 355}, {216, 388}, {217, 389}, {218, 390}, {219, 420},
          {221, 368}, {222, 357}, {223, 404}, {226, 358}, {227, 360}, {228, 361}, {229, 362}, {230, 363}, {234, 391},
          {238, 392}});
  items(237, {220, 223, 222, 227, 228});
  if (m_mainTab) m_mainTab->UpdateControl(1, 0);
  return 1;
}
