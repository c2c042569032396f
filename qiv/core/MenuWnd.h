// Popup menus. A MenuWnd is a small owner-drawn tool window of MenuItem rows that grows to
// fit its longest text, posts the caller's message to the owner window for every item
// notification (lParam = item id), closes on a click or when it loses activation, and
// deletes itself once its window is gone.
//
// Ownership: the program allocates a menu with a plain `new` and the menu ends with
// `delete this` after its window's WM_NCDESTROY. Program and library share one C++
// runtime and heap, so that pairing is sound and no destructor entry of the program's
// has to be installed. After a successful Create the caller must neither delete the menu
// nor use it once its window is gone; a menu that was never created is deleted by its
// creator.
#pragma once
#include <vector>
#include "core/MPopupWnd.h"

class MenuItem;
class KeyMenuFuncType;

class QIV_API MenuWnd : public MPopupWnd {
public:
  explicit MenuWnd(MObject* parent);
  ~MenuWnd() override;

  void OnDestroyMessage(HWND oldWindow) override;
  int PostNcDestroy() override;
  void InitUI(CRect client) override;
  void UISize(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;

  int Create(HWND owner, CPoint at, UINT message, CString imageFile, int corner, int width, enumBackMode mode);
  int Create(HWND owner, CPoint at, UINT message, UINT resourceId, int corner, int width, enumBackMode mode);
  int Create(HWND owner, CPoint at, UINT message);
  // The trailing values are accepted and not used. Always -1.
  int AddMenu(CString title, UINT id, CString imageFile, int, int);
  int AddMenu(CString title, UINT id, int imageResourceId, int, int);
  int AddSeparator(UINT id, CString imageFile);
  // Lays the rows out one below the other and sizes the window to them.
  void SetMenuPoint();
  using MPopupWnd::SendMessageToParent;
  LRESULT SendMessageToParent(UINT id, UINT code, WPARAM wParam, LPARAM lParam);

  // States for items not added yet. `key` names an item by its title or by its id in
  // decimal; a state applies when the item is added (and to items present at Create).
  void SetItemTitle(CString key, CString title);
  void SetItemVisible(CString key, int visible);
  void SetItemEnable(CString key, int enabled);
  void SetItemCheck(CString key, int check);

  void SetItemFont(const CString& face, int size, int style);
  int GetMenuWidth() const { return m_nWidth; }
  int GetItemHeight() const { return m_nItemHeight; }
  UINT GetNotifyMessage() const { return m_uMessage; }
  HWND GetOwnerWnd() const { return m_hOwner; }

protected:
  struct ItemState {
    UINT id;
    CString key;
    CString title;
    int visible;
    int enabled;
    int check;
  };
  // Stores the message and owner and creates the square window at `at`; 1 when it exists.
  int CreateMenuWindow(HWND owner, CPoint at, UINT message);
  // Makes one row through the factory; null when it could not be made.
  virtual MenuItem* CreateItem(UINT id, const CString& title);
  MenuItem* AddItem(const CString& title, UINT id);
  void ApplyItemStates(MenuItem* item);

  UINT m_uMessage = 0;
  CString m_fontFace = L"Roboto-Medium";
  int m_nFontSize = 14;
  int m_nFontStyle = 0;
  int m_nTextIndent = 5;
  int m_nItemHeight = 35;
  int m_nWidth = 300;
  int m_nTopMargin = 12;
  int m_nBottomMargin = 6;
  HWND m_hOwner = nullptr;
  std::vector<ItemState> m_itemStates;
};

// A menu form that hosts one key-function list (id 100) instead of items.
class QIV_API MenuExWnd : public MenuWnd {
public:
  enum : UINT { kListId = 100 };

  explicit MenuExWnd(MObject* parent);
  ~MenuExWnd() override;

  void InitUI(CRect client) override;
  void UISize(CRect client) override;
  using MenuWnd::Create;
  int Create(HWND owner, CRect rect, UINT message, CString imageFile);
  // Appends a row to the list; does nothing before Create made the list.
  void AddItem(CString text, CString description, int data, CString iconFile);
  KeyMenuFuncType* GetList() const { return m_pList; }

protected:
  KeyMenuFuncType* m_pList = nullptr;  // owned by the paint manager
};

class QIV_API KeyMenuWnd : public MenuExWnd {
public:
  explicit KeyMenuWnd(MObject* parent);
  ~KeyMenuWnd() override;

  void InitUI(CRect client) override;
  void UISize(CRect client) override;
  LRESULT OnMessage(UINT id, UINT code, WPARAM wParam, LPARAM lParam) override;
};
