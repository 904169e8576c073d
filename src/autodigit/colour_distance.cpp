#include "autodigit/colour_distance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace quorvex {

namespace {

// sRGB channel values 0..255 as linear light.
const std::array<double, 256>& linearTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double v = i / 255.0;
            t[std::size_t(i)] = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table;
}

double labCurve(double t) {
    constexpr double delta = 6.0 / 29.0;
    return t > delta * delta * delta ? std::cbrt(t) : t / (3 * delta * delta) + 4.0 / 29.0;
}

} // namespace

Lab labOf(Colour c) {
    const auto& linear = linearTable();
    const double r = linear[std::size_t(redOf(c))], g = linear[std::size_t(greenOf(c))],
                 b = linear[std::size_t(blueOf(c))];
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const double fx = labCurve(x), fy = labCurve(y), fz = labCurve(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double deltaE76(const Lab& p, const Lab& q) {
    const double dl = p.L - q.L, da = p.a - q.a, db = p.b - q.b;
    return std::sqrt(dl * dl + da * da + db * db);
}

ColourDistance::ColourDistance(Colour reference)
    : reference_(labOf(reference)), cache_(std::size_t(1) << kCacheBits) {}

CurveInk::CurveInk(Colour curve, std::optional<Colour> paper) {
    if (!paper) return;
    const float p[3] = {float(redOf(*paper)), float(greenOf(*paper)), float(blueOf(*paper))};
    const float c[3] = {float(redOf(curve)), float(greenOf(curve)), float(blueOf(curve))};
    length2_ = 0;
    for (int i = 0; i < 3; ++i) {
        paper_[i] = p[i];
        towards_[i] = c[i] - p[i];
        length2_ += towards_[i] * towards_[i];
    }
    // A curve nearly the colour of the paper leaves no measurable coverage.
    known_ = length2_ >= 60.0f * 60.0f;
    paperLab_ = labOf(*paper);
    curveFromPaper_ = deltaE76(labOf(curve), paperLab_);
    const float offLine = std::max(24.0f, 0.3f * std::sqrt(length2_));
    offLine2_ = offLine * offLine;
}

std::optional<float> CurveInk::coverage(Colour c) const {
    if (!known_) return std::nullopt;
    const float v[3] = {float(redOf(c)) - paper_[0], float(greenOf(c)) - paper_[1],
                        float(blueOf(c)) - paper_[2]};
    const float along = (v[0] * towards_[0] + v[1] * towards_[1] + v[2] * towards_[2]) / length2_;
    float off2 = 0;
    for (int i = 0; i < 3; ++i) {
        const float d = v[i] - along * towards_[i];
        off2 += d * d;
    }
    if (off2 > offLine2_) return std::nullopt;
    return std::clamp(along, 0.0f, 1.0f);
}

bool CurveInk::foreignInk(Colour c) const {
    return known_ && !coverage(c) && deltaE76(labOf(c), paperLab_) > 0.5 * curveFromPaper_;
}

RunTracker::RunTracker(ColourDistance& distance, const CurveInk& ink, DistanceRule rule,
                       PixelAt pixelAt)
    : distance_(&distance), ink_(&ink), rule_(rule), pixelAt_(std::move(pixelAt)) {}

void RunTracker::add(int row, float weight) {
    current_.top = std::min(current_.top, row);
    current_.bottom = std::max(current_.bottom, row);
    current_.strength += weight;
    weightedRows_ += double(weight) * row;
}

void RunTracker::close(std::optional<Colour> below) {
    if (state_ == State::Idle) return;
    current_.centre = weightedRows_ / current_.strength;
    current_.hiddenBelow = below && ink_->foreignInk(*below);
    runs_.push_back(current_);
    state_ = State::Idle;
}

void RunTracker::feed(int row, Colour c) {
    const float d = (*distance_)(c);
    const float tolerance = float(rule_.tolerance);
    if (d <= tolerance) {
        float weight = tolerance > 0 ? 1.0f - d / tolerance : 1.0f;
        if (ink_->known())
            if (const std::optional<float> cover = ink_->coverage(c)) weight = *cover;
        weight = std::max(weight, 0.05f);
        if (state_ == State::Idle) {
            current_ = CurveRun{row, row, 0, 0};
            weightedRows_ = 0;
            state_ = State::Core;
            // The anti-aliased edge above the first core pixel belongs to the run too.
            for (int above = row - 1; ink_->known() && pixelAt_; --above) {
                const std::optional<Colour> p = pixelAt_(above);
                if (!p) break;
                const std::optional<float> cover = ink_->coverage(*p);
                if (!cover || *cover < DistanceRule::kMinCoverage || above < row - kMaxEdge) {
                    current_.hiddenAbove = ink_->foreignInk(*p);
                    break;
                }
                add(above, *cover);
            }
        }
        add(row, weight);
        state_ = State::Core;
        edge_ = 0;
        return;
    }
    if (state_ == State::Idle) return;
    if (const std::optional<float> cover = ink_->coverage(c);
        cover && *cover >= DistanceRule::kMinCoverage && edge_ < kMaxEdge) {
        add(row, *cover);
        state_ = State::Tail;
        ++edge_;
        return;
    }
    close(c);
}

std::optional<CurveRun> nearestRun(const std::vector<CurveRun>& runs, double row) {
    if (runs.empty()) return std::nullopt;
    return *std::min_element(runs.begin(), runs.end(), [row](const CurveRun& a, const CurveRun& b) {
        return std::abs(a.centre - row) < std::abs(b.centre - row);
    });
}

std::optional<CurveRun> chooseRun(const std::vector<CurveRun>& runs, std::optional<double> expected,
                                  double reach) {
    if (runs.empty()) return std::nullopt;
    if (!expected)
        return *std::max_element(
            runs.begin(), runs.end(),
            [](const CurveRun& a, const CurveRun& b) { return a.strength < b.strength; });
    const CurveRun nearest = *nearestRun(runs, *expected);
    // The rows between the expected row and the run (0 when the run covers it).
    const double gap = std::max({0.0, nearest.top - *expected, *expected - nearest.bottom});
    if (gap > reach) return std::nullopt;
    return nearest;
}

std::optional<CurveRun> CurveFollower::next(int x, const std::vector<CurveRun>& runs) {
    // After this many columns without a run in reach the curve is sought afresh.
    constexpr int kColumnsBeforeRestart = 8;
    if (missed_ >= kColumnsBeforeRestart) recent_.clear();
    std::optional<double> expected;
    double reach = 0;
    if (!recent_.empty()) {
        // The least-squares line through the recent points, at this column.
        double mx = 0, my = 0;
        for (const auto& [px, py] : recent_) {
            mx += px;
            my += py;
        }
        mx /= double(recent_.size());
        my /= double(recent_.size());
        double sxx = 0, sxy = 0;
        for (const auto& [px, py] : recent_) {
            sxx += (px - mx) * (px - mx);
            sxy += (px - mx) * (py - my);
        }
        expected = my + (sxx > 0 ? sxy / sxx : 0.0) * (x - mx);
        reach = 10.0 + 3.0 * std::abs(x - recent_.back().first);
    }
    const std::optional<CurveRun> run = chooseRun(runs, expected, reach);
    if (!run) {
        if (!runs.empty()) ++missed_;
        return std::nullopt;
    }
    if (recent_.size() == kHistory) recent_.erase(recent_.begin());
    recent_.emplace_back(x, run->centre);
    missed_ = 0;
    return run;
}

std::optional<Colour> paperColour(const Raster& raster, int left, int top, int right, int bottom,
                                  ColourDistance& distance, int tolerance) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, raster.width() - 1);
    bottom = std::min(bottom, raster.height() - 1);
    if (right < left || bottom < top) return std::nullopt;
    constexpr int kSamples = 64;
    const int stepX = std::max(1, (right - left + 1) / kSamples);
    const int stepY = std::max(1, (bottom - top + 1) / kSamples);
    std::unordered_map<Colour, int> counts;
    for (int y = top; y <= bottom; y += stepY)
        for (int x = left; x <= right; x += stepX)
            ++counts[raster.pixel(x, y)];
    std::optional<Colour> paper;
    int most = 0;
    for (const auto& [colour, count] : counts)
        if (distance(colour) > float(tolerance) &&
            (count > most || (count == most && paper && colour < *paper))) {
            paper = colour;
            most = count;
        }
    return paper;
}

std::optional<double> distanceCorrectedRow(const Raster& raster, Colour curve, int tolerance,
                                           int column, int row, int window) {
    if (column < 0 || column >= raster.width() || raster.height() == 0) return std::nullopt;
    const int top = std::max(0, row - window), bottom = std::min(raster.height() - 1, row + window);
    ColourDistance distance(curve);
    const CurveInk ink(curve, paperColour(raster, column - window, top, column + window, bottom,
                                          distance, tolerance));
    RunTracker tracker(distance, ink, DistanceRule{tolerance}, [&](int y) -> std::optional<Colour> {
        if (y < top || y > bottom) return std::nullopt;
        return raster.pixel(column, y);
    });
    for (int y = top; y <= bottom; ++y)
        tracker.feed(y, raster.pixel(column, y));
    const std::optional<CurveRun> run = nearestRun(tracker.finish(), double(row));
    if (!run) return std::nullopt;
    return run->centre;
}

} // namespace quorvex
