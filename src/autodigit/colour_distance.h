#pragma once

#include "core/raster.h"

#include <functional>
#include <optional>
#include <vector>

namespace quorvex {

// Recognition by colour distance, for charts whose curve has no single colour (anti-aliased
// screenshots, JPEG figures): a pixel is on the curve when its CIELAB distance (CIE76) to the
// curve colour is at most a tolerance; the point of a column is the weighted centre of its run.

struct Lab {
    double L = 0, a = 0, b = 0;
};
// The CIELAB colour of an sRGB colour (D65 white).
Lab labOf(Colour c);
double deltaE76(const Lab& p, const Lab& q);

// Distances of colours to one reference colour. A chart holds few distinct colours, so each is
// converted once and kept in a small direct-mapped table.
class ColourDistance {
public:
    explicit ColourDistance(Colour reference);
    float operator()(Colour c) {
        Slot& slot = cache_[(c * 2654435761u) >> (32 - kCacheBits)];
        if (slot.colour != c) {
            slot.colour = c;
            slot.distance = static_cast<float>(deltaE76(labOf(c), reference_));
        }
        return slot.distance;
    }

private:
    static constexpr int kCacheBits = 16;
    struct Slot {
        Colour colour = 0xFFFFFFFFu; // never a 0x00BBGGRR colour
        float distance = 0;
    };
    Lab reference_;
    std::vector<Slot> cache_;
};

// How much of a pixel an anti-aliased curve covers: where its colour lies on the straight way
// from the paper colour to the curve colour (0 paper, 1 curve), or nothing when it lies off that
// way (another colour: grid, text, another curve). Without a paper colour distinct enough from
// the curve it knows nothing.
class CurveInk {
public:
    CurveInk(Colour curve, std::optional<Colour> paper);
    bool known() const { return known_; }
    std::optional<float> coverage(Colour c) const;
    // Whether a colour off the way is strong ink of its own (another curve drawn over this one,
    // not a light grid line): at least half as far from the paper as the curve colour is.
    bool foreignInk(Colour c) const;

private:
    bool known_ = false;
    Lab paperLab_;
    double curveFromPaper_ = 0;
    float paper_[3] = {0, 0, 0};
    float towards_[3] = {0, 0, 0}; // curve - paper
    float length2_ = 1;
    float offLine2_ = 0; // the largest squared distance from the way still counted
};

// The stretch of a column that belongs to the curve: rows top .. bottom, the weighted centre of
// its rows and the sum of their weights.
struct CurveRun {
    int top = 0, bottom = 0;
    double centre = 0;
    double strength = 0;
    // Other ink right above or below the run hides part of the curve there (a crossing).
    bool hiddenAbove = false, hiddenBelow = false;
};

// The tolerance and the weights of the distance rule.
struct DistanceRule {
    int tolerance = 25; // 0..100, CIE76 units
    // Pixels below this coverage do not lengthen a run.
    static constexpr float kMinCoverage = 0.1f;
};

// Finds the runs of one column from the rows fed to it from top to bottom. A run starts at a
// pixel within the tolerance of the curve colour (a core pixel); it reaches up and down over the
// pixels an anti-aliased edge leaves (coverage of at least kMinCoverage, at most kMaxEdge
// pixels), which weigh by their coverage; without a known paper colour the core pixels weigh 1 -
// distance / tolerance and nothing else counts. Rows not fed (paper, or skipped) end a run.
class RunTracker {
public:
    // `pixelAt(row)` reads the column upwards when a run starts (rows above it not yet in a
    // run); it returns nothing for rows the run may not reach (outside the image, the area or a
    // grid band).
    using PixelAt = std::function<std::optional<Colour>(int row)>;
    RunTracker(ColourDistance& distance, const CurveInk& ink, DistanceRule rule, PixelAt pixelAt);

    // One pixel of the column; rows come in increasing order.
    void feed(int row, Colour c);
    // The column has no pixel at this row that could belong to a run (paper, or a skipped row).
    void gap() { close(); }
    bool active() const { return state_ != State::Idle; }
    // Ends the last run; the runs found, top to bottom.
    std::vector<CurveRun>& finish() {
        close();
        return runs_;
    }
    void reset() {
        state_ = State::Idle;
        runs_.clear();
    }

private:
    enum class State { Idle, Core, Tail };
    void add(int row, float weight);
    void close(std::optional<Colour> below = std::nullopt);

    ColourDistance* distance_;
    const CurveInk* ink_;
    DistanceRule rule_;
    PixelAt pixelAt_;
    // An anti-aliased edge is at most this many pixels tall; longer stretches of a colour on the
    // way to the curve colour are something else (a grid line in a lighter shade).
    static constexpr int kMaxEdge = 2;
    State state_ = State::Idle;
    int edge_ = 0; // pixels of the edge below the last core pixel so far
    CurveRun current_;
    double weightedRows_ = 0;
    std::vector<CurveRun> runs_;
};

// The run a one-valued scan takes in a column: the strongest when nothing is expected;
// otherwise the one nearest the expected row, if it lies within `reach` rows of it (a run far
// away is something else: a legend, text, another part of the picture); nothing else.
std::optional<CurveRun> chooseRun(const std::vector<CurveRun>& runs, std::optional<double> expected,
                                  double reach);
// The run nearest a row.
std::optional<CurveRun> nearestRun(const std::vector<CurveRun>& runs, double row);

// Follows one curve from column to column in a one-valued scan: the run nearest the row where
// the last points lead (so a curve is kept through a crossing), as long as it is within
// reach of it (more reach the more columns lie between); when for a while no run is within
// reach, the curve is taken up again by the strongest run.
class CurveFollower {
public:
    std::optional<CurveRun> next(int x, const std::vector<CurveRun>& runs);

private:
    // The points of the last few columns: the straight line through them leads on.
    static constexpr std::size_t kHistory = 8;
    std::vector<std::pair<int, double>> recent_;
    int missed_ = 0;
};

// The most common colour of the area outside the tolerance (the paper), from a sample of its
// pixels; nothing when the sample holds no such colour.
std::optional<Colour> paperColour(const Raster& raster, int left, int top, int right, int bottom,
                                  ColourDistance& distance, int tolerance);

// Self-correction of a click by distance: the run of the clicked column within `window` rows
// of the clicked row whose centre is nearest it; its centre, or nothing.
std::optional<double> distanceCorrectedRow(const Raster& raster, Colour curve, int tolerance,
                                           int column, int row, int window);

} // namespace quorvex
