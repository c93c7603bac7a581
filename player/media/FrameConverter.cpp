#include "player/media/FrameConverter.h"

#include "player/media/CameraFormat.h"

#include <QVideoFrame>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace media {

namespace {

// Keeps a frame mapped for reading while it is converted.
class MappedFrame {
public:
    explicit MappedFrame(const QVideoFrame& frame) : m_frame(frame) {
        m_mapped = m_frame.map(QVideoFrame::ReadOnly);
    }
    ~MappedFrame() {
        if (m_mapped)
            m_frame.unmap();
    }
    MappedFrame(const MappedFrame&) = delete;
    MappedFrame& operator=(const MappedFrame&) = delete;
    [[nodiscard]] bool ok() const { return m_mapped; }
    [[nodiscard]] const uchar* bits(int plane) const { return m_frame.bits(plane); }
    [[nodiscard]] int stride(int plane) const { return m_frame.bytesPerLine(plane); }
    [[nodiscard]] qsizetype bytes(int plane) const { return m_frame.mappedBytes(plane); }

private:
    QVideoFrame m_frame;
    bool m_mapped = false;
};

// For each target column (or row), the span of source columns (rows) it averages.
struct Spans {
    std::vector<int> begin;
    std::vector<int> end;
};

Spans spans(int cropStart, int cropLength, int targetLength) {
    Spans s;
    s.begin.resize(size_t(targetLength));
    s.end.resize(size_t(targetLength));
    for (int i = 0; i < targetLength; ++i) {
        const int b = cropStart + int(qint64(i) * cropLength / targetLength);
        const int e = cropStart + int(qint64(i + 1) * cropLength / targetLength);
        s.begin[size_t(i)] = b;
        s.end[size_t(i)] = std::max(e, b + 1);
    }
    return s;
}

inline uchar clampByte(int v) {
    return uchar(std::clamp(v, 0, 255));
}

// BT.601, the matrix of webcams and JPEG; video range unless the frame says full range.
inline QRgb yuvToRgb(int y, int u, int v, bool fullRange) {
    const int d = u - 128;
    const int e = v - 128;
    if (fullRange) {
        return qRgb(clampByte(y + ((359 * e + 128) >> 8)),
                    clampByte(y - ((88 * d + 183 * e + 128) >> 8)),
                    clampByte(y + ((454 * d + 128) >> 8)));
    }
    const int c = 298 * (y - 16) + 128;
    return qRgb(clampByte((c + 409 * e) >> 8), clampByte((c - 100 * d - 208 * e) >> 8),
                clampByte((c + 516 * d) >> 8));
}

// Where a frame layout keeps luma and chroma of a pixel.
struct Yuyv {
    const uchar* p;
    int s;
    int y(int x, int row) const { return p[row * s + 2 * x]; }
    int u(int x, int row) const { return p[row * s + (x & ~1) * 2 + 1]; }
    int v(int x, int row) const { return p[row * s + (x & ~1) * 2 + 3]; }
};
struct Uyvy {
    const uchar* p;
    int s;
    int y(int x, int row) const { return p[row * s + 2 * x + 1]; }
    int u(int x, int row) const { return p[row * s + (x & ~1) * 2]; }
    int v(int x, int row) const { return p[row * s + (x & ~1) * 2 + 2]; }
};
// Semi-planar: a luma plane, then interleaved chroma at half resolution; `uFirst` is NV12.
struct SemiPlanar {
    const uchar* luma;
    int ls;
    const uchar* chroma;
    int cs;
    int uOffset;
    int y(int x, int row) const { return luma[row * ls + x]; }
    int u(int x, int row) const { return chroma[(row / 2) * cs + (x & ~1) + uOffset]; }
    int v(int x, int row) const { return chroma[(row / 2) * cs + (x & ~1) + 1 - uOffset]; }
};
struct Planar {
    const uchar* luma;
    int ls;
    const uchar* up;
    int us;
    const uchar* vp;
    int vs;
    int y(int x, int row) const { return luma[row * ls + x]; }
    int u(int x, int row) const { return up[(row / 2) * us + x / 2]; }
    int v(int x, int row) const { return vp[(row / 2) * vs + x / 2]; }
};

// Luma averaged over each target pixel's box of source pixels (so a halving does not
// alias), chroma taken at the box's centre.
template <class Layout>
QImage convertYuv(const Layout& layout, QRect crop, QSize target, bool fullRange) {
    QImage image(target, QImage::Format_RGB32);
    const Spans cols = spans(crop.x(), crop.width(), target.width());
    const Spans rows = spans(crop.y(), crop.height(), target.height());
    for (int ty = 0; ty < target.height(); ++ty) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(ty));
        const int r0 = rows.begin[size_t(ty)];
        const int r1 = rows.end[size_t(ty)];
        const int rc = (r0 + r1 - 1) / 2;
        for (int tx = 0; tx < target.width(); ++tx) {
            const int c0 = cols.begin[size_t(tx)];
            const int c1 = cols.end[size_t(tx)];
            int sum = 0;
            for (int r = r0; r < r1; ++r)
                for (int c = c0; c < c1; ++c)
                    sum += layout.y(c, r);
            const int count = (r1 - r0) * (c1 - c0);
            const int cc = (c0 + c1 - 1) / 2;
            out[tx] =
                yuvToRgb((sum + count / 2) / count, layout.u(cc, rc), layout.v(cc, rc), fullRange);
        }
    }
    return image;
}

QImage fitImage(const QImage& source, QSize target) {
    if (source.isNull())
        return {};
    const QRect crop = centreCrop(source.size(), target);
    QImage cut = source.copy(crop);
    if (cut.size() != target)
        cut = cut.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return cut.convertToFormat(QImage::Format_RGB32);
}

bool planesFit(const MappedFrame& mapped, int planes, QSize size) {
    for (int i = 0; i < planes; ++i) {
        if (!mapped.bits(i) || mapped.stride(i) <= 0)
            return false;
    }
    const int lumaRows = size.height();
    const int chromaRows = (size.height() + 1) / 2;
    return mapped.bytes(0) >= qsizetype(mapped.stride(0)) * lumaRows &&
           (planes < 2 || mapped.bytes(1) >= qsizetype(mapped.stride(1)) * chromaRows) &&
           (planes < 3 || mapped.bytes(2) >= qsizetype(mapped.stride(2)) * chromaRows);
}

QImage convertMapped(const QVideoFrame& frame, const MappedFrame& m, QSize target) {
    const QSize size = frame.size();
    const QRect crop = centreCrop(size, target);
    const bool full = frame.surfaceFormat().colorRange() == QVideoFrameFormat::ColorRange_Full;
    switch (frame.pixelFormat()) {
    case QVideoFrameFormat::Format_YUYV:
    case QVideoFrameFormat::Format_UYVY:
        if (m.stride(0) < size.width() * 2 || !planesFit(m, 1, size))
            return {};
        if (frame.pixelFormat() == QVideoFrameFormat::Format_YUYV)
            return convertYuv(Yuyv{m.bits(0), m.stride(0)}, crop, target, full);
        return convertYuv(Uyvy{m.bits(0), m.stride(0)}, crop, target, full);
    case QVideoFrameFormat::Format_NV12:
    case QVideoFrameFormat::Format_NV21:
        if (m.stride(0) < size.width() || !planesFit(m, 2, size))
            return {};
        return convertYuv(SemiPlanar{m.bits(0), m.stride(0), m.bits(1), m.stride(1),
                                     frame.pixelFormat() == QVideoFrameFormat::Format_NV12 ? 0 : 1},
                          crop, target, full);
    case QVideoFrameFormat::Format_YUV420P:
    case QVideoFrameFormat::Format_YV12: {
        if (m.stride(0) < size.width() || !planesFit(m, 3, size))
            return {};
        const int u = frame.pixelFormat() == QVideoFrameFormat::Format_YUV420P ? 1 : 2;
        const int v = 3 - u;
        return convertYuv(
            Planar{m.bits(0), m.stride(0), m.bits(u), m.stride(u), m.bits(v), m.stride(v)}, crop,
            target, full);
    }
    case QVideoFrameFormat::Format_Jpeg:
        return decodeJpegFrame(m.bits(0), m.bytes(0), target);
    default:
        break;
    }
    const QImage::Format format =
        QVideoFrameFormat::imageFormatFromPixelFormat(frame.pixelFormat());
    if (format == QImage::Format_Invalid || !planesFit(m, 1, size))
        return {};
    // Wrapped, not copied: only the cut part is copied, by fitImage.
    const QImage wrapped(m.bits(0), size.width(), size.height(), m.stride(0), format);
    return fitImage(wrapped, target);
}

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jpegFail(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void jpegQuiet(j_common_ptr, int) {}

// The smallest eighths-scale at which the centre cut still covers the target. Only halvings:
// the decoder's fast paths are 1/8, 1/4 and 1/2; a scale such as 3/8 is slower than 1/2.
unsigned jpegScale(QSize full, QSize target) {
    const QRect crop = centreCrop(full, target);
    for (unsigned eighths = 1; eighths < 8; eighths *= 2) {
        const qint64 w = (qint64(crop.width()) * eighths + 7) / 8;
        const qint64 h = (qint64(crop.height()) * eighths + 7) / 8;
        if (w >= target.width() && h >= target.height())
            return eighths;
    }
    return 8;
}

// Decodes the centre cut of the picture at reduced scale into `out`; false on any error.
// Kept free of objects with destructors: a decoding error leaves through longjmp.
bool decodeJpegCut(const uchar* data, qsizetype size, QSize target, QImage& out, int& cutLeft,
                   QSize& cutSize) {
    jpeg_decompress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegFail;
    error.manager.emit_message = jpegQuiet;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.scale_num = jpegScale(QSize(int(info.image_width), int(info.image_height)), target);
    info.scale_denom = 8;
    info.out_color_space = JCS_EXT_BGRX; // the byte order of QImage::Format_RGB32 here
    info.dct_method = JDCT_IFAST;
    info.do_fancy_upsampling = FALSE;
    jpeg_start_decompress(&info);
    const QRect cut = centreCrop(QSize(int(info.output_width), int(info.output_height)), target);
    JDIMENSION left = JDIMENSION(cut.x());
    JDIMENSION width = JDIMENSION(cut.width());
    // Moves `left` back to a block boundary and widens `width` to match.
    jpeg_crop_scanline(&info, &left, &width);
    out = QImage(int(width), cut.height(), QImage::Format_RGB32);
    if (out.isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    if (cut.y() > 0)
        jpeg_skip_scanlines(&info, JDIMENSION(cut.y()));
    for (int row = 0; row < cut.height(); ++row) {
        JSAMPROW line = out.scanLine(row);
        if (jpeg_read_scanlines(&info, &line, 1) != 1)
            break;
    }
    jpeg_abort_decompress(&info);
    jpeg_destroy_decompress(&info);
    cutLeft = cut.x() - int(left);
    cutSize = cut.size();
    return true;
}

} // namespace

QImage decodeJpegFrame(const uchar* data, qsizetype size, QSize target) {
    if (!data || size < 4 || target.isEmpty())
        return {};
    QImage decoded;
    int cutLeft = 0;
    QSize cutSize;
    if (!decodeJpegCut(data, size, target, decoded, cutLeft, cutSize))
        return {};
    QImage cut = decoded.copy(cutLeft, 0, cutSize.width(), cutSize.height());
    if (cut.size() != target)
        cut = cut.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return cut;
}

QImage convertFrame(const QVideoFrame& frame, QSize target) {
    if (!frame.isValid() || frame.size().isEmpty() || target.isEmpty())
        return {};
    if (conversionCost(frame.pixelFormat())) {
        const MappedFrame mapped(frame);
        if (!mapped.ok())
            return {};
        return convertMapped(frame, mapped, target);
    }
    // A layout read nowhere above: Qt's own conversion, then the same cut.
    return fitImage(frame.toImage(), target);
}

} // namespace media
