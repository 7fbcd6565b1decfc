// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace sorvanto {

// Reads the program's options before the GUI framework starts, so that none of them needs a
// display. The exit status when the options have done the process's work (help, version) or are
// wrong; nothing when the program is to run.
std::optional<int> handleCommandLine(int argc, char* argv[]);

}  // namespace sorvanto
