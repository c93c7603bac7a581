#include "jpeg/JpegEncoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace jpeg {

namespace {

// libjpeg ends the process on an error unless told otherwise; its errors come back here by a
// long jump instead, out of the library and into runCompressor below.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char text[JMSG_LENGTH_MAX];
};

[[noreturn]] void onError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->text);
    std::longjmp(err->jump, 1);
}

// The compressor and the memory it encodes into, released together whatever happens.
struct Compressor {
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;

    Compressor() {
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = onError;
    }
    ~Compressor() {
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

struct Input {
    const std::uint8_t* rgb;
    int width;
    int height;
    std::size_t stride;
    int quality;
    Chroma chroma;
};

// Holds nothing that needs destroying, so the long jump back into it skips no destructor.
bool runCompressor(Compressor& c, const Input& in) {
    if (setjmp(c.err.jump) != 0)
        return false;
    jpeg_create_compress(&c.cinfo);
    jpeg_mem_dest(&c.cinfo, &c.buffer, &c.size);
    c.cinfo.image_width = static_cast<JDIMENSION>(in.width);
    c.cinfo.image_height = static_cast<JDIMENSION>(in.height);
    c.cinfo.input_components = 3;
    c.cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c.cinfo);
    jpeg_set_quality(&c.cinfo, in.quality, TRUE);
    if (in.chroma == Chroma::Full)
        for (int k = 0; k < c.cinfo.num_components; ++k)
            c.cinfo.comp_info[k].h_samp_factor = c.cinfo.comp_info[k].v_samp_factor = 1;
    jpeg_start_compress(&c.cinfo, TRUE);
    while (c.cinfo.next_scanline < c.cinfo.image_height) {
        // libjpeg takes rows as non-const pointers but only reads them.
        JSAMPROW row = const_cast<JSAMPROW>(in.rgb + c.cinfo.next_scanline * in.stride);
        jpeg_write_scanlines(&c.cinfo, &row, 1);
    }
    jpeg_finish_compress(&c.cinfo);
    return true;
}

} // namespace

std::string encodeRgb(const std::uint8_t* rgb, int width, int height, std::size_t stride,
                      int quality, Chroma chroma) {
    if (!rgb || width <= 0 || height <= 0 || stride < static_cast<std::size_t>(width) * 3)
        throw EncodeError("Cannot encode an empty picture");
    Compressor c;
    if (!runCompressor(c, {rgb, width, height, stride, quality, chroma}))
        throw EncodeError(c.err.text);
    return std::string(reinterpret_cast<const char*>(c.buffer), c.size);
}

} // namespace jpeg
