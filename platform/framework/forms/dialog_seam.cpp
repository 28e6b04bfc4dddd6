#include "framework/forms/dialog_seam.h"

namespace {
TDialogAnswerer& Installed() {
    static TDialogAnswerer answerer;
    return answerer;
}
}  // namespace

TDialogAnswerer SetDialogAnswerer(TDialogAnswerer answerer) {
    TDialogAnswerer previous = std::move(Installed());
    Installed() = std::move(answerer);
    return previous;
}

// The answerer is called through a copy: it may install another one.
std::optional<TDialogAnswer> AskDialogAnswerer(const TDialogQuestion& question) {
    TDialogAnswerer answerer = Installed();
    if (!answerer) return std::nullopt;
    return answerer(question);
}
