#include "project/part_file.h"

#include <array>
#include <span>

#include "base/file_extension.h"
#include "project/part_fields.h"
#include "project/toml_reading.h"
#include "project/toml_writing.h"

namespace korvex {
namespace {

// Why an end's fit is refused, in the file's words.
std::string FitRefusal(ProblemKind kind) {
  if (kind == ProblemKind::NoBore) return "'joining-wall' must be less than half the 'diameter'";
  return "fit \"inside\" needs 'joining-wall', the joining tube's wall: 'diameter' is its "
         "outside, and the end is cut to its bore";
}

// The keys of an end's or a hole's table, as its fields list them.
template <typename Owner, typename E>
std::vector<Key> FieldKeys(Owner& values, std::span<const FieldOf<Owner, E>> fields) {
  std::vector<Key> keys;
  for (const FieldOf<Owner, E>& field : fields) {
    if (field.number) {
      keys.push_back(Number(field.key, values.*field.number, field.range));
    } else if (field.flag) {
      keys.push_back(Flag(field.key, values.*field.flag));
    } else {
      keys.push_back(Choice(field.key, values.*field.choice, field.words));
    }
  }
  return keys;
}

class PartReader : public TomlReader {
 public:
  PartReader(std::string path, const PartHole& holeDefaults)
      : TomlReader(std::move(path)), holeDefaults_(holeDefaults) {}

  // An end's table, whose fit must be one the end can be cut to.
  Key end(const char* name, PartEnd& end) {
    return {name, [this, name, &end](const toml::node& node) {
              const auto* table = node.as_table();
              if (!table)
                return std::optional<std::string>("must be a table [" + std::string(name) + "]");
              std::vector<Key> keys = FieldKeys(end, EndFields());
              keys.push_back(joints(name, end.joints));
              readTable(*table, keys, " in [" + std::string(name) + "]");
              if (const auto problem = FitProblem(end); problem && !refusal) {
                const toml::node* fit = table->get("fit");
                refuse(fit ? fit->source() : table->source(),
                       "[" + std::string(name) + "] " + FitRefusal(*problem));
              }
              return std::optional<std::string>();
            }};
  }

  // An end's further joining tubes, [[left.joint]] or [[right.joint]].
  Key joints(const char* end, std::vector<PartJoint>& out) {
    const std::string header = "[[" + std::string(end) + ".joint]]";
    return {"joint", [this, header, &out](const toml::node& node) -> std::optional<std::string> {
              const auto* array = node.as_array();
              if (!array) return "must be tables " + header;
              out.clear();
              for (const toml::node& element : *array) {
                const auto* table = element.as_table();
                if (!table) return "must be tables " + header;
                if (out.size() == kMaxPartJoints) {
                  refuse(element.source(),
                         "more than " + std::to_string(kMaxPartJoints) + " tables " + header);
                  return std::nullopt;
                }
                readTable(*table, FieldKeys(out.emplace_back(), JointFields()), " in " + header);
                if (refusal) return std::nullopt;
              }
              return std::nullopt;
            }};
  }

  Key holes(std::vector<PartHole>& out) {
    return {"hole", [this, &out](const toml::node& node) -> std::optional<std::string> {
              const auto* array = node.as_array();
              if (!array) return std::string("must be tables [[hole]]");
              for (const toml::node& element : *array) {
                const auto* table = element.as_table();
                if (!table) return std::string("must be tables [[hole]]");
                if (out.size() == kMaxPartHoles) {
                  refuse(element.source(), "more than " + std::to_string(kMaxPartHoles) + " holes");
                  return std::nullopt;
                }
                PartHole& hole = out.emplace_back(holeDefaults_);
                readTable(*table, FieldKeys(hole, HoleFields()), " in [[hole]]");
                if (refusal) return std::nullopt;
              }
              return std::nullopt;
            }};
  }

 private:
  PartHole holeDefaults_;
};

class PartWriter {
 public:
  std::string text;

  void number(const char* key, double value) {
    start(key);
    AppendNumberValue(text, value);
    text += '\n';
  }
  void whole(const char* key, std::int64_t value) {
    start(key);
    text += std::to_string(value) + '\n';
  }
  void flag(const char* key, bool value) {
    start(key);
    text += value ? "true\n" : "false\n";
  }
  void string(const char* key, std::string_view value) {
    start(key);
    AppendString(text, value);
    text += '\n';
  }
  void end(const char* table, const PartEnd& end) {
    text += std::string("\n[") + table + "]\n";
    for (const EndField& field : EndFields()) {
      // A joining tube's wall is written only where it is given, so that parts without one keep
      // their bytes.
      if (field.field == PartField::JoiningWall && end.joiningWall == 0) continue;
      value(end, field);
    }
    for (const PartJoint& joint : end.joints) {
      text += std::string("\n[[") + table + ".joint]]\n";
      for (const JointField& field : JointFields())
        value(joint, field);
    }
  }
  void hole(const PartHole& hole) {
    text += "\n[[hole]]\n";
    for (const HoleField& field : HoleFields())
      value(hole, field);
  }

 private:
  template <typename Owner, typename E>
  void value(const Owner& values, const FieldOf<Owner, E>& field) {
    if (field.number) {
      number(field.key, values.*field.number);
    } else if (field.flag) {
      flag(field.key, values.*field.flag);
    } else {
      string(field.key, field.words[static_cast<std::size_t>(values.*field.choice)]);
    }
  }

  void start(const char* key) { text += std::string(key) + " = "; }
};

}  // namespace

PartReading ReadPartFile(std::string_view bytes, const std::string& path, const Part& defaults,
                         const PartHole& holeDefaults) {
  PartReading reading;
  const TomlFile parsed = ParseTomlFile(bytes, path);
  if (!parsed.table) {
    reading.refusal = parsed.refusal;
    reading.reason = parsed.reason;
    return reading;
  }
  Part part = defaults;
  part.holes.clear();
  part.left.joints.clear();
  part.right.joints.clear();
  PartReader reader(path, holeDefaults);
  const std::vector<Key> top{
      Text("name", part.name),
      Whole("quantity", part.quantity, 1, 1000000),
      reader.subTable("tube", {Number("diameter", part.diameter, FieldRange::Positive),
                               Number("wall", part.wall, FieldRange::NotNegative),
                               Whole("segments", part.segments, 1, 1000),
                               Text("angle-letter", part.angleLetter)}),
      reader.end("left", part.left),
      reader.end("right", part.right),
      reader.holes(part.holes)};
  reader.readTable(*parsed.table, top, "");
  if (reader.refusal) {
    reading.refusal = *reader.refusal;
    reading.reason = reader.reason;
  } else {
    reading.part = std::move(part);
  }
  return reading;
}

FormattedPart FormatPartFile(const Part& part) {
  PartWriter writer;
  writer.string("name", part.name);
  writer.whole("quantity", part.quantity);
  writer.text += "\n[tube]\n";
  writer.number("diameter", part.diameter);
  writer.number("wall", part.wall);
  writer.whole("segments", part.segments);
  writer.string("angle-letter", part.angleLetter);
  writer.end("left", part.left);
  writer.end("right", part.right);
  for (const PartHole& hole : part.holes)
    writer.hole(hole);
  // What the reader would refuse is never written: read back, the file gives the same part.
  const PartReading back = ReadPartFile(writer.text, "", part, PartHole{});
  if (!back.part) return {{}, back.reason};
  return {std::move(writer.text), std::nullopt};
}

bool IsPartFilePath(std::string_view path) {
  return HasExtension(path, ".kvxp");
}

}  // namespace korvex
