#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace site {

// The fields of an application/x-www-form-urlencoded body or query, decoded to bytes
// (the program sends UTF-8). A name given twice keeps its first value: a later copy
// cannot override what a check already looked at.
class FormFields {
public:
    // Nothing when an escape is broken ("%4", "%zz"): such a body did not come from a
    // form, and guessing at it could store something the sender never meant.
    [[nodiscard]] static std::optional<FormFields> parse(std::string_view encoded);

    [[nodiscard]] bool has(std::string_view name) const;
    [[nodiscard]] std::string value(std::string_view name) const;

    [[nodiscard]] static std::string encode(std::string_view text);
    // "a=1&b=2" from pairs, each side percent-encoded.
    [[nodiscard]] static std::string
    encode(const std::vector<std::pair<std::string, std::string>>& fields);

private:
    // A sorted map: a body of many thousand distinct names costs n log n, not n².
    std::map<std::string, std::string, std::less<>> m_fields;
};

// Percent-decoding of one component; '+' stands for a space.
[[nodiscard]] std::optional<std::string> percentDecode(std::string_view text);

} // namespace site
