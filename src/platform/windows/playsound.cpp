// SPDX-License-Identifier: GPL-3.0-or-later
#include "playsound.h"

#include <windows.h>
// After the types it uses.
#include <mmsystem.h>

namespace sorvanto {

// The wide-character call takes any file name the user can type.
void PlaySoundPlayer::play(const QString& name) {
    ::PlaySoundW(reinterpret_cast<LPCWSTR>(name.utf16()), nullptr, SND_ASYNC);
}

}  // namespace sorvanto
