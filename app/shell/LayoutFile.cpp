#include "shell/LayoutFile.h"
#include <algorithm>
#include <cwchar>
#include "support/XmlDoc.h"

namespace {

int Decimal(const XmlDoc& xml, const wchar_t* name) { return LayoutDecimal(xml.GetAttribute(name)); }

LayoutKey ReadKey(const XmlDoc& xml) {
  LayoutKey key;
  key.code = LayoutHex(xml.GetAttribute(L"code"));
  key.name = xml.GetAttribute(L"name");
  key.desc = xml.GetAttribute(L"desc");
  key.keyIndex = Decimal(xml, L"key_index");
  key.lightIndex = Decimal(xml, L"light_index");
  const int left = Decimal(xml, L"rect_left");
  const int top = Decimal(xml, L"rect_top");
  key.rect = CRect(left, top, left + Decimal(xml, L"rect_width"), top + Decimal(xml, L"rect_height"));
  SplitRowCol(xml.GetAttribute(L"row_col"), key.row, key.column);
  return key;
}

// The document's cursor stands on "device.info".
void ReadDeviceInfo(XmlDoc& xml, KeyboardLayout& layout) {
  xml.IntoElement();
  if (!xml.FindElement(L"Keyboard")) return;
  layout.hasKeyboard = true;
  layout.background = COLORREF(LayoutHex(xml.GetAttribute(L"bk_color")));
  const int x = Decimal(xml, L"xpos");
  const int y = Decimal(xml, L"ypos");
  layout.rect = CRect(x, y, x + Decimal(xml, L"width"), y + Decimal(xml, L"height"));
  layout.image = xml.GetAttribute(L"image");
  // The grid has no more rows and columns than these, whatever a file says.
  layout.rows = std::clamp(Decimal(xml, L"row_count"), 0, kLayoutGridRows);
  layout.columns = std::clamp(Decimal(xml, L"col_count"), 0, kLayoutGridColumns);

  xml.IntoElement();
  if (!xml.FindElement(L"KeyItems")) return;
  layout.hasKeyItems = true;
  xml.IntoElement();
  while (xml.FindElement(L"key")) layout.keys.push_back(ReadKey(xml));
}

bool ReadDocument(XmlDoc& xml, KeyboardLayout& layout) {
  if (!xml.FindElement(L"device.info")) return false;
  KeyboardLayout read;
  ReadDeviceInfo(xml, read);
  layout = std::move(read);
  return true;
}

}  // namespace

int LayoutDecimal(const CString& text) { return int(std::wcstol(text.GetString(), nullptr, 10)); }

int LayoutHex(const CString& text) { return int(std::wcstoul(text.GetString(), nullptr, 16)); }

void SplitRowCol(const CString& text, int& row, int& column) {
  row = LayoutDecimal(text.Left(1));
  column = LayoutDecimal(text.GetLength() == 3 ? text.Right(1) : text.Right(2));
}

CString KeyboardPicturePath(const CString& picture) { return L"keyboard\\" + picture; }

bool ReadKeyboardLayout(const wchar_t* path, KeyboardLayout& layout) {
  XmlDoc xml;
  return xml.Load(path) && ReadDocument(xml, layout);
}

bool ParseKeyboardLayout(const wchar_t* text, KeyboardLayout& layout) {
  XmlDoc xml;
  return xml.SetDocument(text) && ReadDocument(xml, layout);
}
