// The frame strip of the picture editor.
#pragma once
#include "core/MPanel.h"

class QIV_API ImageViewList : public MPanel {
public:
  ImageViewList(MObject* parent, unsigned id, CRect rect, int visible);
  ~ImageViewList() override;
  const wchar_t* GetClassNameW() const override;
};
