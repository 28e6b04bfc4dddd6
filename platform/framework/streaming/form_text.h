// The text of a form resource, parsed into a tree and printed back.
//
//   // comment
//   TGameForm GameForm {               (a component without a name: TGameForm {)
//     Left = 192                      integer (also 0x1F, -11)
//     Cost = 12.5                     number (floats, money, dates)
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
#include <string_view>

#include "framework/streaming/component_tree.h"

// Raises EReadError naming the resource and line for malformed text,
// text larger than MaxComponentImageSize and components nested deeper
// than MaxComponentNesting.
std::unique_ptr<TFormNode> ParseFormText(std::string_view text, const AnsiString& resourceName);
AnsiString PrintFormText(const TFormNode& root);
