#include "framework/TBitmap.h"
#include "framework/TJpeg.h"

#include <QRandomGenerator>
#include <cstdio>
#include <gtest/gtest.h>
#include <jpeglib.h>

namespace {

// A 16 x 8 picture, left half red and right half blue, at high quality.
QByteArray EncodeTestJpeg()
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = 16;
    info.image_height = 8;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    unsigned char row[16 * 3];
    for (int x = 0; x < 16; ++x) {
        row[x * 3] = x < 8 ? 255 : 0;
        row[x * 3 + 1] = 0;
        row[x * 3 + 2] = x < 8 ? 0 : 255;
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

} // namespace

TEST(Jpeg, DecodesAValidPicture)
{
    const JpegResult result = DecodeJpeg(EncodeTestJpeg());
    ASSERT_TRUE(result.Error.isEmpty()) << result.Error.toStdString();
    ASSERT_EQ(result.Image.size(), QSize(16, 8));
    const QColor left = result.Image.pixelColor(2, 4);
    const QColor right = result.Image.pixelColor(13, 4);
    EXPECT_GT(left.red(), 220);
    EXPECT_LT(left.blue(), 40);
    EXPECT_GT(right.blue(), 220);
    EXPECT_LT(right.red(), 40);

    TPicture picture;
    EXPECT_TRUE(picture.LoadJpeg(EncodeTestJpeg()));
    EXPECT_EQ(picture.Width(), 16);
    EXPECT_TRUE(picture.LastError().isEmpty());
}

TEST(Jpeg, TruncatedDataGivesAnEmptyPictureAndAnError)
{
    const QByteArray whole = EncodeTestJpeg();
    for (const qsizetype keep : {whole.size() - 2, whole.size() / 2, qsizetype(20), qsizetype(2)}) {
        const JpegResult result = DecodeJpeg(whole.left(keep));
        EXPECT_TRUE(result.Image.isNull()) << keep;
        EXPECT_TRUE(result.Error.startsWith("JPEG error: ")) << result.Error.toStdString();
    }

    TPicture picture;
    ASSERT_TRUE(picture.LoadJpeg(whole));
    EXPECT_FALSE(picture.LoadJpeg(whole.left(whole.size() / 2)));
    EXPECT_FALSE(picture.HasGraphic()) << "a failed load must not keep the old picture";
    EXPECT_FALSE(picture.LastError().isEmpty());
}

TEST(Jpeg, RandomBytesAndEmptyInputAreRejected)
{
    QRandomGenerator random(1234);
    for (int round = 0; round < 50; ++round) {
        QByteArray bytes(qsizetype(random.bounded(1, 4000)), '\0');
        for (char& b : bytes)
            b = char(random.bounded(256));
        if (round % 2 == 0) {
            bytes[0] = char(0xFF); // get past the signature check into the decoder proper
            bytes[1] = char(0xD8);
        }
        const JpegResult result = DecodeJpeg(bytes);
        EXPECT_TRUE(result.Image.isNull());
        EXPECT_FALSE(result.Error.isEmpty());
    }
    EXPECT_EQ(DecodeJpeg(QByteArray()).Error, "Empty JPEG data");
    EXPECT_TRUE(DecodeJpeg("GIF89a....").Error.contains("Not a JPEG file"));
}

TEST(Jpeg, CorruptedBodyOfAValidPicture)
{
    QByteArray bytes = EncodeTestJpeg();
    QRandomGenerator random(99);
    for (qsizetype i = bytes.size() / 2; i < bytes.size() - 2; ++i)
        bytes[i] = char(random.bounded(256));
    const JpegResult result = DecodeJpeg(bytes);
    EXPECT_TRUE(result.Image.isNull());
    EXPECT_FALSE(result.Error.isEmpty());
}

TEST(Jpeg, ScaledDecodingTakesTheSmallestScaleThatCovers)
{
    const QByteArray bytes = EncodeTestJpeg(); // 16 x 8
    EXPECT_EQ(JpegSize(bytes), QSize(16, 8));
    EXPECT_FALSE(JpegSize("GIF89a....").isValid());
    const std::pair<QSize, QSize> cases[] = {{QSize(), {16, 8}}, {{2, 1}, {2, 1}},  {{3, 1}, {4, 2}},
                                             {{8, 4}, {8, 4}},   {{9, 4}, {10, 5}}, {{16, 8}, {16, 8}},
                                             {{40, 40}, {16, 8}}};
    for (const auto& [cover, size] : cases) {
        const JpegResult result = DecodeJpeg(bytes, cover);
        EXPECT_EQ(result.Image.size(), size) << cover.width() << " x " << cover.height();
        EXPECT_EQ(result.Image.format(), QImage::Format_RGB32);
    }
    const QImage half = DecodeJpeg(bytes, {8, 4}).Image;
    EXPECT_GT(half.pixelColor(1, 2).red(), 220);
    EXPECT_GT(half.pixelColor(6, 2).blue(), 220);
    EXPECT_EQ(qAlpha(half.pixel(6, 2)), 255);
}
