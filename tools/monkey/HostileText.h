#pragma once

#include <QString>

namespace korvanta::monkey {

class Dice;

// Text a user, a paste or an attacker might put in a field: numbers at the limits of
// doubles and ints, signs, exponents, words, non-ASCII, control characters, very long runs.
QString HostileText(Dice& dice);

}  // namespace korvanta::monkey
