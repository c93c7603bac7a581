#include "movie/output/Lwz.h"

#include "lzw/Lzw.h"
#include "movie/common/MovieNames.h"
#include "player/Clip.h"
#include "player/Stage.h"

#include <algorithm>
#include <string_view>

namespace output {

common::Result<QString> lwzCompress(QStringView text) {
    const auto codes =
        lzw::compress(std::u16string_view(text.utf16(), static_cast<std::size_t>(text.size())));
    if (!codes)
        return common::Failure{QString::fromStdString(codes.error())};
    // A code in the surrogate range would be a broken character once sent as UTF-8.
    if (std::any_of(codes->begin(), codes->end(),
                    [](char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }))
        return common::Failure{QStringLiteral("a code falls in the surrogate range")};
    return QString(reinterpret_cast<const QChar*>(codes->data()),
                   static_cast<qsizetype>(codes->size()));
}

void defineLwz(player::Clip& lwz) {
    lwz.setVar(QStringLiteral("xmlsafe"), false);
    player::Clip* self = &lwz;
    lwz.define(moviecommon::calls::compress, [self](const QVariantList& args) -> QVariant {
        const common::Result<QString> codes = lwzCompress(args.value(0).toString());
        if (!codes) {
            if (player::Stage* stage = self->stage())
                stage->trace(QStringLiteral("Lwz.compress: the text cannot be compressed: ") +
                             codes.error());
            return {};
        }
        return codes.value();
    });
}

} // namespace output
