#include "framework/TBitmap.h"
#include "skin/Suithemes.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

bool Loads(const QString& name)
{
    return !LoadSkinBitmap(name).Empty();
}

} // namespace

// A look that claims a picture must have it, and one that does not claim it
// must not ship it unused.
TEST(Looks, PicturesTheLookClaimsExist)
{
    for (const TsuiLook& look : kSuiLooks) {
        SCOPED_TRACE(look.Name);
        const QString prefix = QLatin1String(look.Prefix);
        EXPECT_EQ(Loads(prefix + "FORM_BACKGROUND"), look.FormBackground);
        EXPECT_EQ(Loads(prefix + "COMBOBOX_BUTTON"), look.ComboButtonPicture);
        EXPECT_EQ(Loads(prefix + "TITLEBTN_RST_NORMAL"), look.RestorePictures);
        if (look.PictureMenus) {
            EXPECT_TRUE(Loads(QStringLiteral("MACOS_MENU_BAR")));
            EXPECT_TRUE(Loads(QStringLiteral("MACOS_MENU_SELECT")));
        }
        if (look.ButtonHeight > 0) {
            EXPECT_EQ(LoadSkinBitmap(prefix + "BUTTON_NORMAL").Height(), look.ButtonHeight);
        }
    }
}

TEST(Looks, EveryBitmapNameCarriesItsLooksPrefix)
{
    for (const TsuiLook& look : kSuiLooks) {
        for (const QString& name : GetThemeResourceNames(look.Style))
            if (name != QLatin1String("MENU_CHECKED")) {
                EXPECT_TRUE(name.startsWith(QLatin1String(look.Prefix))) << name.toStdString();
            }
    }
}

TEST(Looks, StylesWithoutALookHaveNoFactsAndNoElements)
{
    for (const TsuiUIStyle style : {Custom, TsuiUIStyle(kSuiLookCount + 1), TsuiUIStyle(255)}) {
        EXPECT_EQ(SuiLookOf(style), nullptr) << int(style);
        EXPECT_EQ(SuiLook(style).Style, Custom) << int(style);
        EXPECT_FALSE(SuiLook(style).ButtonTransparent) << int(style);
        EXPECT_EQ(SuiLook(style).CaptionTop, -1) << int(style);
        EXPECT_TRUE(GetThemeResourceNames(style).isEmpty()) << int(style);
    }
    EXPECT_EQ(SuiLookOf(BlueGlass)->Style, BlueGlass);
}
