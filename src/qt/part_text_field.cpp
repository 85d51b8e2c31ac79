#include "qt/part_text_field.h"

#include "app/part_check.h"
#include "base/decimal_text.h"

namespace korvex {

QString NumberText(double value) {
  return QString::fromStdString(ShortestText(value));
}

PartTextField PartTextField::Number(PartPlace place, std::function<double&(Part&)> value) {
  PartTextField field;
  field.place = place;
  field.number = std::move(value);
  return field;
}

PartTextField PartTextField::Whole(PartPlace place, std::function<std::int64_t&(Part&)> value) {
  PartTextField field;
  field.place = place;
  field.whole = std::move(value);
  return field;
}

PartTextField PartTextField::Text(PartPlace place, std::function<std::string&(Part&)> value) {
  PartTextField field;
  field.place = place;
  field.text = std::move(value);
  return field;
}

QString PartTextField::shown(Part& part) const {
  if (number) return NumberText(number(part));
  if (whole) return QString::number(whole(part));
  return QString::fromStdString(text(part));
}

bool PartTextField::store(const QString& typed, Part& part) const {
  const std::string bytes = typed.toStdString();
  if (text) {
    text(part) = bytes;
  } else if (number) {
    const auto value = ReadNumberText(bytes);
    if (!value) return false;
    number(part) = *value;
  } else {
    const auto value = ReadWholeText(bytes);
    if (!value) return false;
    whole(part) = *value;
  }
  return true;
}

}  // namespace korvex
