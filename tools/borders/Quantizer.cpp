#include "Quantizer.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace borders {

namespace {

struct ColourCount {
    std::array<int, 3> rgb;
    int count;
};

struct Box {
    std::vector<ColourCount> colours;
    int pixels = 0;

    int range(int channel) const {
        int lo = 255, hi = 0;
        for (const ColourCount& c : colours) {
            lo = std::min(lo, c.rgb[channel]);
            hi = std::max(hi, c.rgb[channel]);
        }
        return hi - lo;
    }
    int widestChannel() const {
        int best = 0;
        for (int ch = 1; ch < 3; ++ch) {
            if (range(ch) > range(best))
                best = ch;
        }
        return best;
    }
    QRgb mean() const {
        std::array<long long, 3> sum{};
        for (const ColourCount& c : colours) {
            for (int ch = 0; ch < 3; ++ch)
                sum[ch] += static_cast<long long>(c.rgb[ch]) * c.count;
        }
        const long long n = std::max(pixels, 1);
        return qRgb(int((sum[0] + n / 2) / n), int((sum[1] + n / 2) / n),
                    int((sum[2] + n / 2) / n));
    }
};

int nearest(const QList<QRgb>& palette, int r, int g, int b) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - r, dg = qGreen(palette[i]) - g,
                  db = qBlue(palette[i]) - b;
        const int distance = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

} // namespace

IndexedPicture quantize(const QImage& source, int maxColours) {
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    IndexedPicture result;
    result.width = picture.width();
    result.height = picture.height();

    std::unordered_map<QRgb, int> histogram;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            ++histogram[line[x] | 0xff000000u];
    }

    std::vector<Box> boxes(1);
    for (const auto& [colour, count] : histogram) {
        boxes[0].colours.push_back({{qRed(colour), qGreen(colour), qBlue(colour)}, count});
        boxes[0].pixels += count;
    }
    while (static_cast<int>(boxes.size()) < maxColours) {
        // Split the box whose spread weighs most; single colours cannot be split.
        int pick = -1;
        long long pickScore = 0;
        for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
            if (boxes[i].colours.size() < 2)
                continue;
            const long long score =
                static_cast<long long>(boxes[i].range(boxes[i].widestChannel())) * boxes[i].pixels;
            if (pick < 0 || score > pickScore) {
                pick = i;
                pickScore = score;
            }
        }
        if (pick < 0)
            break;
        Box& box = boxes[pick];
        const int channel = box.widestChannel();
        std::sort(box.colours.begin(), box.colours.end(),
                  [channel](const ColourCount& a, const ColourCount& b) {
                      return a.rgb[channel] < b.rgb[channel];
                  });
        int seen = 0;
        size_t cut = 1;
        for (; cut < box.colours.size(); ++cut) {
            seen += box.colours[cut - 1].count;
            if (seen * 2 >= box.pixels)
                break;
        }
        cut = std::clamp<size_t>(cut, 1, box.colours.size() - 1);
        Box upper;
        upper.colours.assign(box.colours.begin() + static_cast<std::ptrdiff_t>(cut),
                             box.colours.end());
        box.colours.resize(cut);
        box.pixels = 0;
        for (const ColourCount& c : box.colours)
            box.pixels += c.count;
        for (const ColourCount& c : upper.colours)
            upper.pixels += c.count;
        boxes.push_back(std::move(upper));
    }
    for (const Box& box : boxes)
        result.palette.append(box.mean());

    // Error diffusion keeps soft gradients from breaking into bands.
    const int w = result.width;
    std::vector<std::array<int, 3>> error(static_cast<size_t>(w + 2) * 2);
    result.indices.resize(static_cast<size_t>(w) * static_cast<size_t>(result.height));
    for (int y = 0; y < result.height; ++y) {
        auto* current = &error[static_cast<size_t>(y % 2) * static_cast<size_t>(w + 2)];
        auto* next = &error[static_cast<size_t>((y + 1) % 2) * static_cast<size_t>(w + 2)];
        std::fill(next, next + w + 2, std::array<int, 3>{});
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const std::array<int, 3> wanted = {
                std::clamp(qRed(line[x]) + current[x + 1][0] / 16, 0, 255),
                std::clamp(qGreen(line[x]) + current[x + 1][1] / 16, 0, 255),
                std::clamp(qBlue(line[x]) + current[x + 1][2] / 16, 0, 255)};
            const int index = nearest(result.palette, wanted[0], wanted[1], wanted[2]);
            result.indices[static_cast<size_t>(y * w + x)] = static_cast<std::uint8_t>(index);
            const QRgb got = result.palette[index];
            const std::array<int, 3> diff = {wanted[0] - qRed(got), wanted[1] - qGreen(got),
                                             wanted[2] - qBlue(got)};
            for (int ch = 0; ch < 3; ++ch) {
                current[x + 2][ch] += diff[ch] * 7;
                next[x][ch] += diff[ch] * 3;
                next[x + 1][ch] += diff[ch] * 5;
                next[x + 2][ch] += diff[ch];
            }
        }
    }
    return result;
}

} // namespace borders
