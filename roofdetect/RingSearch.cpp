#include "roofdetect/RingSearch.h"

#include <algorithm>

namespace roofdetect {

namespace {

int Modulo(int value, int divisor) { return ((value % divisor) + divisor) % divisor; }

// The offsets of rings 1..4 and the start tables, built once.
struct RingTables {
    std::array<std::array<RingOffset, 32>, 5> pixel{};     // [k][j], k = 1..4
    std::array<std::array<std::array<int, 32>, 5>, 5> start{};  // [n][m][i], n = 1..4, m = 2..4

    RingTables()
    {
        for (int k = 1; k <= 4; ++k) {
            for (int j = 0; j < 8 * k; ++j) {
                RingOffset& o = pixel[static_cast<std::size_t>(k)][static_cast<std::size_t>(j)];
                if (j <= 2 * k) {
                    o = {k - j, k};
                } else if (j <= 4 * k) {
                    o = {-k, k - (j - 2 * k)};
                } else if (j <= 6 * k) {
                    o = {-k + (j - 4 * k), -k};
                } else {
                    o = {k, -k + (j - 6 * k)};
                }
            }
        }
        for (int n = 1; n <= 4; ++n) {
            for (int m = 2; m <= 4; ++m) {
                for (int i = 0; i < 8 * n; ++i) {
                    const int q = i / (2 * n);
                    const int p = i - 2 * n * q;
                    const int t = p == 0 ? 0 : std::clamp(m + p - n, 0, 2 * m);
                    start[static_cast<std::size_t>(n)][static_cast<std::size_t>(m)][static_cast<std::size_t>(i)] = (2 * m * q + t) % (8 * m);
                }
            }
        }
    }
};

const RingTables& Tables()
{
    static const RingTables tables;
    return tables;
}

bool Matches(const ByteMask& mask, std::uint8_t code, int x, int y)
{
    return x >= 0 && x <= kWindowLastU && y >= 0 && y <= kWindowLastV && mask.at(x, y) == code;
}

}  // namespace

RingOffset RingPixel(int k, int j)
{
    if (k < 1 || k > 4) {
        return {};
    }
    return Tables().pixel[static_cast<std::size_t>(k)][static_cast<std::size_t>(Modulo(j, 8 * k))];
}

int RingStart(int n, int dir, int m)
{
    if (n < 1 || n > 4 || m < 2 || m > 4) {
        return 0;
    }
    return Tables().start[static_cast<std::size_t>(n)][static_cast<std::size_t>(m)][static_cast<std::size_t>(Modulo(dir, 8 * n))];
}

bool FindRingPoint(const ByteMask& mask, std::uint8_t code, RingStep& step)
{
    for (const int j : kRing1Order) {
        const RingOffset o = RingPixel(1, j);
        if (Matches(mask, code, step.x + o.dx, step.y + o.dy)) {
            step = {0, j, step.x + o.dx, step.y + o.dy};
            return true;
        }
    }
    const int n = std::clamp(step.ring, 0, 3) + 1;
    for (int m = 2; m <= 4; ++m) {
        const int d = RingStart(n, step.dir, m);
        // d, d - 1, d + 1, ..., d - (4m - 1), d + (4m - 1), d - 4m.
        for (int k = 0; k <= 4 * m; ++k) {
            for (const int j : {d - k, d + k}) {
                const RingOffset o = RingPixel(m, j);
                if (Matches(mask, code, step.x + o.dx, step.y + o.dy)) {
                    step = {m - 1, Modulo(j, 8 * m), step.x + o.dx, step.y + o.dy};
                    return true;
                }
                if (k == 0 || k == 4 * m) {
                    break;  // d itself, and the opposite pixel, once
                }
            }
        }
    }
    return false;
}

bool FindTracedPointBelow(const ByteMask& mask, int x, int y, MaskPixel& found)
{
    auto tryRow = [&](int row, const auto& steps) {
        for (const int s : steps) {
            const int cx = x + s;
            if (cx >= 0 && cx <= kMaskLastX && row >= 0 && row <= kMaskLastY && mask.at(cx, row) == kMaskTraced) {
                found = {cx, row};
                return true;
            }
        }
        return false;
    };
    return tryRow(y - 1, kSideStep1) || tryRow(y - 2, kSideStep2) || tryRow(y - 3, kSideStep3);
}

}  // namespace roofdetect
