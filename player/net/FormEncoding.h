#pragma once

#include "player/net/Transfer.h"

#include <QByteArray>
#include <optional>

namespace net {

// Fields as a form sends them: name=value pairs joined by "&", each part UTF-8 and
// percent-encoded (everything but letters, digits and "-._~"), so "&", "=", "%", "*" and
// Chinese text arrive as they were.
[[nodiscard]] QByteArray encodeForm(const Fields& fields);

// The named values of a form-encoded answer ("+" is a space). Surrounding white space is
// ignored and an empty answer has no values. Anything that is not a list of name=value
// pairs (an HTML page, say) is no answer at all.
[[nodiscard]] std::optional<Fields> decodeForm(const QByteArray& answer);

} // namespace net
