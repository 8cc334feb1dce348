// SPDX-License-Identifier: GPL-3.0-or-later
// An NMEA 0183 line ('$' or '!' first, blanks trimmed): a GGA, RMC or GLL fix
// from any talker, Ignored for an invalid fix or any other sentence, or a
// LineError for a wrong checksum or a malformed field.
#pragma once

#include <string_view>

#include "batch/input_line.h"

namespace zelva::batch {

InputLine readSentence(std::string_view line);

} // namespace zelva::batch
