#include "lzw/Lzw.h"

#include <cstdint>
#include <vector>

namespace lzw {

namespace {

constexpr std::uint32_t kFirstFreeCode = 256;
constexpr std::uint32_t kNoCode = 0xFFFFFFFFu;

// Phrases are (prefix code, next character) pairs, so the dictionary is an open-addressing
// table of 64-bit keys rather than a map of strings: one probe per input character.
class PhraseTable {
public:
    explicit PhraseTable(std::size_t expectedPhrases) {
        std::size_t capacity = 1024;
        while (capacity < expectedPhrases * 2)
            capacity *= 2;
        m_keys.assign(capacity, kEmpty);
        m_codes.resize(capacity);
        m_mask = capacity - 1;
    }

    [[nodiscard]] std::uint32_t find(std::uint32_t prefix, char16_t next) const {
        const std::uint64_t key = makeKey(prefix, next);
        for (std::size_t slot = hash(key);; slot = (slot + 1) & m_mask) {
            if (m_keys[slot] == key)
                return m_codes[slot];
            if (m_keys[slot] == kEmpty)
                return kNoCode;
        }
    }

    void insert(std::uint32_t prefix, char16_t next, std::uint32_t code) {
        if ((m_size + 1) * 2 > m_keys.size())
            grow();
        place(makeKey(prefix, next), code);
        ++m_size;
    }

private:
    static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};

    static std::uint64_t makeKey(std::uint32_t prefix, char16_t next) {
        return (std::uint64_t{prefix} << 16) | next;
    }
    [[nodiscard]] std::size_t hash(std::uint64_t key) const {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 20) & m_mask;
    }
    void place(std::uint64_t key, std::uint32_t code) {
        std::size_t slot = hash(key);
        while (m_keys[slot] != kEmpty)
            slot = (slot + 1) & m_mask;
        m_keys[slot] = key;
        m_codes[slot] = code;
    }
    void grow() {
        std::vector<std::uint64_t> keys = std::move(m_keys);
        std::vector<std::uint32_t> codes = std::move(m_codes);
        m_keys.assign(keys.size() * 2, kEmpty);
        m_codes.assign(keys.size() * 2, 0);
        m_mask = m_keys.size() - 1;
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i] != kEmpty)
                place(keys[i], codes[i]);
    }

    std::vector<std::uint64_t> m_keys;
    std::vector<std::uint32_t> m_codes;
    std::size_t m_mask = 0;
    std::size_t m_size = 0;
};

using Text = common::Result<std::u16string, std::string>;

Text failure(const char* reason) {
    return common::Failure{std::string(reason)};
}

// False when the code does not fit one UTF-16 unit.
bool emit(std::u16string& out, std::uint32_t code) {
    if (code > 0xFFFF)
        return false;
    out.push_back(static_cast<char16_t>(code));
    return true;
}

constexpr const char* kCodeTooLarge = "a code does not fit one UTF-16 unit";

} // namespace

Text compress(std::u16string_view text) {
    std::u16string out;
    if (text.empty())
        return out;
    // Each character adds at most one phrase; a pixel text adds far fewer.
    PhraseTable table(text.size() / 4 + 16);
    std::uint32_t nextCode = kFirstFreeCode;
    std::uint32_t phrase = kNoCode;
    for (char16_t c : text) {
        if (c >= kFirstFreeCode)
            return failure("only characters below 256 can be compressed");
        if (phrase == kNoCode) {
            phrase = c;
            continue;
        }
        const std::uint32_t longer = table.find(phrase, c);
        if (longer != kNoCode) {
            phrase = longer;
            continue;
        }
        if (!emit(out, phrase))
            return failure(kCodeTooLarge);
        table.insert(phrase, c, nextCode++);
        phrase = c;
    }
    // The step after the last character writes out the phrase left over.
    if (!emit(out, phrase))
        return failure(kCodeTooLarge);
    return out;
}

Text decompress(std::u16string_view codes, std::size_t maxLength) {
    const auto tooLong = [] { return failure("the text expands past its limit"); };
    std::u16string out;
    if (codes.empty())
        return out;

    // Entry k (for k >= 256) is the phrase at out[start, start + length): every phrase the
    // decoder knows has already been written once, so it is kept as a slice of the output.
    struct Slice {
        std::size_t start;
        std::size_t length;
    };
    std::vector<Slice> entries;
    entries.reserve(codes.size());

    const std::uint32_t first = codes[0];
    if (first >= kFirstFreeCode)
        return failure("the first code is not a single character");
    if (maxLength < 1)
        return tooLong();
    out.push_back(static_cast<char16_t>(first));
    Slice previous{0, 1};

    for (std::size_t i = 1; i < codes.size(); ++i) {
        const std::uint32_t code = codes[i];
        const std::uint32_t known = kFirstFreeCode + static_cast<std::uint32_t>(entries.size());
        const std::size_t at = out.size();
        Slice current{};
        if (code < kFirstFreeCode) {
            if (out.size() + 1 > maxLength)
                return tooLong();
            out.push_back(static_cast<char16_t>(code));
            current = {at, 1};
        } else if (code < known) {
            const Slice entry = entries[code - kFirstFreeCode];
            if (entry.length > maxLength - out.size())
                return tooLong();
            out.append(out, entry.start, entry.length);
            current = {at, entry.length};
        } else if (code == known) {
            // The encoder entered this phrase in the step that wrote the previous code:
            // the previous phrase followed by its own first character.
            if (previous.length + 1 > maxLength - out.size())
                return tooLong();
            out.append(out, previous.start, previous.length);
            out.push_back(out[previous.start]);
            current = {at, previous.length + 1};
        } else {
            return failure("a code is above the dictionary size");
        }
        // previous phrase + first character of the current one: contiguous in the output.
        entries.push_back({previous.start, previous.length + 1});
        previous = current;
    }
    return out;
}

} // namespace lzw
