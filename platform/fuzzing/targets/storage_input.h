// Inputs for a control's stream and storage: a stream holding the bytes,
// and a real compound storage built from a listing of its streams,
//
//   listing: { name length (1 byte), name (one character a byte),
//              data length (32 bits, little-endian), data }...
//
// so that mutations reach what the control and the platform read from
// the streams rather than stopping at the compound file's own structure.
// A listing cut short ends where it is cut; a stream whose name the
// platform refuses, or longer than 31 characters, is left out.
#pragma once
#include <objidl.h>

#include <string>

namespace suite::fuzzing {

IStream* StreamOf(const std::string& bytes);
std::string StreamBytes(IStream* stream);
IStorage* StorageOf(const std::string& listing);
// The streams at the storage's top, as a listing.
std::string StorageListing(IStorage* storage);

}  // namespace suite::fuzzing
