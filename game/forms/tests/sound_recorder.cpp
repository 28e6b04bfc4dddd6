#include "sound_recorder.h"

#include "framework/system/sound.h"

namespace {
std::vector<SoundRequest> Requests;
Sound::Player Previous = nullptr;

BOOL WINAPI Record(LPCSTR sound, HMODULE module, DWORD flags) {
    Requests.push_back(SoundRequest{sound ? sound : "", module, flags});
    return Sound::PlatformPlayer(sound, module, flags);
}
}  // namespace

SoundRecorder::SoundRecorder() {
    Requests.clear();
    Previous = Sound::SetPlayer(Record);
}

SoundRecorder::~SoundRecorder() { Sound::SetPlayer(Previous); }

std::vector<SoundRequest> SoundRecorder::Take() {
    std::vector<SoundRequest> taken;
    taken.swap(Requests);
    return taken;
}

std::vector<std::string> SoundRecorder::TakeNames() {
    std::vector<std::string> names;
    for (const SoundRequest& r : Take()) names.push_back(r.name);
    return names;
}
