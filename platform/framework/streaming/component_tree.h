// The one model of a stored component: its class, name, property values
// and the components inside it, as a tree that every codec (the readable
// form text, the binary component image) reads into and writes from. The
// reader builds components from a tree; the writer makes a tree of them.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/classes/object.h"

struct TFormValue {
    enum Kind { Integer, Float, Money, String, Ident, Set, List, Binary } kind = Integer;
    int64_t integer = 0;               // Integer; Money: the amount times 10000
    double number = 0;                 // Float
    bool single = false;               // Float held in 32 bits: written as such
    AnsiString text = {};              // String, Ident; a Float read from text: the number as written
    std::vector<AnsiString> items = {};  // Set (identifiers), List (strings)
    TBytes bytes = {};                 // Binary

    bool operator==(const TFormValue& other) const;
};

struct TFormItem {
    AnsiString path;  // dotted
    TFormValue value;
    int64_t pos = 0;  // where it starts: its line in text, its offset in an image
};

struct TFormNode {
    AnsiString className;
    AnsiString name;  // may be empty: a component without a name
    int64_t pos = 0;
    std::vector<TFormItem> items;
    std::vector<std::unique_ptr<TFormNode>> children;
};

// Where a tree came from, for messages: "GAMEFORM(12)" names a line of
// form text, "Component image at offset 40" a byte of an image.
struct TFormSource {
    AnsiString Name;
    bool Binary = false;
    AnsiString Where(int64_t pos) const;
};

// What a reader accepts at most, so that no input can exhaust the stack
// or the memory: components nested this deep, text or images this large,
// and this many entries (components, values, set and list elements) in
// one tree.
constexpr int MaxComponentNesting = 64;
constexpr int64_t MaxComponentImageSize = int64_t(64) << 20;
constexpr size_t MaxComponentEntries = 1000000;

// What a parser has read so far, against those limits: each step answers
// the complaint when a limit is passed (the parser raises it, naming the
// place), or an empty string.
class TTreeLimits {
public:
    AnsiString Node(int depth);  // a component at that depth (the root is 1)
    AnsiString Entry();          // a value, or a set or list element

private:
    size_t FEntries = 0;
};
