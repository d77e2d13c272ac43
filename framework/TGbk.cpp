#include "framework/TGbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
// ICU's table for code page 936, the one the core's converter uses too.
constexpr const char* kCodePage936 = "windows-936";
} // namespace

std::string ToGbk(const QString& text)
{
    QStringEncoder encoder(kCodePage936);
    const QByteArray bytes = encoder(text);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QString FromGbk(std::string_view bytes)
{
    QStringDecoder decoder(kCodePage936);
    return decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

int LastGbkCharCode(std::string_view bytes)
{
    // Walk from the start: a trailing byte alone cannot tell whether it is a
    // lead byte or the second half of a pair.
    int last = -1;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        last = b;
        if (b >= 0x81 && b <= 0xFE && i + 1 < bytes.size())
            i += 2;
        else
            i += 1;
    }
    return last;
}
