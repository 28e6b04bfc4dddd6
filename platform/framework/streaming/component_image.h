// The compact binary component image: the same tree as the form text.
//
//   "FRCI"  version (16 bits)  length of the rest (32 bits)  node
//   node:   class name, name, item count, items, child count, nodes
//   item:   dotted path, tag byte, value
//
// Numbers are little-endian; strings and counts are preceded by their
// length as an unsigned LEB128 number. Tags: 1 to 4 integers of 8, 16, 32
// and 64 bits; 5 Single; 6 Double; 7 money (64-bit count of
// ten-thousandths); 8 string; 9 identifier; 10 set (count, names); 11
// list of strings (count, strings); 12 binary data.
#pragma once
#include "framework/streaming/component_tree.h"

constexpr uint8_t ComponentImageSignature[4] = {'F', 'R', 'C', 'I'};
constexpr uint16_t ComponentImageVersion = 1;
constexpr size_t ComponentImageHeaderSize = 10;

bool IsComponentImage(const uint8_t* data, size_t size);
TBytes PrintComponentImage(const TFormNode& root);
// Raises EReadError "<source> at offset N: <item>: <what>" for anything
// that is not a whole image of this version: a bad signature, a length
// beyond MaxComponentImageSize or beyond the bytes there are, nesting
// deeper than MaxComponentNesting, an unknown tag, bytes left over.
// Nothing is read past the end of image.
std::unique_ptr<TFormNode> ParseComponentImage(const TBytes& image, const AnsiString& sourceName);
// The length of the whole image from its header (which it checks as
// above): what a stream reader reads before parsing.
size_t ComponentImageLength(const uint8_t (&header)[ComponentImageHeaderSize], const AnsiString& sourceName);
