// The element index of an XmlDoc: one fixed-size record per element, addressed by
// position. Records live in pages of 65,536 (a position's high 16 bits name the page,
// its low 16 bits the slot), so growing the index never moves records of full pages.
#pragma once
#include <memory>
#include <vector>

enum XmlElementFlags {
  XmlElementUnended = 0x1,       // no end tag: the element spans its start tag only
  XmlElementNotWellFormed = 0x2  // record 0 only: the parse met a problem
};

struct XmlElement {
  int start = 0;        // offset of the element's "<" in the document text
  int length = 0;       // up to the end of the end tag (start tag only when unended or empty)
  // Lengths and level are kept at full width, so an oversized tag or a very deep
  // nesting cannot wrap into a wrong offset.
  int startTagLength = 0;
  int endTagLength = 0;  // 0 when there is no end tag
  int level = 0;         // 0 for a top-level element
  int flags = 0;         // XmlElementFlags
  int parent = 0;
  int firstChild = 0;
  int next = 0;
  int prev = 0;  // the first child's prev names the parent's last child

  bool IsUnended() const { return (flags & XmlElementUnended) != 0; }
  // Written as <name/>: no end tag and not left open.
  bool IsEmptyElement() const { return endTagLength == 0 && !IsUnended(); }
};

class XmlElementIndex {
public:
  static constexpr int kPageBits = 16;
  static constexpr int kPageSize = 1 << kPageBits;

  // Drops every record and makes room for `capacity` of them.
  void Reset(int capacity);
  // Makes `pos` addressable, growing by half when full; false when the index cannot
  // hold that many records.
  bool Ensure(int pos);
  int Capacity() const { return m_capacity; }

  XmlElement& operator[](int pos) { return m_pages[pos >> kPageBits][pos & (kPageSize - 1)]; }
  const XmlElement& operator[](int pos) const {
    return m_pages[pos >> kPageBits][pos & (kPageSize - 1)];
  }

private:
  void Grow(int capacity);
  std::vector<std::unique_ptr<XmlElement[]>> m_pages;
  int m_capacity = 0;
};
