// Unit Corvan1: TSmallEdit, an edit box in yellow bold italic 12-point
// Times New Roman on blue. Register puts it on the page "Corvan".
#pragma once
#include "Corvane/Exports.h"
#include "framework/framework.h"

class CORVANE_API TSmallEdit : public TEdit {
    FRAME_CLASS(TSmallEdit, TEdit)
public:
    explicit TSmallEdit(TComponent* owner);
    ~TSmallEdit() override;
};

namespace Corvan1 {
void Register();
}  // namespace Corvan1
