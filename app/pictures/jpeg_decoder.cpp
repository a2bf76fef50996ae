#include "jpeg_decoder.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first

#include <jerror.h>
#include <jpeglib.h>

using namespace Qt::StringLiterals;

namespace {

// As with the PNG decoder: everything that must survive a longjmp from libjpeg is a member, and
// the libjpeg object is destroyed on every way out.
class JpegDecoding {
public:
    explicit JpegDecoding(QByteArrayView bytes) : m_bytes(bytes) {
        m_info.err = jpeg_std_error(&m_errors);
        m_errors.error_exit = raiseError;
        m_errors.emit_message = handleMessage;
        m_info.client_data = this;
    }
    // Safe even when creation never happened: the structure starts zeroed, and libjpeg only
    // frees what its memory manager allocated.
    ~JpegDecoding() { jpeg_destroy_decompress(&m_info); }
    JpegDecoding(const JpegDecoding&) = delete;
    JpegDecoding& operator=(const JpegDecoding&) = delete;

    void run();

    QImage image;
    QString error;
    QStringList warnings;

private:
    static JpegDecoding* owner(j_common_ptr info) {
        return static_cast<JpegDecoding*>(info->client_data);
    }
    static QString messageText(j_common_ptr info);
    static QString errorText(j_common_ptr info);
    [[noreturn]] static void raiseError(j_common_ptr info);
    static void handleMessage(j_common_ptr info, int level);

    QByteArrayView m_bytes;
    jpeg_decompress_struct m_info{};
    jpeg_error_mgr m_errors{};
    std::jmp_buf m_jump{};
};

QString JpegDecoding::messageText(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX] = {};
    info->err->format_message(info, text);
    return QString::fromLatin1(text);
}

QString JpegDecoding::errorText(j_common_ptr info) {
    // Some of libjpeg's messages already start with our prefix; say it once.
    const QString libjpegPrefix = u"Corrupt JPEG data: "_s;
    QString text = messageText(info);
    if (text.startsWith(libjpegPrefix))
        text.remove(0, libjpegPrefix.size());
    return u"corrupt JPEG data: "_s + text;
}

// No object with a destructor may be alive here when longjmp leaves the function.
void JpegDecoding::raiseError(j_common_ptr info) {
    JpegDecoding* self = owner(info);
    self->error = errorText(info);
    std::longjmp(self->m_jump, 1);
}

// libjpeg reports damaged entropy data and a missing end of file only as warnings and then fills
// in grey; we would rather say the picture is broken than show it half grey. An unknown JFIF
// revision says nothing about the pixels, so that one is only noted. Trace messages (level 0 and
// up) are dropped; nothing goes to stderr.
void JpegDecoding::handleMessage(j_common_ptr info, int level) {
    if (level >= 0)
        return;
    if (info->err->msg_code == JWRN_JFIF_MAJOR) {
        owner(info)->warnings.append(messageText(info));
        return;
    }
    raiseError(info);
}

void JpegDecoding::run() {
    if (setjmp(m_jump))
        return; // raiseError has filled in `error`

    jpeg_create_decompress(&m_info);
    jpeg_mem_src(&m_info, reinterpret_cast<const unsigned char*>(m_bytes.data()),
                 static_cast<unsigned long>(m_bytes.size()));
    jpeg_read_header(&m_info, TRUE);
    if (!pictureSizeAllowed(m_info.image_width, m_info.image_height)) {
        error = pictureTooLargeText(m_info.image_width, m_info.image_height);
        return;
    }

    // Greyscale, YCbCr and RGB files all convert to RGB; anything else (CMYK) makes libjpeg
    // raise "Unsupported color conversion request".
    m_info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&m_info);
    // Rows go straight into the image, so make sure a pixel really is three bytes.
    if (m_info.output_components != 3)
        ERREXIT(&m_info, JERR_CONVERSION_NOTIMPL);

    image = QImage(static_cast<int>(m_info.output_width), static_cast<int>(m_info.output_height),
                   QImage::Format_RGB888);
    if (image.isNull()) {
        error = u"not enough memory for a %1 × %2 picture"_s.arg(m_info.output_width)
                    .arg(m_info.output_height);
        return;
    }
    while (m_info.output_scanline < m_info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(m_info.output_scanline));
        jpeg_read_scanlines(&m_info, &row, 1);
    }
    jpeg_finish_decompress(&m_info);
}

DecodedPicture failure(const QString& text) {
    return {QImage(), text, {}};
}

} // namespace

DecodedPicture decodeJpeg(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return failure(u"empty data"_s);
    // Every JPEG file starts with the start-of-image marker.
    if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
        static_cast<unsigned char>(bytes[1]) != 0xD8)
        return failure(u"not a JPEG image"_s);

    JpegDecoding decoding(bytes);
    decoding.run();
    if (!decoding.error.isEmpty())
        return {QImage(), decoding.error, decoding.warnings};
    return {decoding.image, QString(), decoding.warnings};
}
