#pragma once

#include "framework/TForm.h"
#include "skin/Suithemes.h"

#include <vector>

class TsuiForm;
class TsuiPageControl;
class TsuiRadioButton;

// The gallery: a skinned window with a look switcher along the top and one
// tab per page. Switching the look restyles the frame and builds every page
// again in the new look.
class TGalleryWindow final : public TForm
{
    Q_OBJECT

public:
    TGalleryWindow();

    TsuiUIStyle Look() const { return m_look; }
    void SetLook(TsuiUIStyle look);
    // Brings the named page to the front; false when there is none.
    bool ShowPage(const QString& name);

private:
    void PlaceStages();

    TsuiForm* m_frame;
    TsuiPageControl* m_pages;
    std::vector<TsuiRadioButton*> m_lookButtons;
    TsuiUIStyle m_look = Custom;
};
