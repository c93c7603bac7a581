#include "site/FormFields.h"

namespace site {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::string> percentDecode(std::string_view text) {
    std::string out(text.size(), '\0');
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out[length++] = ' ';
        } else if (c == '%') {
            if (i + 2 >= text.size())
                return std::nullopt;
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high < 0 || low < 0)
                return std::nullopt;
            out[length++] = static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out[length++] = c;
        }
    }
    out.resize(length);
    return out;
}

std::optional<FormFields> FormFields::parse(std::string_view encoded) {
    FormFields fields;
    while (!encoded.empty()) {
        const std::size_t amp = encoded.find('&');
        const std::string_view pair = encoded.substr(0, amp);
        encoded = amp == std::string_view::npos ? std::string_view{} : encoded.substr(amp + 1);
        if (pair.empty())
            continue;
        const std::size_t eq = pair.find('=');
        auto name = percentDecode(pair.substr(0, eq));
        auto value =
            percentDecode(eq == std::string_view::npos ? std::string_view{} : pair.substr(eq + 1));
        if (!name || !value)
            return std::nullopt;
        fields.m_fields.emplace(std::move(*name), std::move(*value));
    }
    return fields;
}

bool FormFields::has(std::string_view name) const {
    return m_fields.find(name) != m_fields.end();
}

std::string FormFields::value(std::string_view name) const {
    const auto found = m_fields.find(name);
    return found == m_fields.end() ? std::string() : found->second;
}

std::string FormFields::encode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '_' || c == '.' || c == '~') {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

std::string FormFields::encode(const std::vector<std::pair<std::string, std::string>>& fields) {
    std::string out;
    for (const auto& [name, value] : fields) {
        if (!out.empty())
            out.push_back('&');
        out += encode(name);
        out.push_back('=');
        out += encode(value);
    }
    return out;
}

} // namespace site
