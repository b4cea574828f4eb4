#pragma once
// "Set pen-thickness": one integer field, 7 to 100, opened with its text selected.

#include "port/dialog_model.h"

namespace gyr {

class CPenWidthDialogModel : public DialogModel {
public:
    enum { kWidthField = 1000 };
    explicit CPenWidthDialogModel(int width);
    bool Accept(Host&) override { return true; }
    int Width() const { return IntOf(kWidthField); }
};

}  // namespace gyr
