#include "movie/output/Lwz.h"

#include "lzw/Lzw.h"
#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace output {

std::optional<QString> lwzCompress(QStringView text) {
    std::u16string codes;
    try {
        codes = lzw::compress(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                  static_cast<std::size_t>(text.size())));
    } catch (const std::invalid_argument&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
    // A code in the surrogate range would be a broken character once sent as UTF-8.
    if (std::any_of(codes.begin(), codes.end(),
                    [](char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }))
        return std::nullopt;
    return QString(reinterpret_cast<const QChar*>(codes.data()),
                   static_cast<qsizetype>(codes.size()));
}

void defineLwz(player::Clip& lwz) {
    lwz.setVar(QStringLiteral("xmlsafe"), false);
    player::Clip* self = &lwz;
    lwz.define(moviecommon::calls::compress, [self](const QVariantList& args) -> QVariant {
        const std::optional<QString> codes = lwzCompress(args.value(0).toString());
        if (!codes) {
            if (player::Stage* stage = self->stage())
                stage->trace(QStringLiteral("Lwz.compress: the text cannot be compressed"));
            return {};
        }
        return *codes;
    });
}

} // namespace output
