#include "project/frame_file.h"
#include "base/file_extension.h"

#include <cmath>
#include <map>

#include "project/cut_list.h"
#include "project/toml_reading.h"
#include "project/toml_writing.h"

namespace korvex {
namespace {

constexpr std::size_t kMaxFrameTubes = 1000;

// A name as the file gives it, and where.
struct NameAt {
  std::string text;
  std::uint32_t line = 0;
};

Key Name(const char* key, NameAt& out) {
  return {key, [&out](const toml::node& node) -> std::optional<std::string> {
            const auto* text = node.as_string();
            if (!text) return std::string("must be a text in double quotes");
            out = {text->get(), node.source().begin.line};
            return std::nullopt;
          }};
}

Key Point(const char* key, Vec3& out) {
  return {key, [&out](const toml::node& node) -> std::optional<std::string> {
            const auto* array = node.as_array();
            if (!array || array->size() != 3) return std::string("must be [x, y, z] in mm");
            for (std::size_t k = 0; k < 3; ++k) {
              double value = 0;
              if (const auto* integer = (*array)[k].as_integer()) {
                value = static_cast<double>(integer->get());
              } else if (const auto* number = (*array)[k].as_floating_point()) {
                value = number->get();
              } else {
                return std::string("must be [x, y, z] in mm");
              }
              if (!std::isfinite(value)) return std::string("must hold finite numbers");
              out[k] = value;
            }
            return std::nullopt;
          }};
}

Key Names(const char* key, std::vector<NameAt>& out) {
  return {key, [&out](const toml::node& node) -> std::optional<std::string> {
            const auto* array = node.as_array();
            if (!array) return std::string("must be a list of names, [\"a\", \"b\"]");
            for (const toml::node& element : *array) {
              const auto* text = element.as_string();
              if (!text) return std::string("must be a list of names, [\"a\", \"b\"]");
              out.push_back({text->get(), element.source().begin.line});
            }
            return std::nullopt;
          }};
}

struct TubeRecord {
  NameAt name;
  double diameter = 0, wall = 0;
};
struct NodeRecord {
  NameAt name;
  Vec3 at{};
};
struct MemberRecord {
  NameAt name, from, to, tube;
};
struct JointRecord {
  NameAt node;
  std::vector<NameAt> order;
};

class FrameReader : public TomlReader {
 public:
  using TomlReader::TomlReader;

  // An array of tables [[name]] of at most `most`; each is read by its keys, which must all be
  // given but for those in optional.
  template <typename Record>
  Key tables(const char* name, std::vector<Record>& out, std::size_t most,
             std::vector<Key> (*keys)(Record&)) {
    const std::string header = "[[" + std::string(name) + "]]";
    return {name, [this, header, &out, most, keys](const toml::node& node) {
              const auto* array = node.as_array();
              if (!array) return std::optional<std::string>("must be tables " + header);
              for (const toml::node& element : *array) {
                const auto* table = element.as_table();
                if (!table) return std::optional<std::string>("must be tables " + header);
                if (out.size() == most) {
                  refuse(element.source(), "more than " + std::to_string(most) + " " + header);
                  break;
                }
                const std::vector<Key> wanted = keys(out.emplace_back());
                readTable(*table, wanted, " in " + header);
                for (const Key& key : wanted) {
                  if (!refusal && !table->contains(key.name))
                    refuse(table->source(), header + " needs '" + std::string(key.name) + "'");
                }
                if (refusal) break;
              }
              return std::optional<std::string>();
            }};
  }

  void refuseAt(std::uint32_t line, const std::string& why) {
    toml::source_region where;
    where.begin.line = line;
    refuse(where, why);
  }
};

std::vector<Key> TubeKeys(TubeRecord& r) {
  return {Name("name", r.name), Number("diameter", r.diameter, FieldRange::Positive),
          Number("wall", r.wall, FieldRange::Positive)};
}
std::vector<Key> NodeKeys(NodeRecord& r) {
  return {Name("name", r.name), Point("at", r.at)};
}
std::vector<Key> MemberKeys(MemberRecord& r) {
  return {Name("name", r.name), Name("from", r.from), Name("to", r.to), Name("tube", r.tube)};
}
std::vector<Key> JointKeys(JointRecord& r) {
  return {Name("node", r.node), Names("order", r.order)};
}

// Names of one kind: each once, and every use naming one of them.
class NameTable {
 public:
  NameTable(FrameReader& reader, const char* kind) : reader_(reader), kind_(kind) {}

  void add(const NameAt& name) {
    if (name.text.empty())
      return reader_.refuseAt(name.line, std::string("a ") + kind_ + " needs a name");
    const auto [first, added] = lines_.emplace(name.text, Entry{index_++, name.line});
    if (!added) {
      reader_.refuseAt(name.line, std::string("the ") + kind_ + " name \"" + name.text +
                                      "\" is already used on line " + LineText(first->second.line));
    }
  }

  std::size_t find(const NameAt& name, const char* key) {
    const auto found = lines_.find(name.text);
    if (found != lines_.end()) return found->second.index;
    reader_.refuseAt(name.line,
                     std::string("'") + key + "' \"" + name.text + "\" names no " + kind_);
    return 0;
  }

 private:
  struct Entry {
    std::size_t index;
    std::uint32_t line;
  };
  FrameReader& reader_;
  const char* kind_;
  std::size_t index_ = 0;
  std::map<std::string, Entry> lines_;
};

// Resolves the records' names into the frame's indexes.
void Resolve(FrameReader& reader, const std::vector<TubeRecord>& tubes,
             const std::vector<NodeRecord>& nodes, const std::vector<MemberRecord>& members,
             const std::vector<JointRecord>& joints, Frame& frame) {
  NameTable tubeNames(reader, "tube"), nodeNames(reader, "node"), memberNames(reader, "member");
  for (const TubeRecord& r : tubes) {
    tubeNames.add(r.name);
    if (!(r.wall < r.diameter / 2) && !reader.refusal)
      reader.refuseAt(r.name.line,
                      "tube \"" + r.name.text + "\": 'wall' must be less than half the 'diameter'");
    frame.tubes.push_back({r.name.text, r.diameter, r.wall, static_cast<int>(r.name.line)});
  }
  for (const NodeRecord& r : nodes) {
    nodeNames.add(r.name);
    frame.nodes.push_back({r.name.text, r.at, static_cast<int>(r.name.line)});
  }
  for (const MemberRecord& r : members) {
    memberNames.add(r.name);
    if (!reader.refusal && !UsableAsFileName(r.name.text))
      reader.refuseAt(r.name.line, "the member name \"" + r.name.text + "\" cannot name a file");
    frame.members.push_back({r.name.text, nodeNames.find(r.from, "from"),
                             nodeNames.find(r.to, "to"), tubeNames.find(r.tube, "tube"),
                             static_cast<int>(r.name.line)});
  }
  std::map<std::size_t, std::uint32_t> ordered;
  for (const JointRecord& r : joints) {
    FrameJointOrder& order = frame.joints.emplace_back();
    order.node = nodeNames.find(r.node, "node");
    order.line = static_cast<int>(r.node.line);
    if (const auto [first, added] = ordered.emplace(order.node, r.node.line);
        !added && !reader.refusal) {
      reader.refuseAt(r.node.line, "the order at node \"" + r.node.text +
                                       "\" is already given on line " + LineText(first->second));
    }
    for (const NameAt& name : r.order) {
      const std::size_t m = memberNames.find(name, "order");
      if (std::find(order.members.begin(), order.members.end(), m) != order.members.end() &&
          !reader.refusal) {
        reader.refuseAt(name.line, "'order' lists member \"" + name.text + "\" twice");
      }
      order.members.push_back(m);
    }
  }
}

void AppendPoint(std::string& text, const Vec3& at) {
  text += "at = [";
  for (std::size_t k = 0; k < 3; ++k) {
    if (k > 0) text += ", ";
    AppendNumberValue(text, at[k]);
  }
  text += "]\n";
}

void AppendKey(std::string& text, const char* key, std::string_view name) {
  text += std::string(key) + " = ";
  AppendString(text, name);
  text += '\n';
}

void AppendNumberKey(std::string& text, const char* key, double value) {
  text += std::string(key) + " = ";
  AppendNumberValue(text, value);
  text += '\n';
}

}  // namespace

FrameReading ReadFrameFile(std::string_view bytes, const std::string& path) {
  const TomlFile parsed = ParseTomlFile(bytes, path);
  if (!parsed.table) return {std::nullopt, parsed.refusal};
  Frame frame;
  frame.name = StemOf(path);
  std::vector<TubeRecord> tubes;
  std::vector<NodeRecord> nodes;
  std::vector<MemberRecord> members;
  std::vector<JointRecord> joints;
  FrameReader reader(path);
  const std::vector<Key> top{Text("name", frame.name),
                             Whole("segments", frame.segments, 1, 1000),
                             Flag("compensation", frame.compensation),
                             reader.tables("tube", tubes, kMaxFrameTubes, TubeKeys),
                             reader.tables("node", nodes, kMaxFrameNodes, NodeKeys),
                             reader.tables("member", members, kMaxFrameMembers, MemberKeys),
                             reader.tables("joint", joints, kMaxFrameNodes, JointKeys)};
  reader.readTable(*parsed.table, top, "");
  if (!reader.refusal) Resolve(reader, tubes, nodes, members, joints, frame);
  if (reader.refusal) return {std::nullopt, *reader.refusal};
  return {std::move(frame), {}};
}

FormattedFrame FormatFrameFile(const Frame& frame) {
  std::string text;
  AppendKey(text, "name", frame.name);
  text += "segments = " + std::to_string(frame.segments) + "\n";
  text += std::string("compensation = ") + (frame.compensation ? "true" : "false") + "\n";
  for (const FrameTube& tube : frame.tubes) {
    text += "\n[[tube]]\n";
    AppendKey(text, "name", tube.name);
    AppendNumberKey(text, "diameter", tube.diameter);
    AppendNumberKey(text, "wall", tube.wall);
  }
  for (const FrameNode& node : frame.nodes) {
    text += "\n[[node]]\n";
    AppendKey(text, "name", node.name);
    AppendPoint(text, node.at);
  }
  for (const FrameMember& member : frame.members) {
    text += "\n[[member]]\n";
    AppendKey(text, "name", member.name);
    AppendKey(text, "from", frame.nodes.at(member.from).name);
    AppendKey(text, "to", frame.nodes.at(member.to).name);
    AppendKey(text, "tube", frame.tubes.at(member.tube).name);
  }
  for (const FrameJointOrder& joint : frame.joints) {
    text += "\n[[joint]]\nnode = ";
    AppendString(text, frame.nodes.at(joint.node).name);
    text += "\norder = [";
    for (std::size_t k = 0; k < joint.members.size(); ++k) {
      if (k > 0) text += ", ";
      AppendString(text, frame.members.at(joint.members[k]).name);
    }
    text += "]\n";
  }
  // What the reader would refuse is never written.
  const FrameReading back = ReadFrameFile(text, frame.name + ".kvxf");
  if (!back.frame) return {{}, back.refusal};
  return {std::move(text), std::nullopt};
}

bool IsFrameFilePath(std::string_view path) {
  return HasExtension(path, ".kvxf");
}

}  // namespace korvex
