#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include "domain/part.h"
#include "project/part_fields.h"

class QLabel;
class QLineEdit;

namespace korvex {

// The shortest text that reads back as the same number.
QString NumberText(double value);

// A line edit of the part editor and the part's value it shows: a number, a whole number or a
// text, with the label that shows its problems.
struct PartTextField {
  PartPlace place;
  std::function<double&(Part&)> number;
  std::function<std::int64_t&(Part&)> whole;
  std::function<std::string&(Part&)> text;
  QLineEdit* edit = nullptr;
  QLabel* problem = nullptr;

  static PartTextField Number(PartPlace place, std::function<double&(Part&)> value);
  static PartTextField Whole(PartPlace place, std::function<std::int64_t&(Part&)> value);
  static PartTextField Text(PartPlace place, std::function<std::string&(Part&)> value);

  QString shown(Part& part) const;
  // False when the text is not a value of this field.
  bool store(const QString& typed, Part& part) const;
};

}  // namespace korvex
