#include "pixeltext/PixelText.h"

#include <array>
#include <optional>

namespace pixeltext {

namespace {

// "00".."99": two digits per table look-up halves the divisions.
constexpr std::array<char, 200> makeDigitPairs() {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}
constexpr std::array<char, 200> kDigitPairs = makeDigitPairs();

int digitCount(std::uint32_t v) {
    // Values are 24-bit colours, so at most eight digits.
    if (v < 10000)
        return v < 100 ? (v < 10 ? 1 : 2) : (v < 1000 ? 3 : 4);
    return v < 1000000 ? (v < 100000 ? 5 : 6) : (v < 10000000 ? 7 : 8);
}

// Kept apart from writeValue so that the column loop inlines it: an explicitly
// instantiated function is called, not inlined, and a call per value costs more than the
// value for the many short ones.
template <class Char> inline Char* putValue(Char* out, std::uint32_t value) {
    *out++ = Char('-');
    Char* const end = out + digitCount(value);
    Char* at = end;
    while (value >= 100) {
        const std::uint32_t pair = (value % 100) * 2;
        value /= 100;
        *--at = static_cast<Char>(kDigitPairs[pair + 1]);
        *--at = static_cast<Char>(kDigitPairs[pair]);
    }
    if (value >= 10) {
        *--at = static_cast<Char>(kDigitPairs[value * 2 + 1]);
        *--at = static_cast<Char>(kDigitPairs[value * 2]);
    } else {
        *--at = static_cast<Char>('0' + value);
    }
    return end;
}

void putRgb(std::uint8_t* rgb, std::ptrdiff_t stride, int index, std::uint32_t colour) {
    const Position at = position(index);
    std::uint8_t* px = rgb + at.y * stride + at.x * 3;
    px[0] = static_cast<std::uint8_t>(colour >> 16);
    px[1] = static_cast<std::uint8_t>(colour >> 8);
    px[2] = static_cast<std::uint8_t>(colour);
}

// A whole 32-bit signed decimal integer with an optional sign, nothing else.
std::optional<std::int32_t> readInteger(std::u16string_view piece) {
    std::size_t i = 0;
    bool negative = false;
    if (i < piece.size() && (piece[i] == u'+' || piece[i] == u'-')) {
        negative = piece[i] == u'-';
        ++i;
    }
    if (i == piece.size())
        return std::nullopt;
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t value = 0;
    for (; i < piece.size(); ++i) {
        const char16_t c = piece[i];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

common::Status<Fault> parseLenient(std::u16string_view text, std::uint8_t* rgb,
                                   std::ptrdiff_t stride) {
    const char16_t* p = text.data();
    const char16_t* const end = p + text.size();
    std::size_t count = 0;
    std::optional<Fault> bad;
    char16_t quote = 0;
    while (p != end && *p != 0) {
        // Leading spaces and line ends before a piece are skipped.
        while (p != end && (*p == u' ' || *p == u'\r' || *p == u'\n'))
            ++p;
        const char16_t* head = p;
        for (; p != end; ++p) {
            const char16_t c = *p;
            if (c == 0)
                break;
            if (c == u'\'' || c == u'"') {
                if (quote == 0)
                    quote = c;
                else if (quote == c)
                    quote = 0;
                continue;
            }
            if (quote == 0 && (c == u'-' || c == u'\r' || c == u'\n'))
                break;
        }
        if (p != head) {
            if (count < std::size_t{kValues}) {
                const std::u16string_view piece(head, static_cast<std::size_t>(p - head));
                if (const std::optional<std::int32_t> v = readInteger(piece)) {
                    // Bits above the lowest 24 are not part of the colour.
                    putRgb(rgb, stride, static_cast<int>(count), static_cast<std::uint32_t>(*v));
                } else if (!bad) {
                    bad = Fault{Fault::Kind::NotANumber, 0, count + 1, piece};
                }
            }
            ++count;
        }
        if (p != end && *p != 0)
            ++p; // past the separator
    }
    if (count != std::size_t{kValues})
        return common::Failure{Fault{Fault::Kind::WrongCount, count, 0, {}}};
    if (bad)
        return common::Failure{*bad};
    return {};
}

common::Status<Fault> parseStrict(std::u16string_view text, std::uint8_t* rgb,
                                  std::ptrdiff_t stride) {
    const auto fault = [&](Fault::Kind kind, int index, std::size_t from, std::size_t to) {
        return common::Failure{
            Fault{kind, 0, static_cast<std::size_t>(index) + 1, text.substr(from, to - from)}};
    };
    int index = 0;
    std::size_t at = 0;
    while (true) {
        if (index == kValues)
            return common::Failure{Fault{Fault::Kind::TooMany, 0, std::size_t{kValues} + 1,
                                         text.substr(at, text.find(u'-', at) - at)}};
        const std::size_t head = at;
        std::uint32_t value = 0;
        std::size_t digits = 0;
        while (at < text.size() && text[at] != u'-') {
            const char16_t c = text[at];
            if (c < u'0' || c > u'9')
                return fault(Fault::Kind::NotANumber, index, head, text.find(u'-', at));
            if (++digits > 8)
                return fault(Fault::Kind::AboveRange, index, head, text.find(u'-', at));
            value = value * 10 + (c - u'0');
            ++at;
        }
        if (digits == 0)
            return fault(Fault::Kind::Empty, index, head, at);
        if (value > 0xFFFFFF)
            return fault(Fault::Kind::AboveRange, index, head, at);
        putRgb(rgb, stride, index, value);
        ++index;
        if (at == text.size())
            break;
        ++at; // the "-"
    }
    if (index != kValues)
        return common::Failure{
            Fault{Fault::Kind::WrongCount, static_cast<std::size_t>(index), 0, {}}};
    return {};
}

} // namespace

template <class Char> Char* writeValue(Char* out, std::uint32_t value) {
    return putValue(out, value);
}

template char* writeValue<char>(char*, std::uint32_t);
template char16_t* writeValue<char16_t>(char16_t*, std::uint32_t);

char16_t* writeColumns(const std::uint32_t* const* rows, int width, int height, char16_t* out) {
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y)
            out = putValue(out, rows[y][x] & 0xFFFFFFu);
    }
    return out;
}

std::string describe(const Fault& fault) {
    const std::string value = "value " + std::to_string(fault.value);
    switch (fault.kind) {
    case Fault::Kind::WrongCount:
        return std::to_string(fault.count) + " values instead of " + std::to_string(kValues);
    case Fault::Kind::TooMany:
        return "more than " + std::to_string(kValues) + " values";
    case Fault::Kind::NotANumber:
        return value + " is not a number";
    case Fault::Kind::AboveRange:
        return value + " is above 0xFFFFFF";
    case Fault::Kind::Empty:
        return value + " is empty";
    }
    return "unknown fault";
}

common::Status<Fault> parse(std::u16string_view text, Rules rules, std::uint8_t* rgb,
                            std::ptrdiff_t stride) {
    return rules == Rules::Lenient ? parseLenient(text, rgb, stride)
                                   : parseStrict(text, rgb, stride);
}

} // namespace pixeltext
