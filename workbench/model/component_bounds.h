// Where a component of a designed form sits: a control by its bounds, any
// other component as a small icon at its design position (which only the
// form files keep).
#pragma once
#include "framework/framework.h"

// The side of the icon a component that is no control shows as.
constexpr int DesignIconSize = 28;

struct TDesignBounds {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const TDesignBounds&) const = default;
    bool Contains(int x, int y) const { return x >= Left && y >= Top && x < Left + Width && y < Top + Height; }
};

TDesignBounds GetDesignBounds(TComponent* component);
// A component that is no control keeps its size; only its place moves.
void SetDesignBounds(TComponent* component, const TDesignBounds& bounds);
// The nearest multiple of grid (grid 0 or 1: the value itself).
int SnapToGrid(int value, int grid);
