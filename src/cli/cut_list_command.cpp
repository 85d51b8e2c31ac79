#include "cli/cut_list_command.h"

#include <cstdio>
#include <optional>
#include <vector>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define KORVEX_HAS_ISATTY 1
#endif

#include "app/cut_list_plan.h"
#include "app/machine_profiles.h"
#include "app/shop_settings.h"

namespace korvex {
namespace {

// Lists shorter than this finish before a bar would be worth drawing.
constexpr std::size_t kLongList = 50;

struct CutListOptions {
  std::string listPath;
  std::string outDir;
  std::vector<StockLength> stock;
  std::optional<double> kerf;
  std::optional<double> trim;
  std::string machine = "described";
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
  if (!error && options.listPath.empty()) fail("--cut-list needs a file name");
  if (!error && (!outDirGiven || options.outDir.empty())) fail("a cut list needs --out-dir FOLDER");
  if (!error && options.stock.empty())
    fail("a cut list needs --stock LENGTH or --stock DxT=LENGTH");
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

}  // namespace

bool IsCutListCommand(std::span<const std::string_view> arguments) {
  for (std::string_view argument : arguments) {
    if (argument == "--") return false;
    if (argument == "--cut-list" || argument.starts_with("--cut-list=")) return true;
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

  CutListPlan plan;
  {
    ProgressBar bar;
    plan = PlanCutList(request, [&](const char* step, std::size_t done, std::size_t total) {
      bar.show(step, done, total);
    });
  }
  if (!plan.problems.empty()) return Failures(plan.problems);
  if (const auto failure = WritePlanFiles(options.outDir, plan.files)) {
    return Failures({*failure});
  }
  return {0, plan.summary, {}};
}

std::string CutListUsageText() {
  return "\n"
         "Cut lists: korvex-cli --cut-list LIST.csv --stock LENGTH|DxT=LENGTH [--stock ...]\n"
         "                  [--kerf MM] [--trim [MM]] [--machine NAME|FILE]\n"
         "                  [--template [pdf|svg]] [--paper PAPER] --out-dir FOLDER\n"
         "\n"
         "Nests every part of the list (CSV with the columns file, quantity and name) along\n"
         "the stock and writes into FOLDER each part's program and, with --template, its\n"
         "template, plan.json and cut-sheet.pdf; nothing when anything fails.\n"
         "\n"
         "  --stock LENGTH        the stock length of every tube, mm\n"
         "  --stock DxT=LENGTH    the stock length of the tube of outside diameter D, wall T\n"
         "  --kerf MM             the width the torch cuts away (default: the profile's)\n"
         "  --trim [MM]           a square cut MM (default 0) from each stick's start\n"
         "  --out-dir FOLDER      where the outputs go, created when missing\n";
}

}  // namespace korvex
