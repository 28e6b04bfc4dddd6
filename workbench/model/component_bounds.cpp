#include "model/component_bounds.h"

TDesignBounds GetDesignBounds(TComponent* component) {
    if (auto control = ObjectAs<TControl>(component))
        return {control->Left(), control->Top(), control->Width(), control->Height()};
    return {component->DesignInfo().Left, component->DesignInfo().Top, DesignIconSize, DesignIconSize};
}

void SetDesignBounds(TComponent* component, const TDesignBounds& bounds) {
    if (auto control = ObjectAs<TControl>(component)) {
        control->SetBounds(bounds.Left, bounds.Top, bounds.Width > 0 ? bounds.Width : 1,
                           bounds.Height > 0 ? bounds.Height : 1);
        return;
    }
    component->SetDesignLeft(bounds.Left);
    component->SetDesignTop(bounds.Top);
}

int SnapToGrid(int value, int grid) {
    if (grid <= 1) return value;
    int down = value >= 0 ? value / grid * grid : -((-value + grid - 1) / grid * grid);
    return value - down >= grid - (value - down) ? down + grid : down;
}
