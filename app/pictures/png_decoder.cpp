#include "png_decoder.h"

#include <png.h>

#include <QtEndian>

#include <csetjmp>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int signatureSize = 8;

// Everything the decoding touches once libpng may jump back to us lives in this object, in
// memory rather than in the registers of the function that called setjmp. Owning the libpng
// structures here means they are freed on every way out, the error paths included.
class PngDecoding {
public:
    explicit PngDecoding(QByteArrayView bytes) : m_bytes(bytes) {
        m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, raiseError, keepWarning);
        if (m_png)
            m_info = png_create_info_struct(m_png);
    }
    ~PngDecoding() { png_destroy_read_struct(&m_png, &m_info, nullptr); }
    PngDecoding(const PngDecoding&) = delete;
    PngDecoding& operator=(const PngDecoding&) = delete;

    bool created() const { return m_png && m_info; }
    void run();

    QImage image;
    QString error;
    QStringList warnings;

private:
    static void readBytes(png_structp png, png_bytep out, size_t length);
    [[noreturn]] static void raiseError(png_structp png, png_const_charp message);
    static void keepWarning(png_structp png, png_const_charp message);

    QByteArrayView m_bytes;
    qsizetype m_offset = 0;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
    std::vector<png_bytep> m_rows;
};

void PngDecoding::readBytes(png_structp png, png_bytep out, size_t length) {
    auto* self = static_cast<PngDecoding*>(png_get_io_ptr(png));
    if (length > static_cast<size_t>(self->m_bytes.size() - self->m_offset))
        png_error(png, "unexpected end of data");
    std::memcpy(out, self->m_bytes.data() + self->m_offset, length);
    self->m_offset += static_cast<qsizetype>(length);
}

void PngDecoding::raiseError(png_structp png, png_const_charp message) {
    static_cast<PngDecoding*>(png_get_error_ptr(png))->error =
        u"corrupt PNG data: "_s + QString::fromUtf8(message);
    png_longjmp(png, 1);
}

void PngDecoding::keepWarning(png_structp png, png_const_charp message) {
    static_cast<PngDecoding*>(png_get_error_ptr(png))->warnings.append(QString::fromUtf8(message));
}

// Objects with destructors are all members, so a jump back here skips none of them.
void PngDecoding::run() {
    if (setjmp(png_jmpbuf(m_png)))
        return; // raiseError has filled in `error`

    png_set_read_fn(m_png, this, readBytes);
    // Our own size check below gives the clearer message, so let libpng accept any legal size.
    png_set_user_limits(m_png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    // Bound what ancillary chunks (text, colour profiles) may make libpng allocate.
    png_set_chunk_cache_max(m_png, 128);
    png_set_chunk_malloc_max(m_png, 4 * 1024 * 1024);

    png_read_info(m_png, m_info);
    const png_uint_32 width = png_get_image_width(m_png, m_info);
    const png_uint_32 height = png_get_image_height(m_png, m_info);
    if (!pictureSizeAllowed(width, height)) {
        error = pictureTooLargeText(width, height);
        return;
    }

    // Whatever is stored, ask for 8-bit R, G, B, A per pixel.
    png_set_expand(m_png); // palette to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_scale_16(m_png);
    png_set_gray_to_rgb(m_png);
    png_set_add_alpha(m_png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(m_png);
    png_read_update_info(m_png, m_info);
    if (png_get_rowbytes(m_png, m_info) != size_t{width} * 4)
        png_error(m_png, "unexpected row layout after conversion to RGBA");

    image = QImage(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGBA8888);
    if (image.isNull()) {
        error = u"not enough memory for a %1 × %2 picture"_s.arg(width).arg(height);
        return;
    }
    m_rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        m_rows[y] = image.scanLine(static_cast<int>(y));
    png_read_image(m_png, m_rows.data());
    // Reading up to IEND also checks the CRCs of the chunks after the pixel data.
    png_read_end(m_png, nullptr);
}

DecodedPicture failure(const QString& text) {
    return {QImage(), text, {}};
}

// libpng allocates a buffer of a chunk's declared length before reading the chunk (a text chunk
// may claim 2 GB), so walk the chunk headers first and refuse one that claims more bytes than
// the file still has. Returns an error text, or nothing when the lengths are consistent.
QString chunkLengthError(QByteArrayView bytes) {
    constexpr qsizetype headerSize = 8; // length, type
    constexpr qsizetype crcSize = 4;
    qsizetype offset = signatureSize;
    while (bytes.size() - offset >= headerSize) {
        const quint32 length = qFromBigEndian<quint32>(bytes.data() + offset);
        const QByteArrayView type = bytes.sliced(offset + 4, 4);
        const qsizetype left = bytes.size() - offset - headerSize - crcSize;
        if (qint64(length) > left)
            return u"corrupt PNG data: chunk \"%1\" claims %2 bytes, the file has %3 left"_s
                .arg(QString::fromLatin1(type.toByteArray().toPercentEncoding()))
                .arg(length)
                .arg(qMax<qsizetype>(left, 0));
        if (type == "IEND")
            break;
        offset += headerSize + qsizetype(length) + crcSize;
    }
    return {};
}

} // namespace

DecodedPicture decodePng(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return failure(u"empty data"_s);
    if (bytes.size() < signatureSize ||
        png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, signatureSize) != 0)
        return failure(u"not a PNG image"_s);

    if (const QString lengthError = chunkLengthError(bytes); !lengthError.isEmpty())
        return failure(lengthError);

    PngDecoding decoding(bytes);
    if (!decoding.created())
        return failure(u"libpng could not start (out of memory?)"_s);
    decoding.run();
    if (!decoding.error.isEmpty())
        return {QImage(), decoding.error, decoding.warnings};
    return {decoding.image, QString(), decoding.warnings};
}
