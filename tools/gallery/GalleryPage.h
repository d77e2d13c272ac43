#pragma once

#include "skin/Suithemes.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

// One page of the gallery: a builder that fills a stage with skin
// components in the given look. A page puts its components into the states
// it shows (hover, pressed, focus) by sending them the input a user would.
struct GalleryPage
{
    QString Name;
    int Order = 0;
    std::function<void(QWidget* stage, TsuiUIStyle look)> Build;
};

// Pages register themselves from their own source file under pages/, which
// the build picks up by itself:
//   static const GalleryPageRegistrar page(QStringLiteral("Buttons"), 10, BuildButtonsPage);
struct GalleryPageRegistrar
{
    GalleryPageRegistrar(const QString& name, int order,
                         std::function<void(QWidget* stage, TsuiUIStyle look)> build);
};

// Every registered page, by Order then name.
std::vector<GalleryPage> GalleryPages();

// "<page>-<look>.png", the file of a page's golden picture.
QString GoldenName(const GalleryPage& page, const TsuiLook& look);

// The size every page is laid out for.
constexpr int kStageWidth = 640;
constexpr int kStageHeight = 400;

// A stage filled by the page in the look: a widget of the stage size in the
// look's face colour, not yet shown.
QWidget* CreateStage(const GalleryPage& page, TsuiUIStyle look, QWidget* parent = nullptr);

// Builds the page on a window of its own, brings the window up so that
// hover, press and focus states take, and returns its picture. Meant for the
// offscreen platform.
QImage RenderPage(const GalleryPage& page, TsuiUIStyle look);

// Points fontconfig at the fixed fonts the goldens are drawn with; call
// before the application object exists.
void UseGoldenFonts();

class TsuiGroupBox;
// A captioned group box on the stage that holds one part of a page.
TsuiGroupBox* Section(QWidget* stage, const QString& caption, int left, int top, int width, int height);

// Puts a control into a state the way the user's input would.
void ShowHover(QWidget* control);
void ShowPressed(QWidget* control);
// Once the window is up and active.
void ShowFocus(QWidget* control);
