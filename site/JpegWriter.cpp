#include "site/JpegWriter.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <memory>
#include <setjmp.h>
#include <stdexcept>

namespace site {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
};

[[noreturn]] void onError(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    longjmp(manager->jump, 1);
}

struct Compressor {
    jpeg_compress_struct info{};
    ErrorManager errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    ~Compressor() {
        jpeg_destroy_compress(&info);
        std::free(buffer);
    }
};

} // namespace

std::string encodeJpeg(const Picture& picture, int quality) {
    auto c = std::make_unique<Compressor>();
    c->info.err = jpeg_std_error(&c->errors.base);
    c->errors.base.error_exit = onError;
    if (setjmp(c->errors.jump))
        throw std::runtime_error("the JPEG encoder failed");
    jpeg_create_compress(&c->info);
    jpeg_mem_dest(&c->info, &c->buffer, &c->size);
    c->info.image_width = Picture::kWidth;
    c->info.image_height = Picture::kHeight;
    c->info.input_components = 3;
    c->info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c->info);
    jpeg_set_quality(&c->info, quality, TRUE);
    // Full-resolution colour: a 240×180 photo is small, and halved chroma smears the thin
    // coloured lines of the borders.
    for (int k = 0; k < c->info.num_components; ++k)
        c->info.comp_info[k].h_samp_factor = c->info.comp_info[k].v_samp_factor = 1;
    jpeg_start_compress(&c->info, TRUE);
    while (c->info.next_scanline < c->info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(
            &picture.rgb[static_cast<std::size_t>(c->info.next_scanline) * Picture::kWidth * 3]);
        jpeg_write_scanlines(&c->info, &row, 1);
    }
    jpeg_finish_compress(&c->info);
    return std::string(reinterpret_cast<const char*>(c->buffer), c->size);
}

} // namespace site
