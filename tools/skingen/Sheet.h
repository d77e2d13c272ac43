#pragma once

#include <QImage>
#include <QMap>
#include <QString>

namespace skingen {

// A contact sheet for looking at the skin: every bitmap enlarged, plus the
// pieces put together the way the components draw them.
QImage MakeSheet(const QMap<QString, QImage>& skin, const QMap<QString, QImage>& pictures);

} // namespace skingen
