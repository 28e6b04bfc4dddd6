// A single component written to and read from any stream, as a binary
// component image (the default) or as form text: the component's
// published values and, if asked, the components it holds.
#pragma once
#include "framework/classes/streams.h"
#include "framework/streaming/form_writer.h"

enum class TComponentFormat { Binary, Text };

void WriteComponent(TStream& stream, TComponent* instance, const TWriteOptions& options = {},
                    TComponentFormat format = TComponentFormat::Binary);
// Reads an image or form text (told apart by the image's signature) into
// instance, or, when instance is null, into a new component of the
// registered class the stream names, owned by owner; returns the
// component read. A binary image is read to its end and no further; form
// text to the end of the stream. Refused input raises EReadError naming
// the offset or line and the item, and leaves instance as it was.
TComponent* ReadComponent(TStream& stream, TComponent* instance, TComponent* owner = nullptr);
