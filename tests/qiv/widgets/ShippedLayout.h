// The shipped layout files of the source tree (data/layouts), read just far enough for
// the on-screen keyboard: the layout's size and each key's code, labels and rectangle.
#pragma once
#include <windows.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "core/CString.h"
#include "core/Geometry.h"

namespace widgettest {

struct ShippedKey {
  int code = 0;
  CString name, desc;
  CRect rect;
};

struct ShippedLayout {
  int width = 0, height = 0;
  std::vector<ShippedKey> keys;
};

inline std::string Attribute(const std::string& element, const char* name) {
  const std::string key = std::string(" ") + name + "=\"";
  const size_t at = element.find(key);
  if (at == std::string::npos) return {};
  const size_t start = at + key.size();
  return element.substr(start, element.find('"', start) - start);
}

inline int Number(const std::string& s, int base = 10) { return s.empty() ? 0 : std::stoi(s, nullptr, base); }

// The layout of a model ("K104"); empty when the file cannot be read.
inline ShippedLayout ReadShippedLayout(const char* model) {
  std::string path = "Z:";
  for (const char* c = __FILE__; *c; ++c) path.push_back(*c == '/' ? '\\' : *c);
  path.resize(path.rfind("\\tests\\qiv\\widgets\\"));
  path += std::string("\\data\\layouts\\") + model + ".xml";
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  const std::string xml = text.str();
  ShippedLayout layout;
  const size_t board = xml.find("<Keyboard ");
  if (board == std::string::npos) return layout;
  const std::string head = xml.substr(board, xml.find('>', board) - board);
  layout.width = Number(Attribute(head, "width"));
  layout.height = Number(Attribute(head, "height"));
  for (size_t at = xml.find("<key "); at != std::string::npos; at = xml.find("<key ", at + 1)) {
    const std::string e = xml.substr(at, xml.find("/>", at) - at);
    ShippedKey key;
    key.code = Number(Attribute(e, "code"), 16);
    key.name = CString(Attribute(e, "name").c_str());
    key.desc = CString(Attribute(e, "desc").c_str());
    const int left = Number(Attribute(e, "rect_left")), top = Number(Attribute(e, "rect_top"));
    key.rect = CRect(left, top, left + Number(Attribute(e, "rect_width")), top + Number(Attribute(e, "rect_height")));
    layout.keys.push_back(key);
  }
  return layout;
}

}  // namespace widgettest
