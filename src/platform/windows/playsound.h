// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../sound.h"

namespace sorvanto {

// The system's own event sounds: a sound of that name from the sound scheme, else the file, else
// the default sound, played by the system in the background.
class PlaySoundPlayer final : public SoundPlayer {
public:
    void play(const QString& name) override;
};

}  // namespace sorvanto
