#include "framework/design/form_designer.h"

#include "framework/controls/control.h"

TFormDesigner::TFormDesigner(TComponent* root) : FRoot(root) {
    if (!root) throw EComponentError("A form designer needs a form");
}

TFormDesigner::~TFormDesigner() = default;

void TFormDesigner::Modified() { FModified = true; }

void TFormDesigner::SetSelection(std::vector<TPersistent*> selection) { FSelection = std::move(selection); }

AnsiString TFormDesigner::UniqueName(const AnsiString& className) const {
    AnsiString base = className;
    if (base.size() > 1 && (base[0] == 'T' || base[0] == 't')) base.erase(0, 1);
    if (!IsValidIdent(base)) base = "Component";
    for (int n = 1;; ++n) {
        AnsiString candidate = base + IntToStr(n);
        if (!FRoot->FindComponent(candidate) && !SameText(candidate, FRoot->Name())) return candidate;
    }
}

TComponent* TFormDesigner::CreateComponent(const TClassInfo& cls, TComponent* parent, int left, int top, int width,
                                           int height) {
    if (!cls.IsComponentClass()) throw EComponentError(Format("%s is not a component class", cls.Name()));
    bool designing = FRoot->HasState(csDesigning);
    TComponent* component = cls.Create(FRoot, [designing](TComponent* c) { c->SetDesigning(designing); });
    try {
        component->SetName(UniqueName(cls.Name()));
        if (auto control = ObjectAs<TControl>(component)) {
            TComponent* container = parent && parent->CanParentChildren() ? parent : FRoot;
            if (container->CanParentChildren()) container->SetChildParent(component);
            control->SetBounds(left, top, width > 0 ? width : control->Width(), height > 0 ? height : control->Height());
        } else {
            component->SetDesignLeft(left);
            component->SetDesignTop(top);
        }
    } catch (...) {
        delete component;
        throw;
    }
    Modified();
    return component;
}

std::vector<AnsiString> TFormDesigner::GetComponentNames(const TClassInfo& cls) const {
    std::vector<AnsiString> names;
    for (int i = 0; i < FRoot->ComponentCount(); ++i) {
        TComponent* c = FRoot->Components(i);
        if (!c->Name().empty() && c->InheritsFrom(cls)) names.push_back(c->Name());
    }
    return names;
}

TComponent* TFormDesigner::GetComponent(const AnsiString& name) const { return FRoot->FindComponent(name); }

AnsiString TFormDesigner::GetComponentName(const TComponent* component) const {
    return component ? component->Name() : AnsiString();
}

std::vector<AnsiString> TFormDesigner::GetMethods(PTypeInfo eventType) const {
    std::vector<AnsiString> names;
    for (const TMethodInfo* m : FRoot->ClassType().Methods())
        if (m->Signature == eventType) names.push_back(m->Name);
    return names;
}

TMethod TFormDesigner::GetMethod(const AnsiString& name, PTypeInfo eventType) const {
    const TMethodInfo* m = FRoot->ClassType().FindMethod(name);
    if (!m) throw EPropertyError(FRoot->ClassName() + " has no handler " + name);
    if (m->Signature != eventType)
        throw EPropertyError(Format("Handler %s is a %s, not a %s", m->Name.c_str(), m->Signature->Name,
                                    eventType->Name));
    return TMethod{FRoot, m->Code};
}

AnsiString TFormDesigner::GetMethodName(const TMethod& method) const {
    if (!method || method.Data != FRoot) return {};
    const TMethodInfo* m = FRoot->ClassType().FindMethod(method);
    return m ? m->Name : AnsiString();
}
