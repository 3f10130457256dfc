#include "roofdetect/GreyLevels.h"

#include "platform/NumberText.h"

#include <algorithm>

namespace roofdetect {

AnalysisWindow AnalysisWindow::AroundClick(const GreyPicture& picture, double x0, double y0)
{
    AnalysisWindow window;
    window.picture = &picture;
    window.offsetX = static_cast<float>(250.0 - x0);
    window.offsetY = static_cast<int>(platform::RoundHalfEven(195.0 - y0));
    return window;
}

int AnalysisWindow::GetGrayLevel(double u, double v) const
{
    if (picture == nullptr) {
        return 0;
    }
    const int level = picture->level(toX(u), toY(v));
    return level < 0 ? 0 : level;
}

double AnalysisWindow::GetSmoothGrayLevel(double u, double v) const
{
    if (picture == nullptr) {
        return 0.0;
    }
    const double level = picture->smoothLevel(toX(u), toY(v));
    return level < 0.0 ? 0.0 : level;
}

bool AnalysisWindow::InPicture(double u, double v) const
{
    return picture != nullptr && picture->level(toX(u), toY(v)) >= 0;
}

void GreyHistogram::add(int level)
{
    if (level < 0 || level >= static_cast<int>(bins_.size())) {
        return;
    }
    int& bin = bins_[static_cast<std::size_t>(level)];
    if (bin < 32767) {
        ++bin;
    }
}

int GreyHistogram::mode(int first, int last, int none) const
{
    int best = none;
    int bestCount = 0;
    for (int level = first; level <= last; ++level) {
        if (count(level) > bestCount) {
            bestCount = count(level);
            best = level;
        }
    }
    return best;
}

int GetPhotoGrayPeak(const GreyPicture& picture)
{
    GreyHistogram histogram;
    int previous = 0;  // a sample without a grey level counts for the sample before it
    for (int y = -185; y <= 155; y += 10) {
        for (int x = -249; x <= 250; ++x) {
            const int level = picture.level(x, y);
            if (level >= 0) {
                previous = level;
            }
            histogram.add(previous);
        }
    }
    return histogram.mode(190, 230, 0);
}

namespace {

// The star of scans of GetRoofGrayLevel over one window.
class RoofGreyStar {
public:
    RoofGreyStar(const AnalysisWindow& window, double uc, double vc)
        : window_(window), uc_(uc), vc_(vc), g_(window.GetGrayLevel(uc, vc))
    {
    }

    const GreyHistogram& histogram() const { return histogram_; }

    void run()
    {
        // Row stage: arms along the click's row, each arm pixel scanned up and down its column.
        for (double u = uc_ + 1; u <= kWindowLastU && inLevel(level(u, vc_)); u += 1) {
            columnScans(u);
        }
        for (double u = uc_; u >= 0 && inLevel(level(u, vc_)); u -= 1) {
            columnScans(u);
        }
        // Column stage: arms along the click's column, each arm pixel scanned right and left.
        for (double v = vc_ + 1; v <= kWindowLastV && inLevel(level(uc_, v)); v += 1) {
            rowScans(v);
        }
        for (double v = vc_; v >= 0 && inLevel(level(uc_, v)); v -= 1) {
            rowScans(v);
        }
    }

private:
    int level(double u, double v) const { return window_.GetGrayLevel(u, v); }
    bool inLevel(int p) const { return p >= g_ - 10 && p <= g_ + 10; }

    void columnScans(double u)
    {
        scan(u, vc_ + 1, 0, +1, false);  // upwards: a pixel out of level counts once
        scan(u, vc_, 0, -1, true);
    }

    void rowScans(double v)
    {
        scan(uc_ + 1, v, +1, 0, true);
        scan(uc_, v, -1, 0, true);
    }

    // One scan from (u, v) in steps (du, dv) to the window edge: it crosses pixels in level, goes
    // on through at most 21 pixels out of level and ends at the first pixel in level after them.
    void scan(double u, double v, int du, int dv, bool countOutTwice)
    {
        int out = 0;
        for (; u >= 0 && u <= kWindowLastU && v >= 0 && v <= kWindowLastV; u += du, v += dv) {
            const int p = level(u, v);
            histogram_.add(p);
            if (!inLevel(p)) {
                if (countOutTwice) {
                    histogram_.add(p);
                }
                if (++out > 20) {
                    return;
                }
            } else if (out > 0) {
                return;
            }
        }
    }

    const AnalysisWindow& window_;
    double uc_;
    double vc_;
    int g_;
    GreyHistogram histogram_;
};

}  // namespace

GreyHistogram RoofGreyHistogram(const AnalysisWindow& window, double x0, double y0)
{
    RoofGreyStar star(window, window.toU(x0), window.toV(y0));
    star.run();
    return star.histogram();
}

int GetRoofGrayLevel(const AnalysisWindow& window, double x0, double y0)
{
    const int g = window.GetGrayLevel(window.toU(x0), window.toV(y0));
    return RoofGreyHistogram(window, x0, y0).mode(std::max(0, g - 15), g + 15, g);
}

}  // namespace roofdetect
