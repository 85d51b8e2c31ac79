#include "app/cut_list_plan.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/cut_part.h"
#include "app/part_loading.h"
#include "app/plan_json.h"
#include "app/shop_output.h"
#include "base/abbreviated.h"
#include "base/decimal_text.h"
#include "base/file_helpers.h"
#include "base/pi.h"
#include "base/read_whole_file.h"
#include "gcode/axis_letter.h"
#include "gcode/machine_program.h"
#include "gcode/stick_cuts.h"
#include "nesting/nest_parts.h"
#include "project/cut_list.h"
#include "template/cut_sheet.h"

namespace korvex {
namespace {

// Tubes whose sizes differ by less than this are one tube (mm).
constexpr double kSameSize = 1e-6;
// The cut sheet draws each end with this many points round the tube.
constexpr int kOutlinePoints = 90;

struct Part {
  CutListRow row;
  PartExtents ends;  // as cut
  std::size_t tube = 0;
  std::optional<double> cutSeconds;  // the part's program, when the profile gives its feeds
  std::vector<MachineCut> cuts;      // as its program cuts them
  bool tilts = false;
  std::string axisLetter;
  std::vector<std::vector<StickPoint>> holes;  // on the outer surface, in the part's own frame
};

// Degrees round the tube in [0, 360).
double Wrapped(double degrees) {
  const double wrapped = std::fmod(degrees, 360.0);
  return wrapped < 0 ? wrapped + 360 : wrapped;
}

// Each hole where it meets the outer surface, at the angles the part's extents are measured in.
std::vector<std::vector<StickPoint>> HoleOutlines(const ComputedJob& job) {
  std::vector<std::vector<StickPoint>> holes;
  const auto n = static_cast<std::size_t>(job.parameters.cutSegments);
  const double radius = job.parameters.mainRadius;
  for (const HoleCut& hole : job.holes) {
    std::vector<StickPoint>& outline = holes.emplace_back();
    for (std::size_t j = 0; j <= n; ++j)
      outline.push_back({hole.outer.x[j], Wrapped(180 - hole.outer.y[j] / radius * 180 / kPi)});
  }
  return holes;
}

// The stick programs' names: "stick-" and the stick's number.
constexpr std::string_view kStickStem = "stick-";

std::string Uppercase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool IsStickProgramName(const std::string& name) {
  return name.size() > kStickStem.size() && name.starts_with(kStickStem) &&
         name.find_first_not_of("0123456789", kStickStem.size()) == std::string::npos;
}

struct Tube {
  TubeSize size;
  int firstLine = 0;
  std::optional<double> stockLength;
  std::vector<std::size_t> parts;  // indexes into the parts
};

// The part's ends on the stick where the placement puts it.
CutSheetPart PlacedOutline(const Part& part, const Placement& placement) {
  CutSheetPart outline{part.row.name, {}, {}, {}};
  const SurfaceExtents& outer = part.ends.surfaces[kOuterSurface];
  for (int i = 0; i < kOutlinePoints; ++i) {
    const double angle = 360.0 * i / kOutlinePoints;
    if (placement.flipped) {
      outline.left.push_back(placement.offset - CurveAt(outer.right.steel, placement.turn - angle));
      outline.right.push_back(placement.offset - CurveAt(outer.left.steel, placement.turn - angle));
    } else {
      outline.left.push_back(placement.offset + CurveAt(outer.left.steel, angle - placement.turn));
      outline.right.push_back(placement.offset + CurveAt(outer.right.steel, angle - placement.turn));
    }
  }
  for (const auto& hole : part.holes) {
    std::vector<StickPoint>& placed = outline.holes.emplace_back();
    for (const StickPoint& p : hole) {
      placed.push_back(placement.flipped
                           ? StickPoint{placement.offset - p.x, Wrapped(placement.turn - p.degrees)}
                           : StickPoint{placement.offset + p.x, Wrapped(p.degrees + placement.turn)});
    }
  }
  return outline;
}

double WastePercent(double own, double stock) {
  return 100 * (1 - own / stock);
}

// What standard output shows: a line per tube, the sticks of all tubes, the cutting time.
std::string SummaryText(const std::vector<TubeTotals>& totals, int lowerBound,
                        const std::optional<std::string>& cutTime) {
  std::string text;
  double own = 0, stock = 0;
  int sticks = 0;
  for (const TubeTotals& tube : totals) {
    const double length = tube.sticks * tube.stockLength;
    own += tube.ownLength;
    stock += length;
    sticks += tube.sticks;
    text += "TUBE " + tube.tube + " STICKS " + std::to_string(tube.sticks) + " OF " +
            DecimalText(tube.stockLength, 3) + " LOWER BOUND " + std::to_string(tube.lowerBound) +
            (tube.sticks <= tube.lowerBound ? " MET" : " NOT MET") + " WASTE " +
            DecimalText(WastePercent(tube.ownLength, length), 1) + " % LONGEST REMNANT " +
            DecimalText(tube.longestRemnant, 1) +
            (tube.provenOptimal ? " PROVEN OPTIMAL" : " BEST FOUND") + "\n";
    for (const TubeTotals::StickProgram& program : tube.programs) {
      text += "STICK " + std::to_string(program.number) + " " + program.name +
              (program.cutSeconds ? " CUT TIME " + FormatCutTime(*program.cutSeconds) : "") + "\n";
    }
  }
  text += "STICKS " + std::to_string(sticks) + " LOWER BOUND " + std::to_string(lowerBound) +
          " STOCK " + DecimalText(stock, 3) + " WASTE " + DecimalText(WastePercent(own, stock), 1) +
          " %\n" + (cutTime ? "CUT TIME " + *cutTime + "\n" : "");
  return text;
}

// Thrown from a progress report once the request is cancelled; the plan so far is dropped.
struct Cancelled {};

class Planner {
 public:
  Planner(const CutListRequest& request, const CutListProgress& progress)
      : request_(request),
        progress_(progress),
        listName_(std::filesystem::path(request.listPath).filename().string()) {}

  CutListPlan run() {
    FileContents contents;
    if (request_.listBytes) {
      contents.bytes = *request_.listBytes;
    } else {
      contents = ReadWholeFile(request_.listPath, kMaxProjectFileBytes);
      if (contents.failure)
        return failed("cut list " + request_.listPath + " not read: " + *contents.failure);
    }
    const CutList list = ParseCutList(contents.bytes);
    for (const CutListProblem& problem : list.problems) {
      plan_.problems.push_back(where(problem.line) + problem.what);
    }
    if (!plan_.problems.empty()) return std::move(plan_);
    const auto kerf = KerfFor(request_.kerf, *request_.machine);
    if (const auto* problem = std::get_if<std::string>(&kerf)) return failed(*problem);
    kerf_ = std::get<double>(kerf);

    for (std::size_t i = 0; i < list.rows.size(); ++i) {
      if (plan_.problems.size() >= kMaxCutListProblems) {
        return failed(where(list.rows[i].line) + TooManyCutListProblems());
      }
      load(list.rows[i]);
      report("reading", i + 1, list.rows.size());
    }
    checkStock();
    if (!plan_.problems.empty()) return failed();
    nest();
    if (!plan_.problems.empty()) return failed();
    return std::move(plan_);
  }

 private:
  CutListPlan failed(std::string problem = {}) {
    if (!problem.empty()) plan_.problems.push_back(std::move(problem));
    plan_.files.clear();
    plan_.summary.clear();
    return std::move(plan_);
  }

  std::string where(int line) const {
    return request_.listPath + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": ";
  }

  void report(const char* step, std::size_t done, std::size_t total) const {
    if (request_.cancel && request_.cancel->load()) throw Cancelled{};
    if (progress_) progress_(step, done, total);
  }

  void problem(const CutListRow& row, const std::string& what) {
    plan_.problems.push_back(where(row.line) + what);
  }

  void load(const CutListRow& row) {
    const std::string path = ListPartPath(request_.listPath, row.file);
    const std::string file = Abbreviated(row.file);
    auto loaded = request_.parts ? request_.parts(path) : LoadPart(path);
    if (const auto* failure = std::get_if<std::string>(&loaded)) {
      return problem(row, file + " " + AbbreviatedWithin(*failure, path));
    }
    if (IsStickProgramName(row.name)) {
      return problem(row, "the name \"" + row.name + "\" is kept for the sticks' programs");
    }
    const MachineProfile& machine = *request_.machine;
    ComputedJob& job = std::get<LoadedPart>(loaded).job;
    if (request_.axisLetter) job.parameters.axisLetter = *request_.axisLetter;
    const ProgramHeader header = ProgramHeaderOf(job, path);
    if (const auto failure = AxisLetterProblem(job.parameters.axisLetter)) {
      return problem(row, file + ": program not made: " + *failure);
    }
    if (const auto failure = MachineJobProblem(job, header, machine)) {
      return problem(row, file + ": program not made: " + *failure);
    }
    auto cut = CutPartWith(std::move(job), machine, kerf_);
    if (const auto* failure = std::get_if<std::string>(&cut)) {
      return problem(row, file + ": program not made: " + *failure);
    }
    CutPart& part = std::get<CutPart>(cut);
    if (NarrowestWidth(part.extents) <= 0) {
      return problem(row, file + ": the end cuts cross, leaving no tube at some angle round it");
    }
    plan_.files.push_back(
        {row.name + ".ngc", FormatMachineProgram(part.job, part.cuts, header, machine)});
    for (const std::string& note : NotesOf(part.cuts))
      plan_.notes.push_back(where(row.line) + file + ": " + note);
    if (request_.templates) {
      FormattedOutput output = FormatJobOutput(part.job, path, *request_.templates, request_.paper);
      if (output.problem) return problem(row, file + ": template not made: " + *output.problem);
      const bool svg = *request_.templates == ShopOutput::SvgTemplate;
      plan_.files.push_back({row.name + (svg ? ".svg" : ".pdf"), std::move(output.bytes)});
    }
    const TubeSize size{part.job.parameters.mainDiameter, part.job.parameters.wallThickness};
    auto tube = std::find_if(tubes_.begin(), tubes_.end(),
                             [&](const Tube& t) { return SameTube(t.size, size); });
    if (tube == tubes_.end()) tube = tubes_.insert(tubes_.end(), Tube{size, row.line, {}, {}});
    tube->parts.push_back(parts_.size());
    std::vector<MachineCut> cuts = MachineCutsOf(part.cuts);
    const std::optional<double> seconds = EstimateCutTime(cuts, machine);
    parts_.push_back({row, std::move(part.extents), static_cast<std::size_t>(tube - tubes_.begin()),
                      seconds, std::move(cuts), JobTilts(part.job), header.axisLetter,
                      HoleOutlines(part.job)});
  }

  StockRules rulesFor(const Tube& tube) const {
    return {tube.stockLength.value_or(0), kerf_, request_.trim};
  }

  void checkStock() {
    for (Tube& tube : tubes_) {
      tube.stockLength = StockLengthOf(request_.stock, tube.size);
      const std::string label = TubeLabel(tube.size);
      if (!tube.stockLength) {
        plan_.problems.push_back(where(tube.firstLine) + "tube " + label +
                                 " has no stock length: give --stock LENGTH or --stock " + label +
                                 "=LENGTH");
        continue;
      }
      const StockRules rules = rulesFor(tube);
      for (std::size_t index : tube.parts) {
        const Part& part = parts_[index];
        const double taken = StockTaken(part.ends, rules);
        if (taken > rules.length) {
          problem(part.row, "part " + Abbreviated(part.row.name) + " takes " +
                                DecimalText(taken, 3) + " mm of stock as cut, more than a " +
                                DecimalText(rules.length, 3) + " mm stick of tube " + label +
                                " holds");
        }
      }
    }
  }

  void nest() {
    std::vector<PlanJsonStick> json;
    std::vector<PlanJsonTube> jsonTubes;
    CutSheet sheet{listName_, {}, std::nullopt};
    int lowerBound = 0;
    std::size_t totalParts = 0, placed = 0;
    for (const Part& part : parts_)
      totalParts += static_cast<std::size_t>(part.row.quantity);
    for (const Tube& tube : tubes_) {
      std::vector<NestPart> parts;
      for (std::size_t index : tube.parts)
        parts.push_back({parts_[index].ends, parts_[index].row.quantity});
      const StockRules rules = rulesFor(tube);
      const std::size_t before = placed;
      const NestPlan plan = NestParts(parts, rules, [&](std::size_t done, std::size_t) {
        placed = before + done;
        report("nesting", placed, totalParts);
      });
      lowerBound += plan.lowerBound;

      const std::string label = TubeLabel(tube.size);
      CutSheetTube& drawn = sheet.tubes.emplace_back();
      drawn.label = label;
      drawn.diameter = tube.size.diameter;
      drawn.stockLength = rules.length;
      drawn.kerf = rules.kerf;
      drawn.trim = rules.trim;
      drawn.lowerBound = plan.lowerBound;
      for (const NestPart& part : parts)
        drawn.ownLength += part.quantity * OwnLength(part.ends);
      double longest = 0;
      std::vector<TubeTotals::StickProgram> programs;
      for (const NestedStick& stick : plan.sticks) {
        PlanJsonStick& listed = json.emplace_back();
        listed.tube = label;
        listed.length = rules.length;
        listed.remnant = stick.remnant;
        CutSheetStick& drawnStick = drawn.sticks.emplace_back();
        drawnStick.remnant = stick.remnant;
        longest = std::max(longest, stick.remnant);
        for (const Placement& placement : stick.parts) {
          const Part& part = parts_[tube.parts[placement.part]];
          listed.parts.push_back(
              {part.row.name, part.row.file, placement.offset, placement.flipped, placement.turn});
          drawnStick.parts.push_back(PlacedOutline(part, placement));
        }
        if (auto program = addStickProgram(json.size(), tube, stick, listed))
          programs.push_back(std::move(*program));
      }
      jsonTubes.push_back({label, static_cast<int>(plan.sticks.size()), plan.lowerBound,
                           plan.provenOptimal});
      std::optional<double> seconds = 0.0;
      for (std::size_t index : tube.parts)
        seconds = AddCutTime(seconds, parts_[index]);
      plan_.totals.push_back({label, static_cast<int>(plan.sticks.size()), plan.lowerBound,
                              plan.provenOptimal, rules.length, drawn.ownLength, longest,
                              seconds, std::move(programs)});
    }
    if (!plan_.problems.empty()) return;
    std::optional<double> seconds = 0.0;
    for (const Part& part : parts_)
      seconds = AddCutTime(seconds, part);
    if (seconds) sheet.cutTime = FormatCutTime(*seconds);
    plan_.summary = SummaryText(plan_.totals, lowerBound, sheet.cutTime);
    plan_.files.push_back(
        {std::string(kPlanFileStem) + ".json", FormatPlanJson(lowerBound, json, jsonTubes)});
    plan_.files.push_back({std::string(kCutSheetStem) + ".pdf", CutSheetPdf(sheet)});
    plan_.sheet = std::move(sheet);
  }

  // The square cut at trim from a stick's start, as the profile runs an end cut square to the
  // tube there, the trimmed piece on its scrap side.
  MachineCut TrimCut(const TubeSize& size, double trim) const {
    JobParameters square = DefaultJob();
    square.mainDiameter = size.diameter;
    square.mainRadius = size.diameter / 2;
    square.wallThickness = size.wall;
    for (EndCutParameters* end : {&square.left, &square.right})
      end->angle = 0;
    square.left.distance = trim;
    square.right.distance = trim + size.diameter;
    const JobOutcome computed = ComputeJob(square, 180);
    if (!computed.job) return {};
    const auto planned = PlanMachineCuts(*computed.job, *request_.machine);
    if (const auto* cuts = std::get_if<JobCuts>(&planned)) return MachineCutsOf(*cuts).front();
    return {};
  }

  // Writes the program of a stick's parts as the plan places them, named in listed, for the
  // stick's number among all; nothing when the parts do not share their tilt axis.
  std::optional<TubeTotals::StickProgram> addStickProgram(std::size_t number, const Tube& tube,
                                                          const NestedStick& stick,
                                                          PlanJsonStick& listed) {
    listed.program = std::string(kStickStem) + std::to_string(number) + ".ngc";
    const MachineProfile& machine = *request_.machine;
    const Part& first = parts_[tube.parts[stick.parts.front().part]];
    const std::optional<std::string> tilt = TiltLetter(machine, first.axisLetter);
    std::vector<PlacedPart> placed;
    bool tilts = false;
    for (const Placement& placement : stick.parts) {
      const Part& part = parts_[tube.parts[placement.part]];
      if (const auto letter = TiltLetter(machine, part.axisLetter);
          letter && Uppercase(*letter) != Uppercase(*tilt)) {
        problem(part.row, listed.program + " not made: " + part.row.name + " tilts on " + *letter +
                              " and " + first.row.name + " on " + *tilt +
                              ", on the same stick; give --axis-letter");
        return std::nullopt;
      }
      placed.push_back(
          {part.cuts, placement.offset, placement.flipped, static_cast<double>(placement.turn)});
      tilts = tilts || part.tilts;
    }
    std::vector<MachineCut> cuts = StickCuts(placed, tube.size.diameter);
    if (request_.trim) {
      if (MachineCut trim = TrimCut(tube.size, *request_.trim); !trim.empty())
        cuts.insert(cuts.begin(), std::move(trim));
    }
    const ProgramHeader header{request_.listPath, first.axisLetter, tube.size.diameter,
                               static_cast<int>(cuts.size())};
    plan_.files.push_back({listed.program, FormatCutsProgram(cuts, header, machine, tilts)});
    return TubeTotals::StickProgram{number, listed.program, EstimateCutTime(cuts, machine)};
  }

  // Each placement runs its part's program once; unknown when one part's time is.
  static std::optional<double> AddCutTime(std::optional<double> seconds, const Part& part) {
    if (!seconds || !part.cutSeconds) return std::nullopt;
    return *seconds + part.row.quantity * *part.cutSeconds;
  }

  const CutListRequest& request_;
  const CutListProgress& progress_;
  std::string listName_;
  double kerf_ = 0;  // the kerf the parts are spaced by
  std::vector<Part> parts_;
  std::vector<Tube> tubes_;
  CutListPlan plan_;
};

}  // namespace

CutListPlan PlanCutList(const CutListRequest& request, const CutListProgress& progress) {
  try {
    return Planner(request, progress).run();
  } catch (const Cancelled&) {
    CutListPlan plan;
    plan.problems.push_back("cancelled");
    plan.cancelled = true;
    return plan;
  }
}

bool SameTube(const TubeSize& a, const TubeSize& b) {
  return std::fabs(a.diameter - b.diameter) < kSameSize && std::fabs(a.wall - b.wall) < kSameSize;
}

std::optional<double> StockLengthOf(const std::vector<StockLength>& stock, const TubeSize& tube) {
  std::optional<double> length;
  for (const StockLength& entry : stock) {
    if (entry.tube && SameTube(*entry.tube, tube)) return entry.length;
    if (!entry.tube && !length) length = entry.length;
  }
  return length;
}

std::string TubeLabel(const TubeSize& tube) {
  return DecimalText(tube.diameter, 3) + "x" + DecimalText(tube.wall, 3);
}

std::string ListPartPath(const std::string& listPath, const std::string& file) {
  const std::filesystem::path path(file);
  if (path.is_absolute()) return file;
  return (std::filesystem::path(listPath).parent_path() / path).string();
}

PartSummary SummarizePart(const std::string& path) {
  const auto loaded = LoadPart(path);
  if (const auto* failure = std::get_if<std::string>(&loaded)) return {{}, 0, *failure, {}};
  const ComputedJob& job = std::get<LoadedPart>(loaded).job;
  const TubeSize size{job.parameters.mainDiameter, job.parameters.wallThickness};
  return {TubeLabel(size), job.lengths.xLength(), std::nullopt, size};
}

std::optional<std::string> WritePlanFiles(const std::string& folder,
                                          const std::vector<PlannedFile>& files,
                                          const std::atomic<bool>* cancel,
                                          const CutListProgress& progress) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path dir(folder);
  if (fs::exists(dir, error) && !fs::is_directory(dir, error)) return folder + " is not a folder";
  // Declared first, so the folders go after the files staged in them.
  NewFolders made;
  if (auto problem = made.create(folder)) return problem;
  FileTransaction transaction;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (cancel && cancel->load()) return "cancelled: nothing written";
    if (auto problem = transaction.stage((dir / files[i].name).string(), files[i].bytes))
      return "nothing written: " + *problem;
    if (progress) progress("writing", i + 1, files.size());
  }
  if (cancel && cancel->load()) return "cancelled: nothing written";
  if (auto problem = transaction.commit()) return "nothing written: " + *problem;
  made.keep();
  return std::nullopt;
}

}  // namespace korvex
