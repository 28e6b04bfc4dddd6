#include "framework/streaming/component_stream.h"

#include "framework/classes/class_registry.h"
#include "framework/streaming/component_image.h"
#include "framework/streaming/form_reader.h"
#include "framework/streaming/form_text.h"

namespace {

const char* const StreamSource = "Component image";

TBytes ReadImage(TStream& stream, const uint8_t (&header)[ComponentImageHeaderSize]) {
    size_t length = ComponentImageLength(header, StreamSource);
    TBytes image(header, header + ComponentImageHeaderSize);
    image.resize(length);
    int64_t wanted = static_cast<int64_t>(length - ComponentImageHeaderSize);
    int64_t got = stream.Read(image.data() + ComponentImageHeaderSize, wanted);
    if (got != wanted)
        throw EReadError(Format("%s at offset %d: the image is %d bytes long but the stream ends after %d",
                                StreamSource, ComponentImageHeaderSize + static_cast<size_t>(got), length,
                                ComponentImageHeaderSize + static_cast<size_t>(got)));
    return image;
}

AnsiString ReadText(TStream& stream, const uint8_t* start, int64_t startLength) {
    int64_t rest = stream.Size() - stream.Position();
    if (startLength + rest > MaxComponentImageSize)
        throw EReadError(Format("%s: %d bytes of form text are more than the %d allowed", StreamSource,
                                startLength + rest, MaxComponentImageSize));
    AnsiString text(reinterpret_cast<const char*>(start), static_cast<size_t>(startLength));
    text.resize(static_cast<size_t>(startLength + rest));
    stream.ReadBuffer(text.data() + startLength, rest);
    return text;
}

}  // namespace

void WriteComponent(TStream& stream, TComponent* instance, const TWriteOptions& options, TComponentFormat format) {
    auto tree = WriteComponentTree(instance, options);
    if (format == TComponentFormat::Text) {
        AnsiString text = PrintFormText(*tree);
        stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
    } else {
        TBytes image = PrintComponentImage(*tree);
        stream.WriteBuffer(image.data(), static_cast<int64_t>(image.size()));
    }
}

TComponent* ReadComponent(TStream& stream, TComponent* instance, TComponent* owner) {
    uint8_t header[ComponentImageHeaderSize] = {};
    int64_t got = stream.Read(header, sizeof header);
    std::unique_ptr<TFormNode> tree;
    TFormSource source{StreamSource, true};
    if (IsComponentImage(header, static_cast<size_t>(got))) {
        if (got < static_cast<int64_t>(sizeof header))
            throw EReadError(Format("%s at offset %d: the image ends within its header", StreamSource, got));
        tree = ParseComponentImage(ReadImage(stream, header), StreamSource);
    } else {
        source = TFormSource{"Component text", false};
        tree = ParseFormText(ReadText(stream, header, got), source.Name);
    }
    std::unique_ptr<TComponent> made;
    if (!instance) {
        try {
            made.reset(FindClass(tree->className, TComponent::StaticClass()).Create(owner));
        } catch (const std::exception& e) {
            throw EReadError(source.Where(tree->pos) + ": " + tree->className + ": " + e.what());
        }
        instance = made.get();
    }
    ReadComponentTree(instance, *tree, source);
    made.release();
    return instance;
}
