// The picture editor.
#pragma once
#include "core/MControlFont.h"

class QIV_API ImageView : public MControlFont {
public:
  ImageView(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
  ~ImageView() override;
  const wchar_t* GetClassNameW() const override;
  void DrawControl(HDC& hdc, CRect paint) override;
};
