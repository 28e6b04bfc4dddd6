#include "framework/streaming/component_image.h"

#include <cstring>

namespace {

enum Tag : uint8_t {
    TagInt8 = 1, TagInt16, TagInt32, TagInt64, TagSingle, TagDouble, TagMoney, TagString, TagIdent, TagSet, TagList,
    TagBinary,
};

class ImageWriter {
public:
    TBytes Image(const TFormNode& root) {
        FOut.assign(ComponentImageSignature, ComponentImageSignature + 4);
        Fixed(ComponentImageVersion, 2);
        Fixed(0, 4);  // the length, once known
        Node(root);
        uint64_t length = FOut.size() - ComponentImageHeaderSize;
        if (length > static_cast<uint64_t>(MaxComponentImageSize))
            throw EStreamError(Format("A component image of %d bytes is larger than the %d allowed", length,
                                      MaxComponentImageSize));
        for (int i = 0; i < 4; ++i) FOut[6 + i] = static_cast<uint8_t>(length >> (8 * i));
        return std::move(FOut);
    }

private:
    void Fixed(uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) FOut.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
    void Count(uint64_t value) {
        do {
            uint8_t b = value & 0x7F;
            value >>= 7;
            FOut.push_back(value ? b | 0x80 : b);
        } while (value);
    }
    void Text(const AnsiString& text) {
        Count(text.size());
        FOut.insert(FOut.end(), text.begin(), text.end());
    }

    void Node(const TFormNode& node) {
        Text(node.className);
        Text(node.name);
        Count(node.items.size());
        for (const TFormItem& item : node.items) {
            Text(item.path);
            Value(item.value);
        }
        Count(node.children.size());
        for (const auto& child : node.children) Node(*child);
    }

    void Value(const TFormValue& v) {
        switch (v.kind) {
        case TFormValue::Integer:
            if (v.integer >= INT8_MIN && v.integer <= INT8_MAX) {
                FOut.push_back(TagInt8);
                Fixed(static_cast<uint64_t>(v.integer), 1);
            } else if (v.integer >= INT16_MIN && v.integer <= INT16_MAX) {
                FOut.push_back(TagInt16);
                Fixed(static_cast<uint64_t>(v.integer), 2);
            } else if (v.integer >= INT32_MIN && v.integer <= INT32_MAX) {
                FOut.push_back(TagInt32);
                Fixed(static_cast<uint64_t>(v.integer), 4);
            } else {
                FOut.push_back(TagInt64);
                Fixed(static_cast<uint64_t>(v.integer), 8);
            }
            break;
        case TFormValue::Float:
            if (v.single) {
                FOut.push_back(TagSingle);
                Fixed(std::bit_cast<uint32_t>(static_cast<float>(v.number)), 4);
            } else {
                FOut.push_back(TagDouble);
                Fixed(std::bit_cast<uint64_t>(v.number), 8);
            }
            break;
        case TFormValue::Money:
            FOut.push_back(TagMoney);
            Fixed(static_cast<uint64_t>(v.integer), 8);
            break;
        case TFormValue::String:
            FOut.push_back(TagString);
            Text(v.text);
            break;
        case TFormValue::Ident:
            FOut.push_back(TagIdent);
            Text(v.text);
            break;
        case TFormValue::Set:
        case TFormValue::List:
            FOut.push_back(v.kind == TFormValue::Set ? TagSet : TagList);
            Count(v.items.size());
            for (const AnsiString& item : v.items) Text(item);
            break;
        case TFormValue::Binary:
            FOut.push_back(TagBinary);
            Count(v.bytes.size());
            FOut.insert(FOut.end(), v.bytes.begin(), v.bytes.end());
            break;
        }
    }

    TBytes FOut;
};

class ImageParser {
public:
    ImageParser(const uint8_t* data, size_t size, const AnsiString& source)
        : FData(data), FSize(size), FSource{source, true} {}

    // Checks the header; the length of the whole image.
    size_t Header() {
        if (FSize < ComponentImageHeaderSize || std::memcmp(FData, ComponentImageSignature, 4) != 0)
            Fail("not a component image");
        FPos = 4;
        uint64_t version = Fixed(2);
        if (version != ComponentImageVersion)
            Fail(Format("version %d cannot be read (this reader knows version %d)", version, ComponentImageVersion));
        uint64_t length = Fixed(4);
        if (length > static_cast<uint64_t>(MaxComponentImageSize))
            Fail(Format("an image of %d bytes is larger than the %d allowed", length, MaxComponentImageSize));
        return ComponentImageHeaderSize + static_cast<size_t>(length);
    }

    std::unique_ptr<TFormNode> Image() {
        size_t length = Header();
        if (length > FSize)
            Fail(Format("the image is %d bytes long but only %d are there", length, FSize));
        if (length < FSize) Fail(Format("%d bytes follow the image", FSize - length));
        auto root = Node(1);
        FItem.clear();
        if (FPos != FSize) Fail(Format("%d bytes are left after the component", FSize - FPos));
        return root;
    }

private:
    [[noreturn]] void Fail(const AnsiString& what) const {
        throw EReadError(FSource.Where(static_cast<int64_t>(FPos)) + ": " + (FItem.empty() ? "" : FItem + ": ") + what);
    }

    void Need(uint64_t bytes) {
        if (bytes > FSize - FPos) Fail(Format("the image ends within %d bytes it still needs", bytes));
    }

    uint64_t Fixed(int bytes) {
        Need(static_cast<uint64_t>(bytes));
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(FData[FPos++]) << (8 * i);
        return v;
    }

    int64_t Signed(int bytes) {
        uint64_t v = Fixed(bytes);
        int shift = 64 - 8 * bytes;
        return static_cast<int64_t>(v << shift) >> shift;
    }

    // A count or length, which at least minBytes each must fit in what
    // is left, so that no count makes the reader allocate or loop for
    // more than the image holds.
    size_t Count(size_t minBytes) {
        uint64_t v = 0;
        for (int shift = 0;; shift += 7) {
            Need(1);
            uint8_t b = FData[FPos++];
            if (shift == 63 && b > 1) Fail("a count beyond 64 bits");
            v |= static_cast<uint64_t>(b & 0x7F) << shift;
            if (!(b & 0x80)) break;
        }
        if (v > (FSize - FPos) / minBytes)
            Fail(Format("%d entries cannot fit in the %d bytes left", v, FSize - FPos));
        return static_cast<size_t>(v);
    }

    AnsiString Text() {
        size_t n = Count(1);
        AnsiString s(reinterpret_cast<const char*>(FData + FPos), n);
        FPos += n;
        return s;
    }

    void Check(const AnsiString& complaint) const {
        if (!complaint.empty()) Fail(complaint);
    }

    std::unique_ptr<TFormNode> Node(int depth) {
        Check(FLimits.Node(depth));
        auto node = std::make_unique<TFormNode>();
        node->pos = static_cast<int64_t>(FPos);
        node->className = Text();
        if (node->className.empty()) Fail("a component without a class name");
        FItem = node->className;
        node->name = Text();
        AnsiString label = node->name.empty() ? node->className : node->name;
        FItem = label;
        size_t items = Count(3);  // a path of one letter and a tag at least
        for (size_t i = 0; i < items; ++i) {
            Check(FLimits.Entry());
            TFormItem item;
            item.pos = static_cast<int64_t>(FPos);
            item.path = Text();
            FItem = label + "." + item.path;
            if (item.path.empty()) Fail("an item without a name");
            item.value = Value();
            node->items.push_back(std::move(item));
            FItem = label;
        }
        size_t children = Count(5);  // class name, empty name and two counts at least
        for (size_t i = 0; i < children; ++i) {
            node->children.push_back(Node(depth + 1));
            FItem = label;
        }
        return node;
    }

    TFormValue Value() {
        TFormValue v;
        Need(1);
        uint8_t tag = FData[FPos++];
        switch (tag) {
        case TagInt8: v.integer = Signed(1); break;
        case TagInt16: v.integer = Signed(2); break;
        case TagInt32: v.integer = Signed(4); break;
        case TagInt64: v.integer = Signed(8); break;
        case TagSingle:
            v.kind = TFormValue::Float;
            v.single = true;
            v.number = std::bit_cast<float>(static_cast<uint32_t>(Fixed(4)));
            break;
        case TagDouble:
            v.kind = TFormValue::Float;
            v.number = std::bit_cast<double>(Fixed(8));
            break;
        case TagMoney:
            v.kind = TFormValue::Money;
            v.integer = Signed(8);
            break;
        case TagString:
        case TagIdent:
            v.kind = tag == TagString ? TFormValue::String : TFormValue::Ident;
            v.text = Text();
            break;
        case TagSet:
        case TagList: {
            v.kind = tag == TagSet ? TFormValue::Set : TFormValue::List;
            size_t n = Count(1);
            for (size_t i = 0; i < n; ++i) {
                Check(FLimits.Entry());
                v.items.push_back(Text());
            }
            break;
        }
        case TagBinary: {
            v.kind = TFormValue::Binary;
            size_t n = Count(1);
            v.bytes.assign(FData + FPos, FData + FPos + n);
            FPos += n;
            break;
        }
        default: --FPos; Fail(Format("unknown value tag %d", tag));
        }
        return v;
    }

    const uint8_t* FData;
    size_t FSize;
    size_t FPos = 0;
    TFormSource FSource;
    AnsiString FItem;  // what is being read, for messages
    TTreeLimits FLimits;
};

}  // namespace

bool IsComponentImage(const uint8_t* data, size_t size) {
    return size >= 4 && std::memcmp(data, ComponentImageSignature, 4) == 0;
}

TBytes PrintComponentImage(const TFormNode& root) { return ImageWriter().Image(root); }

std::unique_ptr<TFormNode> ParseComponentImage(const TBytes& image, const AnsiString& sourceName) {
    return ImageParser(image.data(), image.size(), sourceName).Image();
}

size_t ComponentImageLength(const uint8_t (&header)[ComponentImageHeaderSize], const AnsiString& sourceName) {
    return ImageParser(header, ComponentImageHeaderSize, sourceName).Header();
}
