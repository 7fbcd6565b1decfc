// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sorvanto {

// The desktop's event-sound service. play() returns at once and never fails visibly: a theme
// sound of that name plays, else a file of that name, else the desktop's default sound. A later
// call cuts off a sound still playing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& name) = 0;
};

}  // namespace sorvanto
