#include "framework/TJpeg.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace {

// Everything the error handler touches lives here, on the heap, so that a
// longjmp back into DecodeJpeg skips no destructor and reads no stale local.
struct DecodeContext
{
    jpeg_error_mgr Manager{};
    std::jmp_buf Jump{};
    char Message[JMSG_LENGTH_MAX] = {};
    QImage Image;
};

[[noreturn]] void FailDecode(j_common_ptr info)
{
    auto* context = reinterpret_cast<DecodeContext*>(info->err);
    (*info->err->format_message)(info, context->Message);
    std::longjmp(context->Jump, 1);
}

// libjpeg only warns about a truncated stream and pads it with grey; a
// picture with a grey band is a broken picture, so warnings fail too.
void OnMessage(j_common_ptr info, int level)
{
    if (level < 0)
        FailDecode(info);
}

// The smallest scale n/8 whose output still covers `cover`; full size when
// none is asked for or none smaller does.
void ChooseScale(jpeg_decompress_struct& info, QSize cover)
{
    info.scale_num = 8;
    info.scale_denom = 8;
    if (!cover.isValid())
        return;
    for (unsigned n = 1; n < 8; ++n) {
        info.scale_num = n;
        jpeg_calc_output_dimensions(&info);
        if (int(info.output_width) >= cover.width() && int(info.output_height) >= cover.height())
            return;
    }
    info.scale_num = 8;
}

void Decode(DecodeContext& context, jpeg_decompress_struct& info, const QByteArray& bytes, QSize cover)
{
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    // Straight into the layout of QImage::Format_RGB32 (0xffRRGGBB per word).
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    info.out_color_space = JCS_EXT_BGRA;
#else
    info.out_color_space = JCS_EXT_ARGB;
#endif
    ChooseScale(info, cover);
    jpeg_start_decompress(&info);

    context.Image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = context.Image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
}

// Runs `step` on a decompressor whose errors jump back here; false when
// libjpeg failed, with its message in the context. Nothing `step` calls may
// own anything that needs destroying, since a failure skips its frames.
template <class Step> bool RunJpeg(DecodeContext& context, Step step)
{
    const auto info = std::make_unique<jpeg_decompress_struct>();
    info->err = jpeg_std_error(&context.Manager);
    context.Manager.error_exit = FailDecode;
    context.Manager.emit_message = OnMessage;
    if (setjmp(context.Jump) != 0) {
        jpeg_destroy_decompress(info.get());
        return false;
    }
    jpeg_create_decompress(info.get());
    step(*info);
    jpeg_destroy_decompress(info.get());
    return true;
}

int& Decodes()
{
    static int count = 0;
    return count;
}

} // namespace

int JpegDecodeCount()
{
    return Decodes();
}

JpegResult DecodeJpeg(const QByteArray& bytes, QSize cover)
{
    ++Decodes();
    if (bytes.isEmpty())
        return {QImage(), QStringLiteral("Empty JPEG data")};
    const auto context = std::make_unique<DecodeContext>();
    if (!RunJpeg(*context, [&](jpeg_decompress_struct& info) { Decode(*context, info, bytes, cover); }))
        return {QImage(), QStringLiteral("JPEG error: %1").arg(QString::fromLatin1(context->Message))};
    return {context->Image, QString()};
}

QSize JpegSize(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QSize();
    const auto context = std::make_unique<DecodeContext>();
    QSize size;
    const bool read = RunJpeg(*context, [&](jpeg_decompress_struct& info) {
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                     static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info, TRUE);
        size = QSize(int(info.image_width), int(info.image_height));
    });
    return read ? size : QSize();
}
