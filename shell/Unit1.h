#pragma once

#include "framework/TForm.h"
#include "tweaks/RegistryBackend.h"
#include "tweaks/TweakPasses.h"

#include <QHash>

class TForm2;
class TForm3;
class TForm4;
class TForm7;
class TImage;
class TSnCheckBox;
class TTweakInsight;
class TSnLabel;
class TsuiButton;
class TsuiCheckGroup;
class TsuiForm;
class TsuiPageControl;
class TsuiTabSheet;

// The main window: the button panel beside a picture that gives way to the
// three pages of tweak check boxes after a log-in.
class TForm1 final : public TForm, public tessel::TweakTicks
{
    Q_OBJECT

public:
    explicit TForm1(tessel::RegistryBackend& registry);

    // The other windows, created after this one.
    void SetWindows(TForm2* login, TForm3* password, TForm4* about, TForm7* help);

    TsuiForm* suiForm1;
    TImage* Image2;
    TSnLabel* SnLabel1;
    TSnLabel* SnLabel2;
    TsuiCheckGroup* suiCheckGroup1;
    TsuiButton* suiButton4;
    TsuiButton* suiButton3;
    TsuiButton* suiButton6;
    TsuiButton* suiButton7;
    TsuiButton* suiButton8;
    TsuiButton* suiButton1;
    TsuiButton* suiButton2;
    TsuiPageControl* suiPageControl1;
    TsuiTabSheet* suiTabSheet1;
    TsuiTabSheet* suiTabSheet2;
    TsuiTabSheet* suiTabSheet4;

    // The tweak's check box, by its name ("SnCheckBox60").
    TSnCheckBox* CheckBox(const QString& name) const;

    void FormCreate();
    void suiButton1Click();
    void suiButton2Click();
    void suiButton3Click();
    void suiButton4Click();
    void suiButton6Click();
    void suiButton7Click();
    void suiButton8Click();

    // A correct password: the boxes are loaded, the pages open.
    void EnterEditing();

    TSnCheckBox* CheckBox(const tessel::TweakEntry& tweak) const;

    // The tweak pages are open: a user is logged in.
    bool IsEditing() const;
    TTweakInsight& Insight() const { return *m_insight; }

    bool IsTicked(const tessel::TweakEntry& tweak) const override;
    void SetTicked(const tessel::TweakEntry& tweak, bool ticked) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateButtonPanel();
    void CreateTweakPages();
    void ReturnToIdle(TSnLabel* note);
    void HideNotes();

    tessel::RegistryBackend& m_registry;
    QHash<QString, TSnCheckBox*> m_checkBoxes;
    TForm2* m_login = nullptr;
    TForm3* m_password = nullptr;
    TForm4* m_about = nullptr;
    TForm7* m_help = nullptr;
    TTweakInsight* m_insight = nullptr;
};
