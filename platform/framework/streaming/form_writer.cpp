#include "framework/streaming/form_writer.h"

#include <utility>

#include "framework/classes/strings.h"
#include "framework/streaming/form_text.h"
#include "framework/streaming/value_kinds.h"

namespace {

// The defined (binary and string-list) values of an object.
class CollectingFiler : public TFiler {
public:
    void DefineBinaryProperty(const char* name, std::function<void(TBytes&&)>, std::function<TBytes()> write,
                              bool hasData) override {
        if (!hasData) return;
        TFormValue v;
        v.kind = TFormValue::Binary;
        v.bytes = write();
        Values.emplace_back(name, std::move(v));
    }
    void DefineStringsProperty(const char* name, TStrings* strings, bool hasData) override {
        if (!hasData) return;
        TFormValue v;
        v.kind = TFormValue::List;
        v.items = strings->Items();
        Values.emplace_back(name, std::move(v));
    }
    std::vector<std::pair<AnsiString, TFormValue>> Values;
};

std::vector<std::pair<AnsiString, TFormValue>> DefinedValues(TObject* instance) {
    CollectingFiler filer;
    if (auto persistent = ObjectAs<TPersistent>(instance)) persistent->DefineProperties(filer);
    return std::move(filer.Values);
}

class Writer {
public:
    Writer(TComponent* root, const TWriteOptions& options) : FRoot(root), FOptions(options) {}

    std::unique_ptr<TFormNode> Node(TComponent* component, TComponent* ancestor) {
        auto node = std::make_unique<TFormNode>();
        node->className = component->ClassName();
        node->name = component->Name();
        WriteProperties(*node, component, ancestor, "");
        WriteDesignPosition(*node, *component);
        if (FOptions.Children) {
            for (TComponent* child : component->GetChildren(FRoot)) {
                TComponent* childAncestor = FOptions.Ancestor && !child->Name().empty()
                                                ? FOptions.Ancestor->FindComponent(child->Name())
                                                : nullptr;
                node->children.push_back(Node(child, childAncestor));
            }
        }
        return node;
    }

private:
    // A control's own Left and Top are its position; anything else keeps
    // its designer position under the same names.
    static void WriteDesignPosition(TFormNode& node, const TComponent& component) {
        const TDesignInfo& info = component.DesignInfo();
        if (!info.Placed || component.ClassType().FindProperty("Left") || component.ClassType().FindProperty("Top"))
            return;
        for (auto [name, value] : {std::pair{"Left", info.Left}, std::pair{"Top", info.Top}}) {
            TFormItem item;
            item.path = name;
            item.value.kind = TFormValue::Integer;
            item.value.integer = value;
            node.items.push_back(std::move(item));
        }
    }

    // The value as the tree holds it (a reference to root or a component
    // it owns by name); false when there is nothing to write.
    static bool ToForm(PTypeInfo type, const TPropValue& value, const TComponent* root, TFormValue& out) {
        if (type->Kind != TTypeKind::Class) return ValueKindOf(type).ToForm(type, value, root, out);
        auto component = ObjectAs<TComponent>(std::get<TObject*>(value));
        if (!component || component->Name().empty() || (component != root && component->Owner() != root))
            return false;
        out.kind = TFormValue::Ident;
        out.text = component->Name();
        return true;
    }

    static bool IsDefault(const TPropInfo& p, const TPropValue& value) {
        if (!p.HasDefault) return false;
        PTypeInfo type = p.PropType();
        if (type->Kind == TTypeKind::Class) return std::get<TObject*>(value) == nullptr;
        return ValueKindOf(type).IsDefault(p, value);
    }

    void WriteProperties(TFormNode& node, TObject* instance, TObject* ancestor, const AnsiString& prefix) {
        for (const TPropInfo* p : instance->ClassType().Properties()) {
            if (!p->IsStored(instance)) continue;
            AnsiString path = prefix + p->Name;
            PTypeInfo type = p->PropType();
            TPropValue value = p->Get(instance);
            const TPropInfo* inherited = ancestor ? ancestor->ClassType().FindProperty(p->Name) : nullptr;
            TObject* object = type->Kind == TTypeKind::Class ? std::get<TObject*>(value) : nullptr;
            if (object && !ObjectAs<TComponent>(object)) {
                // An owned sub-object: its own properties under dotted names.
                TObject* ancestorObject = inherited ? std::get<TObject*>(inherited->Get(ancestor)) : nullptr;
                WriteProperties(node, object, ancestorObject, path + ".");
                continue;
            }
            TFormValue v;
            if (!ToForm(type, value, FRoot, v)) continue;
            if (inherited) {
                TFormValue was;
                if (ToForm(inherited->PropType(), inherited->Get(ancestor), FOptions.Ancestor, was) && was == v)
                    continue;
            } else if (IsDefault(*p, value)) {
                continue;
            }
            node.items.push_back(TFormItem{path, std::move(v), 0});
        }
        auto inheritedValues = ancestor ? DefinedValues(ancestor) : decltype(DefinedValues(ancestor)){};
        for (auto& [name, value] : DefinedValues(instance)) {
            bool same = false;
            for (const auto& [otherName, other] : inheritedValues) same = same || (otherName == name && other == value);
            if (!same) node.items.push_back(TFormItem{prefix + name, std::move(value), 0});
        }
    }

    TComponent* FRoot;
    TWriteOptions FOptions;
};

}  // namespace

std::unique_ptr<TFormNode> WriteComponentTree(TComponent* root, const TWriteOptions& options) {
    return Writer(root, options).Node(root, options.Ancestor);
}

AnsiString WriteFormText(TComponent* root) { return PrintFormText(*WriteComponentTree(root)); }
