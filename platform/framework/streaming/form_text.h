// The text of a form resource, parsed into a tree and printed back.
//
//   // comment
//   TGameForm GameForm {
//     Left = 192                      integer (also 0x1F, -11)
//     Caption = "Skelder"             string: \" \\ \n \t \xHH escapes
//     Color = clWhite                 identifier: enum value, named constant,
//     OnClick = FormClick               handler name, component reference,
//     LeftImages = LeftImages           true / false
//     Font.Style = [fsBold]           set
//     Lines.Strings = ("a" "b")       string list
//     Picture.Data = hex{424D...}     binary data, on one line
//     Picture.Data = file "x.bmp"     (form sources only: inlined at build time)
//     TImage Image1 { ... }           child component, in order
//   }
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/classes/object.h"

struct TFormValue {
    enum Kind { Integer, Float, String, Ident, Set, List, Binary } kind = Integer;
    int64_t integer = 0;
    double number = 0;
    AnsiString text;                   // String, Ident
    std::vector<AnsiString> items;     // Set (identifiers), List (strings)
    TBytes bytes;                      // Binary
};

struct TFormItem {
    AnsiString path;  // dotted
    TFormValue value;
    int line = 0;
};

struct TFormNode {
    AnsiString className;
    AnsiString name;
    int line = 0;
    std::vector<TFormItem> items;
    std::vector<std::unique_ptr<TFormNode>> children;
};

// Raises EReadError naming the resource and line for malformed text.
std::unique_ptr<TFormNode> ParseFormText(const AnsiString& text, const AnsiString& resourceName);
AnsiString PrintFormText(const TFormNode& root);
