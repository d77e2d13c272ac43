#pragma once

#include <QImage>
#include <QStringList>

// A contact sheet of the skin: per style every bitmap the theme table names,
// then a push button, a tab strip and a title bar stretched to several sizes.
struct SkinSheet
{
    QImage Image;
    QStringList Missing; // names that did not load
};

SkinSheet RenderSkinSheet();
