// The macro record list: the steps of one macro, each with its number, a type icon, its
// text, its time value (the delay after the step, editable in place) and a more button.
// User-interface thread only.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <vector>
#include "core/CString.h"
#include "widgets/RowListPanel.h"

// One step. The program reads these records in place, so the order of the fields is part
// of the library's interface.
struct RecordItem {
  CString text;
  int type = 0;  // 1 is not an event; 2/3 and 4/5 pair press and release; 4-7, 8-11, 12 pick icons
  int key = 0;
  int time = 0;  // delay in ms after the step; also the pairing stamp
  CRect rect;    // inside the memory bitmap, written by each redraw
};

class QIV_API CRecordList : public RowListPanel<CRecordList, RecordItem> {
public:
  CRecordList(MObject* parent, unsigned id, CRect rect, int visible);
  ~CRecordList() override;
  const wchar_t* GetClassNameW() const override;

  // Focus, scroll-bar messages, hover tracking, double click and wheel, and the row count,
  // selection, swap and single delete: RowListPanel's.
  void DrawControl(HDC& hdc, CRect paint) override;
  void SetControlRect(CRect rect) override;
  int OnControlLButtonDown(unsigned flags, CPoint point) override;
  int OnControlLButtonUp(unsigned flags, CPoint point) override;
  int OnControlRButtonUp(unsigned flags, CPoint point) override;
  using MPanel::SetImage;
  // The type-icon strip; repaints.
  int SetImage(const wchar_t* file, int frames) override;
  // The row background and more button strips; no repaint.
  int SetItemImage(const wchar_t* file, int frames);
  int SetMoreImage(const wchar_t* file, int frames);

  // ---- records ----
  // Appends a step and scrolls to the end; answers its index.
  int AddString(CString text, int type, int key, int time);
  // Index -1 .. count - 1 (else -1 and nothing changes): appends for -1 or an empty list,
  // else inserts before `index`. Answers count - 1.
  int InsertString(int index, CString text, int type, int key, int time);
  // The last row's time; false for an empty list.
  bool UpdateDelayTime(int time);
  // A release (3 or 5) stamps the later rows of its own type and key and the nearest
  // earlier press (2 or 4) of the key.
  void UpdateTimeStamp(int type, int key, int time);
  int GetEventCount();
  int GetRecrodTimeStamp(int index);
  void GetRecordInfo(int index, CString& text, int& type, int& key, int& time);
  void SetRecordInfo(int index, CString text, int type, int key, int time);
  void SetRecordInfo(int stamp, int type, CString text, int key);
  void DeleteTimeStamp(int stamp);
  int DeleteAllItems();
  void MoveTop(int index);
  void MoveBottom(int index);
  // The rows stay the list's; valid until the list changes.
  std::vector<RecordItem*> GetRecordItems();

  // ---- selection and marking ----
  void SetTimeStampSelect(int stamp);
  int GetTimeStampSelect() const { return m_markedStamp; }

  // ---- in-place time edit ----
  void ShowEdit();
  // Closes the time edit, keeping a changed value held to 10 .. 65535 (notification 29).
  // Without `force` an edit of the selected row stays open.
  void HideEdit(int force);
  void SetEditText(CString text);
  CString GetEditText();
  CRect GetMoreRect() const { return m_moreRect; }

private:
  int IconFrame(const RecordItem& row, bool edited, bool highlighted) const;
  void DrawStripFrame(Gdiplus::Graphics& g, const RowStrip& strip, int frame, int x, int y);

  int m_markedStamp = 0;
  RowStrip m_icons, m_rowStrip, m_more;
  CRect m_moreRect, m_iconRect;
};
