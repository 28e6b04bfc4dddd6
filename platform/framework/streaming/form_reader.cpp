#include "framework/streaming/form_reader.h"

#include <functional>

#include "framework/classes/class_registry.h"
#include "framework/classes/strings.h"
#include "framework/streaming/form_text.h"
#include "framework/streaming/value_kinds.h"

namespace {

// Finds a defined property by name on an object.
class FindingFiler : public TFiler {
public:
    explicit FindingFiler(const AnsiString& name) : FName(name) {}
    void DefineBinaryProperty(const char* name, std::function<void(TBytes&&)> read,
                              std::function<TBytes()> write, bool hasData) override {
        if (!SameText(name, FName)) return;
        BinaryReader = std::move(read);
        BinaryWriter = std::move(write);
        HasData = hasData;
    }
    void DefineStringsProperty(const char* name, TStrings* strings, bool) override {
        if (SameText(name, FName)) Strings = strings;
    }
    std::function<void(TBytes&&)> BinaryReader;
    std::function<TBytes()> BinaryWriter;
    bool HasData = false;
    TStrings* Strings = nullptr;

private:
    AnsiString FName;
};

struct Fixup {
    TObject* instance;
    const TPropInfo* property;
    AnsiString target;
    AnsiString item;
    int64_t pos;
    bool ofRoot;  // the root or one of its sub-objects, not a component made here
};

class Reader {
public:
    Reader(TComponent* root, const TFormSource& source) : FRoot(root), FSource(source) {}

    void Read(TFormNode& node) {
        if (!SameText(node.className, FRoot->ClassName()))
            Fail(node.pos, node.className,
                 "the resource describes a " + node.className + ", not a " + FRoot->ClassName());
        FRoot->BeginLoading();
        try {
            if (FRoot->Name().empty() && !node.name.empty()) SetRootName(node);
            ReadItems(FRoot, node, true);
            for (const auto& child : node.children) ReadChild(FRoot, *child);
            ResolveFixups();
        } catch (...) {
            Undo();
            FRoot->EndLoading();
            throw;
        }
        for (TComponent* c : FMade) c->Loaded();
        FRoot->Loaded();
    }

private:
    [[noreturn]] void Fail(int64_t pos, const AnsiString& item, const AnsiString& what) const {
        throw EReadError(FSource.Where(pos) + ": " + item + ": " + what);
    }

    // Puts back what reading changed on the root and its sub-objects (last
    // change first), then frees the components made.
    void Undo() {
        for (auto it = FUndo.rbegin(); it != FUndo.rend(); ++it) {
            try {
                (*it)();
            } catch (...) {
                // The value that was there is put back as far as it goes.
            }
        }
        for (auto it = FMade.rbegin(); it != FMade.rend(); ++it) delete *it;
    }

    void SetRootName(const TFormNode& node) {
        if (!IsValidIdent(node.name)) Fail(node.pos, node.name, "not a valid component name");
        AnsiString candidate = node.name;
        TComponent* owner = FRoot->Owner();
        for (int n = 1; owner && owner->FindComponent(candidate); ++n) candidate = Format("%s_%d", node.name, n);
        FUndo.push_back([root = FRoot, old = FRoot->Name()] { root->SetName(old); });
        FRoot->SetName(candidate);
    }

    void ReadChild(TComponent* container, TFormNode& node) {
        AnsiString label = node.name.empty() ? node.className : node.name;
        const TClassInfo* cls = GetClass(node.className);
        if (!cls) Fail(node.pos, label, "class " + node.className + " not found");
        if (!cls->IsComponentClass() || !cls->CanCreate())
            Fail(node.pos, label, "class " + node.className + " cannot be created by name");
        if (!node.name.empty()) {
            if (!IsValidIdent(node.name)) Fail(node.pos, label, "not a valid component name");
            if (FRoot->FindComponent(node.name))
                Fail(node.pos, label, "a component named " + node.name + " already exists");
        }
        TComponent* component = nullptr;
        try {
            component = cls->Create(FRoot);
        } catch (const std::exception& e) {
            Fail(node.pos, label, e.what());
        }
        FMade.push_back(component);
        component->BeginLoading();
        component->SetName(node.name);
        TComponent* parent = container->CanParentChildren() ? container : FRoot;
        try {
            if (parent->CanParentChildren()) parent->SetChildParent(component);
        } catch (const std::exception& e) {
            Fail(node.pos, label, e.what());
        }
        if (const TComponentFieldInfo* field = node.name.empty() ? nullptr
                                                                 : FRoot->ClassType().FindComponentField(node.name)) {
            if (!cls->InheritsFrom(field->FieldClass()))
                Fail(node.pos, label,
                     Format("field %s holds a %s, not a %s", field->Name, field->FieldClass().Name(), cls->Name()));
            FUndo.push_back([root = FRoot, field, old = field->Value(FRoot)] { field->Assign(root, old); });
            field->Assign(FRoot, component);
        }
        ReadItems(component, node, false);
        for (const auto& child : node.children) ReadChild(component, *child);
    }

    void ReadItems(TComponent* component, TFormNode& node, bool ofRoot) {
        AnsiString name = node.name.empty() ? node.className : node.name;
        for (TFormItem& item : node.items) {
            AnsiString label = name + "." + item.path;
            try {
                ReadItem(component, item, label, ofRoot);
            } catch (const EReadError&) {
                throw;
            } catch (const std::exception& e) {
                Fail(item.pos, label, e.what());
            }
        }
    }

    void ReadItem(TComponent* component, TFormItem& item, const AnsiString& label, bool ofRoot) {
        TObject* instance = component;
        // Walk the dotted path down through owned sub-objects.
        AnsiString path = item.path;
        size_t dot;
        while ((dot = path.find('.')) != AnsiString::npos) {
            AnsiString head = path.substr(0, dot);
            const TPropInfo* p = instance->ClassType().FindProperty(head);
            if (!p || p->PropType()->Kind != TTypeKind::Class)
                Fail(item.pos, label, instance->ClassName() + " has no sub-object " + head);
            auto sub = std::get<TObject*>(p->Get(instance));
            if (!sub) Fail(item.pos, label, head + " is not set");
            if (ObjectAs<TComponent>(sub)) Fail(item.pos, label, head + " refers to a component, not a sub-object");
            instance = sub;
            path = path.substr(dot + 1);
        }
        if (const TPropInfo* p = instance->ClassType().FindProperty(path)) {
            SetProperty(instance, *p, item, label, ofRoot);
            return;
        }
        if (auto persistent = ObjectAs<TPersistent>(instance)) {
            FindingFiler filer(path);
            persistent->DefineProperties(filer);
            if (filer.BinaryReader) {
                if (item.value.kind != TFormValue::Binary) Fail(item.pos, label, "binary data expected");
                if (ofRoot)  // no data reads back as no data
                    FUndo.push_back([read = filer.BinaryReader, old = filer.HasData ? filer.BinaryWriter() : TBytes()] {
                        read(TBytes(old));
                    });
                // Handed over, not copied: a form's pictures are its largest values.
                filer.BinaryReader(std::move(item.value.bytes));
                return;
            }
            if (filer.Strings) {
                if (item.value.kind != TFormValue::List) Fail(item.pos, label, "a list of strings expected");
                if (ofRoot)
                    FUndo.push_back([strings = filer.Strings, old = filer.Strings->Items()] {
                        strings->Clear();
                        for (const AnsiString& s : old) strings->Add(s);
                    });
                filer.Strings->Clear();
                for (const AnsiString& s : item.value.items) filer.Strings->Add(s);
                return;
            }
        }
        if (instance == component && ReadDesignPosition(*component, item, path, label, ofRoot)) return;
        Fail(item.pos, label, instance->ClassName() + " has no property " + path);
    }

    // Left and Top of a component without such properties of its own
    // (anything but a control) are its place in the form designer.
    bool ReadDesignPosition(TComponent& component, const TFormItem& item, const AnsiString& path,
                            const AnsiString& label, bool ofRoot) {
        bool left = SameText(path, "Left");
        if (!left && !SameText(path, "Top")) return false;
        if (item.value.kind != TFormValue::Integer) Fail(item.pos, label, "a number expected for a design position");
        if (item.value.integer < INT32_MIN || item.value.integer > INT32_MAX)
            Fail(item.pos, label, Format("value %d out of range", item.value.integer));
        if (ofRoot) FUndo.push_back([c = &component, old = component.DesignInfo()] { c->SetDesignInfo(old); });
        int value = static_cast<int>(item.value.integer);
        if (left) component.SetDesignLeft(value);
        else component.SetDesignTop(value);
        return true;
    }

    void SetProperty(TObject* instance, const TPropInfo& p, const TFormItem& item, const AnsiString& label,
                     bool ofRoot) {
        PTypeInfo type = p.PropType();
        if (!p.Set) Fail(item.pos, label, "property is read-only");
        if (type->Kind == TTypeKind::Class) {
            // A reference to a component of the form, resolved at the end.
            if (item.value.kind != TFormValue::Ident)
                Fail(item.pos, label, Format("a component name expected for a %s property", type->Name));
            FFixups.push_back(Fixup{instance, &p, item.value.text, label, item.pos, ofRoot});
            return;
        }
        TPropValue value = ValueKindOf(type).FromForm(type, item.value, FRoot);
        Assign(instance, p, value, ofRoot);
    }

    void Assign(TObject* instance, const TPropInfo& p, const TPropValue& value, bool ofRoot) {
        if (ofRoot) FUndo.push_back([instance, &p, old = p.Get(instance)] { p.Set(instance, old); });
        p.Set(instance, value);
    }

    void ResolveFixups() {
        for (const Fixup& f : FFixups) {
            TComponent* target = SameText(f.target, FRoot->Name()) ? FRoot : FRoot->FindComponent(f.target);
            if (!target) Fail(f.pos, f.item, "no component named " + f.target);
            try {
                Assign(f.instance, *f.property, TPropValue(static_cast<TObject*>(target)), f.ofRoot);
            } catch (const std::exception& e) {
                Fail(f.pos, f.item, e.what());
            }
        }
    }

    TComponent* FRoot;
    TFormSource FSource;
    std::vector<Fixup> FFixups;
    std::vector<TComponent*> FMade;
    std::vector<std::function<void()>> FUndo;
};

}  // namespace

void ReadComponentTree(TComponent* root, TFormNode& tree, const TFormSource& source) {
    Reader(root, source).Read(tree);
}

void ReadFormText(TComponent* root, std::string_view text, const AnsiString& resourceName) {
    auto tree = ParseFormText(text, resourceName);
    ReadComponentTree(root, *tree, TFormSource{resourceName, false});
}
