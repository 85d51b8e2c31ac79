#include "toolpath/curve_sampling.h"

#include <algorithm>
#include <cmath>

#include "base/format_number.h"
#include "domain/end_cut.h"
#include "domain/step_angles.h"

namespace korvex {
namespace {

constexpr double kTurn = 2 * kPi;
constexpr double kSameAngle = 1e-9;    // radians: angles this close are one point of the curve
constexpr double kNearExtreme = 1e-6;  // radians: a grid node this near an extreme gives way
constexpr double kTangentStep = 1e-7;  // radians either side of a point for its tangents
constexpr double kBendStep = 1e-4;     // radians either side of a point for its curvature
constexpr int kCoarseSteps = 36;       // no feature of the curve hides between two of them
constexpr int kSearchSteps = 720;      // the grid on which the extremes are bracketed
constexpr int kMaxHalvings = 30;
constexpr std::size_t kMaxSamples = 200000;  // a bound on the work for a curve that never settles

// One end's machine path as a function of the angle round the tube.
class EndCurve {
 public:
  EndCurve(const ComputedJob& job, int side)
      : job_(job.parameters),
        end_(side < 0 ? job.parameters.left : job.parameters.right),
        path_(side < 0 ? job.left.path : job.right.path),
        side_(side) {}

  CurveSample at(double theta) const {
    const MachinePathPoint point = MachinePathAt(side_, end_, job_, theta);
    return withTangents({theta, point.x, job_.mainRadius * (kPi - theta), point.tilt, {}, {}, 0});
  }

  // The chords to the curve a small step either side, and the curvature of (x(θ), R·(π − θ)):
  // R·x'' / (x'² + R²)^(3/2).
  CurveSample withTangents(CurveSample sample) const {
    const double r = job_.mainRadius;
    const double ahead = xAt(sample.theta + kBendStep), behind = xAt(sample.theta - kBendStep);
    const double slope = (ahead - behind) / (2 * kBendStep);
    const double bend = (ahead - 2 * sample.x + behind) / (kBendStep * kBendStep);
    sample.curvature = r * bend / std::pow(slope * slope + r * r, 1.5);
    const double dy = -r * kTangentStep;
    auto unit = [dy](double dx) {
      const double length = std::hypot(dx, dy);
      return PlaneVector{dx / length, dy / length};
    };
    sample.before = unit(sample.x - xAt(sample.theta - kTangentStep));
    sample.after = unit(xAt(sample.theta + kTangentStep) - sample.x);
    return sample;
  }

  // Step g of the computed path counted on from step 0 through further turns; the end of a
  // turn is the turn's step N, not the next turn's step 0.
  CurveSample step(long g) const {
    const long n = job_.cutSegments;
    long turn = g >= 0 ? g / n : -((-g + n - 1) / n);
    long i = g - turn * n;
    if (i == 0 && turn > 0) {
      i = n;
      --turn;
    }
    const auto index = static_cast<std::size_t>(i);
    return withTangents(
        {StepAngle(static_cast<int>(i), static_cast<int>(n)) + kTurn * static_cast<double>(turn),
         path_.x[index],
         path_.y[index] - kTurn * job_.mainRadius * static_cast<double>(turn),
         path_.z[index],
         {},
         {},
         0});
  }

  double xAt(double theta) const { return MachinePathAt(side_, end_, job_, theta).x; }

  int segments() const { return job_.cutSegments; }

 private:
  const JobParameters& job_;
  const EndCutParameters& end_;
  const CutPoints& path_;
  int side_;
};

std::vector<CurveSample> FixedSteps(const EndCurve& curve, double thetaStart) {
  const double thetaEnd = thetaStart + kTurn;
  const double width = kTurn / curve.segments();
  std::vector<CurveSample> samples;
  long g = static_cast<long>(std::ceil((thetaStart - kSameAngle) / width));
  if (std::abs(curve.step(g).theta - thetaStart) > kSameAngle) {
    samples.push_back(curve.at(thetaStart));
  }
  for (;; ++g) {
    const CurveSample sample = curve.step(g);
    if (sample.theta > thetaEnd - kSameAngle) {
      samples.push_back(std::abs(sample.theta - thetaEnd) <= kSameAngle ? sample
                                                                        : curve.at(thetaEnd));
      return samples;
    }
    samples.push_back(sample);
  }
}

// The angle in [low, high] where sense·x is least, for a curve with one such place there.
double GoldenSearch(const EndCurve& curve, double low, double high, double sense) {
  const double ratio = (std::sqrt(5.0) - 1) / 2;
  double a = high - ratio * (high - low), b = low + ratio * (high - low);
  double fa = sense * curve.xAt(a), fb = sense * curve.xAt(b);
  while (high - low > 1e-13) {
    if (fa <= fb) {
      high = b;
      b = a;
      fb = fa;
      a = high - ratio * (high - low);
      fa = sense * curve.xAt(a);
    } else {
      low = a;
      a = b;
      fa = fb;
      b = low + ratio * (high - low);
      fb = sense * curve.xAt(b);
    }
  }
  return (low + high) / 2;
}

// The angles of the curve's least and greatest x along the tube (the horn tips of a
// fish-mouth), bracketed on a fine grid and found by a golden-section search.
std::vector<double> Extremes(const EndCurve& curve, double thetaStart) {
  const double width = kTurn / kSearchSteps;
  std::vector<double> x(kSearchSteps);
  for (int j = 0; j < kSearchSteps; ++j)
    x[j] = curve.xAt(thetaStart + j * width);
  std::vector<double> found;
  for (int j = 0; j < kSearchSteps; ++j) {
    const double before = x[(j + kSearchSteps - 1) % kSearchSteps];
    const double after = x[(j + 1) % kSearchSteps];
    double sense = 0;
    if (x[j] < before && x[j] <= after) sense = 1;
    if (x[j] > before && x[j] >= after) sense = -1;
    if (sense == 0) continue;
    const double centre = thetaStart + j * width;
    double theta = GoldenSearch(curve, centre - width, centre + width, sense);
    if (theta < thetaStart) theta += kTurn;
    if (theta >= thetaStart + kTurn) theta -= kTurn;
    found.push_back(theta);
  }
  return found;
}

// The distance of p from the chord a–b in the unrolled surface.
double ChordError(const CurveSample& a, const CurveSample& b, const CurveSample& p) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  const double t =
      length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// Appends the points after a up to b that keep the chords within tolerance.
void Refine(const EndCurve& curve, CurveSample a, CurveSample b, double tolerance, int halvings,
            std::vector<CurveSample>& samples) {
  const double span = b.theta - a.theta;
  const CurveSample middle = curve.at(a.theta + span / 2);
  const bool fine = halvings >= kMaxHalvings || samples.size() >= kMaxSamples ||
                    (ChordError(a, b, middle) <= tolerance &&
                     ChordError(a, b, curve.at(a.theta + span / 4)) <= tolerance &&
                     ChordError(a, b, curve.at(a.theta + 3 * span / 4)) <= tolerance);
  if (fine) {
    samples.push_back(b);
    return;
  }
  Refine(curve, a, middle, tolerance, halvings + 1, samples);
  Refine(curve, middle, b, tolerance, halvings + 1, samples);
}

std::vector<CurveSample> ByTolerance(const EndCurve& curve, double thetaStart, double tolerance) {
  // The extremes, and the grid where no extreme is near: the ends of the turn always.
  const std::vector<double> extremes = Extremes(curve, thetaStart);
  std::vector<double> nodes;
  for (int j = 0; j <= kCoarseSteps; ++j) {
    const double theta = thetaStart + kTurn * j / kCoarseSteps;
    const bool end = j == 0 || j == kCoarseSteps;
    if (end || std::none_of(extremes.begin(), extremes.end(),
                            [theta](double e) { return std::abs(e - theta) < kNearExtreme; })) {
      nodes.push_back(theta);
    }
  }
  for (const double theta : extremes) {
    if (theta > thetaStart + kNearExtreme && theta < thetaStart + kTurn - kNearExtreme) {
      nodes.push_back(theta);
    }
  }
  std::sort(nodes.begin(), nodes.end());
  std::vector<CurveSample> samples{curve.at(nodes.front())};
  for (std::size_t k = 1; k < nodes.size(); ++k) {
    Refine(curve, samples.back(), curve.at(nodes[k]), tolerance, 0, samples);
  }
  return samples;
}

}  // namespace

std::string Where(const CurveSample& sample) {
  double degrees = std::fmod(sample.theta * 180 / kPi, 360.0);
  if (degrees < 0) degrees += 360;
  return "near " + FormatNumber(degrees, "#.0") + " degrees round the tube";
}

std::vector<CurveSample> SampleEndCurve(const ComputedJob& job, int side, double thetaStart,
                                        double tolerance) {
  const EndCurve curve(job, side);
  return tolerance > 0 ? ByTolerance(curve, thetaStart, tolerance) : FixedSteps(curve, thetaStart);
}

}  // namespace korvex
