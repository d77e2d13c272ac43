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

void Decode(DecodeContext& context, jpeg_decompress_struct& info, const QByteArray& bytes)
{
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = info.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);

    context.Image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    const int channels = info.output_components;
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * JDIMENSION(channels), 1);
    while (info.output_scanline < info.output_height) {
        const int y = int(info.output_scanline);
        jpeg_read_scanlines(&info, row, 1);
        auto* line = reinterpret_cast<QRgb*>(context.Image.scanLine(y));
        const JSAMPLE* samples = row[0];
        for (JDIMENSION x = 0; x < info.output_width; ++x) {
            const JSAMPLE* p = samples + x * JDIMENSION(channels);
            line[x] = channels == 1 ? qRgb(p[0], p[0], p[0]) : qRgb(p[0], p[1], p[2]);
        }
    }
    jpeg_finish_decompress(&info);
}

} // namespace

JpegResult DecodeJpeg(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {QImage(), QStringLiteral("Empty JPEG data")};

    const auto context = std::make_unique<DecodeContext>();
    const auto info = std::make_unique<jpeg_decompress_struct>();
    info->err = jpeg_std_error(&context->Manager);
    context->Manager.error_exit = FailDecode;
    context->Manager.emit_message = OnMessage;

    if (setjmp(context->Jump) != 0) {
        jpeg_destroy_decompress(info.get());
        return {QImage(), QStringLiteral("JPEG error: %1").arg(QString::fromLatin1(context->Message))};
    }
    jpeg_create_decompress(info.get());
    Decode(*context, *info, bytes);
    jpeg_destroy_decompress(info.get());
    return {context->Image, QString()};
}
