// Published properties that many controls share, declared once; each
// control class calls the ones it publishes from its TClassBuilder setup.
#pragma once
#include "framework/classes/published.h"
#include "framework/controls/win_control.h"

// Caption, as text the control shows.
template <class Builder>
void PublishCaption(Builder& c) {
    c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
}

// Color and ParentColor: the colour is written only while the control
// does not follow its parent's; parentColor is the constructor's value.
template <class Builder>
void PublishColor(Builder& c, bool parentColor) {
    c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TControl::ColorStored);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(parentColor);
}

// Font and ParentFont, the same way.
template <class Builder>
void PublishFont(Builder& c) {
    c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TControl::FontStored);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
}

// Ctl3D and ParentCtl3D.
template <class Builder>
void PublishCtl3D(Builder& c) {
    c.Property("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D).Stored(&TWinControl::Ctl3DStored);
    c.Property("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D).Default(true);
}

// The place in the tab order (always written), TabStop with the
// control's own default, OnEnter and OnExit.
template <class Builder>
void PublishFocus(Builder& c, bool tabStop) {
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(tabStop);
    c.Property("OnEnter", &TWinControl::OnEnter);
    c.Property("OnExit", &TWinControl::OnExit);
}
