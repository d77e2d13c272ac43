#pragma once

#include "framework/TForm.h"
#include "skin/Suithemes.h"
#include "tools/gallery/GalleryPage.h"

#include <array>
#include <vector>

class TsuiForm;
class TsuiPageControl;
class TsuiRadioButton;

// The gallery: a skinned window with a look switcher along the top and one
// tab per page. A page is built in a look when it is first shown in it and
// kept, so that switching back to a look or a page builds nothing.
class TGalleryWindow final : public TForm
{
    Q_OBJECT

public:
    TGalleryWindow();

    TsuiUIStyle Look() const { return m_look; }
    void SetLook(TsuiUIStyle look);
    // Brings the named page to the front; false when there is none.
    bool ShowPage(const QString& name);

    // The page's stage in the current look; null before it was first shown.
    QWidget* Stage(int page) const;

private:
    void PlaceStages();
    // Builds the page in the current look when it has no stage in it yet,
    // and shows that stage alone on its sheet.
    void ShowStage(int page);

    std::vector<GalleryPage> m_pageList;
    // Per page, its stage in each look (by the look's value), once built.
    std::vector<std::array<QWidget*, 6>> m_stages;
    TsuiForm* m_frame;
    TsuiPageControl* m_pages;
    std::vector<TsuiRadioButton*> m_lookButtons;
    TsuiUIStyle m_look = Custom;
};
