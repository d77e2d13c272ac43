#pragma once

#include "framework/TForm.h"
#include "tweaks/RegistryBackend.h"
#include "tweaks/TweakPasses.h"

#include <functional>

class TImage;
class TSnLabel;
class TsuiButton;
class TsuiEdit;
class TsuiForm;

// The login window: the right password loads the state mirror into the main
// window's boxes and opens its tweak pages.
class TForm2 final : public TForm
{
    Q_OBJECT

public:
    // `onLoggedIn` switches the main window to its editing state.
    TForm2(tessel::RegistryBackend& registry, tessel::TweakTicks& ticks, std::function<void()> onLoggedIn);

    TsuiForm* suiForm1;
    TSnLabel* SnLabel1;
    TsuiEdit* suiEdit1;
    TsuiButton* suiButton1;
    TsuiButton* suiButton2;
    TImage* Image1;

    void suiButton1Click();
    void suiButton2Click();

private:
    tessel::RegistryBackend& m_registry;
    tessel::TweakTicks& m_ticks;
    std::function<void()> m_onLoggedIn;
};
