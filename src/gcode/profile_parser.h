#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "gcode/machine_profile.h"

namespace korvex {

// What is wrong on one line of a profile file.
struct ProfileError {
  enum class Kind {
    NotKeyValue,  // a line that is neither blank, a comment nor "key = value"
    UnknownKey,
    RepeatedKey,
    MissingValue,
    BadNumber,        // not a plain decimal number
    OutOfRange,       // a number outside its key's range
    BadChoice,        // axes other than mm or degrees
    CollidingLetter,  // a rotation letter that is not an angular axis
    BadText,          // a text value that no controller line can hold
  };
  Kind kind;
  std::string source;  // the file name the parser was given
  int line = 0;        // counted from 1
  std::string detail;

  // "SOURCE:LINE: DETAIL".
  std::string message() const;
};

using ProfileParse = std::variant<MachineProfile, std::vector<ProfileError>>;

// The text with every byte outside printable ASCII shown as \xHH, so that a message never
// carries a raw control byte to the terminal.
std::string EscapedText(std::string_view text);

// Reads a profile file's text (a UTF-8 byte order mark is skipped; CR, LF and CR LF end lines).
// name becomes the profile's name (and title, unless the text gives one); source names the file in
// the messages. Every line with a mistake is reported.
ProfileParse ParseMachineProfile(std::string_view text, const std::string& name,
                                 const std::string& source);

}  // namespace korvex
