// Sounds go through one call with the platform's PlaySoundA signature, so
// that a test can put a recorder in front of the platform (which then
// still plays them) without replacing anything else in the program.
#pragma once
#include <windows.h>

namespace Sound {

using Player = BOOL(WINAPI*)(LPCSTR sound, HMODULE module, DWORD flags);

// Hands the arguments unchanged to the current player (PlaySoundA unless
// a test installed another).
BOOL Play(LPCSTR sound, HMODULE module, DWORD flags);
// Installs player (nullptr: the platform's again); returns the previous one.
Player SetPlayer(Player player);
// The platform's own player, for recorders to pass sounds on to.
BOOL WINAPI PlatformPlayer(LPCSTR sound, HMODULE module, DWORD flags);

}  // namespace Sound
