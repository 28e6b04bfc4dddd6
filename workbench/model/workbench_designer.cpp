#include "model/workbench_designer.h"

TWorkbenchDesigner::TWorkbenchDesigner(TComponent* root, std::function<void()> onModified)
    : TFormDesigner(root), FOnModified(std::move(onModified)) {}

void TWorkbenchDesigner::Modified() {
    TFormDesigner::Modified();
    if (FOnModified) FOnModified();
}
