#include "framework/system/sound.h"

#include "framework/system/delayed_imports.h"

namespace Sound {

static Player CurrentPlayer = nullptr;

BOOL WINAPI PlatformPlayer(LPCSTR sound, HMODULE module, DWORD flags) { return Delayed::PlaySoundA(sound, module, flags); }

BOOL Play(LPCSTR sound, HMODULE module, DWORD flags) {
    return (CurrentPlayer ? CurrentPlayer : PlatformPlayer)(sound, module, flags);
}

Player SetPlayer(Player player) {
    Player previous = CurrentPlayer ? CurrentPlayer : PlatformPlayer;
    CurrentPlayer = player;
    return previous;
}

}  // namespace Sound
