// The framework's form designer services for the workbench's form: it
// tells the document when an editor says the form changed.
#pragma once
#include <functional>

#include "framework/framework.h"

class TWorkbenchDesigner : public TFormDesigner {
public:
    TWorkbenchDesigner(TComponent* root, std::function<void()> onModified);
    void Modified() override;

private:
    std::function<void()> FOnModified;
};
