// The form decoder and the upload text decoder on any bytes.
#include "common/PictureUploadName.h"
#include "site/FormFields.h"
#include "site/PixelUpload.h"
#include "site/Utf.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (auto fields = site::FormFields::parse(bytes)) {
        const std::string text = fields->value("text");
        (void)site::PixelUpload::decode(text);
        (void)common::isPictureUploadName(fields->value("filename"));
        // What the form encodes, it reads back unchanged.
        const std::string name = fields->value("a");
        auto again = site::FormFields::parse("a=" + site::FormFields::encode(name));
        if (!again || again->value("a") != name)
            std::abort();
    }
    (void)site::utf8ToUtf16(bytes);
    (void)site::PixelUpload::decode(bytes);
    return 0;
}
