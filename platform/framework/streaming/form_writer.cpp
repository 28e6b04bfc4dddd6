#include "framework/streaming/form_writer.h"

#include <utility>

#include "framework/classes/strings.h"
#include "framework/streaming/form_text.h"

namespace {

class CollectingFiler : public TFiler {
public:
    CollectingFiler(TFormNode& node, const AnsiString& prefix) : FNode(node), FPrefix(prefix) {}
    void DefineBinaryProperty(const char* name, std::function<void(const TBytes&)>, std::function<TBytes()> write,
                              bool hasData) override {
        if (!hasData) return;
        TFormItem item;
        item.path = FPrefix + name;
        item.value.kind = TFormValue::Binary;
        item.value.bytes = write();
        FNode.items.push_back(std::move(item));
    }
    void DefineStringsProperty(const char* name, TStrings* strings, bool hasData) override {
        if (!hasData) return;
        TFormItem item;
        item.path = FPrefix + name;
        item.value.kind = TFormValue::List;
        item.value.items = strings->Items();
        FNode.items.push_back(std::move(item));
    }

private:
    TFormNode& FNode;
    AnsiString FPrefix;
};

class Writer {
public:
    explicit Writer(TComponent* root) : FRoot(root) {}

    std::unique_ptr<TFormNode> Node(TComponent* component) {
        auto node = std::make_unique<TFormNode>();
        node->className = component->ClassName();
        node->name = component->Name();
        WriteProperties(*node, component, "");
        WriteDesignPosition(*node, *component);
        for (TComponent* child : component->GetChildren(FRoot)) node->children.push_back(Node(child));
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

    void WriteProperties(TFormNode& node, TObject* instance, const AnsiString& prefix) {
        for (const TPropInfo* p : instance->ClassType().Properties()) {
            if (!p->IsStored(instance)) continue;
            TPropValue value = p->Get(instance);
            AnsiString path = prefix + p->Name;
            PTypeInfo type = p->PropType();
            TFormValue v;
            switch (type->Kind) {
            case TTypeKind::Integer:
            case TTypeKind::Color: {
                int64_t n = std::get<int64_t>(value);
                if (p->HasDefault && n == p->Default) continue;
                if (const char* ident = IntToIdent(type, n)) {
                    v.kind = TFormValue::Ident;
                    v.text = ident;
                } else {
                    v.kind = TFormValue::Integer;
                    v.integer = n;
                }
                break;
            }
            case TTypeKind::Enumeration:
            case TTypeKind::Boolean: {
                int64_t n = std::get<int64_t>(value);
                if (p->HasDefault && n == p->Default) continue;
                v.kind = TFormValue::Ident;
                v.text = GetEnumName(type, n);
                break;
            }
            case TTypeKind::Set: {
                int64_t bits = std::get<int64_t>(value);
                if (p->HasDefault && bits == p->Default) continue;
                v.kind = TFormValue::Set;
                for (size_t i = 0; i < type->EnumNames.size(); ++i)
                    if (bits & (int64_t(1) << i)) v.items.push_back(type->EnumNames[i]);
                break;
            }
            case TTypeKind::Float:
                v.kind = TFormValue::Float;
                v.number = std::get<double>(value);
                if (v.number == 0) continue;
                break;
            case TTypeKind::String:
                v.kind = TFormValue::String;
                v.text = std::get<AnsiString>(value);
                if (v.text.empty()) continue;
                break;
            case TTypeKind::Method: {
                const TMethod& m = std::get<TMethod>(value);
                if (!m || m.Data != FRoot) continue;
                const TMethodInfo* info = FRoot->ClassType().FindMethod(m);
                if (!info) continue;  // bound to a method that is not published
                v.kind = TFormValue::Ident;
                v.text = info->Name;
                break;
            }
            case TTypeKind::Class: {
                TObject* object = std::get<TObject*>(value);
                if (!object) continue;
                if (auto component = ObjectAs<TComponent>(object)) {
                    if (component != FRoot && component->Owner() != FRoot) continue;
                    v.kind = TFormValue::Ident;
                    v.text = component->Name();
                    break;
                }
                // An owned sub-object: its own properties under dotted names.
                WriteProperties(node, object, path + ".");
                continue;
            }
            }
            node.items.push_back(TFormItem{path, v, 0});
        }
        if (auto persistent = ObjectAs<TPersistent>(instance)) {
            CollectingFiler filer(node, prefix);
            persistent->DefineProperties(filer);
        }
    }

    TComponent* FRoot;
};

}  // namespace

AnsiString WriteFormText(TComponent* root) {
    Writer writer(root);
    return PrintFormText(*writer.Node(root));
}
