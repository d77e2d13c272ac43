#pragma once

#include <QString>

#include "framework/TFont.h"

class QWidget;
class TForm;
class TImage;
class TsuiButton;
class TsuiForm;

// "MS Sans Serif" at 8 points, the windows' own font.
TFont WindowFont();

// The frame every secondary window wears: the Protein look, a title bar with
// only a close button, a one-pixel border, at left 1 and top 0.
// The frame lays itself out from the window's client size.
TsuiForm* CreateWindowFrame(TForm* form);

// A WinXP push button of the dialogs' size, 70 x 22.
TsuiButton* CreateDialogButton(QWidget* parent, const QString& caption, int left, int top, int width = 70,
                               int height = 22);

// A decorative picture from the resources, stretched to the control.
TImage* CreateWindowPicture(QWidget* parent, const QString& resource, int left, int top, int width,
                            int height, bool stretch = true);
