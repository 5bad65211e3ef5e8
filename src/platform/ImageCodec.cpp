// ImageCodec: PNG and JPEG decoding into pixmaps and PNG encoding, through libpng and libjpeg.
#include "ImageCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

#include <jpeglib.h>
#include <png.h>

namespace vsm {

namespace {

// Pictures larger than this on a side are refused rather than risking a huge allocation.
constexpr int kMaxSide = 16384;

// ---- PNG ---------------------------------------------------------------------------------------

struct PngSource {
    const uint8_t* bytes;
    size_t size;
    size_t pos;
};

struct PngDecode {
    PngSource src{};
    PixmapPtr pixmap;
    std::vector<uint8_t> rgba;
    std::vector<png_bytep> rows;
};

void PngRead(png_structp png, png_bytep out, png_size_t count) {
    auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > src->size - src->pos) png_error(png, "truncated");
    std::memcpy(out, src->bytes + src->pos, count);
    src->pos += count;
}

void PngFail(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void PngQuiet(png_structp, png_const_charp) {}

PixmapPtr DecodePNG(const uint8_t* bytes, size_t size) {
    // Everything the decoder touches after setjmp lives behind this pointer, so a longjmp out of
    // libpng skips no destructor and leaves no local in an indeterminate state.
    auto holder = std::make_unique<PngDecode>();
    PngDecode* const d = holder.get();
    d->src = {bytes, size, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFail, PngQuiet);
    if (!png) return nullptr;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return nullptr;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return nullptr;
    }
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_set_read_fn(png, &d->src, PngRead);
    png_read_info(png, info);

    const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    const int colorType = png_get_color_type(png, info);
    const bool alpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS);

    // Whatever the stored form, ask for 8-bit RGBA.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(w) * 4) png_error(png, "unexpected row size");

    d->rgba.resize(static_cast<size_t>(w) * h * 4);
    d->rows.resize(h);
    for (png_uint_32 y = 0; y < h; y++)
        d->rows[y] = d->rgba.data() + static_cast<size_t>(y) * w * 4;
    png_read_image(png, d->rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);

    auto pixmap = std::make_shared<TPixmap>(static_cast<int>(w), static_cast<int>(h));
    pixmap->hasAlpha = alpha;
    const uint8_t* p = d->rgba.data();
    for (uint32_t& px : pixmap->pixels) {
        px = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        p += 4;
    }
    return pixmap;
}

// ---- JPEG --------------------------------------------------------------------------------------

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void JpegFail(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}
void JpegQuiet(j_common_ptr, int) {}

struct JpegDecode {
    jpeg_decompress_struct cinfo{};
    JpegError err{};
    std::vector<uint8_t> rgb;
};

PixmapPtr DecodeJPEG(const uint8_t* bytes, size_t size) {
    auto holder = std::make_unique<JpegDecode>();
    JpegDecode* const d = holder.get();
    d->cinfo.err = jpeg_std_error(&d->err.mgr);
    d->err.mgr.error_exit = JpegFail;
    d->err.mgr.emit_message = JpegQuiet;
    if (setjmp(d->err.jump)) {
        jpeg_destroy_decompress(&d->cinfo);
        return nullptr;
    }
    jpeg_create_decompress(&d->cinfo);
    jpeg_mem_src(&d->cinfo, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&d->cinfo, TRUE);
    d->cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d->cinfo);
    const unsigned w = d->cinfo.output_width, h = d->cinfo.output_height;
    if (w == 0 || h == 0 || w > unsigned(kMaxSide) || h > unsigned(kMaxSide) ||
        d->cinfo.output_components != 3) {
        jpeg_destroy_decompress(&d->cinfo);
        return nullptr;
    }
    d->rgb.resize(static_cast<size_t>(w) * h * 3);
    while (d->cinfo.output_scanline < h) {
        JSAMPROW row = d->rgb.data() + static_cast<size_t>(d->cinfo.output_scanline) * w * 3;
        jpeg_read_scanlines(&d->cinfo, &row, 1);
    }
    jpeg_finish_decompress(&d->cinfo);
    jpeg_destroy_decompress(&d->cinfo);

    auto pixmap = std::make_shared<TPixmap>(static_cast<int>(w), static_cast<int>(h));
    const uint8_t* p = d->rgb.data();
    for (uint32_t& px : pixmap->pixels) {
        px = 0xFF000000u | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        p += 3;
    }
    return pixmap;
}

} // namespace

PixmapPtr DecodeImage(const uint8_t* bytes, size_t size) {
    if (!bytes || size < 8) return nullptr;
    if (png_sig_cmp(bytes, 0, 8) == 0) return DecodePNG(bytes, size);
    if (bytes[0] == 0xFF && bytes[1] == 0xD8) return DecodeJPEG(bytes, size);
    return nullptr;
}

std::vector<uint8_t> EncodePNG(const TPixmap& pixmap) {
    std::vector<uint8_t> out;
    if (pixmap.width <= 0 || pixmap.height <= 0) return out;
    std::vector<uint8_t> rgba(pixmap.pixels.size() * 4);
    for (size_t i = 0; i < pixmap.pixels.size(); i++) {
        uint32_t px = pixmap.pixels[i];
        rgba[i * 4] = static_cast<uint8_t>(px >> 16);
        rgba[i * 4 + 1] = static_cast<uint8_t>(px >> 8);
        rgba[i * 4 + 2] = static_cast<uint8_t>(px);
        rgba[i * 4 + 3] = static_cast<uint8_t>(px >> 24);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(pixmap.width);
    image.height = static_cast<png_uint_32>(pixmap.height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr) || size == 0)
        return out;
    out.resize(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return {};
    }
    out.resize(size);
    return out;
}

} // namespace vsm
