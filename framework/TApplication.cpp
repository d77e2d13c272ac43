#include "framework/TApplication.h"

#include "framework/TGbk.h"

#include <QCoreApplication>

QString ApplicationTitleFromPath(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    QString name = path.mid(slash + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

QString ApplicationTitle()
{
    if (QCoreApplication::instance() == nullptr)
        return QString();
    return ApplicationTitleFromPath(QCoreApplication::applicationFilePath());
}

QString ErrorDisplayText(const QString& message)
{
    if (message.isEmpty())
        return message;
    if (LastGbkCharCode(ToGbk(message)) > '.')
        return message + u'.';
    return message;
}
