#include "cli/cut_list_command.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define KORVEX_HAS_ISATTY 1
#endif

#include "app/cut_list_plan.h"
#include "app/frame_plan.h"
#include "app/machine_profiles.h"
#include "app/shop_settings.h"
#include "base/file_helpers.h"
#include "project/frame_file.h"
#include "project/frame_sketch.h"

namespace korvex {
namespace {

// Lists shorter than this finish before a bar would be worth drawing.
constexpr std::size_t kLongList = 50;

struct CutListOptions {
  std::string listPath;
  std::string framePath;         // a frame file or sketch instead of a list
  std::vector<LayerTube> tubes;  // a sketch's layers' tubes
  std::string outDir;
  std::vector<StockLength> stock;
  std::optional<double> kerf;
  std::optional<double> trim;
  std::string machine = "described";
  std::optional<std::string> axisLetter;
  std::optional<ShopOutput> templates;
  std::optional<std::string> paper;
  bool help = false;
};

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

std::optional<std::string> ReadArguments(std::span<const std::string_view> arguments,
                                         CutListOptions& options) {
  std::optional<std::string> error;
  const auto fail = [&](std::string text) {
    if (!error) error = std::move(text);
  };
  const auto read = [&](std::variant<double, std::string> number, const char* option,
                        std::optional<double>& into) {
    if (const auto* why = std::get_if<std::string>(&number))
      fail(option + *why);
    else
      into = std::get<double>(number);
  };
  bool outDirGiven = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view argument = arguments[i];
    std::optional<std::string_view> attached;
    if (const auto equals = argument.find('=');
        argument.starts_with("--") && equals != std::string_view::npos) {
      attached = argument.substr(equals + 1);
      argument = argument.substr(0, equals);
    }
    const bool nextIsValue = i + 1 < arguments.size() && !arguments[i + 1].starts_with("--");
    const auto value = [&]() -> std::optional<std::string_view> {
      if (attached) return attached;
      if (i + 1 < arguments.size()) return arguments[++i];
      fail(std::string(argument) + " needs a value");
      return std::nullopt;
    };
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--cut-list") {
      if (const auto v = value()) options.listPath = *v;
    } else if (argument == "--frame") {
      if (const auto v = value()) options.framePath = *v;
    } else if (argument == "--tube") {
      if (const auto v = value()) {
        const auto equals = v->find('=');
        const auto tube =
            equals == std::string_view::npos ? std::nullopt : TubeSizeOf(v->substr(equals + 1));
        if (!tube || equals == 0)
          fail("--tube " + std::string(*v) + ": give LAYER=DIAMETERxWALL, such as rails=48.3x3.2");
        else
          options.tubes.push_back({std::string(v->substr(0, equals)), tube->diameter, tube->wall});
      }
    } else if (argument == "--out-dir") {
      if (const auto v = value()) options.outDir = *v;
      outDirGiven = true;
    } else if (argument == "--stock") {
      if (const auto v = value()) {
        if (auto problem = ReadStockText(*v, options.stock))
          fail("--stock " + std::string(*v) + ": " + *problem);
      }
    } else if (argument == "--kerf") {
      if (const auto v = value()) read(ReadKerfText(*v), "--kerf ", options.kerf);
    } else if (argument == "--trim") {
      // A bare --trim cuts the stick's end square right at its start.
      options.trim = 0;
      if (attached || nextIsValue) {
        if (const auto v = value()) read(ReadTrimText(*v), "--trim ", options.trim);
      }
    } else if (argument == "--machine") {
      if (const auto v = value()) options.machine = *v;
    } else if (argument == "--axis-letter") {
      if (const auto v = value()) options.axisLetter = std::string(*v);
    } else if (argument == "--template") {
      options.templates = ShopOutput::PdfTemplate;
      if (attached || nextIsValue) {
        const auto v = value();
        const std::string kind = v ? Lowered(*v) : "";
        if (kind == "svg")
          options.templates = ShopOutput::SvgTemplate;
        else if (kind != "pdf")
          fail("--template takes pdf or svg with a cut list");
      }
    } else if (argument == "--paper") {
      if (const auto v = value()) options.paper = *v;
    } else if (argument.starts_with("-")) {
      fail("unknown option " + std::string(argument) + " with a cut list");
    } else {
      fail("a cut list takes no file names but with --cut-list and --out-dir: " +
           std::string(argument));
    }
  }
  if (options.help) return std::nullopt;
  const bool frame = !options.framePath.empty();
  // A sketch alone is only read into a frame file.
  const bool sketchOnly = frame && IsSketchPath(options.framePath) && !outDirGiven;
  const char* what = frame ? "a frame" : "a cut list";
  if (!error && frame && !options.listPath.empty()) fail("give --cut-list or --frame, not both");
  if (!error && !frame && options.listPath.empty()) fail("--cut-list needs a file name");
  if (!error && !options.tubes.empty() && !(frame && IsSketchPath(options.framePath)))
    fail("--tube names the tubes of a sketch's layers: give it with --frame FILE.dxf");
  if (!error && frame && !IsSketchPath(options.framePath) && !IsFrameFilePath(options.framePath))
    fail("--frame takes a frame file (.kvxf) or a sketch (.dxf)");
  if (!error && !sketchOnly && (!outDirGiven || options.outDir.empty()))
    fail(std::string(what) + " needs --out-dir FOLDER");
  if (!error && !sketchOnly && options.stock.empty())
    fail(std::string(what) + " needs --stock LENGTH or --stock DxT=LENGTH");
  if (!error && options.paper && options.templates != ShopOutput::PdfTemplate) {
    fail("--paper sets the pages of PDF templates: give --template pdf with it");
  }
  return error;
}

// A bar on a terminal; nothing where standard error is a file or a pipe.
class ProgressBar {
 public:
  ProgressBar() {
#ifdef KORVEX_HAS_ISATTY
    terminal_ = ::isatty(2) == 1;
#endif
  }
  ~ProgressBar() {
    if (drawn_) std::fputs("\n", stderr);
  }
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void show(const char* step, std::size_t done, std::size_t total) {
    if (!terminal_ || total < kLongList) return;
    constexpr std::size_t kWidth = 40;
    const std::size_t filled = done * kWidth / total;
    const std::string label(step);
    if (filled == filled_ && label == step_ && done != total) return;
    filled_ = filled;
    step_ = label;
    std::string line = "\r" + label + std::string(8 - std::min<std::size_t>(label.size(), 8), ' ') +
                       "[" + std::string(filled, '#') + std::string(kWidth - filled, '.') + "] " +
                       std::to_string(done) + "/" + std::to_string(total) + "   ";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    drawn_ = true;
  }

 private:
  bool terminal_ = false;
  bool drawn_ = false;
  std::size_t filled_ = static_cast<std::size_t>(-1);
  std::string step_;
};

CliOutcome Failures(const std::vector<std::string>& problems) {
  CliOutcome outcome{1, {}, {}};
  for (const std::string& problem : problems)
    outcome.error += "korvex-cli: " + problem + "\n";
  return outcome;
}

// The frame file a sketch is read into, beside it: never over one that may hold edits.
CliOutcome WriteSketchFrame(const std::string& sketchPath, const Frame& frame,
                            const std::string& bytes) {
  const std::string path = (std::filesystem::path(sketchPath).replace_extension(".kvxf")).string();
  if (FileExists(path)) {
    return Failures({path + " already exists and may hold edits: remove it to read the sketch "
                            "again, or give --out-dir to plan the frame"});
  }
  if (const auto failure = WriteFileAtomically(path, bytes)) return Failures({*failure});
  return {0,
          "FRAME " + frame.name + " MEMBERS " + std::to_string(frame.members.size()) + " NODES " +
              std::to_string(frame.nodes.size()) + " TUBES " + std::to_string(frame.tubes.size()) +
              "\nWROTE " + path + "\n",
          {}};
}

CliOutcome RunFrame(const CutListOptions& options, CutListRequest list) {
  FrameRequest request;
  request.framePath = options.framePath;
  request.outDir = options.outDir;
  request.list = std::move(list);
  std::optional<std::string> frameBytes;
  if (IsSketchPath(options.framePath)) {
    SketchReading sketch = ReadFrameSketch(options.framePath, options.tubes);
    if (!sketch.frame) return Failures({sketch.refusal});
    FormattedFrame formatted = FormatFrameFile(*sketch.frame);
    if (formatted.refusal) return Failures({options.framePath + ": " + *formatted.refusal});
    if (options.outDir.empty())
      return WriteSketchFrame(options.framePath, *sketch.frame, formatted.bytes);
    frameBytes = std::move(formatted.bytes);
    request.frame = std::move(sketch.frame);
  }
  FramePlan plan;
  {
    ProgressBar bar;
    plan = PlanFrame(request, [&](const char* step, std::size_t done, std::size_t total) {
      bar.show(step, done, total);
    });
  }
  if (!plan.problems.empty()) return Failures(plan.problems);
  if (frameBytes) plan.files.push_back({request.frame->name + ".kvxf", std::move(*frameBytes)});
  if (const auto failure = WritePlanFiles(options.outDir, plan.files)) return Failures({*failure});
  std::string notices;
  for (const std::string& notice : plan.notices)
    notices += "korvex-cli: " + notice + "\n";
  return {0, plan.summary, notices};
}

}  // namespace

bool IsCutListCommand(std::span<const std::string_view> arguments) {
  for (std::string_view argument : arguments) {
    if (argument == "--") return false;
    for (const std::string_view option : {"--cut-list", "--frame"}) {
      if (argument == option || (argument.starts_with(option) && argument[option.size()] == '='))
        return true;
    }
  }
  return false;
}

CliOutcome RunCutListCommand(std::span<const std::string_view> arguments) {
  CutListOptions options;
  if (const auto error = ReadArguments(arguments, options)) {
    return {2, {}, "korvex-cli: " + *error + " (see korvex-cli --help)\n"};
  }
  if (options.help) return {0, CutListUsageText().substr(1), {}};

  CutListRequest request;
  request.listPath = options.listPath;
  request.stock = options.stock;
  request.kerf = options.kerf;
  request.trim = options.trim;
  request.templates = options.templates;
  if (options.paper) {
    const std::optional<Paper> paper = PaperNamed(Lowered(*options.paper));
    if (!paper) {
      return {2, {}, "korvex-cli: --paper must be a4, letter, a4-landscape or letter-landscape\n"};
    }
    request.paper = *paper;
  }
  const MachineEntry machine = FindMachine(options.machine, UserMachinesFolder());
  if (!machine.profile) return MachineFailure(machine);
  request.machine = &*machine.profile;
  if (auto conflict = AxisLetterConflict(options.axisLetter, *machine.profile)) return *conflict;
  request.axisLetter = options.axisLetter;

  if (!options.framePath.empty()) return RunFrame(options, std::move(request));
  std::optional<std::string> failure;
  CutListPlan plan;
  {
    ProgressBar bar;
    const CutListProgress progress = [&](const char* step, std::size_t done, std::size_t total) {
      bar.show(step, done, total);
    };
    plan = PlanCutList(request, progress);
    if (plan.problems.empty()) failure = WritePlanFiles(options.outDir, plan.files, {}, progress);
  }
  if (!plan.problems.empty()) return Failures(plan.problems);
  if (failure) return Failures({*failure});
  std::string notes;
  for (const std::string& note : plan.notes)
    notes += "korvex-cli: note: " + note + "\n";
  return {0, plan.summary, notes};
}

std::string CutListUsageText() {
  return "\n"
         "Cut lists: korvex-cli --cut-list LIST.csv --stock LENGTH|DxT=LENGTH [--stock ...]\n"
         "                  [--kerf MM] [--trim [MM]] [--machine NAME|FILE] [--axis-letter L]\n"
         "                  [--template [pdf|svg]] [--paper PAPER] --out-dir FOLDER\n"
         "\n"
         "Nests every part of the list (CSV with the columns file, quantity and name) along\n"
         "the stock and writes into FOLDER each part's program, each stick's program\n"
         "(stick-1.ngc, ...: its parts where the plan puts them), with --template each part's\n"
         "template, plan.json and cut-sheet.pdf; nothing when anything fails.\n"
         "\n"
         "  --stock LENGTH        the stock length of every tube, mm\n"
         "  --stock DxT=LENGTH    the stock length of the tube of outside diameter D, wall T\n"
         "  --kerf MM             the width the torch cuts away (default: the profile's)\n"
         "  --trim [MM]           a square cut MM (default 0) from each stick's start\n"
         "  --axis-letter L       every part's torch tilt axis, for a machine that tilts on\n"
         "                        the ANGLE LETTER\n"
         "  --out-dir FOLDER      where the outputs go, created when missing\n"
         "\n"
         "Frames:    korvex-cli --frame FRAME.kvxf --stock ... [cut-list options] --out-dir "
         "FOLDER\n"
         "           korvex-cli --frame SKETCH.dxf [--tube LAYER=DxT ...] [--stock ... --out-dir "
         "FOLDER]\n"
         "\n"
         "Cuts every member of the frame to fit the members before it at its nodes and writes\n"
         "a part file per distinct member, cut-list.csv, members.csv, frame-sheet.pdf and all a\n"
         "cut list writes. A sketch's lines are read into SKETCH.kvxf beside it, or with\n"
         "--out-dir into FOLDER with the rest.\n"
         "\n"
         "  --tube LAYER=DxT      the tube of a sketch's layer (else a layer named like "
         "48.3x3.2)\n";
}

}  // namespace korvex
