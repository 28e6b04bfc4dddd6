#include "framework/streaming/form_reader.h"

#include <cstdint>
#include <functional>

#include "framework/classes/class_registry.h"
#include "framework/classes/strings.h"
#include "framework/streaming/form_text.h"

namespace {

// Finds a defined property by name on an object.
class FindingFiler : public TFiler {
public:
    explicit FindingFiler(const AnsiString& name) : FName(name) {}
    void DefineBinaryProperty(const char* name, std::function<void(const TBytes&)> read, std::function<TBytes()>,
                              bool) override {
        if (SameText(name, FName)) BinaryReader = std::move(read);
    }
    void DefineStringsProperty(const char* name, TStrings* strings, bool) override {
        if (SameText(name, FName)) Strings = strings;
    }
    std::function<void(const TBytes&)> BinaryReader;
    TStrings* Strings = nullptr;

private:
    AnsiString FName;
};

struct Fixup {
    TObject* instance;
    const TPropInfo* property;
    AnsiString target;
    AnsiString item;
    int line;
};

class Reader {
public:
    Reader(TComponent* root, const AnsiString& resource) : FRoot(root), FResource(resource) {}

    void Read(const TFormNode& node) {
        if (!SameText(node.className, FRoot->ClassName()))
            Fail(node.line, node.className, "the resource describes a " + node.className + ", not a " +
                                                FRoot->ClassName());
        std::vector<TComponent*> made;
        FMade = &made;
        FRoot->BeginLoading();
        try {
            if (FRoot->Name().empty()) SetRootName(node.name);
            ReadItems(FRoot, node);
            for (const auto& child : node.children) ReadChild(FRoot, *child);
            ResolveFixups();
        } catch (...) {
            // Nothing half-built stays behind: the components made here go.
            for (auto it = made.rbegin(); it != made.rend(); ++it) {
                if (const TComponentFieldInfo* field = FRoot->ClassType().FindComponentField((*it)->Name()))
                    field->Assign(FRoot, nullptr);
                delete *it;
            }
            FRoot->EndLoading();
            throw;
        }
        for (TComponent* c : made) c->Loaded();
        FRoot->Loaded();
    }

private:
    [[noreturn]] void Fail(int line, const AnsiString& item, const AnsiString& what) const {
        throw EReadError(Format("%s(%d): %s: %s", FResource.c_str(), line, item.c_str(), what.c_str()));
    }

    void SetRootName(const AnsiString& name) {
        AnsiString candidate = name;
        TComponent* owner = FRoot->Owner();
        for (int n = 1; owner && owner->FindComponent(candidate); ++n) candidate = Format("%s_%d", name.c_str(), n);
        FRoot->SetName(candidate);
    }

    void ReadChild(TComponent* container, const TFormNode& node) {
        const TClassInfo* cls = GetClass(node.className);
        if (!cls) Fail(node.line, node.name, "class " + node.className + " not found");
        if (!cls->IsComponentClass() || !cls->CanCreate())
            Fail(node.line, node.name, "class " + node.className + " cannot be created by name");
        if (FRoot->FindComponent(node.name))
            Fail(node.line, node.name, "a component named " + node.name + " already exists");
        if (!IsValidIdent(node.name)) Fail(node.line, node.name, "not a valid component name");
        TComponent* component = nullptr;
        try {
            component = cls->Create(FRoot);
        } catch (const std::exception& e) {
            Fail(node.line, node.name, e.what());
        }
        FMade->push_back(component);
        component->BeginLoading();
        component->SetName(node.name);
        TComponent* parent = container->CanParentChildren() ? container : FRoot;
        if (parent->CanParentChildren()) parent->SetChildParent(component);
        if (const TComponentFieldInfo* field = FRoot->ClassType().FindComponentField(node.name)) {
            if (!cls->InheritsFrom(field->FieldClass()))
                Fail(node.line, node.name, Format("field %s holds a %s, not a %s", field->Name.c_str(),
                                                  field->FieldClass().Name(), cls->Name()));
            field->Assign(FRoot, component);
        }
        ReadItems(component, node);
        for (const auto& child : node.children) ReadChild(component, *child);
    }

    void ReadItems(TComponent* component, const TFormNode& node) {
        for (const TFormItem& item : node.items) {
            AnsiString label = node.name + "." + item.path;
            try {
                ReadItem(component, item, label);
            } catch (const EReadError&) {
                throw;
            } catch (const std::exception& e) {
                Fail(item.line, label, e.what());
            }
        }
    }

    void ReadItem(TComponent* component, const TFormItem& item, const AnsiString& label) {
        TObject* instance = component;
        // Walk the dotted path down through owned sub-objects.
        AnsiString path = item.path;
        size_t dot;
        while ((dot = path.find('.')) != AnsiString::npos) {
            AnsiString head = path.substr(0, dot);
            const TPropInfo* p = instance->ClassType().FindProperty(head);
            if (!p || p->PropType()->Kind != TTypeKind::Class) {
                Fail(item.line, label, instance->ClassName() + " has no sub-object " + head);
            }
            auto sub = std::get<TObject*>(p->Get(instance));
            if (!sub) Fail(item.line, label, head + " is not set");
            if (ObjectAs<TComponent>(sub)) Fail(item.line, label, head + " refers to a component, not a sub-object");
            instance = sub;
            path = path.substr(dot + 1);
        }
        if (const TPropInfo* p = instance->ClassType().FindProperty(path)) {
            SetProperty(instance, *p, item, label);
            return;
        }
        if (auto persistent = ObjectAs<TPersistent>(instance)) {
            FindingFiler filer(path);
            persistent->DefineProperties(filer);
            if (filer.BinaryReader) {
                if (item.value.kind != TFormValue::Binary) Fail(item.line, label, "binary data expected");
                filer.BinaryReader(item.value.bytes);
                return;
            }
            if (filer.Strings) {
                if (item.value.kind != TFormValue::List) Fail(item.line, label, "a list of strings expected");
                filer.Strings->Clear();
                for (const AnsiString& s : item.value.items) filer.Strings->Add(s);
                return;
            }
        }
        if (instance == component && ReadDesignPosition(*component, item, path, label)) return;
        Fail(item.line, label, instance->ClassName() + " has no property " + path);
    }

    // Left and Top of a component without such properties of its own
    // (anything but a control) are its place in the form designer.
    bool ReadDesignPosition(TComponent& component, const TFormItem& item, const AnsiString& path,
                            const AnsiString& label) {
        bool left = SameText(path, "Left");
        if (!left && !SameText(path, "Top")) return false;
        if (item.value.kind != TFormValue::Integer) Fail(item.line, label, "a number expected for a design position");
        if (item.value.integer < INT32_MIN || item.value.integer > INT32_MAX)
            Fail(item.line, label, Format("value %d out of range", item.value.integer));
        int value = static_cast<int>(item.value.integer);
        if (left) component.SetDesignLeft(value);
        else component.SetDesignTop(value);
        return true;
    }

    void SetProperty(TObject* instance, const TPropInfo& p, const TFormItem& item, const AnsiString& label) {
        const TFormValue& v = item.value;
        PTypeInfo type = p.PropType();
        auto expect = [&](TFormValue::Kind kind, const char* what) {
            if (v.kind != kind) Fail(item.line, label, Format("%s expected for a %s property", what, type->Name));
        };
        if (!p.Set && type->Kind != TTypeKind::Class) Fail(item.line, label, "property is read-only");
        switch (type->Kind) {
        case TTypeKind::Integer:
        case TTypeKind::Color: {
            int64_t value = 0;
            if (v.kind == TFormValue::Ident) {
                if (!IdentToInt(type, v.text, value)) Fail(item.line, label, "unknown value " + v.text);
            } else {
                expect(TFormValue::Integer, "a number");
                value = v.integer;
                if (type->Kind == TTypeKind::Color && value > INT32_MAX && value <= UINT32_MAX)
                    value = static_cast<int32_t>(static_cast<uint32_t>(value));
            }
            if (value < type->MinValue || value > type->MaxValue)
                Fail(item.line, label, Format("value %d out of range", value));
            p.Set(instance, TPropValue(value));
            break;
        }
        case TTypeKind::Enumeration:
        case TTypeKind::Boolean: {
            expect(TFormValue::Ident, "an identifier");
            int64_t value = GetEnumValue(type, v.text);
            if (value < 0) Fail(item.line, label, "unknown value " + v.text);
            p.Set(instance, TPropValue(value));
            break;
        }
        case TTypeKind::Set: {
            expect(TFormValue::Set, "a set");
            int64_t bits = 0;
            for (const AnsiString& name : v.items) {
                int64_t index = GetEnumValue(type, name);
                if (index < 0) Fail(item.line, label, "unknown set element " + name);
                bits |= int64_t(1) << index;
            }
            p.Set(instance, TPropValue(bits));
            break;
        }
        case TTypeKind::Float:
            if (v.kind == TFormValue::Integer)
                p.Set(instance, TPropValue(static_cast<double>(v.integer)));
            else {
                expect(TFormValue::Float, "a number");
                p.Set(instance, TPropValue(v.number));
            }
            break;
        case TTypeKind::String:
            expect(TFormValue::String, "a string");
            p.Set(instance, TPropValue(v.text));
            break;
        case TTypeKind::Method: {
            expect(TFormValue::Ident, "a handler name");
            const TMethodInfo* m = FRoot->ClassType().FindMethod(v.text);
            if (!m) Fail(item.line, label, FRoot->ClassName() + " has no handler " + v.text);
            if (m->Signature != type)
                Fail(item.line, label, Format("handler %s is a %s, not a %s", v.text.c_str(), m->Signature->Name,
                                              type->Name));
            p.Set(instance, TPropValue(TMethod{FRoot, m->Code}));
            break;
        }
        case TTypeKind::Class: {
            // A reference to a component of the form, resolved at the end.
            expect(TFormValue::Ident, "a component name");
            if (!p.Set) Fail(item.line, label, "property is read-only");
            FFixups.push_back(Fixup{instance, &p, v.text, label, item.line});
            break;
        }
        }
    }

    void ResolveFixups() {
        for (const Fixup& f : FFixups) {
            TComponent* target = SameText(f.target, FRoot->Name()) ? FRoot : FRoot->FindComponent(f.target);
            if (!target) Fail(f.line, f.item, "no component named " + f.target);
            try {
                f.property->Set(f.instance, TPropValue(static_cast<TObject*>(target)));
            } catch (const std::exception& e) {
                Fail(f.line, f.item, e.what());
            }
        }
    }

    TComponent* FRoot;
    AnsiString FResource;
    std::vector<Fixup> FFixups;
    std::vector<TComponent*>* FMade = nullptr;
};

}  // namespace

void ReadFormText(TComponent* root, const AnsiString& text, const AnsiString& resourceName) {
    auto tree = ParseFormText(text, resourceName);
    Reader(root, resourceName).Read(*tree);
}
